#include "data/dbfile.h"

#include <fcntl.h>
#include <limits.h>
#include <sqlite3.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <functional>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

#include "template_schema.h"

namespace data {

namespace {

const QByteArray kHeader("SQLite format 3\0", 16);

using Kind = FileReason::Kind;
using plat::ui::Lang;

QString shown(const QString& path) { return QDir::toNativeSeparators(path); }
bool busyCode(int rc) { return (rc & 0xff) == SQLITE_BUSY || (rc & 0xff) == SQLITE_LOCKED; }

// Every reason in both languages: %1 is the path, %2 the table, %3 the column. The system's or
// SQLite's reason follows after ": " where there is one.
struct ReasonText {
  Kind kind;
  const char* english;
  const char* thai;
};
// clang-format off
const ReasonText kReasons[] = {
  {Kind::Missing, "Could not find file '%1'.", "ไม่พบแฟ้ม '%1'"},
  {Kind::Folder, "'%1' is a folder, not a file.", "'%1' เป็นโฟลเดอร์ ไม่ใช่แฟ้ม"},
  {Kind::NotAFile, "'%1' exists but is not a file (it is a device or a pipe).",
   "'%1' มีอยู่ แต่ไม่ใช่แฟ้มข้อมูล (เป็นอุปกรณ์หรือท่อส่งข้อมูล)"},
  {Kind::Unreadable, "Could not open file '%1'", "เปิดแฟ้ม '%1' ไม่ได้"},
  {Kind::Empty, "'%1' is empty.", "แฟ้ม '%1' ว่างเปล่า ไม่มีข้อมูลอยู่เลย"},
  {Kind::NotSqlite, "'%1' is not a database file.", "'%1' ไม่ใช่แฟ้มฐานข้อมูล"},
  {Kind::NoTable, "'%1' is not a database of this program (table %2 is missing).",
   "'%1' ไม่ใช่ฐานข้อมูลของโปรแกรมนี้ (ไม่มีตาราง %2)"},
  {Kind::NoColumn, "'%1' is not a database of this program (table %2 has no column %3).",
   "'%1' ไม่ใช่ฐานข้อมูลของโปรแกรมนี้ (ตาราง %2 ไม่มีช่องข้อมูล %3)"},
  {Kind::Damaged, "'%1' is damaged", "แฟ้ม '%1' เสียหาย อ่านข้อมูลได้ไม่ครบ"},
  {Kind::WalMode,
   "'%1' is kept in WAL mode, with part of its data in files beside it; make the backup copy with "
   "this program's backup instead.",
   "'%1' เก็บข้อมูลบางส่วนไว้ในแฟ้มอื่นข้างกัน โปรดทำสำเนาด้วยการเก็บข้อมูลสำรองของโปรแกรมนี้แทน"},
  {Kind::InUse, "'%1' is the database in use.", "'%1' คือฐานข้อมูลที่กำลังใช้อยู่"},
  {Kind::JournalUnplayed, "The journal beside '%1' could not be played back",
   "นำบันทึกการเปลี่ยนแปลงที่อยู่ข้างแฟ้ม '%1' กลับมาใช้ไม่ได้"},
  {Kind::CannotRead, "Could not read '%1'", "อ่านแฟ้ม '%1' ไม่ได้"},
  {Kind::CannotWrite, "Could not write '%1'", "เขียนแฟ้ม '%1' ไม่ได้"},
  {Kind::NoFileName, "No file name was given.", "ไม่ได้ระบุชื่อแฟ้ม"},
};

// The system's reasons a user meets here, in Thai; in English they are the system's own words.
const struct {
  int err;
  const char* thai;
} kSystemReasons[] = {
  {ENOENT, "ไม่มีแฟ้มหรือโฟลเดอร์นี้"},
  {EACCES, "ไม่มีสิทธิ์เข้าถึง"},
  {EPERM, "ไม่ได้รับอนุญาตให้ทำเช่นนี้"},
  {EROFS, "ดิสก์นี้อ่านได้อย่างเดียว เขียนไม่ได้"},
  {ENOSPC, "ดิสก์เต็ม"},
  {EDQUOT, "ใช้พื้นที่ดิสก์เกินส่วนที่ได้รับ"},
  {EFBIG, "แฟ้มใหญ่เกินไป"},
  {EISDIR, "เป็นโฟลเดอร์"},
  {ENOTDIR, "ส่วนหนึ่งของตำแหน่งไม่ใช่โฟลเดอร์"},
  {ENAMETOOLONG, "ชื่อแฟ้มยาวเกินไป"},
  {ELOOP, "ลิงก์ซ้อนกันมากเกินไป"},
  {EIO, "อ่านหรือเขียนดิสก์ไม่สำเร็จ"},
  {ENXIO, "ไม่พบอุปกรณ์"},
  {ENODEV, "ไม่พบอุปกรณ์"},
};
// clang-format on

QString systemReason(int err, Lang lang) {
  if (lang == Lang::Thai) {
    for (const auto& r : kSystemReasons)
      if (r.err == err) return QString::fromUtf8(r.thai);
    return QStringLiteral("ระบบแจ้งข้อผิดพลาดหมายเลข %1").arg(err);
  }
  return QString::fromLocal8Bit(std::strerror(err));
}

[[noreturn]] void fail(FileReason r) { throw FileError(std::move(r)); }

DbError busyError(const QString& dbPath) {
  return DbError(QStringLiteral("The database '%1' is busy: another copy of the program is writing to it.")
                     .arg(shown(dbPath)),
                 true);
}

// One wait for other copies of the program shared by every lock a backup or restore takes: it
// ends kBusyWaitMs after it began, however many locks it waited at.
struct SharedWait {
  explicit SharedWait(WhileWaiting w)
      : until(std::chrono::steady_clock::now() + std::chrono::milliseconds(kBusyWaitMs)),
        waiting(std::move(w)) {}
  std::chrono::steady_clock::time_point until;
  WhileWaiting waiting;
};

// SQLite's busy handler for a SharedWait: a short sleep, then the caller's turn, until the end.
int waitTurn(void* p, int) {
  auto* w = static_cast<SharedWait*>(p);
  const auto left = w->until - std::chrono::steady_clock::now();
  if (left <= std::chrono::steady_clock::duration::zero()) return 0;
  if (w->waiting) w->waiting();
  std::this_thread::sleep_for(
      std::min<std::chrono::steady_clock::duration>(left, std::chrono::milliseconds(20)));
  return 1;
}

// One SQLite connection of its own, closed on every path. It waits for other connections as the
// shared connection does.
class Handle {
 public:
  Handle(const QString& path, int flags) {
    rc_ = sqlite3_open_v2(QFile::encodeName(path).constData(), &db_, flags, nullptr);
    if (rc_ == SQLITE_OK) {
      sqlite3_extended_result_codes(db_, 1);
      sqlite3_busy_timeout(db_, kBusyWaitMs);
    }
  }
  ~Handle() { sqlite3_close_v2(db_); }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;

  // Waits for other connections within wait, which must outlive this handle.
  void share(SharedWait* wait) {
    if (db_) sqlite3_busy_handler(db_, waitTurn, wait);
  }
  bool opened() const { return rc_ == SQLITE_OK; }
  sqlite3* get() const { return db_; }
  QString error() const {
    return db_ ? QString::fromUtf8(sqlite3_errmsg(db_)) : QStringLiteral("out of memory");
  }
  int code() const { return db_ ? sqlite3_extended_errcode(db_) : SQLITE_NOMEM; }

  // Runs sql (with one text bound when bind is given) and collects the first column of each row;
  // false with *error on failure.
  bool column(const char* sql, QStringList* out, QString* error, const QString* bind = nullptr) {
    sqlite3_stmt* st = nullptr;
    int rc = sqlite3_prepare_v2(db_, sql, -1, &st, nullptr);
    const QByteArray b = bind ? bind->toUtf8() : QByteArray();
    if (rc == SQLITE_OK && bind) rc = sqlite3_bind_text(st, 1, b.constData(), -1, SQLITE_TRANSIENT);
    if (rc == SQLITE_OK)
      while ((rc = sqlite3_step(st)) == SQLITE_ROW)
        *out << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    sqlite3_finalize(st);
    if (rc == SQLITE_DONE) return true;
    *error = this->error();
    return false;
  }
  bool exec(const char* sql, QString* error) {
    if (sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) == SQLITE_OK) return true;
    *error = this->error();
    return false;
  }

 private:
  sqlite3* db_ = nullptr;
  int rc_ = SQLITE_ERROR;
};

// Why an SQLite write to path failed: the system's reason where the system gave one.
FileReason writeFailure(const QString& path, sqlite3* db, int rc) {
  if ((rc & 0xff) == SQLITE_FULL) return FileReason(Kind::CannotWrite, path, ENOSPC);
  if ((rc & 0xff) == SQLITE_IOERR && sqlite3_system_errno(db) != 0)
    return FileReason(Kind::CannotWrite, path, sqlite3_system_errno(db));
  return FileReason(Kind::CannotWrite, path, 0, QString::fromUtf8(sqlite3_errmsg(db)));
}

bool syncFolder(const QString& path) {
  const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool ok = ::fsync(fd) == 0;
  ::close(fd);
  return ok;
}

// The mark in the name of every temporary of a backup or restore, <target>.~pos-temp-XXXXXX: the
// sweep removes only names carrying it, so a copy the user made beside the target is never taken
// for one.
const char kScratchMark[] = ".~pos-temp-";

// A temporary file <target>.~pos-temp-XXXXXX, locked with flock while this object lives so that
// another process's sweep of stale temporaries leaves it alone; removed with its journal unless
// released.
class Scratch {
 public:
  Scratch(const QString& target, const QString& like) {
    QByteArray name = QFile::encodeName(QFileInfo(target).absoluteFilePath()) + kScratchMark + "XXXXXX";
    fd_ = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd_ < 0) fail(FileReason(Kind::CannotWrite, target, errno));
    ::flock(fd_, LOCK_EX | LOCK_NB);
    path_ = QFile::decodeName(name);
    struct stat st {};
    if (::stat(QFile::encodeName(like).constData(), &st) == 0) ::fchmod(fd_, st.st_mode & 07777);
  }
  ~Scratch() {
    if (!released_)
      for (const char* s : {"", "-journal"}) ::unlink((QFile::encodeName(path_) + s).constData());
    ::close(fd_);
  }
  Scratch(const Scratch&) = delete;
  Scratch& operator=(const Scratch&) = delete;

  const QString& path() const { return path_; }
  int fd() const { return fd_; }
  // The file was renamed to its place: nothing to remove.
  void release() { released_ = true; }

 private:
  QString path_;
  int fd_ = -1;
  bool released_ = false;
};

// True when path is a regular file itself, not a link, a pipe or a device.
bool plainFile(const QByteArray& path) {
  struct stat st {};
  return ::lstat(path.constData(), &st) == 0 && S_ISREG(st.st_mode);
}

// Removes the temporaries (<target>.~pos-temp-XXXXXX and their journals) that a process killed in
// a backup or restore of target left; one that a running process holds locked stays. Only regular
// files are touched: a link or a pipe under such a name is never followed, opened or removed.
void sweepStale(const QString& target) {
  const QFileInfo fi(target);
  const QRegularExpression re(QStringLiteral("^%1%2[A-Za-z0-9]{6}(-journal)?$")
                                  .arg(QRegularExpression::escape(fi.fileName()),
                                       QRegularExpression::escape(QLatin1String(kScratchMark))));
  const QDir dir = fi.absoluteDir();
  for (const QString& name :
       dir.entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot)) {
    const QRegularExpressionMatch m = re.match(name);
    if (!m.hasMatch()) continue;
    const QByteArray self = QFile::encodeName(dir.filePath(name));
    if (!plainFile(self)) continue;
    const QByteArray main = QFile::encodeName(dir.filePath(m.captured(1).isEmpty() ? name : name.chopped(8)));
    const int fd = ::open(main.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
      if (errno == ENOENT) ::unlink(self.constData());  // an orphan journal
      continue;
    }
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
      if (plainFile(main + "-journal")) ::unlink((main + "-journal").constData());
      ::unlink(main.constData());
    }
    ::close(fd);
  }
}

// Copies the file at from into fd, a short write continued until all is written.
void copyInto(const QString& from, int fd, const QString& shownTarget) {
  const int in = ::open(QFile::encodeName(from).constData(), O_RDONLY | O_CLOEXEC);
  if (in < 0) fail(FileReason(Kind::CannotRead, from, errno));
  std::vector<char> buf(1 << 20);
  std::optional<FileReason> error;
  for (;;) {
    const ssize_t n = ::read(in, buf.data(), buf.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) error = FileReason(Kind::CannotRead, from, errno);
    if (n <= 0) break;
    for (ssize_t done = 0; done < n && !error;) {
      const ssize_t w = ::write(fd, buf.data() + done, static_cast<size_t>(n - done));
      if (w < 0 && errno == EINTR) continue;
      // A write that takes nothing without a reason is a full disk.
      if (w <= 0)
        error = FileReason(Kind::CannotWrite, shownTarget, w < 0 ? errno : ENOSPC);
      else
        done += w;
    }
    if (error) break;
  }
  ::close(in);
  if (error) fail(*error);
}

// Copies the database of from into scratch, a new file of its own. target and dbPath name the
// copy and the database in the reasons.
void copyToScratch(sqlite3* from, const Scratch& scratch, const QString& target, const QString& dbPath) {
  QString words;
  Handle dst(scratch.path(), SQLITE_OPEN_READWRITE);
  // No journal, and one sync once the copy is whole.
  if (!dst.opened())
    words = dst.error();
  else if (dst.exec("PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF", &words)) {
    sqlite3_backup* b = sqlite3_backup_init(dst.get(), "main", from, "main");
    if (!b) {
      words = dst.error();
    } else {
      const int rc = sqlite3_backup_step(b, -1);
      sqlite3_backup_finish(b);
      if (busyCode(rc)) throw busyError(dbPath);
      if (rc != SQLITE_DONE) fail(writeFailure(target, dst.get(), rc));
    }
  }
  if (!words.isEmpty()) fail(FileReason(Kind::CannotWrite, target, 0, words));
}

// Syncs scratch and renames it to target.
void putInPlace(Scratch& scratch, const QString& target) {
  if (::fsync(scratch.fd()) != 0 ||
      ::rename(QFile::encodeName(scratch.path()).constData(), QFile::encodeName(target).constData()) != 0)
    fail(FileReason(Kind::CannotWrite, target, errno));
  scratch.release();
  syncFolder(QFileInfo(target).absolutePath());
}

// Renames from to to unless a file (a link included) is named to: false with EEXIST then.
bool renameNoReplace(const QByteArray& from, const QByteArray& to) {
  if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  // A file system without it: a new file made only where nothing is holds the name, and only that
  // file of our own is replaced.
  const int fd = ::open(to.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  ::close(fd);
  if (::rename(from.constData(), to.constData()) == 0) return true;
  const int err = errno;
  ::unlink(to.constData());
  errno = err;
  return false;
}

// <folder>/<name>-before-restore-<yyyyMMdd-HHmmss>.bak, and from n = 2 on ...-<n>.bak.
QString keptName(const QString& dbPath, const QDateTime& when, int n) {
  const QFileInfo fi(dbPath);
  const QString stem = fi.absolutePath() + QLatin1Char('/') + fi.completeBaseName() +
                       QStringLiteral("-before-restore-") + when.toString(QStringLiteral("yyyyMMdd-HHmmss"));
  return n < 2 ? stem + QStringLiteral(".bak") : stem + QStringLiteral("-%1.bak").arg(n);
}

// Syncs scratch and puts it in place under the first kept copy's name not taken, never replacing a
// file; returns that name.
QString putKeptCopy(Scratch& scratch, const QString& dbPath, const QDateTime& when) {
  if (::fsync(scratch.fd()) != 0) fail(FileReason(Kind::CannotWrite, keptName(dbPath, when, 1), errno));
  const QByteArray from = QFile::encodeName(scratch.path());
  // The rename refuses a name another process took since it was seen free: the next free one then.
  for (int tries = 0; tries < 100; ++tries) {
    const QString kept = keptCopyPath(dbPath, when);
    if (renameNoReplace(from, QFile::encodeName(kept))) {
      scratch.release();
      syncFolder(QFileInfo(kept).absolutePath());
      return kept;
    }
    if (errno != EEXIST) fail(FileReason(Kind::CannotWrite, kept, errno));
  }
  fail(FileReason(Kind::CannotWrite, keptName(dbPath, when, 1), EEXIST));
}

void writeCopy(sqlite3* from, const QString& target, const QString& like, const QString& dbPath) {
  Scratch tmp(target, like);
  copyToScratch(from, tmp, target, dbPath);
  putInPlace(tmp, target);
}

// A journal beside path that SQLite would play back before reading it.
bool hasJournal(const QString& path) { return QFileInfo(path + QStringLiteral("-journal")).size() > 0; }

// The copy at scratch of path and its journal, the journal played back by SQLite.
void rollBackCopy(const QString& path, const Scratch& scratch) {
  copyInto(path, scratch.fd(), scratch.path());
  const QString journal = scratch.path() + QStringLiteral("-journal");
  const int jfd =
      ::open(QFile::encodeName(journal).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (jfd < 0) fail(FileReason(Kind::CannotWrite, journal, errno));
  try {
    copyInto(path + QStringLiteral("-journal"), jfd, journal);
  } catch (...) {
    ::close(jfd);
    throw;
  }
  ::close(jfd);
  Handle db(scratch.path(), SQLITE_OPEN_READWRITE);
  QString error;
  if (!db.opened() || !db.exec("SELECT count(*) FROM sqlite_master", &error))
    fail(FileReason(Kind::JournalUnplayed, path, 0, db.opened() ? error : db.error()));
}

// The columns of each table of the template, lower case.
const QHash<QString, QStringList>& templateColumns() {
  static const QHash<QString, QStringList> columns = [] {
    QHash<QString, QStringList> c;
    Handle mem(QStringLiteral(":memory:"), SQLITE_OPEN_READWRITE | SQLITE_OPEN_MEMORY);
    QString error;
    if (!mem.exec(kTemplateSchema, &error)) throw DbError(error);
    for (const QString& t : Db::requiredTables()) {
      QStringList names;
      if (!mem.column("SELECT lower(name) FROM pragma_table_info(?)", &names, &error, &t))
        throw DbError(error);
      c.insert(t, names);
    }
    return c;
  }();
  return columns;
}

// The check of the file at path (a rolled-back copy, or the file itself), told with the name
// shownAs. Only the tables are looked for unless whole, which also wants every column of the
// template and a clean quick check.
DbFileCheck inspect(const QString& path, const QString& shownAs, bool whole = true) {
  Handle db(path, SQLITE_OPEN_READONLY);
  auto damaged = [&](const QString& why) {
    return DbFileCheck{DbFileFault::Damaged, FileReason(Kind::Damaged, shownAs, 0, why)};
  };
  auto notOurs = [&](const QString& table, const QString& column) {
    FileReason r(column.isEmpty() ? Kind::NoTable : Kind::NoColumn, shownAs);
    r.table = table;
    r.column = column;
    return DbFileCheck{DbFileFault::NotOurs, r};
  };
  if (!db.opened()) return {DbFileFault::Unreadable, FileReason(Kind::Unreadable, shownAs, 0, db.error())};
  QStringList tables;
  QString error;
  if (!db.column("SELECT lower(name) FROM sqlite_master WHERE type = 'table'", &tables, &error))
    return damaged(error);
  for (const QString& t : Db::requiredTables()) {
    if (!tables.contains(t.toLower())) return notOurs(t, {});
    if (!whole) continue;
    QStringList have;
    if (!db.column("SELECT lower(name) FROM pragma_table_info(?)", &have, &error, &t)) return damaged(error);
    for (const QString& c : templateColumns().value(t))
      if (!have.contains(c)) return notOurs(t, c);
  }
  if (!whole) return {};
  QStringList faults;
  if (!db.column("PRAGMA quick_check", &faults, &error)) return damaged(error);
  if (faults != QStringList{QStringLiteral("ok")}) return damaged(faults.mid(0, 3).join(QLatin1Char('\n')));
  return {};
}

// What stands at path, links followed: a regular file (None), nothing, a folder or another thing.
Kind standing(const QString& path) {
  struct stat st {};
  if (::stat(QFile::encodeName(path).constData(), &st) != 0)
    return errno == ENOENT || errno == ENOTDIR ? Kind::Missing : Kind::None;
  if (S_ISDIR(st.st_mode)) return Kind::Folder;
  return S_ISREG(st.st_mode) ? Kind::None : Kind::NotAFile;
}

// The checks made on the file's own bytes before SQLite opens it; None when SQLite may. A file
// kept in WAL mode is refused unless walAllowed.
DbFileCheck checkHeader(const QString& path, bool walAllowed = false) {
  const Kind kind = standing(path);
  if (kind == Kind::Missing) return {DbFileFault::Missing, FileReason(kind, path)};
  // Never opened: reading a pipe would wait for a writer, a device may never end.
  if (kind != Kind::None) return {DbFileFault::NotAFile, FileReason(kind, path)};
  const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return {DbFileFault::Unreadable, FileReason(Kind::Unreadable, path, errno)};
  char buf[20];
  ssize_t n;
  do n = ::pread(fd, buf, sizeof buf, 0);
  while (n < 0 && errno == EINTR);
  const int err = errno;
  ::close(fd);
  if (n < 0) return {DbFileFault::Unreadable, FileReason(Kind::Unreadable, path, err)};
  const QByteArray head(buf, static_cast<int>(n));
  if (head.isEmpty()) return {DbFileFault::NotSqlite, FileReason(Kind::Empty, path)};
  if (!head.startsWith(kHeader)) return {DbFileFault::NotSqlite, FileReason(Kind::NotSqlite, path)};
  // Bytes 18 and 19 are 2 in WAL mode: opening such a file makes files beside it, and what its
  // -wal holds would not come along.
  if (!walAllowed && head.size() >= 20 && (head[18] == 2 || head[19] == 2))
    return {DbFileFault::WalMode, FileReason(Kind::WalMode, path)};
  return {};
}

// Copies the committed bytes of db's file into fd while db holds the file's lock. Read through
// SQLite's own descriptor: closing another one of this process would drop SQLite's locks.
void copyLockedFile(sqlite3* db, int fd, const QString& dbPath, const QString& shownTarget) {
  sqlite3_file* f = nullptr;
  sqlite3_int64 size = 0;
  if (sqlite3_file_control(db, "main", SQLITE_FCNTL_FILE_POINTER, &f) != SQLITE_OK || !f || !f->pMethods ||
      f->pMethods->xFileSize(f, &size) != SQLITE_OK)
    fail(FileReason(Kind::CannotRead, dbPath));
  std::vector<char> buf(1 << 20);
  for (sqlite3_int64 off = 0; off < size;) {
    const int n =
        static_cast<int>(std::min<sqlite3_int64>(static_cast<sqlite3_int64>(buf.size()), size - off));
    if (f->pMethods->xRead(f, buf.data(), n, off) != SQLITE_OK) fail(FileReason(Kind::CannotRead, dbPath));
    for (int done = 0; done < n;) {
      const ssize_t w = ::write(fd, buf.data() + done, static_cast<size_t>(n - done));
      if (w < 0 && errno == EINTR) continue;
      // A write that takes nothing without a reason is a full disk.
      if (w <= 0) fail(FileReason(Kind::CannotWrite, shownTarget, w < 0 ? errno : ENOSPC));
      done += static_cast<int>(w);
    }
    off += n;
  }
}

// The check of checkDatabaseFile. A journal beside path is played back on a copy that makeScratch
// makes, kept in *rolled, and that copy is what is checked and what is to be read; a failure to
// make it is thrown as DbError.
DbFileCheck checkSource(const QString& path, const std::function<std::unique_ptr<Scratch>()>& makeScratch,
                        std::unique_ptr<Scratch>* rolled) {
  const DbFileCheck check = checkHeader(path);
  if (!check.ok()) return check;
  if (!hasJournal(path)) return inspect(path, path);
  *rolled = makeScratch();
  rollBackCopy(path, **rolled);
  return inspect((*rolled)->path(), path);
}

}  // namespace

DbFileCheck checkDatabaseFile(const QString& path) {
  std::optional<QTemporaryDir> dir;
  std::unique_ptr<Scratch> rolled;
  try {
    return checkSource(
        path,
        [&] {
          dir.emplace();
          if (!dir->isValid()) fail(FileReason(Kind::CannotWrite, QDir::tempPath(), 0, dir->errorString()));
          return std::make_unique<Scratch>(dir->filePath(QStringLiteral("check")), path);
        },
        &rolled);
  } catch (const FileError& e) {
    rolled.reset();
    return {DbFileFault::Damaged, e.reason()};
  } catch (const DbError& e) {
    rolled.reset();
    return {DbFileFault::Damaged, FileReason(Kind::Damaged, path, 0, e.text())};
  }
}

DbFileCheck checkDatabaseToOpen(const QString& path) {
  const DbFileCheck check = checkHeader(path, true);
  return check.ok() ? inspect(path, path, false) : check;
}

QString tell(const FileReason& r, Lang lang) {
  for (const ReasonText& t : kReasons) {
    if (t.kind != r.kind) continue;
    const QString form = QString::fromUtf8(lang == Lang::Thai ? t.thai : t.english);
    // One pass, so that a "%2" in a path stays as it is.
    const QString args[] = {shown(r.path), r.table, r.column};
    QString text;
    for (qsizetype i = 0; i < form.size(); ++i) {
      const int n = i + 1 < form.size() ? form[i + 1].digitValue() : -1;
      if (form[i] == QLatin1Char('%') && n >= 1 && n <= 3) {
        text += args[n - 1];
        ++i;
      } else {
        text += form[i];
      }
    }
    if (r.sysErr != 0)
      text += QStringLiteral(": ") + systemReason(r.sysErr, lang);
    else if (!r.words.isEmpty() && lang == Lang::English)
      text += QStringLiteral(": ") + r.words;
    return text;
  }
  return shown(r.path);
}

QString tell(const DbError& e, Lang lang) {
  if (const auto* f = dynamic_cast<const FileError*>(&e)) return tell(f->reason(), lang);
  return e.text();
}

bool sameFile(const QString& a, const QString& b) {
  auto real = [](const QString& p) {
    const QFileInfo fi(p);
    const QString c = fi.canonicalFilePath();
    return c.isEmpty() ? QDir::cleanPath(fi.absoluteFilePath()) : c;
  };
  return real(a) == real(b);
}

namespace {

// The file a path names once every symbolic link at its end is followed (a link may name a file
// that does not exist yet); the path itself when it is no link.
QString throughLinks(const QString& path) {
  QString p = QFileInfo(path).absoluteFilePath();
  for (int hops = 0; hops < 40; ++hops) {
    const QByteArray name = QFile::encodeName(p);
    struct stat st {};
    if (::lstat(name.constData(), &st) != 0 || !S_ISLNK(st.st_mode)) return p;
    QByteArray to(PATH_MAX, '\0');
    const ssize_t n = ::readlink(name.constData(), to.data(), static_cast<size_t>(to.size()));
    if (n <= 0 || n >= to.size()) return p;
    to.truncate(static_cast<int>(n));
    p = QDir::cleanPath(QFileInfo(p).absoluteDir().absoluteFilePath(QFile::decodeName(to)));
  }
  fail(FileReason(Kind::CannotWrite, path, ELOOP));
}

}  // namespace

void backupDatabase(const QString& dbPath, const QString& target, const WhileWaiting& waiting) {
  SharedWait wait(waiting);
  if (target.trimmed().isEmpty()) fail(FileReason(Kind::NoFileName, {}));
  if (!QFileInfo(dbPath).isFile()) fail(FileReason(Kind::Missing, dbPath));
  if (sameFile(dbPath, target)) fail(FileReason(Kind::InUse, target));
  // A link is written through: the copy goes where the link points, beside that file.
  const QString file = throughLinks(target);
  if (const Kind kind = standing(file); kind == Kind::Folder || kind == Kind::NotAFile)
    fail(FileReason(kind, file));
  if (QFileInfo(file).absoluteDir().exists()) sweepStale(file);
  // Opened for writing (never created) so that a journal left by a crash is rolled back first.
  Handle src(dbPath, SQLITE_OPEN_READWRITE);
  if (!src.opened()) fail(FileReason(Kind::Unreadable, dbPath, 0, src.error()));
  src.share(&wait);
  writeCopy(src.get(), file, QFileInfo::exists(file) ? file : dbPath, dbPath);
}

QString keptCopyPath(const QString& dbPath, const QDateTime& when) {
  for (int n = 1;; ++n) {
    const QString p = keptName(dbPath, when, n);
    struct stat st {};
    if (::lstat(QFile::encodeName(p).constData(), &st) != 0) return p;
  }
}

QString restoreDatabase(const QString& dbPath, const QString& source, const QDateTime& when,
                        const WhileWaiting& waiting) {
  SharedWait wait(waiting);
  if (sameFile(dbPath, source)) fail(FileReason(Kind::InUse, source));
  sweepStale(dbPath);
  // A journal beside the source is played back on a copy: the chosen file stays as it is.
  std::unique_ptr<Scratch> rolled;
  const DbFileCheck check = checkSource(
      source, [&] { return std::make_unique<Scratch>(dbPath, source); }, &rolled);
  if (!check.ok()) throw RefusedFile(check);
  const QString from = rolled ? rolled->path() : source;
  Handle src(from, SQLITE_OPEN_READONLY);
  if (!src.opened()) fail(FileReason(Kind::Unreadable, source, 0, src.error()));
  src.share(&wait);

  if (!QFileInfo::exists(dbPath)) {
    writeCopy(src.get(), dbPath, source, source);
    return {};
  }
  Handle dst(dbPath, SQLITE_OPEN_READWRITE);
  dst.share(&wait);
  QString error;
  // The first read plays back a journal that a crashed writer left, before anything is kept.
  if (!dst.opened() || !dst.exec("SELECT count(*) FROM sqlite_master", &error)) {
    if (busyCode(dst.code())) throw busyError(dbPath);
    fail(FileReason(Kind::Unreadable, dbPath, 0, dst.opened() ? error : dst.error()));
  }
  // The restore takes the database's lock first and keeps its committed bytes under that lock,
  // so the kept copy holds every bill committed before, and no till commits until it is done.
  Scratch keptTmp(dbPath, dbPath);
  sqlite3_backup* b = sqlite3_backup_init(dst.get(), "main", src.get(), "main");
  if (!b) fail(FileReason(Kind::CannotWrite, dbPath, 0, dst.error()));
  // No page yet: this only takes the lock, waiting for other tills as the shared connection does.
  int rc = sqlite3_backup_step(b, 0);
  if (rc != SQLITE_OK && rc != SQLITE_DONE) {
    sqlite3_backup_finish(b);
    if (busyCode(rc)) throw busyError(dbPath);
    fail(writeFailure(dbPath, dst.get(), rc));
  }
  // The kept copy's name is chosen only now, under the lock, and never replaces a file: another
  // restore that waited for this lock keeps what this one put in place under a name of its own.
  QString kept;
  try {
    copyLockedFile(dst.get(), keptTmp.fd(), dbPath, keptName(dbPath, when, 1));
    kept = putKeptCopy(keptTmp, dbPath, when);
  } catch (...) {
    sqlite3_backup_finish(b);
    throw;
  }
  rc = sqlite3_backup_step(b, -1);
  sqlite3_backup_finish(b);
  if (rc != SQLITE_DONE) {
    // The database rolled back to what the kept copy holds: the copy goes again.
    QFile::remove(kept);
    if (busyCode(rc)) throw busyError(dbPath);
    fail(writeFailure(dbPath, dst.get(), rc));
  }
  return kept;
}

}  // namespace data
