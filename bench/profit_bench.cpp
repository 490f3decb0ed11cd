// The profit analysis of a shop's trade (100,000 products, 200,000 lots, one million sale lines over
// two years): the figures of every product over a year, and of chosen categories over a day, a
// month and a year, as the analysis gathers them and as its window shows them, against independent
// raw reads of the same figures through the SQLite C API in the same run, and against the
// analysis's own statement stepped alone.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QListWidget>
#include <string>

#include "data/db.h"
#include "platform/dialogs.h"
#include "reports/analyze_form.h"
#include "reports/profit_analysis.h"
#include "support/harness.h"
#include "support/periods.h"
#include "support/scripted_dialogs.h"
#include "support/shop_db.h"

namespace {

const QDate kFrom(2024, 1, 1);
const QDate kTo(2024, 12, 31);

// The period of a category benchmark's first argument: 0 the day 2024-06-14, 1 its month, 2 its year
// (kFrom to kTo).
std::pair<QDate, QDate> periodOf(int period) {
  if (period == 0) return {QDate(2024, 6, 14), QDate(2024, 6, 14)};
  if (period == 1) return {QDate(2024, 6, 1), QDate(2024, 6, 30)};
  return {kFrom, kTo};
}
std::string iso(const QDate& d) { return d.toString(Qt::ISODate).toStdString(); }

// A statement stepped to its end through the C API with the period's dates and then the ids bound.
void statementRun(benchmark::State& state, const QString& sql, const QStringList& ids, int period = 2) {
  sqlite3* db = benchdb::openRaw(benchdb::shopDatabase());
  sqlite3_stmt* st = benchdb::prepareRaw(db, sql.toUtf8().constData());
  const auto [from, to] = periodOf(period);
  benchdb::bindText(st, 1, iso(from));
  benchdb::bindText(st, 2, iso(to));
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
// product of the period, each product's latest purchase price; with categories, only theirs (of
// products ever bought), by one of two reads: lines first, the sale lines narrowed to the
// categories' products as they are read; sums first, the period summed and the products narrowed
// after. A Show of categories is compared with the quicker of the two.
std::string rawFigures(int categories, bool sumsFirst) {
  std::string marks;
  for (int i = 0; i < categories; ++i) marks += i ? ",?" : "?";
  const std::string inSales =
      categories && !sumsFirst ? " AND +PID IN (SELECT PId FROM Product WHERE CID IN (" + marks + "))" : "";
  const std::string cid = sumsFirst ? "+p.CID" : "p.CID";
  const std::string inProducts = categories ? " WHERE " + cid + " IN (" + marks +
                                                  ") AND EXISTS (SELECT 1 FROM Buy WHERE Buy.PId = p.PId)"
                                            : "";
  return "SELECT p.PId, p.PName, t.income, t.qty, (SELECT BPrice FROM Buy WHERE Buy.PId = p.PId "
         "ORDER BY BuyDate DESC, BuyTime DESC, rowid DESC LIMIT 1) FROM Product p LEFT JOIN "
         "(SELECT PID, SUM(SQuantity * SPrice) AS income, SUM(SQuantity) AS qty FROM Sell "
         "WHERE SellDate BETWEEN ? AND ? AND SQuantity <> 0 AND SPrice IS NOT NULL" +
         inSales + " GROUP BY PID) t ON t.PID = p.PId" + inProducts +
         (categories && !sumsFirst ? " ORDER BY p.CID, p.PId" : " ORDER BY p.PId");
}

QStringList chosen(int n) {
  QStringList ids;
  for (int i = 1; i <= n; ++i) ids << QString::asprintf("C%02d", i);
  return ids;
}

// Show of chosen categories of a day, a month or a year (the first argument) narrows as the window
// narrows them: the second argument is how many of the 20.
reportkit::CategoryNarrowing narrowingOf(const QStringList& ids) {
  return reportkit::narrowingFor(ids.size(), 20);
}

void rawFiguresRun(benchmark::State& state, int categories, bool sumsFirst, int period = 2) {
  sqlite3* db = benchdb::openRaw(benchdb::shopDatabase());
  sqlite3_stmt* st = benchdb::prepareRaw(db, rawFigures(categories, sumsFirst).c_str());
  const auto [from, to] = periodOf(period);
  benchdb::bindText(st, 1, iso(from));
  benchdb::bindText(st, 2, iso(to));
  const QStringList ids = chosen(categories);
  const int times = categories && !sumsFirst ? 2 : 1;
  for (int twice = 0; twice < times; ++twice)
    for (int i = 0; i < categories; ++i)
      benchdb::bindText(st, 3 + twice * categories + i, ids[i].toStdString());
  long long rows = 0;
  for (auto _ : state) rows = benchdb::drain(st);
  sqlite3_finalize(st);
  sqlite3_close(db);
  // The same rows as the analysis gathers, or the ratio means nothing.
  data::Conn().open(benchdb::shopDatabase());
  const auto program = categories ? reports::profitOfCategories(ids, from, to, narrowingOf(ids))
                                  : reports::profitOfAllProducts(from, to);
  data::Conn().close();
  benchdb::checkRows(benchdb::periodName(period) + ", " + std::to_string(categories) + " categories", rows,
                     program.size());
  state.SetLabel(std::to_string(rows) + " rows");
}

void BM_RawProfitShowAll(benchmark::State& state) { rawFiguresRun(state, 0, true); }

// The analysis's own statement of Show All alone, through the C API.
void BM_ProfitShowAllStatement(benchmark::State& state) {
  statementRun(state, reports::allProductsStatement(), {});
}

void BM_ProfitCategories(benchmark::State& state) {
  data::Conn().open(benchdb::shopDatabase());
  const auto [from, to] = periodOf(static_cast<int>(state.range(0)));
  const QStringList ids = chosen(static_cast<int>(state.range(1)));
  long long rows = 0;
  for (auto _ : state) rows = reports::profitOfCategories(ids, from, to, narrowingOf(ids)).size();
  data::Conn().close();
  state.SetLabel(std::to_string(rows) + " rows");
}

// Its statement alone, the ids bound as the analysis binds them.
void BM_ProfitCategoriesStatement(benchmark::State& state) {
  const QStringList ids = chosen(static_cast<int>(state.range(1)));
  const reportkit::CategoryNarrowing n = narrowingOf(ids);
  statementRun(state, reports::categoriesStatement(static_cast<int>(ids.size()), n),
               n == reportkit::CategoryNarrowing::Sums ? ids : ids + ids, static_cast<int>(state.range(0)));
}

// The analysis window of the year: Show All, and Show of the first n categories of its list over a
// day, a month or a year, the grid and the sums filled.
void analyzeWindow(benchmark::State& state, int categories, int period = 2) {
  data::Conn().open(benchdb::shopDatabase());
  plat::ScriptedDialogs dialogs;
  reports::AnalyzeForm f;
  f.Form_Load();
  const auto [from, to] = periodOf(period);
  f.DTPDate1->setDate(from);
  f.DTPDate2->setDate(to);
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
  analyzeWindow(state, static_cast<int>(state.range(1)), static_cast<int>(state.range(0)));
}

void BM_RawProfitCategoriesLinesFirst(benchmark::State& state) {
  rawFiguresRun(state, static_cast<int>(state.range(1)), false, static_cast<int>(state.range(0)));
}
void BM_RawProfitCategoriesSumsFirst(benchmark::State& state) {
  rawFiguresRun(state, static_cast<int>(state.range(1)), true, static_cast<int>(state.range(0)));
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
BENCHMARK(BM_ProfitCategories)->Apply(benchdb::categoryArguments);
BENCHMARK(BM_ProfitCategoriesStatement)->Apply(benchdb::categoryArguments);
BENCHMARK(BM_RawProfitCategoriesLinesFirst)->Apply(benchdb::categoryArguments);
BENCHMARK(BM_RawProfitCategoriesSumsFirst)->Apply(benchdb::categoryArguments);
BENCHMARK(BM_AnalyzeWindowCategories)->Apply(benchdb::categoryArguments);

}  // namespace

int main(int argc, char** argv) {
  // The shop is built before any timing.
  return benchdb::runBenchmarks(
      argc, argv, [] { benchdb::shopDatabase(); },
      {{"BM_ProfitShowAll", "BM_RawProfitShowAll"},
       {"BM_AnalyzeWindowShowAll", "BM_RawProfitShowAll"},
       {"BM_AnalyzeWindowShowAll", "BM_ProfitShowAllStatement"},
       {"BM_ProfitCategories", "BM_RawProfitCategoriesLinesFirst", "BM_RawProfitCategoriesSumsFirst"},
       {"BM_AnalyzeWindowCategories", "BM_RawProfitCategoriesLinesFirst", "BM_RawProfitCategoriesSumsFirst"},
       {"BM_AnalyzeWindowCategories", "BM_ProfitCategoriesStatement"}});
}
