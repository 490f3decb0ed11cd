// The sale lines as numbers: the total is the sum of the line amounts after every change.
#include "sale/sale_lines.h"

#include <gtest/gtest.h>

namespace {

sale::SaleLine line(const char* code, double qty, double price) {
  sale::SaleLine l;
  l.name = QStringLiteral("Item ") + code;
  l.code = code;
  l.quantity = qty;
  l.unitPrice = price;
  l.time = "10:30:00";
  l.stockLeft = 10 - qty;
  return l;
}

TEST(SaleLines, TotalFollowsEveryChangeAndIsExactlyZeroWithoutLines) {
  sale::SaleLines s;
  EXPECT_EQ(s.total(), 0.0);
  s.add(line("A", 3, 0.1));
  s.add(line("B", 1, 0.2));
  s.add(line("C", 2, 1250.25));
  EXPECT_DOUBLE_EQ(s.total(), 0.3 + 0.2 + 2500.5);
  s.setQuantityPrice(1, 4, 0.5, 6);
  EXPECT_DOUBLE_EQ(s.total(), 0.3 + 2 + 2500.5);
  s.remove(2);
  s.remove(0);
  s.remove(0);
  EXPECT_TRUE(s.empty());
  // No tiny remainder is left after removals: the total is recomputed, not carried.
  EXPECT_EQ(s.total(), 0.0);
}

TEST(SaleLines, CellsAreTheGridColumnsAndLineNumbersFollowRemoval) {
  sale::SaleLines s;
  s.add(line("A", 3, 12.5));
  s.add(line("B", -1, 2));
  EXPECT_EQ(s.cell(0, 0), "1");
  EXPECT_EQ(s.cell(0, 1), "Item A");
  EXPECT_EQ(s.cell(0, 2), "3");
  EXPECT_EQ(s.cell(0, 3), "12.5");
  EXPECT_EQ(s.cell(0, 4), "37.5");
  EXPECT_EQ(s.cell(0, 5), "A");
  EXPECT_EQ(s.cell(0, 6), "10:30:00");
  EXPECT_EQ(s.cell(0, 7), "7");
  EXPECT_EQ(s.cell(1, 4), "-2");
  s.remove(0);
  EXPECT_EQ(s.cell(0, 0), "1");
  EXPECT_EQ(s.cell(0, 5), "B");
}

TEST(SaleLines, FindComparesTheStoredCodeExactly) {
  sale::SaleLines s;
  s.add(line("Ab1", 1, 1));
  EXPECT_EQ(s.find("Ab1"), 0);
  EXPECT_EQ(s.find("AB1"), -1);
  EXPECT_EQ(s.find("x"), -1);
}

}  // namespace
