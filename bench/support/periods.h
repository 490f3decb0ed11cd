#pragma once
// What the sales and purchase period benches share: the periods they read and the measuring of a
// Show All, as rows made ready, as the window's, and as the raw statement stepped through the C API.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QLineEdit>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>
#include <memory>
#include <string>

#include "data/dates.h"
#include "data/db.h"
#include "platform/dialogs.h"
#include "platform/flexgrid.h"
#include "reportkit/period_query.h"
#include "reportkit/period_report.h"
#include "support/scripted_dialogs.h"
#include "support/shop_db.h"

namespace benchdb {

// The period of a benchmark's argument: 0 the day 2024-06-14, 1 its month, 2 its year.
data::DateRange periodRange(int period);
std::string periodName(int period);

// The query, the summary and the cell texts of a Show All of the period, on the shop database.
// A day's show also lists products without a category row.
void showAllRows(benchmark::State& state, const reportkit::PeriodSource& source, bool skipZeroQuantity);

// The window's Show All, the period already chosen; the label tells its rows, its total and the
// memory the shows took. Painted: the window is shown and each show runs until its grid is painted.
void measureShowAll(benchmark::State& state, reportkit::PeriodReport& window, bool painted = false);

// The day, month or year window of the period, loaded, its period chosen.
template <class DayWindow, class MonthWindow, class YearWindow>
std::unique_ptr<reportkit::PeriodReport> periodWindow(int period) {
  if (period == 0) {
    auto* d = new DayWindow;
    d->Form_Load();
    d->DTPDate1->setDate(QDate(2024, 6, 14));
    return std::unique_ptr<reportkit::PeriodReport>(d);
  }
  if (period == 1) {
    auto* m = new MonthWindow;
    m->Form_Load();
    m->comMo->setCurrentIndex(m->comMo->findText(QStringLiteral("06/2024")));
    m->choosePeriod();
    return std::unique_ptr<reportkit::PeriodReport>(m);
  }
  auto* y = new YearWindow;
  y->Form_Load();
  y->txtYear->setText(QStringLiteral("2024"));
  return std::unique_ptr<reportkit::PeriodReport>(y);
}

// The Show All of the day, month or year window of the period, on the shop database.
template <class DayWindow, class MonthWindow, class YearWindow>
void showAllWindow(benchmark::State& state, bool painted = false) {
  const int period = static_cast<int>(state.range(0));
  data::Conn().open(shopDatabase());
  plat::ScriptedDialogs dialogs;
  std::unique_ptr<reportkit::PeriodReport> f = periodWindow<DayWindow, MonthWindow, YearWindow>(period);
  measureShowAll(state, *f, painted);
  f.reset();
  data::Conn().close();
}

// The statement with the period's two dates bound, stepped to its end with every column read; the
// label tells the rows and what note says of the connection afterwards.
void rawShowAll(benchmark::State& state, const QString& path, const char* sql,
                const std::function<std::string(sqlite3*)>& note = {});

// For information beside rawShowAll: the same statement stepped to its end, then the rows that fit
// in the grid of the day window shown (its viewport, row height and column widths) painted as
// plain texts over a white fill into an image of that size: the least a painted show can cost.
template <class DayWindow>
void rawShowAllMinimalPaint(benchmark::State& state, const QString& path, const char* sql);
void rawShowAllMinimalPaint(benchmark::State& state, const QString& path, const char* sql, QSize viewport,
                            int rowHeight, const QVector<int>& columnWidths);

template <class DayWindow>
void rawShowAllMinimalPaint(benchmark::State& state, const QString& path, const char* sql) {
  QSize viewport;
  int rowHeight = 0;
  QVector<int> widths;
  {
    data::Conn().open(shopDatabase());
    plat::ScriptedDialogs dialogs;
    DayWindow d;
    d.Form_Load();
    d.show();
    d.showAll();
    QApplication::processEvents();
    viewport = d.FGrid->viewport()->size();
    rowHeight = d.FGrid->verticalHeader()->defaultSectionSize();
    for (int c = 0; c < d.FGrid->Cols(); ++c) widths << d.FGrid->columnWidth(c);
  }
  data::Conn().close();
  rawShowAllMinimalPaint(state, path, sql, viewport, rowHeight, widths);
}

// The rows of a Show of the first n categories (the second argument) of the period (the first), made
// ready as the window narrows them; the label tells the narrowing chosen.
void showCategoriesRows(benchmark::State& state, const reportkit::PeriodSource& source);

// The first n of the shop's 20 categories, "C01".."C<n>".
QStringList firstCategories(int n);

// A year window loaded for 2024 on the shop database (already open) and, when shown is set, shown
// once, so its category list and combo hold the year's categories.
void loadYear(reportkit::PeriodReport& window, bool shown);

// The window's Show of the first n categories of its list (n the second argument).
void measureShowCategories(benchmark::State& state, reportkit::PeriodReport& window);

// The day, month or year window of the period (the first argument), its category list filled by a
// Show All, and its Show of the first n categories (the second argument) measured.
template <class DayWindow, class MonthWindow, class YearWindow>
void showCategoriesWindow(benchmark::State& state) {
  const int period = static_cast<int>(state.range(0));
  data::Conn().open(shopDatabase());
  plat::ScriptedDialogs dialogs;
  std::unique_ptr<reportkit::PeriodReport> f = periodWindow<DayWindow, MonthWindow, YearWindow>(period);
  f->showAll();
  measureShowCategories(state, *f);
  f.reset();
  data::Conn().close();
}

// The rows of that Show read straight, written here: the period's lines (the first argument) of
// the first n categories (the second) summed per product with its name and unit, by one of two
// reads. Lines first: the lines narrowed to the categories' products as they are read, then summed.
// Sums first: the period summed per product, the products narrowed to the categories at the join.
// The quicker of the two is what a Show is compared with.
void rawShowCategoriesLinesFirst(benchmark::State& state, const reportkit::PeriodSource& source);
void rawShowCategoriesSumsFirst(benchmark::State& state, const reportkit::PeriodSource& source);

// Ends the run when a raw read of work has not as many rows as the program's of the same work.
void checkRows(const std::string& work, long long raw, long long program);

// The arguments of the category benchmarks: each period with 1, 3 and all 20 categories.
void categoryArguments(benchmark::internal::Benchmark* b);

}  // namespace benchdb
