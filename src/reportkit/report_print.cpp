#include "reportkit/report_print.h"

#include <algorithm>
#include <cmath>
#include <exception>

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

double textX(plat::PrintSurface& s, int x, Align a, const QString& text) {
  switch (a) {
    case Align::Left:
      return x;
    case Align::Centre:
      // Half the width as a whole number, as the positions on paper are whole twips.
      return x - static_cast<int>(s.TextWidth(text) / 2);
    case Align::Right:
      return x - s.TextWidth(text);
  }
  return x;
}

void setFont(plat::PrintSurface& s, double baseSize, int delta, bool bold) {
  s.setFontSize(baseSize + delta);
  s.setFontBold(bold);
}

void placed(plat::PrintSurface& s, double baseSize, const PlacedText& t) {
  setFont(s, baseSize, t.sizeDelta, t.bold);
  double x = textX(s, t.x, t.align, t.text);
  // A head text too long for its place (a wide font, a large total) is moved left to end at the
  // paper's printable edge rather than lose its end.
  const double over = x + s.TextWidth(t.text) - s.ScaleWidth();
  if (over > 0) x = std::max(0.0, x - over);
  plat::PrintAt(s, x, t.y, t.text);
}

void pageFrame(plat::PrintSurface& s, const ReportPrint& d, double baseSize, bool firstPage) {
  const auto& rs = (firstPage || d.laterRules.empty()) ? d.rules : d.laterRules;
  for (const Rule& r : rs) s.Line(r.x1, r.y1, r.x2, r.y2);
  setFont(s, baseSize, 0, false);
  const auto& hs = (firstPage || d.laterHeadings.empty()) ? d.headings : d.laterHeadings;
  for (const Heading& h : hs) plat::PrintAt(s, h.x, d.headingY, h.text);
}

}  // namespace

QString formatCell(const QString& text, CellFormat format) {
  if (format == CellFormat::AsIs) return text;
  const auto n = plat::parseNumber(text);
  if (!n) return text;
  return format == CellFormat::Money ? plat::fmtMoney(*n) : plat::fmtWhole(*n);
}

QString reportDate() { return plat::today().toString(QStringLiteral("dd/MM/yyyy")); }

void layoutReport(plat::PrintSurface& s, const ReportPrint& d, const plat::FlexGrid& grid, int rowCount) {
  const auto& set = shell::settings();
  const double base = set.ReportFontSize.toNumber();
  const int n = std::clamp(rowCount, 0, grid.Rows());

  s.setFontName(set.FontName);
  setFont(s, base, 0, d.shopBold);
  plat::PrintAt(s, d.shopX, d.shopY, d.shopName ? *d.shopName : set.ComName.toText());
  if (d.total) placed(s, base, *d.total);
  placed(s, base, d.title);
  for (const PlacedText& t : d.headExtra) placed(s, base, t);
  pageFrame(s, d, base, true);

  int y = d.firstRowY;
  int prevY = -1;
  int j = 0;
  for (int r = 0; r < n; ++r) {
    if (prevY >= d.newPageAtY) {
      s.NewPage();
      pageFrame(s, d, base, false);
      j = 0;
    }
    y = d.firstRowY + d.rowPitch * j;
    setFont(s, base, 0, false);
    for (const PrintColumn& c : d.columns) {
      const QString text =
          formatCell(c.cellText ? c.cellText(grid, r) : grid.TextMatrix(r, c.gridCol), c.format);
      plat::PrintAt(s, textX(s, c.x, c.align, text), y, text);
    }
    prevY = y;
    ++j;
  }

  const int lastY = prevY < 0 ? d.firstRowY : prevY;
  for (const AfterRowsItem& a : d.afterRows) {
    if (a.kind == AfterRowsItem::Line) {
      s.Line(a.x, lastY + a.dy, a.x2, lastY + a.dy);
    } else {
      setFont(s, base, 0, false);
      const double y = lastY + a.dy + (a.lineBelow ? s.TextHeight(QStringLiteral("X")) : 0);
      setFont(s, base, a.sizeDelta, a.bold);
      plat::PrintAt(s, textX(s, a.x, a.align, a.text), y, a.text);
    }
  }
}

PrintOutcome printReport(const ReportPrint& d, const plat::FlexGrid& grid, int rowCount) {
  QString printer;
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
      break;
    }
  }
  if (std::min(rowCount, grid.Rows()) <= 0) return PrintOutcome::NoRows;

  const QString failed =
      shell::L(QStringLiteral("พิมพ์รายงานไม่ได้"), QStringLiteral("The report could not be printed."));
  QString err;
  const auto surface = plat::printers().openJob(printer, d.docName, &err);
  if (!surface) {
    plat::dialogs().message(err.isEmpty() ? failed : failed + QLatin1Char('\n') + err);
    return PrintOutcome::Failed;
  }
  try {
    layoutReport(*surface, d, grid, rowCount);
    surface->EndDoc();
  } catch (const std::exception& e) {
    surface->KillDoc();
    plat::dialogs().message(failed + QLatin1Char('\n') + QString::fromStdString(e.what()));
    return PrintOutcome::Failed;
  }
  return PrintOutcome::Printed;
}

}  // namespace reportkit
