// The bill list window driven through its controls: the permission, the show with its date and
// bill number, the reprint on a recording printer, the cancellation and the day deletion.
#include "reports/bill_form.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <memory>

#include "data/db.h"
#include "platform/dialogs.h"
#include "platform/print_surface_qt.h"
#include "platform/units.h"
#include "reports/bill_gather.h"
#include "reports/bill_layout.h"
#include "reports/bill_print.h"
#include "shell/security.h"
#include "shell/session.h"
#include "shell/settings.h"
#include "support/recording_print.h"
#include "support/sale_fixtures.h"
#include "support/scripted_dialogs.h"
#include "support/testenv.h"

// Failures show texts as texts.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

using reports::BillF;

const QString kDay = QStringLiteral("2024-03-15");  // the fixed clock's today
const QString kSep = QStringLiteral(
    "- - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - -");

void sellLine(const QString& day, qint64 billNo, const QString& pid, double qty, double price) {
  data::Conn().exec(
      QStringLiteral("INSERT INTO Sell (PID, SellTime, SellDate, SQuantity, SPrice, Comment, Employee, "
                     "Recieve) VALUES (?, '10:30:05', ?, ?, ?, ?, 'Somchai', 200)"),
      {pid, day, qty, price, billNo});
}

class FailingSurface : public plat::RecordingSurface {
 public:
  void EndDoc() override { throw plat::PrintJobError(QStringLiteral("paper out")); }
};

class BillForm : public testenv::DbTest {
 protected:
  void SetUp() override {
    testenv::DbTest::SetUp();
    auto& s = shell::settings();
    s.HeadInvoice = QStringLiteral("Tax Invoice (ABB)");
    s.ComName = shell::SettingValue::ofText(QStringLiteral("Corner Shop"));
    s.ComTaxID = shell::SettingValue::ofText(QStringLiteral("TAX ID 0105551234567"));
    s.PosText = QStringLiteral("POS No. 1");
    s.TotalVatText = QStringLiteral("VAT included");
    s.VatRate = 7;
    s.BillPrinter = shell::SettingValue::ofText(QStringLiteral("BillPrinter"));
    s.ReportFontSize = shell::SettingValue::ofNumber(10);
    salefx::addProduct("P1", "Green Tea 500ml", 35, 10);
    salefx::addProduct("P2", "Pen", 30, 4);
    sellLine(kDay, 12, "P1", 2, 35);
    sellLine(kDay, 12, "P2", 1, 30);
    sellLine(kDay, 13, "P2", 1, 30);
    sellLine("2024-03-14", 12, "P1", 1, 35);
    setUser(QStringLiteral("Owner"), 0);
  }
  void TearDown() override {
    form.reset();
    shell::session() = shell::Session{};
    testenv::DbTest::TearDown();
  }
  static void setUser(const QString& name, std::optional<int> level) {
    shell::session().userName = name;
    if (!level) return;
    shell::users::add(data::Conn(), name, QStringLiteral("pw"));
    shell::users::setPermission(data::Conn(), name, *level);
  }
  BillF& open() {
    form = std::make_unique<BillF>();
    form->Form_Load();
    return *form;
  }
  static QStringList expectedList(std::optional<qint64> no) {
    return reports::billListLines(reports::gatherBills(data::Conn(), kDay, no), no.has_value(),
                                  reports::BillTexts::fromSettings());
  }

  plat::ScriptedDialogs dialogs;
  plat::FakePrinters printers{{QStringLiteral("ReportPrinter"), QStringLiteral("BillPrinter")}};
  std::unique_ptr<BillF> form;
};

TEST_F(BillForm, TheListHoldsItsLinesWholeInBothLanguages) {
  for (const bool thai : {false, true}) {
    shell::settings().LangThai = thai;
    BillF& f = open();
    f.show();
    f.cmdShow->click();
    testenv::pump();
    const QFontMetrics fm(f.List1->font());
    EXPECT_GE(f.List1->viewport()->width(), fm.horizontalAdvance(kSep)) << (thai ? "Thai" : "English");
    EXPECT_EQ(f.List1->horizontalScrollBar()->maximum(), 0) << "nothing to scroll to";
    // The buttons stand as far right of the list as drawn, inside the window.
    for (QPushButton* b : {f.cmdShow, f.cmdDel, f.cmdPrint}) {
      EXPECT_EQ(b->x() - f.List1->geometry().right(), plat::twipsToPx(4440 - 480 - 3735) + 1);
      EXPECT_LE(b->geometry().right(), f.width());
    }
    form.reset();
  }
}

TEST_F(BillForm, OpensOnTodayWithItsCaptions) {
  BillF& f = open();
  EXPECT_EQ(f.txtDate->text(), "15/03/2024");
  EXPECT_TRUE(f.lines().isEmpty());
  EXPECT_EQ(f.windowTitle(), "Bill Report");
  EXPECT_EQ(f.cmdDel->text(), "Cancel Bill");
  EXPECT_EQ(f.LabelDate->text(), "Date(Day/Month/Year)");
  EXPECT_EQ(f.List1->pos(), QPoint(32, 80));
  EXPECT_EQ(f.List1->height(), 368);
  form.reset();
  shell::settings().LangThai = true;
  BillF& t = open();
  EXPECT_EQ(t.windowTitle(), QString::fromUtf8("รายการบิล"));
  EXPECT_EQ(t.cmdDel->text(), QString::fromUtf8("ยกเลิกบิล"));
  EXPECT_EQ(t.Del->text(), QString::fromUtf8("ลบข้อมูล"));
  EXPECT_EQ(t.lblInvNo->text(), QString::fromUtf8("เลขที่บิล"));
}

TEST_F(BillForm, OnlyLevelZeroChangesTheDayAndDeletesIt) {
  const std::pair<std::optional<int>, bool> cases[] = {
      {0, true}, {1, false}, {2, false}, {std::nullopt, false}};
  int i = 0;
  for (const auto& [level, all] : cases) {
    SCOPED_TRACE(level ? *level : -1);
    setUser(QStringLiteral("user%1").arg(i++), level);
    BillF& f = open();
    EXPECT_EQ(f.txtDate->isEnabled(), all);
    EXPECT_EQ(f.Del->isHidden(), !all);
    EXPECT_FALSE(f.cmdDel->isHidden());
    EXPECT_FALSE(f.cmdPrint->isHidden());
  }
}

TEST_F(BillForm, EnterShowsTheDayOrOneBill) {
  BillF& f = open();
  QTest::keyClick(f.txtDate, Qt::Key_Return);
  EXPECT_EQ(f.lines(), expectedList(std::nullopt));
  EXPECT_EQ(f.lines().last(), "\tVat 7%          \t8.5");

  for (const char* typed : {"12", "0000000012", " 12 "}) {
    f.txtInvNo->setText(QString::fromLatin1(typed));
    QTest::keyClick(f.txtInvNo, Qt::Key_Enter);
    EXPECT_EQ(f.lines(), expectedList(12)) << typed;
    EXPECT_FALSE(f.lines().contains(kSep));
  }
  f.txtInvNo->setText("99");
  f.cmdShow->click();
  EXPECT_TRUE(f.lines().isEmpty());
  EXPECT_TRUE(dialogs.shown.empty());
  // Other keys only edit the box.
  QTest::keyClicks(f.txtInvNo, "1");
  EXPECT_EQ(f.txtInvNo->text(), "991");
  EXPECT_TRUE(f.lines().isEmpty());
}

TEST_F(BillForm, BadInputLeavesTheListAsItWas) {
  BillF& f = open();
  f.cmdShow->click();
  const QStringList shown = f.lines();
  f.txtInvNo->setText("12a");
  f.cmdShow->click();
  EXPECT_EQ(f.lines(), shown);
  EXPECT_EQ(dialogs.lastMessage(), "The bill number must be a number.");
  f.txtInvNo->clear();
  for (const char* date : {"31/02/2024", "15-03-2024", "2024-03-15", ""}) {
    dialogs.clear();
    f.txtDate->setText(QString::fromLatin1(date));
    QTest::keyClick(f.txtDate, Qt::Key_Return);
    EXPECT_EQ(f.lines(), shown) << date;
    EXPECT_TRUE(dialogs.lastMessage().startsWith("The date is not valid.")) << date;
  }
  f.txtDate->setText("14/03/2024");
  f.cmdShow->click();
  EXPECT_EQ(f.lines()[4], "    14/03/2024 10:30:05     no # 0000000012");
}

// ---- cancelling ----

TEST_F(BillForm, CancelGuards) {
  struct Case {
    const char* number;
    bool yes;
    bool asked;
    double stock;  // of P2 afterwards
    bool refreshed;
  };
  const Case cases[] = {
      {"", true, false, 4, false},                                 // no number: no question
      {"12", false, true, 4, false},                               // answered No
      {"11", true, true, 4, false},                                // no such bill on the day
      {"12", true, true, 5, true},   {"12", true, true, 5, true},  // a second cancel gives nothing more back
  };
  BillF& f = open();
  int extra = 100;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.number);
    f.txtInvNo->clear();
    f.cmdShow->click();
    const QStringList before = f.lines();
    // A bill added after the show appears only when the list is shown again.
    sellLine(kDay, extra++, "P1", 1, 35);
    dialogs.clear();
    dialogs.yesNo.clear();
    dialogs.answerYes(c.yes);
    f.txtInvNo->setText(QString::fromLatin1(c.number));
    f.cmdDel->click();
    if (c.asked) {
      ASSERT_EQ(dialogs.shown.size(), 1u);
      EXPECT_EQ(dialogs.shown[0].text, QStringLiteral("Do you want Cancel Inv No.") + c.number);
    } else {
      EXPECT_TRUE(dialogs.shown.empty());
    }
    EXPECT_EQ(salefx::stockOf("P2"), c.stock);
    if (c.refreshed) {
      EXPECT_EQ(f.lines(), expectedList(12));
      EXPECT_EQ(f.lines()[8], "Total           \t0.00\t");
      EXPECT_EQ(f.lines().last(), "\t x x x C  a  n  c  e  l x x x ");
    } else {
      EXPECT_EQ(f.lines(), before);
    }
  }
  EXPECT_EQ(salefx::stockOf("P1"), 12);  // bill 12 gave back its 2 units of P1 once
}

TEST_F(BillForm, CancelAsksInEnglishAndNamesAProductThatIsGone) {
  shell::settings().LangThai = true;
  sellLine(kDay, 14, "GONE", 1, 20);
  sellLine(kDay, 14, "P1", 1, 35);
  BillF& f = open();
  f.txtInvNo->setText("14");
  dialogs.answerYes();
  f.cmdDel->click();
  ASSERT_EQ(dialogs.shown.size(), 2u);
  EXPECT_EQ(dialogs.shown[0].text, "Do you want Cancel Inv No.14");
  EXPECT_TRUE(dialogs.shown[1].text.contains("GONE")) << dialogs.shown[1].text.toStdString();
  EXPECT_TRUE(dialogs.shown[1].text.contains(QString::fromUtf8("ยกเลิกบิลไม่ได้")));
  EXPECT_EQ(salefx::stockOf("P1"), 10);
  EXPECT_EQ(data::Conn().scalar("SELECT SUM(SQuantity) FROM Sell WHERE Comment = 14").toDouble(), 2);
}

// ---- deleting the day ----

TEST_F(BillForm, DeleteTheDayAnsweredYesOrNo) {
  BillF& f = open();
  ASSERT_FALSE(f.Del->isHidden());
  f.Del->click();  // answered No
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "Do you Want to Delete Data 15/03/2024");
  EXPECT_EQ(salefx::sellRows(), 4);
  EXPECT_EQ(f.lines(), expectedList(std::nullopt));  // shown again all the same

  dialogs.clear();
  dialogs.answerYes();
  f.Del->click();
  EXPECT_EQ(salefx::sellRows(), 1);  // the 14th stays
  EXPECT_EQ(salefx::stockOf("P1"), 10);
  EXPECT_EQ(salefx::stockOf("P2"), 4);
  EXPECT_TRUE(f.lines().isEmpty());
  EXPECT_EQ(dialogs.shown.size(), 1u);
}

TEST_F(BillForm, DeleteTheDayChecksTheDateFirst) {
  shell::settings().LangThai = true;
  BillF& f = open();
  f.txtDate->setText("15/13/2024");
  dialogs.answerYes();
  f.Del->click();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].kind, plat::ScriptedDialogs::Kind::Message);
  EXPECT_TRUE(dialogs.shown[0].text.startsWith(QString::fromUtf8("วันที่ไม่ถูกต้อง")));
  EXPECT_EQ(salefx::sellRows(), 4);
  // The window stays usable.
  f.txtDate->setText("15/03/2024");
  dialogs.clear();
  f.Del->click();
  EXPECT_EQ(dialogs.shown[0].text, QString::fromUtf8("คุณต้องการลบข้อมูลประจำวันที่ 15/03/2024"));
}

TEST_F(BillForm, ADatabaseRefusalIsToldAndChangesNothing) {
  data::Conn().exec(
      "CREATE TRIGGER KeepSales BEFORE DELETE ON Sell BEGIN SELECT RAISE(ABORT, 'sales are kept'); END");
  data::Conn().exec(
      "CREATE TRIGGER HoldSales BEFORE UPDATE OF SQuantity ON Sell BEGIN SELECT RAISE(ABORT, 'sales are "
      "held'); "
      "END");
  BillF& f = open();
  dialogs.answerYes();
  f.Del->click();
  EXPECT_TRUE(dialogs.lastMessage().contains("sales are kept")) << dialogs.lastMessage().toStdString();
  EXPECT_EQ(salefx::sellRows(), 4);
  EXPECT_EQ(f.lines(), expectedList(std::nullopt));  // shown all the same

  // The stock given back before the lines were refused is taken back with them.
  dialogs.clear();
  f.txtInvNo->setText("12");
  dialogs.answerYes();
  f.cmdDel->click();
  EXPECT_TRUE(dialogs.lastMessage().startsWith("The bill could not be cancelled: sales are held"))
      << dialogs.lastMessage().toStdString();
  EXPECT_EQ(salefx::stockOf("P1"), 10);
  EXPECT_EQ(salefx::stockOf("P2"), 4);
  EXPECT_EQ(data::Conn().scalar("SELECT SUM(SQuantity) FROM Sell WHERE Comment = 12").toDouble(), 4);
}

// ---- reprint ----

TEST_F(BillForm, ReprintPrintsThePrinterLinesOnTheBillPrinter) {
  BillF& f = open();
  f.cmdPrint->click();
  EXPECT_TRUE(dialogs.shown.empty()) << dialogs.texts().join('\n').toStdString();
  ASSERT_EQ(printers.jobs.size(), 1u);
  EXPECT_EQ(printers.jobs[0].printer, "BillPrinter");
  const plat::RecordingSurface& s = *printers.jobs[0].surface;
  const QStringList want = reports::billPrinterLines(reports::gatherBills(data::Conn(), kDay), false,
                                                     reports::BillTexts::fromSettings());
  QStringList pieces;
  for (const QString& line : want)
    for (const QString& p : line.split('\t'))
      if (!p.isEmpty()) pieces << p;
  EXPECT_EQ(s.texts(), pieces);
  EXPECT_EQ(s.texts().last(), " Baht");
  EXPECT_EQ(s.ops.back().kind, plat::RecordingSurface::Op::EndDoc);
  EXPECT_EQ(s.ops.front().size, 10);
  EXPECT_FALSE(s.ops.front().bold);
  EXPECT_TRUE(f.lines().isEmpty());  // the list is not touched

  f.txtInvNo->setText("13");
  f.cmdPrint->click();
  ASSERT_EQ(printers.jobs.size(), 2u);
  const QStringList one = printers.jobs[1].surface->texts();
  EXPECT_TRUE(one.contains(" 15/03/2024 10:30:05 no # 0000000013"));
  EXPECT_FALSE(one.contains(kSep));
  EXPECT_FALSE(one.contains("Today Total"));
}

TEST_F(BillForm, ReprintWithoutItsPrinterOrBillsPrintsNothingAndSaysNothing) {
  BillF& f = open();
  for (const char* name : {"None", "billprinter", ""}) {
    shell::settings().BillPrinter = shell::SettingValue::ofText(QString::fromLatin1(name));
    f.cmdPrint->click();
  }
  shell::settings().BillPrinter = shell::SettingValue::ofText("BillPrinter");
  f.txtInvNo->setText("99");
  f.cmdPrint->click();
  EXPECT_TRUE(printers.jobs.empty());
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(BillForm, APrinterFailureAbortsTheJobAndSaysSo) {
  printers.makeSurface = [] { return std::make_shared<FailingSurface>(); };
  BillF& f = open();
  f.cmdPrint->click();
  ASSERT_EQ(printers.jobs.size(), 1u);
  EXPECT_EQ(printers.jobs[0].surface->ops.back().kind, plat::RecordingSurface::Op::KillDoc);
  EXPECT_EQ(dialogs.lastMessage(), "The bills could not be printed: paper out");

  printers.failOpen = QStringLiteral("queue stopped");
  dialogs.clear();
  f.cmdPrint->click();
  EXPECT_EQ(dialogs.lastMessage(), "The bills could not be printed: queue stopped");
}

TEST(BillFlow, TabsGoToTabStopsAndAFullPageBreaks) {
  plat::RecordingSurface s(6000, 1000);
  s.setFontSize(10);
  const double stop = reports::tabStop(s);
  const double line = s.TextHeight("X");
  ASSERT_GT(stop, 0);
  QStringList lines;
  for (int i = 0; i < 12; ++i) lines << QStringLiteral("%1.\tx\t\tend").arg(i);
  lines << QStringLiteral("%1\tlong").arg(QString(20, 'W'));
  reports::flowLines(s, lines);
  const int perPage = static_cast<int>(1000 / line);
  EXPECT_EQ(s.pages(), (13 + perPage - 1) / perPage);
  const auto* first = s.find("0.");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->x, 0);
  EXPECT_EQ(first->y, 0);
  // The pieces of a line share its Y; an empty piece still takes a stop.
  std::vector<const plat::RecordingSurface::Op*> row;
  for (const auto& op : s.ops)
    if (op.kind == plat::RecordingSurface::Op::Text && op.y == first->y && &op - &s.ops[0] < 4)
      row.push_back(&op);
  ASSERT_EQ(row.size(), 3u);
  EXPECT_DOUBLE_EQ(row[1]->x, stop);
  EXPECT_DOUBLE_EQ(row[2]->x, 3 * stop);
  // No line reaches past the foot of its page.
  for (const auto& op : s.ops)
    if (op.kind == plat::RecordingSurface::Op::Text) {
      EXPECT_LE(op.y + line, 1000 + 1e-6) << op.text.toStdString();
    }
  // A piece wider than a stop goes on to the next stop after its end.
  const auto* longPiece = s.find("long");
  ASSERT_NE(longPiece, nullptr);
  const double wide = s.TextWidth(QString(20, 'W'));
  EXPECT_GT(longPiece->x, wide);
  EXPECT_LE(longPiece->x, wide + stop);
}

}  // namespace
