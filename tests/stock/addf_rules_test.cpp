#include "stock/addf_rules.h"

#include <gtest/gtest.h>

namespace {

using stock::EntryCheck;
using stock::KeyRule;
using Verdict = stock::EntryCheck::Verdict;

TEST(KeyFilterTest, RefusedCharactersDropAndControlKeysAlwaysPass) {
  struct Case {
    KeyRule rule;
    int key;
    int expected;
  };
  const Case cases[] = {
      {KeyRule::NoStop, '.', 0},
      {KeyRule::NoStop, 'a', 'a'},
      {KeyRule::NoStop, 0x0E01, 0x0E01},
      {KeyRule::NoStop, '\'', '\''},
      {KeyRule::Price, '7', '7'},
      {KeyRule::Price, '.', '.'},
      {KeyRule::Price, '-', '-'},
      {KeyRule::Price, 'e', 0},
      {KeyRule::Price, ',', 0},
      {KeyRule::Price, ' ', 0},
      {KeyRule::Digits, '5', '5'},
      {KeyRule::Digits, '.', 0},
      {KeyRule::Digits, '-', 0},
      {KeyRule::Any, '.', '.'},
      // Backspace, Enter and Ctrl+V pass every filter.
      {KeyRule::Digits, 8, 8},
      {KeyRule::Digits, 13, 13},
      {KeyRule::Price, 22, 22},
      {KeyRule::NoStop, 13, 13},
  };
  for (const Case& c : cases)
    EXPECT_EQ(stock::filterKey(c.rule, c.key), c.expected) << int(c.rule) << " key " << c.key;
}

TEST(NumberTextTest, PricesAndReorderPoints) {
  struct Price {
    const char* text;
    std::optional<double> value;
  };
  const Price prices[] = {
      {"12.5", 12.5},
      {"0", 0.0},
      {"-3", -3.0},
      {"5.", 5.0},
      {".25", 0.25},
      {"-.5", -0.5},
      {"", std::nullopt},
      {"-", std::nullopt},
      {".", std::nullopt},
      {"1.2.3", std::nullopt},
      {"1-2", std::nullopt},
      {"--1", std::nullopt},
      {"1,000", std::nullopt},
      {" 1", std::nullopt},
      {"1e3", std::nullopt},
  };
  for (const Price& p : prices) EXPECT_EQ(stock::priceValue(QString::fromUtf8(p.text)), p.value) << p.text;

  struct Whole {
    const char* text;
    std::optional<qint64> value;
  };
  const Whole wholes[] = {
      {"0", 0},
      {"15", 15},
      {"007", 7},
      {"", std::nullopt},
      {"-1", std::nullopt},
      {"1.5", std::nullopt},
      {"99999999999999999999", std::nullopt},
  };
  for (const Whole& w : wholes) EXPECT_EQ(stock::wholeValue(QString::fromUtf8(w.text)), w.value) << w.text;
}

stock::ProductEntry goodEntry() {
  stock::ProductEntry e;
  e.code = QStringLiteral(" P1 ");
  e.name = QStringLiteral("Men's shirt");
  e.price = QStringLiteral("12.5");
  e.price1 = QStringLiteral("12");
  e.price2 = QStringLiteral("-1");
  e.noun = QStringLiteral("pc");
  e.poOrder = QStringLiteral("3");
  e.cid = QStringLiteral("1.5");
  return e;
}

TEST(EntryCheckTest, AGoodEntryBecomesTheProduct) {
  const EntryCheck c = stock::checkEntry(goodEntry());
  ASSERT_EQ(c.verdict, Verdict::Ok);
  EXPECT_EQ(c.product.PId, "P1");
  EXPECT_EQ(c.product.PName, "Men's shirt");
  EXPECT_DOUBLE_EQ(c.product.Price, 12.5);
  EXPECT_DOUBLE_EQ(c.product.Price1, 12);
  EXPECT_DOUBLE_EQ(c.product.Price2, -1);
  EXPECT_DOUBLE_EQ(c.product.Quantity, 0);
  EXPECT_EQ(c.product.CID, "1.5");
  EXPECT_EQ(c.product.ProNoun, "pc");
  EXPECT_EQ(c.product.PoOrder, 3);
}

TEST(EntryCheckTest, EmptyBoxesThenCategoryThenNumbers) {
  using Field = QString stock::ProductEntry::*;
  const Field boxes[] = {&stock::ProductEntry::code,   &stock::ProductEntry::name,
                         &stock::ProductEntry::price,  &stock::ProductEntry::price1,
                         &stock::ProductEntry::price2, &stock::ProductEntry::noun,
                         &stock::ProductEntry::poOrder};
  for (Field f : boxes) {
    stock::ProductEntry e = goodEntry();
    e.*f = QString();
    e.cid.reset();  // an empty box is found first
    EXPECT_EQ(stock::checkEntry(e).verdict, Verdict::EmptyField);
  }
  stock::ProductEntry blanks = goodEntry();
  blanks.code = QStringLiteral("   ");
  EXPECT_EQ(stock::checkEntry(blanks).verdict, Verdict::EmptyField);

  stock::ProductEntry none = goodEntry();
  none.cid.reset();
  none.price = QStringLiteral("x");
  EXPECT_EQ(stock::checkEntry(none).verdict, Verdict::NoCategory);

  struct Bad {
    Field field;
    const char* text;
    const char* box;
  };
  const Bad bads[] = {
      {&stock::ProductEntry::price, "-", "txtPrice"},
      {&stock::ProductEntry::price1, "1.2.3", "txtPrice1"},
      {&stock::ProductEntry::price2, "1-", "txtPrice2"},
      {&stock::ProductEntry::poOrder, "2.5", "txtPoOrder"},
      {&stock::ProductEntry::poOrder, "-1", "txtPoOrder"},
  };
  for (const Bad& b : bads) {
    stock::ProductEntry e = goodEntry();
    e.*(b.field) = QString::fromUtf8(b.text);
    const EntryCheck c = stock::checkEntry(e);
    EXPECT_EQ(c.verdict, Verdict::BadNumber) << b.text;
    EXPECT_EQ(c.badField, b.box) << b.text;
  }
}

TEST(EntryCheckTest, EachNumberBoxIsRefusedPastItsCeilingAndTakenUpToIt) {
  using Field = QString stock::ProductEntry::*;
  struct Case {
    Field field;
    const char* text;
    const char* refusedBox;  // nullptr: taken
    plat::Ceiling kind;
  };
  const Case cases[] = {
      {&stock::ProductEntry::price, "8851234000001", "txtPrice", plat::Ceiling::Money},  // a barcode
      {&stock::ProductEntry::price1, "100000000.00", "txtPrice1", plat::Ceiling::Money},
      {&stock::ProductEntry::price2, "99999999.995", "txtPrice2", plat::Ceiling::Money},
      {&stock::ProductEntry::price, "-8851234000001", "txtPrice", plat::Ceiling::Money},
      {&stock::ProductEntry::poOrder, "32768", "txtPoOrder", plat::Ceiling::Quantity},
      {&stock::ProductEntry::poOrder, "8851234000001", "txtPoOrder", plat::Ceiling::Quantity},
      {&stock::ProductEntry::poOrder, "99999999999999999999", "txtPoOrder", plat::Ceiling::Quantity},
      {&stock::ProductEntry::price, "99999999.99", nullptr, plat::Ceiling::Money},
      {&stock::ProductEntry::price2, "-99999999.99", nullptr, plat::Ceiling::Money},
      {&stock::ProductEntry::poOrder, "32767", nullptr, plat::Ceiling::Quantity},
  };
  for (const Case& c : cases) {
    stock::ProductEntry e = goodEntry();
    e.*(c.field) = QString::fromLatin1(c.text);
    const EntryCheck check = stock::checkEntry(e);
    if (!c.refusedBox) {
      EXPECT_EQ(check.verdict, Verdict::Ok) << c.text;
      continue;
    }
    EXPECT_EQ(check.verdict, Verdict::OverCeiling) << c.text;
    EXPECT_EQ(check.badField, c.refusedBox) << c.text;
    EXPECT_EQ(check.ceiling, c.kind) << c.text;
  }
}

data::ListedProduct listed(const char* code, const char* cid, const char* cateName, const char* noun = "pc") {
  data::ListedProduct lp;
  lp.product.PId = code;
  lp.product.PName = QStringLiteral("Name ") + code;
  lp.product.Price = 12.5;
  lp.product.Price1 = 1000;
  lp.product.Price2 = 0.3;
  lp.product.Quantity = 4;
  lp.product.CID = cid;
  lp.product.ProNoun = noun;
  lp.product.PoOrder = 2;
  lp.CateName = cateName;
  return lp;
}

TEST(GridRowsTest, ProductRowShowsValuesUnformattedInElevenColumns) {
  const stock::GridRow r = stock::productRow(listed("P1", "C1", "Drinks").product, "C1", "Drinks");
  EXPECT_FALSE(r.heading);
  EXPECT_EQ(r.key, "P1");
  EXPECT_EQ(r.cells,
            (QStringList{"P1", "Name P1", "12.5", "4", "pc", "C1", "1000", "0.3", "2", "Drinks", ""}));
}

TEST(GridRowsTest, AllCategoriesPutsAHeadingBeforeEachCategoryOrphansIncluded) {
  const QVector<data::ListedProduct> products = {listed("A", "C1", "Drinks"), listed("B", "c1", "Drinks", ""),
                                                 listed("Z", "C2", ""), listed("S", "C3", "Snacks")};
  const auto rows = stock::allCategoryRows(products);
  QStringList firstCells;
  QStringList names;
  for (const auto& r : rows) {
    firstCells << r.cells.at(0);
    names << r.cells.at(r.heading ? 1 : 9);
    EXPECT_EQ(r.cells.size(), 11);
  }
  EXPECT_EQ(firstCells, (QStringList{"  ", "A", "B", "  ", "Z", "  ", "S"}));
  EXPECT_EQ(names, (QStringList{"Drinks", "Drinks", "Drinks", "", "", "Snacks", "Snacks"}));
  EXPECT_TRUE(rows[0].heading);
  EXPECT_TRUE(rows[0].key.isEmpty());
  EXPECT_EQ(rows[2].cells.at(4), "");    // no unit word
  EXPECT_EQ(rows[2].cells.at(5), "c1");  // its own category id

  const auto search = stock::searchRows(products);
  ASSERT_EQ(search.size(), 4);
  for (const auto& r : search) EXPECT_FALSE(r.heading);

  const auto one = stock::oneCategoryRows({products[0].product}, "C1", "Drinks");
  ASSERT_EQ(one.size(), 1);
  EXPECT_EQ(one[0].cells.at(5), "C1");
  EXPECT_EQ(one[0].cells.at(9), "Drinks");
}

}  // namespace
