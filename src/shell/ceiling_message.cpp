#include "shell/ceiling_message.h"

#include "shell/lang.h"

namespace shell {

QString overCeilingMessage(const QString& boxThai, const QString& boxEnglish, plat::Ceiling kind) {
  const QString ceiling = plat::ceilingText(kind);
  return L(boxThai + QStringLiteral(" ต้องไม่เกิน ") + ceiling,
           boxEnglish + QStringLiteral(" cannot be more than ") + ceiling);
}

}  // namespace shell
