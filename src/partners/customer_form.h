#pragma once
// CustomerForm: the shop's customers with their price levels, one record at a time, in table
// Customers.
#include <QVariant>
#include <array>

#include "partners/record_form.h"

class QRadioButton;

namespace partners {

// The level a stored Discount shows: 1 and 2 as themselves, anything else (3, NULL, 7) as 3.
int levelShown(const QVariant& discount);

class CustomerForm : public RecordForm {
  Q_OBJECT
 public:
  explicit CustomerForm(QWidget* parent = nullptr);

  static const RecordLayout& layout();

  // The level of the options: 1, 2 or 3.
  int selectedLevel() const;

  QLineEdit* txtCusId = nullptr;
  QLineEdit* txtComName = nullptr;
  QLineEdit* txtCtName = nullptr;
  QLineEdit* txtCtTitle = nullptr;
  QLineEdit* txtAdr = nullptr;
  QLineEdit* txtCity = nullptr;
  QLineEdit* txtRegion = nullptr;
  QLineEdit* txtPsCode = nullptr;
  QLineEdit* txtCountry = nullptr;
  QLineEdit* txtPhone = nullptr;
  QLineEdit* txtFax = nullptr;
  QGroupBox* frLevel = nullptr;
  std::array<QRadioButton*, 4> optLevel{};  // 1 to 3

 protected:
  QString extraValue(const QString& column) const override;
  void showExtras(const data::Snapshot& row) override;
  void afterNew() override;
  void afterInsert() override;
};

}  // namespace partners
