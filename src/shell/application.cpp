#include "shell/application.h"

#include "data/db.h"
#include "platform/dialogs.h"
#include "platform/qt_texts.h"
#include "shell/lang.h"

namespace shell {

PosApplication::PosApplication(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationName(QStringLiteral("Quorvanel"));
  installQtTexts();
}

void installQtTexts() {
  plat::installQtTexts([] { return thai(); });
}

void reportUncaught(const QString& what) {
  plat::dialogs().message(L(QStringLiteral("เกิดข้อผิดพลาด: ") + what, QStringLiteral("Error: ") + what), {},
                          plat::Icon::Critical);
}

QString failureText(const std::exception& e) {
  if (const auto* db = dynamic_cast<const data::DbError*>(&e)) return db->text();
  return QString::fromLocal8Bit(e.what());
}

bool PosApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& e) {
    reportUncaught(failureText(e));
  }
  return false;
}

}  // namespace shell
