#include "sale/sell_form.h"

#include <QApplication>
#include <QKeyEvent>
#include <QStyle>

#include "data/categories.h"
#include "data/tell_failure.h"
#include "platform/dialogs.h"
#include "platform/keys.h"
#include "platform/numtext.h"
#include "platform/units.h"
#include "sale/char_filter.h"
#include "sale/handoff.h"
#include "sale/main_form.h"
#include "sale/windows.h"
#include "shell/form_style.h"
#include "shell/lang.h"

namespace sale {

using plat::ui::Control;
using plat::ui::Kind;

namespace {

// The keypad: digit, left, top (inside Frame3); 975 x 735 each.
struct KeypadKey {
  int digit, left, top;
};
constexpr KeypadKey kKeypad[] = {{7, 240, 3000},  {8, 1320, 3000}, {9, 2400, 3000}, {4, 240, 3840},
                                 {5, 1320, 3840}, {6, 2400, 3840}, {1, 240, 4680},  {2, 1320, 4680},
                                 {3, 2400, 4680}, {0, 240, 5520}};

// The category strip's buttons, inside Frame1.
constexpr int kMenuLeft[] = {600, 1800, 3000, 4200};

// The picker's controls: the category strip in Frame1, the 24 product buttons in Frame2, the
// chosen product, its quantity and the keypad in Frame3.
const QVector<Control>& pickerLayout() {
  static const QVector<Control> rows = [] {
    QVector<Control> v;
    v.push_back({"Frame1", Kind::Panel, {240, 240, 6015, 1215}});
    v.push_back({"cmdBack", Kind::Button, {240, 240, 375, 735}, "<", "", "Frame1"});
    for (int i = 0; i < 4; ++i)
      v.push_back({QStringLiteral("cmdMenu(%1)").arg(i),
                   Kind::Button,
                   {kMenuLeft[i], 240, 1215, 735},
                   "",
                   "",
                   "Frame1"});
    v.push_back({"cmdNext", Kind::Button, {5400, 240, 375, 735}, ">", "", "Frame1"});

    v.push_back({"Frame2", Kind::Panel, {240, 1320, 6015, 5415}});
    for (int i = 0; i < ProductWindow::kButtons; ++i) {
      const int row = i / 4;
      const int col = i % 4;
      v.push_back({QStringLiteral("cmdPro(%1)").arg(i),
                   Kind::Button,
                   {240 + 1320 * col, 360 + 840 * row, 1335, 615},
                   "",
                   "",
                   "Frame2"});
    }
    // Down and Up sit in the grid's margin, to the right of the fourth column.
    v.push_back({"cmdUp", Kind::PictureButton, {5520, 360, 255, 255}, "", "", "Frame2"});
    v.push_back({"cmdDown", Kind::PictureButton, {5520, 4920, 255, 255}, "", "", "Frame2"});

    v.push_back({"Frame3", Kind::Panel, {6480, 240, 4815, 6495}});
    v.push_back({"lblPName", Kind::Label, {240, 840, 1485, 240}, "Product Name", "ชื่อสินค้า", "Frame3"});
    v.push_back({"txtName", Kind::Box, {240, 1200, 3135, 495}, "", "", "Frame3"});
    v.push_back({"cmdClose", Kind::Button, {3480, 1200, 1095, 2535}, "Close", "ปิด", "Frame3"});
    v.push_back(
        {"lblStock", Kind::Label, {240, 1920, 1740, 240}, "Quantity in Stock", "จำนวนสินค้าในคลัง", "Frame3"});
    v.push_back({"txtStock", Kind::Box, {2280, 1800, 1095, 495}, "", "", "Frame3"});
    v.push_back({"cmdChk", Kind::Button, {3480, 1800, 1095, 1335}, "Check", "ตรวจสอบ", "Frame3"});
    v.push_back({"lblQuantity", Kind::Label, {240, 2520, 855, 240}, "Quantity", "จำนวน", "Frame3"});
    v.push_back({"txtQ", Kind::Box, {1320, 2400, 2055, 495}, "", "", "Frame3"});
    for (const KeypadKey& k : kKeypad)
      v.push_back({QStringLiteral("cmdNum(%1)").arg(k.digit),
                   Kind::Button,
                   {k.left, k.top, 975, 735},
                   QString::number(k.digit),
                   "",
                   "Frame3"});
    v.push_back({"cmdClear", Kind::Button, {1320, 5520, 2055, 735}, "Clear", "ลบข้อมูล", "Frame3"});
    v.push_back({"cmdOk", Kind::Button, {3480, 3840, 1095, 2415}, "Ok", "ตกลง", "Frame3"});
    return v;
  }();
  return rows;
}

const char* const kNotEnough = "สินค้าไม่พอ";
const char* const kReorder = "จำนวนสินค้าในคลังถึงจุดสั่งซื้อ";
const char* const kNoQuantity = "กรุณาใส่จำนวนสินค้า";
const char* const kTooMany = "จำนวนสินค้าต้องไม่เกิน 32767";

void tell(const char* thai) { plat::dialogs().message(QString::fromUtf8(thai)); }

}  // namespace

SellForm::SellForm(QWidget* parent) : plat::Form(parent) {
  shell::dressForm(this);
  setWindowTitle(QStringLiteral("Menu"));

  controls_.build(this, pickerLayout());
  const auto button = [this](const QString& name) { return controls_.get<QPushButton>(name); };
  const auto box = [this](const QString& name) { return controls_.get<QLineEdit>(name); };
  Frame1 = controls_.get<QFrame>(QStringLiteral("Frame1"));
  Frame2 = controls_.get<QFrame>(QStringLiteral("Frame2"));
  Frame3 = controls_.get<QFrame>(QStringLiteral("Frame3"));
  cmdBack = button(QStringLiteral("cmdBack"));
  for (int i = 0; i < 4; ++i) cmdMenu.push_back(button(QStringLiteral("cmdMenu(%1)").arg(i)));
  cmdNext = button(QStringLiteral("cmdNext"));
  for (int i = 0; i < ProductWindow::kButtons; ++i)
    cmdPro.push_back(button(QStringLiteral("cmdPro(%1)").arg(i)));
  cmdUp = button(QStringLiteral("cmdUp"));
  cmdDown = button(QStringLiteral("cmdDown"));
  lblPName = controls_.get<QLabel>(QStringLiteral("lblPName"));
  txtName = box(QStringLiteral("txtName"));
  cmdClose = button(QStringLiteral("cmdClose"));
  lblStock = controls_.get<QLabel>(QStringLiteral("lblStock"));
  txtStock = box(QStringLiteral("txtStock"));
  cmdChk = button(QStringLiteral("cmdChk"));
  lblQuantity = controls_.get<QLabel>(QStringLiteral("lblQuantity"));
  txtQ = box(QStringLiteral("txtQ"));
  cmdNum.resize(10);
  for (int d = 0; d < 10; ++d) cmdNum[d] = button(QStringLiteral("cmdNum(%1)").arg(d));
  cmdClear = button(QStringLiteral("cmdClear"));
  cmdOk = button(QStringLiteral("cmdOk"));

  for (QPushButton* b : findChildren<QPushButton*>()) b->setFont(plat::captionFont());
  const QFont arrows = plat::captionFont(24, true);
  for (QPushButton* b : {cmdBack, cmdNext}) b->setFont(arrows);
  plat::ui::setPicture(cmdUp, QStyle::SP_ArrowUp);
  plat::ui::setPicture(cmdDown, QStyle::SP_ArrowDown);
  const QFont keypad = plat::captionFont(14.25, true);
  for (QPushButton* b : cmdNum) b->setFont(keypad);
  for (QLabel* l : {lblPName, lblStock, lblQuantity}) {
    shell::whiteText(l);
    l->setFont(plat::captionFont(8.25, true));
  }
  for (QLineEdit* b : {txtName, txtStock, txtQ}) {
    QPalette p = b->palette();
    p.setColor(QPalette::Base, QApplication::palette().color(QPalette::ToolTipBase));
    b->setPalette(p);
    QFont f = b->font();
    f.setPointSize(12);
    b->setFont(f);
  }
  txtName->setReadOnly(true);
  // By design: Check is never shown; the product buttons and OK run its procedure.
  cmdChk->hide();
  filterChars(txtQ, digitChars());

  for (QFrame* f : {Frame1, Frame2, Frame3}) {
    f->setAutoFillBackground(true);
    f->setPalette(palette());
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

void SellForm::Form_Load() {
  if (shell::thai()) setWindowTitle(QStringLiteral("เลือก"));
  controls_.setLanguage(shell::lang());
  data::tellOnFailure([this] { strip_.load(data::allCategories()); });
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
  if (!data::tellOnFailure([&] { products_.show(cid); })) products_ = ProductWindow();
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
  if (data::tellOnFailure([this] { products_.down(); })) showProducts();
}

void SellForm::cmdUp_Click() {
  if (data::tellOnFailure([this] { products_.up(); })) showProducts();
}

void SellForm::cmdPro_Click(int index) {
  const QString code = cmdPro[index]->property("Tag").toString();
  if (code.isEmpty()) return;  // a button without a product
  stock_ = 0;
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
  std::optional<StockOnHand> s;
  data::tellOnFailure([&] { s = stockOnHand(nameTag_); });
  if (s) {
    showStock(s->quantity);
    stockTag_ = s->reorderPoint;
  }
  txtQ->setFocus();
  return s.has_value();
}

void SellForm::showStock(double stock) {
  stock_ = stock;
  txtStock->setText(plat::plainNumber(stock));
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
  } else if (keyAscii == plat::Enter) {
    keyAscii = 0;
    cmdOk->setFocus();
  }
}

void SellForm::txtStock_Click() { txtQ->setFocus(); }

void SellForm::cmdOk_Click() {
  if (!txtName->text().isEmpty() && !nameTag_.isEmpty()) {
    // The stock as it is now: a product gone since it was chosen has none.
    if (!cmdChk_Click()) showStock(0);
    const PickCheck c = checkPick(stock_, txtQ->text(), stockTag_);
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
