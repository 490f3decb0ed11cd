#pragma once
// Thai or English, by the LangThai setting.
#include <QString>
#include <cstddef>

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

// One row of a table of texts, each in both languages, found by its key.
template <typename Key>
struct Words {
  Key key;
  QString thai;
  QString english;
};
// The text of key in rows, Thai when thaiText; empty when no row has the key.
template <typename Key, std::size_t N>
QString wordsFor(const Words<Key> (&rows)[N], Key key, bool thaiText) {
  for (const Words<Key>& r : rows)
    if (r.key == key) return thaiText ? r.thai : r.english;
  return {};
}
}  // namespace shell
