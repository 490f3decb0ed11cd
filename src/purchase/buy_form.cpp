#include "purchase/buy_form.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QShowEvent>
#include <algorithm>
#include <functional>

#include "data/db.h"
#include "data/products.h"
#include "data/tell_failure.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/keys.h"
#include "platform/numtext.h"
#include "platform/units.h"
#include "purchase/buy_grid.h"
#include "purchase/buy_print.h"
#include "purchase/lookups.h"
#include "purchase/numeric_box.h"
#include "shell/lang.h"

namespace purchase {

using shell::L;
using namespace grid;

namespace {

constexpr int kNameRole = Qt::UserRole + 1;  // the product name or the shown supplier name of an item

void say(const QString& text) { plat::dialogs().message(text); }
bool ask(const QString& text) { return plat::dialogs().askYesNo(text); }

std::optional<QDate> parseShownDate(const QString& text) {
  const QDate d = QDate::fromString(text.trimmed(), QStringLiteral("d/M/yyyy"));
  if (!d.isValid()) return std::nullopt;
  return d;
}

// The window's controls in the order they are made, which is also their Tab order and stacking.
const QVector<plat::ui::Control>& controlRows() {
  using K = plat::ui::Kind;
  static const QVector<plat::ui::Control> rows = {
      {"lblDate", K::Label, {120, 120, 1860, 315}, "Date", "วันที่ (วัน/เดือน/ปี)"},
      {"txtDate", K::Box, {2040, 120, 1335, 315}},
      {"lblBuyId", K::Label, {3500, 120, 1100, 315}, "Inv No.", "เลขที่บิลซื้อ"},
      {"txtBuyId", K::Box, {4680, 120, 1335, 315}},
      {"cmdShow", K::Button, {6120, 90, 1300, 375}, "&Show Inv", "แสดง"},
      {"lblSupId", K::Label, {120, 600, 1860, 315}, "SupplierID", "รหัสผู้จำหน่าย"},
      {"txtSupId", K::Box, {2040, 600, 1335, 315}},
      {"cmdBrowse", K::Button, {3420, 590, 375, 330}, "..."},
      {"txtSupName", K::Box, {3840, 600, 4500, 315}},
      {"lblCate", K::Label, {120, 1080, 1860, 315}, "Category", "หมวด"},
      {"ComCate", K::Combo, {2040, 1080, 3000, 330}},
      {"lblProduct", K::Label, {5160, 1080, 900, 315}, "Product", "สินค้า"},
      {"ComBar", K::Combo, {6120, 1080, 4200, 330}},
      {"lblStock", K::Label, {120, 1560, 1860, 315}, "Quantity in Stock", "สินค้าคงคลัง"},
      {"txtStock", K::Box, {2040, 1560, 1335, 315}},
      {"LabelStock", K::Label, {3420, 1560, 800, 315}, "-"},
      {"lblQuantity", K::Label, {4320, 1560, 900, 315}, "Quantity", "จำนวน"},
      {"txtQuantity", K::Box, {5280, 1560, 1335, 315}},
      {"LabelQuantity", K::Label, {6660, 1560, 800, 315}, "-"},
      {"lblPrice", K::Label, {7560, 1560, 700, 315}, "Price", "ราคา"},
      {"txtPrice", K::Box, {8280, 1560, 1335, 315}},
      {"lblBath", K::Label, {9660, 1560, 700, 315}, "Baht", "บาท"},
      {"cmdUpdate", K::Button, {120, 2160, 2000, 420}, "&Insert Buy Detail", "เพิ่มรายการ"},
      {"cmdCommit", K::Button, {2280, 2160, 1700, 420}, "&Commit", "เก็บข้อมูลการซื้อ"},
      {"cmdEditInv", K::Button, {2280, 2160, 1700, 420}, "&Edit Inv", "แก้ไข"},
      {"cmdDelInv", K::Button, {4140, 2160, 1700, 420}, "&Delete Inv", "ลบเลขที่บิลซื้อ"},
      {"cmdClear", K::Button, {6000, 2160, 1500, 420}, "&New", "รายการใหม่"},
      {"cmdExit", K::Button, {7660, 2160, 1500, 420}, "E&xit", "ปิด"},
      {"cmdPrint", K::Button, {9320, 2160, 1200, 420}, "Print", "พิมพ์"},
      {"cmdDel", K::Button, {9320, 2640, 1800, 420}, "&Delete Product", "ลบรายการ"},
      {"Command1", K::Button, {9320, 2640, 1200, 420}, "Command1"},
      // The grid's column headings.
      {"cmdInv", K::Button, {120, 3120, 1335, 255}, "Inv No.", "เลขที่บิลซื้อ"},
      {"cmdPid", K::Button, {1440, 3120, 1335, 255}, "Product Id", "รหัสสินค้า"},
      {"cmdPName", K::Button, {2760, 3120, 4455, 255}, "Product Name", "รายการ"},
      {"cmdQuantity", K::Button, {7200, 3120, 1335, 255}, "Quantity", "จำนวน"},
      {"cmdPrice", K::Button, {8520, 3120, 1335, 255}, "Price / Unit", "ราคา/หน่วย"},
      {"cmdToSort", K::Button, {9840, 3120, 1575, 255}, "Total", "รวม"},
      {"FGrid", K::Grid, {120, 3360, 11295, 2775}},
      {"lblTotal", K::Label, {7200, 6300, 1200, 315}, "Total", "รวมเงิน"},
      {"txtTotal", K::Box, {8520, 6300, 2000, 315}},
      {"lblBaht2", K::Label, {10600, 6300, 700, 315}, "Baht", "บาท"},
  };
  return rows;
}

}  // namespace

BuyForm::BuyForm(QWidget* parent) : plat::Form(parent) { buildControls(); }

void BuyForm::buildControls() {
  controls_.build(this, {});
  for (const plat::ui::Control& row : controlRows()) {
    QWidget* w = controls_.add(row);
    // The product picker also takes a typed code. Made so as it is made, its edit line follows it
    // in the focus chain.
    if (row.name == QLatin1String("ComBar")) {
      auto* bar = static_cast<QComboBox*>(w);
      bar->setEditable(true);
      bar->setInsertPolicy(QComboBox::NoInsert);
      bar->setCompleter(nullptr);
    }
  }
  const auto& c = controls_;
  lblDate = c.get<QLabel>("lblDate");
  txtDate = c.get<QLineEdit>("txtDate");
  lblBuyId = c.get<QLabel>("lblBuyId");
  txtBuyId = c.get<QLineEdit>("txtBuyId");
  cmdShow = c.get<QPushButton>("cmdShow");
  lblSupId = c.get<QLabel>("lblSupId");
  txtSupId = c.get<QLineEdit>("txtSupId");
  cmdBrowse = c.get<QPushButton>("cmdBrowse");
  txtSupName = c.get<QLineEdit>("txtSupName");
  lblCate = c.get<QLabel>("lblCate");
  ComCate = c.get<QComboBox>("ComCate");
  lblProduct = c.get<QLabel>("lblProduct");
  ComBar = c.get<QComboBox>("ComBar");
  lblStock = c.get<QLabel>("lblStock");
  txtStock = c.get<QLineEdit>("txtStock");
  LabelStock = c.get<QLabel>("LabelStock");
  lblQuantity = c.get<QLabel>("lblQuantity");
  txtQuantity = c.get<QLineEdit>("txtQuantity");
  LabelQuantity = c.get<QLabel>("LabelQuantity");
  lblPrice = c.get<QLabel>("lblPrice");
  txtPrice = c.get<QLineEdit>("txtPrice");
  lblBath = c.get<QLabel>("lblBath");
  cmdUpdate = c.get<QPushButton>("cmdUpdate");
  cmdCommit = c.get<QPushButton>("cmdCommit");
  cmdEditInv = c.get<QPushButton>("cmdEditInv");
  cmdDelInv = c.get<QPushButton>("cmdDelInv");
  cmdClear = c.get<QPushButton>("cmdClear");
  cmdExit = c.get<QPushButton>("cmdExit");
  cmdPrint = c.get<QPushButton>("cmdPrint");
  cmdDel = c.get<QPushButton>("cmdDel");
  Command1 = c.get<QPushButton>("Command1");
  cmdInv = c.get<QPushButton>("cmdInv");
  cmdPid = c.get<QPushButton>("cmdPid");
  cmdPName = c.get<QPushButton>("cmdPName");
  cmdQuantity = c.get<QPushButton>("cmdQuantity");
  cmdPrice = c.get<QPushButton>("cmdPrice");
  cmdToSort = c.get<QPushButton>("cmdToSort");
  FGrid = c.get<plat::FlexGrid>("FGrid");
  lblTotal = c.get<QLabel>("lblTotal");
  txtTotal = c.get<QLineEdit>("txtTotal");
  lblBaht2 = c.get<QLabel>("lblBaht2");

  txtSupName->setReadOnly(true);
  txtStock->setReadOnly(true);
  makeNumeric(txtQuantity, NumberKind::Whole);
  makeNumeric(txtPrice, NumberKind::Decimal);
  // By design: nothing in the program offers the printout or the grid-only line removal, so their
  // buttons, and the button of the after-save step, are never shown.
  cmdPrint->hide();
  cmdDel->hide();
  Command1->hide();
  for (QPushButton* head : {cmdInv, cmdPid, cmdPName, cmdQuantity, cmdPrice, cmdToSort})
    head->setFocusPolicy(Qt::NoFocus);
  txtTotal->setReadOnly(true);
  txtTotal->setAlignment(Qt::AlignRight);

  // The list pops up over the pickers.
  ListSupId = new plat::NameList(this);
  ListSupId->setObjectName(QStringLiteral("ListSupId"));
  ListSupId->setGeometry(plat::twipsRect(2040, 930, 6300, 2000));
  ListSupId->hide();

  setWindowTitle(QStringLiteral("Buy"));
  resize(plat::twipsToPx(11730), plat::twipsToPx(7200));

  for (QObject* o : {static_cast<QObject*>(txtQuantity), static_cast<QObject*>(txtPrice),
                     static_cast<QObject*>(txtBuyId), static_cast<QObject*>(txtSupId),
                     static_cast<QObject*>(ComBar), static_cast<QObject*>(ComBar->lineEdit()),
                     static_cast<QObject*>(ListSupId), static_cast<QObject*>(FGrid)})
    o->installEventFilter(this);

  connect(ComCate, &QComboBox::activated, this, [this] { ComCate_Click(); });
  connect(ComBar, &QComboBox::activated, this, [this] { ComBar_Click(); });
  connect(cmdUpdate, &QPushButton::clicked, this, [this] { cmdUpdate_Click(); });
  connect(cmdBrowse, &QPushButton::clicked, this, [this] { cmdBrowse_Click(); });
  connect(ListSupId, &plat::NameList::itemDoubleClicked, this, [this] { ListSupId_DblClick(); });
  connect(FGrid, &plat::FlexGrid::cellClicked, this, [this] { FGrid_Click(); });
  connect(cmdClear, &QPushButton::clicked, this, [this] { cmdClear_Click(); });
  connect(cmdExit, &QPushButton::clicked, this, [this] { cmdExit_Click(); });
  connect(cmdCommit, &QPushButton::clicked, this, [this] { cmdCommit_Click(); });
  connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
  connect(cmdShow, &QPushButton::clicked, this, [this] { cmdShow_Click(); });
  connect(cmdEditInv, &QPushButton::clicked, this, [this] { cmdEditInv_Click(); });
  connect(cmdDelInv, &QPushButton::clicked, this, [this] { cmdDelInv_Click(); });
  connect(cmdDel, &QPushButton::clicked, this, [this] { cmdDel_Click(); });
  connect(cmdPrint, &QPushButton::clicked, this, [this] { cmdPrint_Click(); });
}

void BuyForm::Form_Load() {
  FGrid->setFixedRows(0);
  FGrid->setCols(Count);
  FGrid->setRows(0);
  FGrid->setColWidth(Inv, 1300);
  // A product code of 13 digits shows whole.
  FGrid->setColWidthFor(Pid, 1300, QString(13, QLatin1Char('8')));
  FGrid->setColWidth(Name, 4405);
  for (int c = Qty; c <= Blank; ++c) FGrid->setColWidth(c, 1335);
  lines_.reset();
  txtTotal->setText(QStringLiteral("0"));
  if (shell::thai()) setWindowTitle(QStringLiteral("ซื้อ"));
  controls_.setLanguage(shell::lang());
  for (const PickItem& c : categoryItems()) ComCate->addItem(c.text, c.code);
  ComCate->setCurrentIndex(-1);
  ComBar->setCurrentIndex(-1);
  txtDate->setText(plat::today().toString(QStringLiteral("dd/MM/yyyy")));
  proposeNextNumber();
  // Both buttons share one place; Commit is the one on top until the mode changes.
  cmdCommit->raise();
}

// ---- Entry controls and pickers ----

void BuyForm::ComCate_Click() {
  const int i = ComCate->currentIndex();
  if (i < 0) return;
  ComBar->clear();
  for (const PickItem& p : productItems(ComCate->itemData(i).toString())) {
    ComBar->addItem(p.text, p.code);
    ComBar->setItemData(ComBar->count() - 1, p.text.mid(p.code.size() + 2), kNameRole);
  }
  ComBar->setCurrentIndex(-1);
}

bool BuyForm::pickProduct(const QString& code) {
  const auto cost = data::latestUnitCost(code);
  txtPrice->setText(cost ? plat::plainNumber(*cost) : QString());
  const auto p = data::productByCode(code);
  if (!p) return false;
  txtStock->setText(plat::plainNumber(p->Quantity));
  LabelStock->setText(p->ProNoun);
  LabelQuantity->setText(p->ProNoun);
  txtQuantity->setFocus();
  return true;
}

void BuyForm::ComBar_Click() {
  const int i = ComBar->currentIndex();
  if (i < 0) return;
  pickProduct(ComBar->itemData(i).toString());
}

void BuyForm::ComBar_KeyPress(int& keyAscii) {
  if (keyAscii == plat::Enter) {
    keyAscii = 0;
    const QString code = ComBar->currentText().trimmed();
    if (code.isEmpty() || !pickProduct(code)) return;
    ComCate->setCurrentIndex(-1);
  } else if (keyAscii == plat::Esc) {
    keyAscii = 0;
    FGrid->setFocus();
  }
}

void BuyForm::txtQuantity_KeyPress(int& keyAscii) {
  if (!keyAllowed(keyAscii, NumberKind::Whole)) {
    keyAscii = 0;
  } else if (keyAscii == plat::Enter) {
    keyAscii = 0;
    // A scan ends in Enter: a number no line can take is refused here, where it was scanned.
    if (refusedAboveCeiling(txtQuantity, NumberKind::Whole)) return;
    txtPrice->setFocus();
    txtPrice->end(false);
  }
}

void BuyForm::txtPrice_KeyPress(int& keyAscii) {
  if (!keyAllowed(keyAscii, NumberKind::Decimal)) {
    keyAscii = 0;
  } else if (keyAscii == plat::Enter) {
    keyAscii = 0;
    if (refusedAboveCeiling(txtPrice, NumberKind::Decimal)) return;
    cmdUpdate->setFocus();
  }
}

void BuyForm::txtBuyId_KeyPress(int& keyAscii) {
  if (keyAscii != plat::Enter) return;
  keyAscii = 0;
  cmdShow_Click();
}

void BuyForm::fillSupplierList() {
  for (const Supplier& s : allSuppliers()) {
    ListSupId->addItem(s.SupplierId + '.' + s.shownName(), s.SupplierId, s.shownName());
  }
}

void BuyForm::txtSupId_KeyPress(int& keyAscii) {
  if (keyAscii != plat::Enter) return;
  keyAscii = 0;
  if (const auto s = supplierById(txtSupId->text().trimmed())) {
    txtSupName->setText(s->shownName());
    ComBar->setFocus();
    return;
  }
  // Refilled rather than appended to, so repeated look-ups do not list every supplier twice.
  ListSupId->clear();
  fillSupplierList();
  ListSupId->show();
  ListSupId->raise();
  ListSupId->setFocus();
}

void BuyForm::cmdBrowse_Click() {
  ListSupId->show();
  ListSupId->raise();
  ListSupId->setFocus();
  ListSupId->clear();
  fillSupplierList();
}

void BuyForm::ListSupId_DblClick() {
  const plat::NameItem* it = ListSupId->currentItem();
  if (!it) return;
  ListSupId->hide();
  txtSupId->setText(it->data(Qt::UserRole).toString());
  txtSupName->setText(it->data(kNameRole).toString());
}

void BuyForm::ListSupId_KeyPress(int& keyAscii) {
  if (keyAscii != plat::Enter) return;
  keyAscii = 0;
  ListSupId_DblClick();
}

void BuyForm::ListSupId_LostFocus() {
  ListSupId->hide();
  ComBar->setFocus();
}

void BuyForm::resetPickers() {
  ComCate->setCurrentIndex(-1);
  ComBar->setCurrentIndex(-1);
  ComBar->setEditText(QString());
  ComBar->setFocus();
  txtStock->setText(QStringLiteral("0"));
  LabelStock->setText(QStringLiteral("-"));
  LabelQuantity->setText(QStringLiteral("-"));
}

void BuyForm::cmdUpdate_Click() {
  if (!txtQuantity->text().isEmpty() && !txtPrice->text().isEmpty()) {
    if (!isCompleteNumber(txtQuantity->text(), NumberKind::Whole) ||
        !isCompleteNumber(txtPrice->text(), NumberKind::Decimal)) {
      say(L(QStringLiteral("กรุณาใส่จำนวนและราคาเป็นตัวเลข"),
            QStringLiteral("Please type the quantity and the price as numbers")));
      return;
    }
    if (refusedAboveCeiling(txtQuantity, NumberKind::Whole) ||
        refusedAboveCeiling(txtPrice, NumberKind::Decimal))
      return;
    QString code;
    QString name;
    if (ComCate->currentIndex() >= 0) {
      const int i = ComBar->currentIndex();
      if (i < 0) return;
      code = ComBar->itemData(i).toString();
      name = ComBar->itemData(i, kNameRole).toString();
      ComBar->setEditText(code);
    } else {
      const auto p = data::productByCode(ComBar->currentText().trimmed());
      if (!p) return;
      code = p->PId;
      name = p->PName;
    }
    // The number is stored without the blanks around it, and a line needs one.
    const QString number = txtBuyId->text().trimmed();
    if (number.isEmpty()) {
      say(L(QStringLiteral("กรุณาใส่เลขที่บิลซื้อ"), QStringLiteral("Please type the invoice number")));
      txtBuyId->setFocus();
      return;
    }
    txtBuyId->setText(number);
    txtSupId->setReadOnly(true);
    const Entered quantity = Entered::typed(txtQuantity->text());
    const Entered unitCost = Entered::typed(txtPrice->text());

    if (const int i = lines_.find(code); i >= 0) {
      // The product is already on the invoice: the new quantity and price replace the old ones.
      lines_.retype(i, quantity, unitCost, txtStock->text());
      renderRow(i);
      txtTotal->setText(plat::fmtPurchase(lines_.total()));
      txtPrice->clear();
      txtQuantity->clear();
      return;
    }

    const int row = lines_.addTyped(number, code, name, quantity, unitCost, txtStock->text());
    FGrid->appendRows({lines_.cells(row)});
    txtTotal->setText(plat::fmtPurchase(lines_.total()));
    txtPrice->clear();
    txtQuantity->clear();
    FGrid->scrollToRow(row, QAbstractItemView::PositionAtTop);
  }
  resetPickers();
}

// ---- Grid ----

void BuyForm::renderRow(int row) {
  for (int c = 0; c < Count; ++c) FGrid->setTextMatrix(row, c, lines_.cell(row, c));
}

void BuyForm::openLineEditor() {
  if (selectedLine() < 0) return;
  auto& reg = plat::FormRegistry::instance();
  reg.unload(QStringLiteral("BuyEditPriceQ"));
  // Disabled first, so the editor's activation does not close this window.
  setEnabled(false);
  if (!reg.show(QStringLiteral("BuyEditPriceQ"))) setEnabled(true);
}

void BuyForm::FGrid_Click() { openLineEditor(); }

void BuyForm::FGrid_KeyPress(int& keyAscii) {
  if (keyAscii != plat::Enter) return;
  keyAscii = 0;
  openLineEditor();
}

void BuyForm::ClearSub() {
  txtPrice->clear();
  txtStock->clear();
  txtQuantity->clear();
  FGrid->Clear();
  FGrid->setRows(0);
  lines_.reset();
  shown_.reset();
}

void BuyForm::cmdCancel_Click() {
  if (lines_.count() >= 2) {
    const int r = FGrid->Row();
    if (r < 0 || r >= lines_.count()) return;
    lines_.remove(r);
    FGrid->RemoveItem(r);
    txtTotal->setText(plat::fmtPurchase(lines_.total()));
    FGrid->setRows(lines_.count());
  } else {
    // With one line or none the grid is emptied, whichever row is current.
    lines_.clear();
    FGrid->Clear();
    FGrid->setRows(0);
    txtTotal->setText(QStringLiteral("0"));
  }
}

void BuyForm::focusAfterEdit() {
  if (ComCate->isVisible() && ComCate->isEnabled())
    ComBar->setFocus();
  else
    FGrid->setFocus();
}

int BuyForm::selectedLine() const {
  const int r = FGrid->Row();
  return r >= 0 && r < lines_.count() ? r : -1;
}

std::optional<BuyLine> BuyForm::lineForEdit(int row) const {
  if (row < 0 || row >= lines_.count()) return std::nullopt;
  return lines_.at(row);
}

void BuyForm::applyEdit(int row, const Entered& quantity, const Entered& unitCost, double openingQuantity,
                        double openingCost) {
  lines_.edit(row, quantity, unitCost, openingQuantity, openingCost);
  renderRow(row);
  txtTotal->setText(plat::fmtMoney(lines_.total()));
}

// ---- Modes ----

void BuyForm::enterEntryMode() {
  cmdCommit->show();
  cmdCommit->raise();
  cmdUpdate->setEnabled(true);
  txtQuantity->setEnabled(true);
  txtPrice->setEnabled(true);
  ComBar->show();
  ComCate->show();
  showMode_ = false;
}

void BuyForm::enterShowMode() {
  cmdCommit->hide();
  txtQuantity->setEnabled(false);
  txtPrice->setEnabled(false);
  cmdEditInv->show();
  cmdEditInv->raise();
  cmdUpdate->setEnabled(false);
  ComBar->hide();
  ComCate->hide();
  showMode_ = true;
}

void BuyForm::proposeNextNumber() {
  txtBuyId->clear();
  const auto d = parseShownDate(txtDate->text());
  if (!d) return;
  if (const auto n = data::nextBuyId(*d)) txtBuyId->setText(QString::number(*n));
}

void BuyForm::clearForm() {
  ComCate->setCurrentIndex(-1);
  txtSupId->setReadOnly(false);
  txtTotal->setText(QStringLiteral("0"));
  ComBar->setCurrentIndex(-1);
  ComBar->setEditText(QString());
  txtSupId->clear();
  txtSupName->clear();
  ListSupId->clear();
  ClearSub();
  proposeNextNumber();
}

void BuyForm::cmdClear_Click() {
  if (ask(L(QStringLiteral("ลบข้อมูลในแบบฟอร์ม"), QStringLiteral("Clear all values")))) clearForm();
  enterEntryMode();
}

void BuyForm::cmdExit_Click() { unload(); }

// ---- Saving, showing, editing and deleting ----

std::optional<QDate> BuyForm::boxDate() {
  const auto d = parseShownDate(txtDate->text());
  if (!d)
    say(L(QStringLiteral("กรุณาใส่วันที่เป็น วัน/เดือน/ปี"), QStringLiteral("Please type the date as dd/mm/yyyy")));
  return d;
}

void BuyForm::showRefusal(const data::InvoiceRefused& r) {
  switch (r.reason) {
    case data::InvoiceRefused::Reason::UnknownSupplier:
      // By design: this one is English whatever the language.
      say(QStringLiteral("Can't Find Supplier Id"));
      return;
    case data::InvoiceRefused::Reason::DuplicateLine:
      say(L(QStringLiteral("สินค้า %1 มีอยู่แล้วในบิลซื้อเลขที่ %2 ของวันที่นี้"),
            QStringLiteral("Product %1 is already on invoice No.%2 of this date"))
              .arg(r.pid, r.buyId));
      return;
    case data::InvoiceRefused::Reason::NoNumber:
      say(L(QStringLiteral("กรุณาใส่เลขที่บิลซื้อ"), QStringLiteral("Please type the invoice number")));
      return;
    case data::InvoiceRefused::Reason::UnknownProduct:
      say(L(QStringLiteral("ไม่พบสินค้า %1"), QStringLiteral("Can't find product %1")).arg(r.pid));
      return;
  }
}

bool BuyForm::saved(const std::function<void()>& write) {
  try {
    write();
    return true;
  } catch (const data::InvoiceRefused& r) {
    showRefusal(r);
  } catch (const data::DbError& e) {
    say(e.text());
  }
  return false;
}

void BuyForm::cmdCommit_Click() {
  if (ask(L(QStringLiteral("จะทำการเก็บข้อมูลหรือไม่"), QStringLiteral("Do you want to save this data")))) {
    const QVector<data::LineToSave> lines = lines_.toSave();
    const bool writes = std::any_of(lines.begin(), lines.end(), [](const data::LineToSave& l) {
      return l.state != data::LineState::Saved;
    });
    QDate date;
    if (writes) {
      const auto d = boxDate();
      if (!d) return;
      date = *d;
    }
    // Saved lines removed from the grid go from the invoice too, as Edit Inv does it.
    const QStringList removed = lines_.removedLoaded();
    if (!saved([&] {
          data::commitLines(date, shown_ ? shown_->date : date, txtSupId->text(), lines, plat::timeNow(),
                            removed, shown_ ? shown_->buyId : QString());
        }))
      return;
    Command1_Click();
  }
  ListSupId->clear();
  txtSupId->clear();
  txtSupName->clear();
}

void BuyForm::Command1_Click() {
  say(L(QStringLiteral("ระบบทำการบันทึกเรียบร้อยแล้ว"), QStringLiteral("System complete")));
  txtTotal->setText(QStringLiteral("0"));
  txtSupId->setReadOnly(false);
  ClearSub();
  proposeNextNumber();
}

void BuyForm::cmdShow_Click() {
  if (!ask(L(QStringLiteral("ลบข้อมูลในแบบฟอร์ม"), QStringLiteral("Clear all values")))) {
    enterShowMode();
    return;
  }
  const auto date = boxDate();
  if (!date) return;
  const QString number = txtBuyId->text().trimmed();
  QVector<data::InvoiceLine> lines;
  if (!data::tellOnFailure([&] { lines = data::invoiceLines(*date, number); })) return;
  ComCate->setCurrentIndex(-1);
  txtSupId->clear();
  txtSupName->clear();
  FGrid->Clear();
  FGrid->setRows(0);
  lines_.load(lines);
  shown_.reset();
  txtTotal->setText(QStringLiteral("0"));
  if (lines.isEmpty()) return;

  // Any supplier code is shown, also one that is no longer (or never was) in Suppliers.
  const QString sup = lines.front().SupplierID;
  if (!sup.isEmpty()) {
    txtSupId->setText(sup);
    if (const auto s = supplierById(sup)) txtSupName->setText(s->shownName());
  }
  QVector<QStringList> rows;
  for (int i = 0; i < lines_.count(); ++i) rows << lines_.cells(i);
  FGrid->appendRows(rows);
  txtTotal->setText(plat::fmtPurchase(lines_.total()));
  shown_ = data::InvoiceKey{*date, lines.front().BuyId};
  enterShowMode();
}

void BuyForm::cmdEditInv_Click() {
  std::optional<data::InvoiceKey> key = shown_;
  if (!key) {
    if (lines_.empty()) {
      say(L(QStringLiteral("ไม่มีบิลซื้อที่จะแก้ไข"), QStringLiteral("There is no invoice to edit")));
      return;
    }
    const auto d = boxDate();
    if (!d) return;
    key = data::InvoiceKey{*d, lines_.at(0).buyId};
  }
  if (!ask(L(QStringLiteral("ต้องการแก้ไขบิลซื้อเลขที่ "), QStringLiteral("Do you want to edit Invoice No.")) +
           key->buyId))
    return;
  const QVector<data::LineToSave> lines = lines_.toSave();
  const QStringList removed = lines_.removedLoaded();
  if (!saved([&] { data::rewriteInvoice(*key, txtSupId->text(), lines, removed, plat::timeNow()); })) return;
  Command1_Click();
  cmdEditInv->hide();
  cmdCommit->show();
  cmdCommit->raise();
  cmdUpdate->setEnabled(true);
  showMode_ = false;
  txtSupId->clear();
  txtSupName->clear();
}

void BuyForm::cmdDelInv_Click() {
  std::optional<data::InvoiceKey> key = shown_;
  if (!key) {
    if (lines_.empty()) return;
    const auto d = boxDate();
    if (!d) return;
    const QString number = txtBuyId->text().trimmed();
    if (number.isEmpty()) return;
    key = data::InvoiceKey{*d, number};
  }
  if (!ask(L(QStringLiteral("ต้องการลบบิลซื้อเลขที่ "), QStringLiteral("Do you want to delete Invoice No.")) +
           key->buyId))
    return;
  if (!saved([&] { data::deleteInvoice(*key); })) return;
  clearForm();
  enterEntryMode();
}

void BuyForm::cmdDel_Click() {
  const int r = FGrid->Row();
  if (r < 0 || r >= lines_.count()) return;
  if (!data::productByCode(lines_.at(r).code)) {
    cmdCancel_Click();
    return;
  }
  if (!ask(L(QStringLiteral("ต้องการลบรายการสินค้า"), QStringLiteral("Do you want to remove this transaction"))))
    return;
  FGrid->Clear();
  FGrid->setRows(0);
  lines_.clear();
  cmdDel->setEnabled(false);
  cmdShow_Click();
}

// ---- Keys ----

bool BuyForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    int k = keyAsciiOf(static_cast<QKeyEvent*>(event));
    if (k < 0) return false;
    if (watched == txtQuantity)
      txtQuantity_KeyPress(k);
    else if (watched == txtPrice)
      txtPrice_KeyPress(k);
    else if (watched == txtBuyId)
      txtBuyId_KeyPress(k);
    else if (watched == txtSupId)
      txtSupId_KeyPress(k);
    else if (watched == ComBar || watched == ComBar->lineEdit())
      ComBar_KeyPress(k);
    else if (watched == ListSupId)
      ListSupId_KeyPress(k);
    else if (watched == FGrid)
      FGrid_KeyPress(k);
    else
      return plat::Form::eventFilter(watched, event);
    return k == 0;
  }
  if (event->type() == QEvent::FocusOut && watched == ListSupId) {
    const Qt::FocusReason why = static_cast<QFocusEvent*>(event)->reason();
    if (why != Qt::ActiveWindowFocusReason && why != Qt::PopupFocusReason) ListSupId_LostFocus();
  }
  return plat::Form::eventFilter(watched, event);
}

void BuyForm::cmdPrint_Click() {
  printInvoice(lines_, {txtBuyId->text(), txtDate->text(), txtTotal->text()});
}

}  // namespace purchase
