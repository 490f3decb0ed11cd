#pragma once
// Whole database files: a consistent backup copy, the check a file must pass before it may replace
// the database, and the replacement itself. These work through SQLite's own connections and its
// online backup, beside any other copy of the program that has the database open.
#include <QDateTime>
#include <QString>
#include <functional>

#include "data/db.h"

namespace data {

// Why a file cannot stand in for the database; None when it can.
enum class DbFileFault {
  None,
  Missing,     // no such file
  NotAFile,    // it exists but is a folder, a device, a pipe or the like, not a regular file
  Unreadable,  // the file cannot be opened for reading
  NotSqlite,   // empty, text, or anything without the SQLite header
  NotOurs,     // an SQLite file without this program's tables or their columns
  Damaged,     // cut short or corrupt: a read fails or the quick check finds faults
  WalMode,     // kept in WAL mode: part of its data may sit in files beside it
};

struct DbFileCheck {
  DbFileFault fault = DbFileFault::None;
  QString detail;  // the description of the fault as SQLite or the system gives it
  bool ok() const { return fault == DbFileFault::None; }
};

// Checks that path is an SQLite file in rollback-journal mode holding every table of this program
// with every column the program's template has, and passing PRAGMA quick_check. A journal left
// beside it by a cut-short write is played back on a private copy first. Changes nothing beside
// path. restoreDatabase makes this same check of its source.
DbFileCheck checkDatabaseFile(const QString& path);

// The same file, by its real path when it exists (links followed), else its absolute path.
bool sameFile(const QString& a, const QString& b);

// While a backup or restore waits for another copy of the program, it calls this again and again
// (about every 20 ms), so that the window it runs from can repaint.
using WhileWaiting = std::function<void()>;

// Copies the database at dbPath to target with SQLite's online backup into a temporary file beside
// target (<target>.~pos-temp-XXXXXX), synced and then renamed over it: a failure leaves an older
// target whole and no temporary file behind, and the program's temporaries a crash left beside
// target are removed first. Waits for other copies of the program as the shared connection does.
// Throws DbError with the reason (busy() when the wait ran out); refuses the database itself as
// target.
void backupDatabase(const QString& dbPath, const QString& target, const WhileWaiting& waiting = {});

// Where restoreDatabase keeps the file it replaces:
// <folder>/<name>-before-restore-<yyyyMMdd-HHmmss>.bak (a number added when that is taken).
QString keptCopyPath(const QString& dbPath, const QDateTime& when);

// Puts the content of source into the database at dbPath through SQLite's online backup, in one
// journaled transaction, so another copy of the program that has the database open reads the
// restored data at its next statement. Nothing is replaced unless source passes
// checkDatabaseFile and the current data is first kept under keptCopyPath(dbPath, when), both
// taken under one lock so no bill committed by another copy in between is missed. All its waits
// for other copies together last at most kBusyWaitMs. Returns the kept copy's path. Throws DbError
// with the reason (the database is then as it was; busy() when the wait ran out); a refused source
// throws RefusedFile.
class RefusedFile : public DbError {
 public:
  explicit RefusedFile(DbFileCheck check) : DbError(check.detail), check_(std::move(check)) {}
  const DbFileCheck& check() const { return check_; }

 private:
  DbFileCheck check_;
};
QString restoreDatabase(const QString& dbPath, const QString& source, const QDateTime& when,
                        const WhileWaiting& waiting = {});

}  // namespace data
