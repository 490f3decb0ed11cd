// The stock window and the lot value window driven through their controls.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "data/db.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/flexgrid.h"
#include "platform/form.h"
#include "platform/print_surface_qt.h"
#include "reportkit/grid_export.h"
#include "shell/settings.h"
#include "stock/register.h"
#include "stock/stock_value.h"
#include "stock/stockf.h"
#include "support/recording_print.h"
#include "support/scripted_dialogs.h"
#include "support/testenv.h"

namespace {

using data::Conn;
using stock::StockF;
using stock::StockValue;

class StockWindowsTest : public testenv::DbTest {
 protected:
  void SetUp() override {
    DbTest::SetUp();
    stock::registerForms();
    auto& s = shell::settings();
    s.ReportPrinter = QStringLiteral("ReportPrinter");
    s.ReportFontSize = shell::SettingValue::ofNumber(10);
    s.ComName = shell::SettingValue::ofText(QStringLiteral("Corner Shop"));
    reportkit::setExportFolder(testenv::tempDir());
    reportkit::setWorkbookOpener([this](const QString& p) {
      opened << p;
      return true;
    });
    Conn().exec("INSERT INTO Category VALUES ('01', 'Drinks'), ('02', 'Snacks')");
    Conn().exec(
        "INSERT INTO Product VALUES ('0001', 'Tea', 12.5, 0, 0, 5, '01', 'box', 5), "
        "('0002', 'Coffee', 1234.5, 0, 0, 1200, '01', 'bag', 5), ('0003', 'Chips', 20, 0, 0, 3, '02', NULL, "
        "9)");
    Conn().exec(
        "INSERT INTO Buy (PId, BuyDate, BuyTime, BQuantity, BPrice, BuyId, RemainQ, SupplierID) VALUES "
        "('0001', '2024-01-01', '09:00:00', 5, 10, '1', 5, 'S1'), ('0002', '2024-01-02', '09:00:00', 5, "
        "1000, '1', 5, 'S1')");
  }
  void TearDown() override {
    plat::FormRegistry::instance().unloadAll();
    testenv::pump();
    reportkit::setExportFolder(QString());
    reportkit::setWorkbookOpener(nullptr);
    DbTest::TearDown();
  }
  template <typename F>
  F* open(const char* name) {
    auto* f = qobject_cast<F*>(plat::FormRegistry::instance().form(QString::fromLatin1(name)));
    EXPECT_TRUE(f);
    return f;
  }
  static void pick(stock::StockListWindow* f, int index, void (stock::StockListWindow::*)() = nullptr) {
    f->ComCate->setCurrentIndex(index);
    emit f->ComCate->activated(index);
  }
  static void type(QComboBox* c, const QString& text) {
    c->setFocus();
    c->lineEdit()->clear();
    QTest::keyClicks(c->lineEdit(), text);
    QTest::keyClick(c->lineEdit(), Qt::Key_Return);
  }
  static QStringList column(const plat::FlexGrid* g, int c) {
    QStringList out;
    for (int r = 0; r < g->Rows(); ++r) out << g->TextMatrix(r, c);
    return out;
  }
  plat::ScriptedDialogs dialogs;
  plat::FakePrinters printers{{QStringLiteral("ReportPrinter"), QStringLiteral("Other")}};
  QStringList opened;
};

TEST_F(StockWindowsTest, ListsAndTheStateTheyLeave) {
  auto* f = open<StockF>("StockF");
  EXPECT_EQ(f->ComCate->count(), 3);
  EXPECT_EQ(f->ComCate->itemText(1), QStringLiteral("01.  Drinks"));
  EXPECT_EQ(f->FGrid->Rows(), 0);

  pick(f, 0);
  EXPECT_EQ(column(f->FGrid, 0), (QStringList{"  ", "0001", "0002", "  ", "0003"}));
  EXPECT_EQ(f->RowCount, 5);
  EXPECT_EQ(f->shown(), StockF::Shown::Stock);

  f->cmdValue_Click();
  EXPECT_EQ(f->shown(), StockF::Shown::Value);
  EXPECT_TRUE(f->txtcosttal->isVisibleTo(f));
  EXPECT_EQ(f->txtcosttal->text(), QStringLiteral("1,200,050.00"));
  EXPECT_EQ(f->lblPrice->text(), QStringLiteral("Cost Price"));
  EXPECT_EQ(f->lblUnit->text(), QStringLiteral("Total"));

  f->cmdOrder_Click();
  EXPECT_EQ(f->shown(), StockF::Shown::Reorder);
  EXPECT_EQ(column(f->FGrid, 0), (QStringList{"0001", "0003"}));
  EXPECT_FALSE(f->txtcosttal->isVisibleTo(f));
  EXPECT_EQ(f->txtcosttal->text(), QStringLiteral("1,200,050.00"));  // kept while hidden
  EXPECT_EQ(f->lblPrice->text(), QStringLiteral("Sell Price"));

  // Any key empties the grid; Enter lists the search.
  f->ComCate->setFocus();
  QTest::keyClick(f->ComCate->lineEdit(), Qt::Key_C);
  EXPECT_EQ(f->FGrid->Rows(), 0);
  EXPECT_EQ(f->RowCount, 0);
  EXPECT_EQ(f->shown(), StockF::Shown::Stock);
  type(f->ComCate, QStringLiteral("  ffee "));
  EXPECT_EQ(column(f->FGrid, 0), (QStringList{"0002"}));
  EXPECT_EQ(f->FGrid->TextMatrix(0, 5), QStringLiteral("ffee"));

  // Nothing found: an empty grid and no message, the window still there.
  type(f->ComCate, QStringLiteral("nothing"));
  EXPECT_EQ(f->FGrid->Rows(), 0);
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_EQ(plat::FormRegistry::instance().loaded(QStringLiteral("StockF")), f);
}

TEST_F(StockWindowsTest, ADatabaseFailureIsToldAndTheWindowStaysUsable) {
  auto* f = open<StockF>("StockF");
  pick(f, 0);
  const QString path = Conn().path();
  Conn().close();
  f->cmdValue_Click();
  EXPECT_FALSE(dialogs.lastMessage().isEmpty());
  EXPECT_EQ(f->FGrid->Rows(), 0);
  EXPECT_TRUE(f->txtcosttal->text().isEmpty());
  Conn().open(path);
  f->cmdValue_Click();
  EXPECT_EQ(f->FGrid->Rows(), 3);
}

TEST_F(StockWindowsTest, PrintsTheListShownWithItsTitleAndOnlyTheValueListsTotal) {
  plat::setClock(QDateTime(QDate(2024, 12, 25), QTime(10, 0)));
  auto* f = open<StockF>("StockF");
  f->cmdPrint_Click();  // nothing listed yet
  EXPECT_TRUE(printers.jobs.empty());

  f->cmdValue_Click();
  f->cmdPrint_Click();
  ASSERT_EQ(printers.jobs.size(), 1u);
  auto& job = *printers.jobs.back().surface;
  EXPECT_EQ(printers.jobs.back().printer, QStringLiteral("ReportPrinter"));
  EXPECT_TRUE(job.find(QStringLiteral("Product Cost on 25/12/2024")));
  EXPECT_TRUE(job.find(QStringLiteral("Total Product Cost 1,200,050.00 บาท")));
  EXPECT_TRUE(job.find(QStringLiteral("Total")));
  EXPECT_TRUE(job.find(QStringLiteral("1,200,000.00")));  // Coffee's value, formatted
  EXPECT_TRUE(job.find(QStringLiteral("1,200")));         // its quantity

  f->cmdOrder_Click();
  f->cmdPrint_Click();
  auto& reorder = *printers.jobs.back().surface;
  EXPECT_TRUE(reorder.find(QStringLiteral("Product Point of order on   25/12/2024")));
  EXPECT_FALSE(reorder.texts().join('|').contains(QStringLiteral("Total Product Cost")));
  EXPECT_TRUE(reorder.find(QStringLiteral("12.50")));
  EXPECT_TRUE(reorder.find(QStringLiteral("Unit")));

  // A report printer that is not installed: nothing, silently.
  shell::settings().ReportPrinter = QStringLiteral("Gone");
  f->cmdPrint_Click();
  EXPECT_EQ(printers.jobs.size(), 2u);
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(StockWindowsTest, ThaiCaptionsTitlesAndHeadingsFollowTheList) {
  shell::settings().LangThai = true;
  plat::setClock(QDateTime(QDate(2024, 12, 25), QTime(10, 0)));
  auto* f = open<StockF>("StockF");
  EXPECT_EQ(f->windowTitle(), QStringLiteral("สินค้าคงคลัง"));
  EXPECT_EQ(f->ComCate->itemText(0), QStringLiteral("สินค้าทุกหมวด"));
  f->cmdValue_Click();
  EXPECT_EQ(f->lblPrice->text(), QStringLiteral("ราคาทุนล่าสุด"));
  EXPECT_EQ(f->txtVal->text(), QStringLiteral("รวมมูลค่าสินค้า"));
  f->cmdPrint_Click();
  const QStringList value = printers.jobs.back().surface->texts();
  EXPECT_TRUE(value.contains(QStringLiteral("รายการมูลค่าสินค้าที่อยู่ในคลัง ประจำวันที่  25/12/2024")));
  EXPECT_TRUE(value.contains(QStringLiteral("รวมมูลค่าสินค้า 1,200,050.00 บาท")));
  EXPECT_TRUE(value.contains(QStringLiteral("ราคาทุน")));
  EXPECT_TRUE(value.contains(QStringLiteral("รวม")));
  pick(f, 0);  // "all" in Thai lists every category too
  EXPECT_EQ(f->RowCount, 5);
  f->cmdPrint_Click();
  const QStringList stock = printers.jobs.back().surface->texts();
  EXPECT_TRUE(stock.contains(QStringLiteral("รายการสินค้าคงคลัง ประจำวันที่  25/12/2024")));
  EXPECT_TRUE(stock.contains(QStringLiteral("ราคาขาย")));
  // The last heading ends at the printable edge, cut there in a wide font.
  const auto* unit = printers.jobs.back().surface->find(QStringLiteral("หน่วยนับ"));
  bool unitHeading = unit != nullptr;
  for (const auto& op : printers.jobs.back().surface->ops)
    if (op.kind == plat::RecordingSurface::Op::Text && op.x == 10500 && !op.text.isEmpty() &&
        QStringLiteral("หน่วยนับ").startsWith(op.text))
      unitHeading = true;
  EXPECT_TRUE(unitHeading) << stock.join('|').toStdString();
}

TEST_F(StockWindowsTest, ExportsEachListAndAgainWithoutMovingTheCurrentCell) {
  auto* f = open<StockF>("StockF");
  f->cmdExcel_Click();  // an empty grid exports nothing
  EXPECT_TRUE(opened.isEmpty());
  f->cmdOrder_Click();
  f->cmdExcel_Click();
  f->cmdValue_Click();
  f->FGrid->setCurrentCell(1, 2);
  f->cmdExcel_Click();
  f->cmdExcel_Click();
  ASSERT_EQ(opened.size(), 3);
  EXPECT_TRUE(QFileInfo(opened[0]).fileName().startsWith(QStringLiteral("Point of order ")));
  EXPECT_TRUE(QFileInfo(opened[1]).fileName().startsWith(QStringLiteral("Product value ")));
  EXPECT_NE(opened[1], opened[2]);
  EXPECT_EQ(f->FGrid->currentRow(), 1);
  EXPECT_EQ(f->FGrid->currentColumn(), 2);
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(StockWindowsTest, LotValueWindowListsSearchesAndPrintsAfterTheDialog) {
  auto* f = open<StockValue>("StockValue");
  EXPECT_EQ(f->windowTitle(), QStringLiteral("Product Value"));
  pick(f, 0);
  EXPECT_EQ(column(f->FGrid, 0), (QStringList{"  ", "0001", "0002"}));
  pick(f, 2);  // Snacks: no lots, an empty grid and no message
  EXPECT_EQ(f->FGrid->Rows(), 0);
  EXPECT_TRUE(dialogs.shown.empty());
  type(f->ComCate, QStringLiteral(" Tea"));  // untrimmed: the blank is part of the search
  EXPECT_EQ(f->FGrid->Rows(), 0);
  type(f->ComCate, QStringLiteral("Tea"));
  EXPECT_EQ(f->FGrid->TextMatrix(0, 4), QStringLiteral("box"));

  pick(f, 1);
  dialogs.answerPrint(QStringLiteral("Other"));
  f->cmdPrint_Click();
  ASSERT_EQ(printers.jobs.size(), 1u);
  EXPECT_EQ(printers.jobs.back().printer, QStringLiteral("Other"));
  EXPECT_EQ(plat::currentPrinter(), QStringLiteral("Other"));
  auto& job = *printers.jobs.back().surface;
  const auto* title = job.find(QStringLiteral("Stock Report at   ") + plat::today().toString("dd/MM/yyyy"));
  ASSERT_TRUE(title);
  EXPECT_EQ(title->size, 12);
  EXPECT_TRUE(job.find(QStringLiteral("Value ")));
  EXPECT_TRUE(job.find(QStringLiteral("1200000")));  // the value column printed as the grid has it

  // Cancel prints nothing; an empty grid shows the dialog and prints nothing.
  f->cmdPrint_Click();
  type(f->ComCate, QStringLiteral("nothing"));
  dialogs.answerPrint(QStringLiteral("Other"));
  f->cmdPrint_Click();
  EXPECT_EQ(printers.jobs.size(), 1u);
  EXPECT_EQ(dialogs.shown.size(), 3u);
}

}  // namespace

TEST_F(StockWindowsTest, ACategoryIdWithAFullStopListsItsOwnProducts) {
  Conn().exec("INSERT INTO Category VALUES ('1', 'One'), ('1.1', 'One point one')");
  Conn().exec(
      "INSERT INTO Product VALUES ('0010', 'Ten', 1, 0, 0, 1, '1', 'pcs', 0), "
      "('0011', 'Eleven', 1, 0, 0, 1, '1.1', 'pcs', 0)");
  Conn().exec(
      "INSERT INTO Buy (PId, BuyDate, BuyTime, BQuantity, BPrice, BuyId, RemainQ, SupplierID) VALUES "
      "('0010', '2024-01-03', '09:00:00', 1, 1, '2', 1, 'S1'), ('0011', '2024-01-03', '09:00:00', 1, 1, "
      "'2', 1, 'S1')");
  for (const char* name : {"StockF", "StockValue"}) {
    SCOPED_TRACE(name);
    auto* f = open<stock::StockListWindow>(name);
    int index = -1;
    for (int i = 0; i < f->ComCate->count(); ++i)
      if (f->ComCate->itemText(i).startsWith(QStringLiteral("1.1."))) index = i;
    ASSERT_GE(index, 0);
    pick(f, index);
    const QStringList codes = column(f->FGrid, 0);
    EXPECT_TRUE(codes.contains(QStringLiteral("0011"))) << codes.join('|').toStdString();
    EXPECT_FALSE(codes.contains(QStringLiteral("0010"))) << codes.join('|').toStdString();
    plat::FormRegistry::instance().unloadAll();
    testenv::pump();
  }
}
