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
#include "data/tell_failure.h"
#include "platform/dialogs.h"
#include "platform/flexgrid.h"
#include "platform/keys.h"
#include "platform/units.h"
#include "shell/ceiling_message.h"
#include "shell/lang.h"
#include "stock/stock_lists.h"

namespace stock {

namespace {
const QString kEditEn = QStringLiteral("Edit");
const QString kEditTh = QStringLiteral("แก้ไข");
const QString kSaveEn = QStringLiteral("Save");
const QString kSaveTh = QStringLiteral("บันทึก");

void paintBackground(QWidget* w) {
  QPalette p = w->palette();
  p.setColor(QPalette::Window, plat::formBackground());
  w->setPalette(p);
  w->setAutoFillBackground(true);
}

// Text and combo boxes wear the system's tooltip colour.
void infoColour(QWidget* w) {
  QPalette p = w->palette();
  p.setColor(QPalette::Base, p.color(QPalette::ToolTipBase));
  p.setColor(QPalette::Text, p.color(QPalette::ToolTipText));
  w->setPalette(p);
}

// Frames on the window's background, labels in white bold, boxes and combo boxes in the tooltip
// colour.
void dress(QWidget* w, plat::ui::Kind kind) {
  using K = plat::ui::Kind;
  switch (kind) {
    case K::Frame:
      paintBackground(w);
      break;
    case K::Label: {
      QPalette p = w->palette();
      p.setColor(QPalette::WindowText, Qt::white);
      w->setPalette(p);
      QFont f = w->font();
      f.setBold(true);
      w->setFont(f);
      break;
    }
    case K::Box:
    case K::Combo:
      infoColour(w);
      break;
    default:
      break;
  }
}

// The window's controls in the order they are made, a frame before the controls standing in it.
// Product and category controls share places: the mode shows one set.
const QVector<plat::ui::Control>& controlRows() {
  using K = plat::ui::Kind;
  static const QVector<plat::ui::Control> rows = {
      {"CmdCate", K::Button, {120, 120, 2600, 420}, "Category Editor", "ตัวแก้ไขข้อมูลหมวดสินค้า"},
      {"cmdPro", K::Button, {8900, 120, 2600, 420}, "Product Editor", "ตัวแก้ไขข้อมูลสินค้า"},
      {"Frame2", K::Frame, {120, 600, 11400, 3900}},
      {"lblCate", K::Label, {120, 270, 1800, 285}, "Category/Product", "หมวดสินค้า/สินค้า", "Frame2"},
      {"Comcate2", K::Combo, {1980, 220, 4200, 315}, "", "", "Frame2"},
      {"lblPid", K::Label, {120, 660, 1500, 285}, "Product ID", "รหัสสินค้า", "Frame2"},
      {"lblDesc", K::Label, {1620, 660, 2300, 285}, "Product Name", "ชื่อสินค้า", "Frame2"},
      {"lblPrice", K::Label, {3920, 660, 800, 285}, "Sell Price", "ราคาขาย", "Frame2"},
      {"lblQuantity", K::Label, {4720, 660, 800, 285}, "Quantity", "จำนวน", "Frame2"},
      {"lblProNoun", K::Label, {5520, 660, 850, 285}, "Pronoun", "หน่วย", "Frame2"},
      {"lblCateID", K::Label, {120, 660, 1500, 285}, "Category ID", "รหัสหมวดสินค้า", "Frame2"},
      {"lblCateName", K::Label, {1620, 660, 5000, 285}, "Category Name", "ชื่อหมวดสินค้า", "Frame2"},
      {"FGrid", K::Grid, {120, 960, 11160, 2820}, "", "", "Frame2"},
      {"FGrid1", K::Grid, {120, 960, 11160, 2820}, "", "", "Frame2"},
      {"Frame1", K::Frame, {120, 4600, 11400, 2460}},
      {"LabelPid", K::Label, {120, 270, 1600, 285}, "Product ID", "รหัสสินค้า", "Frame1"},
      {"txtBar", K::Box, {1800, 240, 2000, 315}, "", "", "Frame1"},
      {"Label3", K::Label, {4000, 270, 1600, 285}, "Category Id", "รหัสหมวดสินค้า", "Frame1"},
      {"ComCate", K::Combo, {5700, 240, 3000, 315}, "", "", "Frame1"},
      {"txtCate", K::Box, {5700, 240, 3000, 315}, "", "", "Frame1"},
      {"LabelPro", K::Label, {120, 690, 1600, 285}, "Product Name", "ชื่อสินค้า", "Frame1"},
      {"txtName", K::Box, {1800, 660, 6900, 315}, "", "", "Frame1"},
      {"LabelCate", K::Label, {120, 690, 1600, 285}, "Category Name", "ชื่อหมวดสินค้า", "Frame1"},
      {"txtcateName", K::Box, {1800, 660, 6900, 315}, "", "", "Frame1"},
      {"LabelPrice", K::Label, {120, 1110, 1600, 285}, "Price 1 / 2 / 3", "ราคา 1 / 2 / 3", "Frame1"},
      {"txtPrice", K::Box, {1800, 1080, 1200, 315}, "0", "", "Frame1"},
      {"txtPrice1", K::Box, {3100, 1080, 1200, 315}, "0", "", "Frame1"},
      {"txtPrice2", K::Box, {4400, 1080, 1200, 315}, "0", "", "Frame1"},
      {"LabelNoun", K::Label, {5800, 1110, 1000, 285}, "Unit", "หน่วยนับ", "Frame1"},
      {"txtNoun", K::Box, {6900, 1080, 1800, 315}, "", "", "Frame1"},
      {"LabelPoOrder", K::Label, {120, 1530, 1600, 285}, "Point Of Order", "จุดสั่งซื้อ", "Frame1"},
      {"txtPoOrder", K::Box, {1800, 1500, 1200, 315}, "0", "", "Frame1"},
      {"cmdAdd", K::Button, {1800, 1920, 1200, 420}, "Insert", "เพิ่ม", "Frame1"},
      {"cmdEdit", K::Button, {3100, 1920, 1200, 420}, kEditEn, kEditTh, "Frame1"},
      {"cmdDel", K::Button, {4400, 1920, 1200, 420}, "Delete", "ลบ", "Frame1"},
      {"cmdCancel", K::Button, {5700, 1920, 1200, 420}, "Cancel", "ยกเลิก", "Frame1"},
      {"cmdClose", K::Button, {7000, 1920, 1200, 420}, "Close", "ปิด", "Frame1"},
  };
  return rows;
}

}  // namespace

AddF::AddF(QWidget* parent) : plat::Form(parent) {
  setFont(plat::captionFont());
  setWindowTitle(QString());
  paintBackground(this);

  controls_.build(this, {});
  for (const plat::ui::Control& row : controlRows()) {
    QWidget* w = controls_.add(row);
    // The list chooser also takes a search text. Made so as it is made, its edit line follows it
    // in the focus chain. Enter searches for the typed text; it never adds the text as an item or
    // completes it.
    if (row.name == QLatin1String("Comcate2")) {
      auto* chooser = static_cast<QComboBox*>(w);
      chooser->setEditable(true);
      chooser->setInsertPolicy(QComboBox::NoInsert);
      chooser->setCompleter(nullptr);
    }
    dress(w, row.kind);
  }
  const auto& c = controls_;
  CmdCate = c.get<QPushButton>("CmdCate");
  cmdPro = c.get<QPushButton>("cmdPro");
  Frame2 = c.get<QGroupBox>("Frame2");
  lblCate = c.get<QLabel>("lblCate");
  Comcate2 = c.get<QComboBox>("Comcate2");
  lblPid = c.get<QLabel>("lblPid");
  lblDesc = c.get<QLabel>("lblDesc");
  lblPrice = c.get<QLabel>("lblPrice");
  lblQuantity = c.get<QLabel>("lblQuantity");
  lblProNoun = c.get<QLabel>("lblProNoun");
  lblCateID = c.get<QLabel>("lblCateID");
  lblCateName = c.get<QLabel>("lblCateName");
  FGrid = c.get<plat::FlexGrid>("FGrid");
  FGrid1 = c.get<plat::FlexGrid>("FGrid1");
  Frame1 = c.get<QGroupBox>("Frame1");
  LabelPid = c.get<QLabel>("LabelPid");
  txtBar = c.get<QLineEdit>("txtBar");
  Label3 = c.get<QLabel>("Label3");
  ComCate = c.get<QComboBox>("ComCate");
  txtCate = c.get<QLineEdit>("txtCate");
  LabelPro = c.get<QLabel>("LabelPro");
  txtName = c.get<QLineEdit>("txtName");
  LabelCate = c.get<QLabel>("LabelCate");
  txtcateName = c.get<QLineEdit>("txtcateName");
  LabelPrice = c.get<QLabel>("LabelPrice");
  txtPrice = c.get<QLineEdit>("txtPrice");
  txtPrice1 = c.get<QLineEdit>("txtPrice1");
  txtPrice2 = c.get<QLineEdit>("txtPrice2");
  LabelNoun = c.get<QLabel>("LabelNoun");
  txtNoun = c.get<QLineEdit>("txtNoun");
  LabelPoOrder = c.get<QLabel>("LabelPoOrder");
  txtPoOrder = c.get<QLineEdit>("txtPoOrder");
  cmdAdd = c.get<QPushButton>("cmdAdd");
  cmdEdit = c.get<QPushButton>("cmdEdit");
  cmdDel = c.get<QPushButton>("cmdDel");
  cmdCancel = c.get<QPushButton>("cmdCancel");
  cmdClose = c.get<QPushButton>("cmdClose");

  lblCateID->hide();
  lblCateName->hide();
  FGrid->setFixedRows(0);
  FGrid->setRows(0);
  FGrid->setCols(11);
  FGrid1->setFixedRows(0);
  FGrid1->setRows(0);
  FGrid1->setCols(3);
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
  controls_.setLanguage(shell::lang());
  plat::fitCaptions(this);
  productMode_ = true;
  showProductControls(true);
  data::tellOnFailure([&] { QueryCate(); });
  fillChooser();
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
  if (!data::tellOnFailure([&] { categories_ = data::allCategories(); })) return;
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
  Comcate2->addItem(allCategoryItem());
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
  data::tellOnFailure([&] { QueryCate(); });
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
  if (KeyAscii != plat::Enter) return;
  data::tellOnFailure([&] { addRows(searchRows(data::searchProducts(Comcate2->currentText().trimmed()))); });
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
    case EntryCheck::Verdict::BadNumber:
      if (check.badField == QLatin1String("txtPoOrder"))
        tell(shell::L(QStringLiteral("กรุณาใส่จุดสั่งซื้อเป็นตัวเลขจำนวนเต็ม"),
                      QStringLiteral("Enter the point of order as a whole number")));
      else
        tell(shell::L(QStringLiteral("กรุณาใส่ราคาเป็นตัวเลข"), QStringLiteral("Enter the price as a number")));
      break;
    case EntryCheck::Verdict::OverCeiling: {
      // Each box by its own part of the shared caption "Price 1 / 2 / 3".
      static const struct {
        const char* box;
        const char* thai;
        const char* english;
      } names[] = {{"txtPrice", "ราคา 1", "Price 1"},
                   {"txtPrice1", "ราคา 2", "Price 2"},
                   {"txtPrice2", "ราคา 3", "Price 3"},
                   {"txtPoOrder", "จุดสั่งซื้อ", "Point Of Order"}};
      for (const auto& n : names)
        if (check.badField == QLatin1String(n.box))
          tell(shell::overCeilingMessage(QString::fromUtf8(n.thai), QString::fromUtf8(n.english),
                                         check.ceiling));
      break;
    }
  }
  // The box stays as typed, selected for mending.
  if (auto* b = findChild<QLineEdit*>(check.badField)) focusAll(b);
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
    if (!data::tellOnFailure([&] { outcome = data::insertProduct(check.product); })) return;
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
    if (!data::tellOnFailure([&] { outcome = data::insertCategory({txtCate->text(), txtcateName->text()}); }))
      return;
    if (!wrote(outcome)) return;
    txtCate->clear();
    txtcateName->clear();
    data::tellOnFailure([&] { QueryCate(); });
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
  data::KeyedWrite outcome = data::KeyedWrite::Done;
  if (!data::tellOnFailure([&] { outcome = data::updateProduct(pickedKey_, check.product); })) return;
  if (!wrote(outcome)) return;
  clearGrid(FGrid);
  leaveSavedEditing();
  txtBar->setFocus();
}

void AddF::saveCategory() {
  data::KeyedWrite outcome = data::KeyedWrite::Done;
  if (!data::tellOnFailure([&] {
        outcome = data::updateCategory(pickedKey_, {txtCate->text(), txtcateName->text()});
      }))
    return;
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
  // By design: the question is English whatever the language.
  if (plat::dialogs().askYesNo(QStringLiteral("Do you Want to Delete ") + code, QString())) {
    data::Removal outcome = data::Removal::NotFound;
    if (!data::tellOnFailure([&] {
          outcome = productMode_ ? data::deleteProduct(code.trimmed()) : data::deleteCategory(code.trimmed());
        }))
      return;
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
  if (KeyAscii == plat::Enter) focusAll(txtName);
}

void AddF::txtBar_KeyPress(int& KeyAscii) {
  KeyAscii = filterKey(KeyRule::NoStop, KeyAscii);
  if (KeyAscii == plat::Enter) ComCate->setFocus();
}

void AddF::txtName_KeyPress(int& KeyAscii) {
  KeyAscii = filterKey(KeyRule::NoStop, KeyAscii);
  if (KeyAscii == plat::Enter) focusAll(txtPrice);
}

void AddF::txtPrice_KeyPress(int& KeyAscii) {
  KeyAscii = filterKey(KeyRule::Price, KeyAscii);
  if (KeyAscii == plat::Enter) focusAll(txtPrice1);
}

void AddF::txtPrice1_KeyPress(int& KeyAscii) {
  KeyAscii = filterKey(KeyRule::Price, KeyAscii);
  if (KeyAscii == plat::Enter) focusAll(txtPrice2);
}

void AddF::txtPrice2_KeyPress(int& KeyAscii) {
  KeyAscii = filterKey(KeyRule::Price, KeyAscii);
  if (KeyAscii == plat::Enter) focusAll(txtNoun);
}

void AddF::txtNoun_KeyPress(int& KeyAscii) {
  if (KeyAscii == plat::Enter) focusAll(txtPoOrder);
}

void AddF::nextAfterEntry() {
  if (cmdAdd->isEnabled())
    cmdAdd->setFocus();
  else
    cmdEdit->setFocus();
}

void AddF::txtPoOrder_KeyPress(int& KeyAscii) {
  KeyAscii = filterKey(KeyRule::Digits, KeyAscii);
  if (KeyAscii == plat::Enter) nextAfterEntry();
}

void AddF::txtCate_KeyPress(int& KeyAscii) {
  KeyAscii = filterKey(KeyRule::NoStop, KeyAscii);
  if (KeyAscii == plat::Enter) focusAll(txtcateName);
}

void AddF::txtcateName_KeyPress(int& KeyAscii) {
  KeyAscii = filterKey(KeyRule::NoStop, KeyAscii);
  if (KeyAscii == plat::Enter) nextAfterEntry();
}

bool AddF::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return plat::Form::eventFilter(watched, event);
  auto* e = static_cast<QKeyEvent*>(event);
  int k = plat::keyAsciiOf(e);
  if (k < 0) return false;
  if (watched == Comcate2 || watched == Comcate2->lineEdit()) {
    Comcate2_KeyPress(k);
    return k == plat::Enter;  // the combo never acts on Enter itself
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
    return k == 0 || k == plat::Enter;
  }
  return false;
}

}  // namespace stock
