#pragma once
// What the sale and the purchase line editor share: a small window over its screen that corrects
// the quantity and unit price of the screen's current line, or removes the line. Enter in the
// quantity goes on to the price, Enter in the price presses OK; losing activation to another
// program or window closes it changing nothing. Each editor gives its own controls' table, reads
// its line, and says what OK and Remove do to its screen.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVector>

#include "platform/form.h"
#include "platform/ui_kit.h"

namespace shell {

class LineEditForm : public plat::Form {
  Q_OBJECT
 public:
  // Fills the boxes from the screen's line, selects the quantity and disables the main window,
  // captions in the language of the settings.
  void Form_Load() final;
  bool isTopLevelWindow() const override { return true; }
  bool unloadsOnDeactivate() const override { return true; }

  QLabel* lblQ = nullptr;
  QLineEdit* txtQuantity = nullptr;
  QLabel* lblPrice = nullptr;
  QLineEdit* txtPrice = nullptr;
  QPushButton* cmdRemove = nullptr;

  // The key procedures: the quantity takes digits, the price digits and a point.
  void txtQuantity_KeyPress(int& keyAscii);
  void txtPrice_KeyPress(int& keyAscii);
  virtual void cmdRemove_Click() = 0;
  // Losing activation to another program or window closes the editor and changes nothing.
  void Form_Deactivate();

 protected:
  explicit LineEditForm(QWidget* parent) : plat::Form(parent) {}
  // Makes the controls of rows, which name lblQ, txtQuantity, lblPrice, txtPrice, cmdRemove and
  // the OK button okName, and gives the boxes their key procedures and the buttons their work.
  void build(const QVector<plat::ui::Control>& rows, const QString& okName);
  // The boxes (and whatever else shows the line) from the screen's current line, when it has one.
  virtual void loadLine() = 0;
  // What OK does: the screen's line from the boxes, or the boxes refused.
  virtual void ok() = 0;
  // The main window that holds the screen's area, or nullptr (as in tests without one).
  static QWidget* mainWindow();
  void changeEvent(QEvent* event) override;

  plat::ui::Controls controls_;
};

}  // namespace shell
