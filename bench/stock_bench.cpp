// The stock lists on a shop of 100,000 products and 200,000 purchase lots: gathering the rows
// against the raw SQLite statement of the same rows through the C API; the grid showing 100,000 rows
// (and the memory it adds) against the item-per-cell table it replaced; the windows that list every
// product (the product editor's "All", the stock window's value list, the sale screen's name list),
// each filled as the user's pick fills it, beside the raw read of the same rows, with the heap they
// hold and how far the peak resident memory rose; the export of 100,000 rows against libxlsxwriter
// writing the same cells directly, each cell's kind decided in the timing; the sort of 100,000 rows.
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
#include <cstdlib>
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
#include "support/fake_serial.h"
#include "support/harness.h"
#include "support/scripted_dialogs.h"
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
long heapKb() {
  const struct mallinfo2 m = mallinfo2();
  return static_cast<long>((m.uordblks + m.hblkhd) / 1024);
}
std::string mb(long kb) { return std::to_string(kb / 1024) + " MB"; }
// What a window's list holds after its fills, and how far the process's peak rose while filling.
std::string held(long heldKb, const PeakGrowth& peak) {
  return mb(heldKb) + " more heap, peak resident +" + mb(peak.kb());
}

const char* kAllCategorySql =
    "SELECT p.PId, p.PName, p.Price, p.Quantity, p.ProNoun, p.CID, c.CateName "
    "FROM Product p LEFT JOIN Category c ON c.CateID = p.CID ORDER BY p.CID, p.PId";
const char* kValueSql =
    "SELECT p.PId, p.PName, p.Quantity, "
    "(SELECT b.BPrice FROM Buy b WHERE b.PId = p.PId ORDER BY b.BuyDate DESC, b.BuyTime DESC, b.rowid DESC "
    "LIMIT 1), "
    "EXISTS (SELECT 1 FROM Buy b WHERE b.PId = p.PId) "
    "FROM Product p ORDER BY p.PId";
// The product editor's list of every product, with its category's name.
const char* kProductEditorSql =
    "SELECT p.PId, p.PName, p.Price, p.Price1, p.Price2, p.Quantity, p.CID, p.ProNoun, p.PoOrder, "
    "c.CateName FROM Product p LEFT JOIN Category c ON c.CateID = p.CID ORDER BY p.CID, p.PId";
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
    const long before = heapKb();
    for (auto _ : state) {
      f.ComCate->setCurrentIndex(0);
      f.ComCate_Click();
      QApplication::processEvents();
    }
    added = heapKb() - before;
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
    const long before = heapKb();
    for (auto _ : state) {
      t.setRowCount(0);
      t.setRowCount(static_cast<int>(rows.size()));
      for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < 6; ++c) t.setItem(r, c, new QTableWidgetItem(rows[r][c]));
      QApplication::processEvents();
    }
    added = heapKb() - before;
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

// The product editor's "All" list of every product, as the pick in its combo fills it.
void BM_ProductEditorAll(benchmark::State& state) {
  data::Conn().open(shop());
  plat::ScriptedDialogs dialogs;
  long added = 0;
  int rows = 0;
  std::string memory;
  {
    stock::AddF f;
    f.Form_Load();
    f.show();
    const long before = heapKb();
    const PeakGrowth peak;
    for (auto _ : state) {
      f.Comcate2->setCurrentIndex(0);
      f.Comcate2_Click();
      QApplication::processEvents();
    }
    added = heapKb() - before;
    memory = held(added, peak);
    rows = f.FGrid->Rows();
  }
  data::Conn().close();
  state.SetLabel(std::to_string(rows) + " rows, " + memory);
}
void BM_RawProductEditorAll(benchmark::State& s) { raw(s, kProductEditorSql); }

// The stock window's value list (its Product Value button): every product valued and shown.
void BM_StockValueWindow(benchmark::State& state) {
  data::Conn().open(shop());
  plat::ScriptedDialogs dialogs;
  int rows = 0;
  std::string memory;
  QString total;
  {
    stock::StockF f;
    f.Form_Load();
    f.show();
    const long before = heapKb();
    const PeakGrowth peak;
    for (auto _ : state) {
      f.cmdValue_Click();
      QApplication::processEvents();
    }
    memory = held(heapKb() - before, peak);
    rows = f.FGrid->Rows();
    total = f.txtcosttal->text();
  }
  data::Conn().close();
  if (!dialogs.shown.empty()) state.SkipWithError("the list told a failure");
  state.SetLabel(std::to_string(rows) + " rows, total " + total.toStdString() + ", " + memory);
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
  std::string memory;
  {
    sale::MainForm f;
    f.Form_Load();
    f.show();
    const long before = heapKb();
    const PeakGrowth peak;
    for (auto _ : state) {
      f.ChkSearch(QString());
      QApplication::processEvents();
    }
    memory = held(heapKb() - before, peak);
    rows = f.ListPName->count();
    f.Form_Unload();
  }
  plat::setSerialFactory({});
  data::Conn().close();
  state.SetLabel(std::to_string(rows) + " names, " + memory);
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

// A cell's text as a number the way a workbook takes it, decided on its UTF-8 bytes: an optional
// minus, 1 to 12 integer digits (no leading zero before another digit), optionally grouped by
// commas in threes, then optionally a point and at least one decimal. Otherwise it is text.
struct RawNumber {
  bool number = false;
  bool grouped = false;
  int decimals = 0;
  double value = 0;
};
RawNumber rawNumber(const char* t, std::size_t len) {
  RawNumber n;
  char plain[64];
  std::size_t out = 0, i = 0;
  if (len == 0 || len >= sizeof plain) return n;
  if (t[i] == '-') plain[out++] = t[i++];
  const std::size_t intStart = i;
  int digits = 0, sinceComma = -1;
  for (; i < len; ++i) {
    if (t[i] >= '0' && t[i] <= '9') {
      plain[out++] = t[i];
      ++digits;
      if (sinceComma >= 0) ++sinceComma;
    } else if (t[i] == ',') {
      if (digits == 0 || (sinceComma < 0 ? digits > 3 : sinceComma != 3)) return n;
      n.grouped = true;
      sinceComma = 0;
    } else {
      break;
    }
  }
  if (n.grouped && sinceComma != 3) return n;
  if ((digits > 1 && t[intStart] == '0') || digits > 12) return n;
  if (i < len && t[i] == '.') {
    plain[out++] = t[i++];
    for (; i < len && t[i] >= '0' && t[i] <= '9'; ++i, ++n.decimals) plain[out++] = t[i];
    if (n.decimals == 0) return n;
  }
  if (i != len || digits + n.decimals == 0) return n;
  plain[out] = 0;
  n.value = std::strtod(plain, nullptr);
  n.number = true;
  return n;
}

// libxlsxwriter writing the same cells from their UTF-8 texts: each cell's kind (number or text)
// and a number's format (grouped or not, its decimals) decided inside the timing, as an export does.
void BM_RawXlsx(benchmark::State& state) {
  std::vector<std::vector<std::string>> cells;
  for (const QStringList& row : valueList()) {
    std::vector<std::string> out;
    for (const QString& t : row) {
      out.push_back(t.toStdString());
      // Outside the timing: the two sides write every cell as the same kind and value.
      const RawNumber n = rawNumber(out.back().data(), out.back().size());
      const auto program = reportkit::cellNumber(t);
      if (n.number != program.has_value() || (n.number && n.value != *program)) {
        state.SkipWithError(("the raw side decides otherwise on " + out.back()).c_str());
        return;
      }
    }
    cells.push_back(std::move(out));
  }
  const std::string path = (exportDir() + QStringLiteral("/raw.xlsx")).toStdString();
  long long numbers = 0;
  for (auto _ : state) {
    lxw_workbook_options opts{};
    opts.constant_memory = LXW_TRUE;
    lxw_workbook* wb = workbook_new_opt(path.c_str(), &opts);
    lxw_worksheet* ws = workbook_add_worksheet(wb, nullptr);
    lxw_format* formats[2][16] = {};  // [grouped][decimals], made at first use
    numbers = 0;
    for (std::size_t r = 0; r < cells.size(); ++r)
      for (std::size_t c = 0; c < cells[r].size(); ++c) {
        const std::string& text = cells[r][c];
        if (text.empty()) continue;
        const auto row = static_cast<lxw_row_t>(r);
        const auto col = static_cast<lxw_col_t>(c);
        const RawNumber n = rawNumber(text.data(), text.size());
        if (!n.number) {
          worksheet_write_string(ws, row, col, text.c_str(), nullptr);
          continue;
        }
        ++numbers;
        lxw_format* fmt = nullptr;
        if ((n.grouped || n.decimals > 0) && n.decimals < 16) {
          lxw_format*& f = formats[n.grouped][n.decimals];
          if (!f) {
            std::string code = n.grouped ? "#,##0" : "0";
            if (n.decimals > 0) code += "." + std::string(static_cast<std::size_t>(n.decimals), '0');
            f = workbook_add_format(wb);
            format_set_num_format(f, code.c_str());
          }
          fmt = f;
        }
        worksheet_write_number(ws, row, col, n.value, fmt);
      }
    if (workbook_close(wb) != LXW_NO_ERROR) die("raw workbook");
    QFile::remove(QString::fromStdString(path));
  }
  state.SetLabel(std::to_string(cells.size()) + " rows, " + std::to_string(numbers) + " numbers");
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
#define WINDOW MS->MinTime(2.0)
BENCHMARK(BM_AllCategoryRows)->MS;
BENCHMARK(BM_RawAllCategory)->MS;
BENCHMARK(BM_ValueRows)->MS;
BENCHMARK(BM_RawValue)->WINDOW;
BENCHMARK(BM_LotRows)->MS;
BENCHMARK(BM_RawLots)->MS;
BENCHMARK(BM_StockWindowAll)->MS;
BENCHMARK(BM_ItemPerCellGrid)->MS->Iterations(2);
BENCHMARK(BM_GridAddItem)->MS;
BENCHMARK(BM_ProductEditorAll)->WINDOW;
BENCHMARK(BM_RawProductEditorAll)->WINDOW;
BENCHMARK(BM_StockValueWindow)->WINDOW;
BENCHMARK(BM_SaleNameList)->WINDOW;
BENCHMARK(BM_RawNameList)->WINDOW;
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
                        {"BM_StockValueWindow", "BM_RawValue"},
                        {"BM_ProductEditorAll", "BM_RawProductEditorAll"},
                        {"BM_SaleNameList", "BM_RawNameList"},
                        {"BM_Export", "BM_RawXlsx"}});
}
