// The touch picker on a category of 100,000 products among 200,000: the reads of a category change
// (the first 24 products) and of one row down (the next four), beside raw SQLite reading the same
// rows with prepared statements in the same run; each reports the raw time and the ratio. The
// window's benchmark adds the buttons' captions to the reads. BM_RawWholeCategory reads the whole
// category in code order, the cost a picker that loaded every product of the category would pay.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "data/db.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "sale/picker.h"
#include "sale/sell_form.h"
#include "shell/settings.h"

namespace {

constexpr int kProducts = 200000;  // every other code in the big category
QString g_path;

[[noreturn]] void die(const std::string& what) {
  std::fprintf(stderr, "picker_bench: %s\n", what.c_str());
  std::exit(1);
}

QString templatePath() {
  const QString shipped = plat::shippedPath(QStringLiteral("Kelvantorium.db"));
  if (QFileInfo::exists(shipped)) return shipped;
  const QString beside = QCoreApplication::applicationDirPath() + "/../shipped/Kelvantorium.db";
  if (QFileInfo::exists(beside)) return beside;
  die("template database not found; set QUORVANEL_SHIPPED");
}

// Codes inserted out of order, so the category's code order is not the table's order.
QString code(int i) { return QStringLiteral("885%1").arg((i * 7919) % kProducts, 10, 10, QChar('0')); }

void buildDatabase(const QString& path) {
  QFile::remove(path);
  if (!QFile::copy(templatePath(), path)) die("cannot copy the template database");
  QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
  data::Conn().open(path);
  data::Conn().transaction([] {
    data::Conn().exec("INSERT INTO Category (CateID, CateName) VALUES ('A', 'Small'), ('BIG', 'Everything')");
    // The big category is the second button of the strip.
    QSqlQuery q(data::Conn().handle());
    q.prepare(
        "INSERT INTO Product (PId, PName, Price, Price1, Price2, Quantity, CID, ProNoun, PoOrder) "
        "VALUES (?, ?, 10, 10, 10, 1000, ?, 'pcs', 5)");
    for (int i = 0; i < kProducts; ++i) {
      q.bindValue(0, code(i));
      q.bindValue(1, QStringLiteral("Product number %1").arg(i));
      q.bindValue(2, i % 2 ? QStringLiteral("A%1").arg(i % 97) : QStringLiteral("BIG"));
      if (!q.exec()) die("cannot insert a product");
    }
  });
}

sqlite3* openRaw() {
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(g_path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
    die("cannot open the database raw");
  return db;
}

sqlite3_stmt* prepare(sqlite3* db, const char* sql) {
  sqlite3_stmt* st = nullptr;
  if (sqlite3_prepare_v3(db, sql, -1, SQLITE_PREPARE_PERSISTENT, &st, nullptr) != SQLITE_OK)
    die(std::string(sql) + ": " + sqlite3_errmsg(db));
  return st;
}

// Steps st to its end, reading each row's code and name; the last code read.
std::string readRows(sqlite3_stmt* st) {
  std::string last;
  while (sqlite3_step(st) == SQLITE_ROW) {
    last = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
    benchmark::DoNotOptimize(sqlite3_column_text(st, 1));
  }
  sqlite3_reset(st);
  return last;
}

void bind(sqlite3_stmt* st, int i, const std::string& s) {
  sqlite3_bind_text(st, i, s.c_str(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
}

using Clock = std::chrono::steady_clock;

void report(benchmark::State& state, double rawSeconds) {
  const double rawUs = rawSeconds * 1e6 / static_cast<double>(state.iterations());
  state.counters["raw_us"] = rawUs;
  state.counters["ratio"] =
      benchmark::Counter(rawSeconds, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// A category change as the picker reads it: the first 24 products of the big category.
void BM_PickerCategoryChange(benchmark::State& state) {
  sale::ProductWindow products;
  sqlite3* db = openRaw();
  sqlite3_stmt* first = prepare(db, "SELECT PId, PName FROM Product WHERE CID = ? ORDER BY PId LIMIT 24");
  double raw = 0;
  for (auto _ : state) {
    products.show(QStringLiteral("BIG"));
    state.PauseTiming();
    const auto t0 = Clock::now();
    bind(first, 1, "BIG");
    benchmark::DoNotOptimize(readRows(first));
    raw += std::chrono::duration<double>(Clock::now() - t0).count();
    state.ResumeTiming();
  }
  if (products.items().size() != 24) state.SkipWithError("the page was not read");
  report(state, raw);
  sqlite3_finalize(first);
  sqlite3_close(db);
}

// One row down as the picker reads it, wherever the rows stand; back to the top at the end.
void BM_PickerDown(benchmark::State& state) {
  sale::ProductWindow products;
  products.show(QStringLiteral("BIG"));
  sqlite3* db = openRaw();
  sqlite3_stmt* next =
      prepare(db, "SELECT PId, PName FROM Product WHERE CID = ? AND PId > ? ORDER BY PId LIMIT 5");
  double raw = 0;
  for (auto _ : state) {
    state.PauseTiming();
    if (!products.downEnabled()) products.show(QStringLiteral("BIG"));
    const std::string last = products.items().last().code.toStdString();
    state.ResumeTiming();
    products.down();
    state.PauseTiming();
    const auto t0 = Clock::now();
    bind(next, 1, "BIG");
    bind(next, 2, last);
    benchmark::DoNotOptimize(readRows(next));
    raw += std::chrono::duration<double>(Clock::now() - t0).count();
    state.ResumeTiming();
  }
  report(state, raw);
  sqlite3_finalize(next);
  sqlite3_close(db);
}

// The same category change on the picker window: the reads and the 24 buttons' captions.
void BM_PickerWindowCategoryChange(benchmark::State& state) {
  plat::ScriptedDialogs dialogs;
  sale::SellForm form;
  form.Form_Load();
  sqlite3* db = openRaw();
  sqlite3_stmt* first = prepare(db, "SELECT PId, PName FROM Product WHERE CID = ? ORDER BY PId LIMIT 24");
  double raw = 0;
  for (auto _ : state) {
    form.cmdMenu_Click(1);
    state.PauseTiming();
    const auto t0 = Clock::now();
    bind(first, 1, "BIG");
    benchmark::DoNotOptimize(readRows(first));
    raw += std::chrono::duration<double>(Clock::now() - t0).count();
    state.ResumeTiming();
  }
  if (form.cmdPro[23]->text().isEmpty() || !dialogs.shown.empty())
    state.SkipWithError("the page was not shown");
  report(state, raw);
  sqlite3_finalize(first);
  sqlite3_close(db);
}

// The whole category in code order, raw: what reading every product of a category at once costs.
void BM_RawWholeCategory(benchmark::State& state) {
  sqlite3* db = openRaw();
  sqlite3_stmt* all = prepare(db, "SELECT PId, PName FROM Product WHERE CID = ? ORDER BY PId");
  for (auto _ : state) {
    bind(all, 1, "BIG");
    benchmark::DoNotOptimize(readRows(all));
  }
  sqlite3_finalize(all);
  sqlite3_close(db);
}

BENCHMARK(BM_PickerCategoryChange)
    ->UseRealTime()
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_PickerDown)
    ->UseRealTime()
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_PickerWindowCategoryChange)
    ->UseRealTime()
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_RawWholeCategory)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

int main(int argc, char** argv) {
  static QTemporaryDir home;
  qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  QTemporaryDir work;
  if (!work.isValid()) die("cannot make a working folder");
  std::fprintf(stderr, "building the database...\n");
  g_path = work.filePath("picker.db");
  buildDatabase(g_path);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  data::Conn().close();
  return 0;
}
