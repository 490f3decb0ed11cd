#include <QDir>
#include <QFile>

#include "platform/files.h"
#include "shell/settings.h"

namespace shell {

namespace {

bool readShipped(const QString& name, QByteArray* bytes, QString* error) {
  QFile f(plat::shippedPath(name));
  if (!f.open(QIODevice::ReadOnly)) {
    if (error)
      *error = QStringLiteral("Cannot read the shipped file %1: %2").arg(f.fileName(), f.errorString());
    return false;
  }
  *bytes = f.readAll();
  return true;
}

// Never overwrites: an existing database is the shop's data.
bool layDownDatabase(QString* error) {
  const QString db = plat::installPath(QStringLiteral("Kelvantorium.db"));
  if (QFile::exists(db)) return true;
  QByteArray bytes;
  if (!readShipped(QStringLiteral("Kelvantorium.db"), &bytes, error)) return false;
  QString why;
  if (!plat::replaceFileAtomic(db, bytes, &why)) {
    if (error) *error = QStringLiteral("Cannot copy the template database to %1: %2").arg(db, why);
    return false;
  }
  return true;
}

bool layDownSettings(QString* error) {
  QByteArray bytes;
  if (!readShipped(QStringLiteral("Kelvantorium.new"), &bytes, error)) return false;
  ShopSettings defaults;
  QString why;
  if (!decodeSettings(bytes, 26, defaults, &why)) {
    if (error) *error = QStringLiteral("The shipped settings file is damaged: %1").arg(why);
    return false;
  }
  defaults.DbPath = SettingValue::ofText(plat::installPath(QStringLiteral("Kelvantorium.db")));
  return writeSettings(defaults, error);
}

}  // namespace

bool ensureInstallation(QString* error) {
  if (!QDir().mkpath(plat::installDir())) {
    if (error) *error = QStringLiteral("Cannot create the folder %1").arg(plat::installDir());
    return false;
  }
  // Only a folder without settings is a first start. Later, a database gone missing is reported
  // at the login: an empty one silently in its place would hide the loss and gather new sales
  // that a restore of the backup would then throw away.
  if (QFile::exists(settingsPath())) return true;
  // The database first: should the settings then fail, the next start finds the database in place
  // and only writes the settings.
  return layDownDatabase(error) && layDownSettings(error);
}

}  // namespace shell
