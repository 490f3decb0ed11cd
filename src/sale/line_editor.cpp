#include "sale/line_editor.h"

#include <cmath>

#include "platform/dialogs.h"
#include "platform/units.h"
#include "sale/char_filter.h"
#include "sale/entry.h"
#include "sale/main_form.h"
#include "sale/windows.h"
#include "shell/form_style.h"
#include "shell/lang.h"

namespace sale {

using plat::ui::Kind;
using shell::L;

namespace {

const QString& priceChars() {
  static const QString s = QStringLiteral("0123456789.");
  return s;
}

bool allDigits(const QString& t) {
  if (t.isEmpty()) return false;
  for (QChar c : t)
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
  return true;
}

// Digits with at most one point, and a digit at least.
std::optional<double> priceOf(const QString& t) {
  int points = 0;
  int digits = 0;
  for (QChar c : t) {
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
      ++digits;
    else if (c == QLatin1Char('.') && points++ == 0)
      continue;
    else
      return std::nullopt;
  }
  if (digits == 0) return std::nullopt;
  return QString(t).toDouble();
}

// By design: the quantity's English caption is spelled "Quanity".
const QVector<plat::ui::Control> kControls = {
    {"lblQ", Kind::Label, {120, 240, 795, 240}, "Quanity", "จำนวน"},
    {"txtQuantity", Kind::Box, {1080, 240, 1575, 375}},
    {"lblPrice", Kind::Label, {2880, 240, 555, 240}, "Price", "ราคา"},
    {"txtPrice", Kind::Box, {3600, 240, 1575, 375}},
    {"cmdOK", Kind::Button, {5400, 120, 1215, 615}, "OK", "ตกลง"},
    {"cmdRemove", Kind::Button, {6840, 120, 1215, 615}, "Remove", "ลบรายการ"},
};

}  // namespace

LineEditCheck checkLineEdit(const QString& quantityText, const QString& priceText, double stock) {
  LineEditCheck c;
  if (!allDigits(quantityText)) {
    c.refusal = LineEditRefusal::Quantity;
    return c;
  }
  const qlonglong q = digitsValue(quantityText);
  if (q > 32767) {
    c.refusal = LineEditRefusal::QuantityTooBig;
    return c;
  }
  const std::optional<double> price = priceOf(priceText);
  if (!price) {
    c.refusal = LineEditRefusal::Price;
    return c;
  }
  if (!std::isfinite(*price) || *price > kMaxAmount) {
    c.refusal = LineEditRefusal::PriceTooBig;
    return c;
  }
  c.quantity = static_cast<int>(q);
  c.price = *price;
  // The new quantity is compared with the whole stock on hand.
  if (stock - c.quantity < 0) c.refusal = LineEditRefusal::Stock;
  return c;
}

MEditPriceQ::MEditPriceQ(QWidget* parent) : shell::LineEditForm(parent) {
  // A one-line dialog: a caption and a close box, nothing to minimise or maximise.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  shell::dressForm(this);

  build(kControls, QStringLiteral("cmdOK"));
  cmdOK = controls_.get<QPushButton>(QStringLiteral("cmdOK"));
  for (QLabel* l : {lblQ, lblPrice}) {
    shell::whiteText(l);
    l->setFont(plat::captionFont(8.25, true));
  }
  for (QLineEdit* b : {txtQuantity, txtPrice}) {
    QPalette p = b->palette();
    p.setColor(QPalette::Base, Qt::white);
    b->setPalette(p);
  }
  filterChars(txtQuantity, digitChars());
  filterChars(txtPrice, priceChars());
  controls_.setTabOrder({QStringLiteral("txtQuantity"), QStringLiteral("txtPrice"), QStringLiteral("cmdOK"),
                         QStringLiteral("cmdRemove")});
}

int MEditPriceQ::currentLine() const {
  const MainForm* f = saleScreen();
  return f ? f->selectedLine() : -1;
}

void MEditPriceQ::loadLine() {
  if (const MainForm* f = saleScreen()) {
    if (const std::optional<LineForEdit> line = f->lineForEdit(currentLine())) {
      txtQuantity->setText(line->quantity);
      txtPrice->setText(line->price);
    }
  }
}

QSize MEditPriceQ::minimumSizeHint() const {
  // The buttons reach 735 twips down; the window keeps a margin of 120 below and to the right.
  return QSize(plat::twipsToPx(8055 + 120), plat::twipsToPx(735 + 120));
}

void MEditPriceQ::Form_Unload() {
  if (MainForm* f = saleScreen()) f->setEnabled(true);
  if (QWidget* w = mainWindow()) w->setEnabled(true);
  maximizeSaleScreen();
}

void MEditPriceQ::refuse(LineEditRefusal why) {
  QLineEdit* box = txtQuantity;
  switch (why) {
    case LineEditRefusal::Quantity:
      plat::dialogs().message(L(QStringLiteral("กรุณาใส่จำนวนเป็นตัวเลข"),
                                QStringLiteral("Please type the quantity as a whole number")));
      break;
    case LineEditRefusal::QuantityTooBig:
      plat::dialogs().message(
          L(QStringLiteral("จำนวนต้องไม่เกิน 32767"), QStringLiteral("The quantity cannot be more than 32767")));
      break;
    case LineEditRefusal::Price:
      plat::dialogs().message(
          L(QStringLiteral("กรุณาใส่ราคาเป็นตัวเลข"), QStringLiteral("Please type the price as a number")));
      box = txtPrice;
      break;
    case LineEditRefusal::PriceTooBig:
      plat::dialogs().message(L(QStringLiteral("ราคาต้องไม่เกิน 99,999,999.99"),
                                QStringLiteral("The price cannot be more than 99,999,999.99")));
      box = txtPrice;
      break;
    case LineEditRefusal::Stock:
      plat::dialogs().message(QStringLiteral("สินค้าในคลังมีไม่พอ"));
      break;
    case LineEditRefusal::None:
      return;
  }
  box->setFocus();
  box->selectAll();
}

void MEditPriceQ::cmdOK_Click() {
  MainForm* f = saleScreen();
  const int r = currentLine();
  const std::optional<LineForEdit> line = f ? f->lineForEdit(r) : std::nullopt;
  if (!line) {
    unload();
    return;
  }
  const LineEditCheck c = checkLineEdit(txtQuantity->text(), txtPrice->text(), line->stock);
  if (c.refusal != LineEditRefusal::None) {
    refuse(c.refusal);
    return;
  }
  f->applyEdit(r, c.quantity, c.price);
  f->setEnabled(true);
  if (QWidget* w = mainWindow()) w->setEnabled(true);
  unload();
}

void MEditPriceQ::cmdRemove_Click() {
  MainForm* f = saleScreen();
  if (f && currentLine() >= 0) {
    f->cmdCancel_Click();
    f->DisplayDel();
    f->setEnabled(true);
  }
  if (QWidget* w = mainWindow()) w->setEnabled(true);
  unload();
}

}  // namespace sale
