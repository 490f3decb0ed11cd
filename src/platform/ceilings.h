#pragma once
// The one ceiling of each kind of number a box takes, typed, scanned or pasted. A barcode scanned
// into a number box is far above every one of them, so it is refused and never becomes a figure.
#include <QString>
#include <optional>

namespace plat {

// Money: a unit price, a cost, a tendered amount. A line's amount at the highest quantity, or the
// change, still shows whole, to the satang, in the printouts' 15 significant digits.
inline constexpr double kMaxMoney = 99999999.99;
// A quantity of one line, on the sale side and the purchase side alike.
inline constexpr int kMaxQuantity = 32767;
// A VAT rate in percent.
inline constexpr double kMaxVatRate = 100;

enum class Ceiling { Money, Quantity, VatRate };

// The highest value of a kind.
double ceilingOf(Ceiling kind);
// The ceiling as the message shows it ("99,999,999.99", "32,767", "100").
QString ceilingText(Ceiling kind);
// Whether v is above the ceiling of its kind (money compared in whole satang); a value no double
// can count to the satang, or no finite value at all, is above every ceiling.
bool aboveCeiling(double v, Ceiling kind);
// Whether text is a number above the ceiling of its kind; false for a text that is no number.
bool textAboveCeiling(const QString& text, Ceiling kind);

}  // namespace plat
