#include "sale/entry.h"

#include <QHash>

#include "platform/numtext.h"

namespace sale {

std::optional<CodeEntry> parseCodeEntry(const QString& text) {
  CodeEntry e;
  const int star = static_cast<int>(text.indexOf(QLatin1Char('*')));
  if (star < 0) {
    e.code = text;
    return e;
  }
  const QString prefix = text.left(star).trimmed();
  // A whole number only: an optional sign and digits.
  int i = 0;
  if (i < prefix.size() && (prefix[i] == QLatin1Char('-') || prefix[i] == QLatin1Char('+'))) ++i;
  if (i == prefix.size()) return std::nullopt;
  for (int j = i; j < prefix.size(); ++j)
    if (!prefix[j].isDigit() || prefix[j].unicode() > 127) return std::nullopt;
  bool ok = false;
  const qlonglong n = prefix.toLongLong(&ok);
  if (!ok || n < -32768 || n > 32767) return std::nullopt;
  e.hasPrefix = true;
  e.quantity = static_cast<int>(n);
  e.code = text.mid(star + 1);
  return e;
}

qlonglong digitsValue(const QString& digits) {
  qsizetype first = 0;
  while (first < digits.size() && digits[first] == QLatin1Char('0')) ++first;
  const QString significant = digits.mid(first);
  return significant.size() > 9 ? 99999 : significant.toLongLong();
}

int entryQuantity(const CodeEntry& e, int pending) {
  if (e.hasPrefix) return e.quantity != 0 ? e.quantity : 1;
  return pending;
}

int hotKeyId(int keyAscii) {
  static const QHash<int, int> map = [] {
    QHash<int, int> m;
    const char* unshifted = "qwertyuiop[]\\asdfghjkl;'zxcvbnm,./";
    const char* shifted = "QWERTYUIOP{}|ASDFGHJKL:\"ZXCVBNM<>?";
    for (int i = 0; i < 34; ++i) {
      m.insert(static_cast<unsigned char>(unshifted[i]), i + 1);
      m.insert(static_cast<unsigned char>(shifted[i]), i + 35);
    }
    return m;
  }();
  return map.value(keyAscii, 0);
}

double unitPriceForLevel(const data::Product& p, const QString& levelText) {
  const std::optional<double> level = plat::parseNumber(levelText);
  if (!level) return p.Price;
  if (*level == 2) return p.Price1;
  if (*level == 3) return p.Price2;
  return p.Price;
}

StockVerdict checkEntry(double stock, double quantity, double reorderPoint) {
  if (!(stock - quantity >= 0)) return StockVerdict::OutOfOrder;
  if (stock - quantity <= reorderPoint) return StockVerdict::ReorderPoint;
  return StockVerdict::Ok;
}

bool mergeAllowed(double stock, double lineQuantity, double quantity) {
  return stock - lineQuantity - quantity > -1;
}

QString likeLiteral(const QString& text) {
  QString out;
  out.reserve(text.size());
  for (const QChar c : text) {
    if (c == QLatin1Char('%') || c == QLatin1Char('_') || c == QLatin1Char('\\')) out += QLatin1Char('\\');
    out += c;
  }
  return out;
}

}  // namespace sale
