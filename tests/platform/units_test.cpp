#include "platform/units.h"

#include <gtest/gtest.h>

#include <QFontMetrics>

#include "support/testenv.h"

namespace {

// The width every line measured whole, as the widest line's width is defined.
int measuredWidest(const QStringList& lines, const QFontMetrics& fm) {
  int w = 0;
  for (const QString& l : lines)
    w = std::max(w, fm.horizontalAdvance(l) + static_cast<int>(l.count(QLatin1Char('\t'))) * 80);
  return w;
}

TEST(WidestLine, IsTheWidestInPixelsNotTheLongest) {
  const QFontMetrics fm(plat::captionFont(9.75));
  // Many narrow lines of more characters than the wide one, which stands in the middle.
  QStringList many(5000, QString(40, QLatin1Char('i')));
  many[2500] = QString(20, QLatin1Char('W'));
  QStringList tabs(300, QStringLiteral("1.abc\t1\t2\t3"));
  tabs[7] = QStringLiteral("x\t\t\t\t\t\t");
  struct Case {
    const char* name;
    QStringList lines;
  };
  const Case cases[] = {
      {"none", {}},
      {"empty lines", {QString(), QString()}},
      {"wide among many narrow", many},
      {"tabs count a stop each", tabs},
      {"Thai with marks",
       {QStringLiteral("รวมยอดขายวันนี้"), QStringLiteral("x x x ย  ก  เ  ลิ  ก  บิ  ล x x x")}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(plat::widestLinePx(c.lines, fm), measuredWidest(c.lines, fm)) << c.name;
  EXPECT_GT(plat::widestLinePx(many, fm), fm.horizontalAdvance(many[0]));
}

}  // namespace
