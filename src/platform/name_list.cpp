#include "platform/name_list.h"

namespace plat {

QVariant NameItem::data(int role) const {
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
      return text_;
    case Qt::UserRole:
      return key_;
    case Qt::UserRole + 1:
      return extra_;
    default:
      return {};
  }
}

void NameItem::setData(int role, const QVariant& v) {
  if (role == Qt::DisplayRole || role == Qt::EditRole)
    text_ = v.toString();
  else if (role == Qt::UserRole)
    key_ = v;
  else if (role == Qt::UserRole + 1)
    extra_ = v;
}

int NameListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(items_.size());
}

QVariant NameListModel::data(const QModelIndex& index, int role) const {
  const NameItem* i = index.isValid() ? at(index.row()) : nullptr;
  return i ? i->data(role) : QVariant();
}

const NameItem* NameListModel::at(int row) const {
  if (row < 0 || row >= static_cast<int>(items_.size())) return nullptr;
  return &items_[static_cast<std::size_t>(row)];
}

void NameListModel::setItems(std::vector<NameItem> items) {
  beginResetModel();
  items_ = std::move(items);
  endResetModel();
}

void NameListModel::append(NameItem item) {
  const int n = static_cast<int>(items_.size());
  beginInsertRows({}, n, n);
  items_.push_back(std::move(item));
  endInsertRows();
}

void NameListModel::clear() { setItems({}); }

NameList::NameList(QWidget* parent) : QListView(parent), model_(new NameListModel(this)) {
  setModel(model_);
  // One height for every line: the view never measures a line it does not show.
  setUniformItemSizes(true);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::SingleSelection);
  connect(this, &QAbstractItemView::doubleClicked, this,
          [this](const QModelIndex& i) { emit itemDoubleClicked(i.row()); });
}

void NameList::setCurrentRow(int row) {
  const QModelIndex i = model_->index(row, 0);
  if (i.isValid()) setCurrentIndex(i);
}

void NameList::addItem(const QString& text, const QVariant& key, const QVariant& extra) {
  model_->append(NameItem(text, key, extra));
}

void NameList::setItems(std::vector<NameItem> items) { model_->setItems(std::move(items)); }
void NameList::clear() { model_->clear(); }

}  // namespace plat
