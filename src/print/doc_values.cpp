#include "print/doc_values.h"

#include <cmath>

#include "platform/clock.h"
#include "platform/numtext.h"

namespace print {
namespace {
std::optional<double> amountOf(const QString& text, double number) {
  if (!text.trimmed().isEmpty()) return plat::parseNumber(text);
  if (!std::isfinite(number)) return std::nullopt;
  return number;
}
}  // namespace

std::optional<DocAmounts> docAmounts(const SaleDocument& doc) {
  const auto total = amountOf(doc.totalText, doc.total);
  const auto tax = amountOf(doc.taxText, doc.tax);
  const auto pay = amountOf(doc.payText, doc.pay);
  if (!total || !tax || !pay) return std::nullopt;
  for (const auto& l : doc.lines)
    if (!std::isfinite(l.quantity) || !std::isfinite(l.unitPrice) || !std::isfinite(l.amount))
      return std::nullopt;
  DocAmounts a;
  a.total = *total;
  a.tax = *tax;
  a.pay = *pay;
  a.change = static_cast<double>(plat::toSatang(*pay) - plat::toSatang(*total)) / 100.0;
  return a;
}

QString fmtMoneyPlain(double v) { return plat::fmtMoney(v).remove(QLatin1Char(',')); }

QString quantityText(const SaleDocLine& line) { return plat::plainNumber(line.quantity); }

QString printDate() { return plat::now().date().toString(QStringLiteral("dd/MM/yyyy")); }
QString printTime() { return plat::now().time().toString(QStringLiteral("HH:mm:ss")); }

}  // namespace print
