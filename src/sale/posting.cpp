#include "sale/posting.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <limits>

#include "data/db.h"

namespace sale {

namespace {

// A bill's number is read with one index seek: SellByDateBill for one day, SellByBill otherwise.
const QString kMaxOfDay = QStringLiteral("SELECT MAX(Comment) FROM Sell WHERE SellDate = ?");
const QString kMaxOfAll = QStringLiteral("SELECT MAX(Comment) FROM Sell");
// The product's earliest lot with stock left (BuyByProductDate); ties come as the database gives them.
const QString kLot =
    QStringLiteral("SELECT BuyDate, BuyId FROM Buy WHERE PId = ? AND RemainQ > 0 ORDER BY BuyDate LIMIT 1");
const QString kInsert = QStringLiteral(
    "INSERT INTO Sell (PID, SellTime, SellDate, BuyDate, BuyId, SQuantity, SPrice, Comment, CustomerId, "
    "Employee, Recieve) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
// Relative, so a stock changed since the line was rung up is lowered, not overwritten.
const QString kLowerStock = QStringLiteral("UPDATE Product SET Quantity = Quantity - ? WHERE PId = ?");

struct Lot {
  QVariant buyDate;  // kept as stored (NULL stays NULL)
  QVariant buyId;
};

// A text as the tables keep it: an untouched box is the empty text, not NULL.
QVariant textValue(const QString& s) { return s.isNull() ? QVariant(QStringLiteral("")) : QVariant(s); }

// One statement prepared once per bill and run for every line.
class Statement {
 public:
  Statement(const QSqlDatabase& db, const QString& sql) : q_(db) {
    q_.setForwardOnly(true);
    if (!q_.prepare(sql)) throw data::statementError(q_.lastError());
  }
  QSqlQuery& run(const QVariantList& binds) {
    for (int i = 0; i < binds.size(); ++i) q_.bindValue(i, binds[i]);
    if (!q_.exec()) throw data::statementError(q_.lastError());
    return q_;
  }

 private:
  QSqlQuery q_;
};

}  // namespace

qint64 nextBillNo(const QDate& day, bool continuous) {
  if (!continuous && !day.isValid()) throw data::DbError(QStringLiteral("The sale date is not valid."));
  const QVariant highest = continuous ? data::Conn().scalar(kMaxOfAll)
                                      : data::Conn().scalar(kMaxOfDay, {day.toString(Qt::ISODate)});
  if (!highest.isValid() || highest.isNull()) return 1;
  bool ok = false;
  const qint64 n = highest.toLongLong(&ok);
  if (!ok)
    throw data::DbError(QStringLiteral("The last bill number '%1' is not a number.").arg(highest.toString()));
  if (n == std::numeric_limits<qint64>::max())
    throw data::DbError(QStringLiteral("No bill number is left after %1.").arg(n));
  return n < 0 ? 1 : n + 1;
}

qint64 postBill(const Posting& posting, const QDate& day, bool continuous) {
  if (!day.isValid()) throw data::DbError(QStringLiteral("The sale date is not valid."));
  const QString sellDate = day.toString(Qt::ISODate);
  const QVariant customer = posting.customerId.isEmpty() ? QVariant() : QVariant(posting.customerId);
  const QVariant employee = textValue(posting.employee);
  qint64 billNo = 0;

  data::Conn().transaction([&] {
    const QSqlDatabase db = data::Conn().handle();
    QVector<Lot> lots;
    lots.reserve(posting.lines.size());
    {
      // Every line's lot first, so a line without one stops the bill before anything is written.
      Statement lot(db, kLot);
      for (const PostingLine& line : posting.lines) {
        QSqlQuery& q = lot.run({textValue(line.code)});
        if (!q.next()) throw MissingLotError(line.code);
        lots.push_back({q.value(0), q.value(1)});
        q.finish();
      }
    }
    billNo = nextBillNo(day, continuous);

    Statement insert(db, kInsert);
    Statement lower(db, kLowerStock);
    for (int i = 0; i < posting.lines.size(); ++i) {
      const PostingLine& line = posting.lines[i];
      insert.run({textValue(line.code), textValue(line.entryTime), sellDate, lots[i].buyDate, lots[i].buyId,
                  line.quantity, line.unitPrice, billNo, customer, employee, posting.received});
      // A bill of a product that is gone would leave stock nobody counts: refuse it whole.
      if (lower.run({line.quantity, textValue(line.code)}).numRowsAffected() != 1)
        throw data::DbError(
            QStringLiteral("Product '%1' was not found; the bill was not posted.").arg(line.code));
    }
  });
  return billNo;
}

}  // namespace sale
