#pragma once
// The amounts of a sale document as the receipts print them, read once before anything is printed.
#include <QString>
#include <optional>

#include "print/sale_document.h"

namespace print {

struct DocAmounts {
  double total = 0;
  double tax = 0;
  double pay = 0;
  double change = 0;  // pay - total, in whole satang
};

// The total, tax and paid amounts: each box's text when there is one (grouping accepted), else the
// number; nullopt when a text is not a number or a value (a line's included) is not finite.
std::optional<DocAmounts> docAmounts(const SaleDocument& doc);

// "##0.00": two decimals, no grouping.
QString fmtMoneyPlain(double v);

// The quantity as the sale grid shows it: a plain number.
QString quantityText(const SaleDocLine& line);

// Today's date and the time now, as the receipts print them (dd/MM/yyyy, HH:mm:ss).
QString printDate();
QString printTime();

}  // namespace print
