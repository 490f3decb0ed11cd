#include "partners/register.h"

#include "partners/customer_form.h"
#include "partners/history_form.h"
#include "partners/supplier_form.h"
#include "platform/form.h"

namespace partners {
void registerForms() {
  auto& r = plat::FormRegistry::instance();
  r.add(QStringLiteral("SupplierForm"), [] { return new SupplierForm; });
  r.add(QStringLiteral("CustomerForm"), [] { return new CustomerForm; });
  r.add(QStringLiteral("SupRep"), [] { return new SupRep; });
  r.add(QStringLiteral("CusRep"), [] { return new CusRep; });
}
}  // namespace partners
