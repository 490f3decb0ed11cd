#include "sale/payment.h"

#include <cmath>

#include "platform/keys.h"
#include "platform/numtext.h"

namespace sale {

double vatOf(double total, double ratePercent) {
  if (ratePercent + 100 == 0) return 0;
  return total * ratePercent / (ratePercent + 100);
}

std::optional<double> tendered(const QString& payText) { return plat::parseNumber(payText); }

std::optional<QString> afterCashButton(const QString& payText, double amount, bool fullNumber) {
  double value = 0;
  if (fullNumber) {
    const std::optional<double> v = plat::parseNumber(payText);
    if (!v) return std::nullopt;
    value = *v;
  } else {
    value = plat::leadingNumber(payText);
  }
  // The box is first shown with two decimals, then the button's amount is added.
  return plat::plainNumber(plat::roundTo(value, 2) + amount);
}

bool tenderTooBig(const QString& payText) {
  const std::optional<double> pay = tendered(payText);
  return pay && plat::aboveCeiling(*pay, plat::Ceiling::Money);
}

std::optional<qint64> changeSatang(const QString& payText, double total) {
  const std::optional<double> pay = tendered(payText);
  if (!pay) return std::nullopt;
  return plat::toSatang(*pay) - plat::toSatang(total);
}

bool covers(const QString& payText, double total) {
  const std::optional<qint64> c = changeSatang(payText, total);
  return c && *c >= 0;
}

bool payKeyPasses(int keyAscii) {
  if (keyAscii <= plat::Esc) return true;  // Esc and the control codes below it
  return (keyAscii >= '0' && keyAscii <= '9') || keyAscii == '.';
}

}  // namespace sale
