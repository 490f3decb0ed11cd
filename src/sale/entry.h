#pragma once
// The rules of product entry in the code box, kept apart from the window: the quantity prefix,
// the hot-key numbering, the price level and the stock tests.
#include <QString>
#include <optional>

#include "data/products.h"

namespace sale {

// The code box text at Enter: an optional quantity prefix ("3*4711") and the code after it.
struct CodeEntry {
  bool hasPrefix = false;
  int quantity = 0;  // the prefix; 0 when there is none
  QString code;      // the text after the first "*", or the whole text
};

// Splits the box text. nullopt for a prefix that is not a whole number from -32768 to 32767 (empty,
// fractional, letters): such an entry is refused without a word.
std::optional<CodeEntry> parseCodeEntry(const QString& text);

// A quantity box's digits as a number, leading zeros not counted; 99999 for more than nine digits
// (too many for a quantity either way), 0 for none.
qlonglong digitsValue(const QString& digits);

// The quantity a line gets: the prefix when there is one and it is not 0, else the pending one.
int entryQuantity(const CodeEntry& e, int pending);

// The hot-key number (KBID 1 to 68) of a typed character code, or 0 when it is none.
int hotKeyId(int keyAscii);

// The unit price of the customer's price level (the level box text): 2 Price1, 3 Price2, any other
// Price. A level that is not a number counts as level 1.
double unitPriceForLevel(const data::Product& p, const QString& levelText);

enum class StockVerdict { Ok, ReorderPoint, OutOfOrder };
// The test of a quantity being entered against the product's stock and re-order point.
StockVerdict checkEntry(double stock, double quantity, double reorderPoint);
// A merge onto a line already holding lineQuantity: allowed while the stock left stays above -1.
bool mergeAllowed(double stock, double lineQuantity, double quantity);

// A text as a literal in a LIKE pattern ("%", "_" and "\" escaped with "\").
QString likeLiteral(const QString& text);

}  // namespace sale
