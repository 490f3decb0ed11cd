// The customer history printed in Thai through the real print server: the private cupsd of the
// test script with its cups-pdf queue "ReportPrinter"; the PDF it writes is read back with pdftotext.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QDateTime>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

#include "data/db.h"
#include "partners/history_form.h"
#include "partners/register.h"
#include "platform/dialogs.h"
#include "shell/settings.h"
#include "support/print_fixtures.h"
#include "support/scripted_dialogs.h"
#include "support/testenv.h"

namespace {

class PartnerHistoryPrint : public testenv::DbTest {};

// Thai as pdftotext gives it back drops or replaces (by the font's private-use glyphs) the marks
// above and below the line, and splits SARA AM; compare the letters that remain.
QString skeleton(QString s) {
  s.replace(QChar(0x0E33), QChar(0x0E32));
  s.remove(QRegularExpression(
      QStringLiteral("[\\x{0E31}\\x{0E34}-\\x{0E3A}\\x{0E47}-\\x{0E4E}\\x{F700}-\\x{F8FF}]")));
  return s;
}

TEST_F(PartnerHistoryPrint, CustomerHistoryInThaiReachesTheReportPrinter) {
  if (qEnvironmentVariableIsEmpty("CUPS_SERVER"))
    GTEST_SKIP() << "no private print server (CUPS_SERVER unset)";
  plat::ScriptedDialogs dialogs;
  auto& set = shell::settings();
  set.LangThai = true;
  set.ReportPrinter = QStringLiteral("ReportPrinter");
  set.ComName = shell::SettingValue::ofText(QStringLiteral("Corner Shop"));
  set.ReportFontSize = shell::SettingValue::ofNumber(10);
  // A tag of its own in the job's name, so parallel runs find their own PDF.
  const QString tag =
      QStringLiteral("T%1").arg((QDateTime::currentMSecsSinceEpoch() * 1000 + getpid()) % 99999999);
  auto& db = data::Conn();
  db.exec(QStringLiteral(
      "INSERT INTO Product (PId, PName, Price, Quantity, CID) VALUES ('P1', 'Notebook A5', 10, 5, 'C1')"));
  db.exec(QStringLiteral("INSERT INTO Customers (CustomerId, CompanyName, Discount) VALUES ('7', ?, 1)"),
          {tag + QStringLiteral(" ร้านสมชาย")});
  db.exec(QStringLiteral(
      "INSERT INTO Sell (PID, SellTime, SellDate, SQuantity, SPrice, Comment, CustomerId, "
      "Employee, Recieve) VALUES ('P1', '10:00:00', '2024-03-15', 3, 411.5, 12, '7', 'Admin', 0)"));
  partners::registerForms();
  auto* f =
      static_cast<partners::HistoryForm*>(plat::FormRegistry::instance().form(QStringLiteral("CusRep")));
  ASSERT_TRUE(f);
  f->idBox->setText(QStringLiteral("7"));
  QTest::keyClick(f->idBox, Qt::Key_Return);
  ASSERT_EQ(f->RowCount, 1);
  EXPECT_EQ(f->txtTotal->text(), QStringLiteral("1,234.50"));

  const QSet<QString> before = printfix::pdfsNow();
  f->cmdPrintPartner->click();
  EXPECT_TRUE(dialogs.shown.empty()) << dialogs.texts().join('\n').toStdString();

  QString text;
  const QString pdf = printfix::waitForPdf(before, tag, QStringLiteral("1,234.50"), &text);
  ASSERT_FALSE(pdf.isEmpty()) << "no whole PDF for " << tag.toStdString() << " in "
                              << printfix::pdfFolders().join(", ").toStdString();
  EXPECT_TRUE(
      skeleton(text).contains(skeleton(QStringLiteral("รายงานลูกค้า ") + tag + QStringLiteral(" ร้านสมชาย"))))
      << text.toStdString();
  EXPECT_TRUE(text.contains(QStringLiteral("Notebook A5")));
  EXPECT_TRUE(text.contains(QStringLiteral("15/03/2024")));
  EXPECT_TRUE(text.contains(QStringLiteral("รวม 1,234.50")));
  QFile::remove(pdf);
  plat::FormRegistry::instance().unloadAll();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace
