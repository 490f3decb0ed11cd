#include "reports/analyze_form.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTest>

#include "data/db.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/print_surface.h"
#include "reportkit/grid_export.h"
#include "reportkit/report_print.h"
#include "reports/price_form.h"
#include "reports/register.h"
#include "support/recording_print.h"
#include "support/scripted_dialogs.h"
#include "support/testenv.h"

using reports::AnalyzeForm;
using reports::PriceForm;

namespace {

plat::FormRegistry& reg() { return plat::FormRegistry::instance(); }

void product(const QString& pid, const QString& name, const QString& cid) {
  data::Conn().exec("INSERT INTO Product VALUES (?, ?, 10, 10, 10, 0, ?, 'pc', 0)", {pid, name, cid});
}
void bought(const QString& pid, const QString& date, double price) {
  data::Conn().exec(
      "INSERT INTO Buy (PId, BuyDate, BuyTime, BQuantity, BPrice, BuyId, RemainQ, SupplierID) "
      "VALUES (?, ?, '09:00:00', 10, ?, '1', 10, 'S1')",
      {pid, date, price});
}
void sold(const QString& pid, const QString& date, double qty, double price) {
  data::Conn().exec(
      "INSERT INTO Sell (PID, SellTime, SellDate, SQuantity, SPrice, Comment, Employee, Recieve) "
      "VALUES (?, '10:00:00', ?, ?, ?, 1, 'Admin', 0)",
      {pid, date, qty, price});
}

class AnalyzeTest : public testenv::DbTest {
 protected:
  void SetUp() override {
    DbTest::SetUp();
    reports::registerForms();
    data::Conn().exec("INSERT INTO Category VALUES ('C1', 'Drinks'), ('C2', 'Snacks')");
    product("100", "Tea", "C1");
    bought("100", "2024-03-01", 4);
    sold("100", "2024-03-10", 10, 5);  // income 50, cost 40
    product("20", "Coffee", "C1");
    bought("20", "2024-03-01", 10);
    sold("20", "2024-03-11", 1, 12.5);  // income 12.5, cost 10
    product("A1", "Chips", "C2");
    bought("A1", "2024-03-01", 2);
    sold("A1", "2024-03-12", 3, 3);  // income 9, cost 6
    product("Z'9", "Never bought", "C2");
    f = qobject_cast<AnalyzeForm*>(reg().show("AnalyzeForm"));
    ASSERT_NE(f, nullptr);
    f->DTPDate1->setDate(QDate(2024, 3, 1));
    f->DTPDate2->setDate(QDate(2024, 3, 31));
  }
  void TearDown() override {
    reg().unloadAll();
    testenv::pump();
    DbTest::TearDown();
  }
  QStringList column(int c) const {
    QStringList out;
    for (int r = 0; r < f->FGrid->Rows(); ++r) out << f->FGrid->TextMatrix(r, c);
    return out;
  }
  void select(const QString& startsWith) {
    for (int i = 0; i < f->LstCate->count(); ++i)
      if (f->LstCate->item(i)->text().startsWith(startsWith)) f->LstCate->item(i)->setSelected(true);
  }

  plat::ScriptedDialogs d;
  AnalyzeForm* f = nullptr;
};

TEST_F(AnalyzeTest, LoadListsCategoriesAndShowAllListsEveryProduct) {
  EXPECT_EQ(f->LstCate->count(), 2);
  EXPECT_EQ(f->LstCate->item(0)->text(), "C1. Drinks");
  f->cmdShow_Click();
  EXPECT_EQ(f->RowCount, 4);
  EXPECT_EQ(column(0), QStringList({"100", "20", "A1", "Z'9"}));
  EXPECT_EQ(column(5), QStringList({"25.00", "25.00", "50.00", "0.00"}));
  EXPECT_EQ(column(6), QStringList({"", "", "", ""}));
  EXPECT_EQ(f->txtSumIncome->text(), "71.50");
  EXPECT_EQ(f->txtSumCapital->text(), "56.00");
  EXPECT_EQ(f->txtSumProfit->text(), "15.50");
  EXPECT_EQ(f->DateFrom, "03/01/2024");
}

TEST_F(AnalyzeTest, ShowListsTheChosenCategoriesBoughtProducts) {
  f->cmdSh_Click();
  EXPECT_EQ(f->RowCount, 0) << "nothing selected";
  EXPECT_EQ(f->txtSumIncome->text(), "0.00");
  select("C2");
  f->cmdSh_Click();
  EXPECT_EQ(column(0), QStringList({"A1"}));
  EXPECT_EQ(column(6), QStringList({"2"}));
}

TEST_F(AnalyzeTest, SortsDescendingByTheClickedHeading) {
  f->cmdShow_Click();
  f->cmdPid_Click();
  EXPECT_EQ(column(0), QStringList({"100", "20", "Z'9", "A1"}))
      << "numeric codes by value above the rest, those by character code";
  f->cmdToSort_Click();
  EXPECT_EQ(column(0), QStringList({"100", "20", "A1", "Z'9"}));
  f->cmdPercent_Click();
  EXPECT_EQ(column(0), QStringList({"A1", "100", "20", "Z'9"})) << "ties keep their order";
  EXPECT_EQ(column(1), QStringList({"Chips", "Tea", "Coffee", "Never bought"}));
}

TEST_F(AnalyzeTest, AFailedShowEmptiesTheAnalysisAndSaysSoOnce) {
  f->cmdShow_Click();
  data::Conn().exec("ALTER TABLE Sell RENAME TO SellGone");
  f->DTPDate1->setDate(QDate(2024, 2, 1));
  f->cmdShow_Click();
  data::Conn().exec("ALTER TABLE SellGone RENAME TO Sell");
  EXPECT_EQ(f->RowCount, 0);
  EXPECT_EQ(f->FGrid->Rows(), 0);
  EXPECT_EQ(f->txtSumIncome->text(), "");
  EXPECT_EQ(d.lastMessage(), "Can't find Data");
  EXPECT_EQ(d.shown.size(), 1u);
  EXPECT_EQ(f->DTPDate1->date(), QDate(2024, 2, 1)) << "the dates stay as the user set them";
  EXPECT_EQ(reg().loaded("AnalyzeForm"), f);
}

TEST_F(AnalyzeTest, ExportSaysWhereItsFileIsWhenNoProgramOpensIt) {
  const QString folder = testenv::tempDir() + QStringLiteral("/analysis exports");
  reportkit::setExportFolder(folder);
  reportkit::setWorkbookOpener([](const QString&) { return false; });
  f->cmdShow_Click();
  f->cmdExcel_Click();
  reportkit::setWorkbookOpener(nullptr);
  reportkit::setExportFolder({});
  const QStringList files = QDir(folder).entryList({QStringLiteral("*.xlsx")}, QDir::Files);
  ASSERT_EQ(files.size(), 1);
  ASSERT_EQ(d.shown.size(), 1u);
  EXPECT_TRUE(d.lastMessage().contains(QDir(folder).filePath(files[0]))) << d.lastMessage().toStdString();
}

TEST_F(AnalyzeTest, PrintoutPagesAndTotalSection) {
  for (int i = 0; i < 28; ++i) product(QString("P%1").arg(i, 2, 10, QChar('0')), "Filler", "C2");
  f->cmdShow_Click();
  ASSERT_EQ(f->RowCount, 32);
  plat::RecordingSurface s;
  reportkit::layoutReport(s, f->printDescription(), *f->FGrid, f->RowCount);
  EXPECT_EQ(s.pages(), 2);
  const auto* title = s.find("Profit/Loss Report Between 03/01/2024and 03/31/2024");
  ASSERT_NE(title, nullptr);
  EXPECT_TRUE(title->bold);
  const auto* total = s.find("Total");
  ASSERT_NE(total, nullptr);
  EXPECT_EQ(total->x, 3000);
  EXPECT_EQ(total->y, 2400 + 700);  // one row on page 2, then the total section
  const auto* income = s.find("71.50");
  ASSERT_NE(income, nullptr);
  EXPECT_DOUBLE_EQ(income->x + s.TextWidth("71.50"), 7400);
}

TEST_F(AnalyzeTest, PriceEditorRewritesThePurchaseLinesAndReleasesTheAnalysis) {
  bought("100", "2024-01-05", 3);
  select("C1");
  f->cmdSh_Click();
  f->FGrid->setCurrentCell(0, 0);
  f->FGrid_Click();
  auto* ed = qobject_cast<PriceForm*>(reg().loaded("PriceForm"));
  ASSERT_NE(ed, nullptr);
  EXPECT_FALSE(f->isEnabled());
  EXPECT_EQ(reg().loaded("AnalyzeForm"), f) << "the analysis stays open behind its editor";
  EXPECT_EQ(ed->windowTitle(), "Tea");
  EXPECT_EQ(ed->txtPrice->text(), "4");
  EXPECT_EQ(ed->txtPrice->selectedText(), "4");

  for (const char* bad : {"", "1.2.3", "."}) {
    ed->txtPrice->setText(bad);
    ed->cmdSave_Click();
    EXPECT_EQ(reg().loaded("PriceForm"), ed) << bad;
  }
  QTest::keyClicks(ed->txtPrice, "5 Where 1=1");
  EXPECT_EQ(ed->txtPrice->text(), "511") << "typed text keeps digits and points only";
  // A paste is taken whole or not at all: it never leaves its digits as another number.
  for (const char* pasted : {"5 Where 1=1", "-7", "1,5", "7 "}) {
    ed->txtPrice->clear();
    ed->txtPrice->insert(pasted);
    EXPECT_EQ(ed->txtPrice->text(), "") << pasted;
  }
  ed->txtPrice->insert("7.5");
  EXPECT_EQ(ed->txtPrice->text(), "7.5");
  ed->txtPrice->setText("12.5");
  ed->cmdSave_Click();
  EXPECT_EQ(reg().loaded("PriceForm"), nullptr);
  EXPECT_TRUE(f->isEnabled());
  EXPECT_EQ(data::Conn().scalar("SELECT COUNT(*) FROM Buy WHERE BPrice = 12.5").toInt(), 2);
  EXPECT_EQ(f->FGrid->TextMatrix(0, 3), "40") << "no recalculation before the next show";
}

TEST_F(AnalyzeTest, CancelFrameCloseAndAnEmptyGridLeaveThePricesAlone) {
  f->FGrid_Click();
  EXPECT_EQ(reg().loaded("PriceForm"), nullptr) << "an empty grid opens nothing";
  f->cmdShow_Click();
  f->FGrid->setCurrentCell(3, 0);
  f->FGrid_Click();
  auto* ed = qobject_cast<PriceForm*>(reg().loaded("PriceForm"));
  ASSERT_NE(ed, nullptr);
  EXPECT_EQ(ed->txtPrice->text(), "") << "Show All leaves the unit price empty";
  ed->cmdExit_Click();
  EXPECT_TRUE(f->isEnabled());
  f->FGrid_Click();
  ed = qobject_cast<PriceForm*>(reg().loaded("PriceForm"));
  ASSERT_NE(ed, nullptr);
  ed->close();  // the window frame's close box
  testenv::pump();
  EXPECT_EQ(reg().loaded("PriceForm"), nullptr);
  EXPECT_TRUE(f->isEnabled());
  EXPECT_EQ(data::Conn().scalar("SELECT SUM(BPrice) FROM Buy").toDouble(), 16);
}

}  // namespace
