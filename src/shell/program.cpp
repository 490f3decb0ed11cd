#include "shell/program.h"

#include <QApplication>
#include <QMainWindow>
#include <QMdiArea>

#include "platform/dialogs.h"
#include "platform/form.h"
#include "shell/settings.h"

namespace shell {

int runProgram() {
  QString error;
  if (!ensureInstallation(&error)) {
    plat::dialogs().message(error, {}, plat::Icon::Critical);
    return 1;
  }
  QMainWindow w;
  auto* mdi = new QMdiArea(&w);
  w.setCentralWidget(mdi);
  plat::FormRegistry::instance().setMdiArea(mdi);
  w.setWindowTitle(QStringLiteral("Quorvanel"));
  w.showMaximized();
  return qApp->exec();
}

}  // namespace shell
