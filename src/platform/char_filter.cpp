#include "platform/char_filter.h"

namespace plat {

QValidator::State CharFilter::check(const QString& text, const QString& allowed, TextShape shape) {
  int points = 0;
  int digits = 0;
  for (const QChar c : text) {
    if (!allowed.contains(c)) return Invalid;
    if (shape != TextShape::Number) continue;
    if (c != '.')
      ++digits;
    else if (points++ > 0)
      return Invalid;
  }
  return shape == TextShape::Number && digits == 0 ? Intermediate : Acceptable;
}

QValidator::State CharFilter::validate(QString& input, int&) const { return check(input, allowed_, shape_); }

void filterChars(QLineEdit* box, const QString& allowed, TextShape shape) {
  box->setValidator(new CharFilter(allowed, box, shape));
}

bool keyPasses(int keyAscii, const QString& allowed) {
  if (keyAscii <= 26) return true;
  return allowed.contains(QChar(keyAscii));
}

}  // namespace plat
