#include "reports/analyze_form.h"

#include "data/categories.h"
#include "data/db.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/numtext.h"
#include "platform/ui_kit.h"
#include "platform/units.h"
#include "reportkit/grid_export.h"
#include "reportkit/grid_sort.h"
#include "reportkit/report_print.h"
#include "reports/price_form.h"
#include "shell/lang.h"

namespace reports {

using shell::L;

namespace {

constexpr int kWidth = 11850;
constexpr int kHeight = 7700;
constexpr int kColWidths[] = {1700, 4380, 1500, 1500, 1500, 780, 1200};
constexpr int kGridLeft = 120;
constexpr int kHeadTop = 1560;
constexpr int kGridTop = 1935;

using K = plat::ui::Kind;

// The column heads stand over the grid's columns, kColWidths wide from kGridLeft.
const QVector<plat::ui::Control>& controlRows() {
  static const QVector<plat::ui::Control> rows = {
      {"lblIni", K::Label, {120, 180, 600, 315}, "From ", "ตั้งแต่"},
      {"DTPDate1", K::DatePicker, {720, 120, 1700, 360}},
      {"lblLst", K::Label, {2560, 180, 500, 315}, "To", "ถึง"},
      {"DTPDate2", K::DatePicker, {3060, 120, 1700, 360}},
      {"cmdShow", K::Button, {120, 660, 1500, 420}, "Show All", "แสดงทั้งหมด"},
      {"cmdPrint", K::Button, {1740, 660, 1200, 420}, "Print", "พิมพ์"},
      {"cmdExcel", K::PictureButton, {3060, 660, 600, 420}},
      {"LstCate", K::List, {6200, 120, 3900, 1320}},
      {"cmdSh", K::Button, {10220, 120, 1300, 420}, "Show", "แสดง"},
      {"cmdPid", K::Button, {120, kHeadTop, 1700, 375}, "Product ID", "รหัสสินค้า"},
      // By design: the Description head has no click procedure; pressing it does nothing.
      {"cmdDesc", K::Button, {1820, kHeadTop, 4380, 375}, "Description", "รายการสินค้า"},
      {"cmdToSort", K::Button, {6200, kHeadTop, 1500, 375}, "Income", "รวม"},
      {"cmdBuySort", K::Button, {7700, kHeadTop, 1500, 375}, "Capital", "ทุน"},
      {"cmdProfitSort", K::Button, {9200, kHeadTop, 1500, 375}, "Profit", "กำไร"},
      {"cmdPercent", K::Button, {10700, kHeadTop, 780, 375}, "%"},
      {"FGrid", K::Grid, {kGridLeft, kGridTop, 11520, 4680}},
      {"txtTotal", K::Label, {4800, 6780, 1300, 315}, "Total", "รวมทั้งสิ้น"},
      {"txtSumIncome", K::Box, {6200, 6720, 1500, 360}},
      {"txtSumCapital", K::Box, {7700, 6720, 1500, 360}},
      {"txtSumProfit", K::Box, {9200, 6720, 1500, 360}},
  };
  return rows;
}

QString titleDate(const QDate& d) { return d.toString(QStringLiteral("MM/dd/yyyy")); }

}  // namespace

AnalyzeForm::AnalyzeForm(QWidget* parent) : plat::Form(parent) {
  setWindowTitle(QStringLiteral("Analyze Sell"));
  controls_.build(this, controlRows());
  lblIni = controls_.get<QLabel>("lblIni");
  DTPDate1 = controls_.get<QDateEdit>("DTPDate1");
  lblLst = controls_.get<QLabel>("lblLst");
  DTPDate2 = controls_.get<QDateEdit>("DTPDate2");
  cmdShow = controls_.get<QPushButton>("cmdShow");
  cmdPrint = controls_.get<QPushButton>("cmdPrint");
  cmdExcel = controls_.get<QPushButton>("cmdExcel");
  plat::ui::setPicture(cmdExcel, QStyle::SP_DialogSaveButton);
  cmdExcel->setAccessibleName(QStringLiteral("Excel"));
  LstCate = controls_.get<QListWidget>("LstCate");
  LstCate->setSelectionMode(QAbstractItemView::MultiSelection);
  cmdSh = controls_.get<QPushButton>("cmdSh");
  cmdPid = controls_.get<QPushButton>("cmdPid");
  cmdDesc = controls_.get<QPushButton>("cmdDesc");
  cmdToSort = controls_.get<QPushButton>("cmdToSort");
  cmdBuySort = controls_.get<QPushButton>("cmdBuySort");
  cmdProfitSort = controls_.get<QPushButton>("cmdProfitSort");
  cmdPercent = controls_.get<QPushButton>("cmdPercent");
  FGrid = controls_.get<plat::FlexGrid>("FGrid");
  FGrid->setFixedRows(0);
  FGrid->setCols(7);
  FGrid->setRows(0);
  for (int c = 2; c < 7; ++c) FGrid->setColAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
  FGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  FGrid->setSelectionBehavior(QAbstractItemView::SelectRows);

  txtTotal = controls_.get<QLabel>("txtTotal");
  txtSumIncome = controls_.get<QLineEdit>("txtSumIncome");
  txtSumCapital = controls_.get<QLineEdit>("txtSumCapital");
  txtSumProfit = controls_.get<QLineEdit>("txtSumProfit");
  for (QLineEdit* sum : {txtSumIncome, txtSumCapital, txtSumProfit}) {
    sum->setReadOnly(true);
    sum->setAlignment(Qt::AlignRight);
  }

  connect(cmdShow, &QPushButton::clicked, this, [this] { cmdShow_Click(); });
  connect(cmdSh, &QPushButton::clicked, this, [this] { cmdSh_Click(); });
  connect(cmdPid, &QPushButton::clicked, this, [this] { cmdPid_Click(); });
  connect(cmdToSort, &QPushButton::clicked, this, [this] { cmdToSort_Click(); });
  connect(cmdBuySort, &QPushButton::clicked, this, [this] { cmdBuySort_Click(); });
  connect(cmdProfitSort, &QPushButton::clicked, this, [this] { cmdProfitSort_Click(); });
  connect(cmdPercent, &QPushButton::clicked, this, [this] { cmdPercent_Click(); });
  connect(cmdPrint, &QPushButton::clicked, this, [this] { cmdPrint_Click(); });
  connect(cmdExcel, &QPushButton::clicked, this, [this] { cmdExcel_Click(); });
  connect(FGrid, &plat::FlexGrid::cellClicked, this, [this] { FGrid_Click(); });
  connect(FGrid, &QAbstractItemView::activated, this, [this] { FGrid_Click(); });

  setTabOrder(DTPDate1, DTPDate2);
  setTabOrder(DTPDate2, cmdShow);
  setTabOrder(cmdShow, cmdPrint);
  setTabOrder(cmdPrint, cmdExcel);
  setTabOrder(cmdExcel, LstCate);
  setTabOrder(LstCate, cmdSh);
  setTabOrder(cmdSh, FGrid);
}

QSize AnalyzeForm::sizeHint() const {
  const QSize c = clientTwips({kWidth, kHeight});
  return QSize(plat::twipsToPx(c.width()), plat::twipsToPx(c.height()));
}

void AnalyzeForm::Form_Load() {
  resize(sizeHint());
  for (int c = 0; c < 7; ++c) FGrid->setColWidth(c, kColWidths[c]);
  DTPDate1->setDate(plat::today());
  DTPDate2->setDate(plat::today());
  if (shell::thai()) setWindowTitle(QStringLiteral("รายงานวิเคราะห์การขาย"));
  controls_.setLanguage(shell::lang());
  try {
    for (const data::Category& c : data::allCategories()) {
      auto* item = new QListWidgetItem(data::categoryText(c), LstCate);
      item->setData(Qt::UserRole, c.CateID);
    }
  } catch (const data::DbError&) {
    // The list stays as far as it was read; the shows report their own failures.
  }
}

void AnalyzeForm::clearShow() {
  RowCount = 0;
  shown_.clear();
  FGrid->setRows(0);
  for (QLineEdit* s : {txtSumIncome, txtSumCapital, txtSumProfit}) s->clear();
}

void AnalyzeForm::show(ProfitShow kind, const std::function<QVector<ProfitRow>()>& gather) {
  clearShow();
  DateFrom = titleDate(DTPDate1->date());
  DateTo = titleDate(DTPDate2->date());
  QVector<ProfitRow> rows;
  try {
    rows = gather();
  } catch (const data::DbError&) {
    // A failed read leaves an empty analysis, said once; the dates stay as the user set them.
    plat::dialogs().message(L(QStringLiteral("ไม่พบข้อมูล"), QStringLiteral("Can't find Data")));
    return;
  }
  QVector<QStringList> cells;
  QVector<QVariant> index;
  cells.reserve(rows.size());
  index.reserve(rows.size());
  for (const ProfitRow& r : rows) {
    index.push_back(static_cast<int>(cells.size()));
    cells.push_back(profitCells(r, kind));
  }
  FGrid->setAllRows(std::move(cells));
  FGrid->setColumnData(0, 0, ShownRole, index);
  shown_ = rows;
  shownKind_ = kind;
  RowCount = static_cast<int>(rows.size());
  if (RowCount > 0) FGrid->setCurrentCell(0, 4);
  const ProfitSums s = profitSums(rows);
  txtSumIncome->setText(plat::fmtMoney(s.income));
  txtSumCapital->setText(plat::fmtMoney(s.cost));
  txtSumProfit->setText(plat::fmtMoney(s.profit));
}

void AnalyzeForm::cmdShow_Click() {
  const QDate from = DTPDate1->date(), to = DTPDate2->date();
  show(ProfitShow::All, [&] { return profitOfAllProducts(from, to); });
}

void AnalyzeForm::cmdSh_Click() {
  QStringList ids;
  for (int i = 0; i < LstCate->count(); ++i)
    if (LstCate->item(i)->isSelected()) ids << LstCate->item(i)->data(Qt::UserRole).toString();
  const QDate from = DTPDate1->date(), to = DTPDate2->date();
  const auto narrowing = reportkit::narrowingFor(ids.size(), LstCate->count());
  show(ProfitShow::Categories, [&] { return profitOfCategories(ids, from, to, narrowing); });
}

void AnalyzeForm::cmdPid_Click() { reportkit::GridSortDesc(*FGrid, 0, reportkit::SortKey::Code, RowCount); }
void AnalyzeForm::cmdToSort_Click() {
  reportkit::GridSortDesc(*FGrid, 2, reportkit::SortKey::Money, RowCount);
}
void AnalyzeForm::cmdBuySort_Click() {
  reportkit::GridSortDesc(*FGrid, 3, reportkit::SortKey::Money, RowCount);
}
void AnalyzeForm::cmdProfitSort_Click() {
  reportkit::GridSortDesc(*FGrid, 4, reportkit::SortKey::Money, RowCount);
}
void AnalyzeForm::cmdPercent_Click() {
  reportkit::GridSortDesc(*FGrid, 5, reportkit::SortKey::Money, RowCount);
}

reportkit::ReportPrint AnalyzeForm::printDescription() const {
  using namespace reportkit;
  ReportPrint d;
  d.printer = PrinterChoice::ReportPrinter;
  d.docName = QStringLiteral("Analyze");
  d.title = {
      4000,
      700,
      L(QStringLiteral("รายงานสรุปผลกำไรขาดทุนระหว่างวันที่ ") + DateFrom + QStringLiteral("ถึงวันที่ ") + DateTo,
        QStringLiteral("Profit/Loss Report Between ") + DateFrom + QStringLiteral("and ") + DateTo),
      Align::Left,
      2,
      true};
  if (shell::thai())
    d.headings = {{400, QStringLiteral("รหัสสินค้า")},  {3000, QStringLiteral("รายการสินค้า")},
                  {7000, QStringLiteral("มูลค่าขาย")}, {8700, QStringLiteral("ต้นทุน")},
                  {10100, QStringLiteral("กำไร")},   {10700, QStringLiteral("%")}};
  else
    d.headings = {{400, QStringLiteral("Product Id")}, {3000, QStringLiteral("Description")},
                  {7000, QStringLiteral("Income")},    {8700, QStringLiteral("Capital")},
                  {10100, QStringLiteral("Profit")},   {10700, QStringLiteral("%")}};
  d.columns = {{0, Align::Centre, 850}, {1, Align::Left, 1700},   {2, Align::Right, 7400},
               {3, Align::Right, 9000}, {4, Align::Right, 10400}, {5, Align::Right, 10900}};
  d.afterRows = {AfterRowsItem::rule(500, 100, 11000),
                 AfterRowsItem::label(700, 3000, L(QStringLiteral("รวม"), QStringLiteral("Total"))),
                 AfterRowsItem::label(700, 7400, txtSumIncome->text(), Align::Right),
                 AfterRowsItem::label(700, 9000, txtSumCapital->text(), Align::Right),
                 AfterRowsItem::label(700, 10400, txtSumProfit->text(), Align::Right)};
  return d;
}

void AnalyzeForm::cmdPrint_Click() { reportkit::printReport(printDescription(), *FGrid, RowCount); }

void AnalyzeForm::cmdExcel_Click() {
  reportkit::exportGrid(*FGrid, {QStringLiteral("Analyze"), reportkit::OnFailure::Silent, std::nullopt});
}

void AnalyzeForm::FGrid_Click() {
  const int r = FGrid->Row();
  if (r < 0 || r >= FGrid->Rows()) return;
  // Only a row of a show opens the editor.
  bool ok = false;
  const int i = FGrid->cellData(r, 0, ShownRole).toInt(&ok);
  if (!ok || i < 0 || i >= shown_.size()) return;
  // The editor is loaded afresh for the row clicked, so its box holds that product's price.
  plat::FormRegistry::instance().unload(QStringLiteral("PriceForm"));
  auto* editor = qobject_cast<PriceForm*>(plat::FormRegistry::instance().form(QStringLiteral("PriceForm")));
  if (!editor) return;
  editor->edit(priceForEdit(shown_.at(i), shownKind_));
  editor->setOwnerForm(this);
  plat::FormRegistry::instance().show(QStringLiteral("PriceForm"));
  setEnabled(false);
}

}  // namespace reports
