// The purchase period windows driven through their controls: what a day, a month and a year hold,
// totals and VAT, the category views, bad years, and what Print and Export carry.
#include "purchase/buy_period_reports.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "data/db.h"
#include "platform/dialogs.h"
#include "platform/flexgrid.h"
#include "platform/print_surface_qt.h"
#include "reportkit/grid_export.h"
#include "shell/settings.h"
#include "support/purchase_fixtures.h"
#include "support/recording_print.h"
#include "support/scripted_dialogs.h"
#include "support/testenv.h"

using namespace purchase;
using namespace purchasefx;

namespace {

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
QStringList totals(const reportkit::PeriodReport& f) {
  return {f.txtTotal->text(), f.txtVat->text(), f.txtVatTot->text()};
}
void select(QListWidget* l, const QStringList& items) {
  for (int i = 0; i < l->count(); ++i) l->item(i)->setSelected(items.contains(l->item(i)->text()));
}
void choose(QComboBox* c, const QString& text) {
  const int i = c->findText(text);
  ASSERT_GE(i, 0) << text.toStdString();
  c->setCurrentIndex(i);
}

class BuyPeriodTest : public testenv::DbTest {
 protected:
  void SetUp() override {
    DbTest::SetUp();  // the clock stands at 15/03/2024 10:30
    auto& s = shell::settings();
    s.VatRate = 7;
    s.ReportPrinter = "ReportPrinter";
    s.FontName = "DejaVu Sans";
    s.ReportFontSize = shell::SettingValue::ofNumber(10);
    s.ComName = shell::SettingValue::ofText("Corner Shop");
    reportkit::setExportFolder(testenv::tempDir());
    reportkit::setWorkbookOpener([this](const QString& path) {
      exported = path;
      return true;
    });
    addCategory("B", "Bakery");
    addCategory("D", "Drinks");
    addCategory("K.1", "Kitchen");  // an id with a full stop in it
    addProduct("P01", "Cola", 0, "D", "can");
    addProduct("P02", "Bread", 0, "B", "loaf");
    addProduct("P03", "Stray", 0, "X", "box");  // its category has no row
    addProduct("P04", "Buns", 0, "B", "bag");
    addProduct("P05", "Pan", 0, "K.1", "piece");
    addLot("P01", "2024-03-05", "1", 2, 10);
    addLot("P01", "2024-03-20", "1", 3, 12.5);
    addLot("P01", "2024-03-31", "1", 1, 9.99);
    addLot("P03", "2024-03-20", "1", 1, 10);
    addLot("P04", "2024-03-10", "1", 2, 4.5);
    addLot("P02", "2024-02-29", "1", 4, 5);
    addLot("P02", "2024-04-02", "1", 1, 3);
    addLot("P02", "2023-12-31", "1", 10, 1);
    addLot("P05", "2023-06-01", "1", 1, 2);
    addLot("P01", "2025-01-01", "1", 1, 1);
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
  // The texts of the last print job.
  QStringList printed() {
    EXPECT_FALSE(printers.jobs.empty());
    return printers.jobs.empty() ? QStringList() : printers.jobs.back().surface->texts();
  }
  QString exported;
  plat::ScriptedDialogs dialogs;
  plat::FakePrinters printers{{QStringLiteral("ReportPrinter")}};
};

const QString kPad(13, ' ');

}  // namespace

TEST_F(BuyPeriodTest, EachPeriodHoldsItsOwnPurchases) {
  auto month = open<MoBuyForm>();
  EXPECT_EQ(month->comMo->count(), 6);  // 06/2023, 12/2023, 02/2024, 03/2024, 04/2024, 01/2025
  auto year = open<YrBuyReport>();
  auto day = open<BuyDayReport>();
  struct Case {
    const char* period;
    QStringList rows;
    QStringList categories;
    QString total;
  } cases[] = {
      // Three lines summed; the 31st is in; a product whose category is gone counts in the total only.
      {"03/2024", {"P01|Cola|6|67.49||can", "P04|Buns|2|9.00||bag"}, {"B.  Bakery", "D.  Drinks"}, "86.49"},
      {"02/2024", {"P02|Bread|4|20.00||loaf"}, {"B.  Bakery"}, "20.00"},  // 29 February
      {"2023",
       {"P02|Bread|10|10.00||loaf", "P05|Pan|1|2.00||piece"},
       {"B.  Bakery", "K.1.  Kitchen"},
       "12.00"},
      {"2025", {"P01|Cola|1|1.00||can"}, {"D.  Drinks"}, "1.00"},  // 1 January of the next year
      {"20/03/2024", {"P01|Cola|3|37.50||can", "P03|Stray|1|10.00||box"}, {"D.  Drinks"}, "47.50"},
      {"31/03/2024", {"P01|Cola|1|9.99||can"}, {"D.  Drinks"}, "9.99"},
      {"21/03/2024", {}, {}, "0.00"},  // an empty day after a full one
  };
  for (const Case& c : cases) {
    const QString p = QString::fromUtf8(c.period);
    SCOPED_TRACE(c.period);
    reportkit::PeriodReport* f = nullptr;
    if (p.size() == 7) {
      choose(month->comMo, p);
      month->comMo_Click();
      month->cmdAll_Click();
      f = month.get();
    } else if (p.size() == 4) {
      year->txtYear->setText(p);
      year->cmdShow_Click();
      f = year.get();
    } else {
      day->DTPDate1->setDate(QDate::fromString(p, "dd/MM/yyyy"));
      day->cmdShow_Click();
      f = day.get();
    }
    EXPECT_EQ(gridRows(*f), c.rows);
    EXPECT_EQ(f->RowCount, c.rows.size());
    EXPECT_EQ(listItems(f->LstCate), c.categories);
    EXPECT_EQ(f->txtTotal->text(), c.total);
  }
  EXPECT_TRUE(dialogs.shown.empty()) << dialogs.texts().join('\n').toStdString();
}

TEST_F(BuyPeriodTest, TotalsHoldTheVatTheyContain) {
  addLot("P01", "2024-05-02", "2", 1, 10700);
  addLot("P01", "2024-06-02", "2", 2, 10000);
  auto f = open<MoBuyForm>();
  struct Case {
    const char* month;
    QStringList boxes;
  } cases[] = {{"05/2024", {"10,700.00", "700.00", "10,700.00"}},
               {"06/2024", {"20,000.00", "1,308.41", "20,000.00"}},
               {"03/2024", {"86.49", "5.66", "86.49"}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.month);
    choose(f->comMo, c.month);
    f->comMo_Click();
    EXPECT_EQ(totals(*f), c.boxes);
    f->cmdAll_Click();
    EXPECT_EQ(totals(*f), c.boxes);
  }
}

TEST_F(BuyPeriodTest, PrintAndExportCarryTheShownMonthAfterAnotherMonthIsChosen) {
  auto f = open<MoBuyForm>();
  choose(f->comMo, "03/2024");
  f->comMo_Click();
  f->cmdAll_Click();
  choose(f->comMo, "04/2024");
  f->comMo_Click();
  // The lists and totals follow the new month; the grid keeps March until a show.
  EXPECT_EQ(totals(*f), (QStringList{"3.00", "0.20", "3.00"}));
  EXPECT_EQ(listItems(f->LstCate), QStringList{"B.  Bakery"});
  EXPECT_EQ(f->RowCount, 2);

  f->cmdPrint_Click();
  const QStringList texts = printed();
  EXPECT_TRUE(texts.contains("Buy Report of Month มีนาคม  2024")) << texts.join('|').toStdString();
  EXPECT_TRUE(texts.contains("Amount                 86.49         Baht"));
  EXPECT_TRUE(texts.contains("Cola"));

  f->cmdExcel_Click();
  ASSERT_FALSE(exported.isEmpty());
  EXPECT_TRUE(exported.contains("Monthly purchases 03-2024")) << exported.toStdString();
}

TEST_F(BuyPeriodTest, ChosenCategoriesThenShowAll) {
  auto f = open<MoBuyForm>();
  choose(f->comMo, "03/2024");
  f->comMo_Click();
  select(f->LstCate, {"B.  Bakery", "D.  Drinks"});
  f->cmdShow_Click();
  EXPECT_EQ(gridRows(*f), (QStringList{"  |" + kPad + "B.  Bakery||||", "P04|Buns|2|9.00||bag",
                                       "  |" + kPad + "D.  Drinks||||", "P01|Cola|6|67.49||can"}));
  EXPECT_EQ(f->RowCount, 4);
  EXPECT_FALSE(f->cmdQsort->isEnabled());
  EXPECT_FALSE(f->cmdToSort->isEnabled());
  EXPECT_EQ(totals(*f), (QStringList{"76.49", "5.00", "76.49"}));

  f->cmdAll_Click();
  EXPECT_EQ(totals(*f), (QStringList{"86.49", "5.66", "86.49"}));
  EXPECT_TRUE(f->cmdQsort->isEnabled());
  EXPECT_TRUE(f->cmdToSort->isEnabled());
}

TEST_F(BuyPeriodTest, AYearNotOfFourDigitsIsToldAndChangesNothing) {
  auto f = open<YrBuyReport>();
  EXPECT_EQ(f->txtYear->text(), "2024");
  f->cmdShow_Click();
  const QStringList rows = gridRows(*f), cats = listItems(f->LstCate), boxes = totals(*f);
  ASSERT_EQ(rows.size(), 3);
  EXPECT_EQ(boxes, (QStringList{"109.49", "7.16", "109.49"}));
  for (const auto& [text, told] : {std::pair<QString, QString>{"", "Please type the year in four digits."},
                                   {"26", "Please type the year in four digits."},
                                   {"2026x", "Please type the year in four digits."},
                                   {"2567", "Please type the year of the Christian era (2024, not 2567)."}}) {
    SCOPED_TRACE(text.toStdString());
    dialogs.clear();
    f->txtYear->setText(text);
    f->cmdShow_Click();
    EXPECT_EQ(dialogs.lastMessage(), told);
    EXPECT_EQ(gridRows(*f), rows);
    EXPECT_EQ(listItems(f->LstCate), cats);
    EXPECT_EQ(totals(*f), boxes);
  }
  // Show (selected) still reads the year of the last Show All.
  select(f->LstCate, {"B.  Bakery"});
  f->cmdSh_Click();
  EXPECT_EQ(gridRows(*f), (QStringList{"  |" + kPad + "B.  Bakery||||", "P02|Bread|5|23.00||loaf",
                                       "P04|Buns|2|9.00||bag"}));

  shell::settings().LangThai = true;
  f->txtYear->setText("26");
  f->cmdShow_Click();
  EXPECT_EQ(dialogs.lastMessage(), "กรุณาใส่ปีเป็นตัวเลข 4 หลัก");
}

TEST_F(BuyPeriodTest, TheCategoryComboRowsAreWhatSortAndPrintCover) {
  auto f = open<YrBuyReport>();
  f->txtYear->setText("2023");
  f->cmdShow_Click();
  ASSERT_EQ(f->ComCate->count(), 2);
  // An id with a full stop travels whole, in the combo and in the list.
  choose(f->ComCate, "K.1.  Kitchen");
  f->ComCate_Click();
  EXPECT_EQ(gridRows(*f), QStringList{"P05|Pan|1|2.00||"});
  EXPECT_EQ(f->RowCount, 1);
  EXPECT_TRUE(f->cmdQsort->isEnabled());
  f->cmdPrint_Click();
  QStringList texts = printed();
  EXPECT_TRUE(texts.contains("Pan"));
  EXPECT_FALSE(texts.contains("Bread"));
  EXPECT_TRUE(texts.contains("Buy Report of Year 2023"));
  EXPECT_TRUE(texts.contains("Amount                 12.00         Baht"));

  select(f->LstCate, {"K.1.  Kitchen"});
  f->cmdSh_Click();
  EXPECT_EQ(gridRows(*f), (QStringList{"  |" + kPad + "K.1.  Kitchen||||", "P05|Pan|1|2.00||piece"}));

  // Day: the picker's later value does not retitle what was shown.
  auto day = open<BuyDayReport>();
  day->DTPDate1->setDate(QDate(2024, 3, 20));
  day->cmdShow_Click();
  day->DTPDate1->setDate(QDate(2024, 3, 21));
  day->cmdPrint_Click();
  texts = printed();
  EXPECT_TRUE(texts.contains("Buy Report of  20/03/2024"));
  EXPECT_TRUE(texts.contains("Amount                 47.50         Baht"));
  EXPECT_TRUE(texts.contains("Stray"));
}

TEST_F(BuyPeriodTest, MonthShowAllWithoutAMonthIsTold) {
  auto f = open<MoBuyForm>();
  f->cmdAll_Click();
  EXPECT_EQ(dialogs.lastMessage(), "Please choose a month.");
  EXPECT_EQ(f->FGrid->Rows(), 0);
  f->cmdPrint_Click();
  EXPECT_TRUE(printers.jobs.empty());
}

TEST_F(BuyPeriodTest, AFailedReadIsToldAndLeavesNothingOfTheLastDay) {
  auto f = open<BuyDayReport>();
  f->DTPDate1->setDate(QDate(2024, 3, 20));
  f->cmdShow_Click();
  ASSERT_EQ(f->RowCount, 2);
  data::Conn().close();
  f->DTPDate1->setDate(QDate(2024, 3, 31));
  f->cmdShow_Click();
  EXPECT_EQ(dialogs.lastMessage(), "Operation is not allowed when the object is closed.");
  EXPECT_EQ(f->FGrid->Rows(), 0);
  EXPECT_EQ(f->LstCate->count(), 0);
  EXPECT_EQ(totals(*f), (QStringList{"", "", ""}));
  f->cmdPrint_Click();
  EXPECT_TRUE(printers.jobs.empty());
}
