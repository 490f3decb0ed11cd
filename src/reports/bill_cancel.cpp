#include "reports/bill_cancel.h"

#include "data/db.h"

namespace reports {

namespace {

// The bill's lines with the product each refers to (NULL when it is gone).
const QString kLines = QStringLiteral(
    "SELECT s.PID, p.PId FROM Sell s LEFT JOIN Product p ON p.PId = s.PID "
    "WHERE s.SellDate = ? AND s.Comment = ? ORDER BY s.rowid");
// Every product of the bill gets back the sum of its lines' quantities, exactly as stored.
const QString kGiveBack = QStringLiteral(
    "UPDATE Product SET Quantity = IFNULL(Quantity, 0) + "
    "(SELECT IFNULL(SUM(s.SQuantity), 0) FROM Sell s WHERE s.SellDate = ? AND s.Comment = ? "
    "AND s.PID = Product.PId) "
    "WHERE PId IN (SELECT PID FROM Sell WHERE SellDate = ? AND Comment = ?)");
const QString kZero =
    QStringLiteral("UPDATE Sell SET SQuantity = 0, Recieve = 0 WHERE SellDate = ? AND Comment = ?");
const QString kDeleteDay = QStringLiteral("DELETE FROM Sell WHERE SellDate = ?");

}  // namespace

bool cancelBill(data::Db& db, const QString& isoDay, qint64 billNo) {
  bool found = false;
  db.transaction([&] {
    const data::Snapshot lines = db.query(kLines, {isoDay, billNo});
    if (lines.empty()) return;
    found = true;
    // Every product first, so a bill with a product gone changes nothing.
    for (const auto& row : lines.rows())
      if (row[1].isNull()) throw MissingProductError(row[0].toString());
    db.exec(kGiveBack, {isoDay, billNo, isoDay, billNo});
    db.exec(kZero, {isoDay, billNo});
  });
  return found;
}

int deleteDay(data::Db& db, const QString& isoDay) {
  int n = 0;
  db.transaction([&] { n = db.exec(kDeleteDay, {isoDay}); });
  return n;
}

}  // namespace reports
