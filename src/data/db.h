#pragma once
// The database: one SQLite file reached through Qt SQL. Every value is bound; a SELECT is read
// whole into a Snapshot, so no statement stays open when the connection is closed and reopened.
#include <QByteArrayView>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <functional>
#include <stdexcept>

#include "platform/ui_lang.h"

class QSqlError;

namespace data {

// A failed open or statement; what() and text() carry the database's description. busy() tells
// that another connection held the database past the busy wait: nothing was done, and the same
// work may be tried again (a statement's busy failure carries busyText in the user's language).
class DbError : public std::runtime_error {
 public:
  explicit DbError(const QString& text, bool busy = false)
      : std::runtime_error(text.toStdString()), text_(text), busy_(busy) {}
  const QString& text() const { return text_; }
  bool busy() const { return busy_; }

 private:
  QString text_;
  bool busy_ = false;
};

// The DbError of a failed statement or open, as every statement of the program reports it: the
// database's description, or, when the failure was another connection's lock, busy() with
// busyText in the language the program speaks, so every window that tells it tells it so.
DbError statementError(const QSqlError& e);
// What the user reads when another till kept the database past the busy wait.
QString busyText(plat::ui::Lang lang);

// True when path, made absolute, is longer than SQLite opens a database by (512 bytes here).
bool tooLongForDatabase(const QString& path);

// How long a connection waits for another one to finish writing before it gives up.
inline constexpr int kBusyWaitMs = 5000;

// All rows of a result, walked like a recordset: EOF, MoveNext, MoveFirst, MoveLast, Find.
// Fields are found by name without regard to case; NULL reads as "" through text().
class Snapshot {
 public:
  Snapshot() = default;
  Snapshot(QStringList columns, QVector<QVector<QVariant>> rows);

  bool eof() const { return pos_ >= rows_.size(); }
  bool bof() const { return pos_ < 0; }
  bool empty() const { return rows_.isEmpty(); }
  int size() const { return static_cast<int>(rows_.size()); }
  int position() const { return pos_; }
  void moveFirst() { pos_ = 0; }
  void moveLast() { pos_ = rows_.isEmpty() ? 0 : static_cast<int>(rows_.size()) - 1; }
  void moveNext() {
    if (pos_ < rows_.size()) ++pos_;
  }
  void movePrevious() {
    if (pos_ >= 0) --pos_;
  }
  void moveTo(int row) { pos_ = row; }
  // Moves to the first row from the current one whose column equals value (as text); false at EOF.
  bool find(const QString& column, const QVariant& value);

  bool hasColumn(const QString& name) const;
  QStringList columns() const { return columns_; }
  // The current row's field. Throws DbError for an unknown column or when at EOF/BOF.
  QVariant value(const QString& name) const;
  QVariant value(int col) const;
  QString text(const QString& name) const;   // NULL gives ""
  double number(const QString& name) const;  // NULL gives 0
  bool isNull(const QString& name) const;

  // Direct access, for code that does not walk.
  const QVector<QVector<QVariant>>& rows() const { return rows_; }
  QVariant at(int row, const QString& name) const;

 private:
  int col(const QString& name) const;
  QStringList columns_;
  QVector<QVector<QVariant>> rows_;
  int pos_ = 0;
};

// One row of a walked result, valid only inside the walk's callback.
class RowView {
 public:
  explicit RowView(void* stmt) : st_(stmt) {}
  int columns() const;
  bool isNull(int col) const;
  bool isNumber(int col) const;  // stored as an integer or a real
  QString text(int col) const;   // NULL gives ""
  // The column's text as SQLite holds it, UTF-8, without a copy: valid only while this row is read.
  QByteArrayView utf8(int col) const;  // NULL gives an empty view
  double number(int col) const;        // NULL gives 0

 private:
  void* st_;
};

class Db {
 public:
  Db();
  ~Db();
  Db(const Db&) = delete;
  Db& operator=(const Db&) = delete;

  // Opens an existing database file of this program. Fails (and creates nothing) for a missing
  // file, a file that is not SQLite, and one that lacks the program's tables.
  void open(const QString& path);
  bool tryOpen(const QString& path, QString* error);
  void close();
  bool isOpen() const;
  // The file of the last successful open (kept after close()).
  QString path() const { return path_; }

  // Runs one statement with bound values (positional "?" placeholders); returns the rows changed.
  // A QString binds as text (a null QString as ''), an invalid QVariant as NULL, a QDate as
  // 'yyyy-MM-dd' and a QTime as 'HH:mm:ss'.
  int exec(const QString& sql, const QVariantList& binds = {});
  // Runs a SELECT and reads every row.
  Snapshot query(const QString& sql, const QVariantList& binds = {});
  // Runs a SELECT and hands each row to f as it is read, keeping nothing: the quick road for long
  // lists. Binds as exec() does.
  void forEachRow(const QString& sql, const QVariantList& binds,
                  const std::function<void(const RowView&)>& f);
  // The first column of the first row, or an invalid QVariant when there is no row.
  QVariant scalar(const QString& sql, const QVariantList& binds = {});

  // Runs body inside one transaction: committed when body returns, rolled back (and the
  // exception passed on) when it throws. Nested calls join the outer transaction.
  void transaction(const std::function<void()>& body);
  bool inTransaction() const { return depth_ > 0; }

  QSqlDatabase handle() const;

  // The tables a database of this program holds.
  static const QStringList& requiredTables();

 private:
  QString name_;
  QString path_;
  int depth_ = 0;
};

// The shared connection of the program.
Db& Conn();

}  // namespace data
