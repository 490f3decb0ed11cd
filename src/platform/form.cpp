#include "platform/form.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPixmapCache>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <QWindow>
#include <exception>
#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "platform/units.h"

namespace plat {

Form::Form(QWidget* parent) : QWidget(parent) {
  FormRegistry::instance();  // its keys serve every form, registered or not
}

QSize Form::clientTwips(const QSize& outerTwips) {
  // The frame of a sizable window is 60 twips a side, its caption bar 360 twips.
  return outerTwips - QSize(120, 480);
}

void Form::unload() {
  if (unloaded_) return;
  unloaded_ = true;
  FormRegistry::instance().forget(this);
  // The window goes also when its unload procedure fails, so no forgotten window stays on screen;
  // the failure is passed on to whoever reports it.
  struct Close {
    Form* f;
    ~Close() {
      if (auto* sub = qobject_cast<QMdiSubWindow*>(f->parentWidget())) {
        sub->setWidget(nullptr);
        sub->deleteLater();
      }
      f->hide();
      f->deleteLater();
      // The style keeps its painted frames and buttons keyed by each window's own palettes: those
      // of a window gone would fill the cache for the rest of the day. The windows on show paint
      // theirs again at their next paint.
      QPixmapCache::clear();
#ifdef __GLIBC__
      // A window that held many rows frees them in pieces the allocator keeps for itself: once it
      // is gone, give them back to the system, so a till open all day does not grow.
      QObject::connect(f, &QObject::destroyed, [] { malloc_trim(0); });
#endif
    }
  } close{this};
  Form_Unload();
}

void Form::placeFrameAt(const QPoint& p) {
  framePlace_ = p;
  framePlaceTries_ = 0;
  move(p);
}

void Form::settleFramePlace() {
  // The widget's own frame geometry is not to be trusted here: Qt takes the frame's size only from
  // a move or resize, and when the window manager's frame extents arrive after the last of those,
  // the widget goes on believing it has no frame. The platform window reads the extents afresh.
  QWindow* w = windowHandle();
  if (!w) return;
  const QMargins m = w->frameMargins();
  if (m.isNull()) return;  // not framed yet
  const QPoint client = *framePlace_ + QPoint(m.left(), m.top());
  // A few tries, so a window manager that keeps its own place is not fought for ever.
  if (w->geometry().topLeft() == client || ++framePlaceTries_ > 3) {
    framePlace_.reset();
    return;
  }
  setGeometry(QRect(client, size()));
}

bool Form::event(QEvent* e) {
  const QEvent::Type t = e->type();
  if (t == QEvent::WindowActivate) wasActive_ = true;
  if (framePlace_ && isWindow() &&
      (t == QEvent::Move || t == QEvent::Resize || t == QEvent::Show || t == QEvent::WindowActivate ||
       t == QEvent::Paint))
    settleFramePlace();
  return QWidget::event(e);
}

void Form::closeEvent(QCloseEvent* e) {
  e->accept();
  unload();
}

namespace {

// The room a caption has in w, and the caption's width in font f; false for other widgets.
bool captionRoom(const QWidget* w, const QFont& f, int* room, int* width) {
  QString text;
  int padding = 0;
  if (const auto* l = qobject_cast<const QLabel*>(w)) {
    if (l->wordWrap() || l->textFormat() == Qt::RichText || !l->pixmap().isNull()) return false;
    text = l->text();
    padding = 2 * l->margin() + 2;  // a gap, so captions side by side do not run together
  } else if (const auto* b = qobject_cast<const QPushButton*>(w)) {
    if (!b->icon().isNull()) return false;
    text = b->text();
    text.remove(QRegularExpression(QStringLiteral("&(?!&)")));  // the underline marks take no room
    padding = 12;                                               // the button's frame and margins
  } else {
    return false;
  }
  if (text.isEmpty() || text.contains(QLatin1Char('\n'))) return false;
  *room = w->width() - padding;
  *width = QFontMetrics(f).horizontalAdvance(text);
  return true;
}

}  // namespace

bool captionFits(const QWidget* w) {
  int room = 0, width = 0;
  return !captionRoom(w, w->font(), &room, &width) || width <= room;
}

void fitCaptions(QWidget* root) {
  QList<QWidget*> all = root->findChildren<QWidget*>();
  all.prepend(root);
  for (QWidget* w : all) {
    QFont f = w->font();
    const QVariant base = w->property("captionPointSize");
    if (base.isValid()) f.setPointSizeF(base.toDouble());
    int room = 0, width = 0;
    if (!captionRoom(w, f, &room, &width)) continue;
    if (!base.isValid()) w->setProperty("captionPointSize", f.pointSizeF());
    while (width > room && f.pointSizeF() > 6) {
      f.setPointSizeF(f.pointSizeF() - 0.25);
      captionRoom(w, f, &room, &width);
    }
    if (f != w->font()) w->setFont(f);
  }
}

Form* formOf(QWidget* w) {
  for (; w; w = w->parentWidget())
    if (auto* f = qobject_cast<Form*>(w)) return f;
  return nullptr;
}

FormRegistry& FormRegistry::instance() {
  static FormRegistry* r = new FormRegistry;
  return *r;
}

FormRegistry::FormRegistry() {
  QObject::connect(qApp, &QApplication::focusChanged, this,
                   [this](QWidget*, QWidget* now) { onActivated(now); });
  // A window manager may activate the main window with no control of it taking the focus (a
  // click on its caption, background or toolbar): that is an activation all the same.
  QObject::connect(qApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow* w) {
    if (!w || !mdi_ || !mdi_->window()->windowHandle() || w != mdi_->window()->windowHandle()) return;
    // Once the activation has settled: closing a window's own message box may pass through the
    // main window on its way back.
    QTimer::singleShot(0, this, [this] {
      if (!mdi_ || !mdi_->window()->windowHandle() ||
          QGuiApplication::focusWindow() != mdi_->window()->windowHandle())
        return;
      QMdiSubWindow* sub = mdi_->activeSubWindow();
      unloadDeactivated(sub ? qobject_cast<Form*>(sub->widget()) : nullptr, true);
    });
  });
  qApp->installEventFilter(this);
}

namespace {

// The button of form f whose underlined letter is the key k (Alt with a letter or digit), or
// nullptr. Only buttons the user can see count.
QAbstractButton* mnemonicButton(Form* f, const QKeyEvent* k) {
  if (!f || (k->modifiers() & ~Qt::KeypadModifier) != Qt::AltModifier) return nullptr;
  if (k->key() < Qt::Key_0 || k->key() > Qt::Key_Z) return nullptr;
  const QKeySequence pressed(QKeyCombination(Qt::AltModifier, Qt::Key(k->key())));
  for (QAbstractButton* b : f->findChildren<QAbstractButton*>()) {
    if (formOf(b) != f || !b->isVisibleTo(f)) continue;
    if (QKeySequence::mnemonic(b->text()) == pressed) return b;
  }
  return nullptr;
}

}  // namespace

bool FormRegistry::pressedOnMainWindow(QWidget* w) const {
  if (!mdi_ || w->window() != mdi_->window()) return false;
  // Its menu bar only opens a menu and a toolbar button does what it opens (showing the window
  // already open keeps it as it is); a window inside the area is a window of its own.
  if (qobject_cast<QAbstractButton*>(w)) return false;
  for (QWidget* p = w; p && p != mdi_->window(); p = p->parentWidget())
    if (qobject_cast<QMdiSubWindow*>(p) || qobject_cast<QMenuBar*>(p)) return false;
  return true;
}

bool FormRegistry::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::Polish:
      // A push button presses on Enter when it is an auto-default one, also outside a dialog;
      // its own key procedures still see the key first.
      if (auto* b = qobject_cast<QPushButton*>(watched); b && formOf(b)) b->setAutoDefault(true);
      break;
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress: {
      // Seen once, at the widget with the focus, before it and its parents handle the key.
      if (!watched->isWidgetType() || watched != QApplication::focusWidget()) break;
      auto* k = static_cast<QKeyEvent*>(event);
      QAbstractButton* b = mnemonicButton(formOf(QApplication::focusWidget()), k);
      if (!b) break;
      if (event->type() == QEvent::ShortcutOverride) {
        event->accept();  // the key comes as a key press, not as the main window's menu key
        return true;
      }
      // Pressed at once, as a click would: what is typed next must find the button's work done.
      if (b->isEnabled() && b->isVisible()) b->click();
      return true;
    }
    case QEvent::MouseButtonPress:
      // A click on the main window itself (its background, toolbar or status bar) leaves the
      // window active inside it, though the main window held the activation all along.
      if (watched->isWidgetType() && pressedOnMainWindow(static_cast<QWidget*>(watched)))
        unloadDeactivated(nullptr, true);
      break;
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}

void FormRegistry::add(const QString& name, Factory factory) { factories_.insert(name, std::move(factory)); }

Form* FormRegistry::loaded(const QString& name) const {
  auto it = forms_.find(name);
  return it == forms_.end() ? nullptr : it->data();
}

Form* FormRegistry::form(const QString& name) {
  if (Form* f = loaded(name)) return f;
  auto it = factories_.find(name);
  if (it == factories_.end()) return nullptr;
  Form* f = (*it)();
  f->setObjectName(name);
  forms_.insert(name, f);
  QObject::connect(f, &QObject::destroyed, this, [this, name]() {
    auto i = forms_.find(name);
    if (i != forms_.end() && i->isNull()) forms_.erase(i);
  });
  try {
    f->Form_Load();
  } catch (...) {
    // A form whose load failed is not loaded.
    forget(f);
    delete f;
    throw;
  }
  return f;
}

void FormRegistry::forget(Form* f) {
  for (auto it = forms_.begin(); it != forms_.end();) {
    if (it->data() == f)
      it = forms_.erase(it);
    else
      ++it;
  }
}

Form* FormRegistry::show(const QString& name) {
  Form* f = form(name);
  if (!f) return nullptr;
  struct Showing {
    QPointer<Form>& slot;
    ~Showing() { slot = nullptr; }
  } showing{showing_};
  showing_ = f;
  if (!f->isTopLevelWindow() && mdi_) {
    auto* sub = qobject_cast<QMdiSubWindow*>(f->parentWidget());
    if (!sub) {
      sub = mdi_->addSubWindow(f);
      sub->setAttribute(Qt::WA_DeleteOnClose, false);
      place(f, sub);
    }
    if (f->opensMaximized())
      sub->showMaximized();
    else
      sub->show();
    f->show();
    mdi_->setActiveSubWindow(sub);
  } else {
    if (f->isTopLevelWindow()) f->setWindowFlag(Qt::Window, true);
    if (f->isTopLevelWindow() && mdi_ && !f->isVisible()) keepAbove(f, mdi_->window());
    if (!f->property("placed").toBool()) {
      f->setProperty("placed", true);
      place(f, nullptr);
    }
    if (f->opensMaximized())
      f->showMaximized();
    else
      f->show();
    f->raise();
    f->activateWindow();
  }
  showing_ = nullptr;
  // The keys go to the window shown, also when showing it moved no focus into it.
  if (formOf(QApplication::focusWidget()) != f) {
    QWidget* target = f->focusWidget();
    for (QWidget* w = f->nextInFocusChain(); !target && w && w != f; w = w->nextInFocusChain())
      if (formOf(w) == f && (w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(f) && w->isEnabled())
        target = w;
    if (target) target->setFocus(Qt::ActiveWindowFocusReason);
  }
  onActivated(f);
  return f;
}

void FormRegistry::keepAbove(Form* f, QWidget* mainWindow) {
  // A window manager keeps a dialog transient for a window above it, whatever is clicked; the
  // main window is not made its parent, which would disable the window with it.
  if (f->windowType() != Qt::Dialog)
    f->setWindowFlags((f->windowFlags() & ~Qt::WindowType_Mask) | Qt::Dialog);
  mainWindow->winId();
  f->winId();
  if (f->windowHandle() && mainWindow->windowHandle())
    f->windowHandle()->setTransientParent(mainWindow->windowHandle());
}

void FormRegistry::place(Form* f, QMdiSubWindow* sub) {
  const QRect g = f->designGeometry();
  if (g.isNull()) return;
  // Never smaller than the form's controls need, should the style's captions take more room.
  const QSize client =
      QSize(twipsToPx(Form::clientTwips(g.size()).width()), twipsToPx(Form::clientTwips(g.size()).height()))
          .expandedTo(f->minimumSizeHint());
  const QPoint at(twipsToPx(g.left()), twipsToPx(g.top()));
  if (sub) {
    // The frame a subwindow draws is known once it is polished; the form gets the whole client
    // area it was laid out for, whatever the style's frame and caption take.
    sub->ensurePolished();
    const QMargins m = sub->contentsMargins();
    sub->setGeometry(QRect(at, client + QSize(m.left() + m.right(), m.top() + m.bottom())));
    return;
  }
  f->resize(client);
  f->placeFrameAt(at);
}

void FormRegistry::unload(const QString& name) {
  if (Form* f = loaded(name)) {
    forms_.remove(name);
    f->unload();
  }
}

void FormRegistry::unloadAll() {
  // Every form is unloaded even when one's unload fails; the first failure is passed on after.
  std::exception_ptr first;
  const auto names = forms_.keys();
  for (const auto& n : names) {
    try {
      unload(n);
    } catch (...) {
      if (!first) first = std::current_exception();
    }
  }
  if (first) std::rethrow_exception(first);
}

void FormRegistry::setMdiArea(QMdiArea* area) {
  mdi_ = area;
  if (area) {
    // A window opens at its own size over a maximized one rather than maximized with it.
    area->setOption(QMdiArea::DontMaximizeSubWindowOnActivation);
    QObject::connect(area, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* sub) {
      if (sub && sub->widget()) onActivated(sub->widget());
    });
  }
}

namespace {
// Whether w is a window that form opened as its own (w's parents lead to form).
bool owns(const Form* form, const QWidget* w) {
  for (const QWidget* p = w->parentWidget(); p; p = p->parentWidget())
    if (p == form) return true;
  return false;
}
}  // namespace

// Another window of the program became active: unload the forms that go away on deactivation.
// Message boxes and dialogs of a form belong to the form's own window and do not count.
void FormRegistry::onActivated(QWidget* nowActive) {
  if (!nowActive) return;
  Form* active = formOf(nowActive);
  if (!active) return;  // a message box, a dialog or the main window frame itself
  if (showing_ && active != showing_) return;
  unloadDeactivated(active, false);
}

void FormRegistry::mainWindowCommand() {
  if (!mdi_) return;
  // The window the main window holds active, also while a window outside it has the activation.
  QMdiSubWindow* sub = mdi_->currentSubWindow();
  unloadDeactivated(sub ? qobject_cast<Form*>(sub->widget()) : nullptr, true, true);
}

void FormRegistry::unloadDeactivated(Form* active, bool mainWindow, bool command) {
  const auto all = forms_.values();
  for (const auto& p : all) {
    Form* f = p.data();
    if (!f || f == active || !f->unloadsOnDeactivate() || !f->isVisible()) continue;
    // A top-level window that has not yet been active is still on its way to the front.
    if (mainWindow && !command && f->isTopLevelWindow() && !f->wasActive_) continue;
    if (active && owns(f, active)) continue;  // a window the form opened as its own dialog
    bool editing = false;                     // the form's editor, which it opened and waits on
    for (Form* o = active ? active->ownerForm() : nullptr; o && !editing; o = o->ownerForm())
      editing = o == f;
    // While an editor it opened is open, the form stays too, whatever window is active.
    for (const auto& e : all)
      if (e && e.data() != f && e->ownerForm() == f && e->isVisible()) editing = true;
    if (editing) continue;
    forms_.remove(f->objectName());
    f->unload();
  }
}

namespace {
bool holdsActivation(QWidget* window) {
  if (window->isActiveWindow() || !window->isVisible() || QApplication::activeModalWidget()) return true;
  for (QWidget* w = QApplication::activeWindow(); w; w = w->parentWidget())
    if (w == window) return true;
  return false;
}
}  // namespace

void whenActivationLost(QWidget* window, const std::function<void()>& onLost) {
  QPointer<QWidget> guard(window);
  QTimer::singleShot(0, window, [guard, onLost] {
    if (!guard || holdsActivation(guard)) return;
    if (QApplication::activeWindow()) {
      onLost();
      return;
    }
    QTimer::singleShot(250, guard, [guard, onLost] {
      if (guard && !holdsActivation(guard)) onLost();
    });
  });
}

}  // namespace plat
