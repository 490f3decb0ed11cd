#include "purchase/buy_print.h"

#include "platform/numtext.h"
#include "purchase/buy_grid.h"
#include "shell/lang.h"

namespace purchase {

using reportkit::Align;
using reportkit::Heading;
using reportkit::PlacedText;
using reportkit::PrintColumn;
using reportkit::Rule;
using shell::L;

namespace {

// The value printed for a line: its quantity times its unit cost, "##,##0.00" (the grid keeps no
// plain value for a new line, and a stale one after a line edit).
QString printedValue(const BuyLine& line) {
  return plat::fmtMoney(line.quantity.number * line.unitCost.number);
}

// Horizontal rules at 1500, 2200 and 15000, vertical ones from 1500 to 15000 at each x.
std::vector<Rule> ruled(std::initializer_list<int> xs) {
  std::vector<Rule> v = {Rule{100, 1500, 11000, 1500}, Rule{100, 2200, 11000, 2200},
                         Rule{100, 15000, 11000, 15000}};
  for (const int x : xs) v.push_back(Rule{x, 1500, x, 15000});
  return v;
}

}  // namespace

reportkit::ReportPrint invoicePrint(const InvoiceHead& head) {
  const bool thai = shell::thai();
  reportkit::ReportPrint d;
  d.printer = reportkit::PrinterChoice::CurrentPrinter;
  d.docName = L(QStringLiteral("บิลซื้อ "), QStringLiteral("Purchase invoice ")) + head.number;
  d.title = PlacedText{
      300, 700,
      L(QStringLiteral("รายการซื้อสินค้า บิลเลขที่  "), QStringLiteral("Order detail at Inv No.   ")) + head.number};
  d.headExtra = {PlacedText{9200, 700, L(QStringLiteral("วันที่ "), QStringLiteral("Date ")) + head.date},
                 PlacedText{8000, 1000, L(QStringLiteral("รวมเงิน"), QStringLiteral("Total"))}};
  d.total = PlacedText{10900, 1000, head.total, Align::Right};

  d.headings = {Heading{400, L(QStringLiteral("รหัสสินค้า"), QStringLiteral("Product Id"))},
                Heading{3000, L(QStringLiteral("รายการสินค้า"), QStringLiteral("Description"))},
                Heading{6700, L(QStringLiteral("จำนวน"), QStringLiteral("Quantity"))},
                Heading{8200, L(QStringLiteral("ราคา/หน่วยนับ"), QStringLiteral("Unit"))},
                Heading{9800, QString()}};
  // Later pages name the last two columns, and their English headings stand further left.
  d.laterHeadings = {Heading{thai ? 400 : 300, L(QStringLiteral("รหัสสินค้า"), QStringLiteral("Product Id"))},
                     Heading{3000, L(QStringLiteral("รายการสินค้า"), QStringLiteral("Description"))},
                     Heading{thai ? 6700 : 6500, L(QStringLiteral("จำนวน"), QStringLiteral("Quantity"))},
                     Heading{thai ? 8200 : 7800, L(QStringLiteral("หน่วยละ"), QStringLiteral("UnitPrice"))},
                     Heading{thai ? 9800 : 9900, L(QStringLiteral("มูลค่า"), QStringLiteral("Value"))}};
  d.rules = ruled({100, 1600, 6300, 7800, 11000});
  d.laterRules = ruled({100, 1600, 6300, 7800, 9400, 11000});

  d.columns = {PrintColumn{grid::Pid, Align::Centre, 850}, PrintColumn{grid::Name, Align::Left, 1700},
               PrintColumn{grid::Qty, Align::Right, 7700}, PrintColumn{grid::Price, Align::Right, 9300},
               PrintColumn{grid::PlainValue, Align::Right, 10900}};
  return d;
}

reportkit::PrintOutcome printInvoice(const BuyLines& lines, const InvoiceHead& head) {
  if (lines.empty()) return reportkit::PrintOutcome::NoRows;
  return reportkit::printReport(invoicePrint(head), lines.count(), [&lines](int row, int col) {
    return col == grid::PlainValue ? printedValue(lines.at(row)) : lines.cell(row, col);
  });
}

}  // namespace purchase
