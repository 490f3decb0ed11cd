// Posting a bill and reading the next bill number on a shop's database of some years:
// 100,000 products, 200,000 lots and one million sale lines. The posting is compared with the same
// statements run through the SQLite C API in one transaction, prepared once (the best SQLite can do),
// in both the rollback journal (DELETE) and WAL modes.
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
#include <vector>

#include "data/db.h"
#include "platform/files.h"
#include "sale/posting.h"

namespace {

constexpr int kProducts = 100000;
constexpr int kLotsPerProduct = 2;
constexpr int kSaleLines = 1000000;
constexpr int kLinesPerOldBill = 10;
constexpr int kBillLines = 20;
const QDate kFirstSaleDay(2023, 6, 1);
const QDate kLastSaleDay(2024, 5, 31);  // the bills are posted on this day, which already has bills

QString g_dbDelete;  // the database in the rollback-journal mode
QString g_dbWal;     // a copy of it in WAL mode

[[noreturn]] void die(const std::string& what) {
  std::fprintf(stderr, "posting_bench: %s\n", what.c_str());
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

std::string code(int i) {
  char b[16];
  std::snprintf(b, sizeof b, "P%06d", i);
  return b;
}

std::string iso(const QDate& d) { return d.toString(Qt::ISODate).toStdString(); }

QDate lotDate(int product, int lot) { return QDate(2023, 1, 1).addDays(product % 120 + lot * 30); }

QString templatePath() {
  const QString shipped = plat::shippedPath(QStringLiteral("Kelvantorium.db"));
  if (QFileInfo::exists(shipped)) return shipped;
  // The build puts the template beside the bench folder.
  const QString beside = QCoreApplication::applicationDirPath() + "/../shipped/Kelvantorium.db";
  if (QFileInfo::exists(beside)) return beside;
  die("template database not found; set QUORVANEL_SHIPPED");
}

// Fills a copy of the template in one transaction of prepared inserts.
void buildDatabase(const QString& path) {
  QFile::remove(path);
  if (!QFile::copy(templatePath(), path)) die("cannot copy the template database");
  QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
  sqlite3* db = openRaw(path);
  execRaw(db, "PRAGMA synchronous = OFF");
  execRaw(db, "BEGIN");
  sqlite3_stmt* product =
      prepareRaw(db,
                 "INSERT INTO Product (PId, PName, Price, Price1, Price2, Quantity, CID, ProNoun, PoOrder) "
                 "VALUES (?, ?, 25, 24, 23, 1000, 'C1', 'pcs', 5)");
  sqlite3_stmt* lot =
      prepareRaw(db,
                 "INSERT INTO Buy (PId, BuyDate, BuyTime, BQuantity, BPrice, BuyId, RemainQ, SupplierID) "
                 "VALUES (?, ?, '09:00:00', 500, 12, ?, 500, 'S1')");
  sqlite3_stmt* sell = prepareRaw(
      db,
      "INSERT INTO Sell (PID, SellTime, SellDate, BuyDate, BuyId, SQuantity, SPrice, Comment, CustomerId, "
      "Employee, Recieve) VALUES (?, '11:00:00', ?, ?, ?, 1, 25, ?, NULL, 'Admin', 1000)");
  for (int p = 0; p < kProducts; ++p) {
    bindText(product, 1, code(p));
    bindText(product, 2, "Product " + std::to_string(p));
    check(db, sqlite3_step(product), "product");
    sqlite3_reset(product);
    for (int l = 0; l < kLotsPerProduct; ++l) {
      bindText(lot, 1, code(p));
      bindText(lot, 2, iso(lotDate(p, l)));
      bindText(lot, 3, std::to_string(p % 50 + 1));
      check(db, sqlite3_step(lot), "lot");
      sqlite3_reset(lot);
    }
  }
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> pick(0, kProducts - 1);
  const int days = static_cast<int>(kFirstSaleDay.daysTo(kLastSaleDay)) + 1;
  const int bills = kSaleLines / kLinesPerOldBill;
  std::vector<int> billOfDay(days, 0);
  for (int b = 0; b < bills; ++b) {
    const int day = static_cast<int>(static_cast<long long>(b) * days / bills);
    const int no = ++billOfDay[day];
    const std::string sellDate = iso(kFirstSaleDay.addDays(day));
    for (int l = 0; l < kLinesPerOldBill; ++l) {
      const int p = pick(rng);
      bindText(sell, 1, code(p));
      bindText(sell, 2, sellDate);
      bindText(sell, 3, iso(lotDate(p, 0)));
      bindText(sell, 4, std::to_string(p % 50 + 1));
      sqlite3_bind_int64(sell, 5, no);
      check(db, sqlite3_step(sell), "sell");
      sqlite3_reset(sell);
    }
  }
  sqlite3_finalize(product);
  sqlite3_finalize(lot);
  sqlite3_finalize(sell);
  execRaw(db, "COMMIT");
  sqlite3_close(db);
}

void setJournal(const QString& path, const char* pragma) {
  sqlite3* db = openRaw(path);
  execRaw(db, pragma);
  sqlite3_close(db);
}

const QString& databaseFor(int mode) { return mode == 0 ? g_dbDelete : g_dbWal; }
const char* modeName(int mode) { return mode == 0 ? "DELETE" : "WAL"; }

// The products of the next bill; every bench draws the same sequence.
std::vector<int> nextProducts(std::mt19937& rng) {
  std::uniform_int_distribution<int> pick(0, kProducts - 1);
  std::vector<int> v(kBillLines);
  for (int& p : v) p = pick(rng);
  return v;
}

void BM_PostBill(benchmark::State& state) {
  const int mode = static_cast<int>(state.range(0));
  data::Conn().open(databaseFor(mode));
  std::mt19937 rng(11);
  for (auto _ : state) {
    state.PauseTiming();
    sale::Posting bill;
    bill.employee = QStringLiteral("Admin");
    bill.received = 1000;
    for (int p : nextProducts(rng))
      bill.lines.push_back({QString::fromStdString(code(p)), 1, 25, QStringLiteral("10:00:00")});
    state.ResumeTiming();
    benchmark::DoNotOptimize(sale::postBill(bill, kLastSaleDay, false));
  }
  data::Conn().close();
  state.SetLabel(modeName(mode));
}

// The statements of the posting, through the C API, prepared once outside the timing.
void BM_RawBill(benchmark::State& state) {
  const int mode = static_cast<int>(state.range(0));
  sqlite3* db = openRaw(databaseFor(mode));
  sqlite3_stmt* lot =
      prepareRaw(db, "SELECT BuyDate, BuyId FROM Buy WHERE PId = ? AND RemainQ > 0 ORDER BY BuyDate LIMIT 1");
  sqlite3_stmt* maxNo = prepareRaw(db, "SELECT MAX(Comment) FROM Sell WHERE SellDate = ?");
  sqlite3_stmt* insert = prepareRaw(
      db,
      "INSERT INTO Sell (PID, SellTime, SellDate, BuyDate, BuyId, SQuantity, SPrice, Comment, CustomerId, "
      "Employee, Recieve) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
  sqlite3_stmt* lower = prepareRaw(db, "UPDATE Product SET Quantity = Quantity - ? WHERE PId = ?");
  const std::string day = iso(kLastSaleDay);
  std::mt19937 rng(11);
  std::vector<std::string> codes(kBillLines), dates(kBillLines), ids(kBillLines);
  for (auto _ : state) {
    state.PauseTiming();
    const std::vector<int> products = nextProducts(rng);
    for (int i = 0; i < kBillLines; ++i) codes[i] = code(products[i]);
    state.ResumeTiming();
    execRaw(db, "BEGIN IMMEDIATE");
    for (int i = 0; i < kBillLines; ++i) {
      bindText(lot, 1, codes[i]);
      if (sqlite3_step(lot) != SQLITE_ROW) die("no lot");
      dates[i] = reinterpret_cast<const char*>(sqlite3_column_text(lot, 0));
      ids[i] = reinterpret_cast<const char*>(sqlite3_column_text(lot, 1));
      sqlite3_reset(lot);
    }
    bindText(maxNo, 1, day);
    check(db, sqlite3_step(maxNo), "max");
    const sqlite3_int64 no = sqlite3_column_int64(maxNo, 0) + 1;
    sqlite3_reset(maxNo);
    for (int i = 0; i < kBillLines; ++i) {
      bindText(insert, 1, codes[i]);
      bindText(insert, 2, "10:00:00");
      bindText(insert, 3, day);
      bindText(insert, 4, dates[i]);
      bindText(insert, 5, ids[i]);
      sqlite3_bind_double(insert, 6, 1);
      sqlite3_bind_double(insert, 7, 25);
      sqlite3_bind_int64(insert, 8, no);
      sqlite3_bind_null(insert, 9);
      bindText(insert, 10, "Admin");
      sqlite3_bind_double(insert, 11, 1000);
      check(db, sqlite3_step(insert), "insert");
      sqlite3_reset(insert);
      sqlite3_bind_double(lower, 1, 1);
      bindText(lower, 2, codes[i]);
      check(db, sqlite3_step(lower), "update");
      sqlite3_reset(lower);
    }
    execRaw(db, "COMMIT");
  }
  for (sqlite3_stmt* st : {lot, maxNo, insert, lower}) sqlite3_finalize(st);
  sqlite3_close(db);
  state.SetLabel(modeName(mode));
}

void BM_NextBillNo(benchmark::State& state) {
  const bool continuous = state.range(0) != 0;
  data::Conn().open(g_dbDelete);
  for (auto _ : state) benchmark::DoNotOptimize(sale::nextBillNo(kLastSaleDay, continuous));
  data::Conn().close();
  state.SetLabel(continuous ? "continuous" : "per day");
}

BENCHMARK(BM_PostBill)->Arg(0)->Arg(1)->UseRealTime()->Unit(benchmark::kMicrosecond)->MinTime(2.0);
BENCHMARK(BM_RawBill)->Arg(0)->Arg(1)->UseRealTime()->Unit(benchmark::kMicrosecond)->MinTime(2.0);
BENCHMARK(BM_NextBillNo)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  static QTemporaryDir home;
  qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);

  // On disk, not in memory: the journal's syncs are part of what a bill costs.
  QTemporaryDir work(QDir::currentPath() + "/posting_bench-XXXXXX");
  if (!work.isValid()) die("cannot make a working folder");
  g_dbDelete = work.filePath("delete.db");
  g_dbWal = work.filePath("wal.db");
  std::fprintf(stderr, "building the database...\n");
  buildDatabase(g_dbDelete);
  setJournal(g_dbDelete, "PRAGMA journal_mode = DELETE");
  if (!QFile::copy(g_dbDelete, g_dbWal)) die("cannot copy the database");
  setJournal(g_dbWal, "PRAGMA journal_mode = WAL");

  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
