#include "shell/register.h"

#include "platform/form.h"
#include "shell/security.h"

namespace shell {
void registerForms() {
  plat::FormRegistry::instance().add(QStringLiteral("SecurityFrm"), [] { return new SecurityFrm; });
}
}  // namespace shell
