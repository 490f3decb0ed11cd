#include "stock/register.h"

#include "platform/form.h"
#include "stock/addf.h"
#include "stock/stock_value.h"
#include "stock/stockf.h"

namespace stock {
void registerForms() {
  auto& r = plat::FormRegistry::instance();
  r.add(QStringLiteral("AddF"), [] { return new AddF; });
  r.add(QStringLiteral("StockF"), [] { return new StockF; });
  r.add(QStringLiteral("StockValue"), [] { return new StockValue; });
}
}  // namespace stock
