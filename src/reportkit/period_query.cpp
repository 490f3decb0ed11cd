#include "reportkit/period_query.h"

#include <QRegularExpression>
#include <QSet>
#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/numtext.h"

namespace reportkit {
namespace {

// The lines of the scope: "<date> BETWEEN ? AND ?" and the filter, with their values.
QString whereLines(const PeriodSource& src, const PeriodScope& scope, QVariantList* binds) {
  QString w = src.date + QStringLiteral(" BETWEEN ? AND ?");
  *binds << scope.range.from << scope.range.to;
  if (scope.filter) {
    w += QStringLiteral(" AND ") + src.filterColumn + QStringLiteral(" = ?");
    *binds << *scope.filter;
  }
  return w;
}

}  // namespace

PeriodSource PeriodSource::sales() {
  return {QStringLiteral("Sell"),      QStringLiteral("PID"),    QStringLiteral("SellDate"),
          QStringLiteral("SQuantity"), QStringLiteral("SPrice"), QStringLiteral("Employee")};
}

PeriodSource PeriodSource::purchases() {
  return {QStringLiteral("Buy"),       QStringLiteral("PId"),    QStringLiteral("BuyDate"),
          QStringLiteral("BQuantity"), QStringLiteral("BPrice"), QString()};
}

QString periodProductsStatement(const PeriodSource& src, const PeriodScope& scope, QVariantList* binds) {
  // Summed per product first, so the join touches each product once, not each line. The sums
  // come out in code order; periodProducts only checks that.
  return QStringLiteral(
             "SELECT COALESCE(p.PId, s.k), p.PId IS NOT NULL, p.PName, p.ProNoun, p.CID, c.CateID IS NOT "
             "NULL, "
             "c.CateName, s.q, s.v "
             "FROM (SELECT %1 AS k, SUM(%2) AS q, SUM(%2 * %3) AS v FROM %4 WHERE %5 GROUP BY %1) AS s "
             "LEFT JOIN Product AS p ON p.PId = s.k LEFT JOIN Category AS c ON c.CateID = p.CID")
      .arg(src.product, src.quantity, src.price, src.table, whereLines(src, scope, binds));
}

QVector<PeriodProduct> periodProducts(data::Db& db, const PeriodSource& src, const PeriodScope& scope) {
  QVariantList binds;
  const QString sql = periodProductsStatement(src, scope, &binds);
  QVector<PeriodProduct> out;
  // Walked straight off the statement: a year is 100,000 products, not worth a second copy.
  db.forEachRow(sql, binds, [&](const data::RowView& r) {
    PeriodProduct& p = out.emplace_back();
    p.pid = r.text(0);
    p.inProduct = r.number(1) != 0;
    p.name = r.text(2);
    p.unit = r.text(3);
    p.categoryId = r.text(4);
    p.inCategory = r.number(5) != 0;
    p.categoryName = r.text(6);
    p.quantity = r.number(7);
    p.value = r.number(8);
  });
  const auto byCode = [](const PeriodProduct& a, const PeriodProduct& b) {
    return a.pid.compare(b.pid, Qt::CaseInsensitive) < 0;
  };
  if (!std::is_sorted(out.begin(), out.end(), byCode)) std::stable_sort(out.begin(), out.end(), byCode);
  return out;
}

CategoryNarrowing narrowingFor(qsizetype chosen, qsizetype listed) {
  return listed > 0 && chosen * 2 >= listed ? CategoryNarrowing::Sums : CategoryNarrowing::Lines;
}

CategoryNarrowing narrowingFor(data::Db& db, const PeriodSource& src, const PeriodScope& scope,
                               const QStringList& categoryIds, qsizetype listed) {
  if (categoryIds.isEmpty() || narrowingFor(categoryIds.size(), listed) == CategoryNarrowing::Sums)
    return CategoryNarrowing::Sums;
  // Narrowing first looks up every product of the categories (about a line's summing each) and
  // then saves the sorting and joining of the other categories' lines, a few times a line's
  // look-up: it pays once the lines of the scope reach a fifth of those products, more the larger
  // the share of the list chosen (none from half on): lines * 5 * (listed - 2 * chosen) >=
  // products * listed, an empty list counting as a small share.
  const qint64 share = listed > 0 ? listed : 1;
  const qint64 left = listed > 0 ? listed - 2 * categoryIds.size() : 1;
  QString marks;
  QVariantList ids;
  for (const QString& id : categoryIds) {
    marks += marks.isEmpty() ? QStringLiteral("?") : QStringLiteral(",?");
    ids << id;
  }
  // Each count stops at the number that decides, so a day does not count a year's products nor a
  // year all its lines.
  const auto countLines = [&](qint64 limit) {
    QVariantList binds;
    const QString where = whereLines(src, scope, &binds);
    binds << limit;
    return db
        .scalar(
            QStringLiteral("SELECT COUNT(*) FROM (SELECT 1 FROM %1 WHERE %2 LIMIT ?)").arg(src.table, where),
            binds)
        .toLongLong();
  };
  const auto countProducts = [&](qint64 limit) {
    QVariantList binds = ids;
    binds << limit;
    return db
        .scalar(QStringLiteral("SELECT COUNT(*) FROM (SELECT 1 FROM Product WHERE CID IN (%1) LIMIT ?)")
                    .arg(marks),
                binds)
        .toLongLong();
  };
  constexpr qint64 kLinesCounted = 1 << 17;
  const qint64 lines = countLines(kLinesCounted);
  const qint64 fewProducts = lines * 5 * left / share;  // at most this many: lines first
  const qint64 products = countProducts(fewProducts + 1);
  if (products <= fewProducts) return CategoryNarrowing::Lines;
  if (lines < kLinesCounted) return CategoryNarrowing::Sums;
  // Many lines and many products: every product counted, the lines as far as they need to reach.
  const qint64 all = countProducts(std::numeric_limits<qint64>::max());
  const qint64 needed = (all * share + 5 * left - 1) / (5 * left);
  return countLines(needed) >= needed ? CategoryNarrowing::Lines : CategoryNarrowing::Sums;
}

QString categoryProductsStatement(const PeriodSource& src, const PeriodScope& scope,
                                  const QStringList& categoryIds, QVariantList* binds,
                                  CategoryNarrowing narrowing) {
  QStringList marks;
  for (int i = 0; i < categoryIds.size(); ++i) marks << QStringLiteral("?");
  const QString in = marks.join(QLatin1Char(','));
  // One row per product and distinct line amount gives each line's rounding without reading the
  // lines one by one; the grouping hands them out in code order, so no sort follows. The unary +
  // keeps the planner on the date index, the cross joins keep the sums first.
  const bool byLine = narrowing == CategoryNarrowing::Lines;
  QString lines = whereLines(src, scope, binds);
  if (byLine)
    lines += QStringLiteral(" AND +%1 IN (SELECT PId FROM Product WHERE CID IN (%2))").arg(src.product, in);
  const QString sql =
      QStringLiteral(
          "SELECT p.PId, p.PName, p.ProNoun, p.CID, c.CateName, s.q, s.pr, s.n "
          "FROM (SELECT %1 AS k, %2 AS q, %3 AS pr, COUNT(*) AS n FROM %4 WHERE %5 "
          "GROUP BY %1, %2, %3) AS s "
          "CROSS JOIN Product AS p ON p.PId = s.k CROSS JOIN Category AS c ON c.CateID = p.CID%6")
          .arg(src.product, src.quantity, src.price, src.table, lines,
               byLine ? QString() : QStringLiteral(" WHERE +p.CID IN (%1)").arg(in));
  for (const QString& id : categoryIds) *binds << id;
  return sql;
}

QVector<PeriodProduct> categoryProducts(data::Db& db, const PeriodSource& src, const PeriodScope& scope,
                                        const QStringList& categoryIds, CategoryNarrowing narrowing) {
  if (categoryIds.isEmpty()) return {};
  QVariantList binds;
  const QString sql = categoryProductsStatement(src, scope, categoryIds, &binds, narrowing);
  QVector<PeriodProduct> out;
  const auto add = [](PeriodProduct& p, double q, double price, double n) {
    const double amount = q * price;
    p.quantity += n * q;
    p.value += n * amount;
    p.roundedValue += n * plat::roundTo(amount, 2);
  };
  // Walked straight off the statement: all categories of a year are 100,000 products.
  db.forEachRow(sql, binds, [&](const data::RowView& r) {
    const QString pid = r.text(0);
    if (out.isEmpty() || out.last().pid != pid) {
      PeriodProduct p;
      p.pid = pid;
      p.name = r.text(1);
      p.unit = r.text(2);
      p.categoryId = r.text(3);
      p.categoryName = r.text(4);
      p.inProduct = p.inCategory = true;
      out.push_back(std::move(p));
    }
    add(out.last(), r.number(5), r.number(6), r.number(7));
  });
  // Should a plan ever hand a product's rows out apart, they are put in code order and merged.
  const auto byCode = [](const PeriodProduct& a, const PeriodProduct& b) {
    return a.pid.compare(b.pid, Qt::CaseInsensitive) < 0;
  };
  if (!std::is_sorted(out.begin(), out.end(), byCode)) {
    std::stable_sort(out.begin(), out.end(), byCode);
    QVector<PeriodProduct> merged;
    for (PeriodProduct& p : out) {
      if (merged.isEmpty() || merged.last().pid != p.pid) {
        merged.push_back(std::move(p));
        continue;
      }
      PeriodProduct& m = merged.last();
      m.quantity += p.quantity;
      m.value += p.value;
      m.roundedValue += p.roundedValue;
    }
    out = std::move(merged);
  }
  return out;
}

QVector<PeriodProduct> categoryProducts(data::Db& db, const PeriodSource& src, const PeriodScope& scope,
                                        const QString& categoryId, CategoryNarrowing narrowing) {
  return categoryProducts(db, src, scope, QStringList{categoryId}, narrowing);
}

PeriodSummary summarize(const QVector<PeriodProduct>& products, const SummaryRules& rules) {
  PeriodSummary s;
  QVector<PeriodCategory> cats;
  QSet<QString> seen;  // a year has 100,000 products in a few dozen categories
  for (const PeriodProduct& p : products) {
    s.total += p.value;
    if (p.inCategory && !seen.contains(p.categoryId)) {
      seen.insert(p.categoryId);
      cats.push_back({p.categoryId, p.categoryName});
    }
    if (!p.inProduct || (rules.rowsNeedCategory && !p.inCategory)) continue;
    if (rules.skipZeroQuantity && std::fabs(p.quantity) < 1e-9) continue;
    s.rows.push_back(p);
  }
  // Ids compare as the database does, without regard to case.
  std::stable_sort(cats.begin(), cats.end(), [](const PeriodCategory& a, const PeriodCategory& b) {
    return a.id.compare(b.id, Qt::CaseInsensitive) < 0;
  });
  for (const PeriodCategory& c : cats)
    if (s.categories.isEmpty() || s.categories.last().id.compare(c.id, Qt::CaseInsensitive) != 0)
      s.categories.push_back(c);
  return s;
}

QString categoryIdOf(const QString& item) {
  const int dot = item.indexOf('.');
  return dot < 0 ? item : item.left(dot);
}

int deletePeriod(data::Db& db, const PeriodSource& src, const data::DateRange& range) {
  int n = 0;
  db.transaction([&] {
    n = db.exec(QStringLiteral("DELETE FROM %1 WHERE %2 BETWEEN ? AND ?").arg(src.table, src.date),
                range.binds());
  });
  return n;
}

QStringList periodMonths(data::Db& db, const PeriodSource& src) {
  // One index seek per month rather than a scan of every line.
  const QString sql = QStringLiteral("SELECT MIN(%1) FROM %2 WHERE %1 >= ?").arg(src.date, src.table);
  QStringList months;
  QString from = QStringLiteral("0000-01-01");
  for (;;) {
    const QVariant v = db.scalar(sql, {from});
    const QDate d = QDate::fromString(v.toString(), Qt::ISODate);
    if (v.isNull() || !d.isValid()) break;
    months << d.toString(QStringLiteral("MM/yyyy"));
    from = data::isoDate(QDate(d.year(), d.month(), 1).addMonths(1));
  }
  return months;
}

std::optional<data::DateRange> monthItemRange(const QString& item) {
  static const QRegularExpression re(QStringLiteral("^([0-9]{2})/([0-9]{4})$"));
  const auto m = re.match(item);
  if (!m.hasMatch()) return std::nullopt;
  const int month = m.captured(1).toInt(), year = m.captured(2).toInt();
  if (month < 1 || month > 12 || year < 1) return std::nullopt;
  return data::monthRange(year, month);
}

std::optional<data::DateRange> yearTextRange(const QString& text) {
  static const QRegularExpression re(QStringLiteral("^[0-9]{4}$"));
  if (!re.match(text).hasMatch()) return std::nullopt;
  const int year = text.toInt();
  if (year < 1) return std::nullopt;
  return data::yearRange(year);
}

QString fmtMoneyUpTo3(double v) {
  const double r = plat::roundTo(v, 3);
  const qint64 mills = std::llround(std::fabs(r) * 1000);
  if (mills % 10 == 0) return plat::fmtMoney(r);
  const QString two = plat::fmtMoney(static_cast<double>(mills / 10) / 100);
  return (r < 0 ? QStringLiteral("-") : QString()) + two + QString::number(mills % 10);
}

double vatPart(double amount, double ratePercent) {
  return ratePercent == -100 ? 0 : amount * ratePercent / (ratePercent + 100);
}

}  // namespace reportkit
