#include "platform/form.h"

#include <gtest/gtest.h>
#include <malloc.h>

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QVBoxLayout>
#include <functional>
#include <stdexcept>

#include "support/testenv.h"

using plat::Form;
using plat::FormRegistry;

namespace {

struct Counts {
  int created = 0;
  int loads = 0;
  int unloads = 0;
};

class TestForm : public Form {
 public:
  TestForm(Counts* c, bool unloadsOnDeactivate, bool topLevel)
      : c_(c), deactivates_(unloadsOnDeactivate), topLevel_(topLevel) {
    ++c_->created;
    auto* lay = new QVBoxLayout(this);
    txtName = new QLineEdit(this);
    lay->addWidget(txtName);
  }
  void Form_Load() override { ++c_->loads; }
  void Form_Unload() override { ++c_->unloads; }
  bool unloadsOnDeactivate() const override { return deactivates_; }
  bool isTopLevelWindow() const override { return topLevel_; }
  QLineEdit* txtName;

 private:
  Counts* c_;
  bool deactivates_;
  bool topLevel_;
};

class BrokenForm : public Form {
 public:
  void Form_Load() override { throw std::runtime_error("load failed"); }
};

// A child window whose unload procedure fails (a port that will not close, say).
class FailingUnloadForm : public Form {
 public:
  void Form_Unload() override { throw std::runtime_error("unload failed"); }
};

FormRegistry& reg() { return FormRegistry::instance(); }

// Runs the deletions that unloading asked for.
void flushDeletes() {
  testenv::pump();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Registers a form under a name of its own for this test.
QString addForm(const QString& name, Counts* c, bool unloadsOnDeactivate = false, bool topLevel = true) {
  reg().add(name, [=] { return new TestForm(c, unloadsOnDeactivate, topLevel); });
  return name;
}

// Makes w's window the active one and puts the focus into w, as a click would.
void activate(QWidget* w) {
  w->window()->show();
  w->window()->activateWindow();
  QApplication::setActiveWindow(w->window());
  w->setFocus(Qt::OtherFocusReason);
  testenv::pump(20);
}

}  // namespace

TEST(FormRegistry, CreatesOnFirstUseAndReuses) {
  Counts c;
  const QString name = addForm("RegReuseForm", &c);
  EXPECT_EQ(reg().loaded(name), nullptr);
  EXPECT_EQ(reg().form("NoSuchForm"), nullptr);
  EXPECT_EQ(reg().show("NoSuchForm"), nullptr);

  Form* hidden = reg().form(name);  // created hidden; its load runs
  ASSERT_NE(hidden, nullptr);
  EXPECT_FALSE(hidden->isVisible());
  EXPECT_EQ(c.loads, 1);
  EXPECT_EQ(hidden->objectName(), name);
  EXPECT_EQ(reg().loaded(name), hidden);

  EXPECT_EQ(reg().show(name), hidden);  // the same form, now shown, not loaded again
  EXPECT_TRUE(hidden->isVisible());
  EXPECT_EQ(reg().form(name), hidden);
  EXPECT_EQ(c.created, 1);
  EXPECT_EQ(c.loads, 1);

  reg().unload(name);
  EXPECT_EQ(c.unloads, 1);
  EXPECT_EQ(reg().loaded(name), nullptr);
  Form* again = reg().show(name);
  EXPECT_EQ(c.created, 2);
  EXPECT_EQ(c.loads, 2);
  EXPECT_EQ(reg().loaded(name), again);
  reg().unload(name);
  flushDeletes();
}

TEST(FormRegistry, ForgetsAFormThatUnloadsItself) {
  Counts c;
  const QString name = addForm("RegSelfUnloadForm", &c);
  QPointer<Form> f = reg().show(name);
  f->unload();  // its own Close button
  EXPECT_EQ(c.unloads, 1);
  EXPECT_EQ(reg().loaded(name), nullptr);  // at once, not only when deleted
  Form* fresh = reg().show(name);
  EXPECT_NE(fresh, f.data());
  EXPECT_EQ(c.loads, 2);
  flushDeletes();
  EXPECT_TRUE(f.isNull());
  EXPECT_EQ(reg().loaded(name), fresh);  // the old form's deletion does not drop the new one
  fresh->close();                        // the window's close box unloads it too
  EXPECT_EQ(c.unloads, 2);
  EXPECT_EQ(reg().loaded(name), nullptr);
  flushDeletes();
}

TEST(FormRegistry, FailedLoadLeavesNothingLoaded) {
  reg().add("RegBrokenForm", [] { return new BrokenForm; });
  EXPECT_THROW(reg().form("RegBrokenForm"), std::runtime_error);
  EXPECT_EQ(reg().loaded("RegBrokenForm"), nullptr);
}

TEST(FormRegistry, AFailingUnloadStillClosesTheWindowAndUnloadAllReachesEveryForm) {
  QMainWindow main;
  auto* mdi = new QMdiArea(&main);
  main.setCentralWidget(mdi);
  reg().setMdiArea(mdi);
  main.show();
  reg().add("RegFailingUnload", [] { return new FailingUnloadForm; });
  Counts c;
  const QString other = addForm("RegBesideFailing", &c, false, /*topLevel=*/false);

  QPointer<Form> f = reg().show("RegFailingUnload");
  EXPECT_THROW(f->unload(), std::runtime_error);
  EXPECT_EQ(reg().loaded("RegFailingUnload"), nullptr);
  EXPECT_FALSE(f->isVisible());
  flushDeletes();
  EXPECT_TRUE(f.isNull());
  EXPECT_TRUE(mdi->subWindowList().isEmpty());

  reg().show("RegFailingUnload");
  reg().show(other);
  EXPECT_THROW(reg().unloadAll(), std::runtime_error);
  EXPECT_EQ(c.unloads, 1);  // the failure of one does not keep the other loaded
  EXPECT_EQ(reg().loaded(other), nullptr);
  EXPECT_EQ(reg().loaded("RegFailingUnload"), nullptr);
  flushDeletes();
  EXPECT_TRUE(mdi->subWindowList().isEmpty());
  reg().setMdiArea(nullptr);
}

TEST(FormRegistry, UnloadsOnDeactivateWhenAnotherFormBecomesActive) {
  Counts a, b;
  const QString nameA = addForm("RegDeactA", &a, /*unloadsOnDeactivate=*/true);
  const QString nameB = addForm("RegDeactB", &b);
  Form* fa = reg().show(nameA);
  activate(fa->findChild<QLineEdit*>());
  EXPECT_EQ(a.unloads, 0);

  // Its own question and its own dialog do not count as leaving it.
  {
    QMessageBox box(QMessageBox::Question, "", "Do you want to delete user",
                    QMessageBox::Yes | QMessageBox::No, fa);
    activate(box.button(QMessageBox::Yes));
    EXPECT_EQ(QApplication::focusWidget(), box.button(QMessageBox::Yes));
    QDialog dlg(fa);
    auto* edit = new QLineEdit(&dlg);
    activate(edit);
    EXPECT_EQ(QApplication::focusWidget(), edit);
  }
  activate(fa->findChild<QLineEdit*>());
  EXPECT_EQ(a.unloads, 0);
  EXPECT_EQ(reg().loaded(nameA), fa);

  // Another form of the program becoming active does.
  Form* fb = reg().form(nameB);
  activate(fb->findChild<QLineEdit*>());
  EXPECT_EQ(a.unloads, 1);
  EXPECT_EQ(reg().loaded(nameA), nullptr);
  EXPECT_EQ(reg().loaded(nameB), fb);  // B does not go away on deactivation
  Form* fa2 = reg().show(nameA);
  EXPECT_EQ(a.loads, 2);
  activate(fa2->findChild<QLineEdit*>());
  EXPECT_EQ(b.unloads, 0);
  reg().unload(nameA);
  reg().unload(nameB);
  flushDeletes();
}

TEST(FormRegistry, ChildWindowsOfTheMainWindow) {
  QMainWindow main;
  auto* mdi = new QMdiArea(&main);
  main.setCentralWidget(mdi);
  reg().setMdiArea(mdi);
  main.show();
  Counts a, b, hidden;
  const QString nameA = addForm("RegMdiA", &a, true, /*topLevel=*/false);
  const QString nameB = addForm("RegMdiB", &b, false, false);
  const QString nameH = addForm("RegMdiHidden", &hidden, true, false);
  reg().form(nameH);  // loaded hidden, never shown: nothing to deactivate

  Form* fa = reg().show(nameA);
  ASSERT_NE(qobject_cast<QMdiSubWindow*>(fa->parentWidget()), nullptr);
  activate(fa->findChild<QLineEdit*>());
  EXPECT_EQ(a.unloads, 0);
  // A message box over the main window (the active window of a child form) does not count.
  {
    QMessageBox box(QMessageBox::Warning, "", "Error in Stock", QMessageBox::Ok, &main);
    activate(box.button(QMessageBox::Ok));
  }
  EXPECT_EQ(a.unloads, 0);
  reg().show(nameB);
  testenv::pump(20);
  EXPECT_EQ(a.unloads, 1);
  EXPECT_EQ(reg().loaded(nameA), nullptr);
  EXPECT_EQ(hidden.unloads, 0);
  EXPECT_EQ(mdi->subWindowList().size(), 1);
  reg().unloadAll();
  flushDeletes();
  EXPECT_EQ(mdi->subWindowList().size(), 0);
  reg().setMdiArea(nullptr);
}

// A press of the mouse on the main window itself leaves the window active inside it; a press
// inside that window or on the menu bar does not.
TEST(FormRegistry, APressOnTheMainWindowItselfUnloadsTheWindowInsideIt) {
  QMainWindow main;
  auto* mdi = new QMdiArea(&main);
  main.setCentralWidget(mdi);
  auto* bar = main.addToolBar(QStringLiteral("bar"));
  QAction* reopen = bar->addAction(QStringLiteral("Again"));
  main.menuBar()->addMenu(QStringLiteral("&File"));
  main.statusBar()->showMessage(QStringLiteral("ready"));
  reg().setMdiArea(mdi);
  main.resize(800, 600);
  main.show();
  Counts c;
  const QString name = addForm("RegPressed", &c, true, /*topLevel=*/false);
  struct Case {
    const char* where;
    std::function<QWidget*(Form*)> target;
    bool unloads;
  };
  const Case cases[] = {
      {"the area's background", [&](Form*) { return mdi->viewport(); }, true},
      {"the toolbar", [&](Form*) { return static_cast<QWidget*>(bar); }, true},
      {"the status bar", [&](Form*) { return static_cast<QWidget*>(main.statusBar()); }, true},
      {"a toolbar button", [&](Form*) { return bar->widgetForAction(reopen); }, false},
      {"the menu bar", [&](Form*) { return static_cast<QWidget*>(main.menuBar()); }, false},
      {"the window's own box", [](Form* f) { return static_cast<QWidget*>(f->findChild<QLineEdit*>()); },
       false},
      {"the window's frame", [](Form* f) { return f->parentWidget(); }, false},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.where);
    const int before = c.unloads;
    Form* f = reg().show(name);
    activate(f->findChild<QLineEdit*>());
    QWidget* target = k.target(f);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2), target->mapToGlobal(QPointF(2, 2)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    flushDeletes();
    EXPECT_EQ(c.unloads - before, k.unloads ? 1 : 0);
    EXPECT_EQ(reg().loaded(name) == nullptr, k.unloads);
    reg().unload(name);
    flushDeletes();
  }
  reg().setMdiArea(nullptr);
}

namespace {

// A child window with buttons as forms lay them out: one on the form, one in a frame, and one
// made after the window was shown; "&Finish" and "&Receive" share their letters with the main
// window's "&File" and "&Report".
class ButtonForm : public Form {
 public:
  ButtonForm() {
    txtBar = new QLineEdit(this);
    txtBar->setGeometry(10, 10, 100, 24);
    cmdFinish = new QPushButton(QStringLiteral("&Finish"), this);
    cmdFinish->setGeometry(10, 40, 80, 30);
    auto* frame = new QFrame(this);
    frame->setGeometry(100, 40, 200, 60);
    cmdReceive = new QPushButton(QStringLiteral("&Receive"), frame);
    cmdReceive->setGeometry(5, 5, 80, 30);
    for (QPushButton* b : {cmdFinish, cmdReceive})
      connect(b, &QPushButton::clicked, this, [this, b] { pressed << b->text(); });
  }
  QRect designGeometry() const override { return {300, 150, 6000, 3000}; }
  QLineEdit* txtBar;
  QPushButton* cmdFinish;
  QPushButton* cmdReceive;
  QPushButton* cmdLater = nullptr;
  QStringList pressed;
};

}  // namespace

TEST(FormRegistry, ButtonKeysEnterAndTheFormsOwnLettersBeforeTheMenus) {
  QMainWindow main;
  QStringList menus;
  QMenu* file = main.menuBar()->addMenu(QStringLiteral("&File"));
  QAction* report = main.menuBar()->addAction(QStringLiteral("&Report"));
  QObject::connect(file, &QMenu::aboutToShow, [&] { menus << "File"; });
  QObject::connect(report, &QAction::triggered, [&] { menus << "Report"; });
  auto* mdi = new QMdiArea(&main);
  main.setCentralWidget(mdi);
  reg().setMdiArea(mdi);
  main.resize(900, 700);
  main.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
  reg().add("RegButtons", [] { return new ButtonForm; });
  auto* f = static_cast<ButtonForm*>(reg().show("RegButtons"));
  // Opened at its place and size, the keyboard in it.
  auto* sub = qobject_cast<QMdiSubWindow*>(f->parentWidget());
  ASSERT_TRUE(sub);
  EXPECT_EQ(sub->pos(), QPoint(20, 10));
  EXPECT_EQ(f->size(), QSize(392, 168));
  EXPECT_EQ(QApplication::focusWidget(), f->txtBar);
  f->cmdLater = new QPushButton(QStringLiteral("Later"), f);
  f->cmdLater->setGeometry(200, 10, 80, 24);
  f->cmdLater->show();
  QObject::connect(f->cmdLater, &QPushButton::clicked, f, [f] { f->pressed << "Later"; });

  struct Case {
    QWidget* focus;
    Qt::Key key;
    Qt::KeyboardModifiers mods;
    QString pressed;  // the button pressed, empty for none
    QString menu;     // the menu that acted, empty for none
  };
  const Case cases[] = {
      {f->cmdFinish, Qt::Key_Return, Qt::NoModifier, "&Finish", ""},
      {f->cmdReceive, Qt::Key_Enter, Qt::KeypadModifier, "&Receive", ""},
      {f->cmdLater, Qt::Key_Return, Qt::NoModifier, "Later", ""},
      {f->txtBar, Qt::Key_Return, Qt::NoModifier, "", ""},  // Enter in a box presses nothing
      {f->txtBar, Qt::Key_F, Qt::AltModifier, "&Finish", ""},
      {f->txtBar, Qt::Key_R, Qt::AltModifier, "&Receive", ""},
      {f->cmdFinish, Qt::Key_R, Qt::AltModifier, "&Receive", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pressed.toStdString() + " " + QKeySequence(c.key | c.mods).toString().toStdString());
    f->pressed.clear();
    menus.clear();
    c.focus->setFocus();
    QTest::keyClick(c.focus, c.key, c.mods);
    testenv::pump(150);  // a key press on a button shows it pressed for a moment
    EXPECT_EQ(f->pressed, c.pressed.isEmpty() ? QStringList() : QStringList{c.pressed});
    EXPECT_EQ(menus, c.menu.isEmpty() ? QStringList() : QStringList{c.menu});
  }
  // The letter presses the button before the next key is handled: what a scanner types right
  // after Alt+R finds Receive done, not the code box as it was.
  f->pressed.clear();
  QString boxWhenPressed = QStringLiteral("never pressed");
  auto seen = QObject::connect(f->cmdReceive, &QPushButton::clicked, f,
                               [f, &boxWhenPressed] { boxWhenPressed = f->txtBar->text(); });
  f->txtBar->clear();
  f->txtBar->setFocus();
  QTest::keyClick(f->txtBar, Qt::Key_R, Qt::AltModifier);
  EXPECT_EQ(f->pressed, QStringList{"&Receive"});
  QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("500"));
  EXPECT_EQ(boxWhenPressed, "");
  QObject::disconnect(seen);
  testenv::pump(150);
  EXPECT_EQ(f->pressed, QStringList{"&Receive"});

  // A button shows that it has the focus.
  f->cmdFinish->setFocus();
  EXPECT_TRUE(f->cmdFinish->hasFocus());
  EXPECT_TRUE(f->cmdFinish->autoDefault());

  // Without a form holding the keyboard, the letters are the menus' again.
  reg().unload("RegButtons");
  flushDeletes();
  main.setFocus();
  menus.clear();
  QTest::keyClick(&main, Qt::Key_R, Qt::AltModifier);
  testenv::pump(20);
  EXPECT_EQ(menus, QStringList{"Report"});
  reg().setMdiArea(nullptr);
}

namespace {

// A window of large buttons on a palette of its own, as the program's report windows are.
class ButtonsForm : public Form {
 public:
  ButtonsForm() {
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(0, 96, 128));
    setPalette(p);
    resize(800, 900);
    for (int i = 0; i < 12; ++i)
      (new QPushButton(QStringLiteral("Button %1").arg(i), this))->setGeometry(10, 10 + 72 * i, 600, 64);
  }
};

double heapInUseMb() { return static_cast<double>(mallinfo2().uordblks) / (1024.0 * 1024.0); }

}  // namespace

// The style paints a button once into a shared cache, keyed also by its window's palette, which is
// new for every window made: a window opened, painted and unloaded again and again during the day
// must not leave its painted buttons behind.
TEST(FormRegistry, AWindowOpenedAndUnloadedAllDayLeavesNoPaintedButtonsBehind) {
  const QString name = QStringLiteral("RegPaintedForm");
  reg().add(name, [] { return new ButtonsForm; });
  const auto visit = [&] {
    Form* f = reg().show(name);
    ASSERT_NE(f, nullptr);
    (void)f->grab();  // painted, every button
    reg().unload(name);
    flushDeletes();
  };
  for (int i = 0; i < 5; ++i) visit();
  const double before = heapInUseMb();
  for (int i = 0; i < 40; ++i) visit();
  // Kept, the images come to megabytes within these visits; let go, a fraction of one.
  EXPECT_LT(heapInUseMb() - before, 1.5);
}
