// The bill list of a busy day and the cancellation of a bill, on a shop's database of one million
// sale lines. The day's gathering is compared with the same grouped query stepped through the SQLite
// C API; cancelling a 20-line bill with posting the same bill.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QApplication>
#include <QDate>
#include <QLineEdit>
#include <random>
#include <string>

#include "data/dates.h"
#include "data/db.h"
#include "platform/dialogs.h"
#include "reports/bill_cancel.h"
#include "reports/bill_form.h"
#include "reports/bill_gather.h"
#include "reports/bill_layout.h"
#include "sale/posting.h"
#include "support/harness.h"
#include "support/scripted_dialogs.h"
#include "support/shop_db.h"

namespace {

constexpr int kBillsOfTheDay = 2000;
constexpr int kLinesPerBill = 5;
constexpr int kCancelLines = 20;

// One million sale lines in bills of five over 100 days: 2,000 bills every day.
benchdb::ShopSize shopSize() {
  benchdb::ShopSize z;
  z.saleLines = 1000000;
  z.linesPerBill = kLinesPerBill;
  z.firstDay = QDate(2024, 1, 1);
  z.lastDay = z.firstDay.addDays(99);
  return z;
}
const QDate kBusyDay(2024, 2, 15);
const QDate kPostDay(2024, 4, 10);  // the day after the last, where the bench posts and cancels

QString g_db;     // read only
QString g_write;  // a copy the posting and cancelling benches write to

using benchdb::bindText;
using benchdb::die;
using benchdb::iso;
using benchdb::openRaw;
using benchdb::prepareRaw;

void BM_GatherDay(benchmark::State& state) {
  data::Conn().open(g_db);
  const QString day = QString::fromStdString(iso(kBusyDay));
  std::size_t items = 0;
  for (auto _ : state) {
    const auto bills = reports::gatherBills(data::Conn(), day);
    items = 0;
    for (const auto& b : bills) items += b.items.size();
    benchmark::DoNotOptimize(bills.data());
  }
  if (items != kBillsOfTheDay * kLinesPerBill) die("the day's items are " + std::to_string(items));
  data::Conn().close();
}

// The gathering and the list's lines, as a show fills the window.
void BM_ListDay(benchmark::State& state) {
  data::Conn().open(g_db);
  const QString day = QString::fromStdString(iso(kBusyDay));
  reports::BillTexts texts;
  texts.vatRate = 7;
  for (auto _ : state) {
    const QStringList lines = reports::billListLines(reports::gatherBills(data::Conn(), day), false, texts);
    benchmark::DoNotOptimize(lines.size());
  }
  data::Conn().close();
}

// The window's Show of that day: gathered, laid out as lines, put in the list and painted.
void BM_BillClick(benchmark::State& state) {
  data::Conn().open(g_db);
  plat::ScriptedDialogs dialogs;
  long added = 0;
  int lines = 0;
  {
    reports::BillF f;
    f.Form_Load();
    f.show();
    f.txtDate->setText(data::showDate(QString::fromStdString(iso(kBusyDay))));
    f.txtInvNo->clear();
    const long before = benchdb::residentKb();
    for (auto _ : state) {
      f.cmdShow_Click();
      QApplication::processEvents();
    }
    added = benchdb::residentKb() - before;
    lines = static_cast<int>(f.lines().size());
  }
  data::Conn().close();
  state.SetLabel(std::to_string(lines) + " lines, +" + std::to_string(added / 1024) + " MB resident");
}

// The same grouped query through the C API, every column of every row read.
void BM_RawGatherDay(benchmark::State& state) {
  sqlite3* db = openRaw(g_db);
  sqlite3_stmt* st = prepareRaw(
      db,
      "SELECT s.Comment, s.PID, p.PName, s.SPrice, SUM(s.SQuantity), MIN(s.rowid), s.SellTime, s.Employee, "
      "s.Recieve FROM Sell s JOIN Product p ON p.PId = s.PID WHERE s.SellDate = ? AND s.Comment IS NOT NULL "
      "GROUP BY s.Comment, s.PID, s.SPrice ORDER BY s.Comment, MIN(s.rowid)");
  const std::string day = iso(kBusyDay);
  struct Row {
    sqlite3_int64 bill;
    std::string code, name, time, employee;
    double price, quantity, received;
  };
  std::vector<Row> rows;
  auto text = [st](int c) {
    const unsigned char* t = sqlite3_column_text(st, c);
    return t ? std::string(reinterpret_cast<const char*>(t)) : std::string();
  };
  for (auto _ : state) {
    rows.clear();
    bindText(st, 1, day);
    while (sqlite3_step(st) == SQLITE_ROW)
      rows.push_back({sqlite3_column_int64(st, 0), text(1), text(2), text(6), text(7),
                      sqlite3_column_double(st, 3), sqlite3_column_double(st, 4),
                      sqlite3_column_double(st, 8)});
    sqlite3_reset(st);
    benchmark::DoNotOptimize(rows.data());
  }
  if (rows.size() != kBillsOfTheDay * kLinesPerBill)
    die("the raw day's rows are " + std::to_string(rows.size()));
  sqlite3_finalize(st);
  sqlite3_close(db);
}

sale::Posting nextBill(std::mt19937& rng) {
  std::uniform_int_distribution<int> pick(0, shopSize().products - 1);
  sale::Posting bill;
  bill.employee = QStringLiteral("Admin");
  bill.received = 1000;
  for (int i = 0; i < kCancelLines; ++i)
    bill.lines.push_back(
        {QString::fromStdString(benchdb::productCode(pick(rng))), 1.5, 25, QStringLiteral("10:00:00")});
  return bill;
}

void BM_PostBill(benchmark::State& state) {
  data::Conn().open(g_write);
  std::mt19937 rng(11);
  for (auto _ : state) {
    state.PauseTiming();
    const sale::Posting bill = nextBill(rng);
    state.ResumeTiming();
    benchmark::DoNotOptimize(sale::postBill(bill, kPostDay, false));
  }
  data::Conn().close();
}

void BM_CancelBill(benchmark::State& state) {
  data::Conn().open(g_write);
  const QString day = QString::fromStdString(iso(kPostDay));
  std::mt19937 rng(13);
  for (auto _ : state) {
    state.PauseTiming();
    const qint64 no = sale::postBill(nextBill(rng), kPostDay, false);
    state.ResumeTiming();
    if (!reports::cancelBill(data::Conn(), day, no)) die("no bill to cancel");
  }
  data::Conn().close();
}

BENCHMARK(BM_GatherDay)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_RawGatherDay)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_BillClick)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_ListDay)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_PostBill)->UseRealTime()->Unit(benchmark::kMicrosecond)->MinTime(2.0);
BENCHMARK(BM_CancelBill)->UseRealTime()->Unit(benchmark::kMicrosecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
  return benchdb::runBenchmarks(argc, argv,
                                [] {
                                  g_db = benchdb::shopDatabase(shopSize());
                                  g_write = benchdb::copyOf(g_db, QStringLiteral("bill_bench.db"));
                                },
                                {{"BM_GatherDay", "BM_RawGatherDay"}, {"BM_BillClick", "BM_RawGatherDay"}});
}
