// Gathering a day's bills from Sell and Product, cancelling a bill and deleting a day, on a real
// database file.
#include <gtest/gtest.h>

#include "data/db.h"
#include "reports/bill_cancel.h"
#include "reports/bill_gather.h"
#include "support/sale_fixtures.h"
#include "support/testenv.h"

// Failures show texts as texts.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

using reports::Bill;

const QString kDay = QStringLiteral("2024-03-15");

void sellLine(const QString& day, const QVariant& billNo, const QString& pid, double qty, double price,
              const QString& time = QStringLiteral("10:30:05"), double received = 200,
              const QString& employee = QStringLiteral("Somchai")) {
  data::Conn().exec(
      QStringLiteral("INSERT INTO Sell (PID, SellTime, SellDate, BuyDate, BuyId, SQuantity, SPrice, "
                     "Comment, Employee, Recieve) VALUES (?, ?, ?, '2024-01-02', '1', ?, ?, ?, ?, ?)"),
      {pid, time, day, qty, price, billNo, employee, received});
}

class BillData : public testenv::DbTest {
 protected:
  void SetUp() override {
    testenv::DbTest::SetUp();
    salefx::addProduct("P1", "Green Tea 500ml", 35, 10);
    salefx::addProduct("P2", "Pen", 30, 4);
    salefx::addProduct("P3", "Soap", 50, 1);
  }
  static QVector<Bill> day(std::optional<qint64> no = std::nullopt) {
    return reports::gatherBills(data::Conn(), kDay, no);
  }
  static QVariantList sellRow(int rowid) {
    const auto s = data::Conn().query(
        QStringLiteral("SELECT SQuantity, Recieve, SPrice, PID, Comment FROM Sell WHERE rowid = ?"), {rowid});
    return {s.at(0, "SQuantity"), s.at(0, "Recieve"), s.at(0, "SPrice"), s.at(0, "PID"), s.at(0, "Comment")};
  }
};

TEST_F(BillData, TheExampleBillAsTheLinesWerePosted) {
  sellLine(kDay, 12, "P1", 2, 35, "10:30:05");
  sellLine(kDay, 12, "p2", 1, 30, "10:30:09");  // the code as typed at the till
  const auto bills = day();
  ASSERT_EQ(bills.size(), 1);
  const Bill& b = bills[0];
  EXPECT_EQ(b.number, 12);
  EXPECT_EQ(b.sellDate, kDay);
  EXPECT_EQ(b.sellTime, "10:30:05");
  EXPECT_EQ(b.employee, "Somchai");
  EXPECT_EQ(b.received, 200);
  ASSERT_EQ(b.items.size(), 2);
  EXPECT_EQ(b.items[0].name, "Green Tea 500ml");
  EXPECT_EQ(b.items[0].quantity, 2);
  EXPECT_EQ(b.items[1].name, "Pen");
  EXPECT_EQ(b.items[1].price, 30);
  EXPECT_EQ(b.total(), 100);
}

TEST_F(BillData, BillsInNumberOrderOfTheirDayOnly) {
  sellLine(kDay, 10, "P1", 1, 35);
  sellLine(kDay, 2, "P2", 1, 30);
  sellLine("2024-03-14", 5, "P1", 1, 35);
  sellLine(kDay, QVariant(), "P1", 9, 35);  // a line without a bill number belongs to no bill
  const auto bills = day();
  ASSERT_EQ(bills.size(), 2);
  EXPECT_EQ(bills[0].number, 2);
  EXPECT_EQ(bills[1].number, 10);
  EXPECT_TRUE(reports::gatherBills(data::Conn(), "2024-03-16").isEmpty());
}

TEST_F(BillData, OneBillByItsNumber) {
  sellLine(kDay, 12, "P1", 2, 35);
  sellLine(kDay, 13, "P2", 1, 30);
  sellLine("2024-03-14", 12, "P3", 1, 50);
  const auto bills = day(12);
  ASSERT_EQ(bills.size(), 1);
  EXPECT_EQ(bills[0].items.size(), 1);
  EXPECT_EQ(bills[0].items[0].code, "P1");
  EXPECT_TRUE(day(99).isEmpty());
}

TEST_F(BillData, ParsesTheTypedBillNumber) {
  const std::pair<const char*, std::optional<qint64>> cases[] = {
      {"12", 12},
      {"0000000012", 12},
      {" 12 ", 12},
      {"12a", std::nullopt},
      {"", std::nullopt},
      {"   ", std::nullopt},
      {"-12", std::nullopt},
      {"1 2", std::nullopt},
      {"1e3", std::nullopt},
      {"00000000000000000000012", 12},
      {"99999999999999999999", std::nullopt},
  };
  for (const auto& [text, want] : cases)
    EXPECT_EQ(reports::parseBillNo(QString::fromLatin1(text)), want) << text;
}

TEST_F(BillData, ABillWhoseProductsAreGoneIsSkipped) {
  sellLine(kDay, 1, "GONE", 1, 20);
  sellLine(kDay, 2, "P1", 1, 35);
  sellLine(kDay, 2, "GONE", 1, 20);  // a gone product drops out of a bill that has others
  sellLine(kDay, 3, "P2", 1, 30);
  const auto bills = day();
  ASSERT_EQ(bills.size(), 2);
  EXPECT_EQ(bills[0].number, 2);
  EXPECT_EQ(bills[0].total(), 35);
  EXPECT_EQ(bills[1].number, 3);
}

TEST_F(BillData, AProductOnSeveralLinesIsShownOncePerPrice) {
  sellLine(kDay, 4, "P1", 2, 35, "09:00:00");
  sellLine(kDay, 4, "P2", 1, 30, "09:00:01");
  sellLine(kDay, 4, "P1", 3, 35, "09:00:02");
  sellLine(kDay, 4, "P1", 1, 30, "09:00:03");  // the same product at another price
  const auto bills = day();
  ASSERT_EQ(bills.size(), 1);
  const auto& items = bills[0].items;
  ASSERT_EQ(items.size(), 3);
  EXPECT_EQ(items[0].code, "P1");
  EXPECT_EQ(items[0].quantity, 5);
  EXPECT_EQ(items[1].code, "P2");
  EXPECT_EQ(items[2].price, 30);
  EXPECT_EQ(items[2].quantity, 1);
  EXPECT_EQ(bills[0].total(), 5 * 35 + 30 + 30);
}

// ---- cancelling ----

TEST_F(BillData, CancelGivesTheStockBackAndKeepsTheLinesAtZero) {
  sellLine(kDay, 12, "P1", 3, 35);
  sellLine(kDay, 12, "P2", 2.5, 30);
  sellLine(kDay, 12, "P1", 2, 35);
  sellLine(kDay, 13, "P1", 1, 35);          // another bill of the day
  sellLine("2024-03-14", 12, "P1", 4, 35);  // the same number on another day
  salefx::addLot("P1", "2024-01-02", "1", 50);
  data::Conn().exec("UPDATE Product SET Quantity = 1.25 WHERE PId = 'P2'");

  ASSERT_TRUE(reports::cancelBill(data::Conn(), kDay, 12));
  EXPECT_EQ(salefx::stockOf("P1"), 15);    // 10 + 3 + 2
  EXPECT_EQ(salefx::stockOf("P2"), 3.75);  // exactly, no rounding to whole units
  EXPECT_EQ(salefx::stockOf("P3"), 1);
  for (int row : {1, 2, 3}) {
    const auto r = sellRow(row);
    EXPECT_EQ(r[0].toDouble(), 0) << row;
    EXPECT_EQ(r[1].toDouble(), 0) << row;
    EXPECT_EQ(r[4].toLongLong(), 12) << row;  // the bill keeps its number, prices and products
  }
  EXPECT_EQ(sellRow(2)[2].toDouble(), 30);
  EXPECT_EQ(sellRow(4)[0].toDouble(), 1);
  EXPECT_EQ(sellRow(5)[0].toDouble(), 4);
  EXPECT_EQ(data::Conn().scalar("SELECT RemainQ FROM Buy WHERE PId = 'P1'").toDouble(),
            50);  // lots untouched
  const auto bills = day(12);
  ASSERT_EQ(bills.size(), 1);
  EXPECT_EQ(bills[0].total(), 0);

  // A second cancel finds quantities of 0 and gives nothing more back.
  ASSERT_TRUE(reports::cancelBill(data::Conn(), kDay, 12));
  EXPECT_EQ(salefx::stockOf("P1"), 15);
  EXPECT_EQ(salefx::stockOf("P2"), 3.75);
}

TEST_F(BillData, CancelGoesPastTheOldSixteenBitStock) {
  data::Conn().exec("UPDATE Product SET Quantity = 32767 WHERE PId = 'P1'");
  sellLine(kDay, 1, "P1", 40000, 35);
  ASSERT_TRUE(reports::cancelBill(data::Conn(), kDay, 1));
  EXPECT_EQ(salefx::stockOf("P1"), 72767);
}

TEST_F(BillData, CancelOfANumberWithoutLinesChangesNothing) {
  sellLine(kDay, 12, "P1", 3, 35);
  EXPECT_FALSE(reports::cancelBill(data::Conn(), kDay, 11));
  EXPECT_FALSE(reports::cancelBill(data::Conn(), "2024-03-14", 12));
  EXPECT_EQ(salefx::stockOf("P1"), 10);
  EXPECT_EQ(sellRow(1)[0].toDouble(), 3);
}

TEST_F(BillData, CancelWithAProductGoneChangesNothingAndNamesIt) {
  sellLine(kDay, 12, "P1", 3, 35);
  sellLine(kDay, 12, "GONE", 1, 20);
  sellLine(kDay, 12, "P2", 1, 30);
  try {
    reports::cancelBill(data::Conn(), kDay, 12);
    FAIL() << "no error";
  } catch (const reports::MissingProductError& e) {
    EXPECT_EQ(e.code, "GONE");
  }
  EXPECT_EQ(salefx::stockOf("P1"), 10);
  EXPECT_EQ(salefx::stockOf("P2"), 4);
  for (int row : {1, 2, 3}) EXPECT_NE(sellRow(row)[0].toDouble(), 0) << row;
  EXPECT_EQ(sellRow(1)[1].toDouble(), 200);
}

// ---- deleting a day ----

TEST_F(BillData, DeletingADayRemovesOnlyItsLinesAndKeepsStock) {
  sellLine(kDay, 1, "P1", 3, 35);
  sellLine(kDay, 2, "P2", 1, 30);
  sellLine("2024-03-14", 1, "P1", 1, 35);
  sellLine("2024-03-16", 1, "P1", 1, 35);
  EXPECT_EQ(reports::deleteDay(data::Conn(), kDay), 2);
  EXPECT_EQ(salefx::sellRows(), 2);
  EXPECT_EQ(data::Conn().scalar("SELECT COUNT(*) FROM Sell WHERE SellDate = ?", {kDay}).toInt(), 0);
  EXPECT_EQ(salefx::stockOf("P1"), 10);
  EXPECT_EQ(salefx::stockOf("P2"), 4);
  EXPECT_EQ(reports::deleteDay(data::Conn(), kDay), 0);
}

}  // namespace
