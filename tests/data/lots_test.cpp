#include "data/lots.h"

#include <gtest/gtest.h>

#include <limits>

#include "data/db.h"
#include "support/purchase_fixtures.h"
#include "support/testenv.h"

using namespace purchasefx;
using data::LineState;
using data::LineToSave;

namespace {

const QDate kDay(2024, 3, 15);
const QString kIso = "2024-03-15";
const QTime kNine(9, 0, 0);
const QTime kTen(10, 30, 0);

class LotsTest : public testenv::DbTest {
 protected:
  void SetUp() override {
    DbTest::SetUp();
    addCategory("C1", "Drinks");
    addProduct("P1", "Water", 0);
    addProduct("P2", "Soda", 4);
    addProduct("P3", "Juice", 0);
    addSupplier("S1", "Acme", "Ann");
  }
};

LineToSave line(const QString& pid, double q, double p, const QString& inv = "7",
                LineState s = LineState::New) {
  LineToSave l;
  l.pid = pid;
  l.quantity = q;
  l.price = p;
  l.buyId = inv;
  l.state = s;
  return l;
}

TEST(InvoiceNumberValue, ReadsTheLeadingNumber) {
  const struct {
    const char* text;
    qint64 value;
  } cases[] = {{"12", 12},
               {" 3", 3},
               {"7.6", 8},
               {"7.4", 7},
               {"A3", 0},
               {"", 0},
               {"10x", 10},
               {"-4", -4},
               {"007", 7},
               {"9223372036854775807", std::numeric_limits<qint64>::max()},
               {"99999999999999999999", std::numeric_limits<qint64>::max()}};
  for (const auto& c : cases) EXPECT_EQ(data::invoiceNumberValue(c.text), c.value) << c.text;
}

TEST_F(LotsTest, NextNumberIsTheNumericMaximumOfTheDatePlusOne) {
  EXPECT_EQ(data::nextBuyId(kDay), 1) << "a date without purchases";
  addLot("P1", kIso, "9", 1, 1);
  addLot("P1", kIso, "10", 1, 1);  // sorts before "9" as text
  addLot("P2", kIso, "abc", 1, 1);
  addLot("P1", "2024-03-16", "500", 1, 1);  // another date
  EXPECT_EQ(data::nextBuyId(kDay), 11);
  EXPECT_EQ(data::nextBuyId(QDate(2024, 3, 16)), 501);
  EXPECT_EQ(data::nextBuyId(QDate(2024, 3, 14)), 1);

  addLot("P3", kIso, "40000", 1, 1);  // beyond 16 bits
  EXPECT_EQ(data::nextBuyId(kDay), 40001);
  addLot("P3", kIso, "9000000000", 1, 1);
  EXPECT_EQ(data::nextBuyId(kDay), 9000000001LL);
  addLot("P3", kIso, "9223372036854775807", 1, 1);
  EXPECT_EQ(data::nextBuyId(kDay), std::nullopt) << "no larger number fits";
}

TEST_F(LotsTest, CommitOfNewLinesWritesLotsAndRaisesStock) {
  data::commitLines(kDay, kDay, "s1", {line("p1", 5, 10), line("P2", 3, 20)}, kTen);
  ASSERT_EQ(buyRows(kIso, "7"), 2);
  EXPECT_EQ(lotField("P1", kIso, "7", "PId"), "P1") << "the stored code, not the typed case";
  EXPECT_EQ(lotField("P1", kIso, "7", "RemainQ").toDouble(), 5);
  EXPECT_EQ(lotField("P2", kIso, "7", "RemainQ").toDouble(), 3);
  EXPECT_EQ(lotField("P2", kIso, "7", "BPrice").toDouble(), 20);
  EXPECT_EQ(lotField("P1", kIso, "7", "SupplierID"), "S1") << "the stored supplier id";
  EXPECT_EQ(lotField("P1", kIso, "7", "BuyTime"), "10:30:00");
  EXPECT_EQ(stockOf("P1"), 5);
  EXPECT_EQ(stockOf("P2"), 7);
}

TEST_F(LotsTest, CommitRewritesChangedLinesByWhatTheDatabaseHolds) {
  addLot("P1", kIso, "7", 5, 10);
  data::Conn().exec("UPDATE Product SET Quantity = 5 WHERE PId = 'P1'");
  // The line was loaded on the 15th; the date box now shows another day.
  data::commitLines(QDate(2024, 3, 20), kDay, "S1",
                    {line("P1", 8, 11, "7", LineState::Changed), line("P2", 99, 1, "7", LineState::Saved)},
                    kTen);
  EXPECT_EQ(lotField("P1", kIso, "7", "BQuantity").toDouble(), 8);
  EXPECT_EQ(lotField("P1", kIso, "7", "RemainQ").toDouble(), 8);
  EXPECT_EQ(lotField("P1", kIso, "7", "BPrice").toDouble(), 11);
  EXPECT_EQ(stockOf("P1"), 8);
  EXPECT_EQ(stockOf("P2"), 4) << "an unchanged saved line is not written";
  EXPECT_EQ(buyRows(), 1);

  // Committing the same change again moves nothing: the saved quantity is read each time.
  data::commitLines(kDay, kDay, "S1", {line("P1", 8, 11, "7", LineState::Changed)}, kTen);
  EXPECT_EQ(stockOf("P1"), 8);
}

TEST_F(LotsTest, RefusedCommitsWriteNothingAndARetryIsClean) {
  addLot("P3", kIso, "7", 2, 1);
  const QVector<LineToSave> threeLines{line("P1", 5, 10), line("P2", 3, 20), line("P3", 1, 1)};
  const struct {
    const char* what;
    QString supplier;
    data::InvoiceRefused::Reason reason;
  } cases[] = {{"empty supplier", "", data::InvoiceRefused::Reason::UnknownSupplier},
               {"blank supplier", "  ", data::InvoiceRefused::Reason::UnknownSupplier},
               {"unknown supplier", "S9", data::InvoiceRefused::Reason::UnknownSupplier},
               {"duplicate key of line 3", "S1", data::InvoiceRefused::Reason::DuplicateLine}};
  for (const auto& c : cases) {
    try {
      data::commitLines(kDay, kDay, c.supplier, threeLines, kTen);
      ADD_FAILURE() << c.what << ": not refused";
    } catch (const data::InvoiceRefused& e) {
      EXPECT_EQ(e.reason, c.reason) << c.what;
      if (c.reason == data::InvoiceRefused::Reason::DuplicateLine) {
        EXPECT_EQ(e.pid, "P3");
      }
    }
    EXPECT_EQ(buyRows(), 1) << c.what;
    EXPECT_EQ(stockOf("P1"), 0) << c.what;
    EXPECT_EQ(stockOf("P2"), 4) << c.what;
  }
  // A line naming a product that is gone.
  EXPECT_THROW(data::commitLines(kDay, kDay, "S1", {line("P1", 1, 1), line("GONE", 1, 1)}, kTen),
               data::InvoiceRefused);
  EXPECT_EQ(buyRows(), 1);

  data::commitLines(kDay, kDay, "S1", {line("P1", 5, 10), line("P2", 3, 20)}, kTen);
  EXPECT_EQ(buyRows(kIso, "7"), 3);
  EXPECT_EQ(stockOf("P1"), 5);
  EXPECT_EQ(stockOf("P2"), 7);
}

TEST_F(LotsTest, AFailureOnTheSecondOfThreeLinesRollsBackTheFirst) {
  refuseLotsOf("P2");
  const QVector<LineToSave> lines{line("P1", 5, 10), line("P2", 3, 20), line("P3", 2, 7)};
  try {
    data::commitLines(kDay, kDay, "S1", lines, kTen);
    ADD_FAILURE() << "not refused";
  } catch (const data::DbError& e) {
    EXPECT_TRUE(e.text().contains("disk I/O error")) << e.text().toStdString();
  }
  EXPECT_EQ(buyRows(), 0);
  EXPECT_EQ(stockOf("P1"), 0);
  EXPECT_FALSE(data::Conn().inTransaction());

  acceptAllLots();
  data::commitLines(kDay, kDay, "S1", lines, kTen);
  EXPECT_EQ(buyRows(), 3);
  EXPECT_EQ(stockOf("P1"), 5);
  EXPECT_EQ(stockOf("P2"), 7);
  EXPECT_EQ(stockOf("P3"), 2);
}

TEST_F(LotsTest, NothingToWriteNeedsNoSupplier) {
  EXPECT_NO_THROW(data::commitLines(kDay, kDay, "", {}, kTen));
  EXPECT_NO_THROW(data::commitLines(kDay, kDay, "", {line("P1", 1, 1, "7", LineState::Saved)}, kTen));
  EXPECT_EQ(buyRows(), 0);
}

TEST_F(LotsTest, RewriteMovesStockByTheDifferenceAndDeletesRemovedLines) {
  addLot("P1", kIso, "7", 5, 10, "S1", "08:00:00");
  addLot("P2", kIso, "7", 2, 3, "S1", "08:00:00");
  addLot("P3", kIso, "7", 4, 1, "S1", "08:00:00");
  addLot("P3", kIso, "8", 4, 1, "S1", "08:00:00");  // another invoice of the day
  data::Conn().exec("UPDATE Product SET Quantity = 5 WHERE PId = 'P1'");
  data::Conn().exec("UPDATE Product SET Quantity = 8 WHERE PId = 'P3'");
  addSupplier("S2", "Best", "Bob");

  data::rewriteInvoice({kDay, "7"}, "S2",
                       {line("P1", 8, 10, "7", LineState::Changed), line("P2", 2, 3, "7", LineState::Saved)},
                       {"p3"}, kTen);
  EXPECT_EQ(stockOf("P1"), 8) << "5 to 8 raises the stock by 3";
  EXPECT_EQ(lotField("P1", kIso, "7", "BQuantity").toDouble(), 8);
  EXPECT_EQ(lotField("P1", kIso, "7", "RemainQ").toDouble(), 8);
  EXPECT_EQ(lotField("P1", kIso, "7", "BuyTime"), "10:30:00") << "BuyTime is renewed";
  EXPECT_EQ(lotField("P2", kIso, "7", "BuyTime"), "10:30:00") << "also on an unchanged line";
  EXPECT_EQ(lotField("P2", kIso, "7", "SupplierID"), "S2");
  EXPECT_EQ(stockOf("P2"), 4);
  EXPECT_EQ(lotField("P3", kIso, "7", "PId"), "") << "the removed line is deleted";
  EXPECT_EQ(stockOf("P3"), 4) << "lowered by the saved quantity";
  EXPECT_EQ(buyRows(kIso, "8"), 1);
  EXPECT_EQ(buyRows(kIso, "7"), 2);
}

TEST_F(LotsTest, RewriteIsAllOrNothing) {
  addLot("P1", kIso, "7", 5, 10);
  addLot("P2", kIso, "7", 2, 3);
  data::Conn().exec("UPDATE Product SET Quantity = 5 WHERE PId = 'P1'");
  const QVector<LineToSave> lines{line("P1", 8, 10, "7", LineState::Changed),
                                  line("P2", 6, 3, "7", LineState::Changed)};
  EXPECT_THROW(data::rewriteInvoice({kDay, "7"}, "S9", lines, {}, kTen), data::InvoiceRefused);
  refuseLotsOf("P2");
  EXPECT_THROW(data::rewriteInvoice({kDay, "7"}, "S1", lines, {}, kTen), data::DbError);
  EXPECT_EQ(lotField("P1", kIso, "7", "BQuantity").toDouble(), 5);
  EXPECT_EQ(lotField("P2", kIso, "7", "BQuantity").toDouble(), 2);
  EXPECT_EQ(stockOf("P1"), 5);
  // A typed line whose key is saved already is refused rather than merged.
  acceptAllLots();
  EXPECT_THROW(data::rewriteInvoice({kDay, "7"}, "S1", {line("P2", 1, 1, "7", LineState::New)}, {}, kTen),
               data::InvoiceRefused);
  data::rewriteInvoice({kDay, "7"}, "S1", lines, {}, kTen);
  EXPECT_EQ(stockOf("P1"), 8);
  EXPECT_EQ(stockOf("P2"), 8);
}

TEST_F(LotsTest, DeleteLowersStockBySavedQuantitiesAndKeepsOtherInvoices) {
  addLot("P1", kIso, "7", 8, 10);
  addLot("GONE", kIso, "7", 3, 1);  // its product was deleted
  addLot("P1", kIso, "6", 1, 10);
  addLot("P1", "2024-03-16", "7", 1, 10);
  data::Conn().exec("UPDATE Product SET Quantity = 2 WHERE PId = 'P1'");  // partly sold
  EXPECT_EQ(data::deleteInvoice({kDay, "7"}), 2);
  EXPECT_EQ(stockOf("P1"), -6) << "stock may go below zero";
  EXPECT_EQ(buyRows(kIso, "7"), 0);
  EXPECT_EQ(buyRows(), 2);
}

TEST_F(LotsTest, InvoiceLinesLoadAlsoLinesOfDeletedProducts) {
  addLot("P2", kIso, "7", 2, 3, "TEXT-SUP");
  addLot("GONE", kIso, "7", 3, 1, "TEXT-SUP");
  addLot("P1", kIso, "7", 1, 2.5, "TEXT-SUP");
  addLot("P1", kIso, "8", 9, 9);
  const auto lines = data::invoiceLines(kDay, "7");
  ASSERT_EQ(lines.size(), 3);
  EXPECT_EQ(lines[0].PId, "GONE");
  EXPECT_EQ(lines[0].PName, "");
  EXPECT_EQ(lines[1].PId, "P1");
  EXPECT_EQ(lines[1].PName, "Water");
  EXPECT_EQ(lines[1].BPrice, 2.5);
  EXPECT_EQ(lines[2].SupplierID, "TEXT-SUP");
}

TEST_F(LotsTest, LatestUnitCostIsThatOfTheLastPurchase) {
  EXPECT_EQ(data::latestUnitCost("P1"), std::nullopt);
  addLot("P1", "2024-03-01", "1", 1, 9);
  addLot("P1", "2024-03-10", "1", 1, 12.5, "S1", "08:00:00");
  addLot("P1", "2024-03-10", "2", 1, 13, "S1", "11:00:00");
  addLot("P1", "2024-02-28", "1", 1, 7);
  EXPECT_EQ(data::latestUnitCost("p1"), 13);
}

}  // namespace
