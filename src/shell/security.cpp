#include "shell/security.h"

#include <QApplication>
#include <QMdiSubWindow>
#include <QVBoxLayout>

#include "data/tell_failure.h"
#include "platform/dialogs.h"
#include "platform/ui_kit.h"
#include "platform/units.h"
#include "shell/application.h"
#include "shell/lang.h"

namespace shell {

// ---- the user accounts window ----

namespace {
void whiteText(QWidget* w) {
  QPalette p = w->palette();
  p.setColor(QPalette::WindowText, Qt::white);
  w->setPalette(p);
}
void tooltipBackground(QWidget* w) {
  QPalette p = w->palette();
  p.setColor(QPalette::Base, QApplication::palette().color(QPalette::ToolTipBase));
  w->setPalette(p);
}
}  // namespace

namespace {
using K = plat::ui::Kind;

const QVector<plat::ui::Control>& controlRows() {
  static const QVector<plat::ui::Control> rows = {
      {"LblU", K::Label, {240, 240, 1215, 255}, "UserName", "รหัสผู้ใช้"},
      {"LblP", K::Label, {240, 720, 1215, 255}, "Password", "รหัสผ่าน"},
      {"txtUserName", K::Box, {1560, 240, 2295, 375}},
      {"UserName", K::Combo, {1560, 240, 2295, 375}},
      {"txtPassword", K::Box, {1560, 720, 2295, 375}},
      {"cmdOk", K::Button, {3960, 240, 735, 375}, "OK", "ตกลง"},
      {"FrPer", K::Frame, {120, 1200, 4935, 1815}, "Level of Permission", "ระดับของการอนุญาต"},
      {"opt0",
       K::Option,
       {360, 360, 4455, 255},
       "LV0 (Admin Level : Can use all form)",
       "ระดับ 0 : สามารถใช้งานได้ทั้งหมด",
       "FrPer"},
      {"opt1",
       K::Option,
       {360, 840, 4455, 255},
       "LV1(General Level : Can use many form)",
       "ระดับ 1 : ใช้งานในหน้าต่างที่สำคัญ",
       "FrPer"},
      {"opt2",
       K::Option,
       {360, 1320, 4455, 255},
       "LV2(Cahier Level : Can use only Sell form)",
       "ระดับ 2 : ใช้งานได้เฉพาะหน้าจอขาย",
       "FrPer"},
  };
  return rows;
}
}  // namespace

// The window's menu bar, one item a row with both captions.
const std::vector<SecurityFrm::MenuCaption>& SecurityFrm::menuCaptions() {
  static const std::vector<MenuCaption> rows = {
      {&SecurityFrm::Mchpass, QStringLiteral("&Changed Password"), QStringLiteral("เปลี่ยนรหัสผ่าน")},
      {&SecurityFrm::Madd, QStringLiteral("&Add"), QStringLiteral("เพิ่มผู้ใช้")},
      {&SecurityFrm::Mdeluser, QStringLiteral("&Delete User"), QStringLiteral("ลบผู้ใช้")},
      {&SecurityFrm::MPer, QStringLiteral("&Permission"), QStringLiteral("การอนุญาต")},
  };
  return rows;
}

SecurityFrm::SecurityFrm() {
  setWindowTitle(QStringLiteral("Security"));
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, plat::formBackground());
  setPalette(pal);
  setFont(plat::captionFont());

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  menuBar = new QMenuBar(this);
  menuBar->setAutoFillBackground(true);
  menuBar->setPalette(QApplication::palette());
  for (const MenuCaption& m : menuCaptions()) this->*m.action = menuBar->addAction(m.english);
  layout->setMenuBar(menuBar);
  auto* client = new QWidget(this);
  layout->addWidget(client);

  controls_.build(client, controlRows());
  LblU = controls_.get<QLabel>("LblU");
  LblP = controls_.get<QLabel>("LblP");
  for (QLabel* l : {LblU, LblP}) {
    l->setFont(plat::captionFont(9.75, true));
    whiteText(l);
  }
  txtUserName = controls_.get<QLineEdit>("txtUserName");
  UserName = controls_.get<QComboBox>("UserName");
  txtPassword = controls_.get<QLineEdit>("txtPassword");
  txtPassword->setEchoMode(QLineEdit::Password);
  for (QWidget* w : {static_cast<QWidget*>(txtUserName), static_cast<QWidget*>(UserName),
                     static_cast<QWidget*>(txtPassword)})
    tooltipBackground(w);
  cmdOk = controls_.get<QPushButton>("cmdOk");
  FrPer = controls_.get<QGroupBox>("FrPer");
  whiteText(FrPer);
  opt0 = controls_.get<QRadioButton>("opt0");
  opt1 = controls_.get<QRadioButton>("opt1");
  opt2 = controls_.get<QRadioButton>("opt2");
  levels_ = new QButtonGroup(this);
  for (QRadioButton* o : {opt0, opt1, opt2}) {
    whiteText(o);
    levels_->addButton(o);
  }
  client->setMinimumSize(plat::twipsToPx(5205), plat::twipsToPx(3100));

  connect(Mchpass, &QAction::triggered, this, &SecurityFrm::Mchpass_Click);
  connect(Madd, &QAction::triggered, this, &SecurityFrm::Madd_Click);
  connect(Mdeluser, &QAction::triggered, this, &SecurityFrm::Mdeluser_Click);
  connect(MPer, &QAction::triggered, this, &SecurityFrm::MPer_Click);
  connect(UserName, &QComboBox::activated, this, [this](int) { UserName_Click(); });
  connect(txtUserName, &QLineEdit::textChanged, this, [this](const QString&) { txtUserName_Change(); });
  connect(cmdOk, &QPushButton::clicked, this, &SecurityFrm::cmdOk_Click);
}

void SecurityFrm::Form_Load() {
  if (thai()) setWindowTitle(QStringLiteral("ความปลอดภัย"));
  for (const MenuCaption& m : menuCaptions()) (this->*m.action)->setText(thai() ? m.thai : m.english);
  controls_.setLanguage(lang());
  MPer_Click();
}

void SecurityFrm::showEvent(QShowEvent* e) {
  plat::Form::showEvent(e);
  // A fixed single border without minimize or maximize, kept at the size it was placed at.
  if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) {
    if (!sub->property("fixed").toBool()) {
      sub->setProperty("fixed", true);
      const QRect placed = sub->geometry();
      sub->setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
      sub->setFixedSize(placed.size());
      sub->move(placed.topLeft());
    }
  }
}

void SecurityFrm::setMode(Mode m, bool refill, bool withAdmin) {
  if (refill) fillList(withAdmin);
  UserMode = m;
  UserName->setVisible(m != AddUser);
  txtUserName->setVisible(m == AddUser);
  txtPassword->setVisible(m == AddUser || m == ChangePassword);
  LblU->setVisible(true);
  LblP->setVisible(m == AddUser || m == ChangePassword);
  FrPer->setVisible(m == SetPermission);
  cmdOk->setVisible(true);
}

void SecurityFrm::fillList(bool withAdmin) {
  UserName->clear();
  for (const QString& n : users::names(data::Conn(), withAdmin)) UserName->addItem(n);
  UserName->setCurrentIndex(-1);
}

void SecurityFrm::UsrList() {
  data::tellOnFailure([&] {
    for (const QString& n : users::names(data::Conn(), false)) UserName->addItem(n);
    UserName->setCurrentIndex(-1);
  });
}

void SecurityFrm::Madd_Click() { setMode(AddUser, false, false); }

void SecurityFrm::Mchpass_Click() {
  data::tellOnFailure([&] { setMode(ChangePassword, true, true); });
}

void SecurityFrm::Mdeluser_Click() {
  data::tellOnFailure([&] { setMode(DeleteUser, true, false); });
}

void SecurityFrm::MPer_Click() {
  data::tellOnFailure([&] { setMode(SetPermission, true, false); });
}

std::optional<QString> SecurityFrm::pickedUser() const {
  if (UserName->currentIndex() < 0) return std::nullopt;
  return UserName->currentText();
}

void SecurityFrm::clearLevels() {
  levels_->setExclusive(false);
  for (QRadioButton* o : {opt0, opt1, opt2}) o->setChecked(false);
  levels_->setExclusive(true);
}

void SecurityFrm::UserName_Click() {
  cmdOk->setEnabled(true);
  if (UserMode != SetPermission) return;
  const auto user = pickedUser();
  if (!user) return;
  data::tellOnFailure([&] {
    const std::optional<int> level = users::permission(data::Conn(), *user);
    if (level == 0)
      opt0->setChecked(true);
    else if (level == 1)
      opt1->setChecked(true);
    else if (level == 2)
      opt2->setChecked(true);
    else
      clearLevels();
  });
}

void SecurityFrm::txtUserName_Change() {
  if (!txtUserName->text().isEmpty()) cmdOk->setEnabled(true);
}

namespace {
// The window's own words beside the described ones, each in both languages.
enum class Word { TypeName, NameTaken, NotFound };

QString said(Word w) {
  static const Words<Word> rows[] = {
      {Word::TypeName, QStringLiteral("กรุณาพิมพ์ชื่อผู้ใช้"), QStringLiteral("Please type a user name")},
      {Word::NameTaken, QStringLiteral("มีผู้ใช้ชื่อนี้อยู่แล้ว"), QStringLiteral("This user name already exists")},
      {Word::NotFound, QStringLiteral("ไม่พบผู้ใช้นี้"), QStringLiteral("User not found")},
  };
  return wordsFor(rows, w, thai());
}
}  // namespace

void SecurityFrm::cmdOk_Click() {
  auto& dlg = plat::dialogs();
  // By design: the questions and the success messages stay English in both languages.
  try {
    switch (UserMode) {
      case AddUser: {
        if (txtUserName->text().trimmed().isEmpty()) {
          dlg.message(said(Word::TypeName));
          txtUserName->setFocus();
          return;
        }
        if (users::exists(data::Conn(), txtUserName->text())) {
          dlg.message(said(Word::NameTaken));
          txtUserName->setFocus();
          txtUserName->selectAll();
          return;
        }
        users::add(data::Conn(), txtUserName->text(), txtPassword->text());
        dlg.message(QStringLiteral("New User is Insert"));
        txtUserName->clear();
        txtPassword->clear();
        break;
      }
      case ChangePassword: {
        const auto user = pickedUser();
        if (!user) return;  // nobody picked: nothing to change
        if (dlg.askYesNo(QStringLiteral("Do you want to change password"))) {
          const int n = users::changePassword(data::Conn(), *user, txtPassword->text());
          dlg.message(n == 1 ? QStringLiteral("Password has Change Complete") : said(Word::NotFound));
          UserName->clear();
          UsrList();
          txtPassword->clear();
        }
        break;
      }
      case DeleteUser: {
        const auto user = pickedUser();
        if (!user) return;
        if (dlg.askYesNo(QStringLiteral("Do you want to delete user"))) {
          const int n = users::remove(data::Conn(), *user);
          dlg.message(n == 1 ? QStringLiteral("User is Delete") : said(Word::NotFound));
          UserName->clear();
          UsrList();
          txtPassword->clear();
        }
        break;
      }
      case SetPermission: {
        const auto user = pickedUser();
        if (!user) return;
        const int level = opt0->isChecked() ? PermAll : opt1->isChecked() ? PermMain : PermSale;
        if (users::setPermission(data::Conn(), *user, level) != 1) dlg.message(said(Word::NotFound));
        break;
      }
      default:
        break;
    }
  } catch (const std::exception& e) {
    // What was done before the failure stays; the boxes keep their text and OK stays enabled.
    dlg.message(failureText(e));
    return;
  }
  cmdOk->setEnabled(false);
}

}  // namespace shell
