#pragma once
// The product editor's logic that does not need its window: the key filters of its boxes, the
// check of a product's fields, and the rows its product grid lists.
#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>

#include "data/products.h"
#include "platform/ceilings.h"

namespace stock {

// Which characters a box of the editor refuses.
enum class KeyRule {
  NoStop,  // codes and names: the full stop, which the lists use between id and name
  Price,   // digits, "." and "-"
  Digits,  // digits only
  Any,
};
// The key as the box takes it: 0 when refused. Keys 1 to 26 (Backspace, Enter, the Ctrl letter
// keys) always pass, whatever the rule.
int filterKey(KeyRule rule, int keyAscii);

// A price as typed: an optional "-", digits, at most one "." and at least one digit.
std::optional<double> priceValue(const QString& text);
// A re-order point as typed: digits only, and few enough to count.
std::optional<qint64> wholeValue(const QString& text);

// The product boxes as the user left them; cid is the chosen category (nullopt: none chosen).
struct ProductEntry {
  QString code, name, price, price1, price2, noun, poOrder;
  std::optional<QString> cid;
};

struct EntryCheck {
  enum class Verdict {
    Ok,
    EmptyField,  // a box is empty: refused without a word
    NoCategory,
    BadNumber,    // badField names the box
    OverCeiling,  // badField names the box, ceiling its kind
  };
  Verdict verdict = Verdict::Ok;
  QString badField;  // "txtPrice", "txtPrice1", "txtPrice2" or "txtPoOrder"
  plat::Ceiling ceiling = plat::Ceiling::Money;
  data::Product product;  // filled when Ok (Quantity 0)
};
// The boxes checked in their order on the window: each empty box, the category, then each number
// box for its shape and its ceiling (a price of either sign up to the money ceiling, the re-order
// point up to the quantity ceiling), so a scanned barcode is never stored as a number.
EntryCheck checkEntry(const ProductEntry& e);

// One row of the product grid: its cells (columns 0 to 10) and, for a product, its code.
struct GridRow {
  bool heading = false;
  QString key;  // the product's code as stored; empty on a heading row
  QStringList cells;
};

// The heading row before a category's first product: two blanks, then the category's name.
GridRow headingRow(const QString& cateName);
// A product row: the prices and numbers as plain numbers; column 5 the category id, 9 its name.
GridRow productRow(const data::Product& p, const QString& cid, const QString& cateName);

// Every product by category, a heading row before each category's first product.
QVector<GridRow> allCategoryRows(const QVector<data::ListedProduct>& products);
// The same rows made as the products come, one product at a time.
class CategoryGrouping {
 public:
  // Appends the next product's row to rows, after its category's heading when the category changes.
  void add(const data::ListedProduct& lp, QVector<GridRow>& rows);

 private:
  bool first_ = true;
  QString current_;
};
// The products of the chosen category, with its id and name.
QVector<GridRow> oneCategoryRows(const QVector<data::Product>& products, const QString& cid,
                                 const QString& cateName);
// Search results: product rows only, each with its own category.
QVector<GridRow> searchRows(const QVector<data::ListedProduct>& products);

}  // namespace stock
