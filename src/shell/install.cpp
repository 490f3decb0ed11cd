#include <QDir>
#include <QFile>

#include "platform/files.h"
#include "shell/settings.h"

namespace shell {

bool ensureInstallation(QString* error) {
  if (!QDir().mkpath(plat::installDir())) {
    if (error) *error = QStringLiteral("Cannot create the folder %1").arg(plat::installDir());
    return false;
  }
  const QString db = plat::installPath(QStringLiteral("Kelvantorium.db"));
  if (!QFile::exists(db) && !QFile::copy(plat::shippedPath(QStringLiteral("Kelvantorium.db")), db)) {
    if (error) *error = QStringLiteral("Cannot copy the template database to %1").arg(db);
    return false;
  }
  QFile::setPermissions(db, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
  return true;
}

}  // namespace shell
