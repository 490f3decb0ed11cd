// The sale screen: entry by code, prefix and hot key, the stock tests, removal, the customer, the
// display, payment and Finish, driven through the event procedures and the keyboard.
#include "sale/main_form.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QTest>

#include "data/db.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/print_surface_qt.h"
#include "platform/serial.h"
#include "sale/handoff.h"
#include "sale/line_editor.h"
#include "sale/register.h"
#include "shell/session.h"
#include "shell/settings.h"
#include "support/fake_serial.h"
#include "support/recording_print.h"
#include "support/sale_fixtures.h"
#include "support/scripted_dialogs.h"
#include "support/testenv.h"

namespace {

using sale::MainForm;
using shell::SettingValue;
using Sends = std::vector<QByteArray>;

std::vector<QByteArray> sends(const plat::SerialLog& log, int port) {
  std::vector<QByteArray> out;
  for (const auto& e : log.events)
    if (e.port == port && e.what == "write") out.push_back(e.bytes);
  return out;
}

class SaleScreen : public testenv::DbTest {
 protected:
  void SetUp() override {
    DbTest::SetUp();
    plat::installFakeSerial(&serial);
    auto& s = shell::settings();
    s.DisplayPort = SettingValue::ofNumber(1);
    s.DrawerPort = SettingValue::ofNumber(0);
    s.PrintType = 6;  // no printing unless a test is about it
    s.VatRate = 7;
    shell::session().userName = QStringLiteral("somchai");
    sale::registerForms();
    salefx::addProduct("4711", "Green Tea", 10, 100, 2, 9, 8);
    salefx::addProduct("AB1", "Rice 5 kg", 1250, 50, 0, 1200, 1150);
    salefx::addProduct("P5", "Soap", 20, 5, 2);
    salefx::addLot("4711", "2024-03-03", "0001", 20);
    salefx::addLot("4711", "2024-03-05", "0002", 20);
    salefx::addLot("AB1", "2024-03-01", "0001", 10);
  }
  void TearDown() override {
    plat::FormRegistry::instance().unloadAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    plat::setSerialFactory({});
    DbTest::TearDown();
  }
  MainForm* open() {
    f = static_cast<MainForm*>(plat::FormRegistry::instance().form(QStringLiteral("MainForm")));
    if (f) f->show();
    return f;
  }
  void enter(const QString& text) {
    f->txtBar->setText(text);
    int k = 13;
    f->txtBar_KeyPress(k);
  }
  // Types one character into the code box through the keyboard.
  void key(QChar c) {
    f->txtBar->setFocus();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QApplication::sendEvent(f->txtBar, &press);
  }
  void pay(const QString& amount) {
    f->cmdPay_Click();
    f->txtPay->setText(amount);
    int k = 13;
    f->txtPay_KeyPress(k);
  }
  QString cell(int r, int c) const { return f->FGrid->TextMatrix(r, c); }

  plat::SerialLog serial;
  plat::ScriptedDialogs dlg;
  MainForm* f = nullptr;
};

// ---- The form

TEST_F(SaleScreen, LoadsInTheEntryStateWithEnglishOrThaiCaptions) {
  ASSERT_TRUE(open());
  EXPECT_EQ(f->txtEmployee->text(), "somchai");
  EXPECT_EQ(f->txtTotal->text(), "0");
  EXPECT_EQ(f->txtPay->text(), "0");
  EXPECT_EQ(f->txtTax->text(), "0");
  EXPECT_EQ(f->txtDisc->text(), "0");
  EXPECT_FALSE(f->cmdPay->isEnabled());
  EXPECT_FALSE(f->cmdReceive->isEnabled());
  EXPECT_FALSE(f->cmd1000->isEnabled());
  EXPECT_TRUE(f->txtBar->isEnabled());
  EXPECT_TRUE(f->cmdCancel->isHidden());
  EXPECT_TRUE(f->cmdBillInvoid->isHidden());
  EXPECT_TRUE(f->FrameCash->isHidden());
  EXPECT_EQ(f->cmdPay->text(), "&Receive");
  EXPECT_EQ(f->FGrid->Rows(), 0);
  f->unload();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

  struct Case {
    int printType;
    const char* finish;
  } cases[] = {{3, "ทอน/บิล A4"}, {4, "ทอนเงิน"}, {6, "ทอนเงิน"}, {1, "ทอนเงิน/บิล"}};
  shell::settings().LangThai = true;
  for (const Case& c : cases) {
    shell::settings().PrintType = c.printType;
    ASSERT_TRUE(open());
    EXPECT_EQ(f->cmdReceive->text(), QString::fromUtf8(c.finish));
    EXPECT_EQ(f->cmdPay->text(), "รับเงิน");
    EXPECT_EQ(f->lblPid->text(), "รหัสสินค้า");
    EXPECT_EQ(f->cmdCancel->text(), "Cancel");
    f->unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

TEST_F(SaleScreen, ADisplayPortThatWillNotOpenIsToldAndTheScreenStaysClosed) {
  serial.failOpen = true;
  EXPECT_THROW(open(), std::exception);
  EXPECT_EQ(dlg.lastMessage(), "Invalid port! If you not have port RS232,you should set port number = 0");
  EXPECT_FALSE(plat::FormRegistry::instance().loaded(QStringLiteral("MainForm")));
  // With no display the port is never opened.
  serial.failOpen = false;
  shell::settings().DisplayPort = SettingValue::ofNumber(0);
  ASSERT_TRUE(open());
  EXPECT_TRUE(serial.events.empty());
}

// ---- Product entry

TEST_F(SaleScreen, QuantityPrefixes) {
  struct Case {
    const char* text;
    int lines;
    const char* quantity;
    const char* box;  // the code box afterwards
  } cases[] = {
      {"3*4711", 1, "3", ""},
      {"03*4711", 1, "3", ""},
      {"0*4711", 1, "1", ""},
      {"-3*4711", 1, "-3", ""},
      {"4711", 1, "1", ""},
      // A prefix that is not a quantity: nothing at all happens.
      {"*4711", 0, "", "*4711"},
      {"a*4711", 0, "", "a*4711"},
      {"1.5*4711", 0, "", "1.5*4711"},
      {"40000*4711", 0, "", "40000*4711"},
  };
  ASSERT_TRUE(open());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    f->cmdClear_Click();
    dlg.clear();
    enter(QString::fromLatin1(c.text));
    EXPECT_EQ(f->LineCount(), c.lines);
    EXPECT_EQ(f->txtBar->text(), QString::fromLatin1(c.box));
    if (c.lines) {
      EXPECT_EQ(cell(0, 2), c.quantity);
    }
    EXPECT_TRUE(dlg.shown.empty());
    EXPECT_EQ(f->NextQty(), 1);
  }
  // -3 of a product at 10 makes the total go down.
  EXPECT_EQ(f->LineCount(), 0);
  enter("-3*4711");
  EXPECT_EQ(cell(0, 4), "-30");
  EXPECT_EQ(f->txtTotal->text(), "-30.00");
}

TEST_F(SaleScreen, AQuantityPrefixPastedWithTheCodeCounts) {
  ASSERT_TRUE(open());
  f->txtBar->setText("3*4711");  // pasted: no key was typed after the star
  int k = 13;
  f->txtBar_KeyPress(k);
  ASSERT_EQ(f->LineCount(), 1);
  EXPECT_EQ(cell(0, 2), "3");
  // The next line is 1 again.
  enter("AB1");
  EXPECT_EQ(cell(1, 2), "1");
}

TEST_F(SaleScreen, StockAndReorderPoint) {
  // P5: stock 5, re-order point 2.
  struct Step {
    const char* text;
    QStringList messages;
    const char* quantity;  // of the line afterwards; "" for none
  } steps[] = {
      {"3*P5", {"Point of Order"}, "3"},
      {"3*P5", {"Point of Order", "Out of Stock"}, "3"},
      {"2*P5", {}, "5"},  // 5 - 2 is above the re-order point; 5 - 3 - 2 = 0 is still allowed
  };
  ASSERT_TRUE(open());
  for (const Step& s : steps) {
    SCOPED_TRACE(s.text);
    dlg.clear();
    enter(s.text);
    EXPECT_EQ(dlg.texts(), s.messages);
    EXPECT_EQ(f->txtBar->text(), "");
    ASSERT_EQ(f->LineCount(), 1);
    EXPECT_EQ(cell(0, 2), s.quantity);
    EXPECT_EQ(f->NextQty(), 1);
  }
  EXPECT_EQ(cell(0, 7), "0");
  EXPECT_DOUBLE_EQ(f->SaleTotal(), 100);

  f->cmdClear_Click();
  dlg.clear();
  enter("6*P5");
  EXPECT_EQ(dlg.texts(), QStringList{"Out of Order"});
  EXPECT_EQ(f->LineCount(), 0);
  EXPECT_EQ(f->txtBar->text(), "");

  // Stock equal to the quantity: accepted, with the warning when the re-order point is 0 or more.
  dlg.clear();
  enter("5*P5");
  EXPECT_EQ(dlg.texts(), QStringList{"Point of Order"});
  EXPECT_EQ(f->LineCount(), 1);

  shell::settings().LangThai = true;
  f->cmdClear_Click();
  dlg.clear();
  enter("6*P5");
  EXPECT_EQ(dlg.texts(), QStringList{"สินค้าในคลังมีไม่พอ"});
}

TEST_F(SaleScreen, TheSameProductMergesIntoOneLineWhateverTheCaseTyped) {
  ASSERT_TRUE(open());
  enter("ab1");
  enter("AB1");
  enter("2*Ab1");
  enter("4711");
  ASSERT_EQ(f->LineCount(), 2);
  EXPECT_EQ(cell(0, 2), "4");
  EXPECT_EQ(cell(0, 4), "5000");
  EXPECT_EQ(cell(0, 5), "AB1");  // the code as stored
  EXPECT_EQ(cell(0, 7), "46");
  EXPECT_EQ(cell(1, 0), "2");
  EXPECT_EQ(f->txtTotal->text(), "5,010.00");
  EXPECT_TRUE(f->cmdPay->isEnabled());
}

TEST_F(SaleScreen, TheCustomersPriceLevelPricesTheLine) {
  salefx::addCustomer("C0", "No Level", "", "", QVariant());
  salefx::addCustomer("C1", "Level One", "", "", 1);
  salefx::addCustomer("C2", "Level Two", "", "", 2);
  salefx::addCustomer("C3", "Level Three", "", "", 3);
  struct Case {
    const char* customer;
    const char* price;
  } cases[] = {{nullptr, "10"}, {"C0", "10"}, {"C1", "10"}, {"C2", "9"}, {"C3", "8"}};
  ASSERT_TRUE(open());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.customer ? c.customer : "none");
    f->cmdClear_Click();
    if (c.customer) {
      f->txtCus->setText(c.customer);
      int k = 13;
      f->txtCus_KeyPress(k);
    }
    enter("4711");
    ASSERT_EQ(f->LineCount(), 1);
    EXPECT_EQ(cell(0, 3), c.price);
  }
}

TEST_F(SaleScreen, ACodeNotFoundSearchesTheNamesWithTheCodeNotThePrefix) {
  salefx::addProduct("GT2", "Green Tea Large", 15, 10);
  ASSERT_TRUE(open());
  enter("4711");
  enter("3*tea");
  ASSERT_FALSE(f->ListPName->isHidden());
  ASSERT_EQ(f->ListPName->count(), 2);
  EXPECT_EQ(f->ListPName->item(0)->text(), "4711.Green Tea");
  EXPECT_EQ(f->txtBar->text(), "");
  EXPECT_EQ(f->LineCount(), 1);
  // Choosing from the list enters that product, with the quantity typed before the name.
  f->ListPName->setCurrentRow(1);
  f->ListPName_DblClick();
  EXPECT_TRUE(f->ListPName->isHidden());
  ASSERT_EQ(f->LineCount(), 2);
  EXPECT_EQ(cell(1, 5), "GT2");
  EXPECT_EQ(cell(1, 2), "3");
  EXPECT_EQ(cell(1, 4), "45");
  // The next entry is back to one.
  enter("4711");
  EXPECT_EQ(cell(0, 2), "2");

  // No match: only the box is emptied; a wildcard typed is a plain character.
  enter("zz%");
  EXPECT_TRUE(f->ListPName->isHidden());
  EXPECT_EQ(f->txtBar->text(), "");
  EXPECT_TRUE(dlg.shown.empty());
}

TEST_F(SaleScreen, AQuantityPrefixCarriesOnlyToAPickThatFollowsItsSearch) {
  struct Case {
    const char* what;
    const char* search;  // typed with Enter
    bool escapeFirst;    // Escape where the focus is after the search
    bool pickFromList;   // else "4711" is typed with Enter
    const char* quantity;
  } cases[] = {
      {"a search that found nothing, then a scan", "3*zz", false, false, "1"},
      {"a search that found nothing, Escape, then a scan", "3*zz", true, false, "1"},
      {"a list given up with Escape, then a scan", "3*tea", true, false, "1"},
      {"a pick from the list found", "3*tea", false, true, "3"},
  };
  ASSERT_TRUE(open());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    f->cmdClear_Click();
    f->ListPName->hide();
    f->txtBar->setFocus();
    salefx::typeKeys(f->txtBar, QString::fromLatin1(c.search) + QLatin1Char('\r'));
    QWidget* where = f->ListPName->isHidden() ? static_cast<QWidget*>(f->txtBar) : f->ListPName;
    if (c.escapeFirst) salefx::typeKeys(where, QStringLiteral("\x1b"));
    if (c.pickFromList)
      salefx::typeKeys(f->ListPName, QStringLiteral("\r"));
    else
      salefx::typeKeys(f->txtBar, QStringLiteral("4711\r"));
    ASSERT_EQ(f->LineCount(), 1);
    EXPECT_EQ(cell(0, 5), "4711");
    EXPECT_EQ(cell(0, 2), c.quantity);
  }
}

TEST_F(SaleScreen, EnterOnAnEmptyBox) {
  ASSERT_TRUE(open());
  // An empty sale: every product is listed.
  enter("");
  EXPECT_FALSE(f->ListPName->isHidden());
  EXPECT_EQ(f->ListPName->count(), 3);
  // With lines and the list shown: the list goes away.
  enter("4711");
  f->ListPName->show();
  enter("");
  EXPECT_TRUE(f->ListPName->isHidden());
  EXPECT_TRUE(f->txtBar->isEnabled());
  // With lines: payment starts.
  enter("");
  EXPECT_FALSE(f->txtBar->isEnabled());
  EXPECT_FALSE(f->FGrid->isEnabled());
  EXPECT_TRUE(f->cmd1000->isEnabled());
  EXPECT_EQ(f->txtTotal->text(), "10.00");
  EXPECT_EQ(f->txtTax->text(), "0.65");
}

TEST_F(SaleScreen, HotKeysEnterTheirProductEvenWhileACodeIsTyped) {
  salefx::bindKey(1, "4711");  // q
  salefx::bindKey(48, "ab1");  // A
  salefx::bindKey(8, "P5");    // i
  ASSERT_TRUE(open());
  key('q');
  ASSERT_EQ(f->LineCount(), 1);
  EXPECT_EQ(cell(0, 5), "4711");
  EXPECT_EQ(f->txtBar->text(), "");  // the key's own character does not stay
  key('1');
  key('2');
  key('A');
  ASSERT_EQ(f->LineCount(), 2);
  EXPECT_EQ(cell(1, 5), "AB1");
  EXPECT_EQ(f->txtBar->text(), "");
  key('i');
  EXPECT_EQ(f->LineCount(), 3);
  EXPECT_EQ(f->txtBar->text(), "");
  // An unbound key types its character; digits and the space are never hot keys, and the space
  // only opens the picker.
  key('w');
  key('7');
  key(' ');
  EXPECT_EQ(f->txtBar->text(), "w7");
  EXPECT_EQ(f->LineCount(), 3);
  // The space opened the picker over the screen; closing it gives the screen back.
  EXPECT_FALSE(f->isEnabled());
  plat::FormRegistry::instance().unload(QStringLiteral("SellForm"));
  ASSERT_TRUE(f->isEnabled());
  // A prefix typed in front of a hot key is lost: the key replaces the box with its code.
  f->txtBar->clear();
  key('3');
  key('*');
  key('q');
  EXPECT_EQ(cell(0, 2), "2");
}

TEST_F(SaleScreen, EscapeInTheCodeBoxGoesToTheGridWhenThereAreLines) {
  ASSERT_TRUE(open());
  f->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(f));
  f->txtBar->setFocus();
  QTest::keyClick(f->txtBar, Qt::Key_Escape);
  EXPECT_TRUE(f->txtBar->hasFocus());
  enter("4711");
  f->txtBar->setFocus();
  QTest::keyClick(f->txtBar, Qt::Key_Escape);
  EXPECT_TRUE(f->FGrid->hasFocus());
}

TEST_F(SaleScreen, AQuoteInACodeIsJustACharacter) {
  salefx::addProduct("O'1", "Oyster's Sauce", 35, 10);
  ASSERT_TRUE(open());
  enter("o'1");
  ASSERT_EQ(f->LineCount(), 1);
  EXPECT_EQ(cell(0, 5), "O'1");
  enter("x'y");
  EXPECT_TRUE(dlg.shown.empty());
  enter("'");
  EXPECT_FALSE(f->ListPName->isHidden());
  EXPECT_EQ(f->ListPName->count(), 1);
}

TEST_F(SaleScreen, ADatabaseFailureDuringEntryIsShown) {
  ASSERT_TRUE(open());
  data::Conn().exec("ALTER TABLE Product RENAME TO ProductGone");
  enter("4711");
  ASSERT_EQ(dlg.shown.size(), 1u);
  EXPECT_TRUE(dlg.lastMessage().contains("Product", Qt::CaseInsensitive)) << dlg.lastMessage().toStdString();
  EXPECT_EQ(f->LineCount(), 0);
  EXPECT_EQ(f->txtBar->text(), "4711");
}

TEST_F(SaleScreen, APickHandedOverIsEnteredOnceWhenTheScreenComesBack) {
  ASSERT_TRUE(open());
  f->setEnabled(false);  // the picker disables the screen while it is open
  sale::handOffPick(QStringLiteral("AB1"), 2);
  f->setEnabled(true);
  ASSERT_EQ(f->LineCount(), 1);
  EXPECT_EQ(cell(0, 2), "2");
  EXPECT_EQ(f->NextQty(), 1);
  // Coming back again with text left in the box does not ring the last pick up again.
  f->txtBar->setText("12");
  f->Form_Activate();
  f->setEnabled(false);
  f->setEnabled(true);
  EXPECT_EQ(f->LineCount(), 1);
  EXPECT_EQ(f->txtBar->text(), "12");
}

TEST_F(SaleScreen, IdsWithAFullStopTravelWholeThroughThePickLists) {
  salefx::addCustomer("C.1", "Dot Co.", "Khun Dot", "02-333", 3);
  salefx::addProduct("P.9", "Dotted Tea", 7, 10);
  ASSERT_TRUE(open());
  f->cmdBrowse_Click();
  ASSERT_EQ(f->ListCusId->count(), 1);
  EXPECT_EQ(f->ListCusId->item(0)->text(), "C.1.Dot Co.");
  int k = 13;
  f->ListCusId_KeyPress(k);
  EXPECT_EQ(f->txtCus->text(), "C.1");
  EXPECT_EQ(f->txtCusName->text(), "Dot Co.");
  EXPECT_EQ(f->txtDisc->text(), "3");
  enter("dotted");
  ASSERT_EQ(f->ListPName->count(), 1);
  EXPECT_EQ(f->ListPName->item(0)->text(), "P.9.Dotted Tea");
  f->ListPName_KeyPress(k);
  ASSERT_EQ(f->LineCount(), 1);
  EXPECT_EQ(cell(0, 5), "P.9");
  // Escape leaves the list without a line.
  enter("dotted");
  k = 27;
  f->ListPName_KeyPress(k);
  EXPECT_TRUE(f->ListPName->isHidden());
  EXPECT_EQ(f->LineCount(), 1);
}

TEST_F(SaleScreen, ReceiveComesBackDuringPaymentWhileThereIsATotal) {
  ASSERT_TRUE(open());
  enter("4711");
  f->cmdPay_Click();
  EXPECT_FALSE(f->cmdPay->isEnabled());
  testenv::pump(0);  // the press is over
  EXPECT_TRUE(f->cmdPay->isEnabled());
  EXPECT_EQ(f->txtTotal->text(), "10.00");
}

// ---- Removing a line

TEST_F(SaleScreen, RemovingLinesRenumbersAndKeepsTheTotalExact) {
  salefx::addProduct("D1", "Dime", 0.1, 100);
  salefx::addProduct("D2", "Two Dimes", 0.2, 100);
  struct Step {
    int row;
    QStringList numbers;
    const char* total;
    bool receive;
  } steps[] = {
      {1, {"1", "2"}, "0.30", true},  // the 1,250.00 line counts in full
      {0, {"1"}, "0.20", true},
      {0, {}, "0", false},
  };
  ASSERT_TRUE(open());
  for (const char* c : {"D1", "AB1", "D2", "4711"}) enter(c);
  EXPECT_EQ(f->txtTotal->text(), "1,260.30");
  // A row to remove: the line editor picks the current row and calls the removal.
  f->FGrid->setRow(3);
  f->cmdCancel_Click();
  EXPECT_EQ(f->txtTotal->text(), "1,250.30");
  EXPECT_EQ(cell(2, 0), "3");
  EXPECT_EQ(cell(2, 5), "D2");
  for (const Step& s : steps) {
    SCOPED_TRACE(s.row);
    f->FGrid->setRow(s.row);
    f->cmdCancel->setEnabled(true);
    f->cmdCancel_Click();
    QStringList numbers;
    for (int r = 0; r < f->FGrid->Rows(); ++r) numbers << cell(r, 0);
    EXPECT_EQ(numbers, s.numbers);
    EXPECT_EQ(f->LineCount(), s.numbers.size());
    EXPECT_EQ(f->txtTotal->text(), s.total);
    EXPECT_EQ(f->cmdPay->isEnabled(), s.receive);
    EXPECT_FALSE(f->cmdCancel->isEnabled());
  }
  EXPECT_EQ(f->SaleTotal(), 0.0);
  // Nothing more to remove.
  f->cmdCancel_Click();
  EXPECT_EQ(f->LineCount(), 0);
}

TEST_F(SaleScreen, LinesThatCancelOutLeaveReceiveDisabled) {
  ASSERT_TRUE(open());
  enter("4711");
  enter("-1*4711");
  EXPECT_EQ(f->LineCount(), 1);
  EXPECT_EQ(cell(0, 2), "0");
  EXPECT_FALSE(f->cmdPay->isEnabled());
  testenv::pump(0);  // the press is over
  EXPECT_FALSE(f->cmdPay->isEnabled());
}

// ---- The customer

TEST_F(SaleScreen, ACustomerPickedFromTheListBringsItsInvoiceLines) {
  salefx::addCustomer("C1", "Alpha Co.", "Khun Alpha", "02-111", 1);
  salefx::addCustomer("C2", "Beta.Ltd", "Khun Beta", "02-222", 2);
  ASSERT_TRUE(open());
  f->txtCus->setText("nobody");
  int k = 13;
  f->txtCus_KeyPress(k);
  ASSERT_FALSE(f->ListCusId->isHidden());
  ASSERT_EQ(f->ListCusId->count(), 2);
  EXPECT_EQ(f->ListCusId->item(1)->text(), "C2.Beta.Ltd");
  f->ListCusId->setCurrentRow(1);
  f->ListCusId_DblClick();
  EXPECT_TRUE(f->ListCusId->isHidden());
  EXPECT_EQ(f->txtCus->text(), "C2");
  EXPECT_EQ(f->txtCusName->text(), "Beta.Ltd");
  EXPECT_EQ(f->CusName(), "Beta.Ltd");
  EXPECT_EQ(f->CusLine1(), "Khun Beta");
  EXPECT_EQ(f->CusLine2(), "02-222");
  EXPECT_EQ(f->txtDisc->text(), "2");

  f->cmdClear_Click();
  EXPECT_EQ(f->txtCus->text(), "");
  EXPECT_EQ(f->txtCusName->text(), "");
  EXPECT_EQ(f->CusName(), "");
  EXPECT_EQ(f->CusLine1(), "");
  EXPECT_EQ(f->CusLine2(), "");
  EXPECT_EQ(f->txtDisc->text(), "0");
}

TEST_F(SaleScreen, AFailedCustomerCheckAtReceiveEmptiesTheCustomer) {
  salefx::addCustomer("C1", "Alpha Co.", "Khun Alpha", "02-111", 1);
  ASSERT_TRUE(open());
  f->txtCus->setText("C1");
  int k = 13;
  f->txtCus_KeyPress(k);
  EXPECT_EQ(f->CusLine1(), "Khun Alpha");
  enter("4711");
  f->txtCus->setText("C9");  // changed by hand without Enter
  f->cmdPay_Click();
  EXPECT_EQ(dlg.lastMessage(), "Input Customer Data Again");
  EXPECT_EQ(f->txtCus->text(), "");
  EXPECT_EQ(f->txtCusName->text(), "");
  EXPECT_EQ(f->CusName(), "");
  EXPECT_EQ(f->CusLine1(), "");
  EXPECT_EQ(f->CusLine2(), "");
  EXPECT_TRUE(f->txtBar->isEnabled());  // still entering
  // Without a customer the sale goes on.
  f->cmdPay_Click();
  EXPECT_FALSE(f->txtBar->isEnabled());
}

// ---- The display through the screen

TEST_F(SaleScreen, TheDisplayFollowsTheSale) {
  ASSERT_TRUE(open());
  EXPECT_EQ(sends(serial, 1), (Sends{"\r", "Price           0.00Total           0.00", "Price "}));
  serial.clear();
  enter("4711");
  enter("AB1");
  EXPECT_EQ(sends(serial, 1),
            (Sends{QByteArray(9, ' '), "10.00", "Total ", QByteArray(9, ' '), "10.00", "Price ",  //
                   QByteArray(6, ' '), "1,250.00", "Total ", QByteArray(6, ' '), "1,260.00", "Price "}));
  serial.clear();
  enter("4711");  // a merge shows the price and the new total too
  EXPECT_EQ(sends(serial, 1),
            (Sends{QByteArray(9, ' '), "10.00", "Total ", QByteArray(6, ' '), "1,270.00", "Price "}));

  serial.clear();
  f->FGrid->setRow(0);
  f->FGrid_Click();
  auto* editor =
      qobject_cast<sale::MEditPriceQ*>(plat::FormRegistry::instance().loaded(QStringLiteral("MEditPriceQ")));
  ASSERT_TRUE(editor);
  editor->txtQuantity->setText("3");
  editor->txtPrice->setText("12.5");
  editor->cmdOK_Click();
  EXPECT_EQ(f->txtTotal->text(), "1,287.50");
  EXPECT_EQ(cell(0, 7), "97");
  EXPECT_EQ(sends(serial, 1),
            (Sends{QByteArray(9, ' '), "12.50", "Total ", QByteArray(6, ' '), "1,287.50", "Price "}));

  serial.clear();
  f->FGrid->setRow(1);
  f->cmdCancel_Click();
  f->DisplayDel();
  EXPECT_EQ(sends(serial, 1),
            (Sends{QByteArray(10, ' '), "0.00", "Total ", QByteArray(9, ' '), "37.50", "Price "}));

  serial.clear();
  f->cmdExit_Click();
  EXPECT_EQ(sends(serial, 1),
            (Sends{"          0.00Total           0.00", "Price ", QByteArray("\x04\x01\x25\x17\x0D", 5),
                   "\r", "\b", "\b", "      ", "          0.00Total           0.00"}));
  EXPECT_EQ(serial.events.back().what, "close");
}

// ---- Payment

TEST_F(SaleScreen, CashButtonsBuildTheAmountAndEnableFinish) {
  ASSERT_TRUE(open());
  enter("AB1");  // 1,250.00
  f->cmdPay_Click();
  EXPECT_EQ(f->txtTax->text(), "81.78");
  f->cmd1000->click();
  EXPECT_EQ(f->txtPay->text(), "1000");
  EXPECT_FALSE(f->cmdReceive->isEnabled());
  f->cmd500->click();
  EXPECT_EQ(f->txtPay->text(), "1500");
  EXPECT_TRUE(f->cmdReceive->isEnabled());
  EXPECT_TRUE(f->cmdBillInvoid->isEnabled());
  f->cmdC->click();
  EXPECT_EQ(f->txtPay->text(), "0");
  EXPECT_FALSE(f->cmdReceive->isEnabled());
  // 500 alone enables Finish at once; Finish then refuses the short payment.
  f->cmd500->click();
  EXPECT_TRUE(f->cmdReceive->isEnabled());
  EXPECT_FALSE(f->cmdBillInvoid->isEnabled());
  f->cmdReceive_Click();
  EXPECT_EQ(dlg.lastMessage(), "Pay Again");
  EXPECT_FALSE(f->cmdReceive->isEnabled());
  EXPECT_EQ(salefx::sellRows(), 0);
  // A full-number button leaves a text that is not a number alone.
  f->txtPay->setText("12x");
  f->cmd05->click();
  EXPECT_EQ(f->txtPay->text(), "12x");
  f->cmd10->click();
  EXPECT_EQ(f->txtPay->text(), "22");
}

TEST_F(SaleScreen, TheAmountBoxTakesDigitsAndEscapeLeavesPayment) {
  ASSERT_TRUE(open());
  enter("4711");
  f->cmdPay_Click();
  f->txtPay->clear();
  f->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(f));
  f->txtPay->setFocus();
  QTest::keyClicks(f->txtPay, "1a2.-5");
  EXPECT_EQ(f->txtPay->text(), "12.5");
  QTest::keyClick(f->txtPay, Qt::Key_Backspace);
  EXPECT_EQ(f->txtPay->text(), "12.");
  // Delete is an editing key, not a character the box refuses (X11 gives it the text 127).
  QTest::keyClick(f->txtPay, Qt::Key_Home);
  QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, QStringLiteral("\x7f"));
  QApplication::sendEvent(f->txtPay, &del);
  EXPECT_EQ(f->txtPay->text(), "2.");
  f->txtPay->setText("12.");
  QTest::keyClick(f->txtPay, Qt::Key_Return);
  EXPECT_TRUE(f->cmdReceive->isEnabled());
  EXPECT_TRUE(f->cmdBillInvoid->isEnabled());
  EXPECT_TRUE(f->cmdReceive->hasFocus());
  f->txtPay->setFocus();
  QTest::keyClick(f->txtPay, Qt::Key_Escape);
  EXPECT_TRUE(f->txtBar->isEnabled());
  EXPECT_TRUE(f->FGrid->isEnabled());
  EXPECT_FALSE(f->cmd1000->isEnabled());
  EXPECT_EQ(f->txtPay->text(), "12.");
  EXPECT_EQ(f->LineCount(), 1);
}

// ---- Finish

class Finish : public SaleScreen {
 protected:
  QString sellField(const char* column) {
    return data::Conn()
        .scalar(QStringLiteral("SELECT %1 FROM Sell ORDER BY rowid LIMIT 1").arg(column))
        .toString();
  }
};

TEST_F(Finish, AmountsTendered) {
  struct Case {
    const char* pay;
    bool posts;
    const char* change;
  } cases[] = {
      {"100", true, "0"}, {"150", true, "50"}, {"99.99", false, ""},
      {"", false, ""},    {"1..2", false, ""}, {"100.001", true, "0"},
  };
  salefx::addProduct("H", "Hundred", 100, 1000);
  salefx::addLot("H", "2024-03-01", "0009", 10);
  ASSERT_TRUE(open());
  int bills = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pay);
    f->cmdClear_Click();
    dlg.clear();
    enter("H");
    pay(QString::fromLatin1(c.pay));
    f->cmdReceive_Click();
    if (c.posts) {
      ++bills;
      EXPECT_EQ(dlg.texts(), QStringList{"Finish"});
      EXPECT_EQ(f->LineCount(), 0);
      EXPECT_TRUE(f->txtBar->isEnabled());
      EXPECT_EQ(f->txtPay->text(), "0");
    } else {
      EXPECT_EQ(dlg.texts(), QStringList{"Pay Again"});
      EXPECT_EQ(f->LineCount(), 1);
      EXPECT_FALSE(f->cmdReceive->isEnabled());
      EXPECT_FALSE(f->txtBar->isEnabled());  // still paying
    }
    EXPECT_EQ(data::Conn().scalar("SELECT COUNT(DISTINCT Comment) FROM Sell").toInt(), bills);
  }
}

TEST_F(Finish, ASaleTotallingNothingIsPaidAndPostedByKeysAlone) {
  salefx::addProduct("FREE", "Sample sachet", 0, 10);
  salefx::addLot("FREE", "2024-03-01", "0007", 10);
  ASSERT_TRUE(open());
  f->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(f));
  enter("2*FREE");
  enter("");  // Enter on the empty box starts payment
  ASSERT_TRUE(f->txtPay->hasFocus());
  EXPECT_FALSE(f->txtBar->isEnabled());
  EXPECT_EQ(f->txtTotal->text(), "0.00");
  QTest::keyClick(f->txtPay, Qt::Key_Return);  // the amount 0 covers it
  ASSERT_TRUE(f->cmdReceive->hasFocus());
  QTest::keyClick(f->cmdReceive, Qt::Key_Return);  // Finish
  testenv::pump(200);
  EXPECT_EQ(dlg.texts(), QStringList{"Finish"});
  EXPECT_EQ(salefx::sellRows(), 1);
  EXPECT_EQ(salefx::stockOf("FREE"), 8);
  EXPECT_EQ(sellField("SQuantity"), "2");
  EXPECT_EQ(f->LineCount(), 0);
}

TEST_F(Finish, AnAmountAboveTheCeilingTypedOrScannedIsRefusedAndNothingIsPosted) {
  struct Case {
    bool thai;
    const char* typed;
    const char* message;
  } cases[] = {
      {false, "2600885100000", "The amount received cannot be more than 99,999,999.99"},  // a barcode
      {true, "100000000.00", "จำนวนเงินที่รับต้องไม่เกิน 99,999,999.99"},
  };
  ASSERT_TRUE(open());
  f->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(f));
  enter("4711");
  enter("");  // Enter on the empty code box starts payment
  ASSERT_TRUE(f->txtPay->hasFocus());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    shell::settings().LangThai = c.thai;
    dlg.clear();
    f->txtPay->selectAll();
    QTest::keyClicks(f->txtPay, c.typed);
    QTest::keyClick(f->txtPay, Qt::Key_Return);
    EXPECT_EQ(dlg.texts(), QStringList{QString::fromUtf8(c.message)});
    EXPECT_TRUE(f->txtPay->hasFocus());
    EXPECT_EQ(f->txtPay->selectedText(), c.typed);
    EXPECT_FALSE(f->cmdReceive->isEnabled());
    // A cash button enables Finish again; Finish refuses the amount the same way.
    QTest::mouseClick(f->cmd1000, Qt::LeftButton);
    ASSERT_TRUE(f->cmdReceive->isEnabled());
    dlg.clear();
    QTest::mouseClick(f->cmdReceive, Qt::LeftButton);
    testenv::pump(50);
    EXPECT_EQ(dlg.texts(), QStringList{QString::fromUtf8(c.message)});
    EXPECT_EQ(salefx::sellRows(), 0);
    EXPECT_EQ(salefx::stockOf("4711"), 100);
    EXPECT_EQ(f->LineCount(), 1);
    EXPECT_EQ(f->FGrid->Rows(), 1);
    EXPECT_EQ(cell(0, 5), "4711");
    EXPECT_TRUE(f->txtPay->hasFocus());
    EXPECT_FALSE(f->txtBar->isEnabled());  // still paying
  }
  // The ceiling itself is an amount the box takes.
  shell::settings().LangThai = false;
  dlg.clear();
  f->txtPay->selectAll();
  QTest::keyClicks(f->txtPay, "99999999.99");
  QTest::keyClick(f->txtPay, Qt::Key_Return);
  ASSERT_TRUE(f->cmdReceive->hasFocus());
  QTest::keyClick(f->cmdReceive, Qt::Key_Return);
  testenv::pump(200);
  EXPECT_EQ(dlg.texts(), QStringList{"Finish"});
  EXPECT_EQ(salefx::sellRows(), 1);
  EXPECT_EQ(sellField("Recieve"), "99999999.99");
  EXPECT_EQ(f->LineCount(), 0);
}

TEST_F(Finish, PostsTheBillThenShowsTheChangeAndResets) {
  ASSERT_TRUE(open());
  enter("3*4711");
  enter("AB1");
  serial.clear();
  pay("1300");
  f->cmdReceive_Click();
  EXPECT_EQ(dlg.texts(), QStringList{"Finish"});
  EXPECT_EQ(salefx::sellRows(), 2);
  EXPECT_EQ(f->CurBillNo(), "0000000001");
  EXPECT_EQ(salefx::stockOf("4711"), 97);
  EXPECT_EQ(salefx::stockOf("AB1"), 49);
  EXPECT_EQ(sellField("BuyDate"), "2024-03-03");
  EXPECT_EQ(sellField("Employee"), "somchai");
  EXPECT_EQ(sellField("Recieve"), "1300");
  EXPECT_EQ(sellField("SellDate"), "2024-03-15");
  EXPECT_TRUE(data::Conn().scalar("SELECT CustomerId FROM Sell LIMIT 1").isNull());
  // Finish, then the reset that completes the "Cash " label.
  EXPECT_EQ(sends(serial, 1), (Sends{QByteArray(6, ' '), "1,300.00", "Change", QByteArray(9, ' '), "20.00",
                                     "Cash ", "           0.00Total           0.00", "Price "}));
  EXPECT_EQ(f->LineCount(), 0);
  EXPECT_EQ(f->txtTotal->text(), "0");
  EXPECT_TRUE(f->FrameCash->isHidden());
  EXPECT_FALSE(f->cmdPay->isEnabled());
  EXPECT_FALSE(f->cmdReceive->isEnabled());
  // The next bill takes the next number.
  enter("4711");
  pay("10");
  f->cmdReceive_Click();
  EXPECT_EQ(f->CurBillNo(), "0000000002");
}

TEST_F(Finish, ACustomerSaleIsCheckedAgainAtFinish) {
  salefx::addCustomer("C1", "Alpha Co.", "Khun Alpha", "02-111", 2);
  ASSERT_TRUE(open());
  f->txtCus->setText("c1");
  int k = 13;
  f->txtCus_KeyPress(k);
  enter("4711");
  pay("9");
  // The customer changes name in the back office while the cashier takes the money.
  data::Conn().exec("UPDATE Customers SET CompanyName = 'Alpha Trading' WHERE CustomerId = 'C1'");
  f->cmdReceive_Click();
  EXPECT_EQ(dlg.texts(), QStringList{"Input Customer Data Again"});
  EXPECT_EQ(salefx::sellRows(), 0);
  EXPECT_EQ(f->txtCusName->text(), "");
  // Finished again, it is a sale without a customer.
  f->cmdReceive_Click();
  EXPECT_EQ(salefx::sellRows(), 1);
  EXPECT_TRUE(data::Conn().scalar("SELECT CustomerId FROM Sell").isNull());

  f->txtCus->setText("c1");
  f->txtCus_KeyPress(k);
  enter("4711");
  pay("9");
  f->cmdReceive_Click();
  EXPECT_EQ(data::Conn().scalar("SELECT COUNT(*) FROM Sell WHERE CustomerId = 'C1'").toInt(), 1);
  EXPECT_EQ(f->txtCus->text(), "");
}

TEST_F(Finish, ALineWithoutALotPostsNothingAndTheLinesStay) {
  ASSERT_TRUE(open());
  enter("4711");
  enter("P5");  // no lot
  enter("AB1");
  pay("2000");
  f->cmdReceive_Click();
  EXPECT_EQ(dlg.texts(), QStringList{"Error in Stock and Buying lot not the same"});
  EXPECT_EQ(salefx::sellRows(), 0);
  EXPECT_EQ(salefx::stockOf("4711"), 100);
  EXPECT_EQ(f->LineCount(), 3);
  EXPECT_TRUE(f->txtBar->isEnabled());  // back to entry so the line can be taken away
  EXPECT_TRUE(f->FGrid->isEnabled());
  f->FGrid->setRow(1);
  f->cmdCancel_Click();
  pay("2000");
  dlg.clear();
  f->cmdReceive_Click();
  EXPECT_EQ(dlg.texts(), QStringList{"Finish"});
  EXPECT_EQ(salefx::sellRows(), 2);
}

TEST_F(Finish, AnyOtherPostingFailureIsToldAndPaymentGoesOn) {
  data::Conn().exec(
      "CREATE TRIGGER NoSale BEFORE INSERT ON Sell BEGIN SELECT RAISE(ABORT, 'disk is full'); END");
  ASSERT_TRUE(open());
  enter("4711");
  pay("10");
  serial.clear();
  f->cmdReceive_Click();
  ASSERT_EQ(dlg.shown.size(), 1u);
  EXPECT_TRUE(dlg.lastMessage().contains("disk is full")) << dlg.lastMessage().toStdString();
  EXPECT_EQ(salefx::sellRows(), 0);
  EXPECT_EQ(salefx::stockOf("4711"), 100);
  EXPECT_EQ(f->LineCount(), 1);
  EXPECT_FALSE(f->txtBar->isEnabled());
  EXPECT_TRUE(f->cmd1000->isEnabled());
  EXPECT_TRUE(sends(serial, 1).empty());
  // A retry after the fault is gone posts once.
  data::Conn().exec("DROP TRIGGER NoSale");
  f->cmdReceive_Click();
  EXPECT_EQ(salefx::sellRows(), 1);
}

TEST_F(Finish, ADatabaseAnotherTillKeepsBusyIsToldAndTheSaleStays) {
  ASSERT_TRUE(open());
  enter("4711");
  pay("10");
  QProcess till;
  till.start(testenv::tillProgram(), {"hold", data::Conn().path(), "7000"});
  ASSERT_TRUE(till.waitForReadyRead(10000));
  ASSERT_EQ(till.readLine().trimmed(), "held");
  shell::settings().LangThai = true;
  f->cmdReceive_Click();
  EXPECT_EQ(dlg.texts(), QStringList{"ฐานข้อมูลกำลังถูกใช้งานโดยเครื่องอื่น บิลนี้ยังไม่ได้บันทึก โปรดกดรับเงินอีกครั้ง"});
  ASSERT_TRUE(till.waitForFinished(20000));
  EXPECT_EQ(salefx::sellRows(), 0);
  EXPECT_EQ(f->LineCount(), 1);
  EXPECT_TRUE(f->cmd1000->isEnabled());
  // Once the other till is done, the same sale posts.
  dlg.clear();
  f->cmdReceive_Click();
  EXPECT_EQ(salefx::sellRows(), 1);
}

TEST_F(Finish, TheDrawerIsKickedOnItsPortAfterThePost) {
  shell::settings().DrawerPort = SettingValue::ofNumber(2);
  ASSERT_TRUE(open());
  enter("4711");
  pay("20");
  serial.clear();
  f->cmdReceive_Click();
  std::vector<std::string> drawer;
  for (const auto& e : serial.events)
    if (e.port == 2) drawer.push_back(e.what.toStdString() + ":" + e.bytes.toStdString());
  EXPECT_EQ(drawer, (std::vector<std::string>{"open:", "write:000000000000000000000", "close:"}));
  EXPECT_EQ(dlg.texts(), QStringList{"Finish"});

  // "RJ45": the receipt printer opens the drawer, not a serial port.
  f->unload();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  shell::settings().DrawerPort = SettingValue::ofText("RJ45");
  ASSERT_TRUE(open());
  enter("4711");
  pay("20");
  serial.clear();
  f->cmdReceive_Click();
  for (const auto& e : serial.events) EXPECT_EQ(e.port, 1);
}

TEST_F(Finish, ADrawerPortThatFailsAfterAGoodPostIsToldAndTheSaleCompletes) {
  shell::settings().DrawerPort = SettingValue::ofNumber(2);
  ASSERT_TRUE(open());
  enter("4711");
  pay("20");
  serial.failOpen = true;
  f->cmdReceive_Click();
  EXPECT_EQ(
      dlg.texts(),
      (QStringList{"Invalid port! If you not have port RS232,you should set port number = 0", "Finish"}));
  EXPECT_EQ(salefx::sellRows(), 1);
  EXPECT_EQ(f->LineCount(), 0);
  EXPECT_TRUE(plat::FormRegistry::instance().loaded(QStringLiteral("MainForm")));
}

TEST_F(Finish, PrintTypes) {
  // LPT1 is a plain file in the installation folder, so the text receipt can be read back.
  const QString lpt = plat::installPath(QStringLiteral("LPT1"));
  struct Case {
    int printType;
    int slipWidth;
    bool textReceipt;
  } cases[] = {{6, 1, false}, {2, 1, true}, {1, 9, false}, {7, 1, false}};
  ASSERT_TRUE(open());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.printType);
    QFile file(lpt);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.close();
    shell::settings().PrintType = c.printType;
    shell::settings().SlipWidth = c.slipWidth;
    dlg.clear();
    enter("4711");
    pay("100");
    f->cmdReceive_Click();
    EXPECT_EQ(dlg.lastMessage(), "Finish");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray printed = file.readAll();
    EXPECT_EQ(!printed.isEmpty(), c.textReceipt);
    if (c.textReceipt) {
      EXPECT_TRUE(printed.startsWith("\x1bM"));
      EXPECT_TRUE(printed.contains("Green T"));  // the narrowest slip has room for no more
      EXPECT_TRUE(printed.contains(f->CurBillNo().toLatin1()));
      EXPECT_TRUE(printed.contains("Employee : somchai"));
    }
    EXPECT_EQ(f->LineCount(), 0);
  }
  EXPECT_EQ(data::Conn().scalar("SELECT COUNT(DISTINCT Comment) FROM Sell").toInt(), 4);
}

TEST_F(Finish, SlipsPrintTheBillJustPostedAndAFailedJobLosesNothing) {
  plat::FakePrinters printers{{QStringLiteral("ReportPrinter"), QStringLiteral("BillPrinter")}};
  auto& set = shell::settings();
  set.BillPrinter = SettingValue::ofText("BillPrinter");
  set.PrintType = 1;
  set.DrawerPort = SettingValue::ofText("RJ45");
  const QString lpt = plat::installPath(QStringLiteral("LPT1"));
  ASSERT_TRUE(open());
  for (const int width : {1, 2, 3}) {
    SCOPED_TRACE(width);
    set.SlipWidth = width;
    QFile file(lpt);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.close();
    dlg.clear();
    enter("3*4711");
    pay("100");
    f->cmdReceive_Click();
    EXPECT_EQ(dlg.texts(), QStringList{"Finish"});
    ASSERT_EQ(printers.jobs.size(), size_t(width));
    const auto& job = printers.jobs.back();
    EXPECT_EQ(job.printer, "BillPrinter");
    EXPECT_EQ(job.docName, "Receipt " + f->CurBillNo());
    const QString printed = job.surface->texts().join('\n');
    EXPECT_TRUE(printed.contains(f->CurBillNo())) << printed.toStdString();
    EXPECT_TRUE(printed.contains("Green T"));  // the narrowest slip has room for no more
    EXPECT_TRUE(printed.contains("30.00"));
    EXPECT_TRUE(printed.contains("70.00"));  // the change
    EXPECT_EQ(job.surface->ops.back().kind, plat::RecordingSurface::Op::EndDoc);
    // The drawer wired to the receipt printer got its pulse.
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("\x1b\x70\x00\x64\xfa", 5));
  }
  // A printer that refuses the job: the cashier is told, the bill stays posted, the sale ends.
  printers.failOpen = QStringLiteral("The printer is offline.");
  dlg.clear();
  enter("4711");
  pay("10");
  f->cmdReceive_Click();
  EXPECT_EQ(dlg.texts(), (QStringList{"The receipt could not be printed.", "Finish"}));
  EXPECT_EQ(data::Conn().scalar("SELECT COUNT(DISTINCT Comment) FROM Sell").toInt(), 4);
  EXPECT_EQ(salefx::stockOf("4711"), 100 - 3 * 3 - 1);
  EXPECT_EQ(f->LineCount(), 0);
}

}  // namespace

namespace {

// The screen stays open all day: what was typed into its boxes must not pile up as an undo
// history that nothing ever empties (codes entered, amounts typed again after "Pay Again").
TEST_F(SaleScreen, ItsBoxesKeepNoUndoHistoryFromOneCodeOrSaleToTheNext) {
  ASSERT_TRUE(open());
  for (int sale = 0; sale < 3; ++sale) {
    for (const char* code : {"4711", "AB1", "nothing-like-it"}) {
      salefx::typeKeys(f->txtBar, QString::fromLatin1(code) + QLatin1Char('\r'));
      EXPECT_TRUE(f->txtBar->text().isEmpty()) << code;
      EXPECT_FALSE(f->txtBar->isUndoAvailable()) << "after " << code << " in sale " << sale;
    }
    f->ListPName->hide();
    ASSERT_EQ(f->LineCount(), 2);
    f->cmdPay_Click();
    // Short twice, the amount typed again over the selected one each time, then enough.
    for (const char* amount : {"5", "100", "2000"}) {
      f->txtPay->selectAll();
      salefx::typeKeys(f->txtPay, QString::fromLatin1(amount) + QLatin1Char('\r'));
      f->cmdReceive_Click();
      EXPECT_FALSE(f->txtPay->isUndoAvailable()) << "after paying " << amount << " in sale " << sale;
    }
    EXPECT_EQ(dlg.texts(), (QStringList{"Pay Again", "Pay Again", "Finish"}));
    dlg.clear();
    EXPECT_EQ(f->LineCount(), 0);
  }
}

}  // namespace
