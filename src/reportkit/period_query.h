#pragma once
// What the period reports read: the lines of a table of dated product lines (sales or purchases)
// in a date range, summed per product in one query before the join to Product and Category.
#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>

#include "data/dates.h"
#include "data/db.h"

namespace reportkit {

// The table a period report reads and its columns.
struct PeriodSource {
  QString table;     // "Sell"
  QString product;   // "PID"
  QString date;      // "SellDate"
  QString quantity;  // "SQuantity"
  QString price;     // "SPrice"
  // A column that may narrow the lines to one value of it ("Employee"); empty when none.
  QString filterColumn;

  static PeriodSource sales();
  static PeriodSource purchases();
};

// The lines a show reads: a date range and, when filter is set, the lines whose filter column
// equals it.
struct PeriodScope {
  data::DateRange range;
  std::optional<QString> filter;
};

// One product of the period. A product code without a Product row keeps its code and empty texts.
struct PeriodProduct {
  QString pid;  // as stored in Product, or the line's code when there is no Product row
  QString name;
  QString unit;
  QString categoryId;    // Product.CID
  QString categoryName;  // empty when the category has no Category row
  bool inProduct = false;
  bool inCategory = false;
  double quantity = 0;
  double value = 0;  // sum of quantity x price
  // Sum of each line's quantity x price rounded to two decimals: the running total of a show of
  // chosen categories, which rounds after every line (filled only when asked for).
  double roundedValue = 0;
};

}  // namespace reportkit

// Moved in memory as a block when a list of 100,000 of them grows.
Q_DECLARE_TYPEINFO(reportkit::PeriodProduct, Q_RELOCATABLE_TYPE);

namespace reportkit {

// Every product with lines in the scope, in product-code order, with or without Product and
// Category rows: one pass over the period serves the category list, the grid and the total.
QVector<PeriodProduct> periodProducts(data::Db& db, const PeriodSource& src, const PeriodScope& scope);
// The statement periodProducts runs; its values are appended to binds.
QString periodProductsStatement(const PeriodSource& src, const PeriodScope& scope, QVariantList* binds);
// How one statement narrows a period to chosen categories; the rows are the same either way.
enum class CategoryNarrowing {
  Lines,  // each line as the period is read: few categories leave few lines to sum
  Sums,   // the period summed per product first, the products narrowed at the join: with half the
          // products or more a look-up per line costs more than the sums it saves
};
// The narrowing for a show of chosen of the listed categories, from their share of the list alone:
// half of them or more are summed first.
CategoryNarrowing narrowingFor(qsizetype chosen, qsizetype listed);
// The narrowing for a show of these of the listed categories over the scope's lines: fewer than
// half of the list narrow the lines when the scope has lines enough for the products of the
// categories (narrowing first looks up each of them before the first line); a short period of
// categories of many products is summed first. Counts those products, and the lines up to the
// number that decides.
CategoryNarrowing narrowingFor(data::Db& db, const PeriodSource& src, const PeriodScope& scope,
                               const QStringList& categoryIds, qsizetype listed);

// The products of one category (Product and Category rows present), in product-code order, with
// the per-line rounded value filled.
QVector<PeriodProduct> categoryProducts(data::Db& db, const PeriodSource& src, const PeriodScope& scope,
                                        const QString& categoryId,
                                        CategoryNarrowing narrowing = CategoryNarrowing::Lines);
// The products of the categories given, read in one statement, in product-code order.
QVector<PeriodProduct> categoryProducts(data::Db& db, const PeriodSource& src, const PeriodScope& scope,
                                        const QStringList& categoryIds,
                                        CategoryNarrowing narrowing = CategoryNarrowing::Lines);
// The statement it runs; its values are appended to binds.
QString categoryProductsStatement(const PeriodSource& src, const PeriodScope& scope,
                                  const QStringList& categoryIds, QVariantList* binds,
                                  CategoryNarrowing narrowing = CategoryNarrowing::Lines);

struct PeriodCategory {
  QString id;
  QString name;
  // "id.  name", the category list's item.
  QString itemText() const { return id + QStringLiteral(".  ") + name; }
};

// What a show of all products makes of periodProducts.
struct PeriodSummary {
  QVector<PeriodCategory> categories;  // those with a Category row, in id order
  QVector<PeriodProduct> rows;         // the grid's products
  double total = 0;                    // every line of the period, products gone from Product too
};
struct SummaryRules {
  bool rowsNeedCategory = false;  // list only products whose category exists
  bool skipZeroQuantity = true;   // a product whose quantities sum to 0 gets no row
};
PeriodSummary summarize(const QVector<PeriodProduct>& products, const SummaryRules& rules);

// The category id of a category list item: the text before its first full stop.
QString categoryIdOf(const QString& item);

// Deletes the lines of the period in one transaction; returns the rows deleted. Throws
// data::DbError with the database's description.
int deletePeriod(data::Db& db, const PeriodSource& src, const data::DateRange& range);

// The months that have lines, oldest first, as "mm/yyyy".
QStringList periodMonths(data::Db& db, const PeriodSource& src);
// The range of a "mm/yyyy" item (29 February in leap years), or nullopt for any other text.
std::optional<data::DateRange> monthItemRange(const QString& item);
// The range of a year typed as exactly four digits (0001 to 9999), or nullopt.
std::optional<data::DateRange> yearTextRange(const QString& text);

// "##,##0.00#": grouped, two decimals and a third one only when it is not zero.
QString fmtMoneyUpTo3(double v);
// The VAT contained in a VAT-inclusive amount, rate in percent.
double vatPart(double amount, double ratePercent);

}  // namespace reportkit
