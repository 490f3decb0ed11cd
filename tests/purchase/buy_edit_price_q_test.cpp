#include "purchase/buy_edit_price_q.h"

#include <gtest/gtest.h>

#include <QTest>

#include "platform/dialogs.h"
#include "purchase/buy_form.h"
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

plat::FormRegistry& reg() { return plat::FormRegistry::instance(); }

class LineEditorTest : public testenv::DbTest {
 protected:
  void SetUp() override {
    DbTest::SetUp();
    purchase::registerForms();
    addCategory("C1", "Drinks");
    addProduct("P1", "Water", 0);
    addProduct("P2", "Soda", 0);
    f = qobject_cast<BuyForm*>(reg().form("BuyForm"));
    ASSERT_NE(f, nullptr);
    add("P1", "2", "10");
    add("P2", "1", "4");
  }
  void TearDown() override {
    reg().unloadAll();
    testenv::pump();
    DbTest::TearDown();
  }
  void add(const QString& code, const QString& q, const QString& p) {
    f->ComBar->setEditText(code);
    f->txtQuantity->setText(q);
    f->txtPrice->setText(p);
    f->cmdUpdate_Click();
  }
  BuyEditPriceQ* edit(int row) {
    f->FGrid->setRow(row);
    f->FGrid_Click();
    return qobject_cast<BuyEditPriceQ*>(reg().loaded("BuyEditPriceQ"));
  }
  QString cell(int row, int col) const { return f->FGrid->TextMatrix(row, col); }

  plat::ScriptedDialogs d;
  BuyForm* f = nullptr;
};

TEST_F(LineEditorTest, OpensOnTheCurrentLineAndDisablesTheScreen) {
  BuyEditPriceQ* ed = edit(0);
  ASSERT_NE(ed, nullptr);
  EXPECT_EQ(ed->windowTitle(), "P1");
  EXPECT_EQ(ed->txtQuantity->text(), "2");
  EXPECT_EQ(ed->txtPrice->text(), "10");
  EXPECT_EQ(ed->txtQuantity->selectedText(), "2");
  EXPECT_EQ(ed->lblQ->text(), "Quanity");
  EXPECT_FALSE(f->isEnabled());
  EXPECT_NE(reg().loaded("BuyForm"), nullptr) << "opening the editor does not close the screen";
  ed->cmdOk_Click();
  EXPECT_TRUE(f->isEnabled());
  EXPECT_EQ(reg().loaded("BuyEditPriceQ"), nullptr);
}

TEST_F(LineEditorTest, OkWritesTheLineAndKeepsTheTotalInStep) {
  EXPECT_EQ(f->txtTotal->text(), "24.00");
  // Unchanged values change nothing.
  edit(0)->cmdOk_Click();
  EXPECT_EQ(f->txtTotal->text(), "24.00");
  EXPECT_EQ(cell(0, grid::Value), "20.00");
  EXPECT_EQ(cell(0, grid::BaseQty), "2");

  // 2 to 5 at 10: the total rises by 30, column 7 falls by 3.
  BuyEditPriceQ* ed = edit(0);
  ed->txtQuantity->setText("5");
  ed->cmdOk_Click();
  EXPECT_EQ(f->txtTotal->text(), "54.00");
  EXPECT_EQ(cell(0, grid::Qty), "5");
  EXPECT_EQ(cell(0, grid::Value), "50.00");
  EXPECT_EQ(cell(0, grid::BaseQty), "-1");
  EXPECT_EQ(cell(0, grid::Status), "N") << "a typed line stays new";

  // The price is kept as typed; a quantity of 0 keeps the line.
  ed = edit(1);
  ed->txtQuantity->setText("0");
  ed->txtPrice->setText("12.5");
  ed->cmdOk_Click();
  EXPECT_EQ(cell(1, grid::Price), "12.5");
  EXPECT_EQ(cell(1, grid::Value), "0.00");
  EXPECT_EQ(f->lineCount(), 2);
  EXPECT_EQ(f->txtTotal->text(), "50.00");
}

TEST_F(LineEditorTest, EnterMovesToThePriceThenActsAsOk) {
  BuyEditPriceQ* ed = edit(1);
  ed->txtQuantity->setText("3");
  QTest::keyClick(ed->txtQuantity, Qt::Key_Escape);
  EXPECT_EQ(ed->txtQuantity->text(), "3") << "Escape is discarded";
  QTest::keyClicks(ed->txtQuantity, "a.");
  EXPECT_EQ(ed->txtQuantity->text(), "3");
  QTest::keyClick(ed->txtQuantity, Qt::Key_Return);
  EXPECT_NE(reg().loaded("BuyEditPriceQ"), nullptr);
  QTest::keyClick(ed->txtPrice, Qt::Key_Return);
  EXPECT_EQ(reg().loaded("BuyEditPriceQ"), nullptr);
  EXPECT_EQ(cell(1, grid::Qty), "3");
  EXPECT_EQ(f->txtTotal->text(), "32.00");
}

TEST_F(LineEditorTest, InvalidInputShowsAMessageAndKeepsTheEditorOpen) {
  const struct {
    const char* q;
    const char* p;
    const char* message;
  } cases[] = {{"", "10", "Please type the quantity as a whole number"},
               {"2", "", "Please type the price as a number"},
               {"2", ".", "Please type the price as a number"}};
  BuyEditPriceQ* ed = edit(0);
  for (const auto& c : cases) {
    ed->txtQuantity->setText(c.q);
    ed->txtPrice->setText(c.p);
    ed->cmdOk_Click();
    EXPECT_EQ(d.lastMessage(), c.message) << c.q << "/" << c.p;
    EXPECT_EQ(reg().loaded("BuyEditPriceQ"), ed);
    EXPECT_EQ(cell(0, grid::Qty), "2");
    EXPECT_EQ(f->txtTotal->text(), "24.00");
  }
  ed->txtPrice->clear();
  ed->txtPrice->insert("1x");
  EXPECT_EQ(ed->txtPrice->text(), "") << "a pasted non-number is refused";
}

TEST_F(LineEditorTest, ChangingASavedLineMarksItChanged) {
  // The two typed lines saved, then shown again: both saved lines.
  addSupplier("S1", "Acme", "Ann");
  f->txtSupId->setText("S1");
  d.answerYes();
  f->cmdCommit_Click();
  f->txtBuyId->setText("1");
  d.answerYes();
  f->cmdShow_Click();
  ASSERT_EQ(f->lineCount(), 2);
  edit(0)->cmdOk_Click();
  EXPECT_EQ(cell(0, grid::Status), "S") << "unchanged";
  BuyEditPriceQ* ed = edit(1);
  ed->txtPrice->setText("4.5");
  ed->cmdOk_Click();
  EXPECT_EQ(cell(1, grid::Status), "U");
}

TEST_F(LineEditorTest, RemoveAndLosingActivation) {
  BuyEditPriceQ* ed = edit(0);
  ed->txtQuantity->setText("9");
  ed->Form_Deactivate();
  EXPECT_EQ(reg().loaded("BuyEditPriceQ"), nullptr);
  EXPECT_TRUE(f->isEnabled());
  EXPECT_EQ(cell(0, grid::Qty), "2") << "nothing is written";

  edit(0)->cmdRemove_Click();
  EXPECT_EQ(f->lineCount(), 1);
  EXPECT_EQ(cell(0, grid::Pid), "P2");
  EXPECT_EQ(f->txtTotal->text(), "4.00");
  EXPECT_TRUE(f->isEnabled());
  edit(0)->cmdRemove_Click();
  EXPECT_EQ(f->lineCount(), 0);
  EXPECT_EQ(f->txtTotal->text(), "0");
  // With no line there is nothing to open.
  f->FGrid_Click();
  EXPECT_EQ(reg().loaded("BuyEditPriceQ"), nullptr);
  EXPECT_TRUE(f->isEnabled());
}

TEST_F(LineEditorTest, ThaiCaptions) {
  shell::settings().LangThai = true;
  BuyEditPriceQ* ed = edit(0);
  EXPECT_EQ(ed->lblQ->text(), "จำนวน");
  EXPECT_EQ(ed->lblPrice->text(), "ราคา");
  EXPECT_EQ(ed->cmdOk->text(), "ตกลง");
  EXPECT_EQ(ed->cmdRemove->text(), "ลบรายการ");
}

}  // namespace
