#include "shell/options.h"

#include "data/db.h"
#include "data/dbfile.h"
#include "platform/numtext.h"

namespace shell::options {

namespace {
// Whether every character of text is one of allowed.
bool onlyOf(const QString& text, const QString& allowed) {
  for (const QChar c : text)
    if (!allowed.contains(c)) return false;
  return true;
}

// The port number a value holds, when it holds one.
std::optional<double> portNumber(const SettingValue& v) {
  switch (v.kind) {
    case SettingValue::Kind::Nothing:
      return 0.0;
    case SettingValue::Kind::Number:
      return v.number;
    case SettingValue::Kind::Text:
      return plat::parseNumber(v.text);
    case SettingValue::Kind::Flag:
      return v.flag ? -1.0 : 0.0;
  }
  return std::nullopt;
}
}  // namespace

QString portText(const SettingValue& port, bool drawer) {
  if (drawer && port.isText() && port.text == QLatin1String("RJ45")) return QStringLiteral("RJ45");
  const std::optional<double> n = portNumber(port);
  if (!n) return {};
  if (*n == 0) return QStringLiteral("None");
  for (int i = 1; i <= 15; ++i)
    if (*n == i) return QStringLiteral("COM%1").arg(i);
  return {};
}

std::optional<SettingValue> portValue(const QString& text, bool drawer) {
  if (text == QLatin1String("None")) return SettingValue::ofNumber(0);
  for (int i = 1; i <= 15; ++i)
    if (text == QStringLiteral("COM%1").arg(i)) return SettingValue::ofNumber(i);
  if (drawer && text == QLatin1String("RJ45")) return SettingValue::ofText(text);
  return std::nullopt;
}

TypeGroups groupsFor(int printType) {
  switch (printType) {
    case 1:
      return {true, true, false, false};
    case 3:
    case 4:
    case 5:
      return {false, true, true, false};
    default:
      return {false, false, false, true};
  }
}

int typeIndexFor(int printType) { return printType >= 1 && printType <= 5 ? printType - 1 : 5; }

int sizeIndexFor(int slipWidth) { return slipWidth == 1 ? 0 : slipWidth == 2 ? 1 : 2; }

std::optional<double> vatRate(const QString& text) {
  if (text.isEmpty() || !onlyOf(text, kVatKeys)) return std::nullopt;
  const std::optional<double> v = plat::parseNumber(text);
  if (!v || *v < 0) return std::nullopt;
  return v;
}

std::optional<int> fontSize(const QString& text) {
  if (text.isEmpty() || text.size() > 3 || !onlyOf(text, kWholeKeys)) return std::nullopt;
  const int n = text.toInt();
  if (n < 1 || n > 72) return std::nullopt;
  return n;
}

std::optional<QString> databasePathFault(const QString& path, plat::ui::Lang lang) {
  const data::DbFileCheck check = data::checkDatabaseToOpen(path);
  if (!check.ok()) return data::tell(check.reason, lang);
  // The open the program's own start makes, for what the check does not foresee.
  data::Db probe;
  QString error;
  if (probe.tryOpen(path, &error)) return std::nullopt;
  return data::tell(data::FileReason(data::FileReason::Kind::Unreadable, path, 0, error), lang);
}

}  // namespace shell::options
