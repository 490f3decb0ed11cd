#include "reports/sale_period_reports.h"

#include <QDate>

#include "data/dates.h"
#include "shell/lang.h"

namespace reports {

using reportkit::PeriodControl;
using reportkit::PeriodControlSpec;
using reportkit::PeriodKind;
using reportkit::PeriodLayout;
using reportkit::PeriodSpec;
using shell::L;

namespace {

const QVector<int> kDayWidths{1700, 3850, 1020, 1600, 2000};

// The top frame of the day and employee reports: the day, then the window's own controls.
QVector<PeriodControlSpec> dayFrame(bool employee) {
  using C = PeriodControl;
  QVector<PeriodControlSpec> v = {
      {"Frame1", C::Frame, "", {120, 120, 8415, 1095}, "", ""},
      {"lblDate", C::Label, "Frame1", {360, 150, 3000, 240}, "Day(Day/Month/Year)", "วันที่ (วัน/เดือน/ปี )"},
      {"DTPDate1", C::DatePicker, "Frame1", {360, 450, 1935, 375}, "", ""},
  };
  if (employee) {
    v.push_back({"comMo", C::EmployeeCombo, "Frame1", {3600, 450, 1935, 375}, "", ""});
    v.push_back({"cmdShow", C::Button, "Frame1", {5640, 360, 1695, 495}, "Show All", "แสดงทั้งหมด"});
    v.push_back({"cmdExcel", C::PictureButton, "Frame1", {7440, 300, 600, 615}, "", "", true});
  } else {
    v.push_back({"cmdShow", C::Button, "Frame1", {3600, 360, 1695, 495}, "Show All", "แสดงทั้งหมด"});
    v.push_back({"cmdDel", C::Button, "Frame1", {5640, 360, 1695, 495}, "Delete", "ลบข้อมูล", true});
    v.push_back({"cmdExcel", C::PictureButton, "Frame1", {7440, 300, 600, 615}, "", "", true});
  }
  return v;
}

PeriodLayout layoutOf(const char* english, const char* thai, QVector<PeriodControlSpec> top,
                      const QString& showSelected, QVector<int> widths = kDayWidths) {
  PeriodLayout l;
  l.englishCaption = QString::fromUtf8(english);
  l.thaiCaption = QString::fromUtf8(thai);
  l.columnWidths = std::move(widths);
  l.controls = std::move(top);
  l.controls += reportkit::sharedPeriodControls(showSelected, false);
  return l;
}

PeriodSpec salesSpec(PeriodKind kind, const QString& showAll, const QString& showSelected, const char* name) {
  PeriodSpec s;
  s.source = reportkit::PeriodSource::sales();
  s.kind = kind;
  s.showAllButton = showAll;
  s.showSelectedButton = showSelected;
  s.rowsNeedCategory = kind != PeriodKind::Day;
  s.reportName = QString::fromUtf8(name);
  return s;
}

PeriodSpec employeeSpec() {
  PeriodSpec s = salesSpec(PeriodKind::Day, "cmdShow", "cmdSh", "Employee sales");
  s.byEmployee = true;
  s.permission = reportkit::PeriodPermission::ExportOnly;
  s.canDelete = false;
  return s;
}

PeriodSpec yearSpec() {
  PeriodSpec s = salesSpec(PeriodKind::Year, "cmdShow", "cmdSh", "Yearly sales");
  s.categoryView = reportkit::CategoryView::NameQuantityValue;
  s.titleBold = true;
  return s;
}

QString dayTitle(const reportkit::ShownReport& shown) {
  return L(QStringLiteral("รายงานสรุปการขายประจำวันที่ "), QStringLiteral("Sell Report of  ")) +
         shown.period.text;
}

// The monthly window has its own places: the month frame, the heading buttons and grid, the
// category frame with Print above Show, and the totals frame below it.
PeriodLayout monthLayout() {
  using C = PeriodControl;
  PeriodLayout l;
  l.englishCaption = QStringLiteral("Sell Detail (Month)");
  l.thaiCaption = QStringLiteral("รายงานขายรายเดือน");
  l.columnWidths = {1720, 3850, 1020, 1580, 2000};
  l.controls = {
      {"Frame2", C::Frame, "", {120, 120, 8415, 1095}, "", ""},
      {"lblMonth", C::Label, "Frame2", {480, 480, 630, 240}, "Month", "เดือน"},
      {"comMo", C::MonthCombo, "Frame2", {1200, 360, 1335, 360}, "", ""},
      {"cmdAll", C::Button, "Frame2", {2760, 360, 1695, 495}, "Show All", "แสดงทั้งหมด"},
      {"cmdDel", C::Button, "Frame2", {4560, 360, 1695, 495}, "Delete", "ลบข้อมูล", true},
      {"cmdExcel", C::PictureButton, "Frame2", {6360, 360, 450, 495}, "", "", true},
      {"cmdPid", C::Button, "", {120, 1375, 1720, 315}, "Product ID", "รหัสสินค้า"},
      {"cmdDesc", C::Button, "", {1785, 1375, 3915, 315}, "Description", "รายการสินค้า"},
      {"cmdQsort", C::Button, "", {5705, 1375, 1020, 315}, "Quantity", "จำนวน"},
      {"cmdToSort", C::Button, "", {6725, 1375, 1810, 315}, "Total", "รวม"},
      {"FGrid", C::Grid, "", {120, 1680, 8415, 5175}, "", ""},
      {"Frame3", C::Frame, "", {8760, 120, 2895, 2775}, "", ""},
      {"LstCate", C::CategoryList, "Frame3", {120, 360, 1695, 1620}, "", ""},
      {"cmdPrint", C::Button, "Frame3", {1920, 360, 855, 735}, "Print", "พิมพ์"},
      {"cmdShow", C::Button, "Frame3", {1920, 1200, 855, 735}, "Show", "แสดง"},
      {"Frame1", C::Frame, "", {8760, 2880, 2895, 3975}, "", ""},
      {"lblAmt", C::Label, "Frame1", {240, 360, 1695, 285}, "Amount", "รวม"},
      {"txtTotal", C::TotalBox, "Frame1", {240, 840, 1695, 330}, "", ""},
      {"lblBath", C::Label, "Frame1", {2040, 840, 855, 285}, "Baht", "บาท"},
      {"lblVat", C::Label, "Frame1", {240, 1680, 1695, 285}, "Vat", "ภาษี"},
      {"txtVat", C::TotalBox, "Frame1", {240, 2130, 1695, 360}, "", ""},
      {"lblBaht", C::Label, "Frame1", {2040, 2160, 855, 285}, "Baht", "บาท"},
  };
  return l;
}

}  // namespace

DayReport::DayReport()
    : PeriodReport(layoutOf("Sell Detail(day)", "รายงานขายรายวัน ", dayFrame(false), "cmdSh"),
                   salesSpec(PeriodKind::Day, "cmdShow", "cmdSh", "Daily sales")) {
  cmdShow = button("cmdShow");
  cmdSh = button("cmdSh");
}

QString DayReport::titleText(const reportkit::ShownReport& shown) const { return dayTitle(shown); }

QString DayReport::deleteQuestion(const reportkit::Period& p) const {
  // The day as month/day/year, as the question has always shown it.
  const QString mdy = QDate::fromString(p.range.from, Qt::ISODate).toString(QStringLiteral("MM/dd/yyyy"));
  return L(QStringLiteral("ยืนยันการลบข้อมูลประจำวันที่ "), QStringLiteral("Confirm to Delete Data ")) + mdy;
}

MoReport::MoReport()
    : PeriodReport(monthLayout(), salesSpec(PeriodKind::Month, "cmdAll", "cmdShow", "Monthly sales")) {
  cmdAll = button("cmdAll");
  cmdShow = button("cmdShow");
}

QString MoReport::titleText(const reportkit::ShownReport& shown) const {
  // By design: the month's Thai name in both languages, and the year of the month shown.
  const QString& item = shown.period.text;
  return L(QStringLiteral("รายงานสรุปการขายประจำเดือน "), QStringLiteral("Sell Report of Month")) +
         data::ThaiMonth(item.left(2)) + QStringLiteral("  ") + item.right(4);
}

QString MoReport::deleteQuestion(const reportkit::Period& p) const {
  return L(QStringLiteral("ยืนยันการลบข้อมูลประจำเดือน "), QStringLiteral("Confirm to Delete Data ")) + p.text;
}

YearReport::YearReport()
    : PeriodReport(
          layoutOf(
              "Sell Detail (Year)", "รายงานขายรายปี",
              {{"Frame1", PeriodControl::Frame, "", {120, 120, 8415, 1095}, "", ""},
               {"lblYear", PeriodControl::Label, "Frame1", {240, 450, 480, 240}, "Year", "ปี"},
               {"txtYear", PeriodControl::YearBox, "Frame1", {720, 390, 855, 375}, "", ""},
               // The category label keeps its English caption in Thai too.
               {"Label7", PeriodControl::Label, "Frame1", {1680, 450, 840, 240}, "Category", ""},
               {"ComCate", PeriodControl::CategoryCombo, "Frame1", {2520, 390, 1995, 375}, "", ""},
               {"cmdShow", PeriodControl::Button, "Frame1", {4620, 360, 1335, 495}, "Show All", "แสดงทั้งหมด"},
               {"cmdDel", PeriodControl::Button, "Frame1", {6015, 360, 1215, 495}, "Delete", "ลบข้อมูล", true},
               {"cmdExcel", PeriodControl::PictureButton, "Frame1", {7320, 300, 600, 615}, "", "", true}},
              "cmdSh"),
          yearSpec()) {
  cmdShow = button("cmdShow");
  cmdSh = button("cmdSh");
}

QString YearReport::titleText(const reportkit::ShownReport& shown) const {
  return L(QStringLiteral("รายงานสรุปการขายประจำปี "), QStringLiteral("Sell Report of Year ")) +
         shown.period.text;
}

QString YearReport::deleteQuestion(const reportkit::Period& p) const {
  return L(QStringLiteral("ยืนยันการลบข้อมูลประจำปี "), QStringLiteral("Confirm to Delete Data ")) + p.text;
}

EmpReport::EmpReport()
    : PeriodReport(layoutOf("Sell Employee(day)", "รายงานขายของพนักงาน ", dayFrame(true), "cmdSh"),
                   employeeSpec()) {
  cmdShow = button("cmdShow");
  cmdSh = button("cmdSh");
}

QString EmpReport::titleText(const reportkit::ShownReport& shown) const {
  return dayTitle(shown) + L(QStringLiteral("  ของพนักงาน "), QStringLiteral("  Employee ")) + shown.employee;
}

}  // namespace reports
