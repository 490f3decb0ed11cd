#include "shell/line_edit_form.h"

#include <QMdiArea>

#include "platform/char_filter.h"
#include "platform/keys.h"
#include "shell/lang.h"

namespace shell {

namespace {
const QString& quantityChars() {
  static const QString s = QStringLiteral("0123456789");
  return s;
}
const QString& priceChars() {
  static const QString s = QStringLiteral("0123456789.");
  return s;
}
}  // namespace

void LineEditForm::build(const QVector<plat::ui::Control>& rows, const QString& okName) {
  controls_.build(this, rows);
  lblQ = controls_.get<QLabel>(QStringLiteral("lblQ"));
  txtQuantity = controls_.get<QLineEdit>(QStringLiteral("txtQuantity"));
  lblPrice = controls_.get<QLabel>(QStringLiteral("lblPrice"));
  txtPrice = controls_.get<QLineEdit>(QStringLiteral("txtPrice"));
  cmdRemove = controls_.get<QPushButton>(QStringLiteral("cmdRemove"));
  plat::onKeyPress(txtQuantity, [this](int& k) { txtQuantity_KeyPress(k); });
  plat::onKeyPress(txtPrice, [this](int& k) { txtPrice_KeyPress(k); });
  connect(controls_.get<QPushButton>(okName), &QPushButton::clicked, this, [this] { ok(); });
  connect(cmdRemove, &QPushButton::clicked, this, [this] { cmdRemove_Click(); });
}

void LineEditForm::Form_Load() {
  loadLine();
  txtQuantity->selectAll();
  txtQuantity->setFocus();
  if (QWidget* w = mainWindow()) w->setEnabled(false);
  controls_.setLanguage(lang());
}

QWidget* LineEditForm::mainWindow() {
  QMdiArea* mdi = plat::FormRegistry::instance().mdiArea();
  return mdi ? mdi->window() : nullptr;
}

void LineEditForm::txtQuantity_KeyPress(int& keyAscii) {
  if (!plat::keyPasses(keyAscii, quantityChars())) {
    keyAscii = 0;
  } else if (keyAscii == plat::Enter) {
    keyAscii = 0;
    txtPrice->setFocus();
    txtPrice->selectAll();
  }
}

void LineEditForm::txtPrice_KeyPress(int& keyAscii) {
  if (!plat::keyPasses(keyAscii, priceChars())) {
    keyAscii = 0;
  } else if (keyAscii == plat::Enter) {
    keyAscii = 0;
    ok();
  }
}

void LineEditForm::Form_Deactivate() { unload(); }

void LineEditForm::changeEvent(QEvent* event) {
  plat::Form::changeEvent(event);
  if (event->type() != QEvent::ActivationChange || isActiveWindow()) return;
  // The editor's own message boxes do not count; another program or another window of this one does.
  plat::whenActivationLost(this, [this] { Form_Deactivate(); });
}

}  // namespace shell
