#include "print/baht_words.h"

#include <QStringList>
#include <cmath>

#include "platform/numtext.h"

namespace print {
namespace {

const QStringList kThaiDigits = {QString(), "หนึ่ง", "สอง", "สาม", "สี่", "ห้า", "หก", "เจ็ด", "แปด", "เก้า"};
// Place words by position within a group of six: units carry no word.
const QStringList kThaiPlaces = {QString(), "สิบ", "ร้อย", "พัน", "หมื่น", "แสน"};
const QString kMillion = "ล้าน";
const QString kBaht = "บาท";
const QString kSatang = "สตางค์";
const QString kEd = "เอ็ด";
const QString kYi = "ยี่";
const QString kExact = "ถ้วน";

// Largest amount whose satang fit a 64-bit count with room to spare.
constexpr double kMaxAmount = 1e15;

// The words of one digit d (1..9) at place p within its group (0 units .. 5 hundred thousands);
// leftNonZero: the digit to its left exists and is not 0.
QString thaiDigit(int d, int p, bool leftNonZero) {
  if (p == 1 && d == 1) return kThaiPlaces[1];
  if (p == 1 && d == 2) return kYi + kThaiPlaces[1];
  if (p == 0) return (d == 1 && leftNonZero) ? kEd : kThaiDigits[d];
  return kThaiDigits[d] + kThaiPlaces[p];
}

}  // namespace

QString ThaiBaht(double x) {
  if (!(x > 0) || !std::isfinite(x) || x >= kMaxAmount) return QString();
  const qint64 satang = plat::toSatang(x);
  if (satang <= 0) return QString();
  const QString digits = QString::number(satang / 100);
  const int n = static_cast<int>(digits.size());
  QString out;
  if (satang / 100 > 0) {
    for (int i = 0; i < n; ++i) {
      const int d = digits[i].digitValue();
      const int r = n - i - 1;  // place from the right, units 0
      const int p = r % 6;
      // Every sixth place from the units closes a group of millions, said even when its digit is 0.
      const bool millionsPlace = r > 0 && p == 0;
      if (d > 0) out += thaiDigit(d, p, i > 0 && digits[i - 1] != QLatin1Char('0'));
      if (millionsPlace) out += kMillion;
    }
    out += kBaht;
  }
  const int tens = static_cast<int>(satang % 100) / 10;
  const int units = static_cast<int>(satang % 10);
  if (tens > 0) out += thaiDigit(tens, 1, false);
  if (units > 0) out += (units == 1 && tens > 0) ? kEd : kThaiDigits[units];
  out += (satang % 100) ? kSatang : kExact;
  return out;
}

namespace {

const char* const kOnes[] = {"zero", "one", "two", "three", "four", "five", "six", "seven", "eight", "nine"};
const char* const kTeens[] = {"ten",     "eleven",  "twelve",    "thirteen", "fourteen",
                              "fifteen", "sixteen", "seventeen", "eighteen", "nineteen"};
const char* const kTens[] = {"",      "ten",   "twenty",  "thirty", "forty",
                             "fifty", "sixty", "seventy", "eighty", "ninety"};
const char* const kScales[] = {"", "thousand", "million", "billion", "trillion"};

// The words of a group of three digits (1..999), each followed by one blank.
QString englishGroup(int g) {
  QString w;
  if (g >= 100) w += QString::fromLatin1(kOnes[g / 100]) + " hundred ";
  const int rest = g % 100;
  if (rest >= 10 && rest < 20) return w + QString::fromLatin1(kTeens[rest - 10]) + ' ';
  if (rest >= 20) w += QString::fromLatin1(kTens[rest / 10]) + ' ';
  if (rest % 10) w += QString::fromLatin1(kOnes[rest % 10]) + ' ';
  return w;
}

}  // namespace

QString EnglishBaht(double x) {
  const QString error = QStringLiteral("#Error#");
  if (!std::isfinite(x) || x < 0 || x >= kMaxAmount) return error;
  const qint64 satang = plat::toSatang(x);
  qint64 whole = satang / 100;
  const int cents = static_cast<int>(satang % 100);
  QString words;
  if (whole == 0) words = QStringLiteral("zero ");
  for (int scale = 0; whole > 0; ++scale, whole /= 1000) {
    const int g = static_cast<int>(whole % 1000);
    if (g == 0) continue;  // an all-zero group says no scale word
    QString w = englishGroup(g);
    if (scale > 0) w += QString::fromLatin1(kScales[scale]) + ' ';
    words = w + words;
  }
  words += QStringLiteral("and %1/100").arg(cents, 2, 10, QLatin1Char('0'));
  words[0] = words[0].toUpper();
  return words;
}

}  // namespace print
