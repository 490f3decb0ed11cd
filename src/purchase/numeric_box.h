#pragma once
// The quantity and unit-cost boxes of the purchase windows. Typed characters outside the box's
// set are dropped (control characters, codes up to 26 such as Backspace and Enter, always pass);
// pasted text is refused unless it is a number of the box's kind. The filter is the platform's.
// A box keeps whatever length it is given: a barcode scanned into it reaches the ceiling check
// whole, rather than being cut to a plausible number.
#include <QLineEdit>

#include "platform/ceilings.h"
#include "platform/keys.h"

namespace purchase {

enum class NumberKind {
  Whole,    // digits: quantities
  Decimal,  // digits with at most one ".": unit costs
};

// Gives box the filter of its kind.
void makeNumeric(QLineEdit* box, NumberKind kind);
// Whether text is a whole number of that kind: a digit at least, only digits and one ".".
bool isCompleteNumber(const QString& text, NumberKind kind);
// Whether a typed character may go into a box of that kind.
bool keyAllowed(int keyAscii, NumberKind kind);

// The ceiling of a kind: a quantity's for whole numbers, money's for unit costs.
plat::Ceiling ceilingOf(NumberKind kind);
// When box holds a number above its kind's ceiling: says so in the user's language, naming the box
// as both purchase windows caption it ("Quantity", "Price"), gives it the keys with its text
// selected for mending, and returns true. Otherwise changes nothing and returns false.
bool refusedAboveCeiling(QLineEdit* box, NumberKind kind);

using plat::keyAsciiOf;

}  // namespace purchase
