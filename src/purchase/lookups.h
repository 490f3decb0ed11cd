#pragma once
// What the purchase screen's pickers list: categories, the products of a category and suppliers.
#include <QString>
#include <QVector>
#include <optional>

namespace purchase {

struct PickItem {
  QString code;  // the stored code, kept as the item's data
  QString text;  // what the list shows
};

// Every category as "CateID. CateName", in code order.
QVector<PickItem> categoryItems();
// The products of a category as "PId. PName", in code order.
QVector<PickItem> productItems(const QString& categoryCode);

struct Supplier {
  QString SupplierId;
  QString CompanyName;
  QString ContactName;
  // "CompanyName/ContactName", as the supplier name box shows it.
  QString shownName() const { return CompanyName + '/' + ContactName; }
};
// The supplier with this id (compared without regard to case), or nullopt.
std::optional<Supplier> supplierById(const QString& id);
// Every supplier in id order.
QVector<Supplier> allSuppliers();

}  // namespace purchase
