// A long report printed through the report print engine onto a PDF printer file: 100,000 product
// rows, 31 to a page. Compared with the same pages painted straight onto a QPrinter with a QPainter,
// in time and in the peak resident memory each adds (VmHWM from /proc/self/status, its peak reset
// through /proc/self/clear_refs before each print). QUORVANEL_BENCH_PRINT_ROWS=<n> prints the first n
// rows only (a run under callgrind).
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <algorithm>
#include <fstream>
#include <string>

#include "platform/flexgrid.h"
#include "platform/numtext.h"
#include "platform/print_surface_qt.h"
#include "reportkit/report_print.h"
#include "shell/settings.h"
#include "support/harness.h"
#include "support/shop_db.h"

namespace {

constexpr int kRows = 100000;
const QString kPdfPrinter = QStringLiteral("bench-pdf");

benchdb::ShopSize shopSize() {
  benchdb::ShopSize z;
  z.products = kRows;
  z.lotsPerProduct = 0;
  z.saleLines = 0;
  return z;
}

QTemporaryDir& outDir() {
  static QTemporaryDir d;
  return d;
}
QString pdfPath() { return outDir().filePath(QStringLiteral("report.pdf")); }

std::unique_ptr<QPrinter> pdfPrinter() {
  auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  printer->setOutputFormat(QPrinter::PdfFormat);
  printer->setOutputFileName(pdfPath());
  printer->setPageSize(QPageSize(QPageSize::A4));
  printer->setPageMargins(QMarginsF(10, 15, 10, 15), QPageLayout::Millimeter);
  return printer;
}

// The one printer of the run: every job is a PDF file in the run's folder.
class PdfPrinters : public plat::Printers {
 public:
  QStringList installed() override { return {kPdfPrinter}; }
  std::shared_ptr<plat::PrintSurface> openJob(const QString&, const QString&, QString*) override {
    return std::make_shared<plat::QtPrintSurface>(pdfPrinter());
  }
};

plat::FlexGrid* g_grid = nullptr;

int printedRows() {
  bool ok = false;
  const int n = qEnvironmentVariableIntValue("QUORVANEL_BENCH_PRINT_ROWS", &ok);
  return ok && n > 0 ? std::min(n, kRows) : kRows;
}

// A stock list's printout: code, name, quantity, price.
reportkit::ReportPrint stockReport() {
  reportkit::ReportPrint d;
  d.printer = reportkit::PrinterChoice::CurrentPrinter;
  d.docName = QStringLiteral("Stock");
  d.title = {3200, 700, QStringLiteral("Stock list"), reportkit::Align::Left, 1, true};
  d.headings = {{600, QStringLiteral("Code")},
                {1700, QStringLiteral("Name")},
                {7600, QStringLiteral("Quantity")},
                {9600, QStringLiteral("Price")}};
  d.columns = {{0, reportkit::Align::Centre, 850},
               {1, reportkit::Align::Left, 1700},
               {2, reportkit::Align::Right, 8400, reportkit::CellFormat::Whole},
               {3, reportkit::Align::Right, 10400, reportkit::CellFormat::Money}};
  return d;
}

void fillGrid() {
  // A shop's report font, as the options window sets it.
  shell::settings().ReportFontSize = shell::SettingValue::ofNumber(10);
  shell::settings().FontName = QStringLiteral("DejaVu Sans");
  sqlite3* db = benchdb::openRaw(benchdb::shopDatabase(shopSize()));
  sqlite3_stmt* st = benchdb::prepareRaw(db, "SELECT PId, PName, Quantity, Price FROM Product ORDER BY PId");
  QVector<QStringList> rows;
  rows.reserve(kRows);
  auto text = [st](int c) {
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, c)));
  };
  while (sqlite3_step(st) == SQLITE_ROW) rows.push_back({text(0), text(1), text(2), text(3)});
  sqlite3_finalize(st);
  sqlite3_close(db);
  if (rows.size() != kRows) benchdb::die("the products are " + std::to_string(rows.size()));
  // Kept to the end of the process: a widget must not outlive the application at exit.
  g_grid = new plat::FlexGrid;
  g_grid->setCols(4);
  g_grid->setAllRows(std::move(rows));
}

long statusKb(const char* field) {
  QFile f(QStringLiteral("/proc/self/status"));
  if (!f.open(QIODevice::ReadOnly)) return 0;
  for (const QByteArray& line : f.readAll().split('\n'))
    if (line.startsWith(field))
      return line.mid(static_cast<int>(qstrlen(field))).trimmed().split(' ').first().toLong();
  return 0;
}

// Starts a new peak at the present resident size; returns that size.
long resetPeak() {
  std::ofstream("/proc/self/clear_refs") << "5";
  return statusKb("VmRSS:");
}

// Each run starts untimed from no PDF and a fresh peak; returns the resident size it starts at.
long beginRun(benchmark::State& state) {
  state.PauseTiming();
  QFile::remove(pdfPath());
  const long before = resetPeak();
  state.ResumeTiming();
  return before;
}

void label(benchmark::State& state, long peakAddedKb) {
  const long pdfKb = QFileInfo(pdfPath()).size() / 1024;
  state.SetLabel("peak +" + std::to_string(peakAddedKb / 1024) + " MB resident (VmHWM), PDF " +
                 std::to_string(pdfKb / 1024) + " MB");
}

void BM_PrintReport(benchmark::State& state) {
  PdfPrinters printers;
  plat::setPrinters(&printers);
  plat::setCurrentPrinter(kPdfPrinter);
  const reportkit::ReportPrint desc = stockReport();
  long peak = 0;
  for (auto _ : state) {
    const long before = beginRun(state);
    if (reportkit::printReport(desc, *g_grid, printedRows()) != reportkit::PrintOutcome::Printed)
      benchdb::die("the report was not printed");
    state.PauseTiming();
    peak = std::max(peak, statusKb("VmHWM:") - before);
    state.ResumeTiming();
  }
  label(state, peak);
  plat::setPrinters(nullptr);
}

// The same pages painted directly: the frame of every page, each row's cells formatted and placed
// at the same twips in the same font.
void BM_RawPaintReport(benchmark::State& state) {
  const reportkit::ReportPrint d = stockReport();
  const auto& set = shell::settings();
  const double base = set.ReportFontSize.toNumber();
  auto font = [&](int delta, bool bold) {
    QFont f(set.FontName.isEmpty() ? QStringLiteral("Sans") : set.FontName);
    f.setPointSizeF(base + delta);
    f.setBold(bold);
    return f;
  };
  long peak = 0;
  for (auto _ : state) {
    const long before = beginRun(state);
    auto printer = pdfPrinter();
    const double k = printer->resolution() / 1440.0;
    QPainter p;
    if (!p.begin(printer.get())) benchdb::die("the PDF printer refused the job");
    QPen pen(Qt::black);
    pen.setWidthF(15 * k);
    p.setPen(pen);
    const QFont rowFont = font(0, false);
    const QFontMetricsF rowMetrics(rowFont, printer.get());
    auto at = [&](double x, double y, const QString& s) {
      p.drawText(QPointF(x * k, y * k + rowMetrics.ascent()), s);
    };
    auto frame = [&] {
      for (const reportkit::Rule& r : d.rules) p.drawLine(QLineF(r.x1 * k, r.y1 * k, r.x2 * k, r.y2 * k));
      p.setFont(rowFont);
      for (const reportkit::Heading& h : d.headings) at(h.x, d.headingY, h.text);
    };
    p.setFont(font(0, false));
    at(d.shopX, d.shopY, set.ComName.toText());
    p.setFont(font(d.title.sizeDelta, d.title.bold));
    p.drawText(QPointF(d.title.x * k, d.title.y * k + QFontMetricsF(p.font(), printer.get()).ascent()),
               d.title.text);
    frame();
    const int rows = printedRows();
    for (int r = 0; r < rows; ++r) {
      const int j = r % 31;
      if (r > 0 && j == 0) {
        printer->newPage();
        frame();
      }
      const double y = d.firstRowY + d.rowPitch * j;
      const QString code = g_grid->TextMatrix(r, 0);
      const QString quantity = plat::fmtWhole(plat::parseNumber(g_grid->TextMatrix(r, 2)).value_or(0));
      const QString price = plat::fmtMoney(plat::parseNumber(g_grid->TextMatrix(r, 3)).value_or(0));
      at(850 - static_cast<int>(rowMetrics.horizontalAdvance(code) / k / 2), y, code);
      at(1700, y, g_grid->TextMatrix(r, 1));
      at(8400 - rowMetrics.horizontalAdvance(quantity) / k, y, quantity);
      at(10400 - rowMetrics.horizontalAdvance(price) / k, y, price);
    }
    if (!p.end()) benchdb::die("the PDF could not be written");
    state.PauseTiming();
    peak = std::max(peak, statusKb("VmHWM:") - before);
    state.ResumeTiming();
  }
  label(state, peak);
}

BENCHMARK(BM_RawPaintReport)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_PrintReport)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
  return benchdb::runBenchmarks(argc, argv, fillGrid, {{"BM_PrintReport", "BM_RawPaintReport"}});
}
