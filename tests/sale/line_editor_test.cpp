// The sale line editor over a real sale screen in a main window's area: price and quantity edits,
// the refusals, removal and closing without a change.
#include "sale/line_editor.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMainWindow>
#include <QMdiArea>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "data/db.h"
#include "platform/dialogs.h"
#include "platform/numtext.h"
#include "platform/serial.h"
#include "platform/units.h"
#include "sale/main_form.h"
#include "sale/register.h"
#include "shell/settings.h"
#include "support/fake_serial.h"
#include "support/sale_fixtures.h"
#include "support/scripted_dialogs.h"
#include "support/testenv.h"

namespace {

using sale::MainForm;
using sale::MEditPriceQ;

class LineEditor : public testenv::DbTest {
 protected:
  void SetUp() override {
    DbTest::SetUp();
    plat::installFakeSerial(&serial);
    shell::settings().DisplayPort = shell::SettingValue::ofNumber(1);
    shell::settings().DrawerPort = shell::SettingValue::ofNumber(0);
    sale::registerForms();
    salefx::addProduct("4711", "Green Tea", 10, 100, 0);
    salefx::addProduct("P4", "Soap", 20, 4, 0);
    window.setCentralWidget(mdi);
    plat::FormRegistry::instance().setMdiArea(mdi);
    window.show();
    f = static_cast<MainForm*>(plat::FormRegistry::instance().show(QStringLiteral("MainForm")));
    ASSERT_TRUE(f);
  }
  void TearDown() override {
    plat::FormRegistry::instance().unloadAll();
    plat::FormRegistry::instance().setMdiArea(nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    plat::setSerialFactory({});
    DbTest::TearDown();
  }
  void enter(const QString& text) {
    f->txtBar->setText(text);
    int k = 13;
    f->txtBar_KeyPress(k);
  }
  // Clicks line r of the grid; the editor it opens.
  MEditPriceQ* edit(int r) {
    f->FGrid->setRow(r);
    f->FGrid_Click();
    return qobject_cast<MEditPriceQ*>(plat::FormRegistry::instance().loaded(QStringLiteral("MEditPriceQ")));
  }
  bool editorOpen() const { return plat::FormRegistry::instance().loaded(QStringLiteral("MEditPriceQ")); }
  QString cell(int r, int c) const { return f->FGrid->TextMatrix(r, c); }
  QStringList row(int r) const {
    QStringList out;
    for (int c = 0; c < 8; ++c)
      if (c != 6) out << cell(r, c);
    return out;
  }

  plat::SerialLog serial;
  plat::ScriptedDialogs dlg;
  QMainWindow window;
  QMdiArea* mdi = new QMdiArea;
  MainForm* f = nullptr;
};

TEST_F(LineEditor, OpensOnTheLineWithTheWindowsBehindDisabled) {
  enter("3*4711");
  MEditPriceQ* e = edit(0);
  ASSERT_TRUE(e);
  EXPECT_EQ(e->windowTitle(), "Green Tea");
  EXPECT_EQ(e->txtQuantity->text(), "3");
  EXPECT_EQ(e->txtPrice->text(), "10");
  EXPECT_EQ(e->txtQuantity->selectedText(), "3");
  EXPECT_EQ(f->a->text(), "100");
  EXPECT_FALSE(f->isEnabled());
  EXPECT_FALSE(window.isEnabled());
  EXPECT_TRUE(e->isWindow());
  // At its place, with both buttons inside the window.
  EXPECT_EQ(e->pos(), QPoint(plat::twipsToPx(1500), plat::twipsToPx(2900)));
  EXPECT_TRUE(e->rect().contains(e->cmdRemove->geometry()));
  EXPECT_TRUE(e->rect().contains(e->cmdOK->geometry()));
  EXPECT_EQ(e->lblQ->text(), "Quanity");
}

TEST_F(LineEditor, OkAppliesQuantityAndPriceToTheLineTotalAndDisplay) {
  struct Case {
    const char* entry;
    const char* quantity;
    const char* price;
    QStringList line;  // every column but the time
    const char* total;
  } cases[] = {
      // Only the price: the total rises by 3 x 2, the stock left stays.
      {"3*4711", "3", "12", {"1", "Green Tea", "3", "12", "36", "4711", "97"}, "36.00"},
      // Only the quantity: the stock left follows it.
      {"2*4711", "5", "10", {"1", "Green Tea", "5", "10", "50", "4711", "95"}, "50.00"},
      // A free price is kept as typed.
      {"5*4711", "5", "12.5", {"1", "Green Tea", "5", "12.5", "62.5", "4711", "95"}, "62.50"},
      // Leading zeros are no part of the quantity's size.
      {"4711", "0000000005", "10", {"1", "Green Tea", "5", "10", "50", "4711", "95"}, "50.00"},
      // Quantity 0 is taken.
      {"4711", "0", "10", {"1", "Green Tea", "0", "10", "0", "4711", "100"}, "0.00"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.entry);
    f->cmdClear_Click();
    enter(c.entry);
    serial.clear();
    MEditPriceQ* e = edit(0);
    ASSERT_TRUE(e);
    e->txtQuantity->setText(c.quantity);
    e->txtPrice->setText(c.price);
    e->cmdOK_Click();
    EXPECT_FALSE(editorOpen());
    EXPECT_EQ(row(0), c.line);
    EXPECT_EQ(f->txtTotal->text(), c.total);
    EXPECT_TRUE(f->isEnabled());
    EXPECT_TRUE(window.isEnabled());
    EXPECT_EQ(f->txtPric->text(), c.price);
    QByteArray shown;
    for (const auto& ev : serial.events)
      if (ev.what == "write") shown += ev.bytes;
    EXPECT_TRUE(shown.contains(plat::fmtMoney(QString(c.price).toDouble()).toLatin1()))
        << shown.toStdString();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  EXPECT_TRUE(dlg.shown.empty());
}

TEST_F(LineEditor, TheTotalIsTheSumOfTheLines) {
  salefx::addProduct("D1", "Dime", 0.1, 100);
  enter("4711");
  enter("3*D1");
  MEditPriceQ* e = edit(1);
  ASSERT_TRUE(e);
  e->txtQuantity->setText("7");
  e->cmdOK_Click();
  EXPECT_EQ(f->txtTotal->text(), "10.70");
  EXPECT_DOUBLE_EQ(f->SaleTotal(), 10 + 7 * 0.1);
}

TEST_F(LineEditor, RefusalsKeepTheLineAndTheEditorOpen) {
  struct Case {
    const char* quantity;
    const char* price;
    const char* message;
    const char* selectedBox;
  };
  // 310 digits read as infinity; one satang over the highest price.
  const std::string digits310(310, '9');
  const Case cases[] = {
      {"5", "20", "สินค้าในคลังมีไม่พอ", "txtQuantity"},  // stock 4, whatever the language
      {"", "20", "Please type the quantity as a whole number", "txtQuantity"},
      {"40000", "20", "The quantity cannot be more than 32767", "txtQuantity"},
      {"00000000000040000", "20", "The quantity cannot be more than 32767", "txtQuantity"},
      {"2", "1.2.3", "Please type the price as a number", "txtPrice"},
      {"2", "", "Please type the price as a number", "txtPrice"},
      {"1", digits310.c_str(), "The price cannot be more than 99,999,999.99", "txtPrice"},
      {"1", "100000000", "The price cannot be more than 99,999,999.99", "txtPrice"},
  };
  enter("P4");
  const QStringList before = row(0);
  MEditPriceQ* e = edit(0);
  ASSERT_TRUE(e);
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.quantity) + " x " + c.price);
    dlg.clear();
    e->txtQuantity->setText(c.quantity);
    e->txtPrice->setText(c.price);
    e->cmdOK_Click();
    EXPECT_EQ(dlg.lastMessage(), QString::fromUtf8(c.message));
    ASSERT_TRUE(editorOpen());
    EXPECT_EQ(row(0), before);
    EXPECT_EQ(f->txtTotal->text(), "20.00");
    QLineEdit* box = e->findChild<QLineEdit*>(c.selectedBox);
    EXPECT_EQ(box->selectedText(), box->text());
    EXPECT_FALSE(f->isEnabled());
  }
  // The whole stock is taken.
  e->txtQuantity->setText("4");
  e->txtPrice->setText("20");
  e->cmdOK_Click();
  EXPECT_FALSE(editorOpen());
  EXPECT_EQ(cell(0, 2), "4");
  EXPECT_EQ(cell(0, 7), "0");

  shell::settings().LangThai = true;
  e = edit(0);
  ASSERT_TRUE(e);
  EXPECT_EQ(e->lblQ->text(), "จำนวน");
  e->txtQuantity->setText("");
  e->cmdOK_Click();
  EXPECT_EQ(dlg.lastMessage(), "กรุณาใส่จำนวนเป็นตัวเลข");
}

TEST_F(LineEditor, BoxesTakeOnlyTheirCharactersTypedOrPasted) {
  enter("4711");
  MEditPriceQ* e = edit(0);
  ASSERT_TRUE(e);
  e->txtQuantity->clear();
  salefx::typeKeys(e->txtQuantity, "1a,2.");
  EXPECT_EQ(e->txtQuantity->text(), "12");
  e->txtPrice->clear();
  salefx::typeKeys(e->txtPrice, "1,2.5x.");
  EXPECT_EQ(e->txtPrice->text(), "12.5.");
  // A paste with anything outside the box's set is refused whole, never kept as its digits.
  e->txtPrice->clear();
  e->txtPrice->insert("1 234,5.0 THB");
  EXPECT_EQ(e->txtPrice->text(), "");
  e->txtPrice->insert("-7");
  EXPECT_EQ(e->txtPrice->text(), "");
  e->txtPrice->insert("12345.0");
  EXPECT_EQ(e->txtPrice->text(), "12345.0");
  e->txtQuantity->clear();
  e->txtQuantity->insert("3 pcs");
  EXPECT_EQ(e->txtQuantity->text(), "");
  e->txtQuantity->insert("3");
  EXPECT_EQ(e->txtQuantity->text(), "3");
  // Enter in the quantity moves to the price; Enter in the price is OK.
  salefx::typeKeys(e->txtQuantity, "\r");
  EXPECT_EQ(e->txtPrice->selectedText(), "12345.0");
  salefx::typeKeys(e->txtPrice, "\r");
  EXPECT_FALSE(editorOpen());
  EXPECT_EQ(cell(0, 3), "12345");
}

TEST_F(LineEditor, RemoveTakesTheLineAwayAndReceiveFollows) {
  enter("4711");
  enter("P4");
  testenv::pump(0);
  ASSERT_TRUE(f->cmdPay->isEnabled());
  MEditPriceQ* e = edit(1);
  ASSERT_TRUE(e);
  e->cmdRemove_Click();
  EXPECT_FALSE(editorOpen());
  EXPECT_EQ(f->LineCount(), 1);
  EXPECT_TRUE(f->cmdPay->isEnabled());
  EXPECT_EQ(f->txtTotal->text(), "10.00");
  EXPECT_TRUE(f->isEnabled());
  EXPECT_TRUE(window.isEnabled());
  e = edit(0);
  ASSERT_TRUE(e);
  e->cmdRemove_Click();
  EXPECT_EQ(f->LineCount(), 0);
  EXPECT_FALSE(f->cmdPay->isEnabled());
  EXPECT_EQ(f->txtTotal->text(), "0");
}

TEST_F(LineEditor, ReceiveStaysEnabledWhileAnyLineRemainsWhateverItsAmount) {
  salefx::addProduct("F0", "Free sample", 0, 10, 0);
  struct Case {
    const char* what;
    QStringList codes;
    int line;
    bool remove;  // else the price is typed as 0 and OK pressed
  } cases[] = {
      {"only a free line left", {"4711", "F0"}, 0, true},
      {"the price of the only line made 0", {"4711"}, 0, false},
      {"one of two lines made 0", {"4711", "P4"}, 1, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    f->cmdClear_Click();
    for (const QString& code : c.codes) enter(code);
    testenv::pump(0);
    ASSERT_TRUE(f->cmdPay->isEnabled());
    MEditPriceQ* e = edit(c.line);
    ASSERT_TRUE(e);
    if (c.remove) {
      QTest::mouseClick(e->cmdRemove, Qt::LeftButton);
    } else {
      e->txtPrice->clear();
      salefx::typeKeys(e->txtPrice, "0\r");
    }
    ASSERT_FALSE(editorOpen());
    testenv::pump(0);
    EXPECT_TRUE(f->cmdPay->isEnabled());
  }
  // The sale of 0.00 goes on to payment.
  QTest::mouseClick(f->cmdPay, Qt::LeftButton);
  EXPECT_FALSE(f->txtBar->isEnabled());
  EXPECT_TRUE(f->cmd1000->isEnabled());
}

// A message box of the editor's own, shown for real and closed by a timer.
class RealBoxes : public plat::ScriptedDialogs {
 public:
  void message(const QString& text, const QString& title, plat::Icon icon) override {
    ScriptedDialogs::message(text, title, icon);
    QMessageBox box(QApplication::activeWindow());
    box.setText(text);
    QTimer::singleShot(50, &box, [&box] { box.accept(); });
    box.exec();
  }
};

TEST_F(LineEditor, LeavingChangesNothingButItsOwnMessageBoxDoesNotClose) {
  enter("P4");
  const QStringList before = row(0);
  MEditPriceQ* e = edit(0);
  ASSERT_TRUE(e);
  QApplication::setActiveWindow(e);
  testenv::pump(20);
  ASSERT_TRUE(e->isActiveWindow());
  {
    RealBoxes boxes;
    e->txtQuantity->setText("9");
    e->cmdOK_Click();
    testenv::pump(20);
    EXPECT_EQ(boxes.lastMessage(), "สินค้าในคลังมีไม่พอ");
    EXPECT_TRUE(editorOpen());
  }
  // The box gone, the editor is the active window again.
  QApplication::setActiveWindow(e);
  testenv::pump(20);
  ASSERT_TRUE(editorOpen());
  // Another window becomes active: the typed quantity is not applied.
  QWidget other;
  other.show();
  QApplication::setActiveWindow(&other);
  testenv::pump(20);
  EXPECT_FALSE(editorOpen());
  EXPECT_EQ(row(0), before);
  EXPECT_TRUE(f->isEnabled());
  EXPECT_TRUE(window.isEnabled());
}

}  // namespace
