#include "data/db.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <stdexcept>

#include "platform/files.h"
#include "support/testenv.h"

using data::Conn;
using data::DbError;

namespace {

QByteArray readBytes(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& b) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(b);
}

}  // namespace

TEST(OpenDatabase, ShippedDatabaseOpens) {
  const QString copy = testenv::tempDir() + "/Kelvantorium.db";
  ASSERT_TRUE(QFile::copy(testenv::templateDb(), copy));
  data::Db db;
  QString error;
  ASSERT_TRUE(db.tryOpen(copy, &error)) << error.toStdString();
  EXPECT_TRUE(db.isOpen());
  EXPECT_EQ(db.path(), copy);
  EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM settingkb").toInt(), 68);
}

TEST(OpenDatabase, RefusesWhatIsNotOurDatabaseAndCreatesNothing) {
  const QString dir = testenv::tempDir();
  const QString missing = dir + "/missing/Kelvantorium.db";
  const QString text = dir + "/notes.db";
  writeBytes(text, "just some text, not a database\r\n");
  const QString empty = dir + "/empty.db";
  writeBytes(empty, "");
  const QString foreign = dir + "/foreign.db";
  {
    QSqlDatabase other = QSqlDatabase::addDatabase("QSQLITE", "foreign");
    other.setDatabaseName(foreign);
    ASSERT_TRUE(other.open());
    QSqlQuery(other).exec("CREATE TABLE Product (PId TEXT)");
    other.close();
  }
  QSqlDatabase::removeDatabase("foreign");
  const QByteArray foreignBytes = readBytes(foreign);

  struct Case {
    const char* name;
    QString path;
  } cases[] = {{"missing", missing},
               {"folder", dir},
               {"text file", text},
               {"empty file", empty},
               {"other tables", foreign}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    data::Db db;
    EXPECT_THROW(db.open(c.path), DbError);
    EXPECT_FALSE(db.isOpen());
    QString error;
    EXPECT_FALSE(db.tryOpen(c.path, &error));
    EXPECT_TRUE(error.contains(c.path)) << error.toStdString();
  }
  EXPECT_FALSE(QFile::exists(missing));
  EXPECT_FALSE(QDir(dir + "/missing").exists());
  EXPECT_EQ(readBytes(text), "just some text, not a database\r\n");
  EXPECT_EQ(readBytes(empty), "");
  EXPECT_EQ(readBytes(foreign), foreignBytes);
}

TEST(OpenDatabase, PathWithBlanks) {
  const QString dir = testenv::tempDir() + "/my shop data";
  QDir().mkpath(dir);
  const QString path = dir + "/Kelvantorium copy 2.db";
  ASSERT_TRUE(QFile::copy(testenv::templateDb(), path));
  QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
  data::Db db;
  db.open(path);
  EXPECT_EQ(db.exec("UPDATE settingkb SET PID = ? WHERE KBID = ?", {"A1", 1}), 1);
  EXPECT_EQ(db.path(), path);
}

TEST(OpenDatabase, FailedReopenLeavesTheConnectionClosed) {
  testenv::openFreshDb();
  const QString good = Conn().path();
  ASSERT_TRUE(Conn().isOpen());
  Conn().close();
  EXPECT_FALSE(Conn().isOpen());
  EXPECT_THROW(Conn().query("SELECT * FROM Product"), DbError);
  QString error;
  EXPECT_FALSE(Conn().tryOpen(testenv::tempDir() + "/gone.db", &error));
  EXPECT_FALSE(Conn().isOpen());
  EXPECT_EQ(Conn().path(), good);  // the last good file, for whoever reopens
  EXPECT_TRUE(Conn().tryOpen(good, &error)) << error.toStdString();
  EXPECT_EQ(Conn().scalar("SELECT COUNT(*) FROM Security").toInt(), 1);
  Conn().close();
}

TEST(OpenDatabase, LoginConnectionBesideTheSharedOne) {
  testenv::openFreshDb();
  data::Db login;
  login.open(Conn().path());
  Conn().exec("INSERT INTO Security (UserName, Password, Permission) VALUES (?, ?, ?)", {"Nok", "x", 2});
  EXPECT_EQ(login.scalar("SELECT Permission FROM Security WHERE UserName = ?", {"Nok"}).toInt(), 2);
  login.close();
  EXPECT_TRUE(Conn().isOpen());
  Conn().close();
}

class Statements : public testenv::DbTest {};

TEST_F(Statements, SnapshotFieldsByNameInAnyCase) {
  Conn().exec("INSERT INTO Product VALUES (?,?,?,?,?,?,?,?,?)",
              {"007", "Soap", 12.5, 12, 11, 3, "C1", "bar", 2});
  data::Snapshot s = Conn().query("SELECT * FROM Product WHERE pid = ?", {"007"});
  ASSERT_FALSE(s.eof());
  EXPECT_EQ(s.text("PId"), "007");
  EXPECT_EQ(s.text("PID"), "007");
  EXPECT_EQ(s.text("pid"), "007");
  EXPECT_EQ(s.number("price"), 12.5);
  EXPECT_EQ(s.text("PRONOUN"), "bar");
  EXPECT_EQ(s.number("PoOrder"), 2);
  EXPECT_THROW(s.value("NoSuchField"), DbError);
}

TEST_F(Statements, NullReadsAsEmptyButIsTestable) {
  Conn().exec("INSERT INTO Product (PId, PName, Price) VALUES (?, ?, ?)", {"P1", QVariant(), QVariant()});
  data::Snapshot s = Conn().query("SELECT PName, Price, PId FROM Product");
  EXPECT_TRUE(s.isNull("PName"));
  EXPECT_EQ(s.text("PName"), "");
  EXPECT_EQ(s.number("Price"), 0);
  EXPECT_FALSE(s.isNull("PId"));
}

TEST_F(Statements, EmptyResultWalk) {
  data::Snapshot s = Conn().query("SELECT * FROM Product WHERE PId = ?", {"none"});
  EXPECT_TRUE(s.eof());
  EXPECT_TRUE(s.empty());
  s.moveFirst();
  EXPECT_TRUE(s.eof());
  s.moveLast();
  EXPECT_TRUE(s.eof());
  EXPECT_THROW(s.text("PId"), DbError);
  EXPECT_TRUE(s.hasColumn("pname"));
  EXPECT_FALSE(Conn().scalar("SELECT PId FROM Product").isValid());
}

TEST_F(Statements, RecordWalkAndFind) {
  for (const char* id : {"A", "B", "C"})
    Conn().exec("INSERT INTO Category VALUES (?, ?)", {id, QString("name ") + id});
  data::Snapshot s = Conn().query("SELECT * FROM Category ORDER BY CateID");
  QStringList seen;
  for (; !s.eof(); s.moveNext()) seen << s.text("CateID");
  EXPECT_EQ(seen, (QStringList{"A", "B", "C"}));
  s.moveLast();
  EXPECT_EQ(s.text("CateName"), "name C");
  s.movePrevious();
  EXPECT_EQ(s.text("CateID"), "B");
  s.movePrevious();
  s.movePrevious();
  EXPECT_TRUE(s.bof());
  s.moveFirst();
  EXPECT_TRUE(s.find("CateName", "name B"));
  EXPECT_EQ(s.text("cateid"), "B");
  EXPECT_FALSE(s.find("CateName", "name A"));  // searches forward only
  EXPECT_TRUE(s.eof());
}

TEST_F(Statements, SnapshotIsNotChangedByALaterUpdate) {
  Conn().exec("INSERT INTO Category VALUES (?, ?)", {"C1", "Drinks"});
  const data::Snapshot before = Conn().query("SELECT * FROM Category");
  Conn().exec("UPDATE Category SET CateName = ?", {"Food"});
  Conn().exec("DELETE FROM Category");
  EXPECT_EQ(before.text("CateName"), "Drinks");
  Conn().close();  // and it outlives the connection
  EXPECT_EQ(before.text("CateID"), "C1");
}

TEST_F(Statements, QuotesRoundTrip) {
  const QString name = "O'Brien's \"Corner\" Shop; DROP TABLE Customers; --";
  Conn().exec("INSERT INTO Customers (CustomerId, CompanyName, Discount) VALUES (?, ?, ?)",
              {"C'1", name, "2"});
  data::Snapshot s = Conn().query("SELECT * FROM Customers WHERE CompanyName = ?", {name});
  ASSERT_FALSE(s.eof());
  EXPECT_EQ(s.text("CustomerId"), "C'1");
  EXPECT_EQ(s.text("CompanyName"), name);
  EXPECT_EQ(s.number("Discount"), 2);
  EXPECT_EQ(Conn().query("SELECT * FROM Customers WHERE CompanyName LIKE ?", {"%'Brien%"}).size(), 1);
}

TEST_F(Statements, BindsTakeTheTablesForms) {
  // A null text (an untouched box) is '' and never NULL; dates and times go in their stored form.
  Conn().exec("UPDATE settingkb SET PID = ? WHERE KBID = 1", {QString()});
  EXPECT_FALSE(Conn().query("SELECT PID FROM settingkb WHERE KBID = 1").isNull("PID"));
  Conn().exec("INSERT INTO Sell (PID, SellTime, SellDate, Comment) VALUES (?, ?, ?, ?)",
              {"P1", QTime(9, 5, 7, 123), QDate(2024, 3, 5), 1});
  data::Snapshot s = Conn().query("SELECT * FROM Sell");
  EXPECT_EQ(s.text("SellTime"), "09:05:07");
  EXPECT_EQ(s.text("SellDate"), "2024-03-05");
  EXPECT_EQ(s.number("Discontinue"), 0);
}

TEST_F(Statements, DatesAndTimesInAnyOtherFormAreRefused) {
  const struct {
    const char* column;
    const char* value;
  } bad[] = {{"SellDate", "05/03/2024"}, {"SellDate", "2024-3-5"},
             {"SellDate", "2024-02-30"}, {"SellDate", "2024-03-05 10:00:00"},
             {"SellTime", "10:30"},      {"SellTime", "10:30:00.000"},
             {"BuyDate", "03/05/2024"}};
  for (const auto& b : bad) {
    SCOPED_TRACE(std::string(b.column) + "=" + b.value);
    EXPECT_THROW(Conn().exec(QString("INSERT INTO Sell (PID, %1) VALUES ('P', ?)").arg(b.column), {b.value}),
                 DbError);
  }
  EXPECT_THROW(Conn().exec("INSERT INTO Buy (PId, BuyDate) VALUES ('P', ?)", {"29/02/2024"}), DbError);
  EXPECT_THROW(Conn().exec("INSERT INTO Buy (PId, BuyTime) VALUES ('P', ?)", {"25:00:00"}), DbError);
  EXPECT_EQ(
      Conn().exec("INSERT INTO Buy (PId, BuyDate, BuyTime) VALUES ('P', ?, ?)", {"2024-02-29", "23:59:59"}),
      1);
}

TEST_F(Statements, FailingStatementCarriesTheDatabaseText) {
  try {
    Conn().exec("SELECT * FROM NoSuchTable");
    FAIL() << "no failure";
  } catch (const DbError& e) {
    EXPECT_TRUE(e.text().contains("NoSuchTable")) << e.text().toStdString();
  }
  Conn().exec("INSERT INTO Category VALUES (?, ?)", {"C1", "x"});
  EXPECT_THROW(Conn().exec("INSERT INTO Category VALUES (?, ?)", {"c1", "y"}), DbError);  // codes ignore case
}

TEST_F(Statements, TransactionIsAllOrNothing) {
  auto count = [] { return Conn().scalar("SELECT COUNT(*) FROM Category").toInt(); };
  // A failing statement undoes the ones before it.
  EXPECT_THROW(Conn().transaction([] {
    Conn().exec("INSERT INTO Category VALUES (?, ?)", {"A", "a"});
    Conn().exec("INSERT INTO Category VALUES (?, ?)", {"A", "again"});
  }),
               DbError);
  EXPECT_EQ(count(), 0);
  EXPECT_FALSE(Conn().inTransaction());
  // Any exception does, and passes through unchanged.
  EXPECT_THROW(Conn().transaction([] {
    Conn().exec("INSERT INTO Category VALUES (?, ?)", {"B", "b"});
    Conn().transaction([] { Conn().exec("INSERT INTO Category VALUES (?, ?)", {"C", "c"}); });
    throw std::logic_error("stop");
  }),
               std::logic_error);
  EXPECT_EQ(count(), 0);
  // A body that returns commits, the joined inner part with it.
  Conn().transaction([] {
    Conn().exec("INSERT INTO Category VALUES (?, ?)", {"B", "b"});
    Conn().transaction([] { Conn().exec("INSERT INTO Category VALUES (?, ?)", {"C", "c"}); });
  });
  EXPECT_EQ(count(), 2);
  Conn().close();
  Conn().open(plat::installPath("Kelvantorium.db"));
  EXPECT_EQ(count(), 2);
}
