#pragma once
// Files of the installation folder and the files the program ships with.
#include <QByteArray>
#include <QString>

namespace plat {
// $XDG_DATA_HOME/Quorvanel (default ~/.local/share/Quorvanel).
QString installDir();
QString installPath(const QString& fileName);
// Where the shipped files lie: $QUORVANEL_SHIPPED when set, else "shipped" beside the executable.
QString shippedDir();
QString shippedPath(const QString& fileName);
// COM port n: <install>/COMn when that exists, else /dev/ttyS<n-1>.
QString comPortDevice(int n);
// LPT1: <install>/LPT1 when that exists, else /dev/lp0.
QString lptDevice();

// Replaces path with bytes through a temporary file in the same folder and a rename, so a failed
// write leaves the old file whole. Returns false and sets *error on failure, and *diskFull when
// the failure was a lack of room: a full disk, a quota or a file size limit.
bool replaceFileAtomic(const QString& path, const QByteArray& bytes, QString* error,
                       bool* diskFull = nullptr);
// Writes bytes to the raw port (LPT1), opening and closing it at this call on every path.
bool writeRawPort(const QByteArray& bytes, QString* error);
}  // namespace plat
