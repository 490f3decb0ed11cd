// The sales period reports end to end: a daily and a yearly printout through the private print
// server's cups-pdf queue "ReportPrinter" (read back with pdftotext), and a yearly export read back
// with openpyxl.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QLineEdit>
#include <QProcess>

#include "data/db.h"
#include "platform/dialogs.h"
#include "reportkit/grid_export.h"
#include "reports/sale_period_reports.h"
#include "shell/session.h"
#include "shell/settings.h"
#include "support/print_fixtures.h"
#include "support/scripted_dialogs.h"
#include "support/testenv.h"

namespace {

using data::Conn;

class SalePeriodE2E : public testenv::DbTest {
 protected:
  void SetUp() override {
    DbTest::SetUp();
    printfix::shopSettings();
    // A shop name of this run, so the PDFs of parallel runs are told apart.
    shop = QStringLiteral("Period Shop %1").arg(getpid());
    shell::settings().ComName = shell::SettingValue::ofText(shop);
    shell::settings().ReportPrinter = QStringLiteral("ReportPrinter");
    shell::settings().ReportFontSize = shell::SettingValue::ofNumber(10);
    shell::session().userName = QStringLiteral("Admin");
    Conn().exec("INSERT INTO Category VALUES ('D', 'Drinks'), ('B', 'Bakery')");
    Conn().exec(
        "INSERT INTO Product (PId, PName, Price, Price1, Price2, Quantity, CID, ProNoun, PoOrder) VALUES "
        "('0012', 'Mineral water', 10, 10, 10, 100, 'D', 'bottle', 0), "
        "('B7', 'Rye bread', 45, 45, 45, 20, 'B', 'loaf', 0)");
    const char* lines[][4] = {{"0012", "2024-03-14", "12", "10"},
                              {"B7", "2024-03-14", "2", "45"},
                              {"0012", "2024-01-05", "100", "9.5"},
                              {"B7", "2024-11-30", "3", "45"}};
    for (const auto& l : lines)
      Conn().exec(
          "INSERT INTO Sell (PID, SellTime, SellDate, SQuantity, SPrice, Comment, Employee, Recieve) "
          "VALUES (?, '09:00:00', ?, ?, ?, 1, 'Admin', 0)",
          {l[0], l[1], QString(l[2]).toDouble(), QString(l[3]).toDouble()});
  }
  void TearDown() override {
    shell::settings() = shell::ShopSettings{};
    DbTest::TearDown();
  }
  QString shop;
  plat::ScriptedDialogs dialogs;
};

TEST_F(SalePeriodE2E, DailyAndYearlyPrintoutsReachTheQueue) {
  if (qEnvironmentVariableIsEmpty("CUPS_SERVER"))
    GTEST_SKIP() << "no private print server (CUPS_SERVER unset)";
  reports::DayReport day;
  day.Form_Load();
  day.DTPDate1->setDate(QDate(2024, 3, 14));
  day.cmdShow_Click();
  ASSERT_EQ(day.RowCount, 2);
  QSet<QString> before = printfix::pdfsNow();
  day.cmdPrint_Click();
  QString text;
  QString pdf = printfix::waitForPdf(before, QStringLiteral("Daily"), QStringLiteral("90.00"), &text);
  ASSERT_FALSE(pdf.isEmpty()) << "no daily PDF in " << printfix::pdfFolders().join(", ").toStdString();
  EXPECT_TRUE(text.contains(shop)) << text.toStdString();
  EXPECT_TRUE(text.contains("Sell Report of 14/03/2024") || text.contains("Sell Report of  14/03/2024"))
      << text.toStdString();
  EXPECT_TRUE(text.contains("210.00"));  // the day's total
  EXPECT_TRUE(text.contains("Mineral water"));
  EXPECT_TRUE(text.contains("bottle"));
  QFile::remove(pdf);

  reports::YearReport year;
  year.Form_Load();
  year.txtYear->setText(QStringLiteral("2024"));
  year.cmdShow_Click();
  ASSERT_EQ(year.RowCount, 2);
  before = printfix::pdfsNow();
  year.cmdPrint_Click();
  pdf = printfix::waitForPdf(before, QStringLiteral("Yearly"), QStringLiteral("1,070.00"), &text);
  ASSERT_FALSE(pdf.isEmpty()) << "no yearly PDF";
  EXPECT_TRUE(text.contains("Sell Report of Year 2024")) << text.toStdString();
  EXPECT_TRUE(text.contains("1,295.00"));  // the year's total
  EXPECT_TRUE(text.contains("Rye bread"));
  QFile::remove(pdf);
  EXPECT_TRUE(dialogs.shown.empty()) << dialogs.texts().join('\n').toStdString();
}

// Exports what the yearly window shows and reads the workbook back as "row,col:value" cells.
QStringList exportAndReadBack(reports::YearReport& year) {
  reportkit::setExportFolder(testenv::tempDir());
  QString opened;
  reportkit::setWorkbookOpener([&](const QString& path) {
    opened = path;
    return true;
  });
  year.cmdExcel_Click();
  reportkit::setWorkbookOpener(nullptr);
  reportkit::setExportFolder({});
  if (opened.isEmpty()) return {};
  QProcess p;
  p.start("/usr/bin/python3", {"-c",
                               "import sys, openpyxl\n"
                               "ws = openpyxl.load_workbook(sys.argv[1]).worksheets[0]\n"
                               "for row in ws.iter_rows():\n"
                               "  for c in row:\n"
                               "    if c.value is not None: print(f'{c.row},{c.column}:{c.value!r}')\n",
                               opened});
  p.waitForFinished(60000);
  EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
  QFile::remove(opened);
  return QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
}

TEST_F(SalePeriodE2E, YearlyExportReadsBack) {
  if (QProcess::execute("/usr/bin/python3", {"-c", "import openpyxl"}) != 0) GTEST_SKIP() << "no openpyxl";
  reports::YearReport year;
  year.Form_Load();
  year.cmdShow_Click();
  // Two product rows, then the total row: the label under the quantities, the total under the values.
  // Codes stay text with their zeros; quantities and values are numbers.
  EXPECT_EQ(
      exportAndReadBack(year).join(' ').toStdString(),
      "1,1:'0012' 1,2:'Mineral water' 1,3:112 1,4:1070 1,6:'bottle' 2,1:'B7' 2,2:'Rye bread' 2,3:5 2,4:225 "
      "2,6:'loaf' 3,3:'Total' 3,4:1295");

  // The category view shows one category's rows: the total beside them is theirs, not the year's;
  // the next show brings the year's total back.
  year.ComCate->setCurrentIndex(year.ComCate->findText(QStringLiteral("B"), Qt::MatchStartsWith));
  ASSERT_GE(year.ComCate->currentIndex(), 0);
  year.ComCate_Click();
  EXPECT_EQ(exportAndReadBack(year).join(' ').toStdString(),
            "1,1:'Rye bread' 1,2:5 1,3:225 2,3:'Total' 2,4:225");
  year.cmdShow_Click();
  EXPECT_TRUE(exportAndReadBack(year).contains(QStringLiteral("3,4:1295")));
}

}  // namespace
