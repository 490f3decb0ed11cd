// The main window: menus, toolbars, permission levels, status bar and what each item opens.
#include "shell/mainwindow.h"

#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <memory>

#include "platform/clock.h"
#include "platform/dialogs.h"
#include "shell/session.h"
#include "shell/settings.h"
#include "shell_helpers.h"
#include "support/scripted_dialogs.h"
#include "support/testenv.h"

using shell::MHarvelmoquin;
using namespace shelltest;

namespace {

const QStringList kForms = {"OptionF",     "Frmkb",        "LoadData",   "BackupData",   "MainForm",
                            "SellForm",    "BuyForm",      "StockF",     "StockValue",   "AddF",
                            "BuyReport",   "BuyDayReport", "MoBuyForm",  "YrBuyReport",  "DayReport",
                            "BillF",       "MoReport",     "YearReport", "EmpReport",    "AnalyzeForm",
                            "SecurityFrm", "CustomerForm", "CusRep",     "SupplierForm", "SupRep"};

QSet<QString> set(const QStringList& l) { return QSet<QString>(l.begin(), l.end()); }

class MainWindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { registerFakes(kForms); }
  void SetUp() override {
    plat::setClock(QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9)));
    shell::settings() = shell::ShopSettings{};
    shell::session() = shell::Session{};
    testenv::freshInstallation();
    FakeForm::loads().clear();
    FakeForm::failing().clear();
    FakeForm::failingUnload().clear();
  }
  void TearDown() override {
    FakeForm::failingUnload().clear();
    plat::FormRegistry::instance().unloadAll();
    w.reset();
    testenv::pump();
    data::Conn().close();
    plat::setClock(QDateTime());
    shell::settings() = shell::ShopSettings{};
  }
  void setLanguage(bool thai) {
    QString e;
    shell::ShopSettings s;
    ASSERT_TRUE(shell::readSettings26(s, &e)) << e.toStdString();
    s.LangThai = thai;
    ASSERT_TRUE(shell::writeSettings(s, &e)) << e.toStdString();
  }
  // What the login leaves behind, then the main window's load.
  void open(int level, bool thai = false, const QString& user = QStringLiteral("Admin")) {
    setLanguage(thai);
    QString e;
    ASSERT_TRUE(shell::readSettings18(shell::settings(), &e)) << e.toStdString();
    shell::session().userName = user;
    shell::session().permission = level;
    w = std::make_unique<MHarvelmoquin>();
    ASSERT_TRUE(w->MDIForm_Load(&e)) << e.toStdString();
  }
  bool opened(const QString& form) const { return plat::FormRegistry::instance().loaded(form) != nullptr; }

  plat::ScriptedDialogs dlg;
  std::unique_ptr<MHarvelmoquin> w;
};

// Menus disabled after PerMisSet, by level; every other menu is enabled.
QSet<QString> disabledAt(int level) {
  const QStringList design = {"MeFile",     "MeProcess", "MEStock",      "MRep",
                              "MeSecurity", "MeAddUser", "MePermission", "MPerson"};
  switch (level) {
    case 0:
      return {"MeAddUser", "MePermission"};
    case 1:
      return {"MeFile", "MeSecurity", "MeAddUser", "MePermission"};
    case 2:
      return set({"MeFile", "MeSecurity", "MeAddUser", "MePermission", "MPerson", "MSellYear", "MoSellMonth",
                  "MBuy", "MDoBuy", "MSellDay", "Madd", "MAnalyze", "MEmpSale", "MEStock"});
    default:
      return set(design);
  }
}

TEST_F(MainWindowTest, PermissionLevelsSetMenusAndShowOneToolbar) {
  const QSet<QString> hidden = {"MPortSet", "MeUse", "MProductValue", "MaDay", "MeAddUser", "MePermission"};
  for (bool thai : {false, true}) {
    for (int level : {0, 1, 2, 3}) {
      SCOPED_TRACE(QStringLiteral("level %1 %2").arg(level).arg(thai ? "Thai" : "English").toStdString());
      shell::settings().LangThai = thai;
      shell::session().permission = level;
      MHarvelmoquin m;
      m.PerMisSet();
      const int want = level > 2 ? 0 : level + 1 + (thai ? 3 : 0);
      EXPECT_EQ(m.shownToolbar(), want);
      for (int n = 1; n <= 6; ++n) EXPECT_EQ(m.toolbar(n)->isHidden(), n != want) << "Toolbar" << n;
      const QSet<QString> off = disabledAt(level);
      for (const QString& name : m.menuNames()) {
        EXPECT_EQ(m.menuEnabled(name), !off.contains(name)) << name.toStdString();
        if (!hidden.contains(name)) {
          EXPECT_EQ(m.menuItem(name)->isEnabled(), !off.contains(name)) << name.toStdString();
        }
        EXPECT_EQ(m.menuItem(name)->isVisible(), !hidden.contains(name)) << name.toStdString();
      }
    }
  }
}

TEST_F(MainWindowTest, ToolbarsHoldTheNineKeyedButtonsAndActOnTheirSets) {
  const QStringList keys = {"bsetting",   "bsell",      "bbuy",      "bstock", "bproduct",
                            "bcustomers", "bsuppliers", "bsecurity", "bexit"};
  const QStringList thai = {"กำหนดค่า",         "ขาย",    "ซื้อ", "เช็คสินค้า", "สินค้า", "    ลูกค้า    ",
                            "      ผู้ค้า      ", "ปลอดภัย", "ออก"};
  const QStringList english = {"Setting",   "Sell",      "Buy",      "Stock", "Product",
                               "Customers", "Suppliers", "Security", "Exit"};
  const QHash<QString, QString> target = {
      {"bsetting", "OptionF"},        {"bsell", "MainForm"},       {"bbuy", "BuyForm"},
      {"bstock", "StockF"},           {"bproduct", "AddF"},        {"bcustomers", "CustomerForm"},
      {"bsuppliers", "SupplierForm"}, {"bsecurity", "SecurityFrm"}};
  const QSet<QString> acts[3] = {set(keys),
                                 {"bsell", "bbuy", "bstock", "bproduct", "bcustomers", "bsuppliers", "bexit"},
                                 {"bsell", "bstock", "bexit"}};
  open(0);
  for (int n = 1; n <= 6; ++n) {
    QStringList shownKeys, captions;
    for (QAction* a : w->toolbar(n)->actions()) {
      shownKeys << a->data().toString();
      captions << a->text();
    }
    EXPECT_EQ(shownKeys, keys) << "Toolbar" << n;
    EXPECT_EQ(captions, n <= 3 ? english : thai) << "Toolbar" << n;
    const QSet<QString>& mine = acts[(n - 1) % 3];
    for (const QString& key : keys) {
      SCOPED_TRACE(QStringLiteral("Toolbar%1 %2").arg(n).arg(key).toStdString());
      EXPECT_EQ(MHarvelmoquin::toolbarActs(n, key), mine.contains(key));
      EXPECT_EQ(w->toolbarButton(key, n)->isEnabled(), mine.contains(key));
      if (key == QLatin1String("bexit")) continue;
      plat::FormRegistry::instance().unloadAll();
      switch (n) {
        case 1:
          w->Toolbar1_ButtonClick(key);
          break;
        case 2:
          w->Toolbar2_ButtonClick(key);
          break;
        case 3:
          w->Toolbar3_ButtonClick(key);
          break;
        case 4:
          w->Toolbar4_ButtonClick(key);
          break;
        case 5:
          w->Toolbar5_ButtonClick(key);
          break;
        default:
          w->Toolbar6_ButtonClick(key);
          break;
      }
      EXPECT_EQ(opened(target.value(key)), mine.contains(key));
    }
  }
  EXPECT_FALSE(w->isUnloaded());
  w->Toolbar6_ButtonClick(QStringLiteral("bexit"));
  EXPECT_TRUE(w->isUnloaded());
}

TEST_F(MainWindowTest, LevelTwoSellsListsBillsAndReachesTheStockListOnlyFromItsToolbar) {
  open(2);
  EXPECT_EQ(w->shownToolbar(), 3);
  w->menuItem(QStringLiteral("MEKelvantorium"))->trigger();  // its Stock menu is disabled
  EXPECT_FALSE(opened("StockF"));
  w->toolbarButton(QStringLiteral("bstock"))->trigger();
  EXPECT_TRUE(opened("StockF"));
  w->toolbarButton(QStringLiteral("bbuy"))->trigger();
  w->Toolbar3_ButtonClick(QStringLiteral("bbuy"));
  EXPECT_FALSE(opened("BuyForm"));
  w->menuItem(QStringLiteral("MBill"))->trigger();
  EXPECT_TRUE(opened("BillF"));
  w->menuItem(QStringLiteral("MeCashier"))->trigger();
  EXPECT_TRUE(opened("MainForm"));
  // Exit sits in the disabled File menu.
  w->menuItem(QStringLiteral("MeExit"))->trigger();
  EXPECT_FALSE(w->isUnloaded());
}

TEST_F(MainWindowTest, LevelOneInThaiShowsToolbarFiveWithoutSettingOrSecurity) {
  open(1, true);
  EXPECT_EQ(w->shownToolbar(), 5);
  w->Toolbar5_ButtonClick(QStringLiteral("bsetting"));
  w->Toolbar5_ButtonClick(QStringLiteral("bsecurity"));
  w->menuItem(QStringLiteral("Setting"))->trigger();  // File is disabled at level 1
  EXPECT_FALSE(opened("OptionF"));
  EXPECT_FALSE(opened("SecurityFrm"));
  w->Toolbar5_ButtonClick(QStringLiteral("bproduct"));
  EXPECT_TRUE(opened("AddF"));
}

TEST_F(MainWindowTest, EveryMenuItemOpensItsWindowOnceAndReusesIt) {
  const QList<QPair<QString, QString>> items = {{"Setting", "OptionF"},
                                                {"Msettingkb", "Frmkb"},
                                                {"MLoadDat", "LoadData"},
                                                {"MSaveDat", "BackupData"},
                                                {"MeCashier", "MainForm"},
                                                {"MDoBuy", "BuyForm"},
                                                {"MEKelvantorium", "StockF"},
                                                {"Madd", "AddF"},
                                                {"MBuyDay", "BuyReport"},
                                                {"MBuyDate", "BuyDayReport"},
                                                {"MBuyMonth", "MoBuyForm"},
                                                {"MBuyYear", "YrBuyReport"},
                                                {"MBill", "BillF"},
                                                {"MSellDay", "DayReport"},
                                                {"MoSellMonth", "MoReport"},
                                                {"MSellYear", "YearReport"},
                                                {"MEmpSale", "EmpReport"},
                                                {"MAnalyze", "AnalyzeForm"},
                                                {"MeSecurity", "SecurityFrm"},
                                                {"MCusDat", "CustomerForm"},
                                                {"MCusRep", "CusRep"},
                                                {"MSupDat", "SupplierForm"},
                                                {"MSupRep", "SupRep"}};
  open(0);
  for (const auto& [item, form] : items) {
    SCOPED_TRACE(item.toStdString());
    w->menuItem(item)->trigger();
    plat::Form* first = plat::FormRegistry::instance().loaded(form);
    ASSERT_NE(first, nullptr);
    w->menuItem(item)->trigger();
    EXPECT_EQ(plat::FormRegistry::instance().loaded(form), first);
    EXPECT_EQ(FakeForm::loads().value(form), 1);
    plat::FormRegistry::instance().unloadAll();
    FakeForm::loads().clear();
    testenv::pump();
  }
  // The hidden "cashier" item hides the sale screen and shows the touch picker.
  w->MeUse_Click();
  EXPECT_TRUE(opened("SellForm"));
  ASSERT_TRUE(opened("MainForm"));
  EXPECT_FALSE(plat::FormRegistry::instance().loaded("MainForm")->isVisible());
  EXPECT_TRUE(dlg.shown.empty());
}

TEST_F(MainWindowTest, ShortcutKeysActOnlyWhereTheirMenusAreEnabled) {
  struct Key {
    QString item;
    QKeySequence seq;
  };
  const Key keys[] = {{"Setting", Qt::Key_F1},    {"MeCashier", Qt::Key_F2},
                      {"MDoBuy", Qt::Key_F3},     {"MEKelvantorium", Qt::Key_F4},
                      {"Madd", Qt::Key_F5},       {"MBill", Qt::Key_F6},
                      {"MCusDat", Qt::Key_F7},    {"MSupDat", Qt::Key_F8},
                      {"Msettingkb", Qt::Key_F9}, {"MAnalyze", Qt::Key_F11},
                      {"MeExit", Qt::Key_F12},    {"MProductValue", QKeySequence(Qt::CTRL | Qt::Key_A)}};
  open(2);
  for (const Key& k : keys) EXPECT_EQ(w->menuItem(k.item)->shortcut(), k.seq) << k.item.toStdString();

  w->show();
  w->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
  QTest::keyClick(w.get(), Qt::Key_F4);  // Stock menu disabled at level 2
  QTest::keyClick(w.get(), Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(w.get(), Qt::Key_F7);  // Person menu disabled
  QTest::keyClick(w.get(), Qt::Key_F12);
  EXPECT_FALSE(opened("StockF"));
  EXPECT_FALSE(opened("StockValue"));
  EXPECT_FALSE(opened("CustomerForm"));
  EXPECT_FALSE(w->isUnloaded());
  QTest::keyClick(w.get(), Qt::Key_F6);
  EXPECT_TRUE(opened("BillF"));
}

TEST_F(MainWindowTest, HiddenProductValueKeepsCtrlAWhileTheStockMenuIsEnabled) {
  open(1);
  w->show();
  w->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
  EXPECT_FALSE(w->menuItem(QStringLiteral("MProductValue"))->isVisible());
  QTest::keyClick(w.get(), Qt::Key_A, Qt::ControlModifier);
  EXPECT_TRUE(opened("StockValue"));
  EXPECT_EQ(FakeForm::loads().value("StockValue"), 1);
}

TEST_F(MainWindowTest, StatusBarTitleAndCaptionsInEnglish) {
  open(0, false, QStringLiteral("bob"));
  EXPECT_EQ(w->windowTitle(), QStringLiteral("Zelkor Quorvanel Shop - Shop Name"));
  EXPECT_EQ(w->panelText(1), QStringLiteral("Shop Name"));
  EXPECT_EQ(w->panelText(2), QStringLiteral("  Date : 5 ") + QLocale::system().monthName(3) + " 2024");
  EXPECT_EQ(w->panelText(3), QStringLiteral("Time Login: 02:07:09 ") + QLocale::system().pmText().toUpper());
  EXPECT_EQ(w->panelText(4), QStringLiteral("Employee : bob"));
  EXPECT_EQ(w->menuItem("MeFile")->text(), QStringLiteral("&File"));
  EXPECT_EQ(w->menuItem("MBuyYear")->text(), QStringLiteral("Year Datail"));

  QStringList top;
  for (QAction* a : w->menuBar()->actions()) top << a->objectName();
  EXPECT_EQ(top, (QStringList{"MeFile", "MeProcess", "MEStock", "MRep", "MeSecurity", "MeAddUser",
                              "MePermission", "MPerson"}));
  QStringList sell;
  for (QAction* a : w->menuItem("MSell")->menu()->actions()) sell << a->objectName();
  EXPECT_EQ(sell, (QStringList{"MaDay", "MBill", "MSellDay", "MoSellMonth", "MSellYear", "MEmpSale"}));
  EXPECT_EQ(w->menuItem("MeSecurity")->menu(), nullptr);  // a command on the menu bar
  EXPECT_FALSE(w->isVisible());                           // nothing opens at start
  EXPECT_TRUE(w->mdiArea()->subWindowList().isEmpty());
}

TEST_F(MainWindowTest, ThaiStatusBarAndMenusWhileHiddenItemsKeepEnglish) {
  open(0, true);
  EXPECT_EQ(w->panelText(2).left(11), QStringLiteral("  วันที่ : "));
  EXPECT_TRUE(w->panelText(3).startsWith(QStringLiteral("เวลาเข้างาน : 02:07:09")));
  EXPECT_EQ(w->panelText(4), QStringLiteral("พนักงานขาย : Admin"));
  const QList<QPair<QString, QString>> captions = {{"MeFile", "&ทั่วไป"},
                                                   {"MBill", "สรุป/ยกเลิกบิล"},
                                                   {"MeSecurity", "ความปลอดภัย"},
                                                   {"MEStock", "&คลังสินค้า"},
                                                   {"MPerson", "บุคคล"},
                                                   {"MEmpSale", "รายงานขายของพนักงาน"},
                                                   {"MPortSet", "Port Setting"},
                                                   {"MeUse", "cashier"},
                                                   {"MaDay", "All Product detail"},
                                                   {"MeAddUser", "&AddUser"},
                                                   {"MePermission", "&Permission"}};
  for (const auto& [item, text] : captions) EXPECT_EQ(w->menuItem(item)->text(), text) << item.toStdString();
  EXPECT_EQ(w->menuItem("MeFile")->menu()->title(), QStringLiteral("&ทั่วไป"));
}

TEST_F(MainWindowTest, AToolbarFailureShowsItsMessageAndTheSaleItemIgnoresOne) {
  open(0);
  FakeForm::failing() = {"CustomerForm", "MainForm"};
  w->Toolbar1_ButtonClick(QStringLiteral("bcustomers"));
  EXPECT_EQ(dlg.texts(), QStringList{"Open duplicate sell window"});
  plat::FormRegistry::instance().unloadAll();

  shell::settings().LangThai = true;
  dlg.clear();
  w->Toolbar2_ButtonClick(QStringLiteral("bcustomers"));
  plat::FormRegistry::instance().unloadAll();
  w->Toolbar4_ButtonClick(QStringLiteral("bcustomers"));
  plat::FormRegistry::instance().unloadAll();
  EXPECT_EQ(dlg.texts(), (QStringList{"เปิดหน้าขายซ้ำ", "เปิดหน้าต่างขายซ้ำ"}));

  dlg.clear();
  EXPECT_NO_THROW(w->menuItem(QStringLiteral("MeCashier"))->trigger());
  EXPECT_TRUE(dlg.shown.empty());
}

TEST_F(MainWindowTest, StockResetItemRunsTheResetProcedure) {
  open(0);
  int runs = 0;
  MHarvelmoquin::setStockReset([&runs] { ++runs; });
  w->menuItem(QStringLiteral("MReset"))->trigger();
  MHarvelmoquin::setStockReset(nullptr);
  w->menuItem(QStringLiteral("MReset"))->trigger();
  EXPECT_EQ(runs, 1);
}

TEST_F(MainWindowTest, UnloadClosesTheChildWindowsBeforeWritingTheSettings) {
  open(0);
  w->menuItem(QStringLiteral("MBill"))->trigger();
  ASSERT_TRUE(opened("BillF"));
  EXPECT_EQ(MHarvelmoquin::current(), w.get());
  w->menuItem(QStringLiteral("MeExit"))->trigger();
  EXPECT_TRUE(w->isUnloaded());
  EXPECT_FALSE(opened("BillF"));
  EXPECT_FALSE(w->isVisible());
}

TEST_F(MainWindowTest, AChildWindowWhoseUnloadFailsIsReportedAndTheSettingsAreStillWritten) {
  open(0);
  shell::settings().ComAddress = QStringLiteral("changed while running");
  w->menuItem(QStringLiteral("MBill"))->trigger();
  w->menuItem(QStringLiteral("MCusRep"))->trigger();
  FakeForm::failingUnload() = {"BillF"};
  w->menuItem(QStringLiteral("MeExit"))->trigger();
  EXPECT_TRUE(w->isUnloaded());
  EXPECT_FALSE(w->isVisible());
  EXPECT_FALSE(opened("BillF"));
  EXPECT_FALSE(opened("CusRep"));
  EXPECT_EQ(dlg.texts(), QStringList{"Error: unload failed"});
  shell::ShopSettings back;
  QString e;
  ASSERT_TRUE(shell::readSettings26(back, &e)) << e.toStdString();
  EXPECT_EQ(back.ComAddress, QStringLiteral("changed while running"));
}

}  // namespace
