// The sales period reports on a shop of two years (100,000 products, one million sale lines):
// Show All of a day, a month and a year, and the delete of a month, each against the raw SQLite
// statements of the same work through the C API in the same run. Show All is measured twice: the
// rows made ready (query, summary, cell texts) and the whole window filling its grid. The raw side
// runs on the shipped schema and on the schema before the date-and-product index and the planner
// statistics, which shows what they bring.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <string>

#include "data/db.h"
#include "platform/dialogs.h"
#include "platform/flexgrid.h"
#include "reports/sale_period_reports.h"
#include "shell/session.h"
#include "support/harness.h"
#include "support/periods.h"
#include "support/scripted_dialogs.h"
#include "support/shop_db.h"

namespace {

using namespace benchdb;

QString g_before;  // the shop without SellByDateProduct and the statistics

// The statement Show All runs, as the report builds it.
const char* kShowAllSql =
    "SELECT COALESCE(p.PId, s.k), p.PId IS NOT NULL, p.PName, p.ProNoun, p.CID, c.CateID IS NOT NULL, "
    "c.CateName, s.q, s.v "
    "FROM (SELECT PID AS k, SUM(SQuantity) AS q, SUM(SQuantity * SPrice) AS v FROM Sell "
    "WHERE SellDate BETWEEN ? AND ? GROUP BY PID) AS s "
    "LEFT JOIN Product AS p ON p.PId = s.k LEFT JOIN Category AS c ON c.CateID = p.CID";

void BM_ShowAllRows(benchmark::State& state) { showAllRows(state, reportkit::PeriodSource::sales(), true); }

// The window's Show All: the rows above put into its grid, the category list and the totals.
void BM_ShowAllWindow(benchmark::State& state) {
  shell::session().userName = QStringLiteral("Admin");
  showAllWindow<reports::DayReport, reports::MoReport, reports::YearReport>(state);
}

// The same, the window shown: each show runs until its grid has painted the rows.
void BM_ShowAllPaintedWindow(benchmark::State& state) {
  shell::session().userName = QStringLiteral("Admin");
  showAllWindow<reports::DayReport, reports::MoReport, reports::YearReport>(state, true);
}

void BM_RawShowAll(benchmark::State& state) { rawShowAll(state, shopDatabase(), kShowAllSql); }
void BM_RawShowAllBefore(benchmark::State& state) { rawShowAll(state, g_before, kShowAllSql); }
// The bare sums per product, no names.
void BM_RawSums(benchmark::State& state) {
  rawShowAll(state, shopDatabase(),
             "SELECT PID, SUM(SQuantity), SUM(SQuantity * SPrice) FROM Sell WHERE SellDate BETWEEN ? AND ? "
             "GROUP BY PID");
}

// Show of chosen categories of a day, a month or a year (the first argument): the second argument is
// how many of the 20 ("C01".."C<n>"), narrowed as the window narrows a show of them.
void BM_ShowCategoriesRows(benchmark::State& state) {
  showCategoriesRows(state, reportkit::PeriodSource::sales());
}

void BM_RawShowCategoriesLinesFirst(benchmark::State& state) {
  rawShowCategoriesLinesFirst(state, reportkit::PeriodSource::sales());
}
void BM_RawShowCategoriesSumsFirst(benchmark::State& state) {
  rawShowCategoriesSumsFirst(state, reportkit::PeriodSource::sales());
}

// The day's, month's or year's window: its Show of the first n categories chosen in its list.
void BM_WindowShowCategories(benchmark::State& state) {
  shell::session().userName = QStringLiteral("Admin");
  showCategoriesWindow<reports::DayReport, reports::MoReport, reports::YearReport>(state);
}

// The year window of 2024 on the shop, loaded (and shown once when shown is set); the shared
// connection is open while it lives.
struct YearWindow {
  explicit YearWindow(bool shown) {
    shell::session().userName = QStringLiteral("Admin");
    data::Conn().open(shopDatabase());
    loadYear(f, shown);
  }
  ~YearWindow() { data::Conn().close(); }
  YearWindow(const YearWindow&) = delete;
  YearWindow& operator=(const YearWindow&) = delete;

  plat::ScriptedDialogs dialogs;
  reports::YearReport f;
};

void BM_YearWindowShowAll(benchmark::State& state) {
  YearWindow w(false);
  for (auto _ : state) w.f.showAll();
  state.SetLabel("year, " + std::to_string(w.f.RowCount) + " rows");
}

// The year window's pick of one category in its combo.
void BM_YearWindowCategoryPick(benchmark::State& state) {
  YearWindow w(true);               // the year's categories into the combo
  w.f.ComCate->setCurrentIndex(0);  // "C01", as the raw side reads
  for (auto _ : state) w.f.chooseCategory();
  state.SetLabel("year, one category, " + std::to_string(w.f.FGrid->Rows()) + " rows");
}

const data::DateRange kDeleteMonth{"2025-03-01", "2025-03-31"};
constexpr int kMonthLines = 41000;  // a month of this shop

// Lines of a month of the bench's own, refilled before each delete.
void fillDeleteMonth(sqlite3* db) {
  execRaw(db, "BEGIN");
  sqlite3_stmt* sell =
      prepareRaw(db,
                 "INSERT INTO Sell (PID, SellTime, SellDate, SQuantity, SPrice, Comment, Employee, "
                 "Recieve) VALUES (?, '11:00:00', ?, 1, 25, 1, 'Admin', 0)");
  const QDate from = QDate::fromString(kDeleteMonth.from, Qt::ISODate);
  for (int i = 0; i < kMonthLines; ++i) {
    bindText(sell, 1, productCode(i * 7 % 100000));
    bindText(sell, 2, from.addDays(i % 31).toString(Qt::ISODate).toStdString());
    check(db, sqlite3_step(sell), "sell");
    sqlite3_reset(sell);
  }
  sqlite3_finalize(sell);
  execRaw(db, "COMMIT");
}

QString deleteCopy() {
  static const QString path = copyOf(shopDatabase(), QStringLiteral("period-delete.db"));
  return path;
}

void BM_DeleteMonth(benchmark::State& state) {
  sqlite3* raw = openRaw(deleteCopy());
  data::Conn().open(deleteCopy());
  for (auto _ : state) {
    state.PauseTiming();
    fillDeleteMonth(raw);
    state.ResumeTiming();
    if (reportkit::deletePeriod(data::Conn(), reportkit::PeriodSource::sales(), kDeleteMonth) != kMonthLines)
      die("the month's delete");
  }
  data::Conn().close();
  sqlite3_close(raw);
}

void BM_RawDeleteMonth(benchmark::State& state) {
  sqlite3* raw = openRaw(deleteCopy());
  sqlite3_stmt* del = prepareRaw(raw, "DELETE FROM Sell WHERE SellDate BETWEEN ? AND ?");
  for (auto _ : state) {
    state.PauseTiming();
    fillDeleteMonth(raw);
    state.ResumeTiming();
    execRaw(raw, "BEGIN");
    bindText(del, 1, kDeleteMonth.from.toStdString());
    bindText(del, 2, kDeleteMonth.to.toStdString());
    check(raw, sqlite3_step(del), "delete");
    sqlite3_reset(del);
    execRaw(raw, "COMMIT");
  }
  sqlite3_finalize(del);
  sqlite3_close(raw);
}

#define PERIODS DenseRange(0, 2)->Unit(benchmark::kMillisecond)->UseRealTime()
BENCHMARK(BM_ShowAllRows)->PERIODS;
BENCHMARK(BM_ShowAllWindow)->PERIODS;
BENCHMARK(BM_ShowAllPaintedWindow)->PERIODS;
BENCHMARK(BM_RawShowAll)->PERIODS;
BENCHMARK(BM_RawSums)->PERIODS;
BENCHMARK(BM_RawShowAllBefore)->PERIODS;
BENCHMARK(BM_ShowCategoriesRows)->Apply(categoryArguments);
BENCHMARK(BM_RawShowCategoriesLinesFirst)->Apply(categoryArguments);
BENCHMARK(BM_RawShowCategoriesSumsFirst)->Apply(categoryArguments);
BENCHMARK(BM_WindowShowCategories)->Apply(categoryArguments);
// The year's Show All beside its Show of all 20, and the year window's pick of one category.
#define YEAR_OF(n) \
  ArgNames({"period", "categories"})->Args({2, n})->Unit(benchmark::kMillisecond)->UseRealTime()
BENCHMARK(BM_YearWindowShowAll)->YEAR_OF(20);
BENCHMARK(BM_YearWindowCategoryPick)->YEAR_OF(1);
BENCHMARK(BM_DeleteMonth)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);
BENCHMARK(BM_RawDeleteMonth)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

}  // namespace

int main(int argc, char** argv) {
  return runBenchmarks(
      argc, argv,
      [] {
        g_before = copyOf(shopDatabase(), QStringLiteral("period-before.db"));
        sqlite3* db = openRaw(g_before);
        execRaw(db, "DROP INDEX SellByDateProduct");
        execRaw(db, "DELETE FROM sqlite_stat1");
        sqlite3_close(db);
      },
      {{"BM_ShowAllRows", "BM_RawShowAll"},
       {"BM_ShowAllWindow", "BM_RawShowAll"},
       {"BM_ShowAllPaintedWindow", "BM_RawShowAll"},
       {"BM_ShowCategoriesRows", "BM_RawShowCategoriesLinesFirst", "BM_RawShowCategoriesSumsFirst"},
       {"BM_WindowShowCategories", "BM_RawShowCategoriesLinesFirst", "BM_RawShowCategoriesSumsFirst"},
       {"BM_YearWindowCategoryPick", "BM_RawShowCategoriesLinesFirst", "BM_RawShowCategoriesSumsFirst"},
       {"BM_WindowShowCategories", "BM_YearWindowShowAll"},
       {"BM_DeleteMonth", "BM_RawDeleteMonth"}});
}
