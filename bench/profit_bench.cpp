// The profit analysis over a year of a shop's trade (100,000 products, 200,000 lots, one million
// sale lines over two years): the figures of every product as the analysis gathers them and as its
// window shows them, against an independent raw read of the same figures through the SQLite C API
// in the same run, and against the analysis's own statement stepped alone.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QListWidget>
#include <string>

#include "data/db.h"
#include "platform/dialogs.h"
#include "reports/analyze_form.h"
#include "reports/profit_analysis.h"
#include "support/harness.h"
#include "support/scripted_dialogs.h"
#include "support/shop_db.h"

namespace {

const QDate kFrom(2024, 1, 1);
const QDate kTo(2024, 12, 31);

// A statement stepped to its end through the C API with the year's dates and then the ids bound.
void statementRun(benchmark::State& state, const QString& sql, const QStringList& ids) {
  sqlite3* db = benchdb::openRaw(benchdb::shopDatabase());
  sqlite3_stmt* st = benchdb::prepareRaw(db, sql.toUtf8().constData());
  benchdb::bindText(st, 1, "2024-01-01");
  benchdb::bindText(st, 2, "2024-12-31");
  for (int i = 0; i < ids.size(); ++i) benchdb::bindText(st, 3 + i, ids[i].toStdString());
  long long rows = 0;
  for (auto _ : state) rows = benchdb::drain(st);
  sqlite3_finalize(st);
  sqlite3_close(db);
  state.SetLabel(std::to_string(rows) + " rows");
}

void BM_ProfitShowAll(benchmark::State& state) {
  data::Conn().open(benchdb::shopDatabase());
  for (auto _ : state) benchmark::DoNotOptimize(reports::profitOfAllProducts(kFrom, kTo));
  data::Conn().close();
}

// The same figures read straight, written here rather than taken from the analysis: sales per
// product of the year, each product's latest purchase price; with categories, only theirs (of
// products ever bought), by the quicker of two reads for that many: the sale lines narrowed as they
// are read, or, from half the 20 categories on, the products narrowed after the year is summed.
bool sumsFirst(int categories) { return categories * 2 >= 20; }

std::string rawFigures(int categories) {
  std::string marks;
  for (int i = 0; i < categories; ++i) marks += i ? ",?" : "?";
  const std::string inSales = categories && !sumsFirst(categories)
                                  ? " AND +PID IN (SELECT PId FROM Product WHERE CID IN (" + marks + "))"
                                  : "";
  const std::string cid = sumsFirst(categories) ? "+p.CID" : "p.CID";
  const std::string inProducts = categories ? " WHERE " + cid + " IN (" + marks +
                                                  ") AND EXISTS (SELECT 1 FROM Buy WHERE Buy.PId = p.PId)"
                                            : "";
  return "SELECT p.PId, p.PName, t.income, t.qty, (SELECT BPrice FROM Buy WHERE Buy.PId = p.PId "
         "ORDER BY BuyDate DESC, BuyTime DESC, rowid DESC LIMIT 1) FROM Product p LEFT JOIN "
         "(SELECT PID, SUM(SQuantity * SPrice) AS income, SUM(SQuantity) AS qty FROM Sell "
         "WHERE SellDate BETWEEN ? AND ? AND SQuantity <> 0 AND SPrice IS NOT NULL" +
         inSales + " GROUP BY PID) t ON t.PID = p.PId" + inProducts +
         (categories && !sumsFirst(categories) ? " ORDER BY p.CID, p.PId" : " ORDER BY p.PId");
}

QStringList chosen(int n) {
  QStringList ids;
  for (int i = 1; i <= n; ++i) ids << QString::asprintf("C%02d", i);
  return ids;
}

void rawFiguresRun(benchmark::State& state, int categories) {
  sqlite3* db = benchdb::openRaw(benchdb::shopDatabase());
  sqlite3_stmt* st = benchdb::prepareRaw(db, rawFigures(categories).c_str());
  benchdb::bindText(st, 1, "2024-01-01");
  benchdb::bindText(st, 2, "2024-12-31");
  const QStringList ids = chosen(categories);
  const int times = categories && !sumsFirst(categories) ? 2 : 1;
  for (int twice = 0; twice < times; ++twice)
    for (int i = 0; i < categories; ++i)
      benchdb::bindText(st, 3 + twice * categories + i, ids[i].toStdString());
  long long rows = 0;
  for (auto _ : state) rows = benchdb::drain(st);
  sqlite3_finalize(st);
  sqlite3_close(db);
  state.SetLabel(std::to_string(rows) + " rows");
}

void BM_RawProfitShowAll(benchmark::State& state) { rawFiguresRun(state, 0); }

// The analysis's own statement of Show All alone, through the C API.
void BM_ProfitShowAllStatement(benchmark::State& state) {
  statementRun(state, reports::allProductsStatement(), {});
}

// Show of chosen categories: the argument is how many of the 20, narrowed as the window narrows
// them.
reportkit::CategoryNarrowing narrowingOf(const QStringList& ids) {
  return reportkit::narrowingFor(ids.size(), 20);
}

void BM_ProfitCategories(benchmark::State& state) {
  data::Conn().open(benchdb::shopDatabase());
  const QStringList ids = chosen(static_cast<int>(state.range(0)));
  long long rows = 0;
  for (auto _ : state) rows = reports::profitOfCategories(ids, kFrom, kTo, narrowingOf(ids)).size();
  data::Conn().close();
  state.SetLabel(std::to_string(rows) + " rows");
}

// Its statement alone, the ids bound as the analysis binds them.
void BM_ProfitCategoriesStatement(benchmark::State& state) {
  const QStringList ids = chosen(static_cast<int>(state.range(0)));
  const reportkit::CategoryNarrowing n = narrowingOf(ids);
  statementRun(state, reports::categoriesStatement(static_cast<int>(ids.size()), n),
               n == reportkit::CategoryNarrowing::Sums ? ids : ids + ids);
}

// The analysis window of the year: Show All, and Show of the first n categories of its list, the
// grid and the sums filled.
void analyzeWindow(benchmark::State& state, int categories) {
  data::Conn().open(benchdb::shopDatabase());
  plat::ScriptedDialogs dialogs;
  reports::AnalyzeForm f;
  f.Form_Load();
  f.DTPDate1->setDate(kFrom);
  f.DTPDate2->setDate(kTo);
  for (int i = 0; i < f.LstCate->count(); ++i) f.LstCate->item(i)->setSelected(i < categories);
  const long before = benchdb::residentKb();
  for (auto _ : state) {
    if (categories == 0)
      f.cmdShow_Click();
    else
      f.cmdSh_Click();
  }
  state.SetLabel(std::to_string(f.RowCount) + " rows, profit " + f.txtSumProfit->text().toStdString() + ", " +
                 std::to_string((benchdb::residentKb() - before) / 1024) + " MB more resident");
  data::Conn().close();
}

void BM_AnalyzeWindowShowAll(benchmark::State& state) { analyzeWindow(state, 0); }
void BM_AnalyzeWindowCategories(benchmark::State& state) {
  analyzeWindow(state, static_cast<int>(state.range(0)));
}

void BM_RawProfitCategories(benchmark::State& state) {
  rawFiguresRun(state, static_cast<int>(state.range(0)));
}

void BM_ProfitOneCategory(benchmark::State& state) {
  data::Conn().open(benchdb::shopDatabase());
  for (auto _ : state)
    benchmark::DoNotOptimize(reports::profitOfCategories({QStringLiteral("C07")}, kFrom, kTo));
  data::Conn().close();
}

#define MS Unit(benchmark::kMillisecond)->UseRealTime()
BENCHMARK(BM_ProfitShowAll)->MS;
BENCHMARK(BM_ProfitShowAllStatement)->MS;
BENCHMARK(BM_RawProfitShowAll)->MS;
BENCHMARK(BM_AnalyzeWindowShowAll)->MS;
BENCHMARK(BM_ProfitOneCategory)->MS;
BENCHMARK(BM_ProfitCategories)->Arg(1)->Arg(3)->Arg(20)->MS;
BENCHMARK(BM_ProfitCategoriesStatement)->Arg(1)->Arg(3)->Arg(20)->MS;
BENCHMARK(BM_RawProfitCategories)->Arg(1)->Arg(3)->Arg(20)->MS;
BENCHMARK(BM_AnalyzeWindowCategories)->Arg(1)->Arg(3)->Arg(20)->MS;

}  // namespace

int main(int argc, char** argv) {
  // The shop is built before any timing.
  return benchdb::runBenchmarks(argc, argv, [] { benchdb::shopDatabase(); },
                                {{"BM_ProfitShowAll", "BM_RawProfitShowAll"},
                                 {"BM_AnalyzeWindowShowAll", "BM_RawProfitShowAll"},
                                 {"BM_AnalyzeWindowShowAll", "BM_ProfitShowAllStatement"},
                                 {"BM_ProfitCategories", "BM_RawProfitCategories"},
                                 {"BM_AnalyzeWindowCategories", "BM_RawProfitCategories"},
                                 {"BM_AnalyzeWindowCategories", "BM_ProfitCategoriesStatement"}});
}
