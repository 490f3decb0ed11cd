#include "shell/program.h"

#include <QApplication>
#include <QPointer>

#include "platform/dialogs.h"
#include "shell/lang.h"
#include "shell/login.h"
#include "shell/mainwindow.h"
#include "shell/settings.h"

namespace shell {

std::unique_ptr<MHarvelmoquin> openMainWindow() {
  auto w = std::make_unique<MHarvelmoquin>();
  QString error;
  if (!w->MDIForm_Load(&error)) {
    plat::dialogs().message(
        L(QStringLiteral("เริ่มโปรแกรมไม่ได้: "), QStringLiteral("The program cannot start: ")) + error, {},
        plat::Icon::Critical);
    return nullptr;
  }
  return w;
}

int runProgram() {
  QString error;
  if (!ensureInstallation(&error)) {
    plat::dialogs().message(error, {}, plat::Icon::Critical);
    return 1;
  }
  // The program ends by the login's Cancel, a failed start or the main window's unload, not by
  // whichever window happens to close last.
  QApplication::setQuitOnLastWindowClosed(false);
  int code = 0;
  std::unique_ptr<MHarvelmoquin> main;
  QPointer<frmLogin> login = new frmLogin;
  QObject::connect(
      login, &frmLogin::cancelled, qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
  QObject::connect(login, &frmLogin::succeeded, qApp, [&] {
    main = openMainWindow();
    if (!main) {
      code = 1;
      QCoreApplication::exit(1);
      return;
    }
    QObject::connect(
        main.get(), &MHarvelmoquin::unloaded, qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
    main->showMaximized();
    main->raise();
    main->activateWindow();
  });
  login->Form_Load();
  login->show();
  login->raise();
  login->activateWindow();
  const int loop = QApplication::exec();
  delete login.data();
  main.reset();
  return code != 0 ? code : loop;
}

}  // namespace shell
