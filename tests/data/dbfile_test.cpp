#include "data/dbfile.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <csignal>

#include "support/testenv.h"

using data::DbFileFault;

namespace {

QByteArray readBytes(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& b) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  f.write(b);
}

// A database of this program with n products.
QString productDb(const QString& dir, int n) {
  const QString path = dir + "/shop.db";
  EXPECT_TRUE(QFile::copy(testenv::templateDb(), path));
  QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
  data::Db db;
  db.open(path);
  db.transaction([&] {
    for (int i = 0; i < n; ++i)
      db.exec(
          "INSERT INTO Product (PId, PName, Price, Quantity) VALUES (?, ?, 10, 5)",
          {QString("P%1").arg(i, 5, 10, QChar('0')), QString("product number %1 with a long name").arg(i)});
  });
  return path;
}

int products(const QString& path) {
  data::Db db;
  db.open(path);
  return db.scalar("SELECT COUNT(*) FROM Product").toInt();
}

// The files of a folder, to see that nothing was left behind.
QStringList filesIn(const QString& dir) { return QDir(dir).entryList(QDir::Files, QDir::Name); }

}  // namespace

TEST(CheckDatabaseFile, TellsEachKindOfUnusableFile) {
  const QString dir = testenv::tempDir();
  const QString good = productDb(dir, 3);
  writeBytes(dir + "/notes.BAK", "a text file, not a database\n");
  writeBytes(dir + "/empty.bak", "");
  const QByteArray whole = readBytes(good);
  writeBytes(dir + "/half.bak", whole.left(whole.size() / 2));
  {
    QSqlDatabase other = QSqlDatabase::addDatabase("QSQLITE", "other");
    other.setDatabaseName(dir + "/other.bak");
    ASSERT_TRUE(other.open());
    QSqlQuery(other).exec("CREATE TABLE Product (PId TEXT)");
    other.close();
  }
  QSqlDatabase::removeDatabase("other");
  // The program's tables, but a column the program reads is named otherwise.
  ASSERT_TRUE(QFile::copy(good, dir + "/columns.bak"));
  {
    data::Db db;
    db.open(dir + "/columns.bak");
    db.exec("ALTER TABLE Product RENAME COLUMN PId TO Code");
  }
  // A file copied by hand while a connection kept it in WAL mode: its latest rows are in the -wal.
  {
    ASSERT_TRUE(QFile::copy(good, dir + "/live.db"));
    data::Db db;
    db.open(dir + "/live.db");
    db.scalar("PRAGMA journal_mode = WAL");
    db.scalar("PRAGMA wal_autocheckpoint = 0");
    db.exec("INSERT INTO Product (PId, PName) VALUES ('W', 'only in the wal')");
    ASSERT_TRUE(QFile::copy(dir + "/live.db", dir + "/wal.bak"));
    ASSERT_TRUE(QFile::copy(dir + "/live.db-wal", dir + "/wal.bak-wal"));
  }
  // Things that exist under a backup's name but are no file to read: a pipe (reading it would wait
  // for a writer), a folder, a link to a device that never ends.
  ASSERT_EQ(mkfifo(QFile::encodeName(dir + "/pipe.bak").constData(), 0600), 0);
  ASSERT_TRUE(QDir(dir).mkdir("x.bak"));
  ASSERT_TRUE(QFile::link("/dev/zero", dir + "/zero.bak"));
  const QStringList files = filesIn(dir);
  const struct {
    const char* file;
    DbFileFault fault;
    const char* detail;
  } cases[] = {{"shop.db", DbFileFault::None, ""},
               {"missing.bak", DbFileFault::Missing, "Could not find file"},
               {"pipe.bak", DbFileFault::NotAFile, "exists but is not a file (it is a device or a pipe)."},
               {"x.bak", DbFileFault::NotAFile, "is a folder, not a file."},
               {"zero.bak", DbFileFault::NotAFile, "exists but is not a file (it is a device or a pipe)."},
               {"notes.BAK", DbFileFault::NotSqlite, "is not a database file"},
               {"empty.bak", DbFileFault::NotSqlite, "is empty"},
               {"half.bak", DbFileFault::Damaged, "malformed"},
               {"other.bak", DbFileFault::NotOurs, "is not a database of this program"},
               {"columns.bak", DbFileFault::NotOurs, "table Product has no column pid"},
               {"wal.bak", DbFileFault::WalMode, "WAL mode"}};
  for (const auto& c : cases) {
    const data::DbFileCheck check = data::checkDatabaseFile(dir + "/" + c.file);
    EXPECT_EQ(check.fault, c.fault) << c.file << ": " << check.detail.toStdString();
    EXPECT_EQ(check.detail.isEmpty(), c.fault == DbFileFault::None) << c.file;
    EXPECT_TRUE(check.detail.contains(c.detail)) << c.file << ": " << check.detail.toStdString();
  }
  // The checks made nothing beside the files they read.
  EXPECT_EQ(filesIn(dir), files);
}

TEST(BackupDatabase, CopiesTheDatabaseWholeAndReplacesAnOlderFile) {
  const QString dir = testenv::tempDir();
  const QString db = productDb(dir, 50);
  const QString target = dir + "/copy.bak";
  writeBytes(target, "an older backup");
  data::backupDatabase(db, target);
  EXPECT_TRUE(data::checkDatabaseFile(target).ok());
  EXPECT_EQ(products(target), 50);
  EXPECT_EQ(filesIn(dir), (QStringList{"copy.bak", "shop.db"}));
}

// The owner points the backup's name at a file on a stick with a symbolic link: the copy is
// written to the file the link names, beside it, and the link stays a link.
TEST(BackupDatabase, ALinkIsWrittenThroughToTheFileItNames) {
  const QString shop = testenv::tempDir();
  const QString db = productDb(shop, 40);
  const QString stick = testenv::tempDir();
  QDir(stick).mkdir("inner");
  writeBytes(stick + "/old.bak", "the older backup on the stick");
  const struct {
    const char* name;
    QStringList links;  // each link's own name in the shop's folder, then what it points at
    const char* lands;  // the file on the stick that must hold the copy
  } cases[] = {
      {"a link to a backup on the stick", {"Kelvantorium.bak", stick + "/old.bak"}, "old.bak"},
      {"a link to a file not there yet", {"new.bak", stick + "/inner/new.bak"}, "inner/new.bak"},
      {"a relative link", {"rel.bak", "../" + QFileInfo(stick).fileName() + "/rel.bak"}, "rel.bak"},
      {"a link to a link", {"chain.bak", shop + "/hop", "hop", stick + "/chain.bak"}, "chain.bak"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    for (int i = 0; i + 1 < c.links.size(); i += 2) {
      const QString from = c.links[i].startsWith('/') ? c.links[i] : shop + "/" + c.links[i];
      ASSERT_EQ(::symlink(QFile::encodeName(c.links[i + 1]).constData(), QFile::encodeName(from).constData()),
                0);
    }
    const QString link = shop + "/" + c.links[0];
    data::backupDatabase(db, link);
    EXPECT_TRUE(QFileInfo(link).isSymLink()) << "the link became a plain file";
    const QString landed = stick + "/" + c.lands;
    EXPECT_TRUE(data::checkDatabaseFile(landed).ok()) << data::checkDatabaseFile(landed).detail.toStdString();
    EXPECT_EQ(products(landed), 40);
  }
  // Nothing but the links beside the database; nothing but the copies on the stick.
  EXPECT_EQ(filesIn(shop),
            (QStringList{"Kelvantorium.bak", "chain.bak", "hop", "new.bak", "rel.bak", "shop.db"}));
  EXPECT_EQ(filesIn(stick), (QStringList{"chain.bak", "old.bak", "rel.bak"}));
  EXPECT_EQ(filesIn(stick + "/inner"), QStringList{"new.bak"});

  // A link to a folder, or to a pipe, is refused as such, and nothing is written.
  ASSERT_TRUE(QFile::link(stick + "/inner", shop + "/folder.bak"));
  ASSERT_EQ(mkfifo(QFile::encodeName(stick + "/pipe").constData(), 0600), 0);
  ASSERT_TRUE(QFile::link(stick + "/pipe", shop + "/pipe.bak"));
  const struct {
    const char* link;
    const char* says;
  } refused[] = {{"folder.bak", "/inner' is a folder, not a file."},
                 {"pipe.bak", "/pipe' exists but is not a file (it is a device or a pipe)."}};
  for (const auto& r : refused) {
    SCOPED_TRACE(r.link);
    try {
      data::backupDatabase(db, shop + "/" + r.link);
      ADD_FAILURE() << "no failure";
    } catch (const data::FileError& e) {
      EXPECT_TRUE(e.text().endsWith(r.says)) << e.text().toStdString();
    }
    EXPECT_TRUE(QFileInfo(shop + "/" + r.link).isSymLink());
  }
  EXPECT_EQ(filesIn(stick + "/inner"), QStringList{"new.bak"});
  EXPECT_EQ(QDir(stick).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot),
            (QStringList{"chain.bak", "inner", "old.bak", "pipe", "rel.bak"}));
}

TEST(BackupDatabase, AFailureSaysWhyAndLeavesTheOlderFileWhole) {
  const QString dir = testenv::tempDir();
  const QString db = productDb(dir, 2000);
  const QByteArray dbBytes = readBytes(db);

  // The database itself as target.
  EXPECT_THROW(data::backupDatabase(db, dir + "/../" + QFileInfo(dir).fileName() + "/shop.db"),
               data::DbError);
  EXPECT_EQ(readBytes(db), dbBytes);

  // A folder that does not exist.
  try {
    data::backupDatabase(db, dir + "/no/such/folder/x.bak");
    ADD_FAILURE() << "no failure";
  } catch (const data::DbError& e) {
    EXPECT_TRUE(e.text().contains("no/such/folder/x.bak")) << e.text().toStdString();
    EXPECT_TRUE(e.text().contains("No such file or directory")) << e.text().toStdString();
  }

  // A disk that fills part-way: the write fails, the older backup stays, no temporary file stays.
  const QString target = dir + "/old.bak";
  writeBytes(target, "the older backup");
  rlimit before{};
  getrlimit(RLIMIT_FSIZE, &before);
  auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = before;
  small.rlim_cur = 64 * 1024;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  bool failed = false;
  try {
    data::backupDatabase(db, target);
  } catch (const data::DbError& e) {
    failed = true;
    EXPECT_TRUE(e.text().contains("old.bak")) << e.text().toStdString();
  }
  setrlimit(RLIMIT_FSIZE, &before);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_TRUE(failed);
  EXPECT_EQ(readBytes(target), QByteArray("the older backup"));
  EXPECT_EQ(filesIn(dir), (QStringList{"old.bak", "shop.db"}));
  EXPECT_EQ(readBytes(db), dbBytes);
}

TEST(BackupDatabase, AReadOnlyFolderKeepsItsOlderFile) {
  const QString dir = testenv::tempDir();
  const QString db = productDb(dir, 5);
  const QString ro = testenv::tempDir();
  writeBytes(ro + "/old.bak", "the older backup");
  QString out;
  if (geteuid() == 0) {
    // Root writes into any folder: the backup runs in a process of its own that sees the folder
    // through a read-only mount.
    QProcess p;
    p.start("unshare", {"-m", "sh", "-c",
                        "mount --bind \"$1\" \"$1\" && mount -o remount,bind,ro \"$1\" && exec \"$2\" backup "
                        "\"$3\" \"$1/old.bak\"",
                        "sh", ro, testenv::tillProgram(), db});
    ASSERT_TRUE(p.waitForFinished(30000));
    out = QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError()).trimmed();
  } else {
    QFile::setPermissions(ro, QFile::ReadOwner | QFile::ExeOwner);
    try {
      data::backupDatabase(db, ro + "/old.bak");
      out = "ok";
    } catch (const data::DbError& e) {
      out = "error " + e.text();
    }
    QFile::setPermissions(ro, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  }
  EXPECT_TRUE(out.startsWith("error ") && out.contains("old.bak")) << out.toStdString();
  EXPECT_EQ(readBytes(ro + "/old.bak"), QByteArray("the older backup"));
  EXPECT_EQ(filesIn(ro), QStringList{"old.bak"});
}

TEST(RestoreDatabase, PutsTheContentInPlaceAndKeepsTheReplacedData) {
  const QString dir = testenv::tempDir();
  const QString db = productDb(dir, 3);
  const QString backup = dir + "/three.bak";
  data::backupDatabase(db, backup);
  {
    data::Db conn;
    conn.open(db);
    conn.exec("INSERT INTO Product (PId, PName) VALUES ('NEW', 'after the backup')");
  }
  const QByteArray backupBytes = readBytes(backup);

  const QDateTime when(QDate(2024, 3, 15), QTime(10, 30, 5));
  const QString kept = data::restoreDatabase(db, backup, when);
  EXPECT_EQ(kept, dir + "/shop-before-restore-20240315-103005.bak");
  EXPECT_EQ(products(db), 3);
  EXPECT_EQ(products(kept), 4);
  EXPECT_TRUE(data::checkDatabaseFile(kept).ok());
  EXPECT_TRUE(data::checkDatabaseFile(db).ok());
  EXPECT_EQ(readBytes(backup), backupBytes);

  // The same second again: the first kept copy stays, the next one gets a number.
  EXPECT_EQ(data::restoreDatabase(db, backup, when), dir + "/shop-before-restore-20240315-103005-2.bak");
  EXPECT_EQ(products(kept), 4);
  EXPECT_EQ(filesIn(dir), (QStringList{"shop-before-restore-20240315-103005-2.bak",
                                       "shop-before-restore-20240315-103005.bak", "shop.db", "three.bak"}));
}

TEST(RestoreDatabase, RefusesAFileThatFailsTheCheckAndChangesNothing) {
  const QString dir = testenv::tempDir();
  const QString db = productDb(dir, 3);
  const QByteArray before = readBytes(db);
  writeBytes(dir + "/notes.bak", "not a database");
  try {
    data::restoreDatabase(db, dir + "/notes.bak", QDateTime(QDate(2024, 1, 1), QTime(0, 0)));
    ADD_FAILURE() << "no refusal";
  } catch (const data::RefusedFile& e) {
    EXPECT_EQ(e.check().fault, DbFileFault::NotSqlite);
  }
  EXPECT_EQ(readBytes(db), before);
  EXPECT_EQ(filesIn(dir), (QStringList{"notes.bak", "shop.db"}));
}

TEST(RestoreDatabase, ACopyThatFailsPartWayLeavesTheDatabaseAsItWas) {
  const QString dir = testenv::tempDir();
  const QString db = productDb(dir, 3);
  const QString big = testenv::tempDir() + "/big.bak";
  data::backupDatabase(productDb(QFileInfo(big).absolutePath(), 2000), big);
  const QByteArray before = readBytes(db);
  rlimit saved{};
  getrlimit(RLIMIT_FSIZE, &saved);
  auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 64 * 1024;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  EXPECT_THROW(data::restoreDatabase(db, big, QDateTime(QDate(2024, 1, 1), QTime(0, 0))), data::DbError);
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_EQ(readBytes(db), before);
  EXPECT_EQ(filesIn(dir), QStringList{"shop.db"});
}
