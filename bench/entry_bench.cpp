// A scanned code to a sale line: the look-up in a shop's 100,000 products, the stock tests, the line
// on the model and the grid, and the pole display's writes (to a fake line), as the sale screen
// does it for every Enter.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "data/db.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/serial.h"
#include "sale/main_form.h"
#include "shell/settings.h"

namespace {

constexpr int kProducts = 100000;
constexpr int kLinesPerSale = 50;

[[noreturn]] void die(const char* what) {
  std::fprintf(stderr, "entry_bench: %s\n", what);
  std::exit(1);
}

QString templatePath() {
  const QString shipped = plat::shippedPath(QStringLiteral("Kelvantorium.db"));
  if (QFileInfo::exists(shipped)) return shipped;
  const QString beside = QCoreApplication::applicationDirPath() + "/../shipped/Kelvantorium.db";
  if (QFileInfo::exists(beside)) return beside;
  die("template database not found; set QUORVANEL_SHIPPED");
}

QString code(int i) { return QStringLiteral("885%1").arg(i, 10, 10, QChar('0')); }

void buildDatabase(const QString& path) {
  QFile::remove(path);
  if (!QFile::copy(templatePath(), path)) die("cannot copy the template database");
  QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
  data::Conn().open(path);
  data::Conn().transaction([] {
    QSqlQuery q(data::Conn().handle());
    q.prepare(
        "INSERT INTO Product (PId, PName, Price, Price1, Price2, Quantity, CID, ProNoun, PoOrder) "
        "VALUES (?, ?, ?, ?, ?, 1000000000, 'C1', 'pcs', 5)");
    for (int i = 0; i < kProducts; ++i) {
      q.bindValue(0, code(i));
      q.bindValue(1, QStringLiteral("Product number %1").arg(i));
      q.bindValue(2, 10 + i % 997 * 0.25);
      q.bindValue(3, 9.5 + i % 997 * 0.25);
      q.bindValue(4, 9 + i % 997 * 0.25);
      if (!q.exec()) die("cannot insert a product");
    }
  });
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
  std::uniform_int_distribution<int> pick(0, kProducts - 1);
  for (auto _ : state) {
    if (form.LineCount() >= kLinesPerSale) {
      state.PauseTiming();
      form.cmdClear_Click();
      log.clear();
      state.ResumeTiming();
    }
    form.txtBar->setText(code(pick(rng)));
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
  static QTemporaryDir home;
  qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  QTemporaryDir work;
  if (!work.isValid()) die("cannot make a working folder");
  std::fprintf(stderr, "building the database...\n");
  buildDatabase(work.filePath("entry.db"));
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  data::Conn().close();
  return 0;
}
