#pragma once
// The sale screen's own fields beside its lines, as plain values. The window renders them into its
// hidden boxes and reads them from here; the line editor reaches them through the window's calls.
#include <QString>

namespace sale {

struct SaleScreenState {
  // The customer's price level as stored in Discount ("1" to "3"); "0" while there is no customer.
  QString priceLevel = QStringLiteral("0");
  // The cashier logged in when the screen loaded; every line of a bill carries the name.
  QString employee;
  // The stock on hand of the line opened in the line editor, read when the editor was opened.
  double editStock = 0;
  // The unit price the line editor last applied, which the pole display shows.
  double editedPrice = 0;
};

// A line of the sale as the line editor shows it and checks it.
struct LineForEdit {
  QString quantity;  // the quantity as the grid shows it
  QString price;     // the unit price as the grid shows it
  double stock = 0;  // the product's stock on hand the new quantity is checked against
};

}  // namespace sale
