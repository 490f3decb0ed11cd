#include "data/partners.h"

#include <QVariantList>

namespace data {

std::optional<Customer> customerById(const QString& id) {
  const Snapshot s =
      Conn().query(QStringLiteral("SELECT * FROM Customers WHERE CustomerId = ? LIMIT 1"), {id});
  if (s.eof()) return std::nullopt;
  Customer c;
  c.CustomerId = s.text("CustomerId");
  c.CompanyName = s.text("CompanyName");
  c.ContactName = s.text("ContactName");
  c.ContactTitle = s.text("ContactTitle");
  c.Address = s.text("Address");
  c.City = s.text("City");
  c.Region = s.text("Region");
  c.PostalCode = s.text("PostalCode");
  c.Country = s.text("Country");
  c.Phone = s.text("Phone");
  c.Fax = s.text("Fax");
  c.Discount = s.text("Discount");
  return c;
}

std::optional<QString> customerIdWithName(const QString& id, const QString& companyName) {
  const QVariant v = Conn().scalar(
      QStringLiteral("SELECT CustomerId FROM Customers WHERE CustomerId = ? AND CompanyName = ? LIMIT 1"),
      {id, companyName});
  if (!v.isValid()) return std::nullopt;
  return v.toString();
}

void eachCustomerName(const std::function<void(QByteArrayView id, QByteArrayView name)>& f) {
  Conn().forEachRow(QStringLiteral("SELECT CustomerId, CompanyName FROM Customers ORDER BY CustomerId"), {},
                    [&](const RowView& row) { f(row.utf8(0), row.utf8(1)); });
}

const PartnerTable& suppliersTable() {
  static const PartnerTable t{
      QStringLiteral("Suppliers"),
      {"SupplierId", "SupType", "CompanyName", "ContactName", "ContactTitle", "Address", "City", "Region",
       "PostalCode", "Country", "Phone", "Fax", "Homepage", "BusinessDesc", "Email"},
      QStringLiteral("Buy"),
      QStringLiteral("SupplierID")};
  return t;
}

const PartnerTable& customersTable() {
  static const PartnerTable t{QStringLiteral("Customers"),
                              {"CustomerId", "CompanyName", "ContactName", "ContactTitle", "Address", "City",
                               "Region", "PostalCode", "Country", "Phone", "Fax", "Discount"},
                              QStringLiteral("Sell"),
                              QStringLiteral("CustomerId")};
  return t;
}

namespace {
// Table and column names come only from the two descriptions above, never from input.
QString byIdWhere(const PartnerTable& t) { return QStringLiteral(" WHERE %1 = ?").arg(t.idColumn()); }

// Texts are stored without leading and trailing blanks (New puts one blank in every box).
QVariantList toBinds(const QStringList& values) {
  QVariantList b;
  b.reserve(values.size());
  for (const QString& v : values) b << QVariant(v.isNull() ? QStringLiteral("") : v.trimmed());
  return b;
}

void checkWidth(const PartnerTable& t, const QStringList& values) {
  if (values.size() != t.columns.size())
    throw DbError(
        QStringLiteral("%1: %2 values for %3 columns").arg(t.table).arg(values.size()).arg(t.columns.size()));
}
}  // namespace

Snapshot partnerRows(const PartnerTable& t) {
  return Conn().query(QStringLiteral("SELECT * FROM %1 ORDER BY %2").arg(t.table, t.idColumn()));
}

InsertOutcome insertPartner(const PartnerTable& t, QStringList values) {
  checkWidth(t, values);
  values[0] = values[0].trimmed();
  if (values[0].isEmpty()) return InsertOutcome::EmptyId;
  InsertOutcome outcome = InsertOutcome::Inserted;
  Conn().transaction([&] {
    if (Conn()
            .scalar(QStringLiteral("SELECT 1 FROM %1").arg(t.table) + byIdWhere(t), {values[0]})
            .isValid()) {
      outcome = InsertOutcome::DuplicateId;
      return;
    }
    QStringList marks;
    for (int i = 0; i < values.size(); ++i) marks << QStringLiteral("?");
    Conn().exec(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                    .arg(t.table, t.columns.join(QLatin1Char(',')), marks.join(QLatin1Char(','))),
                toBinds(values));
  });
  return outcome;
}

int updatePartner(const PartnerTable& t, const QStringList& values) {
  checkWidth(t, values);
  QStringList sets;
  for (int i = 1; i < t.columns.size(); ++i) sets << t.columns[i] + QStringLiteral(" = ?");
  QVariantList binds = toBinds(values.mid(1));
  binds << values[0];
  return Conn().exec(
      QStringLiteral("UPDATE %1 SET %2").arg(t.table, sets.join(QLatin1Char(','))) + byIdWhere(t), binds);
}

DeleteOutcome deletePartner(const PartnerTable& t, const QString& id) {
  DeleteOutcome outcome = DeleteOutcome::Deleted;
  // The check and the delete stand together, so no reference can slip in between.
  Conn().transaction([&] {
    if (Conn()
            .scalar(QStringLiteral("SELECT 1 FROM %1 WHERE %2 = ? LIMIT 1").arg(t.refTable, t.refColumn),
                    {id})
            .isValid()) {
      outcome = DeleteOutcome::Referenced;
      return;
    }
    if (Conn().exec(QStringLiteral("DELETE FROM %1").arg(t.table) + byIdWhere(t), {id}) == 0)
      outcome = DeleteOutcome::NotFound;
  });
  return outcome;
}

QStringList partnerIdsStartingWith(const PartnerTable& t, const QString& prefix) {
  const Snapshot s = Conn().query(QStringLiteral("SELECT %2 FROM %1 ORDER BY %2").arg(t.table, t.idColumn()));
  QStringList ids;
  for (const auto& row : s.rows()) {
    const QString id = row[0].toString();
    if (id.startsWith(prefix, Qt::CaseSensitive)) ids << id;
  }
  return ids;
}

}  // namespace data
