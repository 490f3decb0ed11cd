#include "platform/keys.h"

#include <gtest/gtest.h>

TEST(Keys, WhatAKeyPressDeliversToAKeyProcedure) {
  struct {
    Qt::Key key;
    Qt::KeyboardModifiers mods;
    const char* text;
    int want;
  } cases[] = {
      {Qt::Key_Return, Qt::NoModifier, "\r", 13},
      {Qt::Key_Enter, Qt::KeypadModifier, "\r", 13},
      {Qt::Key_Escape, Qt::NoModifier, "\x1b", 27},
      {Qt::Key_Backspace, Qt::NoModifier, "\b", 8},
      {Qt::Key_Delete, Qt::NoModifier, "\x7f", -1},  // X11 gives Delete the text 127
      {Qt::Key_Tab, Qt::NoModifier, "\t", -1},
      {Qt::Key_Left, Qt::NoModifier, "", -1},
      {Qt::Key_V, Qt::ControlModifier, "\x16", -1},
      {Qt::Key_A, Qt::NoModifier, "a", 'a'},
      {Qt::Key_Asterisk, Qt::ShiftModifier, "*", '*'},
      {Qt::Key_7, Qt::NoModifier, "7", '7'},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.key);
    const QKeyEvent e(QEvent::KeyPress, c.key, c.mods, QString::fromLatin1(c.text));
    EXPECT_EQ(plat::keyAsciiOf(&e), c.want);
  }
  const QKeyEvent thai(QEvent::KeyPress, 0, Qt::NoModifier, QStringLiteral("ก"));
  EXPECT_EQ(plat::keyAsciiOf(&thai), 0x0E01);
}
