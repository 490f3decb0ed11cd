#include "purchase/buy_form.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QShowEvent>
#include <algorithm>
#include <functional>

#include "data/db.h"
#include "data/products.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
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

void place(QWidget* w, int left, int top, int width, int height) {
  w->setGeometry(plat::twipsToPx(left), plat::twipsToPx(top), plat::twipsToPx(width),
                 plat::twipsToPx(height));
}

void say(const QString& text) { plat::dialogs().message(text); }
bool ask(const QString& text) { return plat::dialogs().askYesNo(text); }

std::optional<QDate> parseShownDate(const QString& text) {
  const QDate d = QDate::fromString(text.trimmed(), QStringLiteral("d/M/yyyy"));
  if (!d.isValid()) return std::nullopt;
  return d;
}

}  // namespace

BuyForm::BuyForm(QWidget* parent) : plat::Form(parent) { buildControls(); }

void BuyForm::buildControls() {
  auto label = [this](const QString& caption, int l, int t, int w) {
    auto* lb = new QLabel(caption, this);
    place(lb, l, t, w, 315);
    return lb;
  };
  auto box = [this](int l, int t, int w) {
    auto* e = new QLineEdit(this);
    place(e, l, t, w, 315);
    return e;
  };
  auto button = [this](const QString& caption, int l, int t, int w, int h = 375) {
    auto* b = new QPushButton(caption, this);
    place(b, l, t, w, h);
    return b;
  };

  lblDate = label(QStringLiteral("Date"), 120, 120, 1860);
  txtDate = box(2040, 120, 1335);
  lblBuyId = label(QStringLiteral("Inv No."), 3500, 120, 1100);
  txtBuyId = box(4680, 120, 1335);
  cmdShow = button(QStringLiteral("&Show Inv"), 6120, 90, 1300);

  lblSupId = label(QStringLiteral("SupplierID"), 120, 600, 1860);
  txtSupId = box(2040, 600, 1335);
  cmdBrowse = button(QStringLiteral("..."), 3420, 590, 375, 330);
  txtSupName = box(3840, 600, 4500);
  txtSupName->setReadOnly(true);

  lblCate = label(QStringLiteral("Category"), 120, 1080, 1860);
  ComCate = new QComboBox(this);
  place(ComCate, 2040, 1080, 3000, 330);
  lblProduct = label(QStringLiteral("Product"), 5160, 1080, 900);
  ComBar = new QComboBox(this);
  ComBar->setEditable(true);
  ComBar->setInsertPolicy(QComboBox::NoInsert);
  ComBar->setCompleter(nullptr);
  place(ComBar, 6120, 1080, 4200, 330);

  lblStock = label(QStringLiteral("Quantity in Stock"), 120, 1560, 1860);
  txtStock = box(2040, 1560, 1335);
  txtStock->setReadOnly(true);
  LabelStock = label(QStringLiteral("-"), 3420, 1560, 800);
  lblQuantity = label(QStringLiteral("Quantity"), 4320, 1560, 900);
  txtQuantity = box(5280, 1560, 1335);
  makeNumeric(txtQuantity, NumberKind::Whole);
  LabelQuantity = label(QStringLiteral("-"), 6660, 1560, 800);
  lblPrice = label(QStringLiteral("Price"), 7560, 1560, 700);
  txtPrice = box(8280, 1560, 1335);
  makeNumeric(txtPrice, NumberKind::Decimal);
  lblBath = label(QStringLiteral("Baht"), 9660, 1560, 700);

  cmdUpdate = button(QStringLiteral("&Insert Buy Detail"), 120, 2160, 2000, 420);
  cmdCommit = button(QStringLiteral("&Commit"), 2280, 2160, 1700, 420);
  cmdEditInv = button(QStringLiteral("&Edit Inv"), 2280, 2160, 1700, 420);
  cmdDelInv = button(QStringLiteral("&Delete Inv"), 4140, 2160, 1700, 420);
  cmdClear = button(QStringLiteral("&New"), 6000, 2160, 1500, 420);
  cmdExit = button(QStringLiteral("E&xit"), 7660, 2160, 1500, 420);
  // Never shown: nothing in the program offers the printout or the grid-only line removal.
  cmdPrint = button(QStringLiteral("Print"), 9320, 2160, 1200, 420);
  cmdPrint->hide();
  cmdDel = button(QStringLiteral("&Delete Product"), 9320, 2640, 1800, 420);
  cmdDel->hide();
  Command1 = button(QStringLiteral("Command1"), 9320, 2640, 1200, 420);
  Command1->hide();

  const int headLeft[] = {120, 1440, 2760, 7200, 8520, 9840};
  const int headWidth[] = {1335, 1335, 4455, 1335, 1335, 1575};
  QPushButton** heads[] = {&cmdInv, &cmdPid, &cmdPName, &cmdQuantity, &cmdPrice, &cmdToSort};
  const QString headCaption[] = {QStringLiteral("Inv No."),      QStringLiteral("Product Id"),
                                 QStringLiteral("Product Name"), QStringLiteral("Quantity"),
                                 QStringLiteral("Price / Unit"), QStringLiteral("Total")};
  for (int i = 0; i < 6; ++i) {
    *heads[i] = button(headCaption[i], headLeft[i], 3120, headWidth[i], 255);
    (*heads[i])->setFocusPolicy(Qt::NoFocus);
  }

  FGrid = new plat::FlexGrid(this);
  place(FGrid, 120, 3360, 11295, 2775);

  lblTotal = label(QStringLiteral("Total"), 7200, 6300, 1200);
  txtTotal = box(8520, 6300, 2000);
  txtTotal->setReadOnly(true);
  txtTotal->setAlignment(Qt::AlignRight);
  lblBaht2 = label(QStringLiteral("Baht"), 10600, 6300, 700);

  // The list pops up over the pickers.
  ListSupId = new plat::NameList(this);
  place(ListSupId, 2040, 930, 6300, 2000);
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

void BuyForm::setThaiCaptions() {
  setWindowTitle(QStringLiteral("ซื้อ"));
  lblDate->setText(QStringLiteral("วันที่ (วัน/เดือน/ปี)"));
  lblBuyId->setText(QStringLiteral("เลขที่บิลซื้อ"));
  cmdShow->setText(QStringLiteral("แสดง"));
  lblSupId->setText(QStringLiteral("รหัสผู้จำหน่าย"));
  lblCate->setText(QStringLiteral("หมวด"));
  lblProduct->setText(QStringLiteral("สินค้า"));
  lblStock->setText(QStringLiteral("สินค้าคงคลัง"));
  lblQuantity->setText(QStringLiteral("จำนวน"));
  lblPrice->setText(QStringLiteral("ราคา"));
  lblBath->setText(QStringLiteral("บาท"));
  cmdUpdate->setText(QStringLiteral("เพิ่มรายการ"));
  cmdCommit->setText(QStringLiteral("เก็บข้อมูลการซื้อ"));
  cmdEditInv->setText(QStringLiteral("แก้ไข"));
  cmdDelInv->setText(QStringLiteral("ลบเลขที่บิลซื้อ"));
  cmdClear->setText(QStringLiteral("รายการใหม่"));
  cmdExit->setText(QStringLiteral("ปิด"));
  cmdPrint->setText(QStringLiteral("พิมพ์"));
  cmdDel->setText(QStringLiteral("ลบรายการ"));
  lblTotal->setText(QStringLiteral("รวมเงิน"));
  lblBaht2->setText(QStringLiteral("บาท"));
  cmdInv->setText(QStringLiteral("เลขที่บิลซื้อ"));
  cmdPid->setText(QStringLiteral("รหัสสินค้า"));
  cmdPName->setText(QStringLiteral("รายการ"));
  cmdQuantity->setText(QStringLiteral("จำนวน"));
  cmdPrice->setText(QStringLiteral("ราคา/หน่วย"));
  cmdToSort->setText(QStringLiteral("รวม"));
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
  if (shell::thai()) setThaiCaptions();
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
  if (keyAscii == 13) {
    keyAscii = 0;
    const QString code = ComBar->currentText().trimmed();
    if (code.isEmpty() || !pickProduct(code)) return;
    ComCate->setCurrentIndex(-1);
  } else if (keyAscii == 27) {
    keyAscii = 0;
    FGrid->setFocus();
  }
}

void BuyForm::txtQuantity_KeyPress(int& keyAscii) {
  if (!keyAllowed(keyAscii, NumberKind::Whole)) {
    keyAscii = 0;
  } else if (keyAscii == 13) {
    keyAscii = 0;
    txtPrice->setFocus();
    txtPrice->end(false);
  }
}

void BuyForm::txtPrice_KeyPress(int& keyAscii) {
  if (!keyAllowed(keyAscii, NumberKind::Decimal)) {
    keyAscii = 0;
  } else if (keyAscii == 13) {
    keyAscii = 0;
    cmdUpdate->setFocus();
  }
}

void BuyForm::txtBuyId_KeyPress(int& keyAscii) {
  if (keyAscii != 13) return;
  keyAscii = 0;
  cmdShow_Click();
}

void BuyForm::fillSupplierList() {
  for (const Supplier& s : allSuppliers()) {
    ListSupId->addItem(s.SupplierId + '.' + s.shownName(), s.SupplierId, s.shownName());
  }
}

void BuyForm::txtSupId_KeyPress(int& keyAscii) {
  if (keyAscii != 13) return;
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
  if (keyAscii != 13) return;
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
  const int r = FGrid->Row();
  if (r < 0 || r >= lines_.count()) return;
  auto& reg = plat::FormRegistry::instance();
  reg.unload(QStringLiteral("BuyEditPriceQ"));
  // Disabled first, so the editor's activation does not close this window.
  setEnabled(false);
  if (!reg.show(QStringLiteral("BuyEditPriceQ"))) setEnabled(true);
}

void BuyForm::FGrid_Click() { openLineEditor(); }

void BuyForm::FGrid_KeyPress(int& keyAscii) {
  if (keyAscii != 13) return;
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

void BuyForm::editLine(int row, const Entered& quantity, const Entered& unitCost, double openingQuantity,
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

void BuyForm::showSaveFailure(const std::exception& e) {
  if (const auto* r = dynamic_cast<const data::InvoiceRefused*>(&e)) {
    switch (r->reason) {
      case data::InvoiceRefused::Reason::UnknownSupplier:
        say(QStringLiteral("Can't Find Supplier Id"));
        return;
      case data::InvoiceRefused::Reason::DuplicateLine:
        say(L(QStringLiteral("สินค้า %1 มีอยู่แล้วในบิลซื้อเลขที่ %2 ของวันที่นี้"),
              QStringLiteral("Product %1 is already on invoice No.%2 of this date"))
                .arg(r->pid, r->buyId));
        return;
      case data::InvoiceRefused::Reason::NoNumber:
        say(L(QStringLiteral("กรุณาใส่เลขที่บิลซื้อ"), QStringLiteral("Please type the invoice number")));
        return;
      case data::InvoiceRefused::Reason::UnknownProduct:
        say(L(QStringLiteral("ไม่พบสินค้า %1"), QStringLiteral("Can't find product %1")).arg(r->pid));
        return;
    }
  }
  if (const auto* d = dynamic_cast<const data::DbError*>(&e)) {
    say(d->text());
    return;
  }
  say(QString::fromLocal8Bit(e.what()));
}

bool BuyForm::saved(const std::function<void()>& write) {
  try {
    write();
    return true;
  } catch (const data::InvoiceRefused& e) {
    showSaveFailure(e);
  } catch (const data::DbError& e) {
    showSaveFailure(e);
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
  try {
    lines = data::invoiceLines(*date, number);
  } catch (const data::DbError& e) {
    say(e.text());
    return;
  }
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
  printInvoice(*FGrid, lines_.count(), {txtBuyId->text(), txtDate->text(), txtTotal->text()});
}

}  // namespace purchase
