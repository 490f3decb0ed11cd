// The profit analysis over a year of a shop's trade (100,000 products, 200,000 lots, one million
// sale lines over two years): the figures of every product as the analysis gathers them, against
// the same statement stepped through the SQLite C API in the same run.
#include <benchmark/benchmark.h>

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

void BM_RawProfitShowAll(benchmark::State& state) {
  sqlite3* db = benchdb::openRaw(benchdb::shopDatabase());
  sqlite3_stmt* st = benchdb::prepareRaw(db, reports::allProductsStatement().toUtf8().constData());
  benchdb::bindText(st, 1, "2024-01-01");
  benchdb::bindText(st, 2, "2024-12-31");
  for (auto _ : state) benchmark::DoNotOptimize(benchdb::drain(st));
  sqlite3_finalize(st);
  sqlite3_close(db);
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

}  // namespace

int main(int argc, char** argv) {
  // The shop is built before any timing.
  return benchdb::runBenchmarks(argc, argv, [] { benchdb::shopDatabase(); },
                                {{"BM_ProfitShowAll", "BM_RawProfitShowAll"}});
}
