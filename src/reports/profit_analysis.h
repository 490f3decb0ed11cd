#pragma once
// The figures of the profit analysis: per product, the income of its sales between two dates, their
// cost at the product's latest purchase price, the profit and its percentage of the cost. Each show
// is a few grouped statements over the whole range, never one statement per sale line.
#include <QDate>
#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>

#include "reportkit/period_query.h"

namespace reports {

struct ProfitRow {
  QString pid;
  QString name;
  double income = 0;
  double cost = 0;
  // The latest unit purchase price used for the cost; 0 when the product had no sale in the range.
  double unitPrice = 0;

  double profit() const { return income - cost; }
  // Profit as a percentage of the cost; 0 when the cost is 0 (never bought, or bought at 0).
  double percent() const;
};

// Every product, by code, with its figures (products without sales show zeros).
QVector<ProfitRow> profitOfAllProducts(const QDate& from, const QDate& to);
// The one statement behind it (the first and last day bound as ISO dates), for the benchmark.
QString allProductsStatement();
// The products ever bought of each category id given, category by category in the order given,
// products by code within one, read in one statement; a category with no bought product adds
// nothing.
QVector<ProfitRow> profitOfCategories(
    const QStringList& categoryIds, const QDate& from, const QDate& to,
    reportkit::CategoryNarrowing narrowing = reportkit::CategoryNarrowing::Lines);
// The one statement behind it for that many categories: the dates, then the ids bound (twice when
// it narrows the lines).
QString categoriesStatement(int count,
                            reportkit::CategoryNarrowing narrowing = reportkit::CategoryNarrowing::Lines);

// The seven grid cells of a row: code, name, income, cost, profit (plain numbers), the percent,
// and column 6 (empty after Show All, the unit price after Show).
enum class ProfitShow { All, Categories };
QStringList profitCells(const ProfitRow& r, ProfitShow show);

struct ProfitSums {
  double income = 0;
  double cost = 0;
  double profit = 0;
};
ProfitSums profitSums(const QVector<ProfitRow>& rows);

// What the purchase-price editor is opened with: the product of the row clicked, its name for the
// caption, and the price its box starts from (the row's unit price after Show, empty after Show
// All).
struct PriceForEdit {
  QString pid;
  QString name;
  QString price;
};
PriceForEdit priceForEdit(const ProfitRow& r, ProfitShow show);

// The purchase price typed into the price editor: digits with at most one point, at least one
// digit, finite and not negative. Anything else is nullopt.
std::optional<double> parsePurchasePrice(const QString& text);
// Rewrites the unit cost of every purchase line of the product; returns the lines changed.
int setPurchasePrice(const QString& pid, double price);

}  // namespace reports
