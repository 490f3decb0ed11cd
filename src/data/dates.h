#pragma once
// Dates as the database keeps them ('yyyy-MM-dd' text) made from the day/month/year texts the
// screens show, the date ranges of the period reports, and the month tables of those reports.
#include <QDate>
#include <QString>
#include <QVariantList>
#include <optional>

namespace data {

// A day/month/year text ("25/12/2024"; one-digit day and month accepted, the year in four
// digits, blanks around ignored) as a date; nullopt when it is not a real date.
std::optional<QDate> parseDmy(const QString& dmy);

// The database text of a day/month/year text: "25/12/2024" gives "2024-12-25". A text that is
// not a real date throws DbError saying so; it never gives a wrong date.
QString SqlDate(const QString& dmy);
// A date as the database keeps it.
QString isoDate(const QDate& d);
// A stored date as the screens show it (dd/MM/yyyy); a text that is no stored date is returned as is.
QString showDate(const QString& iso);

// An inclusive range of stored dates, for "Between ? And ?".
struct DateRange {
  QString from;  // 'yyyy-MM-dd'
  QString to;    // 'yyyy-MM-dd'
  QVariantList binds() const { return {from, to}; }
  bool operator==(const DateRange& o) const = default;
};
// The days of a month of a year, the last day known from the year (29 February in leap years).
// Throws DbError for a month outside 1..12 or a year outside 1..9999.
DateRange monthRange(int year, int month);
// 1 January to 31 December.
DateRange yearRange(int year);

// The month number of a month text: "1" to "12" and "01" to "09", compared exactly; 0 otherwise.
int monthNumber(const QString& m);
// Days of the month named by m by the fixed table (February 28); 0 for any other text.
int MonthDays(const QString& m);
// The same, February having 29 days in the leap years of year.
int MonthDays(const QString& m, int year);
// The Thai name of the month named by m; the empty text for any other text.
QString ThaiMonth(const QString& m);

}  // namespace data
