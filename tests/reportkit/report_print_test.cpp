#include "reportkit/report_print.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/clock.h"
#include "platform/flexgrid.h"
#include "shell/settings.h"
#include "support/print_fixtures.h"
#include "support/recording_print.h"

namespace {

using namespace reportkit;
using Op = plat::RecordingSurface::Op;

// A grid of n rows: code "C<r>", name "Name <r>", a price, a quantity, a unit, a tag.
void fill(plat::FlexGrid& g, int n) {
  g.setFixedRows(0);
  g.setRows(0);
  g.setCols(6);
  for (int r = 0; r < n; ++r)
    g.AddItem(QStringLiteral("C%1\tName %1\t%2\t%3\tpiece\tx").arg(r).arg(1234.5 + r).arg(1000 + r));
}

ReportPrint stockLike() {
  ReportPrint d;
  d.docName = QStringLiteral("Stock");
  d.title = {3200, 700, QStringLiteral("Stock Report on   ") + reportDate(), Align::Left, 1, true};
  d.total = PlacedText{7500, 300, QStringLiteral("Total Product Cost 10.00 บาท")};
  d.headings = {{400, QStringLiteral("Product Id")},
                {3000, QStringLiteral("Product Name")},
                {6700, QStringLiteral("Price")},
                {8200, QStringLiteral("Value ")},
                {10500, QStringLiteral("Unit")}};
  d.columns = {{0, Align::Centre, 850},
               {1, Align::Left, 1700},
               {2, Align::Right, 7700, CellFormat::Money},
               {3, Align::Right, 9300, CellFormat::Whole},
               {4, Align::Right, 10900, CellFormat::Money}};
  return d;
}

class ReportPrintTest : public printfix::PrintTest {
 protected:
  void SetUp() override {
    PrintTest::SetUp();
    auto& s = shell::settings();
    s.ReportPrinter = QStringLiteral("ReportPrinter");
    s.ReportFontSize = shell::SettingValue::ofNumber(10);
    s.FontName = QStringLiteral("Sans");
    s.ComName = shell::SettingValue::ofText(QStringLiteral("Corner Shop"));
    plat::setCurrentPrinter(QStringLiteral("BillPrinter"));
    grid.setFixedRows(0);
    grid.setRows(0);
  }
  // Text ops of page p (from 0).
  std::vector<Op> page(const plat::RecordingSurface& s, int p, Op::Kind kind = Op::Text) {
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
  plat::FlexGrid grid;
};

TEST_F(ReportPrintTest, ThirtyOneRowsFillOnePageTheThirtySecondStartsPageTwo) {
  for (const int n : {31, 32}) {
    fill(grid, n);
    printers.jobs.clear();
    ASSERT_EQ(printReport(stockLike(), grid, n), PrintOutcome::Printed);
    const auto& job = lastJob();
    EXPECT_EQ(job.pages(), n == 31 ? 1 : 2);
    EXPECT_EQ(job.ops.back().kind, Op::EndDoc);

    const auto p1 = page(job, 0);
    ASSERT_TRUE(job.find(QStringLiteral("Corner Shop")));
    EXPECT_EQ(job.find(QStringLiteral("C30"))->y, 14400);
    EXPECT_EQ(page(job, 0, Op::Line).size(), 2u);
    if (n == 31) continue;

    const auto p2 = page(job, 1);
    // Page 2: the headings, then row 32 at the first row's y; no shop name, total or title.
    QStringList texts;
    for (const Op& o : p2) texts << o.text;
    EXPECT_EQ(texts.mid(0, 5), (QStringList{"Product Id", "Product Name", "Price", "Value ", "Unit"}));
    EXPECT_FALSE(texts.contains(QStringLiteral("Corner Shop")));
    EXPECT_FALSE(texts.join('|').contains(QStringLiteral("Total Product Cost")));
    EXPECT_EQ(p2[5].text, QStringLiteral("C31"));
    EXPECT_EQ(p2[5].y, 2400);
    EXPECT_EQ(p2[0].y, 1700);
    const auto lines = page(job, 1, Op::Line);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].y, 1500);
    EXPECT_EQ(lines[1].y, 2200);
    EXPECT_EQ(lines[1].x, 100);
    EXPECT_EQ(lines[1].x2, 11000);
  }
}

TEST_F(ReportPrintTest, HeadFontsAndPlacementOfEachAlignment) {
  grid.setCols(6);
  grid.AddItem(QStringLiteral("  \tSnacks\t\t\t\t"));
  grid.AddItem(QStringLiteral("0001\tTea\t1234.5\t12000\tbox\t"));
  grid.AddItem(QStringLiteral("0002\tCoffee\t0\t7\tpiece\t"));
  ASSERT_EQ(printReport(stockLike(), grid, 3), PrintOutcome::Printed);
  auto& job = lastJob();

  const Op* title = job.find(QStringLiteral("Stock Report on   ") + reportDate());
  ASSERT_TRUE(title);
  EXPECT_EQ(title->x, 3200);
  EXPECT_EQ(title->size, 11);
  EXPECT_TRUE(title->bold);
  const Op* shop = job.find(QStringLiteral("Corner Shop"));
  EXPECT_EQ(shop->x, 300);
  EXPECT_EQ(shop->size, 10);
  EXPECT_FALSE(shop->bold);
  EXPECT_EQ(job.find(QStringLiteral("Total Product Cost 10.00 บาท"))->x, 7500);

  plat::RecordingSurface m;  // measures in the same font as the job
  m.setFontName(QStringLiteral("Sans"));
  m.setFontSize(10);
  struct Case {
    const char* text;
    double x;
    double y;
  } cases[] = {
      {"0001", 850.0 - static_cast<int>(m.TextWidth(QStringLiteral("0001")) / 2), 2800},
      {"Tea", 1700, 2800},
      {"1,234.50", 7700 - m.TextWidth(QStringLiteral("1,234.50")), 2800},
      {"12,000", 9300 - m.TextWidth(QStringLiteral("12,000")), 2800},
      {"box", 10900 - m.TextWidth(QStringLiteral("box")), 2800},  // a word is printed as it stands
      {"0.00", 7700 - m.TextWidth(QStringLiteral("0.00")), 3200},
      {"Snacks", 1700, 2400},
  };
  for (const auto& c : cases) {
    const Op* op = job.find(QString::fromUtf8(c.text));
    ASSERT_TRUE(op) << c.text;
    EXPECT_DOUBLE_EQ(op->x, c.x) << c.text;
    EXPECT_EQ(op->y, c.y) << c.text;
    EXPECT_EQ(op->size, 10) << c.text;
  }
  // The heading row's two blanks are centred too, and its empty cells print as empty texts.
  EXPECT_EQ(job.find(QStringLiteral("  "))->x, 850 - static_cast<int>(m.TextWidth(QStringLiteral("  ")) / 2));
}

TEST_F(ReportPrintTest, LaterHeadingsAndAfterRowsFollowTheLastRow) {
  fill(grid, 33);
  ReportPrint d = stockLike();
  d.total.reset();
  d.laterHeadings = {{400, QStringLiteral("Id")}, {9800, QStringLiteral("Value")}};
  d.afterRows = {AfterRowsItem::rule(500, 100, 11000),
                 AfterRowsItem::label(1200, 3000, QStringLiteral("Total")),
                 AfterRowsItem::label(1200, 7400, QStringLiteral("99.00"), Align::Right)};
  ASSERT_EQ(printReport(d, grid, 33), PrintOutcome::Printed);
  auto& job = lastJob();
  EXPECT_FALSE(job.texts().join('|').contains(QStringLiteral("Total Product Cost")));
  const auto p2 = page(job, 1);
  EXPECT_EQ(p2[0].text, QStringLiteral("Id"));
  EXPECT_EQ(p2[1].text, QStringLiteral("Value"));
  // Rows 32 and 33 stand at 2400 and 2800 on page 2; the section starts below the last of them.
  const auto lines = page(job, 1, Op::Line);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[2].y, 2800 + 500);
  EXPECT_EQ(job.find(QStringLiteral("Total"))->y, 2800 + 1200);
  EXPECT_EQ(job.find(QStringLiteral("Total"))->x, 3000);
  EXPECT_LT(job.find(QStringLiteral("99.00"))->x, 7400);
}

TEST_F(ReportPrintTest, LaterRulesReplaceThePageOneRulesAndACellCanBeWorkedOut) {
  fill(grid, 32);
  ReportPrint d = stockLike();
  d.rules = {Rule{100, 1500, 11000, 1500}, Rule{9000, 1500, 9000, 15000}};
  d.laterRules = {Rule{100, 1500, 11000, 1500}, Rule{9400, 1500, 9400, 15000},
                  Rule{100, 15000, 11000, 15000}};
  // Column 3 printed as price x quantity of the row, in money format.
  d.columns[4] = PrintColumn{3, Align::Right, 10900, CellFormat::Money};
  d.columns[4].cellText = [](const plat::FlexGrid& g, int r) {
    return QString::number(g.TextMatrix(r, 2).toDouble() * g.TextMatrix(r, 3).toDouble(), 'f', 4);
  };
  ASSERT_EQ(printReport(d, grid, 32), PrintOutcome::Printed);
  auto& job = lastJob();
  const auto xs = [&](int p) {
    std::vector<std::pair<double, double>> out;
    for (const Op& o : page(job, p, Op::Line)) out.push_back({o.x, o.y});
    return out;
  };
  using P = std::vector<std::pair<double, double>>;
  EXPECT_EQ(xs(0), (P{{100, 1500}, {9000, 1500}}));
  EXPECT_EQ(xs(1), (P{{100, 1500}, {9400, 1500}, {100, 15000}}));
  // Row 0: 1234.5 x 1000; row 31 (page 2): 1265.5 x 1031.
  EXPECT_TRUE(job.find(QStringLiteral("1,234,500.00")));
  const Op* last = job.find(QStringLiteral("1,304,730.50"));
  ASSERT_TRUE(last);
  EXPECT_EQ(last->y, 2400);
}

TEST_F(ReportPrintTest, AHeadTextTooLongForItsPlaceEndsAtThePrintableEdge) {
  fill(grid, 1);
  ReportPrint d = stockLike();
  const QString longTotal = QStringLiteral("Amount                 1,234,567.00         Baht");
  d.total = PlacedText{7700, 300, longTotal, Align::Left, 2, true};
  ASSERT_EQ(printReport(d, grid, 1), PrintOutcome::Printed);
  auto& job = lastJob();
  plat::RecordingSurface m;
  m.setFontName(QStringLiteral("Sans"));
  m.setFontSize(12);
  m.setFontBold(true);
  ASSERT_GT(7700 + m.TextWidth(longTotal), m.ScaleWidth());
  EXPECT_DOUBLE_EQ(job.find(longTotal)->x, m.ScaleWidth() - m.TextWidth(longTotal));
  // One that fits keeps its place.
  EXPECT_EQ(job.find(QStringLiteral("Stock Report on   ") + reportDate())->x, 3200);
}

TEST_F(ReportPrintTest, BoldShopNameAndATextOneLineBelowTheLastRow) {
  fill(grid, 2);
  ReportPrint d = stockLike();
  d.shopBold = true;
  AfterRowsItem sum = AfterRowsItem::label(0, 0, QStringLiteral("Sum 2.00"));
  sum.lineBelow = true;
  d.afterRows = {sum};
  ASSERT_EQ(printReport(d, grid, 2), PrintOutcome::Printed);
  auto& job = lastJob();
  EXPECT_TRUE(job.find(QStringLiteral("Corner Shop"))->bold);
  plat::RecordingSurface m;
  m.setFontName(QStringLiteral("Sans"));
  m.setFontSize(10);
  const Op* op = job.find(QStringLiteral("Sum 2.00"));
  ASSERT_TRUE(op);
  EXPECT_EQ(op->x, 0);
  EXPECT_DOUBLE_EQ(op->y, 2800 + m.TextHeight(QStringLiteral("X")));
}

TEST_F(ReportPrintTest, PrinterChoiceAndNothingToPrint) {
  fill(grid, 2);
  auto& s = shell::settings();

  s.ReportPrinter = QStringLiteral("reportprinter");  // names match exactly or not at all
  EXPECT_EQ(printReport(stockLike(), grid, 2), PrintOutcome::NoPrinter);
  EXPECT_TRUE(printers.jobs.empty());
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_EQ(plat::currentPrinter(), QStringLiteral("BillPrinter"));

  // A found printer stays current even when there are no rows to print.
  s.ReportPrinter = QStringLiteral("ReportPrinter");
  EXPECT_EQ(printReport(stockLike(), grid, 0), PrintOutcome::NoRows);
  EXPECT_TRUE(printers.jobs.empty());
  EXPECT_EQ(plat::currentPrinter(), QStringLiteral("ReportPrinter"));

  ReportPrint d = stockLike();
  d.printer = PrinterChoice::CurrentPrinter;
  plat::setCurrentPrinter(QStringLiteral("BillPrinter"));
  EXPECT_EQ(printReport(d, grid, 2), PrintOutcome::Printed);
  EXPECT_EQ(printers.jobs.back().printer, QStringLiteral("BillPrinter"));

  d.printer = PrinterChoice::PrintDialog;
  dialogs.answerPrint(std::nullopt);
  EXPECT_EQ(printReport(d, grid, 2), PrintOutcome::Cancelled);
  EXPECT_EQ(printers.jobs.size(), 1u);
  dialogs.answerPrint(QStringLiteral("ReportPrinter"));
  EXPECT_EQ(printReport(d, grid, 2), PrintOutcome::Printed);
  EXPECT_EQ(printers.jobs.back().printer, QStringLiteral("ReportPrinter"));
  EXPECT_EQ(plat::currentPrinter(), QStringLiteral("ReportPrinter"));
  // The dialog is shown for an empty grid too, and then nothing is printed.
  dialogs.answerPrint(QStringLiteral("BillPrinter"));
  grid.setRows(0);
  EXPECT_EQ(printReport(d, grid, 2), PrintOutcome::NoRows);
  EXPECT_EQ(printers.jobs.size(), 2u);
  EXPECT_EQ(dialogs.shown.size(), 3u);
  EXPECT_TRUE(dialogs.lastMessage().isEmpty());
  // The next dialog starts from the printer a report was printed on: neither the one of the empty
  // grid nor one whose job could not start.
  fill(grid, 2);
  printers.failOpen = QStringLiteral("offline");
  dialogs.answerPrint(QStringLiteral("BillPrinter"));
  EXPECT_EQ(printReport(d, grid, 2), PrintOutcome::Failed);
  printers.failOpen.clear();
  dialogs.preselected.clear();
  dialogs.answerPrint(std::nullopt);
  EXPECT_EQ(printReport(d, grid, 2), PrintOutcome::Cancelled);
  EXPECT_EQ(dialogs.preselected, QStringList{"ReportPrinter"});
}

TEST_F(ReportPrintTest, ACountBeyondTheGridPrintsOnlyTheGridsRows) {
  fill(grid, 3);
  ASSERT_EQ(printReport(stockLike(), grid, 40), PrintOutcome::Printed);
  EXPECT_TRUE(lastJob().find(QStringLiteral("C2")));
  EXPECT_EQ(lastJob().pages(), 1);
  int rowsPrinted = 0;
  for (const QString& t : lastJob().texts())
    if (t.startsWith(QStringLiteral("Name "))) ++rowsPrinted;
  EXPECT_EQ(rowsPrinted, 3);
}

// A surface that fails at the n-th text.
class FailingSurface : public plat::RecordingSurface {
 public:
  explicit FailingSurface(int n) : left_(n) {}

 protected:
  void drawText(double x, double y, const QString& t) override {
    if (--left_ == 0) throw std::runtime_error("paper jam");
    RecordingSurface::drawText(x, y, t);
  }

 private:
  int left_;
};

// A job the print system did not take: its answer (English, the print system's words) stays out of
// the box, which says which printer failed, in the user's language.
class RefusedSurface : public plat::RecordingSurface {
 public:
  void EndDoc() override {
    throw plat::PrintJobError(QStringLiteral(
        "The job could not be sent to ReportPrinter: /usr/bin/lp: Destination \"ReportPrinter\" "
        "is not accepting jobs."));
  }
};

TEST_F(ReportPrintTest, AJobThePrinterDidNotTakeIsToldInTheUsersLanguage) {
  fill(grid, 5);
  printers.makeSurface = [] { return std::make_shared<RefusedSurface>(); };
  for (const bool thai : {true, false}) {
    SCOPED_TRACE(thai);
    shell::settings().LangThai = thai;
    dialogs.clear();
    EXPECT_EQ(printReport(stockLike(), grid, 5), PrintOutcome::Failed);
    const QString printer = QStringLiteral("ReportPrinter");
    EXPECT_EQ(dialogs.lastMessage(),
              thai
                  ? QStringLiteral("พิมพ์รายงานไม่ได้\nเครื่องพิมพ์ '%1' ไม่รับงานพิมพ์นี้ โปรดตรวจดูเครื่องพิมพ์แล้วพิมพ์ใหม่")
                        .arg(printer)
                  : QStringLiteral("The report could not be printed.\nThe printer '%1' did not take the job. "
                                   "Please check the printer and print again.")
                        .arg(printer));
  }
  shell::settings().LangThai = false;
}

TEST_F(ReportPrintTest, AFailureAbortsTheJobAndSaysSo) {
  fill(grid, 40);
  printers.makeSurface = [] { return std::make_shared<FailingSurface>(60); };
  EXPECT_EQ(printReport(stockLike(), grid, 40), PrintOutcome::Failed);
  const auto& ops = lastJob().ops;
  EXPECT_EQ(ops.back().kind, Op::KillDoc);
  for (const Op& o : ops) EXPECT_NE(o.kind, Op::EndDoc);
  EXPECT_TRUE(dialogs.lastMessage().startsWith(QStringLiteral("The report could not be printed.")));
  EXPECT_TRUE(dialogs.lastMessage().contains(QStringLiteral("paper jam")));

  dialogs.clear();
  printers.makeSurface = nullptr;
  printers.failOpen = QStringLiteral("queue stopped");
  EXPECT_EQ(printReport(stockLike(), grid, 40), PrintOutcome::Failed);
  EXPECT_TRUE(dialogs.lastMessage().contains(QStringLiteral("queue stopped")));
}

}  // namespace
