#include "platform/print_fit.h"

#include <QFontMetricsF>
#include <QTextBoundaryFinder>
#include <algorithm>
#include <numeric>

namespace plat {

namespace {

// เ แ โ ใ ไ stand before the consonant they are read after: a cut never parts them from it.
bool isLeadingVowel(QChar c) { return c.unicode() >= 0x0E40 && c.unicode() <= 0x0E44; }

// The positions after each letter cluster of text, where it may be cut.
std::vector<qsizetype> clusterEnds(const QString& text) {
  std::vector<qsizetype> ends;
  QTextBoundaryFinder letters(QTextBoundaryFinder::Grapheme, text);
  for (qsizetype at = letters.toNextBoundary(); at > 0; at = letters.toNextBoundary())
    if (at == text.size() || !isLeadingVowel(text[at - 1])) ends.push_back(at);
  return ends;
}

// The positions where a line of text may end: after a blank and, in Thai, between words.
std::vector<qsizetype> lineEnds(const QString& text) {
  std::vector<qsizetype> ends;
  QTextBoundaryFinder breaks(QTextBoundaryFinder::Line, text);
  for (qsizetype at = breaks.toNextBoundary(); at > 0; at = breaks.toNextBoundary()) ends.push_back(at);
  return ends;
}

}  // namespace

QString fitWidth(const PrintSurface& s, const QString& text, double room) {
  if (s.TextWidth(text) <= room) return text;
  QString fit;
  for (qsizetype at : clusterEnds(text)) {
    const QString start = text.left(at);
    if (s.TextWidth(start) > room) break;
    fit = start;
  }
  return fit;
}

namespace {

double smallestFor(const LineCell& c) { return std::min(kSmallestPrintSize, c.size); }

// What a line's fitting measures, each width and height once: the printer's measuring is what the
// fitting costs, and a text that fits is measured only at its own size.
class Measures {
 public:
  explicit Measures(PrintSurface& s) : s_(s) {}

  PrintSurface& surface() { return s_; }

  // The width of c's text (or what places it) at size; c is one of the line's cells.
  double width(const LineCell& c, double size, bool forPlace) {
    const bool byMeasure = forPlace && !c.measure.isNull();
    return remembered(byMeasure ? &c.measure : &c.text, size, c.bold);
  }
  // The width of what c shows, at the size it is shown.
  double shownWidth(const LineCell& c) {
    if (c.shown == c.text) return width(c, c.shownSize, false);
    use(c.shownSize, c.bold);
    return s_.TextWidth(c.shown);
  }
  double blank(const LineCell& c) { return remembered(&blankText(), c.size, c.bold); }
  // One line's height at size.
  double height(double size, bool bold) { return remembered(nullptr, size, bold); }
  void use(double size, bool bold) {
    s_.setFontSize(size);
    s_.setFontBold(bold);
  }

 private:
  static const QString& blankText() {
    static const QString blank = QStringLiteral(" ");
    return blank;
  }
  // Keyed by the text's address (the cells stay put while their line is fitted); a null text is
  // the line's height.
  double remembered(const QString* text, double size, bool bold) {
    for (const Known& k : known_)
      if (k.text == text && k.size == size && k.bold == bold) return k.value;
    use(size, bold);
    const double v = text ? s_.TextWidth(*text) : s_.TextHeight();
    known_.push_back({text, size, bold, v});
    return v;
  }
  struct Known {
    const QString* text;
    double size;
    bool bold;
    double value;
  };
  PrintSurface& s_;
  std::vector<Known> known_;
};

// The largest size, at most c.size and at least the smallest size, at which c (or what places it)
// is no wider than room; the smallest size when none is.
double sizeWithin(Measures& m, const LineCell& c, double room, bool forPlace) {
  const double smallest = smallestFor(c);
  double size = c.size;
  const double w = m.width(c, size, forPlace);
  if (w <= room) return size;
  size = std::max(smallest, room > 0 ? size * room / w : smallest);
  // Widths do not scale exactly with the size (hinting): step down until it fits.
  while (size > smallest && m.width(c, size, forPlace) > room) size = std::max(smallest, size - 0.25);
  return size;
}

double leftOf(Measures& m, const LineCell& c, double size) {
  switch (c.align) {
    case TextAlign::Left:
      return c.x;
    case TextAlign::Centre:
      // Half the width as a whole number, as the positions on paper are whole twips.
      return c.x - static_cast<int>(m.width(c, size, true) / 2);
    case TextAlign::Right:
      return c.x - m.width(c, size, true);
  }
  return c.x;
}

// The height of the font's ascent at size, on the surface: the top of a text printed at a smaller
// size is lowered by the difference so that both stand on one baseline.
double ascentAt(Measures& m, const LineCell& c, double size) {
  const double height = m.height(size, c.bold);
  m.use(size, c.bold);
  const QFontMetricsF f(m.surface().font());
  return f.height() > 0 ? height * f.ascent() / f.height() : 0;
}

// Breaks text into lines no wider than room at the surface's current font, at most maxLines of
// them: at the line's last break opportunity that fits, else between letter clusters. With cut,
// the last line takes what fits of the rest; else false when the text does not fit.
bool wrap(const PrintSurface& s, const QString& text, double room, int maxLines, bool cut,
          QStringList* lines) {
  lines->clear();
  const auto breaks = lineEnds(text);
  const auto clusters = clusterEnds(text);
  qsizetype from = 0;
  while (from < text.size() && static_cast<int>(lines->size()) < maxLines) {
    while (from < text.size() && text[from].isSpace()) ++from;
    if (from >= text.size()) break;
    if (static_cast<int>(lines->size()) == maxLines - 1) {
      const QString tail = text.mid(from);
      if (s.TextWidth(tail) > room && !cut) return false;
      lines->append(fitWidth(s, tail, room));
      return cut || lines->back().size() == tail.size();
    }
    auto piece = [&](qsizetype to) { return text.mid(from, to - from).trimmed(); };
    qsizetype end = from;
    for (qsizetype at : breaks)
      if (at > from && s.TextWidth(piece(at)) <= room) end = at;
    if (end == from)
      for (qsizetype at : clusters)
        if (at > from && s.TextWidth(piece(at)) <= room) end = at;
    if (end == from) return false;
    lines->append(piece(end));
    from = end;
  }
  while (from < text.size() && text[from].isSpace()) ++from;
  return from >= text.size();
}

// Fits a text (not a figure) into room twips from its left: whole at its size when it fits; else
// drawn smaller, on one line or, where depth leaves room, on more at a larger size; and only at the
// smallest size cut between letter clusters.
void fitWords(Measures& m, LineCell& c, double room) {
  c.rest.clear();
  c.shownSize = c.size;
  c.shown = c.text;
  if (m.width(c, c.size, false) <= room) return;
  PrintSurface& s = m.surface();
  const double smallest = smallestFor(c);
  const double one = sizeWithin(m, c, room, false);
  const bool oneFits = m.width(c, one, false) <= room;

  // More lines, each a line's height below the one before, as many as the depth holds; the font
  // is left at size for the wrapping.
  auto linesAt = [&](double size) {
    const double step = m.height(size, c.bold);
    m.use(size, c.bold);
    return step > 0 ? static_cast<int>(c.depth / step) : 0;
  };
  QStringList lines;
  double many = 0;
  const double lowest = oneFits ? one + 0.25 : smallest;
  for (double size = c.size; size >= lowest - 1e-9; size -= 0.25) {
    const int n = linesAt(size);
    if (n < 2) continue;
    if (wrap(s, c.text, room, n, false, &lines)) {
      many = size;
      break;
    }
  }
  if (many > 0) {
    c.shownSize = many;
  } else if (oneFits) {
    c.shownSize = one;
    return;
  } else {
    c.shownSize = smallest;
    const int n = linesAt(smallest);
    if (n < 2 || !wrap(s, c.text, room, n, true, &lines)) lines = {fitWidth(s, c.text, room)};
  }
  c.shown = lines.value(0);
  c.rest = lines.mid(1);
}

}  // namespace

void fitLine(PrintSurface& s, std::vector<LineCell>& cells, const std::vector<double>& dividers, double minX,
             double maxX) {
  const double savedSize = s.FontSize();
  const bool savedBold = s.FontBold();
  Measures m(s);
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

  // Figures, left to right.
  std::vector<size_t> figures;
  double lastEnd = minX;
  for (size_t i : order) {
    LineCell& c = cells[i];
    if (!c.whole) continue;
    const bool endsAtX = c.align == TextAlign::Right;
    double lo = ruleBefore(c.x, endsAtX);
    if (!figures.empty()) lo = std::max(lo, lastEnd + m.blank(c));
    double hi = ruleAfter(c.x, endsAtX);
    // A text starting further on keeps its place: this one keeps its own and is drawn smaller to
    // end before it. Against a rule or the edge it may move left into the room there.
    bool keepX = false;
    if (!endsAtX)
      for (const LineCell& o : cells)
        if (o.align == TextAlign::Left && o.x > c.x && o.x - m.blank(c) < hi) {
          hi = o.x - m.blank(c);
          keepX = c.align == TextAlign::Left;
        }
    c.shown = c.text;
    c.rest.clear();
    if (c.align == TextAlign::Right) {
      c.shownSize = sizeWithin(m, c, c.x - lo, true);
      c.left = leftOf(m, c, c.shownSize);
    } else if (keepX) {
      c.shownSize = sizeWithin(m, c, hi - c.x, false);
      c.left = c.x;
    } else {
      c.shownSize = sizeWithin(m, c, hi - lo, false);
      const double w = m.width(c, c.shownSize, false);
      c.left = std::clamp(leftOf(m, c, c.shownSize), lo, std::max(lo, hi - w));
    }
    // Too wide even at the smallest size: it starts no earlier than the room it has and runs on
    // over what follows (a text there gives way; a figure there moves on).
    c.left = std::max(c.left, lo);
    lastEnd = c.left + m.width(c, c.shownSize, false);
    figures.push_back(i);
  }
  // A figure pushed past its column's rule or the edge moves back left, and the figures before it
  // with it, as far as their own rules let them.
  double limit = maxX;
  for (auto k = figures.rbegin(); k != figures.rend(); ++k) {
    LineCell& c = cells[*k];
    const bool endsAtX = c.align == TextAlign::Right;
    const double w = m.width(c, c.shownSize, false);
    const double end = std::min(limit, ruleAfter(c.x, endsAtX));
    if (c.left + w > end) c.left = std::max(ruleBefore(c.x, endsAtX), end - w);
    limit = c.left - m.blank(c);
  }

  // The texts give way: each ends a blank before whatever follows it.
  for (size_t k = 0; k < order.size(); ++k) {
    LineCell& c = cells[order[k]];
    if (c.whole) continue;
    const double gap = m.blank(c);
    double hi = ruleAfter(c.x, false);
    double lo = ruleBefore(c.x, false);
    double figureEnd = minX;  // the end of a figure standing before this text
    for (const LineCell& o : cells) {
      if (&o == &c) continue;
      const double start = o.whole ? o.left : o.x;
      if (o.x > c.x || (o.whole && start > c.x)) hi = std::min(hi, start);
      if (o.x <= c.x && o.whole && start <= c.x)
        figureEnd = std::max(figureEnd, o.left + m.width(o, o.shownSize, false));
    }
    lo = std::max(lo, figureEnd);
    if (c.align == TextAlign::Centre) {
      const double half = std::max(0.0, std::min(c.x - lo - gap, hi - gap - c.x));
      fitWords(m, c, 2 * half);
      c.left = c.x - static_cast<int>(m.shownWidth(c) / 2);
    } else {
      // A figure reaching past this text's place pushes it on, a blank after the figure.
      c.left = figureEnd > c.x - gap && figureEnd > minX ? figureEnd + gap : leftOf(m, c, c.size);
      fitWords(m, c, hi - gap - c.left);
    }
  }

  for (LineCell& c : cells) {
    c.dy = c.shownSize < c.size ? ascentAt(m, c, c.size) - ascentAt(m, c, c.shownSize) : 0;
    c.lineStep = m.height(c.shownSize, c.bold);
  }
  s.setFontSize(savedSize);
  s.setFontBold(savedBold);
}

}  // namespace plat
