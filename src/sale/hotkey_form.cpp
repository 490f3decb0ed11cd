#include "sale/hotkey_form.h"

#include <QApplication>

#include "data/db.h"
#include "platform/dialogs.h"
#include "platform/units.h"
#include "sale/hotkeys.h"
#include "shell/lang.h"

namespace sale {

namespace {
constexpr int kKeyWidth = 615;
constexpr int kKeyHeight = 495;
constexpr int kPitch = 720;
constexpr int kArray = 47;

// A run of key-array members on one row, kPitch apart.
void run(QVector<KeySpec>& v, int first, int count, int left, int top) {
  for (int k = 0; k < count; ++k)
    v.push_back({"cmdKey", first + k, left + kPitch * k, top, kKeyWidth, "", first + k < kHotKeys});
}

// A caption as a button shows it: "&" is not a mnemonic here.
QString literal(const QString& s) {
  QString t = s;
  return t.replace(QLatin1Char('&'), QStringLiteral("&&"));
}
}  // namespace

const QVector<KeySpec>& keyboardLayout() {
  static const QVector<KeySpec> layout = [] {
    QVector<KeySpec> v;
    const int w = kKeyWidth;
    v.push_back({"cmdEsc", -1, 600, 360, w, "Esc", false});
    const char* f[] = {"cmdF1", "cmdF2", "cmdF3", "cmdF4",  "cmdF5",  "CmdF6",
                       "cmDF7", "cmdF8", "cmdF9", "cmdF10", "cmdF11", "cmdF12"};
    const char* fc[] = {"F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9", "F10", "F11", "F12"};
    const int groupLeft[] = {1800, 5160, 8520};
    for (int g = 0; g < 3; ++g)
      for (int k = 0; k < 4; ++k)
        v.push_back({f[4 * g + k], -1, groupLeft[g] + kPitch * k, 360, w, fc[4 * g + k], false});
    run(v, 34, 13, 600, 1200);
    v.push_back({"cmdBackspace", -1, 9960, 1200, 1335, "Backspace", false});
    v.push_back({"cmdTab", -1, 600, 1800, 975, "Tab", false});
    run(v, 0, 13, 1680, 1800);
    v.back().width = 975;  // the backslash key is wider
    v.push_back({"cmdCapsLock", -1, 600, 2400, 1335, "Caps Lock", true});
    run(v, 13, 11, 2040, 2400);
    v.push_back({"cmdEnter", -1, 9960, 2400, 1335, "Enter", false});
    v.push_back({"cmdLShift", -1, 600, 3000, 1695, "Shift", true});
    run(v, 24, 10, 2400, 3000);
    v.push_back({"cmdRShift", -1, 9600, 3000, 1695, "Shift", true});
    v.push_back({"cmdLCtrl", -1, 600, 3600, 975, "Ctrl", false});
    v.push_back({"cmdLStart", -1, 1680, 3600, 855, "Start Up", false});
    v.push_back({"cmdLAlt", -1, 2640, 3600, 975, "Alt", false});
    v.push_back({"cmdSpace", -1, 3720, 3600, 4455, "C  l  o  s  e", true});
    v.push_back({"cmdRAlt", -1, 8280, 3600, 975, "Alt", false});
    v.push_back({"cmdRStart", -1, 9360, 3600, 855, "Start Up", false});
    v.push_back({"cmdRCtrl", -1, 10320, 3600, 975, "Ctrl", false});
    return v;
  }();
  return layout;
}

QColor Frmkb::boundColour() { return plat::bgr(0x00C0C0FF); }
QColor Frmkb::faceColour() { return QApplication::palette().color(QPalette::Button); }
QColor Frmkb::pressedColour() { return QApplication::palette().color(QPalette::Dark); }

QColor Frmkb::colourOf(const QPushButton* b) { return b->palette().color(QPalette::Button); }

void Frmkb::paint(QPushButton* b, const QColor& c) {
  QPalette p = b->palette();
  p.setColor(QPalette::Button, c);
  b->setPalette(p);
}

Frmkb::Frmkb(QWidget* parent) : plat::Form(parent) {
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, plat::formBackground());
  setPalette(pal);
  setFont(plat::captionFont());
  setWindowTitle(QStringLiteral("Hot Key"));

  cmdKey.resize(kArray);
  tags_.resize(kHotKeys);
  for (const KeySpec& k : keyboardLayout()) {
    auto* b = new QPushButton(this);
    b->setFont(plat::captionFont(8.25, true));
    b->setGeometry(plat::twipsToPx(k.left), plat::twipsToPx(k.top), plat::twipsToPx(k.width),
                   plat::twipsToPx(kKeyHeight));
    b->setEnabled(k.enabled);
    b->setAutoDefault(false);
    if (k.index >= 0) {
      b->setObjectName(QStringLiteral("cmdKey(%1)").arg(k.index));
      cmdKey[k.index] = b;
      if (k.index < kHotKeys)
        connect(b, &QPushButton::clicked, this, [this, i = k.index] { cmdKey_Click(i); });
    } else {
      b->setObjectName(QString::fromLatin1(k.name));
      b->setText(QString::fromLatin1(k.caption));
      buttons_.insert(b->objectName(), b);
    }
  }
  cmdCapsLock = buttons_.value(QStringLiteral("cmdCapsLock"));
  cmdLShift = buttons_.value(QStringLiteral("cmdLShift"));
  cmdRShift = buttons_.value(QStringLiteral("cmdRShift"));
  cmdSpace = buttons_.value(QStringLiteral("cmdSpace"));
  connect(cmdCapsLock, &QPushButton::clicked, this, [this] { cmdCapsLock_Click(); });
  connect(cmdLShift, &QPushButton::clicked, this, [this] { cmdLShift_Click(); });
  connect(cmdRShift, &QPushButton::clicked, this, [this] { cmdRShift_Click(); });
  connect(cmdSpace, &QPushButton::clicked, this, [this] { cmdSpace_Click(); });
  setCaptions(false);
}

void Frmkb::Form_Load() {
  shiftState_ = 0;
  for (int i = 0; i < kHotKeys; ++i) tags_[i] = i + 1;
  const QSet<int> bound = readBound();
  for (int i = 0; i < kHotKeys; ++i)
    paint(cmdKey[i], bound.contains(tags_[i]) ? boundColour() : faceColour());
  if (shell::thai()) setWindowTitle(QStringLiteral("กำหนดค่าปุ่มลัด"));
}

QSet<int> Frmkb::readBound() {
  try {
    return boundHotKeys();
  } catch (const data::DbError& e) {
    plat::dialogs().message(e.text());
    return {};
  }
}

void Frmkb::setCaptions(bool shifted) {
  for (int i = 0; i < kHotKeys; ++i) cmdKey[i]->setText(literal(hotKeyChar(i, shifted)));
  for (int i = kHotKeys; i < kArray; ++i) cmdKey[i]->setText(literal(numberRowChar(i - kHotKeys, shifted)));
}

void Frmkb::markKey(int i, const QSet<int>& bound) {
  paint(cmdKey[i], bound.contains(tags_[i]) ? boundColour() : faceColour());
}

void Frmkb::toggle(const QList<QPushButton*>& painted) {
  const bool shift = shiftState_ == 0;
  setCaptions(shift);
  for (int i = 0; i < kHotKeys; ++i) tags_[i] = i + (shift ? 35 : 1);
  const QSet<int> bound = readBound();
  for (int i = 0; i < kHotKeys; ++i) markKey(i, bound);
  for (QPushButton* b : painted) paint(b, shift ? pressedColour() : faceColour());
  shiftState_ = shift ? 1 : 0;
}

void Frmkb::cmdCapsLock_Click() { toggle({cmdCapsLock}); }

void Frmkb::cmdLShift_Click() { toggle({cmdLShift, cmdRShift}); }

void Frmkb::cmdRShift_Click() { cmdLShift_Click(); }

void Frmkb::cmdSpace_Click() { unload(); }

void Frmkb::cmdKey_Click(int index) {
  if (index < 0 || index >= kHotKeys) return;
  const int kbid = tags_[index];
  const QString missing = shell::L(QStringLiteral("ไม่พบปุ่มลัดหมายเลข %1 ในตาราง settingkb"),
                                   QStringLiteral("Hot key %1 is missing from table settingkb"))
                              .arg(kbid);
  try {
    const std::optional<QString> current = hotKeyProduct(kbid);
    if (!current) {
      plat::dialogs().message(missing);
    } else {
      const QString caption = hotKeyChar(index, kbid > kHotKeys);
      const std::optional<QString> answer =
          shell::thai() ? plat::dialogs().inputBox(QStringLiteral("กรุณาใส่รหัสสินค้าในปุ่มตัวอักษร ") + caption,
                                                   QStringLiteral("ใส่รหัสสินค้า"), *current)
                        : plat::dialogs().inputBox(QStringLiteral("Product ID in button") + caption,
                                                   QStringLiteral("Product  ID"), *current);
      // Cancel keeps the binding; OK on an emptied box unbinds the key.
      if (answer && !bindHotKey(kbid, *answer)) plat::dialogs().message(missing);
    }
  } catch (const data::DbError& e) {
    plat::dialogs().message(e.text());
  }
  // Shift holds for one assignment only.
  if (colourOf(cmdLShift) == pressedColour()) {
    shiftState_ = 1;
    cmdLShift_Click();
  }
  markKey(index, readBound());
}

}  // namespace sale
