#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "data/db.h"
#include "platform/files.h"
#include "shell/settings.h"
#include "support/testenv.h"

namespace {

QByteArray readBytes(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString dbPath() { return plat::installPath(QStringLiteral("Kelvantorium.db")); }

class FirstStart : public ::testing::Test {
 protected:
  void SetUp() override {
    data::Conn().close();
    QDir(plat::installDir()).removeRecursively();
  }
};

}  // namespace

TEST_F(FirstStart, LaysDownFolderSettingsAndDatabase) {
  ASSERT_FALSE(QDir(plat::installDir()).exists());
  QString error;
  ASSERT_TRUE(shell::ensureInstallation(&error)) << error.toStdString();

  shell::ShopSettings shipped;
  ASSERT_TRUE(shell::decodeSettings(readBytes(plat::shippedPath("Kelvantorium.new")), 26, shipped, &error))
      << error.toStdString();
  shell::ShopSettings laid;
  ASSERT_TRUE(shell::readSettings26(laid, &error)) << error.toStdString();
  EXPECT_EQ(laid.DbPath, shell::SettingValue::ofText(dbPath()));
  shipped.DbPath = laid.DbPath;
  EXPECT_EQ(laid, shipped);  // every other field as shipped

  EXPECT_EQ(readBytes(dbPath()), readBytes(testenv::templateDb()));
  data::Db db;
  EXPECT_TRUE(db.tryOpen(laid.DbPath.toText(), &error)) << error.toStdString();
  // The owner may write the database, whatever the build folder's file allowed.
  EXPECT_TRUE(QFile::permissions(dbPath()) & QFile::WriteOwner);
}

TEST_F(FirstStart, LeavesWhatIsThere) {
  QDir().mkpath(plat::installDir());
  const QByteArray mySettings = "\"mine\"\r\n";
  const QByteArray myDb = "not the template";
  {
    QFile s(shell::settingsPath());
    ASSERT_TRUE(s.open(QIODevice::WriteOnly));
    s.write(mySettings);
    QFile d(dbPath());
    ASSERT_TRUE(d.open(QIODevice::WriteOnly));
    d.write(myDb);
  }
  QString error;
  ASSERT_TRUE(shell::ensureInstallation(&error)) << error.toStdString();
  EXPECT_EQ(readBytes(shell::settingsPath()), mySettings);
  EXPECT_EQ(readBytes(dbPath()), myDb);

  // A database gone missing after the first start is not replaced by an empty one: the login
  // reports it.
  QFile::remove(dbPath());
  ASSERT_TRUE(shell::ensureInstallation(&error)) << error.toStdString();
  EXPECT_EQ(readBytes(shell::settingsPath()), mySettings);
  EXPECT_FALSE(QFile::exists(dbPath()));

  // A first start that laid the database down but could not write the settings is finished by
  // the next start, which keeps that database.
  QFile::remove(shell::settingsPath());
  {
    QFile d(dbPath());
    ASSERT_TRUE(d.open(QIODevice::WriteOnly));
    d.write(myDb);
  }
  ASSERT_TRUE(shell::ensureInstallation(&error)) << error.toStdString();
  EXPECT_TRUE(QFile::exists(shell::settingsPath()));
  EXPECT_EQ(readBytes(dbPath()), myDb);
}

TEST_F(FirstStart, MissingShippedFilesFailAndWriteNoSettings) {
  const QByteArray saved = qgetenv("QUORVANEL_SHIPPED");
  qputenv("QUORVANEL_SHIPPED", testenv::tempDir().toLocal8Bit());
  QString error;
  const bool ok = shell::ensureInstallation(&error);
  qputenv("QUORVANEL_SHIPPED", saved);
  EXPECT_FALSE(ok);
  EXPECT_TRUE(error.contains("Kelvantorium.db")) << error.toStdString();
  EXPECT_FALSE(QFile::exists(shell::settingsPath()));
  EXPECT_FALSE(QFile::exists(dbPath()));
}

TEST_F(FirstStart, AFolderTheThaiCodePageCannotNameStillFindsItsDatabaseAtTheNextStart) {
  const QByteArray before = qgetenv("XDG_DATA_HOME");
  const QString home = testenv::tempDir() + QStringLiteral("/café");
  ASSERT_TRUE(QDir().mkpath(home));
  qputenv("XDG_DATA_HOME", home.toUtf8());
  ASSERT_TRUE(plat::installDir().startsWith(home));
  QString error;
  ASSERT_TRUE(shell::ensureInstallation(&error)) << error.toStdString();
  // Each start reads the settings, opens the database they name and, at the end, writes them back.
  for (int start = 1; start <= 2; ++start) {
    SCOPED_TRACE(start);
    ASSERT_TRUE(shell::ensureInstallation(&error)) << error.toStdString();
    shell::ShopSettings s;
    ASSERT_TRUE(shell::readSettings26(s, &error)) << error.toStdString();
    EXPECT_EQ(s.DbPath, shell::SettingValue::ofText(dbPath()));
    data::Db db;
    EXPECT_TRUE(db.tryOpen(s.DbPath.toText(), &error)) << error.toStdString();
    ASSERT_TRUE(shell::writeSettings(s, &error)) << error.toStdString();
  }
  qputenv("XDG_DATA_HOME", before);
}
