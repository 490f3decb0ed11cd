#include "stock/stock_lists.h"

#include <QVariant>

#include "data/db.h"
#include "platform/numtext.h"

namespace stock {

namespace {

const QString kHeadingCode = QStringLiteral("  ");

// The LIKE pattern that finds text anywhere, its wildcards and the escape taken literally.
QString containsPattern(const QString& text) {
  QString t = text;
  t.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
  t.replace(QLatin1Char('%'), QStringLiteral("\\%"));
  t.replace(QLatin1Char('_'), QStringLiteral("\\_"));
  return QLatin1Char('%') + t + QLatin1Char('%');
}

ListRows searchRows(const QString& text) {
  const QString pat = containsPattern(text);
  const auto s = data::Conn().query(
      QStringLiteral("SELECT PId, PName, Price, Quantity, ProNoun FROM Product "
                     "WHERE CID LIKE ? ESCAPE '\\' OR PId LIKE ? ESCAPE '\\' OR PName LIKE ? ESCAPE '\\' "
                     "ORDER BY PId"),
      {pat, pat, pat});
  ListRows out;
  out.reserve(s.size());
  for (const auto& r : s.rows())
    out.push_back({rawText(r[0]), rawText(r[1]), rawText(r[2]), rawText(r[3]), rawText(r[4]), text});
  return out;
}

// Rows grouped under a heading row whenever the category (column cidCol) changes.
template <typename MakeRow>
ListRows grouped(const data::Snapshot& s, int cidCol, int nameCol, MakeRow makeRow) {
  ListRows out;
  out.reserve(s.size() + 16);
  bool first = true;
  QString current;
  for (const auto& r : s.rows()) {
    const QString cid = rawText(r[cidCol]);
    if (first || cid.compare(current, Qt::CaseInsensitive) != 0) {
      first = false;
      current = cid;
      out.push_back({kHeadingCode, rawText(r[nameCol]), QString(), QString(), QString(), QString()});
    }
    out.push_back(makeRow(r, cid));
  }
  return out;
}

}  // namespace

QString rawText(const QVariant& v) {
  if (v.isNull()) return QString();
  switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
      return plat::plainNumber(v.toDouble());
    default:
      return v.toString();
  }
}

QString categoryIdOf(const QString& item) {
  const qsizetype dot = item.indexOf(QLatin1Char('.'));
  return dot < 0 ? item : item.left(dot);
}

ListRows allCategoryStockRows() {
  const auto s = data::Conn().query(
      QStringLiteral("SELECT p.PId, p.PName, p.Price, p.Quantity, p.ProNoun, p.CID, c.CateName "
                     "FROM Product p LEFT JOIN Category c ON c.CateID = p.CID ORDER BY p.CID, p.PId"));
  return grouped(s, 5, 6, [](const QVector<QVariant>& r, const QString& cid) {
    return QStringList{rawText(r[0]), rawText(r[1]), rawText(r[2]), rawText(r[3]), rawText(r[4]), cid};
  });
}

ListRows categoryStockRows(const QString& cid) {
  const auto s = data::Conn().query(
      QStringLiteral("SELECT PId, PName, Price, Quantity, ProNoun FROM Product WHERE CID = ? ORDER BY PId"),
      {cid});
  ListRows out;
  out.reserve(s.size());
  for (const auto& r : s.rows())
    out.push_back({rawText(r[0]), rawText(r[1]), rawText(r[2]), rawText(r[3]), rawText(r[4]), cid});
  return out;
}

ListRows searchStockRows(const QString& text) { return searchRows(text); }

ListRows reorderRows(const QString& col5) {
  const auto s = data::Conn().query(QStringLiteral(
      "SELECT PId, PName, Price, Quantity, ProNoun FROM Product WHERE Quantity <= PoOrder ORDER BY PId"));
  ListRows out;
  out.reserve(s.size());
  for (const auto& r : s.rows())
    out.push_back({rawText(r[0]), rawText(r[1]), plat::fmtMoney(r[2].toDouble()),
                   plat::fmtWhole(r[3].toDouble()), rawText(r[4]), col5});
  return out;
}

ValueList valueRows(const QString& col5) {
  // The latest lot of each product in one pass: by date, then time, then the later row.
  const auto s = data::Conn().query(
      QStringLiteral("SELECT p.PId, p.PName, p.Quantity, l.BPrice, l.PId IS NOT NULL AS Bought "
                     "FROM Product p LEFT JOIN ("
                     "  SELECT PId, BPrice, ROW_NUMBER() OVER (PARTITION BY PId ORDER BY BuyDate DESC, "
                     "BuyTime DESC, rowid DESC) AS k"
                     "  FROM Buy) l ON l.PId = p.PId AND l.k = 1 "
                     "ORDER BY p.PId"));
  ValueList out;
  out.rows.reserve(s.size());
  for (const auto& r : s.rows()) {
    const double q = r[2].toDouble();
    if (r[4].toInt() == 0) {
      out.rows.push_back(
          {rawText(r[0]), rawText(r[1]), QStringLiteral("0"), rawText(r[2]), QStringLiteral("0"), col5});
      continue;
    }
    const double price = r[3].toDouble();
    const double value = q * price;
    out.total += value;
    out.rows.push_back({rawText(r[0]), rawText(r[1]), plat::fmtMoney(price), plat::fmtWhole(q),
                        plat::fmtMoney(value), col5});
  }
  return out;
}

ListRows allCategoryLotRows() {
  const auto s = data::Conn().query(
      QStringLiteral("SELECT p.PId, p.PName, b.BPrice, p.Quantity, p.CID, c.CateName "
                     "FROM Buy b JOIN Product p ON p.PId = b.PId LEFT JOIN Category c ON c.CateID = p.CID "
                     "ORDER BY p.CID, p.PId, b.BuyDate, b.BuyTime, b.rowid"));
  return grouped(s, 4, 5, [](const QVector<QVariant>& r, const QString& cid) {
    return QStringList{rawText(r[0]),
                       rawText(r[1]),
                       rawText(r[2]),
                       rawText(r[3]),
                       plat::plainNumber(r[3].toDouble() * r[2].toDouble()),
                       cid};
  });
}

ListRows categoryLotRows(const QString& cid) {
  const auto s =
      data::Conn().query(QStringLiteral("SELECT p.PId, p.PName, b.BPrice, p.Quantity "
                                        "FROM Buy b JOIN Product p ON p.PId = b.PId WHERE p.CID = ? "
                                        "ORDER BY b.BuyDate, b.BuyTime, b.rowid"),
                         {cid});
  ListRows out;
  out.reserve(s.size());
  for (const auto& r : s.rows())
    out.push_back({rawText(r[0]), rawText(r[1]), rawText(r[2]), rawText(r[3]),
                   plat::plainNumber(r[3].toDouble() * r[2].toDouble()), cid});
  return out;
}

ListRows searchLotRows(const QString& text) { return searchRows(text); }

}  // namespace stock
