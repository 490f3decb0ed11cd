// Walking a result row by row on the shared connection.
#include <gtest/gtest.h>

#include <QDate>
#include <stdexcept>

#include "data/db.h"
#include "support/testenv.h"

namespace {

using data::Conn;

class RowWalkTest : public testenv::DbTest {};

TEST_F(RowWalkTest, BindsAsExecAndReadsEachKindOfValue) {
  Conn().exec("INSERT INTO Product VALUES ('007', 'Tea', 12.5, 0, 0, 3, NULL, ?, 5)", {QString()});
  QStringList seen;
  Conn().forEachRow(
      "SELECT PId, Price, CID, ProNoun, PoOrder, ? FROM Product WHERE PId = ? AND ? = '2024-03-01'",
      {QDate(2024, 3, 1), "007", QDate(2024, 3, 1)}, [&](const data::RowView& r) {
        EXPECT_EQ(r.columns(), 6);
        EXPECT_EQ(r.text(0), "007");  // a code keeps its zeros
        EXPECT_TRUE(r.isNumber(1));
        EXPECT_DOUBLE_EQ(r.number(1), 12.5);
        EXPECT_TRUE(r.isNull(2));
        EXPECT_EQ(r.text(2), "");
        EXPECT_TRUE(r.utf8(2).isEmpty());
        EXPECT_EQ(r.utf8(0), QByteArrayView("007"));
        EXPECT_EQ(r.utf8(1), QByteArrayView("12.5"));  // a number as its text
        EXPECT_FALSE(r.isNull(3));                     // a null text was bound as ''
        EXPECT_TRUE(r.isNumber(4));
        seen << r.text(5);
      });
  EXPECT_EQ(seen, QStringList{"2024-03-01"});
}

TEST_F(RowWalkTest, FailuresThrowAndLeaveTheConnectionUsable) {
  EXPECT_THROW(Conn().forEachRow("SELECT nope FROM Product", {}, [](const data::RowView&) {}), data::DbError);
  Conn().exec("INSERT INTO Category VALUES ('1', 'a'), ('2', 'b')");
  int calls = 0;
  EXPECT_THROW(Conn().forEachRow("SELECT CateID FROM Category", {},
                                 [&](const data::RowView&) {
                                   ++calls;
                                   throw std::runtime_error("stop");
                                 }),
               std::runtime_error);
  EXPECT_EQ(calls, 1);
  // The interrupted statement was finalized: writing and walking go on.
  Conn().exec("DELETE FROM Category WHERE CateID = '2'");
  int rows = 0;
  Conn().forEachRow("SELECT CateID FROM Category", {}, [&](const data::RowView&) { ++rows; });
  EXPECT_EQ(rows, 1);
  Conn().close();
  EXPECT_THROW(Conn().forEachRow("SELECT 1", {}, [](const data::RowView&) {}), data::DbError);
}

}  // namespace
