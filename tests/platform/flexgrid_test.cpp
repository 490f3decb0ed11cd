// The grid's own words on its model of texts.
#include "platform/flexgrid.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include "support/testenv.h"

namespace {

QStringList column(const plat::FlexGrid& g, int c) {
  QStringList out;
  for (int r = 0; r < g.Rows(); ++r) out << g.TextMatrix(r, c);
  return out;
}

TEST(FlexGrid, RowsComeAndGoWithTheirCellsAndHiddenValues) {
  plat::FlexGrid g;
  g.setFixedRows(0);
  g.setRows(0);
  g.setCols(3);
  g.AddItem("a\t1\tx");
  g.AddItem("c\t3");  // a short row: the missing cell is empty
  g.AddItem("b\t2\ty\textra", 1);
  EXPECT_EQ(column(g, 0), (QStringList{"a", "b", "c"}));
  EXPECT_EQ(g.TextMatrix(2, 2), "");
  EXPECT_EQ(g.TextMatrix(1, 2), "y");
  EXPECT_EQ(g.TextMatrix(9, 0), "");  // outside: empty, never a crash
  g.setTextMatrix(9, 0, "ignored");

  g.setCellData(1, 0, Qt::UserRole, "key-b");
  g.setCellData(2, 0, Qt::UserRole, "key-c");
  g.RemoveItem(0);
  EXPECT_EQ(column(g, 0), (QStringList{"b", "c"}));
  EXPECT_EQ(g.cellData(0, 0, Qt::UserRole).toString(), "key-b");
  EXPECT_EQ(g.cellData(1, 0, Qt::UserRole).toString(), "key-c");
  g.insertRow(0);
  EXPECT_EQ(g.cellData(1, 0, Qt::UserRole).toString(), "key-b");
  EXPECT_FALSE(g.cellData(0, 0, Qt::UserRole).isValid());
  g.setRows(2);  // the last row goes, and its value with it
  g.setRows(3);
  EXPECT_FALSE(g.cellData(2, 0, Qt::UserRole).isValid());
  EXPECT_EQ(g.TextMatrix(2, 0), "");

  g.setCols(4);  // texts stay in their columns
  EXPECT_EQ(g.TextMatrix(1, 1), "2");
  g.Clear();
  EXPECT_EQ(g.Rows(), 3);
  EXPECT_EQ(g.TextMatrix(1, 1), "");
}

TEST(FlexGrid, ManyRowsAtOnceKeepTheCallersRowsAndTheValuesOfRowsAfter) {
  plat::FlexGrid g;
  g.setFixedRows(0);
  g.setRows(0);
  g.setCols(2);
  const QVector<QStringList> kept = {{"a", "1"}, {"b", "2", "extra"}};
  QVector<QStringList> shared = kept;
  g.appendRows(std::move(shared));  // still held by kept: copied, not taken
  EXPECT_EQ(kept, (QVector<QStringList>{{"a", "1"}, {"b", "2", "extra"}}));
  g.appendRows(QVector<QStringList>{{"d"}, {"e", "5"}});
  EXPECT_EQ(column(g, 0), (QStringList{"a", "b", "d", "e"}));
  EXPECT_EQ(g.TextMatrix(2, 1), "");

  g.setColumnData(1, 0, Qt::UserRole, {QVariant("key-b"), QVariant(), QVariant("key-e"), QVariant("past")});
  EXPECT_EQ(g.cellData(1, 0, Qt::UserRole).toString(), "key-b");
  EXPECT_FALSE(g.cellData(2, 0, Qt::UserRole).isValid());
  EXPECT_EQ(g.cellData(3, 0, Qt::UserRole).toString(), "key-e");
  EXPECT_FALSE(g.cellData(4, 0, Qt::UserRole).isValid());  // no row 4: nothing kept for it

  g.gridModel()->insertRowsAt(1, QVector<QStringList>{{"x"}, {"y"}});  // rows after move with values
  EXPECT_EQ(column(g, 0), (QStringList{"a", "x", "y", "b", "d", "e"}));
  EXPECT_EQ(g.cellData(3, 0, Qt::UserRole).toString(), "key-b");
  EXPECT_EQ(g.cellData(5, 0, Qt::UserRole).toString(), "key-e");
  g.appendRows(QVector<QStringList>{{"f"}});  // appending moves none of them
  EXPECT_EQ(g.cellData(3, 0, Qt::UserRole).toString(), "key-b");
  EXPECT_FALSE(g.cellData(6, 0, Qt::UserRole).isValid());
}

TEST(FlexGrid, ReorderMovesWholeRowsAndTheCurrentCell) {
  plat::FlexGrid g;
  g.setFixedRows(0);
  g.setCols(2);
  g.setAllRows({{"r0", "a"}, {"r1", "b"}, {"r2", "c"}, {"r3", "d"}});
  g.setCellData(0, 1, Qt::UserRole, 10);
  g.setCurrentCell(0, 1);
  g.reorderRows({2, 0, 1});  // the first three rows only
  EXPECT_EQ(column(g, 0), (QStringList{"r2", "r0", "r1", "r3"}));
  EXPECT_EQ(column(g, 1), (QStringList{"c", "a", "b", "d"}));
  EXPECT_EQ(g.cellData(1, 1, Qt::UserRole).toInt(), 10);
  EXPECT_EQ(g.currentRow(), 1);
  EXPECT_EQ(g.currentColumn(), 1);
}

TEST(FlexGrid, FixedRowsAreHeadingsAndClicksNameTheCell) {
  plat::FlexGrid g;
  g.setCols(2);
  g.setRows(3);
  g.setTextMatrix(0, 0, "Head");
  g.setTextMatrix(2, 1, "cell");
  auto* m = g.gridModel();
  EXPECT_FALSE(m->flags(m->index(0, 0)) & Qt::ItemIsSelectable);
  EXPECT_TRUE(m->flags(m->index(1, 0)) & Qt::ItemIsSelectable);
  g.setColAlignment(1, Qt::AlignRight);
  EXPECT_EQ(m->data(m->index(2, 1), Qt::TextAlignmentRole).toInt(), int(Qt::AlignRight | Qt::AlignVCenter));

  g.resize(400, 300);
  g.show();
  QSignalSpy clicks(&g, &plat::FlexGrid::cellClicked);
  QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, g.cellRect(2, 1).center());
  ASSERT_EQ(clicks.size(), 1);
  EXPECT_EQ(clicks[0][0].toInt(), 2);
  EXPECT_EQ(clicks[0][1].toInt(), 1);
  EXPECT_EQ(g.Row(), 2);
  EXPECT_EQ(g.Col(), 1);
}

// The grid's delayed layout and the scroll area's queued one, run.
void settle() { QTest::qWait(20); }

// A grid wider and longer than its box, as the sale screen's: both bars shown.
void fillPastTheBox(plat::FlexGrid& g, int rows) {
  g.setFixedRows(0);
  g.setCols(4);
  g.setRows(0);
  for (int c = 0; c < 4; ++c) g.setColumnWidth(c, 150);
  g.resize(400, 200);
  g.show();
  for (int r = 0; r < rows; ++r) g.AddItem(QStringLiteral("%1\tname\t1\t2").arg(r));
  // Shown and painted whole before anything is counted: a slow machine paints the first show late.
  EXPECT_TRUE(QTest::qWaitForWindowExposed(&g));
  QTest::qWait(300);
}

TEST(FlexGrid, BarsComeAndGoWithTheRowsAndColumns) {
  plat::FlexGrid g;
  fillPastTheBox(g, 2);
  EXPECT_FALSE(g.verticalScrollBar()->isVisible());
  EXPECT_TRUE(g.horizontalScrollBar()->isVisible());
  for (int r = 0; r < 30; ++r) g.AddItem(QStringLiteral("more"));
  settle();
  EXPECT_TRUE(g.verticalScrollBar()->isVisible());
  EXPECT_EQ(g.verticalScrollBar()->maximum(), g.Rows() - g.viewport()->height() / g.rowHeight(0));
  g.setRows(1);
  settle();
  EXPECT_FALSE(g.verticalScrollBar()->isVisible());
  for (int c = 0; c < 4; ++c) g.setColumnWidth(c, 50);
  settle();
  EXPECT_FALSE(g.horizontalScrollBar()->isVisible());
  // The viewport takes the room the bars left.
  EXPECT_EQ(g.viewport()->height(), g.contentsRect().height());
}

TEST(FlexGrid, AnAddedRowRepaintsOnlyTheBarThatChanged) {
  plat::FlexGrid g;
  fillPastTheBox(g, 30);
  ASSERT_TRUE(g.verticalScrollBar()->isVisible() && g.horizontalScrollBar()->isVisible());
  testenv::Paints across(g.horizontalScrollBar()), down(g.verticalScrollBar()), cells(g.viewport());
  for (int r = 0; r < 5; ++r) {
    g.AddItem(QStringLiteral("new"));
    g.setRow(g.Rows() - 1);
    g.scrollToRow(g.Rows() - 1);
    settle();
  }
  QTest::qWait(300);  // every paint the rows asked for has arrived
  EXPECT_EQ(across.n, 0);
  EXPECT_GE(down.n, 5);
  EXPECT_GE(cells.n, 5);
  EXPECT_EQ(g.verticalScrollBar()->value(), g.verticalScrollBar()->maximum());
}

}  // namespace
