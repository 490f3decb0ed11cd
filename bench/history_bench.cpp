// The partner histories on a shop's database of some years: one million sale lines of which one
// customer has 20,000 in the year asked for, and 200,000 purchase lines of which one supplier has
// 10,000. The window's read (the statement and the grid texts) is compared with a statement of the
// same lines written here, stepped through the SQLite C API, prepared once, every column read.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QDate>
#include <string>

#include "data/db.h"
#include "partners/history_form.h"
#include "partners/history_query.h"
#include "platform/flexgrid.h"
#include "support/harness.h"
#include "support/shop_db.h"

namespace {

using namespace benchdb;

constexpr int kCustomerLines = 20000;  // of the customer asked for, in the year asked for
constexpr int kSupplierLines = 10000;
const char* kYearFrom = "2024-01-01";
const char* kYearTo = "2024-12-31";

// 10,000 products, one million sale lines over 2023 and 2024, 200,000 purchase lines.
ShopSize shopSize() {
  ShopSize z;
  z.products = 10000;
  z.lotsPerProduct = 20;
  z.customers = 500;
  z.suppliers = 100;
  z.busyCustomerLines = kCustomerLines;
  z.busySupplierLots = kSupplierLines;
  return z;
}

QString g_db;

const data::DateRange kYear{QString::fromLatin1(kYearFrom), QString::fromLatin1(kYearTo)};

void BM_CustomerLines(benchmark::State& state) {
  data::Conn().open(g_db);
  std::size_t rows = 0;
  for (auto _ : state) {
    const auto lines =
        partners::partnerLines(partners::PartnerKind::Customer, QString::fromLatin1(kBusyCustomer), kYear);
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
        partners::partnerLines(partners::PartnerKind::Supplier, QString::fromLatin1(kBusySupplier));
    rows = static_cast<std::size_t>(lines.rows.size());
    benchmark::DoNotOptimize(lines.rows.data());
  }
  data::Conn().close();
  if (rows != kSupplierLines) die("the supplier has " + std::to_string(rows) + " lines");
  state.counters["rows"] = static_cast<double>(rows);
}

// The same lines read straight, written here: the partner's lines still in trade, with the
// product's name, in the order they were entered (a customer's by day first), every row stepped
// and every column read.
const char* kRawCustomerLines =
    "SELECT s.PID, p.PName, s.SQuantity, s.SPrice, s.SellDate, s.Comment FROM Sell AS s "
    "JOIN Product AS p ON p.PId = s.PID "
    "WHERE s.CustomerId = ?1 AND s.SellDate >= ?2 AND s.SellDate <= ?3 AND s.Discontinue = 0 "
    "ORDER BY s.SellDate, s.rowid";
const char* kRawSupplierLines =
    "SELECT b.PId, p.PName, b.BQuantity, b.BPrice, b.BuyDate, b.BuyId FROM Buy AS b "
    "JOIN Product AS p ON p.PId = b.PId WHERE b.SupplierID = ?1 AND b.Discontinue = 0 ORDER BY b.rowid";

void rawLines(benchmark::State& state, partners::PartnerKind kind) {
  sqlite3* db = openRaw(g_db);
  const bool customer = kind == partners::PartnerKind::Customer;
  sqlite3_stmt* st = prepareRaw(db, customer ? kRawCustomerLines : kRawSupplierLines);
  std::size_t rows = 0;
  for (auto _ : state) {
    if (customer) {
      bindText(st, 1, kBusyCustomer);
      bindText(st, 2, kYearFrom);
      bindText(st, 3, kYearTo);
    } else {
      bindText(st, 1, kBusySupplier);
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
  if (rows != static_cast<std::size_t>(customer ? kCustomerLines : kSupplierLines))
    die("the raw read has " + std::to_string(rows) + " lines");
  state.counters["rows"] = static_cast<double>(rows);
}

void BM_RawCustomerLines(benchmark::State& state) { rawLines(state, partners::PartnerKind::Customer); }
void BM_RawSupplierLines(benchmark::State& state) { rawLines(state, partners::PartnerKind::Supplier); }

// The customer's lines put into the window's grid (for the record; the grid is Qt's).
void BM_CustomerGridFill(benchmark::State& state) {
  data::Conn().open(g_db);
  const auto lines =
      partners::partnerLines(partners::PartnerKind::Customer, QString::fromLatin1(kBusyCustomer), kYear);
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
  return runBenchmarks(
      argc, argv, [] { g_db = shopDatabase(shopSize()); },
      {{"BM_CustomerLines", "BM_RawCustomerLines"}, {"BM_SupplierLines", "BM_RawSupplierLines"}});
}
