#pragma once
// The lot value window: every purchase lot with its cost and the product's current quantity valued
// at that cost, for all categories or one; a typed text searches products instead. Prints the grid
// on a printer chosen in the print dialog.
#include "stock/stock_window.h"

class QPushButton;

namespace stock {

class StockValue : public StockListWindow {
  Q_OBJECT
 public:
  explicit StockValue(QWidget* parent = nullptr);

  void ComCate_Click() override;
  void ComCate_KeyPress(int& KeyAscii) override;
  void cmdPrint_Click();

  QPushButton* cmdPrint = nullptr;
};

}  // namespace stock
