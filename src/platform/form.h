#pragma once
// The base of every window of the program, and the registry that creates each window on first
// use, reuses it, and forgets it when it unloads.
#include <QHash>
#include <QMdiArea>
#include <QPointer>
#include <QRect>
#include <QWidget>
#include <functional>
#include <optional>

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
  // Where the window opens, in twips: left and top in the main window's client area (on the
  // screen for a top-level window), and its outer width and height, frame and caption included.
  // The registry places it there when it first shows it, and a maximized window goes back there
  // when restored. A null rectangle: the form places itself.
  virtual QRect designGeometry() const { return {}; }
  // The part of designGeometry() inside the frame and caption: what the form's own controls get.
  static QSize clientTwips(const QSize& outerTwips);

  // Closes and destroys the form (its subwindow too); the registry forgets it.
  void unload();

  // The form that opened this one as its editor: activating this form does not count as the owner
  // losing activation, so the owner stays loaded while its editor is in front.
  void setOwnerForm(Form* owner) { owner_ = owner; }
  Form* ownerForm() const { return owner_; }

  // Puts a top-level window's frame, caption included, at p on the screen. A window manager frames
  // a window only after it is shown, so the place is taken again once the frame is known.
  void placeFrameAt(const QPoint& p);

 protected:
  void closeEvent(QCloseEvent* e) override;
  bool event(QEvent* e) override;

 private:
  friend class FormRegistry;
  bool unloaded_ = false;
  bool wasActive_ = false;  // has been the active window once
  // Moves the window so its frame is at framePlace_ once the window manager has framed it.
  void settleFramePlace();
  std::optional<QPoint> framePlace_;
  int framePlaceTries_ = 0;
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

  // A command of the main window (a menu item, a toolbar button, a key) is about to run: the main
  // window is the active one, whatever the window manager has still to report, so the windows that
  // go when it becomes active go now, before the command meets what they hold (Backup and Load
  // Data keep the shared connection closed). The window active inside the main window stays.
  void mainWindowCommand();

  void setMdiArea(QMdiArea* area);
  QMdiArea* mdiArea() const { return mdi_; }

  // Every registered name, in no particular order.
  QStringList names() const { return factories_.keys(); }

 protected:
  // Keys every form of the program shares: Enter on a focused button presses it, and Alt with a
  // button's underlined letter presses that button while its form is active, before any menu of
  // the main window sees the key.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  friend class Form;
  FormRegistry();
  void onActivated(QWidget* nowActive);
  // Unloads the forms that go when active (nullptr: the main window itself) is activated;
  // mainWindow: the window manager activated the main window; command: the user gave the main
  // window a command, so also a window still on its way to the front goes.
  void unloadDeactivated(Form* active, bool mainWindow, bool command = false);
  // Whether a mouse press on w is a click on the main window itself, outside its windows.
  bool pressedOnMainWindow(QWidget* w) const;
  // Makes the top-level window f stay above the main window while it is shown.
  static void keepAbove(Form* f, QWidget* mainWindow);
  // Drops f at once, so a form unloaded by its own button is not handed out again while it waits
  // for deletion.
  void forget(Form* f);
  // Puts a window shown for the first time at its design place and size.
  void place(Form* f, QMdiSubWindow* sub);
  QHash<QString, Factory> factories_;
  QHash<QString, QPointer<Form>> forms_;
  QPointer<QMdiArea> mdi_;
  // The form being shown: focus moves that Qt makes while it lays out the area (into a window
  // restored from maximized, say) are not the user activating another window.
  QPointer<Form> showing_;
};

// The form that holds widget w (w itself, or its nearest Form ancestor), or nullptr.
Form* formOf(QWidget* w);

// For a window that closes when it loses activation: runs onLost once the activation has settled
// and neither the window nor a window of its own (its message boxes) holds it. While no window of
// the program is active (a message box just closed, the next activation still on its way) the
// check waits a moment and looks again, so closing its own box never closes the window.
void whenActivationLost(QWidget* window, const std::function<void()>& onLost);

// Makes the caption of every one-line label and push button under root fit its control: a caption
// wider than its place is drawn a little smaller (down to 6 points), never cut. Run it again after
// captions change; a caption that fits again gets its own size back.
void fitCaptions(QWidget* root);
// Whether w's caption, in its font, fits inside w with room to spare (labels and push buttons).
bool captionFits(const QWidget* w);

}  // namespace plat
