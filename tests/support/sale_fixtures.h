#pragma once
// Rows and a screen for sale tests: products, lots, customers and hot keys written straight into
// the database, and the sale screen loaded through the registry with a fake serial line.
#include <QString>
#include <QVariant>

#include "data/db.h"

namespace salefx {

void addProduct(const QString& pid, const QString& name, double price, double quantity, qint64 reorder = -1,
                double price1 = 0, double price2 = 0);
void addLot(const QString& pid, const QString& isoDate, const QString& buyId, double quantity,
            double cost = 1);
void addCustomer(const QString& id, const QString& company, const QString& title, const QString& fax,
                 const QVariant& level);
void bindKey(int kbid, const QString& pid);

double stockOf(const QString& pid);
int sellRows();

}  // namespace salefx
