#pragma once
// Rows for purchase tests: categories, products, suppliers and lots written straight into the
// database, and the read-backs the tests compare.
#include <QString>

namespace purchasefx {

void addCategory(const QString& id, const QString& name);
void addProduct(const QString& pid, const QString& name, double quantity, const QString& category = "C1",
                const QString& unit = "pcs");
void addSupplier(const QString& id, const QString& company, const QString& contact);
// A saved line (lot) with RemainQ equal to its quantity.
void addLot(const QString& pid, const QString& isoDate, const QString& buyId, double quantity, double price,
            const QString& supplier = "S1", const QString& time = "09:00:00");

double stockOf(const QString& pid);
// Rows of Buy, all or those of one invoice.
int buyRows();
int buyRows(const QString& isoDate, const QString& buyId);
// A column of the one Buy row of a line key ("" when there is none).
QString lotField(const QString& pid, const QString& isoDate, const QString& buyId, const QString& column);

// A test failure on purpose: the database refuses Buy rows of this product from now on.
void refuseLotsOf(const QString& pid);
void acceptAllLots();

}  // namespace purchasefx
