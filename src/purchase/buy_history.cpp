#include "purchase/buy_history.h"

#include "data/dates.h"
#include "data/db.h"
#include "platform/numtext.h"

namespace purchase {

PurchaseHistory purchaseHistory(const QString& pid, double vatRate) {
  PurchaseHistory h;
  data::Snapshot s =
      data::Conn().query(QStringLiteral("SELECT b.BuyDate, b.BQuantity, b.BPrice, p.ProNoun, b.BuyId "
                                        "FROM Buy b JOIN Product p ON b.PId = p.PId WHERE b.PId = ? "
                                        "ORDER BY b.BuyDate, b.BuyTime, b.rowid"),
                         {pid});
  const QString zero = QStringLiteral("0");
  h.lastPrice = h.quantity = h.value = h.vat = h.valueWithVat = zero;
  if (s.empty()) return h;
  h.bought = true;
  h.unitWord = s.text(QStringLiteral("ProNoun"));
  double quantity = 0, value = 0, last = 0;
  for (s.moveFirst(); !s.eof(); s.moveNext()) {
    const double q = s.number(QStringLiteral("BQuantity"));
    const double p = s.number(QStringLiteral("BPrice"));
    h.rows.push_back({data::showDate(s.text(QStringLiteral("BuyDate"))), s.text(QStringLiteral("BuyId")),
                      plat::plainNumber(q), plat::plainNumber(p), plat::fmtMoney(q * p)});
    quantity += q;
    value += q * p;
    last = p;
  }
  h.lastPrice = plat::fmtMoney(last);
  h.quantity = plat::fmtMoney(quantity);
  h.value = plat::fmtMoney(value);
  h.vat = plat::fmtMoney(value * vatRate / (vatRate + 100));
  h.valueWithVat = plat::fmtMoney(value);
  return h;
}

}  // namespace purchase
