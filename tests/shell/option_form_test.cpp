// The options window and the database chooser it opens.
#include "shell/option_form.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>

#include "data/db.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/print_surface_qt.h"
#include "shell/file_chooser.h"
#include "shell/mainwindow.h"
#include "shell/options.h"
#include "shell/register.h"
#include "shell/settings.h"
#include "shell_helpers.h"
#include "support/recording_print.h"
#include "support/scripted_dialogs.h"
#include "support/testenv.h"

using data::Conn;
using shell::SettingValue;
using shelltest::readFile;
using shelltest::writeFile;
namespace opt = shell::options;

namespace {

class OptionFTest : public shelltest::InstalledTest {
 protected:
  shell::OptionF* open() {
    auto* f = qobject_cast<shell::OptionF*>(plat::FormRegistry::instance().show("OptionF"));
    EXPECT_NE(f, nullptr);
    return f;
  }
  bool isOpen() const { return plat::FormRegistry::instance().loaded("OptionF") != nullptr; }
  static QStringList items(QComboBox* c) {
    QStringList out;
    for (int i = 0; i < c->count(); ++i) out << c->itemText(i);
    return out;
  }

  plat::ScriptedDialogs dialogs;
  plat::FakePrinters printers{{"Counter", "Office"}};
};

TEST_F(OptionFTest, OkOnAnUneditedFormWritesTheSameFileAndEndsTheProgram) {
  const QByteArray before = readFile(shell::settingsPath());
  const shell::ShopSettings loaded = shell::settings();
  shell::OptionF* f = open();
  ASSERT_TRUE(f);
  EXPECT_EQ(f->txtName->text(), "Shop Name");
  EXPECT_EQ(f->txtTaxVal->text(), "7");
  EXPECT_EQ(f->cmbdisplay->currentText(), "None");
  EXPECT_EQ(f->cmbBrowseBillPrinter->currentText(), "None");
  EXPECT_TRUE(f->OptionType[0]->isChecked());
  EXPECT_TRUE(f->OptLang[1]->isChecked());

  dialogs.answerYes(false);  // No: the form goes, the program runs on with the values
  f->OKButton_Click();
  EXPECT_EQ(dialogs.texts(), QStringList{"To use this setting you must restart your program"});
  EXPECT_FALSE(isOpen());
  EXPECT_TRUE(shell::settings() == loaded);

  shell::MHarvelmoquin main;
  QSignalSpy ended(&main, &shell::MHarvelmoquin::unloaded);
  f = open();
  dialogs.answerYes(true);
  f->OKButton_Click();
  EXPECT_EQ(ended.count(), 1);
  EXPECT_EQ(readFile(shell::settingsPath()), before);
}

TEST_F(OptionFTest, PortsShowAndStoreTheirValues) {
  const struct {
    SettingValue loaded;
    bool drawer;
    QString shown;
    QString typed;  // "" keeps the shown text
    SettingValue stored;
  } cases[] = {
      {SettingValue::ofNumber(3), false, "COM3", "", SettingValue::ofNumber(3)},
      {SettingValue::ofNumber(3), false, "COM3", "None", SettingValue::ofNumber(0)},
      {SettingValue::ofNumber(3), false, "COM3", "COM3X", SettingValue::ofText("3")},
      {SettingValue::ofNumber(0), true, "None", "COM15", SettingValue::ofNumber(15)},
      {SettingValue::ofText("RJ45"), true, "RJ45", "", SettingValue::ofText("RJ45")},
      {SettingValue::ofNumber(2), true, "COM2", "RJ45", SettingValue::ofText("RJ45")},
      {SettingValue::ofNumber(16), false, "", "", SettingValue::ofText("16")},
      {SettingValue::ofText("RJ45"), false, "", "RJ45", SettingValue::ofText("RJ45")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed.toStdString() + " on " + c.loaded.toText().toStdString());
    (c.drawer ? shell::settings().DrawerPort : shell::settings().DisplayPort) = c.loaded;
    shell::OptionF* f = open();
    QComboBox* box = c.drawer ? f->cmbdrawer : f->cmbdisplay;
    EXPECT_EQ(box->currentText(), c.shown);
    if (!c.typed.isEmpty()) box->setEditText(c.typed);
    dialogs.answerYes(false);
    f->OKButton_Click();
    EXPECT_EQ(c.drawer ? shell::settings().DrawerPort : shell::settings().DisplayPort, c.stored);
  }
}

TEST_F(OptionFTest, PrintTypeEnablesItsGroupsAndIsStoredAtOnce) {
  const struct {
    int index;
    bool size, print, head;
  } cases[] = {{0, true, true, false}, {1, false, false, false}, {2, false, true, true},
               {3, false, true, true}, {4, false, true, true},   {5, false, false, false}};
  shell::settings().BillPrinter = SettingValue::ofText("Counter");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.index + 1);
    shell::OptionF* f = open();
    EXPECT_EQ(f->cmbBrowseBillPrinter->currentText(), "Counter");
    f->OptionType[c.index]->click();
    EXPECT_EQ(shell::settings().PrintType, c.index + 1);
    EXPECT_EQ(f->FrameSizeBill->isEnabled(), c.size);
    EXPECT_EQ(f->OptionSize[2]->isEnabled(), c.size);
    for (QWidget* w : std::initializer_list<QWidget*>{f->FrPrint, f->txtFntBill, f->cmbBrowseBillPrinter,
                                                      f->cmbFont, f->lblFontName})
      EXPECT_EQ(w->isEnabled(), c.print) << w->objectName().toStdString();
    EXPECT_EQ(f->txtline4->isEnabled(), c.head);
    EXPECT_EQ(f->cmbBrowseBillPrinter->currentText(), c.print ? "Counter" : "None");
    f->cmbCancel_Click();  // the click stays stored after Cancel
    EXPECT_EQ(shell::settings().PrintType, c.index + 1);
    shell::settings().PrintType = 1;
  }
  // "LQ" then OK stores "None" as the bill printer.
  shell::OptionF* f = open();
  f->OptionType[1]->click();
  dialogs.answerYes(false);
  f->OKButton_Click();
  EXPECT_EQ(shell::settings().BillPrinter, SettingValue::ofText("None"));
}

TEST_F(OptionFTest, LoadNormalisesOutOfRangeValuesAndClicksSurviveCancel) {
  shell::ShopSettings& s = shell::settings();
  s.PrintType = 7;
  s.SlipWidth = 0;
  s.LangThai = true;
  shell::OptionF* f = open();
  EXPECT_EQ(s.PrintType, 6);
  EXPECT_EQ(s.SlipWidth, 3);
  EXPECT_TRUE(f->OptionSize[2]->isChecked());
  EXPECT_EQ(f->windowTitle(), "การตั้งค่า");
  EXPECT_EQ(f->FrComInfo->title(), "ข้อมูลบริษัท");
  EXPECT_EQ(f->OKButton->text(), "ตกลง");
  f->OptLang[1]->click();
  f->OptBillCon[0]->click();
  f->txtName->setText("dropped by Cancel");
  f->cmbCancel_Click();
  EXPECT_FALSE(s.LangThai);
  EXPECT_TRUE(s.BillNoContinue);
  EXPECT_EQ(s.ComName.toText(), "Shop Name");
}

TEST_F(OptionFTest, BadInputIsRefusedNamingTheBoxAndNothingIsStored) {
  const QString textFile = testenv::tempDir() + "/notes.db";
  writeFile(textFile, "not a database");
  // Sound databases at paths the settings file would store changed.
  const QString quoted = testenv::tempDir() + "/shop \"main\".db";
  const QString accented = testenv::tempDir() + "/jos\u00e9/x.db";
  // A database 600 characters deep: more than the database opens a file by.
  const QString base = testenv::tempDir();
  const QString deep = base + "/" + QString(200, QChar('a')) + "/" + QString(200, QChar('b')) + "/" +
                       QString(600 - static_cast<int>(base.size()) - 411, QChar('c')) + "/shop.db";
  QDir().mkpath(QFileInfo(deep).absolutePath());
  QDir().mkpath(QFileInfo(accented).absolutePath());
  ASSERT_EQ(deep.size(), 600);
  for (const QString& p : {quoted, accented, deep}) {
    ASSERT_TRUE(QFile::copy(testenv::templateDb(), p));
    QFile::setPermissions(p, QFile::ReadOwner | QFile::WriteOwner);
  }
  const struct {
    const char* name;
    QString vat, fontReport, fontBill, database;
    const char* box;
    QString message;
  } cases[] = {
      {"VAT 1..2", "1..2", "", "", "", "txtTaxVal", "Tax Value (%): please type a number of 0 or more."},
      {"VAT 100.01", "100.01", "", "", "", "txtTaxVal", "Tax Value (%) cannot be more than 100"},
      {"a barcode as VAT", "8851234000001", "", "", "", "txtTaxVal", "Tax Value (%) cannot be more than 100"},
      {"report font 0", "", "0", "", "", "txtFontSize",
       "Font Size of Report: please type a whole number from 1 to 72."},
      {"bill font 99999", "", "", "99999", "", "txtFntBill",
       "Font Size of Bill: please type a whole number from 1 to 72."},
      {"a double quote in the path", "", "", "", quoted, "txtDatabase",
       "Database Path: the settings file cannot keep the character \"\"\". Please choose a path without it."},
      {"a letter code page 874 lacks", "", "", "", accented, "txtDatabase",
       "Database Path: the settings file cannot keep the character \"\u00e9\". Please choose a path without "
       "it."},
      {"a path of 600 characters", "", "", "", deep, "txtDatabase",
       "Database Path: the path is too long for the database to be opened there. Please choose a shorter "
       "path."},
      {"a text file as database", "", "", "", textFile, "txtDatabase", "Database Path: "},
  };
  const shell::ShopSettings before = shell::settings();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    shell::OptionF* f = open();
    f->show();
    f->txtName->setText("not stored");
    if (!c.vat.isEmpty()) f->txtTaxVal->setText(c.vat);
    if (!c.fontReport.isEmpty()) f->txtFontSize->setText(c.fontReport);
    if (!c.fontBill.isEmpty()) f->txtFntBill->setText(c.fontBill);
    if (!c.database.isEmpty()) f->txtDatabase->setText(c.database);
    dialogs.shown.clear();
    f->OKButton_Click();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_TRUE(dialogs.shown[0].text.startsWith(c.message)) << dialogs.shown[0].text.toStdString();
    if (QString(c.name).startsWith("a path of")) {
      EXPECT_EQ(dialogs.shown[0].text, c.message);
    }
    EXPECT_TRUE(isOpen());
    EXPECT_EQ(f->focusWidget(), f->control(c.box));
    EXPECT_TRUE(shell::settings() == before);
    f->cmbCancel_Click();
  }
  // A text file as database: the message tells what the open found.
  EXPECT_TRUE(dialogs.shown[0].text.contains("is not a database file"));
  {
    // The long path in Thai: the program's own reason, in Thai.
    shell::settings().LangThai = true;
    shell::OptionF* t = open();
    t->txtDatabase->setText(deep);
    dialogs.shown.clear();
    t->OKButton_Click();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text,
              "ตำแหน่งของฐานข้อมูล: ชื่อตำแหน่งยาวเกินกว่าที่ฐานข้อมูลจะเปิดได้ โปรดเลือกตำแหน่งที่สั้นกว่านี้");
    t->cmbCancel_Click();
    shell::settings().LangThai = before.LangThai;
  }

  // An empty VAT box keeps the rate; the box shows 0 until the form closes.
  shell::OptionF* f = open();
  f->txtTaxVal->clear();
  f->txtFntBill->clear();
  dialogs.answerYes(false);
  f->OKButton_Click();
  EXPECT_EQ(shell::settings().VatRate, 7);
  EXPECT_EQ(shell::settings().BillFontSize, 10);
  EXPECT_EQ(f->txtTaxVal->text(), "0");
}

TEST_F(OptionFTest, NumberBoxesTakeOnlyTheirKeysTypedOrPasted) {
  shell::OptionF* f = open();
  f->show();
  f->txtTaxVal->clear();
  QTest::keyClicks(f->txtTaxVal, "7a,.5x");
  EXPECT_EQ(f->txtTaxVal->text(), "7.5");
  f->txtFntBill->clear();
  QTest::keyClicks(f->txtFntBill, "1.2b");
  EXPECT_EQ(f->txtFntBill->text(), "12");
  QApplication::clipboard()->setText("abc");
  f->txtFontSize->clear();
  f->txtFontSize->paste();
  EXPECT_EQ(f->txtFontSize->text(), "");
  // A paste with any other character is refused whole, never left as its digits.
  for (const char* notANumber : {"1x4", "-7", "1e3", "7,5"}) {
    QApplication::clipboard()->setText(notANumber);
    f->txtFontSize->paste();
    EXPECT_EQ(f->txtFontSize->text(), "") << notANumber;
  }
  QApplication::clipboard()->setText("14");
  f->txtFontSize->paste();
  EXPECT_EQ(f->txtFontSize->text(), "14");
  int backspace = 8, enter = 13, letter = 'a', dot = '.';
  f->txtFontSize_KeyPress(backspace);
  f->txtFontSize_KeyPress(enter);
  f->txtFontSize_KeyPress(letter);
  f->txtTaxVal_KeyPress(dot);
  EXPECT_EQ(backspace, 8);
  EXPECT_EQ(enter, 13);
  EXPECT_EQ(letter, 0);
  EXPECT_EQ(dot, '.');
  dialogs.answerYes(false);
  f->OKButton_Click();
  EXPECT_EQ(shell::settings().VatRate, 7.5);
  EXPECT_EQ(shell::settings().BillFontSize, 12);
  EXPECT_EQ(shell::settings().ReportFontSize, SettingValue::ofText("14"));
}

TEST_F(OptionFTest, ListsOfferNoneThenThePrintersAndTheInstalledFonts) {
  shell::settings().ReportPrinter = "Office";
  shell::OptionF* f = open();
  EXPECT_EQ(items(f->cmbBrowseBillPrinter), (QStringList{"None", "Counter", "Office"}));
  EXPECT_EQ(items(f->cmbBrowseReportPrinter), (QStringList{"None", "Counter", "Office"}));
  EXPECT_EQ(f->cmbBrowseReportPrinter->currentText(), "Office");
  EXPECT_EQ(items(f->cmbFont), QFontDatabase::families());
  EXPECT_EQ(f->cmbFont->currentText(), "Norasi");
  f->cmbFont->setEditText("");
  dialogs.answerYes(false);
  f->OKButton_Click();
  EXPECT_EQ(shell::settings().FontName, "Norasi");

  printers.names.clear();
  f = open();
  EXPECT_EQ(items(f->cmbBrowseBillPrinter), QStringList{"None"});
}

TEST_F(OptionFTest, ChooserWritesIntoTheLivingFormAndOnlyOkChangesTheDatabasePath) {
  const QString oldPath = shell::settings().DbPath.toText();
  const QString dir = testenv::tempDir();
  ASSERT_TRUE(QFile::copy(testenv::templateDb(), dir + "/Other Shop.db"));
  QFile::setPermissions(dir + "/Other Shop.db", QFile::ReadOwner | QFile::WriteOwner);
  writeFile(dir + "/notes.txt", "x");

  QPointer<shell::OptionF> f = open();
  f->txtName->setText("kept while choosing");
  f->cmdBrowse_Click();
  QPointer<shell::BrowseData> b =
      qobject_cast<shell::BrowseData*>(plat::FormRegistry::instance().loaded("BrowseData"));
  ASSERT_TRUE(b);
  EXPECT_TRUE(b->isWindow());
  EXPECT_TRUE(f);  // the chooser is the options window's own: showing it does not unload it
  EXPECT_FALSE(Conn().isOpen());
  EXPECT_EQ(b->windowTitle(), "Select Database");
  b->Dir1->setPath(dir);
  QStringList listed;
  for (int i = 0; i < b->File1->count(); ++i) listed << b->File1->item(i)->text();
  EXPECT_EQ(listed, QStringList{"Other Shop.db"});
  ASSERT_TRUE(b->File1->choose("Other Shop.db"));
  b->cmdOk_Click();
  EXPECT_EQ(plat::FormRegistry::instance().loaded("BrowseData"), nullptr);
  ASSERT_TRUE(f);
  EXPECT_EQ(f->txtDatabase->text(), dir + "/Other Shop.db");
  EXPECT_EQ(f->txtName->text(), "kept while choosing");
  EXPECT_EQ(shell::settings().DbPath.toText(), oldPath);
  ASSERT_TRUE(Conn().isOpen());
  EXPECT_EQ(Conn().path(), oldPath);

  dialogs.answerYes(false);
  f->OKButton_Click();
  EXPECT_EQ(shell::settings().DbPath.toText(), dir + "/Other Shop.db");

  // Cancel on the options window takes an open chooser with it, and the connection comes back.
  f = open();
  f->cmdBrowse_Click();
  EXPECT_FALSE(Conn().isOpen());
  f->cmbCancel_Click();
  EXPECT_EQ(plat::FormRegistry::instance().loaded("BrowseData"), nullptr);
  ASSERT_TRUE(Conn().isOpen());
  EXPECT_EQ(Conn().path(), dir + "/Other Shop.db");
}

// The printers of the private print server, when one runs: "None", then its cups-pdf queues.
TEST(OptionFPrintServer, ListsHoldNoneThenTheQueuesAndKeepTheSavedPrinter) {
  if (qEnvironmentVariableIsEmpty("CUPS_SERVER"))
    GTEST_SKIP() << "no private print server (CUPS_SERVER unset)";
  shell::registerForms();
  testenv::freshInstallation();
  QString e;
  shell::settings() = shell::ShopSettings{};
  ASSERT_TRUE(shell::readSettings26(shell::settings(), &e)) << e.toStdString();
  shell::settings().BillPrinter = SettingValue::ofText("BillPrinter");
  plat::ScriptedDialogs dialogs;
  auto* f = qobject_cast<shell::OptionF*>(plat::FormRegistry::instance().show("OptionF"));
  ASSERT_TRUE(f);
  const QStringList queues = plat::installedPrinterNames();
  EXPECT_TRUE(queues.contains("BillPrinter") && queues.contains("ReportPrinter"))
      << queues.join(", ").toStdString();
  for (QComboBox* c : {f->cmbBrowseBillPrinter, f->cmbBrowseReportPrinter}) {
    QStringList listed;
    for (int i = 0; i < c->count(); ++i) listed << c->itemText(i);
    EXPECT_EQ(listed, QStringList{"None"} + queues);
  }
  EXPECT_EQ(f->cmbBrowseBillPrinter->currentText(), "BillPrinter");
  f->cmbBrowseReportPrinter->setCurrentIndex(f->cmbBrowseReportPrinter->findText("ReportPrinter"));
  dialogs.answerYes(false);
  f->OKButton_Click();
  EXPECT_EQ(shell::settings().BillPrinter, SettingValue::ofText("BillPrinter"));
  EXPECT_EQ(shell::settings().ReportPrinter, "ReportPrinter");
  plat::FormRegistry::instance().unloadAll();
  testenv::pump();
  shell::settings() = shell::ShopSettings{};
}

TEST(OptionRules, PortTextsAndValues) {
  EXPECT_EQ(opt::portText(SettingValue{}, false), "None");
  EXPECT_EQ(opt::portText(SettingValue::ofText("7"), false), "COM7");
  EXPECT_EQ(opt::portText(SettingValue::ofNumber(15), true), "COM15");
  EXPECT_EQ(opt::portText(SettingValue::ofNumber(2.5), true), "");
  EXPECT_EQ(opt::portText(SettingValue::ofText("RJ45"), true), "RJ45");
  EXPECT_EQ(opt::portValue("COM16", false), std::nullopt);
  EXPECT_EQ(opt::portValue("com3", false), std::nullopt);
  EXPECT_EQ(opt::portValue("RJ45", false), std::nullopt);
  EXPECT_EQ(opt::vatRate("7."), 7.0);
  EXPECT_EQ(opt::vatRate("0"), 0.0);
  EXPECT_EQ(opt::vatRate("."), std::nullopt);
  EXPECT_EQ(opt::vatRate("-1"), std::nullopt);
  EXPECT_EQ(opt::fontSize("72"), 72);
  EXPECT_EQ(opt::fontSize("073"), std::nullopt);
  EXPECT_EQ(opt::fontSize("1"), 1);
}

}  // namespace
