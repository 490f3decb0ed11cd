#include "sale/windows.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include "platform/form.h"
#include "sale/main_form.h"

namespace sale {

MainForm* saleScreen() {
  return qobject_cast<MainForm*>(plat::FormRegistry::instance().loaded(QStringLiteral("MainForm")));
}

QWidget* mainWindow() {
  QMdiArea* mdi = plat::FormRegistry::instance().mdiArea();
  return mdi ? mdi->window() : nullptr;
}

void maximizeSaleScreen() {
  MainForm* f = saleScreen();
  if (!f) return;
  if (auto* sub = qobject_cast<QMdiSubWindow*>(f->parentWidget()))
    sub->showMaximized();
  else
    f->showMaximized();
  f->show();
}

}  // namespace sale
