// The login window: its own connection, the user table check, texts, focus and keys.
#include "shell/login.h"

#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QPointer>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

#include "platform/dialogs.h"
#include "platform/files.h"
#include "shell/security.h"
#include "shell/session.h"
#include "shell/settings.h"
#include "shell_helpers.h"
#include "support/scripted_dialogs.h"
#include "support/testenv.h"

using shell::frmLogin;
using namespace shelltest;

namespace {

class LoginTest : public ::testing::Test {
 protected:
  void SetUp() override {
    shell::settings() = shell::ShopSettings{};
    shell::session() = shell::Session{};
    testenv::freshInstallation();
    data::Db db;
    db.open(plat::installPath(QStringLiteral("Kelvantorium.db")));
    insertUser(db, QStringLiteral("admin"), shell::hashPassword(QStringLiteral("Secret")), 1);
    insertUser(db, QStringLiteral("bob"), QStringLiteral("pw"), 2);  // a row from the old database
    insertUser(db, QStringLiteral("carol"), QVariant(), 2);
    ASSERT_TRUE(
        db.scalar(QStringLiteral("SELECT Password IS NULL FROM Security WHERE UserName = 'carol'")).toBool());
    insertUser(db, QStringLiteral("o'neil"), shell::hashPassword(QStringLiteral("x'y")), 1);
    insertUser(db, QStringLiteral("dave"), shell::hashPassword(QStringLiteral("d")), 300);
    insertUser(db, QStringLiteral("ผู้ขาย"), shell::hashPassword(QStringLiteral("ขาย")), 2);
  }
  void TearDown() override {
    delete login.data();
    shell::settings() = shell::ShopSettings{};
    shell::session() = shell::Session{};
  }
  frmLogin* load() {
    login = new frmLogin;
    login->Form_Load();
    login->show();
    return login;
  }

  plat::ScriptedDialogs dlg;
  QPointer<frmLogin> login;
};

TEST_F(LoginTest, StoredUsersByTypedNameAndPassword) {
  enum Want { Ok, Unknown, Retry, Nothing };
  struct Case {
    QString name, password;
    Want want;
    int level;
  };
  const Case cases[] = {
      {"Admin", "admin", Ok, 0},
      {"ADMIN", "admin", Unknown, 0},  // names match exactly
      {"Admin ", "admin", Unknown, 0},
      {"Admin", "Admin", Retry, 0},  // passwords too
      {"Admin", "", Retry, 0},
      {"admin", "Secret", Ok, 1},
      {"admin", "admin", Retry, 0},
      {"bob", "pw", Ok, 2},  // plain text row, accepted once and rewritten
      {"bob", "PW", Retry, 0},
      {"carol", "", Retry, 0},   // an empty password never matches a NULL one
      {"o'neil", "x'y", Ok, 1},  // a quote in the name or password is just a character
      {"o'neil", "x", Retry, 0},
      {"' OR ''='", "x", Unknown, 0},
      {"", "", Unknown, 0},
      {"dave", "d", Nothing, 0},  // level 300 is not a level
      {"ผู้ขาย", "ขาย", Ok, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE((c.name + " / " + c.password).toStdString());
    dlg.clear();
    shell::session() = shell::Session{};
    frmLogin* f = load();
    QSignalSpy ok(f, &frmLogin::succeeded);
    f->txtUserName->setText(c.name);
    f->txtPassword->setText(c.password);
    f->cmdOk_Click();
    switch (c.want) {
      case Ok:
        EXPECT_TRUE(dlg.shown.empty());
        EXPECT_EQ(ok.count(), 1);
        EXPECT_TRUE(f->LoginSucceeded);
        EXPECT_FALSE(f->isVisible());
        EXPECT_EQ(shell::session().userName, c.name);
        EXPECT_EQ(shell::session().permission, c.level);
        EXPECT_FALSE(f->loginConn().isOpen());  // unloaded: its connection is closed
        break;
      case Unknown:
        ASSERT_EQ(dlg.shown.size(), 1u);
        EXPECT_EQ(dlg.shown[0].text, QStringLiteral("Invalid Password"));
        EXPECT_TRUE(dlg.shown[0].title.isEmpty());
        EXPECT_EQ(ok.count(), 0);
        EXPECT_EQ(f->txtUserName->text(), c.name);
        EXPECT_EQ(f->txtPassword->text(), c.password);
        break;
      case Retry:
        ASSERT_EQ(dlg.shown.size(), 1u);
        EXPECT_EQ(dlg.shown[0].text, QStringLiteral("Invalid Password, try again!"));
        EXPECT_EQ(dlg.shown[0].title, QStringLiteral("Login"));
        EXPECT_EQ(ok.count(), 0);
        EXPECT_EQ(f->focusWidget(), f->txtPassword);
        EXPECT_EQ(f->txtPassword->selectedText(), c.password);
        EXPECT_EQ(f->txtUserName->text(), c.name);
        break;
      case Nothing:
        EXPECT_TRUE(dlg.shown.empty());
        EXPECT_EQ(ok.count(), 0);
        EXPECT_TRUE(f->isVisible());
        break;
    }
    delete login.data();
  }
}

TEST_F(LoginTest, APlainTextPasswordIsRewrittenAsAHashAtTheLogin) {
  frmLogin* f = load();
  f->txtUserName->setText(QStringLiteral("bob"));
  f->txtPassword->setText(QStringLiteral("pw"));
  f->cmdOk_Click();
  ASSERT_TRUE(f->LoginSucceeded);
  data::Db db;
  db.open(plat::installPath(QStringLiteral("Kelvantorium.db")));
  const QString stored = storedPassword(db, QStringLiteral("bob")).toString();
  EXPECT_TRUE(shell::isPasswordHash(stored));
  EXPECT_EQ(shell::matchPassword(stored, QStringLiteral("pw")), shell::PasswordMatch::Yes);
}

TEST_F(LoginTest, UsesItsOwnConnectionNotTheSharedOne) {
  data::Conn().close();
  frmLogin* f = load();
  EXPECT_TRUE(f->loginConn().isOpen());
  EXPECT_FALSE(data::Conn().isOpen());
  EXPECT_EQ(shell::settings().DbPath.toText(), plat::installPath(QStringLiteral("Kelvantorium.db")));
  EXPECT_EQ(f->windowTitle(), QStringLiteral("Login"));
  EXPECT_EQ(f->pos(), QPoint(0, 0));
  EXPECT_EQ(f->txtPassword->echoMode(), QLineEdit::Password);
}

TEST_F(LoginTest, EnterPressesOkAndEscapeCancels) {
  frmLogin* f = load();
  QSignalSpy ok(f, &frmLogin::succeeded);
  f->txtUserName->setText(QStringLiteral("Admin"));
  QTest::keyClick(f->txtUserName, Qt::Key_Return);
  EXPECT_EQ(dlg.lastMessage(), QStringLiteral("Invalid Password, try again!"));
  QTest::keyClicks(f->txtPassword, QStringLiteral("admin"));
  QTest::keyClick(f->txtPassword, Qt::Key_Enter);
  EXPECT_EQ(ok.count(), 1);

  frmLogin* g = load();
  QSignalSpy cancelled(g, &frmLogin::cancelled);
  QSignalSpy none(g, &frmLogin::succeeded);
  QTest::keyClick(g->txtPassword, Qt::Key_Escape);
  EXPECT_EQ(cancelled.count(), 1);
  EXPECT_EQ(none.count(), 0);
  EXPECT_FALSE(g->LoginSucceeded);
  EXPECT_FALSE(g->isVisible());
}

TEST_F(LoginTest, ClosingTheWindowCancels) {
  frmLogin* f = load();
  QSignalSpy cancelled(f, &frmLogin::cancelled);
  f->close();
  EXPECT_EQ(cancelled.count(), 1);
}

TEST_F(LoginTest, AMissingSettingsFileOrDatabaseIsShownAndOkThenDoesNothing) {
  struct Case {
    const char* what;
    std::function<void()> breakIt;
  };
  const Case cases[] = {
      {"no settings file", [] { QFile::remove(shell::settingsPath()); }},
      {"short settings file",
       [] { writeFile(shell::settingsPath(), QByteArrayLiteral("\"Shop\",\"a\",\"b\"\r\n")); }},
      {"no database", [] { QFile::remove(plat::installPath(QStringLiteral("Kelvantorium.db"))); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    testenv::freshInstallation();
    c.breakIt();
    dlg.clear();
    frmLogin* f = load();
    ASSERT_EQ(dlg.shown.size(), 1u);
    EXPECT_FALSE(dlg.lastMessage().isEmpty());
    EXPECT_FALSE(f->loginConn().isOpen());
    EXPECT_TRUE(f->isVisible());
    dlg.clear();
    f->txtUserName->setText(QStringLiteral("Admin"));
    f->txtPassword->setText(QStringLiteral("admin"));
    f->cmdOk_Click();
    EXPECT_TRUE(dlg.shown.empty());
    EXPECT_FALSE(f->LoginSucceeded);
    delete login.data();
  }
}

TEST_F(LoginTest, ADatabaseThatCannotBeWrittenIsToldAtTheLogin) {
  // A read-only copy of the database: a read-only mount for root (whom file modes do not stop),
  // read-only modes for anyone else.
  const QString dir = testenv::tempDir() + QStringLiteral("/readonly");
  const QString src = testenv::tempDir() + QStringLiteral("/source");
  QDir().mkpath(dir);
  QDir().mkpath(src);
  ASSERT_TRUE(QFile::copy(plat::installPath(QStringLiteral("Kelvantorium.db")), src + "/Kelvantorium.db"));
  struct Undo {
    QString dir;
    bool mounted = false;
    ~Undo() {
      if (mounted) QProcess::execute(QStringLiteral("umount"), {dir});
      QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
  } undo{dir};
  if (geteuid() == 0) {
    if (QProcess::execute(QStringLiteral("mount"), {"--bind", src, dir}) != 0)
      GTEST_SKIP() << "no bind mount here";
    undo.mounted = true;
    if (QProcess::execute(QStringLiteral("mount"), {"-o", "remount,bind,ro", dir}) != 0)
      GTEST_SKIP() << "no read-only remount here";
  } else {
    ASSERT_TRUE(QFile::copy(src + "/Kelvantorium.db", dir + "/Kelvantorium.db"));
    QFile::setPermissions(dir + "/Kelvantorium.db", QFile::ReadOwner);
    QFile::setPermissions(dir, QFile::ReadOwner | QFile::ExeOwner);
  }
  shell::ShopSettings s;
  QString error;
  ASSERT_TRUE(shell::readSettings26(s, &error)) << error.toStdString();
  s.DbPath = shell::SettingValue::ofText(dir + "/Kelvantorium.db");
  ASSERT_TRUE(shell::writeSettings(s, &error)) << error.toStdString();

  frmLogin* f = load();
  ASSERT_EQ(dlg.shown.size(), 1u);
  EXPECT_TRUE(dlg.lastMessage().startsWith(QStringLiteral("The database ")) &&
              dlg.lastMessage().contains(QStringLiteral("cannot be written")))
      << dlg.lastMessage().toStdString();
  EXPECT_TRUE(f->loginConn().isOpen());  // the user may still log in
  delete login.data();

  // A writable one says nothing.
  dlg.clear();
  s.DbPath = shell::SettingValue::ofText(src + "/Kelvantorium.db");
  ASSERT_TRUE(shell::writeSettings(s, &error)) << error.toStdString();
  load();
  EXPECT_TRUE(dlg.shown.empty()) << dlg.lastMessage().toStdString();
}

}  // namespace
