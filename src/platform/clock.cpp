#include "platform/clock.h"

namespace plat {
namespace {
QDateTime g_fixed;
}
QDateTime now() { return g_fixed.isValid() ? g_fixed : QDateTime::currentDateTime(); }
QDate today() { return now().date(); }
QTime timeNow() { return now().time(); }
void setClock(const QDateTime& t) { g_fixed = t; }
}  // namespace plat
