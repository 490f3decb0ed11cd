#pragma once
// Posting a finished sale: the next bill number, one Sell row per line tagged with the product's
// earliest lot, and the stock lowered, all in one transaction.
#include <QDate>
#include <QString>
#include <QVector>
#include <stdexcept>

namespace sale {

struct PostingLine {
  QString code;          // the product code (column 5 of the sale grid)
  double quantity = 0;   // column 2
  double unitPrice = 0;  // column 3
  QString entryTime;     // "HH:MM:SS", when the line was entered (column 6)
};

struct Posting {
  QVector<PostingLine> lines;
  QString customerId;  // empty for a sale without a customer (the column is then left NULL)
  QString employee;
  double received = 0;  // cash tendered for the whole bill
};

// A line whose product has no lot with RemainQ > 0; nothing of the bill was posted.
class MissingLotError : public std::runtime_error {
 public:
  explicit MissingLotError(const QString& productCode)
      : std::runtime_error("Error in Stock and Buying lot not the same"), code(productCode) {}
  QString code;
};

// The next bill number: the highest Comment of the day (or of all sales when continuous) plus one.
qint64 nextBillNo(const QDate& day, bool continuous);

// Posts the bill dated day and returns its number. Throws MissingLotError or data::DbError; on
// any throw nothing is written.
qint64 postBill(const Posting& posting, const QDate& day, bool continuous);

}  // namespace sale
