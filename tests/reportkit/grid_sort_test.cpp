#include "reportkit/grid_sort.h"

#include <gtest/gtest.h>

#include "platform/flexgrid.h"

namespace {

using namespace reportkit;

// Each row: a tag in column 0 and the key text in column 1.
void fill(plat::FlexGrid& g, const QStringList& keys) {
  g.setFixedRows(0);
  g.setRows(0);
  g.setCols(3);
  for (int i = 0; i < keys.size(); ++i) g.AddItem(QStringLiteral("r%1\t%2\tunit%1").arg(i).arg(keys[i]));
}

QStringList tags(const plat::FlexGrid& g) {
  QStringList out;
  for (int r = 0; r < g.Rows(); ++r) out << g.TextMatrix(r, 0);
  return out;
}

TEST(GridSortDesc, OrdersByEachKeyRuleStablyAndLargestFirst) {
  struct Case {
    const char* name;
    SortKey key;
    QStringList keys;
    QStringList expected;
  } cases[] = {
      {"empty", SortKey::Money, {}, {}},
      {"single", SortKey::Money, {"5"}, {"r0"}},
      {"all equal", SortKey::Money, {"1", "1.00", "1"}, {"r0", "r1", "r2"}},
      {"already descending", SortKey::Money, {"9", "5", "1"}, {"r0", "r1", "r2"}},
      {"grouped money, stable", SortKey::Money, {"1,234.50", "999.00", "1,234.50"}, {"r0", "r2", "r1"}},
      {"money at two decimals", SortKey::Money, {"10.001", "10.004", "9"}, {"r0", "r1", "r2"}},
      {"plain numbers keep decimals", SortKey::Number, {"10.001", "10.004", "-2"}, {"r1", "r0", "r2"}},
      {"numbers not texts", SortKey::Money, {"9", "10", "100"}, {"r2", "r1", "r0"}},
      {"dates", SortKey::Date, {"01/02/2024", "31/12/2023", "15/03/2024"}, {"r2", "r0", "r1"}},
      {"text by code", SortKey::Text, {"apple", "Banana", "banana", "ข้าว"}, {"r3", "r2", "r0", "r1"}},
      {"unconvertible lowest, in order",
       SortKey::Money,
       {"x", "3", "", "7", "  "},
       {"r3", "r1", "r0", "r2", "r4"}},
      {"bad dates lowest", SortKey::Date, {"31/02/2024", "01/01/2024", "soon"}, {"r1", "r0", "r2"}},
      {"codes: numbers by value above texts by code",
       SortKey::Code,
       {"9", "A7", "0012", "B1", "10", "12"},
       {"r2", "r5", "r4", "r0", "r3", "r1"}},
  };
  for (const auto& c : cases) {
    plat::FlexGrid g;
    fill(g, c.keys);
    GridSortDesc(g, 1, c.key, g.Rows());
    EXPECT_EQ(tags(g), c.expected) << c.name;
    // Whole rows move: every row still carries its own key and unit.
    for (int r = 0; r < g.Rows(); ++r) {
      const int was = g.TextMatrix(r, 0).mid(1).toInt();
      EXPECT_EQ(g.TextMatrix(r, 1), c.keys[was]) << c.name;
      EXPECT_EQ(g.TextMatrix(r, 2), QStringLiteral("unit%1").arg(was)) << c.name;
    }
    // A second press changes nothing.
    const QStringList once = tags(g);
    GridSortDesc(g, 1, c.key, g.Rows());
    EXPECT_EQ(tags(g), once) << c.name;
  }
}

TEST(GridSortDesc, SortsOnlyTheCountedRowsAndNeverBeyondTheGrid) {
  plat::FlexGrid g;
  fill(g, {"1", "2", "3", "4"});
  GridSortDesc(g, 1, SortKey::Money, 2);  // a stale count smaller than the grid
  EXPECT_EQ(tags(g), (QStringList{"r1", "r0", "r2", "r3"}));
  GridSortDesc(g, 1, SortKey::Money, 500);  // a count beyond the grid
  EXPECT_EQ(tags(g), (QStringList{"r3", "r2", "r1", "r0"}));
  EXPECT_EQ(g.Rows(), 4);
  GridSortDesc(g, 7, SortKey::Money, 4);  // no such column
  GridSortDesc(g, 1, SortKey::Money, -3);
  EXPECT_EQ(tags(g), (QStringList{"r3", "r2", "r1", "r0"}));
}

TEST(TranVal, CopiesEveryCellOfARowAndLeavesTheSource) {
  plat::FlexGrid g;
  fill(g, {"1", "2"});
  TranVal(g, 0, 1);
  EXPECT_EQ(g.TextMatrix(1, 0), QStringLiteral("r0"));
  EXPECT_EQ(g.TextMatrix(1, 2), QStringLiteral("unit0"));
  EXPECT_EQ(g.TextMatrix(0, 0), QStringLiteral("r0"));
  TranVal(g, 0, 9);  // outside the grid: nothing
  EXPECT_EQ(g.Rows(), 2);
}

}  // namespace
