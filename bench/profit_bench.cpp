// The profit analysis over a year of a shop's trade (100,000 products, 200,000 lots, one million
// sale lines over two years): the figures of every product as the analysis gathers them, against
// an independent raw read of the same figures through the SQLite C API in the same run.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <string>

#include "data/db.h"
#include "reports/profit_analysis.h"
#include "support/harness.h"
#include "support/shop_db.h"

namespace {

const QDate kFrom(2024, 1, 1);
const QDate kTo(2024, 12, 31);

void BM_ProfitShowAll(benchmark::State& state) {
  data::Conn().open(benchdb::shopDatabase());
  for (auto _ : state) benchmark::DoNotOptimize(reports::profitOfAllProducts(kFrom, kTo));
  data::Conn().close();
}

// The same figures read straight, written here rather than taken from the analysis: sales per
// product of the year, each product's latest purchase price; with categories, only theirs.
std::string rawFigures(int categories) {
  std::string marks;
  for (int i = 0; i < categories; ++i) marks += i ? ",?" : "?";
  const std::string inSales =
      categories ? " AND +PID IN (SELECT PId FROM Product WHERE CID IN (" + marks + "))" : "";
  const std::string inProducts =
      categories ? " WHERE p.CID IN (" + marks + ") AND EXISTS (SELECT 1 FROM Buy WHERE Buy.PId = p.PId)"
                 : "";
  return "SELECT p.PId, p.PName, t.income, t.qty, (SELECT BPrice FROM Buy WHERE Buy.PId = p.PId "
         "ORDER BY BuyDate DESC, BuyTime DESC, rowid DESC LIMIT 1) FROM Product p LEFT JOIN "
         "(SELECT PID, SUM(SQuantity * SPrice) AS income, SUM(SQuantity) AS qty FROM Sell "
         "WHERE SellDate BETWEEN ? AND ? AND SQuantity <> 0 AND SPrice IS NOT NULL" +
         inSales + " GROUP BY PID) t ON t.PID = p.PId" + inProducts +
         (categories ? " ORDER BY p.CID, p.PId" : " ORDER BY p.PId");
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
  for (int twice = 0; twice < 2; ++twice)
    for (int i = 0; i < categories; ++i)
      benchdb::bindText(st, 3 + twice * categories + i, ids[i].toStdString());
  long long rows = 0;
  for (auto _ : state) rows = benchdb::drain(st);
  sqlite3_finalize(st);
  sqlite3_close(db);
  state.SetLabel(std::to_string(rows) + " rows");
}

void BM_RawProfitShowAll(benchmark::State& state) { rawFiguresRun(state, 0); }

// Show of chosen categories: the argument is how many of the 20.
void BM_ProfitCategories(benchmark::State& state) {
  data::Conn().open(benchdb::shopDatabase());
  const QStringList ids = chosen(static_cast<int>(state.range(0)));
  long long rows = 0;
  for (auto _ : state) rows = reports::profitOfCategories(ids, kFrom, kTo).size();
  data::Conn().close();
  state.SetLabel(std::to_string(rows) + " rows");
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

BENCHMARK(BM_ProfitShowAll)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RawProfitShowAll)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ProfitOneCategory)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ProfitCategories)->Arg(1)->Arg(3)->Arg(20)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RawProfitCategories)->Arg(1)->Arg(3)->Arg(20)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  // The shop is built before any timing.
  return benchdb::runBenchmarks(
      argc, argv, [] { benchdb::shopDatabase(); },
      {{"BM_ProfitShowAll", "BM_RawProfitShowAll"}, {"BM_ProfitCategories", "BM_RawProfitCategories"}});
}
