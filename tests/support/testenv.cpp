#include "support/testenv.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

#include "data/db.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "shell/settings.h"

namespace testenv {

namespace {
QTemporaryDir& root() {
  static QTemporaryDir d;
  return d;
}
}  // namespace

QString tempDir() {
  static int n = 0;
  const QString p = root().path() + QStringLiteral("/tmp%1").arg(++n);
  QDir().mkpath(p);
  return p;
}

QString tillProgram() { return QStringLiteral(POS_TILL_PROGRAM); }

QString templateDb() { return plat::shippedPath(QStringLiteral("Kelvantorium.db")); }

shell::ShopSettings shippedSettings() {
  QFile f(plat::shippedPath(QStringLiteral("Kelvantorium.new")));
  EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << f.fileName().toStdString();
  shell::ShopSettings s;
  QString why;
  EXPECT_TRUE(shell::decodeSettings(f.readAll(), 26, s, &why)) << why.toStdString();
  return s;
}

void wipeInstallation() {
  QDir(plat::installDir()).removeRecursively();
  QDir().mkpath(plat::installDir());
}

void freshInstallation() {
  data::Conn().close();
  wipeInstallation();
  QString error;
  if (!shell::ensureInstallation(&error)) ADD_FAILURE() << error.toStdString();
}

void openFreshDb() {
  data::Conn().close();
  const QString db = plat::installPath(QStringLiteral("Kelvantorium.db"));
  QDir().mkpath(plat::installDir());
  QFile::remove(db);
  if (!QFile::copy(templateDb(), db)) ADD_FAILURE() << "cannot copy the template database";
  QFile::setPermissions(db, QFile::ReadOwner | QFile::WriteOwner);
  data::Conn().open(db);
}

void pump(int ms) {
  QApplication::processEvents();
  if (ms > 0) QTest::qWait(ms);
}

void DbTest::SetUp() {
  shell::settings() = shell::ShopSettings{};
  plat::setClock(QDateTime(QDate(2024, 3, 15), QTime(10, 30, 0)));
  openFreshDb();
}

void DbTest::TearDown() {
  data::Conn().close();
  plat::setClock(QDateTime());
}

int runAllTests() {
  if (RUN_ALL_TESTS() != 0) return 1;
  const ::testing::UnitTest& run = *::testing::UnitTest::GetInstance();
  if (run.skipped_test_count() == 0) return 0;
  std::printf("%d of %d tests skipped:\n", run.skipped_test_count(), run.test_to_run_count());
  for (int i = 0; i < run.total_test_suite_count(); ++i) {
    const ::testing::TestSuite& suite = *run.GetTestSuite(i);
    for (int j = 0; j < suite.total_test_count(); ++j)
      if (suite.GetTestInfo(j)->result()->Skipped())
        std::printf("  %s.%s\n", suite.name(), suite.GetTestInfo(j)->name());
  }
  std::fflush(stdout);
  return kSkippedExit;
}

}  // namespace testenv
