// The purchase window's quantity and unit-cost boxes, and its line editor's, in the real program
// as a clerk meets them: a barcode scanned into a number box, a figure just over or at its
// ceiling, and pastes. Under a window manager the keys come from outside through xdotool at a
// scanner's pace; offscreen the same keys go through QTest. Each case then commits the invoice
// and reads the database: a refused figure writes nothing.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include "data/db.h"
#include "platform/form.h"
#include "purchase/buy_edit_price_q.h"
#include "purchase/buy_form.h"
#include "purchase/register.h"
#include "shell/mainwindow.h"
#include "shell/program.h"
#include "shell/settings.h"
#include "support/purchase_fixtures.h"
#include "support/sale_program.h"
#include "support/testenv.h"

void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

using purchase::BuyEditPriceQ;
using purchase::BuyForm;

plat::FormRegistry& reg() { return plat::FormRegistry::instance(); }

bool onDesktop() { return QGuiApplication::platformName() == QLatin1String("xcb"); }

void xdotool(const QStringList& args) {
  QProcess p;
  p.start(QStandardPaths::findExecutable(QStringLiteral("xdotool")), args);
  ASSERT_TRUE(p.waitForFinished(20000)) << "xdotool hung";
  ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
}

// Keys into whatever has the keyboard: from outside through xdotool on a desktop, else QTest's.
void typeText(const QString& text) {
  if (onDesktop()) {
    // A scanner's pace: 5 ms a key.
    xdotool(
        {QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("5"), QStringLiteral("--"), text});
  } else {
    QTest::keyClicks(QApplication::focusWidget(), text);
  }
  testenv::pump(150);
}

void pressKey(const char* xName, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  if (onDesktop())
    xdotool({QStringLiteral("key"), QString::fromLatin1(xName)});
  else
    QTest::keyClick(QApplication::focusWidget(), key, mods);
  testenv::pump(150);
}

void enter() { pressKey("Return", Qt::Key_Return); }
void selectAll() { pressKey("ctrl+a", Qt::Key_A, Qt::ControlModifier); }
void paste(const QString& text) {
  QGuiApplication::clipboard()->setText(text);
  testenv::pump(50);
  pressKey("ctrl+v", Qt::Key_V, Qt::ControlModifier);
}

enum class Box { Quantity, Price, EditorQuantity, EditorPrice };

const char* nameOf(Box b) {
  switch (b) {
    case Box::Quantity:
      return "the purchase window's Quantity";
    case Box::Price:
      return "the purchase window's Price";
    case Box::EditorQuantity:
      return "the line editor's Quantity";
    case Box::EditorPrice:
      return "the line editor's Price";
  }
  return "";
}

bool isQuantity(Box b) { return b == Box::Quantity || b == Box::EditorQuantity; }

// What a box makes of an input.
struct Verdict {
  enum Kind {
    Refused,   // a message naming the box; the box keeps the text for mending
    Kept,      // the paste refused whole: the box holds what it held before
    Accepted,  // the figure goes on the line
  } kind;
  QString text;      // Refused: what the box keeps (typed characters outside its set are dropped)
  double value = 0;  // Accepted: the figure
};

Verdict refused(const char* kept) { return {Verdict::Refused, QString::fromLatin1(kept)}; }
Verdict kept() { return {Verdict::Kept, {}}; }
Verdict accepted(double v) { return {Verdict::Accepted, {}, v}; }

struct Input {
  const char* what;
  bool pasted;
  const char* text;
  Verdict inQuantity;
  Verdict inPrice;
};

// The line every case aims at, but for the box under test: 2 units at 10 baht.
constexpr double kQuantity = 2;
constexpr double kPrice = 10;

class PurchaseBoxes : public salefx::ProgramTest {
 protected:
  void SetUp() override {
    if (onDesktop() && QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
      GTEST_SKIP() << "needs xdotool on the desktop";
    ProgramTest::SetUp();
    purchase::registerForms();
    ASSERT_TRUE(logIn());
    main = shell::openMainWindow();
    ASSERT_TRUE(main);
    main->resize(1280, 1000);
    main->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
    purchasefx::addCategory("C1", "Drinks");
    purchasefx::addProduct("P1", "Water", 0);
    purchasefx::addSupplier("S1", "Acme", "Ann");
    // An earlier invoice, so the price box offers its cost as soon as the product is chosen.
    purchasefx::addLot("P1", "2000-01-01", "1", 5, kPrice);
  }

  // Opens the purchase window from its menu item, the supplier filled in.
  BuyForm* openBuy() {
    main->menuItem(QStringLiteral("MDoBuy"))->trigger();
    testenv::pump(100);
    auto* f = qobject_cast<BuyForm*>(reg().loaded(QStringLiteral("BuyForm")));
    if (f) f->txtSupId->setText(QStringLiteral("S1"));
    return f;
  }

  // Gives the input to the box that has the keyboard: typed as a scanner types, or pasted.
  static void give(const Input& in) {
    if (in.pasted)
      paste(QString::fromLatin1(in.text));
    else
      typeText(QString::fromLatin1(in.text));
  }

  // The lines written since the earlier invoice: quantity and unit cost.
  static QVector<std::pair<double, double>> written() {
    QVector<std::pair<double, double>> out;
    const auto rows = data::Conn().query(
        QStringLiteral("SELECT BQuantity, BPrice FROM Buy WHERE BuyDate > '2000-01-01' ORDER BY PId"));
    for (const auto& r : rows.rows()) out.push_back({r.at(0).toDouble(), r.at(1).toDouble()});
    return out;
  }

  void reset() {
    reg().unloadAll();
    testenv::pump();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    main->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
    data::Conn().exec(QStringLiteral("DELETE FROM Buy WHERE BuyDate > '2000-01-01'"));
    data::Conn().exec(QStringLiteral("UPDATE Product SET Quantity = 0"));
    dlg.clear();
  }

  // One input into one box, as a clerk works: the product scanned, the box under test given the
  // input, Enter after Enter as far as the window lets the keys go; then Commit. Checks the box,
  // the message and what reached the database.
  void tryBox(Box box, const Input& in, const QString& message) {
    const Verdict& v = isQuantity(box) ? in.inQuantity : in.inPrice;
    SCOPED_TRACE(std::string(in.what) + " into " + nameOf(box));
    BuyForm* f = openBuy();
    ASSERT_TRUE(f);
    QPointer<QLineEdit> under;
    QPointer<BuyEditPriceQ> ed;
    bool inEditor = false;
    bool lineBefore = false;  // a line stood on the invoice before the input
    if (box == Box::Quantity || box == Box::Price) {
      f->ComBar->setFocus();
      typeText(QStringLiteral("P1"));
      enter();
      ASSERT_TRUE(f->txtQuantity->hasFocus());
      ASSERT_EQ(f->txtPrice->text(), QStringLiteral("10"));
      if (box == Box::Quantity) {
        under = f->txtQuantity;
        give(in);
        enter();  // to the price, which holds the last cost
        enter();  // to Insert Buy Detail
        enter();  // pressed
      } else {
        typeText(QStringLiteral("2"));
        enter();
        ASSERT_TRUE(f->txtPrice->hasFocus());
        under = f->txtPrice;
        selectAll();
        give(in);
        enter();  // to Insert Buy Detail
        enter();  // pressed
      }
    } else {
      f->ComBar->setEditText(QStringLiteral("P1"));
      f->txtQuantity->setText(QStringLiteral("2"));
      f->txtPrice->setText(QStringLiteral("10"));
      f->cmdUpdate_Click();
      ASSERT_EQ(f->lineCount(), 1);
      lineBefore = true;
      f->FGrid->setRow(0);
      f->FGrid_Click();
      ed = qobject_cast<BuyEditPriceQ*>(reg().loaded(QStringLiteral("BuyEditPriceQ")));
      inEditor = true;
      ASSERT_TRUE(ed);
      // The keys go to the editor once the application has it as its active window.
      ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == ed; }, 5000));
      ASSERT_TRUE(ed->txtQuantity->hasFocus());
      if (box == Box::EditorQuantity) {
        under = ed->txtQuantity;
        give(in);  // over the selected quantity
        enter();   // to the price
        enter();   // OK
      } else {
        enter();  // the quantity kept, to the price, selected
        ASSERT_TRUE(ed->txtPrice->hasFocus());
        under = ed->txtPrice;
        give(in);
        enter();  // OK
      }
    }

    if (v.kind == Verdict::Refused) {
      EXPECT_TRUE(dlg.texts().contains(message)) << dlg.texts().join(QStringLiteral(" | ")).toStdString();
      if (inEditor && !ed) {
        ADD_FAILURE() << "the editor closed";
      } else {
        EXPECT_EQ(under->text(), v.text) << "the box keeps what was typed";
        EXPECT_TRUE(under->hasFocus());
      }
      if (ed) {
        EXPECT_EQ(reg().loaded(QStringLiteral("BuyEditPriceQ")), ed.data()) << "the editor stays for mending";
        EXPECT_EQ(f->lines().at(0).quantity.text, QStringLiteral("2"));
        EXPECT_EQ(f->lines().at(0).unitCost.text, QStringLiteral("10"));
        reg().unload(QStringLiteral("BuyEditPriceQ"));
        testenv::pump(100);
      } else if (!inEditor) {
        EXPECT_EQ(f->lineCount(), 0);
      }
    } else {
      EXPECT_FALSE(dlg.texts().contains(message));
      if (inEditor) {
        EXPECT_TRUE(QTest::qWaitFor([&] { return !reg().loaded(QStringLiteral("BuyEditPriceQ")); }, 3000))
            << "OK left the editor open";
      }
    }

    // What reaches the database.
    std::optional<std::pair<double, double>> line;
    if (v.kind == Verdict::Accepted)
      line = isQuantity(box) ? std::pair{v.value, kPrice} : std::pair{kQuantity, v.value};
    else if (lineBefore || (v.kind == Verdict::Kept && box == Box::Price))
      line = std::pair{kQuantity, kPrice};
    dlg.answerYes();
    f->cmdCommit_Click();
    const auto rows = written();
    if (line) {
      ASSERT_EQ(rows.size(), 1);
      EXPECT_EQ(rows.front().first, line->first);
      EXPECT_DOUBLE_EQ(rows.front().second, line->second);
      EXPECT_EQ(purchasefx::stockOf(QStringLiteral("P1")), line->first);
    } else {
      EXPECT_TRUE(rows.isEmpty()) << rows.size() << " lines written, the first of " << rows.front().first
                                  << " x " << rows.front().second;
      EXPECT_EQ(purchasefx::stockOf(QStringLiteral("P1")), 0);
    }
    reset();
  }
};

const Box kBoxes[] = {Box::Quantity, Box::Price, Box::EditorQuantity, Box::EditorPrice};

TEST_F(PurchaseBoxes, AFigureAboveItsCeilingIsRefusedNamingTheBoxAndNothingIsWritten) {
  const Input inputs[] = {
      {"a 13-digit scan", false, "8851234000001", refused("8851234000001"), refused("8851234000001")},
      {"32768", false, "32768", refused("32768"), accepted(32768)},
      {"32767", false, "32767", accepted(32767), accepted(32767)},
      {"100,000,000.00 typed", false, "100,000,000.00", refused("10000000000"), refused("100000000.00")},
      {"99,999,999.99 typed", false, "99,999,999.99", refused("9999999999"), accepted(99999999.99)},
      {"a scan pasted", true, "8851234000001", refused("8851234000001"), refused("8851234000001")},
      {"7,5 pasted", true, "7,5", kept(), kept()},
      {"1e3 pasted", true, "1e3", kept(), kept()},
      {"12 pasted", true, "12", accepted(12), accepted(12)},
  };
  for (const Input& in : inputs) {
    for (const Box box : kBoxes) {
      tryBox(box, in,
             isQuantity(box) ? QStringLiteral("Quantity cannot be more than 32,767")
                             : QStringLiteral("Price cannot be more than 99,999,999.99"));
      if (HasFatalFailure()) return;
    }
  }
}

TEST_F(PurchaseBoxes, TheRefusalIsInThai) {
  shell::settings().LangThai = true;
  const Input scan{"a 13-digit scan", false, "8851234000001", refused("8851234000001"),
                   refused("8851234000001")};
  for (const Box box : kBoxes) {
    tryBox(box, scan,
           isQuantity(box) ? QStringLiteral("จำนวน ต้องไม่เกิน 32,767")
                           : QStringLiteral("ราคา ต้องไม่เกิน 99,999,999.99"));
    if (HasFatalFailure()) return;
  }
}

}  // namespace
