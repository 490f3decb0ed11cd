#pragma once
// The login window, the program's first window. It reads the first 18 settings fields, opens a
// database connection of its own, and checks the typed user name and password against Security.
// By design: its texts are English whatever the language setting.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "data/db.h"
#include "platform/form.h"

namespace shell {

// Whether the database file and its folder may be written (the folder takes the journal).
bool databaseWritable(const QString& path);

class frmLogin : public plat::Form {
  Q_OBJECT
 public:
  frmLogin();
  ~frmLogin() override;

  bool isTopLevelWindow() const override { return true; }
  void Form_Load() override;
  void Form_Unload() override;

  void cmdOk_Click();
  void cmdCancel_Click();

  // The window's own connection (not the shared one).
  data::Db& loginConn() { return LoginConn; }

  QLabel* lblLabels[2] = {nullptr, nullptr};
  QLineEdit* txtUserName = nullptr;
  QLineEdit* txtPassword = nullptr;
  QPushButton* cmdOk = nullptr;
  QPushButton* cmdCancel = nullptr;

  bool LoginSucceeded = false;
  bool UserFound = false;

 signals:
  // The user and level are set in session(): show the main window now (the login is hidden and
  // unloads right after).
  void succeeded();
  // Cancel or closing the window: the program ends without writing the settings.
  void cancelled();

 protected:
  void keyPressEvent(QKeyEvent* e) override;

 private:
  data::Db LoginConn;
};

}  // namespace shell
