#pragma once
// What the sale screen's Finish calls: the receipt the settings choose, printed from the sale's
// snapshot.
#include "print/sale_document.h"

namespace print {
// Prints doc by settings().PrintType (1 slip by SlipWidth, 2 text receipt on the raw port, 3 A4
// invoice, 4 A4 invoice on a pre-printed form, 5 A5 invoice, 6 none).
void printSale(const SaleDocument& doc);
}  // namespace print
