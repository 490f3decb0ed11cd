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

// Amounts of this many baht or more have no words (English scale words end at "trillion").
constexpr qint64 kMaxWhole = 1000000000000000;

// The whole baht and satang of x, or false when x is not a number, negative, or of kMaxWhole
// baht or more once rounded. Up to 13 integer digits the satang come from the amount rounded on
// its 15 significant digits (0.995 is one baht); beyond, those digits no longer reach the satang,
// so the fraction is rounded on its own.
bool splitAmount(double x, qint64* whole, int* cents) {
  if (!std::isfinite(x) || x < 0 || x >= static_cast<double>(kMaxWhole)) return false;
  if (x < 1e13) {
    const qint64 satang = plat::toSatang(x);
    *whole = satang / 100;
    *cents = static_cast<int>(satang % 100);
  } else {
    const double w = std::floor(x);
    *whole = static_cast<qint64>(w);
    *cents = static_cast<int>(std::llround((x - w) * 100));
    if (*cents == 100) {
      ++*whole;
      *cents = 0;
    }
  }
  return *whole < kMaxWhole;
}

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
  qint64 whole = 0;
  int cents = 0;
  if (!(x > 0) || !splitAmount(x, &whole, &cents) || (whole == 0 && cents == 0)) return QString();
  const QString digits = QString::number(whole);
  const int n = static_cast<int>(digits.size());
  QString out;
  if (whole > 0) {
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
  const int tens = cents / 10;
  const int units = cents % 10;
  if (tens > 0) out += thaiDigit(tens, 1, false);
  if (units > 0) out += (units == 1 && tens > 0) ? kEd : kThaiDigits[units];
  out += cents ? kSatang : kExact;
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
  qint64 whole = 0;
  int cents = 0;
  if (!splitAmount(x, &whole, &cents)) return QStringLiteral("#Error#");
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
