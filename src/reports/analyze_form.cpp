#include "reports/analyze_form.h"

#include "data/categories.h"
#include "data/db.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/numtext.h"
#include "platform/units.h"
#include "reportkit/grid_export.h"
#include "reportkit/grid_sort.h"
#include "reportkit/report_print.h"
#include "shell/lang.h"

namespace reports {

using shell::L;

QString AnalyzeForm::PricePID;

namespace {

constexpr int kWidth = 11850;
constexpr int kHeight = 7700;
constexpr int kColWidths[] = {1700, 4380, 1500, 1500, 1500, 780, 1200};
constexpr int kGridLeft = 120;
constexpr int kHeadTop = 1560;
constexpr int kGridTop = 1935;

template <typename W>
W* placed(W* w, const QRect& r) {
  w->setGeometry(r);
  return w;
}

QString titleDate(const QDate& d) { return d.toString(QStringLiteral("MM/dd/yyyy")); }

}  // namespace

AnalyzeForm::AnalyzeForm(QWidget* parent) : plat::Form(parent) {
  setWindowTitle(QStringLiteral("Analyze Sell"));
  lblIni = placed(new QLabel(QStringLiteral("From "), this), plat::twipsRect(120, 180, 600, 315));
  DTPDate1 = placed(new QDateEdit(this), plat::twipsRect(720, 120, 1700, 360));
  lblLst = placed(new QLabel(QStringLiteral("To"), this), plat::twipsRect(2560, 180, 500, 315));
  DTPDate2 = placed(new QDateEdit(this), plat::twipsRect(3060, 120, 1700, 360));
  for (QDateEdit* d : {DTPDate1, DTPDate2}) {
    d->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    d->setCalendarPopup(true);
  }
  cmdShow = placed(new QPushButton(QStringLiteral("Show All"), this), plat::twipsRect(120, 660, 1500, 420));
  cmdPrint = placed(new QPushButton(QStringLiteral("Print"), this), plat::twipsRect(1740, 660, 1200, 420));
  cmdExcel = placed(new QPushButton(this), plat::twipsRect(3060, 660, 600, 420));
  cmdExcel->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
  cmdExcel->setAccessibleName(QStringLiteral("Excel"));
  LstCate = placed(new QListWidget(this), plat::twipsRect(6200, 120, 3900, 1320));
  LstCate->setSelectionMode(QAbstractItemView::MultiSelection);
  cmdSh = placed(new QPushButton(QStringLiteral("Show"), this), plat::twipsRect(10220, 120, 1300, 420));

  const char* headCaptions[] = {"Product ID", "Description", "Income", "Capital", "Profit", "%"};
  QPushButton** heads[] = {&cmdPid, &cmdDesc, &cmdToSort, &cmdBuySort, &cmdProfitSort, &cmdPercent};
  int x = kGridLeft;
  for (int c = 0; c < 6; ++c) {
    *heads[c] = placed(new QPushButton(QString::fromLatin1(headCaptions[c]), this),
                       plat::twipsRect(x, kHeadTop, kColWidths[c], 375));
    x += kColWidths[c];
  }
  FGrid = placed(new plat::FlexGrid(this), plat::twipsRect(kGridLeft, kGridTop, 11520, 4680));
  FGrid->setFixedRows(0);
  FGrid->setCols(7);
  FGrid->setRows(0);
  for (int c = 2; c < 7; ++c) FGrid->setColAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
  FGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  FGrid->setSelectionBehavior(QAbstractItemView::SelectRows);

  txtTotal = placed(new QLabel(QStringLiteral("Total"), this), plat::twipsRect(4800, 6780, 1300, 315));
  const int sumX[] = {6200, 7700, 9200};
  QLineEdit** sums[] = {&txtSumIncome, &txtSumCapital, &txtSumProfit};
  for (int i = 0; i < 3; ++i) {
    *sums[i] = placed(new QLineEdit(this), plat::twipsRect(sumX[i], 6720, 1500, 360));
    (*sums[i])->setReadOnly(true);
    (*sums[i])->setAlignment(Qt::AlignRight);
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
  if (shell::thai()) {
    setWindowTitle(QStringLiteral("รายงานวิเคราะห์การขาย"));
    lblIni->setText(QStringLiteral("ตั้งแต่"));
    lblLst->setText(QStringLiteral("ถึง"));
    cmdShow->setText(QStringLiteral("แสดงทั้งหมด"));
    cmdSh->setText(QStringLiteral("แสดง"));
    cmdPrint->setText(QStringLiteral("พิมพ์"));
    cmdPid->setText(QStringLiteral("รหัสสินค้า"));
    cmdDesc->setText(QStringLiteral("รายการสินค้า"));
    cmdToSort->setText(QStringLiteral("รวม"));
    cmdBuySort->setText(QStringLiteral("ทุน"));
    cmdProfitSort->setText(QStringLiteral("กำไร"));
    txtTotal->setText(QStringLiteral("รวมทั้งสิ้น"));
  }
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
  cells.reserve(rows.size());
  for (const ProfitRow& r : rows) cells.push_back(profitCells(r, kind));
  FGrid->setAllRows(std::move(cells));
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
  // Only a row whose cost is a number (a row of a show) opens the editor.
  if (!plat::parseNumber(FGrid->TextMatrix(r, 3))) return;
  // The editor is loaded afresh for the row clicked, so its box holds that product's price.
  plat::FormRegistry::instance().unload(QStringLiteral("PriceForm"));
  PricePID = FGrid->TextMatrix(r, 0);
  plat::Form* editor = plat::FormRegistry::instance().form(QStringLiteral("PriceForm"));
  if (!editor) return;
  editor->setWindowTitle(FGrid->TextMatrix(r, 1));
  editor->setOwnerForm(this);
  plat::FormRegistry::instance().show(QStringLiteral("PriceForm"));
  setEnabled(false);
}

}  // namespace reports
