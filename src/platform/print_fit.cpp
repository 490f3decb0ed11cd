#include "platform/print_fit.h"

#include <QTextBoundaryFinder>
#include <algorithm>
#include <numeric>

namespace plat {

QString fitWidth(const PrintSurface& s, const QString& text, double room) {
  if (s.TextWidth(text) <= room) return text;
  QTextBoundaryFinder letters(QTextBoundaryFinder::Grapheme, text);
  QString fit;
  for (qsizetype at = letters.toNextBoundary(); at > 0; at = letters.toNextBoundary()) {
    const QString start = text.left(at);
    if (s.TextWidth(start) > room) break;
    fit = start;
  }
  return fit;
}

namespace {

constexpr double kSmallestSize = 1;

double width(PrintSurface& s, const LineCell& c, double size, bool forPlace) {
  s.setFontSize(size);
  s.setFontBold(c.bold);
  return s.TextWidth(forPlace && !c.measure.isNull() ? c.measure : c.text);
}

// The largest size, at most c.size, at which c (or what places it) is no wider than room.
double sizeWithin(PrintSurface& s, const LineCell& c, double room, bool forPlace) {
  double size = c.size;
  double w = width(s, c, size, forPlace);
  if (w <= room) return size;
  size = std::max(kSmallestSize, room > 0 ? size * room / w : kSmallestSize);
  // Widths do not scale exactly with the size (hinting): step down until it fits.
  while (size > kSmallestSize && width(s, c, size, forPlace) > room)
    size = std::max(kSmallestSize, size - 0.25);
  return size;
}

double leftOf(PrintSurface& s, const LineCell& c, double size) {
  switch (c.align) {
    case TextAlign::Left:
      return c.x;
    case TextAlign::Centre:
      // Half the width as a whole number, as the positions on paper are whole twips.
      return c.x - static_cast<int>(width(s, c, size, true) / 2);
    case TextAlign::Right:
      return c.x - width(s, c, size, true);
  }
  return c.x;
}

}  // namespace

void fitLine(PrintSurface& s, std::vector<LineCell>& cells, const std::vector<double>& dividers, double minX,
             double maxX) {
  const double savedSize = s.FontSize();
  const bool savedBold = s.FontBold();
  std::vector<size_t> order(cells.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return cells[a].x < cells[b].x; });

  // The rules either side of x: a right-aligned text's column ends at x, so a rule there is its own.
  auto ruleBefore = [&](double x, bool endsAtX) {
    double lo = minX;
    for (double d : dividers)
      if (d <= x && (!endsAtX || d < x)) lo = std::max(lo, d);
    return lo;
  };
  auto ruleAfter = [&](double x, bool endsAtX) {
    double hi = maxX;
    for (double d : dividers)
      if (d > x || (endsAtX && d == x)) hi = std::min(hi, d);
    return hi;
  };
  auto blank = [&](const LineCell& c) {
    s.setFontSize(c.size);
    s.setFontBold(c.bold);
    return s.TextWidth(QStringLiteral(" "));
  };

  // Figures, left to right.
  double lastEnd = minX;
  bool any = false;
  for (size_t i : order) {
    LineCell& c = cells[i];
    if (!c.whole) continue;
    const bool endsAtX = c.align == TextAlign::Right;
    double lo = ruleBefore(c.x, endsAtX);
    if (any) lo = std::max(lo, lastEnd + blank(c));
    double hi = ruleAfter(c.x, endsAtX);
    // A text starting further on keeps its place: this one keeps its own and is drawn smaller to
    // end before it. Against a rule or the edge it may move left into the room there.
    bool keepX = false;
    if (!endsAtX)
      for (const LineCell& o : cells)
        if (o.align == TextAlign::Left && o.x > c.x && o.x - blank(c) < hi) {
          hi = o.x - blank(c);
          keepX = c.align == TextAlign::Left;
        }
    c.shown = c.text;
    if (c.align == TextAlign::Right) {
      c.shownSize = sizeWithin(s, c, c.x - lo, true);
      c.left = leftOf(s, c, c.shownSize);
    } else if (keepX) {
      c.shownSize = sizeWithin(s, c, hi - c.x, false);
      c.left = c.x;
    } else {
      c.shownSize = sizeWithin(s, c, hi - lo, false);
      const double w = width(s, c, c.shownSize, false);
      c.left = std::clamp(leftOf(s, c, c.shownSize), lo, std::max(lo, hi - w));
    }
    lastEnd = c.left + width(s, c, c.shownSize, false);
    any = true;
  }

  // The texts give way: each ends a blank before whatever follows it.
  for (size_t k = 0; k < order.size(); ++k) {
    LineCell& c = cells[order[k]];
    if (c.whole) continue;
    c.shownSize = c.size;
    const double gap = blank(c);
    double hi = ruleAfter(c.x, false);
    double lo = ruleBefore(c.x, false);
    double figureEnd = minX;  // the end of a figure standing before this text
    for (const LineCell& o : cells) {
      if (&o == &c) continue;
      const double start = o.whole ? o.left : o.x;
      if (o.x > c.x || (o.whole && start > c.x)) hi = std::min(hi, start);
      if (o.x <= c.x && o.whole && start <= c.x)
        figureEnd = std::max(figureEnd, o.left + width(s, o, o.shownSize, false));
    }
    lo = std::max(lo, figureEnd);
    s.setFontSize(c.size);
    s.setFontBold(c.bold);
    if (c.align == TextAlign::Centre) {
      const double half = std::max(0.0, std::min(c.x - lo - gap, hi - gap - c.x));
      c.shown = fitWidth(s, c.text, 2 * half);
      c.left = c.x - static_cast<int>(s.TextWidth(c.shown) / 2);
    } else {
      // A figure reaching past this text's place pushes it on, a blank after the figure.
      c.left = figureEnd > c.x - gap && figureEnd > minX ? figureEnd + gap : leftOf(s, c, c.size);
      c.shown = fitWidth(s, c.text, hi - gap - c.left);
    }
  }
  s.setFontSize(savedSize);
  s.setFontBold(savedBold);
}

}  // namespace plat
