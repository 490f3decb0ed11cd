#pragma once
// Table Buy: one row per line of a supplier's invoice, which is also the stock lot that sale lines
// are tagged with. An invoice is the rows of one BuyDate and BuyId; a line is keyed by PId, BuyDate
// and BuyId. Every write of an invoice runs in one transaction and moves Product.Quantity by what
// the invoice's lots gained or lost, read from the database inside that transaction.
#include <QDate>
#include <QString>
#include <QStringList>
#include <QTime>
#include <QVector>
#include <optional>
#include <stdexcept>

namespace data {

// The whole number an invoice number text starts with, rounded to the nearest ("12" 12, "7.6" 8,
// " 3" 3, "A3" 0); saturates at the 64-bit limits.
qint64 invoiceNumberValue(const QString& buyId);
// The next invoice number of a date: the largest number of the date's invoices plus one, 1 for a
// date without purchases. nullopt when no larger number fits in 64 bits.
std::optional<qint64> nextBuyId(const QDate& date);

struct InvoiceLine {
  QString PId;
  QString PName;  // empty when the product no longer exists
  double BQuantity = 0;
  double BPrice = 0;
  QString BuyId;
  QString SupplierID;
};
// The lines of an invoice in product-code order, those whose product was deleted included.
QVector<InvoiceLine> invoiceLines(const QDate& date, const QString& buyId);

// The unit cost of the product's latest purchase; nullopt when it was never bought.
std::optional<double> latestUnitCost(const QString& pid);

// A line as the purchase screen hands it over for saving.
enum class LineState { New, Saved, Changed };  // the screen's "N", "S" and "U"
struct LineToSave {
  QString pid;
  double quantity = 0;
  double price = 0;
  QString buyId;
  LineState state = LineState::New;
};

struct InvoiceKey {
  QDate date;
  QString buyId;
  bool operator==(const InvoiceKey& o) const = default;
};

// A save refused before it wrote anything (the transaction was rolled back).
class InvoiceRefused : public std::runtime_error {
 public:
  enum class Reason {
    UnknownSupplier,  // the supplier is empty or not in Suppliers
    DuplicateLine,    // a new line's key is already saved
    UnknownProduct,   // a line to insert names no product
    NoNumber,         // a line to insert has an empty invoice number
  };
  InvoiceRefused(Reason r, QString productCode = {}, QString invoice = {});
  Reason reason;
  QString pid;
  QString buyId;
};

// Saves the screen's lines: New lines are inserted under newDate and their own invoice number
// (refused when that key is already saved), Changed lines are rewritten under savedDate (the date
// they were loaded from), Saved lines are left alone. RemainQ is the quantity; BuyTime is time.
// Invoice numbers are stored without leading and trailing blanks. The saved lines of removedPids
// (loaded under shown and removed from the screen since) are deleted, lowering the stock.
// The supplier must exist when anything is to be written; its stored id is written.
// Throws InvoiceRefused or DbError with nothing written.
void commitLines(const QDate& newDate, const QDate& savedDate, const QString& supplier,
                 const QVector<LineToSave>& lines, const QTime& time, const QStringList& removedPids = {},
                 const QString& shownBuyId = {});

// Rewrites invoice key to hold lines (every line under key, BuyTime renewed, the supplier set) and
// deletes the saved lines of removedPids. A New line whose key is already saved is refused.
// Throws InvoiceRefused or DbError with nothing written.
void rewriteInvoice(const InvoiceKey& key, const QString& supplier, const QVector<LineToSave>& lines,
                    const QStringList& removedPids, const QTime& time);

// Deletes every line of the invoice, lowering each product's stock by the line's saved quantity.
// Returns the lines deleted. Throws DbError with nothing written.
int deleteInvoice(const InvoiceKey& key);

}  // namespace data
