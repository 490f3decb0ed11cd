#include "platform/codepage.h"

#include <gtest/gtest.h>

using namespace plat;

TEST(CodePage874, ThaiBothWays) {
  const struct {
    const char* utf8;
    QByteArray cp874;
  } cases[] = {
      {"", QByteArray()},
      {"Shop 12/3, Rd.", "Shop 12/3, Rd."},
      {"ก", "\xA1"},
      {"ร้าน", "\xC3\xE9\xD2\xB9"},
      {"฿ 100", "\xDF 100"},
      {"๐๙", "\xF0\xF9"},
      {"ภาษีมูลค่าเพิ่ม 7%", "\xC0\xD2\xC9\xD5\xC1\xD9\xC5\xA4\xE8\xD2\xE0\xBE\xD4\xE8\xC1 7%"},
      {"€", "\x80"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.utf8);
    const QString text = QString::fromUtf8(c.utf8);
    EXPECT_EQ(toCp874(text), c.cp874);
    EXPECT_EQ(fromCp874(c.cp874), text);
  }
}

TEST(CodePage874, EveryThaiByteRoundTrips) {
  QByteArray all;
  for (int b = 0x20; b <= 0xFB; ++b)
    if (b < 0x7F || (b >= 0xA1 && b <= 0xDA) || b >= 0xDF) all += static_cast<char>(b);
  const QString text = fromCp874(all);
  EXPECT_EQ(text.size(), all.size());
  EXPECT_FALSE(text.contains(u'?') && !all.contains('?'));
  EXPECT_EQ(toCp874(text), all);
}

TEST(CodePage874, WhatItCannotHoldBecomesAQuestionMark) {
  EXPECT_EQ(toCp874(QString::fromUtf8("café 中文 ok")), "caf? ?? ok");
  EXPECT_EQ(toCp874(QString::fromUtf8("😀x")), "?x");
  EXPECT_EQ(fromCp874("a\xDB\xFF"
                      "b"),
            "a??b");
  // A long text crosses the converter's buffer without losing a character.
  const QString longThai = QString::fromUtf8("ร้านค้า").repeated(500);
  EXPECT_EQ(fromCp874(toCp874(longThai)), longThai);
}
