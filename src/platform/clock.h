#pragma once
// The program's one clock. Tests fix it; everything that stamps a date or time asks it.
#include <QDate>
#include <QDateTime>
#include <QTime>

namespace plat {
QDateTime now();
QDate today();
QTime timeNow();
// Fixes the clock at t (tests); an invalid t lets it run with the system clock again.
void setClock(const QDateTime& t);
}  // namespace plat
