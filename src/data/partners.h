#pragma once
// Tables Customers and Suppliers: the records other windows read.
#include <QString>
#include <optional>

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
  QString Discount;  // price level "1", "2" or "3"
};

// The customer with this id, compared without regard to case.
std::optional<Customer> customerById(const QString& id);

}  // namespace data
