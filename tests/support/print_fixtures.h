#pragma once
// A shop set up for receipts: settings, a fixed clock, a sale, LPT1 as a plain file in the
// installation folder, scripted dialogs and a fake printer list.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QSet>
#include <QString>
#include <QStringList>

#include "platform/dialogs.h"
#include "platform/print_surface_qt.h"
#include "print/sale_document.h"
#include "support/recording_print.h"
#include "support/scripted_dialogs.h"

namespace printfix {

// English, 7 cm slips on "BillPrinter", no drawer; the clock at 2024-03-15 10:30:00.
void shopSettings();
// Two lines (one of them with a long name and an amount over a thousand), paid 1,500.00; bill 42.
print::SaleDocument sampleSale();
// LPT1 as an empty plain file; its bytes.
QString resetLpt();
QByteArray lptBytes();

// The folders the cups-pdf queues of the private print server may write to, and the PDFs in them.
QStringList pdfFolders();
QSet<QString> pdfsNow();
// Waits (up to 90 s) for a PDF not in `before` whose file name holds tag (any name when tag is empty:
// cups-pdf makes the name from the job's title and may mangle it) and whose text, read with pdftotext,
// holds last (the last item printed, so a file still being written is not taken). Returns its path
// and puts its text in *text; empty, with the print server's state told, when none came.
QString waitForPdf(const QSet<QString>& before, const QString& tag, const QString& last, QString* text);

class PrintTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // The last job sent to the fake printers (fails the test when there is none).
  plat::RecordingSurface& lastJob();

  plat::ScriptedDialogs dialogs;
  plat::FakePrinters printers{{QStringLiteral("ReportPrinter"), QStringLiteral("BillPrinter")}};
};

}  // namespace printfix
