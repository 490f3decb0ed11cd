#pragma once
// Table settingkb: the product bound to each of the 68 hot keys (KBID 1 to 34 the unshifted
// characters of the three letter rows, 35 to 68 the same keys shifted). The 68 rows come with the
// database; only their PID is ever written.
#include <QSet>
#include <QString>
#include <optional>

namespace sale {

constexpr int kHotKeys = 34;  // keys on the board; each has two key numbers

// The character of hot key i (0 to 33) unshifted or shifted: "q" and "Q" for key 0.
QString hotKeyChar(int i, bool shifted);
// The character of number-row key i (0 to 12) unshifted or shifted: "," and "~" for key 0.
QString numberRowChar(int i, bool shifted);

// The PID of key number kbid ("" when unbound), or nullopt when the table has no such row.
// Throws data::DbError when the table cannot be read.
std::optional<QString> hotKeyProduct(int kbid);
// The key numbers that have a product.
QSet<int> boundHotKeys();
// Stores pid on key number kbid exactly as given (an empty text unbinds). False when the table
// has no such row: nothing is written then. Throws data::DbError when the update fails.
bool bindHotKey(int kbid, const QString& pid);

}  // namespace sale
