#pragma once
// The control kit: every control of a hand-built window made from one row of its table, with its
// name (the objectName the rest of the program and the tests find it by), kind, place in twips
// inside its frame, and both captions, so a caption is written once with its two languages.
//
// Use:
//   const QVector<plat::ui::Control> kControls = {
//       {"Frame1", Kind::Frame, {120, 0, 5175, 1575}},
//       {"lblId", Kind::Label, {120, 360, 1800, 255}, "Id", "รหัส", "Frame1"},
//       {"cmdShow", Kind::Button, {4440, 600, 1335, 495}, "Show", "แสดง"},
//   };
//   controls_.build(this, kControls);             // in the constructor, English captions
//   controls_.setLanguage(shell::lang());         // when the window loads
//   auto* show = controls_.get<QPushButton>("cmdShow");
// A frame's row comes before the rows standing in it. What only one window does with a control
// (a picture, a font, a validator) it does after build on the control it looks up.
#include <QHash>
#include <QObject>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QStyle>
#include <QVector>

#include "platform/ui_lang.h"

class QPushButton;
class QWidget;

namespace plat::ui {

enum class Kind {
  Frame,          // QGroupBox; its caption is its title
  Label,          // QLabel
  Box,            // QLineEdit; its caption is the text it holds at design
  Button,         // QPushButton that Enter presses when it has the focus, as Space does
  PictureButton,  // the same with no text; its caption is its tip, the picture set by the window
  Check,          // QCheckBox
  Option,         // QRadioButton
  Combo,          // QComboBox
  List,           // QListWidget
  ListView,       // QListView, for a window that gives it its own model
  DatePicker,     // QDateEdit, "dd/MM/yyyy" with a calendar
  Grid,           // plat::FlexGrid
  Panel,          // QFrame drawn as a box, no caption: a frame without a title
};

struct Control {
  QString name;
  Kind kind = Kind::Label;
  QRect rect{};  // twips, inside its frame
  QString english{};
  QString thai{};   // empty: the English caption in Thai too
  QString frame{};  // the name of the frame it stands in; empty: the window
};

// The caption of c in lang.
QString caption(const Control& c, Lang lang);
// Puts text where a control of kind shows its caption (title, text, tip or design text).
void setCaption(QWidget* w, Kind kind, const QString& text);
// Makes c in parent: object name, place (plat::twipsRect) and its caption in lang.
QWidget* make(QWidget* parent, const Control& c, Lang lang = Lang::English);
template <class W>
W* make(QWidget* parent, const Control& c, Lang lang = Lang::English) {
  return qobject_cast<W*>(make(parent, c, lang));
}
// Gives a picture button one of the style's standard pictures.
void setPicture(QPushButton* b, QStyle::StandardPixmap picture);

// The controls of one window, built from its table and found by name.
class Controls {
 public:
  // Makes every row in window, in row order (a frame's children after it), captions in lang.
  void build(QWidget* window, const QVector<Control>& rows, Lang lang = Lang::English);
  // Makes one more row after build.
  QWidget* add(const Control& row, Lang lang = Lang::English);

  // The control of that name, nullptr when there is none (or, typed, it is of another class).
  QWidget* widget(const QString& name) const { return widgets_.value(name); }
  template <class W>
  W* get(const QString& name) const {
    return qobject_cast<W*>(widgets_.value(name));
  }
  const QVector<Control>& rows() const { return rows_; }

  // Gives every row that has a Thai caption its caption in lang; the others keep theirs.
  void setLanguage(Lang lang) const;
  // Tab goes through the named controls in this order (names not built are passed over); wrap
  // brings Tab from the last back to the first.
  void setTabOrder(const QStringList& names, bool wrap = false) const;
  // Tab goes through the controls that take the focus, in row order.
  void setTabOrderAsRows() const;

 private:
  QWidget* window_ = nullptr;
  QVector<Control> rows_;
  QHash<QString, QWidget*> widgets_;
};

}  // namespace plat::ui
