#pragma once
// The shop database the benchmarks measure on: a copy of the shipped template filled with some
// years of trade through the SQLite C API, made once per size and process, and the C API helpers
// the benchmarks use to run the raw statements they compare against.
#include <sqlite3.h>

#include <QDate>
#include <QString>
#include <string>

namespace benchdb {

struct ShopSize {
  int products = 100000;
  int categories = 20;     // "C01".."C20", products spread evenly
  int lotsPerProduct = 2;  // purchase lines (stock lots) per product
  int saleLines = 1000000;
  int linesPerBill = 5;
  QDate firstDay = QDate(2023, 1, 1);  // sales spread evenly over these days
  QDate lastDay = QDate(2024, 12, 31);
  int customers = 200;  // every 4th bill is to a customer "K0001".."K0200"
  int suppliers = 50;   // "S01".."S50"
  // For the partner histories: this many sale lines, every n-th, are kBusyCustomer's, dated in
  // lastDay's year (no other line is theirs), and this many lots, every n-th, kBusySupplier's.
  int busyCustomerLines = 0;
  int busySupplierLots = 0;
  // Products inserted out of code order, so that a category's code order is not the table's order.
  bool shuffledCodes = false;
  bool operator==(const ShopSize&) const = default;
};

inline constexpr const char* kBusyCustomer = "K0042";
inline constexpr const char* kBusySupplier = "S07";

// A database of that size: built at the first call (a minute or so for the default size), then the
// same file is handed out again. Benchmarks that write should work on copyOf() instead.
QString shopDatabase(const ShopSize& size = {});
// A fresh copy of a database file, beside it.
QString copyOf(const QString& path, const QString& name);

// Product code i ("P000042"), category of product i ("C01".."C20"), a date as "2024-06-14".
std::string productCode(int i);
std::string categoryOf(int product, const ShopSize& size = {});
std::string iso(const QDate& d);

// The template database the build makes (QUORVANEL_SHIPPED, or beside the bench folder).
QString templatePath();

[[noreturn]] void die(const std::string& what);
sqlite3* openRaw(const QString& path);
void execRaw(sqlite3* db, const char* sql);
sqlite3_stmt* prepareRaw(sqlite3* db, const char* sql);
void check(sqlite3* db, int rc, const char* what);
void bindText(sqlite3_stmt* st, int i, const std::string& s);
// Steps a SELECT to its end; returns the rows read (the columns are read as text, as a caller would).
long long drain(sqlite3_stmt* st);

}  // namespace benchdb
