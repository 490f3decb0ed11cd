#include "partners/supplier_form.h"

namespace partners {

const RecordLayout& SupplierForm::layout() {
  static const RecordLayout l = [] {
    RecordLayout r;
    r.table = &data::suppliersTable();
    r.englishCaption = QStringLiteral("Supplier");
    r.thaiCaption = QStringLiteral("ข้อมูลผู้ค้า");
    r.width = 11370;
    r.height = 5070;
    r.frame2 = QRect(120, 120, 5175, 1575);
    r.frame3 = QRect(5400, 120, 5775, 1575);
    r.frame1 = QRect(120, 1680, 11055, 2175);
    r.frame4 = QRect(120, 3960, 11055, 615);
    r.msgPos = QPoint(120, 240);
    const QString blank = QStringLiteral(" ");
    r.boxes = {
        {"txtSupId", "SupplierId", "lblSupID", "Supplier ID", QStringLiteral("รหัสผู้ค้า"),
         QRect(2160, 240, 8655, 315), QPoint(120, 360), true, QString()},
        carriedBox("txtSupType", "SupType", "lblSupType", "Supplier Type", "ประเภท", 2040, 2880),
        {"txtComName", "CompanyName", "lblComName", "Company Name", QStringLiteral("ชื่อบริษัท"),
         QRect(2160, 600, 8655, 315), QPoint(120, 720), true, blank},
        carriedBox("txtBusDesc", "BusinessDesc", "lblBusDesc", "Business Desc.", "ประเภทธุรกิจ", 5040, 3000),
        {"txtCtName", "ContactName", "lblCtName", "Contact Name", QStringLiteral("ชื่อผู้ติดต่อ"),
         QRect(2160, 960, 8655, 315), QPoint(120, 1080), true, blank},
        carriedBox("txtCtTitle", "ContactTitle", "lblCtTitle", " Contact Title", "เรื่องติดต่อ", 6360, 4320),
        {"txtAdr", "Address", "lblAdr", "Adress", QStringLiteral("ที่อยู่"), QRect(2160, 1320, 8655, 315),
         QPoint(120, 1440), true, blank},
        // The second address line, under the address label.
        {"txtCity", "City", QString(), QString(), QString(), QRect(2160, 1680, 8655, 315), QPoint(), true,
         blank},
        carriedBox("txtRegion", "Region", "lblRegion", "Region", "เขต/อำเภอ", 1560, 3120),
        carriedBox("txtCountry", "Country", "lblCountry", "Country", "ประเทศ", 6360, 3120),
        carriedBox("txtPsCode", "PostalCode", "lblPsCode", "Postal Code", "รหัสไปรษณีย์", 1560, 3600),
        carriedBox("txtPhone", "Phone", "lblPhone", "Phone", "โทรศัพท์", 6360, 3600),
        carriedBox("txtFax", "Fax", "lblFax", "Fax", "แฟกซ์", 6360, 3960),
        carriedBox("txtHp", "Homepage", "lblHp", "Homepage", "โฮมเพจ", 1560, 3960),
        carriedBox("txtEmail", "Email", "lblEmail", "E-mail", "อีเมล์", 1560, 4440),
    };
    r.extraLabels = {{"lblCity", "City", QStringLiteral("จังหวัด"), QPoint(120, 4800)}};
    r.tabOrder = {"txtSupId",  "txtComName", "txtCtName", "txtAdr",   "txtCity",  "cmdInsert",
                  "cmdUpdate", "cmdDel",     "cmdNew",    "cmdClose", "cmdFirst", "cmdBack",
                  "cmdNext",   "cmdLast",    "txtFind",   "cmdFind",  "cmdFnext"};
    r.enterChain = {{"txtSupId", "txtComName"},  {"txtComName", "txtCtName"}, {"txtCtName", "txtAdr"},
                    {"txtAdr", "txtCity"},       {"txtCity", "cmdInsert"},    {"txtSupType", "txtComName"},
                    {"txtRegion", "txtCountry"}, {"txtPsCode", "txtPhone"},   {"txtPhone", "txtHp"},
                    {"txtHp", "txtFax"},         {"txtFax", "txtEmail"},      {"txtEmail", "cmdInsert"}};
    r.changeIdThai = QStringLiteral("กรุณาเปลี่ยนรหัสผู้ค้า");
    r.changeIdEnglish = QStringLiteral(" Please Change SupplierID ");
    r.refusalThai = QStringLiteral("ไม่สามารถลบได้เพราะมีข้อมูลการซื้อ");
    r.refusalEnglish = QStringLiteral("Database have buy data you can not delete");
    r.notFoundThai = QStringLiteral("ไม่พบรหัสผู้ค้านี้ ไม่มีการแก้ไขข้อมูล");
    r.notFoundEnglish = QStringLiteral("Supplier ID not found; nothing was updated");
    r.insertClearsCaption = true;
    r.showClearsMessage = false;
    return r;
  }();
  return l;
}

SupplierForm::SupplierForm(QWidget* parent) : RecordForm(layout(), parent) {
  txtSupId = box(QStringLiteral("txtSupId"));
  txtSupType = box(QStringLiteral("txtSupType"));
  txtComName = box(QStringLiteral("txtComName"));
  txtBusDesc = box(QStringLiteral("txtBusDesc"));
  txtCtName = box(QStringLiteral("txtCtName"));
  txtCtTitle = box(QStringLiteral("txtCtTitle"));
  txtAdr = box(QStringLiteral("txtAdr"));
  txtCity = box(QStringLiteral("txtCity"));
  txtRegion = box(QStringLiteral("txtRegion"));
  txtCountry = box(QStringLiteral("txtCountry"));
  txtPsCode = box(QStringLiteral("txtPsCode"));
  txtPhone = box(QStringLiteral("txtPhone"));
  txtFax = box(QStringLiteral("txtFax"));
  txtHp = box(QStringLiteral("txtHp"));
  txtEmail = box(QStringLiteral("txtEmail"));
}

}  // namespace partners
