#include "data/dbfile.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cerrno>
#include <cstring>
#include <vector>

namespace data {

namespace {

const QByteArray kHeader("SQLite format 3\0", 16);

// One SQLite connection of its own, closed on every path.
class Handle {
 public:
  Handle(const QString& path, int flags) {
    rc_ = sqlite3_open_v2(QFile::encodeName(path).constData(), &db_, flags, nullptr);
    if (rc_ == SQLITE_OK) sqlite3_extended_result_codes(db_, 1);
  }
  ~Handle() { sqlite3_close_v2(db_); }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;

  bool opened() const { return rc_ == SQLITE_OK; }
  sqlite3* get() const { return db_; }
  QString error() const {
    return db_ ? QString::fromUtf8(sqlite3_errmsg(db_)) : QStringLiteral("out of memory");
  }

  // Runs sql and collects the first column of each row; false with *error on failure.
  bool column(const char* sql, QStringList* out, QString* error) {
    sqlite3_stmt* st = nullptr;
    int rc = sqlite3_prepare_v2(db_, sql, -1, &st, nullptr);
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

QString sysError() { return QString::fromLocal8Bit(std::strerror(errno)); }

// Flushes a file (or a folder's entries) to the disk.
bool syncPath(const QString& path, bool folder) {
  const int fd = ::open(QFile::encodeName(path).constData(), folder ? O_RDONLY | O_DIRECTORY : O_RDWR);
  if (fd < 0) return false;
  const bool ok = ::fsync(fd) == 0;
  ::close(fd);
  return ok;
}

void removeWithJournals(const QString& path) {
  for (const char* s : {"", "-journal", "-wal", "-shm"}) QFile::remove(path + QLatin1String(s));
}

// A new empty file beside target with the permissions of `like` (when that exists); its path, or a
// DbError saying why it cannot be made.
QString tempBeside(const QString& target, const QString& like) {
  QTemporaryFile tmp(QFileInfo(target).absoluteFilePath() + QStringLiteral(".XXXXXX"));
  tmp.setAutoRemove(false);
  if (!tmp.open())
    throw DbError(
        QStringLiteral("Could not write '%1': %2").arg(QDir::toNativeSeparators(target), tmp.errorString()));
  const QString path = tmp.fileName();
  tmp.close();
  if (QFileInfo::exists(like)) QFile::setPermissions(path, QFileInfo(like).permissions());
  return path;
}

void renameOver(const QString& from, const QString& to) {
  if (::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
    throw DbError(QStringLiteral("Could not write '%1': %2").arg(QDir::toNativeSeparators(to), sysError()));
  syncPath(QFileInfo(to).absolutePath(), true);
}

// Copies source to a new file beside target, synced; its path. The kernel copies the bytes
// (copy_file_range) where it can; plain reads and writes where it cannot.
QString copyBeside(const QString& source, const QString& target) {
  const QString tmp = tempBeside(target, target);
  const int in = ::open(QFile::encodeName(source).constData(), O_RDONLY | O_CLOEXEC);
  const int out = ::open(QFile::encodeName(tmp).constData(), O_WRONLY | O_TRUNC | O_CLOEXEC);
  QString error;
  if (in < 0)
    error = QStringLiteral("Could not read '%1': %2").arg(QDir::toNativeSeparators(source), sysError());
  else if (out < 0)
    error = QStringLiteral("Could not write '%1': %2").arg(QDir::toNativeSeparators(target), sysError());
  bool kernel = true;
  while (error.isEmpty()) {
    ssize_t n = kernel ? ::copy_file_range(in, nullptr, out, nullptr, 1 << 30, 0) : -1;
    if (n < 0 && kernel && (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP)) {
      kernel = false;
      continue;
    }
    if (!kernel) {
      static thread_local std::vector<char> buf(1 << 20);
      n = ::read(in, buf.data(), buf.size());
      if (n > 0 && ::write(out, buf.data(), static_cast<size_t>(n)) != n) n = -1;
    }
    if (n == 0) break;
    if (n < 0)
      error = QStringLiteral("Could not write '%1': %2").arg(QDir::toNativeSeparators(target), sysError());
  }
  if (error.isEmpty() && ::fsync(out) != 0)
    error = QStringLiteral("Could not write '%1': %2").arg(QDir::toNativeSeparators(target), sysError());
  if (in >= 0) ::close(in);
  if (out >= 0) ::close(out);
  if (!error.isEmpty()) {
    QFile::remove(tmp);
    throw DbError(error);
  }
  return tmp;
}

}  // namespace

DbFileCheck checkDatabaseFile(const QString& path) {
  const QString shown = QDir::toNativeSeparators(path);
  const QFileInfo fi(path);
  if (!fi.exists() || !fi.isFile())
    return {DbFileFault::Missing, QStringLiteral("Could not find file '%1'.").arg(shown)};
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly))
    return {DbFileFault::Unreadable,
            QStringLiteral("Could not open file '%1': %2").arg(shown, f.errorString())};
  const QByteArray head = f.read(kHeader.size());
  f.close();
  if (head.isEmpty()) return {DbFileFault::NotSqlite, QStringLiteral("'%1' is empty.").arg(shown)};
  if (head != kHeader)
    return {DbFileFault::NotSqlite, QStringLiteral("'%1' is not a database file.").arg(shown)};

  Handle db(path, SQLITE_OPEN_READONLY);
  if (!db.opened()) return {DbFileFault::Unreadable, db.error()};
  QStringList tables;
  QString error;
  if (!db.column("SELECT lower(name) FROM sqlite_master WHERE type = 'table'", &tables, &error))
    return {DbFileFault::Damaged, error};
  for (const QString& t : Db::requiredTables())
    if (!tables.contains(t.toLower()))
      return {DbFileFault::NotOurs,
              QStringLiteral("'%1' is not a database of this program (table %2 is missing).").arg(shown, t)};
  QStringList faults;
  if (!db.column("PRAGMA quick_check", &faults, &error)) return {DbFileFault::Damaged, error};
  if (faults != QStringList{QStringLiteral("ok")})
    return {DbFileFault::Damaged, faults.mid(0, 3).join(QLatin1Char('\n'))};
  return {};
}

bool sameFile(const QString& a, const QString& b) {
  auto real = [](const QString& p) {
    const QFileInfo fi(p);
    const QString c = fi.canonicalFilePath();
    return c.isEmpty() ? QDir::cleanPath(fi.absoluteFilePath()) : c;
  };
  return real(a) == real(b);
}

void backupDatabase(const QString& dbPath, const QString& target) {
  if (target.trimmed().isEmpty()) throw DbError(QStringLiteral("No file name was given."));
  if (!QFileInfo(dbPath).isFile())
    throw DbError(QStringLiteral("Could not find file '%1'.").arg(QDir::toNativeSeparators(dbPath)));
  if (sameFile(dbPath, target))
    throw DbError(QStringLiteral("'%1' is the database in use.").arg(QDir::toNativeSeparators(target)));
  // Opened for writing (never created) so that a journal left by a crash is rolled back first.
  Handle src(dbPath, SQLITE_OPEN_READWRITE);
  if (!src.opened()) throw DbError(src.error());

  const QString tmp = tempBeside(target, QFileInfo::exists(target) ? target : dbPath);
  QString error;
  {
    Handle dst(tmp, SQLITE_OPEN_READWRITE);
    if (!dst.opened()) {
      error = dst.error();
    } else if (dst.exec("PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF", &error)) {
      // The copy is a new file of its own: no journal, one sync once it is whole.
      sqlite3_backup* b = sqlite3_backup_init(dst.get(), "main", src.get(), "main");
      if (!b) {
        error = dst.error();
      } else {
        const int step = sqlite3_backup_step(b, -1);
        const int fin = sqlite3_backup_finish(b);
        if (step != SQLITE_DONE || fin != SQLITE_OK) error = dst.error();
      }
    }
  }
  if (error.isEmpty() && !syncPath(tmp, false)) error = sysError();
  if (!error.isEmpty()) {
    removeWithJournals(tmp);
    throw DbError(QStringLiteral("Could not write '%1': %2").arg(QDir::toNativeSeparators(target), error));
  }
  try {
    renameOver(tmp, target);
  } catch (...) {
    removeWithJournals(tmp);
    throw;
  }
}

QString keptCopyPath(const QString& dbPath, const QDateTime& when) {
  const QFileInfo fi(dbPath);
  const QString stem = fi.absolutePath() + QLatin1Char('/') + fi.completeBaseName() +
                       QStringLiteral("-before-restore-") + when.toString(QStringLiteral("yyyyMMdd-HHmmss"));
  QString p = stem + QStringLiteral(".bak");
  for (int n = 2; QFileInfo::exists(p); ++n) p = stem + QStringLiteral("-%1.bak").arg(n);
  return p;
}

QString restoreDatabase(const QString& dbPath, const QString& source, const QDateTime& when) {
  const DbFileCheck check = checkDatabaseFile(source);
  if (!check.ok()) throw RefusedFile(check);

  const QString tmp = copyBeside(source, dbPath);
  const QByteArray db = QFile::encodeName(dbPath);
  QString kept;
  if (QFileInfo::exists(dbPath)) {
    kept = keptCopyPath(dbPath, when);
    // A second name for the same file: keeping it costs no copy; a copy where links are refused.
    if (::link(db.constData(), QFile::encodeName(kept).constData()) != 0 && !QFile::copy(dbPath, kept)) {
      QFile::remove(tmp);
      throw DbError(
          QStringLiteral("The data in use could not be kept as '%1'.").arg(QDir::toNativeSeparators(kept)));
    }
  }
  // A journal left beside the database belongs to the old data: it goes with the kept copy, and
  // never stays to be played back into the restored file.
  QStringList moved;
  auto undo = [&] {
    for (const QString& s : moved) QFile::rename(kept + s, dbPath + s);
    if (!kept.isEmpty()) QFile::remove(kept);
    QFile::remove(tmp);
  };
  for (const QString& s : {QStringLiteral("-journal"), QStringLiteral("-wal"), QStringLiteral("-shm")}) {
    if (!QFileInfo::exists(dbPath + s)) continue;
    const bool gone = kept.isEmpty() ? QFile::remove(dbPath + s) : QFile::rename(dbPath + s, kept + s);
    if (!gone) {
      undo();
      throw DbError(QStringLiteral("Could not move '%1'.").arg(QDir::toNativeSeparators(dbPath + s)));
    }
    moved << s;
  }
  try {
    renameOver(tmp, dbPath);
  } catch (...) {
    undo();
    throw;
  }
  return kept;
}

}  // namespace data
