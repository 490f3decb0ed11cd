#pragma once
// The look the administration windows share: the forms' background, white label text and the
// caption font.
#include <QPalette>
#include <QWidget>

#include "platform/units.h"

namespace shell {

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
