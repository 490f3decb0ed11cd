#pragma once
// The main window: the multiple-document parent with the menu bar, six toolbars (exactly one shown,
// by permission level and language) and a four-panel status bar. Its load opens the shared
// connection and reads the whole settings record; its unload writes the settings file.
#include <QAction>
#include <QHash>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QShortcut>
#include <QToolBar>
#include <functional>

#include "platform/ui_lang.h"

namespace shell {

class MHarvelmoquin : public QMainWindow {
  Q_OBJECT
 public:
  MHarvelmoquin();
  ~MHarvelmoquin() override;

  // The main window while it exists, else nullptr (for the windows that unload, disable or
  // re-enable it).
  static MHarvelmoquin* current();

  // Start-up. False with the reason when a step fails; the program must then end without
  // writing the settings.
  bool MDIForm_Load(QString* error);
  // Applies the permission level of the session to the menus and toolbars.
  void PerMisSet();
  // Unloads the child windows, then writes the settings (a failure is shown in a message box)
  // and closes the window. Emits unloaded().
  void unload();
  bool isUnloaded() const { return unloaded_; }

  // A menu control by its name ("MeFile", "MBill", ...); a submenu's action for a submenu.
  QAction* menuItem(const QString& name) const;
  QStringList menuNames() const;
  // The registered name of the window a menu item shows, or an empty text.
  static QString menuForm(const QString& name);
  // A menu control's enabled flag. Qt reports every hidden action as disabled; this is the flag
  // itself, as the design and the permission level set it.
  bool menuEnabled(const QString& name) const { return enabled_.value(name); }
  // Toolbar1 to Toolbar6.
  QToolBar* toolbar(int n) const;
  // The button of toolbar n by its key ("bsell"), or of the toolbar shown when n is 0.
  QAction* toolbarButton(const QString& key, int n = 0) const;
  // The number of the one toolbar shown, 0 when none is.
  int shownToolbar() const;
  // Status bar panels 1 to 4.
  QString panelText(int n) const;
  QMdiArea* mdiArea() const { return mdi_; }

  // Menu item click procedures that do more than show their window.
  void MeExit_Click();
  void MeCashier_Click();
  void MeUse_Click();
  void MReset_Click();
  void MProductValue_Click();
  // Toolbar click procedures, by the clicked button's key.
  void Toolbar1_ButtonClick(const QString& key) { toolbarClick(1, key); }
  void Toolbar2_ButtonClick(const QString& key) { toolbarClick(2, key); }
  void Toolbar3_ButtonClick(const QString& key) { toolbarClick(3, key); }
  void Toolbar4_ButtonClick(const QString& key) { toolbarClick(4, key); }
  void Toolbar5_ButtonClick(const QString& key) { toolbarClick(5, key); }
  void Toolbar6_ButtonClick(const QString& key) { toolbarClick(6, key); }

  // Whether toolbar n's click procedure handles key.
  static bool toolbarActs(int n, const QString& key);

  // The stock reset run by "Reset Stock = 0" (set by the code that owns it; nothing until then).
  static void setStockReset(std::function<void()> procedure);

 signals:
  void unloaded();

 protected:
  void closeEvent(QCloseEvent* e) override;

 private:
  void buildMenus();
  void buildToolbars();
  void buildStatusBar();
  // Gives every menu item its caption in lang (an item with no Thai caption keeps its English one).
  void setMenuLanguage(plat::ui::Lang lang);
  // Run first by every menu item, toolbar button and key of the main window.
  void beforeCommand();
  void menuClick(const QString& name);
  void toolbarClick(int n, const QString& key);
  // Whether an item can act now: it and every menu above it are enabled.
  bool reachable(const QString& name) const;
  void setMenuEnabled(const QString& name, bool on);
  void MDIForm_Unload();

  QMdiArea* mdi_ = nullptr;
  QHash<QString, QAction*> menus_;
  QHash<QString, QString> parents_;
  QHash<QString, bool> enabled_;
  QStringList order_;
  QToolBar* toolbars_[6] = {};
  QHash<QString, QAction*> buttons_[6];
  QLabel* panels_[4] = {};
  QShortcut* productValueKey_ = nullptr;
  bool unloaded_ = false;
};

}  // namespace shell
