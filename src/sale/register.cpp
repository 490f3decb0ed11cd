#include "sale/register.h"

#include "platform/form.h"
#include "sale/hotkey_form.h"
#include "sale/line_editor.h"
#include "sale/main_form.h"
#include "sale/sell_form.h"

namespace sale {
void registerForms() {
  auto& reg = plat::FormRegistry::instance();
  reg.add(QStringLiteral("MainForm"), [] { return new MainForm; });
  reg.add(QStringLiteral("MEditPriceQ"), [] { return new MEditPriceQ; });
  reg.add(QStringLiteral("Frmkb"), [] { return new Frmkb; });
  reg.add(QStringLiteral("SellForm"), [] { return new SellForm; });
}
}  // namespace sale
