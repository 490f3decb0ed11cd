#pragma once
// A pick list of names ("code.name" lines, say) held in a plain model: one text and at most two
// values per line, no item objects, every line one height, so a list of every product shows at
// once and stays small. Spoken to like the forms' list boxes: count, item, current row, add, clear.
#include <QAbstractListModel>
#include <QByteArrayView>
#include <QListView>
#include <QString>
#include <QVariant>
#include <memory>
#include <vector>

namespace plat {

// One line: its text, and the values kept under Qt::UserRole and Qt::UserRole + 1. A line whose key
// is its text's start holds nothing else, so a list of every product costs a text and a few bytes.
class NameItem {
 public:
  NameItem() = default;
  explicit NameItem(QString text, QVariant key = {}, QVariant extra = {});
  NameItem(const NameItem& o);
  NameItem& operator=(const NameItem& o);
  NameItem(NameItem&&) noexcept = default;
  NameItem& operator=(NameItem&&) noexcept = default;
  ~NameItem() = default;
  // The line "key<separator>rest" decoded from UTF-8 in one text, its key the text's first part.
  static NameItem keyed(QByteArrayView keyUtf8, QChar separator, QByteArrayView restUtf8);
  const QString& text() const { return text_; }
  // The value under a role: DisplayRole the text, UserRole the key, UserRole + 1 the extra.
  QVariant data(int role) const;
  void setData(int role, const QVariant& v);

 private:
  struct Values {
    QVariant key;
    QVariant extra;
  };
  Values& values();
  NameItem(QString text, qsizetype keyLength) : text_(std::move(text)), keyLength_(keyLength) {}

  QString text_;
  std::unique_ptr<Values> values_;  // null when the line keeps no value of its own
  // When not negative, the key is the text's first keyLength_ characters.
  qsizetype keyLength_ = -1;
};

class NameListModel : public QAbstractListModel {
  Q_OBJECT
 public:
  using QAbstractListModel::QAbstractListModel;
  int rowCount(const QModelIndex& parent = {}) const override;
  // The view asks for every row's index when it lays the list out: answered without virtual calls.
  QModelIndex index(int row, int column = 0, const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;

  const NameItem* at(int row) const;
  void setItems(std::vector<NameItem> items);
  void append(NameItem item);
  void clear();

 private:
  std::vector<NameItem> items_;
};

class NameList : public QListView {
  Q_OBJECT
 public:
  explicit NameList(QWidget* parent = nullptr);

  int count() const { return model_->rowCount(); }
  // The line at row, or nullptr outside the list.
  const NameItem* item(int row) const { return model_->at(row); }
  const NameItem* currentItem() const { return model_->at(currentRow()); }
  int currentRow() const { return currentIndex().row(); }
  void setCurrentRow(int row);

  void addItem(const QString& text, const QVariant& key = {}, const QVariant& extra = {});
  // Every line at once.
  void setItems(std::vector<NameItem> items);
  void clear();

 signals:
  void itemDoubleClicked(int row);

 private:
  NameListModel* model_;
};

}  // namespace plat
