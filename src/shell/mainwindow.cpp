#include "shell/mainwindow.h"

#include <QCloseEvent>
#include <QLocale>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <vector>

#include "data/db.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/form.h"
#include "platform/units.h"
#include "shell/application.h"
#include "shell/lang.h"
#include "shell/session.h"
#include "shell/settings.h"

namespace shell {

namespace {

MHarvelmoquin* g_current = nullptr;

std::function<void()>& stockReset() {
  static std::function<void()> f;
  return f;
}

// One menu control: its place in the tree, captions, shortcut, design state and the window it shows.
struct MenuDef {
  const char* name;
  const char* parent;  // nullptr: on the menu bar
  QString english;
  QString thai;  // empty: keeps the English caption
  QKeySequence shortcut;
  bool submenu;
  bool hidden;
  bool disabled;
  const char* form;  // the window it shows, or nullptr
};

const std::vector<MenuDef>& menuTable() {
  using K = QKeySequence;
  static const std::vector<MenuDef> t = {
      {"MeFile", nullptr, QStringLiteral("&File"), QStringLiteral("&ทั่วไป"), K(), true, false, true, nullptr},
      {"Setting", "MeFile", QStringLiteral("Setting"), QStringLiteral("&กำหนดค่า"), K(Qt::Key_F1), false,
       false, false, "OptionF"},
      // By design: a hidden item with no action of its own, kept in the menu with its English caption.
      {"MPortSet", "MeFile", QStringLiteral("Port Setting"), {}, K(), false, true, false, nullptr},
      {"Msettingkb", "MeFile", QStringLiteral("Setting Hot Key"), QStringLiteral("&กำหนดค่าปุ่มลัด"),
       K(Qt::Key_F9), false, false, false, "Frmkb"},
      {"MReset", "MeFile", QStringLiteral("Reset Stock = 0"), QStringLiteral("ปรับจำนวนสินค้า = 0"), K(), false,
       false, false, nullptr},
      {"MBackup", "MeFile", QStringLiteral("Backup"), QStringLiteral("สำรองข้อมูล"), K(), true, false, false,
       nullptr},
      {"MLoadDat", "MBackup", QStringLiteral("Load Data"), QStringLiteral("เรียกใช้ข้อมูลสำรอง"), K(), false,
       false, false, "LoadData"},
      {"MSaveDat", "MBackup", QStringLiteral("Save Data"), QStringLiteral("เก็บข้อมูลสำรอง"), K(), false, false,
       false, "BackupData"},
      {"MeExit", "MeFile", QStringLiteral("Exit"), QStringLiteral("&ออก"), K(Qt::Key_F12), false, false,
       false, nullptr},
      {"MeProcess", nullptr, QStringLiteral("&Process"), QStringLiteral("&ซื้อขาย"), K(), true, false, true,
       nullptr},
      {"MeCashier", "MeProcess", QStringLiteral("Sell"), QStringLiteral("&ขาย"), K(Qt::Key_F2), false, false,
       false, "MainForm"},
      // By design: hidden; the sale screen opens the picker itself, this item stays for the old way in.
      {"MeUse", "MeProcess", QStringLiteral("cashier"), {}, K(), false, true, false, "SellForm"},
      {"MDoBuy", "MeProcess", QStringLiteral("Buy"), QStringLiteral("&ซื้อ"), K(Qt::Key_F3), false, false,
       false, "BuyForm"},
      {"MEStock", nullptr, QStringLiteral("&Stock"), QStringLiteral("&คลังสินค้า"), K(), true, false, true,
       nullptr},
      {"MEKelvantorium", "MEStock", QStringLiteral("Stock"), QStringLiteral("สินค้าคงคลัง"), K(Qt::Key_F4),
       false, false, false, "StockF"},
      // By design: hidden, reached by Ctrl+A alone; no other menu item or button opens the stock value list.
      {"MProductValue", "MEStock", QStringLiteral("Product Value"), QStringLiteral("มูลค่าสินค้าคงคลัง"),
       K(Qt::CTRL | Qt::Key_A), false, true, false, "StockValue"},
      {"Madd", "MEStock", QStringLiteral("Insert and Update Product Data"), QStringLiteral("แก้ไขและเพิ่มสินค้า"),
       K(Qt::Key_F5), false, false, false, "AddF"},
      {"MRep", nullptr, QStringLiteral("&Report"), QStringLiteral("รายงาน"), K(), true, false, true, nullptr},
      {"MBuy", "MRep", QStringLiteral("Buy Report"), QStringLiteral("รายงานซื้อ"), K(), true, false, false,
       nullptr},
      {"MBuyDay", "MBuy", QStringLiteral("Buy Detail"), QStringLiteral("รายงานซื้อสินค้า"), K(), false, false,
       false, "BuyReport"},
      {"MBuyDate", "MBuy", QStringLiteral("Day Detail"), QStringLiteral("รายงานซื้อรายวัน"), K(), false, false,
       false, "BuyDayReport"},
      {"MBuyMonth", "MBuy", QStringLiteral("Month Detail"), QStringLiteral("รายงานซื้อรายเดือน"), K(), false,
       false, false, "MoBuyForm"},
      {"MBuyYear", "MBuy", QStringLiteral("Year Datail"), QStringLiteral("รายงานซื้อรายปี"), K(), false, false,
       false, "YrBuyReport"},
      {"MSell", "MRep", QStringLiteral("Sell Report"), QStringLiteral("รายงานขาย"), K(), true, false, false,
       nullptr},
      // By design: a hidden second way to the daily sales report beside "Day Detail".
      {"MaDay", "MSell", QStringLiteral("All Product detail"), {}, K(), false, true, false, "DayReport"},
      {"MBill", "MSell", QStringLiteral("Bill Detail"), QStringLiteral("สรุป/ยกเลิกบิล"), K(Qt::Key_F6), false,
       false, false, "BillF"},
      {"MSellDay", "MSell", QStringLiteral("Day Detail"), QStringLiteral("รายงานขายรายวัน"), K(), false, false,
       false, "DayReport"},
      {"MoSellMonth", "MSell", QStringLiteral("Month Detail"), QStringLiteral("รายงานขายรายเดือน"), K(), false,
       false, false, "MoReport"},
      {"MSellYear", "MSell", QStringLiteral("Year Detail"), QStringLiteral("รายงานขายรายปี"), K(), false,
       false, false, "YearReport"},
      {"MEmpSale", "MSell", QStringLiteral("Employee Sale"), QStringLiteral("รายงานขายของพนักงาน"), K(), false,
       false, false, "EmpReport"},
      {"MAnalyze", "MRep", QStringLiteral("Analyze"), QStringLiteral("วิเคราะห์การขาย"), K(Qt::Key_F11), false,
       false, false, "AnalyzeForm"},
      {"MeSecurity", nullptr, QStringLiteral("&Security"), QStringLiteral("ความปลอดภัย"), K(), false, false,
       true, "SecurityFrm"},
      // By design: two hidden, disabled items with no action; the Security window adds users and levels.
      {"MeAddUser", nullptr, QStringLiteral("&AddUser"), {}, K(), false, true, true, nullptr},
      {"MePermission", nullptr, QStringLiteral("&Permission"), {}, K(), false, true, true, nullptr},
      {"MPerson", nullptr, QStringLiteral("&Person"), QStringLiteral("บุคคล"), K(), true, false, true,
       nullptr},
      {"MCusDat", "MPerson", QStringLiteral("Customers Data"), QStringLiteral("ข้อมูลลูกค้า"), K(Qt::Key_F7),
       false, false, false, "CustomerForm"},
      {"MCusRep", "MPerson", QStringLiteral("Customer Report"), QStringLiteral("รายงานลูกค้า"), K(), false,
       false, false, "CusRep"},
      {"MSupDat", "MPerson", QStringLiteral("Suppliers Data"), QStringLiteral("ข้อมูลผู้ค้า"), K(Qt::Key_F8),
       false, false, false, "SupplierForm"},
      {"MSupRep", "MPerson", QStringLiteral("Supplier Report"), QStringLiteral("รายงานผู้ค้า"), K(), false,
       false, false, "SupRep"},
  };
  return t;
}

const MenuDef* menuDef(const QString& name) {
  for (const MenuDef& d : menuTable())
    if (name == QLatin1String(d.name)) return &d;
  return nullptr;
}

// The nine buttons of every toolbar, in order.
struct ButtonDef {
  const char* key;
  QString english;
  QString thai;
  const char* form;  // nullptr for "bexit"
  QStyle::StandardPixmap icon;
};

const std::vector<ButtonDef>& buttonTable() {
  static const std::vector<ButtonDef> t = {
      {"bsetting", QStringLiteral("Setting"), QStringLiteral("กำหนดค่า"), "OptionF",
       QStyle::SP_FileDialogDetailedView},
      {"bsell", QStringLiteral("Sell"), QStringLiteral("ขาย"), "MainForm", QStyle::SP_DialogApplyButton},
      {"bbuy", QStringLiteral("Buy"), QStringLiteral("ซื้อ"), "BuyForm", QStyle::SP_ArrowDown},
      {"bstock", QStringLiteral("Stock"), QStringLiteral("เช็คสินค้า"), "StockF", QStyle::SP_DirIcon},
      {"bproduct", QStringLiteral("Product"), QStringLiteral("สินค้า"), "AddF", QStyle::SP_FileIcon},
      {"bcustomers", QStringLiteral("Customers"), QStringLiteral("    ลูกค้า    "), "CustomerForm",
       QStyle::SP_DirHomeIcon},
      {"bsuppliers", QStringLiteral("Suppliers"), QStringLiteral("      ผู้ค้า      "), "SupplierForm",
       QStyle::SP_DirOpenIcon},
      {"bsecurity", QStringLiteral("Security"), QStringLiteral("ปลอดภัย"), "SecurityFrm",
       QStyle::SP_MessageBoxWarning},
      {"bexit", QStringLiteral("Exit"), QStringLiteral("ออก"), nullptr, QStyle::SP_DialogCloseButton},
  };
  return t;
}

// The captions of the status bar's date, time and employee panels, written before their value.
struct PanelCaption {
  QString english;
  QString thai;
};

const std::vector<PanelCaption>& panelCaptions() {
  static const std::vector<PanelCaption> t = {
      {QStringLiteral("  Date : "), QStringLiteral("  วันที่ : ")},
      {QStringLiteral("Time Login: "), QStringLiteral("เวลาเข้างาน : ")},
      {QStringLiteral("Employee : "), QStringLiteral("พนักงานขาย : ")},
  };
  return t;
}

const ButtonDef* buttonDef(const QString& key) {
  for (const ButtonDef& d : buttonTable())
    if (key == QLatin1String(d.key)) return &d;
  return nullptr;
}

}  // namespace

MHarvelmoquin::MHarvelmoquin() {
  g_current = this;
  setObjectName(QStringLiteral("MHarvelmoquin"));
  mdi_ = new QMdiArea(this);
  mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setCentralWidget(mdi_);
  plat::FormRegistry::instance().setMdiArea(mdi_);
  buildMenus();
  buildToolbars();
  buildStatusBar();
  resize(1024, 700);
}

MHarvelmoquin::~MHarvelmoquin() {
  if (g_current == this) g_current = nullptr;
}

MHarvelmoquin* MHarvelmoquin::current() { return g_current; }

void MHarvelmoquin::setStockReset(std::function<void()> procedure) { stockReset() = std::move(procedure); }

void MHarvelmoquin::buildMenus() {
  QHash<QString, QMenu*> submenus;
  for (const MenuDef& d : menuTable()) {
    const QString name = QString::fromLatin1(d.name);
    QMenu* parent = d.parent ? submenus.value(QString::fromLatin1(d.parent)) : nullptr;
    QAction* a = nullptr;
    if (d.submenu) {
      QMenu* m = parent ? parent->addMenu(d.english) : menuBar()->addMenu(d.english);
      m->setObjectName(name);
      submenus.insert(name, m);
      a = m->menuAction();
    } else {
      a = parent ? parent->addAction(d.english) : menuBar()->addAction(d.english);
      a->setShortcut(d.shortcut);
      connect(a, &QAction::triggered, this, [this, name]() { menuClick(name); });
    }
    a->setObjectName(name);
    menus_.insert(name, a);
    if (d.hidden) a->setVisible(false);
    setMenuEnabled(name, !d.disabled);
    order_ << name;
    if (d.parent) parents_.insert(name, QString::fromLatin1(d.parent));
  }
  // Qt fires no shortcut of a hidden action: the hidden stock value item gets its Ctrl+A here,
  // acting while the Stock menu is enabled.
  productValueKey_ = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_A), this);
  connect(productValueKey_, &QShortcut::activated, this, &MHarvelmoquin::MProductValue_Click);
}

void MHarvelmoquin::buildToolbars() {
  for (int n = 1; n <= 6; ++n) {
    auto* tb = new QToolBar(QStringLiteral("Toolbar%1").arg(n), this);
    tb->setObjectName(QStringLiteral("Toolbar%1").arg(n));
    tb->setMovable(false);
    tb->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    tb->setIconSize(QSize(32, 32));
    for (const ButtonDef& d : buttonTable()) {
      const QString key = QString::fromLatin1(d.key);
      QAction* b = tb->addAction(style()->standardIcon(d.icon), n <= 3 ? d.english : d.thai);
      b->setObjectName(key);
      b->setData(key);
      // A button its toolbar does not handle shows as disabled rather than doing nothing.
      b->setEnabled(toolbarActs(n, key));
      connect(b, &QAction::triggered, this, [this, n, key]() { toolbarClick(n, key); });
      buttons_[n - 1].insert(key, b);
    }
    addToolBar(Qt::TopToolBarArea, tb);
    // None shows until the permission level picks one.
    tb->hide();
    toolbars_[n - 1] = tb;
  }
}

void MHarvelmoquin::buildStatusBar() {
  for (int i = 0; i < 4; ++i) {
    panels_[i] = new QLabel(this);
    panels_[i]->setObjectName(QStringLiteral("Panel%1").arg(i + 1));
    panels_[i]->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    statusBar()->addWidget(panels_[i], 1);
  }
}

QAction* MHarvelmoquin::menuItem(const QString& name) const { return menus_.value(name); }
QStringList MHarvelmoquin::menuNames() const { return order_; }

QString MHarvelmoquin::menuForm(const QString& name) {
  const MenuDef* d = menuDef(name);
  return d && d->form ? QString::fromLatin1(d->form) : QString();
}

QToolBar* MHarvelmoquin::toolbar(int n) const { return n >= 1 && n <= 6 ? toolbars_[n - 1] : nullptr; }

QAction* MHarvelmoquin::toolbarButton(const QString& key, int n) const {
  if (n == 0) n = shownToolbar();
  if (n < 1 || n > 6) return nullptr;
  return buttons_[n - 1].value(key);
}

int MHarvelmoquin::shownToolbar() const {
  for (int n = 1; n <= 6; ++n)
    if (!toolbars_[n - 1]->isHidden()) return n;
  return 0;
}

QString MHarvelmoquin::panelText(int n) const {
  return n >= 1 && n <= 4 ? panels_[n - 1]->text() : QString();
}

bool MHarvelmoquin::MDIForm_Load(QString* error) {
  ShopSettings& s = settings();
  panels_[0]->setText(s.ComName.toText());
  // The copy of the settings file is made first, also when the read that follows fails.
  ShopSettings all = s;
  if (!readSettings26(all, error)) return false;
  const QLocale loc = QLocale::system();
  const QString date = loc.toString(plat::today(), QStringLiteral("d MMMM yyyy"));
  const QString time = loc.toString(plat::timeNow(), QStringLiteral("hh:mm:ss AP"));
  const QString user = session().userName;
  const QString values[] = {date, time, user};
  for (int i = 0; i < 3; ++i) {
    const PanelCaption& c = panelCaptions()[i];
    panels_[i + 1]->setText((s.LangThai ? c.thai : c.english) + values[i]);
  }
  if (!data::Conn().tryOpen(s.DbPath.toText(), error)) return false;
  s = all;
  setWindowTitle(QStringLiteral("Zelkor Quorvanel Shop - ") + s.ComName.toText());
  PerMisSet();
  if (s.LangThai) setMenuLanguage(plat::ui::Lang::Thai);
  return true;
}

void MHarvelmoquin::PerMisSet() {
  const bool th = settings().LangThai;
  auto enable = [this](std::initializer_list<const char*> names, bool on) {
    for (const char* n : names) setMenuEnabled(QString::fromLatin1(n), on);
  };
  int shown = 0;
  switch (session().permission) {
    case 0:
      enable({"MeFile", "MEStock", "MRep", "MeProcess", "MPerson", "MeSecurity"}, true);
      shown = th ? 4 : 1;
      break;
    case 1:
      enable({"MBuy", "MEStock", "MRep", "MeProcess", "MPerson", "MSell"}, true);
      shown = th ? 5 : 2;
      break;
    case 2:
      enable({"MRep", "MeProcess", "MeCashier", "MSell"}, true);
      enable({"MSellYear", "MoSellMonth", "MBuy", "MDoBuy", "MSellDay", "Madd", "MAnalyze", "MEmpSale",
              "MEStock"},
             false);
      shown = th ? 6 : 3;
      break;
    default:
      break;  // not a level: the menus keep their design state and no toolbar shows
  }
  for (int n = 1; n <= 6; ++n) toolbars_[n - 1]->setVisible(n == shown);
}

void MHarvelmoquin::setMenuLanguage(plat::ui::Lang lang) {
  for (const MenuDef& d : menuTable())
    menus_.value(QString::fromLatin1(d.name))
        ->setText(lang == plat::ui::Lang::Thai && !d.thai.isEmpty() ? d.thai : d.english);
}

bool MHarvelmoquin::reachable(const QString& name) const {
  for (QString n = name; !n.isEmpty(); n = parents_.value(n))
    if (!enabled_.value(n)) return false;
  return true;
}

void MHarvelmoquin::setMenuEnabled(const QString& name, bool on) {
  enabled_.insert(name, on);
  menus_.value(name)->setEnabled(on);
}

void MHarvelmoquin::beforeCommand() {
  // The window that closed the shared connection (Backup, Load Data) goes at once, so the
  // command finds the connection open: the window manager's word that the main window is active
  // may come only after the click or the key.
  plat::FormRegistry::instance().mainWindowCommand();
}

void MHarvelmoquin::menuClick(const QString& name) {
  beforeCommand();
  // A shortcut key reaches an item also when a menu above it is disabled; such an item does nothing.
  if (!reachable(name)) return;
  if (name == QLatin1String("MeExit")) return MeExit_Click();
  if (name == QLatin1String("MeCashier")) return MeCashier_Click();
  if (name == QLatin1String("MeUse")) return MeUse_Click();
  if (name == QLatin1String("MReset")) return MReset_Click();
  if (name == QLatin1String("MProductValue")) return MProductValue_Click();
  const MenuDef* d = menuDef(name);
  if (d && d->form) plat::FormRegistry::instance().show(QString::fromLatin1(d->form));
}

void MHarvelmoquin::MeExit_Click() { unload(); }

void MHarvelmoquin::MeCashier_Click() {
  try {
    plat::FormRegistry::instance().show(QStringLiteral("MainForm"));
  } catch (const std::exception&) {
    // Opening the sale screen ignores its failures: the sale screen reports its own.
  }
}

void MHarvelmoquin::MeUse_Click() {
  auto& reg = plat::FormRegistry::instance();
  if (plat::Form* f = reg.form(QStringLiteral("MainForm"))) {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(f->parentWidget())) sub->hide();
    f->hide();
  }
  reg.show(QStringLiteral("SellForm"));
}

void MHarvelmoquin::MReset_Click() {
  if (stockReset()) stockReset()();
}

void MHarvelmoquin::MProductValue_Click() {
  beforeCommand();
  if (!reachable(QStringLiteral("MProductValue"))) return;
  plat::FormRegistry::instance().show(QStringLiteral("StockValue"));
}

bool MHarvelmoquin::toolbarActs(int n, const QString& key) {
  static const QStringList all = {"bsetting",   "bsell",      "bbuy",      "bstock", "bproduct",
                                  "bcustomers", "bsuppliers", "bsecurity", "bexit"};
  static const QStringList main = {"bsell",      "bbuy",       "bstock", "bproduct",
                                   "bcustomers", "bsuppliers", "bexit"};
  static const QStringList sale = {"bsell", "bstock", "bexit"};
  switch (n) {
    case 1:
    case 4:
      return all.contains(key);
    case 2:
    case 5:
      return main.contains(key);
    case 3:
    case 6:
      return sale.contains(key);
    default:
      return false;
  }
}

void MHarvelmoquin::toolbarClick(int n, const QString& key) {
  beforeCommand();
  if (!toolbarActs(n, key)) return;
  if (key == QLatin1String("bexit")) return unload();
  const ButtonDef* d = buttonDef(key);
  if (!d || !d->form) return;
  try {
    plat::FormRegistry::instance().show(QString::fromLatin1(d->form));
  } catch (const std::exception&) {
    plat::dialogs().message(
        n <= 2 ? L(QStringLiteral("เปิดหน้าขายซ้ำ"), QStringLiteral("Open duplicate sell window"))
               : L(QStringLiteral("เปิดหน้าต่างขายซ้ำ"), QStringLiteral("Open duplicate sell window")));
  }
}

void MHarvelmoquin::unload() {
  if (unloaded_) return;
  unloaded_ = true;
  // A child window whose unload fails is reported; the settings are written all the same, so the
  // program never ends without them (and Exit never becomes a key that does nothing).
  try {
    plat::FormRegistry::instance().unloadAll();
  } catch (const std::exception& e) {
    reportUncaught(failureText(e));
  }
  MDIForm_Unload();
  hide();
  emit unloaded();
}

void MHarvelmoquin::MDIForm_Unload() {
  QString error;
  if (!writeSettings(settings(), &error))
    plat::dialogs().message(
        L(QStringLiteral("บันทึกค่าที่กำหนดไม่ได้: "), QStringLiteral("The settings could not be saved: ")) + error,
        {}, plat::Icon::Critical);
}

void MHarvelmoquin::closeEvent(QCloseEvent* e) {
  unload();
  e->accept();
}

}  // namespace shell
