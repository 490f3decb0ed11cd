#include "reports/bill_gather.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include "data/db.h"

namespace reports {

namespace {

// One row per bill, product and price. The bare SellTime, Employee and Recieve come from the
// group's first line (the row MIN(rowid) picks), so the bill's time is that of its first line.
const QString kDay = QStringLiteral(
    "SELECT s.Comment, s.PID, p.PName, s.SPrice, SUM(s.SQuantity), MIN(s.rowid), s.SellTime, s.Employee, "
    "s.Recieve FROM Sell s JOIN Product p ON p.PId = s.PID "
    "WHERE s.SellDate = ? AND s.Comment IS NOT NULL %1"
    "GROUP BY s.Comment, s.PID, s.SPrice ORDER BY s.Comment, MIN(s.rowid)");

}  // namespace

double Bill::total() const {
  double t = 0;
  for (const BillItem& i : items) t += i.amount();
  return t;
}

QVector<Bill> gatherBills(data::Db& db, const QString& isoDay, std::optional<qint64> billNo) {
  QSqlQuery q(db.handle());
  q.setForwardOnly(true);
  if (!q.prepare(kDay.arg(billNo ? QStringLiteral("AND s.Comment = ? ") : QString())))
    throw data::statementError(q.lastError());
  q.addBindValue(isoDay);
  if (billNo) q.addBindValue(*billNo);
  if (!q.exec()) throw data::statementError(q.lastError());

  QVector<Bill> bills;
  while (q.next()) {
    const qint64 number = q.value(0).toLongLong();
    if (bills.isEmpty() || bills.last().number != number) {
      Bill b;
      b.number = number;
      b.sellDate = isoDay;
      b.sellTime = q.value(6).toString();
      bills.push_back(std::move(b));
    }
    Bill& b = bills.last();
    b.employee = q.value(7).toString();
    b.received = q.value(8).toDouble();
    b.items.push_back(
        {q.value(1).toString(), q.value(2).toString(), q.value(3).toDouble(), q.value(4).toDouble()});
  }
  q.finish();
  return bills;
}

std::optional<qint64> parseBillNo(const QString& text) {
  const QString t = text.trimmed();
  if (t.isEmpty()) return std::nullopt;
  for (const QChar c : t)
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return std::nullopt;
  // Leading zeros are how bill numbers are printed; more digits than a bill number holds are not one.
  qsizetype first = 0;
  while (first < t.size() - 1 && t[first] == QLatin1Char('0')) ++first;
  if (t.size() - first > 18) return std::nullopt;
  return t.mid(first).toLongLong();
}

}  // namespace reports
