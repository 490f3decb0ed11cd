// Printing when the print server's queues are gone: a private cupsd of this test's own (the shared
// one keeps its queues for the other tests), whose queues are removed with lpadmin -x. The user is
// told in the shop's language what was not printed and why; the sale is posted whatever happens.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QProcess>

#include "data/db.h"
#include "platform/dialogs.h"
#include "platform/flexgrid.h"
#include "platform/print_surface_qt.h"
#include "reportkit/report_print.h"
#include "sale/main_form.h"
#include "sale/register.h"
#include "shell/session.h"
#include "shell/settings.h"
#include "support/sale_fixtures.h"
#include "support/sale_screen_test.h"
#include "support/scripted_dialogs.h"
#include "support/testenv.h"

namespace {

using shell::SettingValue;

// This process's print server: started before the first look at the printers, so every CUPS call
// of the process goes to it.
class OwnPrintServer : public ::testing::Environment {
 public:
  void SetUp() override {
    dir_ = QStringLiteral("/tmp/pos-noprinter-%1").arg(getpid());
    const QString out = script(QStringLiteral("start"));
    const QString socket = out.trimmed().section(QLatin1Char('\n'), -1);
    if (!socket.endsWith(QLatin1String("cups.sock"))) return;
    qputenv("CUPS_SERVER", socket.toLocal8Bit());
    started_ = true;
  }
  void TearDown() override {
    if (dir_.isEmpty()) return;
    script(QStringLiteral("stop"));
    QDir(dir_).removeRecursively();
  }
  static bool started() { return started_; }

 private:
  QString script(const QString& cmd) {
    QProcess p;
    p.start(qEnvironmentVariable("POS_SOURCE_DIR") + QStringLiteral("/scripts/private-cups.sh"), {cmd, dir_});
    if (!p.waitForFinished(60000) || p.exitCode() != 0) return {};
    return QString::fromLocal8Bit(p.readAllStandardOutput());
  }
  QString dir_;
  static inline bool started_ = false;
};
[[maybe_unused]] const auto* const kServer = ::testing::AddGlobalTestEnvironment(new OwnPrintServer);

bool removeQueue(const QString& name) {
  return QProcess::execute(QStringLiteral("/usr/sbin/lpadmin"), {QStringLiteral("-x"), name}) == 0;
}

class NoPrinter : public salefx::SaleScreenTest {
 protected:
  void SetUp() override {
    if (!OwnPrintServer::started()) GTEST_SKIP() << "no print server of this test's own could be started";
    DbTest::SetUp();
    auto& s = shell::settings();
    s.DisplayPort = SettingValue::ofNumber(0);
    s.DrawerPort = SettingValue::ofNumber(0);
    s.VatRate = 7;
    s.FontName = QStringLiteral("DejaVu Sans");
    s.BillPrinter = SettingValue::ofText(QStringLiteral("BillPrinter"));
    s.PrintType = 3;  // the A4 invoice at Finish
    shell::session().userName = QStringLiteral("Admin");
    sale::registerForms();
    salefx::addProduct(QStringLiteral("P01"), QStringLiteral("Green Tea"), 35, 100);
    salefx::addLot(QStringLiteral("P01"), "2024-03-01", "0001", 100);
    openSaleScreen();
  }
  // One product rung up and paid, then Finish.
  void sellOne() {
    f->txtBar->setText(QStringLiteral("P01"));
    int k = 13;
    f->txtBar_KeyPress(k);
    f->cmdPay_Click();
    f->txtPay->setText(QStringLiteral("100"));
    k = 13;
    f->txtPay_KeyPress(k);
    f->cmdReceive_Click();
  }
  reportkit::PrintOutcome printReport(reportkit::PrinterChoice choice) {
    plat::FlexGrid grid;
    grid.setCols(1);
    grid.setRows(1);
    grid.setTextMatrix(0, 0, QStringLiteral("row"));
    reportkit::ReportPrint report;
    report.docName = QStringLiteral("No printer report");
    report.printer = choice;
    report.columns = {{0, reportkit::Align::Left, 400}};
    return reportkit::printReport(report, grid, 1);
  }

  plat::ScriptedDialogs dlg;
};

// A report sent to a queue that was removed, and with no queue left at all: the reason in the
// shop's language. With every queue gone the invoice of a sale finished opens no print dialog: the
// cashier reads that nothing was printed, which bill printer is missing and where the sale can be
// printed again; the sale is posted.
TEST_F(NoPrinter, TheUserIsToldWhatWasNotPrintedInTheirLanguage) {
  ASSERT_TRUE(plat::installedPrinterNames().contains(QStringLiteral("BillPrinter")));
  ASSERT_TRUE(removeQueue(QStringLiteral("BillPrinter")));
  struct Case {
    bool thai;
    const char* removedQueue;  // the report on the printer that was current
    const char* noneLeft;      // the same with no printer left
    const char* invoice;       // Finish with no printer left
  } cases[] = {
      {false, "The report could not be printed.\nNo printer named BillPrinter is installed",
       "The report could not be printed.\nNo printer is installed",
       "Nothing was printed: no printer is installed. The bill printer BillPrinter is missing.\nA finished "
       "sale is kept: once the bill printer is installed, print it again from Bill Detail (F6)."},
      {true, "พิมพ์รายงานไม่ได้\nไม่พบเครื่องพิมพ์ชื่อ BillPrinter ในเครื่องนี้", "พิมพ์รายงานไม่ได้\nไม่มีเครื่องพิมพ์ติดตั้งอยู่ในเครื่องนี้",
       "ไม่ได้พิมพ์ เพราะไม่มีเครื่องพิมพ์ติดตั้งอยู่ในเครื่องนี้ ไม่พบเครื่องพิมพ์ใบเสร็จ BillPrinter\n"
       "การขายที่จบแล้วถูกบันทึกไว้ครบ เมื่อติดตั้งเครื่องพิมพ์ใบเสร็จแล้ว พิมพ์ใหม่ได้จากเมนู สรุป/ยกเลิกบิล (F6)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.thai ? "Thai" : "English");
    shell::settings().LangThai = c.thai;
    if (!plat::installedPrinterNames().contains(QStringLiteral("ReportPrinter"))) {
      ASSERT_EQ(
          QProcess::execute(QStringLiteral("/usr/sbin/lpadmin"),
                            {"-p", "ReportPrinter", "-E", "-v", "cups-pdf:/", "-P",
                             qEnvironmentVariable("CUPS_SERVER").section('/', 0, -2) + "/cups-pdf.ppd"}),
          0);
    }

    // The bill printer, current since the last print dialog, removed; another queue is left.
    dlg.clear();
    plat::setCurrentPrinter(QStringLiteral("BillPrinter"));
    EXPECT_EQ(printReport(reportkit::PrinterChoice::CurrentPrinter), reportkit::PrintOutcome::Failed);
    EXPECT_EQ(dlg.texts(), QStringList{QString::fromUtf8(c.removedQueue)});

    // Every queue gone, and no printer current.
    ASSERT_TRUE(removeQueue(QStringLiteral("ReportPrinter")));
    ASSERT_TRUE(plat::installedPrinterNames().isEmpty());
    dlg.clear();
    plat::setCurrentPrinter(QString());
    EXPECT_EQ(printReport(reportkit::PrinterChoice::CurrentPrinter), reportkit::PrintOutcome::Failed);
    EXPECT_EQ(dlg.texts(), QStringList{QString::fromUtf8(c.noneLeft)});

    // A sale finished with its A4 invoice: no dialog, one warning, the sale posted.
    const int sold = salefx::sellRows();
    dlg.clear();
    dlg.preselected.clear();
    dlg.answerPrint(QStringLiteral("BillPrinter"));
    sellOne();
    EXPECT_TRUE(dlg.preselected.isEmpty()) << dlg.preselected.join('|').toStdString();
    EXPECT_EQ(dlg.texts(), (QStringList{QString::fromUtf8(c.invoice), c.thai ? "เริ่มใหม่" : "Finish"}));
    ASSERT_FALSE(dlg.shown.empty());
    EXPECT_EQ(dlg.shown[0].icon, plat::Icon::Warning);
    EXPECT_EQ(salefx::sellRows(), sold + 1);
    dlg.prints.clear();
  }
}

}  // namespace
