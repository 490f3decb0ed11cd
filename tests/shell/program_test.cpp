// The program's start and end: login, main window start-up and its failures, the settings written
// at exit, and the whole run through the event loop.
#include "shell/program.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QRegularExpression>
#include <QTimer>
#include <functional>

#include "platform/codepage.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "shell/login.h"
#include "shell/mainwindow.h"
#include "shell/session.h"
#include "shell/settings.h"
#include "shell_helpers.h"
#include "support/scripted_dialogs.h"
#include "support/testenv.h"

using shell::MHarvelmoquin;
using namespace shelltest;

namespace {

QString dbPath() { return plat::installPath(QStringLiteral("Kelvantorium.db")); }

// A settings line in code page 874 with the installed database as DbPath.
QByteArray line(const QString& before, const QString& after) {
  return plat::toCp874(before + QLatin1Char('"') + dbPath() + QLatin1Char('"') + after +
                       QStringLiteral("\r\n"));
}

const QString kEnglishHead = QStringLiteral(
    "\"My Shop\",\"12/3, Main Road\",\"Bangkok 10110\",\"Tel. 02-123\",\"RECEIPT\",\"0105\",\"Thanks\","
    "\"VAT incl\",\"10\",12,1,\"RJ45\",#FALSE#,1,7,\"spare, text\",1,");
const QString kEnglishTail =
    QStringLiteral(",\"BillPrinter\",\"Garuda\",#TRUE#,\"L1\",\"L2\",\"L3\",\"L4\",\"ReportPrinter\"");
const QString kThaiHead = QStringLiteral(
    "\"ร้านค้าดี\",\"ถนน\",\"b\",\"c\",\"d\",\"e\",\"f\",\"g\",\"9\",10,0,3,#TRUE#,3,7.5,\"\",2,");
const QString kThaiTail = QStringLiteral(",\"None\",\"Garuda\",#FALSE#,\"\",\"\",\"\",\"\",\"None\"");

class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    shell::settings() = shell::ShopSettings{};
    shell::session() = shell::Session{};
    testenv::freshInstallation();
  }
  void TearDown() override {
    main.reset();
    testenv::pump();
    data::Conn().close();
    shell::settings() = shell::ShopSettings{};
  }
  // The login as the user does it; true when it handed over.
  bool logIn(const QString& user = QStringLiteral("Admin"),
             const QString& password = QStringLiteral("admin")) {
    auto* login = new shell::frmLogin;
    login->Form_Load();
    login->show();
    bool handed = false;
    QObject::connect(login, &shell::frmLogin::succeeded, [&handed] { handed = true; });
    login->txtUserName->setText(user);
    login->txtPassword->setText(password);
    login->cmdOk_Click();
    if (!handed) delete login;
    testenv::pump();
    return handed;
  }
  bool start() {
    if (!logIn()) return false;
    main = shell::openMainWindow();
    return main != nullptr;
  }

  plat::ScriptedDialogs dlg;
  std::unique_ptr<MHarvelmoquin> main;
};

TEST_F(ProgramTest, ANormalExitWritesTheSameBytesWhenNothingChanged) {
  const QByteArray files[] = {line(kEnglishHead, kEnglishTail), line(kThaiHead, kThaiTail)};
  for (const QByteArray& bytes : files) {
    ASSERT_TRUE(writeFile(shell::settingsPath(), bytes));
    ASSERT_TRUE(start()) << dlg.texts().join(" | ").toStdString();
    EXPECT_EQ(readFile(shell::settingsCopyPath()), bytes);
    main->menuItem(QStringLiteral("MeExit"))->trigger();
    ASSERT_TRUE(main->isUnloaded());
    EXPECT_EQ(readFile(shell::settingsPath()), bytes);
    EXPECT_TRUE(dlg.shown.empty()) << dlg.texts().join(" | ").toStdString();
    main.reset();
  }
}

TEST_F(ProgramTest, WhatTheExitWroteIsWhatTheNextStartShows) {
  ASSERT_TRUE(start());
  EXPECT_EQ(main->shownToolbar(), 1);
  shell::settings().LangThai = true;  // as the options window leaves it
  main->close();                      // closing the window unloads it too
  ASSERT_TRUE(main->isUnloaded());
  main.reset();
  data::Conn().close();
  shell::settings() = shell::ShopSettings{};

  ASSERT_TRUE(start());
  EXPECT_EQ(main->shownToolbar(), 4);
  EXPECT_EQ(main->menuItem(QStringLiteral("MeFile"))->text(), QStringLiteral("&ทั่วไป"));
  EXPECT_TRUE(main->panelText(4).endsWith(QStringLiteral("Admin")));
}

TEST_F(ProgramTest, AFailedStartShowsWhyKeepsTheSettingsFileAndUpdatesTheCopy) {
  struct Case {
    const char* what;
    std::function<void()> afterLogin;
  };
  const QByteArray good = line(kEnglishHead, kEnglishTail);
  // 20 fields: enough for the login, too few for the main window.
  const QByteArray shortFile = line(kEnglishHead, QStringLiteral(",\"BillPrinter\""));
  const Case cases[] = {
      {"short settings file", [&] { writeFile(shell::settingsPath(), shortFile); }},
      {"database gone", [] { QFile::remove(dbPath()); }},
      {"database not ours", [] { writeFile(dbPath(), "not a database"); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    testenv::freshInstallation();
    ASSERT_TRUE(writeFile(shell::settingsPath(), good));
    ASSERT_TRUE(writeFile(shell::settingsCopyPath(), "stale copy"));
    ASSERT_TRUE(logIn());
    c.afterLogin();
    const QByteArray before = readFile(shell::settingsPath());
    dlg.clear();
    main = shell::openMainWindow();
    EXPECT_EQ(main, nullptr);
    ASSERT_EQ(dlg.shown.size(), 1u);
    EXPECT_TRUE(dlg.lastMessage().startsWith(QStringLiteral("The program cannot start: ")));
    EXPECT_GT(dlg.lastMessage().size(), 30);  // the reason follows
    EXPECT_EQ(readFile(shell::settingsPath()), before);
    EXPECT_EQ(readFile(shell::settingsCopyPath()), before);
    data::Conn().close();
  }
}

// Why the start failed, in the language of the settings: the main window's read knows it from the
// login; the login's own read tells a fault of the line in the file's own language, and a file it
// cannot read at all in English, the language being unknown then.
TEST_F(ProgramTest, TheStartUpBoxSaysWhyTheSettingsCouldNotBeReadInTheUsersLanguage) {
  const QString file = QDir::toNativeSeparators(shell::settingsPath());
  const QString copy = QDir::toNativeSeparators(shell::settingsCopyPath());
  // The head ends with SlipWidth (field 17); field 21 of the tail is BillNoContinue.
  const auto withSlipWidth = [](QString head, const char* raw) {
    head.chop(2);
    return head + QString::fromLatin1(raw) + u',';
  };
  const auto withBillNoContinue = [](QString tail, const char* raw) {
    return tail.replace(QRegularExpression(QStringLiteral("#(TRUE|FALSE)#")), QString::fromLatin1(raw));
  };
  struct File {
    bool thai;
    QString head, tail, twentyFields;
  };
  const File files[] = {
      {false, kEnglishHead, kEnglishTail, QStringLiteral(",\"BillPrinter\",\"Garuda\"")},
      {true, kThaiHead, kThaiTail, QStringLiteral(",\"None\",\"Garuda\"")},
  };
  struct Case {
    const char* what;
    bool atLogin;  // else after it, at the main window's start
    std::function<void(const File&)> breakIt;
    QString english, thai;
  };
  const Case cases[] = {
      {"file gone", false, [](const File&) { QFile::remove(shell::settingsPath()); },
       "The program cannot start: File not found: " + file, "เริ่มโปรแกรมไม่ได้: ไม่พบแฟ้ม " + file},
      {"a folder in the file's place", false,
       [](const File&) {
         QFile::remove(shell::settingsPath());
         QDir().mkpath(shell::settingsPath());
       },
       "The program cannot start: Cannot read " + file + ": it is a folder, not a file.",
       "เริ่มโปรแกรมไม่ได้: อ่านแฟ้ม " + file + " ไม่ได้: ชื่อนี้เป็นโฟลเดอร์ ไม่ใช่แฟ้ม"},
      {"a folder in the copy's place", false,
       [](const File&) {
         QFile::remove(shell::settingsCopyPath());
         QDir().mkpath(shell::settingsCopyPath());
       },
       "The program cannot start: Cannot copy the settings to " + copy + ": it is a folder, not a file.",
       "เริ่มโปรแกรมไม่ได้: คัดลอกค่าที่ตั้งไว้ไปที่ " + copy + " ไม่ได้: ชื่อนี้เป็นโฟลเดอร์ ไม่ใช่แฟ้ม"},
      {"twenty fields", false,
       [](const File& f) { writeFile(shell::settingsPath(), line(f.head, f.twentyFields)); },
       "The program cannot start: Input past end of file: the settings file holds 20 of the 26 fields "
       "needed.",
       "เริ่มโปรแกรมไม่ได้: แฟ้มค่าที่ตั้งไว้มีเพียง 20 ช่องจาก 26 ช่องที่ต้องใช้"},
      {"a field that is no flag", false,
       [&](const File& f) {
         writeFile(shell::settingsPath(), line(f.head, withBillNoContinue(f.tail, "maybe")));
       },
       "The program cannot start: Field 21 (BillNoContinue) of the settings file, \"maybe\", is neither "
       "#TRUE# "
       "nor #FALSE#.",
       "เริ่มโปรแกรมไม่ได้: ช่องที่ 21 (BillNoContinue) ของแฟ้มค่าที่ตั้งไว้ \"maybe\" ไม่ใช่ #TRUE# หรือ #FALSE#"},
      {"a field out of range, at the login", true,
       [&](const File& f) { writeFile(shell::settingsPath(), line(withSlipWidth(f.head, "99999"), f.tail)); },
       "Field 17 (SlipWidth) of the settings file, \"99999\", is out of range (-32768 to 32767).",
       "ช่องที่ 17 (SlipWidth) ของแฟ้มค่าที่ตั้งไว้ \"99999\" อยู่นอกช่วงที่ใช้ได้ (-32768 ถึง 32767)"},
      {"too few fields for the language, at the login", true,
       [](const File&) { writeFile(shell::settingsPath(), QByteArrayLiteral("\"Shop\",\"a\"\r\n")); },
       "Input past end of file: the settings file holds 2 of the 18 fields needed.",
       "Input past end of file: the settings file holds 2 of the 18 fields needed."},
      {"file gone, at the login", true, [](const File&) { QFile::remove(shell::settingsPath()); },
       "File not found: " + file, "File not found: " + file},
  };
  for (const File& f : files) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(c.what) + (f.thai ? " (Thai)" : " (English)"));
      testenv::freshInstallation();
      shell::settings() = shell::ShopSettings{};
      ASSERT_TRUE(writeFile(shell::settingsPath(), line(f.head, f.tail)));
      if (c.atLogin) c.breakIt(f);
      dlg.clear();
      const bool handed = logIn();
      if (c.atLogin) {
        EXPECT_FALSE(handed);
      } else {
        ASSERT_TRUE(handed) << dlg.texts().join(" | ").toStdString();
        c.breakIt(f);
        main = shell::openMainWindow();
        EXPECT_EQ(main, nullptr);
      }
      EXPECT_EQ(dlg.texts(), QStringList{f.thai ? c.thai : c.english});
      main.reset();
      data::Conn().close();
      QDir(shell::settingsPath()).removeRecursively();
      QDir(shell::settingsCopyPath()).removeRecursively();
    }
  }
}

TEST_F(ProgramTest, ASettingsFileGoneBeforeTheMainWindowIsReportedAndNotRecreated) {
  ASSERT_TRUE(logIn());
  QFile::remove(shell::settingsPath());
  main = shell::openMainWindow();
  EXPECT_EQ(main, nullptr);
  EXPECT_EQ(dlg.shown.size(), 1u);
  EXPECT_FALSE(QFile::exists(shell::settingsPath()));
}

TEST_F(ProgramTest, AFailedWriteAtExitIsShown) {
  ASSERT_TRUE(start());
  QFile::remove(shell::settingsPath());
  ASSERT_TRUE(QDir().mkpath(shell::settingsPath()));  // a folder in the file's place
  main->menuItem(QStringLiteral("MeExit"))->trigger();
  EXPECT_TRUE(main->isUnloaded());
  ASSERT_EQ(dlg.shown.size(), 1u);
  EXPECT_TRUE(dlg.lastMessage().startsWith(QStringLiteral("The settings could not be saved: ")));
  QDir(shell::settingsPath()).removeRecursively();
}

TEST_F(ProgramTest, ItemsWhoseWindowsAreNotBuiltShowNothingAndFailNothing) {
  ASSERT_TRUE(start());
  for (const QString& name : main->menuNames()) {
    QAction* a = main->menuItem(name);
    if (a->menu() || name == QLatin1String("MeExit")) continue;
    a->trigger();
  }
  for (const char* key :
       {"bsetting", "bsell", "bbuy", "bstock", "bproduct", "bcustomers", "bsuppliers", "bsecurity"})
    main->Toolbar1_ButtonClick(QString::fromLatin1(key));
  EXPECT_TRUE(dlg.shown.empty()) << dlg.texts().join(" | ").toStdString();
  EXPECT_TRUE(main->mdiArea()->subWindowList().isEmpty());
  EXPECT_FALSE(main->isUnloaded());
}

// ---- the whole run, driven through the event loop ----

// Runs the program while step() is called every few milliseconds until it returns true; gives up
// (exit code 99) after ten seconds so that nothing hangs.
int runDriven(const std::function<bool()>& step) {
  QTimer tick;
  tick.setInterval(10);
  QObject::connect(&tick, &QTimer::timeout, [&] {
    if (step()) tick.stop();
  });
  tick.start();
  QTimer::singleShot(10000, qApp, [] { QCoreApplication::exit(99); });
  return shell::runProgram();
}

shell::frmLogin* findLogin() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* l = qobject_cast<shell::frmLogin*>(w); l && l->isVisible()) return l;
  return nullptr;
}

TEST_F(ProgramTest, CancelAtTheLoginEndsTheProgramWithoutWritingTheSettings) {
  const QByteArray before = readFile(shell::settingsPath());
  QFile::remove(shell::settingsCopyPath());
  const int code = runDriven([] {
    shell::frmLogin* l = findLogin();
    if (!l) return false;
    l->cmdCancel->click();
    return true;
  });
  EXPECT_EQ(code, 0);
  EXPECT_EQ(readFile(shell::settingsPath()), before);
  EXPECT_FALSE(QFile::exists(shell::settingsCopyPath()));
  EXPECT_TRUE(dlg.shown.empty());
}

TEST_F(ProgramTest, ADatabaseGoneBeforeTheStartIsReportedAtTheLoginNotReplacedByAnEmptyOne) {
  QFile::remove(dbPath());
  const int code = runDriven([] {
    shell::frmLogin* l = findLogin();
    if (!l) return false;
    l->cmdCancel->click();
    return true;
  });
  EXPECT_EQ(code, 0);
  EXPECT_FALSE(QFile::exists(dbPath()));
  ASSERT_EQ(dlg.shown.size(), 1u);
  EXPECT_TRUE(dlg.lastMessage().contains(dbPath())) << dlg.lastMessage().toStdString();
}

TEST_F(ProgramTest, LoginThenExitRunsToTheEnd) {
  QFile::remove(shell::settingsCopyPath());
  int stage = 0;
  const int code = runDriven([&] {
    if (stage == 0) {
      shell::frmLogin* l = findLogin();
      if (!l) return false;
      l->txtUserName->setText(QStringLiteral("Admin"));
      l->txtPassword->setText(QStringLiteral("admin"));
      l->cmdOk->click();
      stage = 1;
      return false;
    }
    MHarvelmoquin* m = MHarvelmoquin::current();
    if (!m || !m->isVisible()) return false;
    EXPECT_EQ(m->panelText(4), QStringLiteral("Employee : Admin"));
    EXPECT_EQ(m->shownToolbar(), 1);
    m->toolbarButton(QStringLiteral("bexit"))->trigger();
    return true;
  });
  EXPECT_EQ(code, 0);
  EXPECT_TRUE(QFile::exists(shell::settingsCopyPath()));
  EXPECT_EQ(MHarvelmoquin::current(), nullptr);
  EXPECT_TRUE(dlg.shown.empty()) << dlg.texts().join(" | ").toStdString();
}

TEST_F(ProgramTest, AFailedMainWindowLoadEndsTheRunWithAMessage) {
  const QByteArray before = readFile(shell::settingsPath());
  int stage = 0;
  const int code = runDriven([&] {
    shell::frmLogin* l = findLogin();
    if (!l) return false;
    QFile::remove(dbPath());  // after the login opened its own connection
    l->txtUserName->setText(QStringLiteral("Admin"));
    l->txtPassword->setText(QStringLiteral("admin"));
    l->cmdOk->click();
    ++stage;
    return true;
  });
  EXPECT_EQ(stage, 1);
  EXPECT_EQ(code, 1);
  EXPECT_EQ(dlg.shown.size(), 1u);
  EXPECT_EQ(readFile(shell::settingsPath()), before);
}

}  // namespace
