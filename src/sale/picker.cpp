#include "sale/picker.h"

#include <QSqlError>
#include <QSqlQuery>
#include <algorithm>

#include "data/db.h"
#include "sale/entry.h"

namespace sale {

std::optional<StockOnHand> stockOnHand(const QString& code) {
  const data::Snapshot s =
      data::Conn().query(QStringLiteral("SELECT Quantity, PoOrder FROM Product WHERE PId = ?"), {code});
  if (s.eof()) return std::nullopt;
  return StockOnHand{s.number(QStringLiteral("Quantity")), s.number(QStringLiteral("PoOrder"))};
}

void eachProductNamed(const QString& text,
                      const std::function<void(QByteArrayView code, QByteArrayView name)>& f) {
  data::Conn().forEachRow(QStringLiteral("SELECT PId, PName FROM Product WHERE PName LIKE ? ESCAPE '\\'"),
                          {QStringLiteral("%") + likeLiteral(text) + QStringLiteral("%")},
                          [&](const data::RowView& row) { f(row.utf8(0), row.utf8(1)); });
}

ReusedSelect::ReusedSelect(QString sql) : sql_(std::move(sql)) {}
ReusedSelect::~ReusedSelect() = default;
ReusedSelect::ReusedSelect(ReusedSelect&&) noexcept = default;
ReusedSelect& ReusedSelect::operator=(ReusedSelect&&) noexcept = default;

bool ReusedSelect::run(const QVariantList& binds) {
  for (int i = 0; i < binds.size(); ++i) q_->bindValue(i, binds[i]);
  return q_->exec();
}

QVector<PickItem> ReusedSelect::items(const QVariantList& binds) {
  QSqlDatabase db = data::Conn().handle();
  if (!db.isOpen())
    throw data::DbError(QStringLiteral("Operation is not allowed when the object is closed."));
  const auto prepare = [&] {
    q_ = std::make_unique<QSqlQuery>(db);
    q_->setForwardOnly(true);
    if (!q_->prepare(sql_)) throw data::statementError(q_->lastError());
  };
  if (!q_) prepare();
  // A statement of a connection closed since no longer runs: prepared again, it does.
  if (!run(binds)) {
    prepare();
    if (!run(binds)) throw data::statementError(q_->lastError());
  }
  QVector<PickItem> out;
  while (q_->next()) out.push_back({q_->value(0).toString(), q_->value(1).toString()});
  q_->finish();
  return out;
}

ProductWindow::ProductWindow()
    : first_(
          QStringLiteral("SELECT PId, PName FROM Product WHERE CID = ? ORDER BY PId LIMIT %1").arg(kButtons)),
      after_(QStringLiteral("SELECT PId, PName FROM Product WHERE CID = ? AND PId > ? ORDER BY PId LIMIT %1")
                 .arg(kRow + 1)),
      before_(QStringLiteral(
                  "SELECT PId, PName FROM Product WHERE CID = ? AND PId < ? ORDER BY PId DESC LIMIT %1")
                  .arg(kRow + 1)) {}

void CategoryStrip::load(QVector<data::Category> all) {
  categories_ = std::move(all);
  first_ = 0;
}

PickItem CategoryStrip::slot(int i) const {
  const int k = first_ + i;
  if (i < 0 || i >= kShown || k >= categories_.size()) return {};
  return {categories_[k].CateID, categories_[k].CateName};
}

void CategoryStrip::next() {
  if (nextEnabled()) ++first_;
}

void CategoryStrip::back() {
  if (backEnabled()) --first_;
}

void ProductWindow::show(const QString& cid) {
  cid_ = cid;
  items_ = first_.items({cid});
  upEnabled_ = false;
  downEnabled_ = true;
}

bool ProductWindow::down() {
  if (items_.isEmpty()) return false;
  // One row more than is shown tells whether another follows.
  QVector<PickItem> after = after_.items({cid_, items_.last().code});
  if (after.isEmpty()) return false;
  const bool more = after.size() > kRow;
  after.resize(std::min<int>(after.size(), kRow));
  items_ = items_.mid(std::min<int>(kRow, items_.size())) + after;
  downEnabled_ = more;
  upEnabled_ = true;
  return true;
}

bool ProductWindow::up() {
  if (items_.isEmpty()) return false;
  QVector<PickItem> before = before_.items({cid_, items_.first().code});
  if (before.isEmpty()) {
    upEnabled_ = false;
    return false;
  }
  const bool more = before.size() > kRow;
  before.resize(std::min<int>(before.size(), kRow));
  std::reverse(before.begin(), before.end());
  items_ = (before + items_).mid(0, kButtons);
  upEnabled_ = more;
  downEnabled_ = true;
  return true;
}

PickItem ProductWindow::button(int i) const {
  if (i < 0 || i >= items_.size()) return {};
  return items_[i];
}

PickCheck checkPick(double stock, const QString& quantityText, double reorderPoint) {
  PickCheck c;
  const QString t = quantityText.trimmed();
  const qlonglong q = digitsValue(t);
  if (q > 32767) {
    c.outcome = PickCheck::TooMany;
    return c;
  }
  c.quantity = static_cast<int>(q);
  if (stock - c.quantity < 0) {
    c.outcome = PickCheck::NotEnough;
    return c;
  }
  c.reorderWarning = reorderPoint >= stock - c.quantity;
  if (c.quantity == 0) c.outcome = PickCheck::NoQuantity;
  return c;
}

}  // namespace sale
