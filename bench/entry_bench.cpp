// A scanned code to a sale line: the look-up in a shop's 100,000 products, the stock tests, the line
// on the model and the grid, and the pole display's writes (to a fake line), as the sale screen
// does it for every Enter. Beside it, a scan to a painted line on the shown screen, compared with the
// raw look-up of the same code through the SQLite C API and a minimal paint of its line.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <random>

#include "data/db.h"
#include "platform/dialogs.h"
#include "platform/serial.h"
#include "sale/main_form.h"
#include "shell/settings.h"
#include "support/harness.h"
#include "support/shop_db.h"

namespace {

constexpr int kLinesPerSale = 50;

// The shop's products only: the scan reads no lots or sales.
benchdb::ShopSize shopSize() {
  benchdb::ShopSize z;
  z.lotsPerProduct = 0;
  z.saleLines = 0;
  return z;
}

// Scans random codes into the sale screen, Enter after each, a new sale every kLinesPerSale lines.
// Painted: the screen is shown and the events that paint each new line are run after its Enter.
void scanLines(benchmark::State& state, bool painted) {
  plat::SerialLog log;
  plat::installFakeSerial(&log);
  plat::ScriptedDialogs dialogs;
  shell::settings().DisplayPort = shell::SettingValue::ofNumber(1);
  shell::settings().DrawerPort = shell::SettingValue::ofNumber(0);
  sale::MainForm form;
  form.Form_Load();
  if (painted) {
    form.show();
    QApplication::processEvents();
  }
  std::mt19937 rng(42);
  std::uniform_int_distribution<int> pick(0, shopSize().products - 1);
  for (auto _ : state) {
    if (form.LineCount() >= kLinesPerSale) {
      state.PauseTiming();
      form.cmdClear_Click();
      if (painted) QApplication::processEvents();
      log.clear();
      state.ResumeTiming();
    }
    form.txtBar->setText(QString::fromStdString(benchdb::productCode(pick(rng))));
    int enter = 13;
    form.txtBar_KeyPress(enter);
    if (painted) QApplication::processEvents();
  }
  if (!dialogs.shown.empty()) state.SkipWithError("a message box was shown");
  form.Form_Unload();
  plat::setSerialFactory({});
}

void BM_ScanToLine(benchmark::State& state) { scanLines(state, false); }
void BM_ScanToPaintedLine(benchmark::State& state) { scanLines(state, true); }
BENCHMARK(BM_ScanToLine)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The product row by its code through the C API, every column read, and its line painted.
void BM_RawScanToPaintedLine(benchmark::State& state) {
  sqlite3* db = benchdb::openRaw(benchdb::shopDatabase(shopSize()));
  sqlite3_stmt* st = benchdb::prepareRaw(db, "SELECT * FROM Product WHERE PId = ? LIMIT 1");
  QImage line(800, 24, QImage::Format_ARGB32_Premultiplied);
  std::mt19937 rng(42);
  std::uniform_int_distribution<int> pick(0, shopSize().products - 1);
  for (auto _ : state) {
    benchdb::bindText(st, 1, benchdb::productCode(pick(rng)));
    if (sqlite3_step(st) != SQLITE_ROW) benchdb::die("no such product");
    QStringList cells;
    for (int c = 0; c < sqlite3_column_count(st); ++c)
      cells << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, c)));
    sqlite3_reset(st);
    line.fill(Qt::white);
    QPainter p(&line);
    p.drawText(QPointF(4, 16), cells.value(0));
    p.drawText(QPointF(120, 16), cells.value(1));
    p.drawText(QPointF(600, 16), cells.value(2));
    benchmark::DoNotOptimize(line.constBits());
  }
  sqlite3_finalize(st);
  sqlite3_close(db);
}
BENCHMARK(BM_ScanToPaintedLine)->Unit(benchmark::kMicrosecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_RawScanToPaintedLine)->Unit(benchmark::kMicrosecond)->UseRealTime()->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
  return benchdb::runBenchmarks(argc, argv, [] { data::Conn().open(benchdb::shopDatabase(shopSize())); },
                                {{"BM_ScanToPaintedLine", "BM_RawScanToPaintedLine"}});
}
