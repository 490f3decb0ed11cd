#include "data/products.h"

#include "data/db.h"

namespace data {

namespace {
Product fromRow(const Snapshot& s) {
  Product p;
  p.PId = s.text("PId");
  p.PName = s.text("PName");
  p.Price = s.number("Price");
  p.Price1 = s.number("Price1");
  p.Price2 = s.number("Price2");
  p.Quantity = s.number("Quantity");
  p.CID = s.text("CID");
  p.ProNoun = s.text("ProNoun");
  p.PoOrder = static_cast<qint64>(s.number("PoOrder"));
  return p;
}

// The columns of a listed product, in the order listed() reads them.
const QString kListedColumns = QStringLiteral(
    "SELECT Product.PId, Product.PName, Product.Price, Product.Price1, Product.Price2, Product.Quantity, "
    "Product.CID, Product.ProNoun, Product.PoOrder, Category.CateName FROM Product "
    "LEFT JOIN Category ON Category.CateID = Product.CID ");

// Read row by row: a list of every product is long. A category id or name that equals the last
// row's shares its text, so a long list by category holds each only once.
void eachListed(const QString& sql, const QVariantList& binds,
                const std::function<void(const ListedProduct&)>& f) {
  ListedProduct l;
  Conn().forEachRow(sql, binds, [&](const RowView& r) {
    Product& p = l.product;
    p.PId = r.text(0);
    p.PName = r.text(1);
    p.Price = r.number(2);
    p.Price1 = r.number(3);
    p.Price2 = r.number(4);
    p.Quantity = r.number(5);
    const QString cid = r.text(6);
    if (cid != p.CID) p.CID = cid;
    p.ProNoun = r.text(7);
    p.PoOrder = static_cast<qint64>(r.number(8));
    const QString cateName = r.text(9);
    if (cateName != l.CateName) l.CateName = cateName;
    f(l);
  });
}

QVector<ListedProduct> listed(const QString& sql, const QVariantList& binds = {}) {
  QVector<ListedProduct> out;
  eachListed(sql, binds, [&](const ListedProduct& l) { out.push_back(l); });
  return out;
}

// A LIKE pattern that matches text anywhere, with the pattern characters taken literally.
QString containsPattern(const QString& text) {
  QString escaped;
  escaped.reserve(text.size() + 2);
  for (const QChar c : text) {
    if (c == u'\\' || c == u'%' || c == u'_') escaped += u'\\';
    escaped += c;
  }
  return QStringLiteral("%") + escaped + QStringLiteral("%");
}

bool productExists(const QString& code) {
  return Conn().scalar(QStringLiteral("SELECT 1 FROM Product WHERE PId = ? LIMIT 1"), {code}).isValid();
}
}  // namespace

std::optional<Product> productByCode(const QString& code) {
  const Snapshot s = Conn().query(QStringLiteral("SELECT * FROM Product WHERE PId = ? LIMIT 1"), {code});
  if (s.eof()) return std::nullopt;
  return fromRow(s);
}

QVector<Product> productsOfCategory(const QString& cid) {
  Snapshot s = Conn().query(QStringLiteral("SELECT * FROM Product WHERE CID = ? ORDER BY PId"), {cid});
  QVector<Product> out;
  out.reserve(s.size());
  for (s.moveFirst(); !s.eof(); s.moveNext()) out.push_back(fromRow(s));
  return out;
}

namespace {
const QString& byCategorySql() {
  static const QString sql = kListedColumns + QStringLiteral("ORDER BY Product.CID, Product.PId");
  return sql;
}
}  // namespace

QVector<ListedProduct> productsByCategory() { return listed(byCategorySql()); }

void eachProductByCategory(const std::function<void(const ListedProduct&)>& f) {
  eachListed(byCategorySql(), {}, f);
}

QVector<ListedProduct> searchProducts(const QString& text) {
  const QString pattern = containsPattern(text);
  return listed(kListedColumns +
                    QStringLiteral("WHERE Product.CID LIKE ? ESCAPE '\\' OR Product.PId LIKE ? ESCAPE '\\' "
                                   "OR Product.PName LIKE ? ESCAPE '\\' ORDER BY Product.PId"),
                {pattern, pattern, pattern});
}

KeyedWrite insertProduct(const Product& p) {
  const QString code = p.PId.trimmed();
  if (code.isEmpty()) return KeyedWrite::EmptyKey;
  KeyedWrite outcome = KeyedWrite::Done;
  Conn().transaction([&] {
    if (productExists(code)) {
      outcome = KeyedWrite::DuplicateKey;
      return;
    }
    Conn().exec(QStringLiteral("INSERT INTO Product (PId, PName, Price, Price1, Price2, Quantity, CID, "
                               "ProNoun, PoOrder) VALUES (?, ?, ?, ?, ?, 0, ?, ?, ?)"),
                {code, p.PName, p.Price, p.Price1, p.Price2, p.CID, p.ProNoun, p.PoOrder});
  });
  return outcome;
}

KeyedWrite updateProduct(const QString& key, const Product& p) {
  const QString code = p.PId.trimmed();
  if (code.isEmpty()) return KeyedWrite::EmptyKey;
  if (key.isEmpty()) return KeyedWrite::NotFound;
  KeyedWrite outcome = KeyedWrite::Done;
  Conn().transaction([&] {
    if (!productExists(key)) {
      outcome = KeyedWrite::NotFound;
      return;
    }
    // Codes compare without regard to case, so a change of case alone is the same product. A code
    // whose sales or lots outlived their product (deleted) is taken too: the histories would merge.
    const bool clash =
        Conn()
            .scalar(QStringLiteral("SELECT 1 FROM Product WHERE PId = ? AND PId <> ? "
                                   "UNION ALL SELECT 1 FROM Sell WHERE PID = ? AND PID <> ? "
                                   "UNION ALL SELECT 1 FROM Buy WHERE PId = ? AND PId <> ? LIMIT 1"),
                    {code, key, code, key, code, key})
            .isValid();
    if (clash) {
      outcome = KeyedWrite::DuplicateKey;
      return;
    }
    Conn().exec(QStringLiteral("UPDATE Product SET PId = ?, PName = ?, CID = ?, Price = ?, Price1 = ?, "
                               "Price2 = ?, ProNoun = ?, PoOrder = ? WHERE PId = ?"),
                {code, p.PName, p.CID, p.Price, p.Price1, p.Price2, p.ProNoun, p.PoOrder, key});
    if (code != key) {
      // Sales, stock lots and the hot key keep pointing at the product under its new code.
      Conn().exec(QStringLiteral("UPDATE Sell SET PID = ? WHERE PID = ?"), {code, key});
      Conn().exec(QStringLiteral("UPDATE Buy SET PId = ? WHERE PId = ?"), {code, key});
      Conn().exec(QStringLiteral("UPDATE settingkb SET PID = ? WHERE PID = ?"), {code, key});
    }
  });
  return outcome;
}

Removal deleteProduct(const QString& code) {
  Removal outcome = Removal::Removed;
  Conn().transaction([&] {
    if (Conn().scalar(QStringLiteral("SELECT 1 FROM Sell WHERE PID = ? LIMIT 1"), {code}).isValid()) {
      outcome = Removal::HasSales;
      return;
    }
    if (Conn().exec(QStringLiteral("DELETE FROM Product WHERE PId = ?"), {code}) == 0)
      outcome = Removal::NotFound;
  });
  return outcome;
}

}  // namespace data
