#pragma once
// The user accounts window: adds users, changes passwords, deletes users and sets their levels.
#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QString>
#include <optional>
#include <vector>

#include "platform/form.h"
#include "platform/ui_kit.h"
#include "shell/accounts.h"

namespace shell {

// ---- the user accounts window ----

class SecurityFrm : public plat::Form {
  Q_OBJECT
 public:
  enum Mode { AddUser = 1, ChangePassword = 2, DeleteUser = 3, SetPermission = 4 };

  SecurityFrm();
  void Form_Load() override;
  bool unloadsOnDeactivate() const override { return true; }
  QRect designGeometry() const override { return {0, 0, 5325, 3800}; }

  void Madd_Click();
  void Mchpass_Click();
  void Mdeluser_Click();
  void MPer_Click();
  // Adds every user name but "Admin" to the list (its callers clear it first).
  void UsrList();
  void UserName_Click();
  void txtUserName_Change();
  void cmdOk_Click();

  int UserMode = SetPermission;

  QMenuBar* menuBar = nullptr;
  QAction* Mchpass = nullptr;
  QAction* Madd = nullptr;
  QAction* Mdeluser = nullptr;
  QAction* MPer = nullptr;
  QLabel* LblU = nullptr;
  QLabel* LblP = nullptr;
  QLineEdit* txtUserName = nullptr;
  QComboBox* UserName = nullptr;
  QLineEdit* txtPassword = nullptr;
  QPushButton* cmdOk = nullptr;
  QGroupBox* FrPer = nullptr;
  QRadioButton* opt0 = nullptr;
  QRadioButton* opt1 = nullptr;
  QRadioButton* opt2 = nullptr;

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  void setMode(Mode m, bool refill, bool withAdmin);
  void fillList(bool withAdmin);
  void clearLevels();
  // The user picked in the list, or nullopt when none is.
  std::optional<QString> pickedUser() const;

  // A menu item of the window with both its captions.
  struct MenuCaption {
    QAction* SecurityFrm::*action;
    QString english;
    QString thai;
  };
  static const std::vector<MenuCaption>& menuCaptions();

  plat::ui::Controls controls_;
  QButtonGroup* levels_ = nullptr;
};

}  // namespace shell
