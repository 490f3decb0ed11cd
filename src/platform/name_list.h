#pragma once
// A pick list of names ("code.name" lines, say) held in a plain model: one text and at most two
// values per line, no item objects, every line one height, so a list of every product shows at
// once and stays small. Spoken to like the forms' list boxes: count, item, current row, add, clear.
#include <QAbstractListModel>
#include <QListView>
#include <QString>
#include <QVariant>
#include <vector>

namespace plat {

// One line: its text, and the values kept under Qt::UserRole and Qt::UserRole + 1.
class NameItem {
 public:
  NameItem() = default;
  explicit NameItem(QString text, QVariant key = {}, QVariant extra = {})
      : text_(std::move(text)), key_(std::move(key)), extra_(std::move(extra)) {}
  const QString& text() const { return text_; }
  // The value under a role: DisplayRole the text, UserRole the key, UserRole + 1 the extra.
  QVariant data(int role) const;
  void setData(int role, const QVariant& v);

 private:
  QString text_;
  QVariant key_;
  QVariant extra_;
};

class NameListModel : public QAbstractListModel {
  Q_OBJECT
 public:
  using QAbstractListModel::QAbstractListModel;
  int rowCount(const QModelIndex& parent = {}) const override;
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
