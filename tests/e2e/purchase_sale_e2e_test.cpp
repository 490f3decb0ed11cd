// A purchase invoice entered on the purchase screen creates the lots that the sale posting tags its
// lines with; Buy, Sell and the stock on hand agree afterwards.
#include <gtest/gtest.h>

#include "data/db.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/form.h"
#include "purchase/buy_form.h"
#include "purchase/register.h"
#include "sale/posting.h"
#include "support/purchase_fixtures.h"
#include "support/testenv.h"

using namespace purchasefx;
using purchase::BuyForm;

namespace {

class PurchaseSaleTest : public testenv::DbTest {
 protected:
  void SetUp() override {
    DbTest::SetUp();
    purchase::registerForms();
    addCategory("C1", "Drinks");
    addProduct("W01", "Water", 0);
    addProduct("S01", "Soda", 0);
    addSupplier("SUP1", "Acme", "Ann");
  }
  void TearDown() override {
    plat::FormRegistry::instance().unloadAll();
    testenv::pump();
    DbTest::TearDown();
  }

  // Enters and commits one invoice on the purchase screen; returns its number.
  QString purchase(const QDate& day, const QVector<std::tuple<QString, QString, QString>>& lines) {
    auto* f = qobject_cast<BuyForm*>(plat::FormRegistry::instance().form("BuyForm"));
    EXPECT_NE(f, nullptr);
    f->txtDate->setText(day.toString("dd/MM/yyyy"));
    d.answerYes();
    f->cmdClear_Click();  // draws the number of that date
    const QString number = f->txtBuyId->text();
    f->txtSupId->setText("sup1");
    for (const auto& [code, q, p] : lines) {
      f->ComBar->setEditText(code);
      f->txtQuantity->setText(q);
      f->txtPrice->setText(p);
      f->cmdUpdate_Click();
    }
    d.answerYes();
    f->cmdCommit_Click();
    EXPECT_EQ(d.lastMessage(), "System complete");
    return number;
  }

  static sale::Posting bill(const QString& code, double q, double price) {
    sale::Posting p;
    p.lines.push_back({code, q, price, "10:31:00"});
    p.employee = "Admin";
    p.received = q * price;
    return p;
  }

  // Stock on hand equals what came in minus what went out.
  static void expectBooksAgree(const QString& pid) {
    const double in = data::Conn().scalar("SELECT TOTAL(BQuantity) FROM Buy WHERE PId = ?", {pid}).toDouble();
    const double out =
        data::Conn().scalar("SELECT TOTAL(SQuantity) FROM Sell WHERE PID = ?", {pid}).toDouble();
    EXPECT_EQ(stockOf(pid), in - out) << pid.toStdString();
  }

  plat::ScriptedDialogs d;
};

TEST_F(PurchaseSaleTest, ASaleOfAPurchasedProductIsTaggedWithItsLot) {
  const QDate day(2024, 3, 15);
  const QString inv = purchase(day, {{"w01", "10", "6"}, {"S01", "5", "8.5"}});
  EXPECT_EQ(inv, "1");
  EXPECT_EQ(stockOf("W01"), 10);

  const qint64 no = sale::postBill(bill("W01", 3, 12), day, false);
  const data::Snapshot s = data::Conn().query("SELECT * FROM Sell WHERE Comment = ?", {no});
  ASSERT_EQ(s.size(), 1);
  EXPECT_EQ(s.text("PID"), "W01");
  EXPECT_EQ(s.text("BuyDate"), "2024-03-15");
  EXPECT_EQ(s.text("BuyId"), inv);
  EXPECT_EQ(s.number("SQuantity"), 3);
  EXPECT_EQ(stockOf("W01"), 7);
  EXPECT_EQ(lotField("W01", "2024-03-15", inv, "RemainQ").toDouble(), 10)
      << "the sale leaves the lot as it is";
  expectBooksAgree("W01");
  expectBooksAgree("S01");
}

TEST_F(PurchaseSaleTest, TheOldestLotIsUsedUntilItsInvoiceIsDeleted) {
  const QString first = purchase(QDate(2024, 3, 14), {{"W01", "4", "6"}});
  const QString second = purchase(QDate(2024, 3, 15), {{"W01", "6", "6.5"}});
  EXPECT_EQ(first, "1");
  EXPECT_EQ(second, "1") << "numbers count per date";

  sale::postBill(bill("W01", 2, 12), QDate(2024, 3, 15), false);
  EXPECT_EQ(data::Conn().scalar("SELECT BuyDate FROM Sell").toString(), "2024-03-14");

  // Deleting the older invoice on the screen leaves the newer lot to sell from.
  auto* f = qobject_cast<BuyForm*>(plat::FormRegistry::instance().form("BuyForm"));
  f->txtDate->setText("14/03/2024");
  f->txtBuyId->setText(first);
  d.answerYes();
  f->cmdShow_Click();
  d.answerYes();
  f->cmdDelInv_Click();
  EXPECT_EQ(stockOf("W01"), 4);

  const qint64 no = sale::postBill(bill("W01", 1, 12), QDate(2024, 3, 15), false);
  EXPECT_EQ(data::Conn().scalar("SELECT BuyDate FROM Sell WHERE Comment = ?", {no}).toString(), "2024-03-15");
  EXPECT_EQ(stockOf("W01"), 3);

  // A product that was never bought has no lot: nothing of its bill is posted.
  EXPECT_THROW(sale::postBill(bill("S01", 1, 9), QDate(2024, 3, 15), false), sale::MissingLotError);
  EXPECT_EQ(data::Conn().scalar("SELECT COUNT(*) FROM Sell WHERE PID = 'S01'").toInt(), 0);
  EXPECT_EQ(stockOf("S01"), 0);
}

}  // namespace
