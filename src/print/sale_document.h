#pragma once
// The sale as the receipts and invoices read it: a snapshot taken from the sale screen at Finish
// (or from a stored bill at reprint), so no document reads a widget.
#include <QString>
#include <QVector>
#include <functional>

namespace print {

struct SaleDocLine {
  QString name;  // product name
  double quantity = 0;
  double unitPrice = 0;
  double amount = 0;
  QString code;  // product code as stored in Product
};

struct SaleDocument {
  QVector<SaleDocLine> lines;
  double total = 0;       // the bill's total (prices include VAT)
  double tax = 0;         // the VAT part of the total
  double pay = 0;         // cash received
  QString totalText;      // the total box's text as shown
  QString taxText;        // the tax box's text as shown
  QString payText;        // the amount box's text as typed
  QString employee;       // logged-in user
  qint64 billNo = 0;      // shown as ten digits with leading zeros
  QString billDate;       // dd/MM/yyyy of the sale
  QString customerName;   // CusName; empty for a sale without a customer
  QString customerLine1;  // CusLine1 (ContactTitle)
  QString customerLine2;  // CusLine2 (Fax)
  // Where a document writes a formatted amount back into the sale screen's boxes (unset: nowhere).
  std::function<void(const QString&)> setPayText;
  std::function<void(const QString&)> setTotalText;
  std::function<void(const QString&)> setTaxText;
  // The invoices disable the sale screen's Tax Invoice button and end with the focus on Finish.
  std::function<void()> disableTaxInvoice;
  std::function<void()> focusFinish;

  double change() const { return pay - total; }
};

// The bill number as printed: ten digits with leading zeros.
inline QString billNoText(qint64 n) { return QStringLiteral("%1").arg(n, 10, 10, QChar('0')); }

}  // namespace print
