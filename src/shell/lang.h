#pragma once
// Thai or English, by the LangThai setting.
#include <QString>

#include "shell/settings.h"

namespace shell {
inline bool thai() { return settings().LangThai; }
// The Thai text when LangThai is set, else the English one.
inline QString L(const QString& thaiText, const QString& englishText) {
  return thai() ? thaiText : englishText;
}
}  // namespace shell
