#pragma once
// The look the administration windows share: the forms' background, white label text, the caption
// font, and control places given in twips.
#include <QPalette>
#include <QRect>
#include <QWidget>

#include "platform/units.h"

namespace shell {

inline QRect twipsRect(int left, int top, int width, int height) {
  return QRect(plat::twipsToPx(left), plat::twipsToPx(top), plat::twipsToPx(width), plat::twipsToPx(height));
}

// A control and its place in twips, for the tables that lay a window out.
struct Place {
  QWidget* control;
  QRect twips;  // left, top, width, height
};
inline void placeAll(std::initializer_list<Place> places) {
  for (const Place& p : places)
    if (p.control)
      p.control->setGeometry(twipsRect(p.twips.x(), p.twips.y(), p.twips.width(), p.twips.height()));
}

inline void whiteText(QWidget* w) {
  QPalette p = w->palette();
  p.setColor(QPalette::WindowText, Qt::white);
  w->setPalette(p);
}

inline void dressForm(QWidget* form) {
  form->setAutoFillBackground(true);
  QPalette pal = form->palette();
  pal.setColor(QPalette::Window, plat::formBackground());
  form->setPalette(pal);
  form->setFont(plat::captionFont());
}

}  // namespace shell
