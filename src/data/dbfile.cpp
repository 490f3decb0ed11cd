#include "data/dbfile.h"

#include <fcntl.h>
#include <sqlite3.h>
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

QString shown(const QString& path) { return QDir::toNativeSeparators(path); }
QString sysError(int err = errno) { return QString::fromLocal8Bit(std::strerror(err)); }
bool busyCode(int rc) { return (rc & 0xff) == SQLITE_BUSY || (rc & 0xff) == SQLITE_LOCKED; }

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

// Why an SQLite write failed, in the system's words where the system gave the reason.
QString writeReason(sqlite3* db, int rc) {
  if ((rc & 0xff) == SQLITE_FULL) return sysError(ENOSPC);
  if ((rc & 0xff) == SQLITE_IOERR && sqlite3_system_errno(db) != 0) return sysError(sqlite3_system_errno(db));
  return QString::fromUtf8(sqlite3_errmsg(db));
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
    if (fd_ < 0) throw DbError(QStringLiteral("Could not write '%1': %2").arg(shown(target), sysError()));
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

// Removes the temporaries (<target>.~pos-temp-XXXXXX and their journals) that a process killed in
// a backup or restore of target left; one that a running process holds locked stays.
void sweepStale(const QString& target) {
  const QFileInfo fi(target);
  const QRegularExpression re(QStringLiteral("^%1%2[A-Za-z0-9]{6}(-journal)?$")
                                  .arg(QRegularExpression::escape(fi.fileName()),
                                       QRegularExpression::escape(QLatin1String(kScratchMark))));
  const QDir dir = fi.absoluteDir();
  for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden)) {
    const QRegularExpressionMatch m = re.match(name);
    if (!m.hasMatch()) continue;
    const QByteArray main = QFile::encodeName(dir.filePath(m.captured(1).isEmpty() ? name : name.chopped(8)));
    const int fd = ::open(main.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
      if (errno == ENOENT) ::unlink(QFile::encodeName(dir.filePath(name)).constData());  // an orphan journal
      continue;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
      ::unlink((main + "-journal").constData());
      ::unlink(main.constData());
    }
    ::close(fd);
  }
}

// Copies the file at from into fd, a short write continued until all is written.
void copyInto(const QString& from, int fd, const QString& shownTarget) {
  const int in = ::open(QFile::encodeName(from).constData(), O_RDONLY | O_CLOEXEC);
  if (in < 0) throw DbError(QStringLiteral("Could not read '%1': %2").arg(shown(from), sysError()));
  std::vector<char> buf(1 << 20);
  QString error;
  for (;;) {
    const ssize_t n = ::read(in, buf.data(), buf.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) error = QStringLiteral("Could not read '%1': %2").arg(shown(from), sysError());
    if (n <= 0) break;
    for (ssize_t done = 0; done < n && error.isEmpty();) {
      const ssize_t w = ::write(fd, buf.data() + done, static_cast<size_t>(n - done));
      if (w < 0 && errno == EINTR) continue;
      // A write that takes nothing without a reason is a full disk.
      if (w <= 0)
        error = QStringLiteral("Could not write '%1': %2")
                    .arg(shown(shownTarget), sysError(w < 0 ? errno : ENOSPC));
      else
        done += w;
    }
    if (!error.isEmpty()) break;
  }
  ::close(in);
  if (!error.isEmpty()) throw DbError(error);
}

// Copies the database of from into scratch, a new file of its own. target and dbPath name the
// copy and the database in the reasons.
void copyToScratch(sqlite3* from, const Scratch& scratch, const QString& target, const QString& dbPath) {
  QString reason;
  Handle dst(scratch.path(), SQLITE_OPEN_READWRITE);
  // No journal, and one sync once the copy is whole.
  if (!dst.opened())
    reason = dst.error();
  else if (dst.exec("PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF", &reason)) {
    sqlite3_backup* b = sqlite3_backup_init(dst.get(), "main", from, "main");
    if (!b) {
      reason = dst.error();
    } else {
      const int rc = sqlite3_backup_step(b, -1);
      sqlite3_backup_finish(b);
      if (busyCode(rc)) throw busyError(dbPath);
      if (rc != SQLITE_DONE) reason = writeReason(dst.get(), rc);
    }
  }
  if (!reason.isEmpty()) throw DbError(QStringLiteral("Could not write '%1': %2").arg(shown(target), reason));
}

// Syncs scratch and renames it to target.
void putInPlace(Scratch& scratch, const QString& target) {
  if (::fsync(scratch.fd()) != 0 ||
      ::rename(QFile::encodeName(scratch.path()).constData(), QFile::encodeName(target).constData()) != 0)
    throw DbError(QStringLiteral("Could not write '%1': %2").arg(shown(target), sysError()));
  scratch.release();
  syncFolder(QFileInfo(target).absolutePath());
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
  if (jfd < 0) throw DbError(QStringLiteral("Could not write '%1': %2").arg(shown(journal), sysError()));
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
    throw DbError(QStringLiteral("The journal beside '%1' could not be played back: %2")
                      .arg(shown(path), db.opened() ? error : db.error()));
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

// The check of the file at path (a rolled-back copy, or the file itself), told with the name shownAs.
DbFileCheck inspect(const QString& path, const QString& shownAs) {
  const QString name = shown(shownAs);
  Handle db(path, SQLITE_OPEN_READONLY);
  auto damaged = [&](const QString& why) {
    return DbFileCheck{DbFileFault::Damaged, QStringLiteral("'%1' is damaged: %2").arg(name, why)};
  };
  if (!db.opened())
    return {DbFileFault::Unreadable, QStringLiteral("Could not open file '%1': %2").arg(name, db.error())};
  QStringList tables;
  QString error;
  if (!db.column("SELECT lower(name) FROM sqlite_master WHERE type = 'table'", &tables, &error))
    return damaged(error);
  for (const QString& t : Db::requiredTables()) {
    if (!tables.contains(t.toLower()))
      return {DbFileFault::NotOurs,
              QStringLiteral("'%1' is not a database of this program (table %2 is missing).").arg(name, t)};
    QStringList have;
    if (!db.column("SELECT lower(name) FROM pragma_table_info(?)", &have, &error, &t)) return damaged(error);
    for (const QString& c : templateColumns().value(t))
      if (!have.contains(c))
        return {DbFileFault::NotOurs,
                QStringLiteral("'%1' is not a database of this program (table %2 has no column %3).")
                    .arg(name, t, c)};
  }
  QStringList faults;
  if (!db.column("PRAGMA quick_check", &faults, &error)) return damaged(error);
  if (faults != QStringList{QStringLiteral("ok")}) return damaged(faults.mid(0, 3).join(QLatin1Char('\n')));
  return {};
}

// The checks made on the file's own bytes before SQLite opens it; None when SQLite may.
DbFileCheck checkHeader(const QString& path) {
  const QString name = shown(path);
  const QFileInfo fi(path);
  if (!fi.exists()) return {DbFileFault::Missing, QStringLiteral("Could not find file '%1'.").arg(name)};
  // Never opened: reading a pipe would wait for a writer, a device may never end.
  if (!fi.isFile())
    return {DbFileFault::NotAFile,
            QStringLiteral("'%1' exists but is not a file (it is a folder, a device or a pipe).").arg(name)};
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly))
    return {DbFileFault::Unreadable,
            QStringLiteral("Could not open file '%1': %2").arg(name, f.errorString())};
  const QByteArray head = f.read(20);
  if (head.isEmpty()) return {DbFileFault::NotSqlite, QStringLiteral("'%1' is empty.").arg(name)};
  if (!head.startsWith(kHeader))
    return {DbFileFault::NotSqlite, QStringLiteral("'%1' is not a database file.").arg(name)};
  // Bytes 18 and 19 are 2 in WAL mode: opening such a file makes files beside it, and what its
  // -wal holds would not come along.
  if (head.size() >= 20 && (head[18] == 2 || head[19] == 2))
    return {DbFileFault::WalMode,
            QStringLiteral("'%1' is kept in WAL mode, with part of its data in files beside it; make the "
                           "backup copy with this program's backup instead.")
                .arg(name)};
  return {};
}

// Copies the committed bytes of db's file into fd while db holds the file's lock. Read through
// SQLite's own descriptor: closing another one of this process would drop SQLite's locks.
void copyLockedFile(sqlite3* db, int fd, const QString& dbPath, const QString& shownTarget) {
  sqlite3_file* f = nullptr;
  sqlite3_int64 size = 0;
  if (sqlite3_file_control(db, "main", SQLITE_FCNTL_FILE_POINTER, &f) != SQLITE_OK || !f || !f->pMethods ||
      f->pMethods->xFileSize(f, &size) != SQLITE_OK)
    throw DbError(QStringLiteral("Could not read '%1'").arg(shown(dbPath)));
  std::vector<char> buf(1 << 20);
  for (sqlite3_int64 off = 0; off < size;) {
    const int n =
        static_cast<int>(std::min<sqlite3_int64>(static_cast<sqlite3_int64>(buf.size()), size - off));
    if (f->pMethods->xRead(f, buf.data(), n, off) != SQLITE_OK)
      throw DbError(QStringLiteral("Could not read '%1'").arg(shown(dbPath)));
    for (int done = 0; done < n;) {
      const ssize_t w = ::write(fd, buf.data() + done, static_cast<size_t>(n - done));
      if (w < 0 && errno == EINTR) continue;
      // A write that takes nothing without a reason is a full disk.
      if (w <= 0)
        throw DbError(QStringLiteral("Could not write '%1': %2")
                          .arg(shown(shownTarget), sysError(w < 0 ? errno : ENOSPC)));
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
          if (!dir->isValid()) throw DbError(dir->errorString());
          return std::make_unique<Scratch>(dir->filePath(QStringLiteral("check")), path);
        },
        &rolled);
  } catch (const DbError& e) {
    rolled.reset();
    return {DbFileFault::Damaged, e.text()};
  }
}

bool sameFile(const QString& a, const QString& b) {
  auto real = [](const QString& p) {
    const QFileInfo fi(p);
    const QString c = fi.canonicalFilePath();
    return c.isEmpty() ? QDir::cleanPath(fi.absoluteFilePath()) : c;
  };
  return real(a) == real(b);
}

void backupDatabase(const QString& dbPath, const QString& target, const WhileWaiting& waiting) {
  SharedWait wait(waiting);
  if (target.trimmed().isEmpty()) throw DbError(QStringLiteral("No file name was given."));
  if (!QFileInfo(dbPath).isFile())
    throw DbError(QStringLiteral("Could not find file '%1'.").arg(shown(dbPath)));
  if (sameFile(dbPath, target))
    throw DbError(QStringLiteral("'%1' is the database in use.").arg(shown(target)));
  if (QFileInfo(target).absoluteDir().exists()) sweepStale(target);
  // Opened for writing (never created) so that a journal left by a crash is rolled back first.
  Handle src(dbPath, SQLITE_OPEN_READWRITE);
  if (!src.opened()) throw DbError(src.error());
  src.share(&wait);
  writeCopy(src.get(), target, QFileInfo::exists(target) ? target : dbPath, dbPath);
}

QString keptCopyPath(const QString& dbPath, const QDateTime& when) {
  const QFileInfo fi(dbPath);
  const QString stem = fi.absolutePath() + QLatin1Char('/') + fi.completeBaseName() +
                       QStringLiteral("-before-restore-") + when.toString(QStringLiteral("yyyyMMdd-HHmmss"));
  QString p = stem + QStringLiteral(".bak");
  for (int n = 2; QFileInfo::exists(p); ++n) p = stem + QStringLiteral("-%1.bak").arg(n);
  return p;
}

QString restoreDatabase(const QString& dbPath, const QString& source, const QDateTime& when,
                        const WhileWaiting& waiting) {
  SharedWait wait(waiting);
  if (sameFile(dbPath, source))
    throw DbError(QStringLiteral("'%1' is the database in use.").arg(shown(source)));
  sweepStale(dbPath);
  // A journal beside the source is played back on a copy: the chosen file stays as it is.
  std::unique_ptr<Scratch> rolled;
  const DbFileCheck check = checkSource(
      source, [&] { return std::make_unique<Scratch>(dbPath, source); }, &rolled);
  if (!check.ok()) throw RefusedFile(check);
  const QString from = rolled ? rolled->path() : source;
  Handle src(from, SQLITE_OPEN_READONLY);
  if (!src.opened()) throw DbError(src.error());
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
    throw DbError(dst.opened() ? error : dst.error());
  }
  const QString kept = keptCopyPath(dbPath, when);
  // The restore takes the database's lock first and keeps its committed bytes under that lock,
  // so the kept copy holds every bill committed before, and no till commits until it is done.
  Scratch keptTmp(dbPath, dbPath);
  sqlite3_backup* b = sqlite3_backup_init(dst.get(), "main", src.get(), "main");
  if (!b) throw DbError(dst.error());
  // No page yet: this only takes the lock, waiting for other tills as the shared connection does.
  int rc = sqlite3_backup_step(b, 0);
  if (rc != SQLITE_OK && rc != SQLITE_DONE) {
    sqlite3_backup_finish(b);
    if (busyCode(rc)) throw busyError(dbPath);
    throw DbError(QStringLiteral("Could not write '%1': %2").arg(shown(dbPath), writeReason(dst.get(), rc)));
  }
  try {
    copyLockedFile(dst.get(), keptTmp.fd(), dbPath, kept);
    putInPlace(keptTmp, kept);
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
    throw DbError(QStringLiteral("Could not write '%1': %2").arg(shown(dbPath), writeReason(dst.get(), rc)));
  }
  return kept;
}

}  // namespace data
