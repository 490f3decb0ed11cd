#include "support/shop_db.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <vector>

#include "platform/files.h"

namespace benchdb {

namespace {

std::string numbered(const char* format, int n) {
  char b[16];
  std::snprintf(b, sizeof b, format, n);
  return b;
}

// Rows 1..count of a table of ids and names: the id after format, the name the noun and the id.
void insertNamed(sqlite3* db, const char* sql, int count, const char* format, const char* noun) {
  sqlite3_stmt* st = prepareRaw(db, sql);
  for (int n = 1; n <= count; ++n) {
    const std::string id = numbered(format, n);
    bindText(st, 1, id);
    bindText(st, 2, std::string(noun) + " " + id);
    check(db, sqlite3_step(st), noun);
    sqlite3_reset(st);
  }
  sqlite3_finalize(st);
}

QTemporaryDir& folder() {
  static QTemporaryDir dir;
  return dir;
}

void build(const QString& path, const ShopSize& z) {
  if (z.busyCustomerLines > 0 && (z.customers < 43 || z.busyCustomerLines > z.saleLines))
    die("a busy customer needs 43 customers and sale lines enough");
  if (z.busySupplierLots > 0 && (z.suppliers < 8 || z.busySupplierLots > z.products * z.lotsPerProduct))
    die("a busy supplier needs 8 suppliers and lots enough");
  if (z.shuffledCodes && z.products % 7919 == 0) die("shuffled codes need a product count prime to 7919");
  std::fprintf(stderr, "building the shop database (%d products, %d sale lines)...\n", z.products,
               z.saleLines);
  QFile::remove(path);
  if (!QFile::copy(templatePath(), path)) die("cannot copy the template database");
  QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
  sqlite3* db = openRaw(path);
  execRaw(db, "PRAGMA synchronous = OFF");
  execRaw(db, "BEGIN");
  insertNamed(db, "INSERT INTO Category (CateID, CateName) VALUES (?, ?)", z.categories, "C%02d", "Category");
  insertNamed(db, "INSERT INTO Suppliers (SupplierId, CompanyName) VALUES (?, ?)", z.suppliers, "S%02d",
              "Supplier");
  insertNamed(db, "INSERT INTO Customers (CustomerId, CompanyName, Discount) VALUES (?, ?, 1)", z.customers,
              "K%04d", "Customer");
  sqlite3_stmt* product =
      prepareRaw(db,
                 "INSERT INTO Product (PId, PName, Price, Price1, Price2, Quantity, CID, ProNoun, PoOrder) "
                 "VALUES (?, ?, 25, 24, 23, 1000, ?, 'pcs', 5)");
  sqlite3_stmt* lot =
      prepareRaw(db,
                 "INSERT INTO Buy (PId, BuyDate, BuyTime, BQuantity, BPrice, BuyId, RemainQ, SupplierID) "
                 "VALUES (?, ?, '09:00:00', 500, ?, ?, 500, ?)");
  const int days = static_cast<int>(z.firstDay.daysTo(z.lastDay)) + 1;
  const int lots = z.products * z.lotsPerProduct;
  for (int i = 0; i < z.products; ++i) {
    const int p = z.shuffledCodes ? static_cast<int>(i * 7919LL % z.products) : i;
    bindText(product, 1, productCode(p));
    bindText(product, 2, "Product " + std::to_string(p));
    bindText(product, 3, categoryOf(p, z));
    check(db, sqlite3_step(product), "product");
    sqlite3_reset(product);
    for (int l = 0; l < z.lotsPerProduct; ++l) {
      const int n = i * z.lotsPerProduct + l;
      int s = (p + l) % z.suppliers + 1;
      if (z.busySupplierLots > 0 && s == 7) s = 8;
      const bool busy = z.busySupplierLots > 0 && n % (lots / z.busySupplierLots) == 0;
      bindText(lot, 1, productCode(p));
      bindText(lot, 2, iso(z.firstDay.addDays((p + l * 97) % days)));
      sqlite3_bind_double(lot, 3, 10 + (p + l) % 7);
      bindText(lot, 4, std::to_string(p % 50 + 1));
      bindText(lot, 5, busy ? kBusySupplier : numbered("S%02d", s));
      check(db, sqlite3_step(lot), "lot");
      sqlite3_reset(lot);
    }
  }
  sqlite3_stmt* sell =
      prepareRaw(db,
                 "INSERT INTO Sell (PID, SellTime, SellDate, BuyDate, BuyId, SQuantity, SPrice, Comment, "
                 "CustomerId, Employee, Recieve) VALUES (?, '11:00:00', ?, ?, ?, ?, 25, ?, ?, ?, 1000)");
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> pick(0, z.products - 1);
  const int bills = z.saleLines / z.linesPerBill;
  std::vector<int> billOfDay(days, 0);
  const char* employees[] = {"Admin", "Somchai", "Malee"};
  // The busy customer's lines: every n-th line of the table, each dated in lastDay's year, so they
  // stand spread over the whole table as a regular's purchases of years would.
  const bool busyCustomer = z.busyCustomerLines > 0;
  const int busyStep = busyCustomer ? z.saleLines / z.busyCustomerLines : 0;
  const QDate busyYear(z.lastDay.year(), 1, 1);
  for (int b = 0; b < bills; ++b) {
    const int day = static_cast<int>(static_cast<long long>(b) * days / bills);
    const int no = ++billOfDay[day];
    const std::string sellDate = iso(z.firstDay.addDays(day));
    int k = b / 4 % z.customers + 1;
    if (busyCustomer && k == 42) k = 43;
    const std::string customer = numbered("K%04d", k);
    for (int l = 0; l < z.linesPerBill; ++l) {
      const int line = b * z.linesPerBill + l;
      const bool busy = busyCustomer && line % busyStep == 0;
      const int p = pick(rng);
      bindText(sell, 1, productCode(p));
      bindText(sell, 2, busy ? iso(busyYear.addDays(line / busyStep % busyYear.daysInYear())) : sellDate);
      bindText(sell, 3, iso(z.firstDay.addDays(p % days)));
      bindText(sell, 4, std::to_string(p % 50 + 1));
      sqlite3_bind_double(sell, 5, 1 + (b + l) % 3);
      sqlite3_bind_int64(sell, 6, no);
      if (busy)
        bindText(sell, 7, kBusyCustomer);
      else if (b % 4 == 0)
        bindText(sell, 7, customer);
      else
        sqlite3_bind_null(sell, 7);
      bindText(sell, 8, employees[b % 3]);
      check(db, sqlite3_step(sell), "sell");
      sqlite3_reset(sell);
    }
  }
  for (sqlite3_stmt* st : {product, lot, sell}) sqlite3_finalize(st);
  execRaw(db, "COMMIT");
  execRaw(db, "ANALYZE");
  sqlite3_close(db);
}

}  // namespace

[[noreturn]] void die(const std::string& what) {
  std::fprintf(stderr, "bench: %s\n", what.c_str());
  std::exit(1);
}

void check(sqlite3* db, int rc, const char* what) {
  if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW)
    die(std::string(what) + ": " + sqlite3_errmsg(db));
}

sqlite3* openRaw(const QString& path) {
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
    die("cannot open " + path.toStdString());
  sqlite3_busy_timeout(db, 5000);
  return db;
}

void execRaw(sqlite3* db, const char* sql) {
  check(db, sqlite3_exec(db, sql, nullptr, nullptr, nullptr), sql);
}

sqlite3_stmt* prepareRaw(sqlite3* db, const char* sql) {
  sqlite3_stmt* st = nullptr;
  check(db, sqlite3_prepare_v3(db, sql, -1, SQLITE_PREPARE_PERSISTENT, &st, nullptr), sql);
  return st;
}

void bindText(sqlite3_stmt* st, int i, const std::string& s) {
  sqlite3_bind_text(st, i, s.c_str(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
}

long long drain(sqlite3_stmt* st) {
  long long rows = 0;
  int rc;
  while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
    for (int c = 0; c < sqlite3_column_count(st); ++c) sqlite3_column_text(st, c);
    ++rows;
  }
  check(sqlite3_db_handle(st), rc, "drain");
  sqlite3_reset(st);
  return rows;
}

std::string productCode(int i) { return numbered("P%06d", i); }

std::string iso(const QDate& d) { return d.toString(Qt::ISODate).toStdString(); }

std::string categoryOf(int product, const ShopSize& size) {
  return numbered("C%02d", product % size.categories + 1);
}

QString templatePath() {
  const QString shipped = plat::shippedPath(QStringLiteral("Kelvantorium.db"));
  if (QFileInfo::exists(shipped)) return shipped;
  const QString beside = QCoreApplication::applicationDirPath() + "/../shipped/Kelvantorium.db";
  if (QFileInfo::exists(beside)) return beside;
  die("template database not found; set QUORVANEL_SHIPPED");
}

QString shopDatabase(const ShopSize& size) {
  static std::vector<std::pair<ShopSize, QString>> built;
  for (const auto& [z, path] : built)
    if (z == size) return path;
  // QUORVANEL_BENCH_SHOPS names a folder that keeps the shops between runs (one file per size,
  // built again when the template is newer): repeated runs and runs under a profiler skip the build.
  const QString kept = qEnvironmentVariable("QUORVANEL_BENCH_SHOPS");
  QString path;
  if (!kept.isEmpty()) {
    const QString name = QString::asprintf(
        "shop-%d-%d-%d-%d-%d-%s-%s-%d-%d-%d-%d-%d.db", size.products, size.categories, size.lotsPerProduct,
        size.saleLines, size.linesPerBill, qPrintable(size.firstDay.toString(Qt::ISODate)),
        qPrintable(size.lastDay.toString(Qt::ISODate)), size.customers, size.suppliers,
        size.busyCustomerLines, size.busySupplierLots, size.shuffledCodes ? 1 : 0);
    if (!QDir().mkpath(kept)) die("cannot make " + kept.toStdString());
    path = QDir(kept).filePath(name);
    const QFileInfo have(path);
    if (!have.exists() || have.lastModified() < QFileInfo(templatePath()).lastModified()) {
      const QString part = path + QStringLiteral(".part");
      build(part, size);
      QFile::remove(path);
      if (!QFile::rename(part, path)) die("cannot keep " + path.toStdString());
    }
  } else {
    if (!folder().isValid()) die("no temporary folder");
    path = folder().filePath(QStringLiteral("shop%1.db").arg(built.size()));
    build(path, size);
  }
  built.emplace_back(size, path);
  return path;
}

QString copyOf(const QString& path, const QString& name) {
  const QString to = QFileInfo(path).dir().filePath(name);
  QFile::remove(to);
  if (!QFile::copy(path, to)) die("cannot copy " + path.toStdString());
  QFile::setPermissions(to, QFile::ReadOwner | QFile::WriteOwner);
  return to;
}

}  // namespace benchdb
