// The touch picker on a category of 100,000 products among 200,000: the reads of a category change
// (the first 24 products) and of one row down (the next four), beside raw SQLite reading the same
// rows with prepared statements in the same run; each reports the raw time and the ratio. The
// window's benchmark adds the buttons' captions to the reads. BM_RawWholeCategory reads the whole
// category in code order, the cost a picker that loaded every product of the category would pay.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <chrono>
#include <initializer_list>
#include <string>

#include "data/db.h"
#include "platform/dialogs.h"
#include "sale/picker.h"
#include "sale/sell_form.h"
#include "support/harness.h"
#include "support/scripted_dialogs.h"
#include "support/shop_db.h"

namespace {

using benchdb::bindText;
using benchdb::prepareRaw;

// 200,000 products in two categories, inserted out of code order, so the category's code order is
// not the table's order. The big category is the second button of the strip.
benchdb::ShopSize shopSize() {
  benchdb::ShopSize z;
  z.products = 200000;
  z.categories = 2;
  z.lotsPerProduct = 0;
  z.saleLines = 0;
  z.shuffledCodes = true;
  return z;
}
const char* kBig = "C02";
const QString kBigId = QString::fromLatin1(kBig);

sqlite3* openRaw() { return benchdb::openRaw(benchdb::shopDatabase(shopSize())); }

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

// The same rows read raw, outside the benchmark's timing: the seconds it took.
double rawRead(benchmark::State& state, sqlite3_stmt* st, std::initializer_list<std::string> values) {
  state.PauseTiming();
  const auto t0 = std::chrono::steady_clock::now();
  int i = 0;
  for (const std::string& v : values) bindText(st, ++i, v);
  benchmark::DoNotOptimize(readRows(st));
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  state.ResumeTiming();
  return seconds;
}

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
  sqlite3_stmt* first = prepareRaw(db, "SELECT PId, PName FROM Product WHERE CID = ? ORDER BY PId LIMIT 24");
  double raw = 0;
  for (auto _ : state) {
    products.show(kBigId);
    raw += rawRead(state, first, {kBig});
  }
  if (products.items().size() != 24) state.SkipWithError("the page was not read");
  report(state, raw);
  sqlite3_finalize(first);
  sqlite3_close(db);
}

// One row down as the picker reads it, wherever the rows stand; back to the top at the end.
void BM_PickerDown(benchmark::State& state) {
  sale::ProductWindow products;
  products.show(kBigId);
  sqlite3* db = openRaw();
  sqlite3_stmt* next =
      prepareRaw(db, "SELECT PId, PName FROM Product WHERE CID = ? AND PId > ? ORDER BY PId LIMIT 5");
  double raw = 0;
  for (auto _ : state) {
    state.PauseTiming();
    if (!products.downEnabled()) products.show(kBigId);
    const std::string last = products.items().last().code.toStdString();
    state.ResumeTiming();
    products.down();
    raw += rawRead(state, next, {kBig, last});
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
  sqlite3_stmt* first = prepareRaw(db, "SELECT PId, PName FROM Product WHERE CID = ? ORDER BY PId LIMIT 24");
  double raw = 0;
  for (auto _ : state) {
    form.cmdMenu_Click(1);
    raw += rawRead(state, first, {kBig});
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
  sqlite3_stmt* all = prepareRaw(db, "SELECT PId, PName FROM Product WHERE CID = ? ORDER BY PId");
  for (auto _ : state) {
    bindText(all, 1, kBig);
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
  return benchdb::runBenchmarks(argc, argv, [] { data::Conn().open(benchdb::shopDatabase(shopSize())); });
}
