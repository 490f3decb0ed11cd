#include "shell/register.h"

#include "platform/form.h"
#include "shell/admin.h"
#include "shell/backup_data.h"
#include "shell/file_chooser.h"
#include "shell/mainwindow.h"
#include "shell/option_form.h"
#include "shell/security.h"

namespace shell {
void registerForms() {
  auto& reg = plat::FormRegistry::instance();
  reg.add(QStringLiteral("SecurityFrm"), [] { return new SecurityFrm; });
  reg.add(QStringLiteral("OptionF"), [] { return new OptionF; });
  reg.add(QStringLiteral("BackupData"), [] { return new BackupData; });
  reg.add(QStringLiteral("LoadData"), [] { return new LoadData; });
  reg.add(QStringLiteral("BrowseData"), [] { return new BrowseData; });
  MHarvelmoquin::setStockReset(runStockReset);
}
}  // namespace shell
