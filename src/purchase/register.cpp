#include "purchase/register.h"

#include "platform/form.h"
#include "purchase/buy_edit_price_q.h"
#include "purchase/buy_form.h"
#include "purchase/buy_period_reports.h"
#include "purchase/buy_report.h"

namespace purchase {
void registerForms() {
  auto& reg = plat::FormRegistry::instance();
  reg.add(QStringLiteral("BuyForm"), [] { return new BuyForm; });
  reg.add(QStringLiteral("BuyEditPriceQ"), [] { return new BuyEditPriceQ; });
  reg.add(QStringLiteral("BuyReport"), [] { return new BuyReport; });
  reg.add(QStringLiteral("BuyDayReport"), [] { return new BuyDayReport; });
  reg.add(QStringLiteral("MoBuyForm"), [] { return new MoBuyForm; });
  reg.add(QStringLiteral("YrBuyReport"), [] { return new YrBuyReport; });
}
}  // namespace purchase
