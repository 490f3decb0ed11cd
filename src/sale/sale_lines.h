#pragma once
// The lines of the sale in progress as numbers. The sale grid shows them; the total is always the
// sum of the line amounts, so it cannot drift from what the grid shows.
#include <QString>
#include <QVector>

namespace sale {

struct SaleLine {
  QString name;  // PName
  double quantity = 0;
  double unitPrice = 0;  // at the customer's price level
  QString code;          // PId as stored in Product
  QString time;          // "HH:mm:ss", when the line entered the sale
  double stockLeft = 0;  // the product's stock minus this line's quantity, when last set

  double amount() const { return quantity * unitPrice; }
};

class SaleLines {
 public:
  int count() const { return static_cast<int>(lines_.size()); }
  bool empty() const { return lines_.isEmpty(); }
  const SaleLine& at(int i) const { return lines_.at(i); }
  const QVector<SaleLine>& all() const { return lines_; }

  // Appends a line and returns its index.
  int add(const SaleLine& line);
  // The index of the line of this product code (compared exactly), or -1.
  int find(const QString& code) const;
  void setQuantity(int i, double quantity, double stockLeft);
  void setQuantityPrice(int i, double quantity, double unitPrice, double stockLeft);
  void remove(int i);
  void clear() { lines_.clear(); }

  // The sum of the line amounts: exactly 0 with no lines.
  double total() const;

  // Column `col` of line i as the grid shows it: 0 line number, 1 name, 2 quantity, 3 unit
  // price, 4 amount, 5 code, 6 time, 7 stock left.
  QString cell(int i, int col) const;
  static constexpr int kColumns = 8;

 private:
  QVector<SaleLine> lines_;
};

}  // namespace sale
