#include "print/slip_receipt.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QTextBoundaryFinder>
#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "platform/files.h"
#include "print/dispatch.h"
#include "shell/settings.h"
#include "support/print_fixtures.h"
#include "support/recording_print.h"

namespace {

using Op = plat::RecordingSurface::Op;
using print::SlipWidth;

class SlipTest : public printfix::PrintTest {
 protected:
  const Op& text(const QString& t) {
    const Op* op = lastJob().find(t);
    if (!op) {
      ADD_FAILURE() << "not printed: " << t.toStdString()
                    << "\n in: " << lastJob().texts().join('|').toStdString();
      static Op none;
      return none;
    }
    return *op;
  }
  // Right edge of a printed text (its last print), as the slip aligned it.
  double rightEdge(const QString& t) {
    const Op* last = nullptr;
    for (const auto& op : lastJob().ops)
      if (op.kind == Op::Text && op.text == t) last = &op;
    if (!last) {
      ADD_FAILURE() << "not printed: " << t.toStdString();
      return -1;
    }
    return last->x + std::nearbyint(widthAsPrinted(*last));
  }
  // Where a printed text's baseline stands: its top plus the font's ascent at its size.
  static double baseline(const Op& op) {
    QFont f(op.font);
    f.setPointSizeF(op.size);
    f.setBold(op.bold);
    return op.y + QFontMetricsF(f).ascent() * 15;
  }
  // The first text printed that starts with t.
  const Op* startingWith(const QString& t) {
    for (const auto& op : lastJob().ops)
      if (op.kind == Op::Text && op.text.startsWith(t)) return &op;
    return nullptr;
  }
  // The width of a printed text at the size it was printed in.
  double widthAsPrinted(const Op& op) {
    auto& s = lastJob();
    const double size = s.FontSize();
    s.setFontSize(op.size);
    const double w = s.TextWidth(op.text);
    s.setFontSize(size);
    return w;
  }
};

// What each width and language prints where; the sample sale's second line has a long name, an
// amount over a thousand and a one-digit quantity.
struct Diff {
  SlipWidth width;
  bool thai;
  int headX, headY, shopX, shopY, taxX, posX, dateX;
  const char* dateEnd;
  int nameX;
  const char* name;
  int qtyX;
  const char* qty;
  int priceRight, amountRight;
  const char* amount;
  int labelX, valueRight, footX;
  bool payBack;
};

TEST_F(SlipTest, WidthsAndLanguagesDifferOnlyWhereTheTableSays) {
  // clang-format off
  const Diff diffs[] = {
    // width          thai   head     shop      tax  pos   date  date end                   name  name cut               qty   qty    price amount amount       label value foot back
    {SlipWidth::W70, true,  500, 1,  900, 300, 500, 1200, 300, " no # 0000000042",  320, "Notebook A5 ",       1600, "1 X", 2700, 3500, "1,234.50", 750, 3500, 200, true},
    {SlipWidth::W70, false, 500, 1,  900, 300, 500, 1200, 300, " no # 0000000042",  320, "Notebook A5 ",       1600, "1 X", 2700, 3500, "1234.50",  750, 3500, 200, false},
    {SlipWidth::W65, true,  400, 1,  600, 300, 400,  900, 200, "  no # 0000000042", 250, "Notebook A",         1400, "1X",  2350, 3100, "1,234.50", 600, 3100, 200, false},
    {SlipWidth::W65, false, 400, 1,  600, 300, 400,  900, 200, "  no # 0000000042", 250, "Notebook A",         1400, "1X",  2300, 3100, "1,234.50", 600, 3100, 200, false},
    {SlipWidth::W55, true,    1, 1,  250, 300,   0,  600,  50, " no #0000000042",   250, "Noteboo",            1100, "1X",  2000, 2700, "1,234.50", 450, 2700,   1, false},
    {SlipWidth::W55, false, 100, 1,  600, 250, 100,  700, 200, " no #0000000042",   250, "Noteboo",            1100, "1X",  2000, 2700, "1234.50",  450, 2700,   0, false},
  };
  // clang-format on
  for (const Diff& d : diffs) {
    SCOPED_TRACE(testing::Message() << "width " << static_cast<int>(d.width)
                                    << (d.thai ? " Thai" : " English"));
    shell::settings().LangThai = d.thai;
    printers.jobs.clear();
    auto doc = printfix::sampleSale();
    QString payBack;
    doc.setPayText = [&](const QString& t) { payBack = t; };
    print::printSlip(doc, d.width);
    ASSERT_EQ(printers.jobs.size(), 1u);
    EXPECT_EQ(printers.jobs[0].printer, "BillPrinter");

    EXPECT_EQ(text("TAX INVOICE (ABB.)").x, d.headX);
    EXPECT_EQ(text("TAX INVOICE (ABB.)").y, d.headY);
    EXPECT_EQ(text("Corner Shop").x, d.shopX);
    EXPECT_EQ(text("Corner Shop").y, d.shopY);
    EXPECT_EQ(text("1234567890123").x, d.taxX);
    EXPECT_EQ(text("POS 01").x, d.posX);
    const QString dateLine = QStringLiteral("15/03/2024 10:30:00") + d.dateEnd;
    // The date line keeps every digit inside the paper, moved left where it must be.
    const double paper = (d.width == SlipWidth::W70   ? 7
                          : d.width == SlipWidth::W65 ? 6.5
                                                      : 5.5) /
                         2.54 * 1440;
    const Op& date = text(dateLine);
    EXPECT_NEAR(date.x, std::min<double>(d.dateX, paper - widthAsPrinted(date)), 1e-6);
    // The cut name is drawn smaller rather than cut further, down to 7 points.
    const Op* name = startingWith(QString::fromUtf8(d.name));
    ASSERT_TRUE(name);
    EXPECT_EQ(name->x, d.nameX);
    EXPECT_GE(name->size, 7);
    EXPECT_EQ(text("Pencil").x, d.nameX);  // a short name whole
    EXPECT_EQ(text(d.qty).x, d.qtyX);
    EXPECT_EQ(rightEdge("60.00"), d.priceRight);
    EXPECT_EQ(rightEdge(d.amount), d.amountRight);
    // The labels with their blanks: eight after the total's and the VAT's.
    const QStringList labels = d.thai ? QStringList{"รวมเงิน        ", "ภาษี        ", "รับเงินมา", "เงินทอน"}
                                      : QStringList{"AMOUNT        ", "VAT        ", "CASH PAY", "CHANGE"};
    for (const QString& label : labels) EXPECT_EQ(text(label).x, d.labelX) << label.toStdString();
    // The totals are grouped in every width.
    EXPECT_EQ(rightEdge("1,354.50"), d.valueRight);
    EXPECT_EQ(rightEdge("145.50"), d.valueRight);
    EXPECT_EQ(text("VAT included").x, d.footX);
    EXPECT_EQ(text(d.thai ? QStringLiteral("พนักงานขาย : Somchai") : QStringLiteral("Employee : Somchai")).x,
              0);
    EXPECT_EQ(payBack, d.payBack ? QStringLiteral("1,500.00") : QString());
    EXPECT_TRUE(dialogs.shown.empty());
  }
}

TEST_F(SlipTest, GoldenEnglishSevenCentimetres) {
  print::Printing(printfix::sampleSale());
  auto& s = lastJob();
  const double h = s.TextHeight(QStringLiteral("X"));
  auto right = [&](double edge, const QString& t) { return edge - std::nearbyint(s.TextWidth(t)); };
  const double r1 = std::nearbyint(300 + 4 * h);
  const double r2 = std::nearbyint(r1 + h);
  const double t1 = std::nearbyint(r2 + h);
  const double t2 = std::nearbyint(t1 + h);
  const double t3 = std::nearbyint(t2 + h);
  const double t4 = std::nearbyint(t3 + h);
  // A figure too wide for the room its neighbours leave is drawn smaller, still ending at its edge.
  struct Want {
    double x, y;
    QString text;
    bool smaller = false;
    bool leftAligned = false;
  };
  const std::vector<Want> want = {
      {500, 1, "TAX INVOICE (ABB.)"},
      {900, 300, "Corner Shop"},
      {500, 300 + h, "1234567890123"},
      {1200, 300 + 2 * h, "POS 01"},
      {300, 300 + 3 * h, "15/03/2024 10:30:00 no # 0000000042"},
      {0, r1, " 1"},
      {320, r1, "Pencil"},
      {1600, r1, "2 X"},
      {right(2700, "60.00"), r1, "60.00"},
      {right(3500, "120.00"), r1, "120.00"},
      {0, r2, " 2"},
      {320, r2, "Notebook A5 ruled ", true, true},
      {1600, r2, "1 X"},
      {2700, r2, "1,234.50", true},
      {3500, r2, "1234.50", true},
      {750, t1, "AMOUNT        "},
      {right(3500, "1,354.50"), t1, "1,354.50"},
      {750, t2, "VAT        "},
      {right(3500, "88.61"), t2, "88.61"},
      {750, t3, "CASH PAY"},
      {right(3500, "1,500.00"), t3, "1,500.00"},
      {750, t4, "CHANGE"},
      {right(3500, "145.50"), t4, "145.50"},
      {0, t4 + h, "Employee : Somchai"},
      {200, t4 + 2 * h, "VAT included"},
  };
  ASSERT_EQ(s.ops.size(), want.size() + 1);
  for (size_t i = 0; i < want.size(); ++i) {
    SCOPED_TRACE(want[i].text.toStdString());
    EXPECT_EQ(s.ops[i].kind, Op::Text);
    EXPECT_EQ(s.ops[i].font, "DejaVu Sans");
    if (want[i].smaller) {
      // Drawn smaller, no smaller than 7 points, on the baseline of the row's full-size texts.
      Op full = s.ops[i];
      full.size = 9;
      full.y = want[i].y;
      EXPECT_LT(s.ops[i].size, 9);
      EXPECT_GE(s.ops[i].size, 7);
      EXPECT_NEAR(baseline(s.ops[i]), baseline(full), 1);
      if (want[i].leftAligned) {
        EXPECT_TRUE(want[i].text.startsWith(s.ops[i].text));
        EXPECT_TRUE(s.ops[i].text.startsWith(QStringLiteral("Notebook A5 ")));  // more than at 9 points
        EXPECT_NEAR(s.ops[i].x, want[i].x, 1e-6);
      } else {
        EXPECT_EQ(s.ops[i].text, want[i].text);
        EXPECT_NEAR(s.ops[i].x + widthAsPrinted(s.ops[i]), want[i].x, 1);
      }
    } else {
      EXPECT_EQ(s.ops[i].text, want[i].text);
      EXPECT_NEAR(s.ops[i].y, want[i].y, 1e-6);
      EXPECT_NEAR(s.ops[i].x, want[i].x, 1e-6);
      EXPECT_EQ(s.ops[i].size, 9);
    }
    EXPECT_FALSE(s.ops[i].bold);
  }
  EXPECT_EQ(s.ops.back().kind, Op::EndDoc);
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(SlipTest, NoTwoTextsOfARowOverlapWhateverTheNamesWidthInThePrintersFont) {
  // With the largest price and amount: the figures keep every digit (drawn smaller where they must).
  const QString names[] = {
      QStringLiteral("WWWWWWWWWWWWWWWWWW"),           // 18 of the widest letters
      QStringLiteral("Notebook A5 ruled "),           // 18 ordinary ones
      QStringLiteral("ผงซักฟอกสูตรเข้มข้นพิเศษถุงใหญ่ที่สุด"),  // Thai, marks above and below
  };
  for (const SlipWidth width : {SlipWidth::W70, SlipWidth::W65, SlipWidth::W55}) {
    for (const bool thai : {true, false}) {
      shell::settings().LangThai = thai;
      auto doc = printfix::sampleSale();
      doc.lines.resize(1);
      doc.lines[0].unitPrice = 9999999.99;
      doc.lines[0].amount = 9999999.99;
      for (const QString& name : names) {
        SCOPED_TRACE(testing::Message() << "width " << static_cast<int>(width)
                                        << (thai ? " Thai " : " English ") << name.toStdString());
        printers.jobs.clear();
        doc.lines[0].name = name;
        print::printSlip(doc, width);
        const auto& s = lastJob();
        const print::SlipSpec& spec = print::slipSpec(width, thai);
        // The row is the texts printed on the baseline of the quantity.
        const Op* qty = nullptr;
        for (const Op& op : s.ops)
          if (op.kind == Op::Text && op.text == QStringLiteral("2") + QString::fromUtf8(spec.afterQuantity))
            qty = &op;
        ASSERT_TRUE(qty);
        std::vector<const Op*> row;
        for (const Op& op : s.ops)
          if (op.kind == Op::Text && std::abs(baseline(op) - baseline(*qty)) < 1) row.push_back(&op);
        ASSERT_EQ(row.size(), 5u);
        std::sort(row.begin(), row.end(), [](const Op* a, const Op* b) { return a->x < b->x; });
        for (size_t i = 0; i + 1 < row.size(); ++i)
          EXPECT_LE(row[i]->x + widthAsPrinted(*row[i]), row[i + 1]->x)
              << row[i]->text.toStdString() << " runs into " << row[i + 1]->text.toStdString();
        EXPECT_EQ(row[3]->text, "9,999,999.99");
        EXPECT_EQ(row[4]->text, spec.amountGrouped ? "9,999,999.99" : "9999999.99");
        // The name is cut only as far as it must be, between letters.
        const QString printed = row[1]->text;
        EXPECT_TRUE(name.startsWith(printed));
        EXPECT_GE(printed.size(), 3);
        QTextBoundaryFinder letters(QTextBoundaryFinder::Grapheme, name);
        letters.setPosition(printed.size());
        EXPECT_TRUE(letters.isAtBoundary()) << "a mark cut from its letter";
      }
    }
  }
}

TEST_F(SlipTest, RowsPastY10000GoOnANewPageTotalsNever) {
  auto doc = printfix::sampleSale();
  doc.lines.clear();
  for (int i = 0; i < 120; ++i) doc.lines.push_back({QStringLiteral("Item %1").arg(i + 1), 1, 1, 1, {}});
  print::Printing(doc);
  auto& s = lastJob();
  int pages = 1;
  double lastRowY = -1;
  bool afterLastRow = false;
  for (size_t i = 0; i < s.ops.size(); ++i) {
    const Op& op = s.ops[i];
    if (op.kind == Op::NewPage) {
      EXPECT_FALSE(afterLastRow) << "a new page among the totals";
      EXPECT_GT(lastRowY, 10000 - 2 * s.TextHeight(QStringLiteral("X")));
      ++pages;
      lastRowY = -1;
      continue;
    }
    if (op.kind != Op::Text) continue;
    if (op.x == 0 && op.text.startsWith(' ')) {  // a row's line number
      EXPECT_LE(op.y, 10000) << op.text.toStdString();
      // The row's top is the name's (a number drawn smaller stands lower, on the row's baseline).
      if (lastRowY < 0 && pages > 1) {
        ASSERT_LT(i + 1, s.ops.size());
        EXPECT_EQ(s.ops[i + 1].y, 0) << "first row of a new page";
      }
      lastRowY = op.y;
      if (op.text == " 120") afterLastRow = true;
    }
  }
  EXPECT_GE(pages, 2);
  EXPECT_EQ(s.pages(), pages);
  EXPECT_EQ(s.texts().count("TAX INVOICE (ABB.)"), 1);  // the head is not repeated
  EXPECT_EQ(s.ops.back().kind, Op::EndDoc);
}

TEST_F(SlipTest, TotalsLowOnThePageStayOnIt) {
  // Rows end just above the break; the totals fall below Y 10000 on the same page.
  auto doc = printfix::sampleSale();
  doc.lines.clear();
  plat::RecordingSurface probe;
  probe.setFontName("DejaVu Sans");
  probe.setFontSize(9);
  const double h = probe.TextHeight(QStringLiteral("X"));
  const int rows = static_cast<int>((10000 - 300 - 4 * h) / h);
  for (int i = 0; i < rows; ++i) doc.lines.push_back({QStringLiteral("Item"), 1, 1, 1, {}});
  print::Printing(doc);
  EXPECT_EQ(lastJob().pages(), 1);
  EXPECT_GT(lastJob().find("VAT included")->y, 10000);
}

TEST_F(SlipTest, NoneIsSilentAndAMissingPrinterIsNamed) {
  shell::settings().DrawerPort = shell::SettingValue::ofText("RJ45");
  shell::settings().BillPrinter = shell::SettingValue::ofText("None");
  print::Printing(printfix::sampleSale());
  EXPECT_TRUE(printers.jobs.empty());
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_TRUE(printfix::lptBytes().isEmpty());

  // Exact names: a different case is another printer.
  for (const bool thai : {false, true}) {
    shell::settings().LangThai = thai;
    shell::settings().BillPrinter = shell::SettingValue::ofText("billprinter");
    dialogs.clear();
    print::Printing1(printfix::sampleSale());
    EXPECT_TRUE(printers.jobs.empty());
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.lastMessage(), thai ? QStringLiteral("ไม่พบเครื่องพิมพ์ใบเสร็จ \"billprinter\"")
                                          : QStringLiteral("Receipt printer \"billprinter\" not found."));
    EXPECT_FALSE(dialogs.lastMessage().contains('\n'));
    EXPECT_TRUE(printfix::lptBytes().isEmpty()) << "no drawer kick without the printer";
  }
}

// A recording surface that notes what LPT1 held when the first text was printed.
class LptWatchingSurface : public plat::RecordingSurface {
 public:
  QByteArray lptAtFirstText;
  bool seen = false;

 protected:
  void drawText(double x, double y, const QString& t) override {
    if (!seen) {
      seen = true;
      lptAtFirstText = printfix::lptBytes();
    }
    RecordingSurface::drawText(x, y, t);
  }
};

TEST_F(SlipTest, DrawerOnThePrinterKicksBeforeTheFirstPrint) {
  shell::settings().DrawerPort = shell::SettingValue::ofText("RJ45");
  std::shared_ptr<LptWatchingSurface> watch;
  printers.makeSurface = [&] {
    watch = std::make_shared<LptWatchingSurface>();
    return watch;
  };
  print::Printing2(printfix::sampleSale());
  ASSERT_TRUE(watch);
  EXPECT_EQ(watch->lptAtFirstText, QByteArray("\x1b\x70\x00\x64\xfa", 5));
  EXPECT_EQ(printfix::lptBytes(), QByteArray("\x1b\x70\x00\x64\xfa", 5));
  EXPECT_EQ(watch->ops.back().kind, Op::EndDoc);
}

TEST_F(SlipTest, ANumericDrawerPortSendsNothingToTheRawPort) {
  shell::settings().DrawerPort = shell::SettingValue::ofNumber(1);
  print::Printing(printfix::sampleSale());
  EXPECT_EQ(lastJob().ops.back().kind, Op::EndDoc);
  EXPECT_TRUE(printfix::lptBytes().isEmpty());
}

TEST_F(SlipTest, AFailingRawPortStillPrintsTheSlip) {
  shell::settings().DrawerPort = shell::SettingValue::ofText("RJ45");
  const QString lpt = plat::installPath("LPT1");
  QFile::remove(lpt);
  ASSERT_TRUE(QDir().mkpath(lpt));  // a folder cannot be opened for writing
  print::Printing(printfix::sampleSale());
  EXPECT_EQ(lastJob().ops.back().kind, Op::EndDoc);
  EXPECT_TRUE(lastJob().find("Corner Shop"));
  EXPECT_EQ(dialogs.lastMessage(), "The cash drawer could not be opened.");
  QDir(lpt).removeRecursively();
}

// Fails on the n-th text.
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

TEST_F(SlipTest, AFailureWhilePrintingAbortsTheJobAndWarns) {
  for (const bool thai : {false, true}) {
    shell::settings().LangThai = thai;
    dialogs.clear();
    printers.makeSurface = [] { return std::make_shared<FailingSurface>(8); };
    print::Printing(printfix::sampleSale());
    auto& s = lastJob();
    EXPECT_EQ(s.ops.back().kind, Op::KillDoc);
    for (const auto& op : s.ops) EXPECT_NE(op.kind, Op::EndDoc);
    EXPECT_EQ(dialogs.lastMessage(), thai ? QStringLiteral("พิมพ์ใบเสร็จไม่สำเร็จ")
                                          : QStringLiteral("The receipt could not be printed."));
  }
}

TEST_F(SlipTest, AJobThatCannotStartWarns) {
  printers.failOpen = "printer offline";
  print::Printing(printfix::sampleSale());
  EXPECT_EQ(dialogs.lastMessage(), "The receipt could not be printed.");
}

TEST_F(SlipTest, ABadAmountStartsNoJobAndKicksNoDrawer) {
  shell::settings().DrawerPort = shell::SettingValue::ofText("RJ45");
  auto doc = printfix::sampleSale();
  doc.payText = "1,5OO";
  print::Printing(doc);
  EXPECT_TRUE(printers.jobs.empty());
  EXPECT_TRUE(printfix::lptBytes().isEmpty());
  EXPECT_EQ(dialogs.lastMessage(), "The receipt could not be printed.");
}

TEST_F(SlipTest, EmptySaleAndNoBillNumber) {
  auto doc = printfix::sampleSale();
  doc.lines.clear();
  doc.billNo = 0;
  print::Printing(doc);
  auto& s = lastJob();
  EXPECT_TRUE(s.find("15/03/2024 10:30:00 no # "));
  EXPECT_EQ(s.texts(),
            QStringList({"TAX INVOICE (ABB.)", "Corner Shop", "1234567890123", "POS 01",
                         "15/03/2024 10:30:00 no # ", "AMOUNT        ", "1,354.50", "VAT        ", "88.61",
                         "CASH PAY", "1,500.00", "CHANGE", "145.50", "Employee : Somchai", "VAT included"}));
}

TEST_F(SlipTest, AmountsComeFromTheNumbersWhenTheBoxTextsAreEmpty) {
  auto doc = printfix::sampleSale();
  doc.totalText.clear();
  doc.taxText.clear();
  doc.payText.clear();
  doc.pay = 2000;
  print::Printing(doc);
  EXPECT_TRUE(lastJob().find("2,000.00"));
  EXPECT_TRUE(lastJob().find("645.50"));
}

TEST_F(SlipTest, DispatchByPrintTypeAndWidth) {
  struct Case {
    int type, width;
    bool slip, lpt;
    const char* nameCut;
  };
  const Case cases[] = {
      {1, 1, true, false, "Notebook A5 "},
      {1, 2, true, false, "Notebook A"},
      {1, 3, true, false, "Noteboo"},
      {1, 0, false, false, ""},
      {1, 4, false, false, ""},
      {2, 1, false, true, ""},
      {3, 1, false, false, ""},
      {4, 1, false, false, ""},
      {5, 1, false, false, ""},
      {6, 1, false, false, ""},
      {0, 1, false, false, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "type " << c.type << " width " << c.width);
    shell::settings().PrintType = static_cast<qint16>(c.type);
    shell::settings().SlipWidth = static_cast<qint16>(c.width);
    printers.jobs.clear();
    dialogs.shown.clear();
    printfix::resetLpt();
    print::printSale(printfix::sampleSale());
    EXPECT_EQ(printers.jobs.size(), c.slip ? 1u : 0u);
    if (c.slip) {
      EXPECT_TRUE(startingWith(QString::fromUtf8(c.nameCut)));
    }
    EXPECT_EQ(!printfix::lptBytes().isEmpty(), c.lpt);
    // Types 3 to 5 are the invoices, which have tests of their own.
    if (c.type < 3 || c.type > 5) {
      EXPECT_TRUE(dialogs.shown.empty());
    }
  }
}

}  // namespace
