#include "partners/history_form.h"

#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QPushButton>

#include "data/db.h"
#include "data/tell_failure.h"
#include "partners/history_print.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/flexgrid.h"
#include "platform/numtext.h"
#include "platform/units.h"
#include "reportkit/grid_sort.h"
#include "shell/lang.h"

namespace partners {

namespace {

reportkit::SortKey kitKey(KeyKind k) {
  switch (k) {
    case KeyKind::Code:
      return reportkit::SortKey::Code;
    case KeyKind::Date:
      return reportkit::SortKey::Date;
    case KeyKind::Text:
      return reportkit::SortKey::Text;
    case KeyKind::Number:
      break;
  }
  // Amounts and quantities: "1,250.00" is 1250.
  return reportkit::SortKey::Number;
}

constexpr int kIdRole = Qt::UserRole;
constexpr int kNameRole = Qt::UserRole + 1;

}  // namespace

void fillGrid(plat::FlexGrid& grid, const QVector<QStringList>& rows) {
  grid.setUpdatesEnabled(false);
  grid.setRows(0);
  grid.setRows(static_cast<int>(rows.size()));
  for (int r = 0; r < rows.size(); ++r)
    for (int c = 0; c < rows[r].size() && c < grid.Cols(); ++c) grid.setTextMatrix(r, c, rows[r][c]);
  grid.setUpdatesEnabled(true);
}

HistoryForm::HistoryForm(const HistoryLayout& layout, QWidget* parent) : plat::Form(parent), layout_(layout) {
  setFont(plat::captionFont());
  setWindowTitle(layout_.englishCaption);
  build();
}

void HistoryForm::build() {
  using K = plat::ui::Kind;
  QString panel;
  QString productPanel;
  QVector<plat::ui::Control> rows;
  for (const ControlSpec& s : layout_.controls) rows.push_back(s.control);
  controls_.build(this, rows);
  for (const ControlSpec& s : layout_.controls) {
    QWidget* w = controls_.widget(s.control.name);
    switch (s.role) {
      case Role::Panel:
        panel = s.control.name;
        break;
      case Role::ProductPanel:
        productPanel = s.control.name;
        break;
      case Role::IdBox:
        idBox = static_cast<QLineEdit*>(w);
        break;
      case Role::NameBox:
        nameBox = static_cast<QLineEdit*>(w);
        break;
      case Role::PickList:
        pickList = static_cast<QListWidget*>(w);
        pickList->hide();
        break;
      case Role::Show:
        cmdShow = static_cast<QPushButton*>(w);
        break;
      case Role::PrintPartner:
        cmdPrintPartner = static_cast<QPushButton*>(w);
        break;
      case Role::Category:
        ComCate = static_cast<QComboBox*>(w);
        break;
      case Role::Product:
        ComPro = static_cast<QComboBox*>(w);
        break;
      case Role::PrintProduct:
        cmdPrintPro = static_cast<QPushButton*>(w);
        break;
      case Role::DateFrom:
        DTPDate1 = static_cast<QDateEdit*>(w);
        break;
      case Role::DateTo:
        DTPDate2 = static_cast<QDateEdit*>(w);
        break;
      case Role::Total:
        txtTotal = static_cast<QLineEdit*>(w);
        txtTotal->setReadOnly(true);
        break;
      case Role::None:
        break;
    }
  }

  int gridWidth = 0;
  for (const HeadingSpec& h : layout_.headings) {
    const bool partner = h.grid == GridId::Partner;
    const int top = partner ? layout_.headingTop : layout_.headingTopP;
    QWidget* b = controls_.add({h.name, K::Button, QRect(h.left, top, h.width, layout_.headingHeight),
                                h.english, h.thai, partner ? panel : productPanel});
    gridWidth = std::max(gridWidth, h.left + h.width - 120);
    if (h.col < 0) {
      b->setFocusPolicy(Qt::NoFocus);  // the row's closing button does nothing
      continue;
    }
    connect(static_cast<QPushButton*>(b), &QPushButton::clicked, this, [this, h] { onHeading(h); });
  }

  auto makeGrid = [&](const QString& parent, const char* name, int top, int height,
                      const std::array<int, 6>& widths) {
    auto* g = static_cast<plat::FlexGrid*>(controls_.add(
        {QString::fromLatin1(name), K::Grid, QRect(120, top, gridWidth, height), "", "", parent}));
    g->setFixedRows(0);
    g->setCols(6);
    g->setRows(0);
    for (int c = 0; c < 6; ++c) g->setColWidth(c, widths[c]);
    // Rows as high as one line of the caption font, so a panel shows several lines.
    g->verticalHeader()->setMinimumSectionSize(1);
    g->verticalHeader()->setDefaultSectionSize(g->fontMetrics().height() + 4);
    return g;
  };
  FGrid = makeGrid(panel, "FGrid", layout_.headingTop + layout_.headingHeight, layout_.gridHeight,
                   layout_.widths);
  FGridP = makeGrid(productPanel, "FGridP", layout_.headingTopP + layout_.headingHeight, layout_.gridHeightP,
                    layout_.widthsP);
  pickList->raise();

  idBox->installEventFilter(this);
  pickList->installEventFilter(this);
  connect(cmdShow, &QPushButton::clicked, this, &HistoryForm::showPartner);
  connect(cmdPrintPartner, &QPushButton::clicked, this, &HistoryForm::printPartner);
  connect(cmdPrintPro, &QPushButton::clicked, this, &HistoryForm::printProduct);
  connect(pickList, &QListWidget::itemDoubleClicked, this, [this] { pick(true); });
  connect(ComCate, &QComboBox::activated, this, &HistoryForm::chooseCategory);
  connect(ComPro, &QComboBox::activated, this, &HistoryForm::chooseProduct);
}

QPushButton* HistoryForm::headingButton(const QString& name) const {
  return controls_.get<QPushButton>(name);
}

QSize HistoryForm::sizeHint() const {
  // The designed window size less its frame and caption bar.
  return QSize(plat::twipsToPx(layout_.width - 120), plat::twipsToPx(layout_.height - 480));
}

void HistoryForm::showEvent(QShowEvent* event) {
  plat::Form::showEvent(event);
  if (placed_) return;
  placed_ = true;
  if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) {
    sub->move(0, 0);
    sub->resize(plat::twipsToPx(layout_.width), plat::twipsToPx(layout_.height));
  }
}

void HistoryForm::Form_Load() {
  resize(sizeHint());
  if (shell::thai()) setWindowTitle(layout_.thaiCaption);
  controls_.setLanguage(shell::lang());
  controls_.setTabOrder(layout_.tabOrder);
  if (DTPDate1) {
    DTPDate1->setDate(plat::today());
    DTPDate2->setDate(plat::today());
  }
  if (txtTotal) txtTotal->setText(QStringLiteral("0"));
  data::tellOnFailure([&] {
    for (const Keyed& c : categoryList()) ComCate->addItem(categoryItemText(c), c.id);
  });
  ComCate->setCurrentIndex(-1);
}

void HistoryForm::tell(const QString& text) { plat::dialogs().message(text, QString()); }

void HistoryForm::lookUp() {
  std::optional<QString> name;
  if (!data::tellOnFailure([&] { name = partnerName(layout_.kind, idBox->text()); })) return;
  if (!name) {
    fillPickList();
    return;
  }
  pickList->hide();
  const std::optional<data::DateRange> range = checkedRange();
  if (!range) return;
  nameBox->setText(*name);
  showLines(*range);
}

void HistoryForm::fillPickList() {
  QVector<Keyed> all;
  if (!data::tellOnFailure([&] { all = partnerList(layout_.kind); })) return;
  pickList->clear();
  for (const Keyed& p : all) {
    auto* item = new QListWidgetItem(pickText(p), pickList);
    item->setData(kIdRole, p.id);
    item->setData(kNameRole, p.name);
  }
  if (all.isEmpty()) return;  // nothing to pick from
  pickList->show();
  pickList->setFocus();
}

void HistoryForm::pick(bool byDoubleClick) {
  QListWidgetItem* item = pickList->currentItem();
  const bool chosen = item && item->isSelected();
  pickList->hide();
  if (!chosen) return;
  // Refused before a box changes: the name, the grid and the total keep naming one partner.
  const std::optional<data::DateRange> range = checkedRange();
  if (!range) return;
  idBox->setText(item->data(kIdRole).toString());
  nameBox->setText(item->data(kNameRole).toString());
  if (byDoubleClick && txtTotal) txtTotal->setText(QStringLiteral("0"));
  showLines(*range);
}

std::optional<data::DateRange> HistoryForm::checkedRange() {
  if (!isCustomer()) return data::DateRange{};
  const auto r = pickerRange(DTPDate1->date(), DTPDate2->date());
  if (!r)
    tell(shell::L(QStringLiteral("วันที่เริ่มต้องไม่อยู่หลังวันที่สิ้นสุด"),
                  QStringLiteral("The From date is after the To date.")));
  return r;
}

void HistoryForm::showPartner() {
  if (const std::optional<data::DateRange> range = checkedRange()) showLines(*range);
}

void HistoryForm::showLines(const data::DateRange& range) {
  HistoryLines found;
  std::optional<QString> name;
  try {
    found = partnerLines(layout_.kind, idBox->text(), range);
    name = partnerName(layout_.kind, idBox->text());
  } catch (const data::DbError& e) {
    fillGrid(*FGrid, {});
    RowCount = 0;
    tell(e.text());
    return;
  }
  fillGrid(*FGrid, found.rows);
  RowCount = static_cast<int>(found.rows.size());
  // The printout's title is the name box: it names the partner whose lines are shown.
  nameBox->setText(name.value_or(QString()));
  if (isCustomer()) {
    txtTotal->setText(found.anyRead ? plat::fmtMoney(found.total) : QStringLiteral("0"));
  }
  if (RowCount > 0) {
    FGrid->setColAlignment(0, Qt::AlignHCenter);
    FGrid->setColAlignment(5, Qt::AlignHCenter);
  }
}

void HistoryForm::chooseCategory(int index) {
  if (index < 0) return;
  QVector<Keyed> products;
  if (!data::tellOnFailure([&] { products = productList(ComCate->itemData(index).toString()); })) return;
  ComPro->clear();
  for (const Keyed& p : products) ComPro->addItem(productItemText(p), p.id);
  ComPro->setCurrentIndex(-1);
}

void HistoryForm::chooseProduct(int index) {
  if (index < 0) return;
  HistoryLines found;
  try {
    found = productLines(layout_.kind, ComPro->itemData(index).toString());
  } catch (const data::DbError& e) {
    fillGrid(*FGridP, {});
    RowsP = 0;
    shownProduct_.clear();
    tell(e.text());
    return;
  }
  fillGrid(*FGridP, found.rows);
  RowsP = static_cast<int>(found.rows.size());
  shownProduct_ = ComPro->itemText(index);
  if (RowsP > 0) {
    FGridP->setColAlignment(0, Qt::AlignHCenter);
    FGridP->setColAlignment(5, Qt::AlignHCenter);
  }
}

void HistoryForm::printPartner() {
  printHistory(
      partnerPrintout(layout_.partnerPrint, nameBox->text(), txtTotal ? txtTotal->text() : QString()), *FGrid,
      RowCount);
}

void HistoryForm::printProduct() {
  printHistory(productPrintout(layout_.productPrint, shownProduct_), *FGridP, RowsP);
}

void HistoryForm::sort(GridId grid, int col, KeyKind key) {
  // The number sorts read code columns (codes, ids, bill numbers) as codes.
  for (const HeadingSpec& h : layout_.headings)
    if (key == KeyKind::Number && h.grid == grid && h.col == col) key = h.key == KeyKind::Code ? h.key : key;
  if (grid == GridId::Partner)
    reportkit::GridSortDesc(*FGrid, col, kitKey(key), RowCount);
  else
    reportkit::GridSortDesc(*FGridP, col, kitKey(key), RowsP);
}

void HistoryForm::SortNum(int col) { sort(GridId::Partner, col, KeyKind::Number); }
void HistoryForm::SortDate(int col) { sort(GridId::Partner, col, KeyKind::Date); }
void HistoryForm::SortString(int col) { sort(GridId::Partner, col, KeyKind::Text); }
void HistoryForm::SortNumP(int col) { sort(GridId::Product, col, KeyKind::Number); }
void HistoryForm::SortDateP(int col) { sort(GridId::Product, col, KeyKind::Date); }
void HistoryForm::SortStringP(int col) { sort(GridId::Product, col, KeyKind::Text); }
void HistoryForm::TranVal(int from, int to) { reportkit::TranVal(*FGrid, from, to); }
void HistoryForm::TranValP(int from, int to) { reportkit::TranVal(*FGridP, from, to); }

void HistoryForm::onHeading(const HeadingSpec& h) {
  const bool p = h.grid == GridId::Product;
  switch (h.key) {
    case KeyKind::Number:
    case KeyKind::Code:
      p ? SortNumP(h.col) : SortNum(h.col);
      break;
    case KeyKind::Date:
      p ? SortDateP(h.col) : SortDate(h.col);
      break;
    case KeyKind::Text:
      p ? SortStringP(h.col) : SortString(h.col);
      break;
  }
}

bool HistoryForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == idBox) {
    if (event->type() == QEvent::MouseButtonDblClick) {
      fillPickList();
      return true;
    }
    if (event->type() == QEvent::KeyPress) {
      auto* e = static_cast<QKeyEvent*>(event);
      if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        lookUp();
        return true;
      }
    }
  } else if (watched == pickList) {
    if (event->type() == QEvent::KeyPress) {
      auto* e = static_cast<QKeyEvent*>(event);
      // The list opens with nothing chosen: the first Down chooses its first entry.
      if (e->key() == Qt::Key_Down && pickList->selectedItems().isEmpty() && pickList->count() > 0) {
        pickList->setCurrentRow(0);
        return true;
      }
      if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        pick(false);
        return true;
      }
    }
    if (event->type() == QEvent::FocusOut) pickList->hide();
  }
  return plat::Form::eventFilter(watched, event);
}

}  // namespace partners
