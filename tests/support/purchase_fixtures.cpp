#include "support/purchase_fixtures.h"

#include "data/db.h"

namespace purchasefx {

using data::Conn;

void addCategory(const QString& id, const QString& name) {
  Conn().exec("INSERT INTO Category (CateID, CateName) VALUES (?, ?)", {id, name});
}

void addProduct(const QString& pid, const QString& name, double quantity, const QString& category,
                const QString& unit) {
  Conn().exec(
      "INSERT INTO Product (PId, PName, Price, Price1, Price2, Quantity, CID, ProNoun, PoOrder) "
      "VALUES (?, ?, 20, 19, 18, ?, ?, ?, 0)",
      {pid, name, quantity, category, unit});
}

void addSupplier(const QString& id, const QString& company, const QString& contact) {
  Conn().exec("INSERT INTO Suppliers (SupplierId, CompanyName, ContactName) VALUES (?, ?, ?)",
              {id, company, contact});
}

void addLot(const QString& pid, const QString& isoDate, const QString& buyId, double quantity, double price,
            const QString& supplier, const QString& time) {
  Conn().exec(
      "INSERT INTO Buy (PId, BuyDate, BuyTime, BQuantity, BPrice, BuyId, RemainQ, SupplierID) "
      "VALUES (?, ?, ?, ?, ?, ?, ?, ?)",
      {pid, isoDate, time, quantity, price, buyId, quantity, supplier});
}

double stockOf(const QString& pid) {
  return Conn().scalar("SELECT Quantity FROM Product WHERE PId = ?", {pid}).toDouble();
}

int buyRows() { return Conn().scalar("SELECT COUNT(*) FROM Buy").toInt(); }

int buyRows(const QString& isoDate, const QString& buyId) {
  return Conn().scalar("SELECT COUNT(*) FROM Buy WHERE BuyDate = ? AND BuyId = ?", {isoDate, buyId}).toInt();
}

QString lotField(const QString& pid, const QString& isoDate, const QString& buyId, const QString& column) {
  const data::Snapshot s =
      Conn().query("SELECT * FROM Buy WHERE PId = ? AND BuyDate = ? AND BuyId = ?", {pid, isoDate, buyId});
  if (s.size() != 1) return s.empty() ? QString() : QStringLiteral("<%1 rows>").arg(s.size());
  return s.text(column);
}

void refuseLotsOf(const QString& pid) {
  // The value is a literal here: SQLite takes no bound values in a trigger's definition.
  QString quoted = pid;
  quoted.replace('\'', "''");
  Conn().exec(QStringLiteral("CREATE TEMP TRIGGER refuse_lot BEFORE INSERT ON Buy WHEN NEW.PId = '%1' "
                             "BEGIN SELECT RAISE(ABORT, 'disk I/O error (test)'); END")
                  .arg(quoted));
}

void acceptAllLots() { Conn().exec("DROP TRIGGER IF EXISTS refuse_lot"); }

}  // namespace purchasefx
