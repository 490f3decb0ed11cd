#pragma once
// The base of every window of the program, and the registry that creates each window on first
// use, reuses it, and forgets it when it unloads.
#include <QHash>
#include <QMdiArea>
#include <QPointer>
#include <QWidget>
#include <functional>

class QMdiSubWindow;

namespace plat {

class Form : public QWidget {
  Q_OBJECT
 public:
  explicit Form(QWidget* parent = nullptr);

  // Run once, right after the form is created (also when it is created hidden).
  virtual void Form_Load() {}
  // Run when the form unloads (closed, its Exit button, or losing activation).
  virtual void Form_Unload() {}

  // Where and how the form opens.
  virtual bool isTopLevelWindow() const { return false; }  // login, editors, dialogs
  virtual bool opensMaximized() const { return false; }
  // Unloads itself when another window of this program becomes active.
  virtual bool unloadsOnDeactivate() const { return false; }

  // Closes and destroys the form (its subwindow too); the registry forgets it.
  void unload();

  // The form that opened this one as its editor: activating this form does not count as the owner
  // losing activation, so the owner stays loaded while its editor is in front.
  void setOwnerForm(Form* owner) { owner_ = owner; }
  Form* ownerForm() const { return owner_; }

 protected:
  void closeEvent(QCloseEvent* e) override;

 private:
  bool unloaded_ = false;
  QPointer<Form> owner_;
};

class FormRegistry : public QObject {
  Q_OBJECT
 public:
  using Factory = std::function<Form*()>;
  static FormRegistry& instance();

  void add(const QString& name, Factory factory);
  bool has(const QString& name) const { return factories_.contains(name); }

  // The loaded form, or nullptr.
  Form* loaded(const QString& name) const;
  // The form, created hidden (its Form_Load runs) when not loaded. nullptr when not registered.
  Form* form(const QString& name);
  // Creates on first use, shows and activates the form. nullptr when not registered.
  Form* show(const QString& name);
  // Unloads the form when it is loaded.
  void unload(const QString& name);
  // Unloads every loaded form; should one's unload fail, the others still unload and the first
  // failure is thrown afterwards.
  void unloadAll();

  void setMdiArea(QMdiArea* area);
  QMdiArea* mdiArea() const { return mdi_; }

 private:
  friend class Form;
  FormRegistry();
  void onActivated(QWidget* nowActive);
  // Drops f at once, so a form unloaded by its own button is not handed out again while it waits
  // for deletion.
  void forget(Form* f);
  QHash<QString, Factory> factories_;
  QHash<QString, QPointer<Form>> forms_;
  QPointer<QMdiArea> mdi_;
  // The form being shown: focus moves that Qt makes while it lays out the area (into a window
  // restored from maximized, say) are not the user activating another window.
  QPointer<Form> showing_;
};

// The form that holds widget w (w itself, or its nearest Form ancestor), or nullptr.
Form* formOf(QWidget* w);

}  // namespace plat
