// Every window the main window's menus open, opened as a user would: alone, and over a maximized
// window. Each must stand at its design place and size (or fill the area when it opens
// maximized), on top, holding the keyboard, with every control inside what is shown. New windows
// are covered as they are registered.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <QToolBar>
#include <optional>

#include "every_window.h"
#include "partners/history_form.h"
#include "platform/form.h"
#include "platform/numtext.h"
#include "platform/units.h"
#include "purchase/buy_form.h"
#include "reports/analyze_form.h"
#include "reports/price_form.h"
#include "sale/main_form.h"
#include "sale/register.h"
#include "shell/login.h"
#include "shell/mainwindow.h"
#include "shell/option_form.h"
#include "shell/program.h"
#include "support/purchase_fixtures.h"
#include "support/sale_fixtures.h"
#include "support/sale_program.h"
#include "support/testenv.h"

void PrintTo(const QSize& s, std::ostream* os) { *os << s.width() << "x" << s.height(); }
void PrintTo(const QPoint& p, std::ostream* os) { *os << p.x() << "," << p.y(); }
void PrintTo(const QRect& r, std::ostream* os) {
  *os << r.x() << "," << r.y() << " " << r.width() << "x" << r.height();
}

namespace {

using plat::Form;
using plat::FormRegistry;

FormRegistry& reg() { return FormRegistry::instance(); }

// A control the form shows: placed by the form itself (not an inner part of a grid, a combo box
// or a box: its parents up to the form are plain panels and frames), and not put by design wholly
// outside the frame that holds it, which then hides it.
bool shownByForm(QWidget* w, Form* f) {
  if (w->isWindow() || !w->isVisibleTo(f)) return false;
  if (w->parentWidget() != f && !w->parentWidget()->rect().intersects(w->geometry())) return false;
  for (QWidget* p = w->parentWidget(); p && p != f; p = p->parentWidget()) {
    const QByteArray cls = p->metaObject()->className();
    if (cls != "QWidget" && cls != "QFrame" && cls != "QGroupBox") return false;
  }
  return true;
}

// The caption the window manager shows for w (X only, with xprop), else its own title.
QString shownCaption(QWidget* w) {
  const QString xprop = QStandardPaths::findExecutable(QStringLiteral("xprop"));
  if (QGuiApplication::platformName() != QLatin1String("xcb") || xprop.isEmpty()) return w->windowTitle();
  QProcess p;
  p.start(xprop, {QStringLiteral("-id"), QString::number(w->winId()), QStringLiteral("_NET_WM_NAME")});
  p.waitForFinished(5000);
  const QString out =
      QString::fromUtf8(p.readAllStandardOutput()).trimmed();  // _NET_WM_NAME(UTF8_STRING) = "..."
  const int q = out.indexOf(QLatin1Char('"'));
  return q < 0 ? out : out.mid(q + 1).chopped(1);
}

// The window manager's frame extents of w (left, top, right, bottom), once it has set them.
std::optional<QMargins> frameExtents(QWidget* w) {
  QProcess p;
  p.start(QStandardPaths::findExecutable(QStringLiteral("xprop")),
          {QStringLiteral("-id"), QString::number(w->winId()), QStringLiteral("_NET_FRAME_EXTENTS")});
  p.waitForFinished(5000);
  // _NET_FRAME_EXTENTS(CARDINAL) = left, right, top, bottom
  static const QRegularExpression values(QStringLiteral("= (\\d+), (\\d+), (\\d+), (\\d+)"));
  const auto m = values.match(QString::fromUtf8(p.readAllStandardOutput()));
  if (!m.hasMatch()) return std::nullopt;
  return QMargins(m.captured(1).toInt(), m.captured(3).toInt(), m.captured(2).toInt(), m.captured(4).toInt());
}

// Where the window manager has w's frame on the screen: the window itself as the X server places
// it, less the frame's left and top.
QPoint frameOnScreen(QWidget* w) {
  QProcess p;
  p.start(QStandardPaths::findExecutable(QStringLiteral("xwininfo")),
          {QStringLiteral("-id"), QString::number(w->winId())});
  p.waitForFinished(5000);
  const QString out = QString::fromUtf8(p.readAllStandardOutput());
  static const QRegularExpression x(QStringLiteral("Absolute upper-left X:\\s+(-?\\d+)"));
  static const QRegularExpression y(QStringLiteral("Absolute upper-left Y:\\s+(-?\\d+)"));
  const QMargins m = frameExtents(w).value_or(QMargins());
  return QPoint(x.match(out).captured(1).toInt() - m.left(), y.match(out).captured(1).toInt() - m.top());
}

TEST(TopLevelWindows, TheLoginFrameSitsAtTheCornerAndCaptionsAreTheirOwn) {
  testenv::freshInstallation();
  const bool framed = QGuiApplication::platformName() == QLatin1String("xcb") &&
                      !QStandardPaths::findExecutable(QStringLiteral("xprop")).isEmpty() &&
                      !QStandardPaths::findExecutable(QStringLiteral("xwininfo")).isEmpty();
  // Placing the window races the window manager framing it, so one start may go right by luck:
  // several starts, each judged by where the window manager has the frame.
  for (int start = 1; start <= 8; ++start) {
    SCOPED_TRACE("start " + std::to_string(start));
    shell::frmLogin login;
    login.Form_Load();
    login.show();
    // A window manager maps the window when it gets round to it: on a loaded machine, later.
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&login, 30000));
    if (framed) {
      // The window manager has framed the window once it says how wide the frame is; the frame
      // then goes to the corner.
      ASSERT_TRUE(QTest::qWaitFor([&] { return frameExtents(&login).has_value(); }, 30000))
          << "the window manager never framed the login";
      const bool atCorner = QTest::qWaitFor([&] { return frameOnScreen(&login) == QPoint(0, 0); }, 10000);
      ASSERT_TRUE(atCorner) << "the frame stays at " << frameOnScreen(&login).x() << ","
                            << frameOnScreen(&login).y();
    } else {
      // Without a window manager (offscreen) the window is its own frame.
      EXPECT_EQ(login.frameGeometry().topLeft(), QPoint(0, 0));
    }
    EXPECT_EQ(shownCaption(&login), "Login");
    login.LoginSucceeded = true;  // closing it here is no Cancel
  }
}

class ChildWindows : public salefx::ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    e2e::registerEveryWindow();
    ASSERT_TRUE(logIn());
    main = shell::openMainWindow();
    ASSERT_TRUE(main);
    // The size the program gets on a 1280 x 1024 screen, also where no window manager maximizes.
    main->resize(1280, 1000);
    main->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(main.get()));
    // The caption is the shop's, with nothing of the program's appended.
    EXPECT_EQ(shownCaption(main.get()), "Zelkor Quorvanel Shop - " + shell::settings().ComName.toText());
  }

  // Each registered window with the menu item that shows it.
  QList<QPair<QString, QString>> menuWindows() const {
    QList<QPair<QString, QString>> out;
    QStringList seen;
    for (const QString& item : main->menuNames()) {
      const QString form = shell::MHarvelmoquin::menuForm(item);
      if (form.isEmpty() || !reg().has(form) || seen.contains(form)) continue;
      seen << form;
      out << qMakePair(item, form);
    }
    return out;
  }

  // Opens the window through its menu item, as a click on it would.
  Form* open(const QString& item, const QString& form) {
    main->menuItem(item)->trigger();
    testenv::pump(30);
    // A loaded machine (a sanitizer build beside other tests) may take a moment more to load it.
    (void)QTest::qWaitFor([&] { return reg().loaded(form) != nullptr; }, 5000);
    return reg().loaded(form);
  }

  // The window of form f is at its place and size, on top, active and with the keyboard, and shows
  // every control.
  void expectShownWhole(Form* f, const QString& name) {
    SCOPED_TRACE(name.toStdString());
    ASSERT_TRUE(f->isVisible());
    const QRect design = f->designGeometry();
    const QSize client = Form::clientTwips(design.size());
    const QSize designPx(plat::twipsToPx(client.width()), plat::twipsToPx(client.height()));
    if (f->isTopLevelWindow()) {
      if (!design.isNull()) {
        EXPECT_EQ(f->size(), designPx.expandedTo(f->minimumSizeHint()));
        // A window manager frames the window a moment after it is mapped; the frame then goes to
        // its place.
        const QPoint place(plat::twipsToPx(design.left()), plat::twipsToPx(design.top()));
        (void)QTest::qWaitFor([&] { return f->frameGeometry().topLeft() == place; }, 5000);
        EXPECT_EQ(f->frameGeometry().topLeft(), place);
      }
    } else {
      auto* sub = qobject_cast<QMdiSubWindow*>(f->parentWidget());
      ASSERT_TRUE(sub);
      QMdiArea* area = main->mdiArea();
      EXPECT_EQ(area->activeSubWindow(), sub);
      EXPECT_EQ(area->subWindowList(QMdiArea::StackingOrder).last(), sub);
      if (f->opensMaximized()) {
        EXPECT_TRUE(sub->isMaximized());
        EXPECT_EQ(sub->geometry(), area->viewport()->rect());
      } else {
        EXPECT_FALSE(sub->isMaximized());
        if (!design.isNull()) {
          EXPECT_EQ(sub->pos(), QPoint(plat::twipsToPx(design.left()), plat::twipsToPx(design.top())));
          EXPECT_EQ(f->size(), designPx.expandedTo(f->minimumSizeHint()));
        } else {
          EXPECT_GE(f->width(), f->minimumSizeHint().width());
          EXPECT_GE(f->height(), f->minimumSizeHint().height());
        }
        EXPECT_TRUE(area->viewport()->rect().contains(sub->geometry()))
            << "window " << sub->geometry().width() << "x" << sub->geometry().height();
      }
      // A click on the window's caption keeps the keys in it.
      QWidget* focus = QApplication::focusWidget();
      if (f->focusProxy() || !f->findChildren<QWidget*>().isEmpty()) {
        EXPECT_TRUE(focus && plat::formOf(focus) == f)
            << "focus in " << (focus ? focus->objectName().toStdString() : std::string("nothing"));
      }
    }
    EXPECT_GT(f->width(), 100);
    EXPECT_GT(f->height(), 60);
    for (QWidget* w : f->findChildren<QWidget*>()) {
      if (!shownByForm(w, f)) continue;
      const QRect r(w->mapTo(f, QPoint(0, 0)), w->size());
      EXPECT_TRUE(f->rect().contains(r))
          << "control " << w->objectName().toStdString() << " of " << w->metaObject()->className() << " at "
          << r.x() << "," << r.y() << " " << r.width() << "x" << r.height();
    }
  }

  void closeAll() {
    reg().unloadAll();
    testenv::pump();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    // A closed top-level window hands the activation back, as the window manager would.
    main->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
  }
};

TEST_F(ChildWindows, EachOpensWholeAloneAndOverAMaximizedWindow) {
  const auto windows = menuWindows();
  ASSERT_FALSE(windows.isEmpty());
  // The window that stays maximized underneath: one that opens maximized and does not go when
  // another window becomes active (the sale screen).
  QString under, underItem;
  for (const auto& [item, form] : windows) {
    Form* f = open(item, form);
    ASSERT_TRUE(f) << form.toStdString();
    expectShownWhole(f, form + QStringLiteral(" alone"));
    if (under.isEmpty() && f->opensMaximized() && !f->unloadsOnDeactivate()) {
      under = form;
      underItem = item;
    }
    closeAll();
  }
  ASSERT_FALSE(under.isEmpty());
  for (const auto& [item, form] : windows) {
    if (form == under) continue;
    Form* below = open(underItem, under);
    ASSERT_TRUE(below);
    auto* belowSub = qobject_cast<QMdiSubWindow*>(below->parentWidget());
    Form* f = open(item, form);
    ASSERT_TRUE(f) << form.toStdString();
    expectShownWhole(f, form + QStringLiteral(" over ") + under);
    if (!f->isTopLevelWindow() && belowSub) {
      EXPECT_TRUE(belowSub->isMaximized());
    }
    closeAll();
  }
}

// Under a window manager, with clicks sent from outside as a user's: a click on the main window
// keeps the picker above it.
class WindowManager : public ChildWindows {
 protected:
  void SetUp() override {
    if (QGuiApplication::platformName() != QLatin1String("xcb") ||
        QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("xprop")).isEmpty())
      GTEST_SKIP() << "needs an X display with a window manager, xdotool and xprop";
    ChildWindows::SetUp();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
  }

  static QString run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(QStandardPaths::findExecutable(program), args);
    p.waitForFinished(5000);
    return QString::fromUtf8(p.readAllStandardOutput());
  }

  // A click of the mouse on the main window's background, as a user gives it.
  void clickMainWindow() {
    run(QStringLiteral("xdotool"),
        {QStringLiteral("mousemove"), QStringLiteral("--window"), QString::number(main->winId()),
         QStringLiteral("1200"), QStringLiteral("900"), QStringLiteral("click"), QStringLiteral("1")});
  }

  // A click of the mouse at p on the screen.
  static void clickAt(const QPoint& p) {
    run(QStringLiteral("xdotool"), {QStringLiteral("mousemove"), QString::number(p.x()),
                                    QString::number(p.y()), QStringLiteral("click"), QStringLiteral("1")});
  }

  // The window the window manager has active.
  static WId activeWindow() {
    const QString out =
        run(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_ACTIVE_WINDOW")});
    static const QRegularExpression hex(QStringLiteral("0x[0-9a-fA-F]+"));
    const auto m = hex.match(out);
    return m.hasMatch() ? m.captured().toULong(nullptr, 16) : 0;
  }

  // The program's windows from the bottom up, as the window manager stacks them.
  static QList<WId> stacking() {
    const QString out =
        run(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_CLIENT_LIST_STACKING")});
    QList<WId> ids;
    static const QRegularExpression hex(QStringLiteral("0x[0-9a-fA-F]+"));
    for (auto it = hex.globalMatch(out); it.hasNext();) ids << it.next().captured().toULong(nullptr, 16);
    return ids;
  }

  // Whether the window manager has window w above the main window.
  bool above(QWidget* w) {
    const QList<WId> s = stacking();
    return s.contains(w->winId()) && s.indexOf(w->winId()) > s.indexOf(main->winId());
  }

  // Where a user clicks the main window itself: its background, its caption and its toolbar.
  QList<QPair<const char*, QPoint>> mainWindowPlaces() const {
    QToolBar* bar = main->toolbar(main->shownToolbar());
    const QRect frame = main->frameGeometry();
    const QRect inner = main->geometry();
    EXPECT_NE(frame, inner) << "the main window is not framed";
    EXPECT_TRUE(bar);
    return {{"background", main->mapToGlobal(QPoint(1200, 900))},
            {"caption", QPoint(frame.left() + frame.width() * 3 / 5, (frame.top() + inner.top()) / 2)},
            {"toolbar", bar ? bar->mapToGlobal(QPoint(bar->width() - 10, bar->height() / 2)) : QPoint()}};
  }

  // A user's click at p, a moment after the last window came to the front: a click sent in the
  // same instant the window manager handed over the activation is not taken by it as a click.
  static void clickAsAUser(const QPoint& p) {
    testenv::pump(500);
    clickAt(p);
  }

  // The window the window manager shows at p: the program's top-level window whose frame holds p
  // and that stands highest, or 0.
  WId windowAt(const QPoint& p) {
    const QList<WId> s = stacking();
    WId top = 0;
    int at = -1;
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (!w->isVisible() || !w->frameGeometry().contains(p) || !s.contains(w->winId())) continue;
      if (s.indexOf(w->winId()) > at) {
        at = static_cast<int>(s.indexOf(w->winId()));
        top = w->winId();
      }
    }
    return top;
  }

  // Nothing is left disabled with no way out: while the main window or a window of it is
  // disabled, a shown window of the program that is enabled stands above the main window, where
  // the user can reach it.
  void expectNothingOutOfReach(const std::string& when) {
    SCOPED_TRACE(when);
    QStringList disabled;
    if (!main->isEnabled()) disabled << QStringLiteral("the main window");
    for (const QString& n : reg().names())
      if (Form* f = reg().loaded(n); f && f->isVisible() && !f->isEnabled()) disabled << n;
    if (disabled.isEmpty()) return;
    bool reachable = false;
    for (const QString& n : reg().names()) {
      Form* f = reg().loaded(n);
      if (!f || !f->isTopLevelWindow() || !f->isVisible() || !f->isEnabled()) continue;
      if (QTest::qWaitFor([&] { return above(f); }, 3000)) reachable = true;
    }
    EXPECT_TRUE(reachable) << disabled.join(QStringLiteral(", ")).toStdString()
                           << " disabled with no window of the program above the main window";
  }
};

TEST_F(WindowManager, AClickOnTheMainWindowKeepsThePickerAboveIt) {
  Form* screen = reg().show(QStringLiteral("MainForm"));
  ASSERT_TRUE(screen);
  static_cast<sale::MainForm*>(screen)->cmdMenu_Click();
  Form* picker = reg().loaded(QStringLiteral("SellForm"));
  ASSERT_TRUE(picker);
  ASSERT_TRUE(QTest::qWaitForWindowActive(picker));
  ASSERT_TRUE(QTest::qWaitFor([&] { return above(picker); }, 5000));
  clickMainWindow();
  ASSERT_TRUE(QTest::qWaitFor([&] { return main->isActiveWindow(); }, 5000));
  testenv::pump(100);
  EXPECT_TRUE(above(picker)) << "the picker went behind the main window";
  EXPECT_TRUE(reg().loaded(QStringLiteral("SellForm")));
}

// Backup and Load Data keep the shared connection closed while they are open; a click on the
// main window, wherever it lands, unloads them and opens the connection again.
TEST_F(WindowManager, AClickOnTheMainWindowUnloadsTheBackupAndRestoreWindows) {
  const auto places = mainWindowPlaces();
  for (const QString& name : {QStringLiteral("BackupData"), QStringLiteral("LoadData")}) {
    for (const auto& [where, at] : places) {
      SCOPED_TRACE((name + QStringLiteral(", a click on the ") + QLatin1String(where)).toStdString());
      Form* f = reg().show(name);
      ASSERT_TRUE(f);
      const WId id = f->winId();
      // Active for the window manager and for the program, as before a user's click.
      ASSERT_TRUE(QTest::qWaitFor([&] { return activeWindow() == id; }, 5000));
      ASSERT_TRUE(QTest::qWaitForWindowActive(f));
      ASSERT_FALSE(data::Conn().isOpen());
      ASSERT_FALSE(f->frameGeometry().contains(at)) << "the click would land on the window itself";
      clickAsAUser(at);
      EXPECT_TRUE(QTest::qWaitFor([&] { return !stacking().contains(id); }, 5000))
          << "the window stayed with the window manager";
      EXPECT_EQ(activeWindow(), main->winId());
      EXPECT_FALSE(reg().loaded(name));
      ASSERT_TRUE(data::Conn().isOpen());
      EXPECT_NO_THROW(data::Conn().scalar(QStringLiteral("SELECT COUNT(*) FROM Product")));
      testenv::pump(50);
    }
  }
}

// While Backup or Load Data holds the shared connection closed, whatever the user presses on the
// main window (a toolbar button, a function key, a menu entry) finds it open again: the window
// goes first, the command opens its window, and no box tells of a closed connection. The click
// or the key is given while the program is busy, so the window manager's word that the main
// window is active comes in the same breath as the command.
TEST_F(WindowManager, ACommandOfTheMainWindowFindsTheConnectionOpenWhileBackupOrRestoreIsOpen) {
  struct Command {
    QString what;
    std::function<void()> give;
    QString opens;
  };
  QList<Command> commands;
  QToolBar* bar = main->toolbar(main->shownToolbar());
  ASSERT_TRUE(bar);
  for (const auto& [key, form] :
       {std::pair{"bsetting", "OptionF"}, std::pair{"bsell", "MainForm"}, std::pair{"bbuy", "BuyForm"},
        std::pair{"bstock", "StockF"}, std::pair{"bproduct", "AddF"}, std::pair{"bcustomers", "CustomerForm"},
        std::pair{"bsuppliers", "SupplierForm"}, std::pair{"bsecurity", "SecurityFrm"}}) {
    QWidget* button = bar->widgetForAction(main->toolbarButton(QLatin1String(key)));
    ASSERT_TRUE(button) << key;
    commands << Command{QStringLiteral("the toolbar button ") + QLatin1String(key),
                        [button] { clickAt(button->mapToGlobal(button->rect().center())); },
                        QLatin1String(form)};
  }
  // Keys and menu entries reach the main window once the window manager has made it active: a
  // click on its caption, then the keys, as a user gives them.
  const QRect frame = main->frameGeometry();
  const QPoint caption(frame.left() + frame.width() * 3 / 5, (frame.top() + main->geometry().top()) / 2);
  const auto keysAfterCaption = [caption](const QStringList& keys) {
    return [caption, keys] {
      run(QStringLiteral("xdotool"),
          QStringList{QStringLiteral("mousemove"), QString::number(caption.x()), QString::number(caption.y()),
                      QStringLiteral("click"), QStringLiteral("1"), QStringLiteral("sleep"),
                      QStringLiteral("0.3"), QStringLiteral("key"), QStringLiteral("--delay"),
                      QStringLiteral("50")} +
              keys);
    };
  };
  for (const QString& item : main->menuNames()) {
    const QString form = shell::MHarvelmoquin::menuForm(item);
    const QKeySequence key = main->menuItem(item)->shortcut();
    if (key.isEmpty() || form.isEmpty() || !reg().has(form)) continue;
    // xdotool's names: "F5", "ctrl+a".
    QString name = key.toString(QKeySequence::PortableText);
    if (name.contains(QLatin1Char('+'))) name = name.toLower();
    commands << Command{QStringLiteral("the key ") + name + QStringLiteral(" of ") + item,
                        keysAfterCaption({name}), form};
  }
  // The File menu's first entry (Setting) and the Report menu's first Buy Report entry, chosen
  // with the keyboard.
  commands << Command{QStringLiteral("the menu entry File, Setting"),
                      keysAfterCaption({QStringLiteral("alt+f"), QStringLiteral("Return")}),
                      shell::MHarvelmoquin::menuForm(QStringLiteral("Setting"))};
  commands << Command{
      QStringLiteral("the menu entry Report, Buy Report, Buy Detail"),
      keysAfterCaption({QStringLiteral("alt+r"), QStringLiteral("Return"), QStringLiteral("Return")}),
      shell::MHarvelmoquin::menuForm(QStringLiteral("MBuyDay"))};
  ASSERT_GT(commands.size(), 8) << "no function key of the main window found";

  for (const QString& name : {QStringLiteral("BackupData"), QStringLiteral("LoadData")}) {
    for (const Command& c : commands) {
      SCOPED_TRACE((name + QStringLiteral(" open, ") + c.what).toStdString());
      dlg.clear();
      Form* f = reg().show(name);
      ASSERT_TRUE(f);
      const WId id = f->winId();
      ASSERT_TRUE(QTest::qWaitFor([&] { return activeWindow() == id; }, 5000));
      ASSERT_TRUE(QTest::qWaitForWindowActive(f));
      ASSERT_FALSE(data::Conn().isOpen());
      ASSERT_FALSE(f->frameGeometry().contains(caption)) << "the click would land on the window itself";
      testenv::pump(300);
      c.give();
      EXPECT_TRUE(QTest::qWaitFor(
          [&] {
            Form* opened = reg().loaded(c.opens);
            return opened && opened->isVisible();
          },
          5000))
          << c.opens.toStdString() << " did not open";
      EXPECT_FALSE(reg().loaded(name)) << "the window stayed loaded";
      EXPECT_TRUE(dlg.texts().isEmpty()) << dlg.texts().join(QStringLiteral(" | ")).toStdString();
      ASSERT_TRUE(data::Conn().isOpen());
      EXPECT_NO_THROW(data::Conn().scalar(QStringLiteral("SELECT COUNT(*) FROM Product")));
      closeAll();
    }
  }
}

// Exit, from the toolbar or with its key, while Backup or Load Data is open: the window goes
// with the main window, the connection is left open and nothing is reported.
TEST_F(WindowManager, ExitWhileBackupOrRestoreIsOpenEndsQuietly) {
  for (const QString& name : {QStringLiteral("BackupData"), QStringLiteral("LoadData")}) {
    for (const char* how : {"toolbar", "key"}) {
      SCOPED_TRACE((name + QStringLiteral(", Exit by the ") + QLatin1String(how)).toStdString());
      if (main->isUnloaded()) {
        main.reset();
        testenv::pump();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        data::Conn().close();
        ASSERT_TRUE(logIn());
        main = shell::openMainWindow();
        ASSERT_TRUE(main);
        main->resize(1280, 1000);
        main->show();
        ASSERT_TRUE(QTest::qWaitFor([&] { return activeWindow() == main->winId(); }, 5000));
      }
      dlg.clear();
      bool unloaded = false;
      QObject::connect(main.get(), &shell::MHarvelmoquin::unloaded, [&unloaded] { unloaded = true; });
      Form* f = reg().show(name);
      ASSERT_TRUE(f);
      const WId id = f->winId();
      ASSERT_TRUE(QTest::qWaitFor([&] { return activeWindow() == id; }, 5000));
      ASSERT_FALSE(data::Conn().isOpen());
      testenv::pump(300);
      const QRect frame = main->frameGeometry();
      const QPoint caption(frame.left() + frame.width() * 3 / 5, (frame.top() + main->geometry().top()) / 2);
      if (QLatin1String(how) == QLatin1String("toolbar")) {
        QWidget* button = main->toolbar(main->shownToolbar())
                              ->widgetForAction(main->toolbarButton(QStringLiteral("bexit")));
        ASSERT_TRUE(button);
        clickAt(button->mapToGlobal(button->rect().center()));
      } else {
        run(QStringLiteral("xdotool"),
            {QStringLiteral("mousemove"), QString::number(caption.x()), QString::number(caption.y()),
             QStringLiteral("click"), QStringLiteral("1"), QStringLiteral("sleep"), QStringLiteral("0.3"),
             QStringLiteral("key"), QStringLiteral("F12")});
      }
      EXPECT_TRUE(QTest::qWaitFor([&] { return unloaded; }, 5000)) << "the main window stayed";
      EXPECT_FALSE(reg().loaded(name));
      EXPECT_TRUE(dlg.texts().isEmpty()) << dlg.texts().join(QStringLiteral(" | ")).toStdString();
      EXPECT_TRUE(data::Conn().isOpen());
    }
  }
}

// Every window that goes when it loses activation, opened as the program opens it, goes at a
// user's click on the main window; the main window is then active, nothing stays disabled and the
// shared connection is open. The menus' windows are found as they are registered; the editors and
// the file chooser are opened from their windows.
TEST_F(WindowManager, AClickOnTheMainWindowUnloadsEveryWindowThatGoesOnDeactivation) {
  purchasefx::addCategory("C1", "Drinks");
  purchasefx::addProduct("P1", "Water", 5);
  salefx::addProduct("4711", "Green Tea", 10, 100, 0);
  QList<QPair<QString, std::function<Form*()>>> openings;
  for (const auto& [item, form] : menuWindows())
    openings << qMakePair(form, std::function<Form*()>([this, item, form] { return open(item, form); }));
  openings << qMakePair(QStringLiteral("BrowseData"), std::function<Form*()>([this] {
                          auto* options = qobject_cast<shell::OptionF*>(open("Setting", "OptionF"));
                          if (options) options->cmdBrowse_Click();
                          return reg().loaded(QStringLiteral("BrowseData"));
                        }));
  openings << qMakePair(QStringLiteral("BuyEditPriceQ"), std::function<Form*()>([this] {
                          auto* buy = qobject_cast<purchase::BuyForm*>(open("MDoBuy", "BuyForm"));
                          if (!buy) return static_cast<Form*>(nullptr);
                          buy->ComCate->setCurrentIndex(-1);
                          buy->ComBar->setEditText(QStringLiteral("P1"));
                          buy->txtQuantity->setText(QStringLiteral("2"));
                          buy->txtPrice->setText(QStringLiteral("3"));
                          buy->cmdUpdate_Click();
                          buy->FGrid->setRow(0);
                          buy->FGrid_Click();
                          return reg().loaded(QStringLiteral("BuyEditPriceQ"));
                        }));
  openings << qMakePair(QStringLiteral("MEditPriceQ"), std::function<Form*()>([this] {
                          auto* screen = static_cast<sale::MainForm*>(open("MeCashier", "MainForm"));
                          if (!screen) return static_cast<Form*>(nullptr);
                          screen->txtBar->setText(QStringLiteral("4711"));
                          int enter = 13;
                          screen->txtBar_KeyPress(enter);
                          screen->FGrid->setRow(0);
                          screen->FGrid_Click();
                          return reg().loaded(QStringLiteral("MEditPriceQ"));
                        }));
  QStringList tested;
  for (const auto& [name, opening] : openings) {
    SCOPED_TRACE(name.toStdString());
    Form* f = opening();
    ASSERT_TRUE(f);
    if (!f->unloadsOnDeactivate()) {
      closeAll();
      continue;
    }
    tested << name;
    const WId id = f->winId();
    QPointer<QMdiSubWindow> sub = qobject_cast<QMdiSubWindow*>(f->parentWidget());
    const bool topLevel = f->isTopLevelWindow();
    if (topLevel) {
      ASSERT_TRUE(QTest::qWaitFor([&] { return activeWindow() == id; }, 5000));
      ASSERT_TRUE(QTest::qWaitForWindowActive(f));
    } else {
      ASSERT_TRUE(sub);
      ASSERT_TRUE(QTest::qWaitFor([&] { return activeWindow() == main->winId(); }, 5000));
      ASSERT_EQ(main->mdiArea()->activeSubWindow(), sub.data());
    }
    expectNothingOutOfReach("with " + name.toStdString() + " open");
    // One place of the main window a window, in turn: where the window itself does not cover it.
    // The caption of a main window that is already active tells the program nothing.
    const auto places = mainWindowPlaces();
    QString where;
    QPoint at;
    for (int i = 0; i < places.size() && where.isEmpty(); ++i) {
      const auto& [w, p] = places.at((tested.size() + i) % places.size());
      if (windowAt(p) != main->winId()) continue;
      if (sub && (QLatin1String(w) == QLatin1String("caption") ||
                  QRect(sub->mapToGlobal(QPoint(0, 0)), sub->size()).contains(p)))
        continue;
      where = QLatin1String(w);
      at = p;
    }
    ASSERT_FALSE(where.isEmpty()) << "no place of the main window left to click";
    SCOPED_TRACE(("a click on the " + where).toStdString());
    clickAsAUser(at);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !reg().loaded(name); }, 5000)) << "the window stayed loaded";
    if (!topLevel) {
      EXPECT_TRUE(QTest::qWaitFor([&] { return sub.isNull(); }, 5000))
          << "the window stayed in the main window";
    } else {
      EXPECT_TRUE(QTest::qWaitFor([&] { return !stacking().contains(id); }, 5000))
          << "the window stayed with the window manager";
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return activeWindow() == main->winId(); }, 5000));
    EXPECT_TRUE(main->isEnabled());
    for (const QString& n : reg().names()) {
      if (Form* left = reg().loaded(n)) {
        EXPECT_TRUE(left->isEnabled()) << n.toStdString() << " left disabled";
      }
    }
    expectNothingOutOfReach("after the click");
    ASSERT_TRUE(data::Conn().isOpen());
    EXPECT_NO_THROW(data::Conn().scalar(QStringLiteral("SELECT COUNT(*) FROM Product")));
    closeAll();
  }
  // The windows named here go on deactivation whatever else is registered.
  for (const char* n : {"OptionF", "BackupData", "LoadData", "BrowseData", "SecurityFrm", "BuyForm",
                        "BuyReport", "BuyEditPriceQ", "SupplierForm", "CustomerForm", "SupRep", "CusRep",
                        "BillF", "DayReport", "AnalyzeForm", "AddF", "StockF", "MEditPriceQ", "Frmkb"})
    EXPECT_TRUE(tested.contains(QLatin1String(n))) << n << " was not tried";
}

// Keys as a user types them, into the window that has the keyboard.
void typeAsAUser(const QStringList& keys) {
  QStringList args{QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("50")};
  QProcess p;
  p.start(QStandardPaths::findExecutable(QStringLiteral("xdotool")), args + keys);
  p.waitForFinished(10000);
}

// The purchase-price editor stays above the main window and its disabled analysis, whatever is
// clicked; each row click loads it afresh, so Save writes the price in the box, for the product in
// the caption, which is the product of the row clicked.
TEST_F(WindowManager, ThePriceEditorStaysInReachAndSavesOnlyTheProductAndPriceItShows) {
  data::Conn().exec(QStringLiteral("INSERT INTO Category (CateID, CateName) VALUES ('C1', 'Drinks')"));
  for (const auto& [pid, name, older, latest] :
       {std::tuple{"100", "Tea", 12.0, 15.0}, std::tuple{"200", "Coffee", 18.0, 20.0}}) {
    data::Conn().exec(QStringLiteral("INSERT INTO Product VALUES (?, ?, 30, 30, 30, 10, 'C1', 'pc', 0)"),
                      {QString::fromLatin1(pid), QString::fromLatin1(name)});
    for (const auto& [date, price] : {std::pair{"2024-03-01", older}, std::pair{"2024-03-05", latest}})
      data::Conn().exec(
          QStringLiteral("INSERT INTO Buy (PId, BuyDate, BuyTime, BQuantity, BPrice, BuyId, "
                         "RemainQ, SupplierID) VALUES (?, ?, '09:00:00', 10, ?, '1', 10, 'S1')"),
          {QString::fromLatin1(pid), QString::fromLatin1(date), price});
    data::Conn().exec(
        QStringLiteral("INSERT INTO Sell (PID, SellTime, SellDate, SQuantity, SPrice, Comment, "
                       "Employee, Recieve) VALUES (?, '10:00:00', '2024-03-10', 1, 30, 1, 'Admin', 0)"),
        {QString::fromLatin1(pid)});
  }
  const auto prices = [](const char* pid) {
    QStringList out;
    const auto rows = data::Conn().query(
        QStringLiteral("SELECT BPrice FROM Buy WHERE PId = ? ORDER BY BuyDate"), {QString::fromLatin1(pid)});
    for (const auto& r : rows.rows()) out << plat::plainNumber(r.at(0).toDouble());
    return out;
  };
  // The analysis of March for category C1, through its menu item.
  const auto openAnalysis = [&]() -> reports::AnalyzeForm* {
    auto* a = qobject_cast<reports::AnalyzeForm*>(open("MAnalyze", "AnalyzeForm"));
    if (!a) return nullptr;
    a->DTPDate1->setDate(QDate(2024, 3, 1));
    a->DTPDate2->setDate(QDate(2024, 3, 31));
    a->LstCate->item(0)->setSelected(true);
    a->cmdSh_Click();
    return a;
  };
  const auto rowPlace = [](reports::AnalyzeForm* a, const QString& pid) {
    for (int r = 0; r < a->FGrid->Rows(); ++r)
      if (a->FGrid->TextMatrix(r, 0) == pid)
        return a->FGrid->viewport()->mapToGlobal(
            a->FGrid->visualRect(a->FGrid->model()->index(r, 1)).center());
    return QPoint();
  };
  const auto editor = [] {
    return qobject_cast<reports::PriceForm*>(reg().loaded(QStringLiteral("PriceForm")));
  };
  // The editor is in front, for this product, with this price in its box; the analysis waits.
  const auto expectEditorFor = [&](const char* name, const char* price) {
    reports::PriceForm* e = editor();
    ASSERT_TRUE(e);
    EXPECT_TRUE(QTest::qWaitFor([&] { return above(e); }, 5000)) << "the editor is behind the main window";
    EXPECT_EQ(e->windowTitle(), QLatin1String(name));
    EXPECT_EQ(e->txtPrice->text(), QLatin1String(price));
    Form* a = reg().loaded(QStringLiteral("AnalyzeForm"));
    ASSERT_TRUE(a) << "the analysis went while its editor is open";
    EXPECT_FALSE(a->isEnabled());
    expectNothingOutOfReach(std::string("editor for ") + name);
  };
  const auto saveTyped = [&](const QStringList& keys) {
    reports::PriceForm* e = editor();
    ASSERT_TRUE(e);
    clickAsAUser(e->txtPrice->mapToGlobal(e->txtPrice->rect().center()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == e->txtPrice; }, 5000));
    e->txtPrice->selectAll();
    typeAsAUser(keys);
    clickAsAUser(e->cmdSave->mapToGlobal(e->cmdSave->rect().center()));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !editor(); }, 5000)) << "Save left the editor open";
  };

  QPointer<reports::AnalyzeForm> a = openAnalysis();
  ASSERT_TRUE(a);
  ASSERT_EQ(a->FGrid->Rows(), 2);
  clickAsAUser(rowPlace(a, QStringLiteral("100")));
  ASSERT_TRUE(QTest::qWaitFor([&] { return editor() != nullptr; }, 5000));
  expectEditorFor("Tea", "15");
  {
    SCOPED_TRACE("a click on the main window");
    clickAsAUser(mainWindowPlaces().at(0).second);
    ASSERT_TRUE(QTest::qWaitFor([&] { return activeWindow() == main->winId(); }, 5000));
    testenv::pump(200);
    expectEditorFor("Tea", "15");
  }
  {
    SCOPED_TRACE("a double-click on another row of the waiting analysis");
    ASSERT_TRUE(a);
    const QPoint coffee = rowPlace(a, QStringLiteral("200"));
    testenv::pump(500);
    run(QStringLiteral("xdotool"),
        {QStringLiteral("mousemove"), QString::number(coffee.x()), QString::number(coffee.y()),
         QStringLiteral("click"), QStringLiteral("--repeat"), QStringLiteral("2"), QStringLiteral("1")});
    testenv::pump(300);
    expectEditorFor("Tea", "15");
  }
  {
    SCOPED_TRACE("another window opened from the menu");
    ASSERT_TRUE(open("MBill", "BillF"));
    testenv::pump(300);
    expectEditorFor("Tea", "15");
  }
  {
    SCOPED_TRACE("the analysis opened again from the menu and another row clicked");
    ASSERT_EQ(open("MAnalyze", "AnalyzeForm"), a.data());
    clickAsAUser(rowPlace(a, QStringLiteral("200")));
    testenv::pump(300);
    expectEditorFor("Tea", "15");
  }
  saveTyped({QStringLiteral("1"), QStringLiteral("7")});
  EXPECT_EQ(prices("100"), QStringList({"17", "17"})) << "what the box showed, over every line of Tea";
  EXPECT_EQ(prices("200"), QStringList({"18", "20"}));
  closeAll();

  // The analysis opened again, another row: the editor is Coffee's with Coffee's price.
  a = openAnalysis();
  ASSERT_TRUE(a);
  clickAsAUser(rowPlace(a, QStringLiteral("200")));
  ASSERT_TRUE(QTest::qWaitFor([&] { return editor() != nullptr; }, 5000));
  expectEditorFor("Coffee", "20");
  saveTyped({QStringLiteral("2"), QStringLiteral("2")});
  EXPECT_EQ(prices("200"), QStringList({"22", "22"}));
  EXPECT_EQ(prices("100"), QStringList({"17", "17"}));
  ASSERT_TRUE(a);
  EXPECT_TRUE(a->isEnabled());
  expectNothingOutOfReach("after Save");
}

// In a history window's pick list, Down from the id box chooses the first partner.
TEST_F(WindowManager, DownInAPickListChoosesTheFirstPartner) {
  purchasefx::addSupplier("S1", "Alpha Co", "Ann");
  purchasefx::addSupplier("S2", "Beta Co", "Ben");
  salefx::addCustomer("C1", "Somchai Shop", "Mr", "", 1);
  salefx::addCustomer("C2", "Dara Store", "Ms", "", 1);
  for (const auto& [item, form, first] :
       {std::tuple{"MSupRep", "SupRep", "S1"}, std::tuple{"MCusRep", "CusRep", "C1"}}) {
    SCOPED_TRACE(form);
    auto* f = qobject_cast<partners::HistoryForm*>(open(item, form));
    ASSERT_TRUE(f);
    if (f->DTPDate1) f->DTPDate1->setDate(QDate(2023, 1, 1));
    clickAsAUser(f->idBox->mapToGlobal(f->idBox->rect().center()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == f->idBox; }, 5000));
    typeAsAUser({QStringLiteral("x"), QStringLiteral("Return")});
    ASSERT_TRUE(QTest::qWaitFor([&] { return f->pickList->isVisible() && f->pickList->hasFocus(); }, 5000));
    typeAsAUser({QStringLiteral("Down"), QStringLiteral("Return")});
    EXPECT_TRUE(QTest::qWaitFor([&] { return f->idBox->text() == QLatin1String(first); }, 5000))
        << "picked " << f->idBox->text().toStdString();
    closeAll();
  }
}

}  // namespace
