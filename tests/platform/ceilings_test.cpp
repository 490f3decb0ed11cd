#include "platform/ceilings.h"

#include <gtest/gtest.h>

#include <limits>

using namespace plat;

TEST(Ceilings, EachKindRefusesOnlyWhatIsAboveIt) {
  struct Case {
    const char* text;
    Ceiling kind;
    bool above;
  };
  const Case cases[] = {
      {"99999999.99", Ceiling::Money, false},
      {"99999999.994", Ceiling::Money, false},  // rounds to the ceiling's satang
      {"99999999.995", Ceiling::Money, true},
      {"100000000", Ceiling::Money, true},
      {"8851234000001", Ceiling::Money, true},  // a barcode
      {"-5.50", Ceiling::Money, false},         // negative prices stay
      {"32767", Ceiling::Quantity, false},
      {"32768", Ceiling::Quantity, true},
      {"885123400", Ceiling::Quantity, true},
      {"100", Ceiling::VatRate, false},
      {"100.01", Ceiling::VatRate, true},
      {"7", Ceiling::VatRate, false},
      {"", Ceiling::Money, false},  // no number: the box's own check tells it
      {"abc", Ceiling::Quantity, false},
      {"1e300", Ceiling::Money, false},  // no number for the strict parse
  };
  for (const Case& c : cases)
    EXPECT_EQ(textAboveCeiling(QString::fromLatin1(c.text), c.kind), c.above) << c.text;
  EXPECT_TRUE(aboveCeiling(std::numeric_limits<double>::infinity(), Ceiling::Money));
  EXPECT_TRUE(aboveCeiling(std::numeric_limits<double>::quiet_NaN(), Ceiling::Quantity));
  EXPECT_TRUE(aboveCeiling(1e16, Ceiling::Money));
}

TEST(Ceilings, TextsShowTheCeilingAsTheBoxesDo) {
  EXPECT_EQ(ceilingText(Ceiling::Money), QStringLiteral("99,999,999.99"));
  EXPECT_EQ(ceilingText(Ceiling::Quantity), QStringLiteral("32,767"));
  EXPECT_EQ(ceilingText(Ceiling::VatRate), QStringLiteral("100"));
}
