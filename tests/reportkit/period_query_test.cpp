// The period reports' reading of sale lines: sums per product, the category list, the period
// total, the ranges of months and years, the month list and the delete of a period.
#include "reportkit/period_query.h"

#include <gtest/gtest.h>

#include "platform/numtext.h"
#include "support/testenv.h"

using namespace reportkit;
using data::Conn;

namespace {

void product(const QString& pid, const QString& name, const QString& cid, const QString& unit = "pcs",
             double stock = 100) {
  Conn().exec(
      "INSERT INTO Product (PId, PName, Price, Price1, Price2, Quantity, CID, ProNoun, PoOrder) "
      "VALUES (?, ?, 1, 1, 1, ?, ?, ?, 0)",
      {pid, name, stock, cid, unit});
}
void category(const QString& id, const QString& name) {
  Conn().exec("INSERT INTO Category (CateID, CateName) VALUES (?, ?)", {id, name});
}
void sale(const QString& pid, const QString& isoDay, double qty, double price, int bill = 1,
          const QString& employee = "Admin") {
  Conn().exec(
      "INSERT INTO Sell (PID, SellTime, SellDate, SQuantity, SPrice, Comment, Employee, Recieve) "
      "VALUES (?, '10:00:00', ?, ?, ?, ?, ?, 0)",
      {pid, isoDay, qty, price, bill, employee});
}

PeriodScope day(const QString& iso) { return {{iso, iso}, std::nullopt}; }

const PeriodProduct* find(const QVector<PeriodProduct>& v, const QString& pid) {
  for (const auto& p : v)
    if (p.pid == pid) return &p;
  return nullptr;
}

// One day of a small shop: a product sold in two bills, a cancelled one, one gone from Product,
// one whose category row is missing, and sales of the day before and after.
class PeriodDay : public testenv::DbTest {
 protected:
  void SetUp() override {
    DbTest::SetUp();
    category("D", "Drinks");
    category("B", "Bakery");
    product("P01", "Cola", "D", "can");
    product("P02", "Bread", "B", "loaf");
    product("P03", "Water", "D", "bottle");
    product("P04", "Stray", "X");  // category X has no row
    sale("P01", "2024-03-14", 2, 15, 1);
    sale("P01", "2024-03-14", 1, 15.5, 2);
    sale("p02", "2024-03-14", 3, 20, 2);  // the code as typed at the counter
    sale("P03", "2024-03-14", 0, 10, 3);  // a cancelled bill keeps its line at 0
    sale("GONE", "2024-03-14", 1, 7, 3);  // the product was deleted since
    sale("P04", "2024-03-14", 1, 3, 3);
    sale("P01", "2024-03-13", 5, 15, 1);
    sale("P02", "2024-03-15", 4, 20, 1);
  }
};

}  // namespace

TEST_F(PeriodDay, SumsPerProductAndTotalsEveryLine) {
  const auto all = periodProducts(Conn(), PeriodSource::sales(), day("2024-03-14"));
  ASSERT_EQ(all.size(), 5);
  const PeriodProduct* cola = find(all, "P01");
  ASSERT_TRUE(cola);
  EXPECT_EQ(cola->quantity, 3);
  EXPECT_DOUBLE_EQ(cola->value, 45.5);
  EXPECT_EQ(cola->unit, "can");
  EXPECT_EQ(find(all, "P02")->pid, "P02");  // the stored code, not the typed one
  EXPECT_FALSE(find(all, "GONE")->inProduct);
  EXPECT_TRUE(find(all, "P04")->inProduct);
  EXPECT_FALSE(find(all, "P04")->inCategory);

  // The day's list: every product with a Product row and a quantity, by code; the total
  // counts the gone product too.
  const PeriodSummary dayView = summarize(all, {false, true});
  QStringList rows;
  for (const auto& p : dayView.rows) rows << p.pid;
  EXPECT_EQ(rows, (QStringList{"P01", "P02", "P04"}));
  EXPECT_DOUBLE_EQ(dayView.total, 45.5 + 60 + 7 + 3);
  ASSERT_EQ(dayView.categories.size(), 2);
  EXPECT_EQ(dayView.categories[0].itemText(), "B.  Bakery");
  EXPECT_EQ(dayView.categories[1].itemText(), "D.  Drinks");

  // Months and years list only products whose category exists; the total stays the same.
  const PeriodSummary monthView = summarize(all, {true, true});
  rows.clear();
  for (const auto& p : monthView.rows) rows << p.pid;
  EXPECT_EQ(rows, (QStringList{"P01", "P02"}));
  EXPECT_DOUBLE_EQ(monthView.total, dayView.total);
  // The category view of a year keeps products that sum to 0.
  EXPECT_EQ(summarize(all, {true, false}).rows.size(), 3);
}

TEST_F(PeriodDay, EmptyDayHasNoRowsAndZeroTotal) {
  const PeriodSummary s = summarize(periodProducts(Conn(), PeriodSource::sales(), day("2024-03-16")), {});
  EXPECT_TRUE(s.rows.isEmpty());
  EXPECT_TRUE(s.categories.isEmpty());
  EXPECT_EQ(s.total, 0);
}

TEST_F(PeriodDay, CategoryProductsRoundEachLine) {
  // 1.005 a line rounds to 1.01: three lines make 3.03, not the 3.015 of the plain sum.
  product("P05", "Gum", "D");
  for (int bill = 10; bill < 13; ++bill) sale("P05", "2024-03-14", 1, 1.005, bill);
  for (const auto narrowing : {CategoryNarrowing::Lines, CategoryNarrowing::Sums}) {
    SCOPED_TRACE(static_cast<int>(narrowing));
    const auto drinks = categoryProducts(Conn(), PeriodSource::sales(), day("2024-03-14"), "d", narrowing);
    QStringList pids;
    for (const auto& p : drinks) pids << p.pid;
    EXPECT_EQ(pids, (QStringList{"P01", "P03", "P05"}));  // the cancelled P03 too: rows decide
    const PeriodProduct* gum = find(drinks, "P05");
    EXPECT_EQ(gum->quantity, 3);
    EXPECT_EQ(plat::toSatang(gum->roundedValue), 303);
    EXPECT_EQ(plat::toSatang(gum->value), 302);  // 3.015 in binary is a hair under
    EXPECT_DOUBLE_EQ(find(drinks, "P01")->value, 45.5);
    EXPECT_TRUE(categoryProducts(Conn(), PeriodSource::sales(), day("2024-03-14"), "X", narrowing).isEmpty());
    EXPECT_TRUE(categoryProducts(Conn(), PeriodSource::sales(), day("2024-03-14"), "Z", narrowing).isEmpty());
    // A category id is a value, never SQL.
    EXPECT_TRUE(categoryProducts(Conn(), PeriodSource::sales(), day("2024-03-14"), "D' OR '1'='1", narrowing)
                    .isEmpty());
  }
}

TEST_F(PeriodDay, EmployeeSeesOnlyOwnLines) {
  sale("P01", "2024-03-14", 4, 15, 7, "Noi");
  PeriodScope admin = day("2024-03-14"), noi = day("2024-03-14"), nobody = day("2024-03-14");
  admin.filter = "Admin";
  noi.filter = "Noi";
  nobody.filter = "";
  const auto a = periodProducts(Conn(), PeriodSource::sales(), admin);
  const auto n = periodProducts(Conn(), PeriodSource::sales(), noi);
  EXPECT_EQ(find(a, "P01")->quantity, 3);
  ASSERT_EQ(n.size(), 1);
  EXPECT_EQ(n[0].quantity, 4);
  EXPECT_DOUBLE_EQ(n[0].value, 60);
  EXPECT_TRUE(periodProducts(Conn(), PeriodSource::sales(), nobody).isEmpty());
  for (const auto narrowing : {CategoryNarrowing::Lines, CategoryNarrowing::Sums}) {
    const auto drinks = categoryProducts(Conn(), PeriodSource::sales(), noi, "D", narrowing);
    ASSERT_EQ(drinks.size(), 1) << static_cast<int>(narrowing);
    EXPECT_EQ(drinks[0].quantity, 4);
  }
}

TEST(PeriodRanges, MonthItems) {
  const struct {
    const char* item;
    const char* from;  // nullptr: no range
    const char* to;
  } cases[] = {
      {"03/2005", "2005-03-01", "2005-03-31"},
      {"04/2005", "2005-04-01", "2005-04-30"},
      {"02/2024", "2024-02-01", "2024-02-29"},
      {"02/2023", "2023-02-01", "2023-02-28"},
      {"12/1999", "1999-12-01", "1999-12-31"},
      {"", nullptr, nullptr},
      {"13/2024", nullptr, nullptr},
      {"00/2024", nullptr, nullptr},
      {"3/2024", nullptr, nullptr},
      {"03/24", nullptr, nullptr},
      {"03/2024 ", nullptr, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.item);
    const auto r = monthItemRange(c.item);
    if (!c.from) {
      EXPECT_FALSE(r.has_value());
      continue;
    }
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(*r, (data::DateRange{c.from, c.to}));
  }
}

TEST(PeriodRanges, YearTexts) {
  EXPECT_EQ(*yearTextRange("2026"), (data::DateRange{"2026-01-01", "2026-12-31"}));
  EXPECT_EQ(*yearTextRange("0999"), (data::DateRange{"0999-01-01", "0999-12-31"}));
  for (const char* bad : {"", "26", "2026x", "20 26", " 2026", "0000", "20266", "-202", "๒๕๖๙"}) {
    SCOPED_TRACE(bad);
    EXPECT_FALSE(yearTextRange(QString::fromUtf8(bad)).has_value());
  }
}

TEST(PeriodTotals, FormatsAndVat) {
  const std::pair<double, const char*> upTo3[] = {
      {1234.5, "1,234.50"}, {1234.567, "1,234.567"}, {0, "0.00"},           {1234.5671, "1,234.567"},
      {0.0005, "0.001"},    {-2.345, "-2.345"},      {1e6, "1,000,000.00"}, {99.9999, "100.00"},
  };
  for (const auto& [v, want] : upTo3) EXPECT_EQ(fmtMoneyUpTo3(v), want) << v;
  EXPECT_EQ(plat::fmtMoney(vatPart(107, 7)), "7.00");
  EXPECT_EQ(plat::fmtMoney(vatPart(21400, 7)), "1,400.00");
  EXPECT_EQ(plat::fmtMoney(vatPart(20000, 7)), "1,308.41");
  EXPECT_EQ(vatPart(500, 0), 0);
  EXPECT_EQ(categoryIdOf("D.  Drinks"), "D");
  EXPECT_EQ(categoryIdOf("A.B.  Two dots"), "A");
}

class PeriodMonths : public testenv::DbTest {};

TEST_F(PeriodMonths, ListedOnceOldestFirst) {
  EXPECT_TRUE(periodMonths(Conn(), PeriodSource::sales()).isEmpty());
  for (const char* d : {"2005-04-02", "2005-03-17", "2005-03-05", "2024-02-29", "2024-02-01", "2005-03-31"})
    sale("P", d, 1, 1);
  EXPECT_EQ(periodMonths(Conn(), PeriodSource::sales()), (QStringList{"03/2005", "04/2005", "02/2024"}));
}

TEST_F(PeriodMonths, DeleteTakesOnlyItsPeriodAndKeepsStock) {
  product("P", "Thing", "C", "pcs", 42);
  for (const char* d : {"2024-01-31", "2024-02-01", "2024-02-15", "2024-02-29", "2024-03-01", "2023-02-28"})
    sale("P", d, 1, 1);
  EXPECT_EQ(deletePeriod(Conn(), PeriodSource::sales(), *monthItemRange("02/2024")), 3);
  QStringList left;
  const data::Snapshot rest = Conn().query("SELECT SellDate FROM Sell ORDER BY SellDate");
  for (const auto& r : rest.rows()) left << r[0].toString();
  EXPECT_EQ(left, (QStringList{"2023-02-28", "2024-01-31", "2024-03-01"}));
  EXPECT_EQ(Conn().scalar("SELECT Quantity FROM Product").toDouble(), 42);
  EXPECT_EQ(deletePeriod(Conn(), PeriodSource::sales(), *yearTextRange("2024")), 2);
  EXPECT_EQ(Conn().scalar("SELECT COUNT(*) FROM Sell").toInt(), 1);
}

TEST_F(PeriodMonths, ReadsUseTheCoveringIndex) {
  // The statements the reports run, for sales and purchases, all products and chosen categories.
  const PeriodScope year{*yearTextRange("2024"), std::nullopt};
  for (const auto& [src, index] : {std::pair{PeriodSource::sales(), "SellByDateProduct"},
                                   std::pair{PeriodSource::purchases(), "BuyByDateProduct"}}) {
    QVariantList allBinds, lineBinds, sumBinds;
    const std::pair<QString, const QVariantList*> statements[] = {
        {periodProductsStatement(src, year, &allBinds), &allBinds},
        {categoryProductsStatement(src, year, {"C1", "C2"}, &lineBinds, CategoryNarrowing::Lines),
         &lineBinds},
        {categoryProductsStatement(src, year, {"C1", "C2"}, &sumBinds, CategoryNarrowing::Sums), &sumBinds}};
    for (const auto& [sql, binds] : statements) {
      SCOPED_TRACE(sql.toStdString());
      QStringList steps;
      const data::Snapshot plan = Conn().query("EXPLAIN QUERY PLAN " + sql, *binds);
      for (const auto& r : plan.rows()) steps << r.back().toString();
      EXPECT_TRUE(steps.join("|").contains(QStringLiteral("COVERING INDEX ") + index))
          << steps.join("|").toStdString();
    }
  }
}

TEST_F(PeriodDay, SeveralCategoriesInOneRead) {
  category("S", "Sweets");
  product("P06", "Toffee", "S");
  sale("P06", "2024-03-14", 2, 4);
  sale("P06", "2024-03-20", 9, 4);  // outside the day
  // The lines narrowed as they are read, or the products after the sums: the same rows.
  for (const auto narrowing : {CategoryNarrowing::Lines, CategoryNarrowing::Sums}) {
    SCOPED_TRACE(static_cast<int>(narrowing));
    QStringList rows;
    for (const auto& p : categoryProducts(Conn(), PeriodSource::sales(), day("2024-03-14"),
                                          QStringList{"s", "D", "B"}, narrowing))
      rows << p.categoryId + ":" + p.pid + "=" + QString::number(p.quantity) + "/" + QString::number(p.value);
    // By code; ids as the user's case has them match; only the chosen categories.
    EXPECT_EQ(rows, (QStringList{"D:P01=3/45.5", "B:P02=3/60", "D:P03=0/0", "S:P06=2/8"}));
    EXPECT_TRUE(categoryProducts(Conn(), PeriodSource::sales(), day("2024-03-14"), QStringList{}, narrowing)
                    .isEmpty());
    // A bound value, never SQL.
    EXPECT_TRUE(categoryProducts(Conn(), PeriodSource::sales(), day("2024-03-14"),
                                 QStringList{"D') OR ('1'='1"}, narrowing)
                    .isEmpty());
  }
}

TEST(PeriodCategories, NarrowingByShareOfTheList) {
  const struct {
    int chosen, listed;
    CategoryNarrowing want;
  } cases[] = {{1, 20, CategoryNarrowing::Lines}, {9, 20, CategoryNarrowing::Lines},
               {10, 20, CategoryNarrowing::Sums}, {20, 20, CategoryNarrowing::Sums},
               {1, 1, CategoryNarrowing::Sums},   {1, 0, CategoryNarrowing::Lines}};
  for (const auto& c : cases)
    EXPECT_EQ(narrowingFor(c.chosen, c.listed), c.want) << c.chosen << " of " << c.listed;
}

// A show of few categories narrows the lines first only when the period has lines enough for the
// categories' products: a short period of a large category is summed first. A share of half the
// list or more is summed first whatever the lines.
TEST_F(PeriodMonths, NarrowingByLinesAndProducts) {
  category("L", "Large");
  category("E", "Empty");
  for (int i = 0; i < 50; ++i) product(QString::asprintf("L%02d", i), "Thing", "L");
  for (int i = 0; i < 20; ++i) sale(QString::asprintf("L%02d", i), "2024-05-02", 1, 1, i, "Admin");
  for (int i = 0; i < 5; ++i) sale("L00", "2024-05-01", 1, 1, 100 + i, i < 2 ? "Admin" : "Noi");
  const PeriodScope may1 = day("2024-05-01"), may2 = day("2024-05-02"), may{*monthItemRange("05/2024"), {}};
  PeriodScope may1Admin = may1, may2Noi = may2;
  may1Admin.filter = "Admin";
  may2Noi.filter = "Noi";
  const struct {
    const char* what;
    PeriodScope scope;
    QStringList ids;
    qsizetype listed;
    CategoryNarrowing want;
  } cases[] = {
      // 50 products of 1 of 20 listed categories: from 12 lines on the lines are narrowed first.
      {"5 lines", may1, {"L"}, 20, CategoryNarrowing::Sums},
      {"20 lines", may2, {"L"}, 20, CategoryNarrowing::Lines},
      {"25 lines", may, {"L"}, 20, CategoryNarrowing::Lines},
      {"2 lines of the employee", may1Admin, {"L"}, 20, CategoryNarrowing::Sums},
      {"no lines of the employee", may2Noi, {"L"}, 20, CategoryNarrowing::Sums},
      // A larger share of the list needs more lines: 9 of 20 need 5 lines a product.
      {"25 lines, 9 of 20",
       may,
       {"L", "E", "x3", "x4", "x5", "x6", "x7", "x8", "x9"},
       20,
       CategoryNarrowing::Sums},
      {"25 lines, half the list", may, {"L"}, 2, CategoryNarrowing::Sums},
      {"a category without products", may1, {"E"}, 20, CategoryNarrowing::Lines},
      {"ids as the user's case has them", may1, {"l"}, 20, CategoryNarrowing::Sums},
  };
  for (const auto& c : cases)
    EXPECT_EQ(narrowingFor(Conn(), PeriodSource::sales(), c.scope, c.ids, c.listed), c.want) << c.what;
}
