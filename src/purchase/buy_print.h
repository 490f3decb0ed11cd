#pragma once
// The purchase invoice printout: the invoice that stands in the purchase screen's line grid, on
// the program's current printer, with its own head, two sets of headings and two sets of rules.
#include <QString>

#include "reportkit/report_print.h"

namespace plat {
class FlexGrid;
}

namespace purchase {

// The boxes the printout's head shows, as they stand.
struct InvoiceHead {
  QString number;  // txtBuyId
  QString date;    // txtDate
  QString total;   // txtTotal
};

// The value of line row: its quantity times its unit cost as the grid holds them (the grid's
// stored value is empty for a new line and stale after a line edit); "" when either is no number.
QString lineValue(const plat::FlexGrid& grid, int row);

// The page description of an invoice, in the user's language.
reportkit::ReportPrint invoicePrint(const InvoiceHead& head);

// Prints lines 0 .. lineCount-1 of grid; nothing when there are none.
reportkit::PrintOutcome printInvoice(const plat::FlexGrid& grid, int lineCount, const InvoiceHead& head);

}  // namespace purchase
