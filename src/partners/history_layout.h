#pragma once
// The supplier and customer history windows as data: their controls with places (twips) and
// captions, the heading buttons over the two grids with the key each sorts by, the column widths
// and the two printouts. One HistoryForm builds either window from its HistoryLayout.
#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>
#include <array>

#include "partners/history_query.h"
#include "platform/ui_kit.h"

namespace partners {

// What a control does in the window; the form finds its controls by role, not by name.
enum class Role {
  None,
  Panel,         // FrSup / FrCus
  ProductPanel,  // FrPro
  IdBox,
  NameBox,
  PickList,
  Show,
  PrintPartner,
  Category,
  Product,
  PrintProduct,
  DateFrom,
  DateTo,
  Total,
};

// A control of the window (its row of the control kit) and what it does.
struct ControlSpec {
  plat::ui::Control control;
  Role role = Role::None;
};

// How a heading button's column is compared: amounts and quantities as numbers, codes and bill
// numbers as numbers above any code with letters, dates, or texts by character code.
enum class KeyKind { Number, Code, Date, Text };

// The grids: FGrid (one partner's lines) and FGridP (one product's lines).
enum class GridId { Partner, Product };

// A button over a grid column; col -1 is the captionless button closing the row.
struct HeadingSpec {
  QString name;  // "cmdPid"
  GridId grid = GridId::Partner;
  int col = -1;
  int left = 0;
  int width = 0;
  QString english;
  QString thai;
  KeyKind key = KeyKind::Number;
};

// One printout of a grid.
struct PrintSpec {
  bool onCurrentPrinter = false;  // false: the report printer
  QString docName;
  bool shopBold = false;
  QString titleThai;  // followed by the partner's name or the product's item text
  QString titleEnglish;
  int titleSizeDeltaThai = 0;
  bool titleBoldThai = false;
  int titleSizeDeltaEnglish = 0;
  bool titleBoldEnglish = false;
  QStringList headingsThai, headingsEnglish;
  QStringList laterHeadingsThai, laterHeadingsEnglish;  // empty: as on page 1
  bool totalLine = false;                               // "Total " + the total under the rows
};

struct HistoryLayout {
  PartnerKind kind = PartnerKind::Supplier;
  QString formName;  // "SupRep"
  QString englishCaption;
  QString thaiCaption;
  int width = 0;  // the window, twips
  int height = 0;
  QList<ControlSpec> controls;  // parents before their children
  QList<HeadingSpec> headings;
  int headingTop = 0;   // over FGrid, inside the partner panel
  int headingTopP = 0;  // over FGridP, inside the product panel
  int headingHeight = 315;
  int gridHeight = 0;
  int gridHeightP = 0;
  std::array<int, 6> widths{};
  std::array<int, 6> widthsP{};
  QStringList tabOrder;  // control and heading names, first to last
  PrintSpec partnerPrint;
  PrintSpec productPrint;
};

const HistoryLayout& supRepLayout();
const HistoryLayout& cusRepLayout();

}  // namespace partners
