#include "purchase/numeric_box.h"

#include "platform/char_filter.h"

namespace purchase {

namespace {
const QString& charsOf(NumberKind kind) {
  static const QString whole = QStringLiteral("0123456789");
  static const QString decimal = QStringLiteral("0123456789.");
  return kind == NumberKind::Whole ? whole : decimal;
}
}  // namespace

void makeNumeric(QLineEdit* box, NumberKind kind) {
  plat::filterChars(box, charsOf(kind), plat::TextShape::Number);
  box->setMaxLength(kind == NumberKind::Whole ? 9 : 15);
}

bool isCompleteNumber(const QString& text, NumberKind kind) {
  return plat::CharFilter::check(text, charsOf(kind), plat::TextShape::Number) == QValidator::Acceptable;
}

bool keyAllowed(int keyAscii, NumberKind kind) { return plat::keyPasses(keyAscii, charsOf(kind)); }

}  // namespace purchase
