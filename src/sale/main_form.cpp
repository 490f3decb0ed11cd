#include "sale/main_form.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <stdexcept>

#include "data/db.h"
#include "data/partners.h"
#include "data/products.h"
#include "data/tell_failure.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/keys.h"
#include "platform/numtext.h"
#include "platform/units.h"
#include "print/dispatch.h"
#include "print/invoice.h"
#include "print/sale_document.h"
#include "sale/entry.h"
#include "sale/handoff.h"
#include "sale/hotkeys.h"
#include "sale/payment.h"
#include "sale/picker.h"
#include "sale/posting.h"
#include "shell/form_style.h"
#include "shell/lang.h"
#include "shell/session.h"
#include "shell/settings.h"

namespace sale {

using plat::ui::Control;
using plat::ui::Kind;

namespace {

// By design: the port message reads the same in both languages.
const char* const kPortMessage = "Invalid port! If you not have port RS232,you should set port number = 0";

// A COM port number from a port setting; 0 for none (and for "RJ45", the drawer on the printer).
int portOf(const shell::SettingValue& v) {
  if (v.toText().trimmed().compare(QLatin1String("RJ45"), Qt::CaseInsensitive) == 0) return 0;
  return static_cast<int>(v.toNumber());
}

using IdNameRow = std::function<void(QByteArrayView id, QByteArrayView name)>;

// Fills a pick list with "id.name" items, the id as item data, and shows it focused on its first
// item; a walk without rows leaves the list as it was. Each row's bytes become its line's one
// text, the id read back from the line's start.
bool showIdList(plat::NameList* list, const std::function<void(const IdNameRow&)>& walk) {
  std::vector<plat::NameItem> items;
  walk([&](QByteArrayView id, QByteArrayView name) {
    items.push_back(plat::NameItem::keyed(id, QLatin1Char('.'), name));
  });
  if (items.empty()) return false;
  list->setItems(std::move(items));
  list->setCurrentRow(0);
  list->show();
  list->raise();
  list->setFocus();
  return true;
}

// Puts text into a box as the screen's own step, which also empties the box's undo history: the
// screen stays open all day, and clear() or typing would keep every key of every sale as an undo step.
void setAfresh(QLineEdit* box, const QString& text) { box->setText(text); }

// The caption of Finish in Thai names what it prints with the change: an A4 invoice, nothing, or a
// receipt.
QString finishThai(int printType) {
  switch (printType) {
    case 3:
      return QStringLiteral("ทอน/บิล A4");
    case 4:
    case 6:
      return QStringLiteral("ทอนเงิน");
    default:
      return QStringLiteral("ทอนเงิน/บิล");
  }
}

// The cash buttons, left to right: name, caption.
constexpr const char* kCashButtons[][2] = {
    {"cmd05", "0.5"}, {"cmd1", "1"},     {"cmd025", "5"},   {"cmd10", "10"},     {"cmd20", "20"},
    {"cmd50", "50"},  {"cmd100", "100"}, {"cmd500", "500"}, {"cmd1000", "1000"}, {"cmdC", "C"}};

QVector<Control> saleScreenControls(int printType) {
  QVector<Control> v = {
      {"lblPid", Kind::Label, {150, 180, 1350, 300}, "Product ID", "รหัสสินค้า"},
      {"txtBar", Kind::Box, {1500, 120, 3900, 420}},
      {"lblNo", Kind::Label, {150, 660, 705, 270}, "No.", "ลำดับ"},
      {"lblDesc", Kind::Label, {855, 660, 6000, 270}, "Description", "รายการสินค้า"},
      {"lblQuantity", Kind::Label, {6855, 660, 1005, 270}, "Quantity", "จำนวน"},
      {"lblPrice", Kind::Label, {7860, 660, 1695, 270}, "Price/Unit", "หน่วยละ"},
      {"lblTotal", Kind::Label, {9555, 660, 1695, 270}, "Total", "รวม"},
      {"FGrid", Kind::Grid, {150, 960, 11430, 3750}},
      {"lblCus", Kind::Label, {150, 4890, 1050, 300}, "Customer", "ลูกค้า"},
      {"txtCus", Kind::Box, {1200, 4830, 1500, 390}},
      {"cmdBrowse", Kind::Button, {2760, 4830, 450, 390}, "..."},
      {"txtCusName", Kind::Box, {3270, 4830, 3000, 390}},
      {"txtTotal", Kind::Box, {6450, 4770, 5130, 840}},
      {"lblVat", Kind::Label, {6450, 5730, 750, 300}, "Vat", "ภาษี"},
      {"txtTax", Kind::Box, {7200, 5670, 2250, 390}},
      {"lblCash", Kind::Label, {6450, 6180, 750, 300}, "Cash", "รับมา"},
      {"txtPay", Kind::Box, {7200, 6120, 2250, 420}},
      {"txtCash", Kind::Box, {9600, 6120, 1500, 390}},
      {"cmdMenu", Kind::Button, {150, 5430, 1200, 510}, "&Menu", "เลือก"},
      {"cmdPay", Kind::Button, {1410, 5430, 1200, 510}, "&Receive", "รับเงิน"},
      {"cmdReceive", Kind::Button, {2670, 5430, 1200, 510}, "&Finish", finishThai(printType)},
      {"cmdClear", Kind::Button, {3930, 5430, 1200, 510}, "&Clear", "ลบรายการ"},
      {"cmdExit", Kind::Button, {5190, 5430, 1050, 510}, "&Exit", "ปิด"},
      {"cmdBillInvoid", Kind::Button, {9600, 6600, 1500, 390}, "Tax Invoice", "บิลแบบเต็ม"},
      {"cmdCancel", Kind::Button, {9600, 7050, 1500, 390}, "Cancel"},
  };
  for (int i = 0; i < 10; ++i)
    v.push_back({kCashButtons[i][0], Kind::Button, {150 + 615 * i, 6600, 585, 600}, kCashButtons[i][1]});
  v += {
      {"FrameCash", Kind::Panel, {3000, 1800, 6000, 1800}},
      {"lblCash1", Kind::Label, {150, 150, 5700, 360}, "Cash", "ทอนเงิน", "FrameCash"},
      {"txtShowCash", Kind::Box, {150, 600, 5700, 990}, "", "", "FrameCash"},
      // The screen's state shown in hidden boxes.
      {"txtDisc", Kind::Box, {0, 0, 150, 150}},
      {"txtEmployee", Kind::Box, {0, 0, 150, 150}},
      {"a", Kind::Box, {0, 0, 150, 150}},
      {"txtPric", Kind::Box, {0, 0, 150, 150}},
  };
  return v;
}

// The pick lists, each made right after the row it opens beside (so it takes its turn in the Tab
// order there): after, name, place in twips.
struct PickListPlace {
  const char* after;
  const char* name;
  QRect twips;
};
constexpr PickListPlace kPickLists[] = {{"txtCusName", "ListCusId", {1200, 5250, 5070, 2250}},
                                        {"txtShowCash", "ListPName", {1500, 540, 6300, 3300}}};

}  // namespace

PickHandOff& pick() {
  static PickHandOff p;
  return p;
}

MainForm::MainForm(QWidget* parent) : plat::Form(parent) { buildControls(); }

MainForm::~MainForm() = default;

void MainForm::buildControls() {
  shell::dressForm(this);

  controls_.build(this, {});
  for (const Control& row : saleScreenControls(shell::settings().PrintType)) {
    controls_.add(row);
    for (const PickListPlace& p : kPickLists) {
      if (row.name != QLatin1String(p.after)) continue;
      auto* list = new plat::NameList(this);
      list->setObjectName(QString::fromLatin1(p.name));
      list->setGeometry(plat::twipsRect(p.twips));
      list->hide();
    }
  }
  const auto label = [this](const char* name) { return controls_.get<QLabel>(QString::fromLatin1(name)); };
  const auto box = [this](const char* name) { return controls_.get<QLineEdit>(QString::fromLatin1(name)); };
  const auto button = [this](const char* name) {
    return controls_.get<QPushButton>(QString::fromLatin1(name));
  };
  lblPid = label("lblPid");
  txtBar = box("txtBar");
  lblNo = label("lblNo");
  lblDesc = label("lblDesc");
  lblQuantity = label("lblQuantity");
  lblPrice = label("lblPrice");
  lblTotal = label("lblTotal");
  FGrid = controls_.get<plat::FlexGrid>(QStringLiteral("FGrid"));
  lblCus = label("lblCus");
  txtCus = box("txtCus");
  cmdBrowse = button("cmdBrowse");
  txtCusName = box("txtCusName");
  ListCusId = findChild<plat::NameList*>(QStringLiteral("ListCusId"));
  txtTotal = box("txtTotal");
  lblVat = label("lblVat");
  txtTax = box("txtTax");
  lblCash = label("lblCash");
  txtPay = box("txtPay");
  txtCash = box("txtCash");
  cmdMenu = button("cmdMenu");
  cmdPay = button("cmdPay");
  cmdReceive = button("cmdReceive");
  cmdClear = button("cmdClear");
  cmdExit = button("cmdExit");
  cmdBillInvoid = button("cmdBillInvoid");
  cmdCancel = button("cmdCancel");
  QPushButton** cash[] = {&cmd05, &cmd1, &cmd025, &cmd10, &cmd20, &cmd50, &cmd100, &cmd500, &cmd1000, &cmdC};
  for (int i = 0; i < 10; ++i) *cash[i] = button(kCashButtons[i][0]);
  FrameCash = controls_.get<QFrame>(QStringLiteral("FrameCash"));
  lblCash1 = label("lblCash1");
  txtShowCash = box("txtShowCash");
  ListPName = findChild<plat::NameList*>(QStringLiteral("ListPName"));
  txtDisc = box("txtDisc");
  txtEmployee = box("txtEmployee");
  a = box("a");
  txtPric = box("txtPric");

  for (const Control& row : controls_.rows()) {
    if (row.kind == Kind::Label) {
      shell::whiteText(controls_.widget(row.name));
      controls_.widget(row.name)->setFont(plat::captionFont(8.25, true));
    } else if (row.kind == Kind::Button) {
      controls_.widget(row.name)->setFont(plat::captionFont());
    }
  }
  QFont big = txtBar->font();
  big.setPointSize(12);
  txtBar->setFont(big);
  FGrid->setFixedRows(0);
  FGrid->setCols(SaleLines::kColumns);
  FGrid->setRows(0);
  FGrid->setColAlignment(2, Qt::AlignRight);
  FGrid->setColAlignment(3, Qt::AlignRight);
  FGrid->setColAlignment(4, Qt::AlignRight);
  for (QLineEdit* b : {txtCusName, txtTotal, txtTax, txtCash, txtShowCash}) b->setReadOnly(true);
  QFont huge = txtTotal->font();
  huge.setPointSize(26);
  huge.setBold(true);
  txtTotal->setFont(huge);
  txtTotal->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  txtTax->setAlignment(Qt::AlignRight);
  txtPay->setAlignment(Qt::AlignRight);
  txtPay->setFont(big);
  txtCash->hide();  // carries the change for the receipts; FrameCash shows it
  // By design: Tax Invoice and Cancel are never shown; Finish runs the one's procedure and the line
  // editor the other's.
  cmdBillInvoid->hide();
  cmdCancel->hide();
  for (int i = 0; i < 10; ++i) {
    connect(*cash[i], &QPushButton::clicked, this, [this, i, b = *cash[i]]() {
      if (i == 9)
        cmdC_Click();
      else
        cashButton_Click(b);
    });
  }
  FrameCash->setAutoFillBackground(true);
  txtShowCash->setFont(huge);
  txtShowCash->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  FrameCash->hide();
  for (QLineEdit* b : {txtDisc, txtEmployee, a, txtPric}) b->hide();
  renderState();
  txtTax->setText(QStringLiteral("0"));

  for (QWidget* w : std::initializer_list<QWidget*>{txtBar, txtPay, txtCus, ListCusId, ListPName, FGrid})
    w->installEventFilter(this);
  connect(FGrid, &plat::FlexGrid::cellClicked, this, [this](int, int) { FGrid_Click(); });
  connect(txtCusName, &QLineEdit::textChanged, this, [this]() { txtCusName_Change(); });
  connect(cmdBrowse, &QPushButton::clicked, this, &MainForm::cmdBrowse_Click);
  connect(ListCusId, &plat::NameList::itemDoubleClicked, this, [this]() { ListCusId_DblClick(); });
  connect(ListPName, &plat::NameList::itemDoubleClicked, this, [this]() { ListPName_DblClick(); });
  connect(cmdMenu, &QPushButton::clicked, this, &MainForm::cmdMenu_Click);
  connect(cmdPay, &QPushButton::clicked, this, &MainForm::cmdPay_Click);
  connect(cmdReceive, &QPushButton::clicked, this, &MainForm::cmdReceive_Click);
  connect(cmdBillInvoid, &QPushButton::clicked, this, &MainForm::cmdBillInvoid_Click);
  connect(cmdClear, &QPushButton::clicked, this, &MainForm::cmdClear_Click);
  connect(cmdExit, &QPushButton::clicked, this, &MainForm::cmdExit_Click);
  connect(cmdCancel, &QPushButton::clicked, this, &MainForm::cmdCancel_Click);

  for (QPushButton* b : cashButtons()) b->setEnabled(false);
  cmdPay->setEnabled(false);
  cmdReceive->setEnabled(false);
  cmdCancel->setEnabled(false);
}

QList<QPushButton*> MainForm::cashButtons() const {
  return {cmd05, cmd1, cmd025, cmd10, cmd20, cmd50, cmd100, cmd500, cmd1000, cmdC};
}

void MainForm::showPortError() { plat::dialogs().message(QString::fromLatin1(kPortMessage)); }

// ---- Load and unload

void MainForm::Form_Load() {
  lines_.clear();
  nextQty_ = 1;
  const int widths[] = {700, 6000, 1000, 1700, 1700, 2000};
  for (int c = 0; c < 6; ++c) FGrid->setColWidth(c, widths[c]);

  const shell::ShopSettings& s = shell::settings();
  const int displayPort = portOf(s.DisplayPort);
  if (displayPort != 0) {
    QString error;
    if (!display_.open(displayPort, &error)) {
      showPortError();
      // The screen does not open without its display; the registry drops the half-made form.
      throw std::runtime_error(kPortMessage);
    }
  }
  drawerPort_ = portOf(s.DrawerPort);

  txtPay->setText(QStringLiteral("0"));
  txtCash->setText(QStringLiteral("0"));
  txtTotal->setText(QStringLiteral("0"));
  cmdBillInvoid->setEnabled(false);
  state_.employee = shell::session().userName;
  renderState();
  controls_.setLanguage(shell::lang());
}

void MainForm::Form_Unload() {
  display_.close();
  lines_.clear();
  renderAll();
  paying_ = false;
  FGrid->setEnabled(true);
  for (QLineEdit* b : {txtTotal, txtTax, txtPay, txtCash}) b->setText(QStringLiteral("0"));
  for (QPushButton* b : cashButtons()) b->setEnabled(false);
  for (QPushButton* b : {cmdBillInvoid, cmdReceive, cmdPay, cmdCancel}) b->setEnabled(false);
  for (QWidget* w : std::initializer_list<QWidget*>{cmdClear, cmdMenu, txtBar}) w->setEnabled(true);
}

void MainForm::cmdExit_Click() {
  cmdClear_Click();
  unload();
}

void MainForm::Form_Activate() {
  if (!pick().pending) return;
  pick().pending = false;
  txtBar->setText(pick().PickPID);
  nextQty_ = pick().PickQty;
  int enter = plat::Enter;
  txtBar_KeyPress(enter);
}

void MainForm::changeEvent(QEvent* event) {
  plat::Form::changeEvent(event);
  if (event->type() == QEvent::EnabledChange && isEnabled()) Form_Activate();
}

bool MainForm::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) Form_Activate();
  return plat::Form::event(event);
}

// ---- The lines and the total

void MainForm::renderRow(int i) {
  for (int c = 0; c < SaleLines::kColumns; ++c) FGrid->setTextMatrix(i, c, lines_.cell(i, c));
}

void MainForm::renderAll() {
  FGrid->setRows(lines_.count());
  for (int i = 0; i < lines_.count(); ++i) renderRow(i);
}

void MainForm::renderState() {
  txtDisc->setText(state_.priceLevel);
  txtEmployee->setText(state_.employee);
  a->setText(plat::plainNumber(state_.editStock));
  txtPric->setText(plat::plainNumber(state_.editedPrice));
}

void MainForm::refreshTotal() {
  const double total = lines_.total();
  txtTotal->setText(lines_.empty() ? QStringLiteral("0") : plat::fmtMoney(total));
  cmdPay->setEnabled(plat::toSatang(total) != 0);
}

void MainForm::cmdCancel_Click() {
  const int row = FGrid->Row();
  if (row < 0 || row >= lines_.count()) return;
  lines_.remove(row);
  renderAll();
  refreshTotal();
  receiveWhileLinesRemain();
  cmdCancel->setEnabled(false);
}

int MainForm::selectedLine() const {
  const int r = FGrid->Row();
  return r >= 0 && r < lines_.count() ? r : -1;
}

std::optional<LineForEdit> MainForm::lineForEdit(int row) const {
  if (row < 0 || row >= lines_.count()) return std::nullopt;
  return LineForEdit{lines_.cell(row, 2), lines_.cell(row, 3), state_.editStock};
}

void MainForm::applyEdit(int row, int quantity, double unitPrice) {
  if (row < 0 || row >= lines_.count()) return;
  lines_.setQuantityPrice(row, quantity, unitPrice, state_.editStock - quantity);
  renderRow(row);
  refreshTotal();
  receiveWhileLinesRemain();
  state_.editedPrice = unitPrice;
  renderState();
  DisplayEdit();
}

void MainForm::receiveWhileLinesRemain() {
  // After a line was changed or removed, lines of 0.00 are still a sale to receive.
  cmdPay->setEnabled(!lines_.empty());
}

void MainForm::DisplayEdit() { display_.lineEdited(state_.editedPrice, lines_.total()); }

void MainForm::DisplayDel() { display_.lineRemoved(lines_.total()); }

// ---- Product entry

void MainForm::txtBar_KeyPress(int& keyAscii) {
  const int key = keyAscii;
  data::tellOnFailure([&] {
    if (const int kbid = hotKeyId(keyAscii)) CheckChr(kbid, keyAscii);
    if (keyAscii == plat::Space) {
      // The picker hands its pick over by itself: the box keeps what it held before Space.
      keyAscii = 0;
      openPicker();
    }
    if (keyAscii == plat::Enter)
      enterCode();
    else if (key != plat::Enter)
      quantityFromBox();
  });
  if (keyAscii == plat::Esc) {
    if (lines_.count() > 0)
      FGrid->setFocus();
    else
      txtBar->setFocus();
  }
}

void MainForm::quantityFromBox() {
  // Every key but Enter sets the quantity from the box as it stands before that key, so a prefix
  // left from a name search does not reach a code typed afterwards.
  const std::optional<CodeEntry> entry = parseCodeEntry(txtBar->text());
  if (entry) nextQty_ = entry->quantity != 0 ? entry->quantity : 1;
}

void MainForm::CheckChr(int hotKbid, int& keyAscii) {
  const std::optional<QString> pid = hotKeyProduct(hotKbid);
  if (!pid || pid->isEmpty()) return;  // no such key row, or no product on it: typed like any other
  txtBar->setText(*pid);
  enterCode();
  keyAscii = 0;  // the hot key's own character does not land in the box
}

void MainForm::enterCode() {
  const QString text = txtBar->text();
  const std::optional<CodeEntry> entry = parseCodeEntry(text);
  if (!entry) return;  // a prefix that is not a quantity: nothing happens, the text stays
  const int qty = entryQuantity(*entry, nextQty_);

  const std::optional<data::Product> p =
      entry->code.isEmpty() ? std::nullopt : data::productByCode(entry->code);
  if (!p) {
    if (!text.isEmpty() || lines_.empty()) {
      ChkSearch(entry->code);
      setAfresh(txtBar, {});
    } else if (!ListPName->isHidden()) {
      ListPName->hide();
    } else {
      cmdPay_Click();  // also for a sale of free items: it totals 0.00 and is paid with 0
    }
    if (lines_.count() > 0) FGrid->setRow(0);
    // "3*tea": the product picked from the names found gets the 3.
    nextQty_ = entry->quantity != 0 ? entry->quantity : 1;
    return;
  }

  const StockVerdict verdict = checkEntry(p->Quantity, qty, static_cast<double>(p->PoOrder));
  if (verdict == StockVerdict::OutOfOrder) {
    plat::dialogs().message(shell::L(QStringLiteral("สินค้าในคลังมีไม่พอ"), QStringLiteral("Out of Order")));
    setAfresh(txtBar, {});
    if (lines_.count() > 0) FGrid->setRow(0);
    nextQty_ = 1;
    return;
  }
  if (verdict == StockVerdict::ReorderPoint)
    plat::dialogs().message(
        shell::L(QStringLiteral("สินค้าในคลังถึงจุดสั่งซื้อแล้ว"), QStringLiteral("Point of Order")));
  const double price = unitPriceForLevel(*p, state_.priceLevel);

  const int existing = lines_.find(p->PId);
  if (existing >= 0) {
    const double lineQty = lines_.at(existing).quantity;
    nextQty_ = 1;
    if (!mergeAllowed(p->Quantity, lineQty, qty)) {
      plat::dialogs().message(shell::L(QStringLiteral("สินค้าหมด"), QStringLiteral("Out of Stock")));
      setAfresh(txtBar, {});
      return;
    }
    lines_.setQuantityPrice(existing, lineQty + qty, price, p->Quantity - lineQty - qty);
    renderRow(existing);
    setAfresh(txtBar, {});
    refreshTotal();
    display_.lineAdded(price, lines_.total());
    return;
  }

  SaleLine line;
  line.name = p->PName;
  line.quantity = qty;
  line.unitPrice = price;
  line.code = p->PId;
  line.time = plat::timeNow().toString(QStringLiteral("HH:mm:ss"));
  line.stockLeft = p->Quantity - qty;
  const int row = lines_.add(line);
  FGrid->setRows(lines_.count());
  renderRow(row);
  setAfresh(txtBar, {});
  refreshTotal();
  display_.lineAdded(price, lines_.total());
  FGrid->setRow(row);
  FGrid->scrollToRow(row);
  nextQty_ = 1;
}

void MainForm::ChkSearch(const QString& text) {
  data::tellOnFailure(
      [&] { showIdList(ListPName, [&](const IdNameRow& row) { eachProductNamed(text, row); }); });
}

void MainForm::txtBar_Click() {
  if (ListPName->isHidden()) {
    ListPName->show();
    ListPName->raise();
    const std::optional<CodeEntry> entry = parseCodeEntry(txtBar->text());
    ChkSearch(entry ? entry->code : txtBar->text());
  } else {
    ListPName->hide();
  }
  txtBar->setFocus();
}

void MainForm::ListPName_DblClick() {
  ListPName->hide();
  if (const plat::NameItem* item = ListPName->currentItem()) {
    txtBar->setText(item->data(Qt::UserRole).toString());
    int enter = plat::Enter;
    txtBar_KeyPress(enter);
  }
  txtBar->setFocus();
}

void MainForm::ListPName_KeyPress(int& keyAscii) {
  if (keyAscii == plat::Esc) {
    // The search is given up: its quantity goes with it.
    nextQty_ = 1;
    ListPName->hide();
    txtBar->setFocus();
  } else if (keyAscii == plat::Enter) {
    ListPName_DblClick();
  }
}

void MainForm::openPicker() {
  auto& reg = plat::FormRegistry::instance();
  if (!reg.has(QStringLiteral("SellForm"))) return;
  reg.show(QStringLiteral("SellForm"));
  setEnabled(false);
}

void MainForm::cmdMenu_Click() { openPicker(); }

void MainForm::FGrid_Click() {
  const int row = FGrid->Row();
  if (row < 0 || row >= lines_.count()) return;
  auto& reg = plat::FormRegistry::instance();
  if (!reg.has(QStringLiteral("MEditPriceQ"))) return;
  data::tellOnFailure([&] {
    const std::optional<data::Product> p = data::productByCode(lines_.at(row).code);
    state_.editStock = p ? p->Quantity : 0;
    renderState();
    plat::Form* editor = reg.form(QStringLiteral("MEditPriceQ"));
    if (!editor) return;
    editor->setWindowTitle(lines_.at(row).name);
    reg.show(QStringLiteral("MEditPriceQ"));
    setEnabled(false);
  });
}

void MainForm::FGrid_KeyPress(int& keyAscii) {
  if (keyAscii == plat::Enter) FGrid_Click();
}

// ---- The customer

void MainForm::clearCustomer() {
  txtCus->clear();
  txtCusName->clear();
  cusName_.clear();
  cusLine1_.clear();
  cusLine2_.clear();
}

void MainForm::txtCus_KeyPress(int& keyAscii) {
  if (keyAscii != plat::Enter) return;
  ListCusId->clear();
  data::tellOnFailure([&] {
    const std::optional<data::Customer> c = data::customerById(txtCus->text());
    if (c) {
      txtCusName->setText(c->CompanyName);
      cusLine1_ = c->ContactTitle;
      cusLine2_ = c->Fax;
      state_.priceLevel = c->Discount;
      renderState();
      cusName_ = txtCusName->text();
      txtBar->setFocus();
    } else {
      fillCustomerList();
    }
  });
}

void MainForm::txtCusName_Change() {
  data::tellOnFailure([&] {
    if (const std::optional<data::Customer> c = data::customerById(txtCus->text())) {
      state_.priceLevel = c->Discount;
      renderState();
    }
  });
}

void MainForm::fillCustomerList() {
  ListCusId->clear();
  showIdList(ListCusId, [](const IdNameRow& row) { data::eachCustomerName(row); });
}

void MainForm::cmdBrowse_Click() {
  data::tellOnFailure([&] { fillCustomerList(); });
}

void MainForm::ListCusId_DblClick() {
  ListCusId->hide();
  const plat::NameItem* item = ListCusId->currentItem();
  if (!item) return;
  const QString id = item->data(Qt::UserRole).toString();
  data::tellOnFailure([&] {
    const std::optional<data::Customer> c = data::customerById(id);
    txtCus->setText(c ? c->CustomerId : id);
    txtCusName->setText(c ? c->CompanyName : item->text().mid(id.size() + 1));
    cusLine1_ = c ? c->ContactTitle : QString();
    cusLine2_ = c ? c->Fax : QString();
    cusName_ = txtCusName->text();
  });
  txtBar->setFocus();
}

void MainForm::ListCusId_KeyPress(int& keyAscii) {
  if (keyAscii == plat::Enter) ListCusId_DblClick();
}

void MainForm::ListCusId_LostFocus() { ListCusId->hide(); }

bool MainForm::checkCustomer(QString* customerId) {
  customerId->clear();
  if (txtCus->text().isEmpty() && txtCusName->text().isEmpty()) return true;
  std::optional<QString> id;
  if (!data::tellOnFailure([&] { id = data::customerIdWithName(txtCus->text(), txtCusName->text()); }))
    return false;
  if (id) {
    *customerId = *id;
    return true;
  }
  plat::dialogs().message(
      shell::L(QStringLiteral("ข้อมูลลูกค้าไม่ถูกต้อง"), QStringLiteral("Input Customer Data Again")));
  clearCustomer();
  txtCus->setFocus();
  return false;
}

// ---- Payment

void MainForm::enterPaymentState() {
  paying_ = true;
  for (QPushButton* b : cashButtons()) b->setEnabled(true);
  for (QWidget* w : std::initializer_list<QWidget*>{FGrid, txtBar, cmdPay, cmdMenu}) w->setEnabled(false);
  cmdClear->setEnabled(true);
}

void MainForm::enterEntryState() {
  paying_ = false;
  for (QPushButton* b : cashButtons()) b->setEnabled(false);
  for (QWidget* w : std::initializer_list<QWidget*>{FGrid, txtBar, cmdClear, cmdMenu}) w->setEnabled(true);
  cmdPay->setEnabled(plat::toSatang(lines_.total()) != 0);
  txtBar->setFocus();
}

void MainForm::cmdPay_Click() {
  QString customerId;
  if (!checkCustomer(&customerId)) return;
  const double total = plat::toSatang(lines_.total()) / 100.0;
  txtTotal->setText(plat::fmtMoney(total));
  txtTax->setText(plat::fmtMoney(vatOf(total, shell::settings().VatRate)));
  enterPaymentState();
  txtPay->selectAll();
  txtPay->setFocus();
  // Receive stays pressable while there is a total, also during payment: it comes back once this
  // press is over, and pressing it again repeats these steps.
  QMetaObject::invokeMethod(
      this,
      [this] {
        if (plat::toSatang(lines_.total()) != 0) cmdPay->setEnabled(true);
      },
      Qt::QueuedConnection);
}

void MainForm::cashButton_Click(QPushButton* button) {
  struct Kind {
    QPushButton* button;
    double amount;
    bool fullNumber;
  };
  const Kind kinds[] = {{cmd05, 0.5, true},   {cmd1, 1, true},      {cmd025, 5, true},
                        {cmd10, 10, false},   {cmd20, 20, false},   {cmd50, 50, false},
                        {cmd100, 100, false}, {cmd500, 500, false}, {cmd1000, 1000, false}};
  for (const Kind& k : kinds) {
    if (k.button != button) continue;
    const std::optional<QString> text = afterCashButton(txtPay->text(), k.amount, k.fullNumber);
    if (!text) return;
    txtPay->setText(*text);
    if (button == cmd500) cmdReceive->setEnabled(true);
    if (covers(txtPay->text(), lines_.total())) {
      cmdReceive->setEnabled(true);
      cmdBillInvoid->setEnabled(true);
    }
    return;
  }
}

void MainForm::cmdC_Click() {
  txtPay->setText(QStringLiteral("0"));
  cmdReceive->setEnabled(false);
  cmdBillInvoid->setEnabled(false);
}

void MainForm::txtPay_KeyPress(int& keyAscii) {
  if (!payKeyPasses(keyAscii)) {
    keyAscii = 0;
    return;
  }
  if (keyAscii == plat::Esc) {
    enterEntryState();
    keyAscii = 0;
  } else if (keyAscii == plat::Enter) {
    keyAscii = 0;
    if (refuseTooBigTender()) return;
    if (covers(txtPay->text(), lines_.total())) cmdBillInvoid->setEnabled(true);
    cmdReceive->setEnabled(true);
    cmdReceive->setFocus();
  }
}

bool MainForm::refuseTooBigTender() {
  if (!tenderTooBig(txtPay->text())) return false;
  const QString ceiling = plat::fmtMoney(kMaxAmount);
  plat::dialogs().message(shell::L(QStringLiteral("จำนวนเงินที่รับต้องไม่เกิน ") + ceiling,
                                   QStringLiteral("The amount received cannot be more than ") + ceiling));
  cmdReceive->setEnabled(false);
  txtPay->selectAll();
  txtPay->setFocus();
  return true;
}

void MainForm::cmdReceive_Click() {
  if (lines_.empty()) return;
  // The total and its VAT as the lines stand now, whatever the boxes showed.
  const qint64 totalSatang = plat::toSatang(lines_.total());
  const double total = totalSatang / 100.0;
  txtTotal->setText(plat::fmtMoney(total));
  txtTax->setText(plat::fmtMoney(vatOf(total, shell::settings().VatRate)));
  if (refuseTooBigTender()) return;

  const std::optional<qint64> change = changeSatang(txtPay->text(), total);
  txtCash->setText(change ? plat::plainNumber(*change / 100.0) : QString());
  if (!change || *change < 0) {
    plat::dialogs().message(shell::L(QStringLiteral("รับเงินไม่ครบ"), QStringLiteral("Pay Again")));
    setAfresh(txtPay, txtPay->text());
    txtPay->selectAll();
    txtPay->setFocus();
    cmdReceive->setEnabled(false);
    return;
  }
  QString customerId;
  if (!checkCustomer(&customerId)) return;
  const bool customerSale = !txtCusName->text().isEmpty();
  const double pay = *tendered(txtPay->text());

  Posting posting;
  for (const SaleLine& l : lines_.all()) posting.lines.push_back({l.code, l.quantity, l.unitPrice, l.time});
  posting.customerId = customerSale ? customerId : QString();
  posting.employee = state_.employee;
  posting.received = pay;
  const QDate day = plat::today();
  qint64 billNo = 0;
  try {
    billNo = postBill(posting, day, shell::settings().BillNoContinue);
  } catch (const MissingLotError&) {
    // Nothing was posted; the lines stay so the cashier can take the one without stock away.
    plat::dialogs().message(QStringLiteral("Error in Stock and Buying lot not the same"));
    enterEntryState();
    return;
  } catch (const data::DbError& e) {
    // Nothing was posted; the sale stays on screen to be finished again.
    plat::dialogs().message(
        e.busy()
            ? shell::L(QStringLiteral("ฐานข้อมูลกำลังถูกใช้งานโดยเครื่องอื่น บิลนี้ยังไม่ได้บันทึก โปรดกดรับเงินอีกครั้ง"),
                       QStringLiteral("The database is busy: another till is writing to it. The bill was not "
                                      "posted; please finish it again."))
            : shell::L(QStringLiteral("บันทึกบิลไม่ได้ บิลนี้ยังไม่ได้บันทึก: "),
                       QStringLiteral("The bill was not posted: ")) +
                  e.text());
    return;
  }
  curBillNo_ = print::billNoText(billNo);

  const print::SaleDocument doc = saleDocument(billNo);

  if (customerSale) {
    txtCus->clear();
    txtCusName->clear();
  }
  try {
    print::printSale(doc);
  } catch (const std::exception& e) {
    // The bill is posted; a receipt that failed is told and the sale goes on to its end.
    plat::dialogs().message(QString::fromLocal8Bit(e.what()));
  }
  if (drawerPort_ != 0) {
    QString error;
    if (!kickDrawer(drawerPort_, &error)) showPortError();
  }
  display_.finished(pay, *change / 100.0);
  txtShowCash->setText(plat::fmtMoney(*change / 100.0));
  FrameCash->show();
  FrameCash->raise();
  plat::dialogs().message(shell::L(QStringLiteral("เริ่มใหม่"), QStringLiteral("Finish")));
  txtShowCash->clear();
  FrameCash->hide();
  cmdPay->setEnabled(false);
  cmdReceive->setEnabled(false);
  txtBar->setEnabled(true);
  resetSale(true);
}

void MainForm::cmdClear_Click() { resetSale(false); }

void MainForm::cmdBillInvoid_Click() { print::cmdBillInvoid_Click(saleDocument(0)); }

void MainForm::BillInvoidA6() {
  qint64 billNo = 0;
  if (!data::tellOnFailure([&] { billNo = nextBillNo(plat::today(), shell::settings().BillNoContinue); }))
    return;
  curBillNo_ = QString::number(billNo);
  print::BillInvoidA6(saleDocument(billNo));
}

print::SaleDocument MainForm::saleDocument(qint64 billNo) {
  const double total = plat::toSatang(lines_.total()) / 100.0;
  print::SaleDocument doc;
  for (const SaleLine& l : lines_.all())
    doc.lines.push_back({l.name, l.quantity, l.unitPrice, l.amount(), l.code});
  doc.total = total;
  doc.tax = vatOf(total, shell::settings().VatRate);
  doc.pay = tendered(txtPay->text()).value_or(0);
  doc.totalText = txtTotal->text();
  doc.taxText = txtTax->text();
  doc.payText = txtPay->text();
  doc.employee = state_.employee;
  doc.billNo = billNo;
  doc.billDate = plat::today().toString(QStringLiteral("dd/MM/yyyy"));
  doc.customerName = cusName_;
  doc.customerLine1 = cusLine1_;
  doc.customerLine2 = cusLine2_;
  // A receipt that shows an amount formatted shows it so in the box too, while the change is shown.
  doc.setPayText = [this](const QString& t) { txtPay->setText(t); };
  doc.setTotalText = [this](const QString& t) { txtTotal->setText(t); };
  doc.setTaxText = [this](const QString& t) { txtTax->setText(t); };
  doc.disableTaxInvoice = [this] { cmdBillInvoid->setEnabled(false); };
  doc.focusFinish = [this] { cmdReceive->setFocus(); };
  return doc;
}

void MainForm::resetSale(bool afterFinish) {
  if (afterFinish)
    display_.reset();
  else
    display_.clear();
  lines_.clear();
  FGrid->setEnabled(true);
  renderAll();
  for (QLineEdit* b : {txtTotal, txtTax, txtPay, txtCash}) b->setText(QStringLiteral("0"));
  clearCustomer();
  state_.priceLevel = QStringLiteral("0");
  renderState();
  for (QPushButton* b : cashButtons()) b->setEnabled(false);
  for (QPushButton* b : {cmdBillInvoid, cmdReceive, cmdPay, cmdCancel}) b->setEnabled(false);
  for (QWidget* w : std::initializer_list<QWidget*>{cmdClear, cmdMenu, txtBar}) w->setEnabled(true);
  paying_ = false;
  txtBar->setFocus();
}

// ---- Keys

bool MainForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    int k = plat::keyAsciiOf(static_cast<QKeyEvent*>(event));
    if (k < 0) return plat::Form::eventFilter(watched, event);
    if (watched == txtBar)
      txtBar_KeyPress(k);
    else if (watched == txtPay)
      txtPay_KeyPress(k);
    else if (watched == txtCus)
      txtCus_KeyPress(k);
    else if (watched == ListCusId)
      ListCusId_KeyPress(k);
    else if (watched == ListPName)
      ListPName_KeyPress(k);
    else if (watched == FGrid)
      FGrid_KeyPress(k);
    else
      return plat::Form::eventFilter(watched, event);
    return k == 0;
  }
  if (event->type() == QEvent::MouseButtonRelease && watched == txtBar &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && txtBar->isEnabled()) {
    txtBar_Click();
  }
  if (event->type() == QEvent::FocusOut && watched == ListCusId) {
    const Qt::FocusReason why = static_cast<QFocusEvent*>(event)->reason();
    if (why != Qt::ActiveWindowFocusReason && why != Qt::PopupFocusReason) ListCusId_LostFocus();
  }
  return plat::Form::eventFilter(watched, event);
}

}  // namespace sale
