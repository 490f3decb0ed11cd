#include "stock/stock_window.h"

#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>

#include "data/categories.h"
#include "data/db.h"
#include "platform/dialogs.h"
#include "platform/flexgrid.h"
#include "platform/keys.h"
#include "platform/units.h"
#include "shell/lang.h"
#include "stock/stock_lists.h"

namespace stock {

namespace {
// The controls both windows share: the chooser, then the labels standing over their grid columns,
// then the grid.
QVector<plat::ui::Control> sharedRows(const StockWindowLayout& l) {
  using K = plat::ui::Kind;
  QVector<plat::ui::Control> rows = {
      {"lblCate", K::Label, {120, 150, 1800, 285}, l.lblCate.english, l.lblCate.thai},
      {"ComCate", K::Combo, {1980, 120, 4200, 315}},
  };
  const char* names[] = {"lblPid", "lblDesc", "lblPrice", "lblQuantity", "lblUnit"};
  const Caption* caps[] = {&l.lblPid, &l.lblDesc, &l.lblPrice, &l.lblQuantity, &l.lblUnit};
  int x = 120;
  for (int i = 0; i < 5; ++i) {
    rows.push_back({names[i], K::Label, {x, 660, l.colWidths[i], 285}, caps[i]->english, caps[i]->thai});
    x += l.colWidths[i];
  }
  rows.push_back({"FGrid", K::Grid, {120, 960, 11400, 5600}});
  return rows;
}

// The windows' labels are white on the window's background.
void whiten(QWidget* w) {
  if (!qobject_cast<QLabel*>(w)) return;
  QPalette p = w->palette();
  p.setColor(QPalette::WindowText, Qt::white);
  w->setPalette(p);
}
}  // namespace

QString StockListWindow::pickedCategoryId() const {
  const int i = ComCate->currentIndex();
  const QString text = ComCate->currentText();
  if (i >= 0 && ComCate->itemText(i) == text && ComCate->itemData(i).isValid())
    return ComCate->itemData(i).toString();
  return categoryIdOf(text);
}

StockListWindow::StockListWindow(const StockWindowLayout& layout, QWidget* parent)
    : plat::Form(parent), layout_(layout) {
  setFont(plat::captionFont());
  setWindowTitle(layout.form.english);
  QPalette p = palette();
  p.setColor(QPalette::Window, plat::formBackground());
  setPalette(p);
  setAutoFillBackground(true);

  controls_.build(this, {});
  for (const plat::ui::Control& row : sharedRows(layout)) {
    QWidget* w = addControl(row);
    // The chooser also takes a search text. Made so as it is made, its edit line follows it in the
    // focus chain. Enter lists the typed text; it never becomes an item nor is it completed.
    if (row.name == QLatin1String("ComCate")) {
      auto* chooser = static_cast<QComboBox*>(w);
      chooser->setEditable(true);
      chooser->setInsertPolicy(QComboBox::NoInsert);
      chooser->setCompleter(nullptr);
    }
  }
  lblCate = controls_.get<QLabel>("lblCate");
  ComCate = controls_.get<QComboBox>("ComCate");
  lblPid = controls_.get<QLabel>("lblPid");
  lblDesc = controls_.get<QLabel>("lblDesc");
  lblPrice = controls_.get<QLabel>("lblPrice");
  lblQuantity = controls_.get<QLabel>("lblQuantity");
  lblUnit = controls_.get<QLabel>("lblUnit");
  FGrid = controls_.get<plat::FlexGrid>("FGrid");
  ComCate->installEventFilter(this);
  ComCate->lineEdit()->installEventFilter(this);
  FGrid->setFixedRows(0);
  FGrid->setRows(0);
  FGrid->setCols(6);

  connect(ComCate, &QComboBox::activated, this, [this](int) { ComCate_Click(); });
}

QWidget* StockListWindow::addControl(const plat::ui::Control& row) {
  QWidget* w = controls_.add(row);
  whiten(w);
  return w;
}

QSize StockListWindow::sizeHint() const { return QSize(plat::twipsToPx(kWidth), plat::twipsToPx(kHeight)); }

bool StockListWindow::event(QEvent* e) {
  // Placed at the main window's top-left corner at its design size, where it goes when restored.
  if (e->type() == QEvent::ParentChange && !placed_) {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) {
      placed_ = true;
      sub->setGeometry(0, 0, plat::twipsToPx(kWidth), plat::twipsToPx(kHeight));
    }
  }
  return plat::Form::event(e);
}

void StockListWindow::Form_Load() {
  resize(sizeHint());
  for (int c = 0; c < 6; ++c) FGrid->setColWidth(c, layout_.colWidths[c]);
  if (shell::thai()) setWindowTitle(layout_.form.thai);
  controls_.setLanguage(shell::lang());
  fillCategories();
}

void StockListWindow::fillCategories() {
  ComCate->clear();
  ComCate->addItem(allCategoryItem());
  guarded([this] {
    for (const data::Category& c : data::allCategories())
      ComCate->addItem(data::categoryChooserText(c), c.CateID);
  });
  ComCate->setCurrentIndex(-1);
  ComCate->setEditText(QString());
}

void StockListWindow::clearList() {
  FGrid->setRows(0);
  RowCount = 0;
}

void StockListWindow::showRows(ListRows rows) {
  const int n = static_cast<int>(rows.size());
  if (FGrid->Rows() == 0)
    FGrid->setAllRows(std::move(rows));  // the cells move in, no copy
  else
    FGrid->appendRows(rows);
  RowCount += n;
}

void StockListWindow::tell(const QString& text) { plat::dialogs().message(text); }

bool StockListWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress || (watched != ComCate && watched != ComCate->lineEdit()))
    return plat::Form::eventFilter(watched, event);
  int k = plat::keyAsciiOf(static_cast<QKeyEvent*>(event));
  if (k < 0) return false;
  ComCate_KeyPress(k);
  return k == plat::Enter;  // Enter lists; the combo never acts on it itself
}

}  // namespace stock
