// The bill list reached from the main window as the owner and as a cashier would: sales posted by
// the sale posting, the list of the day, a cancellation giving the stock back.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "data/db.h"
#include "platform/clock.h"
#include "platform/form.h"
#include "reports/bill_form.h"
#include "reports/register.h"
#include "sale/posting.h"
#include "shell/login.h"
#include "shell/program.h"
#include "shell/security.h"
#include "support/sale_fixtures.h"
#include "support/sale_program.h"
#include "support/testenv.h"

namespace {

class BillListWalk : public salefx::ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    reports::registerForms();
  }
  // Logs in through the login window and opens the main window.
  void enter(const QString& name, const QString& password) {
    auto* login = new shell::frmLogin;
    login->Form_Load();
    login->show();
    bool handed = false;
    QObject::connect(login, &shell::frmLogin::succeeded, [&handed] { handed = true; });
    login->txtUserName->setText(name);
    login->txtPassword->setText(password);
    login->cmdOk_Click();
    if (!handed) delete login;
    testenv::pump();
    ASSERT_TRUE(handed) << dlg.texts().join('\n').toStdString();
    main = shell::openMainWindow();
    ASSERT_TRUE(main);
    main->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
  }
  reports::BillF* openList() {
    main->menuItem(QStringLiteral("MBill"))->trigger();
    testenv::pump(20);
    return static_cast<reports::BillF*>(plat::FormRegistry::instance().loaded(QStringLiteral("BillF")));
  }
  static qint64 sell(const QString& code, double quantity, double price, double received) {
    sale::Posting p;
    p.employee = QStringLiteral("Admin");
    p.received = received;
    p.lines.push_back({code, quantity, price, QStringLiteral("10:15:00")});
    return sale::postBill(p, plat::today(), false);
  }
};

TEST_F(BillListWalk, TheOwnerListsTheDayAndCancelsABill) {
  ASSERT_NO_FATAL_FAILURE(enter(QStringLiteral("Admin"), QStringLiteral("admin")));
  salefx::addProduct("4711", "Green Tea", 35, 10);
  salefx::addLot("4711", "2024-03-01", "0001", 20);
  ASSERT_EQ(sell("4711", 2, 35, 100), 1);
  ASSERT_EQ(sell("4711", 3, 35, 200), 2);
  ASSERT_EQ(salefx::stockOf("4711"), 5);

  reports::BillF* f = openList();
  ASSERT_TRUE(f);
  EXPECT_TRUE(f->isVisible());
  // The permission came from the session: the sale screen was not loaded for it.
  EXPECT_EQ(plat::FormRegistry::instance().loaded(QStringLiteral("MainForm")), nullptr);
  EXPECT_TRUE(f->txtDate->isEnabled());
  EXPECT_FALSE(f->Del->isHidden());
  f->cmdShow->click();
  EXPECT_EQ(f->lines().last(), "\tVat 7%          \t11.45");  // the day total 175.00
  EXPECT_TRUE(f->lines().contains("\tToday Total\t175.00"));

  f->txtInvNo->setText("2");
  dlg.answerYes();
  f->cmdDel->click();
  EXPECT_EQ(salefx::stockOf("4711"), 8);
  EXPECT_EQ(f->lines().last(), "\t x x x C  a  n  c  e  l x x x ");
  f->txtInvNo->clear();
  f->cmdShow->click();
  EXPECT_TRUE(f->lines().contains("\tToday Total\t70.00"));
}

TEST_F(BillListWalk, ACashierSeesTodayOnlyAndCannotDeleteIt) {
  testenv::openFreshDb();
  shell::users::add(data::Conn(), QStringLiteral("Cashier"), QStringLiteral("c1"));
  data::Conn().close();
  ASSERT_NO_FATAL_FAILURE(enter(QStringLiteral("Cashier"), QStringLiteral("c1")));
  reports::BillF* f = openList();
  ASSERT_TRUE(f);
  EXPECT_FALSE(f->txtDate->isEnabled());
  EXPECT_TRUE(f->Del->isHidden());
  EXPECT_EQ(f->txtDate->text(), plat::today().toString("dd/MM/yyyy"));
  EXPECT_EQ(plat::FormRegistry::instance().loaded(QStringLiteral("MainForm")), nullptr);
}

}  // namespace
