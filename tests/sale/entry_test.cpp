// The rules of product entry and payment that do not need the window.
#include "sale/entry.h"

#include <gtest/gtest.h>

#include "data/products.h"
#include "sale/payment.h"

namespace {

using sale::CodeEntry;

TEST(QuantityPrefix, ReadsTheTextBeforeTheFirstStarAndKeepsTheRestAsTheCode) {
  struct Case {
    const char* text;
    bool accepted;
    int quantity;  // the line's quantity with 1 pending
    const char* code;
  } cases[] = {
      {"4711", true, 1, "4711"},     {"3*4711", true, 3, "4711"},
      {"03*4711", true, 3, "4711"},  // the code is what follows the star, not 04711
      {"0*4711", true, 1, "4711"},   {"-3*4711", true, -3, "4711"},
      {" 2 *4711", true, 2, "4711"}, {"3*4*5", true, 3, "4*5"},
      {"32767*x", true, 32767, "x"}, {"-32768*x", true, -32768, "x"},
      {"32768*x", false, 0, ""},     {"*4711", false, 0, ""},
      {"a*4711", false, 0, ""},      {"1.5*4711", false, 0, ""},
      {"1,000*4711", false, 0, ""},  {"-*4711", false, 0, ""},
      {"๓*4711", false, 0, ""},  // Thai digits are not a quantity
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const std::optional<CodeEntry> e = sale::parseCodeEntry(QString::fromUtf8(c.text));
    ASSERT_EQ(e.has_value(), c.accepted);
    if (!e) continue;
    EXPECT_EQ(sale::entryQuantity(*e, 1), c.quantity);
    EXPECT_EQ(e->code, QString::fromUtf8(c.code));
  }
}

TEST(QuantityPrefix, WithoutAPrefixThePendingQuantityHolds) {
  const auto e = sale::parseCodeEntry("4711");
  ASSERT_TRUE(e);
  EXPECT_EQ(sale::entryQuantity(*e, 4), 4);
  EXPECT_EQ(sale::entryQuantity(*sale::parseCodeEntry("2*4711"), 4), 2);
  EXPECT_EQ(sale::entryQuantity(*sale::parseCodeEntry("0*4711"), 4), 1);
}

TEST(HotKeys, LetterRowsAreNumberedUnshiftedThenShiftedAndNothingElseIsAKey) {
  const QString unshifted = QStringLiteral("qwertyuiop[]\\asdfghjkl;'zxcvbnm,./");
  const QString shifted = QStringLiteral("QWERTYUIOP{}|ASDFGHJKL:\"ZXCVBNM<>?");
  for (int i = 0; i < 34; ++i) {
    EXPECT_EQ(sale::hotKeyId(unshifted[i].unicode()), i + 1) << unshifted[i].toLatin1();
    EXPECT_EQ(sale::hotKeyId(shifted[i].unicode()), i + 35) << shifted[i].toLatin1();
  }
  for (const char c : QByteArray("0123456789 `~!@#$%^&*()-_=+\r\x1b\b")) {
    EXPECT_EQ(sale::hotKeyId(c), 0) << int(c);
  }
  EXPECT_EQ(sale::hotKeyId(0x0E01), 0);  // a Thai letter
}

TEST(PriceLevel, TwoAndThreeChooseTheOtherPricesAndAnythingElseThePrice) {
  data::Product p;
  p.Price = 10;
  p.Price1 = 9;
  p.Price2 = 8;
  struct Case {
    const char* level;
    double price;
  } cases[] = {{"0", 10}, {"1", 10}, {"2", 9}, {"3", 8}, {"2.0", 9}, {"4", 10}, {"", 10}, {"x", 10}};
  for (const Case& c : cases) EXPECT_EQ(sale::unitPriceForLevel(p, c.level), c.price) << c.level;
}

TEST(StockTests, RefusalAndReorderWarningByTheQuantityEntered) {
  using V = sale::StockVerdict;
  struct Case {
    double stock, qty, reorder;
    V verdict;
  } cases[] = {
      {5, 3, 2, V::ReorderPoint},  // 5 - 3 <= 2
      {5, 2, 2, V::Ok},           {5, 6, 2, V::OutOfOrder},
      {5, 5, 0, V::ReorderPoint},  // stock equal to the quantity is accepted, with the warning
      {5, 5, -1, V::Ok},          {0, -3, 0, V::Ok},  // a negative line raises the stock left
      {0, 1, -1, V::OutOfOrder},
  };
  for (const Case& c : cases) EXPECT_EQ(sale::checkEntry(c.stock, c.qty, c.reorder), c.verdict) << c.qty;
  EXPECT_TRUE(sale::mergeAllowed(5, 3, 2));
  EXPECT_FALSE(sale::mergeAllowed(5, 3, 3));  // 5 - 3 - 3 = -1
}

TEST(NameSearch, WildcardsInTheTypedTextAreLiteral) {
  EXPECT_EQ(sale::likeLiteral("50%_off\\x"), "50\\%\\_off\\\\x");
  EXPECT_EQ(sale::likeLiteral("O'Neil"), "O'Neil");
}

TEST(Payment, VatIsThePartOfTheTotalThatIsTax) {
  EXPECT_NEAR(sale::vatOf(107, 7), 7, 1e-9);
  EXPECT_NEAR(sale::vatOf(1070, 7), 70, 1e-9);
  EXPECT_EQ(sale::vatOf(100, 0), 0);
}

TEST(Payment, CashButtonsAddToTheAmountTheirWay) {
  struct Case {
    const char* before;
    double add;
    bool full;
    std::optional<QString> after;
  } cases[] = {
      {"0", 1000, false, QStringLiteral("1000")},
      {"1000", 500, false, QStringLiteral("1500")},
      {"10.5", 0.5, true, QStringLiteral("11")},
      {"0.1", 0.2, true, QStringLiteral("0.3")},
      {"12abc", 10, false, QStringLiteral("22")},
      {"12abc", 1, true, std::nullopt},  // a full-number button leaves a text that is not a number
      {"", 5, true, std::nullopt},
      {"", 20, false, QStringLiteral("20")},
      {"1.005", 1, true, QStringLiteral("2.01")},
  };
  for (const Case& c : cases) EXPECT_EQ(sale::afterCashButton(c.before, c.add, c.full), c.after) << c.before;
}

TEST(Payment, CoveringIsDecidedInWholeSatang) {
  EXPECT_TRUE(sale::covers("100", 100));
  EXPECT_FALSE(sale::covers("99.99", 100));
  EXPECT_TRUE(sale::covers("0.3", 0.1 + 0.2));  // 0.30000000000000004 is 30 satang
  EXPECT_FALSE(sale::covers("", 1));
  EXPECT_FALSE(sale::covers("1..2", 1));
  EXPECT_FALSE(sale::covers("", 0));  // nothing typed is never an amount
  EXPECT_EQ(sale::changeSatang("1000", 850), 15000);
}

TEST(Payment, AnAmountTenderedAboveTheCeilingIsRefused) {
  struct Case {
    const char* pay;
    bool refused;
  } cases[] = {
      {"99999999.99", false},
      {"99,999,999.99", false},
      {"99999999.994", false},
      {"0", false},
      {"100000000.00", true},
      {"99999999.999", true},
      {"100000000", true},
      {"2600885100000", true},  // a barcode scanned into the box
      {"", false},              // not an amount: refused as a short payment instead
      {"1..2", false},
  };
  for (const Case& c : cases) EXPECT_EQ(sale::tenderTooBig(c.pay), c.refused) << c.pay;
  // More satang than a whole number of 64 bits holds.
  EXPECT_TRUE(sale::tenderTooBig(QString(20, QLatin1Char('9'))));
}

TEST(Payment, TheAmountBoxTakesDigitsAPointAndControlKeys) {
  for (const int k : {int('0'), int('9'), int('.'), 8, 13, 27}) EXPECT_TRUE(sale::payKeyPasses(k)) << k;
  for (const int k : {int('a'), int('-'), int(','), int(' '), 0x0E01})
    EXPECT_FALSE(sale::payKeyPasses(k)) << k;
}

}  // namespace
