#include "platform/print_surface_qt.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPen>
#include <QPrinter>
#include <QPrinterInfo>
#include <optional>

namespace plat {

struct QtPrintSurface::Op {
  enum Kind { Text, Line, NewPage } kind = Text;
  double x = 0, y = 0, x2 = 0, y2 = 0;
  QString text;
  QFont font;
};

namespace {

// One pixel of a 96 dpi screen: the width of a ruled line.
constexpr double kLineTwips = 15.0;

}  // namespace

QtPrintSurface::QtPrintSurface(std::unique_ptr<QPrinter> printer) : printer_(std::move(printer)) {}

QtPrintSurface::~QtPrintSurface() = default;

double QtPrintSurface::pxPerTwip() const { return printer_->resolution() / 1440.0; }

double QtPrintSurface::TextWidth(const QString& text) const {
  return QFontMetricsF(font(), printer_.get()).horizontalAdvance(text) / pxPerTwip();
}

double QtPrintSurface::TextHeight(const QString&) const {
  return QFontMetricsF(font(), printer_.get()).height() / pxPerTwip();
}

double QtPrintSurface::ScaleWidth() const { return printer_->width() / pxPerTwip(); }
double QtPrintSurface::ScaleHeight() const { return printer_->height() / pxPerTwip(); }

void QtPrintSurface::drawText(double x, double y, const QString& text) {
  Op op;
  op.kind = Op::Text;
  op.x = x;
  op.y = y;
  op.text = text;
  op.font = font();
  ops_.push_back(std::move(op));
}

void QtPrintSurface::Line(double x1, double y1, double x2, double y2) {
  Op op;
  op.kind = Op::Line;
  op.x = x1;
  op.y = y1;
  op.x2 = x2;
  op.y2 = y2;
  ops_.push_back(std::move(op));
}

void QtPrintSurface::NewPage() {
  Op op;
  op.kind = Op::NewPage;
  ops_.push_back(std::move(op));
  setCurrentX(0);
  setCurrentY(0);
}

void QtPrintSurface::EndDoc() {
  if (finished_) return;
  finished_ = true;
  const double k = pxPerTwip();
  QPainter p;
  if (!p.begin(printer_.get()))
    throw PrintJobError(QStringLiteral("The printer %1 did not accept the job").arg(printer_->printerName()));
  QPen pen(Qt::black);
  pen.setWidthF(kLineTwips * k);
  p.setPen(pen);
  for (const Op& op : ops_) {
    switch (op.kind) {
      case Op::Text: {
        p.setFont(op.font);
        const QFontMetricsF fm(op.font, printer_.get());
        p.drawText(QPointF(op.x * k, op.y * k + fm.ascent()), op.text);
        break;
      }
      case Op::Line:
        p.drawLine(QLineF(op.x * k, op.y * k, op.x2 * k, op.y2 * k));
        break;
      case Op::NewPage:
        if (!printer_->newPage()) {
          printer_->abort();
          p.end();
          throw PrintJobError(
              QStringLiteral("The printer %1 refused a new page").arg(printer_->printerName()));
        }
        break;
    }
  }
  ops_.clear();
  if (!p.end())
    throw PrintJobError(QStringLiteral("The job could not be sent to %1").arg(printer_->printerName()));
}

void QtPrintSurface::KillDoc() {
  // Nothing was painted yet: dropping the operations is the whole abort.
  ops_.clear();
  finished_ = true;
}

// ---- printers ----

namespace {
std::optional<QString>& chosenPrinter() {
  static std::optional<QString> name;
  return name;
}
CupsPrinters& cupsPrinters() {
  static CupsPrinters p;
  return p;
}
Printers*& installedPrinters() {
  static Printers* p = nullptr;
  return p;
}
}  // namespace

QStringList installedPrinterNames() { return QPrinterInfo::availablePrinterNames(); }

QString currentPrinter() {
  if (chosenPrinter()) return *chosenPrinter();
  return QPrinterInfo::defaultPrinterName();
}

void setCurrentPrinter(const QString& name) { chosenPrinter() = name; }

Printers& printers() { return installedPrinters() ? *installedPrinters() : cupsPrinters(); }
void setPrinters(Printers* p) { installedPrinters() = p; }

QStringList CupsPrinters::installed() { return installedPrinterNames(); }

std::shared_ptr<PrintSurface> CupsPrinters::openJob(const QString& printerName, const QString& docName,
                                                    QString* error) {
  const QPrinterInfo info = QPrinterInfo::printerInfo(printerName);
  if (info.isNull()) {
    if (error) *error = QStringLiteral("No printer named %1 is installed").arg(printerName);
    return nullptr;
  }
  auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
  if (!printer->isValid()) {
    if (error) *error = QStringLiteral("The printer %1 cannot be used").arg(printerName);
    return nullptr;
  }
  printer->setDocName(docName);
  return std::make_shared<QtPrintSurface>(std::move(printer));
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
