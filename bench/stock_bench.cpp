// The stock lists on a shop of 100,000 products and 200,000 purchase lots: gathering the rows
// against the raw SQLite statement of the same rows through the C API; the grid showing 100,000 rows
// (and the memory it adds) against the item-per-cell table it replaced; the product editor's "All"
// list and the sale screen's list of every product name; the export of 100,000 rows against
// libxlsxwriter writing the same cells directly; the descending sort of 100,000 rows.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sqlite3.h>
#include <xlsxwriter.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QTableWidget>
#include <QTemporaryDir>
#include <string>

#include "data/db.h"
#include "platform/dialogs.h"
#include "platform/flexgrid.h"
#include "platform/name_list.h"
#include "platform/serial.h"
#include "reportkit/grid_export.h"
#include "reportkit/grid_sort.h"
#include "sale/main_form.h"
#include "shell/settings.h"
#include "stock/addf.h"
#include "stock/stock_lists.h"
#include "stock/stockf.h"
#include "support/harness.h"
#include "support/shop_db.h"

namespace {

using namespace benchdb;

// The stock lists read no sales: a shop with few of them builds in seconds.
ShopSize shopSize() {
  ShopSize z;
  z.saleLines = 5000;
  return z;
}
QString shop() { return shopDatabase(shopSize()); }

// The heap in use, in kB (what a window holds on to, not what the allocator keeps for later).
long residentKb() {
  const struct mallinfo2 m = mallinfo2();
  return static_cast<long>((m.uordblks + m.hblkhd) / 1024);
}
std::string mb(long kb) { return std::to_string(kb / 1024) + " MB"; }

const char* kAllCategorySql =
    "SELECT p.PId, p.PName, p.Price, p.Quantity, p.ProNoun, p.CID, c.CateName "
    "FROM Product p LEFT JOIN Category c ON c.CateID = p.CID ORDER BY p.CID, p.PId";
const char* kValueSql =
    "SELECT p.PId, p.PName, p.Quantity, "
    "(SELECT b.BPrice FROM Buy b WHERE b.PId = p.PId ORDER BY b.BuyDate DESC, b.BuyTime DESC, b.rowid DESC "
    "LIMIT 1), "
    "EXISTS (SELECT 1 FROM Buy b WHERE b.PId = p.PId) "
    "FROM Product p ORDER BY p.PId";
const char* kLotSql =
    "SELECT p.PId, p.PName, b.BPrice, p.Quantity, p.CID, c.CateName "
    "FROM Buy b JOIN Product p ON p.PId = b.PId LEFT JOIN Category c ON c.CateID = p.CID "
    "ORDER BY p.CID, p.PId, b.BuyDate, b.BuyTime, b.rowid";

void raw(benchmark::State& state, const char* sql) {
  sqlite3* db = openRaw(shop());
  sqlite3_stmt* st = prepareRaw(db, sql);
  long long rows = 0;
  for (auto _ : state) rows = drain(st);
  sqlite3_finalize(st);
  sqlite3_close(db);
  state.SetLabel(std::to_string(rows) + " rows");
}

template <typename F>
void gather(benchmark::State& state, F f) {
  data::Conn().open(shop());
  long long rows = 0;
  for (auto _ : state) {
    const auto r = f();
    rows = r.size();
    benchmark::DoNotOptimize(r);
  }
  data::Conn().close();
  state.SetLabel(std::to_string(rows) + " rows");
}

void BM_AllCategoryRows(benchmark::State& s) {
  gather(s, [] { return stock::allCategoryStockRows(); });
}
void BM_RawAllCategory(benchmark::State& s) { raw(s, kAllCategorySql); }
void BM_ValueRows(benchmark::State& s) {
  gather(s, [] { return stock::valueRows(QString()).rows; });
}
void BM_RawValue(benchmark::State& s) { raw(s, kValueSql); }
void BM_LotRows(benchmark::State& s) {
  gather(s, [] { return stock::allCategoryLotRows(); });
}
void BM_RawLots(benchmark::State& s) { raw(s, kLotSql); }

// The stock window's "All Category": the rows gathered and shown in its grid, painted once.
void BM_StockWindowAll(benchmark::State& state) {
  data::Conn().open(shop());
  plat::ScriptedDialogs dialogs;
  long added = 0;
  int rows = 0;
  {
    stock::StockF f;
    f.Form_Load();
    f.show();
    const long before = residentKb();
    for (auto _ : state) {
      f.ComCate->setCurrentIndex(0);
      f.ComCate_Click();
      QApplication::processEvents();
    }
    added = residentKb() - before;
    rows = f.FGrid->Rows();
  }
  data::Conn().close();
  state.SetLabel(std::to_string(rows) + " rows, " + mb(added) + " more heap");
}

// The same rows in a table of one item per cell, as the grid held them before.
void BM_ItemPerCellGrid(benchmark::State& state) {
  data::Conn().open(shop());
  const stock::ListRows rows = stock::allCategoryStockRows();
  data::Conn().close();
  long added = 0;
  {
    QTableWidget t;
    t.setColumnCount(6);
    t.show();
    const long before = residentKb();
    for (auto _ : state) {
      t.setRowCount(0);
      t.setRowCount(static_cast<int>(rows.size()));
      for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < 6; ++c) t.setItem(r, c, new QTableWidgetItem(rows[r][c]));
      QApplication::processEvents();
    }
    added = residentKb() - before;
  }
  state.SetLabel(std::to_string(rows.size()) + " rows, " + mb(added) + " more heap");
}

const stock::ListRows& valueList();

// The grid filled one AddItem at a time, as older windows fill it.
void BM_GridAddItem(benchmark::State& state) {
  const stock::ListRows& rows = valueList();
  QStringList tabbed;
  for (const QStringList& r : rows) tabbed << r.join(QLatin1Char('\t'));
  plat::FlexGrid g;
  g.setFixedRows(0);
  g.setCols(6);
  g.show();
  for (auto _ : state) {
    g.setRows(0);
    for (const QString& t : tabbed) g.AddItem(t);
    QApplication::processEvents();
  }
  state.SetLabel(std::to_string(g.Rows()) + " rows");
}

// The product editor's "All" list of every product.
void BM_ProductEditorAll(benchmark::State& state) {
  data::Conn().open(shop());
  plat::ScriptedDialogs dialogs;
  long added = 0;
  int rows = 0;
  {
    stock::AddF f;
    f.Form_Load();
    f.show();
    const long before = residentKb();
    for (auto _ : state) {
      f.Comcate2->setCurrentIndex(0);
      f.Comcate2_Click();
      QApplication::processEvents();
    }
    added = residentKb() - before;
    rows = f.FGrid->Rows();
  }
  data::Conn().close();
  state.SetLabel(std::to_string(rows) + " rows, " + mb(added) + " more heap");
}

// The sale screen's name list of every product (an empty search).
void BM_SaleNameList(benchmark::State& state) {
  data::Conn().open(shop());
  plat::SerialLog log;
  plat::installFakeSerial(&log);
  plat::ScriptedDialogs dialogs;
  shell::settings().DisplayPort = shell::SettingValue::ofNumber(0);
  shell::settings().DrawerPort = shell::SettingValue::ofNumber(0);
  int rows = 0;
  long added = 0;
  {
    sale::MainForm f;
    f.Form_Load();
    f.show();
    const long before = residentKb();
    for (auto _ : state) {
      f.ChkSearch(QString());
      QApplication::processEvents();
    }
    added = residentKb() - before;
    rows = f.ListPName->count();
    f.Form_Unload();
  }
  plat::setSerialFactory({});
  data::Conn().close();
  state.SetLabel(std::to_string(rows) + " names, " + mb(added) + " more heap");
}

// The raw statement of that list.
void BM_RawNameList(benchmark::State& s) { raw(s, "SELECT PId, PName FROM Product WHERE PName LIKE '%%'"); }

// The value list's 100,000 rows as the grid holds them.
const stock::ListRows& valueList() {
  static const stock::ListRows rows = [] {
    data::Conn().open(shop());
    auto r = stock::valueRows(QStringLiteral("All Category")).rows;
    data::Conn().close();
    return r;
  }();
  return rows;
}

QString exportDir() {
  static QTemporaryDir d;
  return d.path();
}

void BM_Export(benchmark::State& state) {
  plat::FlexGrid g;
  g.setFixedRows(0);
  g.setCols(6);
  g.setAllRows(valueList());
  reportkit::setExportFolder(exportDir());
  reportkit::setWorkbookOpener([](const QString& p) { return QFile::remove(p); });
  for (auto _ : state)
    if (!reportkit::exportGrid(g, reportkit::ExportOptions(QStringLiteral("bench"))).written) die("export");
  state.SetLabel(std::to_string(g.Rows()) + " rows");
}

// libxlsxwriter writing the same cells, numbers as numbers and the rest as text, decided beforehand.
void BM_RawXlsx(benchmark::State& state) {
  struct Cell {
    bool number;
    double value;
    std::string text;
  };
  std::vector<std::vector<Cell>> cells;
  for (const QStringList& row : valueList()) {
    std::vector<Cell> out;
    for (const QString& t : row) {
      const auto n = reportkit::cellNumber(t);
      out.push_back({n.has_value(), n.value_or(0), n ? std::string() : t.toStdString()});
    }
    cells.push_back(std::move(out));
  }
  const std::string path = (exportDir() + QStringLiteral("/raw.xlsx")).toStdString();
  for (auto _ : state) {
    lxw_workbook_options opts{};
    opts.constant_memory = LXW_TRUE;
    lxw_workbook* wb = workbook_new_opt(path.c_str(), &opts);
    lxw_worksheet* ws = workbook_add_worksheet(wb, nullptr);
    lxw_format* money = workbook_add_format(wb);
    format_set_num_format(money, "#,##0.00");
    for (std::size_t r = 0; r < cells.size(); ++r)
      for (std::size_t c = 0; c < cells[r].size(); ++c) {
        const Cell& x = cells[r][c];
        if (x.number)
          worksheet_write_number(ws, static_cast<lxw_row_t>(r), static_cast<lxw_col_t>(c), x.value, money);
        else if (!x.text.empty())
          worksheet_write_string(ws, static_cast<lxw_row_t>(r), static_cast<lxw_col_t>(c), x.text.c_str(),
                                 nullptr);
      }
    if (workbook_close(wb) != LXW_NO_ERROR) die("raw workbook");
    QFile::remove(QString::fromStdString(path));
  }
}

void BM_SortByValue(benchmark::State& state) {
  plat::FlexGrid g;
  g.setFixedRows(0);
  g.setCols(6);
  for (auto _ : state) {
    state.PauseTiming();
    g.setAllRows(valueList());
    state.ResumeTiming();
    reportkit::GridSortDesc(g, 4, reportkit::SortKey::Money, g.Rows());
  }
  state.SetLabel(std::to_string(g.Rows()) + " rows");
}

#define MS Unit(benchmark::kMillisecond)->UseRealTime()
BENCHMARK(BM_AllCategoryRows)->MS;
BENCHMARK(BM_RawAllCategory)->MS;
BENCHMARK(BM_ValueRows)->MS;
BENCHMARK(BM_RawValue)->MS;
BENCHMARK(BM_LotRows)->MS;
BENCHMARK(BM_RawLots)->MS;
BENCHMARK(BM_StockWindowAll)->MS;
BENCHMARK(BM_ItemPerCellGrid)->MS->Iterations(2);
BENCHMARK(BM_GridAddItem)->MS;
BENCHMARK(BM_ProductEditorAll)->MS;
BENCHMARK(BM_SaleNameList)->MS;
BENCHMARK(BM_RawNameList)->MS;
BENCHMARK(BM_Export)->MS;
BENCHMARK(BM_RawXlsx)->MS;
BENCHMARK(BM_SortByValue)->MS;

}  // namespace

int main(int argc, char** argv) {
  return runBenchmarks(argc, argv, [] { shop(); },
                       {{"BM_AllCategoryRows", "BM_RawAllCategory"},
                        {"BM_ValueRows", "BM_RawValue"},
                        {"BM_LotRows", "BM_RawLots"},
                        {"BM_StockWindowAll", "BM_RawAllCategory"},
                        {"BM_SaleNameList", "BM_RawNameList"},
                        {"BM_Export", "BM_RawXlsx"}});
}
