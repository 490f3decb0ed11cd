#include "data/categories.h"

#include <gtest/gtest.h>

#include "data/db.h"
#include "support/testenv.h"

namespace {

using data::Conn;
using data::KeyedWrite;

class CategoriesTest : public testenv::DbTest {
 protected:
  static void category(const QString& id, const QString& name) {
    Conn().exec("INSERT INTO Category (CateID, CateName) VALUES (?, ?)", {id, name});
  }
  static void product(const QString& code, const QString& cid) {
    Conn().exec("INSERT INTO Product VALUES (?, 'n', 1, 1, 1, 0, ?, 'pc', 0)", {code, cid});
  }
  static int count(const QString& sql, const QVariantList& binds = {}) {
    return Conn().scalar(sql, binds).toInt();
  }
};

TEST(CategoryTextTest, OneBlankInListsTwoInChoosersAndTheIdKeptWhole) {
  struct Case {
    data::Category c;
    const char* text;
    const char* chooser;
  };
  const Case cases[] = {
      {{"01", "Drinks"}, "01. Drinks", "01.  Drinks"},
      {{"1.5", "Half"}, "1.5. Half", "1.5.  Half"},
      {{"X", ""}, "X. ", "X.  "},
  };
  for (const Case& k : cases) {
    EXPECT_EQ(data::categoryText(k.c), QString::fromUtf8(k.text));
    EXPECT_EQ(data::categoryChooserText(k.c), QString::fromUtf8(k.chooser));
  }
}

TEST_F(CategoriesTest, ListedInIdTextOrder) {
  category("10", "Ten");
  category("2", "Two");
  category("01", "One");
  const auto all = data::allCategories();
  ASSERT_EQ(all.size(), 3);
  EXPECT_EQ(all[0].CateID, "01");
  EXPECT_EQ(all[1].CateID, "10");
  EXPECT_EQ(all[2].CateID, "2");
  EXPECT_EQ(all[2].CateName, "Two");
}

TEST_F(CategoriesTest, InsertRefusesEmptyAndExistingIds) {
  EXPECT_EQ(data::insertCategory({" 01 ", "Men's wear"}), KeyedWrite::Done);
  EXPECT_EQ(data::insertCategory({"", "No id"}), KeyedWrite::EmptyKey);
  EXPECT_EQ(data::insertCategory({"   ", "Blank id"}), KeyedWrite::EmptyKey);
  category("AB", "Letters");
  EXPECT_EQ(data::insertCategory({"ab", "Again"}), KeyedWrite::DuplicateKey);

  EXPECT_EQ(count("SELECT COUNT(*) FROM Category"), 2);
  EXPECT_EQ(Conn().scalar("SELECT CateName FROM Category WHERE CateID = '01'").toString(), "Men's wear");
  EXPECT_EQ(Conn().scalar("SELECT CateName FROM Category WHERE CateID = 'AB'").toString(), "Letters");
}

TEST_F(CategoriesTest, IdChangeCarriesItsProductsAlong) {
  category("C1", "Drinks");
  category("C2", "Snacks");
  product("P1", "C1");
  product("P2", "c1");
  product("P3", "C2");
  ASSERT_EQ(data::updateCategory("C1", {"D1", "Cold drinks"}), KeyedWrite::Done);
  EXPECT_EQ(Conn().scalar("SELECT CateName FROM Category WHERE CateID = 'D1'").toString(), "Cold drinks");
  EXPECT_EQ(count("SELECT COUNT(*) FROM Category WHERE CateID = 'C1'"), 0);
  EXPECT_EQ(count("SELECT COUNT(*) FROM Product WHERE CID = 'D1'"), 2);
  EXPECT_EQ(Conn().scalar("SELECT CID FROM Product WHERE PId = 'P3'").toString(), "C2");
}

TEST_F(CategoriesTest, ChangeOntoAnExistingIdOrFromAMissingOneChangesNothing) {
  category("C1", "Drinks");
  category("C2", "Snacks");
  product("P1", "C1");
  EXPECT_EQ(data::updateCategory("C1", {"c2", "Clash"}), KeyedWrite::DuplicateKey);
  EXPECT_EQ(data::updateCategory("C9", {"C3", "Gone"}), KeyedWrite::NotFound);
  EXPECT_EQ(data::updateCategory("", {"C3", "No key"}), KeyedWrite::NotFound);
  EXPECT_EQ(data::updateCategory("C1", {" ", "Blank"}), KeyedWrite::EmptyKey);

  EXPECT_EQ(Conn().scalar("SELECT CateName FROM Category WHERE CateID = 'C1'").toString(), "Drinks");
  EXPECT_EQ(Conn().scalar("SELECT CateName FROM Category WHERE CateID = 'C2'").toString(), "Snacks");
  EXPECT_EQ(count("SELECT COUNT(*) FROM Category"), 2);
  EXPECT_EQ(Conn().scalar("SELECT CID FROM Product").toString(), "C1");
}

TEST_F(CategoriesTest, NameOnlyChangeKeepsTheId) {
  category("C1", "Drinks");
  product("P1", "C1");
  ASSERT_EQ(data::updateCategory("C1", {"C1", "Soft drinks"}), KeyedWrite::Done);
  EXPECT_EQ(Conn().scalar("SELECT CateName FROM Category WHERE CateID = 'C1'").toString(), "Soft drinks");
  EXPECT_EQ(Conn().scalar("SELECT CID FROM Product").toString(), "C1");
}

}  // namespace
