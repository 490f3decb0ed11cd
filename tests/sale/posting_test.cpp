#include "sale/posting.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QElapsedTimer>
#include <QFile>
#include <QSqlDatabase>

#include "data/db.h"
#include "print/sale_document.h"
#include "support/testenv.h"

namespace {

const QDate kToday(2024, 3, 15);

void addProduct(const QString& pid, double quantity) {
  data::Conn().exec(
      "INSERT INTO Product (PId, PName, Price, Price1, Price2, Quantity, CID, ProNoun, PoOrder) "
      "VALUES (?, ?, 10, 10, 10, ?, 'C1', 'pcs', 0)",
      {pid, "Name of " + pid, quantity});
}

void addLot(const QString& pid, const QString& isoDate, const QString& buyId, double quantity) {
  data::Conn().exec(
      "INSERT INTO Buy (PId, BuyDate, BuyTime, BQuantity, BPrice, BuyId, RemainQ, SupplierID) "
      "VALUES (?, ?, '09:00:00', ?, 5, ?, ?, 'S1')",
      {pid, isoDate, quantity, buyId, quantity});
}

// A bill already in Sell, one line.
void addSale(const QString& isoDate, qint64 billNo) {
  data::Conn().exec(
      "INSERT INTO Sell (PID, SellTime, SellDate, BuyDate, BuyId, SQuantity, SPrice, Comment, "
      "Employee, Recieve) VALUES ('OLD', '08:00:00', ?, '2024-01-01', '1', 1, 1, ?, 'Ann', 1)",
      {isoDate, billNo});
}

double stockOf(const QString& pid) {
  return data::Conn().scalar("SELECT Quantity FROM Product WHERE PId = ?", {pid}).toDouble();
}

int sellRows() { return data::Conn().scalar("SELECT COUNT(*) FROM Sell").toInt(); }

sale::PostingLine line(const QString& code, double quantity, double price = 10,
                       const QString& time = "10:01:00") {
  return {code, quantity, price, time};
}

sale::Posting bill(QVector<sale::PostingLine> lines, const QString& customer = {}) {
  sale::Posting p;
  p.lines = std::move(lines);
  p.customerId = customer;
  p.employee = "Ann";
  p.received = 500;
  return p;
}

class PostingTest : public testenv::DbTest {};

struct BillNoCase {
  const char* name;
  QVector<QPair<QString, qint64>> existing;  // SellDate, Comment
  bool continuous;
  qint64 expected;
};

TEST_F(PostingTest, NextBillNumber) {
  const QVector<BillNoCase> cases{
      {"empty table, per day", {}, false, 1},
      {"empty table, continuous", {}, true, 1},
      {"no sale today, per day", {{"2024-03-14", 7}}, false, 1},
      {"after 57 today", {{"2024-03-15", 56}, {"2024-03-15", 57}}, false, 58},
      {"after 57, continuous", {{"2024-03-15", 57}}, true, 58},
      {"new day after yesterday's 120, per day", {{"2024-03-14", 120}}, false, 1},
      {"new day after yesterday's 120, continuous", {{"2024-03-14", 120}}, true, 121},
      {"past eight digits", {{"2024-03-15", 99999999}}, false, 100000000},
      {"numbers compared as numbers, not text", {{"2024-03-15", 9}, {"2024-03-15", 10}}, false, 11},
      {"later days count in the continuous series", {{"2024-03-20", 300}, {"2024-03-15", 4}}, true, 301},
      {"later days stay out of today's series", {{"2024-03-20", 300}, {"2024-03-15", 4}}, false, 5},
  };
  for (const BillNoCase& c : cases) {
    SCOPED_TRACE(c.name);
    data::Conn().exec("DELETE FROM Sell");
    for (const auto& [date, no] : c.existing) addSale(date, no);
    EXPECT_EQ(sale::nextBillNo(kToday, c.continuous), c.expected);
  }
}

TEST_F(PostingTest, BillGetsTheNextNumberStoredBare) {
  addProduct("A", 10);
  addLot("A", "2024-03-01", "1", 10);
  addSale("2024-03-15", 57);
  const qint64 no = sale::postBill(bill({line("A", 1), line("A", 2)}), kToday, false);
  EXPECT_EQ(no, 58);
  EXPECT_EQ(print::billNoText(no), "0000000058");
  const data::Snapshot s =
      data::Conn().query("SELECT Comment, typeof(Comment) AS t FROM Sell WHERE PID = 'A'");
  ASSERT_EQ(s.size(), 2);
  for (const auto& row : s.rows()) {
    EXPECT_EQ(row[0].toLongLong(), 58);
    EXPECT_EQ(row[1].toString(), "integer");
  }
  EXPECT_EQ(sale::nextBillNo(kToday, false), 59);
}

TEST_F(PostingTest, EveryLineIsTaggedWithTheEarliestLotLeft) {
  addProduct("A", 50);
  addLot("A", "2024-03-01", "9", 0);  // nothing left in it
  addLot("A", "2024-03-05", "2", 30);
  addLot("A", "2024-03-03", "4", 20);
  // More than the 20 pieces of the 3 March lot in all: still that lot, and it is not touched.
  sale::postBill(bill({line("a", 15), line("A", 10), line("A", 1)}), kToday, false);
  const data::Snapshot s = data::Conn().query("SELECT BuyDate, BuyId FROM Sell");
  ASSERT_EQ(s.size(), 3);
  for (const auto& row : s.rows()) {
    EXPECT_EQ(row[0].toString(), "2024-03-03");
    EXPECT_EQ(row[1].toString(), "4");
  }
  EXPECT_EQ(data::Conn().scalar("SELECT RemainQ FROM Buy WHERE BuyId = '4'").toDouble(), 20);
}

TEST_F(PostingTest, RowsCarryTheLineAndTheStockMayGoNegative) {
  addProduct("A", 2);
  addLot("A", "2024-03-03", "1", 20);
  const qint64 no = sale::postBill(bill({line("A", 3, 12.5, "10:02:03")}), kToday, false);
  data::Snapshot s = data::Conn().query("SELECT * FROM Sell");
  ASSERT_EQ(s.size(), 1);
  EXPECT_EQ(s.text("PID"), "A");
  EXPECT_EQ(s.text("SellTime"), "10:02:03");
  EXPECT_EQ(s.text("SellDate"), "2024-03-15");
  EXPECT_EQ(s.text("BuyDate"), "2024-03-03");
  EXPECT_EQ(s.text("BuyId"), "1");
  EXPECT_EQ(s.number("SQuantity"), 3);
  EXPECT_EQ(s.number("SPrice"), 12.5);
  EXPECT_EQ(s.value("Comment").toLongLong(), no);
  EXPECT_TRUE(s.isNull("CustomerId"));
  EXPECT_EQ(s.text("Employee"), "Ann");
  EXPECT_EQ(s.number("Recieve"), 500);
  EXPECT_EQ(stockOf("A"), -1);
}

TEST_F(PostingTest, CustomerIsWrittenOnlyForACustomerSale) {
  addProduct("A", 10);
  addProduct("B", 10);
  addLot("A", "2024-03-03", "1", 20);
  addLot("B", "2024-03-03", "1", 20);
  const qint64 first = sale::postBill(bill({line("A", 1), line("B", 1)}, "C007"), kToday, false);
  const qint64 second = sale::postBill(bill({line("A", 1), line("B", 1)}), kToday, false);
  EXPECT_EQ(second, first + 1);
  const data::Snapshot s = data::Conn().query("SELECT Comment, CustomerId FROM Sell ORDER BY Comment, PID");
  ASSERT_EQ(s.size(), 4);
  EXPECT_EQ(s.at(0, "CustomerId").toString(), "C007");
  EXPECT_EQ(s.at(1, "CustomerId").toString(), "C007");
  EXPECT_TRUE(s.at(2, "CustomerId").isNull());
  EXPECT_TRUE(s.at(3, "CustomerId").isNull());
}

TEST_F(PostingTest, OneProductInTwoCasesGivesTwoRowsAndLowersTheStockTwice) {
  addProduct("ABC", 10);
  addLot("ABC", "2024-03-03", "1", 20);
  sale::postBill(bill({line("abc", 2), line("ABC", 3)}), kToday, false);
  const data::Snapshot s = data::Conn().query("SELECT PID, SQuantity FROM Sell ORDER BY SQuantity");
  ASSERT_EQ(s.size(), 2);
  EXPECT_EQ(s.at(0, "PID").toString(), "abc");
  EXPECT_EQ(s.at(1, "PID").toString(), "ABC");
  EXPECT_EQ(stockOf("ABC"), 5);
}

class PostingAtomicity : public PostingTest {
 protected:
  void SetUp() override {
    PostingTest::SetUp();
    for (const QString p : {"A", "B", "C"}) {
      addProduct(p, 10);
      addLot(p, "2024-03-03", "1", 20);
    }
  }
  void expectNothingWritten() {
    EXPECT_EQ(sellRows(), 0);
    for (const QString p : {"A", "B", "C"}) EXPECT_EQ(stockOf(p), 10) << p.toStdString();
  }
  const sale::Posting threeLines = bill({line("A", 1), line("B", 2), line("C", 3)});
};

TEST_F(PostingAtomicity, MissingLotOnTheSecondLinePostsNothing) {
  for (const double remain : {-1.0, 0.0}) {
    SCOPED_TRACE(remain);
    data::Conn().exec("UPDATE Buy SET RemainQ = ? WHERE PId = 'B'", {remain});
    try {
      sale::postBill(threeLines, kToday, false);
      ADD_FAILURE() << "posted a line without a lot";
    } catch (const sale::MissingLotError& e) {
      EXPECT_EQ(e.code, "B");
      EXPECT_STREQ(e.what(), "Error in Stock and Buying lot not the same");
    }
    expectNothingWritten();
  }
  data::Conn().exec("DELETE FROM Buy WHERE PId = 'B'");
  EXPECT_THROW(sale::postBill(threeLines, kToday, false), sale::MissingLotError);
  expectNothingWritten();
}

TEST_F(PostingAtomicity, FailureOnTheLastInsertRollsBackAndARetryPostsOnce) {
  data::Conn().exec(
      "CREATE TEMP TRIGGER FailLastLine BEFORE INSERT ON Sell WHEN NEW.PID = 'C' "
      "BEGIN SELECT RAISE(ABORT, 'forced failure'); END");
  try {
    sale::postBill(threeLines, kToday, false);
    ADD_FAILURE() << "the failed insert went unnoticed";
  } catch (const data::DbError& e) {
    EXPECT_TRUE(e.text().contains("forced failure")) << e.text().toStdString();
  }
  expectNothingWritten();
  EXPECT_FALSE(data::Conn().inTransaction());

  data::Conn().exec("DROP TRIGGER FailLastLine");
  EXPECT_EQ(sale::postBill(threeLines, kToday, false), 1);
  EXPECT_EQ(sellRows(), 3);
  EXPECT_EQ(data::Conn().scalar("SELECT COUNT(DISTINCT Comment) FROM Sell").toInt(), 1);
  EXPECT_EQ(stockOf("A"), 9);
  EXPECT_EQ(stockOf("B"), 8);
  EXPECT_EQ(stockOf("C"), 7);
}

TEST_F(PostingAtomicity, ProductGoneSinceItsLotWasBoughtPostsNothing) {
  data::Conn().exec("DELETE FROM Product WHERE PId = 'C'");
  try {
    sale::postBill(threeLines, kToday, false);
    ADD_FAILURE() << "posted a product that does not exist";
  } catch (const data::DbError& e) {
    EXPECT_TRUE(e.text().contains("'C'")) << e.text().toStdString();
  }
  EXPECT_EQ(sellRows(), 0);
  EXPECT_EQ(stockOf("A"), 10);
  EXPECT_EQ(stockOf("B"), 10);
}

TEST_F(PostingAtomicity, ABadEntryTimeIsRefusedWhole) {
  sale::Posting p = threeLines;
  p.lines[2].entryTime = "25:99";
  EXPECT_THROW(sale::postBill(p, kToday, false), data::DbError);
  expectNothingWritten();
}

// A second connection on the same page cache reads Sell: the posting's INSERT meets its table lock
// after the bill's transaction has begun. The till is told the database is busy, and nothing is
// posted.
TEST_F(PostingAtomicity, ALockMetByAnInsertIsToldAsBusyAndPostsNothing) {
  const QString path = data::Conn().path();
  QSqlDatabase h = data::Conn().handle();
  h.close();
  h.setConnectOptions(
      QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1;QSQLITE_ENABLE_SHARED_CACHE").arg(data::kBusyWaitMs));
  ASSERT_TRUE(h.open());
  sqlite3* reader = nullptr;
  ASSERT_EQ(sqlite3_open_v2(QFile::encodeName(path).constData(), &reader,
                            SQLITE_OPEN_READWRITE | SQLITE_OPEN_SHAREDCACHE, nullptr),
            SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(reader, "BEGIN; SELECT COUNT(*) FROM Sell", nullptr, nullptr, nullptr), SQLITE_OK);
  QElapsedTimer t;
  t.start();
  try {
    sale::postBill(threeLines, kToday, false);
    ADD_FAILURE() << "posted past another connection's lock";
  } catch (const data::DbError& e) {
    EXPECT_TRUE(e.busy()) << e.text().toStdString();
    EXPECT_TRUE(e.text().contains("busy")) << e.text().toStdString();
  }
  // Met at the INSERT itself, not after the commit's wait.
  EXPECT_LT(t.elapsed(), data::kBusyWaitMs / 2);
  EXPECT_FALSE(data::Conn().inTransaction());
  sqlite3_exec(reader, "COMMIT", nullptr, nullptr, nullptr);
  sqlite3_close(reader);
  expectNothingWritten();
  data::Conn().close();
  data::Conn().open(path);
}

}  // namespace
