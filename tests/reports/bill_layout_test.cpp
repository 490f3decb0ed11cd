// The bill list's lines and the receipt printer's lines, as whole texts.
#include "reports/bill_layout.h"

#include <gtest/gtest.h>

// Failures show texts as texts.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

using reports::Bill;
using reports::BillTexts;

const QString kSep = QStringLiteral(
    "- - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - - -");

BillTexts shop(bool thai) {
  BillTexts t;
  t.headInvoice = QStringLiteral("Tax Invoice (ABB)");
  t.comName = QStringLiteral("Corner Shop");
  t.comTaxId = QStringLiteral("TAX ID 0105551234567");
  t.posText = QStringLiteral("POS No. 1");
  t.totalVatText = QStringLiteral("VAT included");
  t.vatRate = 7;
  t.thai = thai;
  return t;
}

// Bill 12: 2 x 35 and 1 x 30, cash 200.
Bill bill12() {
  Bill b;
  b.number = 12;
  b.sellDate = QStringLiteral("2024-03-15");
  b.sellTime = QStringLiteral("10:30:05");
  b.employee = QStringLiteral("Somchai");
  b.received = 200;
  b.items = {{"P1", "Green Tea 500ml", 35, 2}, {"P2", "Pen", 30, 1}};
  return b;
}

// The lines of bill 12 before its totals, on screen.
QStringList listHead() {
  return {"       Tax Invoice (ABB)",
          "                Corner Shop",
          "       TAX ID 0105551234567",
          "              POS No. 1",
          "    15/03/2024 10:30:05     no # 0000000012",
          "",
          "1.Green Tea 50\t2       x\t35\t70",
          "2.Pen         \t1       x\t30\t30"};
}

struct ListCase {
  bool thai;
  bool filtered;
};

class BillListGolden : public ::testing::TestWithParam<ListCase> {};

TEST_P(BillListGolden, EveryLineOfTheExampleBill) {
  const ListCase c = GetParam();
  QStringList want = listHead();
  if (c.thai) {
    want << QString::fromUtf8("รวม           \t100.00") << QString::fromUtf8("รับเงินมา    \t200.00")
         << QString::fromUtf8("เงินทอน     \t100.00") << QString::fromUtf8("ภาษี 7%          \t6.54")
         << QString::fromUtf8("พนักงานขาย : Somchai");
  } else {
    want << "Total           \t100.00\t"
         << "Cash Pay  \t200.00"
         << "Change      \t100.00\t"
         << "Vat 7%          \t6.54"
         << "Employee : Somchai";
  }
  want << "     VAT included";
  if (!c.filtered) {
    want << kSep;
    if (c.thai)
      want << QString::fromUtf8("\tรวมยอดขายวันนี้\t100.00") << QString::fromUtf8("\tภาษี 7%          \t6.54");
    else
      want << "\tToday Total\t100.00"
           << "\tVat 7%          \t6.54";
  }
  EXPECT_EQ(reports::billListLines({bill12()}, c.filtered, shop(c.thai)).join('\n').toStdString(),
            want.join('\n').toStdString());
}

INSTANTIATE_TEST_SUITE_P(LanguageAndFilter, BillListGolden,
                         ::testing::Values(ListCase{false, false}, ListCase{false, true},
                                           ListCase{true, false}, ListCase{true, true}));

TEST(BillPrinterLines, EnglishDayOfTheExampleBill) {
  const QStringList want = {"    Tax Invoice (ABB)",
                            "       Corner Shop",
                            "TAX ID 0105551234567",
                            "         POS No. 1",
                            " 15/03/2024 10:30:05 no # 0000000012",
                            "",
                            "1.Green Tea \t2       x\t35\t70",
                            "2.Pen       \t1       x\t30\t30",
                            "\tTotal           \t100.00",
                            "\tCash Pay  \t200.00",
                            "\tChange     \t100.00",
                            "\tVat 7%          \t6.54",
                            "Employee : Somchai",
                            "VAT included",
                            kSep,
                            "\tToday Total\t100.00\t Baht",
                            "\tVat 7%          \t6.54\t Baht"};
  EXPECT_EQ(reports::billPrinterLines({bill12()}, false, shop(false)).join('\n').toStdString(),
            want.join('\n').toStdString());
}

TEST(BillPrinterLines, ThaiTotalsOfOneBill) {
  const QStringList got = reports::billPrinterLines({bill12()}, true, shop(true));
  const QStringList want = {
      QString::fromUtf8("\tรวม           \t100.00"), QString::fromUtf8("\tรับเงินมา  \t200.00"),
      QString::fromUtf8("\tเงินทอน   \t100.00"),      QString::fromUtf8("\tภาษี 7%          \t6.54"),
      QString::fromUtf8("พนักงานขาย : Somchai"),      "VAT included"};
  ASSERT_EQ(got.size(), 14);  // no separator and no day lines with a bill number
  EXPECT_EQ(got.mid(8), want);
}

// The cancelled marker of each layout, language and filter, with its length in characters.
TEST(BillLines, CancelledBillShowsZerosAndItsMarker) {
  Bill b = bill12();
  b.received = 0;
  for (auto& i : b.items) i.quantity = 0;
  struct Case {
    bool printer, thai, filtered;
    const char* marker;
    int length;
  };
  const Case cases[] = {
      {false, false, false, " x x x C  a  n  c  e  l x x x x ", 32},
      {false, false, true, " x x x C  a  n  c  e  l x x x ", 30},
      {false, true, false, " x x x ย  ก  เ  ลิ  ก  บิ  ล x x x ", 35},
      {false, true, true, " x x x ย  ก  เ  ลิ  ก  บิ  ล x x x ", 35},
      {true, false, false, " x x x x x x C  a  n  c  e  l x x x x x x x ", 44},
      {true, false, true, " x x x x x x C  a  n  c  e  l x x x x x x x ", 44},
      {true, true, false, " x x x x x x ย  ก  เ  ลิ  ก  บิ  ล x x x x x x ", 47},
      {true, true, true, " x x x x x x ย  ก  เ  ลิ  ก  บิ  ล x x x x x x ", 47},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << "printer " << c.printer << " thai " << c.thai << " filtered " << c.filtered);
    const QStringList l = c.printer ? reports::billPrinterLines({b}, c.filtered, shop(c.thai))
                                    : reports::billListLines({b}, c.filtered, shop(c.thai));
    const QString marker = QString::fromUtf8(c.marker);
    EXPECT_EQ(marker.size(), c.length);
    ASSERT_EQ(l.size(), c.filtered ? 15 : 18);
    EXPECT_EQ(l[14], "\t" + marker);
    EXPECT_TRUE(l[6].endsWith("\t0       x\t35\t0")) << l[6].toStdString();
    EXPECT_TRUE(l[8].contains("\t0.00")) << l[8].toStdString();    // total
    EXPECT_TRUE(l[9].endsWith("\t0.00")) << l[9].toStdString();    // cash
    EXPECT_TRUE(l[10].contains("\t0.00")) << l[10].toStdString();  // change
    EXPECT_TRUE(l[11].endsWith("\t0")) << l[11].toStdString();     // VAT
  }
}

TEST(BillLines, DayTotalAndItsVatOverSeveralBills) {
  Bill cancelled = bill12();
  cancelled.number = 3;
  cancelled.received = 0;
  for (auto& i : cancelled.items) i.quantity = 0;
  Bill small = bill12();
  small.number = 13;
  small.received = 60;
  small.items = {{"P3", "Soap", 50.5, 1}};
  const QStringList l = reports::billListLines({cancelled, bill12(), small}, false, shop(false));
  // 150.50 holds 9.85 of VAT; the bills' own VATs (6.54 and 3.30) would add up to 9.84.
  EXPECT_EQ(l.mid(l.size() - 2), QStringList({"\tToday Total\t150.50", "\tVat 7%          \t9.85"}));
  EXPECT_EQ(l.count(kSep), 3);
  EXPECT_EQ(l.count("\t x x x C  a  n  c  e  l x x x x "), 1);
  EXPECT_TRUE(l.contains("    15/03/2024 10:30:05     no # 0000000013"));
}

TEST(BillLines, NoBillGivesNoLineAtAll) {
  EXPECT_TRUE(reports::billListLines({}, false, shop(false)).isEmpty());
  EXPECT_TRUE(reports::billPrinterLines({}, false, shop(true)).isEmpty());
}

TEST(BillLines, NamesNumbersAndAmounts) {
  Bill b = bill12();
  b.number = 12345678901;
  b.received = 1234.5;
  b.items = {{"P1", "A", 0.1, 3}, {"P2", "ชาเขียวพร้อมดื่ม", 1250, 2.5}};
  const QStringList l = reports::billListLines({b}, true, shop(false));
  EXPECT_TRUE(l[4].endsWith("no # 12345678901"));
  EXPECT_EQ(l[6], "1.A           \t3       x\t0.1\t0.3");
  EXPECT_EQ(l[7], QString::fromUtf8("2.ชาเขียวพร้อม\t2.5       x\t1250\t3125"));
  EXPECT_EQ(l[8], "Total           \t3,125.30\t");
  EXPECT_EQ(l[9], "Cash Pay  \t1,234.50");
  EXPECT_EQ(l[10], "Change      \t-1,890.80\t");
}

// English cash on screen shows a third decimal; Thai and paper round to two.
TEST(BillLines, CashWithAThirdDecimal) {
  Bill b = bill12();
  b.received = 112.345;
  EXPECT_EQ(reports::billListLines({b}, true, shop(false))[9], "Cash Pay  \t112.345");
  EXPECT_EQ(reports::billListLines({b}, true, shop(true))[9], QString::fromUtf8("รับเงินมา    \t112.35"));
  EXPECT_EQ(reports::billPrinterLines({b}, true, shop(false))[9], "\tCash Pay  \t112.35");
  EXPECT_EQ(reports::billListLines({b}, true, shop(false))[10], "Change      \t12.35\t");
}

TEST(BillLines, MoneyWithAThirdDecimal) {
  const std::pair<double, const char*> cases[] = {
      {200, "200.00"},
      {1234.5, "1,234.50"},
      {12.345, "12.345"},
      {0.1 + 0.2, "0.30"},
      {-1.5, "-1.50"},
      {0, "0.00"},
      {1234567.891, "1,234,567.891"},
      {2.0004, "2.00"},
      {2.0005, "2.001"},
  };
  for (const auto& [v, want] : cases) EXPECT_EQ(reports::fmtMoney3(v).toStdString(), want) << v;
}

TEST(BillLines, VatContainedInAnAmount) {
  EXPECT_DOUBLE_EQ(reports::vatOf(100, 7), 6.54);
  EXPECT_DOUBLE_EQ(reports::vatOf(107, 7), 7);
  EXPECT_DOUBLE_EQ(reports::vatOf(0, 7), 0);
  EXPECT_DOUBLE_EQ(reports::vatOf(100, 0), 0);
  EXPECT_DOUBLE_EQ(reports::vatOf(100, -100), 0);
}

}  // namespace
