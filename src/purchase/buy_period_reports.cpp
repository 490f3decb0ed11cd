#include "purchase/buy_period_reports.h"

#include "data/dates.h"
#include "shell/lang.h"

namespace purchase {

using reportkit::PeriodControl;
using reportkit::PeriodControlSpec;
using reportkit::PeriodKind;
using reportkit::PeriodLayout;
using reportkit::PeriodSpec;
using shell::L;

namespace {

using C = PeriodControl;

// The shared controls with this window's names for the labels of the totals frame.
QVector<PeriodControlSpec> sharedControls(const QString& showSelected,
                                          const QHash<QString, QString>& renamed) {
  QVector<PeriodControlSpec> v = reportkit::sharedPeriodControls(showSelected, true);
  for (PeriodControlSpec& c : v) c.name = renamed.value(c.name, c.name);
  return v;
}

PeriodLayout layoutOf(const char* english, const char* thai, QVector<PeriodControlSpec> controls) {
  PeriodLayout l;
  l.englishCaption = QString::fromUtf8(english);
  l.thaiCaption = QString::fromUtf8(thai);
  l.columnWidths = {1700, 3850, 1020, 1600, 2000};
  l.controls = std::move(controls);
  return l;
}

PeriodSpec purchaseSpec(PeriodKind kind, const char* name) {
  PeriodSpec s;
  s.source = reportkit::PeriodSource::purchases();
  s.kind = kind;
  s.showAllButton = kind == PeriodKind::Month ? QStringLiteral("cmdAll") : QStringLiteral("cmdShow");
  s.showSelectedButton = kind == PeriodKind::Month ? QStringLiteral("cmdShow") : QStringLiteral("cmdSh");
  // The day lists every product bought, also one whose category is gone; month and year do not.
  s.rowsNeedCategory = kind != PeriodKind::Day;
  // Every purchase line is an addition: a product with lines has a row.
  s.skipZeroQuantity = false;
  s.categoryView = kind == PeriodKind::Day ? reportkit::CategoryView::None
                                           : reportkit::CategoryView::CodeNameQuantityValue;
  s.permission = reportkit::PeriodPermission::ExportOnly;
  s.canDelete = false;
  s.tellMissingPeriod = true;
  s.categoryViewCounts = true;
  s.reportName = QString::fromUtf8(name);
  if (kind == PeriodKind::Month) {
    s.titleX = 3000;
    s.titleY = 800;
  } else {
    s.titleBold = true;
  }
  return s;
}

QVector<PeriodControlSpec> dayControls() {
  QVector<PeriodControlSpec> v = {
      {"Frame1", C::Frame, "", {120, 120, 8415, 1095}, "", ""},
      {"lblDate", C::Label, "Frame1", {360, 150, 3000, 240}, "Day(Day/Month/Year)", "วันที่ (วัน/เดือน/ปี )"},
      {"DTPDate1", C::DatePicker, "Frame1", {360, 450, 1935, 375}, "", ""},
      {"cmdShow", C::Button, "Frame1", {3600, 360, 1695, 495}, "Show All", "แสดงทั้งหมด"},
      {"cmdExcel", C::PictureButton, "Frame1", {5640, 300, 600, 615}, "", ""},
  };
  v += sharedControls("cmdSh", {{"LabelTotal", "lblTotal"}, {"lblBath3", "lblBaht1"}});
  return v;
}

QVector<PeriodControlSpec> monthControls() {
  QVector<PeriodControlSpec> v = {
      {"Frame1", C::Frame, "", {120, 120, 8415, 1095}, "", ""},
      {"lblMonth", C::Label, "Frame1", {240, 450, 630, 240}, "Month", "เดือน"},
      {"comMo", C::MonthCombo, "Frame1", {900, 390, 1335, 360}, "", ""},
      // The category label keeps its English caption in Thai too.
      {"Label12", C::Label, "Frame1", {2400, 450, 840, 240}, "Category", ""},
      {"ComCate", C::CategoryCombo, "Frame1", {3240, 390, 2115, 360}, "", ""},
      {"cmdAll", C::Button, "Frame1", {5520, 360, 1695, 495}, "Show All", "แสดงทั้งหมด"},
      {"cmdExcel", C::PictureButton, "Frame1", {7380, 300, 600, 615}, "", ""},
  };
  v += sharedControls("cmdShow", {{"lblBaht", "lblBath2"}});
  return v;
}

QVector<PeriodControlSpec> yearControls() {
  QVector<PeriodControlSpec> v = {
      {"Frame1", C::Frame, "", {120, 120, 8415, 1095}, "", ""},
      {"lblYear", C::Label, "Frame1", {240, 450, 480, 240}, "Year", "ปี"},
      {"txtYear", C::YearBox, "Frame1", {720, 390, 855, 375}, "", ""},
      {"Label7", C::Label, "Frame1", {1680, 450, 840, 240}, "Category", ""},
      {"ComCate", C::CategoryCombo, "Frame1", {2520, 390, 2595, 375}, "", ""},
      {"cmdShow", C::Button, "Frame1", {5280, 360, 1695, 495}, "Show All", "แสดงทั้งหมด"},
      {"cmdExcel", C::PictureButton, "Frame1", {7200, 300, 600, 615}, "", ""},
  };
  v += sharedControls("cmdSh", {{"lblBath3", "lblBaht2"}});
  return v;
}

}  // namespace

BuyDayReport::BuyDayReport()
    : PeriodReport(layoutOf("Buy Detail(day)", "รายงานซื้อรายวัน ", dayControls()),
                   purchaseSpec(PeriodKind::Day, "Daily purchases")) {
  cmdShow = button("cmdShow");
  cmdSh = button("cmdSh");
}

QString BuyDayReport::titleText(const reportkit::ShownReport& shown) const {
  return L(QStringLiteral("รายงานสรุปการซื้อประจำวันที่ "), QStringLiteral("Buy Report of  ")) + shown.period.text;
}

MoBuyForm::MoBuyForm()
    : PeriodReport(layoutOf("Buy Detail ( Month )", "รายงานซื้อรายเดือน", monthControls()),
                   purchaseSpec(PeriodKind::Month, "Monthly purchases")) {
  cmdAll = button("cmdAll");
  cmdShow = button("cmdShow");
}

QString MoBuyForm::titleText(const reportkit::ShownReport& shown) const {
  // By design: the month's Thai name in both languages, and the year of the month shown.
  const QString& item = shown.period.text;
  return L(QStringLiteral("รายงานสรุปการซื้อประจำเดือน "), QStringLiteral("Buy Report of Month ")) +
         data::ThaiMonth(item.left(2)) + QStringLiteral("  ") + item.right(4);
}

YrBuyReport::YrBuyReport()
    : PeriodReport(layoutOf("Buy Detail", "รายงานซื้อรายปี", yearControls()),
                   purchaseSpec(PeriodKind::Year, "Yearly purchases")) {
  cmdShow = button("cmdShow");
  cmdSh = button("cmdSh");
}

QString YrBuyReport::titleText(const reportkit::ShownReport& shown) const {
  return L(QStringLiteral("รายงานสรุปการซื้อประจำปี "), QStringLiteral("Buy Report of Year ")) +
         shown.period.text;
}

}  // namespace purchase
