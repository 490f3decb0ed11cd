#include "data/lots.h"

#include <limits>

#include "data/db.h"
#include "data/products.h"

namespace data {

namespace {

constexpr qint64 kMax = std::numeric_limits<qint64>::max();

QString iso(const QDate& d) { return d.toString(Qt::ISODate); }
QString hms(const QTime& t) { return t.toString(QStringLiteral("HH:mm:ss")); }

// What is saved under one line key: the rows (normally one) and their total quantity.
struct Saved {
  int rows = 0;
  double quantity = 0;
};

Saved savedLine(const QString& pid, const QString& date, const QString& buyId) {
  const Snapshot s = Conn().query(QStringLiteral("SELECT COUNT(*) AS n, TOTAL(BQuantity) AS q FROM Buy "
                                                 "WHERE PId = ? AND BuyDate = ? AND BuyId = ?"),
                                  {pid, date, buyId});
  return {static_cast<int>(s.number("n")), s.number("q")};
}

void moveStock(const QString& pid, double delta) {
  if (delta == 0) return;
  Conn().exec(QStringLiteral("UPDATE Product SET Quantity = COALESCE(Quantity, 0) + ? WHERE PId = ?"),
              {delta, pid});
}

void insertLine(const QString& pid, const QString& date, const QString& time, const LineToSave& l,
                const QString& buyId, const QString& supplier) {
  Conn().exec(QStringLiteral("INSERT INTO Buy (PId, BuyDate, BuyTime, BQuantity, BPrice, BuyId, RemainQ, "
                             "SupplierID) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
              {pid, date, time, l.quantity, l.price, buyId, l.quantity, supplier});
}

// The stored code of the product a line to insert names; refused when there is none.
QString existingProduct(const QString& pid) {
  const auto p = productByCode(pid);
  if (!p) throw InvoiceRefused(InvoiceRefused::Reason::UnknownProduct, pid);
  return p->PId;
}

// The stored id of the supplier; refused when empty or unknown.
QString existingSupplier(const QString& typed) {
  const QString id = typed.trimmed();
  if (!id.isEmpty()) {
    const QVariant v =
        Conn().scalar(QStringLiteral("SELECT SupplierId FROM Suppliers WHERE SupplierId = ?"), {id});
    if (v.isValid()) return v.toString();
  }
  throw InvoiceRefused(InvoiceRefused::Reason::UnknownSupplier);
}

bool writesAnything(const QVector<LineToSave>& lines) {
  for (const auto& l : lines)
    if (l.state != LineState::Saved) return true;
  return false;
}

}  // namespace

InvoiceRefused::InvoiceRefused(Reason r, QString productCode, QString invoice)
    : std::runtime_error(r == Reason::UnknownSupplier ? "Can't Find Supplier Id"
                         : r == Reason::DuplicateLine ? "The product is already on this invoice"
                                                      : "Can't find the product"),
      reason(r),
      pid(std::move(productCode)),
      buyId(std::move(invoice)) {}

qint64 invoiceNumberValue(const QString& buyId) {
  int i = 0;
  const int n = buyId.size();
  while (i < n && (buyId[i] == ' ' || buyId[i] == '\t')) ++i;
  bool negative = false;
  if (i < n && (buyId[i] == '-' || buyId[i] == '+')) negative = buyId[i++] == '-';
  auto digit = [&](int k) { return k < n && buyId[k] >= '0' && buyId[k] <= '9'; };
  qint64 v = 0;
  bool saturated = false;
  for (; digit(i); ++i) {
    const int d = buyId[i].unicode() - '0';
    if (v > (kMax - d) / 10) saturated = true;
    if (!saturated) v = v * 10 + d;
  }
  if (saturated) return negative ? std::numeric_limits<qint64>::min() : kMax;
  if (i < n && buyId[i] == '.' && digit(i + 1) && buyId[i + 1] >= '5' && v < kMax) ++v;
  return negative ? -v : v;
}

std::optional<qint64> nextBuyId(const QDate& date) {
  const Snapshot s = Conn().query(QStringLiteral("SELECT BuyId FROM Buy WHERE BuyDate = ?"), {iso(date)});
  qint64 max = 0;
  for (const auto& row : s.rows()) max = std::max(max, invoiceNumberValue(row[0].toString()));
  if (max == kMax) return std::nullopt;
  return max + 1;
}

QVector<InvoiceLine> invoiceLines(const QDate& date, const QString& buyId) {
  // A left join, so a line whose product was deleted still shows (and can be deleted).
  const Snapshot s = Conn().query(
      QStringLiteral("SELECT Buy.PId AS PId, Product.PName AS PName, Buy.BQuantity AS BQuantity, "
                     "Buy.BPrice AS BPrice, Buy.BuyId AS BuyId, Buy.SupplierID AS SupplierID "
                     "FROM Buy LEFT JOIN Product ON Buy.PId = Product.PId "
                     "WHERE Buy.BuyDate = ? AND Buy.BuyId = ? ORDER BY Buy.PId, Buy.rowid"),
      {iso(date), buyId});
  QVector<InvoiceLine> out;
  for (int r = 0; r < s.size(); ++r) {
    InvoiceLine l;
    l.PId = s.at(r, "PId").toString();
    l.PName = s.at(r, "PName").toString();
    l.BQuantity = s.at(r, "BQuantity").toDouble();
    l.BPrice = s.at(r, "BPrice").toDouble();
    l.BuyId = s.at(r, "BuyId").toString();
    l.SupplierID = s.at(r, "SupplierID").toString();
    out.push_back(l);
  }
  return out;
}

std::optional<double> latestUnitCost(const QString& pid) {
  const Snapshot s = Conn().query(
      QStringLiteral("SELECT BPrice FROM Buy WHERE PId = ? ORDER BY BuyDate DESC, BuyTime DESC LIMIT 1"),
      {pid});
  if (s.eof()) return std::nullopt;
  return s.number("BPrice");
}

namespace {

// Deletes the saved lines of removedPids (but those in written) from the invoice, lowering the
// stock by what each held.
void deleteRemoved(const QString& date, const QString& buyId, const QStringList& removedPids,
                   const QStringList& written) {
  for (const QString& pid : removedPids) {
    if (written.contains(pid, Qt::CaseInsensitive)) continue;
    const Saved before = savedLine(pid, date, buyId);
    if (before.rows == 0) continue;
    Conn().exec(QStringLiteral("DELETE FROM Buy WHERE PId = ? AND BuyDate = ? AND BuyId = ?"),
                {pid, date, buyId});
    moveStock(pid, -before.quantity);
  }
}

}  // namespace

void commitLines(const QDate& newDate, const QDate& savedDate, const QString& supplier,
                 const QVector<LineToSave>& lines, const QTime& time, const QStringList& removedPids,
                 const QString& shownBuyId) {
  if (!writesAnything(lines) && removedPids.isEmpty()) return;
  Conn().transaction([&] {
    const QString sup = writesAnything(lines) ? existingSupplier(supplier) : QString();
    const QString t = hms(time);
    QStringList written;
    for (const LineToSave& l : lines) {
      if (l.state != LineState::New) written << l.pid;
      if (l.state == LineState::Saved) continue;
      const QString date = iso(l.state == LineState::New ? newDate : savedDate);
      const Saved before = savedLine(l.pid, date, l.buyId);
      if (l.state == LineState::New || before.rows == 0) {
        const QString number = l.buyId.trimmed();
        if (number.isEmpty()) throw InvoiceRefused(InvoiceRefused::Reason::NoNumber, l.pid);
        if (before.rows > 0 || (number != l.buyId && savedLine(l.pid, date, number).rows > 0))
          throw InvoiceRefused(InvoiceRefused::Reason::DuplicateLine, l.pid, number);
        const QString pid = existingProduct(l.pid);
        insertLine(pid, date, t, l, number, sup);
        moveStock(pid, l.quantity);
      } else {
        Conn().exec(QStringLiteral("UPDATE Buy SET BQuantity = ?, BPrice = ?, RemainQ = ? "
                                   "WHERE PId = ? AND BuyDate = ? AND BuyId = ?"),
                    {l.quantity, l.price, l.quantity, l.pid, date, l.buyId});
        moveStock(l.pid, l.quantity * before.rows - before.quantity);
      }
    }
    if (!removedPids.isEmpty()) deleteRemoved(iso(savedDate), shownBuyId, removedPids, written);
  });
}

void rewriteInvoice(const InvoiceKey& key, const QString& supplier, const QVector<LineToSave>& lines,
                    const QStringList& removedPids, const QTime& time) {
  Conn().transaction([&] {
    const QString sup = existingSupplier(supplier);
    const QString date = iso(key.date);
    const QString t = hms(time);
    QStringList written;
    for (const LineToSave& l : lines) {
      const Saved before = savedLine(l.pid, date, key.buyId);
      if (l.state == LineState::New && before.rows > 0)
        throw InvoiceRefused(InvoiceRefused::Reason::DuplicateLine, l.pid, key.buyId);
      const QString pid = before.rows > 0 ? l.pid : existingProduct(l.pid);
      Conn().exec(QStringLiteral("DELETE FROM Buy WHERE PId = ? AND BuyDate = ? AND BuyId = ?"),
                  {pid, date, key.buyId});
      insertLine(pid, date, t, l, key.buyId, sup);
      moveStock(pid, l.quantity - before.quantity);
      written << pid;
    }
    deleteRemoved(date, key.buyId, removedPids, written);
  });
}

int deleteInvoice(const InvoiceKey& key) {
  int deleted = 0;
  Conn().transaction([&] {
    const QString date = iso(key.date);
    const Snapshot s = Conn().query(
        QStringLiteral(
            "SELECT PId, TOTAL(BQuantity) AS q FROM Buy WHERE BuyDate = ? AND BuyId = ? GROUP BY PId"),
        {date, key.buyId});
    for (int r = 0; r < s.size(); ++r) moveStock(s.at(r, "PId").toString(), -s.at(r, "q").toDouble());
    deleted =
        Conn().exec(QStringLiteral("DELETE FROM Buy WHERE BuyDate = ? AND BuyId = ?"), {date, key.buyId});
  });
  return deleted;
}

}  // namespace data
