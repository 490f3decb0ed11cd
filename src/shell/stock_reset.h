#pragma once
// The stock reset of the File menu: every stock lot deleted, every product's stock set to 0.
#include "data/db.h"

namespace shell {

// Deletes every stock lot and sets every product's stock to 0, in one transaction: a failure
// changes nothing and is thrown as data::DbError.
void resetStock(data::Db& db);

}  // namespace shell
