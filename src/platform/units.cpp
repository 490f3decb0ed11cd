#include "platform/units.h"

#include <QFontDatabase>

namespace plat {
QFont captionFont(double pointSize, bool bold) {
  // The default sans font; Thai glyphs come from the installed Thai fonts by fallback.
  QFont f = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
  f.setPointSizeF(pointSize);
  f.setBold(bold);
  return f;
}
}  // namespace plat
