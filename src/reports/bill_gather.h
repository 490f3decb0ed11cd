#pragma once
// The bills of one day as the bill list and its reprint show them, read with one grouped query.
#include <QString>
#include <QVector>
#include <optional>

namespace data {
class Db;
}

namespace reports {

// One product of a bill at one price: lines of the same product and price are summed into one.
struct BillItem {
  QString code;
  QString name;
  double price = 0;
  double quantity = 0;
  double amount() const { return price * quantity; }
};

struct Bill {
  qint64 number = 0;
  QString sellDate;  // 'yyyy-MM-dd'
  QString sellTime;  // 'HH:MM:SS' of the bill's first line
  QString employee;  // of its last line
  double received = 0;
  QVector<BillItem> items;  // in the order the lines were posted
  double total() const;
};

// The bills of isoDay in bill number order, or only bill billNo. Lines whose product is gone from
// Product are left out, and so is a bill left with no line. Throws data::DbError.
QVector<Bill> gatherBills(data::Db& db, const QString& isoDay, std::optional<qint64> billNo = std::nullopt);

// A bill number as typed: digits with blanks around ("0000000012" and " 12 " are 12); nullopt
// for anything else, the empty text included.
std::optional<qint64> parseBillNo(const QString& text);

}  // namespace reports
