#include "platform/char_filter.h"

namespace plat {

QValidator::State CharFilter::validate(QString& input, int&) const {
  for (const QChar c : input)
    if (!allowed_.contains(c)) return Invalid;
  return Acceptable;
}

void filterChars(QLineEdit* box, const QString& allowed) { box->setValidator(new CharFilter(allowed, box)); }

bool keyPasses(int keyAscii, const QString& allowed) {
  if (keyAscii <= 26) return true;
  return allowed.contains(QChar(keyAscii));
}

}  // namespace plat
