#include "partners/history_layout.h"

namespace partners {

namespace {

using CK = plat::ui::Kind;

QString u8(const char* s) { return QString::fromUtf8(s); }

ControlSpec spec(CK kind, const char* name, const char* parent, QRect rect, const char* english = "",
                 const char* thai = "", Role role = Role::None) {
  return ControlSpec{{u8(name), kind, rect, u8(english), u8(thai), u8(parent)}, role};
}

// The panel of one product's lines, the same in both windows.
QList<ControlSpec> productPanel() {
  return {
      spec(CK::Frame, "FrPro", "", QRect(60, 3600, 11610, 3600), "Show by Product", "แสดงตามสินค้า",
           Role::ProductPanel),
      spec(CK::Frame, "FrProSel", "FrPro", QRect(120, 200, 8160, 1200), "Product", "สินค้า"),
      spec(CK::Label, "lblCate", "FrProSel", QRect(120, 330, 1000, 255), "Category", "หมวดสินค้า"),
      spec(CK::Combo, "ComCate", "FrProSel", QRect(1200, 270, 3600, 330), "", "", Role::Category),
      spec(CK::Label, "lblPro", "FrProSel", QRect(120, 750, 1000, 255), "Product", "สินค้า"),
      spec(CK::Combo, "ComPro", "FrProSel", QRect(1200, 690, 6780, 330), "", "", Role::Product),
      spec(CK::Button, "cmdPrintPro", "FrPro", QRect(8460, 480, 1335, 495), "Print", "พิมพ์",
           Role::PrintProduct),
  };
}

HeadingSpec heading(const char* name, GridId grid, int col, int left, int width, const char* english,
                    const char* thai, KeyKind key) {
  return HeadingSpec{u8(name), grid, col, left, width, u8(english), u8(thai), key};
}

// The four columns both windows head alike (2 to 5), then the closing button.
QList<HeadingSpec> commonHeadings(GridId grid, const char* quantity, const char* total, const char* date,
                                  const char* bill, int billWidth, int closerLeft, const char* closer) {
  return {heading(quantity, grid, 2, 5700, 1020, "Quantity", "จำนวน", KeyKind::Number),
          heading(total, grid, 3, 6720, 1500, "Total", "รวม", KeyKind::Number),
          heading(date, grid, 4, 8220, 1260, "Date", "วันที่", KeyKind::Date),
          heading(bill, grid, 5, 9480, billWidth, "Bill NO.", "เลขที่บิล", KeyKind::Code),
          heading(closer, grid, -1, closerLeft, 320, "", "", KeyKind::Number)};
}

QStringList texts(std::initializer_list<const char*> l) {
  QStringList out;
  for (const char* s : l) out << u8(s);
  return out;
}

}  // namespace

const HistoryLayout& supRepLayout() {
  static const HistoryLayout l = [] {
    HistoryLayout r;
    r.kind = PartnerKind::Supplier;
    r.formName = QStringLiteral("SupRep");
    r.englishCaption = QStringLiteral("Supplier Report");
    r.thaiCaption = u8("รายงานผู้ค้า");
    r.width = 11850;
    r.height = 7700;
    r.controls = {
        spec(CK::Frame, "FrSup", "", QRect(60, 0, 11610, 3540), "Show by Supplier", "แสดงตามผู้ค้า",
             Role::Panel),
        spec(CK::Frame, "FrSupSel", "FrSup", QRect(120, 200, 8160, 1140), "Supplier", "ผู้ค้า"),
        spec(CK::Label, "lblSupId", "FrSupSel", QRect(120, 330, 1200, 255), "Supplier Id", "รหัสผู้ค้า"),
        spec(CK::Box, "txtSup", "FrSupSel", QRect(1440, 270, 1500, 330), "", "", Role::IdBox),
        spec(CK::Label, "lblSupName", "FrSupSel", QRect(120, 750, 1200, 255), "Name", "ชื่อผู้ค้า"),
        spec(CK::Box, "txtSupName", "FrSupSel", QRect(1440, 690, 6540, 330), "", "", Role::NameBox),
        spec(CK::Button, "cmdSSup", "FrSup", QRect(8460, 300, 1335, 495), "Show", "แสดง", Role::Show),
        spec(CK::Button, "cmdPrintSup", "FrSup", QRect(9900, 300, 1335, 495), "Print", "พิมพ์",
             Role::PrintPartner),
        spec(CK::List, "ListSup", "FrSup", QRect(1560, 600, 4800, 2760), "", "", Role::PickList),
    };
    r.controls += productPanel();
    r.headings = {heading("cmdPid", GridId::Partner, 0, 120, 1700, "Product ID", "รหัสสินค้า", KeyKind::Code),
                  heading("cmdDesc", GridId::Partner, 1, 1810, 3890, "Description", "รายการ", KeyKind::Text)};
    r.headings += commonHeadings(GridId::Partner, "cmdQsort", "cmdToSort", "cmdDSup", "cmdBill", 1380, 10860,
                                 "Command3");
    r.headings +=
        {heading("cmdSupId", GridId::Product, 0, 120, 1190, "Supplier ID", "รหัสผู้ค้า", KeyKind::Code),
         heading("cmdSupName", GridId::Product, 1, 1305, 4400, "Supplier Name", "รายชื่อผู้ค้า", KeyKind::Text)};
    r.headings +=
        commonHeadings(GridId::Product, "cmdQ", "cmdTotal", "cmdDPro", "cmdB", 1380, 10860, "Command4");
    r.headingTop = 1440;
    r.headingTopP = 1560;
    r.gridHeight = 1680;
    r.gridHeightP = 1620;
    r.widths = {1700, 3850, 1020, 1500, 1255, 1380};
    r.widthsP = {1150, 4400, 1020, 1500, 1255, 1380};
    r.tabOrder =
        texts({"txtSup",    "txtSupName", "cmdSSup", "cmdPrintSup", "cmdPid",  "cmdDesc", "cmdQsort",
               "cmdToSort", "cmdDSup",    "cmdBill", "FGrid",       "ComCate", "ComPro",  "cmdPrintPro",
               "cmdSupId",  "cmdSupName", "cmdQ",    "cmdTotal",    "cmdDPro", "cmdB",    "FGridP"});

    PrintSpec& s = r.partnerPrint;
    s.docName = QStringLiteral("Supplier Report");
    s.shopBold = true;
    s.titleThai = u8("รายงานผู้ค้า ");
    s.titleEnglish = QStringLiteral(" Report");
    s.headingsThai = texts({"รหัสสินค้า", "รายการสินค้า", "จำนวน", "ราคา", "วันที่", "เลขบิล No."});
    s.headingsEnglish = texts({"Product Id", "Description", "Quantity", "Price", "Date", "No.Bill"});
    s.laterHeadingsThai = texts({"รหัสสินค้า", "รายการสินค้า", "จำนวน", "ราคา", "วันที่", "No."});
    s.laterHeadingsEnglish = texts({"Product Id", "Description", "Quantity", "Price", "Date", "No."});

    PrintSpec& p = r.productPrint;
    p.docName = QStringLiteral("Supplier Report");
    p.titleThai = u8("รายงานผู้ค้าที่ขาย  ");
    p.titleEnglish = QStringLiteral(" Report Supplier ,who Buy ");
    p.titleSizeDeltaEnglish = 2;
    p.titleBoldEnglish = true;
    p.headingsThai = texts({"รหัสผู้ค้า", "รายชื่อผู้ค้า", "จำนวน", "ราคา", "วันที่", "No."});
    p.headingsEnglish = texts({"Supplier ID", "Supplier Name", "Quantity", "Price", "Date", "No."});
    return r;
  }();
  return l;
}

const HistoryLayout& cusRepLayout() {
  static const HistoryLayout l = [] {
    HistoryLayout r;
    r.kind = PartnerKind::Customer;
    r.formName = QStringLiteral("CusRep");
    r.englishCaption = QStringLiteral("Customer Report");
    r.thaiCaption = u8("รายงานลูกค้า");
    r.width = 11850;
    r.height = 7700;
    r.controls = {
        spec(CK::Frame, "FrCus", "", QRect(60, 0, 11610, 3540), "Show by Customer", "แสดงตามลูกค้า",
             Role::Panel),
        spec(CK::Frame, "FrCusSel", "FrCus", QRect(120, 200, 5160, 1140), "Customer", "ลูกค้า"),
        spec(CK::Label, "lblCusId", "FrCusSel", QRect(120, 330, 1200, 255), "Customer Id", "รหัสลูกค้า"),
        spec(CK::Box, "txtCus", "FrCusSel", QRect(1440, 270, 1500, 330), "", "", Role::IdBox),
        spec(CK::Label, "lblCusName", "FrCusSel", QRect(120, 750, 1200, 255), "Name", "ชื่อลูกค้า"),
        spec(CK::Box, "txtCusName", "FrCusSel", QRect(1440, 690, 3600, 330), "", "", Role::NameBox),
        spec(CK::Label, "lblFrom", "FrCus", QRect(5400, 330, 600, 255), "From", "จาก"),
        spec(CK::DatePicker, "DTPDate1", "FrCus", QRect(6000, 270, 1560, 330), "", "", Role::DateFrom),
        spec(CK::Label, "lblTo", "FrCus", QRect(5400, 750, 600, 255), "To", "ถึง"),
        spec(CK::DatePicker, "DTPDate2", "FrCus", QRect(6000, 690, 1560, 330), "", "", Role::DateTo),
        spec(CK::Button, "cmdSCus", "FrCus", QRect(7740, 240, 1215, 435), "Show", "แสดง", Role::Show),
        spec(CK::Button, "cmdPrintCus", "FrCus", QRect(7740, 720, 1215, 435), "Print", "พิมพ์",
             Role::PrintPartner),
        spec(CK::Label, "lblTotal", "FrCus", QRect(9120, 330, 700, 255), "Total", "รวม"),
        spec(CK::Box, "txtTotal", "FrCus", QRect(9120, 690, 2280, 330), "", "", Role::Total),
        spec(CK::List, "ListCus", "FrCus", QRect(1560, 600, 4800, 2760), "", "", Role::PickList),
    };
    r.controls += productPanel();
    r.headings = {heading("cmdPid", GridId::Partner, 0, 120, 1720, "Product ID", "รหัสสินค้า", KeyKind::Code),
                  heading("cmdDesc", GridId::Partner, 1, 1800, 3890, "Description", "รายการ", KeyKind::Text)};
    r.headings += commonHeadings(GridId::Partner, "cmdQsort", "cmdToSort", "cmdDCus", "cmdBill", 780, 10260,
                                 "Command3");
    r.headings +=
        {heading("cmdCusId", GridId::Product, 0, 120, 1200, "Customer ID", "รหัสลูกค้า", KeyKind::Code),
         heading("cmdCusName", GridId::Product, 1, 1320, 4400, "Customer Name", "รายชื่อลูกค้า", KeyKind::Text)};
    r.headings +=
        commonHeadings(GridId::Product, "cmdQ", "cmdTotal", "cmdDPro", "cmdB", 780, 10260, "Command4");
    r.headingTop = 1440;
    r.headingTopP = 1560;
    r.gridHeight = 1680;
    r.gridHeightP = 1620;
    r.widths = {1700, 3850, 1020, 1500, 1255, 770};
    r.widthsP = {1150, 4400, 1020, 1500, 1255, 770};
    r.tabOrder = texts({"txtCus",     "txtCusName", "DTPDate1", "DTPDate2", "cmdSCus",     "cmdPrintCus",
                        "txtTotal",   "cmdPid",     "cmdDesc",  "cmdQsort", "cmdToSort",   "cmdDCus",
                        "cmdBill",    "FGrid",      "ComCate",  "ComPro",   "cmdPrintPro", "cmdCusId",
                        "cmdCusName", "cmdQ",       "cmdTotal", "cmdDPro",  "cmdB",        "FGridP"});

    PrintSpec& s = r.partnerPrint;
    s.docName = QStringLiteral("Customer Report");
    s.shopBold = true;
    s.titleThai = u8("รายงานลูกค้า ");
    s.titleEnglish = QStringLiteral(" Report");
    s.headingsThai = texts({"รหัสสินค้า", "รายการสินค้า", "จำนวน", "ราคา", "วันที่", "No."});
    s.headingsEnglish = texts({"Product Id", "Description", "Quantity", "Price", "Date", "No."});
    s.totalLine = true;

    PrintSpec& p = r.productPrint;
    p.onCurrentPrinter = true;
    p.docName = QStringLiteral("Customer Report");
    p.titleThai = u8("รายงานลูกค้าที่ซื้อ  ");
    p.titleEnglish = QStringLiteral(" Report Customer ,who buy ");
    p.headingsThai = texts({"รหัสลูกค้า", "รายชื่อลูกค้า", "จำนวน", "ราคา", "วันที่", "No."});
    p.headingsEnglish = texts({"Customer ID", "Customer Name", "Quantity", "Price", "Date", "No."});
    return r;
  }();
  return l;
}

}  // namespace partners
