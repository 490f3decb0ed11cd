#include "platform/flexgrid.h"

#include <QHeaderView>

#include "platform/units.h"

namespace plat {

FlexGrid::FlexGrid(QWidget* parent) : QTableWidget(parent) {
  horizontalHeader()->setVisible(false);
  verticalHeader()->setVisible(false);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setRowCount(2);
  setColumnCount(2);
  styleRow(0);
}

void FlexGrid::setRows(int n) {
  const int old = rowCount();
  setRowCount(n);
  for (int r = old; r < n; ++r) styleRow(r);
}

void FlexGrid::setCols(int n) {
  setColumnCount(n);
  for (int r = 0; r < rowCount(); ++r) styleRow(r);
}

void FlexGrid::setFixedRows(int n) {
  fixedRows_ = n;
  for (int r = 0; r < rowCount(); ++r) styleRow(r);
}

QString FlexGrid::TextMatrix(int row, int col) const {
  const QTableWidgetItem* it = item(row, col);
  return it ? it->text() : QString();
}

void FlexGrid::setTextMatrix(int row, int col, const QString& text) {
  QTableWidgetItem* it = item(row, col);
  if (!it) {
    it = new QTableWidgetItem;
    setItem(row, col, it);
    styleRow(row);
  }
  it->setText(text);
}

void FlexGrid::AddItem(const QString& tabbed, int index) {
  const int r = index < 0 ? rowCount() : index;
  insertRow(r);
  const QStringList cells = tabbed.split('\t');
  for (int c = 0; c < columnCount(); ++c)
    setItem(r, c, new QTableWidgetItem(c < cells.size() ? cells[c] : QString()));
  styleRow(r);
}

void FlexGrid::RemoveItem(int row) { removeRow(row); }

void FlexGrid::Clear() {
  for (int r = 0; r < rowCount(); ++r)
    for (int c = 0; c < columnCount(); ++c)
      if (auto* it = item(r, c)) it->setText(QString());
}

void FlexGrid::setColWidth(int col, int twips) { setColumnWidth(col, twipsToPx(twips)); }
int FlexGrid::ColWidth(int col) const { return static_cast<int>(pxToTwips(columnWidth(col))); }

void FlexGrid::setColAlignment(int col, Qt::Alignment a) {
  align_.insert(col, a);
  for (int r = 0; r < rowCount(); ++r) styleRow(r);
}

void FlexGrid::setRow(int r) { setCurrentCell(r, currentColumn() < 0 ? 0 : currentColumn()); }
void FlexGrid::setCol(int c) { setCurrentCell(currentRow() < 0 ? 0 : currentRow(), c); }

void FlexGrid::styleRow(int r) {
  const bool fixed = r < fixedRows_;
  for (int c = 0; c < columnCount(); ++c) {
    QTableWidgetItem* it = item(r, c);
    if (!it) {
      it = new QTableWidgetItem;
      setItem(r, c, it);
    }
    if (fixed) {
      it->setBackground(palette().button());
      it->setFlags(Qt::ItemIsEnabled);
    } else {
      it->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
      if (align_.contains(c)) it->setTextAlignment(align_.value(c) | Qt::AlignVCenter);
    }
  }
}

}  // namespace plat
