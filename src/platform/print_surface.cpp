#include "platform/print_surface.h"

#include <QFont>
#include <QFontMetricsF>

namespace plat {

void PrintSurface::Print(const QString& text) {
  drawText(x_, y_, text);
  x_ = 0;
  y_ += TextHeight(text.isEmpty() ? QStringLiteral("X") : text);
}

void PrintSurface::NewLine() { Print(QString()); }

QFont PrintSurface::font() const {
  QFont f(fontName_.isEmpty() ? QStringLiteral("Sans") : fontName_);
  f.setPointSizeF(fontSize_ > 0 ? fontSize_ : 8.25);
  f.setBold(fontBold_);
  return f;
}

void PrintAt(PrintSurface& p, double x, double y, const QString& s) {
  p.setCurrentX(x);
  p.setCurrentY(y);
  p.Print(s);
}

}  // namespace plat
