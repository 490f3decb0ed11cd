#include "shell/option_form.h"

#include <QFontDatabase>
#include <QKeyEvent>
#include <QValidator>

#include "data/db.h"
#include "platform/dialogs.h"
#include "platform/keys.h"
#include "platform/numtext.h"
#include "platform/print_surface_qt.h"
#include "shell/file_chooser.h"
#include "shell/form_style.h"
#include "shell/lang.h"
#include "shell/mainwindow.h"
#include "shell/options.h"
#include "shell/settings.h"

namespace shell {

namespace {

enum class Kind { Frame, Label, Text, Combo, Option, Button };

// One control of the window: its kind, the frame it sits in, its place in twips inside that frame
// (or the window), and its English and Thai captions (no Thai caption: the English one stays).
struct Ctl {
  const char* name;
  Kind kind;
  const char* frame;
  int left, top, width, height;
  const char* english;
  const char* thai;
};

// clang-format off
const Ctl kControls[] = {
  {"FrComInfo", Kind::Frame, nullptr, 120, 0, 4935, 3390, "Company Infomation", "ข้อมูลบริษัท"},
  {"lblComName", Kind::Label, "FrComInfo", 120, 270, 1455, 255, "Company Name", "ชื่อบริษัท"},
  {"txtName", Kind::Text, "FrComInfo", 1620, 240, 3195, 300, "", ""},
  {"lblAddress", Kind::Label, "FrComInfo", 120, 615, 1455, 255, "Address", "ที่อยู่บริษัท"},
  {"txtAddress", Kind::Text, "FrComInfo", 1620, 585, 3195, 300, "", ""},
  {"txtAddress1", Kind::Text, "FrComInfo", 1620, 930, 3195, 300, "", ""},
  {"lblPhone", Kind::Label, "FrComInfo", 120, 1305, 1455, 255, "Phone", "โทรศัพท์"},
  {"txtPhone", Kind::Text, "FrComInfo", 1620, 1275, 3195, 300, "", ""},
  {"lblTaxVal", Kind::Label, "FrComInfo", 120, 1650, 1455, 255, "Tax Value (%)", "ภาษี"},
  {"txtTaxVal", Kind::Text, "FrComInfo", 1620, 1620, 1035, 300, "", ""},
  {"lblHeadInvoice", Kind::Label, "FrComInfo", 120, 1995, 1455, 255, "Text Head Invoice", "ข้อความหัวบิลเล็ก"},
  {"txtheadinvoice", Kind::Text, "FrComInfo", 1620, 1965, 3195, 300, "", ""},
  {"txtTaxID", Kind::Text, "FrComInfo", 1620, 2310, 3195, 300, "", ""},
  {"txtPOS", Kind::Text, "FrComInfo", 1620, 2655, 3195, 300, "", ""},
  {"txtTotalVat", Kind::Text, "FrComInfo", 1620, 3000, 3195, 300, "", ""},

  {"FrComset", Kind::Frame, nullptr, 120, 3420, 4935, 1050, "", "ตั้งค่าพอร์ด"},
  {"lblDisplay", Kind::Label, "FrComset", 120, 300, 1455, 255, "Display Port", "พอร์ด หน้าจอ"},
  {"cmbdisplay", Kind::Combo, "FrComset", 1620, 255, 1800, 315, "", ""},
  {"lblDrawer", Kind::Label, "FrComset", 120, 660, 1455, 255, "Drawer Port", "พอร์ด ลิ้นชัก"},
  {"cmbdrawer", Kind::Combo, "FrComset", 1620, 615, 1800, 315, "", ""},

  {"frdatabase", Kind::Frame, nullptr, 120, 4500, 4935, 735, "Database Path", "ตำแหน่งของฐานข้อมูล"},
  {"lbldatabase", Kind::Label, "frdatabase", 120, 330, 855, 255, "Directory", ""},
  {"txtDatabase", Kind::Text, "frdatabase", 1020, 300, 3315, 300, "", ""},
  {"cmdBrowse", Kind::Button, "frdatabase", 4380, 285, 435, 330, "...", ""},

  {"FrtextInvoice", Kind::Frame, nullptr, 120, 5265, 4935, 1695, "Text Head Invoice Size A4 - A5", "หัวบิลเล็กขนาด A4-A5"},
  {"txtline1", Kind::Text, "FrtextInvoice", 120, 270, 4695, 300, "", ""},
  {"txtline2", Kind::Text, "FrtextInvoice", 120, 615, 4695, 300, "", ""},
  {"txtline3", Kind::Text, "FrtextInvoice", 120, 960, 4695, 300, "", ""},
  {"txtline4", Kind::Text, "FrtextInvoice", 120, 1305, 4695, 300, "", ""},

  {"FramePortPrinter", Kind::Frame, nullptr, 5160, 0, 4890, 1035, "Type Printer", "ชนิดเครื่องพิมพ์"},
  {"OptionType(0)", Kind::Option, "FramePortPrinter", 120, 300, 1500, 285, "TMU", ""},
  {"OptionType(1)", Kind::Option, "FramePortPrinter", 1680, 300, 1500, 285, "LQ", ""},
  {"OptionType(2)", Kind::Option, "FramePortPrinter", 3240, 300, 1500, 285, "A4(1)", ""},
  {"OptionType(3)", Kind::Option, "FramePortPrinter", 120, 660, 1500, 285, "A4(2)", ""},
  {"OptionType(4)", Kind::Option, "FramePortPrinter", 1680, 660, 1500, 285, "A5", ""},
  {"OptionType(5)", Kind::Option, "FramePortPrinter", 3240, 660, 1500, 285, "None", ""},

  {"FrameSizeBill", Kind::Frame, nullptr, 5160, 1065, 4890, 660, "Size Bill", "ขนาดบิล"},
  {"OptionSize(0)", Kind::Option, "FrameSizeBill", 120, 300, 1500, 285, "7 cm", ""},
  {"OptionSize(1)", Kind::Option, "FrameSizeBill", 1680, 300, 1500, 285, "6.5 cm", ""},
  {"OptionSize(2)", Kind::Option, "FrameSizeBill", 3240, 300, 1500, 285, "5.5 cm", ""},

  {"FrLang", Kind::Frame, nullptr, 5160, 1755, 1800, 660, "ภาษา/Language", ""},
  {"OptLang(0)", Kind::Option, "FrLang", 120, 300, 720, 285, "ไทย", ""},
  {"OptLang(1)", Kind::Option, "FrLang", 840, 300, 900, 285, "English", ""},
  {"FraBillCon", Kind::Frame, nullptr, 7020, 1755, 3030, 660, "Continue Bill Number", "เลขที่บิลต่อเนื่อง"},
  {"OptBillCon(0)", Kind::Option, "FraBillCon", 120, 300, 1200, 285, "Continue", ""},
  {"OptBillCon(1)", Kind::Option, "FraBillCon", 1380, 300, 1590, 285, "Non-Continue", ""},

  {"FrPrint", Kind::Frame, nullptr, 5160, 2445, 4890, 1035, "Print", "เกี่ยวกับการพิมพ์"},
  {"lblFont", Kind::Label, "FrPrint", 120, 330, 2400, 255, "Font Size of Report", "ขนาดอักษรรายงาน"},
  {"txtFontSize", Kind::Text, "FrPrint", 2580, 300, 900, 300, "", ""},
  {"lblFontBill", Kind::Label, "FrPrint", 120, 675, 2400, 255, "Font Size of Bill", "ขนาดอักษรบิล"},
  {"txtFntBill", Kind::Text, "FrPrint", 2580, 645, 900, 300, "", ""},

  {"frBillPrinter", Kind::Frame, nullptr, 5160, 3510, 4890, 705, "Biil Printer", "เครื่องพิมพ์ใบเสร็จรับเงิน"},
  {"lblBillPrinter", Kind::Label, "frBillPrinter", 120, 330, 800, 255, "Printer", ""},
  {"cmbBrowseBillPrinter", Kind::Combo, "frBillPrinter", 960, 285, 3810, 315, "", ""},
  {"frReportPrinter", Kind::Frame, nullptr, 5160, 4245, 4890, 705, "Report Printer", "เครื่องพิมพ์รายงาน"},
  {"lblReportPrinter", Kind::Label, "frReportPrinter", 120, 330, 800, 255, "Printer", ""},
  {"cmbBrowseReportPrinter", Kind::Combo, "frReportPrinter", 960, 285, 3810, 315, "", ""},
  {"FraFont", Kind::Frame, nullptr, 5160, 4980, 4890, 705, "Font Name", "ตัวอักษร"},
  {"lblFontName", Kind::Label, "FraFont", 120, 330, 800, 255, "Font", ""},
  {"cmbFont", Kind::Combo, "FraFont", 960, 285, 3810, 315, "", ""},

  {"OKButton", Kind::Button, nullptr, 7440, 6360, 1215, 420, "OK", "ตกลง"},
  {"cmbCancel", Kind::Button, nullptr, 8760, 6360, 1215, 420, "Cancel", "ยกเลิก"},
};

// The tab order: the window read top to bottom, left column first.
const char* const kTabOrder[] = {
  "txtName", "txtAddress", "txtAddress1", "txtPhone", "txtTaxVal", "txtheadinvoice", "txtTaxID", "txtPOS",
  "txtTotalVat", "cmbdisplay", "cmbdrawer", "txtDatabase", "cmdBrowse", "txtline1", "txtline2", "txtline3",
  "txtline4", "OptionType(0)", "OptionSize(0)", "OptLang(0)", "OptBillCon(0)", "txtFontSize", "txtFntBill",
  "cmbBrowseBillPrinter", "cmbBrowseReportPrinter", "cmbFont", "OKButton", "cmbCancel",
};
// clang-format on

const char* const kTypeTags[] = {"1", "2", "3", "4", "5", "6"};
const char* const kSizeTags[] = {"1", "2", "3"};

// Filters what reaches a number box by paste or drop as if each character had been typed.
class KeysOnly : public QValidator {
 public:
  KeysOnly(const QString& allowed, QObject* parent) : QValidator(parent), allowed_(allowed) {}
  State validate(QString& input, int& pos) const override {
    const QString kept = options::filterText(input, allowed_);
    if (kept != input) {
      pos = std::min<int>(static_cast<int>(kept.size()), pos);
      input = kept;
    }
    return Acceptable;
  }

 private:
  QString allowed_;
};

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
  for (const Ctl& c : kControls) {
    QWidget* parent = c.frame ? controls_.value(QLatin1String(c.frame)) : this;
    const QString text = QString::fromUtf8(c.english);
    QWidget* w = nullptr;
    switch (c.kind) {
      case Kind::Frame:
        w = new QGroupBox(text, parent);
        whiteText(w);
        break;
      case Kind::Label:
        w = new QLabel(text, parent);
        whiteText(w);
        break;
      case Kind::Text:
        w = new QLineEdit(parent);
        break;
      case Kind::Combo: {
        auto* combo = new QComboBox(parent);
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        w = combo;
        break;
      }
      case Kind::Option:
        w = new QRadioButton(text, parent);
        whiteText(w);
        break;
      case Kind::Button:
        w = new QPushButton(text, parent);
        break;
    }
    w->setObjectName(QLatin1String(c.name));
    w->setGeometry(twipsRect(c.left, c.top, c.width, c.height));
    controls_.insert(QLatin1String(c.name), w);
  }
  txtName = get<QLineEdit>("txtName");
  txtAddress = get<QLineEdit>("txtAddress");
  txtAddress1 = get<QLineEdit>("txtAddress1");
  txtPhone = get<QLineEdit>("txtPhone");
  txtTaxVal = get<QLineEdit>("txtTaxVal");
  txtheadinvoice = get<QLineEdit>("txtheadinvoice");
  txtTaxID = get<QLineEdit>("txtTaxID");
  txtPOS = get<QLineEdit>("txtPOS");
  txtTotalVat = get<QLineEdit>("txtTotalVat");
  txtFontSize = get<QLineEdit>("txtFontSize");
  txtFntBill = get<QLineEdit>("txtFntBill");
  txtDatabase = get<QLineEdit>("txtDatabase");
  txtline1 = get<QLineEdit>("txtline1");
  txtline2 = get<QLineEdit>("txtline2");
  txtline3 = get<QLineEdit>("txtline3");
  txtline4 = get<QLineEdit>("txtline4");
  cmbdisplay = get<QComboBox>("cmbdisplay");
  cmbdrawer = get<QComboBox>("cmbdrawer");
  cmbBrowseBillPrinter = get<QComboBox>("cmbBrowseBillPrinter");
  cmbBrowseReportPrinter = get<QComboBox>("cmbBrowseReportPrinter");
  cmbFont = get<QComboBox>("cmbFont");
  FrComInfo = get<QGroupBox>("FrComInfo");
  FrComset = get<QGroupBox>("FrComset");
  FrPrint = get<QGroupBox>("FrPrint");
  FramePortPrinter = get<QGroupBox>("FramePortPrinter");
  FrameSizeBill = get<QGroupBox>("FrameSizeBill");
  FrLang = get<QGroupBox>("FrLang");
  FraBillCon = get<QGroupBox>("FraBillCon");
  frdatabase = get<QGroupBox>("frdatabase");
  frBillPrinter = get<QGroupBox>("frBillPrinter");
  FraFont = get<QGroupBox>("FraFont");
  frReportPrinter = get<QGroupBox>("frReportPrinter");
  FrtextInvoice = get<QGroupBox>("FrtextInvoice");
  lblFont = get<QLabel>("lblFont");
  lblFontBill = get<QLabel>("lblFontBill");
  lblBillPrinter = get<QLabel>("lblBillPrinter");
  lblFontName = get<QLabel>("lblFontName");
  cmdBrowse = get<QPushButton>("cmdBrowse");
  OKButton = get<QPushButton>("OKButton");
  cmbCancel = get<QPushButton>("cmbCancel");
  // The hidden boxes that carry the port values the form was loaded with.
  txtDisplay = new QLineEdit(this);
  txtDrawer = new QLineEdit(this);
  txtDisplay->hide();
  txtDrawer->hide();

  // Each group of option buttons is exclusive on its own; a button checked by a click, by the
  // arrow keys or by the load runs its click procedure.
  auto group = [this](const char* array, QRadioButton** buttons, int n, void (OptionF::*click)(int)) {
    auto* g = new QButtonGroup(this);
    for (int i = 0; i < n; ++i) {
      buttons[i] =
          get<QRadioButton>(QStringLiteral("%1(%2)").arg(QLatin1String(array)).arg(i).toLatin1().constData());
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
  txtTaxVal->setValidator(new KeysOnly(options::kVatKeys, txtTaxVal));
  txtFontSize->setValidator(new KeysOnly(options::kWholeKeys, txtFontSize));
  txtFntBill->setValidator(new KeysOnly(options::kWholeKeys, txtFntBill));

  QWidget* previous = nullptr;
  for (const char* name : kTabOrder) {
    QWidget* w = controls_.value(QLatin1String(name));
    if (previous) setTabOrder(previous, w);
    previous = w;
  }
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
  if (s.LangThai) setThaiCaptions();

  loadedVat_ = txtTaxVal->text();
  loadedFontSize_ = txtFontSize->text();
  loadedFntBill_ = txtFntBill->text();
  loadedDatabase_ = txtDatabase->text();
}

void OptionF::setThaiCaptions() {
  setWindowTitle(QStringLiteral("การตั้งค่า"));
  for (const Ctl& c : kControls) {
    if (!*c.thai) continue;
    QWidget* w = controls_.value(QLatin1String(c.name));
    const QString t = QString::fromUtf8(c.thai);
    if (auto* g = qobject_cast<QGroupBox*>(w))
      g->setTitle(t);
    else if (auto* l = qobject_cast<QLabel*>(w))
      l->setText(t);
    else if (auto* b = qobject_cast<QAbstractButton*>(w))
      b->setText(t);
  }
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
  keyAscii = options::filterKey(keyAscii, options::kVatKeys);
}
void OptionF::txtFontSize_KeyPress(int& keyAscii) {
  keyAscii = options::filterKey(keyAscii, options::kWholeKeys);
}
void OptionF::txtFntBill_KeyPress(int& keyAscii) {
  keyAscii = options::filterKey(keyAscii, options::kWholeKeys);
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
  if (!vat.isEmpty() && vat != loadedVat_ && !options::vatRate(vat)) {
    refuse(txtTaxVal, QStringLiteral("ภาษี: โปรดพิมพ์ตัวเลขตั้งแต่ 0 ขึ้นไป"),
           QStringLiteral("Tax Value (%): please type a number of 0 or more."));
    return false;
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
    // The test the program's own start makes: a database of this program must open there.
    data::Db probe;
    QString error;
    if (!probe.tryOpen(db, &error)) {
      refuse(txtDatabase,
             QStringLiteral("ตำแหน่งของฐานข้อมูล: ") + error + QStringLiteral(" โปรดเลือกฐานข้อมูลของโปรแกรมนี้"),
             QStringLiteral("Database Path: ") + error +
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
