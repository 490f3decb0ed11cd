#include "platform/files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace plat {

QString installDir() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/Quorvanel";
}

QString installPath(const QString& fileName) { return installDir() + '/' + fileName; }

QString shippedDir() {
  const QByteArray env = qgetenv("QUORVANEL_SHIPPED");
  if (!env.isEmpty()) return QString::fromLocal8Bit(env);
  return QCoreApplication::applicationDirPath() + "/shipped";
}

QString shippedPath(const QString& fileName) { return shippedDir() + '/' + fileName; }

QString comPortDevice(int n) {
  const QString link = installPath(QStringLiteral("COM%1").arg(n));
  if (QFileInfo::exists(link)) return link;
  return QStringLiteral("/dev/ttyS%1").arg(n - 1);
}

QString lptDevice() {
  const QString link = installPath(QStringLiteral("LPT1"));
  if (QFileInfo::exists(link)) return link;
  return QStringLiteral("/dev/lp0");
}

bool replaceFileAtomic(const QString& path, const QByteArray& bytes, QString* error) {
  QSaveFile f(path);
  if (!f.open(QIODevice::WriteOnly)) {
    if (error) *error = f.errorString();
    return false;
  }
  // The bytes are flushed here: QSaveFile's commit does not notice a failed flush of its buffer
  // (a full disk) and would put a cut-short file in place.
  if (f.write(bytes) != bytes.size() || !f.flush()) {
    if (error) *error = f.errorString();
    f.cancelWriting();
    return false;
  }
  if (!f.commit()) {
    if (error) *error = f.errorString();
    return false;
  }
  return true;
}

bool writeRawPort(const QByteArray& bytes, QString* error) {
  QFile port(lptDevice());
  // Append keeps a test file's earlier output and is what a device expects anyway.
  if (!port.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) {
    if (error) *error = port.errorString();
    return false;
  }
  const bool ok = port.write(bytes) == bytes.size();
  if (!ok && error) *error = port.errorString();
  port.close();
  return ok;
}

}  // namespace plat
