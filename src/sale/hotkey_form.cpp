#include "sale/hotkey_form.h"

#include <QApplication>

#include "data/tell_failure.h"
#include "platform/dialogs.h"
#include "platform/units.h"
#include "sale/hotkeys.h"
#include "shell/form_style.h"
#include "shell/lang.h"

namespace sale {

using plat::ui::Control;
using plat::ui::Kind;

namespace {
constexpr int kKeyWidth = 615;
constexpr int kKeyHeight = 495;
constexpr int kPitch = 720;
constexpr int kArray = 47;

Control key(const QString& name, int left, int top, int width, const char* caption = "") {
  return {name, Kind::Button, {left, top, width, kKeyHeight}, QString::fromLatin1(caption)};
}

QString arrayName(int index) { return QStringLiteral("cmdKey(%1)").arg(index); }

// A run of key-array members on one row, kPitch apart.
void run(QVector<Control>& v, int first, int count, int left, int top) {
  for (int k = 0; k < count; ++k) v.push_back(key(arrayName(first + k), left + kPitch * k, top, kKeyWidth));
}

// The keys that work: the hot keys, Caps Lock, the two Shifts and Space, which closes the window.
// The others complete the picture of a keyboard.
bool live(const QString& name) {
  for (int i = 0; i < kHotKeys; ++i)
    if (name == arrayName(i)) return true;
  return name == QLatin1String("cmdCapsLock") || name == QLatin1String("cmdLShift") ||
         name == QLatin1String("cmdRShift") || name == QLatin1String("cmdSpace");
}

// A caption as a button shows it: "&" is not a mnemonic here.
QString literal(const QString& s) {
  QString t = s;
  return t.replace(QLatin1Char('&'), QStringLiteral("&&"));
}
}  // namespace

const QVector<Control>& keyboardLayout() {
  static const QVector<Control> layout = [] {
    QVector<Control> v;
    const int w = kKeyWidth;
    v.push_back(key(QStringLiteral("cmdEsc"), 600, 360, w, "Esc"));
    const char* f[] = {"cmdF1", "cmdF2", "cmdF3", "cmdF4",  "cmdF5",  "CmdF6",
                       "cmDF7", "cmdF8", "cmdF9", "cmdF10", "cmdF11", "cmdF12"};
    const char* fc[] = {"F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9", "F10", "F11", "F12"};
    const int groupLeft[] = {1800, 5160, 8520};
    for (int g = 0; g < 3; ++g)
      for (int k = 0; k < 4; ++k)
        v.push_back(key(QString::fromLatin1(f[4 * g + k]), groupLeft[g] + kPitch * k, 360, w, fc[4 * g + k]));
    run(v, 34, 13, 600, 1200);
    v.push_back(key(QStringLiteral("cmdBackspace"), 9960, 1200, 1335, "Backspace"));
    v.push_back(key(QStringLiteral("cmdTab"), 600, 1800, 975, "Tab"));
    run(v, 0, 13, 1680, 1800);
    v.back().rect.setWidth(975);  // the backslash key is wider
    v.push_back(key(QStringLiteral("cmdCapsLock"), 600, 2400, 1335, "Caps Lock"));
    run(v, 13, 11, 2040, 2400);
    v.push_back(key(QStringLiteral("cmdEnter"), 9960, 2400, 1335, "Enter"));
    v.push_back(key(QStringLiteral("cmdLShift"), 600, 3000, 1695, "Shift"));
    run(v, 24, 10, 2400, 3000);
    v.push_back(key(QStringLiteral("cmdRShift"), 9600, 3000, 1695, "Shift"));
    v.push_back(key(QStringLiteral("cmdLCtrl"), 600, 3600, 975, "Ctrl"));
    v.push_back(key(QStringLiteral("cmdLStart"), 1680, 3600, 855, "Start Up"));
    v.push_back(key(QStringLiteral("cmdLAlt"), 2640, 3600, 975, "Alt"));
    v.push_back(key(QStringLiteral("cmdSpace"), 3720, 3600, 4455, "C  l  o  s  e"));
    v.push_back(key(QStringLiteral("cmdRAlt"), 8280, 3600, 975, "Alt"));
    v.push_back(key(QStringLiteral("cmdRStart"), 9360, 3600, 855, "Start Up"));
    v.push_back(key(QStringLiteral("cmdRCtrl"), 10320, 3600, 975, "Ctrl"));
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
  shell::dressForm(this);
  setWindowTitle(QStringLiteral("Hot Key"));

  controls_.build(this, keyboardLayout());
  for (const Control& k : keyboardLayout()) {
    auto* b = controls_.get<QPushButton>(k.name);
    b->setFont(plat::captionFont(8.25, true));
    b->setEnabled(live(k.name));
    b->setAutoDefault(false);
  }
  cmdKey.resize(kArray);
  tags_.resize(kHotKeys);
  for (int i = 0; i < kArray; ++i) cmdKey[i] = controls_.get<QPushButton>(arrayName(i));
  for (int i = 0; i < kHotKeys; ++i)
    connect(cmdKey[i], &QPushButton::clicked, this, [this, i] { cmdKey_Click(i); });
  cmdCapsLock = button(QStringLiteral("cmdCapsLock"));
  cmdLShift = button(QStringLiteral("cmdLShift"));
  cmdRShift = button(QStringLiteral("cmdRShift"));
  cmdSpace = button(QStringLiteral("cmdSpace"));
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
  QSet<int> bound;
  data::tellOnFailure([&] { bound = boundHotKeys(); });
  return bound;
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
  data::tellOnFailure([&] {
    const std::optional<QString> current = hotKeyProduct(kbid);
    if (!current) {
      plat::dialogs().message(missing);
      return;
    }
    const QString caption = hotKeyChar(index, kbid > kHotKeys);
    const std::optional<QString> answer =
        shell::thai() ? plat::dialogs().inputBox(QStringLiteral("กรุณาใส่รหัสสินค้าในปุ่มตัวอักษร ") + caption,
                                                 QStringLiteral("ใส่รหัสสินค้า"), *current)
                      : plat::dialogs().inputBox(QStringLiteral("Product ID in button") + caption,
                                                 QStringLiteral("Product  ID"), *current);
    // Cancel keeps the binding; OK on an emptied box unbinds the key.
    if (answer && !bindHotKey(kbid, *answer)) plat::dialogs().message(missing);
  });
  // Shift holds for one assignment only.
  if (colourOf(cmdLShift) == pressedColour()) {
    shiftState_ = 1;
    cmdLShift_Click();
  }
  markKey(index, readBound());
}

}  // namespace sale
