#include "platform/ceilings.h"

#include <cmath>

#include "platform/numtext.h"

namespace plat {

double ceilingOf(Ceiling kind) {
  switch (kind) {
    case Ceiling::Money:
      return kMaxMoney;
    case Ceiling::Quantity:
      return kMaxQuantity;
    case Ceiling::VatRate:
      return kMaxVatRate;
  }
  return 0;
}

QString ceilingText(Ceiling kind) {
  return kind == Ceiling::Money ? fmtMoney(kMaxMoney) : fmtWhole(ceilingOf(kind));
}

bool aboveCeiling(double v, Ceiling kind) {
  // Far beyond every ceiling a double has no satang to count; such a value is refused at once.
  if (!std::isfinite(v) || std::abs(v) >= 1e15) return true;
  return toSatang(v) > toSatang(ceilingOf(kind));
}

bool textAboveCeiling(const QString& text, Ceiling kind) {
  const std::optional<double> v = parseNumber(text);
  return v && aboveCeiling(*v, kind);
}

}  // namespace plat
