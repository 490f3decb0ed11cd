#include "platform/numtext.h"

#include <cmath>
#include <optional>

namespace plat {
namespace {

struct Decimal {
  bool negative = false;
  QString intPart;   // digits, no leading zeros except "0"
  QString fracPart;  // digits
};

// The value as its 15 significant digits, split into integer and fraction digit strings.
Decimal toDecimal(double v) {
  Decimal d;
  if (!std::isfinite(v)) v = 0;
  QString s = QString::number(v, 'e', 14);  // d.dddddddddddddde±X
  if (s.startsWith('-')) {
    d.negative = true;
    s.remove(0, 1);
  }
  const int ePos = s.indexOf('e');
  const int exp = s.mid(ePos + 1).toInt();
  QString digits = s.left(ePos).remove('.');
  // digits holds 15 digits; the decimal point sits after position exp + 1.
  int point = exp + 1;
  if (point <= 0) {
    digits = QString(-point, '0') + digits;
    point = 0;
  } else if (point > digits.size()) {
    digits += QString(point - digits.size(), '0');
  }
  d.intPart = digits.left(point);
  d.fracPart = digits.mid(point);
  while (d.fracPart.endsWith('0')) d.fracPart.chop(1);
  while (d.intPart.size() > 1 && d.intPart.startsWith('0')) d.intPart.remove(0, 1);
  if (d.intPart.isEmpty()) d.intPart = "0";
  if (d.intPart == "0" && d.fracPart.isEmpty()) d.negative = false;
  return d;
}

// Adds one to a digit string, carrying.
QString incrementDigits(QString s) {
  int i = s.size() - 1;
  while (i >= 0) {
    if (s[i] == '9') {
      s[i] = '0';
      --i;
    } else {
      s[i] = QChar(s[i].unicode() + 1);
      return s;
    }
  }
  return "1" + s;
}

Decimal rounded(double v, int decimals) {
  Decimal d = toDecimal(v);
  if (d.fracPart.size() > decimals) {
    const bool up = d.fracPart[decimals] >= '5';
    QString kept = d.intPart + d.fracPart.left(decimals);
    if (up) kept = incrementDigits(kept);
    d.intPart = kept.left(kept.size() - decimals);
    d.fracPart = kept.right(decimals);
    if (d.intPart.isEmpty()) d.intPart = "0";
  }
  while (d.fracPart.size() < decimals) d.fracPart += '0';
  const bool zero = d.intPart.count('0') == d.intPart.size() && d.fracPart.count('0') == d.fracPart.size();
  if (zero) d.negative = false;
  return d;
}

QString group(const QString& digits) {
  QString out;
  const int n = digits.size();
  for (int i = 0; i < n; ++i) {
    if (i > 0 && (n - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return out;
}

QString sign(const Decimal& d) { return d.negative ? QStringLiteral("-") : QString(); }

}  // namespace

QString fmtMoney(double v) {
  const Decimal d = rounded(v, 2);
  return sign(d) + group(d.intPart) + '.' + d.fracPart;
}

QString fmtWhole(double v) {
  const Decimal d = rounded(v, 0);
  return sign(d) + group(d.intPart);
}

QString fmtHash(double v) {
  const Decimal d = rounded(v, 0);
  if (d.intPart == "0") return QString();
  return sign(d) + d.intPart;
}

QString fmtPurchase(double v) {
  const Decimal d = rounded(v, 2);
  const QString whole = d.intPart == "0" ? QString() : group(d.intPart);
  return sign(d) + whole + '.' + d.fracPart;
}

QString plainNumber(double v) {
  // Whole numbers, the most common cell of a list, need no decimal expansion.
  if (std::abs(v) < 1e15 && v == std::trunc(v)) return QString::number(static_cast<qint64>(v));
  const Decimal d = toDecimal(v);
  QString out = sign(d) + d.intPart;
  if (!d.fracPart.isEmpty()) out += '.' + d.fracPart;
  return out;
}

std::optional<double> parseNumber(const QString& text) {
  const QString t = text.trimmed();
  int i = 0;
  QString digits;
  if (i < t.size() && (t[i] == '-' || t[i] == '+')) {
    if (t[i] == '-') digits += '-';
    ++i;
  }
  int intDigits = 0;
  int sinceComma = -1;  // digits since the last grouping comma, -1 when none seen
  for (; i < t.size() && t[i] != '.'; ++i) {
    if (t[i].isDigit() && t[i].unicode() < 128) {
      digits += t[i];
      ++intDigits;
      if (sinceComma >= 0) ++sinceComma;
    } else if (t[i] == ',') {
      if (intDigits == 0 || (sinceComma >= 0 && sinceComma != 3)) return std::nullopt;
      sinceComma = 0;
    } else {
      return std::nullopt;
    }
  }
  if (sinceComma >= 0 && sinceComma != 3) return std::nullopt;
  int fracDigits = 0;
  if (i < t.size()) {  // at '.'
    digits += '.';
    for (++i; i < t.size(); ++i) {
      if (!(t[i].isDigit() && t[i].unicode() < 128)) return std::nullopt;
      digits += t[i];
      ++fracDigits;
    }
  }
  if (intDigits + fracDigits == 0) return std::nullopt;
  bool ok = false;
  const double v = digits.toDouble(&ok);
  if (!ok) return std::nullopt;
  return v;
}

double leadingNumber(const QString& text) {
  int i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  QString digits;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
    if (text[i] == '-') digits += '-';
    ++i;
  }
  bool seenPoint = false;
  bool seenDigit = false;
  for (; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c.isDigit() && c.unicode() < 128) {
      digits += c;
      seenDigit = true;
    } else if (c == '.' && !seenPoint) {
      digits += c;
      seenPoint = true;
    } else {
      break;
    }
  }
  if (!seenDigit) return 0;
  return digits.toDouble();
}

namespace {

// Whole satang straight from the binary value when that cannot differ from the decimal rule: below
// a thousand million the 15 digits lie within 0.00005 satang of it, so only a value near half a
// satang (or not finite, or larger) needs the digit work.
std::optional<qint64> quickSatang(double v) {
  if (!std::isfinite(v) || std::fabs(v) >= 1e9) return std::nullopt;
  const double cents = v * 100;
  if (std::fabs(std::fabs(cents - std::trunc(cents)) - 0.5) < 1e-4) return std::nullopt;
  return std::llround(cents);
}

}  // namespace

double roundTo(double v, int decimals) {
  // Two decimals are every amount's rounding, often once per line of a long report.
  if (decimals == 2)
    if (const auto c = quickSatang(v)) return static_cast<double>(*c) / 100;
  const Decimal d = rounded(v, decimals);
  QString s = sign(d) + d.intPart;
  if (!d.fracPart.isEmpty()) s += '.' + d.fracPart;
  return s.toDouble();
}

qint64 toSatang(double amount) {
  if (const auto c = quickSatang(amount)) return *c;
  const Decimal d = rounded(amount, 2);
  const qint64 v = (d.intPart + d.fracPart).toLongLong();
  return d.negative ? -v : v;
}

}  // namespace plat
