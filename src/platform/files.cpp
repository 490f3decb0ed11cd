#include "platform/files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <cerrno>
#include <cstring>

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

bool replaceFileAtomic(const QString& path, const QByteArray& bytes, QString* error, bool* diskFull) {
  QSaveFile f(path);
  // The device's own words, and whether it ran out of room: its error string can be a bare
  // "Unknown error" after a failed commit, while the error number still says why.
  auto failed = [&] {
    const int err = errno;
    const bool full =
        f.error() == QFileDevice::ResourceError || err == ENOSPC || err == EDQUOT || err == EFBIG;
    if (diskFull) *diskFull = full;
    if (error) *error = full ? QString::fromLocal8Bit(std::strerror(ENOSPC)) : f.errorString();
    return false;
  };
  if (diskFull) *diskFull = false;
  errno = 0;
  if (!f.open(QIODevice::WriteOnly)) return failed();
  // The bytes are flushed here: QSaveFile's commit does not notice a failed flush of its buffer
  // (a full disk) and would put a cut-short file in place.
  if (f.write(bytes) != bytes.size() || !f.flush()) {
    failed();
    f.cancelWriting();
    return false;
  }
  if (!f.commit()) return failed();
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
