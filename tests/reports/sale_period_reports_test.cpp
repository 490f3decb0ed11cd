// The sales period windows driven through their controls: shows, category views, totals, sorts,
// deletes, permissions, printed titles and the export.
#include "reports/sale_period_reports.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include "platform/dialogs.h"
#include "platform/flexgrid.h"
#include "platform/print_surface_qt.h"
#include "platform/units.h"
#include "reportkit/grid_export.h"
#include "shell/session.h"
#include "shell/settings.h"
#include "support/recording_print.h"
#include "support/scripted_dialogs.h"
#include "support/testenv.h"

using data::Conn;
using namespace reports;

namespace {

void product(const QString& pid, const QString& name, const QString& cid, double stock = 50) {
  Conn().exec(
      "INSERT INTO Product (PId, PName, Price, Price1, Price2, Quantity, CID, ProNoun, PoOrder) "
      "VALUES (?, ?, 1, 1, 1, ?, ?, ?, 0)",
      {pid, name, stock, cid, "u-" + pid});
}
void category(const QString& id, const QString& name) {
  Conn().exec("INSERT INTO Category (CateID, CateName) VALUES (?, ?)", {id, name});
}
void sale(const QString& pid, const QString& isoDay, double qty, double price,
          const QString& employee = "Admin") {
  Conn().exec(
      "INSERT INTO Sell (PID, SellTime, SellDate, SQuantity, SPrice, Comment, Employee, Recieve) "
      "VALUES (?, '10:00:00', ?, ?, ?, 1, ?, 0)",
      {pid, isoDay, qty, price, employee});
}
int sellRows(const QString& where = "1") {
  return Conn().scalar("SELECT COUNT(*) FROM Sell WHERE " + where).toInt();
}

// The grid's rows as "cell|cell|..." lines.
QStringList gridRows(const reportkit::PeriodReport& f) {
  QStringList out;
  for (int r = 0; r < f.FGrid->Rows(); ++r) {
    QStringList cells;
    for (int c = 0; c < f.FGrid->Cols(); ++c) cells << f.FGrid->TextMatrix(r, c);
    out << cells.join('|');
  }
  return out;
}
QStringList listItems(const QListWidget* l) {
  QStringList out;
  for (int i = 0; i < l->count(); ++i) out << l->item(i)->text();
  return out;
}
QStringList comboItems(const QComboBox* c) {
  QStringList out;
  for (int i = 0; i < c->count(); ++i) out << c->itemText(i);
  return out;
}
void select(QListWidget* l, const QStringList& items) {
  for (int i = 0; i < l->count(); ++i) l->item(i)->setSelected(items.contains(l->item(i)->text()));
}

class PeriodWindows : public testenv::DbTest {
 protected:
  void SetUp() override {
    DbTest::SetUp();  // the clock stands at 15/03/2024 10:30
    shell::settings().VatRate = 7;
    shell::settings().ReportPrinter = "ReportPrinter";
    shell::settings().FontName = "DejaVu Sans";
    shell::settings().ReportFontSize = shell::SettingValue::ofNumber(10);
    shell::settings().ComName = shell::SettingValue::ofText("Corner Shop");
    shell::session().userName = "Admin";
    reportkit::setExportFolder(testenv::tempDir());
    reportkit::setWorkbookOpener([](const QString&) { return true; });
    category("B", "Bakery");
    category("C", "Candles");
    category("D", "Drinks");
    product("P01", "Cola", "D");
    product("P02", "Bread", "B");
    product("P03", "Candle", "C");
    product("P04", "Stray", "X");  // its category has no row
    // 14/03/2024: 107.00 in all.
    sale("P01", "2024-03-14", 2, 20);
    sale("p01", "2024-03-14", 1, 20);  // a second bill, the code typed in small letters
    sale("P02", "2024-03-14", 3, 10);
    sale("P03", "2024-03-14", 0, 10);  // cancelled
    sale("GONE", "2024-03-14", 1, 7);  // a product deleted since
    sale("P04", "2024-03-14", 1, 10);
  }
  void TearDown() override {
    reportkit::setExportFolder({});
    reportkit::setWorkbookOpener(nullptr);
    DbTest::TearDown();
  }
  template <class F>
  std::unique_ptr<F> open() {
    auto f = std::make_unique<F>();
    f->Form_Load();
    return f;
  }
  plat::ScriptedDialogs dialogs;
  plat::FakePrinters printers{{QStringLiteral("ReportPrinter")}};
};

}  // namespace

TEST_F(PeriodWindows, DayShowAllSumsAndTotalsEveryLine) {
  auto f = open<DayReport>();
  EXPECT_EQ(f->DTPDate1->date(), QDate(2024, 3, 15));
  EXPECT_EQ(f->FGrid->Rows(), 0);  // nothing is read before a show
  f->DTPDate1->setDate(QDate(2024, 3, 14));
  f->cmdShow->click();
  EXPECT_EQ(gridRows(*f),
            (QStringList{"P01|Cola|3|60.00||u-P01", "P02|Bread|3|30.00||u-P02", "P04|Stray|1|10.00||u-P04"}));
  EXPECT_EQ(f->RowCount, 3);
  EXPECT_EQ(listItems(f->LstCate), (QStringList{"B.  Bakery", "C.  Candles", "D.  Drinks"}));
  EXPECT_EQ(f->txtTotal->text(), "107.00");  // the deleted product counts in the total only
  EXPECT_EQ(f->txtVat->text(), "7.00");

  // Show with the middle category sold nothing (its one line was cancelled): its heading stays.
  select(f->LstCate, {"B.  Bakery", "C.  Candles", "D.  Drinks"});
  f->cmdSh->click();
  const QString pad(13, ' ');
  EXPECT_EQ(gridRows(*f), (QStringList{"  |" + pad + "B.  Bakery||||", "P02|Bread|3|30.00||u-P02",
                                       "  |" + pad + "C.  Candles||||", "  |" + pad + "D.  Drinks||||",
                                       "P01|Cola|3|60.00||u-P01"}));
  EXPECT_EQ(f->RowCount, 5);
  EXPECT_EQ(f->txtTotal->text(), "90.00");
  EXPECT_EQ(f->txtVat->text(), "5.89");
  EXPECT_FALSE(f->cmdQsort->isEnabled());
  EXPECT_FALSE(f->cmdToSort->isEnabled());

  // Show uses the day of the last Show All, not the picker.
  f->DTPDate1->setDate(QDate(2024, 3, 15));
  select(f->LstCate, {"D.  Drinks"});
  f->cmdSh->click();
  EXPECT_EQ(f->txtTotal->text(), "60.00");
  select(f->LstCate, {});
  f->cmdSh->click();
  EXPECT_EQ(f->FGrid->Rows(), 0);
  EXPECT_EQ(f->txtTotal->text(), "0.00");
  EXPECT_EQ(f->txtVat->text(), "0.00");

  // An empty day after a full one: nothing listed, totals of nothing, sorts back on.
  f->cmdShow->click();
  EXPECT_EQ(f->FGrid->Rows(), 0);
  EXPECT_EQ(f->LstCate->count(), 0);
  EXPECT_EQ(f->txtTotal->text(), "0.00");
  EXPECT_TRUE(f->cmdQsort->isEnabled());
  EXPECT_TRUE(dialogs.shown.empty());
}

// Show All again lists the same categories as a fresh show does (nothing picked, the items still
// picking their rows, the list where it was scrolled) without repainting the list; another day's
// categories replace them.
TEST_F(PeriodWindows, ShowAllAgainLeavesTheCategoryListAsAFreshShow) {
  for (int i = 1; i <= 20; ++i) {
    const QString id = QStringLiteral("K%1").arg(i, 2, 10, QLatin1Char('0'));
    category(id, "Kind " + id);
    product("Q" + id, "Thing " + id, id);
    sale("Q" + id, "2024-03-14", 1, 1);
  }
  sale("P02", "2024-03-13", 1, 10);
  auto fresh = open<DayReport>();
  fresh->DTPDate1->setDate(QDate(2024, 3, 14));
  fresh->cmdShow->click();
  const QStringList listed = listItems(fresh->LstCate);
  ASSERT_EQ(listed.size(), 23);

  auto f = open<DayReport>();
  f->show();
  f->DTPDate1->setDate(QDate(2024, 3, 14));
  f->cmdShow->click();
  // Painted whole before anything is counted: a slow machine paints the first show late.
  ASSERT_TRUE(QTest::qWaitForWindowExposed(f.get()));
  QTest::qWait(300);
  const testenv::Paints list(f->LstCate->viewport()), bar(f->LstCate->verticalScrollBar()),
      grid(f->FGrid->viewport());
  f->cmdShow->click();
  QTest::qWait(300);     // every paint the show asked for has arrived
  EXPECT_GT(grid.n, 0);  // the show was painted
  EXPECT_EQ(list.n, 0);
  EXPECT_EQ(bar.n, 0);

  // Picked, current and scrolled down before the show: left as the fresh window's list.
  select(f->LstCate, {"B.  Bakery", "K20.  Kind K20"});
  f->LstCate->setCurrentRow(22);
  f->LstCate->scrollToBottom();
  const int scrolled = f->LstCate->verticalScrollBar()->value();
  ASSERT_GT(scrolled, 0);
  f->cmdShow->click();
  QTest::qWait(20);
  EXPECT_EQ(listItems(f->LstCate), listed);
  EXPECT_TRUE(f->LstCate->selectedItems().isEmpty());
  EXPECT_EQ(f->LstCate->currentRow(), fresh->LstCate->currentRow());
  EXPECT_EQ(f->LstCate->verticalScrollBar()->value(), scrolled);
  select(f->LstCate, {"D.  Drinks"});
  f->cmdSh->click();
  EXPECT_EQ(f->txtTotal->text(), "60.00");

  f->DTPDate1->setDate(QDate(2024, 3, 13));
  f->cmdShow->click();
  EXPECT_EQ(listItems(f->LstCate), (QStringList{"B.  Bakery"}));
  EXPECT_EQ(f->txtTotal->text(), "10.00");
}

TEST_F(PeriodWindows, SortsByNumberNotByText) {
  sale("P02", "2024-03-14", 92, 10);   // Bread: 95 for 950.00
  sale("P04", "2024-03-14", 119, 10);  // Stray: 120 for 1,200.00
  auto f = open<DayReport>();
  f->DTPDate1->setDate(QDate(2024, 3, 14));
  f->cmdShow->click();
  f->cmdToSort->click();
  EXPECT_EQ(gridRows(*f), (QStringList{"P04|Stray|120|1,200.00||u-P04", "P02|Bread|95|950.00||u-P02",
                                       "P01|Cola|3|60.00||u-P01"}));
  f->cmdQsort_Click();
  EXPECT_EQ(f->FGrid->TextMatrix(0, 0), "P04");
  EXPECT_EQ(f->FGrid->TextMatrix(2, 5), "u-P01");
}

TEST_F(PeriodWindows, MonthListRangesAndShowSequence) {
  sale("P01", "2024-02-10", 1, 1234.5);
  sale("P02", "2024-02-29", 1, 0.067);  // the leap day belongs to February
  sale("P04", "2023-02-28", 2, 5);      // only uncategorised sales in this month
  auto f = open<MoReport>();
  EXPECT_EQ(comboItems(f->comMo), (QStringList{"02/2023", "02/2024", "03/2024"}));
  EXPECT_EQ(f->comMo->currentIndex(), -1);

  f->comMo->setCurrentText("02/2023");
  f->comMo_Click();
  EXPECT_EQ(f->LstCate->count(), 0);
  EXPECT_EQ(f->txtTotal->text(), "10.00");  // its totals all the same

  f->comMo->setCurrentText("02/2024");
  f->comMo_Click();
  EXPECT_EQ(f->period()->range, (data::DateRange{"2024-02-01", "2024-02-29"}));
  EXPECT_EQ(listItems(f->LstCate), (QStringList{"B.  Bakery", "D.  Drinks"}));
  EXPECT_EQ(f->txtTotal->text(), "1,234.567");
  EXPECT_EQ(f->FGrid->Rows(), 0);  // the grid waits for a show

  f->cmdAll->click();
  EXPECT_EQ(gridRows(*f), (QStringList{"P01|Cola|1|1,234.50||u-P01", "P02|Bread|1|0.07||u-P02"}));
  select(f->LstCate, {"B.  Bakery"});
  f->cmdShow->click();
  EXPECT_EQ(f->txtTotal->text(), "0.07");
  EXPECT_FALSE(f->cmdToSort->isEnabled());
  // Show All puts the month's totals back with its rows.
  f->cmdAll->click();
  EXPECT_EQ(f->txtTotal->text(), "1,234.567");
  EXPECT_EQ(f->txtVat->text(), "80.77");
  EXPECT_TRUE(f->cmdToSort->isEnabled());
  EXPECT_EQ(f->RowCount, 2);
}

TEST_F(PeriodWindows, MonthWindowPlacesEveryControlWhereItsLayoutSays) {
  struct Place {
    const char* name;
    const char* frame;  // "" for the window itself
    QRect twips;
  };
  const Place places[] = {
      {"Frame2", "", {120, 120, 8415, 1095}},        {"lblMonth", "Frame2", {480, 480, 630, 240}},
      {"comMo", "Frame2", {1200, 360, 1335, 360}},   {"cmdAll", "Frame2", {2760, 360, 1695, 495}},
      {"cmdDel", "Frame2", {4560, 360, 1695, 495}},  {"cmdExcel", "Frame2", {6360, 360, 450, 495}},
      {"cmdPid", "", {120, 1375, 1720, 315}},        {"cmdDesc", "", {1785, 1375, 3915, 315}},
      {"cmdQsort", "", {5705, 1375, 1020, 315}},     {"cmdToSort", "", {6725, 1375, 1810, 315}},
      {"FGrid", "", {120, 1680, 8415, 5175}},        {"Frame3", "", {8760, 120, 2895, 2775}},
      {"LstCate", "Frame3", {120, 360, 1695, 1620}}, {"cmdPrint", "Frame3", {1920, 360, 855, 735}},
      {"cmdShow", "Frame3", {1920, 1200, 855, 735}}, {"Frame1", "", {8760, 2880, 2895, 3975}},
      {"txtTotal", "Frame1", {240, 840, 1695, 330}}, {"txtVat", "Frame1", {240, 2130, 1695, 360}},
  };
  auto f = open<MoReport>();
  for (const Place& p : places) {
    const QWidget* w = f->control(QString::fromUtf8(p.name));
    ASSERT_NE(w, nullptr) << p.name;
    EXPECT_EQ(w->geometry(), plat::twipsRect(p.twips)) << p.name;
    const QWidget* host = *p.frame ? f->control(QString::fromUtf8(p.frame)) : f.get();
    EXPECT_EQ(w->parentWidget(), host) << p.name;
  }
  // The corners of the labels beside the boxes.
  const Place corners[] = {{"lblAmt", "", {240, 360, 0, 0}},
                           {"lblBath", "", {2040, 840, 0, 0}},
                           {"lblVat", "", {240, 1680, 0, 0}},
                           {"lblBaht", "", {2040, 2160, 0, 0}}};
  for (const Place& p : corners)
    EXPECT_EQ(f->label(QString::fromUtf8(p.name))->pos(), plat::twipsRect(p.twips).topLeft()) << p.name;
  EXPECT_EQ(f->cmdPrint->text(), "Print");
  EXPECT_EQ(f->cmdShow->text(), "Show");
  // Show is the one that shows the selected categories.
  f->comMo->setCurrentText("03/2024");
  f->comMo_Click();
  select(f->LstCate, {"B.  Bakery"});
  f->cmdShow->click();
  EXPECT_EQ(f->txtTotal->text(), "30.00");
}

TEST_F(PeriodWindows, YearTextsAndCategoryView) {
  sale("P01", "2024-12-31", 1, 5);
  sale("P02", "2025-01-01", 1, 5);
  auto f = open<YearReport>();
  EXPECT_EQ(f->txtYear->text(), "2024");
  EXPECT_EQ(comboItems(f->ComCate), (QStringList{"B.  Bakery", "C.  Candles", "D.  Drinks"}));
  EXPECT_EQ(f->LstCate->count(), 0);  // filled by Show All
  f->cmdShow->click();
  EXPECT_EQ(f->LstCate->count(), 3);
  EXPECT_EQ(f->txtTotal->text(), "112.00");
  EXPECT_EQ(f->RowCount, 2);  // Stray has no category row: a year lists it in no list

  for (const char* text : {"", "26", "2026x", "20 26"}) {
    SCOPED_TRACE(text);
    f->txtYear->setText(text);
    f->cmdShow->click();
    EXPECT_EQ(f->FGrid->Rows(), 0);
    EXPECT_EQ(f->LstCate->count(), 0);
    EXPECT_EQ(f->ComCate->count(), 0);
    EXPECT_EQ(f->txtTotal->text(), "");
    dialogs.answerYes();
    f->cmdDel->click();
    EXPECT_EQ(dialogs.shown.back().kind, plat::ScriptedDialogs::Kind::Message);
    EXPECT_EQ(sellRows(), 8);
    dialogs.yesNo.clear();
  }

  // The category view: name, quantity, value, the cancelled product too; then no sort, no print.
  f->txtYear->setText("2024");
  f->cmdShow->click();
  f->ComCate->setCurrentText("C.  Candles");
  f->ComCate_Click();
  EXPECT_EQ(gridRows(*f), (QStringList{"Candle|0|0.00|||"}));
  EXPECT_FALSE(f->cmdQsort->isEnabled());
  EXPECT_FALSE(f->cmdToSort->isEnabled());
  EXPECT_FALSE(f->cmdPrint->isEnabled());
  f->cmdPrint_Click();
  f->cmdToSort_Click();
  EXPECT_TRUE(printers.jobs.empty());
  EXPECT_EQ(gridRows(*f), (QStringList{"Candle|0|0.00|||"}));
  f->cmdShow->click();
  EXPECT_TRUE(f->cmdPrint->isEnabled());
}

TEST_F(PeriodWindows, EmployeeSeesOwnSales) {
  Conn().exec("INSERT INTO Security (UserName, Password, Permission) VALUES ('Noi', 'x', 2)");
  sale("P01", "2024-03-14", 4, 20, "Noi");
  auto f = open<EmpReport>();
  EXPECT_EQ(comboItems(f->comMo), (QStringList{"Admin", "Noi"}));
  EXPECT_EQ(f->comMo->currentIndex(), -1);
  EXPECT_TRUE(f->cmdExcel->isVisibleTo(f.get()));
  EXPECT_EQ(f->control("cmdDel"), nullptr);
  f->DTPDate1->setDate(QDate(2024, 3, 14));

  // Nobody chosen: both shows say so and leave the window as it was.
  for (QPushButton* show : {f->cmdShow, f->cmdSh}) {
    dialogs.shown.clear();
    show->click();
    EXPECT_EQ(dialogs.texts(), (QStringList{"Please choose an employee."}));
    EXPECT_EQ(f->FGrid->Rows(), 0);
    EXPECT_EQ(f->txtTotal->text(), "");
  }
  dialogs.shown.clear();

  f->comMo->setCurrentText("Noi");
  f->cmdShow->click();
  EXPECT_EQ(gridRows(*f), (QStringList{"P01|Cola|4|80.00||u-P01"}));
  EXPECT_EQ(f->txtTotal->text(), "80.00");
  f->comMo->setCurrentText("Admin");
  f->cmdShow->click();
  EXPECT_EQ(f->FGrid->TextMatrix(0, 2), "3");
  EXPECT_EQ(f->txtTotal->text(), "107.00");

  // Another employee, then Show: that employee's lines of the shown day.
  f->comMo->setCurrentText("Noi");
  select(f->LstCate, {"B.  Bakery", "D.  Drinks"});
  f->cmdSh->click();
  const QString pad(13, ' ');
  EXPECT_EQ(gridRows(*f), (QStringList{"  |" + pad + "B.  Bakery||||", "  |" + pad + "D.  Drinks||||",
                                       "P01|Cola|4|80.00||u-P01"}));
  EXPECT_EQ(f->txtTotal->text(), "80.00");
}

TEST_F(PeriodWindows, DeleteTakesOnlyItsPeriod) {
  sale("P01", "2024-02-29", 1, 5);
  sale("P01", "2024-02-01", 1, 5);
  sale("P01", "2023-02-15", 1, 5);
  auto f = open<MoReport>();
  ASSERT_TRUE(f->cmdDel->isVisibleTo(f.get()));
  f->cmdDel->click();  // no month chosen
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].kind, plat::ScriptedDialogs::Kind::Message);
  EXPECT_EQ(sellRows(), 9);

  f->comMo->setCurrentText("02/2024");
  f->comMo_Click();
  dialogs.answerYes(false);
  f->cmdDel->click();
  EXPECT_EQ(dialogs.shown.back().text, "Confirm to Delete Data 02/2024");
  EXPECT_EQ(sellRows(), 9);
  dialogs.answerYes(true);
  f->cmdDel->click();
  EXPECT_EQ(sellRows("SellDate LIKE '2024-02-%'"), 0);
  EXPECT_EQ(sellRows(), 7);
  EXPECT_EQ(Conn().scalar("SELECT Quantity FROM Product WHERE PId = 'P01'").toDouble(), 50);
  EXPECT_EQ(f->txtTotal->text(), "0");
  EXPECT_EQ(f->txtVat->text(), "0");
  EXPECT_EQ(f->FGrid->Rows(), 0);
  EXPECT_TRUE(comboItems(f->comMo).contains("02/2024"));

  auto day = open<DayReport>();
  day->DTPDate1->setDate(QDate(2024, 3, 14));
  dialogs.answerYes(true);
  day->cmdDel_Click();
  EXPECT_EQ(dialogs.shown.back().text, "Confirm to Delete Data 03/14/2024");
  EXPECT_EQ(sellRows(), 1);
  EXPECT_EQ(day->txtTotal->text(), "0");

  auto year = open<YearReport>();
  year->txtYear->setText("2023");
  dialogs.answerYes(true);
  year->cmdDel_Click();
  EXPECT_EQ(dialogs.shown.back().text, "Confirm to Delete Data 2023");
  EXPECT_EQ(sellRows(), 0);
  EXPECT_EQ(year->period()->text, "2023");
}

TEST_F(PeriodWindows, DeleteFailureIsToldAndWindowStaysUsable) {
  auto f = open<DayReport>();
  f->DTPDate1->setDate(QDate(2024, 3, 14));
  f->cmdShow->click();
  Conn().exec(
      "CREATE TEMP TRIGGER refuse BEFORE DELETE ON Sell BEGIN SELECT RAISE(ABORT, 'locked by test'); END");
  dialogs.answerYes(true);
  f->cmdDel->click();
  EXPECT_TRUE(dialogs.lastMessage().contains("locked by test")) << dialogs.lastMessage().toStdString();
  EXPECT_EQ(sellRows(), 6);
  EXPECT_EQ(f->RowCount, 3);
  f->cmdShow->click();
  EXPECT_EQ(f->txtTotal->text(), "107.00");
}

TEST_F(PeriodWindows, PermissionsDecideDeleteAndExport) {
  Conn().exec(
      "INSERT INTO Security (UserName, Password, Permission) VALUES ('One', 'x', 1), ('Two', 'x', 2)");
  const struct {
    const char* user;
    bool del, excel;
  } cases[] = {{"Admin", true, true}, {"One", false, true}, {"Two", false, false}, {"Nobody", false, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.user);
    shell::session().userName = c.user;
    auto f = open<MoReport>();
    EXPECT_EQ(f->cmdDel->isVisibleTo(f.get()), c.del);
    EXPECT_EQ(f->cmdExcel->isVisibleTo(f.get()), c.excel);
    EXPECT_EQ(f->comMo->count(), 1);  // the months are listed all the same
  }
}

TEST_F(PeriodWindows, PrintoutsAreTitledFromWhatWasShown) {
  sale("P01", "2023-02-10", 1, 5);
  auto day = open<DayReport>();
  day->DTPDate1->setDate(QDate(2024, 3, 14));
  day->cmdShow->click();
  day->DTPDate1->setDate(QDate(2024, 3, 20));
  day->cmdPrint->click();
  ASSERT_EQ(printers.jobs.size(), 1u);
  const auto& dayJob = *printers.jobs.back().surface;
  EXPECT_TRUE(dayJob.find("Sell Report of  14/03/2024"));
  const auto* total = dayJob.find("Amount                 107.00         Baht");
  ASSERT_TRUE(total);
  EXPECT_TRUE(total->bold);
  EXPECT_TRUE(dayJob.find("Stray"));
  EXPECT_FALSE(dayJob.find("Sell Report of  20/03/2024"));

  auto month = open<MoReport>();
  month->comMo->setCurrentText("02/2023");
  month->comMo_Click();
  month->cmdAll->click();
  month->comMo->setCurrentText("03/2024");
  month->comMo_Click();  // changes the boxes, not the grid
  month->cmdPrint->click();
  ASSERT_EQ(printers.jobs.size(), 2u);
  const auto* monthTitle = printers.jobs.back().surface->find("Sell Report of Monthกุมภาพันธ์  2023");
  ASSERT_TRUE(monthTitle);
  EXPECT_FALSE(monthTitle->bold);
  EXPECT_TRUE(printers.jobs.back().surface->find("Amount                 5.00         Baht"));

  auto year = open<YearReport>();
  year->cmdShow->click();
  year->txtYear->setText("2023");
  year->cmdPrint->click();
  const auto* yearTitle = printers.jobs.back().surface->find("Sell Report of Year 2024");
  ASSERT_TRUE(yearTitle);
  EXPECT_TRUE(yearTitle->bold);

  auto emp = open<EmpReport>();
  emp->DTPDate1->setDate(QDate(2024, 3, 14));
  emp->comMo->setCurrentText("Admin");
  emp->cmdShow->click();
  emp->comMo->setCurrentIndex(-1);
  emp->cmdPrint->click();
  EXPECT_TRUE(printers.jobs.back().surface->find("Sell Report of  14/03/2024  Employee Admin"));

  // Before any show, or after one that listed nothing, nothing is printed.
  const size_t jobs = printers.jobs.size();
  open<DayReport>()->cmdPrint_Click();
  EXPECT_EQ(printers.jobs.size(), jobs);
  EXPECT_TRUE(dialogs.shown.empty()) << dialogs.texts().join('\n').toStdString();
}

TEST_F(PeriodWindows, ThaiCaptionsAndTitles) {
  shell::settings().LangThai = true;
  auto year = open<YearReport>();
  EXPECT_EQ(year->windowTitle(), "รายงานขายรายปี");
  EXPECT_EQ(year->cmdShow->text(), "แสดงทั้งหมด");
  EXPECT_EQ(year->label("lblYear")->text(), "ปี");
  EXPECT_EQ(year->label("Label7")->text(), "Category");  // never translated
  year->cmdShow->click();
  year->cmdPrint->click();
  ASSERT_EQ(printers.jobs.size(), 1u);
  const auto& job = *printers.jobs.back().surface;
  EXPECT_TRUE(job.find("รายงานสรุปการขายประจำปี 2024"));
  EXPECT_TRUE(job.find("สรุปยอดรวม             107.00         บาท"));
  EXPECT_TRUE(job.find("หน่วยนับ"));

  auto emp = open<EmpReport>();
  EXPECT_EQ(emp->windowTitle(), "รายงานขายของพนักงาน ");
  emp->cmdShow->click();
  EXPECT_EQ(dialogs.lastMessage(), "กรุณาเลือกพนักงาน");
  emp->DTPDate1->setDate(QDate(2024, 3, 14));
  emp->comMo->setCurrentText("Admin");
  emp->cmdShow->click();
  emp->cmdPrint->click();
  EXPECT_TRUE(printers.jobs.back().surface->find("รายงานสรุปการขายประจำวันที่ 14/03/2024  ของพนักงาน Admin"));

  auto day = open<DayReport>();
  day->DTPDate1->setDate(QDate(2024, 3, 14));
  dialogs.answerYes(false);
  day->cmdDel->click();
  EXPECT_EQ(dialogs.shown.back().text, "ยืนยันการลบข้อมูลประจำวันที่ 03/14/2024");
}

TEST_F(PeriodWindows, BuddhistEraYearIsToldInTheUsersLanguage) {
  for (const bool thai : {false, true}) {
    SCOPED_TRACE(thai);
    shell::settings().LangThai = thai;
    auto f = open<YearReport>();
    f->cmdShow->click();
    const int rows = f->RowCount;
    ASSERT_GT(rows, 0);
    dialogs.shown.clear();
    f->txtYear->setText("2567");
    f->cmdShow->click();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown.back().text, thai
                                             ? "กรุณาใส่ปีเป็น ค.ศ. (2024 แทน 2567)"
                                             : "Please type the year of the Christian era (2024, not 2567).");
    // The last show stays as it was.
    EXPECT_EQ(f->RowCount, rows);
    dialogs.shown.clear();
    f->txtYear->setText("2399");
    f->cmdShow->click();
    EXPECT_TRUE(dialogs.shown.empty());
  }
}
