#pragma once
// Tables Customers and Suppliers: the records other windows read, and the access the two record
// windows share. Both tables are kept the same way, so one description of each drives one
// implementation.
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "data/db.h"

namespace data {

struct Customer {
  QString CustomerId;  // as stored
  QString CompanyName;
  QString ContactName;
  QString ContactTitle;
  QString Address;
  QString City;
  QString Region;
  QString PostalCode;
  QString Country;
  QString Phone;
  QString Fax;
  QString Discount;  // price level as stored: "1", "2" or "3" from the customer window, "" for NULL
};

// The customer with this id, compared without regard to case.
std::optional<Customer> customerById(const QString& id);
// The stored id of the customer with this id (compared without regard to case) whose company name
// is exactly this one, or nullopt.
std::optional<QString> customerIdWithName(const QString& id, const QString& companyName);
// Each customer's id and company name as stored, in UTF-8, ids in text order. The views are valid
// only during the call.
void eachCustomerName(const std::function<void(QByteArrayView id, QByteArrayView name)>& f);

// One partner table: its name, its columns in insert order (the id first), and the table whose
// rows keep a partner from being deleted.
struct PartnerTable {
  QString table;        // "Suppliers"
  QStringList columns;  // "SupplierId", "SupType", ...
  QString refTable;     // "Buy"
  QString refColumn;    // "SupplierID"

  const QString& idColumn() const { return columns.front(); }
};

const PartnerTable& suppliersTable();
const PartnerTable& customersTable();

// Every row of the table, ids in text order.
Snapshot partnerRows(const PartnerTable& t);

enum class InsertOutcome { Inserted, EmptyId, DuplicateId };
// Adds a row; values follow t.columns, each stored without leading and trailing blanks. An empty
// or existing id writes nothing. Other failures throw DbError.
InsertOutcome insertPartner(const PartnerTable& t, QStringList values);

// Rewrites every column but the id of the row whose id equals values[0] as given, each without
// leading and trailing blanks. Returns the rows changed (0 when no row has that id). Failures throw
// DbError.
int updatePartner(const PartnerTable& t, const QStringList& values);

enum class DeleteOutcome { Deleted, Referenced, NotFound };
// Deletes the row with this id unless rows of t.refTable refer to it. Failures throw DbError.
DeleteOutcome deletePartner(const PartnerTable& t, const QString& id);

// The ids, in text order, whose first characters equal prefix exactly (case and blanks count);
// an empty prefix gives every id.
QStringList partnerIdsStartingWith(const PartnerTable& t, const QString& prefix);

}  // namespace data
