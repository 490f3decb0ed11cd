#include "stock/addf.h"

#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <initializer_list>

#include "data/db.h"
#include "platform/dialogs.h"
#include "platform/flexgrid.h"
#include "platform/keys.h"
#include "platform/units.h"
#include "shell/lang.h"

namespace stock {

namespace {
const QString kEditEn = QStringLiteral("Edit");
const QString kEditTh = QStringLiteral("แก้ไข");
const QString kSaveEn = QStringLiteral("Save");
const QString kSaveTh = QStringLiteral("บันทึก");
const QString kAllEn = QStringLiteral("All Category");
const QString kAllTh = QStringLiteral("สินค้าทุกหมวด");

constexpr int kBoxHeight = 315;

void paintBackground(QWidget* w) {
  QPalette p = w->palette();
  p.setColor(QPalette::Window, plat::formBackground());
  w->setPalette(p);
  w->setAutoFillBackground(true);
}

QGroupBox* frame(QWidget* parent, const char* name, const QRect& r) {
  auto* f = new QGroupBox(parent);
  f->setObjectName(QString::fromLatin1(name));
  f->setGeometry(r);
  paintBackground(f);
  return f;
}

QLabel* label(QWidget* parent, const char* name, const QString& caption, const QRect& r) {
  auto* l = new QLabel(caption, parent);
  l->setObjectName(QString::fromLatin1(name));
  l->setGeometry(r);
  QPalette p = l->palette();
  p.setColor(QPalette::WindowText, Qt::white);
  l->setPalette(p);
  QFont f = l->font();
  f.setBold(true);
  l->setFont(f);
  return l;
}

// Text and combo boxes wear the system's tooltip colour.
void infoColour(QWidget* w) {
  QPalette p = w->palette();
  p.setColor(QPalette::Base, p.color(QPalette::ToolTipBase));
  p.setColor(QPalette::Text, p.color(QPalette::ToolTipText));
  w->setPalette(p);
}

QLineEdit* box(QWidget* parent, const char* name, const QRect& r, const QString& design = {}) {
  auto* b = new QLineEdit(design, parent);
  b->setObjectName(QString::fromLatin1(name));
  b->setGeometry(r);
  infoColour(b);
  return b;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption, const QRect& r) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(QString::fromLatin1(name));
  b->setGeometry(r);
  b->setAutoDefault(true);  // Enter on a focused button presses it
  return b;
}

}  // namespace

AddF::AddF(QWidget* parent) : plat::Form(parent) {
  setFont(plat::captionFont());
  setWindowTitle(QString());
  paintBackground(this);

  CmdCate = button(this, "CmdCate", QStringLiteral("Category Editor"), plat::twipsRect(120, 120, 2600, 420));
  cmdPro = button(this, "cmdPro", QStringLiteral("Product Editor"), plat::twipsRect(8900, 120, 2600, 420));

  Frame2 = frame(this, "Frame2", plat::twipsRect(120, 600, 11400, 3900));
  lblCate =
      label(Frame2, "lblCate", QStringLiteral("Category/Product"), plat::twipsRect(120, 270, 1800, 285));
  Comcate2 = new QComboBox(Frame2);
  Comcate2->setObjectName(QStringLiteral("Comcate2"));
  Comcate2->setGeometry(plat::twipsRect(1980, 220, 4200, kBoxHeight));
  Comcate2->setEditable(true);
  // Enter searches for the typed text; it never adds the text as an item or completes it.
  Comcate2->setInsertPolicy(QComboBox::NoInsert);
  Comcate2->setCompleter(nullptr);
  infoColour(Comcate2);
  lblPid = label(Frame2, "lblPid", QStringLiteral("Product ID"), plat::twipsRect(120, 660, 1500, 285));
  lblDesc = label(Frame2, "lblDesc", QStringLiteral("Product Name"), plat::twipsRect(1620, 660, 2300, 285));
  lblPrice = label(Frame2, "lblPrice", QStringLiteral("Sell Price"), plat::twipsRect(3920, 660, 800, 285));
  lblQuantity =
      label(Frame2, "lblQuantity", QStringLiteral("Quantity"), plat::twipsRect(4720, 660, 800, 285));
  lblProNoun = label(Frame2, "lblProNoun", QStringLiteral("Pronoun"), plat::twipsRect(5520, 660, 850, 285));
  lblCateID = label(Frame2, "lblCateID", QStringLiteral("Category ID"), plat::twipsRect(120, 660, 1500, 285));
  lblCateName =
      label(Frame2, "lblCateName", QStringLiteral("Category Name"), plat::twipsRect(1620, 660, 5000, 285));
  lblCateID->hide();
  lblCateName->hide();

  FGrid = new plat::FlexGrid(Frame2);
  FGrid->setObjectName(QStringLiteral("FGrid"));
  FGrid->setGeometry(plat::twipsRect(120, 960, 11160, 2820));
  FGrid->setFixedRows(0);
  FGrid->setRows(0);
  FGrid->setCols(11);
  FGrid1 = new plat::FlexGrid(Frame2);
  FGrid1->setObjectName(QStringLiteral("FGrid1"));
  FGrid1->setGeometry(plat::twipsRect(120, 960, 11160, 2820));
  FGrid1->setFixedRows(0);
  FGrid1->setRows(0);
  FGrid1->setCols(3);

  Frame1 = frame(this, "Frame1", plat::twipsRect(120, 4600, 11400, 2460));
  LabelPid = label(Frame1, "LabelPid", QStringLiteral("Product ID"), plat::twipsRect(120, 270, 1600, 285));
  txtBar = box(Frame1, "txtBar", plat::twipsRect(1800, 240, 2000, kBoxHeight));
  Label3 = label(Frame1, "Label3", QStringLiteral("Category Id"), plat::twipsRect(4000, 270, 1600, 285));
  ComCate = new QComboBox(Frame1);
  ComCate->setObjectName(QStringLiteral("ComCate"));
  ComCate->setGeometry(plat::twipsRect(5700, 240, 3000, kBoxHeight));
  infoColour(ComCate);
  txtCate = box(Frame1, "txtCate", plat::twipsRect(5700, 240, 3000, kBoxHeight));
  LabelPro = label(Frame1, "LabelPro", QStringLiteral("Product Name"), plat::twipsRect(120, 690, 1600, 285));
  txtName = box(Frame1, "txtName", plat::twipsRect(1800, 660, 6900, kBoxHeight));
  LabelCate =
      label(Frame1, "LabelCate", QStringLiteral("Category Name"), plat::twipsRect(120, 690, 1600, 285));
  txtcateName = box(Frame1, "txtcateName", plat::twipsRect(1800, 660, 6900, kBoxHeight));
  LabelPrice =
      label(Frame1, "LabelPrice", QStringLiteral("Price 1 / 2 / 3"), plat::twipsRect(120, 1110, 1600, 285));
  txtPrice = box(Frame1, "txtPrice", plat::twipsRect(1800, 1080, 1200, kBoxHeight), QStringLiteral("0"));
  txtPrice1 = box(Frame1, "txtPrice1", plat::twipsRect(3100, 1080, 1200, kBoxHeight), QStringLiteral("0"));
  txtPrice2 = box(Frame1, "txtPrice2", plat::twipsRect(4400, 1080, 1200, kBoxHeight), QStringLiteral("0"));
  LabelNoun = label(Frame1, "LabelNoun", QStringLiteral("Unit"), plat::twipsRect(5800, 1110, 1000, 285));
  txtNoun = box(Frame1, "txtNoun", plat::twipsRect(6900, 1080, 1800, kBoxHeight));
  LabelPoOrder =
      label(Frame1, "LabelPoOrder", QStringLiteral("Point Of Order"), plat::twipsRect(120, 1530, 1600, 285));
  txtPoOrder = box(Frame1, "txtPoOrder", plat::twipsRect(1800, 1500, 1200, kBoxHeight), QStringLiteral("0"));

  cmdAdd = button(Frame1, "cmdAdd", QStringLiteral("Insert"), plat::twipsRect(1800, 1920, 1200, 420));
  cmdEdit = button(Frame1, "cmdEdit", kEditEn, plat::twipsRect(3100, 1920, 1200, 420));
  cmdDel = button(Frame1, "cmdDel", QStringLiteral("Delete"), plat::twipsRect(4400, 1920, 1200, 420));
  cmdCancel = button(Frame1, "cmdCancel", QStringLiteral("Cancel"), plat::twipsRect(5700, 1920, 1200, 420));
  cmdClose = button(Frame1, "cmdClose", QStringLiteral("Close"), plat::twipsRect(7000, 1920, 1200, 420));
  cmdDel->setEnabled(false);

  for (QWidget* w : std::initializer_list<QWidget*>{ComCate, txtBar, txtName, txtPrice, txtPrice1, txtPrice2,
                                                    txtNoun, txtPoOrder, txtCate, txtcateName})
    w->installEventFilter(this);
  // Keys reach the chooser itself while it has the focus, and its edit line when typed into.
  Comcate2->installEventFilter(this);
  Comcate2->lineEdit()->installEventFilter(this);

  connect(CmdCate, &QPushButton::clicked, this, &AddF::CmdCate_Click);
  connect(cmdPro, &QPushButton::clicked, this, &AddF::cmdPro_Click);
  connect(Comcate2, &QComboBox::activated, this, [this](int) { Comcate2_Click(); });
  connect(FGrid, &plat::FlexGrid::cellClicked, this, [this](int, int) { FGrid_Click(); });
  connect(FGrid1, &plat::FlexGrid::cellClicked, this, [this](int, int) { FGrid1_Click(); });
  connect(cmdAdd, &QPushButton::clicked, this, &AddF::cmdAdd_Click);
  connect(cmdEdit, &QPushButton::clicked, this, &AddF::cmdEdit_Click);
  connect(cmdDel, &QPushButton::clicked, this, &AddF::cmdDel_Click);
  connect(cmdCancel, &QPushButton::clicked, this, &AddF::cmdCancel_Click);
  connect(cmdClose, &QPushButton::clicked, this, &AddF::cmdClose_Click);
}

QSize AddF::sizeHint() const { return QSize(plat::twipsToPx(11640), plat::twipsToPx(7180)); }

void AddF::Form_Load() {
  resize(sizeHint());
  FGrid->setColWidth(0, 1500);
  FGrid->setColWidth(1, 2300);
  FGrid->setColWidth(2, 800);
  FGrid->setColWidth(3, 800);
  FGrid->setColWidth(4, 850);
  FGrid->setColWidth(5, 1500);
  FGrid1->setColWidth(0, 1500);
  FGrid1->setColWidth(1, 5000);
  FGrid1->setColWidth(2, 1000);
  if (shell::thai()) setThaiCaptions();
  plat::fitCaptions(this);
  productMode_ = true;
  showProductControls(true);
  try {
    QueryCate();
  } catch (const data::DbError& e) {
    tell(e.text());
  }
  fillChooser();
}

void AddF::setThaiCaptions() {
  CmdCate->setText(QStringLiteral("ตัวแก้ไขข้อมูลหมวดสินค้า"));
  cmdPro->setText(QStringLiteral("ตัวแก้ไขข้อมูลสินค้า"));
  lblCate->setText(QStringLiteral("หมวดสินค้า/สินค้า"));
  lblPid->setText(QStringLiteral("รหัสสินค้า"));
  lblDesc->setText(QStringLiteral("ชื่อสินค้า"));
  lblPrice->setText(QStringLiteral("ราคาขาย"));
  lblQuantity->setText(QStringLiteral("จำนวน"));
  lblProNoun->setText(QStringLiteral("หน่วย"));
  lblCateID->setText(QStringLiteral("รหัสหมวดสินค้า"));
  lblCateName->setText(QStringLiteral("ชื่อหมวดสินค้า"));
  LabelPid->setText(QStringLiteral("รหัสสินค้า"));
  Label3->setText(QStringLiteral("รหัสหมวดสินค้า"));
  LabelPro->setText(QStringLiteral("ชื่อสินค้า"));
  LabelCate->setText(QStringLiteral("ชื่อหมวดสินค้า"));
  LabelPrice->setText(QStringLiteral("ราคา 1 / 2 / 3"));
  LabelNoun->setText(QStringLiteral("หน่วยนับ"));
  LabelPoOrder->setText(QStringLiteral("จุดสั่งซื้อ"));
  cmdAdd->setText(QStringLiteral("เพิ่ม"));
  cmdEdit->setText(kEditTh);
  cmdDel->setText(QStringLiteral("ลบ"));
  cmdCancel->setText(QStringLiteral("ยกเลิก"));
  cmdClose->setText(QStringLiteral("ปิด"));
}

void AddF::showProductControls(bool product) {
  for (QWidget* w : std::initializer_list<QWidget*>{
           ComCate,    txtBar,   txtName,  txtPrice,   txtPrice1,   txtPrice2,    txtNoun,
           txtPoOrder, LabelPid, LabelPro, LabelPrice, LabelNoun,   LabelPoOrder, Comcate2,
           lblCate,    lblPid,   lblDesc,  lblPrice,   lblQuantity, lblProNoun,   FGrid})
    w->setVisible(product);
  for (QWidget* w :
       std::initializer_list<QWidget*>{txtCate, txtcateName, LabelCate, lblCateID, lblCateName, FGrid1})
    w->setVisible(!product);
}

void AddF::tell(const QString& text) { plat::dialogs().message(text, QString()); }

void AddF::setEditing(bool on) {
  editing_ = on;
  cmdAdd->setEnabled(!on);
  cmdEdit->setText(on ? shell::L(kSaveTh, kSaveEn) : shell::L(kEditTh, kEditEn));
  plat::fitCaptions(cmdEdit);
  cmdDel->setEnabled(on);
}

void AddF::focusAll(QWidget* w) {
  w->setFocus();
  if (auto* b = qobject_cast<QLineEdit*>(w)) b->selectAll();
}

void AddF::clearGrid(plat::FlexGrid* g) { g->setRows(0); }

void AddF::addRows(QVector<GridRow>& rows) {
  // All rows in one step, cell texts as they are (a Tab inside a name stays in its cell).
  const int first = FGrid->Rows();
  QVector<QStringList> cells;
  QVector<QVariant> keys;
  cells.reserve(rows.size());
  keys.reserve(rows.size());
  for (GridRow& row : rows) {
    cells.push_back(std::move(row.cells));
    keys.push_back(row.heading ? QVariant() : QVariant(row.key));
  }
  rows.clear();
  FGrid->appendRows(std::move(cells));
  FGrid->setColumnData(first, 0, KeyRole, keys);
}

void AddF::addAllCategoryRows() {
  // A few thousand rows at a time: every product's row is held once, in the grid, not also in a
  // list of all of them.
  constexpr int kBatch = 4096;
  CategoryGrouping grouping;
  QVector<GridRow> batch;
  batch.reserve(kBatch + 1);
  data::eachProductByCategory([&](const data::ListedProduct& lp) {
    grouping.add(lp, batch);
    if (batch.size() >= kBatch) addRows(batch);
  });
  addRows(batch);
}

void AddF::emptyBoxes() {
  txtBar->clear();
  txtName->clear();
  txtNoun->clear();
  txtCate->clear();
  txtcateName->clear();
  txtPrice->setText(QStringLiteral("0"));
  txtPrice1->setText(QStringLiteral("0"));
  txtPrice2->setText(QStringLiteral("0"));
  txtPoOrder->setText(QStringLiteral("0"));
  ComCate->setCurrentIndex(-1);
}

void AddF::QueryCate() {
  categories_ = data::allCategories();
  ComCate->clear();
  for (const data::Category& c : categories_) ComCate->addItem(data::categoryText(c), c.CateID);
  ComCate->setCurrentIndex(-1);
}

void AddF::QueryCate1() {
  clearGrid(FGrid1);
  try {
    categories_ = data::allCategories();
  } catch (const data::DbError& e) {
    tell(e.text());
    return;
  }
  for (const data::Category& c : categories_) {
    const int r = FGrid1->Rows();
    FGrid1->setRows(r + 1);
    FGrid1->setTextMatrix(r, 0, c.CateID);
    FGrid1->setTextMatrix(r, 1, c.CateName);
    FGrid1->setTextMatrix(r, 2, QString());
    FGrid1->setCellData(r, 0, KeyRole, c.CateID);
  }
}

// The list chooser: "All Category", then every category of the last category query.
void AddF::fillChooser() {
  Comcate2->clear();
  Comcate2->addItem(shell::L(kAllTh, kAllEn));
  Comcate2->setItemData(0, true, AllRole);
  for (const data::Category& c : categories_) {
    Comcate2->addItem(data::categoryChooserText(c), c.CateID);
    Comcate2->setItemData(Comcate2->count() - 1, c.CateName, NameRole);
  }
  Comcate2->setCurrentIndex(-1);
  Comcate2->clearEditText();
}

void AddF::cmdPro_Click() {
  cmdCancel_Click();
  txtPrice->setText(QStringLiteral("0"));
  txtPrice1->setText(QStringLiteral("0"));
  txtPrice2->setText(QStringLiteral("0"));
  txtPoOrder->setText(QStringLiteral("0"));
  ComCate->clear();
  showProductControls(true);
  productMode_ = true;
  try {
    QueryCate();
  } catch (const data::DbError& e) {
    tell(e.text());
  }
  fillChooser();
  txtBar->setFocus();
}

void AddF::CmdCate_Click() {
  cmdCancel_Click();
  showProductControls(false);
  productMode_ = false;
  QueryCate1();
  txtCate->setFocus();
}

void AddF::Comcate2_Click() {
  const int i = Comcate2->currentIndex();
  if (i < 0) return;
  clearGrid(FGrid);
  try {
    if (Comcate2->itemData(i, AllRole).toBool()) {
      addAllCategoryRows();
    } else {
      const QString id = Comcate2->itemData(i, KeyRole).toString();
      addRows(oneCategoryRows(data::productsOfCategory(id), id, Comcate2->itemData(i, NameRole).toString()));
    }
  } catch (const data::DbError& e) {
    clearGrid(FGrid);  // no half list from a read that failed part way
    tell(e.text());
  }
}

void AddF::Comcate2_KeyPress(int& KeyAscii) {
  clearGrid(FGrid);
  if (KeyAscii != 13) return;
  try {
    addRows(searchRows(data::searchProducts(Comcate2->currentText().trimmed())));
  } catch (const data::DbError& e) {
    tell(e.text());
  }
}

void AddF::FGrid_Click() {
  const int r = FGrid->Row();
  const int c = FGrid->Col();
  if (r < 0 || c < 0 || r >= FGrid->Rows()) return;
  if (FGrid->TextMatrix(r, c).isEmpty()) return;
  const QVariant key = FGrid->cellData(r, 0, KeyRole);
  if (!key.isValid()) return;  // a category heading
  txtBar->setText(FGrid->TextMatrix(r, 0));
  txtName->setText(FGrid->TextMatrix(r, 1));
  txtPrice->setText(FGrid->TextMatrix(r, 2));
  txtNoun->setText(FGrid->TextMatrix(r, 4));
  // A row listed before its category changed or went away selects nothing.
  ComCate->setCurrentIndex(ComCate->findData(FGrid->TextMatrix(r, 5), KeyRole, Qt::MatchFixedString));
  txtPrice1->setText(FGrid->TextMatrix(r, 6));
  txtPrice2->setText(FGrid->TextMatrix(r, 7));
  txtPoOrder->setText(FGrid->TextMatrix(r, 8));
  pickedKey_ = key.toString();
  if (!editing()) cmdEdit_Click();
  focusAll(txtBar);
}

void AddF::FGrid1_Click() {
  const int r = FGrid1->Row();
  const int c = FGrid1->Col();
  if (r < 0 || c < 0 || r >= FGrid1->Rows()) return;
  if (FGrid1->TextMatrix(r, c).isEmpty()) return;
  const QVariant key = FGrid1->cellData(r, 0, KeyRole);
  if (!key.isValid()) return;
  txtCate->setText(FGrid1->TextMatrix(r, 0));
  txtcateName->setText(FGrid1->TextMatrix(r, 1));
  pickedKey_ = key.toString();
  if (!editing()) cmdEdit_Click();
  focusAll(txtCate);
}

ProductEntry AddF::productEntry() const {
  ProductEntry e;
  e.code = txtBar->text();
  e.name = txtName->text();
  e.price = txtPrice->text();
  e.price1 = txtPrice1->text();
  e.price2 = txtPrice2->text();
  e.noun = txtNoun->text();
  e.poOrder = txtPoOrder->text();
  if (ComCate->currentIndex() >= 0) e.cid = ComCate->currentData(KeyRole).toString();
  return e;
}

bool AddF::refused(const EntryCheck& check) {
  switch (check.verdict) {
    case EntryCheck::Verdict::Ok:
      return false;
    case EntryCheck::Verdict::EmptyField:
      return true;
    case EntryCheck::Verdict::NoCategory:
      tell(shell::L(QStringLiteral("กรุณาเลือกหมวดสินค้า"), QStringLiteral("Select Category")));
      ComCate->setFocus();
      return true;
    case EntryCheck::Verdict::BadNumber: {
      if (check.badField == QLatin1String("txtPoOrder"))
        tell(shell::L(QStringLiteral("กรุณาใส่จุดสั่งซื้อเป็นตัวเลขจำนวนเต็ม"),
                      QStringLiteral("Enter the point of order as a whole number")));
      else
        tell(shell::L(QStringLiteral("กรุณาใส่ราคาเป็นตัวเลข"), QStringLiteral("Enter the price as a number")));
      if (auto* b = findChild<QLineEdit*>(check.badField)) focusAll(b);
      return true;
    }
  }
  return true;
}

namespace {
QString duplicateText(bool product) {
  return product
             ? shell::L(QStringLiteral("รหัสสินค้านี้มีอยู่แล้ว"), QStringLiteral("This Product ID already exists"))
             : shell::L(QStringLiteral("รหัสหมวดสินค้านี้มีอยู่แล้ว"),
                        QStringLiteral("This Category ID already exists"));
}
QString missingText(bool product) {
  return product ? shell::L(QStringLiteral("ไม่พบสินค้านี้"), QStringLiteral("Product not found"))
                 : shell::L(QStringLiteral("ไม่พบหมวดสินค้านี้"), QStringLiteral("Category not found"));
}
}  // namespace

bool AddF::wrote(data::KeyedWrite outcome) {
  switch (outcome) {
    case data::KeyedWrite::Done:
      return true;
    case data::KeyedWrite::EmptyKey:
      // An empty code or id is refused as an empty product box is: without a word.
      return false;
    case data::KeyedWrite::DuplicateKey:
      tell(duplicateText(productMode_));
      focusAll(productMode_ ? txtBar : txtCate);
      return false;
    case data::KeyedWrite::NotFound:
      tell(missingText(productMode_));
      return false;
  }
  return false;
}

void AddF::cmdAdd_Click() {
  data::KeyedWrite outcome = data::KeyedWrite::Done;
  if (productMode_) {
    const EntryCheck check = checkEntry(productEntry());
    if (refused(check)) return;
    try {
      outcome = data::insertProduct(check.product);
    } catch (const data::DbError& e) {
      tell(e.text());
      return;
    }
    if (!wrote(outcome)) return;
    txtBar->clear();
    txtName->clear();
    txtNoun->clear();
    txtPrice->setText(QStringLiteral("0"));
    txtPrice1->setText(QStringLiteral("0"));
    txtPrice2->setText(QStringLiteral("0"));
    txtPoOrder->setText(QStringLiteral("0"));
    txtBar->setFocus();
  } else {
    try {
      outcome = data::insertCategory({txtCate->text(), txtcateName->text()});
    } catch (const data::DbError& e) {
      tell(e.text());
      return;
    }
    if (!wrote(outcome)) return;
    txtCate->clear();
    txtcateName->clear();
    try {
      QueryCate();
    } catch (const data::DbError& e) {
      tell(e.text());
    }
    QueryCate1();
    txtCate->setFocus();
  }
  clearGrid(FGrid);
  Comcate2->setCurrentIndex(-1);
  Comcate2->clearEditText();
}

void AddF::cmdEdit_Click() {
  if (!editing()) {
    if (!pickedKey_.isEmpty()) {
      setEditing(true);
      return;
    }
    tell(productMode_ ? shell::L(QStringLiteral("กรุณาเลือกสินค้า"), QStringLiteral("Select Product"))
                      : shell::L(QStringLiteral("กรุณาเลือกหมวดสินค้า"), QStringLiteral("Select Category")));
    return;
  }
  if (productMode_)
    saveProduct();
  else
    saveCategory();
}

// A failed save tells why and stays in editing with the boxes as they are.
void AddF::saveProduct() {
  const EntryCheck check = checkEntry(productEntry());
  if (refused(check)) return;
  data::KeyedWrite outcome;
  try {
    outcome = data::updateProduct(pickedKey_, check.product);
  } catch (const data::DbError& e) {
    tell(e.text());
    return;
  }
  if (!wrote(outcome)) return;
  clearGrid(FGrid);
  leaveSavedEditing();
  txtBar->setFocus();
}

void AddF::saveCategory() {
  data::KeyedWrite outcome;
  try {
    outcome = data::updateCategory(pickedKey_, {txtCate->text(), txtcateName->text()});
  } catch (const data::DbError& e) {
    tell(e.text());
    return;
  }
  if (!wrote(outcome)) return;
  QueryCate1();
  leaveSavedEditing();
  txtCate->setFocus();
}

void AddF::leaveSavedEditing() {
  setEditing(false);
  emptyBoxes();
  Comcate2->setCurrentIndex(-1);
  Comcate2->clearEditText();
  cmdCancel_Click();
}

void AddF::cmdDel_Click() {
  const QString code = productMode_ ? txtBar->text() : txtCate->text();
  // The question is English whatever the language.
  if (plat::dialogs().askYesNo(QStringLiteral("Do you Want to Delete ") + code, QString())) {
    data::Removal outcome;
    try {
      outcome = productMode_ ? data::deleteProduct(code.trimmed()) : data::deleteCategory(code.trimmed());
    } catch (const data::DbError& e) {
      tell(e.text());
      return;
    }
    switch (outcome) {
      case data::Removal::Removed:
        if (productMode_) {
          clearGrid(FGrid);
          Comcate2->setCurrentIndex(-1);
          Comcate2->clearEditText();
          txtBar->setFocus();
        } else {
          QueryCate1();
          txtCate->setFocus();
        }
        break;
      case data::Removal::HasSales:
        tell(shell::L(QStringLiteral("ไม่สามารถลบได้เพราะมีข้อมูลการขาย"),
                      QStringLiteral("Database have sell data you can not delete")));
        break;
      case data::Removal::NotFound:
        tell(missingText(productMode_));
        break;
    }
  }
  cmdCancel_Click();
}

void AddF::cmdCancel_Click() {
  if (productMode_) {
    txtBar->show();
  } else {
    ComCate->hide();
    txtBar->hide();
    txtCate->show();
  }
  setEditing(false);
  emptyBoxes();
  // Leaving editing forgets the row, so a later Save can never rewrite it unseen.
  pickedKey_.clear();
  if (productMode_) txtBar->setFocus();
}

void AddF::cmdClose_Click() { unload(); }

void AddF::ComCate_KeyPress(int& KeyAscii) {
  if (KeyAscii == 13) focusAll(txtName);
}

void AddF::txtBar_KeyPress(int& KeyAscii) {
  KeyAscii = filterKey(KeyRule::NoStop, KeyAscii);
  if (KeyAscii == 13) ComCate->setFocus();
}

void AddF::txtName_KeyPress(int& KeyAscii) {
  KeyAscii = filterKey(KeyRule::NoStop, KeyAscii);
  if (KeyAscii == 13) focusAll(txtPrice);
}

void AddF::txtPrice_KeyPress(int& KeyAscii) {
  KeyAscii = filterKey(KeyRule::Price, KeyAscii);
  if (KeyAscii == 13) focusAll(txtPrice1);
}

void AddF::txtPrice1_KeyPress(int& KeyAscii) {
  KeyAscii = filterKey(KeyRule::Price, KeyAscii);
  if (KeyAscii == 13) focusAll(txtPrice2);
}

void AddF::txtPrice2_KeyPress(int& KeyAscii) {
  KeyAscii = filterKey(KeyRule::Price, KeyAscii);
  if (KeyAscii == 13) focusAll(txtNoun);
}

void AddF::txtNoun_KeyPress(int& KeyAscii) {
  if (KeyAscii == 13) focusAll(txtPoOrder);
}

void AddF::nextAfterEntry() {
  if (cmdAdd->isEnabled())
    cmdAdd->setFocus();
  else
    cmdEdit->setFocus();
}

void AddF::txtPoOrder_KeyPress(int& KeyAscii) {
  KeyAscii = filterKey(KeyRule::Digits, KeyAscii);
  if (KeyAscii == 13) nextAfterEntry();
}

void AddF::txtCate_KeyPress(int& KeyAscii) {
  KeyAscii = filterKey(KeyRule::NoStop, KeyAscii);
  if (KeyAscii == 13) focusAll(txtcateName);
}

void AddF::txtcateName_KeyPress(int& KeyAscii) {
  KeyAscii = filterKey(KeyRule::NoStop, KeyAscii);
  if (KeyAscii == 13) nextAfterEntry();
}

bool AddF::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return plat::Form::eventFilter(watched, event);
  auto* e = static_cast<QKeyEvent*>(event);
  int k = plat::keyAsciiOf(e);
  if (k < 0) return false;
  if (watched == Comcate2 || watched == Comcate2->lineEdit()) {
    Comcate2_KeyPress(k);
    return k == 13;  // the combo never acts on Enter itself
  }
  using Proc = void (AddF::*)(int&);
  const std::pair<QObject*, Proc> procs[] = {
      {ComCate, &AddF::ComCate_KeyPress},     {txtBar, &AddF::txtBar_KeyPress},
      {txtName, &AddF::txtName_KeyPress},     {txtPrice, &AddF::txtPrice_KeyPress},
      {txtPrice1, &AddF::txtPrice1_KeyPress}, {txtPrice2, &AddF::txtPrice2_KeyPress},
      {txtNoun, &AddF::txtNoun_KeyPress},     {txtPoOrder, &AddF::txtPoOrder_KeyPress},
      {txtCate, &AddF::txtCate_KeyPress},     {txtcateName, &AddF::txtcateName_KeyPress},
  };
  for (const auto& [w, proc] : procs) {
    if (w != watched) continue;
    (this->*proc)(k);
    // A dropped key never reaches the box; Enter has moved the focus on.
    return k == 0 || k == 13;
  }
  return false;
}

}  // namespace stock
