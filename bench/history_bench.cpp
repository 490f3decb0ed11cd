// The partner histories on a shop's database of some years: one million sale lines of which one
// customer has 20,000 in the year asked for, and 200,000 purchase lines of which one supplier has
// 10,000. The window's read (the statement and the grid texts) is compared with the same
// statement stepped through the SQLite C API, prepared once, every column read.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "data/db.h"
#include "partners/history_form.h"
#include "partners/history_query.h"
#include "platform/files.h"
#include "platform/flexgrid.h"

namespace {

constexpr int kProducts = 10000;
constexpr int kSaleLines = 1000000;
constexpr int kCustomerLines = 20000;  // of the customer asked for, in the year asked for
constexpr int kCustomers = 500;
constexpr int kBuyLines = 200000;
constexpr int kSupplierLines = 10000;
constexpr int kSuppliers = 100;
const QDate kFirstDay(2023, 1, 1);
const QDate kLastDay(2024, 12, 31);
const char* kCustomer = "C0042";
const char* kSupplier = "S0007";
const char* kYearFrom = "2024-01-01";
const char* kYearTo = "2024-12-31";

QString g_db;

[[noreturn]] void die(const std::string& what) {
  std::fprintf(stderr, "history_bench: %s\n", what.c_str());
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

std::string numbered(const char* prefix, int i) {
  char b[16];
  std::snprintf(b, sizeof b, "%s%04d", prefix, i);
  return b;
}

std::string productCode(int i) {
  char b[16];
  std::snprintf(b, sizeof b, "P%06d", i);
  return b;
}

std::string iso(const QDate& d) { return d.toString(Qt::ISODate).toStdString(); }

QString templatePath() {
  const QString shipped = plat::shippedPath(QStringLiteral("Kelvantorium.db"));
  if (QFileInfo::exists(shipped)) return shipped;
  const QString beside = QCoreApplication::applicationDirPath() + "/../shipped/Kelvantorium.db";
  if (QFileInfo::exists(beside)) return beside;
  die("template database not found; set QUORVANEL_SHIPPED");
}

void buildDatabase(const QString& path) {
  QFile::remove(path);
  if (!QFile::copy(templatePath(), path)) die("cannot copy the template database");
  QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
  sqlite3* db = openRaw(path);
  execRaw(db, "PRAGMA synchronous = OFF");
  execRaw(db, "BEGIN");
  sqlite3_stmt* product = prepareRaw(db,
                                     "INSERT INTO Product (PId, PName, Price, Price1, Price2, Quantity, CID, "
                                     "ProNoun, PoOrder) VALUES (?, ?, 25, 24, 23, 1000, 'C1', 'pcs', 5)");
  for (int p = 0; p < kProducts; ++p) {
    bindText(product, 1, productCode(p));
    bindText(product, 2, "Product " + std::to_string(p));
    check(db, sqlite3_step(product), "product");
    sqlite3_reset(product);
  }
  sqlite3_stmt* cus =
      prepareRaw(db, "INSERT INTO Customers (CustomerId, CompanyName, Discount) VALUES (?, ?, 1)");
  for (int c = 0; c < kCustomers; ++c) {
    bindText(cus, 1, numbered("C", c));
    bindText(cus, 2, "Customer " + std::to_string(c));
    check(db, sqlite3_step(cus), "customer");
    sqlite3_reset(cus);
  }
  sqlite3_stmt* sup = prepareRaw(db, "INSERT INTO Suppliers (SupplierId, CompanyName) VALUES (?, ?)");
  for (int s = 0; s < kSuppliers; ++s) {
    bindText(sup, 1, numbered("S", s));
    bindText(sup, 2, "Supplier " + std::to_string(s));
    check(db, sqlite3_step(sup), "supplier");
    sqlite3_reset(sup);
  }

  std::mt19937 rng(7);
  std::uniform_int_distribution<int> pickProduct(0, kProducts - 1);
  std::uniform_int_distribution<int> pickCustomer(0, kCustomers - 1);
  const int days = static_cast<int>(kFirstDay.daysTo(kLastDay)) + 1;
  const QDate yearStart(2024, 1, 1);
  sqlite3_stmt* sell = prepareRaw(
      db,
      "INSERT INTO Sell (PID, SellTime, SellDate, BuyDate, BuyId, SQuantity, SPrice, Comment, CustomerId, "
      "Employee, Recieve) VALUES (?, '11:00:00', ?, '2023-01-01', '1', 2, 12.5, ?, ?, 'Admin', 1000)");
  // Every 50th line is the customer's, on a day of the year asked for; the rest spread over two
  // years among the other customers and walk-in sales.
  for (int i = 0; i < kSaleLines; ++i) {
    const bool ours = i % (kSaleLines / kCustomerLines) == 0;
    const QDate day = ours ? yearStart.addDays((i / 50) % 366)
                           : kFirstDay.addDays(i * static_cast<long long>(days) / kSaleLines);
    bindText(sell, 1, productCode(pickProduct(rng)));
    bindText(sell, 2, iso(day));
    sqlite3_bind_int64(sell, 3, i / 10 + 1);
    int c = pickCustomer(rng);
    if (c == 42) c = 43;
    if (ours)
      bindText(sell, 4, kCustomer);
    else if (i % 3 == 0)
      sqlite3_bind_null(sell, 4);
    else
      bindText(sell, 4, numbered("C", c));
    check(db, sqlite3_step(sell), "sell");
    sqlite3_reset(sell);
  }
  sqlite3_stmt* buy = prepareRaw(db,
                                 "INSERT INTO Buy (PId, BuyDate, BuyTime, BQuantity, BPrice, BuyId, RemainQ, "
                                 "SupplierID) VALUES (?, ?, '09:00:00', 500, 12.25, ?, 500, ?)");
  std::uniform_int_distribution<int> pickSupplier(0, kSuppliers - 1);
  for (int i = 0; i < kBuyLines; ++i) {
    const bool ours = i % (kBuyLines / kSupplierLines) == 0;
    int s = pickSupplier(rng);
    if (s == 7) s = 8;
    bindText(buy, 1, productCode(pickProduct(rng)));
    bindText(buy, 2, iso(kFirstDay.addDays(i * static_cast<long long>(days) / kBuyLines)));
    bindText(buy, 3, std::to_string(i % 40 + 1));
    bindText(buy, 4, ours ? std::string(kSupplier) : numbered("S", s));
    check(db, sqlite3_step(buy), "buy");
    sqlite3_reset(buy);
  }
  for (sqlite3_stmt* st : {product, cus, sup, sell, buy}) sqlite3_finalize(st);
  execRaw(db, "COMMIT");
  sqlite3_close(db);
}

const data::DateRange kYear{QString::fromLatin1(kYearFrom), QString::fromLatin1(kYearTo)};

void BM_CustomerLines(benchmark::State& state) {
  data::Conn().open(g_db);
  std::size_t rows = 0;
  for (auto _ : state) {
    const auto lines =
        partners::partnerLines(partners::PartnerKind::Customer, QString::fromLatin1(kCustomer), kYear);
    rows = static_cast<std::size_t>(lines.rows.size());
    benchmark::DoNotOptimize(lines.total);
  }
  data::Conn().close();
  if (rows != kCustomerLines) die("the customer has " + std::to_string(rows) + " lines");
  state.counters["rows"] = static_cast<double>(rows);
}

void BM_SupplierLines(benchmark::State& state) {
  data::Conn().open(g_db);
  std::size_t rows = 0;
  for (auto _ : state) {
    const auto lines =
        partners::partnerLines(partners::PartnerKind::Supplier, QString::fromLatin1(kSupplier));
    rows = static_cast<std::size_t>(lines.rows.size());
    benchmark::DoNotOptimize(lines.rows.data());
  }
  data::Conn().close();
  if (rows != kSupplierLines) die("the supplier has " + std::to_string(rows) + " lines");
  state.counters["rows"] = static_cast<double>(rows);
}

// The same statements through the C API: step every row and read every column.
void rawLines(benchmark::State& state, partners::PartnerKind kind) {
  sqlite3* db = openRaw(g_db);
  sqlite3_stmt* st = prepareRaw(db, partners::partnerLinesStatement(kind));
  std::size_t rows = 0;
  for (auto _ : state) {
    if (kind == partners::PartnerKind::Customer) {
      bindText(st, 1, kCustomer);
      bindText(st, 2, kYearFrom);
      bindText(st, 3, kYearTo);
    } else {
      bindText(st, 1, kSupplier);
    }
    rows = 0;
    double sum = 0;
    std::size_t bytes = 0;
    while (sqlite3_step(st) == SQLITE_ROW) {
      ++rows;
      bytes += static_cast<std::size_t>(sqlite3_column_bytes(st, 0)) + sqlite3_column_bytes(st, 1) +
               sqlite3_column_bytes(st, 4) + sqlite3_column_bytes(st, 5);
      sum += sqlite3_column_double(st, 2) * sqlite3_column_double(st, 3);
    }
    sqlite3_reset(st);
    benchmark::DoNotOptimize(sum);
    benchmark::DoNotOptimize(bytes);
  }
  sqlite3_finalize(st);
  sqlite3_close(db);
  state.counters["rows"] = static_cast<double>(rows);
}

void BM_RawCustomerLines(benchmark::State& state) { rawLines(state, partners::PartnerKind::Customer); }
void BM_RawSupplierLines(benchmark::State& state) { rawLines(state, partners::PartnerKind::Supplier); }

// The customer's lines put into the window's grid (for the record; the grid is Qt's).
void BM_CustomerGridFill(benchmark::State& state) {
  data::Conn().open(g_db);
  const auto lines =
      partners::partnerLines(partners::PartnerKind::Customer, QString::fromLatin1(kCustomer), kYear);
  data::Conn().close();
  plat::FlexGrid grid;
  grid.setFixedRows(0);
  grid.setCols(6);
  for (auto _ : state) partners::fillGrid(grid, lines.rows);
}

BENCHMARK(BM_CustomerLines)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RawCustomerLines)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SupplierLines)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RawSupplierLines)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CustomerGridFill)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  static QTemporaryDir home;
  qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  QTemporaryDir work(QDir::currentPath() + "/history_bench-XXXXXX");
  if (!work.isValid()) die("cannot make a working folder");
  g_db = work.filePath("history.db");
  std::fprintf(stderr, "building the database...\n");
  buildDatabase(g_db);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
