// The road of one sale as a cashier walks it: log in, open the sale screen from the menu, ring up
// by code and by quantity prefix, pay, finish. Afterwards there is exactly one new bill in Sell, the
// stock is lower, the slip receipt came out of the private print server's cups-pdf queue
// "BillPrinter" (read back with pdftotext), the drawer wired to the printer got its pulse on LPT1,
// and the pole display, a socat pty linked as COM1, showed the change.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QStandardPaths>
#include <QTest>

#include "data/db.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "sale/main_form.h"
#include "sale/register.h"
#include "shell/login.h"
#include "shell/mainwindow.h"
#include "shell/program.h"
#include "shell/settings.h"
#include "support/print_fixtures.h"
#include "support/sale_fixtures.h"
#include "support/sale_program.h"
#include "support/testenv.h"

namespace {

using salefx::PtyCapture;
using salefx::typeKeys;

class SaleRoad : public salefx::ProgramTest {
 protected:
  void SetUp() override {
    if (qEnvironmentVariableIsEmpty("CUPS_SERVER"))
      GTEST_SKIP() << "no private print server (CUPS_SERVER unset)";
    for (const char* tool : {"socat", "pdftotext"})
      if (!have(tool)) GTEST_SKIP() << tool << " is missing";
    ProgramTest::SetUp();
  }
  // The shop's settings as the options form would leave them: 7 cm slips on "BillPrinter", the
  // drawer on the printer, the display on COM1, bills numbered over all sales.
  void configure() {
    shell::ShopSettings s;
    QString error;
    ASSERT_TRUE(shell::readSettings26(s, &error)) << error.toStdString();
    s.ComName = shell::SettingValue::ofText(QStringLiteral("Road Corner Shop"));
    s.DisplayPort = shell::SettingValue::ofNumber(1);
    s.DrawerPort = shell::SettingValue::ofText(QStringLiteral("RJ45"));
    s.PrintType = 1;
    s.SlipWidth = 1;
    s.BillPrinter = shell::SettingValue::ofText(QStringLiteral("BillPrinter"));
    s.LangThai = false;
    s.VatRate = 7;
    s.BillNoContinue = true;
    ASSERT_TRUE(shell::writeSettings(s, &error)) << error.toStdString();
  }
};

TEST_F(SaleRoad, ARungUpPaidAndFinishedSaleIsOneBillLowerStockAPrintedReceiptAndTheChangeShown) {
  configure();
  PtyCapture display(1, testenv::tempDir() + QStringLiteral("/display.bin"));
  ASSERT_TRUE(display.ready());
  {
    QFile lpt(plat::installPath(QStringLiteral("LPT1")));
    ASSERT_TRUE(lpt.open(QIODevice::WriteOnly));
  }

  ASSERT_TRUE(logIn());
  main = shell::openMainWindow();
  ASSERT_TRUE(main);
  main->show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));

  // The back office bought the two products; an earlier bill of yesterday sets the series, with a
  // number of this run's own so the PDF found is this run's.
  salefx::addProduct("4711", "Green Tea", 10, 100, 2);
  salefx::addProduct("AB1", "Rice 5 kg", 1250, 50, 0);
  salefx::addLot("4711", "2024-03-03", "0001", 20);
  salefx::addLot("AB1", "2024-03-01", "0001", 10);
  const qint64 lastBill = 1000000000 + (QDateTime::currentMSecsSinceEpoch() * 1000 + getpid()) % 8000000000;
  data::Conn().exec(
      "INSERT INTO Sell (PID, SellTime, SellDate, BuyDate, BuyId, SQuantity, SPrice, Comment, Employee, "
      "Recieve) VALUES ('4711', '18:00:00', ?, '2024-03-03', '0001', 1, 10, ?, 'Admin', 10)",
      {plat::today().addDays(-1).toString(Qt::ISODate), lastBill});
  const QString billNo = QString::number(lastBill + 1).rightJustified(10, QLatin1Char('0'));
  const QSet<QString> pdfsBefore = printfix::pdfsNow();

  main->menuItem(QStringLiteral("MeCashier"))->trigger();
  testenv::pump(20);
  auto* f = static_cast<sale::MainForm*>(plat::FormRegistry::instance().loaded(QStringLiteral("MainForm")));
  ASSERT_TRUE(f);
  ASSERT_TRUE(f->isVisible());
  f->txtBar->setFocus();
  testenv::pump();

  typeKeys(f->txtBar, "4711");
  QTest::keyClick(f->txtBar, Qt::Key_Return);
  typeKeys(f->txtBar, "2*AB1");
  QTest::keyClick(f->txtBar, Qt::Key_Return);
  ASSERT_EQ(f->LineCount(), 2);
  EXPECT_EQ(f->txtTotal->text(), "2,510.00");

  // Receive, the amount built with the cash buttons, Finish.
  f->cmdPay->click();
  ASSERT_TRUE(f->cmd1000->isEnabled());
  for (QPushButton* b : {f->cmd1000, f->cmd1000, f->cmd500, f->cmd50}) b->click();
  EXPECT_EQ(f->txtPay->text(), "2550");
  ASSERT_TRUE(f->cmdReceive->isEnabled());
  f->cmdReceive->click();
  EXPECT_EQ(dlg.texts(), QStringList{"Finish"});
  EXPECT_EQ(f->CurBillNo(), billNo);

  // Exactly one new bill: today's rows, all under the next number, the lots tagged, the cash on each.
  const QString today = plat::today().toString(Qt::ISODate);
  EXPECT_EQ(data::Conn().scalar("SELECT COUNT(*) FROM Sell WHERE SellDate = ?", {today}).toInt(), 2);
  EXPECT_EQ(
      data::Conn().scalar("SELECT COUNT(DISTINCT Comment) FROM Sell WHERE SellDate = ?", {today}).toInt(), 1);
  const data::Snapshot rows = data::Conn().query(
      "SELECT PID, SQuantity, SPrice, BuyDate, Comment, Employee, Recieve, CustomerId FROM Sell "
      "WHERE SellDate = ? ORDER BY PID",
      {today});
  ASSERT_EQ(rows.size(), 2);
  EXPECT_EQ(rows.at(0, "PID").toString(), "4711");
  EXPECT_EQ(rows.at(0, "SQuantity").toDouble(), 1);
  EXPECT_EQ(rows.at(0, "BuyDate").toString(), "2024-03-03");
  EXPECT_EQ(rows.at(1, "PID").toString(), "AB1");
  EXPECT_EQ(rows.at(1, "SQuantity").toDouble(), 2);
  EXPECT_EQ(rows.at(1, "SPrice").toDouble(), 1250);
  for (int r = 0; r < 2; ++r) {
    EXPECT_EQ(rows.at(r, "Comment").toLongLong(), lastBill + 1);
    EXPECT_EQ(rows.at(r, "Employee").toString(), "Admin");
    EXPECT_EQ(rows.at(r, "Recieve").toDouble(), 2550);
    EXPECT_TRUE(rows.at(r, "CustomerId").isNull());
  }
  EXPECT_EQ(salefx::stockOf("4711"), 99);
  EXPECT_EQ(salefx::stockOf("AB1"), 48);

  // The drawer on the printer got its pulse before the slip.
  {
    QFile lpt(plat::installPath(QStringLiteral("LPT1")));
    ASSERT_TRUE(lpt.open(QIODevice::ReadOnly));
    EXPECT_EQ(lpt.readAll(), QByteArray("\x1b\x70\x00\x64\xfa", 5));
  }

  // The slip from the queue.
  QString slip;
  const QString pdf = printfix::waitForPdf(pdfsBefore, billNo, QStringLiteral("VAT included"), &slip);
  ASSERT_FALSE(pdf.isEmpty()) << "no PDF for bill " << billNo.toStdString() << " in "
                              << printfix::pdfFolders().join(", ").toStdString();
  for (const char* text : {"Road Corner Shop", "Green Tea", "Rice 5 kg", "2500.00", "2,510.00", "164.21",
                           "2,550.00", "40.00", "Employee : Admin"})
    EXPECT_TRUE(slip.contains(QString::fromUtf8(text))) << text << " not in\n" << slip.toStdString();
  EXPECT_TRUE(slip.contains(billNo)) << slip.toStdString();
  QFile::remove(pdf);

  f->cmdExit->click();
  testenv::pump(20);
  EXPECT_FALSE(plat::FormRegistry::instance().loaded(QStringLiteral("MainForm")));

  // The display: both lines rung up, then the tendered amount, the change and the reset.
  const QByteArray expected = QByteArray("\r") + "Price           0.00Total           0.00" + "Price " +
                              "         10.00" + "Total " + "         10.00" + "Price " +  // 4711
                              "      1,250.00" + "Total " + "      2,510.00" + "Price " +  // 2*AB1
                              "      2,550.00" + "Change" + "         40.00" + "Cash " +   // Finish
                              "           0.00Total           0.00" + "Price " +           // reset
                              "          0.00Total           0.00" + "Price " +            // Exit: clear
                              QByteArray("\x04\x01\x25\x17\x0D", 5) + "\r\b\b      " +     // unload
                              "          0.00Total           0.00";
  EXPECT_EQ(display.bytes(expected.size()), expected);
}

}  // namespace
