#include "shell/option_form.h"

#include <QFontDatabase>
#include <QKeyEvent>

#include "data/db.h"
#include "platform/char_filter.h"
#include "platform/dialogs.h"
#include "platform/keys.h"
#include "platform/numtext.h"
#include "platform/print_surface_qt.h"
#include "platform/ui_kit.h"
#include "shell/ceiling_message.h"
#include "shell/file_chooser.h"
#include "shell/form_style.h"
#include "shell/lang.h"
#include "shell/mainwindow.h"
#include "shell/options.h"
#include "shell/settings.h"

namespace shell {

namespace {

using K = plat::ui::Kind;

// Every control of the window, in its frame, with both captions.
// By design: "Company Infomation" and "Biil Printer" keep the spelling the shop's window always had.
// clang-format off
const QVector<plat::ui::Control> kControls = {
  {"FrComInfo", K::Frame, {120, 0, 4935, 3390}, "Company Infomation", "ข้อมูลบริษัท"},
  {"lblComName", K::Label, {120, 270, 1455, 255}, "Company Name", "ชื่อบริษัท", "FrComInfo"},
  {"txtName", K::Box, {1620, 240, 3195, 300}, "", "", "FrComInfo"},
  {"lblAddress", K::Label, {120, 615, 1455, 255}, "Address", "ที่อยู่บริษัท", "FrComInfo"},
  {"txtAddress", K::Box, {1620, 585, 3195, 300}, "", "", "FrComInfo"},
  {"txtAddress1", K::Box, {1620, 930, 3195, 300}, "", "", "FrComInfo"},
  {"lblPhone", K::Label, {120, 1305, 1455, 255}, "Phone", "โทรศัพท์", "FrComInfo"},
  {"txtPhone", K::Box, {1620, 1275, 3195, 300}, "", "", "FrComInfo"},
  {"lblTaxVal", K::Label, {120, 1650, 1455, 255}, "Tax Value (%)", "ภาษี", "FrComInfo"},
  {"txtTaxVal", K::Box, {1620, 1620, 1035, 300}, "", "", "FrComInfo"},
  {"lblHeadInvoice", K::Label, {120, 1995, 1455, 255}, "Text Head Invoice", "ข้อความหัวบิลเล็ก", "FrComInfo"},
  {"txtheadinvoice", K::Box, {1620, 1965, 3195, 300}, "", "", "FrComInfo"},
  {"txtTaxID", K::Box, {1620, 2310, 3195, 300}, "", "", "FrComInfo"},
  {"txtPOS", K::Box, {1620, 2655, 3195, 300}, "", "", "FrComInfo"},
  {"txtTotalVat", K::Box, {1620, 3000, 3195, 300}, "", "", "FrComInfo"},

  {"FrComset", K::Frame, {120, 3420, 4935, 1050}, "", "ตั้งค่าพอร์ด"},
  {"lblDisplay", K::Label, {120, 300, 1455, 255}, "Display Port", "พอร์ด หน้าจอ", "FrComset"},
  {"cmbdisplay", K::Combo, {1620, 255, 1800, 315}, "", "", "FrComset"},
  {"lblDrawer", K::Label, {120, 660, 1455, 255}, "Drawer Port", "พอร์ด ลิ้นชัก", "FrComset"},
  {"cmbdrawer", K::Combo, {1620, 615, 1800, 315}, "", "", "FrComset"},

  {"frdatabase", K::Frame, {120, 4500, 4935, 735}, "Database Path", "ตำแหน่งของฐานข้อมูล"},
  {"lbldatabase", K::Label, {120, 330, 855, 255}, "Directory", "", "frdatabase"},
  {"txtDatabase", K::Box, {1020, 300, 3315, 300}, "", "", "frdatabase"},
  {"cmdBrowse", K::Button, {4380, 285, 435, 330}, "...", "", "frdatabase"},

  {"FrtextInvoice", K::Frame, {120, 5265, 4935, 1695}, "Text Head Invoice Size A4 - A5", "หัวบิลเล็กขนาด A4-A5"},
  {"txtline1", K::Box, {120, 270, 4695, 300}, "", "", "FrtextInvoice"},
  {"txtline2", K::Box, {120, 615, 4695, 300}, "", "", "FrtextInvoice"},
  {"txtline3", K::Box, {120, 960, 4695, 300}, "", "", "FrtextInvoice"},
  {"txtline4", K::Box, {120, 1305, 4695, 300}, "", "", "FrtextInvoice"},

  {"FramePortPrinter", K::Frame, {5160, 0, 4890, 1035}, "Type Printer", "ชนิดเครื่องพิมพ์"},
  {"OptionType(0)", K::Option, {120, 300, 1500, 285}, "TMU", "", "FramePortPrinter"},
  {"OptionType(1)", K::Option, {1680, 300, 1500, 285}, "LQ", "", "FramePortPrinter"},
  {"OptionType(2)", K::Option, {3240, 300, 1500, 285}, "A4(1)", "", "FramePortPrinter"},
  {"OptionType(3)", K::Option, {120, 660, 1500, 285}, "A4(2)", "", "FramePortPrinter"},
  {"OptionType(4)", K::Option, {1680, 660, 1500, 285}, "A5", "", "FramePortPrinter"},
  {"OptionType(5)", K::Option, {3240, 660, 1500, 285}, "None", "", "FramePortPrinter"},

  {"FrameSizeBill", K::Frame, {5160, 1065, 4890, 660}, "Size Bill", "ขนาดบิล"},
  {"OptionSize(0)", K::Option, {120, 300, 1500, 285}, "7 cm", "", "FrameSizeBill"},
  {"OptionSize(1)", K::Option, {1680, 300, 1500, 285}, "6.5 cm", "", "FrameSizeBill"},
  {"OptionSize(2)", K::Option, {3240, 300, 1500, 285}, "5.5 cm", "", "FrameSizeBill"},

  {"FrLang", K::Frame, {5160, 1755, 1800, 660}, "ภาษา/Language"},
  {"OptLang(0)", K::Option, {120, 300, 720, 285}, "ไทย", "", "FrLang"},
  {"OptLang(1)", K::Option, {840, 300, 900, 285}, "English", "", "FrLang"},
  {"FraBillCon", K::Frame, {7020, 1755, 3030, 660}, "Continue Bill Number", "เลขที่บิลต่อเนื่อง"},
  {"OptBillCon(0)", K::Option, {120, 300, 1200, 285}, "Continue", "", "FraBillCon"},
  {"OptBillCon(1)", K::Option, {1380, 300, 1590, 285}, "Non-Continue", "", "FraBillCon"},

  {"FrPrint", K::Frame, {5160, 2445, 4890, 1035}, "Print", "เกี่ยวกับการพิมพ์"},
  {"lblFont", K::Label, {120, 330, 2400, 255}, "Font Size of Report", "ขนาดอักษรรายงาน", "FrPrint"},
  {"txtFontSize", K::Box, {2580, 300, 900, 300}, "", "", "FrPrint"},
  {"lblFontBill", K::Label, {120, 675, 2400, 255}, "Font Size of Bill", "ขนาดอักษรบิล", "FrPrint"},
  {"txtFntBill", K::Box, {2580, 645, 900, 300}, "", "", "FrPrint"},

  {"frBillPrinter", K::Frame, {5160, 3510, 4890, 705}, "Biil Printer", "เครื่องพิมพ์ใบเสร็จรับเงิน"},
  {"lblBillPrinter", K::Label, {120, 330, 800, 255}, "Printer", "", "frBillPrinter"},
  {"cmbBrowseBillPrinter", K::Combo, {960, 285, 3810, 315}, "", "", "frBillPrinter"},
  {"frReportPrinter", K::Frame, {5160, 4245, 4890, 705}, "Report Printer", "เครื่องพิมพ์รายงาน"},
  {"lblReportPrinter", K::Label, {120, 330, 800, 255}, "Printer", "", "frReportPrinter"},
  {"cmbBrowseReportPrinter", K::Combo, {960, 285, 3810, 315}, "", "", "frReportPrinter"},
  {"FraFont", K::Frame, {5160, 4980, 4890, 705}, "Font Name", "ตัวอักษร"},
  {"lblFontName", K::Label, {120, 330, 800, 255}, "Font", "", "FraFont"},
  {"cmbFont", K::Combo, {960, 285, 3810, 315}, "", "", "FraFont"},

  {"OKButton", K::Button, {7440, 6360, 1215, 420}, "OK", "ตกลง"},
  {"cmbCancel", K::Button, {8760, 6360, 1215, 420}, "Cancel", "ยกเลิก"},
};

// The tab order: the window read top to bottom, left column first.
const QStringList kTabOrder = {
  "txtName", "txtAddress", "txtAddress1", "txtPhone", "txtTaxVal", "txtheadinvoice", "txtTaxID", "txtPOS",
  "txtTotalVat", "cmbdisplay", "cmbdrawer", "txtDatabase", "cmdBrowse", "txtline1", "txtline2", "txtline3",
  "txtline4", "OptionType(0)", "OptionSize(0)", "OptLang(0)", "OptBillCon(0)", "txtFontSize", "txtFntBill",
  "cmbBrowseBillPrinter", "cmbBrowseReportPrinter", "cmbFont", "OKButton", "cmbCancel",
};
// clang-format on

const char* const kTypeTags[] = {"1", "2", "3", "4", "5", "6"};
const char* const kSizeTags[] = {"1", "2", "3"};

QStringList portItems(bool drawer) {
  QStringList items{QStringLiteral("None")};
  for (int i = 1; i <= 15; ++i) items << QStringLiteral("COM%1").arg(i);
  if (drawer) items << QStringLiteral("RJ45");
  return items;
}

}  // namespace

OptionF::OptionF() {
  setWindowTitle(QStringLiteral("Setting"));
  dressForm(this);
  controls_.build(this, kControls);
  for (const plat::ui::Control& c : kControls) {
    QWidget* w = controls_.widget(c.name);
    if (c.kind == K::Frame || c.kind == K::Label || c.kind == K::Option) whiteText(w);
    if (auto* combo = qobject_cast<QComboBox*>(w)) {
      combo->setEditable(true);
      combo->setInsertPolicy(QComboBox::NoInsert);
    }
  }
  txtName = controls_.get<QLineEdit>("txtName");
  txtAddress = controls_.get<QLineEdit>("txtAddress");
  txtAddress1 = controls_.get<QLineEdit>("txtAddress1");
  txtPhone = controls_.get<QLineEdit>("txtPhone");
  txtTaxVal = controls_.get<QLineEdit>("txtTaxVal");
  txtheadinvoice = controls_.get<QLineEdit>("txtheadinvoice");
  txtTaxID = controls_.get<QLineEdit>("txtTaxID");
  txtPOS = controls_.get<QLineEdit>("txtPOS");
  txtTotalVat = controls_.get<QLineEdit>("txtTotalVat");
  txtFontSize = controls_.get<QLineEdit>("txtFontSize");
  txtFntBill = controls_.get<QLineEdit>("txtFntBill");
  txtDatabase = controls_.get<QLineEdit>("txtDatabase");
  txtline1 = controls_.get<QLineEdit>("txtline1");
  txtline2 = controls_.get<QLineEdit>("txtline2");
  txtline3 = controls_.get<QLineEdit>("txtline3");
  txtline4 = controls_.get<QLineEdit>("txtline4");
  cmbdisplay = controls_.get<QComboBox>("cmbdisplay");
  cmbdrawer = controls_.get<QComboBox>("cmbdrawer");
  cmbBrowseBillPrinter = controls_.get<QComboBox>("cmbBrowseBillPrinter");
  cmbBrowseReportPrinter = controls_.get<QComboBox>("cmbBrowseReportPrinter");
  cmbFont = controls_.get<QComboBox>("cmbFont");
  FrComInfo = controls_.get<QGroupBox>("FrComInfo");
  FrComset = controls_.get<QGroupBox>("FrComset");
  FrPrint = controls_.get<QGroupBox>("FrPrint");
  FramePortPrinter = controls_.get<QGroupBox>("FramePortPrinter");
  FrameSizeBill = controls_.get<QGroupBox>("FrameSizeBill");
  FrLang = controls_.get<QGroupBox>("FrLang");
  FraBillCon = controls_.get<QGroupBox>("FraBillCon");
  frdatabase = controls_.get<QGroupBox>("frdatabase");
  frBillPrinter = controls_.get<QGroupBox>("frBillPrinter");
  FraFont = controls_.get<QGroupBox>("FraFont");
  frReportPrinter = controls_.get<QGroupBox>("frReportPrinter");
  FrtextInvoice = controls_.get<QGroupBox>("FrtextInvoice");
  lblFont = controls_.get<QLabel>("lblFont");
  lblFontBill = controls_.get<QLabel>("lblFontBill");
  lblBillPrinter = controls_.get<QLabel>("lblBillPrinter");
  lblFontName = controls_.get<QLabel>("lblFontName");
  cmdBrowse = controls_.get<QPushButton>("cmdBrowse");
  OKButton = controls_.get<QPushButton>("OKButton");
  cmbCancel = controls_.get<QPushButton>("cmbCancel");
  // By design: hidden boxes carry the port values the form was loaded with, and OK stores them.
  txtDisplay = new QLineEdit(this);
  txtDrawer = new QLineEdit(this);
  txtDisplay->hide();
  txtDrawer->hide();

  // Each group of option buttons is exclusive on its own; a button checked by a click, by the
  // arrow keys or by the load runs its click procedure.
  auto group = [this](const char* array, QRadioButton** buttons, int n, void (OptionF::*click)(int)) {
    auto* g = new QButtonGroup(this);
    for (int i = 0; i < n; ++i) {
      buttons[i] = controls_.get<QRadioButton>(QStringLiteral("%1(%2)").arg(QLatin1String(array)).arg(i));
      g->addButton(buttons[i], i);
    }
    connect(g, &QButtonGroup::idToggled, this, [this, click](int id, bool on) {
      if (on) (this->*click)(id);
    });
  };
  group("OptionType", OptionType, 6, &OptionF::OptionType_Click);
  group("OptionSize", OptionSize, 3, &OptionF::OptionSize_Click);
  group("OptLang", OptLang, 2, &OptionF::OptLang_Click);
  group("OptBillCon", OptBillCon, 2, &OptionF::OptBillCon_Click);

  cmbdisplay->addItems(portItems(false));
  cmbdrawer->addItems(portItems(true));
  for (QLineEdit* box : {txtTaxVal, txtFontSize, txtFntBill}) box->installEventFilter(this);
  // A paste that is no number of the box's kind is refused whole, never left as its digits.
  plat::filterChars(txtTaxVal, options::kVatKeys, plat::TextShape::Number);
  plat::filterChars(txtFontSize, options::kWholeKeys, plat::TextShape::Number);
  plat::filterChars(txtFntBill, options::kWholeKeys, plat::TextShape::Number);

  controls_.setTabOrder(kTabOrder);
  OKButton->setDefault(true);
  connect(OKButton, &QPushButton::clicked, this, &OptionF::OKButton_Click);
  connect(cmbCancel, &QPushButton::clicked, this, &OptionF::cmbCancel_Click);
  connect(cmdBrowse, &QPushButton::clicked, this, &OptionF::cmdBrowse_Click);
}

void OptionF::Form_Load() {
  const ShopSettings& s = settings();
  // 10290 by 7500 twips with its caption bar and borders when restored; it opens maximized.
  resize(plat::twipsToPx(10170), plat::twipsToPx(7080));
  txtName->setText(s.ComName.toText());
  txtAddress->setText(s.ComAddress);
  txtAddress1->setText(s.ComAddress1);
  txtheadinvoice->setText(s.HeadInvoice);
  txtPhone->setText(s.ComPhone);
  txtTaxID->setText(s.ComTaxID.toText());
  txtPOS->setText(s.PosText);
  txtTotalVat->setText(s.TotalVatText);
  txtTaxVal->setText(plat::plainNumber(s.VatRate));
  txtFontSize->setText(s.ReportFontSize.toText());
  txtDatabase->setText(s.DbPath.toText());
  txtline1->setText(s.InvLine1.toText());
  txtline2->setText(s.InvLine2.toText());
  txtline3->setText(s.InvLine3.toText());
  txtline4->setText(s.InvLine4);

  // The lists first: an editable combo box takes its first item as its text when filled.
  const QStringList printers = plat::printers().installed();
  for (QComboBox* c : {cmbBrowseBillPrinter, cmbBrowseReportPrinter}) {
    c->addItem(QStringLiteral("None"));
    c->addItems(printers);
  }
  cmbFont->addItems(QFontDatabase::families());
  cmbBrowseBillPrinter->setEditText(s.BillPrinter.toText());
  cmbBrowseReportPrinter->setEditText(s.ReportPrinter);
  cmbFont->setEditText(s.FontName);

  OptLang[s.LangThai ? 0 : 1]->setChecked(true);
  OptionSize[options::sizeIndexFor(s.SlipWidth)]->setChecked(true);
  OptionType[options::typeIndexFor(s.PrintType)]->setChecked(true);

  txtFntBill->setText(QString::number(s.BillFontSize));
  txtDisplay->setText(s.DisplayPort.toText());
  txtDrawer->setText(s.DrawerPort.toText());
  cmbdisplay->setEditText(options::portText(s.DisplayPort, false));
  cmbdrawer->setEditText(options::portText(s.DrawerPort, true));
  OptBillCon[s.BillNoContinue ? 0 : 1]->setChecked(true);
  if (s.LangThai) setWindowTitle(QStringLiteral("การตั้งค่า"));
  controls_.setLanguage(lang());

  loadedVat_ = txtTaxVal->text();
  loadedFontSize_ = txtFontSize->text();
  loadedFntBill_ = txtFntBill->text();
  loadedDatabase_ = txtDatabase->text();
}

void OptionF::Form_Unload() {
  // The chooser is this window's own dialog: it goes with it, and its unload reopens the connection.
  plat::FormRegistry::instance().unload(QStringLiteral("BrowseData"));
}

void OptionF::OptionType_Click(int index) {
  settings().PrintType = static_cast<qint16>(QString::fromLatin1(kTypeTags[index]).toInt());
  const options::TypeGroups g = options::groupsFor(settings().PrintType);
  FrameSizeBill->setEnabled(g.size);
  for (QRadioButton* b : OptionSize) b->setEnabled(g.size);
  for (QWidget* w :
       std::initializer_list<QWidget*>{FrPrint, txtFontSize, txtFntBill, lblFont, lblFontBill, frBillPrinter,
                                       cmbBrowseBillPrinter, lblBillPrinter, FraFont, lblFontName, cmbFont})
    w->setEnabled(g.print);
  FrtextInvoice->setEnabled(g.head);
  for (QLineEdit* w : {txtline1, txtline2, txtline3, txtline4}) w->setEnabled(g.head);
  if (g.billPrinterNone) cmbBrowseBillPrinter->setEditText(QStringLiteral("None"));
}

void OptionF::OptionSize_Click(int index) {
  settings().SlipWidth = static_cast<qint16>(QString::fromLatin1(kSizeTags[index]).toInt());
}

void OptionF::OptLang_Click(int index) { settings().LangThai = index == 0; }

void OptionF::OptBillCon_Click(int index) { settings().BillNoContinue = index == 0; }

void OptionF::txtTaxVal_KeyPress(int& keyAscii) {
  if (!plat::keyPasses(keyAscii, options::kVatKeys)) keyAscii = 0;
}
void OptionF::txtFontSize_KeyPress(int& keyAscii) {
  if (!plat::keyPasses(keyAscii, options::kWholeKeys)) keyAscii = 0;
}
void OptionF::txtFntBill_KeyPress(int& keyAscii) {
  if (!plat::keyPasses(keyAscii, options::kWholeKeys)) keyAscii = 0;
}

bool OptionF::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    int key = plat::keyAsciiOf(static_cast<QKeyEvent*>(event));
    if (key > 0) {
      if (watched == txtTaxVal)
        txtTaxVal_KeyPress(key);
      else if (watched == txtFontSize)
        txtFontSize_KeyPress(key);
      else if (watched == txtFntBill)
        txtFntBill_KeyPress(key);
      if (key == 0) return true;
    }
  }
  return plat::Form::eventFilter(watched, event);
}

void OptionF::refuse(QLineEdit* box, const QString& thaiText, const QString& englishText) {
  plat::dialogs().message(L(thaiText, englishText), {}, plat::Icon::Warning);
  box->setFocus();
  box->selectAll();
}

bool OptionF::checkBoxes() {
  const QString vat = txtTaxVal->text();
  if (!vat.isEmpty() && vat != loadedVat_) {
    const std::optional<double> rate = options::vatRate(vat);
    if (!rate) {
      refuse(txtTaxVal, QStringLiteral("ภาษี: โปรดพิมพ์ตัวเลขตั้งแต่ 0 ขึ้นไป"),
             QStringLiteral("Tax Value (%): please type a number of 0 or more."));
      return false;
    }
    // A barcode scanned into the box is a number too: it must never become the shop's rate.
    if (plat::aboveCeiling(*rate, plat::Ceiling::VatRate)) {
      // The message is already in the user's language.
      const QString m =
          overCeilingMessage(QStringLiteral("ภาษี"), QStringLiteral("Tax Value (%)"), plat::Ceiling::VatRate);
      refuse(txtTaxVal, m, m);
      return false;
    }
  }
  const struct {
    QLineEdit* box;
    QString loaded;
    const char* thai;
    const char* english;
  } sizes[] = {{txtFontSize, loadedFontSize_, "ขนาดอักษรรายงาน", "Font Size of Report"},
               {txtFntBill, loadedFntBill_, "ขนาดอักษรบิล", "Font Size of Bill"}};
  for (const auto& f : sizes) {
    const QString t = f.box->text();
    if (!t.isEmpty() && t != f.loaded && !options::fontSize(t)) {
      refuse(f.box, QString::fromUtf8(f.thai) + QStringLiteral(": โปรดพิมพ์จำนวนเต็มตั้งแต่ 1 ถึง 72"),
             QString::fromUtf8(f.english) + QStringLiteral(": please type a whole number from 1 to 72."));
      return false;
    }
  }
  const QString db = txtDatabase->text();
  if (db != loadedDatabase_) {
    // The next start reads the path back from the settings file: it must come back as typed.
    if (const std::optional<QChar> c = unkeptDbPathChar(db)) {
      refuse(
          txtDatabase,
          QStringLiteral("ตำแหน่งของฐานข้อมูล: แฟ้มตั้งค่าเก็บอักขระ \"%1\" ไม่ได้ โปรดเลือกตำแหน่งที่ไม่มีอักขระนี้").arg(*c),
          QStringLiteral("Database Path: the settings file cannot keep the character \"%1\". Please choose a "
                         "path without it.")
              .arg(*c));
      return false;
    }
    if (data::tooLongForDatabase(db)) {
      refuse(txtDatabase,
             QStringLiteral("ตำแหน่งของฐานข้อมูล: ชื่อตำแหน่งยาวเกินกว่าที่ฐานข้อมูลจะเปิดได้ โปรดเลือกตำแหน่งที่สั้นกว่านี้"),
             QStringLiteral("Database Path: the path is too long for the database to be opened there. Please "
                            "choose a shorter path."));
      return false;
    }
    // A database of this program must open there at the next start.
    if (const std::optional<QString> why = options::databasePathFault(db, lang())) {
      const QString stop = why->endsWith(QLatin1Char('.')) ? QString() : QStringLiteral(".");
      refuse(txtDatabase,
             QStringLiteral("ตำแหน่งของฐานข้อมูล: ") + *why + QStringLiteral(" โปรดเลือกฐานข้อมูลของโปรแกรมนี้"),
             QStringLiteral("Database Path: ") + *why + stop +
                 QStringLiteral(" Please choose a database of this program."));
      return false;
    }
  }
  return true;
}

void OptionF::OKButton_Click() {
  if (!checkBoxes()) return;
  ShopSettings& s = settings();
  // A value field takes the box's text only when it differs from what the field showed, so a
  // field left as loaded keeps its kind (and the file its form).
  auto store = [](SettingValue& field, const QString& text) {
    if (field.toText() != text || field.isNothing() != text.isEmpty()) field = SettingValue::ofText(text);
  };
  store(s.ComName, txtName->text());
  s.ComAddress = txtAddress->text();
  s.ComAddress1 = txtAddress1->text();
  s.ComPhone = txtPhone->text();
  store(s.ComTaxID, txtTaxID->text());
  s.HeadInvoice = txtheadinvoice->text();
  s.PosText = txtPOS->text();
  s.TotalVatText = txtTotalVat->text();
  store(s.InvLine1, txtline1->text());
  store(s.InvLine2, txtline2->text());
  store(s.InvLine3, txtline3->text());
  s.InvLine4 = txtline4->text();
  if (txtTaxVal->text().isEmpty())
    txtTaxVal->setText(QStringLiteral("0"));
  else if (txtTaxVal->text() != loadedVat_)
    s.VatRate = *options::vatRate(txtTaxVal->text());
  if (cmbFont->currentText().isEmpty()) cmbFont->setEditText(s.FontName);
  if (!txtFontSize->text().isEmpty()) store(s.ReportFontSize, txtFontSize->text());
  if (!txtFntBill->text().isEmpty() && txtFntBill->text() != loadedFntBill_)
    s.BillFontSize = static_cast<qint16>(*options::fontSize(txtFntBill->text()));
  store(s.DbPath, txtDatabase->text());
  // A port text that is no list item keeps the loaded value, held as text from here on.
  s.DisplayPort = SettingValue::ofText(txtDisplay->text());
  s.DrawerPort = SettingValue::ofText(txtDrawer->text());
  s.FontName = cmbFont->currentText();
  store(s.BillPrinter, cmbBrowseBillPrinter->currentText());
  s.ReportPrinter = cmbBrowseReportPrinter->currentText();
  if (auto v = options::portValue(cmbdisplay->currentText(), false)) s.DisplayPort = *v;
  if (auto v = options::portValue(cmbdrawer->currentText(), true)) s.DrawerPort = *v;

  if (plat::dialogs().askYesNo(QStringLiteral("To use this setting you must restart your program"))) {
    if (MHarvelmoquin* main = MHarvelmoquin::current()) {
      main->unload();
      return;
    }
  }
  unload();
}

void OptionF::cmdBrowse_Click() {
  auto& reg = plat::FormRegistry::instance();
  plat::Form* chooser = reg.loaded(QStringLiteral("BrowseData"));
  if (!chooser) {
    chooser = reg.form(QStringLiteral("BrowseData"));
    if (!chooser) return;
    // Owned by this window, so that activating it does not count as leaving this window.
    chooser->setParent(this, Qt::Window);
  }
  reg.show(QStringLiteral("BrowseData"));
}

}  // namespace shell
