#include "partners/customer_form.h"

#include <QGroupBox>
#include <QRadioButton>

namespace partners {

int levelShown(const QVariant& discount) {
  if (discount.isNull()) return 3;
  bool ok = false;
  const double v = discount.toString().trimmed().toDouble(&ok);
  if (ok && v == 1) return 1;
  if (ok && v == 2) return 2;
  return 3;
}

const RecordLayout& CustomerForm::layout() {
  static const RecordLayout l = [] {
    RecordLayout r;
    r.table = &data::customersTable();
    r.englishCaption = QStringLiteral("Customer");
    r.thaiCaption = QStringLiteral("ข้อมูลลูกค้า");
    r.width = 11370;
    r.height = 5280;
    r.frame2 = QRect(120, 0, 5175, 1575);
    r.frame3 = QRect(5400, 0, 5775, 1575);
    r.frame1 = QRect(120, 1560, 11055, 2535);
    r.frame4 = QRect(120, 4080, 11055, 615);
    r.msgPos = QPoint(240, 240);
    const QString blank = QStringLiteral(" ");
    r.boxes = {
        {"txtCusId", "CustomerId", "lblCusID", "Customer ID", QStringLiteral("รหัสลูกค้า"),
         QRect(2040, 240, 4575, 315), QPoint(120, 360), true, QString()},
        {"txtComName", "CompanyName", "lblComName", "Company Name", QStringLiteral("ชื่อบริษัท"),
         QRect(2040, 600, 4575, 315), QPoint(120, 720), true, QString()},
        {"txtCtName", "ContactName", "lblCtName", "Contact Name", QStringLiteral("ชื่อผู้ติดต่อ"),
         QRect(2040, 960, 4575, 315), QPoint(120, 1080), true, blank},
        // By design: the first address line is kept in ContactTitle, the second in Fax, as the shop's
        // customer records have always held them.
        {"txtCtTitle", "ContactTitle", "lblAdr", "Address", QStringLiteral("ที่อยู่"),
         QRect(2040, 1680, 8895, 315), QPoint(120, 1800), true, blank},
        carriedBox("txtAdr", "Address", "lblCtTitle", "Address Invoid", "ที่อยู่ในใบกำกับภาษี", 1920, 3600),
        carriedBox("txtCity", "City", "lblCity", "City", "จังหวัด", 6000, 3600),
        carriedBox("txtRegion", "Region", "lblRegion", "Region", "เขต/อำเภอ", 1920, 3960),
        carriedBox("txtCountry", "Country", "lblCountry", "Country", "ประเทศ", 6000, 3960),
        carriedBox("txtPsCode", "PostalCode", "lblPsCode", "Postal Code", "รหัสไปรษณีย์", 1920, 4320),
        {"txtPhone", "Phone", "lblPhone", "Phone/Fax", QStringLiteral("โทรศัพท์/แฟกซ์"),
         QRect(2040, 1320, 4575, 315), QPoint(120, 1440), true, blank},
        {"txtFax", "Fax", QString(), QString(), QString(), QRect(2040, 2040, 8895, 315), QPoint(), true,
         blank},
    };
    r.tabOrder = {"txtCusId",    "txtComName",  "txtCtName",   "txtPhone",  "txtCtTitle", "txtFax",
                  "optLevel(1)", "optLevel(2)", "optLevel(3)", "cmdInsert", "cmdUpdate",  "cmdDel",
                  "cmdNew",      "cmdClose",    "cmdFirst",    "cmdBack",   "cmdNext",    "cmdLast",
                  "txtFind",     "cmdFind",     "cmdFnext"};
    r.enterChain = {{"txtCusId", "txtComName"},
                    {"txtComName", "txtCtName"},
                    {"txtCtName", "txtPhone"},
                    {"txtPhone", "txtCtTitle"},
                    {"txtCtTitle", "txtFax"}};
    r.changeIdThai = QStringLiteral("กรุณาเปลี่ยนรหัสลูกค้า");
    r.changeIdEnglish = QStringLiteral(" Please Change CustomerID ");
    r.refusalThai = QStringLiteral("ไม่สามารถลบได้เพราะมีข้อมูลการขาย");
    r.refusalEnglish = QStringLiteral("Database have sell data you can not delete");
    r.notFoundThai = QStringLiteral("ไม่พบรหัสลูกค้านี้ ไม่มีการแก้ไขข้อมูล");
    r.notFoundEnglish = QStringLiteral("Customer ID not found; nothing was updated");
    r.insertClearsCaption = false;
    r.showClearsMessage = true;
    using K = plat::ui::Kind;
    r.extraControls = {
        {"frLevel", K::Frame, {6720, 240, 4215, 1335}, "Customer Level", "ระดับลูกค้า", "Frame1"},
        {"optLevel(1)", K::Option, {720, 240, 1455, 255}, "Level1", "ระดับ 1", "frLevel"},
        {"optLevel(2)", K::Option, {720, 600, 1455, 255}, "Level2", "ระดับ 2", "frLevel"},
        {"optLevel(3)", K::Option, {720, 960, 1455, 255}, "Level3", "ระดับ 3", "frLevel"},
    };
    return r;
  }();
  return l;
}

CustomerForm::CustomerForm(QWidget* parent) : RecordForm(layout(), parent) {
  txtCusId = box(QStringLiteral("txtCusId"));
  txtComName = box(QStringLiteral("txtComName"));
  txtCtName = box(QStringLiteral("txtCtName"));
  txtCtTitle = box(QStringLiteral("txtCtTitle"));
  txtAdr = box(QStringLiteral("txtAdr"));
  txtCity = box(QStringLiteral("txtCity"));
  txtRegion = box(QStringLiteral("txtRegion"));
  txtPsCode = box(QStringLiteral("txtPsCode"));
  txtCountry = box(QStringLiteral("txtCountry"));
  txtPhone = box(QStringLiteral("txtPhone"));
  txtFax = box(QStringLiteral("txtFax"));

  frLevel = control<QGroupBox>("frLevel");
  for (int i = 1; i <= 3; ++i) optLevel[i] = control<QRadioButton>(QStringLiteral("optLevel(%1)").arg(i));
  optLevel[1]->setChecked(true);
}

int CustomerForm::selectedLevel() const {
  if (optLevel[1]->isChecked()) return 1;
  if (optLevel[2]->isChecked()) return 2;
  return 3;
}

QString CustomerForm::extraValue(const QString& column) const {
  if (column == QLatin1String("Discount")) return QString::number(selectedLevel());
  return RecordForm::extraValue(column);
}

void CustomerForm::showExtras(const data::Snapshot& row) {
  optLevel[levelShown(row.value("Discount"))]->setChecked(true);
}

void CustomerForm::afterNew() { optLevel[1]->setChecked(true); }
void CustomerForm::afterInsert() { optLevel[1]->setChecked(true); }

}  // namespace partners
