#pragma once
// The full-page invoices of a sale: A4 on plain paper, A4 on a pre-printed form, A5 and the two-up
// sheet. One layout serves all four; InvoiceSpec holds where they differ. The whole document is
// made first (layoutInvoice, in rows of the page grid), then placed on a print surface
// (paintInvoice); printInvoice does the whole job: the values, the print dialog and the warnings.
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "platform/print_surface.h"
#include "print/sale_document.h"

namespace print {

enum class InvoiceKind { A4, A4Form, A5, TwoUp };

// A place on the page: X in twips and a row of the page grid (rows may be fractional).
struct InvoiceAt {
  double x = 0;
  double row = 0;
};

struct InvoiceRule {
  double x;
  bool toBoxBottom;  // runs down through the summary box, else stops at its top
};

struct InvoiceHeading {
  double x;
  const char* text;
};

enum class SummaryItem { Total, Cash, Change, Vat };

struct InvoiceSummaryLine {
  SummaryItem item;
  double row;
};

// Where the invoices of one kind and language differ; X in twips, Y in rows of the page grid.
struct InvoiceSpec {
  InvoiceKind kind;
  bool thai;
  double top;             // Y of row 0
  bool billFontSize;      // texts in BillFontSize (titles + 2), else 15 (titles 20)
  double copyShift;       // 0: one copy; else the X of the second copy beside the first
  bool paddedNumber;      // the bill number in ten digits, else as a bare number
  bool numberAfterTitle;  // the title, the number's label and the number as one text at `title`
  // Heading
  InvoiceAt shop, title, number, address, date, address1, phone, taxId, customer, customerAddr, customerFax;
  const char* numberLabel;
  const char* dateLabel;
  const char* dateFormat;
  const char* phoneLabel;
  const char* customerLabel;
  // Item table. ruleRows: top of the table, under the headings (the first item row), end of the
  // item area, bottom of the summary box.
  bool ruled;  // rules and column headings drawn
  double ruleRows[4];
  double left, right;
  InvoiceRule verticals[5];  // between the left and right edges; x 0 ends the list
  InvoiceHeading headings[6];
  double numberRight, codeX, nameX;
  int nameChars;                                         // 0: the whole name
  double quantityRight, unitX, priceRight, amountRight;  // unitX, priceRight 0: not printed
  // Summary
  InvoiceAt comment;
  const char* commentLabel;  // nullptr: not printed
  double labelX, valueRight;
  const char* totalLabel;  // nullptr: the labels of total, cash and change are not printed
  const char* cashLabel;
  const char* changeLabel;
  const char* vatLabel;  // before the rate and "%"
  InvoiceSummaryLine summary[4];
  InvoiceAt line2, line3, line4;
  InvoiceAt words;

  // Item lines a page holds.
  int rowsPerPage() const { return static_cast<int>(ruleRows[2] - ruleRows[1]); }
};

const InvoiceSpec& invoiceSpec(InvoiceKind kind, bool thai);

// One thing to place: a text at (x, row), right-aligned to x when `right`, measured by `measure`
// when that is not null; a line; or a new page. A right-aligned text, and one marked `whole` (a
// code, a number, a date), is never cut to fit its place: it is drawn smaller instead.
struct InvoiceOp {
  enum Kind { Text, Line, NewPage } kind = Text;
  enum Font { Body, Title, ColumnHeading } font = Body;
  double x = 0, row = 0, x2 = 0, row2 = 0;
  bool right = false;
  bool whole = false;
  QString text;
  QString measure;
  double wrapTo = 0;  // a row below `row` the text may go on to further lines down to, else 0
  // Drawn higher where its line would reach into the next row, so that the marks below its letters
  // stay clear of the text there (the shop name above the address).
  bool clearOfNextRow = false;
};

// Every page of one invoice, ready to be placed.
struct InvoiceContent {
  std::vector<InvoiceOp> ops;
  double top = 0;
  double bodySize = 15, titleSize = 20;
  QString fontName;
  QString totalText, taxText;  // the formatted amounts written back to the sale screen
  int pages = 1;
};

// The unit word of each line's product (empty when the product is gone or has none).
QStringList unitWords(const SaleDocument& doc);

// The invoice of doc from the settings and the clock, with units[i] after line i's quantity;
// nullopt when an amount is not a number.
std::optional<InvoiceContent> layoutInvoice(const SaleDocument& doc, const InvoiceSpec& spec,
                                            const QStringList& units);

// Places c on s (without ending the document). The row pitch is the height of a Thai test word at
// 15 points plus 20 twips, whatever the sizes of the texts, closed up only as far as needed for
// the lowest row to fit the printable height. A text clear of the next row ends its line where
// that row begins, never above the printable area.
void paintInvoice(const InvoiceContent& c, plat::PrintSurface& s);

// Prints doc's invoice of that kind on the printer chosen in the print dialog (see invoice.cpp).
void printInvoice(const SaleDocument& doc, InvoiceKind kind);

// The invoice procedures of the sale screen: A4 plain, A4 form, A5, two-up.
void cmdBillInvoid_Click(const SaleDocument& doc);
void BillInvoidA4Form(const SaleDocument& doc);
void BillInvoidA5(const SaleDocument& doc);
void BillInvoidA6(const SaleDocument& doc);

}  // namespace print
