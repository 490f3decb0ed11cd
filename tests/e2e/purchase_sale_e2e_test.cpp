// A purchase invoice entered on the purchase screen creates the lots that the sale posting tags its
// lines with; Buy, Sell and the stock on hand agree afterwards.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMdiArea>
#include <QTest>

#include "data/db.h"
#include "partners/register.h"
#include "partners/supplier_form.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/flexgrid.h"
#include "platform/form.h"
#include "purchase/buy_form.h"
#include "purchase/register.h"
#include "sale/posting.h"
#include "stock/addf.h"
#include "stock/register.h"
#include "support/purchase_fixtures.h"
#include "support/scripted_dialogs.h"
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

// A new user on a fresh database: a category and a product in the product editor, a supplier in
// the supplier window, an invoice on the purchase screen, then a sale of part of it.
class NewShopTest : public testenv::DbTest {
 protected:
  void SetUp() override {
    DbTest::SetUp();
    stock::registerForms();
    partners::registerForms();
    purchase::registerForms();
    area.resize(1200, 800);
    area.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&area));
    reg().setMdiArea(&area);
  }
  void TearDown() override {
    reg().unloadAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    reg().setMdiArea(nullptr);
    DbTest::TearDown();
  }
  static plat::FormRegistry& reg() { return plat::FormRegistry::instance(); }
  template <class F>
  F* open(const QString& name) {
    auto* f = qobject_cast<F*>(reg().show(name));
    testenv::pump(10);
    EXPECT_TRUE(f && f->isVisible()) << name.toStdString();
    return f;
  }
  static void enter(QWidget* w) { QTest::keyClick(w, Qt::Key_Return); }

  QMdiArea area;
  plat::ScriptedDialogs d;
};

TEST_F(NewShopTest, BuyThenSellAndTheBooksAgree) {
  // The category and the product.
  auto* add = open<stock::AddF>("AddF");
  ASSERT_TRUE(add);
  add->CmdCate_Click();
  add->txtCate->setText("DR");
  add->txtcateName->setText("Drinks");
  add->cmdAdd_Click();
  add->cmdPro_Click();
  add->txtBar->setText("W01");
  add->txtName->setText("Water 1.5 l");
  add->ComCate->setCurrentIndex(add->ComCate->findData("DR"));
  add->txtPrice->setText("12");
  add->txtPrice1->setText("11.5");
  add->txtPrice2->setText("11");
  add->txtNoun->setText("bottle");
  add->txtPoOrder->setText("2");
  add->cmdAdd_Click();
  ASSERT_TRUE(d.shown.empty()) << d.lastMessage().toStdString();
  ASSERT_EQ(stockOf("W01"), 0) << "a new product has no stock";
  // Opening the next window with the focus still in the editor's box closes the editor only.
  add->txtPoOrder->setFocus(Qt::OtherFocusReason);
  testenv::pump(10);

  // The supplier.
  auto* sup = open<partners::SupplierForm>("SupplierForm");
  ASSERT_TRUE(sup);
  EXPECT_FALSE(reg().loaded("AddF")) << "the editor closed when the supplier window became active";
  sup->cmdNew_Click();
  sup->txtSupId->setText("ACME");
  sup->txtComName->setText("Acme Water");
  sup->txtCtName->setText("Ann");
  sup->cmdInsert_Click();
  ASSERT_TRUE(d.shown.empty()) << d.lastMessage().toStdString();
  testenv::pump(10);

  // The invoice: the supplier by its id, the product from its category's list, 10 at 6.25.
  auto* buy = open<BuyForm>("BuyForm");
  ASSERT_TRUE(buy);
  EXPECT_FALSE(reg().loaded("SupplierForm")) << "it closed when the purchase screen became active";
  EXPECT_EQ(buy->txtDate->text(), "15/03/2024");
  const QString inv = buy->txtBuyId->text();
  EXPECT_EQ(inv, "1");
  buy->txtSupId->setText("acme");
  enter(buy->txtSupId);
  EXPECT_EQ(buy->txtSupName->text(), "Acme Water/Ann");
  buy->ComCate->setCurrentIndex(buy->ComCate->findText("DR. Drinks"));
  buy->ComCate_Click();
  ASSERT_EQ(buy->ComBar->count(), 1);
  EXPECT_EQ(buy->ComBar->itemText(0), "W01. Water 1.5 l") << "a name with a full stop";
  buy->ComBar->setCurrentIndex(0);
  buy->ComBar_Click();
  EXPECT_TRUE(buy->txtPrice->text().isEmpty()) << "never bought: no cost to propose";
  EXPECT_EQ(buy->LabelQuantity->text(), "bottle");
  QTest::keyClicks(buy->txtQuantity, "10");
  enter(buy->txtQuantity);
  QTest::keyClicks(buy->txtPrice, "6.25");
  buy->cmdUpdate_Click();
  ASSERT_EQ(buy->lineCount(), 1);
  EXPECT_EQ(buy->FGrid->TextMatrix(0, 2), "Water 1.5 l");
  EXPECT_EQ(buy->txtTotal->text(), "62.50");
  d.answerYes();
  buy->cmdCommit_Click();
  EXPECT_EQ(d.texts(), QStringList({"Do you want to save this data", "System complete"}));
  EXPECT_EQ(buy->txtBuyId->text(), "2");
  EXPECT_EQ(data::Conn().query("SELECT * FROM Buy").size(), 1);
  EXPECT_EQ(lotField("W01", "2024-03-15", inv, "BQuantity").toDouble(), 10);
  EXPECT_EQ(lotField("W01", "2024-03-15", inv, "RemainQ").toDouble(), 10);
  EXPECT_EQ(lotField("W01", "2024-03-15", inv, "BPrice").toDouble(), 6.25);
  EXPECT_EQ(lotField("W01", "2024-03-15", inv, "SupplierID"), "ACME");
  EXPECT_EQ(lotField("W01", "2024-03-15", inv, "BuyTime"), "10:30:00");
  EXPECT_EQ(stockOf("W01"), 10);

  // The sale of 3, as the cashier typed the code.
  sale::Posting p;
  p.lines.push_back({"w01", 3, 12, "10:40:00"});
  p.employee = "Admin";
  p.received = 40;
  const qint64 no = sale::postBill(p, QDate(2024, 3, 15), false);
  const data::Snapshot s = data::Conn().query("SELECT * FROM Sell");
  ASSERT_EQ(s.size(), 1);
  EXPECT_EQ(s.number("Comment"), no);
  EXPECT_EQ(s.text("BuyDate"), "2024-03-15");
  EXPECT_EQ(s.text("BuyId"), inv);
  EXPECT_EQ(s.number("SQuantity"), 3);
  EXPECT_EQ(stockOf("W01"), 7);
  const double in = data::Conn().scalar("SELECT TOTAL(BQuantity) FROM Buy WHERE PId = 'W01'").toDouble();
  const double out = data::Conn().scalar("SELECT TOTAL(SQuantity) FROM Sell WHERE PID = 'W01'").toDouble();
  EXPECT_EQ(stockOf("W01"), in - out);

  // The invoice shows again as it was saved; the product with a sale cannot be deleted.
  buy->txtBuyId->setText(inv);
  d.answerYes();
  buy->cmdShow_Click();
  ASSERT_EQ(buy->lineCount(), 1);
  EXPECT_EQ(buy->FGrid->TextMatrix(0, 3), "10");
  EXPECT_EQ(buy->txtSupName->text(), "Acme Water/Ann");
  buy->cmdExit_Click();
  testenv::pump(10);

  add = open<stock::AddF>("AddF");
  ASSERT_TRUE(add);
  add->Comcate2->setCurrentIndex(0);
  add->Comcate2_Click();
  ASSERT_EQ(add->FGrid->Rows(), 2);
  EXPECT_EQ(add->FGrid->TextMatrix(1, 3), "7") << "the stock column shows what is left";
  add->FGrid->setCurrentCell(1, 0);
  add->FGrid_Click();
  d.clear();
  d.answerYes();
  add->cmdDel_Click();
  EXPECT_EQ(d.lastMessage(), "Database have sell data you can not delete");
  EXPECT_EQ(stockOf("W01"), 7);
}

}  // namespace
