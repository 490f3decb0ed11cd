#include "support/periods.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <optional>

#include "data/db.h"
#include "platform/flexgrid.h"
#include "reportkit/period_report.h"
#include "support/harness.h"
#include "support/shop_db.h"

namespace benchdb {

data::DateRange periodRange(int period) {
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

void showAllRows(benchmark::State& state, const reportkit::PeriodSource& source, bool skipZeroQuantity) {
  const int period = static_cast<int>(state.range(0));
  data::Conn().open(shopDatabase());
  const reportkit::PeriodScope scope{periodRange(period), std::nullopt};
  long long rows = 0;
  for (auto _ : state) {
    const auto products = reportkit::periodProducts(data::Conn(), source, scope);
    const auto summary = reportkit::summarize(products, {period != 0, skipZeroQuantity});
    const auto texts = reportkit::periodRowTexts(summary.rows);
    rows = texts.size();
    benchmark::DoNotOptimize(texts);
  }
  data::Conn().close();
  state.SetLabel(periodName(period) + ", " + std::to_string(rows) + " rows");
}

namespace {

// Counts the paint events a widget gets.
class PaintCount : public QObject {
 public:
  explicit PaintCount(QWidget* w) : w_(w) { w_->installEventFilter(this); }
  ~PaintCount() override { w_->removeEventFilter(this); }
  int n = 0;

 protected:
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint) ++n;
    return false;
  }

 private:
  QWidget* w_;
};

}  // namespace

void measureShowAll(benchmark::State& state, reportkit::PeriodReport& window, bool painted) {
  std::optional<PaintCount> gridPaints;
  if (painted) {
    window.show();
    QApplication::processEvents();
    gridPaints.emplace(window.FGrid->viewport());
  }
  const long before = residentKb();
  for (auto _ : state) {
    const int paintsBefore = gridPaints ? gridPaints->n : 0;
    window.showAll();
    if (!painted) continue;
    // Until the grid has painted the rows it shows.
    QElapsedTimer t;
    t.start();
    while (gridPaints->n == paintsBefore && t.elapsed() < 2000) QApplication::processEvents();
    if (gridPaints->n == paintsBefore) {
      state.SkipWithError("the grid was not painted");
      break;
    }
  }
  state.SetLabel(periodName(static_cast<int>(state.range(0))) + ", " + std::to_string(window.RowCount) +
                 " rows, total " + window.txtTotal->text().toStdString() + ", " +
                 std::to_string((residentKb() - before) / 1024) + " MB more resident");
}

void rawShowAll(benchmark::State& state, const QString& path, const char* sql,
                const std::function<std::string(sqlite3*)>& note) {
  const int period = static_cast<int>(state.range(0));
  sqlite3* db = openRaw(path);
  sqlite3_stmt* st = prepareRaw(db, sql);
  const data::DateRange r = periodRange(period);
  long long rows = 0;
  for (auto _ : state) {
    bindText(st, 1, r.from.toStdString());
    bindText(st, 2, r.to.toStdString());
    rows = drain(st);
  }
  sqlite3_finalize(st);
  std::string label = periodName(period) + ", " + std::to_string(rows) + " rows";
  if (note) label += "; " + note(db);
  sqlite3_close(db);
  state.SetLabel(label);
}

}  // namespace benchdb
