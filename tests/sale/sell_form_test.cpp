// The touch picker: the category strip, the product rows, the quantity, OK's tests, and the hand-off
// to a real sale screen.
#include "sale/sell_form.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "data/db.h"
#include "platform/dialogs.h"
#include "platform/serial.h"
#include "sale/handoff.h"
#include "sale/main_form.h"
#include "sale/register.h"
#include "shell/settings.h"
#include "support/fake_serial.h"
#include "support/sale_fixtures.h"
#include "support/scripted_dialogs.h"
#include "support/testenv.h"

namespace {

using sale::MainForm;
using sale::SellForm;

class Picker : public testenv::DbTest {
 protected:
  void SetUp() override {
    DbTest::SetUp();
    plat::installFakeSerial(&serial);
    shell::settings().DisplayPort = shell::SettingValue::ofNumber(1);
    shell::settings().DrawerPort = shell::SettingValue::ofNumber(0);
    sale::registerForms();
  }
  void TearDown() override {
    plat::FormRegistry::instance().unloadAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    plat::setSerialFactory({});
    DbTest::TearDown();
  }
  static void category(const QString& id, const QString& name) {
    data::Conn().exec("INSERT INTO Category (CateID, CateName) VALUES (?, ?)", {id, name});
  }
  static void product(const QString& cid, const QString& pid, const QString& name, double stock = 100,
                      qint64 reorder = 0, double price = 10) {
    data::Conn().exec(
        "INSERT INTO Product (PId, PName, Price, Price1, Price2, Quantity, CID, ProNoun, PoOrder) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, 'pcs', ?)",
        {pid, name, price, price, price, stock, cid, reorder});
  }
  // Category "K" holding n products P01..Pnn named N01..Nnn.
  static void bigCategory(int n) {
    category("K", "Kitchen");
    for (int i = 1; i <= n; ++i)
      product("K", QStringLiteral("P%1").arg(i, 2, 10, QChar('0')),
              QStringLiteral("N%1").arg(i, 2, 10, QChar('0')));
  }
  SellForm* openPicker() {
    p = qobject_cast<SellForm*>(plat::FormRegistry::instance().show(QStringLiteral("SellForm")));
    return p;
  }
  MainForm* openSaleScreen() {
    f = qobject_cast<MainForm*>(plat::FormRegistry::instance().show(QStringLiteral("MainForm")));
    return f;
  }
  // The captions of the product buttons, blanks as "-".
  QStringList products() const {
    QStringList out;
    for (QPushButton* b : p->cmdPro) out << (b->text().isEmpty() ? QStringLiteral("-") : b->text());
    return out;
  }
  static QStringList numbered(int from, int to, int blanks = 0) {
    QStringList out;
    for (int i = from; i <= to; ++i) out << QStringLiteral("N%1").arg(i, 2, 10, QChar('0'));
    for (int i = 0; i < blanks; ++i) out << QStringLiteral("-");
    return out;
  }
  QStringList strip() const {
    QStringList out;
    for (QPushButton* b : p->cmdMenu) out << b->text();
    return out;
  }

  plat::SerialLog serial;
  plat::ScriptedDialogs dlg;
  SellForm* p = nullptr;
  MainForm* f = nullptr;
};

TEST_F(Picker, TheCategoryStripSlidesOneCategoryAtATime) {
  struct Step {
    const char* action;
    QStringList shown;
    bool back, next;
  };
  struct Case {
    int categories;
    std::vector<Step> steps;
  } cases[] = {
      {6,
       {{"load", {"c1", "c2", "c3", "c4"}, false, true},
        {"next", {"c2", "c3", "c4", "c5"}, true, true},
        {"next", {"c3", "c4", "c5", "c6"}, true, false},
        {"back", {"c2", "c3", "c4", "c5"}, true, true},
        {"back", {"c1", "c2", "c3", "c4"}, false, true}}},
      {4,
       {{"load", {"c1", "c2", "c3", "c4"}, false, false}, {"next", {"c1", "c2", "c3", "c4"}, false, false}}},
      {2, {{"load", {"c1", "c2", "", ""}, false, false}, {"back", {"c1", "c2", "", ""}, false, false}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.categories);
    data::Conn().exec("DELETE FROM Category");
    data::Conn().exec("DELETE FROM Product");
    for (int i = 1; i <= c.categories; ++i)
      category(QStringLiteral("C%1").arg(i), QStringLiteral("c%1").arg(i));
    product("C1", "A1", "Apple");
    ASSERT_TRUE(openPicker());
    for (const Step& s : c.steps) {
      SCOPED_TRACE(s.action);
      if (QString(s.action) == "next") p->cmdNext_Click();
      if (QString(s.action) == "back") p->cmdBack_Click();
      EXPECT_EQ(strip(), s.shown);
      EXPECT_EQ(p->cmdBack->isEnabled(), s.back);
      EXPECT_EQ(p->cmdNext->isEnabled(), s.next);
      // Sliding the strip leaves the products of the first category shown.
      EXPECT_EQ(p->cmdPro[0]->text(), "Apple");
    }
    if (c.categories == 2) {
      // A button without a category shows no products.
      p->cmdMenu_Click(3);
      EXPECT_EQ(products(), QStringList(24, "-"));
      EXPECT_TRUE(p->cmdDown->isEnabled());
    }
    p->cmdClose_Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  EXPECT_TRUE(dlg.shown.empty());
}

TEST_F(Picker, ProductRowsScrollByFourAndStopAtTheEnds) {
  bigCategory(30);
  category("S", "Small");
  product("S", "S1", "Salt");
  ASSERT_TRUE(openPicker());
  struct Step {
    const char* action;
    QStringList shown;
    bool up, down;
  } steps[] = {
      {"load", numbered(1, 24), false, true},    {"down", numbered(5, 28), true, true},
      {"down", numbered(9, 30, 2), true, false}, {"up", numbered(5, 28), true, true},
      {"up", numbered(1, 24), false, true},
  };
  p->cmdMenu_Click(0);  // "K" sorts first
  for (const Step& s : steps) {
    SCOPED_TRACE(s.action);
    if (QString(s.action) == "down") p->cmdDown_Click();
    if (QString(s.action) == "up") p->cmdUp_Click();
    EXPECT_EQ(products(), s.shown);
    EXPECT_EQ(p->cmdUp->isEnabled(), s.up);
    EXPECT_EQ(p->cmdDown->isEnabled(), s.down);
  }
  // A captionless button carries nothing: choosing it changes nothing.
  p->cmdDown_Click();
  p->cmdDown_Click();
  p->cmdPro_Click(0);
  ASSERT_EQ(p->txtName->text(), "N09");
  p->cmdPro_Click(23);
  EXPECT_EQ(p->txtName->text(), "N09");
  EXPECT_EQ(p->nameTag(), "P09");
  // A category that fits on the buttons: Down is enabled but moves nothing.
  p->cmdMenu_Click(1);
  EXPECT_EQ(products(), QStringList({"Salt"}) + QStringList(23, "-"));
  EXPECT_TRUE(p->cmdDown->isEnabled());
  EXPECT_FALSE(p->cmdUp->isEnabled());
  p->cmdDown_Click();
  EXPECT_EQ(p->cmdPro[0]->text(), "Salt");
  EXPECT_FALSE(p->cmdUp->isEnabled());
  EXPECT_TRUE(dlg.shown.empty());
}

TEST_F(Picker, ChoosingAgainCountsUpByProductAndTheKeypadEditsTheQuantity) {
  bigCategory(30);
  ASSERT_TRUE(openPicker());
  struct Step {
    const char* what;
    int button;  // -1: a scroll down; -2..: keypad digit -(d + 10)
    const char* quantity;
  } steps[] = {
      {"first choice", 0, "1"},
      {"same button", 0, "2"},
      {"third time", 0, "3"},
      {"another product", 4, "1"},
      {"scroll", -1, "1"},
      {"the same product on another button", 0, "2"},
      {"the same button showing another product", 4, "1"},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.what);
    if (s.button == -1)
      p->cmdDown_Click();
    else
      p->cmdPro_Click(s.button);
    EXPECT_EQ(p->txtQ->text(), s.quantity);
  }
  EXPECT_EQ(p->txtName->text(), "N09");
  EXPECT_EQ(p->txtStock->text(), "100");
  EXPECT_EQ(p->txtQ->selectedText(), "1");
  // Keypad: the first digit replaces the chosen quantity, the next ones are appended.
  p->cmdNum_Click(5);
  p->cmdNum_Click(2);
  EXPECT_EQ(p->txtQ->text(), "52");
  p->txtQ->setText("0");
  p->cmdNum_Click(7);
  EXPECT_EQ(p->txtQ->text(), "7");
  p->cmdClear_Click();
  EXPECT_EQ(p->txtQ->text(), "");
  // Typed text keeps only digits, a paste that is not all digits is refused; Enter moves on
  // without handing anything over.
  salefx::typeKeys(p->txtQ, "1a,2");
  EXPECT_EQ(p->txtQ->text(), "12");
  p->txtQ->insert("3 pcs");
  EXPECT_EQ(p->txtQ->text(), "12");
  p->txtQ->insert("3");
  EXPECT_EQ(p->txtQ->text(), "123");
  salefx::typeKeys(p->txtQ, "\r");
  EXPECT_EQ(p->txtQ->text(), "123");
  EXPECT_FALSE(sale::pick().pending);
}

TEST_F(Picker, OkChecksTheStockAndHandsTheProductOver) {
  category("K", "Kitchen");
  product("K", "T1", "Tea", 10, 0);
  product("K", "R1", "Rice", 10, 10);
  struct Case {
    const char* product;
    const char* quantity;
    QStringList messages;
    int lines;  // on the sale screen afterwards
  } cases[] = {
      // The sale screen warns of the re-order point too when it makes the line.
      {"T1", "10", {"จำนวนสินค้าในคลังถึงจุดสั่งซื้อ", "Point of Order"}, 1},
      {"T1", "11", {"สินค้าไม่พอ"}, 0},
      {"T1", "0", {"กรุณาใส่จำนวนสินค้า"}, 0},
      {"T1", "", {"กรุณาใส่จำนวนสินค้า"}, 0},
      {"T1", "40000", {"จำนวนสินค้าต้องไม่เกิน 32767"}, 0},
      // Leading zeros do not count towards the size of a quantity.
      {"T1", "0000000005", {}, 1},
      {"T1", "000000000000040000", {"จำนวนสินค้าต้องไม่เกิน 32767"}, 0},
      {"R1", "", {"จำนวนสินค้าในคลังถึงจุดสั่งซื้อ", "กรุณาใส่จำนวนสินค้า"}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.product) + " x " + c.quantity);
    ASSERT_TRUE(openSaleScreen());
    f->cmdClear_Click();
    ASSERT_TRUE(openPicker());
    p->cmdPro_Click(QString(c.product) == "T1" ? 1 : 0);  // codes in order: R1, T1
    p->txtQ->setText(c.quantity);
    dlg.clear();
    p->cmdOk_Click();
    EXPECT_EQ(dlg.texts(), c.messages);
    EXPECT_EQ(f->LineCount(), c.lines);
    EXPECT_TRUE(p->isVisible());
    EXPECT_EQ(p->txtQ->text(), c.lines ? "" : c.quantity);
  }
  // OK with nothing chosen hands nothing over.
  p->cmdClose_Click();
  ASSERT_TRUE(openPicker());
  dlg.clear();
  p->cmdOk_Click();
  EXPECT_TRUE(dlg.shown.empty());
  EXPECT_TRUE(p->isVisible());
}

TEST_F(Picker, EveryOkBecomesOneLineOnTheSaleScreenAtOnce) {
  bigCategory(5);
  ASSERT_TRUE(openSaleScreen());
  salefx::typeKeys(f->txtBar, " ");
  p = qobject_cast<SellForm*>(plat::FormRegistry::instance().loaded(QStringLiteral("SellForm")));
  ASSERT_TRUE(p);
  EXPECT_TRUE(p->isVisible());
  EXPECT_FALSE(f->isEnabled());
  serial.clear();
  // Three OKs without going back to the sale screen.
  p->cmdPro_Click(0);
  p->cmdNum_Click(3);
  p->cmdOk_Click();
  p->cmdPro_Click(1);
  p->cmdPro_Click(1);
  p->cmdOk_Click();
  p->cmdPro_Click(2);
  p->cmdOk_Click();
  ASSERT_EQ(f->LineCount(), 3);
  const QStringList codes = {f->FGrid->TextMatrix(0, 5), f->FGrid->TextMatrix(1, 5),
                             f->FGrid->TextMatrix(2, 5)};
  EXPECT_EQ(codes, QStringList({"P01", "P02", "P03"}));
  const QStringList qty = {f->FGrid->TextMatrix(0, 2), f->FGrid->TextMatrix(1, 2),
                           f->FGrid->TextMatrix(2, 2)};
  EXPECT_EQ(qty, QStringList({"3", "2", "1"}));
  EXPECT_EQ(f->txtTotal->text(), "60.00");
  QByteArray shown;
  for (const auto& e : serial.events)
    if (e.what == "write") shown += e.bytes;
  EXPECT_EQ(shown.count("Total "), 3);
  EXPECT_TRUE(shown.contains("60.00")) << shown.toStdString();
  EXPECT_TRUE(f->isEnabled());
  EXPECT_TRUE(p->isVisible());
  // Coming back to the sale screen does not ring the last pick up again.
  f->Form_Activate();
  f->setEnabled(false);
  f->setEnabled(true);
  EXPECT_EQ(f->LineCount(), 3);
  EXPECT_TRUE(dlg.shown.empty());

  p->cmdClose_Click();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_FALSE(plat::FormRegistry::instance().loaded("SellForm"));
  EXPECT_TRUE(f->isEnabled());
  EXPECT_TRUE(f->isMaximized());
  // The next opening reads the products again and starts afresh.
  product("K", "P00", "N00");
  ASSERT_TRUE(openPicker());
  EXPECT_EQ(p->cmdPro[0]->text(), "N00");
  EXPECT_TRUE(p->txtName->text().isEmpty());
}

TEST_F(Picker, ClosedWithoutAPickItLeavesTheCodeBoxAsItWasAndTheNextScanCounts) {
  bigCategory(2);
  ASSERT_TRUE(openSaleScreen());
  for (const QString& before : {QString(), QStringLiteral("3*")}) {
    SCOPED_TRACE(before.toStdString());
    f->cmdClear_Click();
    f->txtBar->setText(before);
    f->txtBar->setFocus();
    salefx::typeKeys(f->txtBar, " ");
    p = qobject_cast<SellForm*>(plat::FormRegistry::instance().loaded(QStringLiteral("SellForm")));
    ASSERT_TRUE(p);
    EXPECT_FALSE(f->isEnabled());
    QTest::mouseClick(p->cmdClose, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_TRUE(f->isEnabled());
    EXPECT_EQ(f->txtBar->text(), before);
    salefx::typeKeys(f->txtBar, "P02\r");
    ASSERT_EQ(f->LineCount(), 1);
    EXPECT_EQ(f->FGrid->TextMatrix(0, 5), "P02");
    EXPECT_EQ(f->FGrid->TextMatrix(0, 2), before.isEmpty() ? "1" : "3");
    EXPECT_EQ(f->txtBar->text(), "");
  }
}

TEST_F(Picker, OpensAtItsSizeWithThaiCaptionsAndTellsADatabaseFailure) {
  shell::settings().LangThai = true;
  category("K", "Kitchen");
  ASSERT_TRUE(openPicker());
  EXPECT_EQ(p->windowTitle(), "เลือก");
  EXPECT_EQ(p->cmdOk->text(), "ตกลง");
  EXPECT_EQ(p->cmdClear->text(), "ลบข้อมูล");
  EXPECT_TRUE(p->cmdChk->isHidden());
  for (QWidget* w : p->findChildren<QWidget*>()) {
    if (w->isHidden() || !w->parentWidget()) continue;
    EXPECT_TRUE(w->parentWidget()->rect().contains(w->geometry())) << w->objectName().toStdString();
  }
  data::Conn().exec("ALTER TABLE Product RENAME TO ProductGone");
  p->cmdMenu_Click(0);
  ASSERT_EQ(dlg.shown.size(), 1u);
  EXPECT_TRUE(dlg.lastMessage().contains("Product", Qt::CaseInsensitive)) << dlg.lastMessage().toStdString();
}

TEST_F(Picker, RowsComeAfterTheConnectionWasClosedAndOpenedAgain) {
  bigCategory(30);
  ASSERT_TRUE(openPicker());
  const QString path = data::Conn().path();
  // While the connection is closed (a backup in progress) a scroll is told and changes nothing.
  data::Conn().close();
  p->cmdDown_Click();
  ASSERT_EQ(dlg.shown.size(), 1u);
  EXPECT_EQ(products(), numbered(1, 24));
  data::Conn().open(path);
  p->cmdDown_Click();
  EXPECT_EQ(products(), numbered(5, 28));
  data::Conn().close();
  data::Conn().open(path);
  p->cmdUp_Click();
  EXPECT_EQ(products(), numbered(1, 24));
  p->cmdMenu_Click(0);
  EXPECT_EQ(products(), numbered(1, 24));
  EXPECT_EQ(dlg.shown.size(), 1u);
}

}  // namespace
