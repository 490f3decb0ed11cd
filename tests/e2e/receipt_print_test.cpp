// A slip receipt printed through the real print server: the private cupsd of the test script with
// its cups-pdf queue "BillPrinter"; the PDF it writes is read back with pdftotext.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QDateTime>
#include <QFile>
#include <QSet>

#include "print/dispatch.h"
#include "shell/settings.h"
#include "support/print_fixtures.h"
#include "support/scripted_dialogs.h"

namespace {

TEST(ReceiptPrint, SlipReachesTheBillPrinterQueue) {
  if (qEnvironmentVariableIsEmpty("CUPS_SERVER"))
    GTEST_SKIP() << "no private print server (CUPS_SERVER unset)";
  plat::ScriptedDialogs dialogs;
  printfix::shopSettings();
  printfix::resetLpt();
  auto doc = printfix::sampleSale();
  // A bill number of its own, so parallel runs find their own PDF.
  doc.billNo = 1000000000 + (QDateTime::currentMSecsSinceEpoch() * 1000 + getpid()) % 8999999999;
  const QString billNo = print::billNoText(doc.billNo);
  const QSet<QString> before = printfix::pdfsNow();

  print::printSale(doc);
  EXPECT_TRUE(dialogs.shown.empty()) << dialogs.texts().join('\n').toStdString();

  QString text;
  // The foot is the last line of the slip.
  const QString pdf = printfix::waitForPdf(before, billNo, QStringLiteral("VAT included"), &text);
  ASSERT_FALSE(pdf.isEmpty()) << "no whole PDF for bill " << billNo.toStdString() << " in "
                              << printfix::pdfFolders().join(", ").toStdString();
  EXPECT_TRUE(text.contains("Corner Shop")) << text.toStdString();
  EXPECT_TRUE(text.contains("Pencil"));
  // A long name is cut where the quantity column starts in the printer's font.
  EXPECT_TRUE(text.contains("Notebook")) << text.toStdString();
  EXPECT_TRUE(text.contains("1,354.50"));  // the total
  EXPECT_TRUE(text.contains(billNo));
  EXPECT_TRUE(text.contains("Employee : Somchai"));
  QFile::remove(pdf);
  shell::settings() = shell::ShopSettings{};
}

}  // namespace
