#pragma once
// Number texts used on every screen and document. All of them ignore the locale: "." is the
// decimal separator and "," the grouping mark. Rounding is half away from zero, applied to the
// value as its 15 significant digits read (so 1.005 rounds to 1.01, as a cashier expects).
#include <QString>
#include <optional>

namespace plat {

// "##,##0.00": grouped, two decimals ("1,234.50", "-0.50", "0.00").
QString fmtMoney(double v);
// "##,##0": grouped whole number.
QString fmtWhole(double v);
// "###": whole number without grouping; zero gives the empty text.
QString fmtHash(double v);
// "###,###,###.00": grouped, two decimals, no leading zero (0.5 gives ".50", 0 gives ".00").
QString fmtPurchase(double v);
// A whole number's digits, "-" before a negative one ("0", "42", "-7").
QString wholeNumber(qint64 n);
// A plain number: at most 15 significant digits, no grouping, no trailing zeros ("0.3", "7.5", "-2").
QString plainNumber(double v);

// Strict parse: optional blanks around, optional sign, digits with optional "," grouping, optional
// "." and decimals. Anything else (empty text included) is a failure.
std::optional<double> parseNumber(const QString& text);
// The number that the text begins with, after leading blanks ("12abc" is 12, "abc" is 0).
double leadingNumber(const QString& text);

// Rounds to the given number of decimals by the rule above.
double roundTo(double v, int decimals);
// An amount in whole satang (hundredths), for comparing money.
qint64 toSatang(double amount);

}  // namespace plat
