#pragma once
// The character sets of the sale boxes; the filter itself is the platform's.
#include "platform/char_filter.h"

namespace sale {

using plat::filterChars;
using plat::keyPasses;

inline const QString& digitChars() {
  static const QString s = QStringLiteral("0123456789");
  return s;
}

}  // namespace sale
