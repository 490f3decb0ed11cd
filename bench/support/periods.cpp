#include "support/periods.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
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

void rawShowAllMinimalPaint(benchmark::State& state, const QString& path, const char* sql, QSize viewport,
                            int rowHeight, const QVector<int>& columnWidths) {
  const int period = static_cast<int>(state.range(0));
  sqlite3* db = openRaw(path);
  sqlite3_stmt* st = prepareRaw(db, sql);
  const data::DateRange r = periodRange(period);
  const int visible = viewport.height() / rowHeight + 1;
  // The grid's columns: code, name, quantity, value, (empty), unit.
  const int shown[] = {0, 2, 7, 8, -1, 3};
  QImage image(viewport, QImage::Format_RGB32);
  long long rows = 0;
  for (auto _ : state) {
    bindText(st, 1, r.from.toStdString());
    bindText(st, 2, r.to.toStdString());
    QVector<QStringList> texts;
    rows = 0;
    while (sqlite3_step(st) == SQLITE_ROW) {
      if (rows++ >= visible) continue;
      QStringList row;
      for (const int c : shown)
        row << (c < 0 ? QString()
                      : QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, c))));
      texts << row;
    }
    sqlite3_reset(st);
    QPainter p(&image);
    p.fillRect(image.rect(), Qt::white);
    for (int i = 0; i < texts.size(); ++i) {
      int x = 0;
      for (int c = 0; c < columnWidths.size() && c < texts[i].size(); ++c) {
        p.drawText(QRect(x + 2, i * rowHeight, columnWidths[c] - 4, rowHeight),
                   Qt::AlignLeft | Qt::AlignVCenter, texts[i][c]);
        x += columnWidths[c];
      }
    }
  }
  sqlite3_finalize(st);
  sqlite3_close(db);
  state.SetLabel(periodName(period) + ", " + std::to_string(rows) + " rows, " + std::to_string(visible) +
                 " painted in " + std::to_string(viewport.width()) + "x" + std::to_string(viewport.height()));
}

QStringList firstCategories(int n) {
  QStringList ids;
  for (int i = 1; i <= n; ++i) ids << QString::asprintf("C%02d", i);
  return ids;
}

void showCategoriesRows(benchmark::State& state, const reportkit::PeriodSource& source) {
  data::Conn().open(shopDatabase());
  const int period = static_cast<int>(state.range(0));
  const reportkit::PeriodScope scope{periodRange(period), std::nullopt};
  const QStringList ids = firstCategories(static_cast<int>(state.range(1)));
  long long rows = 0;
  auto narrowing = reportkit::CategoryNarrowing::Lines;
  for (auto _ : state) {
    narrowing = reportkit::narrowingFor(data::Conn(), source, scope, ids, 20);
    const auto products = reportkit::categoryProducts(data::Conn(), source, scope, ids, narrowing);
    rows = reportkit::periodRowTexts(products).size();
  }
  data::Conn().close();
  state.SetLabel(periodName(period) + ", " + std::to_string(ids.size()) + " categories, " +
                 std::to_string(rows) + " rows, " +
                 (narrowing == reportkit::CategoryNarrowing::Lines ? "lines" : "sums") + " first");
}

void loadYear(reportkit::PeriodReport& window, bool shown) {
  window.Form_Load();
  window.txtYear->setText(QStringLiteral("2024"));
  if (shown) window.showAll();
}

void measureShowCategories(benchmark::State& state, reportkit::PeriodReport& window) {
  const int n = static_cast<int>(state.range(1));
  for (int i = 0; i < window.LstCate->count(); ++i) window.LstCate->item(i)->setSelected(i < n);
  for (auto _ : state) window.showSelected();
  state.SetLabel(periodName(static_cast<int>(state.range(0))) + ", " + std::to_string(n) + " categories, " +
                 std::to_string(window.RowCount) + " rows, total " + window.txtTotal->text().toStdString());
}

namespace {

void rawShowCategories(benchmark::State& state, const reportkit::PeriodSource& source, bool sumsFirst) {
  const int period = static_cast<int>(state.range(0));
  const int n = static_cast<int>(state.range(1));
  std::string marks;
  for (int i = 0; i < n; ++i) marks += i ? ",?" : "?";
  const std::string k = source.product.toStdString(), q = source.quantity.toStdString(),
                    pr = source.price.toStdString(), t = source.table.toStdString(),
                    d = source.date.toStdString();
  // The unary + keeps SQLite on the date index for the lines, and off the category index for the
  // products of the sums.
  const std::string sql =
      "SELECT p.PId, p.PName, p.ProNoun, t.q, t.v FROM (SELECT " + k + " AS k, SUM(" + q + ") AS q, SUM(" +
      q + " * " + pr + ") AS v FROM " + t + " WHERE " + d + " BETWEEN ? AND ?" +
      (sumsFirst ? "" : " AND +" + k + " IN (SELECT PId FROM Product WHERE CID IN (" + marks + "))") +
      " GROUP BY " + k + ") AS t CROSS JOIN Product AS p ON p.PId = t.k" +
      (sumsFirst ? " WHERE +p.CID IN (" + marks + ")" : "");
  sqlite3* db = openRaw(shopDatabase());
  sqlite3_stmt* st = prepareRaw(db, sql.c_str());
  const data::DateRange r = periodRange(period);
  const QStringList ids = firstCategories(n);
  long long rows = 0;
  for (auto _ : state) {
    bindText(st, 1, r.from.toStdString());
    bindText(st, 2, r.to.toStdString());
    for (int i = 0; i < n; ++i) bindText(st, 3 + i, ids[i].toStdString());
    rows = drain(st);
  }
  sqlite3_finalize(st);
  sqlite3_close(db);
  // A raw read of other rows than the program's would make the ratio meaningless.
  data::Conn().open(shopDatabase());
  const reportkit::PeriodScope scope{r, std::nullopt};
  const auto products = reportkit::categoryProducts(
      data::Conn(), source, scope, ids, reportkit::narrowingFor(data::Conn(), source, scope, ids, 20));
  data::Conn().close();
  checkRows(periodName(period) + ", " + std::to_string(n) + " categories", rows, products.size());
  state.SetLabel(periodName(period) + ", " + std::to_string(n) + " categories, " + std::to_string(rows) +
                 " rows");
}

}  // namespace

void rawShowCategoriesLinesFirst(benchmark::State& state, const reportkit::PeriodSource& source) {
  rawShowCategories(state, source, false);
}

void rawShowCategoriesSumsFirst(benchmark::State& state, const reportkit::PeriodSource& source) {
  rawShowCategories(state, source, true);
}

void checkRows(const std::string& work, long long raw, long long program) {
  if (raw != program)
    die(work + ": the raw read has " + std::to_string(raw) + " rows, the program " + std::to_string(program));
}

void categoryArguments(benchmark::internal::Benchmark* b) {
  b->ArgNames({"period", "categories"});
  for (int period = 0; period <= 2; ++period)
    for (int n : {1, 3, 20}) b->Args({period, n});
  b->Unit(benchmark::kMillisecond)->UseRealTime();
}

}  // namespace benchdb
