#include "shell/login.h"

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>

#include "platform/clock.h"
#include "platform/dialogs.h"
#include "shell/lang.h"
#include "shell/security.h"
#include "shell/session.h"
#include "shell/settings.h"

namespace shell {

bool databaseWritable(const QString& path) {
  // The rollback journal is made beside the file, so its folder must take new files too.
  return QFileInfo(path).isWritable() && QFileInfo(QFileInfo(path).absolutePath()).isWritable();
}

frmLogin::frmLogin() {
  setWindowTitle(QStringLiteral("Login"));
  lblLabels[0] = new QLabel(QStringLiteral("&User Name:"), this);
  lblLabels[1] = new QLabel(QStringLiteral("&Password:"), this);
  txtUserName = new QLineEdit(this);
  txtPassword = new QLineEdit(this);
  txtPassword->setEchoMode(QLineEdit::Password);
  lblLabels[0]->setBuddy(txtUserName);
  lblLabels[1]->setBuddy(txtPassword);
  cmdOk = new QPushButton(QStringLiteral("OK"), this);
  cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
  // Enter on a focused button presses that button; anywhere else it presses OK (keyPressEvent).
  cmdOk->setDefault(true);
  cmdOk->setAutoDefault(true);
  cmdCancel->setAutoDefault(true);

  auto* grid = new QGridLayout(this);
  grid->addWidget(lblLabels[0], 0, 0);
  grid->addWidget(txtUserName, 0, 1);
  grid->addWidget(lblLabels[1], 1, 0);
  grid->addWidget(txtPassword, 1, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cmdOk);
  buttons->addWidget(cmdCancel);
  grid->addLayout(buttons, 2, 0, 1, 2);
  setTabOrder(txtUserName, txtPassword);
  setTabOrder(txtPassword, cmdOk);
  setTabOrder(cmdOk, cmdCancel);
  setMinimumWidth(320);

  connect(cmdOk, &QPushButton::clicked, this, &frmLogin::cmdOk_Click);
  connect(cmdCancel, &QPushButton::clicked, this, &frmLogin::cmdCancel_Click);
}

frmLogin::~frmLogin() = default;

void frmLogin::Form_Load() {
  QString error;
  if (!readSettings18(settings(), &error)) {
    plat::dialogs().message(error);
  } else if (!LoginConn.tryOpen(settings().DbPath.toText(), &error)) {
    plat::dialogs().message(error);
  } else if (!databaseWritable(settings().DbPath.toText())) {
    // Told now rather than by the first sale that fails to post; the user may still log in (to
    // choose another database, say).
    plat::dialogs().message(
        L(QStringLiteral("เขียนแฟ้มฐานข้อมูล %1 ไม่ได้ (ไม่มีสิทธิ์เขียนแฟ้มหรือโฟลเดอร์ของแฟ้ม) "
                         "จะบันทึกการขายหรือการแก้ไขใดๆ ไม่ได้จนกว่าจะแก้ไขสิทธิ์นี้"),
          QStringLiteral("The database %1 cannot be written (the file or its folder may not be written "
                         "to): no sale or change can be saved until that is put right."))
            .arg(QDir::toNativeSeparators(settings().DbPath.toText())),
        {}, plat::Icon::Warning);
  }
  placeFrameAt(QPoint(0, 0));
}

void frmLogin::Form_Unload() {
  LoginConn.close();
  if (!LoginSucceeded) emit cancelled();
}

void frmLogin::cmdOk_Click() {
  UserFound = false;
  // Without the connection (its failure was shown at load) a press does nothing visible.
  if (!LoginConn.isOpen()) return;
  const QString name = txtUserName->text();
  const LoginCheck check = checkLogin(LoginConn, name, txtPassword->text());
  switch (check.outcome) {
    case LoginCheck::Outcome::UnknownUser:
      // By design: an unknown user is told "Invalid Password" too, without the window's title.
      plat::dialogs().message(QStringLiteral("Invalid Password"));
      return;
    case LoginCheck::Outcome::WrongPassword:
      UserFound = true;
      plat::dialogs().message(QStringLiteral("Invalid Password, try again!"), QStringLiteral("Login"));
      activateWindow();
      txtPassword->setFocus();
      txtPassword->selectAll();
      return;
    case LoginCheck::Outcome::Failed:
      return;
    case LoginCheck::Outcome::Succeeded:
      break;
  }
  UserFound = true;
  session().permission = check.level;
  session().userName = name;
  session().loginTime = plat::now();
  LoginSucceeded = true;
  hide();
  emit succeeded();
  unload();
}

void frmLogin::cmdCancel_Click() {
  LoginSucceeded = false;
  hide();
  unload();
}

void frmLogin::keyPressEvent(QKeyEvent* e) {
  switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      e->accept();
      cmdOk_Click();
      return;
    case Qt::Key_Escape:
      e->accept();
      cmdCancel_Click();
      return;
    default:
      plat::Form::keyPressEvent(e);
  }
}

}  // namespace shell
