#pragma once
// Thai or English, by the LangThai setting.
#include <QString>

#include "platform/ui_lang.h"
#include "shell/settings.h"

namespace shell {
inline bool thai() { return settings().LangThai; }
// The language of the captions, for the control kit.
inline plat::ui::Lang lang() { return thai() ? plat::ui::Lang::Thai : plat::ui::Lang::English; }
// The Thai text when LangThai is set, else the English one.
inline QString L(const QString& thaiText, const QString& englishText) {
  return thai() ? thaiText : englishText;
}
}  // namespace shell
