#include "reports/profit_analysis.h"

#include <QHash>
#include <QRegularExpression>
#include <cmath>

#include "data/dates.h"
#include "data/db.h"
#include "platform/numtext.h"

namespace reports {

namespace {

// Sales summed per product before anything is joined to them, so a year of sale lines is read once;
// lines of cancelled bills (quantity 0) and lines missing a quantity or price add nothing. The
// latest purchase price is looked up only for products that sold: the line with the latest date,
// then time, then the later row.
const char* kFigures = R"(
WITH s AS (
  SELECT PID, SUM(SQuantity * SPrice) AS income, SUM(SQuantity) AS qty
  FROM Sell
  WHERE SellDate BETWEEN ? AND ? AND SQuantity <> 0 AND SPrice IS NOT NULL %1
  GROUP BY PID)
SELECT p.PId, p.PName, p.CID, s.income, s.qty,
       CASE WHEN s.qty IS NULL THEN NULL ELSE
         (SELECT b.BPrice FROM Buy b WHERE b.PId = p.PId
          ORDER BY b.BuyDate DESC, b.BuyTime DESC, b.rowid DESC LIMIT 1) END AS price
FROM Product p
LEFT JOIN s ON s.PID = p.PId
%2
ORDER BY p.PId)";

ProfitRow rowOf(const data::Snapshot& s) {
  ProfitRow r;
  r.pid = s.text(QStringLiteral("PId"));
  r.name = s.text(QStringLiteral("PName"));
  if (!s.isNull(QStringLiteral("qty"))) {
    r.income = s.number(QStringLiteral("income"));
    r.unitPrice = s.number(QStringLiteral("price"));  // no purchase line, or no price: 0
    r.cost = s.number(QStringLiteral("qty")) * r.unitPrice;
  }
  return r;
}

QVector<ProfitRow> rowsOf(data::Snapshot s) {
  QVector<ProfitRow> rows;
  rows.reserve(s.size());
  for (s.moveFirst(); !s.eof(); s.moveNext()) rows.push_back(rowOf(s));
  return rows;
}

}  // namespace

double ProfitRow::percent() const { return cost == 0 ? 0 : (income - cost) * 100 / cost; }

QString allProductsStatement() { return QString::fromLatin1(kFigures).arg(QString(), QString()); }

QVector<ProfitRow> profitOfAllProducts(const QDate& from, const QDate& to) {
  return rowsOf(data::Conn().query(allProductsStatement(), {data::isoDate(from), data::isoDate(to)}));
}

QString categoriesStatement(int count, reportkit::CategoryNarrowing narrowing) {
  QStringList marks;
  for (int i = 0; i < count; ++i) marks << QStringLiteral("?");
  const QString in = marks.join(QLatin1Char(','));
  const QString bought = QStringLiteral("EXISTS (SELECT 1 FROM Buy b WHERE b.PId = p.PId)");
  // Only products ever bought belong to a category's analysis. Few categories narrow the sale lines
  // inside the year's read (the unary + keeps the planner on the date index); many narrow the
  // products after the year is summed, in code order (the rows are sorted into categories here).
  if (narrowing == reportkit::CategoryNarrowing::Sums)
    return QString::fromLatin1(kFigures).arg(QString(),
                                             QStringLiteral("WHERE +p.CID IN (%1) AND ").arg(in) + bought);
  return QString::fromLatin1(kFigures)
      .arg(QStringLiteral("AND +PID IN (SELECT PId FROM Product WHERE CID IN (%1))").arg(in),
           QStringLiteral("WHERE p.CID IN (%1) AND ").arg(in) + bought)
      .replace(QStringLiteral("ORDER BY p.PId"), QStringLiteral("ORDER BY p.CID, p.PId"));
}

QVector<ProfitRow> profitOfCategories(const QStringList& categoryIds, const QDate& from, const QDate& to,
                                      reportkit::CategoryNarrowing narrowing) {
  if (categoryIds.isEmpty()) return {};
  QVariantList binds{data::isoDate(from), data::isoDate(to)};
  for (int twice = narrowing == reportkit::CategoryNarrowing::Sums ? 1 : 0; twice < 2; ++twice)
    for (const QString& id : categoryIds) binds << id;
  data::Snapshot s =
      data::Conn().query(categoriesStatement(static_cast<int>(categoryIds.size()), narrowing), binds);
  // Ids compare without regard to case, as the database does.
  QHash<QString, QVector<ProfitRow>> byCategory;
  for (s.moveFirst(); !s.eof(); s.moveNext())
    byCategory[s.text(QStringLiteral("CID")).toCaseFolded()].push_back(rowOf(s));
  QVector<ProfitRow> rows;
  for (const QString& id : categoryIds) rows += byCategory.value(id.toCaseFolded());
  return rows;
}

namespace {
QString unitPriceText(const ProfitRow& r, ProfitShow show) {
  return show == ProfitShow::All ? QString() : plat::plainNumber(r.unitPrice);
}
}  // namespace

QStringList profitCells(const ProfitRow& r, ProfitShow show) {
  QStringList cells{r.pid, r.name, plat::plainNumber(r.income), plat::plainNumber(r.cost),
                    plat::plainNumber(r.profit())};
  if (show == ProfitShow::All)
    cells << QString::number(plat::roundTo(r.percent(), 2), 'f', 2);
  else
    cells << plat::fmtMoney(r.percent());
  cells << unitPriceText(r, show);
  return cells;
}

PriceForEdit priceForEdit(const ProfitRow& r, ProfitShow show) {
  return {r.pid, r.name, unitPriceText(r, show)};
}

ProfitSums profitSums(const QVector<ProfitRow>& rows) {
  ProfitSums s;
  for (const ProfitRow& r : rows) {
    s.income += r.income;
    s.cost += r.cost;
    s.profit += r.profit();
  }
  return s;
}

std::optional<double> parsePurchasePrice(const QString& text) {
  static const QRegularExpression price(QStringLiteral("^(\\d+\\.?\\d*|\\.\\d+)$"));
  if (!price.match(text).hasMatch()) return std::nullopt;
  bool ok = false;
  const double v = text.toDouble(&ok);
  if (!ok || !std::isfinite(v) || v < 0) return std::nullopt;
  return v;
}

int setPurchasePrice(const QString& pid, double price) {
  return data::Conn().exec(QStringLiteral("UPDATE Buy SET BPrice = ? WHERE PId = ?"), {price, pid});
}

}  // namespace reports
