#pragma once
// The grid of the forms, spoken to in the grid's own words. Fixed rows are ordinary rows at the
// top (row 0 is the heading when FixedRows is 1), drawn as headings. The cells live in a plain
// model of texts (one QString per cell, no item objects), so a list of 100,000 rows fills in a
// moment and takes little memory; the view draws only the rows on screen.
#include <QAbstractTableModel>
#include <QHash>
#include <QStringList>
#include <QTableView>
#include <QVector>
#include <vector>

namespace plat {

// The cells of a grid: rows x cols texts, and rarely used extra values per cell (a hidden key).
class FlexGridModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit FlexGridModel(QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  const QString& text(int row, int col) const;
  void setText(int row, int col, const QString& text);
  QVariant cellData(int row, int col, int role) const;
  void setCellData(int row, int col, int role, const QVariant& v);
  // Values under role in column col of rows firstRow on, one a row (an invalid one sets none),
  // told to the view once.
  void setColumnData(int firstRow, int col, int role, const QVector<QVariant>& values);

  void setRowCount(int n);
  void setColumnCount(int n);
  // Inserts rows (each a list of cell texts, missing cells empty) before row `at` in one step.
  void insertRowsAt(int at, const QVector<QStringList>& rows);
  void insertRowsAt(int at, QVector<QStringList>&& rows);  // the texts moved in, not copied
  void removeRowAt(int row);
  // Replaces every row at once.
  void setAllRows(QVector<QStringList> rows);
  void clearTexts();
  // Puts the rows in a new order: row i becomes the row that stood at order[i] (order a
  // permutation of 0 .. order.size() - 1; later rows stay where they are).
  void reorderRows(const std::vector<int>& order);

  void setFixedRows(int n);
  int fixedRows() const { return fixed_; }
  void setColumnAlignment(int col, Qt::Alignment a);
  void setFixedBrush(const QBrush& b) { fixedBrush_ = b; }

 private:
  qsizetype at(int row, int col) const { return static_cast<qsizetype>(row) * cols_ + col; }
  // Row in the high 32 bits, column and role 16 bits each.
  static quint64 key(int row, int col, int role) {
    return (static_cast<quint64>(static_cast<quint32>(row)) << 32) |
           (static_cast<quint64>(col & 0xffff) << 16) | static_cast<quint64>(role & 0xffff);
  }
  void shiftExtras(int fromRow, int by);
  template <typename Rows>
  void insertRows(int at, Rows&& rows);
  int rows_ = 0;
  int cols_ = 0;
  int fixed_ = 1;
  // Row-major. A list of texts, not a std::vector: it grows by reallocating the block, without moving
  // each text, so appending a long list costs no copy of what is already there.
  QList<QString> cells_;
  QHash<quint64, QVariant> extras_;
  QHash<int, Qt::Alignment> align_;
  QBrush fixedBrush_;
};

class FlexGrid : public QTableView {
  Q_OBJECT
 public:
  explicit FlexGrid(QWidget* parent = nullptr);

  int Rows() const { return model_->rowCount(); }
  void setRows(int n);
  int Cols() const { return model_->columnCount(); }
  void setCols(int n);
  int FixedRows() const { return model_->fixedRows(); }
  void setFixedRows(int n);

  QString TextMatrix(int row, int col) const;
  void setTextMatrix(int row, int col, const QString& text);
  // Appends a row of tab-separated cell texts (or inserts it at index when index >= 0).
  void AddItem(const QString& tabbed, int index = -1);
  void RemoveItem(int row);
  void Clear();  // empties every cell, keeps the shape

  // Many rows at once: replaces every row, or appends after the last.
  void setAllRows(QVector<QStringList> rows);
  void appendRows(const QVector<QStringList>& rows);
  void appendRows(QVector<QStringList>&& rows);
  // Row i becomes the row that stood at order[i], values and all (see FlexGridModel).
  void reorderRows(const std::vector<int>& order) { model_->reorderRows(order); }

  void setColWidth(int col, int twips);
  // The column twips wide, or wider where widest (the longest text it holds) would be cut in the
  // grid's own font: widths in twips were drawn for another platform's font.
  void setColWidthFor(int col, int twips, const QString& widest);
  int ColWidth(int col) const;
  void setColAlignment(int col, Qt::Alignment a);

  int Row() const { return currentRow(); }
  void setRow(int r);
  int Col() const { return currentColumn(); }
  void setCol(int c);

  // A value kept with a cell beside its text (a code behind a shown name, say).
  QVariant cellData(int row, int col, int role) const { return model_->cellData(row, col, role); }
  void setCellData(int row, int col, int role, const QVariant& v) { model_->setCellData(row, col, role, v); }
  void setColumnData(int firstRow, int col, int role, const QVector<QVariant>& values) {
    model_->setColumnData(firstRow, col, role, values);
  }
  void scrollToRow(int row, ScrollHint hint = EnsureVisible);
  // The cell's rectangle in the viewport.
  QRect cellRect(int row, int col) const;

  // The table words the forms also use.
  int rowCount() const { return Rows(); }
  int columnCount() const { return Cols(); }
  void setRowCount(int n) { setRows(n); }
  void setColumnCount(int n) { setCols(n); }
  int currentRow() const;
  int currentColumn() const;
  void setCurrentCell(int row, int col);
  void insertRow(int row);
  void removeRow(int row) { RemoveItem(row); }

  FlexGridModel* gridModel() const { return model_; }

 protected:
  void updateGeometries() override;

 signals:
  void cellClicked(int row, int column);
  void cellDoubleClicked(int row, int column);
  void cellActivated(int row, int column);  // Enter on a cell, or a double click
  void currentCellChanged(int currentRow, int currentColumn, int previousRow, int previousColumn);

 private:
  FlexGridModel* model_;
};

}  // namespace plat
