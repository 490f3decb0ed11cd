#include "data/products.h"

#include <gtest/gtest.h>

#include <functional>

#include "data/categories.h"
#include "data/db.h"
#include "support/testenv.h"

namespace {

using data::Conn;
using data::KeyedWrite;
using data::Removal;

class ProductsTest : public testenv::DbTest {
 protected:
  static void category(const QString& id, const QString& name) {
    Conn().exec("INSERT INTO Category (CateID, CateName) VALUES (?, ?)", {id, name});
  }
  static void product(const QString& code, const QString& name, const QVariant& cid,
                      const QVariant& noun = QStringLiteral("pc"), double quantity = 0) {
    Conn().exec("INSERT INTO Product VALUES (?, ?, 10, 9, 8, ?, ?, ?, 2)", {code, name, quantity, cid, noun});
  }
  static void sale(const QString& code, int bill) {
    Conn().exec(
        "INSERT INTO Sell (PID, SellTime, SellDate, BuyDate, BuyId, SQuantity, SPrice, Comment, Employee, "
        "Recieve) VALUES (?, '10:00:00', '2024-03-15', '2024-03-01', '1', 1, 10, ?, 'Admin', 10)",
        {code, bill});
  }
  static void lot(const QString& code) {
    Conn().exec(
        "INSERT INTO Buy (PId, BuyDate, BuyTime, BQuantity, BPrice, BuyId, RemainQ, SupplierID) "
        "VALUES (?, '2024-03-01', '09:00:00', 5, 6, '1', 5, 'S1')",
        {code});
  }
  static void hotKey(int kbid, const QString& code) {
    Conn().exec("UPDATE settingkb SET PID = ? WHERE KBID = ?", {code, kbid});
  }
  static int count(const QString& sql, const QVariantList& binds = {}) {
    return Conn().scalar(sql, binds).toInt();
  }
  static data::Product entry(const QString& code, const QString& name = QStringLiteral("Name"),
                             const QString& cid = QStringLiteral("C1")) {
    data::Product p;
    p.PId = code;
    p.PName = name;
    p.Price = 12.5;
    p.Price1 = 11;
    p.Price2 = 10.25;
    p.CID = cid;
    p.ProNoun = QStringLiteral("box");
    p.PoOrder = 5;
    return p;
  }
  static QStringList codes(const QVector<data::ListedProduct>& v) {
    QStringList out;
    for (const auto& lp : v) out << lp.product.PId;
    return out;
  }
};

TEST_F(ProductsTest, InsertStoresTheRowWithStockZeroAndQuotesIntact) {
  data::Product p = entry(QStringLiteral("  M01 "), QStringLiteral("Men's shirt"));
  p.Quantity = 99;  // never written by an insert
  ASSERT_EQ(data::insertProduct(p), KeyedWrite::Done);

  const auto got = data::productByCode(QStringLiteral("m01"));
  ASSERT_TRUE(got);
  EXPECT_EQ(got->PId, "M01");
  EXPECT_EQ(got->PName, "Men's shirt");
  EXPECT_DOUBLE_EQ(got->Price, 12.5);
  EXPECT_DOUBLE_EQ(got->Price1, 11);
  EXPECT_DOUBLE_EQ(got->Price2, 10.25);
  EXPECT_DOUBLE_EQ(got->Quantity, 0);
  EXPECT_EQ(got->CID, "C1");
  EXPECT_EQ(got->ProNoun, "box");
  EXPECT_EQ(got->PoOrder, 5);
  EXPECT_EQ(Conn().scalar("SELECT typeof(PoOrder) FROM Product").toString(), "integer");
}

TEST_F(ProductsTest, InsertRefusesAnEmptyOrExistingCodeAndWritesNothing) {
  product("ABC", "First", "C1");
  EXPECT_EQ(data::insertProduct(entry(QStringLiteral("   "))), KeyedWrite::EmptyKey);
  EXPECT_EQ(data::insertProduct(entry(QStringLiteral("abc"), QStringLiteral("Second"))),
            KeyedWrite::DuplicateKey);
  EXPECT_EQ(count("SELECT COUNT(*) FROM Product"), 1);
  EXPECT_EQ(data::productByCode("ABC")->PName, "First");
}

TEST_F(ProductsTest, CodeChangeCarriesSalesLotsAndHotKeyAlongInOneGo) {
  product("A1", "Old", "C1", "pc", 7);
  product("B1", "Other", "C1");
  sale("A1", 1);
  sale("B1", 2);
  lot("A1");
  lot("B1");
  hotKey(3, "A1");
  hotKey(4, "B1");

  data::Product p = entry(QStringLiteral("A9"), QStringLiteral("New name"), QStringLiteral("C2"));
  ASSERT_EQ(data::updateProduct(QStringLiteral("A1"), p), KeyedWrite::Done);

  EXPECT_FALSE(data::productByCode("A1"));
  const auto got = data::productByCode("A9");
  ASSERT_TRUE(got);
  EXPECT_EQ(got->PName, "New name");
  EXPECT_EQ(got->CID, "C2");
  EXPECT_DOUBLE_EQ(got->Price2, 10.25);
  EXPECT_DOUBLE_EQ(got->Quantity, 7);  // the stock is the editor's to keep, not to write
  EXPECT_EQ(count("SELECT COUNT(*) FROM Sell WHERE PID = 'A9' AND Comment = 1"), 1);
  EXPECT_EQ(count("SELECT COUNT(*) FROM Buy WHERE PId = 'A9'"), 1);
  EXPECT_EQ(Conn().scalar("SELECT PID FROM settingkb WHERE KBID = 3").toString(), "A9");
  EXPECT_EQ(count("SELECT COUNT(*) FROM Sell WHERE PID = 'A1'") +
                count("SELECT COUNT(*) FROM Buy WHERE PId = 'A1'"),
            0);
  // The other product's rows stay where they were.
  EXPECT_EQ(count("SELECT COUNT(*) FROM Sell WHERE PID = 'B1' AND Comment = 2"), 1);
  EXPECT_EQ(count("SELECT COUNT(*) FROM Buy WHERE PId = 'B1'"), 1);
  EXPECT_EQ(Conn().scalar("SELECT PID FROM settingkb WHERE KBID = 4").toString(), "B1");
}

TEST_F(ProductsTest, ChangeOntoAnExistingCodeIsRefusedAndNothingChanges) {
  product("A1", "Old", "C1");
  product("B1", "Other", "C1");
  sale("A1", 1);
  hotKey(3, "A1");
  for (const QString& onto : {QStringLiteral("B1"), QStringLiteral("b1")}) {
    EXPECT_EQ(data::updateProduct(QStringLiteral("A1"), entry(onto, QStringLiteral("Changed"))),
              KeyedWrite::DuplicateKey)
        << onto.toStdString();
  }
  EXPECT_EQ(data::productByCode("A1")->PName, "Old");
  EXPECT_EQ(data::productByCode("B1")->PName, "Other");
  EXPECT_EQ(count("SELECT COUNT(*) FROM Sell WHERE PID = 'A1'"), 1);
  EXPECT_EQ(Conn().scalar("SELECT PID FROM settingkb WHERE KBID = 3").toString(), "A1");
}

TEST_F(ProductsTest, ChangeOntoTheCodeOfADeletedProductsSalesOrLotsIsRefused) {
  product("A1", "Kept", "C1");
  sale("A1", 1);
  lot("A1");
  product("S9", "Sold once", "C1");
  sale("S9", 2);
  product("L9", "Bought once", "C1");
  lot("L9");
  Conn().exec("DELETE FROM Product WHERE PId IN ('S9', 'L9')");  // as a delete leaves them
  for (const QString& onto : {QStringLiteral("S9"), QStringLiteral("l9")}) {
    EXPECT_EQ(data::updateProduct(QStringLiteral("A1"), entry(onto, QStringLiteral("Changed"))),
              KeyedWrite::DuplicateKey)
        << onto.toStdString();
  }
  EXPECT_EQ(data::productByCode("A1")->PName, "Kept");
  EXPECT_EQ(count("SELECT COUNT(*) FROM Sell WHERE PID = 'A1'"), 1);
  EXPECT_EQ(count("SELECT COUNT(*) FROM Sell WHERE PID = 'S9'"), 1);
  EXPECT_EQ(count("SELECT COUNT(*) FROM Buy WHERE PId = 'L9'"), 1);
  // A code nothing uses is free.
  EXPECT_EQ(data::updateProduct(QStringLiteral("A1"), entry(QStringLiteral("N1"))), KeyedWrite::Done);
}

TEST_F(ProductsTest, UpdateOutcomesForCaseOnlyChangeMissingKeyAndEmptyCode) {
  product("a1", "Old", "C1");
  sale("a1", 1);
  EXPECT_EQ(data::updateProduct(QStringLiteral("a1"), entry(QStringLiteral("A1"))), KeyedWrite::Done);
  EXPECT_EQ(Conn().scalar("SELECT PId FROM Product").toString(), "A1");
  EXPECT_EQ(Conn().scalar("SELECT PID FROM Sell").toString(), "A1");

  EXPECT_EQ(data::updateProduct(QString(), entry(QStringLiteral("X"))), KeyedWrite::NotFound);
  EXPECT_EQ(data::updateProduct(QStringLiteral("nope"), entry(QStringLiteral("X"))), KeyedWrite::NotFound);
  EXPECT_EQ(data::updateProduct(QStringLiteral("A1"), entry(QStringLiteral(" "))), KeyedWrite::EmptyKey);
  EXPECT_EQ(count("SELECT COUNT(*) FROM Product WHERE PId = 'A1' AND PName = 'Name'"), 1);
  EXPECT_EQ(count("SELECT COUNT(*) FROM Product"), 1);
}

TEST_F(ProductsTest, DeletionRules) {
  category("C1", "Drinks");
  category("C2", "Snacks");
  category("C3", "Empty");
  product("SOLD", "Sold one", "C1");
  product("BOUGHT", "Bought only", "C2");
  sale("SOLD", 1);
  lot("SOLD");
  lot("BOUGHT");

  struct Case {
    const char* what;
    std::function<Removal()> act;
    Removal expected;
  };
  const Case cases[] = {
      {"product with a sale", [] { return data::deleteProduct("sold"); }, Removal::HasSales},
      {"product with purchases only", [] { return data::deleteProduct("BOUGHT"); }, Removal::Removed},
      {"unknown product", [] { return data::deleteProduct("NONE"); }, Removal::NotFound},
      {"category whose product sold", [] { return data::deleteCategory("c1"); }, Removal::HasSales},
      {"category with products, no sales", [] { return data::deleteCategory("C2"); }, Removal::Removed},
      {"unknown category", [] { return data::deleteCategory("C9"); }, Removal::NotFound},
  };
  for (const Case& c : cases) EXPECT_EQ(c.act(), c.expected) << c.what;

  EXPECT_TRUE(data::productByCode("SOLD"));
  EXPECT_FALSE(data::productByCode("BOUGHT"));
  EXPECT_EQ(count("SELECT COUNT(*) FROM Buy WHERE PId = 'BOUGHT'"), 1);  // its lots stay
  EXPECT_EQ(count("SELECT COUNT(*) FROM Category WHERE CateID IN ('C1', 'C3')"), 2);
  EXPECT_EQ(count("SELECT COUNT(*) FROM Category WHERE CateID = 'C2'"), 0);
}

TEST_F(ProductsTest, DeletedCategoryLeavesItsIdOnItsProducts) {
  category("C2", "Snacks");
  product("P1", "Chips", "C2");
  ASSERT_EQ(data::deleteCategory("C2"), Removal::Removed);
  EXPECT_EQ(data::productByCode("P1")->CID, "C2");
}

TEST_F(ProductsTest, AllCategoriesListGoesOnPastOrphansAndNullUnits) {
  category("C1", "Drinks");
  category("C3", "Snacks");
  product("9", "Nine", "C1");
  product("10", "Ten", "C1", QVariant());  // no unit word
  product("Z1", "Orphan", "C2");           // no such category
  product("S1", "Chips", "C3");

  const auto all = data::productsByCategory();
  EXPECT_EQ(codes(all), (QStringList{"10", "9", "Z1", "S1"}));  // codes in text order within a category
  ASSERT_EQ(all.size(), 4);
  EXPECT_EQ(all[0].CateName, "Drinks");
  EXPECT_EQ(all[0].product.ProNoun, "");
  EXPECT_EQ(all[2].CateName, "");
  EXPECT_EQ(all[2].product.CID, "C2");
  EXPECT_EQ(all[3].CateName, "Snacks");

  const auto one = data::productsOfCategory("c1");
  ASSERT_EQ(one.size(), 2);
  EXPECT_EQ(one[0].PId, "10");
  EXPECT_TRUE(data::productsOfCategory("C9").isEmpty());
}

TEST_F(ProductsTest, SearchMatchesIdCodeAndNameWithPatternCharactersTakenLiterally) {
  category("AB", "Group AB");
  product("X1", "Plain", "AB");     // by category id
  product("ZAB2", "Other", "Q");    // by code, unknown category
  product("K1", "Slab cake", "Q");  // by name, any case
  product("P5", "50% off", "Q");
  product("P6", "5000 sheets", "Q");
  product("P7", "snake_case", "Q");
  product("P8", "snakeXcase", "Q");
  product("P9", "Men's socks", "Q");
  product("PB", "back\\slash", "Q");

  struct Case {
    const char* text;
    QStringList expected;
  };
  const Case cases[] = {
      {"ab", {"K1", "X1", "ZAB2"}},
      {"50%", {"P5"}},
      {"e_c", {"P7"}},
      {"'", {"P9"}},
      {"Men's", {"P9"}},
      {"\\", {"PB"}},
      {"nothing like it", {}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(codes(data::searchProducts(QString::fromUtf8(c.text))), c.expected) << c.text;

  const auto found = data::searchProducts(QStringLiteral("ab"));
  ASSERT_EQ(found.size(), 3);
  EXPECT_EQ(found[1].CateName, "Group AB");
  EXPECT_EQ(found[2].CateName, "");  // unknown category: still listed
}

}  // namespace
