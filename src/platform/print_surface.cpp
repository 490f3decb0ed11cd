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

namespace {
void pushKindImpl(std::vector<RecordingSurface::Op>& ops, RecordingSurface::Op::Kind k) {
  RecordingSurface::Op op;
  op.kind = k;
  ops.push_back(op);
}
// Metrics come in device pixels of the default (96 dpi) device; twips = px * 15 for that.
constexpr double kTwipsPerPx = 15.0;
}  // namespace

double RecordingSurface::TextWidth(const QString& text) const {
  return QFontMetricsF(font()).horizontalAdvance(text) * kTwipsPerPx;
}

double RecordingSurface::TextHeight(const QString&) const {
  return QFontMetricsF(font()).height() * kTwipsPerPx;
}

void RecordingSurface::drawText(double x, double y, const QString& text) {
  Op op;
  op.kind = Op::Text;
  op.x = x;
  op.y = y;
  op.text = text;
  op.font = FontName();
  op.size = FontSize();
  op.bold = FontBold();
  ops.push_back(op);
}

void RecordingSurface::Line(double x1, double y1, double x2, double y2) {
  Op op;
  op.kind = Op::Line;
  op.x = x1;
  op.y = y1;
  op.x2 = x2;
  op.y2 = y2;
  ops.push_back(op);
}

void RecordingSurface::NewPage() {
  pushKindImpl(ops, Op::NewPage);
  setCurrentX(0);
  setCurrentY(0);
}
void RecordingSurface::EndDoc() { pushKindImpl(ops, Op::EndDoc); }
void RecordingSurface::KillDoc() { pushKindImpl(ops, Op::KillDoc); }

QStringList RecordingSurface::texts() const {
  QStringList out;
  for (const auto& o : ops)
    if (o.kind == Op::Text) out << o.text;
  return out;
}

const RecordingSurface::Op* RecordingSurface::find(const QString& t) const {
  for (const auto& o : ops)
    if (o.kind == Op::Text && o.text == t) return &o;
  return nullptr;
}

int RecordingSurface::pages() const {
  int n = 1;
  for (const auto& o : ops)
    if (o.kind == Op::NewPage) ++n;
  return n;
}

}  // namespace plat
