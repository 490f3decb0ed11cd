#include "data/tell_failure.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "data/db.h"
#include "support/scripted_dialogs.h"

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
