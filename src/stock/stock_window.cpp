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
const QString kAllEn = QStringLiteral("All Category");
const QString kAllTh = QStringLiteral("สินค้าทุกหมวด");

QLabel* whiteLabel(QWidget* parent, const char* name, const QString& caption, const QRect& r) {
  auto* l = new QLabel(caption, parent);
  l->setObjectName(QString::fromLatin1(name));
  l->setGeometry(r);
  QPalette p = l->palette();
  p.setColor(QPalette::WindowText, Qt::white);
  l->setPalette(p);
  return l;
}
}  // namespace

bool StockListWindow::isAllItem(const QString& text) { return text == kAllEn || text == kAllTh; }

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

  lblCate = whiteLabel(this, "lblCate", layout.lblCate.english, plat::twipsRect(120, 150, 1800, 285));
  ComCate = new QComboBox(this);
  ComCate->setObjectName(QStringLiteral("ComCate"));
  ComCate->setGeometry(plat::twipsRect(1980, 120, 4200, 315));
  ComCate->setEditable(true);
  // Enter lists the typed text; it never becomes an item nor is it completed.
  ComCate->setInsertPolicy(QComboBox::NoInsert);
  ComCate->setCompleter(nullptr);
  ComCate->installEventFilter(this);
  ComCate->lineEdit()->installEventFilter(this);

  // The labels stand over their grid columns.
  QLabel** labels[] = {&lblPid, &lblDesc, &lblPrice, &lblQuantity, &lblUnit};
  const char* names[] = {"lblPid", "lblDesc", "lblPrice", "lblQuantity", "lblUnit"};
  const Caption* caps[] = {&layout.lblPid, &layout.lblDesc, &layout.lblPrice, &layout.lblQuantity,
                           &layout.lblUnit};
  int x = 120;
  for (int i = 0; i < 5; ++i) {
    *labels[i] =
        whiteLabel(this, names[i], caps[i]->english, plat::twipsRect(x, 660, layout.colWidths[i], 285));
    x += layout.colWidths[i];
  }

  FGrid = new plat::FlexGrid(this);
  FGrid->setObjectName(QStringLiteral("FGrid"));
  FGrid->setGeometry(plat::twipsRect(120, 960, 11400, 5600));
  FGrid->setFixedRows(0);
  FGrid->setRows(0);
  FGrid->setCols(6);

  connect(ComCate, &QComboBox::activated, this, [this](int) { ComCate_Click(); });
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
  if (shell::thai()) setThaiCaptions();
  fillCategories();
}

void StockListWindow::setThaiCaptions() {
  setWindowTitle(layout_.form.thai);
  lblCate->setText(layout_.lblCate.thai);
  lblPid->setText(layout_.lblPid.thai);
  lblDesc->setText(layout_.lblDesc.thai);
  lblPrice->setText(layout_.lblPrice.thai);
  lblQuantity->setText(layout_.lblQuantity.thai);
  lblUnit->setText(layout_.lblUnit.thai);
}

void StockListWindow::fillCategories() {
  ComCate->clear();
  ComCate->addItem(shell::L(kAllTh, kAllEn));
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

void StockListWindow::tellFailure(const std::exception& e) {
  if (const auto* db = dynamic_cast<const data::DbError*>(&e)) return tell(db->text());
  tell(QString::fromStdString(e.what()));
}

bool StockListWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress || (watched != ComCate && watched != ComCate->lineEdit()))
    return plat::Form::eventFilter(watched, event);
  int k = plat::keyAsciiOf(static_cast<QKeyEvent*>(event));
  if (k < 0) return false;
  ComCate_KeyPress(k);
  return k == 13;  // Enter lists; the combo never acts on it itself
}

}  // namespace stock
