// A till's day as a cashier works it: the whole program logged in, the sale screen opened with F2,
// and 1,000 sales of 1 to 5 lines rung up with the keys alone (codes, Enter, Enter to pay, the cash
// typed, Enter, Enter to finish, Enter on the box that follows), with the bill list (F6, Enter) and
// the day report (Show All) opened and closed every ten sales. Every key goes in through the window
// system's key path to the window in front, and every box is closed by an Enter sent to it. Printed:
// the resident memory after the warm-up and after the last sale, and its growth per 1,000 sales
// (also after malloc_trim, which hands back what the allocator merely holds), and the widgets alive.
// Beside it: 3,000 "Pay Again" boxes in a row on the same screen, and the same bills posted through
// the SQLite C API, the raw work every sale's posting does.
// The boxes hand the activation back to the window behind them, which needs a window manager:
//   scripts/with-window-manager.sh build/bench/till_day_bench
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sqlite3.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <deque>
#include <functional>
#include <random>

#include "data/db.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/form.h"
#include "platform/serial.h"
#include "reportkit/register.h"
#include "reports/register.h"
#include "sale/main_form.h"
#include "sale/register.h"
#include "shell/application.h"
#include "shell/login.h"
#include "shell/mainwindow.h"
#include "shell/program.h"
#include "shell/register.h"
#include "shell/settings.h"
#include "support/fake_serial.h"
#include "support/harness.h"
#include "support/shop_db.h"

namespace {

constexpr int kProducts = 50;
constexpr int kSales = 1000;
constexpr int kWarmUpSales = 100;
constexpr int kReportsEvery = 10;  // sales between two visits of the bill list and the day report
constexpr int kBoxes = 3000;
constexpr int kWarmUpBoxes = 300;

QString code(int i) { return QStringLiteral("P%1").arg(i % kProducts, 3, 10, QLatin1Char('0')); }

// The lines of sale n: 1 to 5 codes, the same for the program and the raw posting.
std::vector<int> saleLines(std::mt19937& rng) {
  std::uniform_int_distribution<int> count(1, 5), product(0, kProducts - 1);
  std::vector<int> out(static_cast<std::size_t>(count(rng)));
  for (int& p : out) p = product(rng);
  return out;
}

struct Memory {
  long residentKb = 0;
  long trimmedKb = 0;                        // after malloc_trim(0)
  long anonKb = 0, fileKb = 0, shmemKb = 0;  // the trimmed resident memory by kind
  long liveKb = 0;                           // the heap in use (mallinfo2)
  int widgets = 0;
};

long statusKb(const char* field) {
  QFile f(QStringLiteral("/proc/self/status"));
  if (!f.open(QIODevice::ReadOnly)) return 0;
  const QByteArray name(field);
  for (const QByteArray& line : f.readAll().split('\n'))
    if (line.startsWith(name)) return line.mid(name.size()).trimmed().split(' ').first().toLong();
  return 0;
}

Memory memoryNow() {
  Memory m;
  m.residentKb = benchdb::residentKb();
  malloc_trim(0);
  m.trimmedKb = benchdb::residentKb();
  m.anonKb = statusKb("RssAnon:");
  m.fileKb = statusKb("RssFile:");
  m.shmemKb = statusKb("RssShmem:");
  m.liveKb = static_cast<long>(mallinfo2().uordblks / 1024);
  m.widgets = static_cast<int>(QApplication::allWidgets().size());
  return m;
}

// The window in front, which takes the keys: a box shown over the others, else the active window.
// After a box closes, the window manager gives the activation back after a moment: wait for it.
QWindow* frontWindow() {
  QDeadlineTimer deadline(5000);
  for (;;) {
    if (QWidget* modal = QApplication::activeModalWidget())
      if (modal->isVisible() && modal->windowHandle()) return modal->windowHandle();
    if (QWindow* w = QGuiApplication::focusWindow(); w && w->isVisible()) return w;
    if (deadline.hasExpired()) benchdb::die("no window is active to take the keys");
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
  }
}

void press(Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QTest::keyClick(frontWindow(), k, mods);
}

void type(const QString& text) {
  for (const QChar c : text) QTest::keyClick(frontWindow(), c.toLatin1());
}

// The cashier's hand on the message boxes: whenever a message box is in front, an Enter goes to it.
// It runs inside the box's own event loop, as a person answering the box would.
class BoxCloser : public QObject {
 public:
  BoxCloser() {
    timer_.setInterval(0);
    QObject::connect(&timer_, &QTimer::timeout, this, [this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box || !box->isVisible() || !box->windowHandle()) return;
      texts.push_back(box->text());
      QTest::keyClick(box->windowHandle(), Qt::Key_Return);
    });
    timer_.start();
  }
  std::vector<QString> texts;

 private:
  QTimer timer_;
};

// Runs the steps one by one from the event loop, each after the events of the one before (the
// deferred deletions too) were handled, as they are between two keys a person presses.
void runSteps(std::deque<std::function<void()>> steps) {
  QEventLoop loop;
  QTimer timer;
  timer.setInterval(0);
  QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
    if (steps.empty()) {
      loop.quit();
      return;
    }
    auto s = std::move(steps.front());
    steps.pop_front();
    s();
  });
  timer.start();
  loop.exec();
}

// A few event-loop passes, so what one step posted has run before the next.
void settle(std::deque<std::function<void()>>& steps, int passes = 3) {
  for (int i = 0; i < passes; ++i) steps.push_back([] {});
}

struct Program {
  std::unique_ptr<shell::MHarvelmoquin> main;
  plat::SerialLog display;
};

Program* g_program = nullptr;

sale::MainForm* saleScreen() {
  return qobject_cast<sale::MainForm*>(plat::FormRegistry::instance().loaded(QStringLiteral("MainForm")));
}

void prepareProgram() {
  shell::installQtTexts();  // as the program's application does
  QString error;
  if (!shell::ensureInstallation(&error)) benchdb::die(error.toStdString());
  shell::ShopSettings s;
  if (!shell::readSettings26(s, &error)) benchdb::die(error.toStdString());
  s.DisplayPort = shell::SettingValue::ofNumber(1);
  s.DrawerPort = shell::SettingValue::ofText(QStringLiteral("RJ45"));
  s.PrintType = 2;  // the text receipt and the drawer kick on LPT1, which goes nowhere here
  s.LangThai = false;
  s.BillNoContinue = true;
  if (!shell::writeSettings(s, &error)) benchdb::die(error.toStdString());
  QFile::link(QStringLiteral("/dev/null"), plat::installPath(QStringLiteral("LPT1")));

  shell::registerForms();
  sale::registerForms();
  reportkit::registerForms();
  reports::registerForms();

  g_program = new Program;
  plat::installFakeSerial(&g_program->display);

  data::Conn().open(s.DbPath.toText());
  data::Conn().transaction([] {
    for (int i = 0; i < kProducts; ++i) {
      data::Conn().exec(
          QStringLiteral("INSERT INTO Product (PId, PName, Price, Price1, Price2, Quantity, CID, "
                         "ProNoun, PoOrder) VALUES (?, ?, ?, 0, 0, 1000000, 'C1', 'pcs', 0)"),
          {code(i), QStringLiteral("Product number %1").arg(i), 5 + i});
      data::Conn().exec(
          QStringLiteral(
              "INSERT INTO Buy (PId, BuyDate, BuyTime, BQuantity, BPrice, BuyId, RemainQ, "
              "SupplierID) VALUES (?, '2024-01-02', '09:00:00', 1000000, 1, '0001', 1000000, 'S1')"),
          {code(i)});
    }
  });
  data::Conn().close();

  auto* login = new shell::frmLogin;
  login->Form_Load();
  login->show();
  bool handed = false;
  QObject::connect(login, &shell::frmLogin::succeeded, [&handed] { handed = true; });
  login->txtUserName->setText(QStringLiteral("Admin"));
  login->txtPassword->setText(QStringLiteral("admin"));
  login->cmdOk_Click();
  if (!handed) benchdb::die("the login failed");
  QApplication::processEvents();
  g_program->main = shell::openMainWindow();
  if (!g_program->main) benchdb::die("the main window did not open");
  g_program->main->show();
  if (!QTest::qWaitForWindowActive(g_program->main.get())) benchdb::die("the main window is not active");
  runSteps({[] { press(Qt::Key_F2); }, [] {}, [] {}});
  if (!saleScreen() || !saleScreen()->txtBar->hasFocus()) benchdb::die("F2 opened no sale screen");
}

// The keys of one sale: its codes, each with Enter; Enter on the empty box to pay; the cash; Enter;
// Enter on Finish, and the box that follows closed.
void ringUpSale(std::deque<std::function<void()>>& steps, const std::vector<int>& lines) {
  for (int p : lines) {
    steps.push_back([p] { type(code(p)); });
    steps.push_back([] { press(Qt::Key_Return); });
  }
  steps.push_back([] { press(Qt::Key_Return); });  // Receive
  steps.push_back([] { type(QStringLiteral("1000")); });
  steps.push_back([] { press(Qt::Key_Return); });  // the amount taken
  steps.push_back([] { press(Qt::Key_Return); });  // Finish
  settle(steps, 1);
}

// The bill list with F6, its day shown with Enter; the day report from the menu, Show All; back to
// the sale screen with F2, which unloads both as they lose the activation.
void visitReports(std::deque<std::function<void()>>& steps) {
  steps.push_back([] { press(Qt::Key_F6); });
  settle(steps);
  steps.push_back([] { press(Qt::Key_Return); });
  settle(steps);
  steps.push_back([] { press(Qt::Key_F2); });
  settle(steps);
  steps.push_back([] { g_program->main->menuItem(QStringLiteral("MSellDay"))->trigger(); });
  settle(steps);
  steps.push_back([] {
    plat::Form* day = plat::FormRegistry::instance().loaded(QStringLiteral("DayReport"));
    if (!day) benchdb::die("the day report did not open");
    auto* show = day->findChild<QAbstractButton*>(QStringLiteral("cmdShow"));
    if (!show) benchdb::die("the day report has no Show All");
    QTest::mouseClick(show, Qt::LeftButton);
  });
  settle(steps);
  steps.push_back([] { press(Qt::Key_F2); });
  settle(steps);
  steps.push_back([] {
    auto& reg = plat::FormRegistry::instance();
    if (reg.loaded(QStringLiteral("BillF")) || reg.loaded(QStringLiteral("DayReport")))
      benchdb::die("a report stayed loaded after F2");
    g_program->display.events.clear();
  });
}

void label(benchmark::State& state, const char* name, const Memory& warm, const Memory& end, double per,
           const char* unit) {
  const double residentGrowth = static_cast<double>(end.residentKb - warm.residentKb) * per / 1024.0;
  const double trimmedGrowth = static_cast<double>(end.trimmedKb - warm.trimmedKb) * per / 1024.0;
  state.counters["MB_warm"] = static_cast<double>(warm.trimmedKb) / 1024.0;
  state.counters["MB_end"] = static_cast<double>(end.trimmedKb) / 1024.0;
  state.counters["MB_growth"] = trimmedGrowth;
  std::printf(
      "\n%s: resident %.1f MB after the warm-up, %.1f MB at the end: %+.2f MB per %s "
      "(after malloc_trim: %.1f -> %.1f MB, %+.2f MB); widgets alive %d -> %d\n",
      name, static_cast<double>(warm.residentKb) / 1024.0, static_cast<double>(end.residentKb) / 1024.0,
      residentGrowth, unit, static_cast<double>(warm.trimmedKb) / 1024.0,
      static_cast<double>(end.trimmedKb) / 1024.0, trimmedGrowth, warm.widgets, end.widgets);
  const auto mb = [per](long a, long b) { return static_cast<double>(b - a) * per / 1024.0; };
  std::printf(
      "  of which anonymous %+.2f MB, file pages %+.2f MB, shared memory %+.2f MB; heap in use %.1f -> %.1f "
      "MB "
      "(%+.2f MB)\n",
      mb(warm.anonKb, end.anonKb), mb(warm.fileKb, end.fileKb), mb(warm.shmemKb, end.shmemKb),
      static_cast<double>(warm.liveKb) / 1024.0, static_cast<double>(end.liveKb) / 1024.0,
      mb(warm.liveKb, end.liveKb));
}

void BM_TillDay(benchmark::State& state) {
  for (auto _ : state) {
    BoxCloser closer;
    std::mt19937 rng(7);
    const long billsBefore =
        data::Conn().scalar(QStringLiteral("SELECT COUNT(DISTINCT Comment) FROM Sell")).toLongLong();
    Memory warm, end;
    std::deque<std::function<void()>> steps;
    for (int n = 1; n <= kSales; ++n) {
      ringUpSale(steps, saleLines(rng));
      if (n % kReportsEvery == 0) visitReports(steps);
      if (n == kWarmUpSales) steps.push_back([&warm] { warm = memoryNow(); });
    }
    steps.push_back([&end] { end = memoryNow(); });
    runSteps(std::move(steps));
    state.PauseTiming();
    const long bills =
        data::Conn().scalar(QStringLiteral("SELECT COUNT(DISTINCT Comment) FROM Sell")).toLongLong() -
        billsBefore;
    if (bills != kSales) benchdb::die("posted " + std::to_string(bills) + " bills, not 1,000");
    for (const QString& t : closer.texts)
      if (t != QLatin1String("Finish")) benchdb::die("a box said: " + t.toStdString());
    if (static_cast<int>(closer.texts.size()) != kSales) benchdb::die("not one Finish box a sale");
    label(state, "BM_TillDay", warm, end, 1000.0 / (kSales - kWarmUpSales), "1,000 sales");
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kSales);
}
BENCHMARK(BM_TillDay)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

// "Pay Again" over and over: one line rung up, Enter to pay; then a short amount typed over the
// selected one, Enter, Enter on Finish, the box closed by an Enter; and the same again.
void BM_PayAgainBoxes(benchmark::State& state) {
  for (auto _ : state) {
    BoxCloser closer;
    Memory warm, end;
    std::deque<std::function<void()>> steps;
    steps.push_back([] { type(code(1)); });
    steps.push_back([] { press(Qt::Key_Return); });
    steps.push_back([] { press(Qt::Key_Return); });  // Receive
    for (int n = 1; n <= kBoxes; ++n) {
      steps.push_back([] { type(QStringLiteral("1")); });
      steps.push_back([] { press(Qt::Key_Return); });  // the amount taken
      steps.push_back([] { press(Qt::Key_Return); });  // Finish: "Pay Again"
      if (n == kWarmUpBoxes) steps.push_back([&warm] { warm = memoryNow(); });
    }
    steps.push_back([&end] { end = memoryNow(); });
    steps.push_back([] { press(Qt::Key_Escape); });  // back to the codes
    steps.push_back([] { saleScreen()->cmdClear->click(); });
    runSteps(std::move(steps));
    state.PauseTiming();
    if (static_cast<int>(closer.texts.size()) != kBoxes) benchdb::die("not one box per Finish");
    for (const QString& t : closer.texts)
      if (t != QLatin1String("Pay Again")) benchdb::die("a box said: " + t.toStdString());
    label(state, "BM_PayAgainBoxes", warm, end, 1000.0 / (kBoxes - kWarmUpBoxes), "1,000 boxes");
    g_program->display.events.clear();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kBoxes);
}
BENCHMARK(BM_PayAgainBoxes)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

// The same bills posted through the C API on a connection of its own: per bill one transaction with
// each line's lot, the next number, the rows and the stock lowered. Its memory is the floor.
void BM_RawTillDay(benchmark::State& state) {
  const QString path = shell::settings().DbPath.toText();
  for (auto _ : state) {
    sqlite3* db = benchdb::openRaw(path);
    sqlite3_stmt* lot = benchdb::prepareRaw(
        db, "SELECT BuyDate, BuyId FROM Buy WHERE PId = ? AND RemainQ > 0 ORDER BY BuyDate LIMIT 1");
    sqlite3_stmt* max = benchdb::prepareRaw(db, "SELECT MAX(Comment) FROM Sell");
    sqlite3_stmt* ins = benchdb::prepareRaw(
        db,
        "INSERT INTO Sell (PID, SellTime, SellDate, BuyDate, BuyId, SQuantity, SPrice, Comment, CustomerId, "
        "Employee, Recieve) VALUES (?, '10:00:00', ?, ?, ?, 1, ?, ?, NULL, 'Admin', 1000)");
    sqlite3_stmt* lower = benchdb::prepareRaw(db, "UPDATE Product SET Quantity = Quantity - 1 WHERE PId = ?");
    const std::string day = plat::today().toString(Qt::ISODate).toStdString();
    std::mt19937 rng(7);
    Memory warm;
    for (int n = 1; n <= kSales; ++n) {
      const std::vector<int> lines = saleLines(rng);
      benchdb::execRaw(db, "BEGIN IMMEDIATE");
      std::vector<std::pair<std::string, std::string>> lots;
      for (int p : lines) {
        benchdb::bindText(lot, 1, code(p).toStdString());
        if (sqlite3_step(lot) != SQLITE_ROW) benchdb::die("no lot");
        lots.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(lot, 0)),
                          reinterpret_cast<const char*>(sqlite3_column_text(lot, 1)));
        sqlite3_reset(lot);
      }
      if (sqlite3_step(max) != SQLITE_ROW) benchdb::die("no bill number");
      const sqlite3_int64 bill = sqlite3_column_int64(max, 0) + 1;
      sqlite3_reset(max);
      for (std::size_t i = 0; i < lines.size(); ++i) {
        benchdb::bindText(ins, 1, code(lines[i]).toStdString());
        benchdb::bindText(ins, 2, day);
        benchdb::bindText(ins, 3, lots[i].first);
        benchdb::bindText(ins, 4, lots[i].second);
        sqlite3_bind_double(ins, 5, 5 + lines[i]);
        sqlite3_bind_int64(ins, 6, bill);
        benchdb::check(db, sqlite3_step(ins), "insert");
        sqlite3_reset(ins);
        benchdb::bindText(lower, 1, code(lines[i]).toStdString());
        benchdb::check(db, sqlite3_step(lower), "lower");
        sqlite3_reset(lower);
      }
      benchdb::execRaw(db, "COMMIT");
      if (n == kWarmUpSales) warm = memoryNow();
    }
    state.PauseTiming();
    const Memory end = memoryNow();
    label(state, "BM_RawTillDay", warm, end, 1000.0 / (kSales - kWarmUpSales), "1,000 sales");
    state.ResumeTiming();
    for (sqlite3_stmt* st : {lot, max, ins, lower}) sqlite3_finalize(st);
    sqlite3_close(db);
  }
  state.SetItemsProcessed(state.iterations() * kSales);
}
BENCHMARK(BM_RawTillDay)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

}  // namespace

// The program closed as at the end of the day: every window unloaded, the main window gone.
void closeProgram() {
  if (!g_program) return;
  plat::FormRegistry::instance().unloadAll();
  g_program->main.reset();
  QApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  plat::setSerialFactory({});
  delete g_program;
  g_program = nullptr;
}

int main(int argc, char** argv) {
  return benchdb::runBenchmarks(argc, argv, prepareProgram, {{"BM_TillDay", "BM_RawTillDay"}}, closeProgram);
}
