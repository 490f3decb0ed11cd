#include "shell/session.h"

namespace shell {
Session& session() {
  static Session s;
  return s;
}
}  // namespace shell
