#pragma once
// The hot-key editor: a keyboard on screen whose 34 letter and punctuation keys each carry a
// product code twice, unshifted and shifted. Clicking a key asks for its code; Shift gives the
// shifted keys for one assignment, Caps Lock until it is clicked again.
#include <QColor>
#include <QPushButton>
#include <QVector>

#include "platform/form.h"
#include "platform/ui_kit.h"

namespace sale {

// The whole keyboard, row by row, in twips: the hot keys and the number row as "cmdKey(i)" (their
// captions follow the shift state), then the other keys with their captions.
const QVector<plat::ui::Control>& keyboardLayout();

class Frmkb : public plat::Form {
  Q_OBJECT
 public:
  explicit Frmkb(QWidget* parent = nullptr);

  void Form_Load() override;
  bool opensMaximized() const override { return true; }
  bool unloadsOnDeactivate() const override { return true; }

  // Colours of the buttons.
  static QColor boundColour();    // a key whose current number has a product
  static QColor faceColour();     // an unbound key, a released modifier
  static QColor pressedColour();  // Caps Lock or Shift shown pressed

  QVector<QPushButton*> cmdKey;  // 47: the 34 hot keys, then the number row
  QPushButton* cmdCapsLock = nullptr;
  QPushButton* cmdLShift = nullptr;
  QPushButton* cmdRShift = nullptr;
  QPushButton* cmdSpace = nullptr;
  QPushButton* button(const QString& name) const { return controls_.get<QPushButton>(name); }

  int ShiftState() const { return shiftState_; }
  // The key number hot key i stands for now.
  int tag(int i) const { return tags_.at(i); }
  static QColor colourOf(const QPushButton* b);

  void cmdKey_Click(int index);
  void cmdCapsLock_Click();
  void cmdLShift_Click();
  void cmdRShift_Click();
  void cmdSpace_Click();

 private:
  void setCaptions(bool shifted);
  // Paints hot key i by its current number; bound gives the set to look in.
  void markKey(int i, const QSet<int>& bound);
  // The bound key numbers; empty after telling the user when the table cannot be read.
  QSet<int> readBound();
  // Shift and Caps Lock share one state; only the clicked modifier is repainted.
  void toggle(const QList<QPushButton*>& painted);
  static void paint(QPushButton* b, const QColor& c);

  plat::ui::Controls controls_;
  QVector<int> tags_;
  int shiftState_ = 0;
};

}  // namespace sale
