#pragma once
// The one sort of the report grids: by a column, largest first, stable (equal keys keep their
// order), whole rows moving together. Keys that do not convert under the key rule rank lowest and
// keep their order among themselves. Only rows 0 .. rowCount-1 that exist in the grid take part.
#include <QString>
#include <optional>

namespace plat {
class FlexGrid;
}

namespace reportkit {

enum class SortKey {
  Money,   // the number rounded to 2 decimals ("1,234.50" is 1234.5; 10.004 equals 10.001)
  Number,  // the number as it stands
  Date,    // a dd/MM/yyyy date
  Text,    // the text, compared character code by character code
  Code,    // codes and ids: numbers by value ("0012" equals "12") above every other text, the other
           // texts by character code
};

// Sorts rows 0 .. min(rowCount, grid.Rows()) - 1 of grid by column col, descending.
void GridSortDesc(plat::FlexGrid& grid, int col, SortKey key, int rowCount);

// Copies every cell of row from over row to (row from unchanged).
void TranVal(plat::FlexGrid& grid, int from, int to);

// The key of a cell text under a rule, for tests and callers that sort their own rows;
// nullopt when it does not convert. Text keys compare as QString (UTF-16 code units).
std::optional<double> numericKey(const QString& text, SortKey key);

}  // namespace reportkit
