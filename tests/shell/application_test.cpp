// The program's application object: a failure that no event procedure caught reaches a message box
// in the user's language, and the program runs on. This test has its own main, since it needs the
// program's application object rather than the plain one of the other tests.
#include "shell/application.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>
#include <stdexcept>

#include "platform/dialogs.h"
#include "shell/mainwindow.h"
#include "shell/session.h"
#include "shell/settings.h"
#include "shell_helpers.h"
#include "support/scripted_dialogs.h"
#include "support/testenv.h"

using namespace shelltest;

namespace {

class UncaughtTest : public ::testing::Test {
 protected:
  void SetUp() override {
    shell::settings() = shell::ShopSettings{};
    shell::session() = shell::Session{};
  }
  void TearDown() override { shell::settings() = shell::ShopSettings{}; }
  plat::ScriptedDialogs dlg;
};

TEST_F(UncaughtTest, AFailureInAnEventIsShownInTheUsersLanguageAndTheLoopRunsOn) {
  struct Case {
    bool thai;
    std::function<void()> fail;
    QString shown;
  };
  const Case cases[] = {
      {false, [] { throw data::DbError(QStringLiteral("database is locked")); }, "Error: database is locked"},
      {true, [] { throw data::DbError(QStringLiteral("database is locked")); },
       QStringLiteral("เกิดข้อผิดพลาด: database is locked")},
      {false, [] { throw std::runtime_error("out of paper"); }, "Error: out of paper"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.shown.toStdString());
    dlg.clear();
    shell::settings().LangThai = c.thai;
    bool later = false;
    QTimer::singleShot(0, qApp, c.fail);
    QTimer::singleShot(5, qApp, [&later] { later = true; });
    QTRY_VERIFY_WITH_TIMEOUT(later, 2000);
    EXPECT_EQ(dlg.texts(), QStringList{c.shown});
  }
}

TEST_F(UncaughtTest, AMenuKeyWhoseWindowFailsToLoadLeavesTheMainWindowRunning) {
  testenv::freshInstallation();
  registerFakes({"BillF"});
  QString e;
  ASSERT_TRUE(shell::readSettings18(shell::settings(), &e)) << e.toStdString();
  shell::session().userName = QStringLiteral("Admin");
  shell::session().permission = 0;
  auto w = std::make_unique<shell::MHarvelmoquin>();
  ASSERT_TRUE(w->MDIForm_Load(&e)) << e.toStdString();
  w->show();
  w->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));

  FakeForm::failing() = {"BillF"};
  QTest::keyClick(w.get(), Qt::Key_F6);  // Bill Detail, whose menu procedure catches nothing
  EXPECT_EQ(dlg.texts(), QStringList{"Error: load failed"});
  EXPECT_EQ(plat::FormRegistry::instance().loaded("BillF"), nullptr);
  EXPECT_FALSE(w->isUnloaded());

  FakeForm::failing().clear();
  QTest::keyClick(w.get(), Qt::Key_F6);
  EXPECT_NE(plat::FormRegistry::instance().loaded("BillF"), nullptr);
  plat::FormRegistry::instance().unloadAll();
  w.reset();
  testenv::pump();
  data::Conn().close();
}

}  // namespace

int main(int argc, char** argv) {
  static QTemporaryDir home;
  qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  shell::PosApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return testenv::runAllTests();
}
