#pragma once
// The rules behind the options window: port texts, the groups each print type enables, the
// characters of its number boxes, and the checks its OK makes before anything is stored.
#include <QString>
#include <optional>

#include "platform/ui_lang.h"
#include "shell/settings.h"

namespace shell::options {

// The text a port combo box shows for a port value: "None" for 0, "COM1" to "COM15", "RJ45" (the
// drawer only), else "". A text value that spells a number counts as that number.
QString portText(const SettingValue& port, bool drawer);
// The value a port combo text stores: 0, 1 to 15, or the text "RJ45" (the drawer only); nullopt
// for any other text, which keeps the value the form was loaded with.
std::optional<SettingValue> portValue(const QString& text, bool drawer);

// Which control groups a print type enables, and whether it sets the bill printer to "None".
struct TypeGroups {
  bool size = false;
  bool print = false;
  bool head = false;
  bool billPrinterNone = false;
};
TypeGroups groupsFor(int printType);
// The option button selected at load for a print type (0 to 5) and for a slip width (0 to 2).
int typeIndexFor(int printType);
int sizeIndexFor(int slipWidth);

// The characters each number box takes, typed or pasted.
inline const QString kVatKeys = QStringLiteral("0123456789.");
inline const QString kWholeKeys = QStringLiteral("0123456789");

// The VAT rate a box holds: a number >= 0; nullopt for anything else (the empty text included).
// Whether it is past the VAT ceiling is the caller's to tell.
std::optional<double> vatRate(const QString& text);
// A font size a box stores: a whole number from 1 to 72; nullopt otherwise.
std::optional<int> fontSize(const QString& text);

// Why the next start would not open a database of this program at path, told in lang; nullopt
// when it would.
std::optional<QString> databasePathFault(const QString& path, plat::ui::Lang lang);

}  // namespace shell::options
