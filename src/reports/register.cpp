#include "reports/register.h"

#include "platform/form.h"
#include "reports/bill_form.h"

namespace reports {
void registerForms() {
  auto& r = plat::FormRegistry::instance();
  r.add(QStringLiteral("BillF"), [] { return new BillF; });
}
}  // namespace reports
