#include "purchase/buy_edit_price_q.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMdiArea>
#include <QTimer>

#include "platform/dialogs.h"
#include "platform/keys.h"
#include "platform/units.h"
#include "purchase/buy_form.h"
#include "purchase/numeric_box.h"
#include "shell/lang.h"

namespace purchase {

using shell::L;

namespace {
void place(QWidget* w, int left, int top, int width, int height) {
  w->setGeometry(plat::twipsToPx(left), plat::twipsToPx(top), plat::twipsToPx(width),
                 plat::twipsToPx(height));
}

QWidget* mainWindow() {
  QMdiArea* mdi = plat::FormRegistry::instance().mdiArea();
  return mdi ? mdi->window() : nullptr;
}
}  // namespace

BuyEditPriceQ::BuyEditPriceQ(QWidget* parent) : plat::Form(parent) {
  lblQ = new QLabel(QStringLiteral("Quanity"), this);
  place(lblQ, 120, 150, 1000, 315);
  txtQuantity = new QLineEdit(this);
  place(txtQuantity, 1200, 120, 1800, 315);
  makeNumeric(txtQuantity, NumberKind::Whole);
  lblPrice = new QLabel(QStringLiteral("Price"), this);
  place(lblPrice, 120, 630, 1000, 315);
  txtPrice = new QLineEdit(this);
  place(txtPrice, 1200, 600, 1800, 315);
  makeNumeric(txtPrice, NumberKind::Decimal);
  cmdOk = new QPushButton(QStringLiteral("OK"), this);
  place(cmdOk, 120, 1140, 1335, 375);
  cmdRemove = new QPushButton(QStringLiteral("Remove"), this);
  place(cmdRemove, 1665, 1140, 1335, 375);
  resize(plat::twipsToPx(3120), plat::twipsToPx(1680));

  plat::onKeyPress(txtQuantity, [this](int& k) { txtQuantity_KeyPress(k); });
  plat::onKeyPress(txtPrice, [this](int& k) { txtPrice_KeyPress(k); });
  connect(cmdOk, &QPushButton::clicked, this, [this] { cmdOk_Click(); });
  connect(cmdRemove, &QPushButton::clicked, this, [this] { cmdRemove_Click(); });
}

BuyForm* BuyEditPriceQ::owner() {
  return qobject_cast<BuyForm*>(plat::FormRegistry::instance().loaded(QStringLiteral("BuyForm")));
}

int BuyEditPriceQ::currentLine() {
  BuyForm* f = owner();
  if (!f) return -1;
  const int r = f->FGrid->Row();
  return r >= 0 && r < f->lineCount() ? r : -1;
}

void BuyEditPriceQ::Form_Load() {
  if (BuyForm* f = owner(); f && currentLine() >= 0) {
    const BuyLine& line = f->lines().at(currentLine());
    setWindowTitle(line.code);
    txtQuantity->setText(line.quantity.text);
    openingQuantity_ = line.quantity.number;
    txtPrice->setText(line.unitCost.text);
    openingPrice_ = line.unitCost.number;
  }
  txtQuantity->selectAll();
  txtQuantity->setFocus();
  if (QWidget* w = mainWindow()) w->setEnabled(false);
  if (shell::thai()) {
    lblQ->setText(QStringLiteral("จำนวน"));
    lblPrice->setText(QStringLiteral("ราคา"));
    cmdOk->setText(QStringLiteral("ตกลง"));
    cmdRemove->setText(QStringLiteral("ลบรายการ"));
  }
}

void BuyEditPriceQ::enableOwners() {
  if (BuyForm* f = owner()) f->setEnabled(true);
  if (QWidget* w = mainWindow()) w->setEnabled(true);
}

void BuyEditPriceQ::Form_Unload() { enableOwners(); }

void BuyEditPriceQ::cmdOk_Click() {
  BuyForm* f = owner();
  const int r = currentLine();
  if (!f || r < 0) {
    unload();
    return;
  }
  const QString qText = txtQuantity->text();
  const QString pText = txtPrice->text();
  if (!isCompleteNumber(qText, NumberKind::Whole)) {
    plat::dialogs().message(L(QStringLiteral("กรุณาใส่จำนวนเป็นตัวเลข"),
                              QStringLiteral("Please type the quantity as a whole number")));
    txtQuantity->setFocus();
    txtQuantity->selectAll();
    return;
  }
  if (!isCompleteNumber(pText, NumberKind::Decimal)) {
    plat::dialogs().message(
        L(QStringLiteral("กรุณาใส่ราคาเป็นตัวเลข"), QStringLiteral("Please type the price as a number")));
    txtPrice->setFocus();
    txtPrice->selectAll();
    return;
  }
  f->editLine(r, Entered::typed(qText), Entered::typed(pText), openingQuantity_, openingPrice_);
  unload();
}

void BuyEditPriceQ::cmdRemove_Click() {
  BuyForm* f = owner();
  if (f) f->cmdCancel_Click();
  enableOwners();
  if (f) {
    if (f->ComCate->isVisible() && f->ComCate->isEnabled())
      f->ComBar->setFocus();
    else
      f->FGrid->setFocus();
  }
  unload();
}

void BuyEditPriceQ::txtQuantity_KeyPress(int& keyAscii) {
  if (!keyAllowed(keyAscii, NumberKind::Whole)) {
    keyAscii = 0;
  } else if (keyAscii == 13) {
    keyAscii = 0;
    txtPrice->setFocus();
    txtPrice->selectAll();
  }
}

void BuyEditPriceQ::txtPrice_KeyPress(int& keyAscii) {
  if (!keyAllowed(keyAscii, NumberKind::Decimal)) {
    keyAscii = 0;
  } else if (keyAscii == 13) {
    keyAscii = 0;
    cmdOk_Click();
  }
}

void BuyEditPriceQ::Form_Deactivate() { unload(); }

void BuyEditPriceQ::changeEvent(QEvent* event) {
  plat::Form::changeEvent(event);
  if (event->type() != QEvent::ActivationChange || isActiveWindow()) return;
  // The editor's own message boxes do not count; another program or another window of this one does.
  plat::whenActivationLost(this, [this] { Form_Deactivate(); });
}

}  // namespace purchase
