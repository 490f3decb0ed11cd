#pragma once
// The text lines of a day's bills: the bill list's lines and the receipt printer's lines. Both
// come from the same bills and differ only in the pieces of their table.
#include <QString>
#include <QStringList>
#include <QVector>

#include "reports/bill_gather.h"

namespace reports {

// The settings the bill texts use.
struct BillTexts {
  QString headInvoice;
  QString comName;
  QString comTaxId;
  QString posText;
  QString totalVatText;
  double vatRate = 0;
  bool thai = false;
  static BillTexts fromSettings();
};

// The lines of the bill list. filtered: the list shows one bill number (no separators, no day
// lines, the shorter English cancelled marker).
QStringList billListLines(const QVector<Bill>& bills, bool filtered, const BillTexts& texts);
// The lines the reprint prints, tabs included.
QStringList billPrinterLines(const QVector<Bill>& bills, bool filtered, const BillTexts& texts);

// The VAT contained in a VAT-inclusive amount, to two decimals.
double vatOf(double amount, double vatRate);
// "##,##0.00#": grouped, two decimals, a third one when it is not zero.
QString fmtMoney3(double v);

}  // namespace reports
