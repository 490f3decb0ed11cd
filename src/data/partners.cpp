#include "data/partners.h"

#include "data/db.h"

namespace data {

std::optional<Customer> customerById(const QString& id) {
  const Snapshot s = Conn().query(QStringLiteral("SELECT * FROM Customers WHERE CustomerId = ? LIMIT 1"), {id});
  if (s.eof()) return std::nullopt;
  Customer c;
  c.CustomerId = s.text("CustomerId");
  c.CompanyName = s.text("CompanyName");
  c.ContactName = s.text("ContactName");
  c.ContactTitle = s.text("ContactTitle");
  c.Address = s.text("Address");
  c.City = s.text("City");
  c.Region = s.text("Region");
  c.PostalCode = s.text("PostalCode");
  c.Country = s.text("Country");
  c.Phone = s.text("Phone");
  c.Fax = s.text("Fax");
  c.Discount = s.text("Discount");
  return c;
}

}  // namespace data
