#pragma once
// SupplierForm: the shop's suppliers, one record at a time, in table Suppliers.
#include "partners/record_form.h"

namespace partners {

class SupplierForm : public RecordForm {
  Q_OBJECT
 public:
  explicit SupplierForm(QWidget* parent = nullptr);

  static const RecordLayout& layout();

  QLineEdit* txtSupId = nullptr;
  QLineEdit* txtSupType = nullptr;
  QLineEdit* txtComName = nullptr;
  QLineEdit* txtBusDesc = nullptr;
  QLineEdit* txtCtName = nullptr;
  QLineEdit* txtCtTitle = nullptr;
  QLineEdit* txtAdr = nullptr;
  QLineEdit* txtCity = nullptr;
  QLineEdit* txtRegion = nullptr;
  QLineEdit* txtCountry = nullptr;
  QLineEdit* txtPsCode = nullptr;
  QLineEdit* txtPhone = nullptr;
  QLineEdit* txtFax = nullptr;
  QLineEdit* txtHp = nullptr;
  QLineEdit* txtEmail = nullptr;
};

}  // namespace partners
