#pragma once
// Fitting the texts of one printed line into their places, measured in the printer's own font: a
// text is cut between letters where its column ends, and a figure (an amount, a quantity) keeps
// every digit, drawn a little smaller when its column is too narrow for it.
#include <QString>
#include <vector>

#include "platform/print_surface.h"

namespace plat {

// The longest start of text, cut between letters (never inside one), that the surface's current
// font prints in room twips.
QString fitWidth(const PrintSurface& s, const QString& text, double room);

// How a text stands at its x: starting there, centred on it, or ending there.
enum class TextAlign { Left, Centre, Right };

// One text of a line. The fitting fills in left, shown and shownSize.
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

  double left = 0;
  QString shown;
  double shownSize = 10;
};

// Fits the cells of one line, all between minX and maxX, none across a divider (a column rule
// crossing the line). Figures come first: each at its place, drawn smaller when it would cross a
// rule or the figure before it. Every other text ends a blank before the next text or rule and is
// cut there. The surface's font is left as it was.
void fitLine(PrintSurface& s, std::vector<LineCell>& cells, const std::vector<double>& dividers, double minX,
             double maxX);

}  // namespace plat
