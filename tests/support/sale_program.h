#pragma once
// The whole program for end-to-end sale tests: a fresh installation, the sale screen registered,
// the login as Admin, and everything unloaded afterwards.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QStandardPaths>
#include <memory>

#include "data/db.h"
#include "platform/dialogs.h"
#include "platform/form.h"
#include "sale/register.h"
#include "shell/login.h"
#include "shell/mainwindow.h"
#include "shell/settings.h"
#include "support/scripted_dialogs.h"
#include "support/testenv.h"

namespace salefx {

class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    shell::settings() = shell::ShopSettings{};
    testenv::freshInstallation();
    sale::registerForms();
  }
  void TearDown() override {
    plat::FormRegistry::instance().unloadAll();
    main.reset();
    testenv::pump();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    data::Conn().close();
    shell::settings() = shell::ShopSettings{};
  }
  // Logs in as Admin through the login window; true when it handed over to the main window.
  bool logIn() {
    auto* login = new shell::frmLogin;
    login->Form_Load();
    login->show();
    bool handed = false;
    QObject::connect(login, &shell::frmLogin::succeeded, [&handed] { handed = true; });
    login->txtUserName->setText(QStringLiteral("Admin"));
    login->txtPassword->setText(QStringLiteral("admin"));
    login->cmdOk_Click();
    if (!handed) delete login;
    testenv::pump();
    return handed;
  }
  static bool have(const char* tool) {
    return !QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty();
  }

  plat::ScriptedDialogs dlg;
  std::unique_ptr<shell::MHarvelmoquin> main;
};

}  // namespace salefx
