// The stock value list printed through the real print server (the private cupsd's cups-pdf queue
// "ReportPrinter", read back with pdftotext) and exported to a workbook read back with openpyxl.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QDateTime>
#include <QFile>
#include <QProcess>

#include "data/db.h"
#include "platform/dialogs.h"
#include "platform/form.h"
#include "reportkit/grid_export.h"
#include "shell/settings.h"
#include "stock/register.h"
#include "stock/stockf.h"
#include "support/print_fixtures.h"
#include "support/scripted_dialogs.h"
#include "support/testenv.h"

namespace {

using data::Conn;

class StockValueE2E : public testenv::DbTest {
 protected:
  void SetUp() override {
    DbTest::SetUp();
    stock::registerForms();
    tag = QStringLiteral("T%1").arg(QDateTime::currentMSecsSinceEpoch() % 100000000 * 100 + getpid() % 100);
    auto& s = shell::settings();
    s.ReportPrinter = QStringLiteral("ReportPrinter");
    s.ReportFontSize = shell::SettingValue::ofNumber(10);
    s.ComName = shell::SettingValue::ofText(QStringLiteral("Corner Shop"));
    Conn().exec("INSERT INTO Category VALUES ('01', 'Drinks')");
    Conn().exec("INSERT INTO Product VALUES ('00123', 'Green tea', 12.5, 0, 0, 1500, '01', 'box', 5)");
    Conn().exec("INSERT INTO Product VALUES ('8851234567890', ?, 30, 0, 0, 4, '01', 'can', 5)",
                {QStringLiteral("Soda ") + tag});
    Conn().exec(
        "INSERT INTO Buy (PId, BuyDate, BuyTime, BQuantity, BPrice, BuyId, RemainQ, SupplierID) VALUES "
        "('00123', '2024-01-01', '09:00:00', 5, 10.25, '1', 5, 'S1'), "
        "('8851234567890', '2024-01-02', '09:00:00', 5, 20, '1', 5, 'S1')");
  }
  void TearDown() override {
    plat::FormRegistry::instance().unloadAll();
    testenv::pump();
    reportkit::setExportFolder(QString());
    reportkit::setWorkbookOpener(nullptr);
    DbTest::TearDown();
    shell::settings() = shell::ShopSettings{};
  }
  QString tag;
  plat::ScriptedDialogs dialogs;
};

TEST_F(StockValueE2E, PrintedToThePdfQueue) {
  if (qEnvironmentVariableIsEmpty("CUPS_SERVER"))
    GTEST_SKIP() << "no private print server (CUPS_SERVER unset)";
  auto* f = qobject_cast<stock::StockF*>(plat::FormRegistry::instance().form(QStringLiteral("StockF")));
  ASSERT_TRUE(f);
  f->cmdValue_Click();
  f->setWindowTitle(QStringLiteral("Stock ") + tag);  // the job's name, so this run finds its own PDF
  const QSet<QString> before = printfix::pdfsNow();
  f->cmdPrint_Click();
  EXPECT_TRUE(dialogs.shown.empty()) << dialogs.texts().join('\n').toStdString();

  QString text;
  const QString pdf = printfix::waitForPdf(before, tag, QStringLiteral("80.00"), &text);
  ASSERT_FALSE(pdf.isEmpty()) << "no PDF in " << printfix::pdfFolders().join(", ").toStdString();
  for (const char* s : {"Corner Shop", "Total Product Cost 15,455.00", "Product Cost on", "00123",
                        "Green tea", "10.25", "1,500", "15,375.00", "8851234567890", "20.00"})
    EXPECT_TRUE(text.contains(QString::fromUtf8(s))) << s << "\n" << text.toStdString();
  QFile::remove(pdf);
}

TEST_F(StockValueE2E, ExportedWorkbookKeepsCodesAsTextAndNumbersAsNumbers) {
  if (QProcess::execute("/usr/bin/python3", {"-c", "import openpyxl"}) != 0)
    GTEST_SKIP() << "no python3-openpyxl";
  reportkit::setExportFolder(testenv::tempDir());
  QString path;
  reportkit::setWorkbookOpener([&](const QString& p) {
    path = p;
    return true;
  });
  auto* f = qobject_cast<stock::StockF*>(plat::FormRegistry::instance().form(QStringLiteral("StockF")));
  f->cmdValue_Click();
  f->cmdExcel_Click();
  ASSERT_FALSE(path.isEmpty());
  QProcess p;
  p.start("/usr/bin/python3",
          {"-c",
           "import sys, openpyxl\n"
           "ws = openpyxl.load_workbook(sys.argv[1]).active\n"
           "for row in ws.iter_rows(values_only=True): print('|'.join(repr(v) for v in row))\n",
           path});
  ASSERT_TRUE(p.waitForFinished(60000));
  const QStringList lines = QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 2) << p.readAllStandardError().toStdString();
  EXPECT_EQ(lines[0].toStdString(), "'00123'|'Green tea'|10.25|1500|15375");
  EXPECT_EQ(lines[1].toStdString(),
            QStringLiteral("'8851234567890'|'Soda %1'|20|4|80").arg(tag).toStdString());
}

}  // namespace
