#include "purchase/buy_report.h"

#include "data/db.h"
#include "data/tell_failure.h"
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

// The window's controls in the order they are made, which is also their Tab order.
const QVector<plat::ui::Control>& controlRows() {
  using K = plat::ui::Kind;
  static const QVector<plat::ui::Control> rows = {
      {"lblCategory", K::Label, {120, 180, 1100, 315}, "Category", "หมวดสินค้า"},
      {"lblProduct", K::Label, {4500, 180, 800, 315}, "Product", "สินค้า"},
      {"lblDay", K::Label, {120, 720, 1500, 315}, "Day", "วันที่"},
      {"lblInv", K::Label, {1620, 720, 1500, 315}, "Inv No.", "เลขที่บิลซื้อ"},
      {"lblQuantity", K::Label, {3120, 720, 1500, 315}, "Quantity", "จำนวน"},
      {"lblprice", K::Label, {4620, 720, 1500, 315}, "Price", "ราคา"},
      {"lblvalue", K::Label, {6120, 720, 1700, 315}, "Value", "มูลค่า"},
      {"LabelPrice", K::Label, {120, 5160, 1400, 315}, "Last Price", "ราคาซื้อล่าสุด"},
      {"LabelQuantity", K::Label, {120, 5640, 1400, 315}, "Quantity", "จำนวน"},
      {"LabelValue", K::Label, {4500, 5160, 1000, 315}, "value", "มูลค่า"},
      {"lblVat", K::Label, {4500, 5640, 1000, 315}, "Vat", "ภาษี"},
      {"LabelTotal", K::Label, {4500, 6120, 1000, 315}, "Total", "รวม"},
      {"lblBath", K::Label, {3240, 5160, 700, 315}, "Baht", "บาท"},
      {"lblBath2", K::Label, {7620, 5160, 700, 315}, "Baht", "บาท"},
      {"lblBath3", K::Label, {7620, 5640, 700, 315}, "Baht", "บาท"},
      {"lblBath4", K::Label, {7620, 6120, 700, 315}, "Baht", "บาท"},
      {"ComCate", K::Combo, {1260, 120, 3000, 360}},
      {"ComBar", K::Combo, {5340, 120, 3900, 360}},
      {"FGrid", K::Grid, {120, 1080, 9120, 3900}},
      {"txtPrice", K::Box, {1560, 5100, 1620, 360}},
      {"txtQuantity", K::Box, {1560, 5580, 1620, 360}},
      {"LblN", K::Label, {3240, 5640, 1200, 315}},
      {"txtVal", K::Box, {5580, 5100, 1980, 360}},
      {"txtVat", K::Box, {5580, 5580, 1980, 360}},
      {"txtVatTotal", K::Box, {5580, 6060, 1980, 360}},
  };
  return rows;
}

}  // namespace

BuyReport::BuyReport(QWidget* parent) : plat::Form(parent) {
  setWindowTitle(QStringLiteral("Buy Detail"));
  controls_.build(this, controlRows());
  const auto& c = controls_;
  lblCategory = c.get<QLabel>("lblCategory");
  lblProduct = c.get<QLabel>("lblProduct");
  lblDay = c.get<QLabel>("lblDay");
  lblInv = c.get<QLabel>("lblInv");
  lblQuantity = c.get<QLabel>("lblQuantity");
  lblprice = c.get<QLabel>("lblprice");
  lblvalue = c.get<QLabel>("lblvalue");
  LabelPrice = c.get<QLabel>("LabelPrice");
  LabelQuantity = c.get<QLabel>("LabelQuantity");
  LabelValue = c.get<QLabel>("LabelValue");
  lblVat = c.get<QLabel>("lblVat");
  LabelTotal = c.get<QLabel>("LabelTotal");
  lblBath = c.get<QLabel>("lblBath");
  lblBath2 = c.get<QLabel>("lblBath2");
  lblBath3 = c.get<QLabel>("lblBath3");
  lblBath4 = c.get<QLabel>("lblBath4");
  LblN = c.get<QLabel>("LblN");
  ComCate = c.get<QComboBox>("ComCate");
  ComBar = c.get<QComboBox>("ComBar");
  FGrid = c.get<plat::FlexGrid>("FGrid");
  txtPrice = c.get<QLineEdit>("txtPrice");
  txtQuantity = c.get<QLineEdit>("txtQuantity");
  txtVal = c.get<QLineEdit>("txtVal");
  txtVat = c.get<QLineEdit>("txtVat");
  txtVatTotal = c.get<QLineEdit>("txtVatTotal");
  FGrid->setFixedRows(0);
  FGrid->setCols(5);
  FGrid->setRows(0);
  FGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  // The amounts are shown, never typed.
  for (QLineEdit* b : {txtPrice, txtQuantity, txtVal, txtVat, txtVatTotal}) {
    b->setReadOnly(true);
    b->setAlignment(Qt::AlignRight);
  }
  connect(ComCate, &QComboBox::activated, this, [this] { ComCate_Click(); });
  connect(ComBar, &QComboBox::activated, this, [this] { ComBar_Click(); });
  controls_.setTabOrder({"ComCate", "ComBar", "FGrid"});
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
  if (shell::thai()) setWindowTitle(QStringLiteral("รายงานซื้อสินค้า"));
  controls_.setLanguage(shell::lang());
  data::tellOnFailure([&] {
    for (const PickItem& c : categoryItems()) ComCate->addItem(c.text, c.code);
  });
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
