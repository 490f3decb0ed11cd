#pragma once
// Twips (1440 per inch, 15 per pixel at 96 dpi) and colours written as &H00BBGGRR.
#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QRect>
#include <QStringList>
#include <initializer_list>

class QAbstractScrollArea;
class QWidget;

namespace plat {
constexpr int kTwipsPerPixel = 15;
inline int twipsToPx(double twips) {
  return static_cast<int>(twips / kTwipsPerPixel + (twips >= 0 ? 0.5 : -0.5));
}
inline double pxToTwips(double px) { return px * kTwipsPerPixel; }
// A control's place given in twips, in pixels.
inline QRect twipsRect(int left, int top, int width, int height) {
  return QRect(twipsToPx(left), twipsToPx(top), twipsToPx(width), twipsToPx(height));
}
inline QRect twipsRect(const QRect& twips) {
  return twipsRect(twips.x(), twips.y(), twips.width(), twips.height());
}
// 0x00BBGGRR to a colour: 0x00A56E3A is RGB(58,110,165).
inline QColor bgr(quint32 v) { return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF); }
// The forms' background colour and the font of their captions.
inline QColor formBackground() { return bgr(0x00A56E3A); }
QFont captionFont(double pointSize = 8.25, bool bold = false);
// The width in pixels of the widest of lines, each tab counted one tab stop (80 pixels) wider.
// Lines are ranked by their characters' own advances and only the widest few are laid out, so a
// list of tens of thousands of lines is sized without shaping each one.
int widestLinePx(const QStringList& lines, const QFontMetrics& fm);
// Widens list so a text textPx wide fits beside its frame, scroll bar and item margins, and moves
// the widgets right of it by as much; returns how much wider it became (0 when the text fitted).
// Built with the platform's windows (list_width.cpp).
int widenListFor(QAbstractScrollArea* list, int textPx, std::initializer_list<QWidget*> rightOfIt);
}  // namespace plat
