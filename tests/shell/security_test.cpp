// Passwords, the user table and the user accounts window.
#include "shell/security.h"

#include <QMdiSubWindow>
#include <QTest>
#include <functional>
#include <memory>

#include "platform/dialogs.h"
#include "shell/mainwindow.h"
#include "shell/register.h"
#include "shell/session.h"
#include "shell/settings.h"
#include "shell_helpers.h"
#include "support/scripted_dialogs.h"
#include "support/testenv.h"

using shell::PasswordMatch;
using shell::SecurityFrm;
using namespace shelltest;

namespace {

TEST(Passwords, HashesVerifyAndLegacyTextIsRecognised) {
  const QString h = shell::hashPassword(QStringLiteral("admin"));
  EXPECT_TRUE(shell::isPasswordHash(h));
  EXPECT_TRUE(h.startsWith(QLatin1String("$argon2id$")));
  EXPECT_NE(h, shell::hashPassword(QStringLiteral("admin")));  // salted

  struct Case {
    QVariant stored;
    QString typed;
    PasswordMatch want;
  };
  const QString thai = shell::hashPassword(QStringLiteral("รหัส"));
  const Case cases[] = {
      {h, QStringLiteral("admin"), PasswordMatch::Yes},
      {h, QStringLiteral("Admin"), PasswordMatch::No},
      {h, QString(), PasswordMatch::No},
      {thai, QStringLiteral("รหัส"), PasswordMatch::Yes},
      {QStringLiteral("pw"), QStringLiteral("pw"), PasswordMatch::YesLegacyPlain},
      {QStringLiteral("pw"), QStringLiteral("PW"), PasswordMatch::No},
      {QStringLiteral(""), QStringLiteral(""), PasswordMatch::YesLegacyPlain},
      {QVariant(QMetaType(QMetaType::QString)), QString(), PasswordMatch::No},  // NULL never matches
      {QVariant(), QStringLiteral(""), PasswordMatch::No},
      // A hash string typed as the password is no way in.
      {h, h, PasswordMatch::No},
      {QStringLiteral("$argon2id$broken"), QStringLiteral("$argon2id$broken"), PasswordMatch::No},
  };
  for (const Case& c : cases)
    EXPECT_EQ(shell::matchPassword(c.stored, c.typed), c.want)
        << c.stored.toString().toStdString() << " / " << c.typed.toStdString();
}

class UsersTest : public testenv::DbTest {
 protected:
  void SetUp() override {
    testenv::DbTest::SetUp();
    insertUser(data::Conn(), QStringLiteral("admin"), shell::hashPassword(QStringLiteral("x")), 1);
    insertUser(data::Conn(), QStringLiteral("bob"), QStringLiteral("plain"), 2);
  }
};

TEST_F(UsersTest, TheShippedAdministratorLogsInWithTheDocumentedPassword) {
  const QVariant stored = storedPassword(data::Conn(), QStringLiteral("Admin"));
  EXPECT_TRUE(shell::isPasswordHash(stored.toString()));
  EXPECT_EQ(shell::matchPassword(stored, QStringLiteral("admin")), PasswordMatch::Yes);
  EXPECT_EQ(shell::users::permission(data::Conn(), QStringLiteral("Admin")), 0);
}

TEST_F(UsersTest, ListsAreInNameOrderAndOnlyTheExactAdminIsLeftOut) {
  auto& db = data::Conn();
  EXPECT_EQ(shell::users::names(db, true), (QStringList{"Admin", "admin", "bob"}));
  EXPECT_EQ(shell::users::names(db, false), (QStringList{"admin", "bob"}));
}

TEST_F(UsersTest, AddStoresAHashAtLevelTwoAndRefusesEmptyAndDuplicateNames) {
  auto& db = data::Conn();
  ASSERT_TRUE(shell::users::add(db, QStringLiteral("carol"), QStringLiteral("c'pw")));
  EXPECT_EQ(shell::users::permission(db, QStringLiteral("carol")), 2);
  EXPECT_EQ(shell::matchPassword(storedPassword(db, QStringLiteral("carol")), QStringLiteral("c'pw")),
            PasswordMatch::Yes);

  const int before = userCount(db);
  EXPECT_FALSE(shell::users::add(db, QString(), QStringLiteral("x")));
  EXPECT_FALSE(shell::users::add(db, QStringLiteral("   "), QStringLiteral("x")));
  EXPECT_EQ(userCount(db), before);
  try {
    shell::users::add(db, QStringLiteral("bob"), QStringLiteral("y"));
    ADD_FAILURE() << "a second bob was accepted";
  } catch (const data::DbError& e) {
    EXPECT_TRUE(e.text().contains(QLatin1String("UNIQUE"))) << e.text().toStdString();
  }
  EXPECT_EQ(userCount(db), before);
}

TEST_F(UsersTest, AdminCanChangeItsPasswordButIsNeverDeletedNorMoved) {
  auto& db = data::Conn();
  EXPECT_EQ(shell::users::changePassword(db, QStringLiteral("Admin"), QStringLiteral("new")), 1);
  EXPECT_EQ(shell::matchPassword(storedPassword(db, QStringLiteral("Admin")), QStringLiteral("new")),
            PasswordMatch::Yes);
  EXPECT_EQ(shell::users::remove(db, QStringLiteral("Admin")), 0);
  EXPECT_EQ(shell::users::setPermission(db, QStringLiteral("Admin"), 2), 0);
  EXPECT_EQ(shell::users::permission(db, QStringLiteral("Admin")), 0);
  // The lower-case "admin" is another user.
  EXPECT_EQ(shell::users::setPermission(db, QStringLiteral("admin"), 0), 1);
  EXPECT_EQ(shell::users::remove(db, QStringLiteral("admin")), 1);
  EXPECT_EQ(shell::users::remove(db, QStringLiteral("nobody")), 0);
  EXPECT_EQ(shell::users::changePassword(db, QStringLiteral("nobody"), QStringLiteral("x")), 0);
}

TEST_F(UsersTest, LoginUpgradesAPlainTextRowToAHashOnce) {
  auto& db = data::Conn();
  auto check = shell::checkLogin(db, QStringLiteral("bob"), QStringLiteral("plain"));
  EXPECT_EQ(check.outcome, shell::LoginCheck::Outcome::Succeeded);
  EXPECT_EQ(check.level, 2);
  const QString stored = storedPassword(db, QStringLiteral("bob")).toString();
  EXPECT_TRUE(shell::isPasswordHash(stored));
  EXPECT_EQ(shell::checkLogin(db, QStringLiteral("bob"), QStringLiteral("plain")).outcome,
            shell::LoginCheck::Outcome::Succeeded);
  EXPECT_EQ(storedPassword(db, QStringLiteral("bob")).toString(), stored);  // not rewritten again
  // The old text typed as the hash itself is no way in.
  EXPECT_EQ(shell::checkLogin(db, QStringLiteral("bob"), stored).outcome,
            shell::LoginCheck::Outcome::WrongPassword);
}

// ---- the window ----

class SecurityFrmTest : public UsersTest {
 protected:
  void SetUp() override {
    UsersTest::SetUp();
    insertUser(data::Conn(), QStringLiteral("odd"), shell::hashPassword(QStringLiteral("o")), 7);
    frm = std::make_unique<SecurityFrm>();
    frm->Form_Load();
  }
  void TearDown() override {
    frm.reset();
    UsersTest::TearDown();
  }
  QStringList listed() const {
    QStringList out;
    for (int i = 0; i < frm->UserName->count(); ++i) out << frm->UserName->itemText(i);
    return out;
  }
  void pick(const QString& name) {
    const int i = frm->UserName->findText(name);
    ASSERT_GE(i, 0) << name.toStdString();
    frm->UserName->setCurrentIndex(i);
    frm->UserName_Click();
  }
  std::optional<int> level(const QString& name) { return shell::users::permission(data::Conn(), name); }

  plat::ScriptedDialogs dlg;
  std::unique_ptr<SecurityFrm> frm;
};

TEST_F(SecurityFrmTest, EachModeShowsItsControlsAndItsList) {
  // Load: permission mode, nothing picked, no level, OK enabled.
  EXPECT_EQ(frm->UserMode, SecurityFrm::SetPermission);
  EXPECT_EQ(listed(), (QStringList{"admin", "bob", "odd"}));
  EXPECT_EQ(frm->UserName->currentIndex(), -1);
  EXPECT_TRUE(frm->cmdOk->isEnabled());
  EXPECT_FALSE(frm->opt0->isChecked() || frm->opt1->isChecked() || frm->opt2->isChecked());
  EXPECT_EQ(frm->windowTitle(), QStringLiteral("Security"));

  struct Case {
    void (SecurityFrm::*command)();
    int mode;
    bool list, name, password, passwordLabel, levels;
    QStringList users;
  };
  const QStringList noAdmin{"admin", "bob", "odd"};
  const Case cases[] = {
      {&SecurityFrm::Mchpass_Click, 2, true, false, true, true, false, {"Admin", "admin", "bob", "odd"}},
      {&SecurityFrm::Madd_Click, 1, false, true, true, true, false, {"Admin", "admin", "bob", "odd"}},
      {&SecurityFrm::Mdeluser_Click, 3, true, false, false, false, false, noAdmin},
      {&SecurityFrm::MPer_Click, 4, true, false, false, false, true, noAdmin},
  };
  for (const Case& c : cases) {
    (frm.get()->*c.command)();
    SCOPED_TRACE(c.mode);
    EXPECT_EQ(frm->UserMode, c.mode);
    EXPECT_EQ(!frm->UserName->isHidden(), c.list);
    EXPECT_EQ(!frm->txtUserName->isHidden(), c.name);
    EXPECT_EQ(!frm->txtPassword->isHidden(), c.password);
    EXPECT_EQ(!frm->LblP->isHidden(), c.passwordLabel);
    EXPECT_EQ(!frm->FrPer->isHidden(), c.levels);
    EXPECT_FALSE(frm->LblU->isHidden());
    EXPECT_FALSE(frm->cmdOk->isHidden());
    EXPECT_EQ(listed(), c.users);  // add mode does not refill: the list stays as it was
  }
}

TEST_F(SecurityFrmTest, AddGivesLevelTwoEmptiesTheBoxesAndDisablesOk) {
  frm->opt0->setChecked(true);
  frm->Madd_Click();
  frm->txtUserName->setText(QStringLiteral("carol"));
  frm->txtPassword->setText(QStringLiteral("secret"));
  frm->cmdOk_Click();
  EXPECT_EQ(dlg.texts(), QStringList{"New User is Insert"});
  EXPECT_EQ(level(QStringLiteral("carol")), 2);
  EXPECT_EQ(
      shell::matchPassword(storedPassword(data::Conn(), QStringLiteral("carol")), QStringLiteral("secret")),
      PasswordMatch::Yes);
  EXPECT_TRUE(frm->txtUserName->text().isEmpty());
  EXPECT_TRUE(frm->txtPassword->text().isEmpty());
  EXPECT_FALSE(frm->cmdOk->isEnabled());
  // Typing a name enables OK again.
  QTest::keyClicks(frm->txtUserName, QStringLiteral("d"));
  EXPECT_TRUE(frm->cmdOk->isEnabled());
}

TEST_F(SecurityFrmTest, AddRefusesAnEmptyNameAndAnExistingOneInTheUsersLanguage) {
  const int before = userCount(data::Conn());
  frm->Madd_Click();
  frm->txtPassword->setText(QStringLiteral("pw"));
  frm->cmdOk_Click();
  EXPECT_EQ(userCount(data::Conn()), before);
  EXPECT_NE(dlg.lastMessage(), QStringLiteral("New User is Insert"));
  EXPECT_FALSE(dlg.lastMessage().isEmpty());

  for (const bool thai : {false, true}) {
    shell::settings().LangThai = thai;
    dlg.clear();
    frm->txtUserName->setText(QStringLiteral("bob"));
    frm->cmdOk_Click();
    EXPECT_EQ(dlg.texts(), QStringList{thai ? QStringLiteral("มีผู้ใช้ชื่อนี้อยู่แล้ว")
                                            : QStringLiteral("This user name already exists")});
    EXPECT_EQ(userCount(data::Conn()), before);
    // Both boxes keep their text and OK stays enabled.
    EXPECT_EQ(frm->txtUserName->text(), QStringLiteral("bob"));
    EXPECT_EQ(frm->txtPassword->text(), QStringLiteral("pw"));
    EXPECT_TRUE(frm->cmdOk->isEnabled());
  }
  shell::settings().LangThai = false;
  // Names are told apart exactly: "Bob" is another user.
  frm->txtUserName->setText(QStringLiteral("Bob"));
  frm->cmdOk_Click();
  EXPECT_EQ(dlg.lastMessage(), QStringLiteral("New User is Insert"));
  EXPECT_EQ(userCount(data::Conn()), before + 1);
}

TEST_F(SecurityFrmTest, ChangePasswordOfAdminThenTheListLosesAdminUntilChosenAgain) {
  frm->Mchpass_Click();
  pick(QStringLiteral("Admin"));
  frm->txtPassword->setText(QStringLiteral("n3w"));
  dlg.answerYes(true);
  frm->cmdOk_Click();
  EXPECT_EQ(dlg.texts(), (QStringList{"Do you want to change password", "Password has Change Complete"}));
  EXPECT_EQ(shell::checkLogin(data::Conn(), QStringLiteral("Admin"), QStringLiteral("n3w")).outcome,
            shell::LoginCheck::Outcome::Succeeded);
  EXPECT_EQ(listed(), (QStringList{"admin", "bob", "odd"}));
  EXPECT_TRUE(frm->txtPassword->text().isEmpty());
  EXPECT_FALSE(frm->cmdOk->isEnabled());
  frm->Mchpass_Click();
  EXPECT_TRUE(listed().contains(QStringLiteral("Admin")));
}

TEST_F(SecurityFrmTest, NoWritesNothingAndNoUserPickedDoesNothing) {
  const QVariant bobBefore = storedPassword(data::Conn(), QStringLiteral("bob"));
  frm->Mchpass_Click();
  frm->txtPassword->setText(QStringLiteral("zzz"));
  frm->cmdOk_Click();  // nobody picked
  EXPECT_TRUE(dlg.shown.empty());

  pick(QStringLiteral("bob"));
  dlg.answerYes(false);
  frm->cmdOk_Click();
  EXPECT_EQ(dlg.texts(), QStringList{"Do you want to change password"});
  EXPECT_EQ(storedPassword(data::Conn(), QStringLiteral("bob")), bobBefore);
  EXPECT_FALSE(frm->cmdOk->isEnabled());

  dlg.clear();
  frm->Mdeluser_Click();
  frm->cmdOk->setEnabled(true);
  frm->cmdOk_Click();  // nobody picked
  EXPECT_TRUE(dlg.shown.empty());
  pick(QStringLiteral("bob"));
  dlg.answerYes(false);
  frm->cmdOk_Click();
  EXPECT_EQ(level(QStringLiteral("bob")), 2);

  dlg.clear();
  frm->MPer_Click();
  frm->cmdOk->setEnabled(true);
  frm->opt0->setChecked(true);
  frm->cmdOk_Click();  // nobody picked: no level is written for an empty name
  EXPECT_TRUE(dlg.shown.empty());
  EXPECT_EQ(level(QStringLiteral("bob")), 2);
}

TEST_F(SecurityFrmTest, DeleteRemovesThePickedUserAndSuccessNeedsTheRowToBeThere) {
  frm->Mdeluser_Click();
  pick(QStringLiteral("bob"));
  dlg.answerYes(true);
  frm->cmdOk_Click();
  EXPECT_EQ(dlg.texts(), (QStringList{"Do you want to delete user", "User is Delete"}));
  EXPECT_FALSE(level(QStringLiteral("bob")).has_value());
  EXPECT_EQ(listed(), (QStringList{"admin", "odd"}));

  // Someone else removed the user meanwhile: no success text.
  dlg.clear();
  pick(QStringLiteral("odd"));
  data::Conn().exec(QStringLiteral("DELETE FROM Security WHERE UserName = 'odd'"));
  dlg.answerYes(true);
  frm->cmdOk_Click();
  EXPECT_FALSE(dlg.texts().contains(QStringLiteral("User is Delete")));
  EXPECT_EQ(dlg.shown.size(), 2u);
}

TEST_F(SecurityFrmTest, PermissionShowsAndSetsThePickedUsersLevel) {
  pick(QStringLiteral("bob"));
  EXPECT_TRUE(frm->opt2->isChecked());
  frm->opt1->setChecked(true);
  frm->cmdOk_Click();
  EXPECT_TRUE(dlg.shown.empty());  // no message on success
  EXPECT_EQ(level(QStringLiteral("bob")), 1);
  EXPECT_FALSE(frm->cmdOk->isEnabled());

  pick(QStringLiteral("bob"));
  EXPECT_TRUE(frm->opt1->isChecked());
  pick(QStringLiteral("admin"));
  EXPECT_TRUE(frm->opt1->isChecked());
  pick(QStringLiteral("odd"));  // level 7: none of the three
  EXPECT_FALSE(frm->opt0->isChecked() || frm->opt1->isChecked() || frm->opt2->isChecked());
  frm->cmdOk_Click();  // none selected writes level 2
  EXPECT_EQ(level(QStringLiteral("odd")), 2);
}

// The window's own words beside the described English ones: a name left empty, and a user another
// window removed after it was listed, for each command that acts on the picked user.
TEST_F(SecurityFrmTest, ItsOwnRefusalsAreInTheUsersLanguage) {
  struct Case {
    const char* what;
    std::function<void()> act;
    const char* english;
    const char* thai;
  };
  const auto removedMeanwhile = [this](void (SecurityFrm::*mode)()) {
    insertUser(data::Conn(), QStringLiteral("gone"), shell::hashPassword(QStringLiteral("g")), 2);
    (frm.get()->*mode)();
    pick(QStringLiteral("gone"));
    data::Conn().exec(QStringLiteral("DELETE FROM Security WHERE UserName = 'gone'"));
    dlg.answerYes(true);
    frm->cmdOk_Click();
  };
  const Case cases[] = {
      {"an empty name",
       [this] {
         frm->Madd_Click();
         frm->txtUserName->setText(QStringLiteral("  "));
         frm->cmdOk_Click();
       },
       "Please type a user name", "กรุณาพิมพ์ชื่อผู้ใช้"},
      {"a password for a removed user", [&] { removedMeanwhile(&SecurityFrm::Mchpass_Click); },
       "User not found", "ไม่พบผู้ใช้นี้"},
      {"deleting a removed user", [&] { removedMeanwhile(&SecurityFrm::Mdeluser_Click); }, "User not found",
       "ไม่พบผู้ใช้นี้"},
      {"a level for a removed user", [&] { removedMeanwhile(&SecurityFrm::MPer_Click); }, "User not found",
       "ไม่พบผู้ใช้นี้"},
  };
  for (const bool thai : {false, true}) {
    shell::settings().LangThai = thai;
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(c.what) + (thai ? " (Thai)" : " (English)"));
      dlg.clear();
      c.act();
      EXPECT_EQ(dlg.lastMessage(), QString::fromUtf8(thai ? c.thai : c.english));
    }
  }
  shell::settings().LangThai = false;
}

TEST(SecurityFrmThai, CaptionsFollowTheLanguageAndMessagesStayEnglish) {
  testenv::openFreshDb();
  shell::settings() = shell::ShopSettings{};
  shell::settings().LangThai = true;
  plat::ScriptedDialogs dlg;
  {
    SecurityFrm frm;
    frm.Form_Load();
    EXPECT_EQ(frm.windowTitle(), QStringLiteral("ความปลอดภัย"));
    EXPECT_EQ(frm.Mchpass->text(), QStringLiteral("เปลี่ยนรหัสผ่าน"));
    EXPECT_EQ(frm.opt2->text(), QStringLiteral("ระดับ 2 : ใช้งานได้เฉพาะหน้าจอขาย"));
    EXPECT_EQ(frm.cmdOk->text(), QStringLiteral("ตกลง"));
    frm.Madd_Click();
    frm.txtUserName->setText(QStringLiteral("สมชาย"));
    frm.cmdOk_Click();
    EXPECT_EQ(dlg.texts(), QStringList{"New User is Insert"});
  }
  shell::settings() = shell::ShopSettings{};
  data::Conn().close();
}

TEST(SecurityFrmInMainWindow, OpensAsAFixedChildAtTheTopLeftAndEachOpeningStartsAfresh) {
  testenv::freshInstallation();
  shell::settings() = shell::ShopSettings{};
  QString e;
  ASSERT_TRUE(shell::readSettings18(shell::settings(), &e)) << e.toStdString();
  shell::session().permission = 0;
  shell::registerForms();
  plat::ScriptedDialogs dlg;
  {
    shell::MHarvelmoquin w;
    ASSERT_TRUE(w.MDIForm_Load(&e)) << e.toStdString();
    w.show();
    w.menuItem(QStringLiteral("MeSecurity"))->trigger();
    auto* frm =
        qobject_cast<SecurityFrm*>(plat::FormRegistry::instance().loaded(QStringLiteral("SecurityFrm")));
    ASSERT_NE(frm, nullptr);
    auto* sub = qobject_cast<QMdiSubWindow*>(frm->parentWidget());
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(sub->pos(), QPoint(0, 0));
    EXPECT_FALSE(sub->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(sub->minimumSize(), sub->maximumSize());
    frm->Madd_Click();
    plat::FormRegistry::instance().unload(QStringLiteral("SecurityFrm"));
    testenv::pump();
    w.toolbarButton(QStringLiteral("bsecurity"))->trigger();
    frm = qobject_cast<SecurityFrm*>(plat::FormRegistry::instance().loaded(QStringLiteral("SecurityFrm")));
    ASSERT_NE(frm, nullptr);
    EXPECT_EQ(frm->UserMode, SecurityFrm::SetPermission);
    EXPECT_TRUE(dlg.shown.empty());
    plat::FormRegistry::instance().unloadAll();
  }
  testenv::pump();
  data::Conn().close();
  shell::settings() = shell::ShopSettings{};
}

}  // namespace
