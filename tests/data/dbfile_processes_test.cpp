// Backup and restore beside a second copy of the program on the same file, and a real process
// killed at each file operation of a backup or restore and at random moments; after each the
// database is opened as the next start opens it and must be whole.
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QThread>

#include "data/db.h"
#include "data/dbfile.h"
#include "support/testenv.h"

namespace {

const QDateTime kWhen(QDate(2024, 3, 15), QTime(10, 30));

// A database of this program holding `bills` bills of three lines of product A1, and 30 other
// products; every product's stock is what its lots less its sales say.
QString shopDb(const QString& path, int bills) {
  QFile::remove(path);
  EXPECT_TRUE(QFile::copy(testenv::templateDb(), path));
  QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
  data::Db db;
  db.open(path);
  db.transaction([&] {
    db.exec("INSERT INTO Product (PId, PName, Price, Quantity) VALUES ('A1', 'Rice', 10, ?)",
            {100000 - 3 * bills});
    db.exec(
        "INSERT INTO Buy (PId, BuyDate, BuyTime, BQuantity, BPrice, BuyId, RemainQ, SupplierID) "
        "VALUES ('A1', '2024-03-01', '09:00:00', 100000, 8, '1', 100000, 'S1')");
    for (int p = 0; p < 30; ++p)
      db.exec("INSERT INTO Product (PId, PName, Price, Quantity) VALUES (?, ?, 5, 0)",
              {QString("P%1").arg(p), QString("product %1 with a name long enough to fill pages").arg(p)});
    for (int b = 1; b <= bills; ++b)
      for (int l = 0; l < 3; ++l)
        db.exec(
            "INSERT INTO Sell (PID, SellTime, SellDate, SQuantity, SPrice, Comment, Employee, Recieve) "
            "VALUES ('A1', '10:00:00', '2024-03-15', 1, 10, ?, ?, 30)",
            {b, QString("seed-%1").arg(b)});
  });
  return path;
}

// What is wrong with the database at path as the next start finds it ("" when it is whole); its
// bills in *bills.
QString problem(const QString& path, int* bills = nullptr) {
  data::Db db;
  QString error;
  if (!db.tryOpen(path, &error)) return "does not open: " + error;
  try {
    const QString integrity = db.scalar("PRAGMA integrity_check").toString();
    if (integrity != "ok") return "integrity: " + integrity;
    if (db.scalar("SELECT COUNT(*) FROM (SELECT Comment FROM Sell GROUP BY Comment HAVING COUNT(*) <> 3)")
            .toInt())
      return "a bill is not whole";
    const QString off = db.scalar(
                              "SELECT group_concat(PId) FROM Product p WHERE Quantity <> "
                              "(SELECT IFNULL(SUM(BQuantity), 0) FROM Buy WHERE PId = p.PId) - "
                              "(SELECT IFNULL(SUM(SQuantity), 0) FROM Sell WHERE PID = p.PId) "
                              "OR PName LIKE '% changed'")
                            .toString();
    if (!off.isEmpty()) return "stock or product not as its lots and sales say: " + off;
    if (bills) *bills = db.scalar("SELECT COUNT(DISTINCT Comment) FROM Sell").toInt();
  } catch (const data::DbError& e) {
    return "a read fails: " + e.text();
  }
  return {};
}

struct TillRun {
  bool killed = false;
  int exitCode = 0;
  QString out;
};

// Runs the helper program with env added; killAfterMs >= 0 kills it after that long.
TillRun till(const QStringList& args, const QStringList& env = {}, int killAfterMs = -1) {
  QProcess p;
  QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
  for (const QString& kv : env) e.insert(kv.section('=', 0, 0), kv.section('=', 1));
  p.setProcessEnvironment(e);
  p.start(testenv::tillProgram(), args);
  EXPECT_TRUE(p.waitForStarted());
  if (killAfterMs < 0) {
    EXPECT_TRUE(p.waitForFinished(60000));
  } else if (!p.waitForFinished(killAfterMs)) {
    p.kill();
    EXPECT_TRUE(p.waitForFinished(60000));
  }
  TillRun r;
  r.killed = p.exitStatus() == QProcess::CrashExit;
  r.exitCode = p.exitCode();
  r.out = QString::fromUtf8(p.readAllStandardOutput()).trimmed();
  return r;
}

// Leaves a hot journal beside path: a second copy died in the middle of a write.
void crashedWriter(const QString& path) {
  const TillRun r = till({"crash-mid-write", path});
  ASSERT_TRUE(r.killed);
  ASSERT_GT(QFileInfo(path + "-journal").size(), 0);
}

// The temporaries of a backup or restore left in dir.
QStringList temporaries(const QString& dir) {
  return QDir(dir)
      .entryList(QDir::Files)
      .filter(QRegularExpression(R"(\.~pos-temp-[A-Za-z0-9]{6}(-journal)?$)"));
}

QStringList keptCopies(const QString& dir) {
  QStringList out;
  for (const QString& f : QDir(dir).entryList({"*before-restore*.bak"}, QDir::Files)) out << dir + "/" + f;
  return out;
}

// The bill lines posted by employee in the database at path.
int linesOf(const QString& path, const QString& employee) {
  data::Db db;
  db.open(path);
  return db.scalar("SELECT COUNT(*) FROM Sell WHERE Employee = ?", {employee}).toInt();
}

class DbFileProcesses : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = testenv::tempDir();
    pristine = shopDb(testenv::tempDir() + "/pristine.db", 400);
    const QString ten = shopDb(testenv::tempDir() + "/ten.db", 10);
    backup = testenv::tempDir() + "/ten.bak";
    data::backupDatabase(ten, backup);
  }
  // A new database in dir as another copy left it when it crashed in the middle of a write.
  QString crashedDb() {
    for (const QString& f : QDir(dir).entryList(QDir::Files)) QFile::remove(dir + "/" + f);
    const QString db = dir + "/shop.db";
    EXPECT_TRUE(QFile::copy(pristine, db));
    crashedWriter(db);
    return db;
  }
  QString dir, pristine, backup;
};

TEST_F(DbFileProcesses, ARestoreKilledAtEachFileOperationLeavesAWholeDatabase) {
  int n = 1;
  for (;; ++n) {
    SCOPED_TRACE(n);
    const QString db = crashedDb();
    const TillRun r = till({"restore", db, backup}, {QString("TILL_KILL_AT=%1").arg(n)});
    if (!r.killed) {
      EXPECT_TRUE(r.out.startsWith("ok ")) << r.out.toStdString();
      break;
    }
    int bills = 0;
    ASSERT_EQ(problem(db, &bills), "");
    EXPECT_TRUE(bills == 400 || bills == 10) << bills;
    for (const QString& kept : keptCopies(dir)) {
      int keptBills = 0;
      EXPECT_EQ(problem(kept, &keptBills), "") << kept.toStdString();
      EXPECT_EQ(keptBills, 400);
    }
    // The next restore removes what the killed one left.
    EXPECT_EQ(till({"restore", db, backup}).out.left(3), "ok ");
    EXPECT_EQ(temporaries(dir), QStringList{});
    EXPECT_EQ(problem(db, &bills), "");
    EXPECT_EQ(bills, 10);
  }
  EXPECT_GT(n, 8) << "the restore went through fewer file operations than a restore makes";
}

TEST_F(DbFileProcesses, ABackupKilledAtEachFileOperationLeavesTheOlderOrTheNewCopyWhole) {
  const QString db = crashedDb();
  const QString target = dir + "/copy.bak";
  ASSERT_TRUE(QFile::copy(backup, target));
  int n = 1;
  for (;; ++n) {
    SCOPED_TRACE(n);
    const TillRun r = till({"backup", db, target}, {QString("TILL_KILL_AT=%1").arg(n)});
    if (!r.killed) {
      EXPECT_EQ(r.out, "ok");
      break;
    }
    int bills = 0;
    ASSERT_EQ(problem(target, &bills), "");
    EXPECT_TRUE(bills == 10 || bills == 400) << bills;
    ASSERT_EQ(problem(db, &bills), "");
    EXPECT_EQ(bills, 400);
  }
  EXPECT_GT(n, 3);
  data::backupDatabase(db, target);
  EXPECT_EQ(temporaries(dir), QStringList{});
}

TEST_F(DbFileProcesses, KillsAtRandomMomentsLeaveWholeDatabasesAndNoStaleTemporaries) {
  QRandomGenerator random(27);
  const QString target = dir + "/copy.bak";
  for (int i = 0; i < 40; ++i) {
    SCOPED_TRACE(i);
    const QString db = crashedDb();
    const bool restore = i % 2 == 0;
    till({restore ? "restore" : "backup", db, restore ? backup : target}, {}, random.bounded(120));
    int bills = 0;
    ASSERT_EQ(problem(db, &bills), "");
    EXPECT_TRUE(bills == 400 || (restore && bills == 10)) << bills;
    if (QFile::exists(target)) {
      EXPECT_EQ(problem(target), "");
    }
    for (const QString& kept : keptCopies(dir)) EXPECT_EQ(problem(kept), "") << kept.toStdString();
    // The next run of the same kind leaves no temporary behind.
    till({restore ? "restore" : "backup", db, restore ? backup : target});
    EXPECT_EQ(temporaries(dir), QStringList{});
  }
}

TEST_F(DbFileProcesses, ASecondTillPostingWhileRestoresRunNeverFailsAndLosesNoBill) {
  const QString db = dir + "/shop.db";
  ASSERT_TRUE(QFile::copy(pristine, db));
  QProcess poster;
  poster.start(testenv::tillProgram(), {"post", db, "150", "10", "t"});
  ASSERT_TRUE(poster.waitForStarted());
  ASSERT_TRUE(poster.waitForReadyRead(10000));
  QStringList kept;
  for (int i = 0; i < 6 && poster.state() == QProcess::Running; ++i) {
    QThread::msleep(80);
    kept << data::restoreDatabase(db, backup, kWhen.addSecs(i));
  }
  ASSERT_TRUE(poster.waitForFinished(60000));
  const QString out = QString::fromUtf8(poster.readAllStandardOutput());
  EXPECT_EQ(poster.exitCode(), 0) << out.toStdString();
  EXPECT_FALSE(out.contains("failed")) << out.toStdString();
  EXPECT_GE(kept.size(), 3);
  // Each committed bill is whole in the database or in the copy kept by the restore after it.
  const QStringList posted = out.split('\n', Qt::SkipEmptyParts);
  EXPECT_EQ(posted.size(), 150);
  for (const QString& line : posted) {
    const QString tag = line.section(' ', 1);
    int lines = linesOf(db, tag);
    for (const QString& k : kept) lines += linesOf(k, tag);
    EXPECT_EQ(lines, 3) << tag.toStdString();
  }
  EXPECT_EQ(problem(db), "");
  for (const QString& k : kept) EXPECT_EQ(problem(k), "") << k.toStdString();
}

// Two tills restore in the same second while a third holds a write transaction: both wait for
// the lock, and each keeps what it replaced under a name of its own, so the data from before both
// restores is in one of the kept copies.
TEST_F(DbFileProcesses, TwoRestoresAtOnceEachKeepWhatTheyReplaced) {
  const QString db = dir + "/shop.db";
  ASSERT_TRUE(QFile::copy(pristine, db));
  QProcess holder;
  holder.start(testenv::tillProgram(), {"hold-write-then-read", db, "2500", "2500"});
  ASSERT_TRUE(holder.waitForReadyRead(10000));
  ASSERT_EQ(holder.readLine().trimmed(), "held");
  QProcess first, second;
  for (QProcess* p : {&first, &second}) p->start(testenv::tillProgram(), {"restore", db, backup});
  QStringList kept;
  for (QProcess* p : {&first, &second}) {
    ASSERT_TRUE(p->waitForFinished(30000));
    const QString out = QString::fromUtf8(p->readAllStandardOutput()).trimmed();
    ASSERT_TRUE(out.startsWith("ok ")) << out.toStdString();
    kept << out.mid(3);
  }
  ASSERT_TRUE(holder.waitForFinished(20000));
  kept.sort();
  const QString stem = dir + "/shop-before-restore-20240315-103000";
  EXPECT_EQ(kept, (QStringList{stem + "-2.bak", stem + ".bak"}));
  EXPECT_EQ(keptCopies(dir).size(), 2);
  QList<int> bills;
  for (const QString& k : kept) {
    int n = 0;
    EXPECT_EQ(problem(k, &n), "") << k.toStdString();
    bills << n;
  }
  std::sort(bills.begin(), bills.end());
  EXPECT_EQ(bills, (QList<int>{10, 400})) << "the data from before both restores is in no kept copy";
  int now = 0;
  EXPECT_EQ(problem(db, &now), "");
  EXPECT_EQ(now, 10);
  EXPECT_EQ(temporaries(dir), QStringList{});
}

// A link named like a temporary of the program, pointing at a pipe, is not followed, opened or
// removed by the sweep of stale temporaries: the backup ends at once and leaves it as it was.
TEST_F(DbFileProcesses, TheSweepNeverFollowsALinkOrOpensAPipe) {
  const QString db = dir + "/shop.db";
  ASSERT_TRUE(QFile::copy(pristine, db));
  const QString elsewhere = testenv::tempDir();
  const QString fifo = elsewhere + "/pipe";
  ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  QFile plain(elsewhere + "/plain");
  ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
  plain.write("the shop's own file");
  plain.close();
  // Beside the backup's target and the database: a link to the pipe, one with a journal beside
  // it, a pipe itself with one, and a link to a regular file; none is a temporary this program made.
  const QString target = dir + "/copy.bak";
  for (const QString& base : {target, db}) {
    ASSERT_TRUE(QFile::link(fifo, base + ".~pos-temp-Pipe01"));
    ASSERT_TRUE(QFile::link(fifo, base + ".~pos-temp-Pipe02"));
    ASSERT_EQ(mkfifo(QFile::encodeName(base + ".~pos-temp-Pipe03").constData(), 0600), 0);
    for (const char* j : {".~pos-temp-Pipe02-journal", ".~pos-temp-Pipe03-journal"}) {
      QFile journal(base + j);
      ASSERT_TRUE(journal.open(QIODevice::WriteOnly));
    }
    ASSERT_TRUE(QFile::link(elsewhere + "/plain", base + ".~pos-temp-Plain1"));
  }
  const QStringList before = QDir(dir).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
  for (const char* what : {"backup", "restore"}) {
    SCOPED_TRACE(what);
    QElapsedTimer t;
    t.start();
    const TillRun r = till({what, db, QString(what) == "backup" ? target : backup}, {}, 10000);
    EXPECT_FALSE(r.killed) << "the sweep hung on the pipe";
    EXPECT_TRUE(r.out.startsWith("ok")) << r.out.toStdString();
    EXPECT_LT(t.elapsed(), 5000);
  }
  QStringList after = QDir(dir).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
  after.removeAll("copy.bak");
  after.removeAll("shop-before-restore-20240315-103000.bak");
  EXPECT_EQ(after, before);
  EXPECT_EQ(QFileInfo(target + ".~pos-temp-Pipe01").symLinkTarget(), fifo);
  QFile mine(elsewhere + "/plain");
  ASSERT_TRUE(mine.open(QIODevice::ReadOnly));
  EXPECT_EQ(mine.readAll(), QByteArray("the shop's own file"));
  EXPECT_EQ(problem(target), "");
}

TEST_F(DbFileProcesses, TheBackupWaitsForAnotherTillAndNamesTheDatabaseWhenItStaysBusy) {
  const QString db = dir + "/shop.db";
  ASSERT_TRUE(QFile::copy(pristine, db));
  const QString target = dir + "/copy.bak";
  for (const int holdMs : {1500, 7000}) {
    SCOPED_TRACE(holdMs);
    QProcess holder;
    holder.start(testenv::tillProgram(), {"hold", db, QString::number(holdMs)});
    ASSERT_TRUE(holder.waitForReadyRead(10000));
    ASSERT_EQ(holder.readLine().trimmed(), "held");
    QElapsedTimer t;
    t.start();
    if (holdMs < data::kBusyWaitMs) {
      EXPECT_NO_THROW(data::backupDatabase(db, target));
      EXPECT_GE(t.elapsed(), 1000);
      EXPECT_EQ(problem(target), "");
    } else {
      try {
        data::backupDatabase(db, target);
        ADD_FAILURE() << "the backup did not wait";
      } catch (const data::DbError& e) {
        EXPECT_TRUE(e.busy());
        EXPECT_TRUE(e.text().contains(db) && e.text().contains("busy")) << e.text().toStdString();
        EXPECT_FALSE(e.text().contains("copy.bak")) << e.text().toStdString();
      }
      EXPECT_GE(t.elapsed(), data::kBusyWaitMs - 100);
    }
    holder.waitForFinished(20000);
  }
  EXPECT_EQ(temporaries(dir), QStringList{});
}

// A till holding the write lock for 4 s and reading beside it for longer stands in the restore's
// way at two of its locks in turn: the restore waits once, at most kBusyWaitMs in all, calling
// back all along so its window can repaint, and then changes nothing.
TEST_F(DbFileProcesses, ARestoreBesideABusyTillWaitsOnceInAll) {
  const QString db = dir + "/shop.db";
  ASSERT_TRUE(QFile::copy(pristine, db));
  auto bytes = [&] {
    QFile f(db);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
  };
  const QByteArray before = bytes();
  QProcess holder;
  holder.start(testenv::tillProgram(), {"hold-write-then-read", db, "4000", "12000"});
  ASSERT_TRUE(holder.waitForReadyRead(10000));
  ASSERT_EQ(holder.readLine().trimmed(), "held");
  QElapsedTimer t;
  t.start();
  int calls = 0;
  qint64 longestGap = 0, last = 0;
  try {
    data::restoreDatabase(db, backup, kWhen, [&] {
      ++calls;
      longestGap = std::max(longestGap, t.elapsed() - last);
      last = t.elapsed();
    });
    ADD_FAILURE() << "the restore went past a till that kept reading";
  } catch (const data::DbError& e) {
    EXPECT_TRUE(e.busy()) << e.text().toStdString();
  }
  const qint64 waited = t.elapsed();
  EXPECT_GE(waited, 4000);
  EXPECT_LE(waited, data::kBusyWaitMs + 500);
  EXPECT_GT(calls, 100);
  EXPECT_LE(longestGap, 250);
  holder.waitForFinished(20000);
  EXPECT_EQ(bytes(), before);
  EXPECT_EQ(keptCopies(dir), QStringList{});
  EXPECT_EQ(temporaries(dir), QStringList{});
}

TEST_F(DbFileProcesses, AFullDiskIsToldAsAFullDiskAndChangesNothing) {
  const QString db = dir + "/shop.db";
  ASSERT_TRUE(QFile::copy(pristine, db));
  const QByteArray before = [&] {
    QFile f(db);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
  }();
  for (const char* what : {"backup", "restore"}) {
    for (const char* bytes : {"0", "5000", "150000"}) {
      SCOPED_TRACE(std::string(what) + " " + bytes);
      const TillRun r = till({what, db, QString(what) == "backup" ? dir + "/copy.bak" : backup},
                             {QString("TILL_DISK_BYTES=") + bytes});
      EXPECT_TRUE(r.out.startsWith("error ") && r.out.contains("No space left on device"))
          << r.out.toStdString();
      QFile f(db);
      f.open(QIODevice::ReadOnly);
      EXPECT_EQ(f.readAll(), before);
      EXPECT_EQ(QDir(dir).entryList(QDir::Files), QStringList{"shop.db"});
    }
  }
}

// A kept copy of an earlier version took the database's hot journal along: SQLite plays the
// journal back on a private copy, and the chosen file and its journal stay as they are.
TEST_F(DbFileProcesses, ABackupWithAHotJournalBesideItIsRestoredAsSQLiteWouldReadIt) {
  const QString other = testenv::tempDir();
  const QString source = other + "/kept.bak";
  ASSERT_TRUE(QFile::copy(pristine, source));
  crashedWriter(source);
  auto bytes = [](const QString& p) {
    QFile f(p);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
  };
  const QByteArray file = bytes(source), journal = bytes(source + "-journal");
  EXPECT_TRUE(data::checkDatabaseFile(source).ok()) << data::checkDatabaseFile(source).detail.toStdString();
  const QString db = shopDb(dir + "/shop.db", 10);
  data::restoreDatabase(db, source, kWhen);
  int bills = 0;
  EXPECT_EQ(problem(db, &bills), "");
  EXPECT_EQ(bills, 400);
  EXPECT_EQ(bytes(source), file);
  EXPECT_EQ(bytes(source + "-journal"), journal);
  EXPECT_EQ(QDir(other).entryList(QDir::Files), (QStringList{"kept.bak", "kept.bak-journal"}));
  EXPECT_EQ(temporaries(dir), QStringList{});
}

// A temporary that a running backup holds is not stale: only what a killed process left goes.
TEST_F(DbFileProcesses, OnlyTemporariesNoProcessHoldsAreRemoved) {
  const QString db = dir + "/shop.db";
  ASSERT_TRUE(QFile::copy(pristine, db));
  const QString target = dir + "/copy.bak";
  for (const char* f :
       {"copy.bak.~pos-temp-Ab12Cd", "copy.bak.~pos-temp-Ab12Cd-journal", "copy.bak.~pos-temp-Orphan-journal",
        "copy.bak.~pos-temp-Held99", "copy.bak.notes.txt", "other.bak.~pos-temp-Zz99Zz", "copy.bak.Ab12Cd"}) {
    QFile w(dir + "/" + f);
    ASSERT_TRUE(w.open(QIODevice::WriteOnly));
    w.write("left");
  }
  QFile held(dir + "/copy.bak.~pos-temp-Held99");
  ASSERT_TRUE(held.open(QIODevice::ReadOnly));
  ASSERT_EQ(flock(held.handle(), LOCK_EX | LOCK_NB), 0);
  data::backupDatabase(db, target);
  QStringList left = QDir(dir).entryList(QDir::Files);
  left.sort();
  EXPECT_EQ(left, (QStringList{"copy.bak", "copy.bak.Ab12Cd", "copy.bak.notes.txt",
                               "copy.bak.~pos-temp-Held99", "other.bak.~pos-temp-Zz99Zz", "shop.db"}));
}

// Copies the shop made by hand beside the database and its backup, named like the program's
// temporaries but without their mark, each with a journal beside it: they stay byte for byte
// through backups, restores and ones killed part-way, while what the killed ones left is swept.
TEST_F(DbFileProcesses, TheShopsOwnCopiesBesideTheDatabaseSurviveEveryBackupAndRestore) {
  const QString db = dir + "/Kelvantorium.db";
  ASSERT_TRUE(QFile::copy(pristine, db));
  const QString target = dir + "/Kelvantorium.bak";
  QMap<QString, QByteArray> mine;
  for (const char* name : {"Kelvantorium.db.backup", "Kelvantorium.db.friday", "Kelvantorium.bak.Monday",
                           "Kelvantorium.db.copy-1", "Kelvantorium.db.201224"})
    for (const char* twin : {"", "-journal"}) {
      const QString path = dir + "/" + name + twin;
      QFile f(path);
      ASSERT_TRUE(f.open(QIODevice::WriteOnly));
      mine.insert(path, ("the shop's own " + QFileInfo(path).fileName()).toUtf8());
      f.write(mine.value(path));
    }
  auto expectMineWhole = [&](const QString& after) {
    for (auto it = mine.cbegin(); it != mine.cend(); ++it) {
      QFile f(it.key());
      EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << after.toStdString() << ": " << it.key().toStdString();
      EXPECT_EQ(f.readAll(), it.value()) << after.toStdString() << ": " << it.key().toStdString();
    }
  };
  EXPECT_EQ(till({"backup", db, target}).out, "ok");
  expectMineWhole("a backup");
  EXPECT_EQ(till({"restore", db, target}).out.left(3), "ok ");
  expectMineWhole("a restore");
  bool leftovers = false;
  for (const char* what : {"backup", "restore"}) {
    for (int n = 1;; ++n) {
      const QString step = QString("%1 killed at %2").arg(what).arg(n);
      const TillRun r = till({what, db, target}, {QString("TILL_KILL_AT=%1").arg(n)});
      expectMineWhole(step);
      if (!r.killed) break;
      leftovers = leftovers || !temporaries(dir).isEmpty();
      EXPECT_TRUE(till({what, db, target}).out.startsWith("ok")) << step.toStdString();
      expectMineWhole("the run after the " + step);
      EXPECT_EQ(temporaries(dir), QStringList{}) << step.toStdString();
    }
  }
  EXPECT_TRUE(leftovers) << "no kill left a temporary for the next run to sweep";
  EXPECT_EQ(problem(db), "");
}

}  // namespace
