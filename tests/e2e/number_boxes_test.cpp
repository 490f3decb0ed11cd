// The number boxes of the product editor, the purchase-price editor and the options window, fed as
// a clerk feeds them under a window manager: a barcode scanned where a number belongs (keys at a
// scanner's speed, then Enter), a figure past its box's ceiling, the ceiling itself, and pastes
// that are no number. What is past the ceiling is refused naming the box, in the user's language,
// with the text left in the box and nothing stored: the database and the settings file are read
// afterwards.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include "data/db.h"
#include "data/products.h"
#include "every_window.h"
#include "platform/flexgrid.h"
#include "platform/form.h"
#include "platform/numtext.h"
#include "reports/analyze_form.h"
#include "reports/price_form.h"
#include "shell/mainwindow.h"
#include "shell/option_form.h"
#include "shell/program.h"
#include "shell/settings.h"
#include "stock/addf.h"
#include "support/sale_program.h"
#include "support/testenv.h"

void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
void PrintTo(const QStringList& l, std::ostream* os) {
  *os << '{' << l.join(QStringLiteral(" | ")).toStdString() << '}';
}

namespace {

plat::FormRegistry& reg() { return plat::FormRegistry::instance(); }

const QString kMoneyEn = QStringLiteral(" cannot be more than 99,999,999.99");
const QString kMoneyTh = QStringLiteral(" ต้องไม่เกิน 99,999,999.99");

class NumberBoxes : public salefx::ProgramTest {
 protected:
  void SetUp() override {
    if (QGuiApplication::platformName() != QLatin1String("xcb") || !have("xdotool"))
      GTEST_SKIP() << "needs an X display with a window manager, and xdotool";
    ProgramTest::SetUp();
    e2e::registerEveryWindow();
    ASSERT_TRUE(logIn());
    main = shell::openMainWindow();
    ASSERT_TRUE(main);
    main->resize(1280, 1000);
    main->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main.get(), 30000));
  }

  // Runs xdotool with args while the program goes on taking its events, as it does while a user
  // types.
  static void xdotool(const QStringList& args) {
    QProcess p;
    p.start(QStandardPaths::findExecutable(QStringLiteral("xdotool")), args);
    ASSERT_TRUE(p.waitForStarted(5000));
    // The events of the program may see the end first; then waiting for it returns at once.
    while (p.state() != QProcess::NotRunning) {
      p.waitForFinished(10);
      testenv::pump();
    }
    testenv::pump(100);
  }

  // A click of the mouse on the middle of w, as a user gives it; a box then holds the keyboard.
  static void click(QWidget* w) {
    testenv::pump(200);
    const QPoint p = w->mapToGlobal(w->rect().center());
    xdotool({QStringLiteral("mousemove"), QString::number(p.x()), QString::number(p.y()),
             QStringLiteral("click"), QStringLiteral("1")});
    testenv::pump(150);
  }

  // Into box, all of its text replaced: the keys of text as a scanner sends them, then Enter; or,
  // for a paste, text put on the clipboard and Ctrl+V.
  static void enter(QLineEdit* box, const QString& text, bool paste) {
    click(box);
    ASSERT_TRUE(QTest::qWaitFor([&] { return box->hasFocus(); }, 5000)) << "the box never took the keyboard";
    xdotool({QStringLiteral("key"), QStringLiteral("ctrl+a")});
    if (paste) {
      QGuiApplication::clipboard()->setText(text);
      testenv::pump(50);
      xdotool({QStringLiteral("key"), QStringLiteral("ctrl+v")});
    } else {
      xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("5"), QStringLiteral("--"),
               text});
      xdotool({QStringLiteral("key"), QStringLiteral("Return")});
    }
  }

  template <typename F>
  F* open(const char* item, const char* form) {
    main->menuItem(QLatin1String(item))->trigger();
    testenv::pump(100);
    return qobject_cast<F*>(reg().loaded(QLatin1String(form)));
  }

  static double number(const QString& sql, const QVariantList& args = {}) {
    return data::Conn().scalar(sql, args).toDouble();
  }

  void setThai(bool thai) { shell::settings().LangThai = thai; }
};

// A row of the table: the box, what reaches it, and what comes of it.
struct BoxCase {
  const char* box;
  QString input;
  bool paste;
  bool thai;
  QString message;  // empty: taken and stored
  QString kept;     // the box's text afterwards

  std::string what() const {
    return (QLatin1String(box) + QLatin1Char(' ') + input +
            (paste ? QStringLiteral(" pasted") : QStringLiteral(" typed")) +
            (thai ? QStringLiteral(" in Thai") : QString()))
        .toStdString();
  }
};

TEST_F(NumberBoxes, TheProductEditorStoresNoScanAndNothingPastItsCeilings) {
  data::Conn().exec(QStringLiteral("INSERT INTO Category (CateID, CateName) VALUES ('C1', 'Drinks')"));
  const QString price1En = QStringLiteral("Price 1") + kMoneyEn;
  const BoxCase cases[] = {
      {"txtPrice", QStringLiteral("8851234000001"), false, false, price1En, QStringLiteral("8851234000001")},
      {"txtPrice1", QStringLiteral("8851234000001"), false, false, QStringLiteral("Price 2") + kMoneyEn,
       QStringLiteral("8851234000001")},
      // The key filter drops the grouping commas; what is left is still past the ceiling.
      {"txtPrice2", QStringLiteral("100,000,000.00"), false, false, QStringLiteral("Price 3") + kMoneyEn,
       QStringLiteral("100000000.00")},
      {"txtPrice", QStringLiteral("-8851234000001"), false, false, price1En,
       QStringLiteral("-8851234000001")},
      {"txtPoOrder", QStringLiteral("8851234000001"), false, false,
       QStringLiteral("Point Of Order cannot be more than 32,767"), QStringLiteral("8851234000001")},
      {"txtPoOrder", QStringLiteral("32768"), false, false,
       QStringLiteral("Point Of Order cannot be more than 32,767"), QStringLiteral("32768")},
      {"txtPrice", QStringLiteral("8851234000001"), true, false, price1En, QStringLiteral("8851234000001")},
      {"txtPrice", QStringLiteral("7,5"), true, false, QStringLiteral("Enter the price as a number"),
       QStringLiteral("7,5")},
      {"txtPrice", QStringLiteral("1e3"), true, false, QStringLiteral("Enter the price as a number"),
       QStringLiteral("1e3")},
      {"txtPrice", QStringLiteral("8851234000001"), false, true, QStringLiteral("ราคา 1") + kMoneyTh,
       QStringLiteral("8851234000001")},
      {"txtPrice1", QStringLiteral("100,000,000.00"), false, true, QStringLiteral("ราคา 2") + kMoneyTh,
       QStringLiteral("100000000.00")},
      {"txtPoOrder", QStringLiteral("8851234000001"), false, true, QStringLiteral("จุดสั่งซื้อ ต้องไม่เกิน 32,767"),
       QStringLiteral("8851234000001")},
      // The ceilings themselves, and a negative price, are stored.
      {"txtPrice", QStringLiteral("99,999,999.99"), false, false, {}, {}},
      {"txtPrice2", QStringLiteral("-12.5"), false, false, {}, {}},
      {"txtPoOrder", QStringLiteral("32767"), false, true, {}, {}},
  };
  int n = 0;
  for (const BoxCase& c : cases) {
    const QString code = QStringLiteral("N%1").arg(++n);
    SCOPED_TRACE(code.toStdString() + " " + c.what());
    reg().unloadAll();
    testenv::pump();
    setThai(c.thai);
    auto* f = open<stock::AddF>("Madd", "AddF");
    ASSERT_TRUE(f);
    f->txtBar->setText(code);
    f->txtName->setText(QStringLiteral("Scanned tea"));
    f->ComCate->setCurrentIndex(0);
    f->txtNoun->setText(QStringLiteral("pc"));
    for (QLineEdit* b : {f->txtPrice, f->txtPrice1, f->txtPrice2, f->txtPoOrder})
      b->setText(QStringLiteral("10"));
    auto* box = f->findChild<QLineEdit*>(QLatin1String(c.box));
    ASSERT_TRUE(box);
    dlg.clear();
    enter(box, c.input, c.paste);
    click(f->cmdAdd);
    const auto row = data::productByCode(code);
    if (c.message.isEmpty()) {
      EXPECT_TRUE(dlg.texts().isEmpty()) << dlg.lastMessage().toStdString();
      ASSERT_TRUE(row) << "not stored";
      const double want =
          c.input == QLatin1String("99,999,999.99") ? 99999999.99 : plat::parseNumber(c.input).value();
      const double got = QLatin1String(c.box) == QLatin1String("txtPrice")    ? row->Price
                         : QLatin1String(c.box) == QLatin1String("txtPrice1") ? row->Price1
                         : QLatin1String(c.box) == QLatin1String("txtPrice2") ? row->Price2
                                                                              : double(row->PoOrder);
      EXPECT_EQ(plat::toSatang(got), plat::toSatang(want));
    } else {
      EXPECT_EQ(dlg.texts(), QStringList{c.message});
      EXPECT_FALSE(row) << "stored with " << c.box << " "
                        << plat::plainNumber(row ? row->Price : 0).toStdString();
      if (reg().loaded(QStringLiteral("AddF")) != f) {
        ADD_FAILURE() << "the window closed";
        continue;
      }
      EXPECT_EQ(box->text(), c.kept) << "the text is kept for mending";
      EXPECT_EQ(QApplication::focusWidget(), box);
    }
  }
  setThai(false);

  // Saving a product picked from the list: a scan in its re-order point changes nothing.
  data::Conn().exec(
      QStringLiteral("INSERT INTO Product VALUES ('A1', 'Cola', 12, 12, 12, 5, 'C1', 'can', 3)"));
  reg().unloadAll();
  testenv::pump();
  auto* f = open<stock::AddF>("Madd", "AddF");
  ASSERT_TRUE(f);
  f->Comcate2->setCurrentIndex(1);
  f->Comcate2_Click();
  ASSERT_GE(f->FGrid->Rows(), 1);
  int r = 0;
  while (r < f->FGrid->Rows() && f->FGrid->TextMatrix(r, 0) != QLatin1String("A1")) ++r;
  ASSERT_LT(r, f->FGrid->Rows());
  const QPoint cell =
      f->FGrid->viewport()->mapToGlobal(f->FGrid->visualRect(f->FGrid->model()->index(r, 1)).center());
  xdotool({QStringLiteral("mousemove"), QString::number(cell.x()), QString::number(cell.y()),
           QStringLiteral("click"), QStringLiteral("1")});
  ASSERT_TRUE(QTest::qWaitFor([&] { return f->editing(); }, 5000)) << "the row click did not start editing";
  dlg.clear();
  enter(f->txtPoOrder, QStringLiteral("8851234000001"), false);
  click(f->cmdEdit);
  EXPECT_EQ(dlg.texts(), QStringList{QStringLiteral("Point Of Order cannot be more than 32,767")});
  EXPECT_TRUE(f->editing());
  EXPECT_EQ(number(QStringLiteral("SELECT PoOrder FROM Product WHERE PId = 'A1'")), 3);
}

TEST_F(NumberBoxes, ThePurchasePriceEditorRewritesNoLotWithAScan) {
  data::Conn().exec(QStringLiteral("INSERT INTO Category (CateID, CateName) VALUES ('C1', 'Drinks')"));
  data::Conn().exec(
      QStringLiteral("INSERT INTO Product VALUES ('100', 'Tea', 30, 30, 30, 10, 'C1', 'pc', 0)"));
  for (const auto& [date, price] : {std::pair{"2024-03-01", 12.0}, std::pair{"2024-03-05", 15.0}})
    data::Conn().exec(
        QStringLiteral("INSERT INTO Buy (PId, BuyDate, BuyTime, BQuantity, BPrice, BuyId, RemainQ, "
                       "SupplierID) VALUES ('100', ?, '09:00:00', 10, ?, '1', 10, 'S1')"),
        {QString::fromLatin1(date), price});
  data::Conn().exec(QStringLiteral(
      "INSERT INTO Sell (PID, SellTime, SellDate, SQuantity, SPrice, Comment, Employee, Recieve) "
      "VALUES ('100', '10:00:00', '2024-03-10', 1, 30, 1, 'Admin', 0)"));
  const auto lots = [] {
    QStringList out;
    const auto rows = data::Conn().query(QStringLiteral("SELECT BPrice FROM Buy ORDER BY BuyDate"));
    for (const auto& row : rows.rows()) out << plat::plainNumber(row.at(0).toDouble());
    return out;
  };
  const auto editor = [] {
    return qobject_cast<reports::PriceForm*>(reg().loaded(QStringLiteral("PriceForm")));
  };
  // The analysis of March for Drinks, and the editor opened by a click on Tea's row.
  const auto openEditor = [&]() -> reports::PriceForm* {
    reg().unloadAll();
    testenv::pump();
    auto* a = open<reports::AnalyzeForm>("MAnalyze", "AnalyzeForm");
    if (!a) return nullptr;
    a->DTPDate1->setDate(QDate(2024, 3, 1));
    a->DTPDate2->setDate(QDate(2024, 3, 31));
    a->LstCate->item(0)->setSelected(true);
    a->cmdSh_Click();
    if (a->FGrid->Rows() != 1) return nullptr;
    const QPoint cell =
        a->FGrid->viewport()->mapToGlobal(a->FGrid->visualRect(a->FGrid->model()->index(0, 1)).center());
    testenv::pump(200);
    xdotool({QStringLiteral("mousemove"), QString::number(cell.x()), QString::number(cell.y()),
             QStringLiteral("click"), QStringLiteral("1")});
    if (!QTest::qWaitFor([&] { return editor() != nullptr; }, 5000)) return nullptr;
    return QTest::qWaitForWindowActive(editor(), 5000) ? editor() : nullptr;
  };

  const BoxCase cases[] = {
      {"txtPrice", QStringLiteral("8851234000001"), false, false, QStringLiteral("Price") + kMoneyEn,
       QStringLiteral("8851234000001")},
      {"txtPrice", QStringLiteral("100000000.00"), false, false, QStringLiteral("Price") + kMoneyEn,
       QStringLiteral("100000000.00")},
      {"txtPrice", QStringLiteral("8851234000001"), false, true, QStringLiteral("ราคา") + kMoneyTh,
       QStringLiteral("8851234000001")},
      // A paste that is no number never reaches the box: it keeps the price it showed.
      {"txtPrice", QStringLiteral("7,5"), true, false, {}, QStringLiteral("15")},
      {"txtPrice", QStringLiteral("-7"), true, false, {}, QStringLiteral("15")},
      {"txtPrice", QStringLiteral("1e3"), true, false, {}, QStringLiteral("15")},
  };
  for (const BoxCase& c : cases) {
    SCOPED_TRACE(c.what());
    setThai(c.thai);
    reports::PriceForm* e = openEditor();
    ASSERT_TRUE(e);
    ASSERT_EQ(e->txtPrice->text(), QStringLiteral("15"));
    dlg.clear();
    enter(e->txtPrice, c.input, c.paste);
    if (c.paste) {
      EXPECT_EQ(e->txtPrice->text(), c.kept);
      continue;
    }
    EXPECT_EQ(dlg.texts(), QStringList{c.message});
    if (editor() != e) {
      ADD_FAILURE() << "the editor closed";
      continue;
    }
    EXPECT_EQ(e->txtPrice->text(), c.kept);
    EXPECT_EQ(lots(), QStringList({"12", "15"}));
  }
  setThai(false);

  // The ceiling itself is a price: every lot of the product takes it.
  reports::PriceForm* e = openEditor();
  ASSERT_TRUE(e);
  dlg.clear();
  enter(e->txtPrice, QStringLiteral("99999999.99"), false);
  EXPECT_TRUE(dlg.texts().isEmpty()) << dlg.lastMessage().toStdString();
  EXPECT_TRUE(QTest::qWaitFor([&] { return editor() == nullptr; }, 5000)) << "Save left the editor open";
  EXPECT_EQ(lots(), QStringList({"99999999.99", "99999999.99"}));
}

TEST_F(NumberBoxes, TheOptionsWindowWritesNoScannedRateAndTakesNoPasteThatIsNoNumber) {
  const shell::ShopSettings before = shell::settings();
  ASSERT_EQ(before.VatRate, 7);
  const QString vatBox = QString::number(before.VatRate);
  const QString reportFont = before.ReportFontSize.toText();
  const QString billFont = QString::number(before.BillFontSize);
  const BoxCase cases[] = {
      {"txtTaxVal", QStringLiteral("8851234000001"), false, false,
       QStringLiteral("Tax Value (%) cannot be more than 100"), QStringLiteral("8851234000001")},
      {"txtTaxVal", QStringLiteral("101"), false, false,
       QStringLiteral("Tax Value (%) cannot be more than 100"), QStringLiteral("101")},
      {"txtTaxVal", QStringLiteral("101"), false, true, QStringLiteral("ภาษี ต้องไม่เกิน 100"),
       QStringLiteral("101")},
      {"txtFntBill", QStringLiteral("8851234000001"), false, false,
       QStringLiteral("Font Size of Bill: please type a whole number from 1 to 72."),
       QStringLiteral("8851234000001")},
      {"txtFontSize", QStringLiteral("8851234000001"), false, false,
       QStringLiteral("Font Size of Report: please type a whole number from 1 to 72."),
       QStringLiteral("8851234000001")},
      // Pastes that are no number of the box's kind leave the box as it was, so OK stores nothing.
      {"txtTaxVal", QStringLiteral("7,5"), true, false, {}, vatBox},
      {"txtTaxVal", QStringLiteral("-7"), true, false, {}, vatBox},
      {"txtTaxVal", QStringLiteral("1e3"), true, false, {}, vatBox},
      {"txtTaxVal", QStringLiteral("7..5"), true, false, {}, vatBox},
      {"txtFontSize", QStringLiteral("7,5"), true, false, {}, reportFont},
      {"txtFontSize", QStringLiteral("-7"), true, false, {}, reportFont},
      {"txtFntBill", QStringLiteral("1e3"), true, false, {}, billFont},
      {"txtFntBill", QStringLiteral("1.5"), true, false, {}, billFont},
  };
  for (const BoxCase& c : cases) {
    SCOPED_TRACE(c.what());
    reg().unloadAll();
    testenv::pump();
    setThai(c.thai);
    auto* f = open<shell::OptionF>("Setting", "OptionF");
    ASSERT_TRUE(f);
    auto* box = qobject_cast<QLineEdit*>(f->control(QLatin1String(c.box)));
    ASSERT_TRUE(box);
    ASSERT_TRUE(box->isEnabled());
    enter(box, c.input, c.paste);
    EXPECT_EQ(box->text(), c.kept);
    dlg.clear();
    dlg.answerYes(false);  // no restart
    click(f->OKButton);
    if (!c.message.isEmpty()) {
      EXPECT_EQ(dlg.texts(), QStringList{c.message});
      if (reg().loaded(QStringLiteral("OptionF")) != f) {
        ADD_FAILURE() << "the window closed";
        continue;
      }
      EXPECT_EQ(QApplication::focusWidget(), box);
      EXPECT_EQ(box->text(), c.kept) << "the text is kept for mending";
      dlg.yesNo.clear();
    }
    shell::ShopSettings now = shell::settings();
    now.LangThai = before.LangThai;
    EXPECT_TRUE(now == before) << "VAT " << now.VatRate << ", bill font " << now.BillFontSize
                               << ", report font " << now.ReportFontSize.toText().toStdString();
  }
  setThai(false);

  // The ceiling itself is a rate; OK with a restart writes it, and nothing refused, to the file.
  reg().unloadAll();
  testenv::pump();
  auto* f = open<shell::OptionF>("Setting", "OptionF");
  ASSERT_TRUE(f);
  enter(f->txtTaxVal, QStringLiteral("100"), false);
  dlg.clear();
  dlg.answerYes(true);
  click(f->OKButton);
  EXPECT_EQ(dlg.texts(), QStringList{QStringLiteral("To use this setting you must restart your program")});
  ASSERT_TRUE(QTest::qWaitFor([&] { return !main->isVisible(); }, 5000)) << "the program did not end";
  shell::ShopSettings written;
  QString error;
  ASSERT_TRUE(shell::readSettings26(written, &error)) << error.toStdString();
  EXPECT_EQ(written.VatRate, 100);
  EXPECT_EQ(written.BillFontSize, before.BillFontSize);
  EXPECT_EQ(written.ReportFontSize.toText(), reportFont);
}

}  // namespace
