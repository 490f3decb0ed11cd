#include "data/partners.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "data/db.h"
#include "support/testenv.h"

namespace {

using data::DeleteOutcome;
using data::InsertOutcome;
using data::PartnerTable;

// A value for every column after the id: a quote, Thai text, one blank, and plain text in turn.
QStringList sampleValues(const PartnerTable& t, const QString& id, const QString& tag) {
  const QStringList kinds{QStringLiteral("O'Brien \"%1\""), QStringLiteral("ร้านสมใจ %1"), QStringLiteral(" "),
                          QStringLiteral("plain %1")};
  QStringList v{id};
  for (int i = 1; i < t.columns.size(); ++i) {
    const QString k = kinds[i % kinds.size()];
    v << (k.contains(QLatin1String("%1")) ? k.arg(tag + QString::number(i)) : k);
  }
  return v;
}

// Values as stored: without leading and trailing blanks.
QStringList trimmedAll(QStringList v) {
  for (QString& x : v) x = x.trimmed();
  return v;
}

QStringList storedRow(const PartnerTable& t, const QString& id) {
  const data::Snapshot s =
      data::Conn().query(QStringLiteral("SELECT * FROM %1 WHERE %2 = ?").arg(t.table, t.idColumn()), {id});
  QStringList v;
  if (s.eof()) return v;
  for (const QString& c : t.columns) v << s.text(c);
  return v;
}

int rowCount(const PartnerTable& t) {
  return data::Conn().scalar(QStringLiteral("SELECT COUNT(*) FROM %1").arg(t.table)).toInt();
}

void addIds(const PartnerTable& t, const QStringList& ids) {
  for (const QString& id : ids)
    ASSERT_EQ(data::insertPartner(t, sampleValues(t, id, id)), InsertOutcome::Inserted);
}

class PartnerTableTest : public testenv::DbTest, public ::testing::WithParamInterface<const PartnerTable*> {
 protected:
  const PartnerTable& t() const { return *GetParam(); }
};

TEST_P(PartnerTableTest, EveryColumnRoundTripsAndUpdateChangesAllButTheId) {
  const QStringList first = sampleValues(t(), QStringLiteral("007"), QStringLiteral("a"));
  ASSERT_EQ(data::insertPartner(t(), first), InsertOutcome::Inserted);
  EXPECT_EQ(storedRow(t(), QStringLiteral("007")), trimmedAll(first));

  QStringList changed = sampleValues(t(), QStringLiteral("007"), QStringLiteral("b"));
  std::rotate(changed.begin() + 1, changed.begin() + 2, changed.end());  // each column gets another kind
  EXPECT_EQ(data::updatePartner(t(), changed), 1);
  const QStringList after = storedRow(t(), QStringLiteral("007"));
  EXPECT_EQ(after, trimmedAll(changed));
  for (int i = 1; i < t().columns.size(); ++i) {
    if (first[i] != QLatin1String(" ") || changed[i] != QLatin1String(" ")) {
      EXPECT_NE(after[i], first[i].trimmed()) << t().columns[i].toStdString();
    }
  }
  EXPECT_EQ(rowCount(t()), 1);
}

TEST_P(PartnerTableTest, InsertTrimsTheIdAndRefusesAnEmptyOrExistingOne) {
  ASSERT_EQ(data::insertPartner(t(), sampleValues(t(), QStringLiteral(" 12 "), QStringLiteral("x"))),
            InsertOutcome::Inserted);
  EXPECT_EQ(storedRow(t(), QStringLiteral("12")).value(0), QStringLiteral("12"));

  struct Case {
    const char* id;
    InsertOutcome expected;
  };
  for (const Case& c : {Case{"12", InsertOutcome::DuplicateId}, Case{"  12", InsertOutcome::DuplicateId},
                        Case{"", InsertOutcome::EmptyId}, Case{"   ", InsertOutcome::EmptyId}}) {
    EXPECT_EQ(data::insertPartner(t(), sampleValues(t(), QString::fromUtf8(c.id), QStringLiteral("y"))),
              c.expected)
        << "id '" << c.id << "'";
  }
  EXPECT_EQ(rowCount(t()), 1);
  EXPECT_EQ(storedRow(t(), QStringLiteral("12")),
            trimmedAll(sampleValues(t(), QStringLiteral("12"), QStringLiteral("x"))));
}

TEST_P(PartnerTableTest, TextsAreStoredWithoutTheBlanksAroundThem) {
  // New puts one blank in every box; a user types blanks around a name.
  QStringList typed(t().columns.size(), QStringLiteral(" "));
  typed[0] = QStringLiteral("S7");
  typed[1] = QStringLiteral("  Acme  Trading ");
  ASSERT_EQ(data::insertPartner(t(), typed), InsertOutcome::Inserted);
  QStringList want(t().columns.size(), QString());
  want[0] = QStringLiteral("S7");
  want[1] = QStringLiteral("Acme  Trading");  // blanks inside stay
  EXPECT_EQ(storedRow(t(), QStringLiteral("S7")), want);
  typed[2] = QStringLiteral(" ร้านสมใจ ");
  ASSERT_EQ(data::updatePartner(t(), typed), 1);
  want[2] = QStringLiteral("ร้านสมใจ");
  EXPECT_EQ(storedRow(t(), QStringLiteral("S7")), want);
}

TEST_P(PartnerTableTest, UpdateOfAnUnknownIdChangesNothing) {
  addIds(t(), {QStringLiteral("1")});
  EXPECT_EQ(data::updatePartner(t(), sampleValues(t(), QStringLiteral("2"), QStringLiteral("z"))), 0);
  EXPECT_EQ(data::updatePartner(t(), sampleValues(t(), QString(), QStringLiteral("z"))), 0);
  EXPECT_EQ(storedRow(t(), QStringLiteral("1")),
            trimmedAll(sampleValues(t(), QStringLiteral("1"), QStringLiteral("1"))));
}

TEST_P(PartnerTableTest, DeleteIsRefusedWhileRowsReferToThePartner) {
  addIds(t(), {QStringLiteral("5"), QStringLiteral("6")});
  // A cancelled sale keeps its lines with quantity 0; they still refer to the customer.
  data::Conn().exec(QStringLiteral("INSERT INTO %1 (%2) VALUES (?)").arg(t().refTable, t().refColumn),
                    {QStringLiteral("5")});
  if (t().refTable == QLatin1String("Sell"))
    data::Conn().exec(QStringLiteral("UPDATE Sell SET SQuantity = 0, Recieve = 0"));

  EXPECT_EQ(data::deletePartner(t(), QStringLiteral("5")), DeleteOutcome::Referenced);
  EXPECT_EQ(data::deletePartner(t(), QStringLiteral("9")), DeleteOutcome::NotFound);
  EXPECT_EQ(data::deletePartner(t(), QStringLiteral("6")), DeleteOutcome::Deleted);
  EXPECT_EQ(rowCount(t()), 1);
  EXPECT_FALSE(storedRow(t(), QStringLiteral("5")).isEmpty());

  data::Conn().exec(QStringLiteral("DELETE FROM %1").arg(t().refTable));
  EXPECT_EQ(data::deletePartner(t(), QStringLiteral("5")), DeleteOutcome::Deleted);
  EXPECT_EQ(rowCount(t()), 0);
}

TEST_P(PartnerTableTest, RowsAndSearchFollowTheTextOrderOfIds) {
  addIds(t(), {QStringLiteral("2"), QStringLiteral("21"), QStringLiteral("10"), QStringLiteral("1")});
  data::Snapshot rows = data::partnerRows(t());
  QStringList order;
  for (rows.moveFirst(); !rows.eof(); rows.moveNext()) order << rows.text(t().idColumn());
  EXPECT_EQ(order, (QStringList{"1", "10", "2", "21"}));

  struct Case {
    const char* prefix;
    QStringList ids;
  };
  for (const Case& c : {Case{"1", {"1", "10"}}, Case{"2", {"2", "21"}}, Case{"21", {"21"}},
                        Case{"", {"1", "10", "2", "21"}}, Case{"3", {}}, Case{" 1", {}}}) {
    EXPECT_EQ(data::partnerIdsStartingWith(t(), QString::fromUtf8(c.prefix)), c.ids)
        << "prefix '" << c.prefix << "'";
  }
}

TEST_P(PartnerTableTest, SearchKeepsEveryMatch) {
  QStringList ids;
  for (int i = 0; i < 105; ++i) ids << QStringLiteral("1%1").arg(i, 3, 10, QLatin1Char('0'));
  data::Conn().transaction([&] { addIds(t(), ids + QStringList{"2", "30"}); });
  EXPECT_EQ(data::partnerIdsStartingWith(t(), QStringLiteral("1")), ids);
  EXPECT_EQ(data::partnerIdsStartingWith(t(), QString()).size(), 107);
}

TEST_P(PartnerTableTest, SearchComparesCaseAndBlanksExactly) {
  // Pasted ids may hold letters; rows written before Insert trimmed ids may start with a blank.
  addIds(t(), {QStringLiteral("Ab1")});
  data::Conn().exec(QStringLiteral("INSERT INTO %1 (%2) VALUES (' 5')").arg(t().table, t().idColumn()));
  EXPECT_EQ(data::partnerIdsStartingWith(t(), QStringLiteral("ab")), QStringList{});
  EXPECT_EQ(data::partnerIdsStartingWith(t(), QStringLiteral("Ab")), QStringList{"Ab1"});
  EXPECT_EQ(data::partnerIdsStartingWith(t(), QStringLiteral("5")), QStringList{});
  EXPECT_EQ(data::partnerIdsStartingWith(t(), QStringLiteral(" ")), QStringList{" 5"});
}

TEST_P(PartnerTableTest, AStoredIdWithABlankIsUpdatedAndDeletedAsStored) {
  data::Conn().exec(QStringLiteral("INSERT INTO %1 (%2) VALUES (' 5')").arg(t().table, t().idColumn()));
  EXPECT_EQ(data::updatePartner(t(), sampleValues(t(), QStringLiteral(" 5"), QStringLiteral("u"))), 1);
  QStringList want = trimmedAll(sampleValues(t(), QStringLiteral(" 5"), QStringLiteral("u")));
  want[0] = QStringLiteral(" 5");  // the id as stored
  EXPECT_EQ(storedRow(t(), QStringLiteral(" 5")), want);
  EXPECT_EQ(data::deletePartner(t(), QStringLiteral("5")), DeleteOutcome::NotFound);
  EXPECT_EQ(data::deletePartner(t(), QStringLiteral(" 5")), DeleteOutcome::Deleted);
}

INSTANTIATE_TEST_SUITE_P(BothTables, PartnerTableTest,
                         ::testing::Values(&data::suppliersTable(), &data::customersTable()),
                         [](const auto& info) { return info.param->table.toStdString(); });

using CustomerLookup = testenv::DbTest;

TEST_F(CustomerLookup, CustomerByIdReadsTheLevelTheRecordWindowWrote) {
  QStringList v = sampleValues(data::customersTable(), QStringLiteral("42"), QStringLiteral("c"));
  v.back() = QStringLiteral("2");
  ASSERT_EQ(data::insertPartner(data::customersTable(), v), InsertOutcome::Inserted);
  const auto c = data::customerById(QStringLiteral("42"));
  ASSERT_TRUE(c.has_value());
  EXPECT_EQ(c->CompanyName, v[1]);
  EXPECT_EQ(c->ContactTitle, v[3].trimmed());
  EXPECT_EQ(c->Fax, v[10].trimmed());
  EXPECT_EQ(c->Discount, QStringLiteral("2"));
  EXPECT_FALSE(data::customerById(QStringLiteral("43")).has_value());
}

TEST_F(CustomerLookup, TheLevelReadsAsItsDigitHoweverItWasBound) {
  // Discount is an INTEGER column: a level bound as text, a whole number or a double comes back as
  // the bare digit the sale screen compares; an id keeps its leading zeros and matches any case.
  struct Case {
    const char* id;
    QVariant bound;
    const char* read;
  };
  const Case cases[] = {{"001", QStringLiteral("1"), "1"}, {"002", 2, "2"},         {"003", 3.0, "3"},
                        {"Ab4", QStringLiteral("3"), "3"}, {"005", QVariant(), ""}, {"006", 7, "7"}};
  for (const Case& c : cases) {
    data::Conn().exec(
        QStringLiteral("INSERT INTO Customers (CustomerId, CompanyName, Discount) VALUES (?, ?, ?)"),
        {QString::fromUtf8(c.id), QStringLiteral("Co"), c.bound});
  }
  for (const Case& c : cases) {
    const auto found = data::customerById(QString::fromUtf8(c.id).toLower());
    ASSERT_TRUE(found.has_value()) << c.id;
    EXPECT_EQ(found->CustomerId, QString::fromUtf8(c.id));
    EXPECT_EQ(found->Discount, QString::fromUtf8(c.read)) << c.id;
  }
  EXPECT_FALSE(data::customerById(QStringLiteral("1")).has_value());
}

}  // namespace
