#pragma once
// The sums of payment: VAT in the total, the cash buttons, and whether the amount tendered
// covers the total. Amounts are compared in whole satang.
#include <QString>
#include <optional>

#include "platform/ceilings.h"

namespace sale {

// The highest amount a box of the sale takes, a unit price or the cash tendered: the money ceiling.
inline constexpr double kMaxAmount = plat::kMaxMoney;

// The VAT contained in a total that includes it: total x rate / (100 + rate).
double vatOf(double total, double ratePercent);

// The amount tendered as typed, or nullopt when the text is empty or not a number.
std::optional<double> tendered(const QString& payText);

// The amount box after a cash button adding `amount`. Buttons of the full-number kind leave a
// text that is not a number unchanged (nullopt); the others read its leading number.
std::optional<QString> afterCashButton(const QString& payText, double amount, bool fullNumber);

// True when the tendered text is an amount above kMaxAmount, such as a barcode scanned into the
// amount box: it is refused before anything is posted.
bool tenderTooBig(const QString& payText);

// The change in satang of a tendered text on a total, or nullopt when the text is not an amount.
std::optional<qint64> changeSatang(const QString& payText, double total);
// True when the tendered text is an amount that covers the total.
bool covers(const QString& payText, double total);

// A key typed into the amount box passes: control keys (27 and below), digits and ".".
bool payKeyPasses(int keyAscii);

}  // namespace sale
