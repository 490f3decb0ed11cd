#include "stock/register.h"

#include "platform/form.h"
#include "stock/addf.h"

namespace stock {
void registerForms() {
  auto& r = plat::FormRegistry::instance();
  r.add(QStringLiteral("AddF"), [] { return new AddF; });
}
}  // namespace stock
