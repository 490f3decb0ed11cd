#pragma once
// Who is logged in, set by the login.
#include <QDateTime>
#include <QString>

namespace shell {
struct Session {
  QString userName;
  int permission = 2;  // 0 all, 1 the important windows, 2 the sale screen
  QDateTime loginTime;
};
Session& session();
}  // namespace shell
