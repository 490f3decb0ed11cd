#pragma once
// The printouts of the history windows as report descriptions: the title names the partner or
// the product shown, the customer list ends with its total.
#include <QString>

#include "partners/history_layout.h"
#include "reportkit/report_print.h"

namespace plat {
class FlexGrid;
}

namespace partners {

// The by-partner printout: the title ends in the partner's name; totalText is the total box
// ("" when the window has none).
reportkit::ReportPrint partnerPrintout(const PrintSpec& spec, const QString& partnerName,
                                       const QString& totalText);
// The by-product printout: the title ends in the product's item text.
reportkit::ReportPrint productPrintout(const PrintSpec& spec, const QString& productText);

// Prints rows 0 .. rows-1 of grid as desc says.
reportkit::PrintOutcome printHistory(const reportkit::ReportPrint& desc, const plat::FlexGrid& grid,
                                     int rows);

}  // namespace partners
