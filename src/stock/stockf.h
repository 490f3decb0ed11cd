#pragma once
// The stock window: the stock list (all categories, one category, or a search), the re-order list
// and the stock value list with its total; prints and exports the list shown.
#include "stock/stock_window.h"

class QLineEdit;
class QPushButton;

namespace stock {

class StockF : public StockListWindow {
  Q_OBJECT
 public:
  explicit StockF(QWidget* parent = nullptr);

  void ComCate_Click() override;
  void ComCate_KeyPress(int& KeyAscii) override;
  void cmdOrder_Click();
  void cmdValue_Click();
  void cmdPrint_Click();
  void cmdExcel_Click();

  // The kind of list shown, as the two list buttons hold it.
  enum class Shown { Stock, Reorder, Value };
  Shown shown() const;

  QPushButton* cmdOrder = nullptr;
  QPushButton* cmdValue = nullptr;
  QPushButton* cmdPrint = nullptr;
  QPushButton* cmdExcel = nullptr;
  QLabel* txtVal = nullptr;
  QLineEdit* txtcosttal = nullptr;

 private:
  void stockCaptions();
  void stockListShown();
};

}  // namespace stock
