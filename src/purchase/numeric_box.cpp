#include "purchase/numeric_box.h"

#include <QKeyEvent>

namespace purchase {

namespace {
bool isDigit(QChar c) { return c >= '0' && c <= '9'; }

// True when every character belongs to the kind; digits counts the digits seen.
bool wellFormed(const QString& text, NumberKind kind, int* digits) {
  int points = 0;
  *digits = 0;
  for (const QChar c : text) {
    if (isDigit(c))
      ++*digits;
    else if (c == '.' && kind == NumberKind::Decimal && points++ == 0)
      continue;
    else
      return false;
  }
  return true;
}
}  // namespace

QValidator::State NumberValidator::validate(QString& input, int&) const {
  int digits = 0;
  if (!wellFormed(input, kind_, &digits)) return Invalid;
  return digits > 0 ? Acceptable : Intermediate;
}

void makeNumeric(QLineEdit* box, NumberKind kind) {
  box->setValidator(new NumberValidator(kind, box));
  box->setMaxLength(kind == NumberKind::Whole ? 9 : 15);
}

bool isCompleteNumber(const QString& text, NumberKind kind) {
  int digits = 0;
  return wellFormed(text, kind, &digits) && digits > 0;
}

bool keyAllowed(int keyAscii, NumberKind kind) {
  if (keyAscii <= 26) return true;
  const QChar c(keyAscii);
  return isDigit(c) || (kind == NumberKind::Decimal && c == '.');
}


}  // namespace purchase
