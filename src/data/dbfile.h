#pragma once
// Whole database files: a consistent backup copy, the check a file must pass before it may replace
// the database, and the replacement itself. These work through SQLite's own connections and its
// online backup, beside any other copy of the program that has the database open.
#include <QDateTime>
#include <QString>
#include <functional>

#include "data/db.h"
#include "platform/ui_lang.h"

namespace data {

// Why a file could not be read, written or used, with what the reason names. tell() gives it in
// either language from one table; the English text is also the DbError's text.
struct FileReason {
  enum class Kind {
    None,
    Missing,          // no such file
    Folder,           // a folder where a file was meant
    NotAFile,         // a device, a pipe or the like
    Unreadable,       // the file cannot be opened
    Empty,            // a file of no bytes
    NotSqlite,        // bytes without the SQLite header
    NoTable,          // an SQLite file without one of this program's tables
    NoColumn,         // one of this program's tables without one of its columns
    Damaged,          // a read fails or the quick check finds faults
    WalMode,          // kept in WAL mode, part of its data in files beside it
    InUse,            // the database in use, where another file was meant
    JournalUnplayed,  // the journal beside the file could not be played back
    CannotRead,
    CannotWrite,
    NoFileName,
  };
  explicit FileReason(Kind k = Kind::None, QString p = {}, int err = 0, QString w = {})
      : kind(k), path(std::move(p)), sysErr(err), words(std::move(w)) {}
  Kind kind;
  QString path;           // the file or folder the reason names
  QString table, column;  // NoTable, NoColumn
  int sysErr;             // the system's error number, when the system gave the reason
  QString words;          // SQLite's own description, told in English only
};
QString tell(const FileReason& reason, plat::ui::Lang lang);

// A failure of a backup, a restore or a check of a file, with its reason.
class FileError : public DbError {
 public:
  explicit FileError(FileReason reason)
      : DbError(tell(reason, plat::ui::Lang::English)), reason_(std::move(reason)) {}
  const FileReason& reason() const { return reason_; }

 private:
  FileReason reason_;
};
// The reason of e in lang: a FileError's from the table, another DbError's text as it is.
QString tell(const DbError& e, plat::ui::Lang lang);

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
  DbFileCheck() = default;
  DbFileCheck(DbFileFault f, FileReason r)
      : fault(f), reason(std::move(r)), detail(tell(reason, plat::ui::Lang::English)) {}
  DbFileFault fault = DbFileFault::None;
  FileReason reason;
  QString detail;  // the reason in English
  bool ok() const { return fault == DbFileFault::None; }
};

// Checks that path is an SQLite file in rollback-journal mode holding every table of this program
// with every column the program's template has, and passing PRAGMA quick_check. A journal left
// beside it by a cut-short write is played back on a private copy first. Changes nothing beside
// path. restoreDatabase makes this same check of its source.
DbFileCheck checkDatabaseFile(const QString& path);

// Checks what the program's start needs of a database at path: a regular SQLite file holding
// every table of this program. Changes nothing.
DbFileCheck checkDatabaseToOpen(const QString& path);

// The same file, by its real path when it exists (links followed), else its absolute path.
bool sameFile(const QString& a, const QString& b);

// While a backup or restore waits for another copy of the program, it calls this again and again
// (about every 20 ms), so that the window it runs from can repaint.
using WhileWaiting = std::function<void()>;

// Copies the database at dbPath to target with SQLite's online backup into a temporary file beside
// target (<target>.~pos-temp-XXXXXX), synced and then renamed over it: a failure leaves an older
// target whole and no temporary file behind, and the program's temporaries a crash left beside
// target are removed first. A target that is a symbolic link is written through: the copy goes
// to the file the link names, and the link stays. Waits for other copies of the program as the
// shared connection does. Throws FileError with the reason, or DbError with busy() when the wait
// ran out; refuses the database itself, a folder, a device or a pipe as target.
void backupDatabase(const QString& dbPath, const QString& target, const WhileWaiting& waiting = {});

// Where restoreDatabase would now keep the file it replaces: the first name not taken of
// <folder>/<name>-before-restore-<yyyyMMdd-HHmmss>.bak, then ...-2.bak, -3.bak and on.
QString keptCopyPath(const QString& dbPath, const QDateTime& when);

// Puts the content of source into the database at dbPath through SQLite's online backup, in one
// journaled transaction, so another copy of the program that has the database open reads the
// restored data at its next statement. Nothing is replaced unless source passes
// checkDatabaseFile and the current data is first kept under keptCopyPath(dbPath, when): the copy
// and its name are both taken under the database's lock, so no bill committed by another copy in
// between is missed, and the copy is put in place without replacing any file (another restore's
// kept copy included). All its waits for other copies together last at most kBusyWaitMs. Returns
// the kept copy's path. Throws FileError with the reason (the database is then as it was), DbError
// with busy() when the wait ran out; a refused source throws RefusedFile.
class RefusedFile : public FileError {
 public:
  explicit RefusedFile(DbFileCheck check) : FileError(check.reason), check_(std::move(check)) {}
  const DbFileCheck& check() const { return check_; }

 private:
  DbFileCheck check_;
};
QString restoreDatabase(const QString& dbPath, const QString& source, const QDateTime& when,
                        const WhileWaiting& waiting = {});

}  // namespace data
