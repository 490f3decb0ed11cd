#pragma once
// Whole database files: a consistent backup copy, the check a file must pass before it may replace
// the database, and the replacement itself. These work on files through SQLite's own connections,
// so the shared connection must be closed while they run.
#include <QDateTime>
#include <QString>

#include "data/db.h"

namespace data {

// Why a file cannot stand in for the database; None when it can.
enum class DbFileFault {
  None,
  Missing,     // no such file
  Unreadable,  // the file cannot be opened for reading
  NotSqlite,   // empty, text, or anything without the SQLite header
  NotOurs,     // an SQLite file without this program's tables
  Damaged,     // cut short or corrupt: a read fails or the quick check finds faults
};

struct DbFileCheck {
  DbFileFault fault = DbFileFault::None;
  QString detail;  // the description of the fault as SQLite or the system gives it
  bool ok() const { return fault == DbFileFault::None; }
};

// Checks that path is an SQLite file holding every table of this program and passing
// PRAGMA quick_check. Changes nothing.
DbFileCheck checkDatabaseFile(const QString& path);

// The same file, by its real path when it exists (links followed), else its absolute path.
bool sameFile(const QString& a, const QString& b);

// Copies the database at dbPath to target with SQLite's online backup into a temporary file beside
// target, synced and then renamed over it: a failure leaves an older target whole and no temporary
// file behind. Throws DbError with the reason; refuses the database itself as target.
void backupDatabase(const QString& dbPath, const QString& target);

// Where restoreDatabase keeps the file it replaces:
// <folder>/<name>-before-restore-<yyyyMMdd-HHmmss>.bak (a number added when that is taken).
QString keptCopyPath(const QString& dbPath, const QDateTime& when);

// Puts source in place of the database at dbPath. Nothing is replaced unless source passes
// checkDatabaseFile and the current file is kept under keptCopyPath(dbPath, when); the new file is
// copied beside the database, synced and renamed over it, and journals of the old file go with
// the kept copy. Returns the kept copy's path. Throws DbError with the reason (the database is
// then as it was); a refused source throws RefusedFile.
class RefusedFile : public DbError {
 public:
  explicit RefusedFile(DbFileCheck check) : DbError(check.detail), check_(std::move(check)) {}
  const DbFileCheck& check() const { return check_; }

 private:
  DbFileCheck check_;
};
QString restoreDatabase(const QString& dbPath, const QString& source, const QDateTime& when);

}  // namespace data
