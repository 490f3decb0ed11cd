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

#include "partners/register.h"
#include "platform/form.h"
#include "platform/units.h"
#include "print/register.h"
#include "purchase/register.h"
#include "reportkit/register.h"
#include "reports/register.h"
#include "sale/main_form.h"
#include "sale/register.h"
#include "shell/login.h"
#include "shell/mainwindow.h"
#include "shell/program.h"
#include "shell/register.h"
#include "stock/register.h"
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
    shell::registerForms();
    stock::registerForms();
    purchase::registerForms();
    print::registerForms();
    partners::registerForms();
    reportkit::registerForms();
    reports::registerForms();
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
        EXPECT_EQ(f->frameGeometry().topLeft(),
                  QPoint(plat::twipsToPx(design.left()), plat::twipsToPx(design.top())));
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
  QToolBar* bar = main->toolbar(main->shownToolbar());
  ASSERT_TRUE(bar);
  const QRect frame = main->frameGeometry();
  const QRect inner = main->geometry();
  ASSERT_NE(frame, inner) << "the main window is not framed";
  const QList<QPair<const char*, QPoint>> places = {
      {"background", main->mapToGlobal(QPoint(1200, 900))},
      {"caption", QPoint(frame.left() + frame.width() * 3 / 5, (frame.top() + inner.top()) / 2)},
      {"toolbar", bar->mapToGlobal(QPoint(bar->width() - 10, bar->height() / 2))}};
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
      // A hand takes a moment to reach the mouse; a click sent in the same instant the window
      // manager handed over the activation is not taken by it as a click at all.
      testenv::pump(500);
      clickAt(at);
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

}  // namespace
