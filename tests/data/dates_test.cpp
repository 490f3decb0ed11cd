#include "data/dates.h"

#include <gtest/gtest.h>

#include "data/db.h"
#include "support/testenv.h"

using namespace data;

TEST(Dates, DayMonthYearToStoredDate) {
  const struct {
    const char* text;
    const char* want;  // nullptr: refused
  } cases[] = {
      {"25/12/2024", "2024-12-25"},
      {"1/02/2024", "2024-02-01"},
      {"05/3/2024", "2024-03-05"},
      {"5/3/2024", "2024-03-05"},
      {"29/02/2024", "2024-02-29"},
      {" 01/01/2025 ", "2025-01-01"},
      {"31/12/1999", "1999-12-31"},
      {"29/02/2023", nullptr},
      {"31/04/2024", nullptr},
      {"32/01/2024", nullptr},
      {"1/13/2024", nullptr},
      {"0/1/2024", nullptr},
      {"12/25/2024", nullptr},
      {"25-12-2024", nullptr},
      {"25/12/24", nullptr},
      {"25/12/20245", nullptr},
      {"123/1/2024", nullptr},
      {"12/2024", nullptr},
      {"", nullptr},
      {"aa/bb/cccc", nullptr},
      {"25/12/2024x", nullptr},
      {"๒๕/๑๒/๒๕๖๗", nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const QString text = QString::fromUtf8(c.text);
    if (c.want) {
      EXPECT_EQ(SqlDate(text), c.want);
      EXPECT_EQ(isoDate(*parseDmy(text)), c.want);
    } else {
      EXPECT_FALSE(parseDmy(text).has_value());
      EXPECT_THROW(SqlDate(text), DbError);
    }
  }
}

TEST(Dates, ShownForm) {
  EXPECT_EQ(showDate("2024-03-05"), "05/03/2024");
  EXPECT_EQ(showDate(SqlDate("5/3/2024")), "05/03/2024");
  EXPECT_EQ(showDate(""), "");
  EXPECT_EQ(showDate("not a date"), "not a date");
}

TEST(Dates, MonthAndYearRangesKnowTheYear) {
  EXPECT_EQ(monthRange(2024, 2), (DateRange{"2024-02-01", "2024-02-29"}));
  EXPECT_EQ(monthRange(2023, 2), (DateRange{"2023-02-01", "2023-02-28"}));
  EXPECT_EQ(monthRange(2000, 2).to, "2000-02-29");
  EXPECT_EQ(monthRange(1900, 2).to, "1900-02-28");
  EXPECT_EQ(monthRange(2024, 4).to, "2024-04-30");
  EXPECT_EQ(monthRange(2024, 12), (DateRange{"2024-12-01", "2024-12-31"}));
  EXPECT_EQ(yearRange(2024), (DateRange{"2024-01-01", "2024-12-31"}));
  EXPECT_EQ(monthRange(2024, 1).binds(), (QVariantList{"2024-01-01", "2024-01-31"}));
  EXPECT_THROW(monthRange(2024, 0), DbError);
  EXPECT_THROW(monthRange(2024, 13), DbError);
  EXPECT_THROW(monthRange(0, 1), DbError);
}

// MonthDays by its fixed table, by the year, and ThaiMonth, for the same texts.
TEST(Dates, MonthTables) {
  const struct {
    const char* m;
    int days;
    int days2024;
    const char* thai;
  } cases[] = {
      {"1", 31, 31, "มกราคม"},  {"01", 31, 31, "มกราคม"},
      {"2", 28, 29, "กุมภาพันธ์"}, {"02", 28, 29, "กุมภาพันธ์"},
      {"3", 31, 31, "มีนาคม"},   {"03", 31, 31, "มีนาคม"},
      {"4", 30, 30, "เมษายน"},  {"04", 30, 30, "เมษายน"},
      {"5", 31, 31, "พฤษภาคม"}, {"05", 31, 31, "พฤษภาคม"},
      {"6", 30, 30, "มิถุนายน"},  {"06", 30, 30, "มิถุนายน"},
      {"7", 31, 31, "กรกฎาคม"}, {"07", 31, 31, "กรกฎาคม"},
      {"8", 31, 31, "สิงหาคม"},  {"08", 31, 31, "สิงหาคม"},
      {"9", 30, 30, "กันยายน"},  {"09", 30, 30, "กันยายน"},
      {"10", 31, 31, "ตุลาคม"},  {"11", 30, 30, "พฤศจิกายน"},
      {"12", 31, 31, "ธันวาคม"}, {"13", 0, 0, ""},
      {"0", 0, 0, ""},          {"00", 0, 0, ""},
      {"", 0, 0, ""},           {" 1", 0, 0, ""},
      {"1 ", 0, 0, ""},         {"010", 0, 0, ""},
      {"012", 0, 0, ""},        {"jan", 0, 0, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string("'") + c.m + "'");
    EXPECT_EQ(MonthDays(c.m), c.days);
    EXPECT_EQ(MonthDays(c.m, 2024), c.days2024);
    EXPECT_EQ(MonthDays(c.m, 2023), c.days);
    EXPECT_EQ(ThaiMonth(c.m), QString::fromUtf8(c.thai));
  }
}

class DateRanges : public testenv::DbTest {};

// Month ranges as the reports bind them: the last day of February of a leap year is inside.
TEST_F(DateRanges, LeapDayIsInsideItsMonth) {
  for (const char* d : {"31/01/2024", "1/02/2024", "29/02/2024", "01/03/2024"})
    Conn().exec("INSERT INTO Sell (PID, SellDate, Comment) VALUES ('P', ?, 1)", {SqlDate(d)});
  const DateRange feb = monthRange(2024, 2);
  EXPECT_EQ(Conn().scalar("SELECT COUNT(*) FROM Sell WHERE SellDate BETWEEN ? AND ?", feb.binds()).toInt(),
            2);
  EXPECT_EQ(Conn()
                .scalar("SELECT COUNT(*) FROM Sell WHERE SellDate BETWEEN ? AND ?", yearRange(2024).binds())
                .toInt(),
            4);
}
