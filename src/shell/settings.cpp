#include "shell/settings.h"

#include "platform/files.h"
#include "platform/numtext.h"

namespace shell {

QString SettingValue::toText() const {
  switch (kind) {
    case Kind::Text: return text;
    case Kind::Number: return plat::plainNumber(number);
    case Kind::Flag: return flag ? QStringLiteral("True") : QStringLiteral("False");
    case Kind::Nothing: break;
  }
  return {};
}

double SettingValue::toNumber() const {
  switch (kind) {
    case Kind::Text: return plat::leadingNumber(text);
    case Kind::Number: return number;
    case Kind::Flag: return flag ? -1 : 0;
    case Kind::Nothing: break;
  }
  return 0;
}

ShopSettings& settings() {
  static ShopSettings s;
  return s;
}

QString settingsPath() { return plat::installPath(QStringLiteral("Kelvantorium.new")); }
QString settingsCopyPath() { return plat::installPath(QStringLiteral("Kelvantorium1.new")); }

}  // namespace shell
