#include "platform/ui_kit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "platform/flexgrid.h"
#include "platform/units.h"

namespace plat::ui {

QString caption(const Control& c, Lang lang) {
  return lang == Lang::Thai && !c.thai.isEmpty() ? c.thai : c.english;
}

void setCaption(QWidget* w, Kind kind, const QString& text) {
  switch (kind) {
    case Kind::Frame:
      static_cast<QGroupBox*>(w)->setTitle(text);
      break;
    case Kind::Label:
      static_cast<QLabel*>(w)->setText(text);
      break;
    case Kind::Box:
      static_cast<QLineEdit*>(w)->setText(text);
      break;
    case Kind::Button:
    case Kind::Check:
    case Kind::Option:
      static_cast<QAbstractButton*>(w)->setText(text);
      break;
    case Kind::PictureButton:
      w->setToolTip(text);
      break;
    case Kind::Combo:
    case Kind::List:
    case Kind::ListView:
    case Kind::DatePicker:
    case Kind::Grid:
    case Kind::Panel:
      break;
  }
}

QWidget* make(QWidget* parent, const Control& c, Lang lang) {
  QWidget* w = nullptr;
  switch (c.kind) {
    case Kind::Frame:
      w = new QGroupBox(parent);
      break;
    case Kind::Label:
      w = new QLabel(parent);
      break;
    case Kind::Box:
      w = new QLineEdit(parent);
      break;
    case Kind::Button:
    case Kind::PictureButton: {
      auto* b = new QPushButton(parent);
      // Enter on a focused button presses it, as Space does.
      b->setAutoDefault(true);
      w = b;
      break;
    }
    case Kind::Check:
      w = new QCheckBox(parent);
      break;
    case Kind::Option:
      w = new QRadioButton(parent);
      break;
    case Kind::Combo:
      w = new QComboBox(parent);
      break;
    case Kind::List:
      w = new QListWidget(parent);
      break;
    case Kind::ListView:
      w = new QListView(parent);
      break;
    case Kind::DatePicker: {
      auto* d = new QDateEdit(parent);
      d->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
      d->setCalendarPopup(true);
      w = d;
      break;
    }
    case Kind::Grid:
      w = new FlexGrid(parent);
      break;
    case Kind::Panel: {
      auto* f = new QFrame(parent);
      f->setFrameShape(QFrame::Box);
      w = f;
      break;
    }
  }
  w->setObjectName(c.name);
  w->setGeometry(twipsRect(c.rect));
  const QString text = caption(c, lang);
  if (!text.isEmpty()) setCaption(w, c.kind, text);
  return w;
}

void setPicture(QPushButton* b, QStyle::StandardPixmap picture) {
  b->setIcon(b->style()->standardIcon(picture));
}

void Controls::build(QWidget* window, const QVector<Control>& rows, Lang lang) {
  window_ = window;
  for (const Control& c : rows) add(c, lang);
}

QWidget* Controls::add(const Control& row, Lang lang) {
  QWidget* parent = row.frame.isEmpty() ? window_ : widgets_.value(row.frame, window_);
  QWidget* w = make(parent, row, lang);
  rows_.push_back(row);
  widgets_.insert(row.name, w);
  return w;
}

void Controls::setLanguage(Lang lang) const {
  for (const Control& c : rows_)
    if (!c.thai.isEmpty()) setCaption(widgets_.value(c.name), c.kind, caption(c, lang));
}

void Controls::setTabOrder(const QStringList& names, bool wrap) const {
  QWidget* first = nullptr;
  QWidget* prev = nullptr;
  for (const QString& name : names) {
    QWidget* w = widgets_.value(name);
    if (!w) continue;
    if (prev) QWidget::setTabOrder(prev, w);
    if (!first) first = w;
    prev = w;
  }
  if (wrap && first && prev != first) QWidget::setTabOrder(prev, first);
}

void Controls::setTabOrderAsRows() const {
  QWidget* prev = nullptr;
  for (const Control& c : rows_) {
    QWidget* w = widgets_.value(c.name);
    if (c.kind == Kind::Frame || w->focusPolicy() == Qt::NoFocus) continue;
    if (prev) QWidget::setTabOrder(prev, w);
    prev = w;
  }
}

}  // namespace plat::ui
