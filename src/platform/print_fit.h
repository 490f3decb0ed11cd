#pragma once
// Fitting the texts of one printed line into their places, measured in the printer's own font. A
// text too wide for its place is drawn smaller, down to kSmallestPrintSize, and only then cut
// between letter clusters; a figure (an amount, a quantity) keeps every digit: it is drawn smaller,
// down to the same size, and past that takes room from the texts beside it. A text drawn smaller
// keeps the baseline it had at its own size.
#include <QString>
#include <QStringList>
#include <vector>

#include "platform/print_surface.h"

namespace plat {

// The smallest size, in points, a text is drawn at when it is drawn smaller to fit.
inline constexpr double kSmallestPrintSize = 7;

// The longest start of text that the surface's current font prints in room twips, cut only between
// letter clusters (a Thai consonant keeps its vowels and tone marks, and a leading vowel its
// consonant).
QString fitWidth(const PrintSurface& s, const QString& text, double room);

// How a text stands at its x: starting there, centred on it, or ending there.
enum class TextAlign { Left, Centre, Right };

// One text of a line. The fitting fills in left, shown, rest, shownSize, dy and lineStep.
struct LineCell {
  // A text that may be cut, and a figure that may not.
  static LineCell words(double x, TextAlign align, const QString& t) { return make(x, align, t, false); }
  static LineCell figure(double x, TextAlign align, const QString& t) { return make(x, align, t, true); }
  static LineCell make(double x, TextAlign align, const QString& t, bool whole) {
    LineCell c;
    c.x = x;
    c.align = align;
    c.text = t;
    c.whole = whole;
    return c;
  }

  double x = 0;
  TextAlign align = TextAlign::Left;
  QString text;
  QString measure;     // when set, placed by the width of this instead of text
  bool whole = false;  // a figure: never cut
  double size = 10;
  bool bold = false;
  // Twips below the line's top the text may fill (a left-aligned text): more than one line's
  // height lets it go on to further lines rather than be drawn smaller or cut.
  double depth = 0;

  double left = 0;
  QString shown;
  QStringList rest;  // the further lines, each lineStep below the one before
  double shownSize = 10;
  double dy = 0;  // how far below the line's top the shown text's top stands (its baseline kept)
  double lineStep = 0;
};

// Fits the cells of one line, all between minX and maxX, none across a divider (a column rule
// crossing the line). Figures come first: each at its place, drawn smaller when it would cross a
// rule or the figure before it, and moved along its line when even the smallest size is too wide.
// Every other text ends a blank before the next text or rule. The surface's font is left as it was.
void fitLine(PrintSurface& s, std::vector<LineCell>& cells, const std::vector<double>& dividers, double minX,
             double maxX);

}  // namespace plat
