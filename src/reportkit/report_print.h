#pragma once
// Paged printing of a report grid. A report describes its page once (printer, page-1 head,
// headings, printed columns, rules, an after-rows section); printReport() chooses the printer,
// lays the rows out 31 to a page and sends the job. Nothing reaches the printer unless the whole
// document was laid out: a failure on the way throws the job away.
#include <QString>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "platform/print_fit.h"

namespace plat {
class FlexGrid;
}  // namespace plat

namespace reportkit {

// Where the job goes.
enum class PrinterChoice {
  ReportPrinter,   // the installed printer named exactly by the ReportPrinter setting, made current;
                   // no such printer: nothing printed, no message
  CurrentPrinter,  // the program's current printer (plat::currentPrinter())
  PrintDialog,     // the print dialog (preselecting the printer last chosen in one, at first the bill
                   // printer); the choice becomes current;
                   // Cancel: nothing printed, no message
};

// How a text stands at its x: starting there, centred on it, or ending there.
using Align = plat::TextAlign;

// How a printed cell shows its grid text. A text that is not a number is printed as it stands.
enum class CellFormat {
  AsIs,   // the grid text
  Money,  // "##,##0.00"
  Whole,  // "##,##0"
};

// A text at a fixed place. Its font is the report font (FontName, ReportFontSize) plus sizeDelta
// points, bold when bold is set.
struct PlacedText {
  PlacedText() = default;
  PlacedText(int x, int y, QString text, Align align = Align::Left, int sizeDelta = 0, bool bold = false)
      : x(x), y(y), text(std::move(text)), align(align), sizeDelta(sizeDelta), bold(bold) {}
  int x = 0;
  int y = 0;
  QString text;
  Align align = Align::Left;
  int sizeDelta = 0;
  bool bold = false;
};

// A heading over a printed column: text at x, baseline of the headings' y.
struct Heading {
  Heading() = default;
  Heading(int x, QString text) : x(x), text(std::move(text)) {}
  int x = 0;
  QString text;
};

// One printed column: the grid column it shows, where and how.
struct PrintColumn {
  PrintColumn() = default;
  PrintColumn(int gridCol, Align align, int x, CellFormat format = CellFormat::AsIs)
      : gridCol(gridCol), align(align), x(x), format(format) {}
  int gridCol = 0;
  Align align = Align::Left;
  int x = 0;  // left edge (Left), centre (Centre) or right edge (Right)
  CellFormat format = CellFormat::AsIs;
  // When set, the row's text for this column is made from the grid row (a value worked out of
  // other cells, say) instead of read from gridCol; format still applies. Grid rows only.
  std::function<QString(const plat::FlexGrid& grid, int row)> cellText;
};

// A straight line in twips.
struct Rule {
  Rule() = default;
  Rule(int x1, int y1, int x2, int y2) : x1(x1), y1(y1), x2(x2), y2(y2) {}
  int x1 = 100, y1 = 0, x2 = 11000, y2 = 0;
};

// An item printed once after the last row, placed dy twips below the last row's y (on the same
// page as that row). Made with rule() or label().
struct AfterRowsItem {
  static AfterRowsItem rule(int dy, int x1, int x2) {
    AfterRowsItem i;
    i.kind = Line;
    i.dy = dy;
    i.x = x1;
    i.x2 = x2;
    return i;
  }
  static AfterRowsItem label(int dy, int x, QString text, Align align = Align::Left, int sizeDelta = 0,
                             bool bold = false) {
    AfterRowsItem i;
    i.dy = dy;
    i.x = x;
    i.text = std::move(text);
    i.align = align;
    i.sizeDelta = sizeDelta;
    i.bold = bold;
    return i;
  }
  enum Kind { Text, Line } kind = Text;
  int dy = 0;
  int x = 0;  // Text: as in PlacedText; Line: from x to x2
  int x2 = 0;
  QString text;
  Align align = Align::Left;
  int sizeDelta = 0;
  bool bold = false;
  // Placed where printing the last row left the print position: one text line of the report font
  // below that row (dy is added on top).
  bool lineBelow = false;
};

// The whole description of one report's printout. Defaults are the layout every report shares:
// shop name at (300, 300), rules at y 1500 and 2200 from x 100 to 11000, headings at y 1700,
// rows at y 2400 + 400 * j, a new page when the previous row's y reached 14400 (31 rows a page).
struct ReportPrint {
  PrinterChoice printer = PrinterChoice::ReportPrinter;
  QString docName;  // the job's name in the print queue

  // Page 1 only. The shop name is the ComName setting unless shopName is set.
  std::optional<QString> shopName;
  int shopX = 300, shopY = 300;
  bool shopBold = false;
  PlacedText title;                   // e.g. {3200, 700, text, Align::Left, +1, true}
  std::optional<PlacedText> total;    // the total line, when the report has one
  std::vector<PlacedText> headExtra;  // further page-1 texts (an invoice's date, say)

  // Every page.
  int headingY = 1700;
  std::vector<Heading> headings;       // page 1
  std::vector<Heading> laterHeadings;  // pages 2 on; empty: the page-1 headings
  std::vector<Rule> rules = {Rule{100, 1500, 11000, 1500}, Rule{100, 2200, 11000, 2200}};
  std::vector<Rule> laterRules;  // pages 2 on; empty: rules on every page

  std::vector<PrintColumn> columns;  // usually {0, Centre, 850}, {1, Left, 1700}, then the report's
  int firstRowY = 2400;
  int rowPitch = 400;
  int newPageAtY = 14400;  // a row whose predecessor stood at or below this y starts a new page

  std::vector<AfterRowsItem> afterRows;
};

// What printReport() did.
enum class PrintOutcome {
  Printed,
  NoPrinter,  // ReportPrinter named no installed printer
  Cancelled,  // the print dialog was cancelled
  NoRows,     // rowCount was 0 (or the grid empty)
  Failed,     // the job could not be opened, laid out or sent; the user was told, nothing printed
};

// Prints grid rows 0 .. rowCount-1 (never beyond the grid's own rows) as desc says: chooses the
// printer, opens a job through plat::printers(), lays the document out, ends it. A failure aborts
// the job (KillDoc) and shows a message in the user's language.
PrintOutcome printReport(const ReportPrint& desc, const plat::FlexGrid& grid, int rowCount);

// The text of row `row` in the column a PrintColumn names by gridCol, for rows that are no grid's.
using RowText = std::function<QString(int row, int gridCol)>;
// Prints rows 0 .. rowCount-1 whose texts text gives, as printReport() prints a grid's rows.
PrintOutcome printReport(const ReportPrint& desc, int rowCount, const RowText& text);

// The layout alone on a surface the caller owns (no EndDoc): what printReport() paints. Throws
// std::exception on a failure of the surface.
void layoutReport(plat::PrintSurface& s, const ReportPrint& desc, const plat::FlexGrid& grid, int rowCount);

// The cell text as a printed column shows it.
QString formatCell(const QString& text, CellFormat format);

// Today's date as report titles print it (dd/MM/yyyy).
QString reportDate();

}  // namespace reportkit
