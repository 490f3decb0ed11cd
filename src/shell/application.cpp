#include "shell/application.h"

#include "data/db.h"
#include "platform/dialogs.h"
#include "shell/lang.h"

namespace shell {

PosApplication::PosApplication(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationName(QStringLiteral("Quorvanel"));
  setApplicationDisplayName(QStringLiteral("Quorvanel"));
}

void reportUncaught(const QString& what) {
  plat::dialogs().message(L(QStringLiteral("เกิดข้อผิดพลาด: ") + what, QStringLiteral("Error: ") + what), {},
                          plat::Icon::Critical);
}

bool PosApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const data::DbError& e) {
    reportUncaught(e.text());
  } catch (const std::exception& e) {
    reportUncaught(QString::fromLocal8Bit(e.what()));
  }
  return false;
}

}  // namespace shell
