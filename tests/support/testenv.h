#pragma once
// Shared test fixtures. Every test process runs with XDG_DATA_HOME in a private temporary folder,
// so the installation folder is its own; a Qt application exists (offscreen).
#include <gtest/gtest.h>

#include <QEvent>
#include <QObject>
#include <QString>
#include <QWidget>

#include "shell/settings.h"

namespace testenv {

// Empties the installation folder of this test process.
void wipeInstallation();
// Wipes the installation folder, then lays down the shipped settings file (DbPath pointing at the
// folder's database) and a fresh copy of the template database.
void freshInstallation();
// Copies the template database to the installation folder and opens data::Conn() on it.
void openFreshDb();
// Path of the template database built by the build.
QString templateDb();
// The settings the program ships with (fails the test when they cannot be read).
shell::ShopSettings shippedSettings();
// A fresh temporary folder that lives until the process ends.
QString tempDir();
// The helper program that acts as a second copy of the program (tests/helpers/till.cpp).
QString tillProgram();
// Pumps the event loop for ms milliseconds.
void pump(int ms = 0);

// The exit code CTest takes for a skipped test (SKIP_RETURN_CODE in tests/CMakeLists.txt).
inline constexpr int kSkippedExit = 77;
// Runs every test of the process: 1 when any failed, else kSkippedExit when any was skipped (a
// missing print server or tool), naming them, so that a skip never passes for a pass.
int runAllTests();

// Counts the paint events of one widget from its making on.
struct Paints : QObject {
  int n = 0;
  explicit Paints(QWidget* w) { w->installEventFilter(this); }
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint) ++n;
    return false;
  }
};

// A test case with a fresh database open on the shared connection and a fixed clock.
class DbTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
};

}  // namespace testenv
