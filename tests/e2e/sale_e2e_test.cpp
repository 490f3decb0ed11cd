// A cashier's first sale on a real serial line: the display and the drawer are pty pairs made by
// socat and linked as COM1 and COM2 in the installation folder; every byte the program writes is
// read back at the other end.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QStandardPaths>
#include <QTest>

#include "data/db.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "sale/main_form.h"
#include "sale/register.h"
#include "shell/login.h"
#include "shell/mainwindow.h"
#include "shell/program.h"
#include "shell/settings.h"
#include "support/sale_fixtures.h"
#include "support/sale_program.h"
#include "support/testenv.h"

namespace {

using salefx::PtyCapture;
using salefx::typeKeys;

class SaleWalk : public salefx::ProgramTest {
 protected:
  void SetUp() override {
    if (!have("socat")) GTEST_SKIP() << "socat is missing";
    ProgramTest::SetUp();
  }
  // The shop's settings as the options form would leave them.
  void configure() {
    shell::ShopSettings s;
    QString error;
    ASSERT_TRUE(shell::readSettings26(s, &error)) << error.toStdString();
    s.DisplayPort = shell::SettingValue::ofNumber(1);
    s.DrawerPort = shell::SettingValue::ofNumber(2);
    s.PrintType = 2;  // the text receipt on LPT1, a plain file here
    s.LangThai = false;
    s.VatRate = 7;
    s.BillNoContinue = true;
    ASSERT_TRUE(shell::writeSettings(s, &error)) << error.toStdString();
  }
};

TEST_F(SaleWalk, RingUpPayAndFinishWithTheDisplayAndDrawerOnPtys) {
  configure();
  const QString dir = testenv::tempDir();
  PtyCapture display(1, dir + QStringLiteral("/display.bin"));
  PtyCapture drawer(2, dir + QStringLiteral("/drawer.bin"));
  ASSERT_TRUE(display.ready());
  ASSERT_TRUE(drawer.ready());
  {
    QFile lpt(plat::installPath(QStringLiteral("LPT1")));
    ASSERT_TRUE(lpt.open(QIODevice::WriteOnly));
  }

  ASSERT_TRUE(logIn());
  main = shell::openMainWindow();
  ASSERT_TRUE(main);
  main->show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
  // The back office has a product with a lot, another one, and the key "q" bound.
  salefx::addProduct("4711", "Green Tea", 10, 100, 2);
  salefx::addProduct("AB1", "Rice 5 kg", 1250, 50, 0);
  salefx::addLot("4711", "2024-03-03", "0001", 20);
  salefx::addLot("AB1", "2024-03-01", "0001", 10);
  salefx::bindKey(1, "4711");

  main->toolbarButton(QStringLiteral("bsell"))->trigger();
  testenv::pump(20);
  auto* f = static_cast<sale::MainForm*>(plat::FormRegistry::instance().loaded(QStringLiteral("MainForm")));
  ASSERT_TRUE(f);
  ASSERT_TRUE(f->isVisible());
  EXPECT_EQ(f->txtEmployee->text(), "Admin");
  f->txtBar->setFocus();
  testenv::pump();

  typeKeys(f->txtBar, "4711");
  QTest::keyClick(f->txtBar, Qt::Key_Return);
  typeKeys(f->txtBar, "3*AB1");
  QTest::keyClick(f->txtBar, Qt::Key_Return);
  typeKeys(f->txtBar, "q");  // the hot key: one more tea, merged
  ASSERT_EQ(f->LineCount(), 2);
  EXPECT_EQ(f->FGrid->TextMatrix(0, 2), "2");
  EXPECT_EQ(f->FGrid->TextMatrix(1, 2), "3");
  EXPECT_EQ(f->txtTotal->text(), "3,770.00");
  EXPECT_EQ(f->txtBar->text(), "");

  // Enter on the empty box starts payment; the amount, Enter, and Enter again on Finish.
  QTest::keyClick(f->txtBar, Qt::Key_Return);
  ASSERT_TRUE(f->txtPay->hasFocus());
  EXPECT_EQ(f->txtTax->text(), "246.64");
  typeKeys(f->txtPay, "4000");
  QTest::keyClick(f->txtPay, Qt::Key_Return);
  ASSERT_TRUE(f->cmdReceive->hasFocus());
  QTest::keyClick(f->cmdReceive, Qt::Key_Return);
  EXPECT_EQ(dlg.texts(), QStringList{"Finish"});

  // The drawer got its 21 bytes through the port that Finish opened and closed.
  EXPECT_EQ(drawer.bytes(21), QByteArray(21, '0'));
  EXPECT_EQ(data::Conn().scalar("SELECT COUNT(*) FROM Sell WHERE Comment = 1").toInt(), 2);
  EXPECT_EQ(data::Conn().scalar("SELECT Quantity FROM Product WHERE PId = '4711'").toDouble(), 98);
  EXPECT_EQ(data::Conn().scalar("SELECT Quantity FROM Product WHERE PId = 'AB1'").toDouble(), 47);
  QFile lpt(plat::installPath(QStringLiteral("LPT1")));
  ASSERT_TRUE(lpt.open(QIODevice::ReadOnly));
  const QByteArray receipt = lpt.readAll();
  EXPECT_TRUE(receipt.contains("Green Tea"));
  EXPECT_TRUE(receipt.contains("0000000001"));

  f->cmdExit->click();
  testenv::pump(20);
  EXPECT_FALSE(plat::FormRegistry::instance().loaded(QStringLiteral("MainForm")));

  const QByteArray expected = QByteArray("\r") + "Price           0.00Total           0.00" + "Price " +
                              "         10.00" + "Total " + "         10.00" + "Price " +  // 4711
                              "      1,250.00" + "Total " + "      3,760.00" + "Price " +  // 3*AB1
                              "         10.00" + "Total " + "      3,770.00" + "Price " +  // q
                              "      4,000.00" + "Change" + "        230.00" + "Cash " +   // Finish
                              "           0.00Total           0.00" + "Price " +           // reset
                              "          0.00Total           0.00" + "Price " +            // Exit: clear
                              QByteArray("\x04\x01\x25\x17\x0D", 5) + "\r\b\b      " +     // unload
                              "          0.00Total           0.00";
  EXPECT_EQ(display.bytes(expected.size()), expected);
}

}  // namespace
