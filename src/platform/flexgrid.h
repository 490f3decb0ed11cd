#pragma once
// The grid of the forms: a QTableWidget spoken to in the grid's own words. Fixed rows are
// ordinary rows at the top (row 0 is the heading when FixedRows is 1), drawn as headings.
#include <QTableWidget>

namespace plat {

class FlexGrid : public QTableWidget {
  Q_OBJECT
 public:
  explicit FlexGrid(QWidget* parent = nullptr);

  int Rows() const { return rowCount(); }
  void setRows(int n);
  int Cols() const { return columnCount(); }
  void setCols(int n);
  int FixedRows() const { return fixedRows_; }
  void setFixedRows(int n);

  QString TextMatrix(int row, int col) const;
  void setTextMatrix(int row, int col, const QString& text);
  // Appends a row of tab-separated cell texts (or inserts it at index when index >= 0).
  void AddItem(const QString& tabbed, int index = -1);
  void RemoveItem(int row);
  void Clear();  // empties every cell, keeps the shape

  void setColWidth(int col, int twips);
  int ColWidth(int col) const;
  void setColAlignment(int col, Qt::Alignment a);

  int Row() const { return currentRow(); }
  void setRow(int r);
  int Col() const { return currentColumn(); }
  void setCol(int c);

 private:
  void styleRow(int r);
  int fixedRows_ = 1;
  QHash<int, Qt::Alignment> align_;
};

}  // namespace plat
