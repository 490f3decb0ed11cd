#include "purchase/buy_report.h"

#include "data/db.h"
#include "platform/dialogs.h"
#include "platform/units.h"
#include "purchase/buy_history.h"
#include "purchase/lookups.h"
#include "shell/lang.h"
#include "shell/settings.h"

namespace purchase {

namespace {

constexpr int kWidth = 9400;
constexpr int kHeight = 7200;

// A label of the window: where it stands and its two captions.
struct LabelSpec {
  QLabel* BuyReport::*label;
  QRect at;
  const char16_t* english;
  const char16_t* thai;
};

const LabelSpec kLabels[] = {
    {&BuyReport::lblCategory, {120, 180, 1100, 315}, u"Category", u"หมวดสินค้า"},
    {&BuyReport::lblProduct, {4500, 180, 800, 315}, u"Product", u"สินค้า"},
    {&BuyReport::lblDay, {120, 720, 1500, 315}, u"Day", u"วันที่"},
    {&BuyReport::lblInv, {1620, 720, 1500, 315}, u"Inv No.", u"เลขที่บิลซื้อ"},
    {&BuyReport::lblQuantity, {3120, 720, 1500, 315}, u"Quantity", u"จำนวน"},
    {&BuyReport::lblprice, {4620, 720, 1500, 315}, u"Price", u"ราคา"},
    {&BuyReport::lblvalue, {6120, 720, 1700, 315}, u"Value", u"มูลค่า"},
    {&BuyReport::LabelPrice, {120, 5160, 1400, 315}, u"Last Price", u"ราคาซื้อล่าสุด"},
    {&BuyReport::LabelQuantity, {120, 5640, 1400, 315}, u"Quantity", u"จำนวน"},
    {&BuyReport::LabelValue, {4500, 5160, 1000, 315}, u"value", u"มูลค่า"},
    {&BuyReport::lblVat, {4500, 5640, 1000, 315}, u"Vat", u"ภาษี"},
    {&BuyReport::LabelTotal, {4500, 6120, 1000, 315}, u"Total", u"รวม"},
    {&BuyReport::lblBath, {3240, 5160, 700, 315}, u"Baht", u"บาท"},
    {&BuyReport::lblBath2, {7620, 5160, 700, 315}, u"Baht", u"บาท"},
    {&BuyReport::lblBath3, {7620, 5640, 700, 315}, u"Baht", u"บาท"},
    {&BuyReport::lblBath4, {7620, 6120, 700, 315}, u"Baht", u"บาท"},
};

QLineEdit* amountBox(QWidget* parent, const QRect& twips) {
  auto* b = new QLineEdit(parent);
  b->setGeometry(plat::twipsRect(twips));
  b->setReadOnly(true);
  b->setAlignment(Qt::AlignRight);
  return b;
}

}  // namespace

BuyReport::BuyReport(QWidget* parent) : plat::Form(parent) {
  setWindowTitle(QStringLiteral("Buy Detail"));
  for (const LabelSpec& l : kLabels) {
    this->*l.label = new QLabel(QString::fromUtf16(l.english), this);
    (this->*l.label)->setGeometry(plat::twipsRect(l.at));
  }
  ComCate = new QComboBox(this);
  ComCate->setGeometry(plat::twipsRect(1260, 120, 3000, 360));
  ComBar = new QComboBox(this);
  ComBar->setGeometry(plat::twipsRect(5340, 120, 3900, 360));
  FGrid = new plat::FlexGrid(this);
  FGrid->setGeometry(plat::twipsRect(120, 1080, 9120, 3900));
  FGrid->setFixedRows(0);
  FGrid->setCols(5);
  FGrid->setRows(0);
  FGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  txtPrice = amountBox(this, {1560, 5100, 1620, 360});
  txtQuantity = amountBox(this, {1560, 5580, 1620, 360});
  LblN = new QLabel(this);
  LblN->setGeometry(plat::twipsRect(3240, 5640, 1200, 315));
  txtVal = amountBox(this, {5580, 5100, 1980, 360});
  txtVat = amountBox(this, {5580, 5580, 1980, 360});
  txtVatTotal = amountBox(this, {5580, 6060, 1980, 360});
  connect(ComCate, &QComboBox::activated, this, [this] { ComCate_Click(); });
  connect(ComBar, &QComboBox::activated, this, [this] { ComBar_Click(); });
  setTabOrder(ComCate, ComBar);
  setTabOrder(ComBar, FGrid);
}

QSize BuyReport::sizeHint() const {
  const QSize c = clientTwips({kWidth, kHeight});
  return QSize(plat::twipsToPx(c.width()), plat::twipsToPx(c.height()));
}

void BuyReport::Form_Load() {
  resize(sizeHint());
  FGrid->setColWidth(0, 1500);
  FGrid->setColWidth(1, 1500);
  FGrid->setColWidth(2, 1500);
  FGrid->setColWidth(3, 1500);
  FGrid->setColWidth(4, 1700);
  if (shell::thai()) {
    setWindowTitle(QStringLiteral("รายงานซื้อสินค้า"));
    for (const LabelSpec& l : kLabels) (this->*l.label)->setText(QString::fromUtf16(l.thai));
  }
  try {
    for (const PickItem& c : categoryItems()) ComCate->addItem(c.text, c.code);
  } catch (const data::DbError& e) {
    plat::dialogs().message(e.text());
  }
  ComCate->setCurrentIndex(-1);
}

void BuyReport::ComCate_Click() {
  const QString id = ComCate->currentData().toString();
  ComBar->clear();
  try {
    for (const PickItem& p : productItems(id)) ComBar->addItem(p.text, p.code);
  } catch (const data::DbError& e) {
    ComBar->clear();  // never a half-filled list
    plat::dialogs().message(e.text());
  }
  ComBar->setCurrentIndex(-1);
}

void BuyReport::ComBar_Click() {
  const QString pid = ComBar->currentData().toString();
  PurchaseHistory h;
  try {
    h = purchaseHistory(pid, shell::settings().VatRate);
  } catch (const data::DbError& e) {
    h = PurchaseHistory{};
    h.lastPrice = h.quantity = h.value = h.vat = h.valueWithVat = QStringLiteral("0");
    plat::dialogs().message(e.text());
  }
  FGrid->setRows(0);
  FGrid->appendRows(h.rows);
  if (h.bought) LblN->setText(h.unitWord);
  txtPrice->setText(h.lastPrice);
  txtQuantity->setText(h.quantity);
  txtVal->setText(h.value);
  txtVat->setText(h.vat);
  txtVatTotal->setText(h.valueWithVat);
}

}  // namespace purchase
