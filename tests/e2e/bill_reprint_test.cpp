// A bill reprinted from the bill list through the real print server: the private cupsd of the test
// script with its cups-pdf queue "BillPrinter"; the PDF it writes is read back with pdftotext.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QDateTime>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>

#include "data/db.h"
#include "platform/dialogs.h"
#include "print/sale_document.h"
#include "reports/bill_form.h"
#include "shell/settings.h"
#include "support/print_fixtures.h"
#include "support/sale_fixtures.h"
#include "support/scripted_dialogs.h"
#include "support/testenv.h"

namespace {

TEST(BillReprint, OneBillReachesTheBillPrinterQueue) {
  if (qEnvironmentVariableIsEmpty("CUPS_SERVER"))
    GTEST_SKIP() << "no private print server (CUPS_SERVER unset)";
  plat::ScriptedDialogs dialogs;
  testenv::openFreshDb();
  printfix::shopSettings();
  shell::settings().ReportFontSize = shell::SettingValue::ofNumber(10);
  salefx::addProduct("P1", "Green Tea 500ml", 35, 10);
  salefx::addProduct("P2", "Pen", 30, 4);
  // A bill number of its own, so parallel runs find their own PDF.
  const qint64 no = 1000000000 + (QDateTime::currentMSecsSinceEpoch() * 1000 + getpid()) % 8999999999;
  for (const auto& [pid, qty, price] : {std::tuple{"P1", 2.0, 35.0}, std::tuple{"P2", 1.0, 30.0}})
    data::Conn().exec(QStringLiteral("INSERT INTO Sell (PID, SellTime, SellDate, SQuantity, SPrice, Comment, "
                                     "Employee, Recieve) VALUES (?, '10:30:05', '2024-03-15', ?, ?, ?, "
                                     "'Somchai', 200)"),
                      {QString::fromLatin1(pid), qty, price, no});
  const QString billNo = print::billNoText(no);
  const QSet<QString> before = printfix::pdfsNow();

  reports::BillF form;
  form.Form_Load();
  form.txtInvNo->setText(billNo);
  form.cmdPrint->click();
  EXPECT_TRUE(dialogs.shown.empty()) << dialogs.texts().join('\n').toStdString();

  QString text;
  // The foot is the last line of one bill.
  const QString pdf = printfix::waitForPdf(before, billNo, QStringLiteral("VAT included"), &text);
  ASSERT_FALSE(pdf.isEmpty()) << "no whole PDF for bill " << billNo.toStdString() << " in "
                              << printfix::pdfFolders().join(", ").toStdString();
  for (const char* piece : {"Corner Shop", "15/03/2024 10:30:05 no # ", "1.Green Tea", "2.Pen", "Total",
                            "100.00", "Cash Pay", "200.00", "Vat 7%", "6.54", "Employee : Somchai"})
    EXPECT_TRUE(text.contains(QString::fromLatin1(piece))) << piece << "\n" << text.toStdString();
  EXPECT_TRUE(text.contains(billNo));
  EXPECT_FALSE(text.contains("Today Total"));
  QFile::remove(pdf);
  data::Conn().close();
  shell::settings() = shell::ShopSettings{};
}

}  // namespace
