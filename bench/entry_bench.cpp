// A scanned code to a sale line: the look-up in a shop's 100,000 products, the stock tests, the line
// on the model and the grid, and the pole display's writes (to a fake line), as the sale screen
// does it for every Enter.
#include <benchmark/benchmark.h>

#include <random>

#include "data/db.h"
#include "platform/dialogs.h"
#include "platform/serial.h"
#include "sale/main_form.h"
#include "shell/settings.h"
#include "support/harness.h"
#include "support/shop_db.h"

namespace {

constexpr int kLinesPerSale = 50;

// The shop's products only: the scan reads no lots or sales.
benchdb::ShopSize shopSize() {
  benchdb::ShopSize z;
  z.lotsPerProduct = 0;
  z.saleLines = 0;
  return z;
}

void BM_ScanToLine(benchmark::State& state) {
  plat::SerialLog log;
  plat::installFakeSerial(&log);
  plat::ScriptedDialogs dialogs;
  shell::settings().DisplayPort = shell::SettingValue::ofNumber(1);
  shell::settings().DrawerPort = shell::SettingValue::ofNumber(0);
  sale::MainForm form;
  form.Form_Load();
  std::mt19937 rng(42);
  std::uniform_int_distribution<int> pick(0, shopSize().products - 1);
  for (auto _ : state) {
    if (form.LineCount() >= kLinesPerSale) {
      state.PauseTiming();
      form.cmdClear_Click();
      log.clear();
      state.ResumeTiming();
    }
    form.txtBar->setText(QString::fromStdString(benchdb::productCode(pick(rng))));
    int enter = 13;
    form.txtBar_KeyPress(enter);
  }
  if (!dialogs.shown.empty()) state.SkipWithError("a message box was shown");
  form.Form_Unload();
  plat::setSerialFactory({});
}
BENCHMARK(BM_ScanToLine)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
  return benchdb::runBenchmarks(argc, argv, [] { data::Conn().open(benchdb::shopDatabase(shopSize())); });
}
