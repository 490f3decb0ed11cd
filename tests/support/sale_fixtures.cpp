#include "support/sale_fixtures.h"

namespace salefx {

void addProduct(const QString& pid, const QString& name, double price, double quantity, qint64 reorder,
                double price1, double price2) {
  data::Conn().exec(QStringLiteral("INSERT INTO Product (PId, PName, Price, Price1, Price2, Quantity, CID, "
                                   "ProNoun, PoOrder) VALUES (?, ?, ?, ?, ?, ?, 'C1', 'pcs', ?)"),
                    {pid, name, price, price1, price2, quantity, reorder});
}

void addLot(const QString& pid, const QString& isoDate, const QString& buyId, double quantity, double cost) {
  data::Conn().exec(
      QStringLiteral("INSERT INTO Buy (PId, BuyDate, BuyTime, BQuantity, BPrice, BuyId, RemainQ, "
                     "SupplierID) VALUES (?, ?, '09:00:00', ?, ?, ?, ?, 'S1')"),
      {pid, isoDate, quantity, cost, buyId, quantity});
}

void addCustomer(const QString& id, const QString& company, const QString& title, const QString& fax,
                 const QVariant& level) {
  data::Conn().exec(
      QStringLiteral("INSERT INTO Customers (CustomerId, CompanyName, ContactTitle, Fax, Discount) "
                     "VALUES (?, ?, ?, ?, ?)"),
      {id, company, title, fax, level});
}

void bindKey(int kbid, const QString& pid) {
  data::Conn().exec(QStringLiteral("UPDATE settingkb SET PID = ? WHERE KBID = ?"), {pid, kbid});
}

double stockOf(const QString& pid) {
  return data::Conn().scalar(QStringLiteral("SELECT Quantity FROM Product WHERE PId = ?"), {pid}).toDouble();
}

int sellRows() { return data::Conn().scalar(QStringLiteral("SELECT COUNT(*) FROM Sell")).toInt(); }

}  // namespace salefx
