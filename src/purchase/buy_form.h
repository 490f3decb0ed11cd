#pragma once
// The purchase invoice screen: a supplier's invoice typed in line by line and saved as Buy rows
// (stock lots) that raise the stock, or a saved invoice shown again to be corrected or deleted.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <functional>
#include <optional>

#include "data/lots.h"
#include "platform/flexgrid.h"
#include "platform/form.h"
#include "platform/name_list.h"
#include "platform/ui_kit.h"
#include "purchase/buy_lines.h"

namespace purchase {

class BuyForm : public plat::Form {
  Q_OBJECT
 public:
  explicit BuyForm(QWidget* parent = nullptr);

  QRect designGeometry() const override { return {0, 0, 11850, 7700}; }
  void Form_Load() override;
  // Closes when another window of the program becomes active, but not while its line editor,
  // which disables it, is open.
  bool unloadsOnDeactivate() const override { return isEnabled(); }

  // Controls.
  QLabel* lblDate;
  QLineEdit* txtDate;
  QLabel* lblBuyId;
  QLineEdit* txtBuyId;
  QPushButton* cmdShow;
  QLabel* lblSupId;
  QLineEdit* txtSupId;
  QPushButton* cmdBrowse;
  QLineEdit* txtSupName;
  plat::NameList* ListSupId;
  QLabel* lblCate;
  QComboBox* ComCate;
  QLabel* lblProduct;
  QComboBox* ComBar;
  QLabel* lblStock;
  QLineEdit* txtStock;
  QLabel* LabelStock;
  QLabel* lblQuantity;
  QLineEdit* txtQuantity;
  QLabel* LabelQuantity;
  QLabel* lblPrice;
  QLineEdit* txtPrice;
  QLabel* lblBath;
  QPushButton* cmdUpdate;
  QPushButton* cmdCommit;
  QPushButton* cmdEditInv;
  QPushButton* cmdDelInv;
  QPushButton* cmdClear;
  QPushButton* cmdExit;
  QPushButton* cmdPrint;
  QPushButton* cmdDel;
  QPushButton* Command1;
  QLabel* lblTotal;
  QLineEdit* txtTotal;
  QLabel* lblBaht2;
  QPushButton* cmdInv;
  QPushButton* cmdPid;
  QPushButton* cmdPName;
  QPushButton* cmdQuantity;
  QPushButton* cmdPrice;
  QPushButton* cmdToSort;
  plat::FlexGrid* FGrid;

  // The invoice's lines, which the grid shows.
  const BuyLines& lines() const { return lines_; }
  // The number of lines in the grid.
  int lineCount() const { return lines_.count(); }
  // Show mode: a saved invoice is on screen (Commit hidden, Edit Inv shown).
  bool inShowMode() const { return showMode_; }
  // The invoice the last Show loaded, until the form is cleared.
  const std::optional<data::InvoiceKey>& shownInvoice() const { return shown_; }

  // Event procedures. Key procedures take the character code and set it to 0 to swallow it.
  void ComCate_Click();
  void ComBar_Click();
  void ComBar_KeyPress(int& keyAscii);
  void txtQuantity_KeyPress(int& keyAscii);
  void txtPrice_KeyPress(int& keyAscii);
  void txtBuyId_KeyPress(int& keyAscii);
  void txtSupId_KeyPress(int& keyAscii);
  void cmdUpdate_Click();
  void cmdBrowse_Click();
  void ListSupId_DblClick();
  void ListSupId_KeyPress(int& keyAscii);
  void ListSupId_LostFocus();
  void FGrid_Click();
  void FGrid_KeyPress(int& keyAscii);
  void cmdClear_Click();
  void cmdExit_Click();
  void cmdCommit_Click();
  // The step after a save: says it is done and empties the form for the next invoice.
  // By design: its button is never shown; Commit and Edit Inv run it.
  void Command1_Click();
  void cmdShow_Click();
  void cmdEditInv_Click();
  void cmdDelInv_Click();
  // The grid's current line: dropped from the grid when its product is gone, else the invoice is
  // shown again from the database.
  // By design: its button is never shown; nothing in the program offers this removal.
  void cmdDel_Click();
  // Prints the invoice in the grid on the current printer.
  // By design: its button is never shown; nothing in the program offers this printout.
  void cmdPrint_Click();

  // Public procedures: empties the entry boxes and the grid; removes the grid's current line.
  void ClearSub();
  void cmdCancel_Click();

  // What the line editor asks of the screen and tells it (its Remove also runs cmdCancel_Click).
  // The grid's current line, or -1.
  int selectedLine() const;
  // Line row as it stands; nullopt when there is no such line.
  std::optional<BuyLine> lineForEdit(int row) const;
  // The line editor's OK on line row (see BuyLines::edit); the grid and the total follow.
  void applyEdit(int row, const Entered& quantity, const Entered& unitCost, double openingQuantity,
                 double openingCost);
  // After the editor removed a line: the keys go to the product box while lines can be typed,
  // else to the grid.
  void focusAfterEdit();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildControls();
  void enterEntryMode();
  void enterShowMode();
  // The Yes branch of New: an empty entry form with the next number of the date.
  void clearForm();
  void proposeNextNumber();
  // Looks up the product of code for the pickers (price, stock, unit word); false when unknown.
  bool pickProduct(const QString& code);
  void resetPickers();
  void fillSupplierList();
  void openLineEditor();
  // The date box as a date; shows a message and gives nullopt when it is no date.
  std::optional<QDate> boxDate();
  void renderRow(int row);
  // Shows why the database refused to save the invoice.
  void showRefusal(const data::InvoiceRefused& r);
  // Runs a write of the invoice; false (after telling why) when it was refused or failed.
  bool saved(const std::function<void()>& write);

  plat::ui::Controls controls_;
  BuyLines lines_;
  bool showMode_ = false;
  std::optional<data::InvoiceKey> shown_;
};

}  // namespace purchase
