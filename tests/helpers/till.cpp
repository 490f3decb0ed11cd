// A second copy of the program for the tests that need a real other process on the same
// database file:
//   till post <db> <bills> <gap-ms> <tag>  posts bills of three lines (Employee "<tag>-<n>"), printing
//                                          "posted <tag>-<n>" after each commit; "failed <text>" ends it
//   till hold <db> <ms>                    holds an exclusive lock, printing "held" once it has it
//   till hold-write-then-read <db> <write-ms> <read-ms>
//                                          holds the write lock for write-ms, and a read that began
//                                          beside it until read-ms, printing "held" once it has both
//   till crash-mid-write <db>              dies in the middle of a write that reached the file
//   till backup <db> <target>              prints "ok" or "error <text>"
//   till restore <db> <source>             prints "ok <kept copy>", "refused <text>" or "error <text>"
// For backup and restore, TILL_KILL_AT=n kills the process just before its n-th rename (renameat2 too),
// fsync, fdatasync or unlink, and TILL_DISK_BYTES=n makes the disk full after n more bytes are written.
#include <dlfcn.h>
#include <signal.h>
#include <sqlite3.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDate>
#include <QFile>
#include <QThread>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "data/db.h"
#include "data/dbfile.h"
#include "sale/posting.h"

namespace {

std::atomic<bool> g_armed{false};
long g_killAt = 0;
long g_calls = 0;
long long g_diskLeft = -1;

void step() {
  if (g_armed && g_killAt > 0 && ++g_calls == g_killAt) ::kill(::getpid(), SIGKILL);
}

template <typename F>
F next(const char* name) {
  return reinterpret_cast<F>(::dlsym(RTLD_NEXT, name));
}

// How much of a write of n bytes the full disk still takes; -1 with ENOSPC when none.
ssize_t allowed(size_t n) {
  if (!g_armed || g_diskLeft < 0) return static_cast<ssize_t>(n);
  if (g_diskLeft == 0) {
    errno = ENOSPC;
    return -1;
  }
  const auto take = static_cast<ssize_t>(std::min<long long>(g_diskLeft, static_cast<long long>(n)));
  g_diskLeft -= take;
  return take;
}

}  // namespace

// The file operations of this process, SQLite's included, pass through here.
extern "C" {
int rename(const char* a, const char* b) {
  step();
  return next<int (*)(const char*, const char*)>("rename")(a, b);
}
int renameat2(int fromDir, const char* a, int toDir, const char* b, unsigned int flags) {
  step();
  return next<int (*)(int, const char*, int, const char*, unsigned int)>("renameat2")(fromDir, a, toDir, b,
                                                                                      flags);
}
int fsync(int fd) {
  step();
  return next<int (*)(int)>("fsync")(fd);
}
int fdatasync(int fd) {
  step();
  return next<int (*)(int)>("fdatasync")(fd);
}
int unlink(const char* p) {
  step();
  return next<int (*)(const char*)>("unlink")(p);
}
ssize_t write(int fd, const void* b, size_t n) {
  const ssize_t k = fd > 2 ? allowed(n) : static_cast<ssize_t>(n);
  return k < 0 ? -1 : next<ssize_t (*)(int, const void*, size_t)>("write")(fd, b, static_cast<size_t>(k));
}
ssize_t pwrite(int fd, const void* b, size_t n, off_t o) {
  const ssize_t k = allowed(n);
  return k < 0
             ? -1
             : next<ssize_t (*)(int, const void*, size_t, off_t)>("pwrite")(fd, b, static_cast<size_t>(k), o);
}
ssize_t pwrite64(int fd, const void* b, size_t n, off64_t o) {
  const ssize_t k = allowed(n);
  return k < 0 ? -1
               : next<ssize_t (*)(int, const void*, size_t, off64_t)>("pwrite64")(fd, b,
                                                                                  static_cast<size_t>(k), o);
}
}

namespace {

void say(const QString& line) {
  std::fputs((line + QLatin1Char('\n')).toUtf8().constData(), stdout);
  std::fflush(stdout);
}

void arm() {
  g_killAt = std::atol(qgetenv("TILL_KILL_AT").constData());
  const QByteArray disk = qgetenv("TILL_DISK_BYTES");
  if (!disk.isEmpty()) g_diskLeft = disk.toLongLong();
  g_armed = true;
}

int post(const QString& db, int bills, int gapMs, const QString& tag) {
  data::Conn().open(db);
  for (int i = 1; i <= bills; ++i) {
    sale::Posting p;
    p.employee = QStringLiteral("%1-%2").arg(tag).arg(i);
    p.received = 100;
    for (int l = 0; l < 3; ++l) p.lines.push_back({QStringLiteral("A1"), 1, 10, QStringLiteral("10:00:00")});
    try {
      sale::postBill(p, QDate(2024, 3, 15), false);
    } catch (const std::exception& e) {
      say(QStringLiteral("failed ") + QString::fromUtf8(e.what()));
      return 3;
    }
    say(QStringLiteral("posted ") + p.employee);
    QThread::msleep(static_cast<unsigned long>(gapMs));
  }
  return 0;
}

int hold(const QString& db, int ms) {
  sqlite3* h = nullptr;
  if (sqlite3_open_v2(QFile::encodeName(db).constData(), &h, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK ||
      sqlite3_exec(h, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr) != SQLITE_OK) {
    say(QStringLiteral("failed ") + QString::fromUtf8(sqlite3_errmsg(h)));
    return 3;
  }
  say(QStringLiteral("held"));
  QThread::msleep(static_cast<unsigned long>(ms));
  sqlite3_exec(h, "COMMIT", nullptr, nullptr, nullptr);
  sqlite3_close(h);
  return 0;
}

int holdWriteThenRead(const QString& db, int writeMs, int readMs) {
  const QByteArray path = QFile::encodeName(db);
  sqlite3* writer = nullptr;
  sqlite3* reader = nullptr;
  if (sqlite3_open_v2(path.constData(), &writer, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK ||
      sqlite3_open_v2(path.constData(), &reader, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK ||
      sqlite3_exec(writer, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK ||
      sqlite3_exec(reader, "BEGIN; SELECT COUNT(*) FROM Sell", nullptr, nullptr, nullptr) != SQLITE_OK) {
    say(QStringLiteral("failed ") + QString::fromUtf8(sqlite3_errmsg(writer)));
    return 3;
  }
  say(QStringLiteral("held"));
  QThread::msleep(static_cast<unsigned long>(writeMs));
  sqlite3_exec(writer, "COMMIT", nullptr, nullptr, nullptr);
  QThread::msleep(static_cast<unsigned long>(std::max(0, readMs - writeMs)));
  sqlite3_exec(reader, "COMMIT", nullptr, nullptr, nullptr);
  sqlite3_close(writer);
  sqlite3_close(reader);
  return 0;
}

// Changes every product and deletes every other bill with a page cache too small to hold the
// change, so pages reach the file before the commit; then dies, leaving a hot journal.
int crashMidWrite(const QString& db) {
  sqlite3* h = nullptr;
  sqlite3_open_v2(QFile::encodeName(db).constData(), &h, SQLITE_OPEN_READWRITE, nullptr);
  sqlite3_exec(h,
               "PRAGMA cache_size = 2; BEGIN; UPDATE Product SET Quantity = Quantity + 1000, "
               "PName = PName || ' changed'; DELETE FROM Sell WHERE Comment % 2 = 0",
               nullptr, nullptr, nullptr);
  ::kill(::getpid(), SIGKILL);
  return 3;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QStringList a = app.arguments();
  const QString what = a.value(1);
  if (what == QLatin1String("post") && a.size() == 6) return post(a[2], a[3].toInt(), a[4].toInt(), a[5]);
  if (what == QLatin1String("hold") && a.size() == 4) return hold(a[2], a[3].toInt());
  if (what == QLatin1String("hold-write-then-read") && a.size() == 5)
    return holdWriteThenRead(a[2], a[3].toInt(), a[4].toInt());
  if (what == QLatin1String("crash-mid-write") && a.size() == 3) return crashMidWrite(a[2]);
  if ((what == QLatin1String("backup") || what == QLatin1String("restore")) && a.size() == 4) {
    QString line;
    arm();
    try {
      if (what == QLatin1String("backup")) {
        data::backupDatabase(a[2], a[3]);
        line = QStringLiteral("ok");
      } else {
        line = QStringLiteral("ok ") +
               data::restoreDatabase(a[2], a[3], QDateTime(QDate(2024, 3, 15), QTime(10, 30)));
      }
    } catch (const data::RefusedFile& e) {
      line = QStringLiteral("refused ") + e.text();
    } catch (const data::DbError& e) {
      line = QStringLiteral("error ") + e.text();
    }
    g_armed = false;
    say(line);
    return 0;
  }
  say(QStringLiteral("usage: till post|hold|hold-write-then-read|crash-mid-write|backup|restore ..."));
  return 2;
}
