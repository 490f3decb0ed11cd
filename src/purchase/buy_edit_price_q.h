#pragma once
// The line editor of the purchase invoice screen: corrects the quantity and unit cost of the
// screen's current line, or removes the line. It edits only the screen's lines and total; what
// reaches the database is decided when the invoice is saved. While it is open the purchase screen
// and the main window are disabled.
#include "shell/line_edit_form.h"

namespace purchase {

class BuyForm;

class BuyEditPriceQ : public shell::LineEditForm {
  Q_OBJECT
 public:
  explicit BuyEditPriceQ(QWidget* parent = nullptr);

  void Form_Unload() override;

  QPushButton* cmdOk;

  void cmdOk_Click();
  void cmdRemove_Click() override;

 private:
  void loadLine() override;
  void ok() override { cmdOk_Click(); }
  static BuyForm* owner();
  // The owner's current line, or -1.
  static int currentLine();
  void enableOwners();

  double openingQuantity_ = 0;
  double openingPrice_ = 0;
};

}  // namespace purchase
