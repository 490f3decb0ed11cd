#include "platform/name_list.h"

#include <algorithm>
#include <cstring>

namespace plat {

NameItem NameItem::keyed(QByteArrayView keyUtf8, QChar separator, QByteArrayView restUtf8) {
  const bool asciiKey = std::all_of(keyUtf8.begin(), keyUtf8.end(), [](char c) { return uchar(c) < 0x80; });
  if (!asciiKey || separator.unicode() >= 0x80) {
    QString key = QString::fromUtf8(keyUtf8);
    const qsizetype keyLength = key.size();
    return NameItem(key + separator + QString::fromUtf8(restUtf8), keyLength);
  }
  // An ASCII key and separator are whole characters, so the line's bytes decode in one pass, into
  // one allocation, to exactly the key's text, the separator and the rest's text.
  // QString::fromUtf8 drops a byte-order mark that opens its text; the rest's mark opens no text here.
  if (restUtf8.startsWith("\xef\xbb\xbf")) restUtf8 = restUtf8.sliced(3);
  thread_local QByteArray line;
  line.resize(keyUtf8.size() + 1 + restUtf8.size());
  char* out = line.data();
  if (!keyUtf8.isEmpty()) std::memcpy(out, keyUtf8.data(), static_cast<std::size_t>(keyUtf8.size()));
  out[keyUtf8.size()] = static_cast<char>(separator.unicode());
  if (!restUtf8.isEmpty())
    std::memcpy(out + keyUtf8.size() + 1, restUtf8.data(), static_cast<std::size_t>(restUtf8.size()));
  QString text = QString::fromUtf8(line);
  // Text that is not all ASCII decodes shorter than its bytes: give the slack back.
  if (text.capacity() - text.size() > 8) text.squeeze();
  return NameItem(std::move(text), keyUtf8.size());
}

NameItem::NameItem(QString text, QVariant key, QVariant extra) : text_(std::move(text)) {
  if (key.isValid() || extra.isValid()) values_.reset(new Values{std::move(key), std::move(extra)});
}

NameItem::NameItem(const NameItem& o)
    : text_(o.text_), values_(o.values_ ? new Values(*o.values_) : nullptr), keyLength_(o.keyLength_) {}

NameItem& NameItem::operator=(const NameItem& o) {
  if (this != &o) *this = NameItem(o);
  return *this;
}

NameItem::Values& NameItem::values() {
  if (!values_) values_.reset(new Values);
  return *values_;
}

QVariant NameItem::data(int role) const {
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
      return text_;
    case Qt::UserRole:
      if (keyLength_ >= 0) return text_.left(keyLength_);
      return values_ ? values_->key : QVariant();
    case Qt::UserRole + 1:
      return values_ ? values_->extra : QVariant();
    default:
      return {};
  }
}

void NameItem::setData(int role, const QVariant& v) {
  // A key read from the text stays as it was when the text changes.
  if (keyLength_ >= 0) {
    values().key = text_.left(keyLength_);
    keyLength_ = -1;
  }
  if (role == Qt::DisplayRole || role == Qt::EditRole)
    text_ = v.toString();
  else if (role == Qt::UserRole)
    values().key = v;
  else if (role == Qt::UserRole + 1)
    values().extra = v;
}

int NameListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(items_.size());
}

QModelIndex NameListModel::index(int row, int column, const QModelIndex& parent) const {
  const bool inside = !parent.isValid() && column == 0 && row >= 0 && row < static_cast<int>(items_.size());
  return inside ? createIndex(row, 0) : QModelIndex();
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

void NameList::setItems(std::vector<NameItem> items) {
  model_->setItems(std::move(items));
  // Laid out now, while the reset list has no current line: the view then finds no line it keeps
  // a note on, which makes laying out 100,000 lines cheaper than after the first pick.
  executeDelayedItemsLayout();
}
void NameList::clear() { model_->clear(); }

}  // namespace plat
