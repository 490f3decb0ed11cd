#pragma once
// The line grid shared by the purchase invoice screen and its line editor: 11 columns, no heading
// row, row 0 the first line.
#include <QString>

namespace purchase::grid {

enum Column : int {
  Inv = 0,         // invoice number (Buy.BuyId)
  Pid = 1,         // product code, as stored
  Name = 2,        // product name
  Qty = 3,         // quantity as typed
  Price = 4,       // unit cost as typed
  Value = 5,       // line value, "###,###,###.00"
  Blank = 6,       // empty
  BaseQty = 7,     // quantity as first entered, or as saved
  PlainValue = 8,  // line value as a plain number (loaded lines)
  Stock = 9,       // stock on hand when the line was entered
  Status = 10,     // line status
  Count = 11
};

// Line statuses.
inline const QString kNew = QStringLiteral("N");      // typed, to be inserted
inline const QString kSaved = QStringLiteral("S");    // loaded, unchanged
inline const QString kChanged = QStringLiteral("U");  // loaded, changed: to be rewritten

}  // namespace purchase::grid
