#include "purchase/lookups.h"

#include "data/categories.h"
#include "data/db.h"

namespace purchase {

namespace {
Supplier supplierAt(const data::Snapshot& s, int r) {
  return {s.at(r, "SupplierId").toString(), s.at(r, "CompanyName").toString(),
          s.at(r, "ContactName").toString()};
}
}  // namespace

QVector<PickItem> categoryItems() {
  QVector<PickItem> out;
  for (const data::Category& c : data::allCategories()) out.push_back({c.CateID, data::categoryText(c)});
  return out;
}

QVector<PickItem> productItems(const QString& categoryCode) {
  const data::Snapshot s = data::Conn().query(
      QStringLiteral("SELECT PId, PName FROM Product WHERE CID = ? ORDER BY PId"), {categoryCode});
  QVector<PickItem> out;
  for (int r = 0; r < s.size(); ++r) {
    const QString code = s.at(r, "PId").toString();
    out.push_back({code, code + QStringLiteral(". ") + s.at(r, "PName").toString()});
  }
  return out;
}

std::optional<Supplier> supplierById(const QString& id) {
  const data::Snapshot s = data::Conn().query(
      QStringLiteral(
          "SELECT SupplierId, CompanyName, ContactName FROM Suppliers WHERE SupplierId = ? LIMIT 1"),
      {id});
  if (s.empty()) return std::nullopt;
  return supplierAt(s, 0);
}

QVector<Supplier> allSuppliers() {
  const data::Snapshot s = data::Conn().query(
      QStringLiteral("SELECT SupplierId, CompanyName, ContactName FROM Suppliers ORDER BY SupplierId"));
  QVector<Supplier> out;
  for (int r = 0; r < s.size(); ++r) out.push_back(supplierAt(s, r));
  return out;
}

}  // namespace purchase
