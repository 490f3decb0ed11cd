#include "print/text_receipt.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "platform/codepage.h"
#include "platform/files.h"
#include "shell/settings.h"
#include "support/print_fixtures.h"

namespace {

class TextReceiptTest : public printfix::PrintTest {};

const QByteArray kFeed = QByteArray("     \r\n").repeated(9);

TEST_F(TextReceiptTest, GoldenEnglish) {
  print::PrintLQ(printfix::sampleSale());
  const QByteArray want = QByteArray("\x1bM") +
                          "TAX INVOICE (ABB.)0000000042\r\n"
                          " Corner Shop\r\n"
                          "1234567890123\r\n"
                          "POS 01\r\n"
                          "   15/03/2024      10:30:00\r\n"
                          " 1 Pencil\t   2   120.00\r\n"
                          " 2 Notebook A5 ruled 80 pages\t   1 1,234.50\r\n"
                          "     AMOUNT\t 1,354.50\r\n"
                          "     VAT\t    88.61\r\n"
                          "     CASHPAY\t1,500.00\r\n"
                          "     CHANGE\t145.50\r\n"
                          "Employee : Somchai\r\n"
                          "VAT included\r\n" +
                          kFeed;
  EXPECT_EQ(printfix::lptBytes(), want);
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(TextReceiptTest, GoldenThai) {
  auto& set = shell::settings();
  set.LangThai = true;
  set.HeadInvoice = QStringLiteral("ใบเสร็จรับเงิน ");
  set.ComName = shell::SettingValue::ofText(QStringLiteral("ร้านหัวมุม"));
  set.DrawerPort = shell::SettingValue::ofText("RJ45");  // the text receipt never kicks the drawer
  print::SaleDocument doc;
  doc.lines.push_back({QStringLiteral("ดินสอ"), 2, 60, 120, "P001"});
  doc.lines.push_back({QStringLiteral("สมุดปกแข็งเล่มใหญ่พิเศษ"), 10, 1200, 12000, "N002"});
  doc.lines.push_back({QStringLiteral("ก"), 2.5, 3.8, 9.5, "K003"});
  doc.totalText = "12,129.50";
  doc.taxText = "793.50";
  doc.payText = "20000";
  doc.employee = QStringLiteral("สมชาย");
  doc.billNo = 7;
  print::PrintLQ(doc);

  const QString text = QStringLiteral(
      "ใบเสร็จรับเงิน 0000000007\r\n"
      " ร้านหัวมุม\r\n"
      "1234567890123\r\n"
      "POS 01\r\n"
      "   15/03/2024      10:30:00\r\n"
      " 1 ดินสอ       \t   2   120.00\r\n"
      " 2 สมุดปกแข็งเล\t  10 12,000.00\r\n"
      " 3 ก          \t 2.5     9.50\r\n"
      "     รวมเงิน\t12,129.50\r\n"
      "     ภาษี\t   793.50\r\n"
      "     รวมเงิน\t12,129.50\r\n"
      "     รับเงินมา\t20,000.00\r\n"
      "     เงินทอน\t7,870.50\r\n"
      "พนักงานขาย : สมชาย\r\n"
      "VAT included\r\n");
  const QByteArray got = printfix::lptBytes();
  EXPECT_EQ(got, QByteArray("\x1bM") + plat::toCp874(text) + kFeed);
  // One byte per Thai character: "รวมเงิน" in code page 874.
  EXPECT_TRUE(got.contains(QByteArray("     \xc3\xc7\xc1\xe0\xa7\xd4\xb9\t")));
}

TEST_F(TextReceiptTest, FillTables) {
  const std::pair<const char*, const char*> quantities[] = {{"", ""},     {"1", "   "}, {"12", "  "},
                                                            {"2.5", " "}, {"1234", ""}, {"12345", ""}};
  for (const auto& [q, fill] : quantities) EXPECT_EQ(print::quantityFill(q), fill) << q;
  const std::pair<const char*, const char*> amounts[] = {
      {"9.50", "     "}, {"12.00", "    "}, {"120.00", "   "},  {"-100.00", ""},
      {"1,200.00", " "}, {"12,000.00", ""}, {"120,000.00", ""}, {"", ""}};
  for (const auto& [a, fill] : amounts) EXPECT_EQ(print::moneyFill(a), fill) << a;
}

// An item line's quantity and amount as the port receives them, for amounts around the width of
// their field: an amount that fills it (or more) stands one blank after the quantity; a shorter one
// ends in the field's last column as before.
TEST_F(TextReceiptTest, QuantityAndAmountNeverRunTogether) {
  const struct {
    double quantity, amount;
    const char* printed;  // after the tab
  } cases[] = {
      {1, 9.5, "   1     9.50"},
      {1, 1200, "   1 1,200.00"},
      {1, 12000, "   1 12,000.00"},
      {10, 99999.99, "  10 99,999.99"},
      {1, 100000, "   1 100,000.00"},
      {1, 1234567.89, "   1 1,234,567.89"},
      {2.5, 99999999.99, " 2.5 99,999,999.99"},
      {1234, 1200, "1234 1,200.00"},
      {1234, 12000, "1234 12,000.00"},
      {-1, -100, "  -1 -100.00"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.printed);
    printfix::resetLpt();
    auto doc = printfix::sampleSale();
    doc.lines = {{QStringLiteral("Pen"), c.quantity, c.amount / c.quantity, c.amount, "P001"}};
    print::PrintLQ(doc);
    const QByteArray want = QByteArray("\r\n 1 Pen\t") + c.printed + "\r\n     AMOUNT\t";
    EXPECT_TRUE(printfix::lptBytes().contains(want)) << printfix::lptBytes().toStdString();
  }
}

TEST_F(TextReceiptTest, EmptySaleAndEmptyHead) {
  shell::settings().HeadInvoice.clear();
  auto doc = printfix::sampleSale();
  doc.lines.clear();
  print::PrintLQ(doc);
  const QByteArray got = printfix::lptBytes();
  EXPECT_TRUE(
      got.startsWith("\x1bM"
                     "0000000042\r\n"));
  EXPECT_TRUE(got.contains("10:30:00\r\n     AMOUNT\t"));
  EXPECT_TRUE(got.endsWith("VAT included\r\n" + kFeed));
}

TEST_F(TextReceiptTest, ABadNumberWritesNothing) {
  auto doc = printfix::sampleSale();
  doc.taxText = "n/a";
  print::PrintLQ(doc);
  EXPECT_TRUE(printfix::lptBytes().isEmpty());
  EXPECT_EQ(dialogs.lastMessage(), "The receipt could not be printed.");
}

TEST_F(TextReceiptTest, AFailingPortWarnsInTheUsersLanguage) {
  const QString lpt = plat::installPath("LPT1");
  QFile::remove(lpt);
  ASSERT_TRUE(QDir().mkpath(lpt));
  shell::settings().LangThai = true;
  print::PrintLQ(printfix::sampleSale());
  EXPECT_EQ(dialogs.lastMessage(), QStringLiteral("พิมพ์ใบเสร็จไม่สำเร็จ"));
  QDir(lpt).removeRecursively();
  // The port is usable again at once: nothing was left open.
  printfix::resetLpt();
  print::PrintLQ(printfix::sampleSale());
  EXPECT_TRUE(printfix::lptBytes().startsWith("\x1bMTAX INVOICE"));
}

}  // namespace
