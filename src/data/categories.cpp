#include "data/categories.h"

#include "data/db.h"

namespace data {

namespace {
bool categoryExists(const QString& id) {
  return Conn().scalar(QStringLiteral("SELECT 1 FROM Category WHERE CateID = ? LIMIT 1"), {id}).isValid();
}
}  // namespace

QVector<Category> allCategories() {
  Snapshot s = Conn().query(QStringLiteral("SELECT CateID, CateName FROM Category ORDER BY CateID"));
  QVector<Category> out;
  out.reserve(s.size());
  for (s.moveFirst(); !s.eof(); s.moveNext()) out.push_back({s.text("CateID"), s.text("CateName")});
  return out;
}

QString categoryText(const Category& c) { return c.CateID + QStringLiteral(". ") + c.CateName; }
QString categoryChooserText(const Category& c) { return c.CateID + QStringLiteral(".  ") + c.CateName; }

KeyedWrite insertCategory(const Category& c) {
  const QString id = c.CateID.trimmed();
  if (id.isEmpty()) return KeyedWrite::EmptyKey;
  KeyedWrite outcome = KeyedWrite::Done;
  Conn().transaction([&] {
    if (categoryExists(id)) {
      outcome = KeyedWrite::DuplicateKey;
      return;
    }
    Conn().exec(QStringLiteral("INSERT INTO Category (CateID, CateName) VALUES (?, ?)"), {id, c.CateName});
  });
  return outcome;
}

KeyedWrite updateCategory(const QString& key, const Category& c) {
  const QString id = c.CateID.trimmed();
  if (id.isEmpty()) return KeyedWrite::EmptyKey;
  if (key.isEmpty()) return KeyedWrite::NotFound;
  KeyedWrite outcome = KeyedWrite::Done;
  Conn().transaction([&] {
    if (!categoryExists(key)) {
      outcome = KeyedWrite::NotFound;
      return;
    }
    const bool clash =
        Conn()
            .scalar(QStringLiteral("SELECT 1 FROM Category WHERE CateID = ? AND CateID <> ? LIMIT 1"),
                    {id, key})
            .isValid();
    if (clash) {
      outcome = KeyedWrite::DuplicateKey;
      return;
    }
    Conn().exec(QStringLiteral("UPDATE Category SET CateID = ?, CateName = ? WHERE CateID = ?"),
                {id, c.CateName, key});
    // Its products follow the category to its new id.
    if (id != key) Conn().exec(QStringLiteral("UPDATE Product SET CID = ? WHERE CID = ?"), {id, key});
  });
  return outcome;
}

Removal deleteCategory(const QString& id) {
  Removal outcome = Removal::Removed;
  Conn().transaction([&] {
    const bool sold =
        Conn()
            .scalar(QStringLiteral("SELECT 1 FROM Product INNER JOIN Sell ON Product.PId = Sell.PID "
                                   "WHERE Product.CID = ? LIMIT 1"),
                    {id})
            .isValid();
    if (sold) {
      outcome = Removal::HasSales;
      return;
    }
    if (Conn().exec(QStringLiteral("DELETE FROM Category WHERE CateID = ?"), {id}) == 0)
      outcome = Removal::NotFound;
  });
  return outcome;
}

}  // namespace data
