// The pick list's lines: one text a line, its key read from the text's start or kept beside it.
#include "platform/name_list.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

namespace {

using plat::NameItem;

struct KeyedCase {
  const char* what;
  QByteArray key;
  QByteArray rest;
};

// A keyed line reads exactly as the key and the rest decoded apart and joined, whatever the bytes.
TEST(NameItem, KeyedLineReadsAsItsPartsDecodedApart) {
  const KeyedCase cases[] = {
      {"plain codes", "4711", "Green Tea"},
      {"a key with full stops", "P.9", "Dotted.Tea"},
      {"a Thai name", "0001",
       "\xe0\xb8\x8a\xe0\xb8\xb2\xe0\xb9\x80\xe0\xb8\x82\xe0\xb8\xb5\xe0\xb8\xa2\xe0\xb8\xa7"},
      {"a Thai key", "\xe0\xb8\x81\x30\x31", "Tea"},
      {"an empty key", "", "Nameless"},
      {"an empty name", "4711", ""},
      {"a byte that is no UTF-8", "4711", "Tea \xff here"},
      {"a key ending half a character", "47\xe0\xb8", "Tea"},
      {"a name ending half a character", "4711", "Tea\xe0\xb8"},
      {"a name opening with a byte-order mark", "4711", "\xef\xbb\xbfTea"},
      {"a key that is a byte-order mark", "\xef\xbb\xbf", "Tea"},
      {"a long name", "4711", QByteArray(300, 'x')},
  };
  for (const KeyedCase& c : cases) {
    SCOPED_TRACE(c.what);
    const QString key = QString::fromUtf8(c.key);
    const NameItem item = NameItem::keyed(c.key, QLatin1Char('.'), c.rest);
    EXPECT_EQ(item.text(), key + QLatin1Char('.') + QString::fromUtf8(c.rest));
    EXPECT_EQ(item.data(Qt::DisplayRole).toString(), item.text());
    const QVariant k = item.data(Qt::UserRole);
    EXPECT_EQ(k.metaType(), QMetaType::fromType<QString>());
    EXPECT_EQ(k.toString(), key);
    EXPECT_FALSE(item.data(Qt::UserRole + 1).isValid());
  }
}

TEST(NameItem, AKeyReadFromTheTextOutlivesAChangeOfText) {
  NameItem item = NameItem::keyed("4711", QLatin1Char('.'), "Green Tea");
  item.setData(Qt::DisplayRole, QStringLiteral("renamed"));
  EXPECT_EQ(item.text(), "renamed");
  EXPECT_EQ(item.data(Qt::UserRole).toString(), "4711");

  item.setData(Qt::UserRole + 1, QStringLiteral("extra"));
  const NameItem copy = item;
  item.setData(Qt::UserRole, QStringLiteral("other"));
  EXPECT_EQ(copy.data(Qt::UserRole).toString(), "4711");  // a copy keeps its own values
  EXPECT_EQ(copy.data(Qt::UserRole + 1).toString(), "extra");
  EXPECT_EQ(item.data(Qt::UserRole).toString(), "other");
}

TEST(NameItem, LinesWithAndWithoutValuesOfTheirOwn) {
  const NameItem bare(QStringLiteral("S01.Shop"));
  EXPECT_FALSE(bare.data(Qt::UserRole).isValid());
  EXPECT_FALSE(bare.data(Qt::UserRole + 1).isValid());
  EXPECT_FALSE(bare.data(Qt::ToolTipRole).isValid());

  NameItem both(QStringLiteral("S01.Shop"), QStringLiteral("S01"), 42);
  EXPECT_EQ(both.data(Qt::UserRole).toString(), "S01");
  EXPECT_EQ(both.data(Qt::UserRole + 1).toInt(), 42);
  NameItem assigned;
  assigned = both;
  both.setData(Qt::UserRole + 1, 7);
  EXPECT_EQ(assigned.data(Qt::UserRole + 1).toInt(), 42);
  EXPECT_EQ(assigned.text(), "S01.Shop");
}

TEST(NameList, FilledAtOnceItIsOneResetAndAnswersEveryRowItHolds) {
  plat::NameList list;
  list.addItem(QStringLiteral("old"), QStringLiteral("k"));
  QSignalSpy resets(list.model(), &QAbstractItemModel::modelReset);
  QSignalSpy inserts(list.model(), &QAbstractItemModel::rowsInserted);
  std::vector<NameItem> items;
  for (const char* code : {"1", "2", "3"}) items.push_back(NameItem::keyed(code, QLatin1Char('.'), "Tea"));
  list.setItems(std::move(items));
  EXPECT_EQ(resets.count(), 1);
  EXPECT_EQ(inserts.count(), 0);
  ASSERT_EQ(list.count(), 3);
  EXPECT_EQ(list.item(2)->text(), "3.Tea");
  EXPECT_EQ(list.item(3), nullptr);
  EXPECT_EQ(list.item(-1), nullptr);

  const QAbstractItemModel* m = list.model();
  struct IndexCase {
    int row, column;
    bool valid;
  };
  for (const IndexCase c :
       {IndexCase{0, 0, true}, {2, 0, true}, {3, 0, false}, {-1, 0, false}, {0, 1, false}}) {
    SCOPED_TRACE(testing::Message() << c.row << "," << c.column);
    const QModelIndex i = m->index(c.row, c.column);
    EXPECT_EQ(i.isValid(), c.valid);
    if (c.valid) {
      EXPECT_EQ(m->data(i, Qt::UserRole).toString(), QString::number(c.row + 1));
    }
  }
  EXPECT_FALSE(m->index(0, 0, m->index(0, 0)).isValid());  // no row has children

  list.setCurrentRow(1);
  EXPECT_EQ(list.currentItem()->data(Qt::UserRole).toString(), "2");
  list.clear();
  EXPECT_EQ(list.count(), 0);
  EXPECT_EQ(list.currentItem(), nullptr);
}

}  // namespace
