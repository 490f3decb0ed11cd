#include "purchase/buy_form.h"

#include <gtest/gtest.h>

#include <QTest>

#include "data/db.h"
#include "data/lots.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "purchase/buy_edit_price_q.h"
#include "purchase/buy_grid.h"
#include "purchase/register.h"
#include "shell/settings.h"
#include "support/purchase_fixtures.h"
#include "support/scripted_dialogs.h"
#include "support/testenv.h"

using namespace purchasefx;
using purchase::BuyEditPriceQ;
using purchase::BuyForm;
namespace grid = purchase::grid;

namespace {

const QString kIso = "2024-03-15";

plat::FormRegistry& reg() { return plat::FormRegistry::instance(); }

class BuyFormTest : public testenv::DbTest {
 protected:
  void SetUp() override {
    DbTest::SetUp();
    purchase::registerForms();
    addCategory("C1", "Drinks");
    addCategory("C2", "Snacks");
    addProduct("P1", "Water", 0);
    addProduct("P2", "Soda", 4);
    addProduct("P3", "Juice", 0);
    addProduct("X.1", "Crisps", 0, "C2", "bag");
    addSupplier("S1", "Acme", "Ann");
  }
  void TearDown() override {
    reg().unloadAll();
    testenv::pump();
    DbTest::TearDown();
  }

  BuyForm* open() {
    auto* f = qobject_cast<BuyForm*>(reg().form("BuyForm"));
    EXPECT_NE(f, nullptr);
    return f;
  }
  static void addLine(BuyForm* f, const QString& code, const QString& q, const QString& p) {
    f->ComCate->setCurrentIndex(-1);
    f->ComBar->setEditText(code);
    f->txtQuantity->setText(q);
    f->txtPrice->setText(p);
    f->cmdUpdate_Click();
  }
  // Shows invoice number of 15 March, answering Yes to "Clear all values".
  void show(BuyForm* f, const QString& number) {
    f->txtBuyId->setText(number);
    d.answerYes();
    f->cmdShow_Click();
  }
  // Opens the line editor on row r.
  static BuyEditPriceQ* editRow(BuyForm* f, int r) {
    f->FGrid->setRow(r);
    f->FGrid_Click();
    return qobject_cast<BuyEditPriceQ*>(reg().loaded("BuyEditPriceQ"));
  }
  int questions() const {
    return static_cast<int>(std::count_if(d.shown.begin(), d.shown.end(), [](const auto& s) {
      return s.kind == plat::ScriptedDialogs::Kind::YesNo;
    }));
  }

  plat::ScriptedDialogs d;
};

TEST_F(BuyFormTest, OpensWithTodayAndTheNextNumberOfTheDate) {
  addLot("P1", kIso, "4", 1, 1);
  addLot("P1", "2024-03-14", "30", 1, 1);
  BuyForm* f = open();
  EXPECT_EQ(f->windowTitle(), "Buy");
  EXPECT_EQ(f->txtDate->text(), "15/03/2024");
  EXPECT_EQ(f->txtBuyId->text(), "5");
  EXPECT_EQ(f->txtTotal->text(), "0");
  EXPECT_EQ(f->lineCount(), 0);
  ASSERT_EQ(f->ComCate->count(), 2);
  EXPECT_EQ(f->ComCate->itemText(0), "C1. Drinks");
  EXPECT_EQ(f->ComCate->currentIndex(), -1);
  EXPECT_EQ(f->FGrid->Cols(), 11);
  EXPECT_TRUE(f->cmdPrint->isHidden());
  EXPECT_TRUE(f->cmdDel->isHidden());
  EXPECT_TRUE(f->Command1->isHidden());
  EXPECT_FALSE(f->inShowMode());

  // Changing the date does not draw a new number; New does.
  f->txtDate->setText("14/03/2024");
  EXPECT_EQ(f->txtBuyId->text(), "5");
  d.answerYes();
  f->cmdClear_Click();
  EXPECT_EQ(f->txtBuyId->text(), "31");
  EXPECT_EQ(f->txtDate->text(), "14/03/2024");
}

TEST_F(BuyFormTest, ThaiCaptions) {
  shell::settings().LangThai = true;
  BuyForm* f = open();
  EXPECT_EQ(f->windowTitle(), "ซื้อ");
  EXPECT_EQ(f->cmdCommit->text(), "เก็บข้อมูลการซื้อ");
  EXPECT_EQ(f->cmdToSort->text(), "รวม");
  addLine(f, "P1", "1", "1");
  d.answerYes(false);
  f->cmdCommit_Click();
  EXPECT_EQ(d.texts().back(), "จะทำการเก็บข้อมูลหรือไม่");

  addLot("P1", kIso, "7", 1, 1);
  show(f, "7");
  EXPECT_EQ(d.texts().back(), "ลบข้อมูลในแบบฟอร์ม");
  f->cmdEditInv_Click();
  EXPECT_EQ(d.texts().back(), "ต้องการแก้ไขบิลซื้อเลขที่ 7");
  f->cmdDelInv_Click();
  EXPECT_EQ(d.texts().back(), "ต้องการลบบิลซื้อเลขที่ 7");
  EXPECT_EQ(buyRows(), 1) << "No changes nothing";
}

TEST_F(BuyFormTest, TheCodeColumnHoldsAThirteenDigitCodeInBothLanguages) {
  for (const bool thai : {false, true}) {
    shell::settings().LangThai = thai;
    BuyForm* f = open();
    const QFontMetrics fm(f->FGrid->font());
    // The widest digits, and the text's margins inside a cell.
    EXPECT_GE(f->FGrid->columnWidth(purchase::grid::Pid),
              fm.horizontalAdvance(QStringLiteral("8888888888888")) + 6)
        << (thai ? "Thai" : "English");
    EXPECT_GE(f->FGrid->ColWidth(purchase::grid::Pid), 1300) << "never narrower than drawn";
    f->close();
    testenv::pump();
  }
}

// Other windows and tests find the controls by their names, as well as through the members.
TEST_F(BuyFormTest, ControlsAreFoundByTheirNames) {
  BuyForm* f = open();
  const std::pair<const char*, QWidget*> named[] = {
      {"txtDate", f->txtDate},       {"txtBuyId", f->txtBuyId},   {"txtSupId", f->txtSupId},
      {"ComCate", f->ComCate},       {"ComBar", f->ComBar},       {"txtQuantity", f->txtQuantity},
      {"txtPrice", f->txtPrice},     {"cmdUpdate", f->cmdUpdate}, {"cmdCommit", f->cmdCommit},
      {"cmdEditInv", f->cmdEditInv}, {"cmdPrint", f->cmdPrint},   {"Command1", f->Command1},
      {"cmdToSort", f->cmdToSort},   {"FGrid", f->FGrid},         {"txtTotal", f->txtTotal},
      {"ListSupId", f->ListSupId},
  };
  for (const auto& [name, member] : named) {
    ASSERT_NE(member, nullptr) << name;
    EXPECT_EQ(f->findChild<QWidget*>(name), member) << name;
  }
}

TEST_F(BuyFormTest, AddingLinesMergesARepeatedProductAndKeepsTheTotal) {
  BuyForm* f = open();
  f->txtSupId->setText("S1");
  addLine(f, "p1", "3", "10");  // typed in another case
  ASSERT_EQ(f->lineCount(), 1);
  EXPECT_EQ(f->FGrid->TextMatrix(0, grid::Inv), "1");
  EXPECT_EQ(f->FGrid->TextMatrix(0, grid::Pid), "P1") << "the stored code";
  EXPECT_EQ(f->FGrid->TextMatrix(0, grid::Name), "Water");
  EXPECT_EQ(f->FGrid->TextMatrix(0, grid::Value), "30.00");
  EXPECT_EQ(f->FGrid->TextMatrix(0, grid::BaseQty), "3");
  EXPECT_EQ(f->FGrid->TextMatrix(0, grid::Status), "N");
  EXPECT_EQ(f->txtTotal->text(), "30.00");
  EXPECT_TRUE(f->txtSupId->isReadOnly()) << "the supplier is locked once a line is added";
  EXPECT_TRUE(f->txtQuantity->text().isEmpty());
  EXPECT_EQ(f->txtStock->text(), "0");
  EXPECT_EQ(f->LabelStock->text(), "-");

  addLine(f, "P1", "5", "12");
  ASSERT_EQ(f->lineCount(), 1) << "the new quantity replaces the old one";
  EXPECT_EQ(f->FGrid->TextMatrix(0, grid::Qty), "5");
  EXPECT_EQ(f->FGrid->TextMatrix(0, grid::Value), "60.00");
  EXPECT_EQ(f->txtTotal->text(), "60.00");

  addLine(f, "P2", "1", "0.5");
  EXPECT_EQ(f->FGrid->TextMatrix(1, grid::Value), ".50");
  EXPECT_EQ(f->txtTotal->text(), "60.50");
  addLine(f, "P3", "1000", "1000");
  EXPECT_EQ(f->txtTotal->text(), "1,000,060.50");
  addLine(f, "P3", "1", "1");
  EXPECT_EQ(f->txtTotal->text(), "61.50") << "the grouped total is read back as a number";

  // Nothing is added for an unknown code, an empty box, or a price without a digit.
  addLine(f, "ZZ", "1", "1");
  addLine(f, "P1", "", "1");
  EXPECT_TRUE(d.shown.empty());
  addLine(f, "P1", "2", ".");
  EXPECT_EQ(d.lastMessage(), "Please type the quantity and the price as numbers");
  EXPECT_EQ(f->lineCount(), 3);
  EXPECT_EQ(f->txtTotal->text(), "61.50");
}

TEST_F(BuyFormTest, PickersUseItemDataAndProposeTheLastCost) {
  addLot("X.1", "2024-03-01", "1", 1, 12.5);
  BuyForm* f = open();
  f->ComCate->setCurrentIndex(1);
  f->ComCate_Click();
  ASSERT_EQ(f->ComBar->count(), 1);
  EXPECT_EQ(f->ComBar->itemText(0), "X.1. Crisps");

  // A category chosen but no product: nothing is added.
  f->txtQuantity->setText("2");
  f->txtPrice->setText("3");
  f->cmdUpdate_Click();
  EXPECT_EQ(f->lineCount(), 0);

  f->ComBar->setCurrentIndex(0);
  f->ComBar_Click();
  EXPECT_EQ(f->txtPrice->text(), "12.5");
  EXPECT_EQ(f->txtStock->text(), "0");
  EXPECT_EQ(f->LabelQuantity->text(), "bag");
  f->txtQuantity->setText("2");
  f->cmdUpdate_Click();
  ASSERT_EQ(f->lineCount(), 1);
  EXPECT_EQ(f->FGrid->TextMatrix(0, grid::Pid), "X.1") << "a code with a full stop survives the list";
  EXPECT_EQ(f->FGrid->TextMatrix(0, grid::Name), "Crisps");
  EXPECT_EQ(f->FGrid->TextMatrix(0, grid::Value), "25.00");
  EXPECT_EQ(f->ComCate->currentIndex(), -1);

  // Enter in the product box takes the typed code and leaves the category.
  f->ComCate->setCurrentIndex(0);
  f->ComBar->setEditText("p2");
  QTest::keyClick(f->ComBar->lineEdit(), Qt::Key_Return);
  EXPECT_EQ(f->txtStock->text(), "4");
  EXPECT_EQ(f->ComCate->currentIndex(), -1);
}

TEST_F(BuyFormTest, SupplierLookUpAndList) {
  addSupplier("S.2", "Best", "Bob");
  BuyForm* f = open();
  f->txtSupId->setText("s1");
  QTest::keyClick(f->txtSupId, Qt::Key_Return);
  EXPECT_EQ(f->txtSupName->text(), "Acme/Ann");
  f->txtSupId->setText("nobody");
  QTest::keyClick(f->txtSupId, Qt::Key_Return);
  QTest::keyClick(f->txtSupId, Qt::Key_Return);
  ASSERT_EQ(f->ListSupId->count(), 2) << "the list is filled once, not once per Enter";
  EXPECT_EQ(f->ListSupId->item(0)->text(), "S.2.Best/Bob");
  f->ListSupId->setCurrentRow(0);
  f->ListSupId_DblClick();
  EXPECT_EQ(f->txtSupId->text(), "S.2");
  EXPECT_EQ(f->txtSupName->text(), "Best/Bob");
  EXPECT_TRUE(f->ListSupId->isHidden());
}

TEST_F(BuyFormTest, NumericBoxesRefuseWhatIsNoNumber) {
  BuyForm* f = open();
  QTest::keyClicks(f->txtQuantity, "1.5x");
  EXPECT_EQ(f->txtQuantity->text(), "15");
  QTest::keyClick(f->txtQuantity, Qt::Key_Escape);
  EXPECT_EQ(f->txtQuantity->text(), "15");
  QTest::keyClicks(f->txtPrice, "12.50");
  EXPECT_EQ(f->txtPrice->text(), "12.50");
  QTest::keyClicks(f->txtPrice, ".");
  EXPECT_EQ(f->txtPrice->text(), "12.50") << "a second point";
  // Pasted text goes through insert().
  f->txtPrice->clear();
  f->txtPrice->insert("12abc");
  EXPECT_EQ(f->txtPrice->text(), "");
  f->txtPrice->insert("7.25");
  EXPECT_EQ(f->txtPrice->text(), "7.25");
  f->txtQuantity->clear();
  f->txtQuantity->insert("-3");
  EXPECT_EQ(f->txtQuantity->text(), "");
}

TEST_F(BuyFormTest, CommitOfTwoNewLines) {
  plat::setClock(QDateTime(QDate(2024, 3, 15), QTime(10, 45, 5)));
  BuyForm* f = open();
  f->txtSupId->setText("S1");
  f->txtSupName->setText("Acme/Ann");
  addLine(f, "P1", "5", "10");
  addLine(f, "P2", "3", "20");
  d.answerYes();
  f->cmdCommit_Click();
  EXPECT_EQ(d.texts(), QStringList({"Do you want to save this data", "System complete"}));
  ASSERT_EQ(buyRows(kIso, "1"), 2);
  EXPECT_EQ(lotField("P1", kIso, "1", "RemainQ").toDouble(), 5);
  EXPECT_EQ(lotField("P2", kIso, "1", "RemainQ").toDouble(), 3);
  EXPECT_EQ(lotField("P2", kIso, "1", "SupplierID"), "S1");
  EXPECT_EQ(lotField("P2", kIso, "1", "BuyTime"), "10:45:05");
  EXPECT_EQ(stockOf("P1"), 5);
  EXPECT_EQ(stockOf("P2"), 7);
  EXPECT_EQ(f->lineCount(), 0);
  EXPECT_EQ(f->FGrid->Rows(), 0);
  EXPECT_EQ(f->txtTotal->text(), "0");
  EXPECT_EQ(f->txtBuyId->text(), "2");
  EXPECT_EQ(f->txtSupId->text(), "");
  EXPECT_EQ(f->txtSupName->text(), "");
  EXPECT_FALSE(f->txtSupId->isReadOnly());
}

TEST_F(BuyFormTest, CommitAnsweredNoOrWithAnEmptyGrid) {
  BuyForm* f = open();
  f->txtSupId->setText("S1");
  addLine(f, "P1", "5", "10");
  d.answerYes(false);
  f->cmdCommit_Click();
  EXPECT_EQ(buyRows(), 0);
  EXPECT_EQ(f->lineCount(), 1);
  EXPECT_EQ(f->txtSupId->text(), "") << "No still empties the supplier boxes";

  d.answerYes();
  f->cmdClear_Click();
  d.clear();
  d.answerYes();
  f->cmdCommit_Click();
  EXPECT_EQ(d.lastMessage(), "System complete") << "an empty grid needs no supplier";
  EXPECT_EQ(f->txtBuyId->text(), "1");
}

TEST_F(BuyFormTest, FailedCommitsWriteNothingKeepTheGridAndRetryCleanly) {
  addLot("P3", kIso, "1", 2, 1);
  BuyForm* f = open();
  addLine(f, "P1", "5", "10");
  addLine(f, "P2", "3", "20");
  for (const QString& supplier : {QString(), QString("S9")}) {
    f->txtSupId->setText(supplier);
    d.clear();
    d.answerYes();
    f->cmdCommit_Click();
    EXPECT_EQ(d.lastMessage(), "Can't Find Supplier Id") << supplier.toStdString();
    EXPECT_EQ(buyRows(), 1);
    EXPECT_EQ(f->lineCount(), 2);
    EXPECT_EQ(f->txtSupId->text(), supplier) << "the boxes stay for a retry";
    EXPECT_EQ(f->txtBuyId->text(), "2");
  }

  // The database fails on line 3 of 3, a duplicate key, then succeeds.
  f->txtSupId->setText("S1");
  f->txtBuyId->setText("1");  // the number of a saved invoice with P3 on it
  addLine(f, "P3", "1", "1");
  d.clear();
  d.answerYes();
  f->cmdCommit_Click();
  EXPECT_EQ(d.lastMessage(), "Product P3 is already on invoice No.1 of this date");
  EXPECT_EQ(buyRows(), 1);
  // The line typed again under the proposed number.
  f->FGrid->setRow(2);
  f->cmdCancel_Click();
  f->txtBuyId->setText("2");
  addLine(f, "P3", "1", "1");

  refuseLotsOf("P2");
  d.clear();
  d.answerYes();
  f->cmdCommit_Click();
  EXPECT_TRUE(d.lastMessage().contains("disk I/O error")) << d.lastMessage().toStdString();
  EXPECT_EQ(buyRows(), 1);
  EXPECT_EQ(stockOf("P1"), 0);
  EXPECT_EQ(f->lineCount(), 3);
  EXPECT_EQ(f->txtTotal->text(), "111.00");

  acceptAllLots();
  d.answerYes();
  f->cmdCommit_Click();
  EXPECT_EQ(buyRows(kIso, "2"), 3);
  EXPECT_EQ(stockOf("P1"), 5);
  EXPECT_EQ(stockOf("P2"), 7);
  EXPECT_EQ(stockOf("P3"), 1);
}

TEST_F(BuyFormTest, ShowThenEditAQuantityThenEditInv) {
  addLot("P1", kIso, "7", 5, 10);
  addLot("P2", kIso, "7", 2, 3);
  data::Conn().exec("UPDATE Product SET Quantity = 5 WHERE PId = 'P1'");
  BuyForm* f = open();
  show(f, "7");
  ASSERT_EQ(f->lineCount(), 2);
  EXPECT_TRUE(f->inShowMode());
  EXPECT_TRUE(f->cmdCommit->isHidden());
  EXPECT_FALSE(f->cmdEditInv->isHidden());
  EXPECT_FALSE(f->cmdUpdate->isEnabled());
  EXPECT_FALSE(f->txtQuantity->isEnabled());
  EXPECT_TRUE(f->ComCate->isHidden());
  EXPECT_EQ(f->txtSupId->text(), "S1");
  EXPECT_EQ(f->txtSupName->text(), "Acme/Ann");
  EXPECT_EQ(f->txtTotal->text(), "56.00");
  EXPECT_EQ(f->FGrid->TextMatrix(0, grid::Value), "50.00");
  EXPECT_EQ(f->FGrid->TextMatrix(0, grid::PlainValue), "50");
  EXPECT_EQ(f->FGrid->TextMatrix(1, grid::Status), "S");

  BuyEditPriceQ* ed = editRow(f, 0);
  ASSERT_NE(ed, nullptr);
  ed->txtQuantity->setText("8");
  ed->cmdOk_Click();
  EXPECT_EQ(f->FGrid->TextMatrix(0, grid::Status), "U");

  plat::setClock(QDateTime(QDate(2024, 3, 15), QTime(11, 0, 0)));
  d.clear();
  d.answerYes();
  f->cmdEditInv_Click();
  EXPECT_EQ(d.texts(), QStringList({"Do you want to edit Invoice No.7", "System complete"}));
  EXPECT_EQ(stockOf("P1"), 8);
  EXPECT_EQ(lotField("P1", kIso, "7", "BQuantity").toDouble(), 8);
  EXPECT_EQ(lotField("P1", kIso, "7", "RemainQ").toDouble(), 8);
  EXPECT_EQ(lotField("P1", kIso, "7", "BuyTime"), "11:00:00");
  EXPECT_EQ(stockOf("P2"), 4);
  EXPECT_EQ(buyRows(kIso, "7"), 2);
  EXPECT_TRUE(f->cmdEditInv->isHidden());
  EXPECT_FALSE(f->cmdCommit->isHidden());
  EXPECT_TRUE(f->cmdUpdate->isEnabled());
  EXPECT_EQ(f->lineCount(), 0);
  EXPECT_EQ(f->txtSupId->text(), "");
}

TEST_F(BuyFormTest, DeleteInvAfterAnUnsavedEditLowersBySavedQuantities) {
  addLot("P1", kIso, "7", 5, 10);
  addLot("GONE", kIso, "7", 1, 1);  // its product was deleted
  addLot("P2", kIso, "8", 2, 3);
  data::Conn().exec("UPDATE Product SET Quantity = 5 WHERE PId = 'P1'");
  BuyForm* f = open();
  show(f, "7");
  ASSERT_EQ(f->lineCount(), 2) << "a line whose product was deleted still loads";
  EXPECT_EQ(f->FGrid->TextMatrix(0, grid::Pid), "GONE");
  BuyEditPriceQ* ed = editRow(f, 1);
  ASSERT_NE(ed, nullptr);
  ed->txtQuantity->setText("8");
  ed->cmdOk_Click();
  f->txtBuyId->setText("8");  // the boxes no longer name the shown invoice

  d.clear();
  d.answerYes();
  f->cmdDelInv_Click();
  EXPECT_EQ(d.texts(), QStringList({"Do you want to delete Invoice No.7"})) << "one question only";
  EXPECT_EQ(buyRows(kIso, "7"), 0);
  EXPECT_EQ(buyRows(kIso, "8"), 1);
  EXPECT_EQ(stockOf("P1"), 0) << "lowered by the saved 5, not the edited 8";
  EXPECT_EQ(f->lineCount(), 0);
  EXPECT_EQ(f->txtTotal->text(), "0");
  EXPECT_EQ(f->txtBuyId->text(), "9");
  EXPECT_FALSE(f->inShowMode());
  EXPECT_FALSE(f->cmdCommit->isHidden());
  EXPECT_FALSE(f->shownInvoice().has_value());

  // Nothing shown and nothing in the grid: nothing is named, nothing asked.
  d.clear();
  f->cmdDelInv_Click();
  EXPECT_TRUE(d.shown.empty());
}

TEST_F(BuyFormTest, AFailedDeleteInvTellsWhyAndLeavesInvoiceStockAndGrid) {
  addLot("P1", kIso, "7", 5, 10);
  addLot("P2", kIso, "7", 2, 3);
  data::Conn().exec("UPDATE Product SET Quantity = 5 WHERE PId = 'P1'");
  BuyForm* f = open();
  show(f, "7");
  data::Conn().exec(
      "CREATE TEMP TRIGGER keep_lots BEFORE DELETE ON Buy BEGIN SELECT RAISE(ABORT, 'disk full (test)'); "
      "END");
  d.clear();
  d.answerYes();
  f->cmdDelInv_Click();
  EXPECT_TRUE(d.lastMessage().contains("disk full (test)")) << d.lastMessage().toStdString();
  EXPECT_EQ(buyRows(kIso, "7"), 2);
  EXPECT_EQ(stockOf("P1"), 5) << "the stock change is rolled back with the deletion";
  EXPECT_EQ(f->lineCount(), 2);
  EXPECT_TRUE(f->inShowMode());

  data::Conn().exec("DROP TRIGGER keep_lots");
  d.answerYes();
  f->cmdDelInv_Click();
  EXPECT_EQ(buyRows(), 0);
  EXPECT_EQ(stockOf("P1"), 0);
  EXPECT_EQ(stockOf("P2"), 2);
}

TEST_F(BuyFormTest, EditInvDeletesASavedLineRemovedFromTheGrid) {
  addLot("P1", kIso, "7", 5, 10);
  addLot("P2", kIso, "7", 2, 3);
  addLot("P3", kIso, "7", 2, 7);
  data::Conn().exec("UPDATE Product SET Quantity = 10");
  BuyForm* f = open();
  show(f, "7");
  EXPECT_EQ(f->txtTotal->text(), "70.00");
  BuyEditPriceQ* ed = editRow(f, 1);
  ASSERT_NE(ed, nullptr);
  ed->cmdRemove_Click();
  EXPECT_EQ(f->lineCount(), 2);
  EXPECT_EQ(f->txtTotal->text(), "64.00");
  EXPECT_TRUE(f->isEnabled());

  d.answerYes();
  f->cmdEditInv_Click();
  EXPECT_EQ(d.lastMessage(), "System complete");
  EXPECT_EQ(buyRows(kIso, "7"), 2);
  EXPECT_EQ(lotField("P2", kIso, "7", "PId"), "");
  EXPECT_EQ(stockOf("P2"), 8);
  EXPECT_EQ(stockOf("P1"), 10);
  EXPECT_EQ(stockOf("P3"), 10);
}

TEST_F(BuyFormTest, AnInvoiceOfAnUnknownSupplierShowsAndNeedsAKnownOneToBeRewritten) {
  addLot("P1", kIso, "7", 5, 10, "OLD");
  data::Conn().exec("UPDATE Product SET Quantity = 5 WHERE PId = 'P1'");
  BuyForm* f = open();
  show(f, "7");
  ASSERT_EQ(f->lineCount(), 1);
  EXPECT_EQ(f->txtSupId->text(), "OLD");
  EXPECT_EQ(f->txtSupName->text(), "");

  BuyEditPriceQ* ed = editRow(f, 0);
  ASSERT_NE(ed, nullptr);
  ed->txtQuantity->setText("6");
  ed->cmdOk_Click();
  ASSERT_EQ(f->FGrid->TextMatrix(0, grid::Status), "U");
  d.clear();
  d.answerYes();
  f->cmdEditInv_Click();
  EXPECT_EQ(d.lastMessage(), "Can't Find Supplier Id");
  EXPECT_EQ(lotField("P1", kIso, "7", "BQuantity").toDouble(), 5);
  EXPECT_EQ(f->lineCount(), 1) << "the grid stays as it was";

  f->txtSupId->setText("S1");
  d.answerYes();
  f->cmdEditInv_Click();
  EXPECT_EQ(lotField("P1", kIso, "7", "SupplierID"), "S1");
  EXPECT_EQ(stockOf("P1"), 6);
}

TEST_F(BuyFormTest, ShowAnsweredNoAndShowOfAMissingInvoice) {
  BuyForm* f = open();
  f->txtSupId->setText("S1");
  addLine(f, "P1", "5", "10");
  f->txtBuyId->setText("7");
  d.answerYes(false);
  f->cmdShow_Click();
  EXPECT_TRUE(f->inShowMode()) << "No still switches to show mode";
  EXPECT_EQ(f->lineCount(), 1);

  d.answerYes();
  f->cmdClear_Click();
  EXPECT_FALSE(f->inShowMode());
  f->txtSupId->setText("S1");
  f->txtBuyId->setText("42");
  d.answerYes();
  f->cmdShow_Click();
  EXPECT_EQ(f->lineCount(), 0);
  EXPECT_EQ(f->txtTotal->text(), "0");
  EXPECT_EQ(f->txtSupId->text(), "");
  EXPECT_FALSE(f->inShowMode()) << "the mode is unchanged";
}

TEST_F(BuyFormTest, NewAnsweredNoKeepsALoadedInvoiceWhoseChangedLineCommitWrites) {
  addLot("P1", kIso, "7", 5, 10);
  data::Conn().exec("UPDATE Product SET Quantity = 5 WHERE PId = 'P1'");
  BuyForm* f = open();
  show(f, "7");
  d.answerYes(false);
  f->cmdClear_Click();
  EXPECT_FALSE(f->inShowMode());
  ASSERT_EQ(f->lineCount(), 1);
  addLine(f, "P1", "9", "10");  // re-adding a loaded product marks it changed
  EXPECT_EQ(f->FGrid->TextMatrix(0, grid::Status), "U");
  addLine(f, "P2", "1", "2");
  d.answerYes();
  f->cmdCommit_Click();
  EXPECT_EQ(d.lastMessage(), "System complete");
  EXPECT_EQ(stockOf("P1"), 9);
  EXPECT_EQ(lotField("P1", kIso, "7", "RemainQ").toDouble(), 9);
  EXPECT_EQ(lotField("P2", kIso, "7", "BQuantity").toDouble(), 1) << "added to the shown invoice's number";
}

TEST_F(BuyFormTest, InvoiceNumbersAreStoredTrimmedAndAnEmptyOneIsRefused) {
  struct Case {
    const char* typed;
    const char* stored;  // nullptr: refused before anything is written
  } cases[] = {{"7 ", "7"}, {"  8", "8"}, {"", nullptr}, {"   ", nullptr}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    BuyForm* f = open();
    d.clear();
    f->txtSupId->setText("S1");
    f->txtBuyId->setText(c.typed);
    addLine(f, "P1", "5", "10");
    if (!c.stored) {
      EXPECT_EQ(d.texts(), QStringList{"Please type the invoice number"});
      EXPECT_EQ(f->lineCount(), 0);
    } else {
      ASSERT_EQ(f->lineCount(), 1);
      EXPECT_EQ(f->FGrid->TextMatrix(0, grid::Inv), c.stored);
      d.answerYes();
      f->cmdCommit_Click();
      EXPECT_EQ(d.lastMessage(), "System complete");
      EXPECT_EQ(buyRows(kIso, c.stored), 1);
    }
    reg().unload("BuyForm");
  }
  EXPECT_EQ(buyRows(), 2);
  EXPECT_EQ(stockOf("P1"), 10);
  // A line that reaches the save with blanks around its number (typed before the number was
  // trimmed) is stored trimmed too, and one without a number is refused.
  QVector<data::LineToSave> lines(1);
  lines[0].pid = "P2";
  lines[0].quantity = 1;
  lines[0].price = 1;
  lines[0].buyId = " 9 ";
  lines[0].state = data::LineState::New;
  const QDate day(2024, 3, 15);
  data::commitLines(day, day, "S1", lines, QTime(9, 0));
  EXPECT_EQ(buyRows(kIso, "9"), 1);
  lines[0].buyId = " ";
  EXPECT_THROW(data::commitLines(day, day, "S1", lines, QTime(9, 0)), data::InvoiceRefused);
  EXPECT_EQ(buyRows(), 3);
}

TEST_F(BuyFormTest, CommitDeletesASavedLineRemovedFromTheGrid) {
  addLot("P1", kIso, "7", 5, 10);
  addLot("P2", kIso, "7", 2, 3);
  data::Conn().exec("UPDATE Product SET Quantity = 10");
  BuyForm* f = open();
  show(f, "7");
  d.answerYes(false);
  f->cmdClear_Click();  // New answered No: the invoice stays, Commit is back
  ASSERT_EQ(f->lineCount(), 2);
  BuyEditPriceQ* ed = editRow(f, 1);
  ASSERT_NE(ed, nullptr);
  ed->cmdRemove_Click();
  ASSERT_EQ(f->lineCount(), 1);
  d.answerYes();
  f->cmdCommit_Click();
  EXPECT_EQ(d.lastMessage(), "System complete");
  EXPECT_EQ(buyRows(kIso, "7"), 1);
  EXPECT_EQ(lotField("P2", kIso, "7", "PId"), "");
  EXPECT_EQ(stockOf("P2"), 8);
  EXPECT_EQ(stockOf("P1"), 10);
}

TEST_F(BuyFormTest, RemovingLinesLowersTheTotal) {
  BuyForm* f = open();
  addLine(f, "P1", "5", "10");
  addLine(f, "P2", "3", "20");
  addLine(f, "P3", "2", "7");
  EXPECT_EQ(f->txtTotal->text(), "124.00");
  f->FGrid->setRow(0);
  f->cmdCancel_Click();
  EXPECT_EQ(f->txtTotal->text(), "74.00");
  EXPECT_EQ(f->lineCount(), 2);
  EXPECT_EQ(f->FGrid->TextMatrix(0, grid::Pid), "P2");
  f->FGrid->setRow(1);
  f->cmdCancel_Click();
  f->cmdCancel_Click();
  EXPECT_EQ(f->txtTotal->text(), "0");
  EXPECT_EQ(f->lineCount(), 0);
  f->cmdCancel_Click();
  EXPECT_EQ(f->lineCount(), 0) << "never below zero";
}

// A name holding a Tab stays one cell: the line's other cells keep their columns and it saves.
TEST_F(BuyFormTest, ANameWithATabStaysInItsCellAndTheLineSaves) {
  addProduct("T1", "Pear\tGreen", 0);
  BuyForm* f = open();
  f->txtSupId->setText("S1");
  addLine(f, "T1", "2", "3");
  ASSERT_EQ(f->lineCount(), 1);
  EXPECT_EQ(f->FGrid->TextMatrix(0, grid::Name), "Pear\tGreen");
  EXPECT_EQ(f->FGrid->TextMatrix(0, grid::Qty), "2");
  EXPECT_EQ(f->FGrid->TextMatrix(0, grid::Status), "N");
  d.answerYes();
  f->cmdCommit_Click();
  EXPECT_EQ(d.lastMessage(), "System complete");
  EXPECT_EQ(stockOf("T1"), 2);
}

TEST_F(BuyFormTest, DateBoxMustHoldADate) {
  BuyForm* f = open();
  f->txtSupId->setText("S1");
  addLine(f, "P1", "5", "10");
  f->txtDate->setText("31/02/2024");
  d.answerYes();
  f->cmdCommit_Click();
  EXPECT_EQ(d.lastMessage(), "Please type the date as dd/mm/yyyy");
  EXPECT_EQ(buyRows(), 0);
  EXPECT_EQ(f->lineCount(), 1);
}

}  // namespace
