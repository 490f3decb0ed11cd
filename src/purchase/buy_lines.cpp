#include "purchase/buy_lines.h"

#include <algorithm>

#include "platform/numtext.h"
#include "purchase/buy_grid.h"

namespace purchase {

using data::LineState;

Entered Entered::typed(const QString& text) { return {plat::parseNumber(text).value_or(0), text}; }

Entered Entered::plain(double v) {
  // The number the text shows, so that a save writes what the grid showed.
  const QString text = plat::plainNumber(v);
  return {plat::parseNumber(text).value_or(0), text};
}

int BuyLines::find(const QString& code) const {
  for (int i = 0; i < count(); ++i)
    if (lines_[i].code.compare(code, Qt::CaseInsensitive) == 0) return i;
  return -1;
}

// Each change sums in the order the screen always has, then rounds to the satang as the total box
// shows it and reads it back.
void BuyLines::setTotal(double sum) { total_ = plat::roundTo(sum, 2); }

int BuyLines::addTyped(const QString& buyId, const QString& code, const QString& name,
                       const Entered& quantity, const Entered& unitCost, const QString& stockShown) {
  BuyLine l;
  l.buyId = buyId;
  l.code = code;
  l.name = name;
  l.quantity = quantity;
  l.unitCost = unitCost;
  l.value = quantity.number * unitCost.number;
  l.baseQuantity = quantity;
  l.stockShown = stockShown;
  l.state = LineState::New;
  lines_.push_back(l);
  setTotal(total_ + l.value);
  return count() - 1;
}

void BuyLines::retype(int i, const Entered& quantity, const Entered& unitCost, const QString& stockShown) {
  BuyLine& l = lines_[i];
  const double old = l.quantity.number * l.unitCost.number;
  l.quantity = quantity;
  l.unitCost = unitCost;
  l.value = quantity.number * unitCost.number;
  l.valueAsMoney = false;
  l.plainValue = l.value;
  l.stockShown = stockShown;
  if (l.state == LineState::Saved) l.state = LineState::Changed;
  setTotal(total_ - old + l.value);
}

void BuyLines::load(const QVector<data::InvoiceLine>& lines) {
  reset();
  double sum = 0;
  for (const data::InvoiceLine& line : lines) {
    BuyLine l;
    l.buyId = line.BuyId;
    l.code = line.PId;
    l.name = line.PName;
    l.quantity = Entered::plain(line.BQuantity);
    l.unitCost = Entered::plain(line.BPrice);
    l.value = plat::roundTo(line.BQuantity * line.BPrice, 2);
    l.plainValue = l.value;
    l.baseQuantity = l.quantity;
    l.state = LineState::Saved;
    lines_.push_back(l);
    loadedCodes_ << line.PId;
    sum += l.value;
  }
  setTotal(sum);
}

void BuyLines::edit(int i, const Entered& quantity, const Entered& unitCost, double openingQuantity,
                    double openingCost) {
  BuyLine& l = lines_[i];
  // The total loses the value as the grid showed it, to the satang.
  const double shownOld = plat::roundTo(l.value, 2);
  l.quantity = quantity;
  l.unitCost = unitCost;
  l.value = quantity.number * unitCost.number;
  l.valueAsMoney = true;
  l.baseQuantity = Entered::plain(l.baseQuantity.number - quantity.number + openingQuantity);
  if (l.state == LineState::Saved && (quantity.number != openingQuantity || unitCost.number != openingCost))
    l.state = LineState::Changed;
  setTotal(total_ + l.value - shownOld);
}

void BuyLines::remove(int i) {
  const BuyLine l = lines_.takeAt(i);
  setTotal(total_ - l.quantity.number * l.unitCost.number);
}

void BuyLines::clear() {
  lines_.clear();
  total_ = 0;
}

void BuyLines::reset() {
  clear();
  loadedCodes_.clear();
}

QVector<data::LineToSave> BuyLines::toSave() const {
  QVector<data::LineToSave> out;
  out.reserve(count());
  for (const BuyLine& l : lines_) {
    data::LineToSave s;
    s.pid = l.code;
    s.quantity = l.quantity.number;
    s.price = l.unitCost.number;
    s.buyId = l.buyId;
    s.state = l.state;
    out.push_back(s);
  }
  return out;
}

QStringList BuyLines::removedLoaded() const {
  QStringList removed;
  for (const QString& code : loadedCodes_)
    if (find(code) < 0) removed << code;
  return removed;
}

QString BuyLines::cell(int i, int col) const {
  const BuyLine& l = lines_.at(i);
  switch (col) {
    case grid::Inv:
      return l.buyId;
    case grid::Pid:
      return l.code;
    case grid::Name:
      return l.name;
    case grid::Qty:
      return l.quantity.text;
    case grid::Price:
      return l.unitCost.text;
    case grid::Value:
      return l.valueAsMoney ? plat::fmtMoney(l.value) : plat::fmtPurchase(l.value);
    case grid::BaseQty:
      return l.baseQuantity.text;
    case grid::PlainValue:
      return l.plainValue ? plat::plainNumber(*l.plainValue) : QString();
    case grid::Stock:
      return l.stockShown;
    case grid::Status:
      return l.state == LineState::New       ? grid::kNew
             : l.state == LineState::Changed ? grid::kChanged
                                             : grid::kSaved;
    default:
      return {};
  }
}

QStringList BuyLines::cells(int i) const {
  QStringList out;
  for (int c = 0; c < grid::Count; ++c) out << cell(i, c);
  return out;
}

}  // namespace purchase
