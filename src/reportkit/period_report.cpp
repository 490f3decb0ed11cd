#include "reportkit/period_report.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QStyle>
#include <cmath>

#include "data/tell_failure.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/flexgrid.h"
#include "platform/numtext.h"
#include "platform/units.h"
#include "reportkit/grid_export.h"
#include "reportkit/grid_sort.h"
#include "reportkit/report_print.h"
#include "shell/lang.h"
#include "shell/security.h"
#include "shell/session.h"
#include "shell/settings.h"

namespace reportkit {

QString quantityCell(double v) {
  // Quantities are mostly whole: those need no digit work.
  if (std::isfinite(v) && v == std::trunc(v) && std::fabs(v) < 1e15)
    return QString::number(static_cast<qint64>(v));
  return plat::plainNumber(v);
}

QStringList periodGridRow(const PeriodProduct& p) {
  return {p.pid, p.name, quantityCell(p.quantity), plat::fmtMoney(p.value), QString(), p.unit};
}

QVector<QStringList> periodRowTexts(const QVector<PeriodProduct>& rows) {
  QVector<QStringList> out;
  out.reserve(rows.size());
  for (const PeriodProduct& p : rows) out.push_back(periodGridRow(p));
  return out;
}

QStringList categoryHeadingRow(const QString& item) {
  return {QStringLiteral("  "), QString(13, ' ') + item, QString(), QString(), QString(), QString()};
}

QVector<PeriodControlSpec> sharedPeriodControls(const QString& showSelected, bool withVatTotal) {
  using C = PeriodControl;
  QVector<PeriodControlSpec> v = {
      {"Frame3", C::Frame, "", {8640, 120, 3015, 2775}, "", ""},
      {"LstCate", C::CategoryList, "Frame3", {120, 360, 1695, 2280}, "", ""},
      {showSelected, C::Button, "Frame3", {1920, 360, 975, 735}, "Show", "แสดง"},
      {"cmdPrint", C::Button, "Frame3", {1920, 1200, 975, 735}, "Print", "พิมพ์"},
      {"cmdPid", C::Button, "", {120, 1375, 1720, 315}, "Product ID", "รหัสสินค้า"},
      {"cmdDesc", C::Button, "", {1850, 1375, 3850, 315}, "Description", "รายการสินค้า"},
      {"cmdQsort", C::Button, "", {5700, 1375, 1020, 315}, "Quantity", "จำนวน"},
      {"cmdToSort", C::Button, "", {6720, 1375, 1815, 315}, "Total", "รวม"},
      {"FGrid", C::Grid, "", {120, 1680, 8415, 5175}, "", ""},
      {"Frame2", C::Frame, "", {8640, 3000, 3015, withVatTotal ? 3855 : 2775}, "", ""},
      {"lblAmt", C::Label, "Frame2", {240, 360, 1695, 285}, "Amount", "รวม"},
      {"txtTotal", C::TotalBox, "Frame2", {240, 720, 1695, 360}, "", ""},
      {"lblBath", C::Label, "Frame2", {2040, 780, 855, 285}, "Baht", "บาท"},
      {"lblVat", C::Label, "Frame2", {240, 1440, 1695, 285}, "Vat", "ภาษี"},
      {"txtVat", C::TotalBox, "Frame2", {240, 1800, 1695, 360}, "", ""},
      {"lblBaht", C::Label, "Frame2", {2040, 1860, 855, 285}, "Baht", "บาท"},
  };
  if (withVatTotal) {
    v.push_back({"LabelTotal", C::Label, "Frame2", {240, 2520, 1695, 285}, "Total", "รวมภาษี"});
    v.push_back({"txtVatTot", C::TotalBox, "Frame2", {240, 2880, 1695, 360}, "", ""});
    v.push_back({"lblBath3", C::Label, "Frame2", {2040, 2940, 855, 285}, "Baht", "บาท"});
  }
  return v;
}

namespace {

// The kit's control for each kind of the layout.
plat::ui::Kind kitKind(PeriodControl k) {
  using K = plat::ui::Kind;
  switch (k) {
    case PeriodControl::Frame:
      return K::Frame;
    case PeriodControl::Label:
      return K::Label;
    case PeriodControl::Button:
      return K::Button;
    case PeriodControl::PictureButton:
      return K::PictureButton;
    case PeriodControl::DatePicker:
      return K::DatePicker;
    case PeriodControl::MonthCombo:
    case PeriodControl::EmployeeCombo:
    case PeriodControl::CategoryCombo:
      return K::Combo;
    case PeriodControl::CategoryList:
      return K::List;
    case PeriodControl::Grid:
      return K::Grid;
    case PeriodControl::YearBox:
    case PeriodControl::TotalBox:
      break;
  }
  return K::Box;
}

// Code, name, quantity, value, an empty column, unit.
constexpr int kGridColumns = 6;

// The wait cursor while a period is read: a year of a large shop takes about a second.
struct BusyCursor {
  BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~BusyCursor() { QApplication::restoreOverrideCursor(); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
};

}  // namespace

PeriodReport::PeriodReport(const PeriodLayout& layout, const PeriodSpec& spec, QWidget* parent)
    : plat::Form(parent), layout_(layout), spec_(spec) {
  setFont(plat::captionFont());
  setWindowTitle(layout_.englishCaption);
  QVector<plat::ui::Control> rows;
  for (const PeriodControlSpec& c : layout_.controls)
    rows.push_back({c.name, kitKind(c.kind), c.rect, c.english, c.thai, c.frame});
  controls_.build(this, rows);
  for (const PeriodControlSpec& c : layout_.controls) {
    QWidget* w = controls_.widget(c.name);
    switch (c.kind) {
      case PeriodControl::PictureButton: {
        auto* b = static_cast<QPushButton*>(w);
        b->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
        b->setIconSize(QSize(24, 24));
        b->setToolTip(QStringLiteral("Excel"));
        break;
      }
      case PeriodControl::DatePicker:
        DTPDate1 = static_cast<QDateEdit*>(w);
        break;
      case PeriodControl::MonthCombo:
      case PeriodControl::EmployeeCombo:
        comMo = static_cast<QComboBox*>(w);
        break;
      case PeriodControl::CategoryCombo:
        ComCate = static_cast<QComboBox*>(w);
        break;
      case PeriodControl::YearBox:
        txtYear = static_cast<QLineEdit*>(w);
        break;
      case PeriodControl::CategoryList:
        LstCate = static_cast<QListWidget*>(w);
        // A click toggles an item.
        LstCate->setSelectionMode(QAbstractItemView::MultiSelection);
        break;
      case PeriodControl::Grid:
        FGrid = static_cast<plat::FlexGrid*>(w);
        FGrid->setFixedRows(0);
        FGrid->setCols(kGridColumns);
        FGrid->setRows(0);
        FGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
        // Rows one caption line high.
        FGrid->verticalHeader()->setMinimumSectionSize(1);
        FGrid->verticalHeader()->setDefaultSectionSize(FGrid->fontMetrics().height() + 4);
        break;
      case PeriodControl::Frame:
      case PeriodControl::Label:
      case PeriodControl::Button:
      case PeriodControl::TotalBox:
        break;
    }
    if (c.hidden) w->hide();
  }
  controls_.setTabOrderAsRows();
  txtTotal = qobject_cast<QLineEdit*>(control("txtTotal"));
  txtVat = qobject_cast<QLineEdit*>(control("txtVat"));
  txtVatTot = qobject_cast<QLineEdit*>(control("txtVatTot"));
  cmdDel = button("cmdDel");
  cmdExcel = button("cmdExcel");
  cmdPrint = button("cmdPrint");
  cmdQsort = button("cmdQsort");
  cmdToSort = button("cmdToSort");

  if (QPushButton* b = button(spec_.showAllButton))
    connect(b, &QPushButton::clicked, this, &PeriodReport::showAll);
  if (QPushButton* b = button(spec_.showSelectedButton))
    connect(b, &QPushButton::clicked, this, &PeriodReport::showSelected);
  if (cmdQsort) connect(cmdQsort, &QPushButton::clicked, this, &PeriodReport::cmdQsort_Click);
  if (cmdToSort) connect(cmdToSort, &QPushButton::clicked, this, &PeriodReport::cmdToSort_Click);
  if (cmdDel) connect(cmdDel, &QPushButton::clicked, this, &PeriodReport::deletePeriod);
  if (cmdPrint) connect(cmdPrint, &QPushButton::clicked, this, &PeriodReport::print);
  if (cmdExcel) connect(cmdExcel, &QPushButton::clicked, this, &PeriodReport::exportToWorkbook);
  if (comMo && spec_.kind == PeriodKind::Month)
    connect(comMo, &QComboBox::activated, this, &PeriodReport::choosePeriod);
  if (ComCate) connect(ComCate, &QComboBox::activated, this, &PeriodReport::chooseCategory);
}

QPushButton* PeriodReport::button(const QString& name) const { return controls_.get<QPushButton>(name); }

QLabel* PeriodReport::label(const QString& name) const { return controls_.get<QLabel>(name); }

QSize PeriodReport::sizeHint() const {
  // The designed window size less its frame and caption bar.
  return QSize(plat::twipsToPx(layout_.width - 120), plat::twipsToPx(layout_.height - 480));
}

void PeriodReport::showEvent(QShowEvent* e) {
  plat::Form::showEvent(e);
  if (placed_) return;
  placed_ = true;
  if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) {
    sub->move(0, 0);
    sub->resize(plat::twipsToPx(layout_.width), plat::twipsToPx(layout_.height));
  }
}

void PeriodReport::Form_Load() {
  resize(sizeHint());
  for (int c = 0; c < layout_.columnWidths.size(); ++c) FGrid->setColWidth(c, layout_.columnWidths[c]);
  alignNumbers(2);
  if (shell::thai()) setWindowTitle(layout_.thaiCaption);
  controls_.setLanguage(shell::lang());
  if (DTPDate1) DTPDate1->setDate(plat::today());
  if (txtYear) txtYear->setText(plat::today().toString(QStringLiteral("yyyy")));
  period_ = spec_.kind == PeriodKind::Month ? std::nullopt : pickedPeriod();

  applyPermission();
  data::tellOnFailure(
      [&] {
        if (spec_.kind == PeriodKind::Month) comMo->addItems(periodMonths(data::Conn(), spec_.source));
        if (spec_.byEmployee) comMo->addItems(shell::users::names(data::Conn(), true));
        if (comMo) comMo->setCurrentIndex(-1);
        if (ComCate && spec_.kind == PeriodKind::Year && period_) {
          const auto products = periodProducts(data::Conn(), spec_.source, scope(*period_));
          fillCategories(summarize(products, {}).categories, false, true);
        }
      },
      plat::Icon::Critical);
}

void PeriodReport::applyPermission() {
  if (spec_.permission == PeriodPermission::ExportOnly) {
    if (cmdExcel) cmdExcel->show();
    return;
  }
  std::optional<int> level;
  try {
    level = shell::users::permission(data::Conn(), shell::session().userName);
  } catch (const data::DbError&) {
    // A failed look-up leaves both buttons hidden; the lists still fill.
  }
  if (cmdDel) cmdDel->setVisible(spec_.canDelete && level == 0);
  if (cmdExcel) cmdExcel->setVisible(level == 0 || level == 1);
}

std::optional<Period> PeriodReport::pickedPeriod() const {
  switch (spec_.kind) {
    case PeriodKind::Day: {
      const QDate d = DTPDate1->date();
      return Period{{data::isoDate(d), data::isoDate(d)}, d.toString(QStringLiteral("dd/MM/yyyy"))};
    }
    case PeriodKind::Month: {
      const QString item = comMo->currentIndex() < 0 ? QString() : comMo->currentText();
      if (auto r = monthItemRange(item)) return Period{*r, item};
      return std::nullopt;
    }
    case PeriodKind::Year:
      if (auto r = yearTextRange(txtYear->text())) return Period{*r, txtYear->text()};
      return std::nullopt;
  }
  return std::nullopt;
}

QString PeriodReport::employee() const { return comMo ? comMo->currentText() : QString(); }

PeriodScope PeriodReport::scope(const Period& p) const {
  PeriodScope s{p.range, std::nullopt};
  if (spec_.byEmployee) s.filter = employee();
  return s;
}

namespace {

// The category id an item carries (ids with a full stop in them too); the text before the first
// full stop for an item added without one.
QString itemCategoryId(const QVariant& data, const QString& text) {
  return data.isValid() ? data.toString() : categoryIdOf(text);
}

}  // namespace

bool PeriodReport::listHolds(const QVector<PeriodCategory>& cats) const {
  if (LstCate->count() != cats.size()) return false;
  for (int i = 0; i < LstCate->count(); ++i) {
    const QListWidgetItem* item = LstCate->item(i);
    if (item->data(Qt::UserRole).toString() != cats[i].id || item->text() != cats[i].itemText()) return false;
  }
  return true;
}

void PeriodReport::fillCategories(const QVector<PeriodCategory>& cats, bool intoList, bool intoCombo) {
  if (intoList && listHolds(cats)) {
    // The same categories again: nothing picked and no current item, as after a refill, which
    // would repaint the list, its bars and the frame behind them on every show.
    LstCate->setCurrentRow(-1);
    LstCate->clearSelection();
    intoList = false;
  } else if (intoList) {
    LstCate->clear();
  }
  for (const PeriodCategory& c : cats) {
    if (intoList) {
      auto* item = new QListWidgetItem(c.itemText(), LstCate);
      item->setData(Qt::UserRole, c.id);
    }
    if (intoCombo && ComCate) ComCate->addItem(c.itemText(), c.id);
  }
  if (intoCombo && ComCate) ComCate->setCurrentIndex(-1);
}

void PeriodReport::setTotals(double total, bool upTo3) {
  txtTotal->setText(upTo3 ? fmtMoneyUpTo3(total) : plat::fmtMoney(total));
  const double vat = vatPart(total, shell::settings().VatRate);
  txtVat->setText(plat::fmtMoney(vat));
  // Amounts include VAT: the total with VAT is the total itself (adding the VAT part counted it twice).
  if (txtVatTot) txtVatTot->setText(plat::fmtMoney(total));
}

void PeriodReport::clearGrid() {
  FGrid->setRows(0);
  RowCount = 0;
  categoryViewTotal_.reset();
}

void PeriodReport::alignNumbers(int quantityColumn) {
  for (int c = 0; c < kGridColumns; ++c)
    FGrid->setColAlignment(
        c,
        (c == quantityColumn || c == quantityColumn + 1 ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
}

void PeriodReport::setSortsAndPrint(bool sorts, bool print) {
  if (cmdQsort) cmdQsort->setEnabled(sorts);
  if (cmdToSort) cmdToSort->setEnabled(sorts);
  if (cmdPrint) cmdPrint->setEnabled(print);
}

void PeriodReport::remember() {
  if (!period_) {
    shown_.reset();
    return;
  }
  shown_ = ShownReport{*period_, spec_.byEmployee ? employee() : QString(), txtTotal->text()};
}

void PeriodReport::tell(const QString& description) const {
  // An arrow over the box, also while a show holds the wait cursor.
  QApplication::setOverrideCursor(Qt::ArrowCursor);
  plat::dialogs().message(description, QString(), plat::Icon::Critical);
  QApplication::restoreOverrideCursor();
}

void PeriodReport::tellNoPeriod() const {
  plat::dialogs().message(
      spec_.kind == PeriodKind::Month
          ? shell::L(QStringLiteral("กรุณาเลือกเดือน"), QStringLiteral("Please choose a month."))
          : shell::L(QStringLiteral("กรุณาใส่ปีเป็นตัวเลข 4 หลัก"),
                     QStringLiteral("Please type the year in four digits.")),
      QString(), plat::Icon::Information);
}

bool PeriodReport::tellNoEmployee() const {
  if (!spec_.byEmployee || !employee().isEmpty()) return false;
  plat::dialogs().message(
      shell::L(QStringLiteral("กรุณาเลือกพนักงาน"), QStringLiteral("Please choose an employee.")), QString(),
      plat::Icon::Information);
  return true;
}

void PeriodReport::showAll() {
  // A Buddhist-era year would read an empty period without a word.
  if (spec_.kind == PeriodKind::Year && yearTextRange(txtYear->text()) && txtYear->text().toInt() >= 2400) {
    const QString be = txtYear->text(), ce = QString::number(be.toInt() - 543);
    plat::dialogs().message(
        shell::L(QStringLiteral("กรุณาใส่ปีเป็น ค.ศ. (%1 แทน %2)"),
                 QStringLiteral("Please type the year of the Christian era (%1, not %2)."))
            .arg(ce, be),
        QString(), plat::Icon::Information);
    return;
  }
  if (tellNoEmployee()) return;
  if (spec_.tellMissingPeriod && !(spec_.kind == PeriodKind::Month ? period_ : pickedPeriod())) {
    tellNoPeriod();
    return;
  }
  const BusyCursor busy;
  setSortsAndPrint(true, true);
  alignNumbers(2);
  clearGrid();
  const bool refillsCategories = spec_.kind != PeriodKind::Month;
  // The category list is refilled once the show has read its categories (see fillCategories).
  if (refillsCategories && ComCate) ComCate->clear();
  if (spec_.kind != PeriodKind::Month) period_ = pickedPeriod();
  if (!period_) {
    // No month chosen, or a year that is not four digits: nothing to show.
    if (refillsCategories) LstCate->clear();
    txtTotal->clear();
    txtVat->clear();
    if (txtVatTot) txtVatTot->clear();
    shown_.reset();
    return;
  }
  try {
    const auto products = periodProducts(data::Conn(), spec_.source, scope(*period_));
    const PeriodSummary s = summarize(products, {spec_.rowsNeedCategory, spec_.skipZeroQuantity});
    if (refillsCategories) fillCategories(s.categories, true, true);
    setTotals(s.total, spec_.kind != PeriodKind::Day);
    RowCount = static_cast<int>(s.rows.size());
    FGrid->setAllRows(periodRowTexts(s.rows));
  } catch (const data::DbError& e) {
    // Nothing of the last period stays beside the emptied grid, and nothing is left to print.
    if (refillsCategories) LstCate->clear();
    txtTotal->clear();
    txtVat->clear();
    if (txtVatTot) txtVatTot->clear();
    shown_.reset();
    tell(e.text());
    return;
  }
  remember();
}

void PeriodReport::showSelected() {
  if (tellNoEmployee()) return;
  const BusyCursor busy;
  setSortsAndPrint(false, true);
  alignNumbers(2);
  clearGrid();
  QVector<QListWidgetItem*> items;
  for (int i = 0; i < LstCate->count(); ++i)
    if (LstCate->item(i)->isSelected()) items << LstCate->item(i);
  // Every category is read in one statement before the grid is filled: a failed read leaves no
  // half list.
  double grand = 0;
  QVector<QStringList> rows;
  try {
    QStringList ids;
    for (const QListWidgetItem* item : items) ids << itemCategoryId(item->data(Qt::UserRole), item->text());
    QHash<QString, QVector<PeriodProduct>> byCategory;  // ids compare without regard to case
    if (period_) {
      const PeriodScope sc = scope(*period_);
      for (PeriodProduct& p :
           categoryProducts(data::Conn(), spec_.source, sc, ids,
                            narrowingFor(data::Conn(), spec_.source, sc, ids, LstCate->count())))
        byCategory[p.categoryId.toCaseFolded()].push_back(std::move(p));
    }
    for (int i = 0; i < items.size(); ++i) {
      rows.push_back(categoryHeadingRow(items[i]->text()));
      // A category without lines keeps its heading and the show goes on.
      // Read as a const list: walking the shared copy as a mutable one would copy every product.
      const QVector<PeriodProduct> products = byCategory.value(ids[i].toCaseFolded());
      for (const PeriodProduct& p : products) {
        grand += p.roundedValue;
        if (spec_.skipZeroQuantity && std::abs(p.quantity) < 1e-9) continue;
        rows.push_back(periodGridRow(p));
      }
    }
  } catch (const data::DbError& e) {
    tell(e.text());
    rows.clear();
    grand = 0;
  }
  RowCount = static_cast<int>(rows.size());
  FGrid->setAllRows(std::move(rows));
  setTotals(grand, false);
  remember();
}

void PeriodReport::choosePeriod() {
  // The wait cursor goes with the read, so a failure's box shows the arrow.
  data::tellOnFailure(
      [&] {
        const BusyCursor busy;
        LstCate->clear();
        if (ComCate) ComCate->clear();
        period_ = pickedPeriod();
        if (!period_) return;
        const auto products = periodProducts(data::Conn(), spec_.source, scope(*period_));
        const PeriodSummary s = summarize(products, {spec_.rowsNeedCategory, spec_.skipZeroQuantity});
        fillCategories(s.categories, true, true);
        // Totals come with the month, also when none of its products has a category.
        setTotals(s.total, true);
      },
      plat::Icon::Critical);
}

void PeriodReport::chooseCategory() {
  const BusyCursor busy;
  if (!ComCate || ComCate->currentIndex() < 0) return;
  FGrid->setRows(0);
  categoryViewTotal_.reset();
  if (spec_.categoryViewCounts)
    RowCount = 0;
  else
    // Its rows have other columns: the sorts and the printout stay off until the next show.
    setSortsAndPrint(false, false);
  if (!period_) return;
  const int i = ComCate->currentIndex();
  QVector<QStringList> rows;
  qint64 satang = 0;
  try {
    const PeriodScope sc = scope(*period_);
    const QStringList ids{itemCategoryId(ComCate->itemData(i), ComCate->itemText(i))};
    for (const PeriodProduct& p :
         categoryProducts(data::Conn(), spec_.source, sc, ids,
                          narrowingFor(data::Conn(), spec_.source, sc, ids, ComCate->count()))) {
      const QString q = quantityCell(p.quantity), v = plat::fmtMoney(p.value);
      satang += plat::toSatang(p.value);
      rows.push_back(spec_.categoryView == CategoryView::NameQuantityValue
                         ? QStringList{p.name, q, v}
                         : QStringList{p.pid, p.name, q, v});
    }
  } catch (const data::DbError& e) {
    tell(e.text());
    return;
  }
  alignNumbers(spec_.categoryView == CategoryView::NameQuantityValue ? 1 : 2);
  const int n = static_cast<int>(rows.size());
  FGrid->setAllRows(std::move(rows));
  if (spec_.categoryViewCounts) {
    RowCount = n;
    remember();
  }
  categoryViewTotal_ = plat::fmtMoney(static_cast<double>(satang) / 100.0);
}

void PeriodReport::sortBy(int column) {
  if ((column == 2 && cmdQsort && !cmdQsort->isEnabled()) ||
      (column == 3 && cmdToSort && !cmdToSort->isEnabled()))
    return;
  GridSortDesc(*FGrid, column, SortKey::Money, RowCount);
}

void PeriodReport::TranVal(int from, int to) { reportkit::TranVal(*FGrid, from, to); }

QString PeriodReport::deleteQuestion(const Period& p) const {
  return shell::L(QStringLiteral("ยืนยันการลบข้อมูล "), QStringLiteral("Confirm to Delete Data ")) + p.text;
}

void PeriodReport::deletePeriod() {
  if (!spec_.canDelete) return;
  const std::optional<Period> p = pickedPeriod();
  if (!p) {
    plat::dialogs().message(spec_.kind == PeriodKind::Month
                                ? shell::L(QStringLiteral("กรุณาเลือกเดือนที่ต้องการลบ"),
                                           QStringLiteral("Please choose the month to delete."))
                                : shell::L(QStringLiteral("กรุณาใส่ปีเป็นตัวเลข 4 หลัก"),
                                           QStringLiteral("Please type the year in four digits.")),
                            QString(), plat::Icon::Information);
    return;
  }
  if (!plat::dialogs().askYesNo(deleteQuestion(*p), QString())) return;
  try {
    reportkit::deletePeriod(data::Conn(), spec_.source, p->range);
  } catch (const data::DbError& e) {
    tell(shell::L(QStringLiteral("ลบข้อมูลไม่สำเร็จ\n"), QStringLiteral("The sales could not be deleted.\n")) +
         e.text());
    return;
  }
  period_ = p;
  showAll();
  txtTotal->setText(QStringLiteral("0"));
  txtVat->setText(QStringLiteral("0"));
  if (txtVatTot) txtVatTot->setText(QStringLiteral("0"));
  if (shown_) shown_->total = txtTotal->text();
}

void PeriodReport::print() {
  if (!shown_ || (cmdPrint && !cmdPrint->isEnabled())) return;
  using shell::L;
  ReportPrint d;
  d.printer = PrinterChoice::ReportPrinter;
  d.docName = spec_.reportName;
  d.title = {spec_.titleX, spec_.titleY, titleText(*shown_), Align::Left, 2, spec_.titleBold};
  d.total =
      PlacedText{7700,
                 300,
                 L(QStringLiteral("สรุปยอดรวม             "), QStringLiteral("Amount                 ")) +
                     shown_->total + L(QStringLiteral("         บาท"), QStringLiteral("         Baht")),
                 Align::Left,
                 2,
                 true};
  d.headings = {{400, L(QStringLiteral("รหัสสินค้า"), QStringLiteral("Product Id"))},
                {3000, L(QStringLiteral("รายการสินค้า"), QStringLiteral("Description"))},
                {6700, L(QStringLiteral("จำนวน"), QStringLiteral("Quantity"))},
                {8200, L(QStringLiteral("หน่วยนับ"), QStringLiteral("Unit"))},
                {10000, L(QStringLiteral("มูลค่า"), QStringLiteral("Value"))}};
  d.columns = {{0, Align::Centre, 850},
               {1, Align::Left, 1700},
               {2, Align::Right, 7700},
               {5, Align::Right, 9300},
               {3, Align::Right, 10900}};
  printReport(d, *FGrid, RowCount);
}

void PeriodReport::exportToWorkbook() {
  ExportOptions o;
  o.reportName = spec_.reportName;
  o.onFailure = OnFailure::Message;
  // The rows' own period and total, not what a later month choice put into the boxes.
  if (shown_)
    o.reportName +=
        QLatin1Char(' ') + QString(shown_->period.text).replace(QLatin1Char('/'), QLatin1Char('-'));
  // The category view's rows are one category's: their own total goes beside them.
  o.totalRow = TotalRow{shell::L(QStringLiteral("รวม"), QStringLiteral("Total")),
                        categoryViewTotal_ ? *categoryViewTotal_
                        : shown_           ? shown_->total
                                           : txtTotal->text()};
  exportGrid(*FGrid, o);
}

}  // namespace reportkit
