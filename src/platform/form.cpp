#include "platform/form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <exception>

namespace plat {

Form::Form(QWidget* parent) : QWidget(parent) {}

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
    }
  } close{this};
  Form_Unload();
}

void Form::closeEvent(QCloseEvent* e) {
  e->accept();
  unload();
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
    }
    if (f->opensMaximized())
      sub->showMaximized();
    else
      sub->show();
    f->show();
    mdi_->setActiveSubWindow(sub);
  } else {
    if (f->isTopLevelWindow()) f->setWindowFlag(Qt::Window, true);
    if (f->opensMaximized())
      f->showMaximized();
    else
      f->show();
    f->raise();
    f->activateWindow();
  }
  showing_ = nullptr;
  onActivated(f);
  return f;
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
  const auto all = forms_.values();
  for (const auto& p : all) {
    Form* f = p.data();
    if (!f || f == active || !f->unloadsOnDeactivate() || !f->isVisible()) continue;
    if (owns(f, active)) continue;  // a window the form opened as its own dialog
    bool editing = false;           // the form's editor, which it opened and waits on
    for (Form* o = active->ownerForm(); o && !editing; o = o->ownerForm()) editing = o == f;
    if (editing) continue;
    forms_.remove(f->objectName());
    f->unload();
  }
}

}  // namespace plat
