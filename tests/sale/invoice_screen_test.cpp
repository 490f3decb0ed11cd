// The sale screen's invoices: Finish prints the one its print type chooses with the customer the
// posting emptied from the boxes, the Tax Invoice button prints the sale on screen unposted, and
// the two-up invoice takes the next bill number.
#include <gtest/gtest.h>

#include <QApplication>

#include "data/db.h"
#include "platform/dialogs.h"
#include "platform/print_surface_qt.h"
#include "sale/main_form.h"
#include "sale/register.h"
#include "shell/session.h"
#include "shell/settings.h"
#include "support/recording_print.h"
#include "support/sale_fixtures.h"
#include "support/scripted_dialogs.h"
#include "support/testenv.h"

namespace {

using sale::MainForm;
using shell::SettingValue;

class InvoiceScreen : public testenv::DbTest {
 protected:
  void SetUp() override {
    DbTest::SetUp();
    auto& s = shell::settings();
    s.DisplayPort = SettingValue::ofNumber(0);
    s.DrawerPort = SettingValue::ofNumber(0);
    s.PrintType = 6;
    s.VatRate = 7;
    s.FontName = QStringLiteral("DejaVu Sans");
    s.BillFontSize = 10;
    s.ComName = SettingValue::ofText(QStringLiteral("Corner Shop"));
    shell::session().userName = QStringLiteral("somchai");
    sale::registerForms();
    salefx::addProduct("4711", "Green Tea", 10, 100, 2);
    salefx::addProduct("AB1", "Rice 5 kg", 1250, 50, 0);
    salefx::addLot("4711", "2024-03-03", "0001", 50);
    salefx::addLot("AB1", "2024-03-01", "0001", 10);
    salefx::addCustomer("C1", "Alpha Co.", "Khun Alpha", "02-111", 1);
    plat::setCurrentPrinter(QStringLiteral("BillPrinter"));
  }
  void TearDown() override {
    plat::FormRegistry::instance().unloadAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    shell::settings() = shell::ShopSettings{};
    DbTest::TearDown();
  }
  bool open() {
    f = static_cast<MainForm*>(plat::FormRegistry::instance().form(QStringLiteral("MainForm")));
    if (!f) return false;
    f->show();
    QApplication::setActiveWindow(f);
    return true;
  }
  void enter(const QString& text) {
    f->txtBar->setText(text);
    int k = 13;
    f->txtBar_KeyPress(k);
  }
  void customer(const QString& id) {
    f->txtCus->setText(id);
    int k = 13;
    f->txtCus_KeyPress(k);
  }
  void pay(const QString& amount) {
    f->cmdPay_Click();
    f->txtPay->setText(amount);
    int k = 13;
    f->txtPay_KeyPress(k);
  }
  static void addSale(const QString& isoDate, qint64 billNo) {
    data::Conn().exec(
        "INSERT INTO Sell (PID, SellTime, SellDate, BuyDate, BuyId, SQuantity, SPrice, Comment, Employee, "
        "Recieve) VALUES ('4711', '08:00:00', ?, '2024-01-01', '1', 1, 1, ?, 'Ann', 1)",
        {isoDate, billNo});
  }
  QString lastJobText() const {
    return printers.jobs.empty() ? QString() : printers.jobs.back().surface->texts().join('|');
  }

  plat::ScriptedDialogs dlg;
  plat::FakePrinters printers{{QStringLiteral("BillPrinter"), QStringLiteral("PDF")}};
  MainForm* f = nullptr;
};

TEST_F(InvoiceScreen, FinishPrintsTheInvoiceOfItsPrintTypeWithTheCustomerOfTheSale) {
  struct Case {
    int printType;
    const char* customer;
    const char* number;
  } cases[] = {{3, "CUSTOMER  Alpha Co.", "No  0000000001"},
               {4, "Alpha Co.", "    0000000002"},
               {5, "CUSTOMER   Alpha Co.", "No.  0000000003"}};
  ASSERT_TRUE(open());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.printType);
    shell::settings().PrintType = static_cast<qint16>(c.printType);
    dlg.clear();
    customer("C1");
    enter("3*4711");
    enter("AB1");
    pay("1300");
    dlg.answerPrint(QStringLiteral("PDF"));
    f->cmdReceive_Click();
    // The print dialog, then Finish; the customer boxes were emptied before printing.
    EXPECT_EQ(dlg.texts(), (QStringList{"", "Finish"}));
    ASSERT_FALSE(printers.jobs.empty());
    EXPECT_EQ(printers.jobs.back().printer, "PDF");
    const auto& s = *printers.jobs.back().surface;
    EXPECT_TRUE(s.find(QString::fromUtf8(c.customer))) << lastJobText().toStdString();
    EXPECT_TRUE(s.find(QString::fromUtf8(c.number))) << lastJobText().toStdString();
    EXPECT_TRUE(s.find("Khun Alpha"));
    EXPECT_TRUE(s.find("pcs"));
    EXPECT_TRUE(s.find("1,280.00"));  // the total
    EXPECT_TRUE(s.find("20.00"));     // the change
    EXPECT_EQ(s.ops.back().kind, plat::RecordingSurface::Op::EndDoc);
    EXPECT_EQ(f->LineCount(), 0);
  }
  EXPECT_EQ(plat::currentPrinter(), "PDF");
  EXPECT_EQ(salefx::sellRows(), 6);
}

TEST_F(InvoiceScreen, TaxInvoiceBeforeFinishPrintsTheSaleOnScreenWithoutANumber) {
  ASSERT_TRUE(open());
  enter("4711");
  pay("10");
  f->cmdReceive_Click();  // posts bill 1, prints nothing (type 6)
  ASSERT_EQ(f->CurBillNo(), "0000000001");

  enter("2*AB1");
  pay("3000");
  ASSERT_TRUE(f->cmdBillInvoid->isEnabled());
  f->txtTotal->setText("2500");
  dlg.clear();
  dlg.answerPrint(QStringLiteral("PDF"));
  f->cmdBillInvoid->click();
  ASSERT_EQ(printers.jobs.size(), 1u);
  const auto& s = *printers.jobs.back().surface;
  EXPECT_TRUE(s.find("No  ")) << lastJobText().toStdString();
  EXPECT_FALSE(lastJobText().contains("0000000001"));
  EXPECT_TRUE(s.find(" Rice 5 kg"));
  EXPECT_TRUE(s.find("2,500.00"));
  EXPECT_EQ(printers.jobs.back().docName, "Invoice");
  EXPECT_EQ(f->txtTotal->text(), "2,500.00");
  EXPECT_EQ(f->txtTax->text(), "163.55");
  EXPECT_FALSE(f->cmdBillInvoid->isEnabled());
  EXPECT_TRUE(f->cmdReceive->hasFocus());
  EXPECT_EQ(dlg.texts(), QStringList{""});
  EXPECT_EQ(salefx::sellRows(), 1);  // nothing posted
  EXPECT_EQ(f->LineCount(), 1);

  // Cancel: nothing printed, nothing said, the button stays disabled.
  pay("3000");
  ASSERT_TRUE(f->cmdBillInvoid->isEnabled());
  dlg.clear();
  f->cmdBillInvoid_Click();
  EXPECT_EQ(printers.jobs.size(), 1u);
  EXPECT_EQ(dlg.texts(), QStringList{""});
  EXPECT_FALSE(f->cmdBillInvoid->isEnabled());
}

TEST_F(InvoiceScreen, TheTwoUpInvoiceTakesTheNextBillNumberWithoutReservingIt) {
  struct Case {
    const char* name;
    std::vector<std::pair<const char*, qint64>> sales;  // SellDate, Comment
    bool continuous;
    const char* number;
  } cases[] = {
      {"no sales", {}, false, "1"},
      {"after 2781", {{"2024-03-15", 2781}}, false, "2782"},
      {"past the 16-bit range", {{"2024-03-15", 40000}}, true, "40001"},
      {"per day, other dates ignored", {{"2024-03-14", 900}, {"2024-03-15", 5}}, false, "6"},
      {"over all days", {{"2024-03-14", 900}, {"2024-03-15", 5}}, true, "901"},
  };
  ASSERT_TRUE(open());
  enter("4711");
  pay("10");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    data::Conn().exec("DELETE FROM Sell");
    for (const auto& [date, no] : c.sales) addSale(QString::fromLatin1(date), no);
    shell::settings().BillNoContinue = c.continuous;
    printers.jobs.clear();
    dlg.answerPrint(QStringLiteral("PDF"));
    f->BillInvoidA6();
    ASSERT_EQ(printers.jobs.size(), 1u);
    const auto& s = *printers.jobs.back().surface;
    // Title (empty here), label and number as one text, on both copies.
    EXPECT_EQ(s.texts().count(QStringLiteral("No. ") + c.number), 2) << lastJobText().toStdString();
    EXPECT_EQ(f->CurBillNo(), c.number);
    EXPECT_EQ(salefx::sellRows(), static_cast<int>(c.sales.size()));
  }
  // Not reserved: the next run gives the same number again.
  dlg.answerPrint(QStringLiteral("PDF"));
  f->BillInvoidA6();
  EXPECT_EQ(f->CurBillNo(), "901");
}

}  // namespace
