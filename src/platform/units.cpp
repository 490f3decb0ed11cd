#include "platform/units.h"

#include <QFontDatabase>
#include <algorithm>
#include <vector>

namespace plat {
QFont captionFont(double pointSize, bool bold) {
  // The default sans font; Thai glyphs come from the installed Thai fonts by fallback.
  QFont f = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
  f.setPointSizeF(pointSize);
  f.setBold(bold);
  return f;
}

int widestLinePx(const QStringList& lines, const QFontMetrics& fm) {
  constexpr int kTabStop = 80;  // the text layout's default
  constexpr qsizetype kLaidOut = 16;
  // Advances of the characters below U+1000 (Latin and Thai), looked up as they first appear.
  std::vector<int> advance(0x1000, -1);
  auto estimate = [&](const QString& l) {
    int w = 0;
    for (const QChar c : l) {
      const char16_t u = c.unicode();
      if (u >= advance.size()) {
        w += fm.horizontalAdvance(c);
        continue;
      }
      if (advance[u] < 0) advance[u] = fm.horizontalAdvance(c);
      w += advance[u] + (u == u'\t' ? kTabStop : 0);
    }
    return w;
  };
  std::vector<std::pair<int, qsizetype>> ranked;
  ranked.reserve(lines.size());
  for (qsizetype i = 0; i < lines.size(); ++i) ranked.emplace_back(estimate(lines[i]), i);
  const auto top = ranked.begin() + std::min(kLaidOut, static_cast<qsizetype>(ranked.size()));
  std::partial_sort(ranked.begin(), top, ranked.end(), std::greater<>());
  int widest = 0;
  for (auto it = ranked.begin(); it != top; ++it) {
    const QString& l = lines[it->second];
    widest =
        std::max(widest, fm.horizontalAdvance(l) + static_cast<int>(l.count(QLatin1Char('\t'))) * kTabStop);
  }
  return widest;
}

}  // namespace plat
