#include "reports/register.h"

#include "platform/form.h"
#include "reports/analyze_form.h"
#include "reports/bill_form.h"
#include "reports/price_form.h"
#include "reports/sale_period_reports.h"

namespace reports {
void registerForms() {
  auto& r = plat::FormRegistry::instance();
  r.add(QStringLiteral("BillF"), [] { return new BillF; });
  r.add(QStringLiteral("DayReport"), [] { return new DayReport; });
  r.add(QStringLiteral("MoReport"), [] { return new MoReport; });
  r.add(QStringLiteral("YearReport"), [] { return new YearReport; });
  r.add(QStringLiteral("EmpReport"), [] { return new EmpReport; });
  r.add(QStringLiteral("AnalyzeForm"), [] { return new AnalyzeForm; });
  r.add(QStringLiteral("PriceForm"), [] { return new PriceForm; });
}
}  // namespace reports
