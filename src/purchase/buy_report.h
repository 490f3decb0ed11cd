#pragma once
// The purchase history window: a category, then one of its products, and every lot of it with the
// latest unit cost, the quantity and value bought and the VAT contained.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "platform/flexgrid.h"
#include "platform/form.h"
#include "platform/ui_kit.h"

namespace purchase {

class BuyReport : public plat::Form {
  Q_OBJECT
 public:
  explicit BuyReport(QWidget* parent = nullptr);

  void Form_Load() override;
  bool unloadsOnDeactivate() const override { return true; }
  QRect designGeometry() const override { return {0, 0, 9400, 7200}; }
  QSize sizeHint() const override;

  QLabel *lblCategory, *lblProduct, *lblDay, *lblInv, *lblQuantity, *lblprice, *lblvalue;
  QLabel *LabelPrice, *LabelQuantity, *LabelValue, *LabelTotal, *lblVat, *LblN;
  QLabel *lblBath, *lblBath2, *lblBath3, *lblBath4;
  QComboBox* ComCate;
  QComboBox* ComBar;
  plat::FlexGrid* FGrid;
  QLineEdit *txtPrice, *txtQuantity, *txtVal, *txtVat, *txtVatTotal;

  void ComCate_Click();
  void ComBar_Click();

 private:
  plat::ui::Controls controls_;
};

}  // namespace purchase
