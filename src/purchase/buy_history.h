#pragma once
// The purchase history of one product: each of its stock lots in the order they were bought, the
// latest unit cost, the quantity and value bought, and the VAT that value contains.
#include <QString>
#include <QStringList>
#include <QVector>

namespace purchase {

struct PurchaseHistory {
  QVector<QStringList> rows;  // date, invoice, quantity, unit cost, value (as the grid shows them)
  QString unitWord;           // the product's ProNoun
  bool bought = false;        // false: no purchase line; the boxes then show "0"
  QString lastPrice, quantity, value, vat, valueWithVat;
};

// Reads the product's lots (code bound, compared as the database compares codes) and their sums at
// the VAT rate given in percent. Amounts include VAT: the VAT box shows the part contained and the
// with-VAT box the value itself.
PurchaseHistory purchaseHistory(const QString& pid, double vatRate);

}  // namespace purchase
