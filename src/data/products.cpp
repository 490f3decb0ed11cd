#include "data/products.h"

#include "data/db.h"

namespace data {

namespace {
Product fromRow(const Snapshot& s) {
  Product p;
  p.PId = s.text("PId");
  p.PName = s.text("PName");
  p.Price = s.number("Price");
  p.Price1 = s.number("Price1");
  p.Price2 = s.number("Price2");
  p.Quantity = s.number("Quantity");
  p.CID = s.text("CID");
  p.ProNoun = s.text("ProNoun");
  p.PoOrder = static_cast<qint64>(s.number("PoOrder"));
  return p;
}
}  // namespace

std::optional<Product> productByCode(const QString& code) {
  const Snapshot s = Conn().query(QStringLiteral("SELECT * FROM Product WHERE PId = ? LIMIT 1"), {code});
  if (s.eof()) return std::nullopt;
  return fromRow(s);
}

}  // namespace data
