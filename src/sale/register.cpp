#include "sale/register.h"

#include "platform/form.h"
#include "sale/main_form.h"

namespace sale {
void registerForms() {
  plat::FormRegistry::instance().add(QStringLiteral("MainForm"), [] { return new MainForm; });
}
}  // namespace sale
