// The stock windows' lists read from one small shop.
#include "stock/stock_lists.h"

#include <gtest/gtest.h>

#include "data/db.h"
#include "support/testenv.h"

namespace {

using data::Conn;
using namespace stock;

class StockListsTest : public testenv::DbTest {
 protected:
  void SetUp() override {
    DbTest::SetUp();
    category("01", "Drinks");
    category("02", "Snacks");
    // code, name, price, quantity, category, unit, re-order point
    product("0001", "Tea", 12.5, 5, "01", "box", 5);                // at its point: re-order
    product("0002", "Coffee", 1234.5, 6, "01", "bag", 5);           // above it
    product("0003", "Chips", 20, 0, "02", QVariant(), QVariant());  // no unit, no point
    product("0004", "Orphan", 3, 1, "99", "pc", 1);                 // a category that is gone
    product("0005", "50% off_sale", 1, 2000, "02", "pc", 0);
    lot("0001", "2024-01-01", "09:00:00", 10);
    lot("0001", "2024-02-01", "12:00:00", 12);  // same day as the next, later in it
    lot("0001", "2024-02-01", "10:00:00", 11);
    lot("0002", "2024-03-01", "08:00:00", 7);
    lot("0002", "2024-03-01", "08:00:00", 8);  // same date and time: the later row counts
    lot("0004", "2024-01-05", "08:00:00", 2.5);
  }
  static void category(const QString& id, const QString& name) {
    Conn().exec("INSERT INTO Category (CateID, CateName) VALUES (?, ?)", {id, name});
  }
  static void product(const QString& code, const QString& name, double price, double q, const QString& cid,
                      const QVariant& unit, const QVariant& point) {
    Conn().exec("INSERT INTO Product VALUES (?, ?, ?, 0, 0, ?, ?, ?, ?)",
                {code, name, price, q, cid, unit, point});
  }
  static void lot(const QString& code, const QString& date, const QString& time, double cost) {
    Conn().exec(
        "INSERT INTO Buy (PId, BuyDate, BuyTime, BQuantity, BPrice, BuyId, RemainQ, SupplierID) "
        "VALUES (?, ?, ?, 1, ?, '1', 1, 'S1')",
        {code, date, time, cost});
  }
};

TEST_F(StockListsTest, StockListByCategoryWithOneHeadingEach) {
  EXPECT_EQ(allCategoryStockRows(), (ListRows{
                                        {"  ", "Drinks", "", "", "", ""},
                                        {"0001", "Tea", "12.5", "5", "box", "01"},
                                        {"0002", "Coffee", "1234.5", "6", "bag", "01"},
                                        {"  ", "Snacks", "", "", "", ""},
                                        {"0003", "Chips", "20", "0", "", "02"},
                                        {"0005", "50% off_sale", "1", "2000", "pc", "02"},
                                        {"  ", "", "", "", "", ""},
                                        {"0004", "Orphan", "3", "1", "pc", "99"},
                                    }));
  EXPECT_EQ(categoryStockRows("02"), (ListRows{{"0003", "Chips", "20", "0", "", "02"},
                                               {"0005", "50% off_sale", "1", "2000", "pc", "02"}}));
  EXPECT_TRUE(categoryStockRows("77").isEmpty());
}

TEST_F(StockListsTest, SearchMatchesCodeNameOrCategoryLiterally) {
  struct Case {
    QString text;
    QStringList codes;
  } cases[] = {
      {"ea", {"0001"}},                  // in a name, without regard to case
      {"02", {"0002", "0003", "0005"}},  // a code or a category id
      {"%", {"0005"}},                   // a wildcard is a character
      {"_", {"0005"}},
      {"o'clock", {}},  // a quote is a character too
      {"zzz", {}},
  };
  for (const auto& c : cases) {
    QStringList codes;
    for (const auto& r : searchStockRows(c.text)) {
      codes << r[0];
      EXPECT_EQ(r[5], c.text);
    }
    EXPECT_EQ(codes, c.codes) << c.text.toStdString();
  }
}

TEST_F(StockListsTest, ReorderListTakesProductsAtOrBelowTheirPoint) {
  EXPECT_EQ(reorderRows("All Category"), (ListRows{
                                             {"0001", "Tea", "12.50", "5", "box", "All Category"},
                                             {"0004", "Orphan", "3.00", "1", "pc", "All Category"},
                                         }));
}

TEST_F(StockListsTest, ValueListAtTheLatestPriceNeverBoughtAtZero) {
  const ValueList v = valueRows("x");
  EXPECT_EQ(v.rows, (ListRows{
                        {"0001", "Tea", "12.00", "5", "60.00", "x"},
                        {"0002", "Coffee", "8.00", "6", "48.00", "x"},
                        {"0003", "Chips", "0", "0", "0", "x"},
                        {"0004", "Orphan", "2.50", "1", "2.50", "x"},
                        {"0005", "50% off_sale", "0", "2000", "0", "x"},
                    }));
  EXPECT_DOUBLE_EQ(v.total, 110.5);
}

TEST_F(StockListsTest, LotListsOneRowPerLot) {
  EXPECT_EQ(allCategoryLotRows(), (ListRows{
                                      {"  ", "Drinks", "", "", "", ""},
                                      {"0001", "Tea", "10", "5", "50", "01"},
                                      {"0001", "Tea", "11", "5", "55", "01"},
                                      {"0001", "Tea", "12", "5", "60", "01"},
                                      {"0002", "Coffee", "7", "6", "42", "01"},
                                      {"0002", "Coffee", "8", "6", "48", "01"},
                                      {"  ", "", "", "", "", ""},
                                      {"0004", "Orphan", "2.5", "1", "2.5", "99"},
                                  }));
  // One category: oldest purchase first, whatever the product.
  lot("0005", "2023-12-31", "23:00:00", 0.5);
  EXPECT_EQ(categoryLotRows("02"), (ListRows{{"0005", "50% off_sale", "0.5", "2000", "1000", "02"}}));
  EXPECT_TRUE(categoryLotRows("77").isEmpty());
  // The search takes the text as typed: a leading blank is part of it.
  EXPECT_EQ(searchLotRows("Tea").size(), 1);
  EXPECT_TRUE(searchLotRows(" Tea").isEmpty());
  EXPECT_EQ(searchLotRows("Tea")[0], (QStringList{"0001", "Tea", "12.5", "5", "box", "Tea"}));
}

TEST_F(StockListsTest, CategoryIdIsTheTextBeforeTheFirstStop) {
  EXPECT_EQ(categoryIdOf("01.  Drinks"), "01");
  EXPECT_EQ(categoryIdOf("A.B.  x"), "A");
  EXPECT_EQ(categoryIdOf("nodot"), "nodot");
}

}  // namespace
