// The shipped template database: its tables, columns, collations, indexes and first rows.
#include <gtest/gtest.h>
#include <sodium.h>

#include "data/db.h"
#include "support/testenv.h"

using data::Conn;

namespace {

// "name type [collation]" for every column of a table, in order.
QStringList columnsOf(const QString& table) {
  QStringList out;
  const data::Snapshot s = Conn().query(QString("PRAGMA table_info(%1)").arg(table));
  for (const auto& r : s.rows()) out << r[1].toString() + ' ' + r[2].toString();
  return out;
}

QString planOf(const QString& sql, const QVariantList& binds) {
  const data::Snapshot s = Conn().query("EXPLAIN QUERY PLAN " + sql, binds);
  QStringList steps;
  for (const auto& r : s.rows()) steps << r.back().toString();
  return steps.join(" | ");
}

}  // namespace

class Template : public testenv::DbTest {};

TEST_F(Template, EightTables) {
  QStringList names;
  const data::Snapshot s = Conn().query("SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite%' ORDER BY name");
  for (const auto& r : s.rows()) names << r[0].toString();
  EXPECT_EQ(names, (QStringList{"Buy", "Category", "Customers", "Product", "Security", "Sell", "Suppliers",
                                "settingkb"}));
}

TEST_F(Template, ColumnsInOrderWithTheirTypes) {
  const std::pair<const char*, QStringList> tables[] = {
      {"Product",
       {"PId TEXT", "PName TEXT", "Price REAL", "Price1 REAL", "Price2 REAL", "Quantity REAL", "CID TEXT",
        "ProNoun TEXT", "PoOrder INTEGER"}},
      {"Category", {"CateID TEXT", "CateName TEXT"}},
      {"Sell",
       {"PID TEXT", "SellTime TEXT", "SellDate TEXT", "BuyDate TEXT", "BuyId TEXT", "SQuantity REAL",
        "SPrice REAL", "Comment INTEGER", "CustomerId TEXT", "Employee TEXT", "Recieve REAL",
        "Discontinue INTEGER"}},
      {"Buy",
       {"PId TEXT", "BuyDate TEXT", "BuyTime TEXT", "BQuantity REAL", "BPrice REAL", "BuyId TEXT",
        "RemainQ REAL", "SupplierID TEXT", "Discontinue INTEGER"}},
      {"Customers",
       {"CustomerId TEXT", "CompanyName TEXT", "ContactName TEXT", "ContactTitle TEXT", "Address TEXT",
        "City TEXT", "Region TEXT", "PostalCode TEXT", "Country TEXT", "Phone TEXT", "Fax TEXT",
        "Discount INTEGER"}},
      {"Suppliers",
       {"SupplierId TEXT", "SupType TEXT", "CompanyName TEXT", "ContactName TEXT", "ContactTitle TEXT",
        "Address TEXT", "City TEXT", "Region TEXT", "PostalCode TEXT", "Country TEXT", "Phone TEXT",
        "Fax TEXT", "Homepage TEXT", "BusinessDesc TEXT", "Email TEXT"}},
      {"Security", {"UserName TEXT", "Password TEXT", "Permission INTEGER"}},
      {"settingkb", {"KBID INTEGER", "PID TEXT", "KBName TEXT"}},
  };
  for (const auto& [table, cols] : tables) {
    SCOPED_TRACE(table);
    EXPECT_EQ(columnsOf(table), cols);
  }
}

TEST_F(Template, CodesIgnoreCaseAndKeepLeadingZeros) {
  Conn().exec("INSERT INTO Product VALUES (?,?,?,?,?,?,?,?,?)",
              {"ab007", "Soap", 10, 9, 8, 0, "c1", "bar", 2});
  Conn().exec("INSERT INTO Category VALUES (?, ?)", {"C1", "Home"});
  Conn().exec("INSERT INTO Customers (CustomerId, Discount) VALUES (?, ?)", {"cus01", "3"});
  Conn().exec("INSERT INTO Suppliers (SupplierId) VALUES (?)", {"sup01"});
  Conn().exec("INSERT INTO Buy (PId, BuyDate, BuyId, SupplierID, RemainQ) VALUES (?, ?, ?, ?, ?)",
              {"AB007", "2024-03-01", "1", "SUP01", 5});
  Conn().exec("INSERT INTO Sell (PID, SellDate, Comment, CustomerId) VALUES (?, ?, ?, ?)",
              {"Ab007", "2024-03-02", 1, "CUS01"});
  Conn().exec("INSERT INTO Security (UserName, Password, Permission) VALUES (?, ?, ?)", {"admin", "x", 2});
  EXPECT_EQ(Conn().scalar("SELECT PId FROM Product WHERE PId = ?", {"AB007"}).toString(), "ab007");
  Conn().exec("INSERT INTO Product (PId) VALUES (?)", {"007"});
  EXPECT_EQ(Conn().scalar("SELECT PId FROM Product WHERE PId = ?", {"007"}).toString(), "007");
  EXPECT_FALSE(Conn().scalar("SELECT PId FROM Product WHERE PId = ?", {"7"}).isValid());
  EXPECT_EQ(Conn()
                .scalar("SELECT PId FROM Product INNER JOIN Category ON Product.CID = Category.CateID")
                .toString(),
            "ab007");
  EXPECT_EQ(Conn().scalar("SELECT COUNT(*) FROM Customers WHERE CustomerId = ?", {"CUS01"}).toInt(), 1);
  EXPECT_EQ(Conn().scalar("SELECT COUNT(*) FROM Suppliers WHERE SupplierId = ?", {"SUP01"}).toInt(), 1);
  EXPECT_EQ(
      Conn().scalar("SELECT COUNT(*) FROM Buy WHERE PId = ? AND SupplierID = ?", {"ab007", "sup01"}).toInt(),
      1);
  EXPECT_EQ(
      Conn().scalar("SELECT COUNT(*) FROM Sell WHERE PID = ? AND CustomerId = ?", {"AB007", "cus01"}).toInt(),
      1);
  // User names are exact: "admin" is another user than "Admin".
  EXPECT_EQ(Conn().scalar("SELECT COUNT(*) FROM Security WHERE UserName = ?", {"Admin"}).toInt(), 1);
  EXPECT_EQ(Conn().scalar("SELECT COUNT(*) FROM Security").toInt(), 2);
  EXPECT_THROW(Conn().exec("INSERT INTO Security (UserName) VALUES (?)", {"Admin"}), data::DbError);
  // The price level and the re-order point, written as quoted digits, are stored as numbers.
  EXPECT_EQ(Conn().scalar("SELECT typeof(Discount) FROM Customers").toString(), "integer");
  Conn().exec("UPDATE Product SET PoOrder = ?", {"5"});
  EXPECT_EQ(Conn().scalar("SELECT COUNT(*) FROM Product WHERE Quantity <= PoOrder").toInt(), 1);
}

TEST_F(Template, LookUpsUseAnIndex) {
  const std::pair<const char*, QVariantList> lookUps[] = {
      {"SELECT * FROM Product WHERE PId = ?", {"x"}},
      {"SELECT * FROM Product WHERE CID = ? ORDER BY PId", {"x"}},
      {"SELECT * FROM Category WHERE CateID = ?", {"x"}},
      {"SELECT BuyDate, BuyId, RemainQ FROM Buy WHERE PId = ? AND RemainQ > 0 ORDER BY BuyDate", {"x"}},
      {"SELECT BuyId FROM Buy WHERE BuyDate = ? ORDER BY BuyId", {"2024-03-01"}},
      {"SELECT * FROM Buy WHERE BuyDate = ? AND BuyId = ?", {"2024-03-01", "1"}},
      {"SELECT * FROM Buy WHERE SupplierID = ?", {"x"}},
      {"SELECT Comment FROM Sell WHERE SellDate = ? ORDER BY Comment", {"2024-03-01"}},
      {"SELECT * FROM Sell WHERE SellDate = ? AND Comment = ?", {"2024-03-01", 1}},
      {"SELECT * FROM Sell WHERE SellDate BETWEEN ? AND ?", {"2024-03-01", "2024-03-31"}},
      {"SELECT MAX(Comment) FROM Sell", {}},
      {"SELECT * FROM Sell WHERE PID = ?", {"x"}},
      {"SELECT * FROM Sell WHERE CustomerId = ?", {"x"}},
      {"SELECT * FROM Customers WHERE CustomerId = ?", {"x"}},
      {"SELECT * FROM Suppliers WHERE SupplierId = ?", {"x"}},
      {"SELECT * FROM Security WHERE UserName = ?", {"x"}},
      {"SELECT * FROM settingkb WHERE KBID = ?", {1}},
  };
  for (const auto& [sql, binds] : lookUps) {
    SCOPED_TRACE(sql);
    const QString plan = planOf(sql, binds);
    EXPECT_TRUE(plan.contains("USING") && !plan.contains("SCAN")) << plan.toStdString();
  }
}

TEST_F(Template, HotKeyRows) {
  const QString unshifted = QStringLiteral("qwertyuiop[]\\asdfghjkl;'zxcvbnm,./");
  const QString shifted = QStringLiteral("QWERTYUIOP{}|ASDFGHJKL:\"ZXCVBNM<>?");
  ASSERT_EQ(unshifted.size(), 34);
  ASSERT_EQ(shifted.size(), 34);
  const data::Snapshot s = Conn().query("SELECT KBID, PID, KBName FROM settingkb ORDER BY KBID");
  ASSERT_EQ(s.size(), 68);
  for (int i = 0; i < 68; ++i) {
    SCOPED_TRACE(i + 1);
    EXPECT_EQ(s.at(i, "KBID").toInt(), i + 1);
    EXPECT_EQ(s.at(i, "PID").toString(), "");
    EXPECT_FALSE(s.at(i, "PID").isNull());
    EXPECT_EQ(s.at(i, "KBName").toString(), QString(i < 34 ? unshifted[i] : shifted[i - 34]));
  }
  // Key names are exact characters: "q" and "Q" are two keys.
  EXPECT_EQ(Conn().scalar("SELECT KBID FROM settingkb WHERE KBName = ?", {"Q"}).toInt(), 35);
  EXPECT_THROW(Conn().exec("UPDATE settingkb SET PID = NULL WHERE KBID = 1"), data::DbError);
}

TEST_F(Template, AdminLogsInByHash) {
  ASSERT_GE(sodium_init(), 0);
  const data::Snapshot s = Conn().query("SELECT * FROM Security");
  ASSERT_EQ(s.size(), 1);
  EXPECT_EQ(s.text("UserName"), "Admin");
  EXPECT_EQ(s.number("Permission"), 0);
  const QByteArray hash = s.text("Password").toUtf8();
  EXPECT_TRUE(hash.startsWith("$argon2id$")) << hash.toStdString();
  EXPECT_EQ(crypto_pwhash_str_verify(hash.constData(), "admin", 5), 0);
  EXPECT_NE(crypto_pwhash_str_verify(hash.constData(), "Admin", 5), 0);
  EXPECT_NE(crypto_pwhash_str_verify(hash.constData(), "", 0), 0);
}

TEST_F(Template, EmptyOtherwise) {
  for (const char* t : {"Product", "Category", "Sell", "Buy", "Customers", "Suppliers"})
    EXPECT_EQ(Conn().scalar(QString("SELECT COUNT(*) FROM %1").arg(t)).toInt(), 0) << t;
  Conn().exec("INSERT INTO Buy (PId) VALUES ('P')");
  EXPECT_EQ(Conn().scalar("SELECT Discontinue FROM Buy").toInt(), 0);
}
