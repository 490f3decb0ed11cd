#include "reports/profit_analysis.h"

#include <gtest/gtest.h>

#include "data/db.h"
#include "support/testenv.h"

namespace {

using reports::ProfitRow;
using reports::ProfitShow;

const QDate kFrom(2024, 3, 1);
const QDate kTo(2024, 3, 31);

void product(const QString& pid, const QString& name, const QString& cid) {
  data::Conn().exec("INSERT INTO Product VALUES (?, ?, 10, 10, 10, 0, ?, 'pc', 0)", {pid, name, cid});
}
void bought(const QString& pid, const QString& date, const QVariant& price,
            const QString& time = "09:00:00") {
  data::Conn().exec(
      "INSERT INTO Buy (PId, BuyDate, BuyTime, BQuantity, BPrice, BuyId, RemainQ, SupplierID) "
      "VALUES (?, ?, ?, 10, ?, '1', 10, 'S1')",
      {pid, date, time, price});
}
void sold(const QString& pid, const QString& date, double qty, double price) {
  data::Conn().exec(
      "INSERT INTO Sell (PID, SellTime, SellDate, SQuantity, SPrice, Comment, Employee, Recieve) "
      "VALUES (?, '10:00:00', ?, ?, ?, 1, 'Admin', 0)",
      {pid, date, qty, price});
}

class ProfitTest : public testenv::DbTest {
 protected:
  void SetUp() override {
    DbTest::SetUp();
    data::Conn().exec("INSERT INTO Category VALUES ('C1', 'Drinks'), ('C2', 'Snacks'), ('C3', 'Empty')");
    product("A", "Unsold", "C1");     // bought, never sold
    product("B", "Free cost", "C1");  // latest price 0
    bought("B", "2024-02-01", 0);
    sold("B", "2024-03-05", 2, 15);
    product("C", "Twice bought", "C1");  // the later purchase, after the range, costs every sale
    bought("C", "2024-01-10", 4);
    bought("C", "2024-04-20", 8);
    sold("C", "2024-03-02", 3, 10);
    sold("C", "2024-03-31", 1, 10);
    sold("C", "2024-04-01", 5, 10);  // outside the range
    sold("C", "2024-03-03", 0, 10);  // a cancelled bill's line
    product("D", "No lot", "C2");    // sold without any purchase line
    sold("D", "2024-03-10", 2, 20);
    product("E", "Null price", "C2");
    bought("E", "2024-01-01", QVariant());
    sold("E", "2024-03-10", 1, 9);
    product("F", "Same day", "C2");  // two purchases on one date: the later time wins
    bought("F", "2024-03-01", 6, "08:00:00");
    bought("F", "2024-03-01", 8, "17:00:00");
    sold("F", "2024-03-01", 1, 9);
    bought("A", "2024-01-01", 3);
  }
};

TEST_F(ProfitTest, FiguresOfEveryProduct) {
  const QVector<ProfitRow> rows = reports::profitOfAllProducts(kFrom, kTo);
  const struct {
    const char* pid;
    double income, cost, unit;
    const char* allPercent;
  } want[] = {{"A", 0, 0, 0, "0.00"},  {"B", 30, 0, 0, "0.00"}, {"C", 40, 32, 8, "25.00"},
              {"D", 40, 0, 0, "0.00"}, {"E", 9, 0, 0, "0.00"},  {"F", 9, 8, 8, "12.50"}};
  ASSERT_EQ(rows.size(), 6);
  for (int i = 0; i < 6; ++i) {
    SCOPED_TRACE(want[i].pid);
    EXPECT_EQ(rows[i].pid, want[i].pid);
    EXPECT_DOUBLE_EQ(rows[i].income, want[i].income);
    EXPECT_DOUBLE_EQ(rows[i].cost, want[i].cost);
    EXPECT_DOUBLE_EQ(rows[i].unitPrice, want[i].unit);
    EXPECT_EQ(reports::profitCells(rows[i], ProfitShow::All)[5], want[i].allPercent);
    EXPECT_EQ(reports::profitCells(rows[i], ProfitShow::All)[6], "");
  }
  EXPECT_EQ(reports::profitCells(rows[2], ProfitShow::All).mid(2, 3), QStringList({"40", "32", "8"}));
  const reports::ProfitSums s = reports::profitSums(rows);
  EXPECT_DOUBLE_EQ(s.income, 128);
  EXPECT_DOUBLE_EQ(s.cost, 40);
  EXPECT_DOUBLE_EQ(s.profit, 88);
}

TEST_F(ProfitTest, CategoriesListOnlyProductsEverBought) {
  product("G", "Never bought", "C1");
  sold("G", "2024-03-10", 1, 5);
  product("H", "Other category", "C4");  // sold and bought, never chosen
  bought("H", "2024-01-01", 2);
  sold("H", "2024-03-10", 1, 5);
  // The sale lines narrowed as they are read, or the products after the sums: the same rows.
  for (const auto narrowing : {reportkit::CategoryNarrowing::Lines, reportkit::CategoryNarrowing::Sums}) {
    SCOPED_TRACE(static_cast<int>(narrowing));
    const QVector<ProfitRow> rows = reports::profitOfCategories({"C2", "C3", "c1"}, kFrom, kTo, narrowing);
    QStringList pids;
    for (const ProfitRow& r : rows) pids << r.pid;
    EXPECT_EQ(pids, QStringList({"E", "F", "A", "B", "C"}));
    ASSERT_EQ(rows.size(), 5);
    EXPECT_EQ(reports::profitCells(rows[1], ProfitShow::Categories).mid(5), QStringList({"12.50", "8"}));
    EXPECT_EQ(reports::profitCells(rows[2], ProfitShow::Categories).mid(2),
              QStringList({"0", "0", "0", "0.00", "0"}));
    EXPECT_EQ(reports::profitCells(rows[4], ProfitShow::Categories).mid(2, 3),
              QStringList({"40", "32", "8"}));
    EXPECT_TRUE(reports::profitOfCategories({}, kFrom, kTo, narrowing).isEmpty());
    // A category id is a value, never SQL.
    EXPECT_TRUE(reports::profitOfCategories({"C1') OR ('1'='1"}, kFrom, kTo, narrowing).isEmpty());
  }
}

TEST(ProfitPercent, ShowKeepsTwoDecimalsAndGroups) {
  ProfitRow r;
  r.cost = 100;
  const struct {
    double income;
    const char* all;
    const char* show;
  } cases[] = {{112.5, "12.50", "12.50"},
               {113.5, "13.50", "13.50"},
               {1334.6, "1234.60", "1,234.60"},
               {50, "-50.00", "-50.00"}};
  for (const auto& c : cases) {
    r.income = c.income;
    EXPECT_EQ(reports::profitCells(r, ProfitShow::All)[5], c.all) << c.income;
    EXPECT_EQ(reports::profitCells(r, ProfitShow::Categories)[5], c.show) << c.income;
  }
}

TEST(PurchasePrice, ParsedStrictly) {
  const struct {
    const char* text;
    std::optional<double> want;
  } cases[] = {{"12.5", 12.5}, {"0", 0.0}, {"7.", 7.0}, {".5", 0.5},         {"", {}},   {"1.2.3", {}},
               {"abc", {}},    {".", {}},  {"-1", {}},  {"5 Where 1=1", {}}, {" 5", {}}, {"1e5", {}}};
  for (const auto& c : cases) EXPECT_EQ(reports::parsePurchasePrice(c.text), c.want) << c.text;
}

TEST_F(ProfitTest, PriceEditRewritesEveryLineOfTheProductOnly) {
  product("Q'1", "Quote", "C1");
  bought("Q'1", "2024-01-01", 1);
  bought("Q'1", "2024-02-01", 2);
  bought("Q'1", "2024-05-01", 3);
  EXPECT_EQ(reports::setPurchasePrice("Q'1", 12.5), 3);
  EXPECT_EQ(data::Conn().scalar("SELECT COUNT(*) FROM Buy WHERE PId = ? AND BPrice = 12.5", {"Q'1"}).toInt(),
            3);
  EXPECT_EQ(data::Conn().scalar("SELECT COUNT(*) FROM Buy WHERE BPrice = 12.5").toInt(), 3);
  EXPECT_EQ(reports::setPurchasePrice("none", 1), 0);
}

}  // namespace
