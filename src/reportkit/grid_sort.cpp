#include "reportkit/grid_sort.h"

#include <QDate>
#include <algorithm>
#include <numeric>
#include <vector>

#include "platform/flexgrid.h"
#include "platform/numtext.h"

namespace reportkit {

std::optional<double> numericKey(const QString& text, SortKey key) {
  switch (key) {
    case SortKey::Money: {
      const auto v = plat::parseNumber(text);
      if (!v) return std::nullopt;
      return plat::roundTo(*v, 2);
    }
    case SortKey::Number:
    case SortKey::Code:
      return plat::parseNumber(text);
    case SortKey::Date: {
      const QString t = text.trimmed();
      QDate d = QDate::fromString(t, QStringLiteral("d/M/yyyy"));
      if (!d.isValid()) d = QDate::fromString(t, Qt::ISODate);
      if (!d.isValid()) return std::nullopt;
      return static_cast<double>(d.toJulianDay());
    }
    case SortKey::Text:
      return std::nullopt;
  }
  return std::nullopt;
}

void TranVal(plat::FlexGrid& grid, int from, int to) {
  if (from < 0 || to < 0 || from >= grid.Rows() || to >= grid.Rows()) return;
  for (int c = 0; c < grid.Cols(); ++c) grid.setTextMatrix(to, c, grid.TextMatrix(from, c));
}

void GridSortDesc(plat::FlexGrid& grid, int col, SortKey key, int rowCount) {
  const int n = std::clamp(rowCount, 0, grid.Rows());
  const int cols = grid.Cols();
  if (n < 2 || col < 0 || col >= cols) return;

  // Keys read once; a key that does not convert ranks below every key that does.
  struct Key {
    bool ok = false;
    double num = 0;
    QString text;
  };
  std::vector<Key> keys(static_cast<std::size_t>(n));
  for (int r = 0; r < n; ++r) {
    Key& k = keys[static_cast<std::size_t>(r)];
    const QString cell = grid.TextMatrix(r, col);
    if (key == SortKey::Text) {
      k.ok = true;
      k.text = cell;
    } else if (const auto v = numericKey(cell, key)) {
      k.ok = true;
      k.num = *v;
    } else if (key == SortKey::Code) {
      k.text = cell;
    }
  }
  std::vector<int> order(static_cast<std::size_t>(n));
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    const Key& ka = keys[static_cast<std::size_t>(a)];
    const Key& kb = keys[static_cast<std::size_t>(b)];
    if (ka.ok != kb.ok) return ka.ok;
    if (!ka.ok) return key == SortKey::Code && QString::compare(ka.text, kb.text, Qt::CaseSensitive) > 0;
    if (key == SortKey::Text) return QString::compare(ka.text, kb.text, Qt::CaseSensitive) > 0;
    return ka.num > kb.num;
  });
  bool moved = false;
  for (int i = 0; i < n && !moved; ++i) moved = order[static_cast<std::size_t>(i)] != i;
  if (moved) grid.reorderRows(order);
}

}  // namespace reportkit
