#include "partners/history_print.h"

#include "platform/numtext.h"
#include "shell/lang.h"

namespace partners {

namespace {

using reportkit::Align;

reportkit::ReportPrint common(const PrintSpec& spec, const QString& titleEnd) {
  reportkit::ReportPrint d;
  d.printer = spec.onCurrentPrinter ? reportkit::PrinterChoice::CurrentPrinter
                                    : reportkit::PrinterChoice::ReportPrinter;
  // The queue names the job after what it prints.
  d.docName = spec.docName + u' ' + titleEnd;
  d.shopBold = spec.shopBold;
  const bool thai = shell::thai();
  d.title = {2300,
             700,
             (thai ? spec.titleThai : spec.titleEnglish) + titleEnd,
             Align::Left,
             thai ? spec.titleSizeDeltaThai : spec.titleSizeDeltaEnglish,
             thai ? spec.titleBoldThai : spec.titleBoldEnglish};
  static const int kHeadingX[6] = {400, 3000, 5200, 6400, 8000, 9500};
  const QStringList& first = thai ? spec.headingsThai : spec.headingsEnglish;
  const QStringList& later = thai ? spec.laterHeadingsThai : spec.laterHeadingsEnglish;
  for (int i = 0; i < first.size() && i < 6; ++i) d.headings.push_back({kHeadingX[i], first[i]});
  for (int i = 0; i < later.size() && i < 6; ++i) d.laterHeadings.push_back({kHeadingX[i], later[i]});
  d.columns = {{0, Align::Centre, 850}, {1, Align::Left, 1700},  {2, Align::Right, 5900},
               {3, Align::Right, 7500}, {4, Align::Right, 8900}, {5, Align::Right, 10900}};
  return d;
}

}  // namespace

reportkit::ReportPrint partnerPrintout(const PrintSpec& spec, const QString& partnerName,
                                       const QString& totalText) {
  reportkit::ReportPrint d = common(spec, partnerName);
  if (spec.totalLine) {
    const auto v = plat::parseNumber(totalText);
    reportkit::AfterRowsItem t;
    t.kind = reportkit::AfterRowsItem::Text;
    t.lineBelow = true;  // where printing the last row left the print position
    t.x = 0;
    t.text =
        shell::L(QStringLiteral("รวม "), QStringLiteral("Total ")) + (v ? plat::fmtMoney(*v) : totalText);
    d.afterRows.push_back(t);
  }
  return d;
}

reportkit::ReportPrint productPrintout(const PrintSpec& spec, const QString& productText) {
  return common(spec, productText);
}

reportkit::PrintOutcome printHistory(const reportkit::ReportPrint& desc, const plat::FlexGrid& grid,
                                     int rows) {
  return reportkit::printReport(desc, grid, rows);
}

}  // namespace partners
