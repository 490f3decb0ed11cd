#include "platform/numtext.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plat {
namespace {

// Digit strings short enough to stay inside std::string (no allocation for up to 15 digits): a list
// formats a number for nearly every cell.
struct Decimal {
  bool negative = false;
  std::string intPart;   // digits, no leading zeros except "0"
  std::string fracPart;  // digits
};

// The value as its 15 significant digits, split into integer and fraction digit strings.
Decimal toDecimal(double v) {
  Decimal d;
  if (!std::isfinite(v)) v = 0;
  char buf[40];  // -d.dddddddddddddde±XXX
  auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, 14);
  // Exact digits either way, but a value exactly halfway between two 15-digit texts goes to the
  // larger magnitude here, where to_chars picks the even digit: such a value takes Qt's path.
  char wide[48];
  const auto w = std::to_chars(wide, wide + sizeof wide, v, std::chars_format::scientific, 20);
  const char* mant = wide + (wide[0] == '-' ? 1 : 0);  // d.dddd..., digit 16 at mant[16]
  if (w.ec == std::errc() && std::string_view(mant + 16, 6) == "500000") {
    const QByteArray q = QString::number(v, 'e', 14).toLatin1();
    std::copy(q.begin(), q.end(), buf);
    res.ptr = buf + q.size();
  }
  const char* p = buf;
  if (*p == '-') {
    d.negative = true;
    ++p;
  }
  const char* e = std::find(p, static_cast<const char*>(res.ptr), 'e');
  int exp = 0;
  const char* x = e + 1;
  if (x < res.ptr && *x == '+') ++x;
  std::from_chars(x, res.ptr, exp);
  std::string digits;
  digits.reserve(32);
  for (const char* q = p; q < e; ++q)
    if (*q != '.') digits += *q;
  // digits holds 15 digits; the decimal point sits after position exp + 1.
  int point = exp + 1;
  if (point <= 0) {
    digits.insert(0, static_cast<std::size_t>(-point), '0');
    point = 0;
  } else if (point > static_cast<int>(digits.size())) {
    digits.append(static_cast<std::size_t>(point) - digits.size(), '0');
  }
  d.intPart = digits.substr(0, static_cast<std::size_t>(point));
  d.fracPart = digits.substr(static_cast<std::size_t>(point));
  while (!d.fracPart.empty() && d.fracPart.back() == '0') d.fracPart.pop_back();
  const std::size_t firstNonZero = d.intPart.find_first_not_of('0');
  if (firstNonZero == std::string::npos)
    d.intPart = "0";
  else
    d.intPart.erase(0, firstNonZero);
  if (d.intPart == "0" && d.fracPart.empty()) d.negative = false;
  return d;
}

// Adds one to a digit string, carrying.
void incrementDigits(std::string& s) {
  for (auto i = s.size(); i-- > 0;) {
    if (s[i] == '9') {
      s[i] = '0';
    } else {
      ++s[i];
      return;
    }
  }
  s.insert(s.begin(), '1');
}

bool allZero(const std::string& s) { return s.find_first_not_of('0') == std::string::npos; }

Decimal rounded(double v, int decimals) {
  Decimal d = toDecimal(v);
  const auto places = static_cast<std::size_t>(decimals);
  if (d.fracPart.size() > places) {
    const bool up = d.fracPart[places] >= '5';
    std::string kept = d.intPart + d.fracPart.substr(0, places);
    if (up) incrementDigits(kept);
    d.intPart = kept.substr(0, kept.size() - places);
    d.fracPart = kept.substr(kept.size() - places);
    if (d.intPart.empty()) d.intPart = "0";
  }
  if (d.fracPart.size() < places) d.fracPart.append(places - d.fracPart.size(), '0');
  if (allZero(d.intPart) && allZero(d.fracPart)) d.negative = false;
  return d;
}

// The pieces of a number text put together in one go: sign, integer digits (grouped in threes by
// "," when asked), then "." and the fraction digits when withPoint.
QString compose(const Decimal& d, bool grouped, bool withPoint, bool dropZeroInt = false) {
  char16_t buf[96];
  std::size_t n = 0;
  if (d.negative) buf[n++] = u'-';
  const std::string& ip = d.intPart;
  const bool dropInt = dropZeroInt && ip == "0";
  if (!dropInt && ip.size() < 40) {
    for (std::size_t i = 0; i < ip.size(); ++i) {
      if (grouped && i > 0 && (ip.size() - i) % 3 == 0) buf[n++] = u',';
      buf[n++] = static_cast<char16_t>(ip[i]);
    }
  }
  QString out(reinterpret_cast<const QChar*>(buf), static_cast<qsizetype>(n));
  if (!dropInt && ip.size() >= 40) {  // beyond any amount a shop has, built the long way
    for (std::size_t i = 0; i < ip.size(); ++i) {
      if (grouped && i > 0 && (ip.size() - i) % 3 == 0) out += u',';
      out += QLatin1Char(ip[i]);
    }
  }
  if (withPoint)
    out += u'.' + QString::fromLatin1(d.fracPart.data(), static_cast<qsizetype>(d.fracPart.size()));
  return out;
}

QString digitsOf(qint64 n) {
  char16_t buf[24];
  char16_t* end = buf + std::size(buf);
  char16_t* p = end;
  quint64 u = n < 0 ? 0 - static_cast<quint64>(n) : static_cast<quint64>(n);
  do {
    *--p = static_cast<char16_t>(u'0' + u % 10);
    u /= 10;
  } while (u != 0);
  if (n < 0) *--p = u'-';
  return QString(reinterpret_cast<const QChar*>(p), end - p);
}

}  // namespace

QString wholeNumber(qint64 n) {
  // Small counts and prices fill most cells of a long list: they share one text each.
  constexpr qint64 kShared = 1000;
  static const std::vector<QString> shared = [] {
    std::vector<QString> t;
    t.reserve(kShared);
    for (qint64 i = 0; i < kShared; ++i) t.push_back(digitsOf(i));
    return t;
  }();
  if (n >= 0 && n < kShared) return shared[static_cast<std::size_t>(n)];
  return digitsOf(n);
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

// The digits of whole grouped in threes by ",", then "." and two digits when cents (0 to 99) is
// given, a "-" before them when negative.
QString groupedText(bool negative, quint64 whole, std::optional<int> cents) {
  char16_t buf[40];
  char16_t* end = buf + std::size(buf);
  char16_t* p = end;
  if (cents) {
    *--p = static_cast<char16_t>(u'0' + *cents % 10);
    *--p = static_cast<char16_t>(u'0' + *cents / 10);
    *--p = u'.';
  }
  int digits = 0;
  do {
    if (digits > 0 && digits % 3 == 0) *--p = u',';
    *--p = static_cast<char16_t>(u'0' + whole % 10);
    whole /= 10;
    ++digits;
  } while (whole != 0);
  if (negative) *--p = u'-';
  return QString(reinterpret_cast<const QChar*>(p), end - p);
}

quint64 magnitude(qint64 n) { return n < 0 ? 0 - static_cast<quint64>(n) : static_cast<quint64>(n); }

}  // namespace

QString fmtMoney(double v) {
  // Most amounts of a list need no digit strings: whole satang straight from the value.
  if (const auto c = quickSatang(v)) {
    const quint64 u = magnitude(*c);
    return groupedText(*c < 0, u / 100, static_cast<int>(u % 100));
  }
  return compose(rounded(v, 2), true, true);
}

QString fmtWhole(double v) {
  // Whole values below 10^15 are their own 15 digits; others below a thousand million round the
  // same from the binary value unless they lie near a half.
  if (std::isfinite(v) && std::fabs(v) < 1e15 && v == std::trunc(v)) {
    const auto n = static_cast<qint64>(v);
    return groupedText(n < 0, magnitude(n), std::nullopt);
  }
  if (std::isfinite(v) && std::fabs(v) < 1e9 && std::fabs(std::fabs(v - std::trunc(v)) - 0.5) >= 1e-6) {
    const qint64 n = std::llround(v);
    return groupedText(n < 0, magnitude(n), std::nullopt);
  }
  return compose(rounded(v, 0), true, false);
}

QString fmtHash(double v) {
  const Decimal d = rounded(v, 0);
  if (d.intPart == "0") return QString();
  return compose(d, false, false);
}

QString fmtPurchase(double v) { return compose(rounded(v, 2), true, true, true); }

QString plainNumber(double v) {
  // Whole numbers, the most common cell of a list, need no decimal expansion.
  if (std::abs(v) < 1e15 && v == std::trunc(v)) return wholeNumber(static_cast<qint64>(v));
  const Decimal d = toDecimal(v);
  return compose(d, false, !d.fracPart.empty());
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

double roundTo(double v, int decimals) {
  // Two decimals are every amount's rounding, often once per line of a long report.
  if (decimals == 2)
    if (const auto c = quickSatang(v)) return static_cast<double>(*c) / 100;
  const Decimal d = rounded(v, decimals);
  return compose(d, false, !d.fracPart.empty()).toDouble();
}

qint64 toSatang(double amount) {
  if (const auto c = quickSatang(amount)) return *c;
  const Decimal d = rounded(amount, 2);
  const qint64 v = QString::fromLatin1(d.intPart + d.fracPart).toLongLong();
  return d.negative ? -v : v;
}

}  // namespace plat
