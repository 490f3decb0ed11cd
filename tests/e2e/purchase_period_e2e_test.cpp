// The monthly purchase report end to end: printed in Thai through the private print server's
// cups-pdf queue "ReportPrinter" (read back with pdftotext), and exported (read back with openpyxl).
#include <gtest/gtest.h>
#include <unistd.h>

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>

#include "data/db.h"
#include "platform/dialogs.h"
#include "purchase/buy_period_reports.h"
#include "reportkit/grid_export.h"
#include "shell/settings.h"
#include "support/print_fixtures.h"
#include "support/scripted_dialogs.h"
#include "support/testenv.h"

namespace {

using data::Conn;

// Thai as pdftotext gives it back drops or replaces the marks above and below the line and splits
// SARA AM; compare the letters that remain.
QString skeleton(QString s) {
  s.replace(QChar(0x0E33), QChar(0x0E32));
  s.remove(QRegularExpression(
      QStringLiteral("[\\x{0E31}\\x{0E34}-\\x{0E3A}\\x{0E47}-\\x{0E4E}\\x{F700}-\\x{F8FF}]")));
  s.remove(QLatin1Char(' '));
  return s;
}

class PurchasePeriodE2E : public testenv::DbTest {
 protected:
  void SetUp() override {
    DbTest::SetUp();
    printfix::shopSettings();
    auto& s = shell::settings();
    // A shop name of this run, so the PDFs of parallel runs are told apart.
    shop = QStringLiteral("Buying Shop %1").arg(getpid());
    s.ComName = shell::SettingValue::ofText(shop);
    s.ReportPrinter = QStringLiteral("ReportPrinter");
    s.ReportFontSize = shell::SettingValue::ofNumber(10);
    s.VatRate = 7;
    Conn().exec("INSERT INTO Category VALUES ('D', 'Drinks'), ('B', 'Bakery')");
    Conn().exec(
        "INSERT INTO Product (PId, PName, Price, Price1, Price2, Quantity, CID, ProNoun, PoOrder) VALUES "
        "('007', 'Mineral water', 10, 10, 10, 100, 'D', 'ขวด', 0), "
        "('B7', 'Rye bread', 45, 45, 45, 20, 'B', 'loaf', 0)");
    const char* lots[][4] = {{"007", "2024-03-01", "24", "6.25"},
                             {"007", "2024-03-31", "12", "6.5"},
                             {"B7", "2024-03-14", "3", "30.1"},
                             {"B7", "2024-04-01", "1", "30"}};
    for (const auto& l : lots)
      Conn().exec(
          "INSERT INTO Buy (PId, BuyDate, BuyTime, BQuantity, BPrice, BuyId, RemainQ, SupplierID) "
          "VALUES (?, ?, '09:00:00', ?, ?, '1', ?, 'S1')",
          {l[0], l[1], QString(l[2]).toDouble(), QString(l[3]).toDouble(), QString(l[2]).toDouble()});
  }
  void TearDown() override {
    shell::settings() = shell::ShopSettings{};
    DbTest::TearDown();
  }
  // March shown, then April chosen: what is printed and exported is still March.
  void showMarch(purchase::MoBuyForm& f) {
    f.Form_Load();
    f.comMo->setCurrentIndex(f.comMo->findText("03/2024"));
    f.comMo_Click();
    f.cmdAll_Click();
    ASSERT_EQ(f.RowCount, 2);
    ASSERT_EQ(f.txtTotal->text(), "318.30");
    f.comMo->setCurrentIndex(f.comMo->findText("04/2024"));
    f.comMo_Click();
  }
  QString shop;
  plat::ScriptedDialogs dialogs;
};

TEST_F(PurchasePeriodE2E, MonthlyReportInThaiReachesTheQueue) {
  if (qEnvironmentVariableIsEmpty("CUPS_SERVER"))
    GTEST_SKIP() << "no private print server (CUPS_SERVER unset)";
  shell::settings().LangThai = true;
  purchase::MoBuyForm f;
  showMarch(f);
  const QSet<QString> before = printfix::pdfsNow();
  f.cmdPrint_Click();
  QString text;
  const QString pdf =
      printfix::waitForPdf(before, QStringLiteral("Monthly"), QStringLiteral("318.30"), &text);
  ASSERT_FALSE(pdf.isEmpty()) << "no monthly PDF in " << printfix::pdfFolders().join(", ").toStdString();
  EXPECT_TRUE(text.contains(shop)) << text.toStdString();
  EXPECT_TRUE(skeleton(text).contains(skeleton(QStringLiteral("รายงานสรุปการซื้อประจำเดือน มีนาคม 2024"))))
      << text.toStdString();
  // A row: code, name, quantity, unit, value.
  EXPECT_TRUE(QRegularExpression(QStringLiteral("007\\s+Mineral water\\s+36\\s+\\S+\\s+228.00"))
                  .match(text)
                  .hasMatch())
      << text.toStdString();
  EXPECT_TRUE(skeleton(text).contains(skeleton(QStringLiteral("สรุปยอดรวม 318.30 บาท"))))
      << text.toStdString();
  QFile::remove(pdf);
  EXPECT_TRUE(dialogs.shown.empty()) << dialogs.texts().join('\n').toStdString();
}

TEST_F(PurchasePeriodE2E, MonthlyExportReadsBack) {
  if (QProcess::execute("/usr/bin/python3", {"-c", "import openpyxl"}) != 0) GTEST_SKIP() << "no openpyxl";
  reportkit::setExportFolder(testenv::tempDir());
  QString opened;
  reportkit::setWorkbookOpener([&](const QString& path) {
    opened = path;
    return true;
  });
  purchase::MoBuyForm f;
  showMarch(f);
  f.cmdExcel_Click();
  reportkit::setWorkbookOpener(nullptr);
  reportkit::setExportFolder({});
  ASSERT_FALSE(opened.isEmpty());
  QProcess p;
  p.start("/usr/bin/python3", {"-c",
                               "import sys, openpyxl\n"
                               "ws = openpyxl.load_workbook(sys.argv[1]).worksheets[0]\n"
                               "for row in ws.iter_rows():\n"
                               "  for c in row:\n"
                               "    if c.value is not None: print(f'{c.row},{c.column}:{c.value!r}')\n",
                               opened});
  ASSERT_TRUE(p.waitForFinished(60000));
  const QStringList cells = QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
  // The code keeps its zeros as text; quantities and values are numbers; the total row is March's.
  EXPECT_EQ(cells.join(' ').toStdString(),
            "1,1:'007' 1,2:'Mineral water' 1,3:36 1,4:228 1,6:'ขวด' 2,1:'B7' 2,2:'Rye bread' 2,3:3 2,4:90.3 "
            "2,6:'loaf' 3,3:'Total' 3,4:318.3")
      << p.readAllStandardError().toStdString();
  QFile::remove(opened);
}

}  // namespace
