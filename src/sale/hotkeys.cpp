#include "sale/hotkeys.h"

#include "data/db.h"

namespace sale {

namespace {
const QString kUnshifted = QStringLiteral("qwertyuiop[]\\asdfghjkl;'zxcvbnm,./");
const QString kShifted = QStringLiteral("QWERTYUIOP{}|ASDFGHJKL:\"ZXCVBNM<>?");
const QString kNumberRow = QStringLiteral(",1234567890-=");
const QString kNumberRowShifted = QStringLiteral("~!@#$%^&*()_+");
}  // namespace

QString hotKeyChar(int i, bool shifted) { return (shifted ? kShifted : kUnshifted).mid(i, 1); }

QString numberRowChar(int i, bool shifted) { return (shifted ? kNumberRowShifted : kNumberRow).mid(i, 1); }

std::optional<QString> hotKeyProduct(int kbid) {
  const data::Snapshot s =
      data::Conn().query(QStringLiteral("SELECT PID FROM settingkb WHERE KBID = ?"), {kbid});
  if (s.eof()) return std::nullopt;
  return s.text(QStringLiteral("PID"));
}

QSet<int> boundHotKeys() {
  QSet<int> out;
  const data::Snapshot s = data::Conn().query(QStringLiteral("SELECT KBID FROM settingkb WHERE PID <> ''"));
  for (const auto& row : s.rows()) out.insert(row[0].toInt());
  return out;
}

bool bindHotKey(int kbid, const QString& pid) {
  return data::Conn().exec(QStringLiteral("UPDATE settingkb SET PID = ? WHERE KBID = ?"), {pid, kbid}) > 0;
}

}  // namespace sale
