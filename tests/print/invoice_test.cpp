// The full-page invoices on a recording surface: one golden A4 page, the differences of the four
// layouts in both languages as one table, the pages of a long sale, the unit words, and what
// stops or throws away a job.
#include "print/invoice.h"

#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "data/db.h"
#include "platform/print_surface_qt.h"
#include "print/dispatch.h"
#include "shell/settings.h"
#include "support/print_fixtures.h"
#include "support/recording_print.h"
#include "support/sale_fixtures.h"
#include "support/scripted_dialogs.h"
#include "support/testenv.h"

namespace {

using Op = plat::RecordingSurface::Op;
using print::InvoiceKind;

// The sample sale of the receipts, sold to a customer with two invoice lines.
print::SaleDocument customerSale() {
  auto doc = printfix::sampleSale();
  doc.customerName = QStringLiteral("Somchai Trading");
  doc.customerLine1 = QStringLiteral("Manager");
  doc.customerLine2 = QStringLiteral("02-765-4321");
  return doc;
}

// A sale of n lines: "Item i", code "C<i>", one at 1.00.
print::SaleDocument longSale(int n) {
  print::SaleDocument doc;
  for (int i = 1; i <= n; ++i)
    doc.lines.push_back({QStringLiteral("Item %1").arg(i), 1, 1, 1, QStringLiteral("C%1").arg(i)});
  doc.total = n;
  doc.tax = 0;
  doc.pay = n + 1000;
  doc.billNo = 7;
  return doc;
}

class InvoiceTest : public testenv::DbTest {
 protected:
  void SetUp() override {
    DbTest::SetUp();
    printfix::shopSettings();
    auto& s = shell::settings();
    s.ComAddress = QStringLiteral("12 Market Road");
    s.ComAddress1 = QStringLiteral("Bangkok 10200");
    s.ComPhone = QStringLiteral("02-123-4567");
    s.InvLine1 = shell::SettingValue::ofText(QStringLiteral("ใบกำกับภาษี"));
    s.InvLine2 = shell::SettingValue::ofText(QStringLiteral("Goods sold are not returned"));
    s.InvLine3 = shell::SettingValue::ofText(QStringLiteral("Received by"));
    s.InvLine4 = QStringLiteral("Thank you");
    salefx::addProduct("P001", "Pencil", 60, 100);
    salefx::addProduct("N002", "Notebook A5 ruled 80 pages", 1234.5, 100);
    data::Conn().exec("UPDATE Product SET ProNoun = 'ด้าม' WHERE PId = 'P001'");
    data::Conn().exec("UPDATE Product SET ProNoun = 'เล่ม' WHERE PId = 'N002'");
    plat::setCurrentPrinter(QStringLiteral("BillPrinter"));
  }
  void TearDown() override {
    shell::settings() = shell::ShopSettings{};
    DbTest::TearDown();
  }

  // Prints doc as kind, choosing the "PDF" printer; the job's surface.
  plat::RecordingSurface& print(const print::SaleDocument& doc, InvoiceKind kind) {
    dialogs.answerPrint(QStringLiteral("PDF"));
    printers.jobs.clear();
    print::printInvoice(doc, kind);
    if (printers.jobs.empty()) {
      ADD_FAILURE() << "no job; shown: " << dialogs.texts().join('|').toStdString();
      static plat::RecordingSurface none;
      return none;
    }
    return *printers.jobs.back().surface;
  }

  // The row pitch: "ทดสอบ" at 15 points, not bold, plus 20 twips.
  static double pitch() {
    plat::RecordingSurface probe;
    probe.setFontName(shell::settings().FontName);
    probe.setFontSize(15);
    return probe.TextHeight(QStringLiteral("ทดสอบ")) + 20;
  }
  // The font's ascent at size: a text drawn smaller stands lower by the difference.
  static double ascent(double size, bool bold = false) {
    plat::RecordingSurface probe;
    probe.setFontName(shell::settings().FontName);
    probe.setFontSize(size);
    probe.setFontBold(bold);
    return QFontMetricsF(probe.font()).ascent() * 15;
  }
  // Where the shop name in the title font stands when its row is `top` and the next row begins at
  // `next`: a line taller than its row ends where the next begins, never above the printable area.
  static double shopTop(double top, double next, double size) {
    plat::RecordingSurface probe;
    probe.setFontName(shell::settings().FontName);
    probe.setFontSize(size);
    probe.setFontBold(true);
    return std::clamp(next - probe.TextHeight(QStringLiteral("Corner Shop")), 0.0, top);
  }
  static double width(const QString& t, double size, bool bold = false) {
    plat::RecordingSurface probe;
    probe.setFontName(shell::settings().FontName);
    probe.setFontSize(size);
    probe.setFontBold(bold);
    return probe.TextWidth(t);
  }

  plat::ScriptedDialogs dialogs;
  plat::FakePrinters printers{{QStringLiteral("BillPrinter"), QStringLiteral("PDF")}};
};

const Op* findText(const plat::RecordingSurface& s, const QString& t) { return s.find(t); }

std::vector<Op> textOps(const plat::RecordingSurface& s) {
  std::vector<Op> out;
  for (const Op& o : s.ops)
    if (o.kind == Op::Text) out.push_back(o);
  return out;
}

std::vector<Op> lineOps(const plat::RecordingSurface& s) {
  std::vector<Op> out;
  for (const Op& o : s.ops)
    if (o.kind == Op::Line) out.push_back(o);
  return out;
}

// ---- The golden page

TEST_F(InvoiceTest, GoldenThaiA4OnPlainPaper) {
  shell::settings().LangThai = true;
  auto doc = customerSale();
  QString totalBack, taxBack;
  bool disabled = false, focused = false;
  doc.setTotalText = [&](const QString& t) { totalBack = t; };
  doc.setTaxText = [&](const QString& t) { taxBack = t; };
  doc.disableTaxInvoice = [&] { disabled = true; };
  doc.focusFinish = [&] { focused = true; };
  const auto& s = print(doc, InvoiceKind::A4);

  const double h = pitch();
  auto y = [&](double k) { return h * k + 1000; };
  auto right = [&](double edge, const QString& t) { return edge - width(t, 15); };
  // In this wide font some texts cannot stand as described: a text is drawn smaller to end before
  // its column's rule (SmallerAtX), a figure drawn smaller to end at its edge (x), both on the
  // baseline of a full-size text of their row; the bill number moved left to end at the paper's
  // printable edge.
  enum Fit { AsDescribed, SmallerAtX, Smaller, EndsAtEdge };
  struct T {
    double x, y;
    QString text;
    double size;
    bool bold;
    Fit fit = AsDescribed;
  };
  const QString font = QStringLiteral("DejaVu Sans");
  const std::vector<T> texts = {
      {500, shopTop(y(0), y(1), 20), "Corner Shop", 20, true},
      {4000, y(4), "ใบกำกับภาษี", 20, true},
      {9000, y(6), "เลขที่  0000000042", 15, false, EndsAtEdge},
      {500, y(1), "12 Market Road", 15, false},
      {9000, y(7), "วันที่ 15/03/24", 15, false},
      {500, y(2), "Bangkok 10200", 15, false},
      {500, y(3), "โทรศัพท์ 02-123-4567", 15, false},
      {500, y(4), "1234567890123", 15, false},
      {500, y(6), "ขายให้  Somchai Trading", 15, false},
      {1200, y(7), "Manager", 15, false},
      {1200, y(8), "02-765-4321", 15, false},
      {600, y(9), "ลำดับ", 15, true, SmallerAtX},
      {1500, y(9), "รหัสสินค้า", 15, true, SmallerAtX},
      {4500, y(9), "ชื่อสินค้า", 15, true},
      {6870, y(9), "จำนวน", 15, true},
      {8100, y(9), "ราคา/หน่วย", 15, true, SmallerAtX},
      {9700, y(9), "จำนวนเงิน", 15, true, SmallerAtX},
      {right(820, "1"), y(10), " 1", 15, false},
      {1200, y(10), " P001", 15, false},
      {2750, y(10), " Pencil", 15, false},
      {right(7000, "2"), y(10), "2", 15, false},
      {7100, y(10), "ด้าม", 15, false},
      {right(9000, "60.00"), y(10), "60.00", 15, false},
      {right(10500, "120.00"), y(10), "120.00", 15, false},
      {right(820, "2"), y(11), " 2", 15, false},
      {1200, y(11), " N002", 15, false},
      {2750, y(11), " Notebook A5 ruled 80 pages", 15, false, SmallerAtX},
      {right(7000, "1"), y(11), "1", 15, false},
      {7100, y(11), "เล่ม", 15, false},
      {9000, y(11), "1,234.50", 15, false, Smaller},
      {10500, y(11), "1,234.50", 15, false, Smaller},
      {600, y(27), "หมายเหตุ        ", 15, false},
      {6450, y(27), "รวมเป็นเงิน        ", 15, false},
      {10500, y(27), "1,354.50", 15, false, Smaller},
      {6450, y(30), "ภาษี  7%", 15, false},
      {right(10500, "88.61"), y(30), "88.61", 15, false},
      {6450, y(28), "รับเงินมา  ", 15, false},
      {10500, y(28), "1,500.00", 15, false, Smaller},
      {6450, y(29), "เงินทอน  ", 15, false},
      {right(10500, "145.50"), y(29), "145.50", 15, false},
      {500, y(32), "Goods sold are not returned", 15, false},
      {800, y(34), "Received by", 15, false},
      {800, y(35), "Thank you", 15, false},
      {600, y(29), "(หนึ่งพันสามร้อยห้าสิบสี่บาทห้าสิบสตางค์)", 15, false},
  };
  const std::vector<Op> got = textOps(s);
  ASSERT_EQ(got.size(), texts.size()) << s.texts().join('|').toStdString();
  for (size_t i = 0; i < texts.size(); ++i) {
    SCOPED_TRACE(texts[i].text.toStdString());
    const T& t = texts[i];
    switch (t.fit) {
      case AsDescribed:
      case EndsAtEdge:
        EXPECT_EQ(got[i].text, t.text);
        EXPECT_EQ(got[i].size, t.size);
        if (t.fit == AsDescribed) {
          EXPECT_NEAR(got[i].x, t.x, 1e-6);
        } else {
          EXPECT_NEAR(got[i].x + width(t.text, t.size, t.bold), s.ScaleWidth(), 1e-6);
        }
        break;
      case SmallerAtX:
      case Smaller:
        EXPECT_EQ(got[i].text, t.text);
        EXPECT_LT(got[i].size, t.size);
        EXPECT_GE(got[i].size, 7);
        if (t.fit == SmallerAtX) {
          EXPECT_NEAR(got[i].x, t.x, 1e-6);
        } else {
          EXPECT_NEAR(got[i].x + width(t.text, got[i].size), t.x, 1e-6);
        }
        break;
    }
    if (t.fit == SmallerAtX || t.fit == Smaller) {
      EXPECT_NEAR(got[i].y + ascent(got[i].size, t.bold), t.y + ascent(t.size, t.bold), 1);
    } else {
      EXPECT_NEAR(got[i].y, t.y, 1e-6);
    }
    EXPECT_EQ(got[i].bold, texts[i].bold);
    EXPECT_EQ(got[i].font, font);
  }
  struct L {
    double x1, k1, x2, k2;
  };
  const std::vector<L> rules = {
      {500, 9, 11000, 9},  {500, 10, 11000, 10}, {500, 27, 11000, 27},  {500, 31, 11000, 31},
      {500, 9, 500, 31},   {1150, 9, 1150, 27},  {2700, 9, 2700, 27},   {6500, 9, 6500, 27},
      {7900, 9, 7900, 27}, {9200, 9, 9200, 31},  {11000, 9, 11000, 31},
  };
  const std::vector<Op> lines = lineOps(s);
  ASSERT_EQ(lines.size(), rules.size());
  for (size_t i = 0; i < rules.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_NEAR(lines[i].x, rules[i].x1, 1e-6);
    EXPECT_NEAR(lines[i].y, y(rules[i].k1), 1e-6);
    EXPECT_NEAR(lines[i].x2, rules[i].x2, 1e-6);
    EXPECT_NEAR(lines[i].y2, y(rules[i].k2), 1e-6);
  }
  // The rules come before the column headings, and the page is ended once.
  EXPECT_EQ(s.ops[11].kind, Op::Line);
  EXPECT_EQ(s.ops.back().kind, Op::EndDoc);
  EXPECT_EQ(s.pages(), 1);

  EXPECT_EQ(printers.jobs.back().printer, "PDF");
  EXPECT_EQ(printers.jobs.back().docName, "Invoice 0000000042");
  EXPECT_EQ(dialogs.preselected, QStringList{"BillPrinter"});
  EXPECT_EQ(plat::currentPrinter(), "PDF");
  EXPECT_EQ(totalBack, "1,354.50");
  EXPECT_EQ(taxBack, "88.61");
  EXPECT_TRUE(disabled);
  EXPECT_TRUE(focused);
  EXPECT_EQ(dialogs.texts(), QStringList{""});  // the print dialog only
}

// ---- Where the four layouts and two languages differ

TEST_F(InvoiceTest, LayoutsAndLanguagesDifferOnlyWhereTheTableSays) {
  shell::settings().BillFontSize = 10;
  struct Diff {
    InvoiceKind kind;
    bool thai;
    double top, title, body;
    const char* number;
    double numberX, numberRow;
    const char* date;
    double dateX, dateRow;
    const char* customer;
    double customerX, customerRow, addrX;
    const char* phone;
    int rules;  // per copy
    double firstRule, itemRow, codeX;
    const char* nameShown;
    const char* unit;  // "" : no unit word
    const char* firstHeading;
    double headingX;
    const char* vat;
    double vatRow, wordsX, wordsRow, line4X, line4Row;
    const char* cashLabel;  // "" : not printed
  };
  // clang-format off
  const Diff diffs[] = {
    {InvoiceKind::A4,     true,  1000, 20, 15, "เลขที่  0000000042", 9000, 6, "วันที่ 15/03/24",   9000, 7, "ขายให้  Somchai Trading",    500, 6, 1200, "โทรศัพท์ 02-123-4567", 11, 9, 10, 1200, " Notebook A5 ruled 80 pages", "เล่ม", "ลำดับ", 600, "ภาษี  7%",    30, 600, 29, 800, 35, "รับเงินมา  "},
    {InvoiceKind::A4,     false, 1000, 20, 15, "No  0000000042",     9000, 6, "Date 15/03/2024",   9000, 7, "CUSTOMER  Somchai Trading",  500, 6, 1700, "Tel 02-123-4567",      11, 9, 10, 1200, " Notebook A5 ruled 80 pages", "เล่ม", "ITEM",  550, "VAT  7%",     30, 600, 29, 800, 35, "CASH PAY  "},
    {InvoiceKind::A4Form, true,  1000, 20, 15, "        0000000042", 9000, 6, "       15/03/24",   9000, 7, "Somchai Trading",           1200, 6, 1200, "02-123-4567",           0, 0, 10, 1200, " Notebook A5 ruled 80 pages", "เล่ม", "",      0,   "      7%",    30, 600, 29, 800, 35, ""},
    {InvoiceKind::A4Form, false, 1000, 20, 15, "    0000000042",     9000, 6, "     15/03/2024",   9000, 7, "Somchai Trading",           1700, 6, 1700, "02-123-4567",           0, 0, 10, 1200, " Notebook A5 ruled 80 pages", "เล่ม", "",      0,   "     7%",     30, 600, 29, 800, 35, ""},
    {InvoiceKind::A5,     true,  200,  12, 10, "เลขที่  0000000042", 9000, 2, "วันที่ 15/03/2024", 9000, 1, "ขายให้   Somchai Trading",   500, 5, 1100, "โทรศัพท์ 02-123-4567", 11, 8, 9,  1300, " Notebook A5 ruled 80 pages", "เล่ม", "ลำดับ", 600, "ภาษี  7%",    15.5, 600, 15, 500, 18, "รับเงินมา        "},
    {InvoiceKind::A5,     false, 200,  12, 10, "No.  0000000042",    9000, 2, "Date 15/03/2024",   9000, 1, "CUSTOMER   Somchai Trading", 500, 5, 1400, "Tel 02-123-4567",      11, 8, 9,  1300, " Notebook A5 ruled 80 pages", "เล่ม", "ITEM",  600, "VAT  7%",     15.5, 600, 15, 500, 18, "CASH PAY        "},
    {InvoiceKind::TwoUp,  true,  200,  12, 10, "ใบกำกับภาษีเลขที่  42", 50, 5, "วันที่ 15/03/2024", 4000, 4, "ขายให้   Somchai Trading",   50, 6, 650,  "โทรศัพท์ 02-123-4567",  9, 9, 10, 0,    " Notebook A5 ruled 80 page",  "",     "ลำดับ", 200, "ภาษี  7%",    16.5, 100, 16, 50, 19,  "รับเงินมา        "},
    {InvoiceKind::TwoUp,  false, 200,  12, 10, "ใบกำกับภาษีNo. 42",    50, 5, "Date 15/03/2024",   4000, 4, "CUSTOMER   Somchai Trading", 50, 6, 1100, "Tel 02-123-4567",       9, 9, 10, 0,    " Notebook A5 ruled 80 pages", "",     "ITEM",  200, "VAT  7%",     16.5, 100, 16, 50, 19,  "CASH PAY        "},
  };
  // clang-format on
  for (const Diff& d : diffs) {
    SCOPED_TRACE(testing::Message() << "kind " << static_cast<int>(d.kind)
                                    << (d.thai ? " Thai" : " English"));
    shell::settings().LangThai = d.thai;
    const auto& s = print(customerSale(), d.kind);
    const double h = pitch();
    auto y = [&](double k) { return h * k + d.top; };
    // t at its place; in this wide font it may be drawn smaller there (on the baseline of its row)
    // and cut at its column's rule, or (whole) moved left to end at the printable edge.
    auto top = [&](const Op& o, double row) {
      return y(row) + ascent(d.body, o.bold) - ascent(o.size, o.bold);
    };
    auto at = [&](const QString& t, double x, double row) -> const Op* {
      const Op* op = findText(s, t);
      if (!op)
        for (const Op& o : s.ops)
          if (o.kind == Op::Text && !o.text.isEmpty() && t.startsWith(o.text) && std::abs(o.x - x) < 1e-6 &&
              std::abs(o.y - top(o, row)) < 1)
            op = &o;
      if (!op) {
        ADD_FAILURE() << "not printed: " << t.toStdString() << "\n in: " << s.texts().join('|').toStdString();
        return nullptr;
      }
      if (std::abs(op->x - x) > 1e-6) {
        EXPECT_NEAR(op->x + width(op->text, op->size, op->bold), s.ScaleWidth(), 1e-6) << t.toStdString();
      }
      EXPECT_NEAR(op->y, top(*op, row), 1) << t.toStdString();
      EXPECT_GE(op->size, std::min(7.0, d.body)) << t.toStdString();
      return op;
    };
    const Op* shop = findText(s, "Corner Shop");
    ASSERT_TRUE(shop);
    EXPECT_NEAR(shop->y, shopTop(y(0), y(1), d.title), 1e-6);
    EXPECT_EQ(shop->size, d.title);
    EXPECT_TRUE(shop->bold);
    at(d.number, d.numberX, d.numberRow);
    if (findText(s, d.number)) {
      EXPECT_EQ(findText(s, d.number)->size, d.body);
    }
    at(d.date, d.dateX, d.dateRow);
    at(d.customer, d.customerX, d.customerRow);
    at("Manager", d.addrX, d.customerRow + 1);
    at(d.phone, d.kind == InvoiceKind::TwoUp ? 50 : 500, 3);

    EXPECT_EQ(lineOps(s).size(), static_cast<size_t>(d.rules) * (d.kind == InvoiceKind::TwoUp ? 2 : 1));
    if (d.rules > 0) {
      EXPECT_NEAR(lineOps(s)[0].y, y(d.firstRule), 1e-6);
    }
    if (*d.firstHeading) {
      const Op* heading = at(d.firstHeading, d.headingX, d.firstRule);
      EXPECT_TRUE(heading && heading->bold);
    } else {
      for (const char* heading : {"ลำดับ", "ITEM", "AMOUNT", "จำนวนเงิน"}) EXPECT_FALSE(findText(s, heading));
    }
    // The second line's number, name, code and unit word.
    const Op* two = findText(s, " 2");
    ASSERT_TRUE(two);
    EXPECT_NEAR(two->y, y(d.itemRow + 1), 1e-6);
    at(d.nameShown, d.kind == InvoiceKind::TwoUp ? 850 : 2750, d.itemRow + 1);
    if (d.codeX > 0)
      at(" N002", d.codeX, d.itemRow + 1);
    else
      EXPECT_FALSE(findText(s, " N002"));
    if (*d.unit)
      at(d.unit, 7100, d.itemRow + 1);
    else
      EXPECT_FALSE(findText(s, "เล่ม"));
    EXPECT_EQ(findText(s, "60.00") != nullptr, d.kind != InvoiceKind::TwoUp);  // the unit price

    at(d.vat, d.kind == InvoiceKind::TwoUp ? 3200 : 6450, d.vatRow);
    at(d.thai ? "(หนึ่งพันสามร้อยห้าสิบสี่บาทห้าสิบสตางค์)" : "(One thousand three hundred fifty four and 50/100)",
       d.wordsX, d.wordsRow);
    at("Thank you", d.line4X, d.line4Row);
    if (*d.cashLabel)
      EXPECT_TRUE(std::any_of(s.ops.begin(), s.ops.end(), [&](const Op& o) {
        return o.kind == Op::Text && !o.text.trimmed().isEmpty() &&
               QString::fromUtf8(d.cashLabel).startsWith(o.text);
      }));
    else
      for (const char* label : {"รวมเป็นเงิน        ", "AMOUNT        ", "หมายเหตุ        ", "COMMENT        "})
        EXPECT_FALSE(findText(s, label));
    EXPECT_FALSE(findText(s, "Somchai"));  // the employee is on no invoice

    if (d.kind != InvoiceKind::TwoUp) continue;
    // The right copy: every text right after its left one, 6000 twips on; the rules per group.
    const auto texts = textOps(s);
    ASSERT_EQ(texts.size() % 2, 0u);
    for (size_t i = 0; i < texts.size();) {
      // A text on more than one line (the amount in words) has its lines in a row, then the copy's.
      size_t m = 1;
      while (i + m < texts.size() && texts[i + m].x == texts[i].x && texts[i + m].y > texts[i + m - 1].y) ++m;
      ASSERT_LE(i + 2 * m, texts.size());
      for (size_t j = i; j < i + m; ++j) {
        const Op& left = texts[j];
        const Op& copy = texts[j + m];
        EXPECT_EQ(copy.text, left.text);
        // A whole text too long for the paper's right edge there moves left to end at it.
        if (std::abs(copy.x - (left.x + 6000)) > 1e-6) {
          EXPECT_NEAR(copy.x + width(copy.text, copy.size, copy.bold), s.ScaleWidth(), 1e-6)
              << left.text.toStdString();
        }
        EXPECT_EQ(copy.y, left.y);
        EXPECT_EQ(copy.size, left.size);
        EXPECT_EQ(copy.bold, left.bold);
      }
      i += 2 * m;
    }
    const auto lines = lineOps(s);
    for (size_t i : {0, 1, 2, 3}) EXPECT_EQ(lines[i + 4].x, lines[i].x + 6000);
    for (size_t i : {8, 9, 10, 11, 12}) EXPECT_EQ(lines[i + 5].x, lines[i].x + 6000);
    EXPECT_EQ(lines[8].x, 40);
    EXPECT_NEAR(lines[9].y2, y(15), 1e-6);     // after the item number: down to the summary box
    EXPECT_NEAR(lines[10].y2, y(17.2), 1e-6);  // after the name: through it
  }
}

// ---- Pages

TEST_F(InvoiceTest, ALongSaleGoesOnFurtherPagesWithTheSummaryOnTheLast) {
  struct Case {
    InvoiceKind kind;
    int lines;
    int pages;
    double top, firstItemRow, summaryRow;
  } cases[] = {
      {InvoiceKind::A4, 0, 1, 1000, 10, 27},   {InvoiceKind::A4, 17, 1, 1000, 10, 27},
      {InvoiceKind::A4, 18, 2, 1000, 10, 27},  {InvoiceKind::A4Form, 18, 2, 1000, 10, 27},
      {InvoiceKind::A4, 35, 3, 1000, 10, 27},  {InvoiceKind::A5, 5, 1, 200, 9, 14},
      {InvoiceKind::A5, 6, 2, 200, 9, 14},     {InvoiceKind::TwoUp, 5, 1, 200, 10, 15},
      {InvoiceKind::TwoUp, 6, 2, 200, 10, 15},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "kind " << static_cast<int>(c.kind) << ", " << c.lines << " lines");
    const auto& s = print(longSale(c.lines), c.kind);
    EXPECT_EQ(s.pages(), c.pages);
    const double h = pitch();
    // Per page: the shop name once (twice on the two-up sheet); the total on the last page only.
    const int copies = c.kind == InvoiceKind::TwoUp ? 2 : 1;
    int page = 0, shops = 0;
    bool totalSeen = false;
    const QString total = QStringLiteral("%1.00").arg(c.lines);  // the cash and change differ from it
    for (const Op& op : s.ops) {
      if (op.kind == Op::NewPage) {
        EXPECT_EQ(shops, copies) << "page " << page;
        ++page;
        shops = 0;
      }
      if (op.kind != Op::Text) continue;
      if (op.text == "Corner Shop") ++shops;
      if (op.text == total && !totalSeen) {
        totalSeen = true;
        EXPECT_EQ(page, c.pages - 1);
        EXPECT_NEAR(op.y, h * c.summaryRow + c.top, 1e-6);
      }
      // Item i + 1 on its page, on its row; numbers run on.
      static const QRegularExpression itemNumber(QStringLiteral("^ \\d+$"));
      if (op.x < 1000 && itemNumber.match(op.text).hasMatch()) {
        const int n = op.text.trimmed().toInt();
        const int per = c.kind == InvoiceKind::A4 || c.kind == InvoiceKind::A4Form ? 17 : 5;
        EXPECT_EQ(page, (n - 1) / per) << n;
        // On the row's baseline when drawn smaller.
        const double nominal = per == 17 ? 15 : shell::settings().BillFontSize;
        EXPECT_NEAR(op.y + ascent(op.size), h * (c.firstItemRow + (n - 1) % per) + c.top + ascent(nominal), 1)
            << n;
      }
    }
    EXPECT_EQ(shops, copies);
    EXPECT_EQ(page, c.pages - 1);
    EXPECT_TRUE(totalSeen);
    const auto texts = s.texts();
    EXPECT_EQ(texts.count(QStringLiteral("Thank you")), copies);
    if (c.lines > 0) {
      EXPECT_EQ(texts.count(QStringLiteral(" Item %1").arg(c.lines)), copies);
    }
  }
  // Line 18 of an A4 invoice stands numbered 18 on row 10 of the second page.
  const auto& s = print(longSale(18), InvoiceKind::A4);
  const Op* n18 = findText(s, " 18");
  ASSERT_TRUE(n18);
  EXPECT_NEAR(n18->y + ascent(n18->size), pitch() * 10 + 1000 + ascent(15), 1);
  // Each page repeats its rules.
  EXPECT_EQ(lineOps(s).size(), 22u);
}

TEST_F(InvoiceTest, RowsCloseUpOnlyAsFarAsTheLowestRowNeedsToFitThePrintableHeight) {
  // A printable area too short for the rows at their pitch: the last line still ends on it.
  const double height = 9000;
  printers.makeSurface = [&] { return std::make_shared<plat::RecordingSurface>(11000, height); };
  const auto& s = print(printfix::sampleSale(), InvoiceKind::A4);
  const Op* last = findText(s, "Thank you");  // InvLine4, row 35
  const Op* first = findText(s, " 1");        // row 10
  const Op* shop = findText(s, "Corner Shop");
  ASSERT_TRUE(last && first && shop);
  EXPECT_NEAR(last->y + QFontMetricsF(QFont(shell::settings().FontName, 15)).height() * 15, height, 1e-6);
  const double h = (last->y - 1000) / 35;
  EXPECT_NEAR(shop->y, shopTop(1000, 1000 + h, 20), 1e-6);
  EXPECT_LT(h, pitch());
  EXPECT_NEAR(first->y, 1000 + 10 * h, 1e-6);
  EXPECT_NEAR(lineOps(s).back().y2, 1000 + 31 * h, 1e-6);  // the right edge down to the box bottom
}

// ---- Values

TEST_F(InvoiceTest, UnitWordsAreLookedUpByCodeWithoutRegardToCaseAndAMissingOneLeavesABlank) {
  data::Conn().exec(
      "INSERT INTO Product (PId, PName, Price, Price1, Price2, Quantity, CID, ProNoun, PoOrder) "
      "VALUES ('O''Brien', 'Quote', 1, 1, 1, 1, 'C1', 'ถุง', 0), ('AB9', 'Case', 1, 1, 1, 1, 'C1', 'กล่อง', "
      "0), "
      "('NUL', 'No unit', 1, 1, 1, 1, 'C1', NULL, 0)");
  print::SaleDocument doc = longSale(0);
  for (const char* code : {"O'Brien", "ab9", "GONE", "NUL", "P001"})
    doc.lines.push_back({QString::fromLatin1(code), 1, 1, 1, QString::fromLatin1(code)});
  doc.total = doc.pay = 5;
  EXPECT_EQ(print::unitWords(doc), (QStringList{"ถุง", "กล่อง", "", "", "ด้าม"}));

  const auto& s = print(doc, InvoiceKind::A4);
  const double h = pitch();
  const Op* bag = findText(s, "ถุง");
  ASSERT_TRUE(bag);
  EXPECT_NEAR(bag->y, h * 10 + 1000, 1e-6);
  EXPECT_NEAR(findText(s, "ด้าม")->y, h * 14 + 1000, 1e-6);
  EXPECT_TRUE(findText(s, " O'Brien"));
  EXPECT_EQ(s.ops.back().kind, Op::EndDoc);
  EXPECT_EQ(dialogs.texts(), QStringList{""});
}

TEST_F(InvoiceTest, QuantitiesAsWholeNumbersAndNumbersPastNineAlignedByTheirOwnWidth) {
  print::SaleDocument doc = longSale(10);
  doc.lines[0].quantity = 0;
  doc.lines[1].quantity = 1.5;
  doc.lines[2].quantity = 12;
  const auto& s = print(doc, InvoiceKind::A4);
  const double h = pitch();
  auto quantityAt = [&](int row) {
    QStringList out;
    for (const Op& op : s.ops)
      if (op.kind == Op::Text && std::abs(op.y - (h * row + 1000)) < 1e-6 && op.x > 5000 && op.x < 7000)
        out << op.text;
    return out;
  };
  EXPECT_EQ(quantityAt(10), QStringList{});  // 0 prints nothing
  EXPECT_EQ(quantityAt(11), QStringList{"2"});
  EXPECT_NEAR(findText(s, "2")->x, 7000 - width("2", 15), 1e-6);
  EXPECT_EQ(quantityAt(12), QStringList{"12"});
  // The number's own digits end at 820 (drawn smaller where the rule at 500 would cut into them).
  for (const char* n : {" 9", " 10"}) {
    const Op* op = findText(s, n);
    ASSERT_TRUE(op);
    const QString digits = QString::fromLatin1(n).trimmed();
    EXPECT_NEAR(op->x, 820 - width(digits, op->size), 1e-6) << n;
    EXPECT_GE(op->x, 500) << n;
  }
}

TEST_F(InvoiceTest, ATotalTypedWithoutGroupingIsPrintedAndWrittenBackGrouped) {
  auto doc = printfix::sampleSale();
  doc.totalText = QStringLiteral("1354.5");
  QString back;
  doc.setTotalText = [&](const QString& t) { back = t; };
  const auto& s = print(doc, InvoiceKind::A5);
  EXPECT_TRUE(findText(s, "1,354.50"));
  EXPECT_EQ(back, "1,354.50");
  // Cash below the total: a negative change.
  doc.payText = QStringLiteral("1000");
  const auto& s2 = print(doc, InvoiceKind::A4);
  EXPECT_TRUE(findText(s2, "-354.50"));
}

TEST_F(InvoiceTest, TwoUpThaiNamesAreCutAtTwentyFiveCharacters) {
  auto doc = printfix::sampleSale();
  doc.lines[0].name = QStringLiteral("ดินสอไม้สีแดงเข้มยาวพิเศษสำหรับวาดรูป");  // 35 characters
  shell::settings().LangThai = true;
  const auto& s = print(doc, InvoiceKind::TwoUp);
  EXPECT_TRUE(findText(s, QLatin1Char(' ') + doc.lines[0].name.left(25)));
  shell::settings().LangThai = false;
  // In English the whole name is laid out, and cut where its column's rule stands.
  const auto& e = print(doc, InvoiceKind::TwoUp);
  const QString whole = QLatin1Char(' ') + doc.lines[0].name;
  const Op* name = nullptr;
  for (const Op& op : e.ops)
    if (op.kind == Op::Text && op.x == 850 && op.text.size() > 1 && whole.startsWith(op.text)) name = &op;
  ASSERT_TRUE(name);
  EXPECT_LE(name->x + width(name->text, name->size), 3100);
  // An unposted sale prints no number.
  doc.billNo = 0;
  const auto& blank = print(doc, InvoiceKind::A4);
  EXPECT_TRUE(findText(blank, "No  "));
  EXPECT_EQ(printers.jobs.back().docName, "Invoice");
}

// ---- What stops a job or throws it away

// A surface that fails on the n-th text it is given.
class FailingSurface : public plat::RecordingSurface {
 public:
  explicit FailingSurface(int failAt) : failAt_(failAt) {}

 protected:
  void drawText(double x, double y, const QString& text) override {
    if (++count_ == failAt_) throw plat::PrintJobError(QStringLiteral("out of paper"));
    RecordingSurface::drawText(x, y, text);
  }

 private:
  int failAt_;
  int count_ = 0;
};

TEST_F(InvoiceTest, ABadAmountAFailingPrinterAndCancel) {
  struct Case {
    const char* name;
    const char* totalText;
    bool cancel;
    bool failOpen;
    int failAt;  // 0: the surface works
    bool dialogShown;
    bool jobEnded;
    bool killed;
    bool warned;
    bool written;  // total and tax written back
    bool focused;
  } cases[] = {
      {"a good sale", "1,354.50", false, false, 0, true, true, false, false, true, true},
      {"a total that is no number", "abc", false, false, 0, false, false, false, true, false, false},
      {"cancel", "1,354.50", true, false, 0, true, false, false, false, false, false},
      {"a printer that fails mid-page", "1,354.50", false, false, 20, true, false, true, true, true, false},
      {"a printer that cannot start the job", "1,354.50", false, true, 0, true, false, false, true, true,
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    dialogs.shown.clear();
    dialogs.prints.clear();
    printers.jobs.clear();
    printers.failOpen = c.failOpen ? QStringLiteral("offline") : QString();
    printers.makeSurface = nullptr;
    if (c.failAt) printers.makeSurface = [&] { return std::make_shared<FailingSurface>(c.failAt); };
    auto doc = printfix::sampleSale();
    doc.totalText = QString::fromLatin1(c.totalText);
    bool disabled = false, focused = false;
    QString total = "unset", tax = "unset";
    doc.disableTaxInvoice = [&] { disabled = true; };
    doc.focusFinish = [&] { focused = true; };
    doc.setTotalText = [&](const QString& t) { total = t; };
    doc.setTaxText = [&](const QString& t) { tax = t; };
    dialogs.answerPrint(c.cancel ? std::nullopt : std::optional<QString>(QStringLiteral("PDF")));
    print::printInvoice(doc, InvoiceKind::A4);

    EXPECT_TRUE(disabled);
    EXPECT_EQ(!dialogs.preselected.isEmpty() && dialogs.shown.size() > 0 &&
                  dialogs.shown[0].kind == plat::ScriptedDialogs::Kind::Print,
              c.dialogShown);
    const bool jobStarted = !printers.jobs.empty();
    EXPECT_EQ(jobStarted, c.jobEnded || c.killed);
    if (jobStarted) {
      const auto& ops = printers.jobs.back().surface->ops;
      EXPECT_EQ(ops.back().kind, c.killed ? Op::KillDoc : Op::EndDoc);
    }
    EXPECT_EQ(dialogs.lastMessage(), c.warned ? "The receipt could not be printed." : "");
    EXPECT_EQ(total, c.written ? "1,354.50" : "unset");
    EXPECT_EQ(tax, c.written ? "88.61" : "unset");
    EXPECT_EQ(focused, c.focused);
    dialogs.preselected.clear();
  }
  printers.failOpen.clear();
  printers.makeSurface = nullptr;
  // The warning in Thai.
  shell::settings().LangThai = true;
  auto doc = printfix::sampleSale();
  doc.payText = QStringLiteral("1.2.3");
  dialogs.shown.clear();
  print::printInvoice(doc, InvoiceKind::A5);
  EXPECT_EQ(dialogs.texts(), QStringList{"พิมพ์ใบเสร็จไม่สำเร็จ"});
}

// The printer picked in the dialog starts the next invoice's dialog only once an invoice was
// printed on it: a job that could not start or broke off leaves the bill printer preselected.
TEST_F(InvoiceTest, ThePrinterPickedStartsTheNextDialogOnlyOnceAnInvoicePrintedOnIt) {
  struct Case {
    const char* name;
    bool failOpen;
    int failAt;  // 0: the surface works
    const char* nextPreselected;
  } cases[] = {
      {"a printer that cannot start the job", true, 0, "BillPrinter"},
      {"a printer that fails mid-page", false, 20, "BillPrinter"},
      {"printed", false, 0, "PDF"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    printers.failOpen = c.failOpen ? QStringLiteral("offline") : QString();
    printers.makeSurface = nullptr;
    if (c.failAt) printers.makeSurface = [&] { return std::make_shared<FailingSurface>(c.failAt); };
    dialogs.preselected.clear();
    dialogs.answerPrint(QStringLiteral("PDF"));
    print::printInvoice(printfix::sampleSale(), InvoiceKind::A4);
    EXPECT_EQ(dialogs.lastMessage(), c.failOpen || c.failAt ? "The receipt could not be printed." : "");
    printers.failOpen.clear();
    printers.makeSurface = nullptr;
    dialogs.answerPrint(std::nullopt);
    print::printInvoice(printfix::sampleSale(), InvoiceKind::A4);
    EXPECT_EQ(dialogs.preselected, (QStringList{"BillPrinter", c.nextPreselected}));
    dialogs.clear();
  }
}

TEST_F(InvoiceTest, PrintTypesThreeToFiveReachTheirInvoice) {
  struct Case {
    int printType;
    const char* numberText;  // in the English heading
    bool jobs;
  } cases[] = {
      {3, "No  0000000042", true}, {4, "    0000000042", true}, {5, "No.  0000000042", true}, {6, "", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.printType);
    shell::settings().PrintType = static_cast<qint16>(c.printType);
    printers.jobs.clear();
    dialogs.answerPrint(QStringLiteral("PDF"));
    print::printSale(printfix::sampleSale());
    ASSERT_EQ(!printers.jobs.empty(), c.jobs);
    if (c.jobs) {
      EXPECT_TRUE(printers.jobs.back().surface->find(QString::fromUtf8(c.numberText)));
    }
  }
}

}  // namespace
