// The main of every test executable: a private installation folder, then a Qt application that
// speaks the program's language in its own boxes; a run that skipped a test says so to CTest.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

#include "shell/application.h"
#include "support/testenv.h"

int main(int argc, char** argv) {
  static QTemporaryDir home;
  qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  shell::installQtTexts();  // as the program's application does
  ::testing::InitGoogleTest(&argc, argv);
  return testenv::runAllTests();
}
