// The purchase period reports on a shop of two years (100,000 products, 200,000 purchase lines, one
// million sale lines): Show All of a day, a month and a year, through the window and as the rows
// made ready, each against the raw SQLite statement of the same work through the C API in the same
// run, and Show of chosen categories of a day, a month and a year against the quicker of two
// independent raw reads of the same rows.
// The raw side also runs on the schema before the date-and-product index of Buy, and on a
// product-first covering index instead, which shows which index serves the reads best.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <string>

#include "data/db.h"
#include "platform/dialogs.h"
#include "purchase/buy_period_reports.h"
#include "shell/session.h"
#include "support/harness.h"
#include "support/periods.h"
#include "support/scripted_dialogs.h"
#include "support/shop_db.h"

namespace {

using namespace benchdb;

QString g_before;        // the shop without BuyByDateProduct
QString g_productFirst;  // the shop with Buy (PId, BuyDate, BQuantity, BPrice) in its place

// The statement Show All runs, as the report builds it for Buy.
const char* kShowAllSql =
    "SELECT COALESCE(p.PId, s.k), p.PId IS NOT NULL, p.PName, p.ProNoun, p.CID, c.CateID IS NOT NULL, "
    "c.CateName, s.q, s.v "
    "FROM (SELECT PId AS k, SUM(BQuantity) AS q, SUM(BQuantity * BPrice) AS v FROM Buy "
    "WHERE BuyDate BETWEEN ? AND ? GROUP BY PId) AS s "
    "LEFT JOIN Product AS p ON p.PId = s.k LEFT JOIN Category AS c ON c.CateID = p.CID";

// The query, the summary (categories, rows, total) and the cell texts of a Show All.
void BM_BuyShowAllRows(benchmark::State& state) {
  showAllRows(state, reportkit::PeriodSource::purchases(), false);
}

// The window's Show All: the grid, both category lists and the three total boxes.
void BM_BuyShowAllWindow(benchmark::State& state) {
  showAllWindow<purchase::BuyDayReport, purchase::MoBuyForm, purchase::YrBuyReport>(state);
}

// The same, the window shown: each show runs until its grid has painted the rows.
void BM_BuyShowAllPaintedWindow(benchmark::State& state) {
  showAllWindow<purchase::BuyDayReport, purchase::MoBuyForm, purchase::YrBuyReport>(state, true);
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

void rawBuyShowAll(benchmark::State& state, const QString& path, const char* sql = kShowAllSql) {
  rawShowAll(state, path, sql, [sql](sqlite3* db) { return planOf(db, sql); });
}

void BM_RawBuyShowAll(benchmark::State& state) { rawBuyShowAll(state, shopDatabase()); }
// Information only: the raw read with the least paint of the rows the window shows.
void BM_RawBuyShowAllMinimalPaint(benchmark::State& state) {
  rawShowAllMinimalPaint<purchase::BuyDayReport>(state, shopDatabase(), kShowAllSql);
}
void BM_RawBuyShowAllBefore(benchmark::State& state) { rawBuyShowAll(state, g_before); }
// The planner would not take the product-first index for a range of days: the statement names it.
void BM_RawBuyShowAllProductFirst(benchmark::State& state) {
  static const std::string sql = [] {
    std::string s = kShowAllSql;
    s.replace(s.find("FROM Buy "), 9, "FROM Buy INDEXED BY BuyByProductDateAmount ");
    return s;
  }();
  rawBuyShowAll(state, g_productFirst, sql.c_str());
}

// Show of chosen categories of a day, a month or a year (the first argument), the second how many of
// the 20: the rows made ready as the window narrows them, and the window's Show of them.
void BM_BuyShowCategoriesRows(benchmark::State& state) {
  showCategoriesRows(state, reportkit::PeriodSource::purchases());
}

void BM_RawBuyShowCategoriesLinesFirst(benchmark::State& state) {
  rawShowCategoriesLinesFirst(state, reportkit::PeriodSource::purchases());
}
void BM_RawBuyShowCategoriesSumsFirst(benchmark::State& state) {
  rawShowCategoriesSumsFirst(state, reportkit::PeriodSource::purchases());
}

void BM_BuyWindowShowCategories(benchmark::State& state) {
  showCategoriesWindow<purchase::BuyDayReport, purchase::MoBuyForm, purchase::YrBuyReport>(state);
}

// The purchase year window on the shop, loaded (and shown once when shown is set); the shared
// connection is open while it lives.
struct BuyYearWindow {
  explicit BuyYearWindow(bool shown) {
    shell::session().userName = QStringLiteral("Admin");
    data::Conn().open(shopDatabase());
    loadYear(f, shown);
  }
  ~BuyYearWindow() { data::Conn().close(); }
  BuyYearWindow(const BuyYearWindow&) = delete;
  BuyYearWindow& operator=(const BuyYearWindow&) = delete;

  plat::ScriptedDialogs dialogs;
  purchase::YrBuyReport f;
};

void BM_BuyYearWindowShowAll(benchmark::State& state) {
  BuyYearWindow w(false);
  for (auto _ : state) w.f.showAll();
  state.SetLabel("year, " + std::to_string(w.f.RowCount) + " rows");
}

#define PERIODS DenseRange(0, 2)->Unit(benchmark::kMillisecond)->UseRealTime()
BENCHMARK(BM_BuyShowAllRows)->PERIODS;
BENCHMARK(BM_BuyShowAllWindow)->PERIODS;
BENCHMARK(BM_BuyShowAllPaintedWindow)->PERIODS;
BENCHMARK(BM_RawBuyShowAll)->PERIODS;
BENCHMARK(BM_RawBuyShowAllMinimalPaint)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RawBuyShowAllBefore)->PERIODS;
BENCHMARK(BM_RawBuyShowAllProductFirst)->PERIODS;
BENCHMARK(BM_BuyShowCategoriesRows)->Apply(categoryArguments);
BENCHMARK(BM_RawBuyShowCategoriesLinesFirst)->Apply(categoryArguments);
BENCHMARK(BM_RawBuyShowCategoriesSumsFirst)->Apply(categoryArguments);
BENCHMARK(BM_BuyWindowShowCategories)->Apply(categoryArguments);
// The year's Show All beside its Show of all 20.
BENCHMARK(BM_BuyYearWindowShowAll)
    ->ArgNames({"period", "categories"})
    ->Args({2, 20})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  return runBenchmarks(
      argc, argv,
      [] {
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
            "INSERT INTO sqlite_stat1 (tbl, idx, stat) VALUES ('Buy', 'BuyByProductDateAmount', '200000 2 1 "
            "1 1')");
        sqlite3_close(db);
      },
      {{"BM_BuyShowAllRows", "BM_RawBuyShowAll"},
       {"BM_BuyShowAllWindow", "BM_RawBuyShowAll"},
       {"BM_BuyShowAllPaintedWindow", "BM_RawBuyShowAll"},
       {"BM_BuyShowAllPaintedWindow", "BM_RawBuyShowAllMinimalPaint"},
       {"BM_BuyShowCategoriesRows", "BM_RawBuyShowCategoriesLinesFirst", "BM_RawBuyShowCategoriesSumsFirst"},
       {"BM_BuyWindowShowCategories", "BM_RawBuyShowCategoriesLinesFirst",
        "BM_RawBuyShowCategoriesSumsFirst"},
       {"BM_BuyWindowShowCategories", "BM_BuyYearWindowShowAll"}});
}
