#pragma once
// The rows of the stock windows' lists, read from the database: six cells per row, as the grids
// show them. Every list is ordered; a product of a missing category gets an empty heading name and
// a product with no unit an empty unit. Search texts are matched literally ("%", "_" and quotes are
// text). A failure of the database throws data::DbError.
#include <QString>
#include <QStringList>
#include <QVector>

namespace stock {

using ListRows = QVector<QStringList>;

// A database value as the lists show it unformatted: a number as a plain number, NULL as "".
QString rawText(const QVariant& v);

// The stock list: every product by category then code, a heading row ("  ", the category's name)
// before each category's first product; column 5 the product's category id.
ListRows allCategoryStockRows();
// The products of one category by code; column 5 the category id.
ListRows categoryStockRows(const QString& cid);
// The products whose category id, code or name contains text, by code; column 5 the text.
ListRows searchStockRows(const QString& text);
// The products at or below their re-order point, by code; price and quantity formatted; column 5
// the given text. A product without a re-order point is not listed.
ListRows reorderRows(const QString& col5);

// The stock value list: every product by code, valued at its latest purchase price (latest date,
// then time, then the later row). A product never bought shows "0" as price and value and its
// quantity unformatted. total is the sum of the values.
struct ValueList {
  ListRows rows;
  double total = 0;
};
ValueList valueRows(const QString& col5);

// The lot value list: one row per purchase lot, valuing the product's current quantity at the
// lot's cost, unformatted. All categories: by category, code, then purchase date and time, with a
// heading row before each category; column 5 the product's category id.
ListRows allCategoryLotRows();
// The lots of one category's products, oldest purchase first; column 5 the category id.
ListRows categoryLotRows(const QString& cid);
// The search of the lot value list: like searchStockRows, the text taken as typed (untrimmed).
ListRows searchLotRows(const QString& text);

// The category id of a combo item "id.  name": the text before its first full stop.
QString categoryIdOf(const QString& item);

// The first item of the category choosers, which lists every category: its text in the language of
// the screens, and whether a text is it in either language.
QString allCategoryItem();
bool isAllCategoryItem(const QString& text);

}  // namespace stock
