#include "platform/files.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include "support/testenv.h"

using namespace plat;

namespace {
QByteArray readBytes(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
}  // namespace

TEST(Files, InstallationFolderFollowsXdgDataHome) {
  EXPECT_EQ(installDir(), qEnvironmentVariable("XDG_DATA_HOME") + "/Quorvanel");
  EXPECT_EQ(installPath("Kelvantorium.new"), installDir() + "/Kelvantorium.new");
}

TEST(Files, ReplaceAtomically) {
  const QString dir = testenv::tempDir();
  const QString path = dir + "/settings.txt";
  QString error;
  ASSERT_TRUE(replaceFileAtomic(path, "first", &error)) << error.toStdString();
  EXPECT_EQ(readBytes(path), "first");
  ASSERT_TRUE(replaceFileAtomic(path, "second, longer", &error));
  ASSERT_TRUE(replaceFileAtomic(path, "3rd", &error));
  EXPECT_EQ(readBytes(path), "3rd");
  ASSERT_TRUE(replaceFileAtomic(path, QByteArray(), &error));
  EXPECT_EQ(QFile(path).size(), 0);
  EXPECT_EQ(QDir(dir).entryList(QDir::Files | QDir::Hidden), QStringList{"settings.txt"});  // no leftovers
}

TEST(Files, ReplaceFailsWithoutTouchingAnything) {
  const QString dir = testenv::tempDir();
  QString error;
  EXPECT_FALSE(replaceFileAtomic(dir + "/no/such/folder/file.txt", "x", &error));
  EXPECT_FALSE(error.isEmpty());
  EXPECT_FALSE(QDir(dir + "/no").exists());
  // A folder standing where the file should go.
  QDir().mkpath(dir + "/taken");
  error.clear();
  EXPECT_FALSE(replaceFileAtomic(dir + "/taken", "x", &error));
  EXPECT_FALSE(error.isEmpty());
  EXPECT_TRUE(QFileInfo(dir + "/taken").isDir());
  EXPECT_EQ(QDir(dir).entryList(QDir::Files | QDir::Hidden), QStringList{});
}

TEST(Files, PortsFollowLinksInTheInstallationFolder) {
  testenv::wipeInstallation();
  EXPECT_EQ(comPortDevice(1), "/dev/ttyS0");
  EXPECT_EQ(comPortDevice(15), "/dev/ttyS14");
  EXPECT_EQ(lptDevice(), "/dev/lp0");
  const QString lpt = installPath("LPT1");
  {
    QFile f(lpt);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  }
  ASSERT_TRUE(QFile::link("/dev/null", installPath("COM3")));
  EXPECT_EQ(comPortDevice(3), installPath("COM3"));
  EXPECT_EQ(lptDevice(), lpt);
  QString error;
  ASSERT_TRUE(writeRawPort("\x1B@hello", &error)) << error.toStdString();
  ASSERT_TRUE(writeRawPort("\r\n", &error));
  EXPECT_EQ(readBytes(lpt), "\x1B@hello\r\n");
  QFile::remove(lpt);
  QDir().mkpath(lpt);  // a port that cannot be opened for writing
  EXPECT_FALSE(writeRawPort("x", &error));
  EXPECT_FALSE(error.isEmpty());
  testenv::wipeInstallation();
}
