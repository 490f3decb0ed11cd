#include "purchase/numeric_box.h"

#include "platform/char_filter.h"
#include "platform/dialogs.h"
#include "shell/ceiling_message.h"

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
}

bool isCompleteNumber(const QString& text, NumberKind kind) {
  return plat::CharFilter::check(text, charsOf(kind), plat::TextShape::Number) == QValidator::Acceptable;
}

bool keyAllowed(int keyAscii, NumberKind kind) { return plat::keyPasses(keyAscii, charsOf(kind)); }

plat::Ceiling ceilingOf(NumberKind kind) {
  return kind == NumberKind::Whole ? plat::Ceiling::Quantity : plat::Ceiling::Money;
}

bool refusedAboveCeiling(QLineEdit* box, NumberKind kind) {
  if (!plat::textAboveCeiling(box->text(), ceilingOf(kind))) return false;
  plat::dialogs().message(
      kind == NumberKind::Whole
          ? shell::overCeilingMessage(QStringLiteral("จำนวน"), QStringLiteral("Quantity"),
                                      plat::Ceiling::Quantity)
          : shell::overCeilingMessage(QStringLiteral("ราคา"), QStringLiteral("Price"), plat::Ceiling::Money));
  box->setFocus();
  box->selectAll();
  return true;
}

}  // namespace purchase
