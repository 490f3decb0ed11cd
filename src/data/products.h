#pragma once
// Table Product: the product records every window reads.
#include <QString>
#include <optional>

namespace data {

struct Product {
  QString PId;  // as stored
  QString PName;
  double Price = 0;   // level 1
  double Price1 = 0;  // level 2
  double Price2 = 0;  // level 3
  double Quantity = 0;
  QString CID;
  QString ProNoun;
  qint64 PoOrder = 0;
};

// The product with this code, compared without regard to case.
std::optional<Product> productByCode(const QString& code);

}  // namespace data
