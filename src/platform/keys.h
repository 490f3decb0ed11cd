#pragma once
#include <QKeyEvent>

namespace plat {
// The character code a key press delivers to a box's key procedure: 13 Enter, 27 Escape,
// 8 Backspace, the typed character otherwise; -1 for keys that type nothing (arrows, Tab, Delete,
// shortcuts with Ctrl, Alt or Meta), which no key filter looks at. Delete is an editing key even
// where the platform gives it the text 127.
int keyAsciiOf(const QKeyEvent* e);
}  // namespace plat
