#include "reportkit/report_print.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <map>
#include <optional>

#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/flexgrid.h"
#include "platform/numtext.h"
#include "platform/print_surface.h"
#include "platform/print_surface_qt.h"
#include "shell/lang.h"
#include "shell/settings.h"

namespace reportkit {

namespace {

// The texts of one printed line, fitted together before they are printed: each stays in its place
// (a text drawn smaller or cut where the next begins, a figure drawn smaller rather than lose a
// digit), a smaller one on the line's baseline.
class Line {
 public:
  Line(plat::PrintSurface& s, double baseSize) : s_(s), base_(baseSize) {}
  void add(double x, Align align, const QString& text, bool whole, int sizeDelta = 0, bool bold = false) {
    plat::LineCell c = plat::LineCell::make(x, align, text, whole);
    c.size = base_ + sizeDelta;
    c.bold = bold;
    cells_.push_back(c);
  }
  void print(double y) {
    plat::fitLine(s_, cells_, {}, 0, s_.ScaleWidth());
    for (const plat::LineCell& c : cells_) {
      s_.setFontSize(c.shownSize);
      s_.setFontBold(c.bold);
      plat::PrintAt(s_, c.left, y + c.dy, c.shown);
    }
    cells_.clear();
    s_.setFontSize(base_);
    s_.setFontBold(false);
  }

 private:
  plat::PrintSurface& s_;
  double base_;
  std::vector<plat::LineCell> cells_;
};

// A cell shown whole: a figure (right-aligned or formatted as a number) or a code (centred).
bool isFigure(const PrintColumn& c) { return c.align != Align::Left || c.format != CellFormat::AsIs; }

// The page-1 head, line by line (texts on one y share their line). The shop name gives way; a title
// or total too long for its place is moved left to end at the printable edge, or drawn smaller.
void pageHead(plat::PrintSurface& s, const ReportPrint& d, double base, const QString& shop) {
  std::map<int, Line> lines;
  auto line = [&](int y) -> Line& { return lines.try_emplace(y, s, base).first->second; };
  line(d.shopY).add(d.shopX, Align::Left, shop, false, 0, d.shopBold);
  std::vector<const PlacedText*> placed;
  if (d.total) placed.push_back(&*d.total);
  placed.push_back(&d.title);
  for (const PlacedText& t : d.headExtra) placed.push_back(&t);
  for (const PlacedText* t : placed) line(t->y).add(t->x, t->align, t->text, true, t->sizeDelta, t->bold);
  for (auto& [y, l] : lines) l.print(y);
}

void pageFrame(plat::PrintSurface& s, const ReportPrint& d, double baseSize, bool firstPage) {
  const auto& rs = (firstPage || d.laterRules.empty()) ? d.rules : d.laterRules;
  for (const Rule& r : rs) s.Line(r.x1, r.y1, r.x2, r.y2);
  s.setFontSize(baseSize);
  s.setFontBold(false);
  const auto& hs = (firstPage || d.laterHeadings.empty()) ? d.headings : d.laterHeadings;
  Line line(s, baseSize);
  for (const Heading& h : hs) line.add(h.x, Align::Left, h.text, false);
  line.print(d.headingY);
}

}  // namespace

QString formatCell(const QString& text, CellFormat format) {
  if (format == CellFormat::AsIs) return text;
  const auto n = plat::parseNumber(text);
  if (!n) return text;
  return format == CellFormat::Money ? plat::fmtMoney(*n) : plat::fmtWhole(*n);
}

QString reportDate() { return plat::today().toString(QStringLiteral("dd/MM/yyyy")); }

namespace {

// The text of row r in printed column c, wherever the rows come from.
using CellOf = std::function<QString(const PrintColumn& c, int r)>;

void layoutRows(plat::PrintSurface& s, const ReportPrint& d, int n, const CellOf& cell) {
  const auto& set = shell::settings();
  const double base = set.ReportFontSize.toNumber();

  s.setFontName(set.FontName);
  s.setFontSize(base);
  pageHead(s, d, base, d.shopName ? *d.shopName : set.ComName.toText());
  pageFrame(s, d, base, true);

  int y = d.firstRowY;
  int prevY = -1;
  int j = 0;
  Line line(s, base);
  for (int r = 0; r < n; ++r) {
    if (prevY >= d.newPageAtY) {
      s.NewPage();
      pageFrame(s, d, base, false);
      j = 0;
    }
    y = d.firstRowY + d.rowPitch * j;
    for (const PrintColumn& c : d.columns)
      line.add(c.x, c.align, formatCell(cell(c, r), c.format), isFigure(c));
    line.print(y);
    prevY = y;
    ++j;
  }

  // The after-rows texts, line by line like the rows.
  const int lastY = prevY < 0 ? d.firstRowY : prevY;
  const double below = s.TextHeight(QStringLiteral("X"));
  std::map<double, Line> after;
  for (const AfterRowsItem& a : d.afterRows) {
    if (a.kind == AfterRowsItem::Line) {
      s.Line(a.x, lastY + a.dy, a.x2, lastY + a.dy);
      continue;
    }
    const double at = lastY + a.dy + (a.lineBelow ? below : 0);
    after.try_emplace(at, s, base)
        .first->second.add(a.x, a.align, a.text, a.align == Align::Right, a.sizeDelta, a.bold);
  }
  for (auto& [at, l] : after) l.print(at);
}

CellOf gridCells(const plat::FlexGrid& grid) {
  return [&grid](const PrintColumn& c, int r) {
    return c.cellText ? c.cellText(grid, r) : grid.TextMatrix(r, c.gridCol);
  };
}

PrintOutcome printRows(const ReportPrint& d, int n, const CellOf& cell) {
  QString printer;
  std::optional<plat::PrintDialogRequest> asked;
  switch (d.printer) {
    case PrinterChoice::ReportPrinter: {
      const QString wanted = shell::settings().ReportPrinter;
      if (!plat::printers().installed().contains(wanted)) return PrintOutcome::NoPrinter;
      plat::setCurrentPrinter(wanted);
      printer = wanted;
      break;
    }
    case PrinterChoice::CurrentPrinter:
      printer = plat::currentPrinter();
      break;
    case PrinterChoice::PrintDialog: {
      plat::PrintDialogRequest req;
      req.printerName = shell::settings().BillPrinter.toText();
      if (!plat::dialogs().printDialog(req)) return PrintOutcome::Cancelled;
      printer = req.printerName;
      asked = req;
      break;
    }
  }
  if (n <= 0) return PrintOutcome::NoRows;

  const QString failed =
      shell::L(QStringLiteral("พิมพ์รายงานไม่ได้"), QStringLiteral("The report could not be printed."));
  QString err;
  const auto surface = plat::printers().openJob(printer, d.docName, &err);
  if (!surface) {
    plat::dialogs().message(err.isEmpty() ? failed : failed + QLatin1Char('\n') + err);
    return PrintOutcome::Failed;
  }
  try {
    layoutRows(*surface, d, n, cell);
    surface->EndDoc();
  } catch (const plat::PrintJobError&) {
    // The queue's own answer is the print system's text, in its language: the user is told which
    // printer did not take the job.
    surface->KillDoc();
    plat::dialogs().message(failed + QLatin1Char('\n') +
                            shell::L(QStringLiteral("เครื่องพิมพ์ '%1' ไม่รับงานพิมพ์นี้ โปรดตรวจดูเครื่องพิมพ์แล้วพิมพ์ใหม่"),
                                     QStringLiteral("The printer '%1' did not take the job. Please check the "
                                                    "printer and print again."))
                                .arg(printer));
    return PrintOutcome::Failed;
  } catch (const std::exception& e) {
    surface->KillDoc();
    plat::dialogs().message(failed + QLatin1Char('\n') + QString::fromStdString(e.what()));
    return PrintOutcome::Failed;
  }
  if (asked) plat::dialogs().printed(*asked);
  return PrintOutcome::Printed;
}

}  // namespace

void layoutReport(plat::PrintSurface& s, const ReportPrint& d, const plat::FlexGrid& grid, int rowCount) {
  layoutRows(s, d, std::clamp(rowCount, 0, grid.Rows()), gridCells(grid));
}

PrintOutcome printReport(const ReportPrint& d, const plat::FlexGrid& grid, int rowCount) {
  return printRows(d, std::min(rowCount, grid.Rows()), gridCells(grid));
}

PrintOutcome printReport(const ReportPrint& d, int rowCount, const RowText& text) {
  return printRows(d, rowCount, [&text](const PrintColumn& c, int r) { return text(r, c.gridCol); });
}

}  // namespace reportkit
