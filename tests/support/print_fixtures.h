#pragma once
// A shop set up for receipts: settings, a fixed clock, a sale, LPT1 as a plain file in the
// installation folder, scripted dialogs and a fake printer list.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>

#include "platform/dialogs.h"
#include "platform/print_surface_qt.h"
#include "print/sale_document.h"

namespace printfix {

// English, 7 cm slips on "BillPrinter", no drawer; the clock at 2024-03-15 10:30:00.
void shopSettings();
// Two lines (one of them with a long name and an amount over a thousand), paid 1,500.00; bill 42.
print::SaleDocument sampleSale();
// LPT1 as an empty plain file; its bytes.
QString resetLpt();
QByteArray lptBytes();

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
