#include "data/tell_failure.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <functional>
#include <stdexcept>

#include "data/db.h"
#include "shell/settings.h"
#include "support/scripted_dialogs.h"
#include "support/testenv.h"

namespace {

TEST(TellOnFailure, ADatabaseFailureIsShownWithItsTextAndTheWorkStops) {
  plat::ScriptedDialogs dialogs;
  int steps = 0;
  EXPECT_FALSE(data::tellOnFailure([&] {
    ++steps;
    throw data::DbError(QStringLiteral("no such table: Buy"));
    ++steps;
  }));
  EXPECT_EQ(steps, 1);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].kind, plat::ScriptedDialogs::Kind::Message);
  EXPECT_EQ(dialogs.shown[0].text, QStringLiteral("no such table: Buy"));
  EXPECT_EQ(dialogs.shown[0].icon, plat::Icon::None);

  // The icon asked for; a busy database is a failure like any other.
  EXPECT_FALSE(data::tellOnFailure([] { throw data::DbError(QStringLiteral("database is locked"), true); },
                                   plat::Icon::Warning));
  ASSERT_EQ(dialogs.shown.size(), 2u);
  EXPECT_EQ(dialogs.shown[1].icon, plat::Icon::Warning);
  EXPECT_EQ(dialogs.shown[1].text, QStringLiteral("database is locked"));
}

// A statement another till keeps from the database past the busy wait is told in the user's
// language, whether it writes, reads whole or walks its rows, never as the database's own words.
TEST(TellOnFailure, ADatabaseAnotherTillHoldsIsToldBusyInTheUsersLanguage) {
  testenv::openFreshDb();
  struct Case {
    bool thai;
    std::function<void()> work;
  } cases[] = {
      {false, [] { data::Conn().exec(QStringLiteral("UPDATE Product SET Quantity = 1")); }},
      {true, [] { data::Conn().query(QStringLiteral("SELECT * FROM Product")); }},
      {true,
       [] { data::Conn().forEachRow(QStringLiteral("SELECT PId FROM Product"), {}, [](const auto&) {}); }},
  };
  QProcess till;
  till.start(testenv::tillProgram(), {"hold", data::Conn().path(), QString::number(4 * data::kBusyWaitMs)});
  ASSERT_TRUE(till.waitForReadyRead(10000));
  ASSERT_EQ(till.readLine().trimmed(), "held");
  plat::ScriptedDialogs dialogs;
  for (const Case& c : cases) {
    shell::settings().LangThai = c.thai;
    dialogs.clear();
    EXPECT_FALSE(data::tellOnFailure(c.work));
    EXPECT_EQ(
        dialogs.texts(),
        QStringList{c.thai ? QStringLiteral("ฐานข้อมูลกำลังถูกใช้งานโดยเครื่องอื่น โปรดลองอีกครั้งในอีกสักครู่")
                           : QStringLiteral("The database is busy: another till is using it. Please try "
                                            "again in a moment.")});
  }
  shell::settings().LangThai = false;
  till.kill();
  till.waitForFinished();
  data::Conn().close();
}

TEST(TellOnFailure, WorkThatFinishesShowsNothing) {
  plat::ScriptedDialogs dialogs;
  int steps = 0;
  EXPECT_TRUE(data::tellOnFailure([&] { ++steps; }));
  EXPECT_EQ(steps, 1);
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST(TellOnFailure, OtherFailuresAreNotSwallowed) {
  plat::ScriptedDialogs dialogs;
  EXPECT_THROW(data::tellOnFailure([] { throw std::runtime_error("not the database"); }), std::runtime_error);
  EXPECT_TRUE(dialogs.shown.empty());
}

}  // namespace
