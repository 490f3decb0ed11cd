#include "sale/sale_lines.h"

#include "platform/numtext.h"

namespace sale {

int SaleLines::add(const SaleLine& line) {
  lines_.push_back(line);
  return count() - 1;
}

int SaleLines::find(const QString& code) const {
  for (int i = 0; i < count(); ++i)
    if (lines_[i].code == code) return i;
  return -1;
}

void SaleLines::setQuantity(int i, double quantity, double stockLeft) {
  lines_[i].quantity = quantity;
  lines_[i].stockLeft = stockLeft;
}

void SaleLines::setQuantityPrice(int i, double quantity, double unitPrice, double stockLeft) {
  lines_[i].quantity = quantity;
  lines_[i].unitPrice = unitPrice;
  lines_[i].stockLeft = stockLeft;
}

void SaleLines::remove(int i) { lines_.removeAt(i); }

double SaleLines::total() const {
  double sum = 0;
  for (const SaleLine& l : lines_) sum += l.amount();
  return sum;
}

QString SaleLines::cell(int i, int col) const {
  const SaleLine& l = lines_.at(i);
  switch (col) {
    case 0:
      return QString::number(i + 1);
    case 1:
      return l.name;
    case 2:
      return plat::plainNumber(l.quantity);
    case 3:
      return plat::plainNumber(l.unitPrice);
    case 4:
      return plat::plainNumber(l.amount());
    case 5:
      return l.code;
    case 6:
      return l.time;
    case 7:
      return plat::plainNumber(l.stockLeft);
    default:
      return {};
  }
}

}  // namespace sale
