#include "purchase/buy_edit_price_q.h"

#include "platform/dialogs.h"
#include "platform/units.h"
#include "purchase/buy_form.h"
#include "purchase/numeric_box.h"
#include "shell/lang.h"

namespace purchase {

using plat::ui::Kind;
using shell::L;

namespace {
// By design: the quantity's English caption is spelled "Quanity".
const QVector<plat::ui::Control> kControls = {
    {"lblQ", Kind::Label, {120, 150, 1000, 315}, "Quanity", "จำนวน"},
    {"txtQuantity", Kind::Box, {1200, 120, 1800, 315}},
    {"lblPrice", Kind::Label, {120, 630, 1000, 315}, "Price", "ราคา"},
    {"txtPrice", Kind::Box, {1200, 600, 1800, 315}},
    {"cmdOk", Kind::Button, {120, 1140, 1335, 375}, "OK", "ตกลง"},
    {"cmdRemove", Kind::Button, {1665, 1140, 1335, 375}, "Remove", "ลบรายการ"},
};
}  // namespace

BuyEditPriceQ::BuyEditPriceQ(QWidget* parent) : shell::LineEditForm(parent) {
  build(kControls, QStringLiteral("cmdOk"));
  cmdOk = controls_.get<QPushButton>(QStringLiteral("cmdOk"));
  makeNumeric(txtQuantity, NumberKind::Whole);
  makeNumeric(txtPrice, NumberKind::Decimal);
  resize(plat::twipsToPx(3120), plat::twipsToPx(1680));
}

BuyForm* BuyEditPriceQ::owner() {
  return qobject_cast<BuyForm*>(plat::FormRegistry::instance().loaded(QStringLiteral("BuyForm")));
}

int BuyEditPriceQ::currentLine() {
  const BuyForm* f = owner();
  return f ? f->selectedLine() : -1;
}

void BuyEditPriceQ::loadLine() {
  const BuyForm* f = owner();
  if (!f) return;
  if (const std::optional<BuyLine> line = f->lineForEdit(currentLine())) {
    setWindowTitle(line->code);
    txtQuantity->setText(line->quantity.text);
    openingQuantity_ = line->quantity.number;
    txtPrice->setText(line->unitCost.text);
    openingPrice_ = line->unitCost.number;
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
  if (!isCompleteNumber(txtQuantity->text(), NumberKind::Whole)) {
    plat::dialogs().message(L(QStringLiteral("กรุณาใส่จำนวนเป็นตัวเลข"),
                              QStringLiteral("Please type the quantity as a whole number")));
    txtQuantity->setFocus();
    txtQuantity->selectAll();
    return;
  }
  if (refusedAboveCeiling(txtQuantity, NumberKind::Whole)) return;
  if (!isCompleteNumber(txtPrice->text(), NumberKind::Decimal)) {
    plat::dialogs().message(
        L(QStringLiteral("กรุณาใส่ราคาเป็นตัวเลข"), QStringLiteral("Please type the price as a number")));
    txtPrice->setFocus();
    txtPrice->selectAll();
    return;
  }
  if (refusedAboveCeiling(txtPrice, NumberKind::Decimal)) return;
  f->applyEdit(r, Entered::typed(txtQuantity->text()), Entered::typed(txtPrice->text()), openingQuantity_,
               openingPrice_);
  unload();
}

void BuyEditPriceQ::cmdRemove_Click() {
  BuyForm* f = owner();
  if (f) f->cmdCancel_Click();
  enableOwners();
  if (f) f->focusAfterEdit();
  unload();
}

}  // namespace purchase
