#include "partners/history_query.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <cmath>

#include "data/db.h"
#include "platform/numtext.h"

namespace partners {

namespace {

// Runs a SELECT forward-only: the history lists can be long, and each row is turned into texts
// at once.
QSqlQuery select(const QString& sql, const QStringList& binds) {
  QSqlQuery q(data::Conn().handle());
  q.setForwardOnly(true);
  if (!q.prepare(sql)) throw data::statementError(q.lastError());
  for (const QString& b : binds) q.addBindValue(b.isNull() ? QStringLiteral("") : b);
  if (!q.exec()) throw data::statementError(q.lastError());
  return q;
}

// A stored 'yyyy-MM-dd' as dd/MM/yyyy; anything else as it stands.
QString dayText(const QString& iso) {
  if (iso.size() != 10 || iso.at(4) != u'-' || iso.at(7) != u'-') return data::showDate(iso);
  QString out(10, u'/');
  out[0] = iso.at(8);
  out[1] = iso.at(9);
  out[3] = iso.at(5);
  out[4] = iso.at(6);
  for (int i = 0; i < 4; ++i) out[6 + i] = iso.at(i);
  return out;
}

QVector<Keyed> keyedRows(const QString& sql, const QStringList& binds = {}) {
  QSqlQuery q = select(sql, binds);
  QVector<Keyed> out;
  while (q.next()) out.push_back({q.value(0).toString(), q.value(1).toString()});
  return out;
}

// A plain number; whole numbers (most quantities) without the general formatter's detour.
QString numberText(double v) {
  if (v == std::trunc(v) && std::fabs(v) < 1e15) return QString::number(static_cast<qint64>(v));
  return plat::plainNumber(v);
}

// The line value as each window shows it: grouped with two decimals for purchases, a plain
// number for sales.
QString valueText(PartnerKind kind, double v) {
  return kind == PartnerKind::Supplier ? plat::fmtMoney(v) : numberText(v);
}

// Reads rows of (id, name, quantity, price, date, number) into grid rows, straight off the
// statement: a busy partner has tens of thousands of lines.
HistoryLines lines(PartnerKind kind, const QString& sql, const QStringList& binds) {
  QVariantList values;
  for (const QString& b : binds) values << (b.isNull() ? QStringLiteral("") : b);
  HistoryLines out;
  data::Conn().forEachRow(sql, values, [&](const data::RowView& r) {
    out.anyRead = true;
    const double quantity = r.number(2);
    const double value = quantity * r.number(3);
    out.total += value;
    // A cancelled sale keeps its lines with quantity 0; they are not the customer's purchases.
    if (kind == PartnerKind::Customer && quantity == 0) return;
    out.rows.push_back(
        {r.text(0), r.text(1), numberText(quantity), valueText(kind, value), dayText(r.text(4)), r.text(5)});
  });
  return out;
}

}  // namespace

const char* partnerLinesStatement(PartnerKind kind) {
  if (kind == PartnerKind::Supplier)
    return "SELECT Buy.PId, PName, BQuantity, BPrice, BuyDate, BuyId "
           "FROM Buy INNER JOIN Product ON Buy.PId = Product.PId "
           "WHERE Buy.SupplierID = ? AND Buy.Discontinue = 0 ORDER BY Buy.rowid";
  return "SELECT Sell.PID, PName, SQuantity, SPrice, SellDate, Comment "
         "FROM Sell INNER JOIN Product ON Sell.PID = Product.PId "
         "WHERE Sell.CustomerId = ? AND Sell.SellDate BETWEEN ? AND ? AND Sell.Discontinue = 0 "
         "ORDER BY Sell.SellDate, Sell.rowid";
}

std::optional<QString> partnerName(PartnerKind kind, const QString& id) {
  QSqlQuery q = select(kind == PartnerKind::Supplier
                           ? QStringLiteral("SELECT CompanyName FROM Suppliers WHERE SupplierId = ?")
                           : QStringLiteral("SELECT CompanyName FROM Customers WHERE CustomerId = ?"),
                       {id});
  if (!q.next()) return std::nullopt;
  return q.value(0).toString();
}

QVector<Keyed> partnerList(PartnerKind kind) {
  return keyedRows(kind == PartnerKind::Supplier
                       ? QStringLiteral("SELECT SupplierId, CompanyName FROM Suppliers ORDER BY SupplierId")
                       : QStringLiteral("SELECT CustomerId, CompanyName FROM Customers ORDER BY CustomerId"));
}

QString pickText(const Keyed& partner) { return partner.id + u'.' + partner.name; }

QVector<Keyed> categoryList() {
  return keyedRows(QStringLiteral("SELECT CateID, CateName FROM Category ORDER BY CateID"));
}

QVector<Keyed> productList(const QString& categoryId) {
  return keyedRows(QStringLiteral("SELECT PId, PName FROM Product WHERE CID = ? ORDER BY PId"), {categoryId});
}

QString categoryItemText(const Keyed& category) { return category.id + u'.' + category.name; }
QString productItemText(const Keyed& product) { return product.id + QStringLiteral(". ") + product.name; }

HistoryLines partnerLines(PartnerKind kind, const QString& id, const data::DateRange& range) {
  if (kind == PartnerKind::Supplier)
    return lines(kind, QString::fromLatin1(partnerLinesStatement(kind)), {id});
  return lines(kind, QString::fromLatin1(partnerLinesStatement(kind)), {id, range.from, range.to});
}

HistoryLines productLines(PartnerKind kind, const QString& productCode) {
  if (kind == PartnerKind::Supplier)
    return lines(kind,
                 QStringLiteral("SELECT Buy.SupplierID, CompanyName, BQuantity, BPrice, BuyDate, BuyId "
                                "FROM Buy INNER JOIN Suppliers ON Buy.SupplierID = Suppliers.SupplierId "
                                "WHERE Buy.PId = ? ORDER BY Buy.SupplierID, Buy.rowid"),
                 {productCode});
  return lines(kind,
               QStringLiteral("SELECT Sell.CustomerId, CompanyName, SQuantity, SPrice, SellDate, Comment "
                              "FROM Sell INNER JOIN Customers ON Sell.CustomerId = Customers.CustomerId "
                              "WHERE Sell.PID = ? ORDER BY Sell.CustomerId, Sell.rowid"),
               {productCode});
}

std::optional<data::DateRange> pickerRange(const QDate& from, const QDate& to) {
  if (!from.isValid() || !to.isValid() || from > to) return std::nullopt;
  return data::DateRange{data::isoDate(from), data::isoDate(to)};
}

}  // namespace partners
