#include "print/baht_words.h"

#include <gtest/gtest.h>

namespace {

struct Case {
  double amount;
  const char* words;
};

TEST(ThaiBaht, Table) {
  const Case cases[] = {
      {0, ""},
      {-5, ""},
      {0.004, ""},
      {1, "หนึ่งบาทถ้วน"},
      {10, "สิบบาทถ้วน"},
      {11, "สิบเอ็ดบาทถ้วน"},
      {21, "ยี่สิบเอ็ดบาทถ้วน"},
      {100, "หนึ่งร้อยบาทถ้วน"},
      {101, "หนึ่งร้อยหนึ่งบาทถ้วน"},
      {111, "หนึ่งร้อยสิบเอ็ดบาทถ้วน"},
      {120, "หนึ่งร้อยยี่สิบบาทถ้วน"},
      {121, "หนึ่งร้อยยี่สิบเอ็ดบาทถ้วน"},
      {0.50, "ห้าสิบสตางค์"},
      {0.01, "หนึ่งสตางค์"},
      {0.11, "สิบเอ็ดสตางค์"},
      {0.21, "ยี่สิบเอ็ดสตางค์"},
      {0.29, "ยี่สิบเก้าสตางค์"},
      {0.995, "หนึ่งบาทถ้วน"},
      {1000.75, "หนึ่งพันบาทเจ็ดสิบห้าสตางค์"},
      {15000, "หนึ่งหมื่นห้าพันบาทถ้วน"},
      {1000000, "หนึ่งล้านบาทถ้วน"},
      {1000001, "หนึ่งล้านหนึ่งบาทถ้วน"},
      {10000000, "สิบล้านบาทถ้วน"},
      {11000000, "สิบเอ็ดล้านบาทถ้วน"},
      {101000000, "หนึ่งร้อยหนึ่งล้านบาทถ้วน"},
      {21500000.25, "ยี่สิบเอ็ดล้านห้าแสนบาทยี่สิบห้าสตางค์"},
      {1234567.89, "หนึ่งล้านสองแสนสามหมื่นสี่พันห้าร้อยหกสิบเจ็ดบาทแปดสิบเก้าสตางค์"},
      {9999999999.99, "เก้าพันเก้าร้อยเก้าสิบเก้าล้านเก้าแสนเก้าหมื่นเก้าพันเก้าร้อยเก้าสิบเก้าบาทเก้าสิบเก้าสตางค์"},
      // Past ten digits the groups of millions go on by the same rule.
      {1000000000000, "หนึ่งล้านล้านบาทถ้วน"},
      {21000001000000, "ยี่สิบเอ็ดล้านหนึ่งล้านบาทถ้วน"},
      // The top of the range: .49 and .5 are the same double there; a quadrillion has no words.
      {999999999999999.49,
       "เก้าร้อยเก้าสิบเก้าล้านเก้าแสนเก้าหมื่นเก้าพันเก้าร้อยเก้าสิบเก้าล้านเก้าแสนเก้าหมื่นเก้าพันเก้าร้อยเก้าสิบเก้าบาทห้าสิบสตางค์"},
      {999999999999999.5,
       "เก้าร้อยเก้าสิบเก้าล้านเก้าแสนเก้าหมื่นเก้าพันเก้าร้อยเก้าสิบเก้าล้านเก้าแสนเก้าหมื่นเก้าพันเก้าร้อยเก้าสิบเก้าบาทห้าสิบสตางค์"},
      {1e15, ""},
      {1e300, ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(print::ThaiBaht(c.amount), QString::fromUtf8(c.words)) << "amount " << c.amount;
}

TEST(EnglishBaht, Table) {
  const Case cases[] = {
      {1234.50, "One thousand two hundred thirty four and 50/100"},
      {0, "Zero and 00/100"},
      {0.50, "Zero and 50/100"},
      {0.29, "Zero and 29/100"},
      {12.05, "Twelve and 05/100"},
      {10, "Ten and 00/100"},
      {20, "Twenty and 00/100"},
      {90, "Ninety and 00/100"},
      {105, "One hundred five and 00/100"},
      {115, "One hundred fifteen and 00/100"},
      {1010, "One thousand ten and 00/100"},
      {15000, "Fifteen thousand and 00/100"},
      {20000, "Twenty thousand and 00/100"},
      {100000, "One hundred thousand and 00/100"},
      {1000000, "One million and 00/100"},
      {3000011, "Three million eleven and 00/100"},
      {10000000, "Ten million and 00/100"},
      // Cents round into the whole part, never "100/100".
      {0.995, "One and 00/100"},
      {19.999, "Twenty and 00/100"},
      {9999999999.99,
       "Nine billion nine hundred ninety nine million nine hundred ninety nine thousand nine hundred ninety "
       "nine and 99/100"},
      {1000000000000, "One trillion and 00/100"},
      {-1, "#Error#"},
      // The top of the range: .49 and .5 are the same double there; a quadrillion has no words.
      {999999999999999.49,
       "Nine hundred ninety nine trillion nine hundred ninety nine billion nine hundred ninety nine million "
       "nine hundred ninety nine thousand nine hundred ninety nine and 50/100"},
      {999999999999999.5,
       "Nine hundred ninety nine trillion nine hundred ninety nine billion nine hundred ninety nine million "
       "nine hundred ninety nine thousand nine hundred ninety nine and 50/100"},
      {12345678901234.56,
       "Twelve trillion three hundred forty five billion six hundred seventy eight million nine hundred one "
       "thousand two hundred thirty four and 56/100"},
      {1e15, "#Error#"},
      {1e300, "#Error#"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(print::EnglishBaht(c.amount), QString::fromUtf8(c.words)) << "amount " << c.amount;
}

}  // namespace
