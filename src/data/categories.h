#pragma once
// Table Category: the product categories, their texts in lists and combo boxes, and the product
// editor's writes. Ids compare without regard to case.
#include <QString>
#include <QVector>

#include "data/products.h"

namespace data {

struct Category {
  QString CateID;  // as stored
  QString CateName;
};

// Every category, ids in text order.
QVector<Category> allCategories();

// "id. name": a product's category box and the plain category lists.
QString categoryText(const Category& c);
// "id.  name": the choosers whose first item is "All Category".
QString categoryChooserText(const Category& c);

// Adds a category; the id is trimmed first, an empty or existing id writes nothing.
KeyedWrite insertCategory(const Category& c);
// Rewrites the category with id key. A new id carries over to its products in the same
// transaction; an id that another category has is refused.
KeyedWrite updateCategory(const QString& key, const Category& c);
// Deletes the category unless a sale belongs to one of its products; its products keep the id.
Removal deleteCategory(const QString& id);

}  // namespace data
