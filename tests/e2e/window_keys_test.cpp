// The keyboard on the main road, in the real main window with its menu bar: Alt+R and Alt+F
// press Receive and Finish while the sale screen holds the keys, the menus keep those letters in
// other windows, and a purchase is received with keys alone.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QTest>

#include "data/db.h"
#include "platform/form.h"
#include "purchase/buy_form.h"
#include "purchase/register.h"
#include "sale/main_form.h"
#include "shell/mainwindow.h"
#include "shell/program.h"
#include "shell/settings.h"
#include "support/sale_fixtures.h"
#include "support/sale_program.h"
#include "support/testenv.h"

namespace {

class WindowKeys : public salefx::ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    purchase::registerForms();
    ASSERT_TRUE(logIn());
    main = shell::openMainWindow();
    ASSERT_TRUE(main);
    shell::settings().PrintType = 6;  // no receipt
    main->resize(1280, 1000);
    main->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
    QMenu* file = main->menuItem(QStringLiteral("MeFile"))->menu();
    QMenu* report = main->menuItem(QStringLiteral("MRep"))->menu();
    ASSERT_TRUE(file && report);
    QObject::connect(file, &QMenu::aboutToShow, [this] { menus << "File"; });
    QObject::connect(report, &QMenu::aboutToShow, [this] { menus << "Report"; });
  }
  void TearDown() override {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* m = qobject_cast<QMenu*>(w)) m->close();
    ProgramTest::TearDown();
  }
  // A key pressed where the keyboard is.
  static void press(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QWidget* at = QApplication::focusWidget();
    ASSERT_TRUE(at);
    QTest::keyClick(at, key, mods);
    testenv::pump(150);
  }
  QStringList menus;
};

TEST_F(WindowKeys, AltRAndAltFPressReceiveAndFinishOnTheSaleScreenOnly) {
  salefx::addProduct("4711", "Green Tea", 10, 100);
  salefx::addLot("4711", "2024-03-03", "0001", 20);
  main->menuItem(QStringLiteral("MeCashier"))->trigger();  // F2
  testenv::pump(30);
  auto* f = static_cast<sale::MainForm*>(plat::FormRegistry::instance().loaded(QStringLiteral("MainForm")));
  ASSERT_TRUE(f);
  ASSERT_TRUE(f->txtBar->hasFocus());
  QTest::keyClicks(f->txtBar, "2*4711");
  press(Qt::Key_Return);
  ASSERT_EQ(f->LineCount(), 1);

  press(Qt::Key_R, Qt::AltModifier);  // Receive
  ASSERT_TRUE(f->txtPay->hasFocus());
  QTest::keyClicks(f->txtPay, "50");
  press(Qt::Key_F, Qt::AltModifier);  // Finish stays disabled until the amount is entered
  EXPECT_TRUE(dlg.texts().isEmpty());
  press(Qt::Key_Return);
  f->txtPay->setFocus();
  press(Qt::Key_F, Qt::AltModifier);  // Finish
  EXPECT_EQ(dlg.texts(), QStringList{"Finish"});
  EXPECT_EQ(salefx::sellRows(), 1);
  EXPECT_EQ(salefx::stockOf("4711"), 98);
  EXPECT_TRUE(menus.isEmpty());

  // Finish is disabled between sales: its letter still belongs to the sale screen.
  dlg.clear();
  press(Qt::Key_F, Qt::AltModifier);
  EXPECT_TRUE(dlg.texts().isEmpty());
  EXPECT_TRUE(menus.isEmpty());

  // In a window without those letters, the main window's menus have them.
  main->menuItem(QStringLiteral("MDoBuy"))->trigger();  // F3
  testenv::pump(30);
  ASSERT_TRUE(plat::formOf(QApplication::focusWidget()) ==
              plat::FormRegistry::instance().loaded(QStringLiteral("BuyForm")));
  press(Qt::Key_R, Qt::AltModifier);
  EXPECT_EQ(menus, QStringList{"Report"});
}

}  // namespace
