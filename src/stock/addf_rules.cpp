#include "stock/addf_rules.h"

#include <cmath>
#include <utility>

#include "platform/numtext.h"

namespace stock {

int filterKey(KeyRule rule, int keyAscii) {
  if (keyAscii <= 26) return keyAscii;
  const bool digit = keyAscii >= '0' && keyAscii <= '9';
  switch (rule) {
    case KeyRule::NoStop:
      return keyAscii == '.' ? 0 : keyAscii;
    case KeyRule::Price:
      return digit || keyAscii == '.' || keyAscii == '-' ? keyAscii : 0;
    case KeyRule::Digits:
      return digit ? keyAscii : 0;
    case KeyRule::Any:
      break;
  }
  return keyAscii;
}

std::optional<double> priceValue(const QString& text) {
  int i = 0;
  if (text.startsWith(u'-')) i = 1;
  int digits = 0;
  int stops = 0;
  for (; i < text.size(); ++i) {
    const QChar c = text.at(i);
    if (c >= u'0' && c <= u'9')
      ++digits;
    else if (c == u'.' && ++stops <= 1)
      continue;
    else
      return std::nullopt;
  }
  if (digits == 0) return std::nullopt;
  bool ok = false;
  const double v = text.toDouble(&ok);  // C locale: "." is the decimal point
  if (!ok) return std::nullopt;
  return v;
}

namespace {
bool digitsOnly(const QString& text) {
  if (text.isEmpty()) return false;
  for (const QChar c : text)
    if (c < u'0' || c > u'9') return false;
  return true;
}

EntryCheck refusal(EntryCheck::Verdict verdict, const char* box, plat::Ceiling kind = plat::Ceiling::Money) {
  EntryCheck out;
  out.verdict = verdict;
  out.badField = QString::fromLatin1(box);
  out.ceiling = kind;
  return out;
}
}  // namespace

std::optional<qint64> wholeValue(const QString& text) {
  if (!digitsOnly(text)) return std::nullopt;
  bool ok = false;
  const qint64 v = text.toLongLong(&ok);
  if (!ok) return std::nullopt;
  return v;
}

EntryCheck checkEntry(const ProductEntry& e) {
  EntryCheck out;
  // A code of blanks alone is no code.
  for (const QString* box : {&e.code, &e.name, &e.price, &e.noun, &e.poOrder, &e.price1, &e.price2})
    if (box->isEmpty() || (box == &e.code && box->trimmed().isEmpty())) {
      out.verdict = EntryCheck::Verdict::EmptyField;
      return out;
    }
  if (!e.cid) {
    out.verdict = EntryCheck::Verdict::NoCategory;
    return out;
  }
  const std::pair<const QString*, const char*> prices[] = {
      {&e.price, "txtPrice"}, {&e.price1, "txtPrice1"}, {&e.price2, "txtPrice2"}};
  double values[3] = {0, 0, 0};
  for (int i = 0; i < 3; ++i) {
    const auto v = priceValue(*prices[i].first);
    if (!v) return refusal(EntryCheck::Verdict::BadNumber, prices[i].second);
    // Negative prices are kept; a minus before a scanned code is refused as the code itself.
    if (plat::aboveCeiling(std::abs(*v), plat::Ceiling::Money))
      return refusal(EntryCheck::Verdict::OverCeiling, prices[i].second);
    values[i] = *v;
  }
  const auto point = wholeValue(e.poOrder);
  // Digits too many to count are past the ceiling as well.
  if (!point && !digitsOnly(e.poOrder)) return refusal(EntryCheck::Verdict::BadNumber, "txtPoOrder");
  if (!point || plat::aboveCeiling(static_cast<double>(*point), plat::Ceiling::Quantity))
    return refusal(EntryCheck::Verdict::OverCeiling, "txtPoOrder", plat::Ceiling::Quantity);
  out.product.PId = e.code.trimmed();
  out.product.PName = e.name;
  out.product.Price = values[0];
  out.product.Price1 = values[1];
  out.product.Price2 = values[2];
  out.product.Quantity = 0;
  out.product.CID = *e.cid;
  out.product.ProNoun = e.noun;
  out.product.PoOrder = *point;
  return out;
}

GridRow headingRow(const QString& cateName) {
  GridRow r;
  r.heading = true;
  r.cells = QStringList{QStringLiteral("  "), cateName};
  while (r.cells.size() < 11) r.cells << QString();
  return r;
}

GridRow productRow(const data::Product& p, const QString& cid, const QString& cateName) {
  GridRow r;
  r.key = p.PId;
  // Prices and numbers as the database holds them, without grouping or fixed decimals.
  r.cells = QStringList{p.PId,
                        p.PName,
                        plat::plainNumber(p.Price),
                        plat::plainNumber(p.Quantity),
                        p.ProNoun,
                        cid,
                        plat::plainNumber(p.Price1),
                        plat::plainNumber(p.Price2),
                        plat::wholeNumber(p.PoOrder),
                        cateName,
                        QString()};
  return r;
}

void CategoryGrouping::add(const data::ListedProduct& lp, QVector<GridRow>& rows) {
  // Category ids compare without regard to case, as the database groups them.
  if (first_ || QString::compare(lp.product.CID, current_, Qt::CaseInsensitive) != 0) {
    first_ = false;
    current_ = lp.product.CID;
    rows.push_back(headingRow(lp.CateName));
  }
  rows.push_back(productRow(lp.product, lp.product.CID, lp.CateName));
}

QVector<GridRow> allCategoryRows(const QVector<data::ListedProduct>& products) {
  QVector<GridRow> rows;
  CategoryGrouping grouping;
  for (const data::ListedProduct& lp : products) grouping.add(lp, rows);
  return rows;
}

QVector<GridRow> oneCategoryRows(const QVector<data::Product>& products, const QString& cid,
                                 const QString& cateName) {
  QVector<GridRow> rows;
  rows.reserve(products.size());
  for (const data::Product& p : products) rows.push_back(productRow(p, cid, cateName));
  return rows;
}

QVector<GridRow> searchRows(const QVector<data::ListedProduct>& products) {
  QVector<GridRow> rows;
  rows.reserve(products.size());
  for (const data::ListedProduct& lp : products)
    rows.push_back(productRow(lp.product, lp.product.CID, lp.CateName));
  return rows;
}

}  // namespace stock
