#pragma once
// The quantity and unit-cost boxes of the purchase windows. Typed characters outside the box's
// set are dropped (control characters, codes up to 26 such as Backspace and Enter, always pass);
// pasted text is refused unless it is a number of the box's kind. The filter is the platform's.
#include <QLineEdit>

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

using plat::keyAsciiOf;

}  // namespace purchase
