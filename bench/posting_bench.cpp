// Posting a bill and reading the next bill number on a shop's database of some years:
// 100,000 products, 200,000 lots and one million sale lines. The posting is compared with the same
// statements run through the SQLite C API in one transaction, prepared once (the best SQLite can do),
// in both the rollback journal (DELETE) and WAL modes.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QDate>
#include <random>
#include <string>
#include <vector>

#include "data/db.h"
#include "sale/posting.h"
#include "support/harness.h"
#include "support/shop_db.h"

namespace {

using namespace benchdb;

constexpr int kBillLines = 20;
const QDate kLastSaleDay(2024, 5, 31);  // the bills are posted on this day, which already has bills

// A year of old bills of ten lines each.
ShopSize shopSize() {
  ShopSize z;
  z.linesPerBill = 10;
  z.firstDay = QDate(2023, 6, 1);
  z.lastDay = kLastSaleDay;
  return z;
}

QString g_dbDelete;  // the database in the rollback-journal mode
QString g_dbWal;     // a copy of it in WAL mode

void setJournal(const QString& path, const char* pragma) {
  sqlite3* db = openRaw(path);
  execRaw(db, pragma);
  sqlite3_close(db);
}

const QString& databaseFor(int mode) { return mode == 0 ? g_dbDelete : g_dbWal; }
const char* modeName(int mode) { return mode == 0 ? "DELETE" : "WAL"; }

// The products of the next bill; every bench draws the same sequence.
std::vector<int> nextProducts(std::mt19937& rng) {
  std::uniform_int_distribution<int> pick(0, shopSize().products - 1);
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
      bill.lines.push_back({QString::fromStdString(productCode(p)), 1, 25, QStringLiteral("10:00:00")});
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
    for (int i = 0; i < kBillLines; ++i) codes[i] = productCode(products[i]);
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
  return runBenchmarks(argc, argv,
                       [] {
                         // The journal's syncs are part of what a bill costs: the copies lie beside the shop
                         // database, in the temporary folder (point TMPDIR at a disk where /tmp is in
                         // memory).
                         g_dbDelete = copyOf(shopDatabase(shopSize()), QStringLiteral("posting-delete.db"));
                         setJournal(g_dbDelete, "PRAGMA journal_mode = DELETE");
                         g_dbWal = copyOf(g_dbDelete, QStringLiteral("posting-wal.db"));
                         setJournal(g_dbWal, "PRAGMA journal_mode = WAL");
                       },
                       {{"BM_PostBill", "BM_RawBill"}});
}
