#pragma once
// "Backup Your Data": copies the database in use to a backup file. The shared connection is
// closed while the window is open and reopened when it unloads.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "platform/form.h"
#include "platform/ui_kit.h"

namespace shell {

class BackupData : public plat::Form {
  Q_OBJECT
 public:
  BackupData();
  bool isTopLevelWindow() const override { return true; }
  bool unloadsOnDeactivate() const override { return !copying_; }
  void Form_Load() override;
  void Form_Unload() override;

  void cmdOk_Click();
  void cmdCancel_Click() { unload(); }

  QLabel* lblBFname = nullptr;
  QLineEdit* Text1 = nullptr;
  QPushButton* cmdOk = nullptr;
  QPushButton* cmdCancel = nullptr;

 private:
  plat::ui::Controls controls_;
  // The window stays while the backup waits for another till, even if another one is activated.
  bool copying_ = false;
};

}  // namespace shell
