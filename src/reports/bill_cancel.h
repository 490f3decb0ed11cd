#pragma once
// Cancelling a bill (its stock given back, its lines kept at quantity 0) and deleting a day's sale
// lines; each one transaction.
#include <QString>
#include <stdexcept>

namespace data {
class Db;
}

namespace reports {

// A line of the bill whose product is no longer in Product; nothing was changed.
class MissingProductError : public std::runtime_error {
 public:
  explicit MissingProductError(const QString& productCode)
      : std::runtime_error("product not found"), code(productCode) {}
  QString code;
};

// Gives back the stock of every line of bill billNo of isoDay and sets the lines' SQuantity and
// Recieve to 0. False when the day has no such bill. Throws MissingProductError or data::DbError;
// on any throw nothing is changed.
bool cancelBill(data::Db& db, const QString& isoDay, qint64 billNo);

// Deletes every sale line of isoDay, leaving stock as it is; returns the lines deleted. Throws
// data::DbError.
int deleteDay(data::Db& db, const QString& isoDay);

}  // namespace reports
