// The purchase invoice printout from the purchase screen: its head, its two sets of headings and
// rules, the value printed for each line, and nothing for an empty invoice.
#include <gtest/gtest.h>

#include "platform/dialogs.h"
#include "platform/print_surface_qt.h"
#include "purchase/buy_edit_price_q.h"
#include "purchase/buy_form.h"
#include "purchase/buy_grid.h"
#include "purchase/register.h"
#include "shell/settings.h"
#include "support/purchase_fixtures.h"
#include "support/recording_print.h"
#include "support/scripted_dialogs.h"
#include "support/testenv.h"

using namespace purchasefx;
using purchase::BuyEditPriceQ;
using purchase::BuyForm;
using Op = plat::RecordingSurface::Op;

namespace {

plat::FormRegistry& reg() { return plat::FormRegistry::instance(); }

class BuyPrintTest : public testenv::DbTest {
 protected:
  void SetUp() override {
    DbTest::SetUp();  // 15/03/2024
    purchase::registerForms();
    auto& s = shell::settings();
    s.FontName = QStringLiteral("DejaVu Sans");
    s.ReportFontSize = shell::SettingValue::ofNumber(10);
    s.ComName = shell::SettingValue::ofText(QStringLiteral("Corner Shop"));
    s.ReportPrinter = QStringLiteral("Reports");  // not used: the invoice goes to the current printer
    plat::setCurrentPrinter(QStringLiteral("Office"));
    addCategory("C1", "Drinks");
    addSupplier("S1", "Acme", "Ann");
  }
  void TearDown() override {
    reg().unloadAll();
    testenv::pump();
    DbTest::TearDown();
  }
  BuyForm* open() { return qobject_cast<BuyForm*>(reg().form("BuyForm")); }
  static void addLine(BuyForm* f, const QString& code, const QString& q, const QString& p) {
    f->ComCate->setCurrentIndex(-1);
    f->ComBar->setEditText(code);
    f->txtQuantity->setText(q);
    f->txtPrice->setText(p);
    f->cmdUpdate_Click();
  }
  // Ops of one kind on page p (from 0).
  static std::vector<Op> page(const plat::RecordingSurface& s, int p, Op::Kind kind) {
    std::vector<Op> out;
    int at = 0;
    for (const Op& o : s.ops) {
      if (o.kind == Op::NewPage)
        ++at;
      else if (at == p && o.kind == kind)
        out.push_back(o);
    }
    return out;
  }
  // The x of each vertical rule on page p.
  static std::vector<double> verticals(const plat::RecordingSurface& s, int p) {
    std::vector<double> xs;
    for (const Op& o : page(s, p, Op::Line))
      if (o.x == o.x2) xs.push_back(o.x);
    return xs;
  }

  plat::ScriptedDialogs d;
  plat::FakePrinters printers{{QStringLiteral("Office"), QStringLiteral("Reports")}};
};

TEST_F(BuyPrintTest, ThirtyTwoLinesGiveTwoPagesWithTheirOwnHeadingsAndRules) {
  for (int i = 0; i < 32; ++i)
    addProduct(QStringLiteral("P%1").arg(i, 2, 10, QChar('0')), QStringLiteral("Item %1").arg(i), 0);
  struct Case {
    bool thai;
    QString title, date, totalLabel;
    QStringList page1Headings;
    std::vector<std::pair<int, QString>> page2Headings;
  } cases[] = {
      {false,
       "Order detail at Inv No.   1",
       "Date 15/03/2024",
       "Total",
       {"Product Id", "Description", "Quantity", "Unit", ""},
       {{300, "Product Id"},
        {3000, "Description"},
        {6500, "Quantity"},
        {7800, "UnitPrice"},
        {9900, "Value"}}},
      {true,
       "รายการซื้อสินค้า บิลเลขที่  1",
       "วันที่ 15/03/2024",
       "รวมเงิน",
       {"รหัสสินค้า", "รายการสินค้า", "จำนวน", "ราคา/หน่วยนับ", ""},
       {{400, "รหัสสินค้า"}, {3000, "รายการสินค้า"}, {6700, "จำนวน"}, {8200, "หน่วยละ"}, {9800, "มูลค่า"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.thai ? "Thai" : "English");
    shell::settings().LangThai = c.thai;
    BuyForm* f = open();
    ASSERT_NE(f, nullptr);
    f->txtSupId->setText("S1");
    for (int i = 0; i < 32; ++i) addLine(f, QStringLiteral("P%1").arg(i, 2, 10, QChar('0')), "3", "2.50");
    ASSERT_EQ(f->lineCount(), 32);
    printers.jobs.clear();
    f->cmdPrint_Click();
    ASSERT_EQ(printers.jobs.size(), 1u);
    const plat::RecordingSurface& job = *printers.jobs.back().surface;
    EXPECT_EQ(printers.jobs.back().printer, "Office");
    EXPECT_EQ(job.pages(), 2);
    EXPECT_EQ(job.ops.back().kind, Op::EndDoc);

    // Page 1: shop, title, date, total label and total on the right edge; then the headings.
    const auto p1 = page(job, 0, Op::Text);
    QStringList t1;
    for (const Op& o : p1) t1 << o.text;
    for (const QString& head : {QString("Corner Shop"), c.title, c.date, c.totalLabel, QString("240.00")})
      EXPECT_TRUE(t1.contains(head)) << head.toStdString();
    EXPECT_EQ(job.find(c.title)->x, 300);
    EXPECT_EQ(job.find(c.title)->y, 700);
    EXPECT_EQ(job.find(c.date)->x, 9200);
    const Op* total = job.find("240.00");
    plat::RecordingSurface m;
    m.setFontName("DejaVu Sans");
    m.setFontSize(10);
    EXPECT_DOUBLE_EQ(total->x, 10900 - m.TextWidth("240.00"));
    EXPECT_EQ(total->y, 1000);
    QStringList headings1;
    for (const Op& o : p1)
      if (o.y == 1700) headings1 << o.text;
    EXPECT_EQ(headings1, c.page1Headings);
    EXPECT_EQ(verticals(job, 0), (std::vector<double>{100, 1600, 6300, 7800, 11000}));

    // Page 2: no head, the later headings, the rule at 9400, line 32 at the first row's place.
    const auto p2 = page(job, 1, Op::Text);
    ASSERT_GE(p2.size(), 6u);
    for (size_t i = 0; i < 5; ++i) {
      EXPECT_EQ(p2[i].text, c.page2Headings[i].second);
      EXPECT_EQ(p2[i].x, c.page2Headings[i].first);
      EXPECT_EQ(p2[i].y, 1700);
    }
    for (const Op& o : p2) EXPECT_GE(o.y, 1700) << o.text.toStdString();
    EXPECT_EQ(verticals(job, 1), (std::vector<double>{100, 1600, 6300, 7800, 9400, 11000}));
    std::vector<double> horizontals;
    for (const Op& o : page(job, 1, Op::Line))
      if (o.y == o.y2) horizontals.push_back(o.y);
    EXPECT_EQ(horizontals, (std::vector<double>{1500, 2200, 15000}));
    EXPECT_EQ(p2[5].text, "P31");
    EXPECT_EQ(p2[5].y, 2400);

    // A new line's value is its quantity times its unit cost (the grid keeps none for it).
    EXPECT_TRUE(f->FGrid->TextMatrix(0, purchase::grid::PlainValue).isEmpty());
    const Op* value = nullptr;
    for (const Op& o : p1)
      if (o.text == "7.50" && o.y == 2400) value = &o;
    ASSERT_TRUE(value);
    EXPECT_DOUBLE_EQ(value->x, 10900 - m.TextWidth("7.50"));
    reg().unloadAll();
    testenv::pump();
  }
}

TEST_F(BuyPrintTest, AnEditedLinePrintsItsNewValueAndNoLinesPrintNothing) {
  addProduct("P1", "Water", 0);
  addProduct("P2", "Soda", 0);
  addLot("P1", "2024-03-15", "7", 10, 5);
  addLot("P2", "2024-03-15", "7", 2, 3);
  BuyForm* f = open();
  ASSERT_NE(f, nullptr);

  // Nothing on the screen: no job, no message.
  f->cmdPrint_Click();
  EXPECT_TRUE(printers.jobs.empty());
  EXPECT_TRUE(d.shown.empty());

  f->txtBuyId->setText("7");
  d.answerYes();
  f->cmdShow_Click();
  ASSERT_EQ(f->lineCount(), 2);
  f->FGrid->setRow(0);
  f->FGrid_Click();
  auto* ed = qobject_cast<BuyEditPriceQ*>(reg().loaded("BuyEditPriceQ"));
  ASSERT_NE(ed, nullptr);
  ed->txtQuantity->setText("8");
  ed->cmdOk_Click();
  testenv::pump();

  f->cmdPrint_Click();
  ASSERT_EQ(printers.jobs.size(), 1u);
  const QStringList texts = printers.jobs.back().surface->texts();
  EXPECT_TRUE(texts.contains("40.00"));  // 8 x 5, not the 50 the line was loaded with
  EXPECT_FALSE(texts.contains("50")) << texts.join('|').toStdString();
  EXPECT_FALSE(texts.contains("50.00"));
  EXPECT_TRUE(texts.contains("6.00"));
}

}  // namespace
