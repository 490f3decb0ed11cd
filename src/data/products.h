#pragma once
// Table Product: the product records every window reads, and the product editor's writes.
// Codes compare without regard to case; every write that belongs together runs in one transaction.
#include <QString>
#include <QVector>
#include <functional>
#include <optional>

namespace data {

struct Product {
  QString PId;  // as stored
  QString PName;
  double Price = 0;   // level 1
  double Price1 = 0;  // level 2
  double Price2 = 0;  // level 3
  double Quantity = 0;
  QString CID;
  QString ProNoun;
  qint64 PoOrder = 0;
};

// The product with this code, compared without regard to case.
std::optional<Product> productByCode(const QString& code);

// A product as the editor lists it: the row and the name of its category ("" when the category
// is unknown).
struct ListedProduct {
  Product product;
  QString CateName;
};

// The products of one category, codes in text order.
QVector<Product> productsOfCategory(const QString& cid);
// Every product, by category id and then code, each with its category's name; products whose
// category is unknown are listed too.
QVector<ListedProduct> productsByCategory();
// The same products handed to f one at a time as they are read, so a list of every product need
// not be held twice. A failure of the database throws DbError (f may have seen some products).
void eachProductByCategory(const std::function<void(const ListedProduct&)>& f);
// The products whose category id, code or name holds text (without regard to case; "%", "_" and
// "'" are plain characters), codes in text order.
QVector<ListedProduct> searchProducts(const QString& text);

// What a keyed insert or update did.
enum class KeyedWrite {
  Done,
  EmptyKey,      // the new code or id is empty: nothing written
  DuplicateKey,  // another row already has the new code or id: nothing written
  NotFound,      // no row has the key to update: nothing written
};

// Adds a product with stock 0 (p.Quantity is not read). The code is trimmed first.
KeyedWrite insertProduct(const Product& p);
// Rewrites every column but Quantity of the product with code key. A new code carries over, in
// the same transaction, to the product's sales, stock lots and hot key.
KeyedWrite updateProduct(const QString& key, const Product& p);

// What a deletion did.
enum class Removal {
  Removed,
  HasSales,  // refused: sales refer to it
  NotFound,
};
// Deletes the product unless a sale carries its code; its stock lots stay.
Removal deleteProduct(const QString& code);

}  // namespace data
