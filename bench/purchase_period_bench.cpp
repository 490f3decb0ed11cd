// The purchase period reports on a shop of two years (100,000 products, 200,000 purchase lines, one
// million sale lines): Show All of a day, a month and a year, through the window and as the rows
// made ready, each against the raw SQLite statement of the same work through the C API in the same
// run. The raw side also runs on the schema before the date-and-product index of Buy, and on a
// product-first covering index instead, which shows which index serves the reads best.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <string>

#include "data/db.h"
#include "platform/dialogs.h"
#include "purchase/buy_period_reports.h"
#include "reportkit/period_query.h"
#include "support/shop_db.h"

namespace {

using namespace benchdb;

QString g_before;        // the shop without BuyByDateProduct
QString g_productFirst;  // the shop with Buy (PId, BuyDate, BQuantity, BPrice) in its place

data::DateRange rangeOf(int period) {
  switch (period) {
    case 0:
      return {"2024-06-14", "2024-06-14"};
    case 1:
      return data::monthRange(2024, 6);
    default:
      return data::yearRange(2024);
  }
}
std::string periodName(int period) {
  static const char* names[] = {"day", "month", "year"};
  return names[period];
}

// The statement Show All runs, as the report builds it for Buy.
const char* kShowAllSql =
    "SELECT COALESCE(p.PId, s.k), p.PId IS NOT NULL, p.PName, p.ProNoun, p.CID, c.CateID IS NOT NULL, "
    "c.CateName, s.q, s.v "
    "FROM (SELECT PId AS k, SUM(BQuantity) AS q, SUM(BQuantity * BPrice) AS v FROM Buy "
    "WHERE BuyDate BETWEEN ? AND ? GROUP BY PId) AS s "
    "LEFT JOIN Product AS p ON p.PId = s.k LEFT JOIN Category AS c ON c.CateID = p.CID";

// The query, the summary (categories, rows, total) and the cell texts of a Show All.
void BM_BuyShowAllRows(benchmark::State& state) {
  const int period = static_cast<int>(state.range(0));
  data::Conn().open(shopDatabase());
  const reportkit::PeriodScope scope{rangeOf(period), std::nullopt};
  long long rows = 0;
  for (auto _ : state) {
    const auto products =
        reportkit::periodProducts(data::Conn(), reportkit::PeriodSource::purchases(), scope);
    const auto summary = reportkit::summarize(products, {period != 0, false});
    const auto texts = reportkit::periodRowTexts(summary.rows);
    rows = texts.size();
    benchmark::DoNotOptimize(texts);
  }
  data::Conn().close();
  state.SetLabel(periodName(period) + ", " + std::to_string(rows) + " rows");
}

// The process's resident memory in kB, from /proc.
long residentKb() {
  QFile f(QStringLiteral("/proc/self/status"));
  if (!f.open(QIODevice::ReadOnly)) return 0;
  for (const QByteArray& line : f.readAll().split('\n'))
    if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').first().toLong();
  return 0;
}

// The window's Show All: the grid, both category lists and the three total boxes.
void BM_BuyShowAllWindow(benchmark::State& state) {
  const int period = static_cast<int>(state.range(0));
  data::Conn().open(shopDatabase());
  plat::ScriptedDialogs dialogs;
  std::unique_ptr<reportkit::PeriodReport> f;
  if (period == 0) {
    auto* d = new purchase::BuyDayReport;
    d->Form_Load();
    d->DTPDate1->setDate(QDate(2024, 6, 14));
    f.reset(d);
  } else if (period == 1) {
    auto* m = new purchase::MoBuyForm;
    m->Form_Load();
    m->comMo->setCurrentIndex(m->comMo->findText(QStringLiteral("06/2024")));
    m->choosePeriod();
    f.reset(m);
  } else {
    auto* y = new purchase::YrBuyReport;
    y->Form_Load();
    y->txtYear->setText(QStringLiteral("2024"));
    f.reset(y);
  }
  const long before = residentKb();
  for (auto _ : state) f->showAll();
  state.SetLabel(periodName(period) + ", " + std::to_string(f->RowCount) + " rows, total " +
                 f->txtTotal->text().toStdString() + ", " + std::to_string((residentKb() - before) / 1024) +
                 " MB more resident");
  f.reset();
  data::Conn().close();
}

// The plan SQLite picks for the statement's read of Buy.
std::string planOf(sqlite3* db, const char* sql) {
  sqlite3_stmt* st = prepareRaw(db, (std::string("EXPLAIN QUERY PLAN ") + sql).c_str());
  std::string plan;
  while (sqlite3_step(st) == SQLITE_ROW) {
    const std::string step = reinterpret_cast<const char*>(sqlite3_column_text(st, 3));
    if (step.find(" Buy ") == std::string::npos && step.find("B-TREE") == std::string::npos) continue;
    if (!plan.empty()) plan += "; ";
    plan += step;
  }
  sqlite3_finalize(st);
  return plan;
}

void rawShowAll(benchmark::State& state, const QString& path, const char* sql = kShowAllSql) {
  const int period = static_cast<int>(state.range(0));
  sqlite3* db = openRaw(path);
  sqlite3_stmt* st = prepareRaw(db, sql);
  const data::DateRange r = rangeOf(period);
  long long rows = 0;
  for (auto _ : state) {
    bindText(st, 1, r.from.toStdString());
    bindText(st, 2, r.to.toStdString());
    rows = drain(st);
  }
  sqlite3_finalize(st);
  state.SetLabel(periodName(period) + ", " + std::to_string(rows) + " rows; " + planOf(db, sql));
  sqlite3_close(db);
}

void BM_RawBuyShowAll(benchmark::State& state) { rawShowAll(state, shopDatabase()); }
void BM_RawBuyShowAllBefore(benchmark::State& state) { rawShowAll(state, g_before); }
// The planner would not take the product-first index for a range of days: the statement names it.
void BM_RawBuyShowAllProductFirst(benchmark::State& state) {
  static const std::string sql = [] {
    std::string s = kShowAllSql;
    s.replace(s.find("FROM Buy "), 9, "FROM Buy INDEXED BY BuyByProductDateAmount ");
    return s;
  }();
  rawShowAll(state, g_productFirst, sql.c_str());
}

#define PERIODS DenseRange(0, 2)->Unit(benchmark::kMillisecond)->UseRealTime()
BENCHMARK(BM_BuyShowAllRows)->PERIODS;
BENCHMARK(BM_BuyShowAllWindow)->PERIODS;
BENCHMARK(BM_RawBuyShowAll)->PERIODS;
BENCHMARK(BM_RawBuyShowAllBefore)->PERIODS;
BENCHMARK(BM_RawBuyShowAllProductFirst)->PERIODS;

}  // namespace

int main(int argc, char** argv) {
  static QTemporaryDir home;
  qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  std::fprintf(stderr, "building the shop database...\n");
  g_before = copyOf(shopDatabase(), QStringLiteral("buy-period-before.db"));
  sqlite3* db = openRaw(g_before);
  execRaw(db, "DROP INDEX BuyByDateProduct");
  execRaw(db, "DELETE FROM sqlite_stat1 WHERE idx = 'BuyByDateProduct'");
  sqlite3_close(db);
  g_productFirst = copyOf(g_before, QStringLiteral("buy-period-product-first.db"));
  db = openRaw(g_productFirst);
  execRaw(db, "CREATE INDEX BuyByProductDateAmount ON Buy (PId, BuyDate, BQuantity, BPrice)");
  execRaw(
      db,
      "INSERT INTO sqlite_stat1 (tbl, idx, stat) VALUES ('Buy', 'BuyByProductDateAmount', '200000 2 1 1 1')");
  sqlite3_close(db);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  QFile::remove(g_before);
  QFile::remove(g_productFirst);
  return 0;
}
