// A scanned code to a sale line: the look-up in a shop's 100,000 products, the stock tests, the line
// on the model and the grid, and the pole display's writes (to a fake line), as the sale screen
// does it for every Enter. Beside it, a scanner's key events into the shown screen through to its
// painted line, compared with the raw look-up of the same code through the SQLite C API and a
// minimal paint of its line.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <random>

#include "data/db.h"
#include "platform/dialogs.h"
#include "platform/serial.h"
#include "sale/main_form.h"
#include "shell/settings.h"
#include "support/fake_serial.h"
#include "support/harness.h"
#include "support/scripted_dialogs.h"
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

// A product's code as a scanner reads it: 13 digits, "885" then the product's number.
std::string barcode(int i) { return QString::asprintf("885%010d", i).toStdString(); }

// The shop's products under their 13-digit codes (digits only, as a scanner sends them; a letter
// would be one of the sale screen's hot keys).
QString barcodeShop() {
  static const QString path = [] {
    const QString copy =
        benchdb::copyOf(benchdb::shopDatabase(shopSize()), QStringLiteral("entry-barcodes.db"));
    sqlite3* db = benchdb::openRaw(copy);
    benchdb::execRaw(db, "UPDATE Product SET PId = printf('885%010d', CAST(substr(PId, 2) AS INTEGER))");
    sqlite3_close(db);
    return copy;
  }();
  return path;
}

// Scans random codes into the sale screen, Enter after each, a new sale every kLinesPerSale lines.
void BM_ScanToLine(benchmark::State& state) {
  plat::SerialLog log;
  plat::installFakeSerial(&log);
  plat::ScriptedDialogs dialogs;
  shell::settings().DisplayPort = shell::SettingValue::ofNumber(1);
  shell::settings().DrawerPort = shell::SettingValue::ofNumber(0);
  sale::MainForm form;
  form.Form_Load();
  std::mt19937 rng(42);
  std::uniform_int_distribution<int> pick(0, shopSize().products - 1);
  for (auto _ : state) {
    if (form.LineCount() >= kLinesPerSale) {
      state.PauseTiming();
      form.cmdClear_Click();
      log.clear();
      state.ResumeTiming();
    }
    form.txtBar->setText(QString::fromStdString(barcode(pick(rng))));
    int enter = 13;
    form.txtBar_KeyPress(enter);
  }
  if (!dialogs.shown.empty()) state.SkipWithError("a message box was shown");
  form.Form_Unload();
  plat::setSerialFactory({});
}
BENCHMARK(BM_ScanToLine)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

// What one scan paints: every paint event of the sale window's widgets, and their regions in the
// window's own coordinates, so a scan that repaints the whole window shows as 100 %.
class PaintWatch : public QObject {
 public:
  explicit PaintWatch(QWidget* screen) : screen_(screen) { qApp->installEventFilter(this); }
  ~PaintWatch() override { qApp->removeEventFilter(this); }
  void reset() {
    events_ = 0;
    area_ = QRegion();
  }
  int events() const { return events_; }
  // The share of the window the paints since reset() covered.
  double share() const {
    long long painted = 0;
    for (const QRect& r : area_) painted += static_cast<long long>(r.width()) * r.height();
    const QSize s = screen_->size();
    return s.isEmpty() ? 0 : static_cast<double>(painted) / (static_cast<double>(s.width()) * s.height());
  }

 protected:
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() == QEvent::Paint && o->isWidgetType()) {
      auto* w = static_cast<QWidget*>(o);
      if (w == screen_ || screen_->isAncestorOf(w)) {
        ++events_;
        const QRegion r = static_cast<QPaintEvent*>(e)->region();
        area_ += r.translated(w->mapTo(screen_, QPoint(0, 0)));
      }
    }
    return false;
  }

 private:
  QWidget* screen_;
  int events_ = 0;
  QRegion area_;
};

// A scanner's keys as the window system hands them over: each character pressed and released in
// the focused box, then Enter, all queued before the event loop runs.
void postScan(QWidget* box, const std::string& code) {
  for (char ch : code) {
    const QString t{QLatin1Char(ch)};
    const int key = Qt::Key_0 + (ch - '0');
    QCoreApplication::postEvent(box, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier, t));
    QCoreApplication::postEvent(box, new QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier, t));
  }
  QCoreApplication::postEvent(
      box, new QKeyEvent(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r")));
  QCoreApplication::postEvent(
      box, new QKeyEvent(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r")));
}

// The real keys of a scan into the shown sale screen, to its line painted in the grid; the label
// tells what each scan painted.
void BM_ScanToPaintedLine(benchmark::State& state) {
  plat::SerialLog log;
  plat::installFakeSerial(&log);
  plat::ScriptedDialogs dialogs;
  shell::settings().DisplayPort = shell::SettingValue::ofNumber(1);
  shell::settings().DrawerPort = shell::SettingValue::ofNumber(0);
  sale::MainForm form;
  form.Form_Load();
  form.show();
  form.activateWindow();
  form.txtBar->setFocus();
  QApplication::processEvents();
  PaintWatch watch(&form);
  int gridPaints = 0;
  struct GridPaints : QObject {
    int* n;
    explicit GridPaints(int* c) : n(c) {}
    bool eventFilter(QObject*, QEvent* e) override {
      if (e->type() == QEvent::Paint) ++*n;
      return false;
    }
  } gridWatch(&gridPaints);
  form.FGrid->viewport()->installEventFilter(&gridWatch);
  std::mt19937 rng(42);
  std::uniform_int_distribution<int> pick(0, shopSize().products - 1);
  long long scans = 0, events = 0;
  double share = 0;
  for (auto _ : state) {
    if (form.LineCount() >= kLinesPerSale) {
      state.PauseTiming();
      form.cmdClear_Click();
      QApplication::processEvents();
      log.clear();
      state.ResumeTiming();
    }
    const int before = form.LineCount();
    const int paintsBefore = gridPaints;
    // A product already on the sale would merge into its line: each scan is a new line.
    int product = pick(rng);
    while (form.lines().find(QString::fromStdString(barcode(product))) >= 0) product = pick(rng);
    watch.reset();
    postScan(form.txtBar, barcode(product));
    // Until the new line is on the model and the grid has painted since.
    QElapsedTimer t;
    t.start();
    while (form.LineCount() == before || gridPaints == paintsBefore) {
      QApplication::processEvents();
      if (t.elapsed() > 1000) break;
    }
    if (form.LineCount() == before || gridPaints == paintsBefore) {
      state.SkipWithError("the scan's line was not painted");
      break;
    }
    ++scans;
    events += watch.events();
    share += watch.share();
  }
  form.FGrid->viewport()->removeEventFilter(&gridWatch);
  if (!dialogs.shown.empty()) state.SkipWithError("a message box was shown");
  if (scans > 0)
    state.SetLabel(std::to_string(events / scans) + " paint events a scan, " +
                   std::to_string(static_cast<int>(100 * share / static_cast<double>(scans) + 0.5)) +
                   " % of the window painted");
  form.Form_Unload();
  plat::setSerialFactory({});
}

// The product row by its code through the C API, every column read, and its line painted.
void BM_RawScanToPaintedLine(benchmark::State& state) {
  sqlite3* db = benchdb::openRaw(barcodeShop());
  sqlite3_stmt* st = benchdb::prepareRaw(db, "SELECT * FROM Product WHERE PId = ? LIMIT 1");
  QImage line(800, 24, QImage::Format_ARGB32_Premultiplied);
  std::mt19937 rng(42);
  std::uniform_int_distribution<int> pick(0, shopSize().products - 1);
  for (auto _ : state) {
    benchdb::bindText(st, 1, barcode(pick(rng)));
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
  return benchdb::runBenchmarks(argc, argv, [] { data::Conn().open(barcodeShop()); },
                                {{"BM_ScanToPaintedLine", "BM_RawScanToPaintedLine"}});
}
