#include "stock/stock_lists.h"

#include <QVariant>
#include <cstring>
#include <functional>
#include <string>

#include "data/db.h"
#include "platform/numtext.h"
#include "shell/lang.h"

namespace stock {

namespace {

const QString kHeadingCode = QStringLiteral("  ");
const QString kAllCategoryTh = QStringLiteral("สินค้าทุกหมวด");
const QString kAllCategoryEn = QStringLiteral("All Category");

// The LIKE pattern that finds text anywhere, its wildcards and the escape taken literally.
QString containsPattern(const QString& text) {
  QString t = text;
  t.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
  t.replace(QLatin1Char('%'), QStringLiteral("\\%"));
  t.replace(QLatin1Char('_'), QStringLiteral("\\_"));
  return QLatin1Char('%') + t + QLatin1Char('%');
}

// A column as the lists show it unformatted.
QString raw(const data::RowView& r, int col) {
  if (r.isNull(col)) return QString();
  return r.isNumber(col) ? plat::plainNumber(r.number(col)) : r.text(col);
}

// The texts of one column of a list: when a row repeats the value of the row before (a category, a
// unit, a price many products share) it gets the same text again, not a new copy of it.
class ColumnTexts {
 public:
  // As raw() shows the column.
  const QString& raw(const data::RowView& r, int col) {
    if (r.isNull(col)) return keep(Kind::Null, 0, {}, [] { return QString(); });
    if (r.isNumber(col)) {
      const double v = r.number(col);
      return keep(Kind::Number, v, {}, [v] { return plat::plainNumber(v); });
    }
    const QByteArrayView bytes = r.utf8(col);
    return keep(Kind::Text, 0, bytes, [bytes] { return QString::fromUtf8(bytes); });
  }
  // A number in a format of its own.
  template <typename Format>
  const QString& number(double v, Format format) {
    return keep(Kind::Number, v, {}, [&] { return format(v); });
  }

 private:
  enum class Kind { None, Null, Number, Text };
  template <typename Make>
  const QString& keep(Kind kind, double v, QByteArrayView bytes, Make make) {
    // Numbers compare by their bits: -0 and 0, or two NaNs, are not taken for each other.
    const bool same = kind == kind_ && (kind != Kind::Number || std::memcmp(&v, &number_, sizeof v) == 0) &&
                      (kind != Kind::Text || bytes == QByteArrayView(bytes_));
    if (!same) {
      kind_ = kind;
      number_ = v;
      if (kind == Kind::Text) bytes_.assign(bytes.data(), static_cast<std::size_t>(bytes.size()));
      text_ = make();
    }
    return text_;
  }
  Kind kind_ = Kind::None;
  double number_ = 0;
  std::string bytes_;
  QString text_;
};

ListRows walk(const QString& sql, const QVariantList& binds,
              const std::function<QStringList(const data::RowView&)>& row) {
  ListRows out;
  data::Conn().forEachRow(sql, binds, [&](const data::RowView& r) { out.push_back(row(r)); });
  return out;
}

ListRows searchRows(const QString& text) {
  const QString pat = containsPattern(text);
  return walk(
      QStringLiteral("SELECT PId, PName, Price, Quantity, ProNoun FROM Product "
                     "WHERE CID LIKE ? ESCAPE '\\' OR PId LIKE ? ESCAPE '\\' OR PName LIKE ? ESCAPE '\\' "
                     "ORDER BY PId"),
      {pat, pat, pat}, [&](const data::RowView& r) {
        return QStringList{raw(r, 0), raw(r, 1), raw(r, 2), raw(r, 3), raw(r, 4), text};
      });
}

// Rows grouped under a heading row whenever the category (column cidCol) changes.
ListRows grouped(const QString& sql, int cidCol, int nameCol,
                 const std::function<QStringList(const data::RowView&, const QString& cid)>& makeRow) {
  ListRows out;
  bool first = true;
  QString current;
  ColumnTexts cids;
  data::Conn().forEachRow(sql, {}, [&](const data::RowView& r) {
    const QString& cid = cids.raw(r, cidCol);
    if (first || cid.compare(current, Qt::CaseInsensitive) != 0) {
      first = false;
      current = cid;
      out.push_back({kHeadingCode, raw(r, nameCol), QString(), QString(), QString(), QString()});
    }
    out.push_back(makeRow(r, cid));
  });
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

QString allCategoryItem() { return shell::L(kAllCategoryTh, kAllCategoryEn); }

bool isAllCategoryItem(const QString& text) { return text == kAllCategoryEn || text == kAllCategoryTh; }

ListRows allCategoryStockRows() {
  ColumnTexts price, quantity, unit;
  return grouped(
      QStringLiteral("SELECT p.PId, p.PName, p.Price, p.Quantity, p.ProNoun, p.CID, c.CateName "
                     "FROM Product p LEFT JOIN Category c ON c.CateID = p.CID ORDER BY p.CID, p.PId"),
      5, 6, [&](const data::RowView& r, const QString& cid) {
        return QStringList{raw(r, 0), raw(r, 1), price.raw(r, 2), quantity.raw(r, 3), unit.raw(r, 4), cid};
      });
}

ListRows categoryStockRows(const QString& cid) {
  ColumnTexts price, quantity, unit;
  return walk(
      QStringLiteral("SELECT PId, PName, Price, Quantity, ProNoun FROM Product WHERE CID = ? ORDER BY PId"),
      {cid}, [&](const data::RowView& r) {
        return QStringList{raw(r, 0), raw(r, 1), price.raw(r, 2), quantity.raw(r, 3), unit.raw(r, 4), cid};
      });
}

ListRows searchStockRows(const QString& text) { return searchRows(text); }

ListRows reorderRows(const QString& col5) {
  return walk(
      QStringLiteral(
          "SELECT PId, PName, Price, Quantity, ProNoun FROM Product WHERE Quantity <= PoOrder ORDER BY PId"),
      {}, [&](const data::RowView& r) {
        return QStringList{raw(r, 0), raw(r, 1), plat::fmtMoney(r.number(2)), plat::fmtWhole(r.number(3)),
                           raw(r, 4), col5};
      });
}

ValueList valueRows(const QString& col5) {
  ValueList out;
  const QString zero = QStringLiteral("0");
  ColumnTexts quantities, prices, wholes, values;
  // The latest lot of each product in one pass: by date, then time, then the later row.
  out.rows = walk(
      QStringLiteral("SELECT p.PId, p.PName, p.Quantity, "
                     "(SELECT b.BPrice FROM Buy b WHERE b.PId = p.PId ORDER BY b.BuyDate DESC, b.BuyTime "
                     "DESC, b.rowid DESC LIMIT 1), "
                     "EXISTS (SELECT 1 FROM Buy b WHERE b.PId = p.PId) "
                     "FROM Product p ORDER BY p.PId"),
      {}, [&](const data::RowView& r) {
        if (r.number(4) == 0)
          return QStringList{raw(r, 0), raw(r, 1), zero, quantities.raw(r, 2), zero, col5};
        const double q = r.number(2);
        const double price = r.number(3);
        const double value = q * price;
        out.total += value;
        return QStringList{raw(r, 0),
                           raw(r, 1),
                           prices.number(price, plat::fmtMoney),
                           wholes.number(q, plat::fmtWhole),
                           values.number(value, plat::fmtMoney),
                           col5};
      });
  return out;
}

ListRows allCategoryLotRows() {
  ColumnTexts price, quantity, value;
  return grouped(
      QStringLiteral("SELECT p.PId, p.PName, b.BPrice, p.Quantity, p.CID, c.CateName "
                     "FROM Buy b JOIN Product p ON p.PId = b.PId LEFT JOIN Category c ON c.CateID = p.CID "
                     "ORDER BY p.CID, p.PId, b.BuyDate, b.BuyTime, b.rowid"),
      4, 5, [&](const data::RowView& r, const QString& cid) {
        return QStringList{raw(r, 0),
                           raw(r, 1),
                           price.raw(r, 2),
                           quantity.raw(r, 3),
                           value.number(r.number(3) * r.number(2), plat::plainNumber),
                           cid};
      });
}

ListRows categoryLotRows(const QString& cid) {
  return walk(QStringLiteral("SELECT p.PId, p.PName, b.BPrice, p.Quantity "
                             "FROM Buy b JOIN Product p ON p.PId = b.PId WHERE p.CID = ? "
                             "ORDER BY b.BuyDate, b.BuyTime, b.rowid"),
              {cid}, [&](const data::RowView& r) {
                return QStringList{
                    raw(r, 0), raw(r, 1), raw(r, 2), raw(r, 3), plat::plainNumber(r.number(3) * r.number(2)),
                    cid};
              });
}

ListRows searchLotRows(const QString& text) { return searchRows(text); }

}  // namespace stock
