#include "sale/char_filter.h"

namespace sale {

QValidator::State CharFilter::validate(QString& input, int& pos) const {
  QString kept;
  kept.reserve(input.size());
  int keptBeforeCursor = 0;
  for (int i = 0; i < input.size(); ++i) {
    if (!allowed_.contains(input[i])) continue;
    kept += input[i];
    if (i < pos) ++keptBeforeCursor;
  }
  input = kept;
  pos = keptBeforeCursor;
  return Acceptable;
}

void filterChars(QLineEdit* box, const QString& allowed) { box->setValidator(new CharFilter(allowed, box)); }

bool keyPasses(int keyAscii, const QString& allowed) {
  if (keyAscii <= 26) return true;
  return allowed.contains(QChar(keyAscii));
}

}  // namespace sale
