#include "platform/char_filter.h"

#include <gtest/gtest.h>

#include <QLineEdit>

using plat::CharFilter;
using plat::TextShape;

namespace {

const QString kDigits = QStringLiteral("0123456789");
const QString kDecimal = QStringLiteral("0123456789.");

TEST(CharFilter, VerdictOnAWholeText) {
  struct {
    const QString& allowed;
    TextShape shape;
    const char* text;
    QValidator::State want;
  } cases[] = {
      // Any mix of the set: the empty text too, the order and count of characters free.
      {kDigits, TextShape::Any, "", QValidator::Acceptable},
      {kDigits, TextShape::Any, "0070", QValidator::Acceptable},
      {kDecimal, TextShape::Any, "1..2.", QValidator::Acceptable},
      {kDigits, TextShape::Any, "12a", QValidator::Invalid},
      {kDigits, TextShape::Any, "-3", QValidator::Invalid},
      // A number: one point at most, and a digit before it counts as typed.
      {kDigits, TextShape::Number, "", QValidator::Intermediate},
      {kDigits, TextShape::Number, "007", QValidator::Acceptable},
      {kDigits, TextShape::Number, "1.5", QValidator::Invalid},  // no point in a whole number
      {kDecimal, TextShape::Number, ".", QValidator::Intermediate},
      {kDecimal, TextShape::Number, ".5", QValidator::Acceptable},
      {kDecimal, TextShape::Number, "12.", QValidator::Acceptable},
      {kDecimal, TextShape::Number, "1.2.3", QValidator::Invalid},
      {kDecimal, TextShape::Number, "..", QValidator::Invalid},
      {kDecimal, TextShape::Number, "12abc", QValidator::Invalid},
      {kDecimal, TextShape::Number, " 1", QValidator::Invalid},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    QString text = QString::fromLatin1(c.text);
    int pos = 0;
    EXPECT_EQ(CharFilter::check(text, c.allowed, c.shape), c.want);
    EXPECT_EQ(CharFilter(c.allowed, nullptr, c.shape).validate(text, pos), c.want);
  }
}

TEST(CharFilter, APasteOutsideTheRuleIsRefusedWhole) {
  QLineEdit any;
  plat::filterChars(&any, kDigits);
  any.insert(QStringLiteral("12a"));
  EXPECT_EQ(any.text(), "");
  any.insert(QStringLiteral("12"));
  EXPECT_EQ(any.text(), "12");

  QLineEdit number;
  plat::filterChars(&number, kDecimal, TextShape::Number);
  number.insert(QStringLiteral("."));
  EXPECT_EQ(number.text(), ".") << "a number on its way is taken";
  number.insert(QStringLiteral("5."));
  EXPECT_EQ(number.text(), ".") << "a second point is not";
  number.insert(QStringLiteral("25"));
  EXPECT_EQ(number.text(), ".25");
}

TEST(CharFilter, KeysPassingAKeyProcedure) {
  for (const int control : {8, 13, 26, 0}) EXPECT_TRUE(plat::keyPasses(control, kDigits)) << control;
  EXPECT_FALSE(plat::keyPasses(27, kDigits)) << "Escape is no control code that passes";
  EXPECT_TRUE(plat::keyPasses('7', kDigits));
  EXPECT_FALSE(plat::keyPasses('.', kDigits));
  EXPECT_TRUE(plat::keyPasses('.', kDecimal));
  EXPECT_FALSE(plat::keyPasses(0x0E01, kDecimal));
}

}  // namespace
