#pragma once
// The sale line editor: changes the quantity and unit price of the sale screen's current line, or
// removes the line. It works on the sale in progress only; the line reaches the database with the
// sale. While it is open the sale screen and the main window are disabled.
#include <QString>

#include "sale/payment.h"
#include "shell/line_edit_form.h"

namespace sale {

// Why OK refuses the boxes; None when the edit can be applied.
enum class LineEditRefusal { None, Quantity, QuantityTooBig, Price, PriceTooBig, Stock };

struct LineEditCheck {
  LineEditRefusal refusal = LineEditRefusal::None;
  int quantity = 0;
  double price = 0;
};

// Reads both boxes before anything changes: the quantity must be digits up to 32767, the price
// digits with at most one point up to kMaxAmount, and the quantity not above the stock on hand.
LineEditCheck checkLineEdit(const QString& quantityText, const QString& priceText, double stock);

class MEditPriceQ : public shell::LineEditForm {
  Q_OBJECT
 public:
  explicit MEditPriceQ(QWidget* parent = nullptr);

  void Form_Unload() override;
  QRect designGeometry() const override { return {1500, 2900, 8500, 1200}; }
  QSize minimumSizeHint() const override;

  QPushButton* cmdOK;

  void cmdOK_Click();
  void cmdRemove_Click() override;

 private:
  void loadLine() override;
  void ok() override { cmdOK_Click(); }
  // The sale screen's current line, or -1.
  int currentLine() const;
  void refuse(LineEditRefusal why);
};

}  // namespace sale
