#pragma once
// The plain-text receipt for a dot-matrix printer on the parallel port: built whole as code page
// 874 bytes, then written in one go.
#include <QByteArray>
#include <QString>
#include <optional>

#include "print/sale_document.h"

namespace print {

// Blanks before a quantity text so that up to three characters end in column 4.
QString quantityFill(const QString& quantity);
// Blanks before a formatted amount so that it ends in column 9 of a nine-character field.
QString moneyFill(const QString& amount);
// The blanks between an item line's quantity and its amount: the money fill, and at least one
// blank after a quantity.
QString amountFill(const QString& quantity, const QString& amount);

// The receipt as the port receives it (ESC "M", then lines ending CR LF); nullopt when an amount
// is not a number.
std::optional<QByteArray> textReceiptBytes(const SaleDocument& doc);

// Writes doc's text receipt to LPT1; a warning when it cannot be made or written.
void PrintLQ(const SaleDocument& doc);

}  // namespace print
