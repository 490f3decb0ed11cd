#include "shell/stock_reset.h"

namespace shell {

void resetStock(data::Db& db) {
  db.transaction([&db] {
    db.exec(QStringLiteral("DELETE FROM Buy"));
    db.exec(QStringLiteral("UPDATE Product SET Quantity = 0"));
  });
}

}  // namespace shell
