#pragma once
// Code page 874 (Thai) both ways, through the C library's iconv.
#include <QByteArray>
#include <QString>

namespace plat {
// Characters that code page 874 cannot hold become '?'.
QByteArray toCp874(const QString& text);
QString fromCp874(const QByteArray& bytes);
}  // namespace plat
