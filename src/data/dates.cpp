#include "data/dates.h"

#include <QRegularExpression>
#include <array>

#include "data/db.h"

namespace data {

std::optional<QDate> parseDmy(const QString& dmy) {
  static const QRegularExpression re(QStringLiteral("^\\s*([0-9]{1,2})/([0-9]{1,2})/([0-9]{4})\\s*$"));
  const QRegularExpressionMatch m = re.match(dmy);
  if (!m.hasMatch()) return std::nullopt;
  const QDate d(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
  if (!d.isValid()) return std::nullopt;
  return d;
}

QString isoDate(const QDate& d) { return d.toString(Qt::ISODate); }

QString SqlDate(const QString& dmy) {
  const auto d = parseDmy(dmy);
  if (!d) throw DbError(QStringLiteral("'%1' is not a valid date (day/month/year).").arg(dmy));
  return isoDate(*d);
}

QString showDate(const QString& iso) {
  static const QRegularExpression re(QStringLiteral("^[0-9]{4}-[0-9]{2}-[0-9]{2}$"));
  if (!re.match(iso).hasMatch()) return iso;
  const QDate d = QDate::fromString(iso, Qt::ISODate);
  return d.isValid() ? d.toString(QStringLiteral("dd/MM/yyyy")) : iso;
}

DateRange monthRange(int year, int month) {
  const QDate first(year, month, 1);
  if (year < 1 || year > 9999 || !first.isValid())
    throw DbError(QStringLiteral("There is no month %1 of the year %2.").arg(month).arg(year));
  return {isoDate(first), isoDate(QDate(year, month, first.daysInMonth()))};
}

DateRange yearRange(int year) { return {monthRange(year, 1).from, monthRange(year, 12).to}; }

int monthNumber(const QString& m) {
  for (int i = 1; i <= 12; ++i)
    if (m == QString::number(i) || (i < 10 && m == QStringLiteral("0%1").arg(i))) return i;
  return 0;
}

int MonthDays(const QString& m) {
  static constexpr std::array<int, 13> days{0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return days[static_cast<size_t>(monthNumber(m))];
}

int MonthDays(const QString& m, int year) {
  const int n = monthNumber(m);
  if (n == 2 && QDate::isLeapYear(year)) return 29;
  return MonthDays(m);
}

QString ThaiMonth(const QString& m) {
  static const std::array<const char*, 13> names{"",        "มกราคม",   "กุมภาพันธ์", "มีนาคม",  "เมษายน",
                                                 "พฤษภาคม", "มิถุนายน",   "กรกฎาคม", "สิงหาคม", "กันยายน",
                                                 "ตุลาคม",   "พฤศจิกายน", "ธันวาคม"};
  return QString::fromUtf8(names[static_cast<size_t>(monthNumber(m))]);
}

}  // namespace data
