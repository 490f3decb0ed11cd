#include "platform/numtext.h"

#include <gtest/gtest.h>

#include <QLocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iomanip>
#include <random>
#include <string>
#include <vector>

using namespace plat;

struct FmtCase {
  double v;
  const char* money;
  const char* whole;
  const char* hash;
  const char* purchase;
  const char* plain;
};

TEST(NumText, FormatsTable) {
  const FmtCase cases[] = {
      {0, "0.00", "0", "", ".00", "0"},
      {0.1 + 0.2, "0.30", "0", "", ".30", "0.3"},
      {1.005, "1.01", "1", "1", "1.01", "1.005"},
      {2.5, "2.50", "3", "3", "2.50", "2.5"},
      {-2.5, "-2.50", "-3", "-3", "-2.50", "-2.5"},
      {1234567.891, "1,234,567.89", "1,234,568", "1234568", "1,234,567.89", "1234567.891"},
      {999.995, "1,000.00", "1,000", "1000", "1,000.00", "999.995"},
      {-0.004, "0.00", "0", "", ".00", "-0.004"},
      {7, "7.00", "7", "7", "7.00", "7"},
      {7.5, "7.50", "8", "8", "7.50", "7.5"},
      {100000000, "100,000,000.00", "100,000,000", "100000000", "100,000,000.00", "100000000"},
      {0.000001, "0.00", "0", "", ".00", "0.000001"},
      // Halfway at the 15th digit goes to the larger magnitude; beyond 15 digits, zeros.
      {398094224648690.5, "398,094,224,648,691.00", "398,094,224,648,691", "398094224648691",
       "398,094,224,648,691.00", "398094224648691"},
      {-605388309233218.5, "-605,388,309,233,219.00", "-605,388,309,233,219", "-605388309233219",
       "-605,388,309,233,219.00", "-605388309233219"},
      {1e20, "100,000,000,000,000,000,000.00", "100,000,000,000,000,000,000", "100000000000000000000",
       "100,000,000,000,000,000,000.00", "100000000000000000000"},
      {-0.005, "-0.01", "0", "", "-.01", "-0.005"},
      {0.995, "1.00", "1", "1", "1.00", "0.995"},
      {2.675, "2.68", "3", "3", "2.68", "2.675"},
      {-1234.565, "-1,234.57", "-1,235", "-1235", "-1,234.57", "-1234.565"},
      {std::nan(""), "0.00", "0", "", ".00", "0"},
  };
  QLocale::setDefault(QLocale(QLocale::German));  // comma decimals must not leak in
  for (const auto& c : cases) {
    SCOPED_TRACE(c.plain);
    EXPECT_EQ(fmtMoney(c.v), c.money);
    EXPECT_EQ(fmtWhole(c.v), c.whole);
    EXPECT_EQ(fmtHash(c.v), c.hash);
    EXPECT_EQ(fmtPurchase(c.v), c.purchase);
    EXPECT_EQ(plainNumber(c.v), c.plain);
  }
  QLocale::setDefault(QLocale::c());
}

TEST(NumText, WholeNumbers) {
  const struct {
    qint64 n;
    const char* text;
  } cases[] = {{0, "0"},
               {7, "7"},
               {999, "999"},
               {1000, "1000"},
               {-1, "-1"},
               {-1000, "-1000"},
               {9223372036854775807LL, "9223372036854775807"},
               {-9223372036854775807LL - 1, "-9223372036854775808"}};
  for (const auto& c : cases) EXPECT_EQ(wholeNumber(c.n), c.text) << c.text;
  QString shared = wholeNumber(5);
  shared += QLatin1Char('x');  // a text handed out twice is not changed through one of them
  EXPECT_EQ(wholeNumber(5), "5");
}

TEST(NumText, StrictParse) {
  struct {
    const char* text;
    std::optional<double> want;
  } cases[] = {
      {"12", 12},
      {" 12.50 ", 12.5},
      {"-3", -3},
      {"1,234.5", 1234.5},
      {"1,234,567", 1234567},
      {".5", 0.5},
      {"5.", 5},
      {"", std::nullopt},
      {"-", std::nullopt},
      {"1,23", std::nullopt},
      {"12a", std::nullopt},
      {"1.2.3", std::nullopt},
      {",123", std::nullopt},
      {"1 000", std::nullopt},
      {"๑๒", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(parseNumber(QString::fromUtf8(c.text)), c.want);
  }
}

TEST(NumText, LeadingNumberAndSatang) {
  EXPECT_EQ(leadingNumber("12abc"), 12);
  EXPECT_EQ(leadingNumber("  -3.5x"), -3.5);
  EXPECT_EQ(leadingNumber("abc"), 0);
  EXPECT_EQ(leadingNumber(""), 0);
  EXPECT_EQ(leadingNumber("1.2.3"), 1.2);
  EXPECT_EQ(toSatang(0.1 + 0.2), 30);
  EXPECT_EQ(toSatang(0.995), 100);
  EXPECT_EQ(toSatang(-12.345), -1235);
  EXPECT_EQ(toSatang(1e9), 100000000000LL);
  EXPECT_DOUBLE_EQ(roundTo(2.675, 2), 2.68);
}

// Every amount of up to four decimals, as typed, rounds to satang half away from zero: the near
// halves (1.005 is a hair under in binary) as well as the rest, small and up to a thousand million.
TEST(NumText, SatangOfTypedAmounts) {
  const long long starts[] = {-30000, 0, 99990000, 9999999990000LL, 10000000000000LL - 30000};
  for (const long long start : starts)
    for (long long k = start; k < start + 30000; ++k) {
      const double v = static_cast<double>(k) / 10000;  // k ten-thousandths, exact in 15 digits
      const long long half = k < 0 ? -((-k + 50) / 100) : (k + 50) / 100;
      SCOPED_TRACE(k);
      ASSERT_EQ(toSatang(v), half);
      ASSERT_EQ(roundTo(v, 2), static_cast<double>(half) / 100);
    }
}

// Amounts of up to four decimals, as typed, in money and whole texts: rounded half away from zero
// (the near halves too), grouped in threes, small and up to a thousand million and beyond.
TEST(NumText, MoneyAndWholeTextsOfTypedAmounts) {
  const auto grouped = [](long long n) {
    std::string digits = std::to_string(n < 0 ? -n : n), out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
      if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
      out += digits[i];
    }
    return out;
  };
  const auto halfAway = [](long long k, long long unit) {
    return k < 0 ? -((-k + unit / 2) / unit) : (k + unit / 2) / unit;
  };
  const long long starts[] = {-30000, 0, 99990000, 9999999990000LL, 10000000000000LL - 30000};
  for (const long long start : starts)
    for (long long k = start; k < start + 30000; ++k) {
      const double v = static_cast<double>(k) / 10000;  // k ten-thousandths, exact in 15 digits
      const long long satang = halfAway(k, 100), whole = halfAway(k, 10000);
      const std::string money = (satang < 0 ? "-" : "") + grouped(satang / 100) + "." +
                                std::to_string((satang < 0 ? -satang : satang) % 100 + 100).substr(1);
      SCOPED_TRACE(k);
      ASSERT_EQ(fmtMoney(v).toStdString(), money);
      ASSERT_EQ(fmtWhole(v).toStdString(), (whole < 0 ? "-" : "") + grouped(whole));
    }
}

TEST(NumText, ParseEdges) {
  EXPECT_EQ(parseNumber("+5"), 5);
  EXPECT_EQ(parseNumber("-.5"), -0.5);
  EXPECT_EQ(parseNumber(" "), std::nullopt);
  EXPECT_EQ(parseNumber("."), std::nullopt);
  EXPECT_EQ(parseNumber("1,234,56"), std::nullopt);
  EXPECT_EQ(parseNumber("1e5"), std::nullopt);
  EXPECT_EQ(parseNumber("inf"), std::nullopt);
  // A number too large for a double is a failure, never infinity.
  EXPECT_EQ(parseNumber(QString(400, '9')), std::nullopt);
}

// Half away from zero, on the value as its 15 significant digits read.
TEST(NumText, OneRoundingRule) {
  const struct {
    double v;
    int decimals;
    double want;
  } cases[] = {
      {0.125, 2, 0.13}, {-0.125, 2, -0.13}, {2.5, 0, 3},      {-2.5, 0, -3},       {0.285, 2, 0.29},
      {1.45, 1, 1.5},   {1.005, 2, 1.01},   {2.675, 2, 2.68}, {0.1 + 0.2, 2, 0.3}, {1234.5649, 2, 1234.56},
      {-0.004, 2, 0},   {99.995, 2, 100},   {0, 2, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(plainNumber(c.v).toStdString() + " to " + std::to_string(c.decimals));
    EXPECT_DOUBLE_EQ(roundTo(c.v, c.decimals), c.want);
    if (c.decimals == 2) {
      EXPECT_EQ(toSatang(c.v), qRound64(c.want * 100));
    }
  }
}

// The money rule written out independently: the value's 15 significant digits, rounded half away
// from zero to whole satang, grouped in threes.
std::string referenceMoney(double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.14e", std::fabs(v));
  std::string digits = std::string(1, buf[0]) + std::string(buf + 2, 14);
  const int exp = std::atoi(std::strchr(buf, 'e') + 1);
  const int keep = exp + 3;  // digits of the value in satang before its decimal point
  unsigned long long satang = 0;
  for (int i = 0; i < keep; ++i) satang = satang * 10 + (i < 15 ? digits[i] - '0' : 0);
  if (keep >= 0 && keep < 15 && digits[keep] >= '5') ++satang;
  std::string whole = std::to_string(satang / 100), grouped;
  for (size_t i = 0; i < whole.size(); ++i) {
    if (i > 0 && (whole.size() - i) % 3 == 0) grouped += ',';
    grouped += whole[i];
  }
  char cents[4];
  std::snprintf(cents, sizeof cents, "%02llu", satang % 100);
  return (v < 0 && satang > 0 ? "-" : "") + grouped + "." + cents;
}

TEST(NumText, MoneyTextIsTheDecimalRuleOverRandomAmounts) {
  std::vector<double> values = {0.0,          -0.0,         0.5,   -0.5,        0.005,       -0.005,
                                0.015,        1.005,        2.675, 999.995,     -999.995,    0.1 + 0.2,
                                -0.004,       -0.001,       1e-9,  -1e-9,       99999999.99, -99999999.99,
                                99999999.995, 999999999.99, 1e9,   123456789.5, 12 * 3.5,    1234.5};
  std::mt19937 rng(32);
  std::uniform_int_distribution<qint64> satang(-9999999999LL, 9999999999LL);
  std::uniform_int_distribution<qint64> halfSatang(-999999999LL, 999999999LL);
  std::uniform_real_distribution<double> any(-99999999.99, 99999999.99);
  std::uniform_real_distribution<double> small(-10, 10);
  std::uniform_real_distribution<double> price(0, 500);
  std::uniform_int_distribution<int> quantity(-50, 200);
  for (int i = 0; i < 20000; ++i) {
    values.push_back(static_cast<double>(satang(rng)) / 100);              // whole satang up to 99,999,999.99
    values.push_back(static_cast<double>(halfSatang(rng)) / 100 + 0.005);  // half a satang over
    values.push_back(any(rng));
    values.push_back(small(rng));
    values.push_back(quantity(rng) * std::round(price(rng) * 100) / 100);  // a line: quantity x price
  }
  for (double v : values)
    ASSERT_EQ(plat::fmtMoney(v).toStdString(), referenceMoney(v)) << std::setprecision(17) << v;
}
