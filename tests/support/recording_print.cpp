#include "support/recording_print.h"

#include <QFontMetricsF>

namespace plat {

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

FakePrinters::FakePrinters(QStringList n) : names(std::move(n)) { setPrinters(this); }
FakePrinters::~FakePrinters() { setPrinters(nullptr); }

std::shared_ptr<PrintSurface> FakePrinters::openJob(const QString& printerName, const QString& docName,
                                                    QString* error) {
  if (!failOpen.isEmpty() || !names.contains(printerName)) {
    if (error)
      *error = failOpen.isEmpty() ? QStringLiteral("No printer named %1").arg(printerName) : failOpen;
    return nullptr;
  }
  auto s = makeSurface ? makeSurface() : std::make_shared<RecordingSurface>();
  jobs.push_back({printerName, docName, s});
  return s;
}

}  // namespace plat
