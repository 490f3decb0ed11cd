#pragma once
// The purchase invoice printout: the invoice on the purchase screen, printed from its lines on
// the program's current printer, with its own head, two sets of headings and two sets of rules.
#include <QString>

#include "purchase/buy_lines.h"
#include "reportkit/report_print.h"

namespace purchase {

// The boxes the printout's head shows, as they stand.
struct InvoiceHead {
  QString number;  // txtBuyId
  QString date;    // txtDate
  QString total;   // txtTotal
};

// The page description of an invoice, in the user's language.
reportkit::ReportPrint invoicePrint(const InvoiceHead& head);

// Prints the lines, in their order, each as the grid shows it but for its value; nothing when
// there are none.
reportkit::PrintOutcome printInvoice(const BuyLines& lines, const InvoiceHead& head);

}  // namespace purchase
