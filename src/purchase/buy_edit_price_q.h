#pragma once
// The line editor of the purchase invoice screen: corrects the quantity and unit cost of the
// screen's current line, or removes the line. It edits only the screen's lines and total; what
// reaches the database is decided when the invoice is saved. While it is open the purchase screen
// and the main window are disabled.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "platform/form.h"

namespace purchase {

class BuyForm;

class BuyEditPriceQ : public plat::Form {
  Q_OBJECT
 public:
  explicit BuyEditPriceQ(QWidget* parent = nullptr);

  void Form_Load() override;
  void Form_Unload() override;
  bool isTopLevelWindow() const override { return true; }
  bool unloadsOnDeactivate() const override { return true; }

  QLabel* lblQ;
  QLineEdit* txtQuantity;
  QLabel* lblPrice;
  QLineEdit* txtPrice;
  QPushButton* cmdOk;
  QPushButton* cmdRemove;

  void cmdOk_Click();
  void cmdRemove_Click();
  void txtQuantity_KeyPress(int& keyAscii);
  void txtPrice_KeyPress(int& keyAscii);
  // Losing activation closes the editor without writing anything.
  void Form_Deactivate();

 protected:
  void changeEvent(QEvent* event) override;

 private:
  static BuyForm* owner();
  // The owner's current line, or -1.
  static int currentLine();
  void enableOwners();

  double openingQuantity_ = 0;
  double openingPrice_ = 0;
};

}  // namespace purchase
