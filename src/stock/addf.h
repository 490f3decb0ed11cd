#pragma once
// The product and category editor: in product mode a product grid chosen by category or search
// and the product's boxes; in category mode the category grid and a category's two boxes. A row
// click starts editing it; Insert, Edit/Save, Delete, Cancel and Close act on the boxes.
#include <QString>
#include <QVector>

#include "data/categories.h"
#include "platform/form.h"
#include "platform/ui_kit.h"
#include "stock/addf_rules.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace plat {
class FlexGrid;
}

namespace stock {

class AddF : public plat::Form {
  Q_OBJECT
 public:
  // Item data of the grids' first cell and of the combo items.
  static constexpr int KeyRole = Qt::UserRole;       // product code or category id, as stored
  static constexpr int NameRole = Qt::UserRole + 1;  // category name (Comcate2 items)
  static constexpr int AllRole = Qt::UserRole + 2;   // true on the "All Category" item

  explicit AddF(QWidget* parent = nullptr);

  bool opensMaximized() const override { return true; }
  bool unloadsOnDeactivate() const override { return true; }
  // Restored from maximized, it stands at the main window's top-left corner at this size.
  QRect designGeometry() const override { return {0, 0, 7777, 4185}; }
  QSize sizeHint() const override;
  void Form_Load() override;

  void QueryCate();
  void QueryCate1();

  void cmdPro_Click();
  void CmdCate_Click();
  void Comcate2_Click();
  void Comcate2_KeyPress(int& KeyAscii);
  void FGrid_Click();
  void FGrid1_Click();
  void cmdAdd_Click();
  void cmdEdit_Click();
  void cmdDel_Click();
  void cmdCancel_Click();
  void cmdClose_Click();

  void ComCate_KeyPress(int& KeyAscii);
  void txtBar_KeyPress(int& KeyAscii);
  void txtName_KeyPress(int& KeyAscii);
  void txtPrice_KeyPress(int& KeyAscii);
  void txtPrice1_KeyPress(int& KeyAscii);
  void txtPrice2_KeyPress(int& KeyAscii);
  void txtNoun_KeyPress(int& KeyAscii);
  void txtPoOrder_KeyPress(int& KeyAscii);
  void txtCate_KeyPress(int& KeyAscii);
  void txtcateName_KeyPress(int& KeyAscii);

  bool productMode() const { return productMode_; }
  // The code or id of the row clicked last; empty before a click and after leaving editing.
  const QString& pickedKey() const { return pickedKey_; }
  // Between the Edit click on a picked row and the save or cancel that ends it; the Edit button
  // reads "Save" meanwhile.
  bool editing() const { return editing_; }

  QPushButton* CmdCate = nullptr;
  QPushButton* cmdPro = nullptr;
  QGroupBox* Frame2 = nullptr;
  QLabel* lblCate = nullptr;
  QComboBox* Comcate2 = nullptr;
  QLabel* lblPid = nullptr;
  QLabel* lblDesc = nullptr;
  QLabel* lblPrice = nullptr;
  QLabel* lblQuantity = nullptr;
  QLabel* lblProNoun = nullptr;
  QLabel* lblCateID = nullptr;
  QLabel* lblCateName = nullptr;
  plat::FlexGrid* FGrid = nullptr;
  plat::FlexGrid* FGrid1 = nullptr;
  QGroupBox* Frame1 = nullptr;
  QLabel* LabelPid = nullptr;
  QLineEdit* txtBar = nullptr;
  QLabel* Label3 = nullptr;
  QComboBox* ComCate = nullptr;
  QLineEdit* txtCate = nullptr;
  QLabel* LabelPro = nullptr;
  QLineEdit* txtName = nullptr;
  QLabel* LabelCate = nullptr;
  QLineEdit* txtcateName = nullptr;
  QLabel* LabelPrice = nullptr;
  QLineEdit* txtPrice = nullptr;
  QLineEdit* txtPrice1 = nullptr;
  QLineEdit* txtPrice2 = nullptr;
  QLabel* LabelNoun = nullptr;
  QLineEdit* txtNoun = nullptr;
  QLabel* LabelPoOrder = nullptr;
  QLineEdit* txtPoOrder = nullptr;
  QPushButton* cmdAdd = nullptr;
  QPushButton* cmdEdit = nullptr;
  QPushButton* cmdDel = nullptr;
  QPushButton* cmdCancel = nullptr;
  QPushButton* cmdClose = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void showProductControls(bool product);
  void fillChooser();
  void clearGrid(plat::FlexGrid* g);
  // Appends rows to the product grid, each product row with its code under KeyRole.
  // The rows' texts go into the grid; rows is left empty, its room kept for more.
  void addRows(QVector<GridRow>& rows);
  void addRows(QVector<GridRow>&& rows) { addRows(rows); }
  // Every product under its category's heading, put in as the products are read.
  void addAllCategoryRows();
  void emptyBoxes();
  void setEditing(bool on);
  void focusAll(QWidget* w);
  void nextAfterEntry();
  void tell(const QString& text);
  ProductEntry productEntry() const;
  // Shows why a product's boxes cannot be written; false when they can.
  bool refused(const EntryCheck& check);
  // Tells why a keyed write did not happen; true when it did.
  bool wrote(data::KeyedWrite outcome);
  // After a save: out of editing, the boxes and the chooser emptied.
  void leaveSavedEditing();
  void saveProduct();
  void saveCategory();

  plat::ui::Controls controls_;
  bool productMode_ = true;
  bool editing_ = false;  // set only by setEditing, which also sets the button's caption
  QString pickedKey_;
  QVector<data::Category> categories_;
};

}  // namespace stock
