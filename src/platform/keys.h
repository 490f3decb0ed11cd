#pragma once
#include <QKeyEvent>
#include <functional>

namespace plat {
// The character codes the key procedures compare with.
enum KeyAscii : int { Backspace = 8, Enter = 13, Esc = 27, Space = 32 };

// The character code a key press delivers to a box's key procedure: 13 Enter, 27 Escape,
// 8 Backspace, the typed character otherwise; -1 for keys that type nothing (arrows, Tab, Delete,
// shortcuts with Ctrl, Alt or Meta), which no key filter looks at. Delete is an editing key even
// where the platform gives it the text 127.
int keyAsciiOf(const QKeyEvent* e);

// Gives box a key procedure: each key press that types a character code reaches proc before the box
// sees it, and a code proc sets to 0 is swallowed (a box's KeyPress event with its KeyAscii).
void onKeyPress(QWidget* box, std::function<void(int& keyAscii)> proc);
}  // namespace plat
