#include "data/db.h"

#include <sqlite3.h>

#include <QAtomicInt>
#include <QFile>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include "platform/qt_texts.h"

namespace data {

Snapshot::Snapshot(QStringList columns, QVector<QVector<QVariant>> rows)
    : columns_(std::move(columns)), rows_(std::move(rows)) {}

int Snapshot::col(const QString& name) const {
  for (int i = 0; i < columns_.size(); ++i)
    if (columns_[i].compare(name, Qt::CaseInsensitive) == 0) return i;
  return -1;
}

bool Snapshot::hasColumn(const QString& name) const { return col(name) >= 0; }

QVariant Snapshot::value(int c) const {
  if (pos_ < 0 || pos_ >= rows_.size())
    throw DbError(QStringLiteral("Either BOF or EOF is True, or the current record has been deleted."));
  if (c < 0 || c >= columns_.size()) throw DbError(QStringLiteral("Item cannot be found in the collection."));
  return rows_[pos_][c];
}

QVariant Snapshot::value(const QString& name) const {
  const int c = col(name);
  if (c < 0) throw DbError(QStringLiteral("Item cannot be found in the collection: %1").arg(name));
  return value(c);
}

QString Snapshot::text(const QString& name) const {
  const QVariant v = value(name);
  return v.isNull() ? QString() : v.toString();
}

double Snapshot::number(const QString& name) const {
  const QVariant v = value(name);
  return v.isNull() ? 0.0 : v.toDouble();
}

bool Snapshot::isNull(const QString& name) const { return value(name).isNull(); }

QVariant Snapshot::at(int row, const QString& name) const {
  const int c = col(name);
  if (c < 0 || row < 0 || row >= rows_.size()) return {};
  return rows_[row][c];
}

bool Snapshot::find(const QString& column, const QVariant& v) {
  const int c = col(column);
  if (c < 0) throw DbError(QStringLiteral("Item cannot be found in the collection: %1").arg(column));
  if (pos_ < 0) pos_ = 0;
  for (; pos_ < rows_.size(); ++pos_)
    if (rows_[pos_][c].toString() == v.toString()) return true;
  return false;
}

namespace {
QAtomicInt g_counter;

// Values as the tables keep them: a QString that is null (an untouched box) is the empty text,
// not NULL (only an invalid QVariant binds NULL); dates 'yyyy-MM-dd', times 'HH:mm:ss'.
QVariant bindable(const QVariant& v) {
  switch (v.typeId()) {
    case QMetaType::QString:
      return v.toString().isNull() ? QVariant(QStringLiteral("")) : v;
    case QMetaType::QDate:
      return v.toDate().isValid() ? QVariant(v.toDate().toString(Qt::ISODate)) : QVariant();
    case QMetaType::QTime:
      return v.toTime().isValid() ? QVariant(v.toTime().toString(QStringLiteral("HH:mm:ss"))) : QVariant();
    default:
      return v;
  }
}

// SQLITE_BUSY and SQLITE_LOCKED, with or without an extended code.
bool busyCode(int rc) { return (rc & 0xff) == SQLITE_BUSY || (rc & 0xff) == SQLITE_LOCKED; }

// A failure as the user reads it: another connection's lock in their language, else the
// database's own description.
DbError failureOf(int code, const QString& description) {
  if (busyCode(code)) return DbError(busyText(plat::programLanguage()), true);
  return DbError(description);
}

DbError failure(sqlite3* db) { return failureOf(sqlite3_errcode(db), QString::fromUtf8(sqlite3_errmsg(db))); }

QSqlQuery run(const QSqlDatabase& db, const QString& sql, const QVariantList& binds) {
  if (!db.isOpen()) throw DbError(QStringLiteral("Operation is not allowed when the object is closed."));
  QSqlQuery q(db);
  q.setForwardOnly(true);
  if (!q.prepare(sql)) throw statementError(q.lastError());
  for (int i = 0; i < binds.size(); ++i) q.bindValue(i, bindable(binds[i]));
  if (!q.exec()) throw statementError(q.lastError());
  return q;
}
}  // namespace

DbError statementError(const QSqlError& e) { return failureOf(e.nativeErrorCode().toInt(), e.text()); }

QString busyText(plat::ui::Lang lang) {
  return lang == plat::ui::Lang::Thai
             ? QStringLiteral("ฐานข้อมูลกำลังถูกใช้งานโดยเครื่องอื่น โปรดลองอีกครั้งในอีกสักครู่")
             : QStringLiteral(
                   "The database is busy: another till is using it. Please try again in a moment.");
}

int RowView::columns() const { return sqlite3_column_count(static_cast<sqlite3_stmt*>(st_)); }
bool RowView::isNull(int col) const {
  return sqlite3_column_type(static_cast<sqlite3_stmt*>(st_), col) == SQLITE_NULL;
}
bool RowView::isNumber(int col) const {
  const int t = sqlite3_column_type(static_cast<sqlite3_stmt*>(st_), col);
  return t == SQLITE_INTEGER || t == SQLITE_FLOAT;
}
QString RowView::text(int col) const {
  auto* st = static_cast<sqlite3_stmt*>(st_);
  const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(st, col));
  return p ? QString::fromUtf8(p, sqlite3_column_bytes(st, col)) : QString();
}
QByteArrayView RowView::utf8(int col) const {
  auto* st = static_cast<sqlite3_stmt*>(st_);
  const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(st, col));
  return p ? QByteArrayView(p, sqlite3_column_bytes(st, col)) : QByteArrayView();
}
double RowView::number(int col) const { return sqlite3_column_double(static_cast<sqlite3_stmt*>(st_), col); }

void Db::forEachRow(const QString& sql, const QVariantList& binds,
                    const std::function<void(const RowView&)>& f) {
  const QSqlDatabase h = handle();
  if (!h.isOpen()) throw DbError(QStringLiteral("Operation is not allowed when the object is closed."));
  const QVariant v = h.driver()->handle();
  sqlite3* db = v.isValid() ? *static_cast<sqlite3* const*>(v.constData()) : nullptr;
  if (!db) throw DbError(QStringLiteral("No database connection."));
  sqlite3_stmt* st = nullptr;
  const QByteArray text = sql.toUtf8();
  if (sqlite3_prepare_v2(db, text.constData(), static_cast<int>(text.size()), &st, nullptr) != SQLITE_OK)
    throw failure(db);
  // The statement is finalized on every way out, a throwing callback's too.
  struct Finalize {
    sqlite3_stmt* st;
    ~Finalize() { sqlite3_finalize(st); }
  } guard{st};
  for (int i = 0; i < binds.size(); ++i) {
    const QVariant b = bindable(binds[i]);
    int rc;
    if (!b.isValid() || b.isNull()) {
      rc = sqlite3_bind_null(st, i + 1);
    } else if (b.typeId() == QMetaType::Double || b.typeId() == QMetaType::Float) {
      rc = sqlite3_bind_double(st, i + 1, b.toDouble());
    } else if (b.typeId() == QMetaType::Int || b.typeId() == QMetaType::LongLong ||
               b.typeId() == QMetaType::UInt || b.typeId() == QMetaType::Bool) {
      rc = sqlite3_bind_int64(st, i + 1, b.toLongLong());
    } else {
      const QByteArray u = b.toString().toUtf8();
      rc = sqlite3_bind_text(st, i + 1, u.constData(), static_cast<int>(u.size()), SQLITE_TRANSIENT);
    }
    if (rc != SQLITE_OK) throw failure(db);
  }
  const RowView row(st);
  for (;;) {
    const int rc = sqlite3_step(st);
    if (rc == SQLITE_DONE) break;
    if (rc != SQLITE_ROW) throw failure(db);
    f(row);
  }
}

bool tooLongForDatabase(const QString& path) {
  const sqlite3_vfs* vfs = sqlite3_vfs_find(nullptr);
  return QFile::encodeName(QFileInfo(path).absoluteFilePath()).size() >= (vfs ? vfs->mxPathname : 512);
}

const QStringList& Db::requiredTables() {
  static const QStringList t{"Product",   "Category",  "Sell",     "Buy",
                             "Customers", "Suppliers", "Security", "settingkb"};
  return t;
}

Db::Db() : name_(QStringLiteral("pos-%1").arg(g_counter.fetchAndAddRelaxed(1))) {}

Db::~Db() {
  close();
  QSqlDatabase::removeDatabase(name_);
}

QSqlDatabase Db::handle() const { return QSqlDatabase::database(name_, false); }

bool Db::isOpen() const { return QSqlDatabase::contains(name_) && handle().isOpen(); }

void Db::open(const QString& path) {
  close();
  const QFileInfo fi(path);
  if (!fi.exists() || !fi.isFile()) throw DbError(QStringLiteral("Could not find file '%1'.").arg(path));
  if (tooLongForDatabase(path))
    throw DbError(QStringLiteral("The path '%1' is too long to open a database by.").arg(path));
  {
    // The SQLite header, so a text file is refused before the driver touches it.
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
      throw DbError(QStringLiteral("Could not open file '%1': %2").arg(path, f.errorString()));
    if (f.read(16) != QByteArray("SQLite format 3\0", 16))
      throw DbError(QStringLiteral("'%1' is not a database of this program.").arg(path));
  }
  QSqlDatabase db = QSqlDatabase::contains(name_)
                        ? QSqlDatabase::database(name_, false)
                        : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
  db.setDatabaseName(path);
  db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyWaitMs));
  if (!db.open()) throw DbError(db.lastError().text());
  try {
    QStringList have;
    QSqlQuery q = run(db, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"), {});
    while (q.next()) have << q.value(0).toString().toLower();
    for (const QString& t : requiredTables())
      if (!have.contains(t.toLower()))
        throw DbError(
            QStringLiteral("'%1' is not a database of this program (table %2 is missing).").arg(path, t));
    run(db, QStringLiteral("PRAGMA foreign_keys = OFF"), {});
  } catch (...) {
    close();
    throw;
  }
  path_ = path;
}

bool Db::tryOpen(const QString& path, QString* error) {
  try {
    open(path);
    return true;
  } catch (const DbError& e) {
    if (error) *error = e.text();
    return false;
  }
}

void Db::close() {
  if (!QSqlDatabase::contains(name_)) return;
  QSqlDatabase db = handle();
  if (db.isOpen()) db.close();
  depth_ = 0;
}

int Db::exec(const QString& sql, const QVariantList& binds) {
  QSqlQuery q = run(handle(), sql, binds);
  const int n = q.numRowsAffected();
  q.finish();
  return n;
}

Snapshot Db::query(const QString& sql, const QVariantList& binds) {
  QSqlQuery q = run(handle(), sql, binds);
  const QSqlRecord rec = q.record();
  QStringList cols;
  for (int i = 0; i < rec.count(); ++i) cols << rec.fieldName(i);
  QVector<QVector<QVariant>> rows;
  while (q.next()) {
    QVector<QVariant> row(cols.size());
    for (int i = 0; i < cols.size(); ++i) row[i] = q.value(i);
    rows.push_back(std::move(row));
  }
  q.finish();
  return Snapshot(std::move(cols), std::move(rows));
}

QVariant Db::scalar(const QString& sql, const QVariantList& binds) {
  QSqlQuery q = run(handle(), sql, binds);
  QVariant v;
  if (q.next()) v = q.value(0);
  q.finish();
  return v;
}

void Db::transaction(const std::function<void()>& body) {
  if (depth_ > 0) {
    ++depth_;
    try {
      body();
    } catch (...) {
      --depth_;
      throw;
    }
    --depth_;
    return;
  }
  exec(QStringLiteral("BEGIN IMMEDIATE"));
  depth_ = 1;
  try {
    body();
    exec(QStringLiteral("COMMIT"));
    depth_ = 0;
  } catch (...) {
    depth_ = 0;
    try {
      exec(QStringLiteral("ROLLBACK"));
    } catch (const DbError&) {
      // The rollback itself failing leaves nothing more to undo; the first failure is reported.
    }
    throw;
  }
}

Db& Conn() {
  static Db* db = new Db;
  return *db;
}

}  // namespace data
