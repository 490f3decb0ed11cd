#include "sale/sell_form.h"

#include <QApplication>
#include <QKeyEvent>
#include <QStyle>

#include "data/categories.h"
#include "data/db.h"
#include "platform/dialogs.h"
#include "platform/keys.h"
#include "platform/numtext.h"
#include "platform/units.h"
#include "sale/char_filter.h"
#include "sale/handoff.h"
#include "sale/main_form.h"
#include "sale/windows.h"
#include "shell/lang.h"

namespace sale {

namespace {

struct Twips {
  int left, top, width, height;
};

void place(QWidget* w, Twips t) {
  w->setGeometry(plat::twipsToPx(t.left), plat::twipsToPx(t.top), plat::twipsToPx(t.width),
                 plat::twipsToPx(t.height));
}

QPushButton* button(QWidget* parent, const QString& name, const QString& caption, Twips t) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(name);
  b->setFont(plat::captionFont());
  place(b, t);
  return b;
}

QFrame* frame(QWidget* parent, const char* name, Twips t) {
  auto* f = new QFrame(parent);
  f->setObjectName(QString::fromLatin1(name));
  f->setFrameShape(QFrame::Box);
  place(f, t);
  return f;
}

QLabel* label(QWidget* parent, const char* name, const char* caption, Twips t) {
  auto* l = new QLabel(QString::fromLatin1(caption), parent);
  l->setObjectName(QString::fromLatin1(name));
  QPalette p = l->palette();
  p.setColor(QPalette::WindowText, Qt::white);
  l->setPalette(p);
  l->setFont(plat::captionFont(8.25, true));
  place(l, t);
  return l;
}

QLineEdit* box(QWidget* parent, const char* name, Twips t) {
  auto* b = new QLineEdit(parent);
  b->setObjectName(QString::fromLatin1(name));
  QPalette p = b->palette();
  p.setColor(QPalette::Base, QApplication::palette().color(QPalette::ToolTipBase));
  b->setPalette(p);
  QFont f = b->font();
  f.setPointSize(12);
  b->setFont(f);
  place(b, t);
  return b;
}

// The keypad: digit, left, top (inside Frame3); 975 x 735 each.
struct KeypadKey {
  int digit, left, top;
};
constexpr KeypadKey kKeypad[] = {{7, 240, 3000},  {8, 1320, 3000}, {9, 2400, 3000}, {4, 240, 3840},
                                 {5, 1320, 3840}, {6, 2400, 3840}, {1, 240, 4680},  {2, 1320, 4680},
                                 {3, 2400, 4680}, {0, 240, 5520}};

// The category strip's buttons, inside Frame1.
constexpr int kMenuLeft[] = {600, 1800, 3000, 4200};

const char* const kNotEnough = "สินค้าไม่พอ";
const char* const kReorder = "จำนวนสินค้าในคลังถึงจุดสั่งซื้อ";
const char* const kNoQuantity = "กรุณาใส่จำนวนสินค้า";
const char* const kTooMany = "จำนวนสินค้าต้องไม่เกิน 32767";

void tell(const char* thai) { plat::dialogs().message(QString::fromUtf8(thai)); }

}  // namespace

SellForm::SellForm(QWidget* parent) : plat::Form(parent) {
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, plat::formBackground());
  setPalette(pal);
  setFont(plat::captionFont());
  setWindowTitle(QStringLiteral("Menu"));

  Frame1 = frame(this, "Frame1", {240, 240, 6015, 1215});
  QFont arrows = plat::captionFont(24, true);
  cmdBack = button(Frame1, QStringLiteral("cmdBack"), QStringLiteral("<"), {240, 240, 375, 735});
  cmdBack->setFont(arrows);
  for (int i = 0; i < 4; ++i)
    cmdMenu.push_back(
        button(Frame1, QStringLiteral("cmdMenu(%1)").arg(i), {}, {kMenuLeft[i], 240, 1215, 735}));
  cmdNext = button(Frame1, QStringLiteral("cmdNext"), QStringLiteral(">"), {5400, 240, 375, 735});
  cmdNext->setFont(arrows);

  Frame2 = frame(this, "Frame2", {240, 1320, 6015, 5415});
  for (int i = 0; i < ProductWindow::kButtons; ++i) {
    const int row = i / 4;
    const int col = i % 4;
    QPushButton* b = button(Frame2, QStringLiteral("cmdPro(%1)").arg(i), {},
                            {240 + 1320 * col, 360 + 840 * row, 1335, 615});
    cmdPro.push_back(b);
  }
  // Down and Up sit in the grid's margin, to the right of the fourth column.
  cmdUp = button(Frame2, QStringLiteral("cmdUp"), {}, {5520, 360, 255, 255});
  cmdUp->setIcon(style()->standardIcon(QStyle::SP_ArrowUp));
  cmdDown = button(Frame2, QStringLiteral("cmdDown"), {}, {5520, 4920, 255, 255});
  cmdDown->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));

  Frame3 = frame(this, "Frame3", {6480, 240, 4815, 6495});
  lblPName = label(Frame3, "lblPName", "Product Name", {240, 840, 1485, 240});
  txtName = box(Frame3, "txtName", {240, 1200, 3135, 495});
  txtName->setReadOnly(true);
  cmdClose = button(Frame3, QStringLiteral("cmdClose"), QStringLiteral("Close"), {3480, 1200, 1095, 2535});
  lblStock = label(Frame3, "lblStock", "Quantity in Stock", {240, 1920, 1740, 240});
  txtStock = box(Frame3, "txtStock", {2280, 1800, 1095, 495});
  cmdChk = button(Frame3, QStringLiteral("cmdChk"), QStringLiteral("Check"), {3480, 1800, 1095, 1335});
  cmdChk->hide();
  lblQuantity = label(Frame3, "lblQuantity", "Quantity", {240, 2520, 855, 240});
  txtQ = box(Frame3, "txtQ", {1320, 2400, 2055, 495});
  filterChars(txtQ, digitChars());
  cmdNum.resize(10);
  QFont keypad = plat::captionFont(14.25, true);
  for (const KeypadKey& k : kKeypad) {
    QPushButton* b = button(Frame3, QStringLiteral("cmdNum(%1)").arg(k.digit), QString::number(k.digit),
                            {k.left, k.top, 975, 735});
    b->setFont(keypad);
    cmdNum[k.digit] = b;
  }
  cmdClear = button(Frame3, QStringLiteral("cmdClear"), QStringLiteral("Clear"), {1320, 5520, 2055, 735});
  cmdOk = button(Frame3, QStringLiteral("cmdOk"), QStringLiteral("Ok"), {3480, 3840, 1095, 2415});
  for (QPushButton* b : findChildren<QPushButton*>())
    b->setAutoDefault(true);  // Enter presses a focused button

  for (QFrame* f : {Frame1, Frame2, Frame3}) {
    f->setAutoFillBackground(true);
    f->setPalette(pal);
  }

  for (int i = 0; i < 4; ++i)
    connect(cmdMenu[i], &QPushButton::clicked, this, [this, i] { cmdMenu_Click(i); });
  for (int i = 0; i < ProductWindow::kButtons; ++i)
    connect(cmdPro[i], &QPushButton::clicked, this, [this, i] { cmdPro_Click(i); });
  for (int d = 0; d < 10; ++d)
    connect(cmdNum[d], &QPushButton::clicked, this, [this, d] { cmdNum_Click(d); });
  connect(cmdNext, &QPushButton::clicked, this, [this] { cmdNext_Click(); });
  connect(cmdBack, &QPushButton::clicked, this, [this] { cmdBack_Click(); });
  connect(cmdUp, &QPushButton::clicked, this, [this] { cmdUp_Click(); });
  connect(cmdDown, &QPushButton::clicked, this, [this] { cmdDown_Click(); });
  connect(cmdClear, &QPushButton::clicked, this, [this] { cmdClear_Click(); });
  connect(cmdOk, &QPushButton::clicked, this, [this] { cmdOk_Click(); });
  connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
  plat::onKeyPress(txtQ, [this](int& k) { txtQ_KeyPress(k); });
  txtStock->installEventFilter(this);
}

template <class F>
bool SellForm::reading(F&& f) {
  try {
    f();
    return true;
  } catch (const data::DbError& e) {
    plat::dialogs().message(e.text());
    return false;
  }
}

void SellForm::Form_Load() {
  if (shell::thai()) {
    setWindowTitle(QStringLiteral("เลือก"));
    lblPName->setText(QStringLiteral("ชื่อสินค้า"));
    lblStock->setText(QStringLiteral("จำนวนสินค้าในคลัง"));
    lblQuantity->setText(QStringLiteral("จำนวน"));
    cmdChk->setText(QStringLiteral("ตรวจสอบ"));
    cmdClose->setText(QStringLiteral("ปิด"));
    cmdOk->setText(QStringLiteral("ตกลง"));
    cmdClear->setText(QStringLiteral("ลบข้อมูล"));
  }
  reading([this] { strip_.load(data::allCategories()); });
  showStrip();
  PButton(strip_.slot(0).code);
}

void SellForm::Form_Unload() {
  if (MainForm* f = saleScreen()) f->setEnabled(true);
}

void SellForm::showStrip() {
  for (int i = 0; i < CategoryStrip::kShown; ++i) {
    const PickItem c = strip_.slot(i);
    cmdMenu[i]->setText(c.name);
    cmdMenu[i]->setProperty("Tag", c.code);
  }
  cmdBack->setEnabled(strip_.backEnabled());
  cmdNext->setEnabled(strip_.nextEnabled());
}

void SellForm::showProducts() {
  for (int i = 0; i < ProductWindow::kButtons; ++i) {
    const PickItem p = products_.button(i);
    cmdPro[i]->setText(p.name);
    cmdPro[i]->setProperty("Tag", p.code);
  }
  cmdUp->setEnabled(products_.upEnabled());
  cmdDown->setEnabled(products_.downEnabled());
}

void SellForm::PButton(const QString& cid) {
  if (!reading([&] { products_.show(cid); })) products_ = ProductWindow();
  showProducts();
}

void SellForm::ClearB() {
  for (QPushButton* b : cmdPro) {
    b->setText(QString());
    b->setProperty("Tag", QString());
  }
}

void SellForm::cmdMenu_Click(int index) {
  ClearB();
  PButton(cmdMenu[index]->property("Tag").toString());
}

void SellForm::cmdNext_Click() {
  strip_.next();
  showStrip();
}

void SellForm::cmdBack_Click() {
  strip_.back();
  showStrip();
}

void SellForm::cmdDown_Click() {
  if (reading([this] { products_.down(); })) showProducts();
}

void SellForm::cmdUp_Click() {
  if (reading([this] { products_.up(); })) showProducts();
}

void SellForm::cmdPro_Click(int index) {
  const QString code = cmdPro[index]->property("Tag").toString();
  if (code.isEmpty()) return;  // a button without a product
  txtStock->clear();
  txtName->setText(cmdPro[index]->text());
  nameTag_ = code;
  if (code == lastPid_) {
    txtQ->setText(plat::plainNumber(plat::leadingNumber(txtQ->text()) + 1));
    txtQ->setFocus();
  } else {
    txtQ->setText(QStringLiteral("1"));
  }
  txtQ->selectAll();
  lastPid_ = code;
  cmdChk_Click();
  qtyReplace_ = true;
}

bool SellForm::cmdChk_Click() {
  bool found = false;
  reading([&] {
    const std::optional<StockOnHand> s = stockOnHand(nameTag_);
    if (!s) return;
    found = true;
    txtStock->setText(plat::plainNumber(s->quantity));
    stockTag_ = s->reorderPoint;
  });
  txtQ->setFocus();
  return found;
}

void SellForm::cmdNum_Click(int index) {
  // The first digit after a choice replaces the quantity; later ones are appended.
  const QString digit = QString::number(index);
  if (txtQ->text() == QLatin1String("0")) {
    txtQ->setText(digit);
  } else if (!qtyReplace_) {
    txtQ->setText(txtQ->text() + digit);
  } else {
    txtQ->setText(digit);
    qtyReplace_ = false;
  }
}

void SellForm::cmdClear_Click() {
  txtQ->clear();
  txtQ->setFocus();
}

void SellForm::txtQ_KeyPress(int& keyAscii) {
  if (!keyPasses(keyAscii, digitChars())) {
    keyAscii = 0;
  } else if (keyAscii == 13) {
    keyAscii = 0;
    cmdOk->setFocus();
  }
}

void SellForm::txtStock_Click() { txtQ->setFocus(); }

void SellForm::cmdOk_Click() {
  if (!txtName->text().isEmpty() && !nameTag_.isEmpty()) {
    // The stock as it is now: a product gone since it was chosen has none.
    if (!cmdChk_Click()) txtStock->setText(QStringLiteral("0"));
    const double stock = plat::parseNumber(txtStock->text()).value_or(plat::leadingNumber(txtStock->text()));
    const PickCheck c = checkPick(stock, txtQ->text(), stockTag_);
    if (c.outcome == PickCheck::TooMany) {
      tell(kTooMany);
      txtQ->selectAll();
      return;
    }
    if (c.outcome == PickCheck::NotEnough) {
      tell(kNotEnough);
    } else {
      if (c.reorderWarning) tell(kReorder);
      if (c.outcome == PickCheck::NoQuantity) {
        tell(kNoQuantity);
      } else {
        handOffPick(nameTag_, c.quantity);
        txtQ->clear();
        hide();
        if (MainForm* f = saleScreen()) {
          f->setEnabled(true);
          // Enabling the screen enters the pick; a screen that was enabled already takes it now.
          if (pick().pending) f->Form_Activate();
        }
      }
    }
  }
  show();
  raise();
  activateWindow();
}

void SellForm::cmdClose_Click() {
  unload();
  maximizeSaleScreen();
}

bool SellForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress && watched == txtStock) {
    txtStock_Click();
    return true;
  }
  return plat::Form::eventFilter(watched, event);
}

}  // namespace sale
