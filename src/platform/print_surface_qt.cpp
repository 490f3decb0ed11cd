#include "platform/print_surface_qt.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPen>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QTemporaryFile>
#include <optional>

namespace plat {

namespace {

// One pixel of a 96 dpi screen: the width of a ruled line.
constexpr double kLineTwips = 15.0;

// What a job that cannot start, be painted or be sent tells the user. The texts are the program's
// own, in its language: their Thai is in qt_texts_th.ts under this context.
enum class Problem {
  NoneInstalled,
  NoneChosen,
  NotInstalled,
  Unusable,
  NoSpool,
  Ended,
  NotAccepted,
  NoNewPage,
  NotSent
};
const char* const kProblemTexts[] = {
    QT_TRANSLATE_NOOP("plat::Printers", "No printer is installed"),
    QT_TRANSLATE_NOOP("plat::Printers", "No printer is chosen"),
    QT_TRANSLATE_NOOP("plat::Printers", "No printer named %1 is installed"),
    QT_TRANSLATE_NOOP("plat::Printers", "The printer %1 cannot be used"),
    QT_TRANSLATE_NOOP("plat::Printers", "No spool file for the printer %1"),
    QT_TRANSLATE_NOOP("plat::Printers", "The print job has ended"),
    QT_TRANSLATE_NOOP("plat::Printers", "The printer %1 did not accept the job"),
    QT_TRANSLATE_NOOP("plat::Printers", "The printer %1 refused a new page"),
    QT_TRANSLATE_NOOP("plat::Printers", "The job could not be sent to %1"),
};

QString problemText(Problem p, const QString& printer = {}) {
  const QString t = QCoreApplication::translate("plat::Printers", kProblemTexts[static_cast<int>(p)]);
  return t.contains(QLatin1String("%1")) ? t.arg(printer) : t;
}

}  // namespace

QtPrintSurface::QtPrintSurface(std::unique_ptr<QPrinter> printer, QString queue)
    : printer_(std::move(printer)), queue_(std::move(queue)) {}

QtPrintSurface::~QtPrintSurface() {
  // A job neither ended nor killed was given up: it is thrown away.
  if (!finished_) KillDoc();
}

double QtPrintSurface::pxPerTwip() const { return printer_->resolution() / 1440.0; }

double QtPrintSurface::TextWidth(const QString& text) const {
  return QFontMetricsF(font(), printer_.get()).horizontalAdvance(text) / pxPerTwip();
}

double QtPrintSurface::TextHeight(const QString&) const {
  return QFontMetricsF(font(), printer_.get()).height() / pxPerTwip();
}

double QtPrintSurface::ScaleWidth() const { return printer_->width() / pxPerTwip(); }
double QtPrintSurface::ScaleHeight() const { return printer_->height() / pxPerTwip(); }
double QtPrintSurface::PaperLeft() const {
  return printer_->pageLayout().paintRect(QPageLayout::Point).left() * 20;
}

QPainter& QtPrintSurface::painter() {
  if (painter_) return *painter_;
  if (finished_) throw PrintJobError(problemText(Problem::Ended));
  auto p = std::make_unique<QPainter>();
  if (!p->begin(printer_.get()))
    throw PrintJobError(problemText(Problem::NotAccepted, printer_->printerName()));
  QPen pen(Qt::black);
  pen.setWidthF(kLineTwips * pxPerTwip());
  p->setPen(pen);
  painter_ = std::move(p);
  return *painter_;
}

void QtPrintSurface::drawText(double x, double y, const QString& text) {
  QPainter& p = painter();
  const QFont f = font();
  if (p.font() != f) p.setFont(f);
  const double k = pxPerTwip();
  p.drawText(QPointF(x * k, y * k + QFontMetricsF(f, printer_.get()).ascent()), text);
}

void QtPrintSurface::Line(double x1, double y1, double x2, double y2) {
  const double k = pxPerTwip();
  painter().drawLine(QLineF(x1 * k, y1 * k, x2 * k, y2 * k));
}

void QtPrintSurface::NewPage() {
  painter();
  if (!printer_->newPage()) throw PrintJobError(problemText(Problem::NoNewPage, printer_->printerName()));
  setCurrentX(0);
  setCurrentY(0);
}

void QtPrintSurface::EndDoc() {
  if (finished_) return;
  painter();  // a job of no operation is still one empty page
  finished_ = true;
  const bool ended = painter_->end();
  painter_.reset();
  if (!ended) {
    QFile::remove(printer_->outputFileName());
    throw PrintJobError(problemText(Problem::NotSent, printer_->printerName()));
  }
  if (!queue_.isEmpty()) send();
}

void QtPrintSurface::send() {
  // The spool file goes to the queue whole, then is removed whatever the answer.
  const QString spool = printer_->outputFileName();
  QProcess lp;
  lp.start(QStringLiteral("lp"), {QStringLiteral("-d"), queue_, QStringLiteral("-t"), printer_->docName(),
                                  QStringLiteral("--"), spool});
  const bool done =
      lp.waitForFinished(60000) && lp.exitStatus() == QProcess::NormalExit && lp.exitCode() == 0;
  const QString said = QString::fromLocal8Bit(lp.readAllStandardError()).trimmed();
  QFile::remove(spool);
  if (!done) {
    // lp's answer is the print system's text, in its language: kept for the log, not for the user.
    if (!said.isEmpty()) qWarning("lp -d %s: %s", qPrintable(queue_), qPrintable(said));
    throw PrintJobError(problemText(Problem::NotSent, queue_));
  }
}

void QtPrintSurface::KillDoc() {
  if (finished_ && !painter_) return;
  finished_ = true;
  if (painter_) {
    printer_->abort();
    painter_->end();
    painter_.reset();
  }
  // What was painted went no further than the output file: removing it is the whole abort.
  const QString file = printer_->outputFileName();
  if (!file.isEmpty()) QFile::remove(file);
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
    if (error)
      *error = !printerName.isEmpty()              ? problemText(Problem::NotInstalled, printerName)
               : installedPrinterNames().isEmpty() ? problemText(Problem::NoneInstalled)
                                                   : problemText(Problem::NoneChosen);
    return nullptr;
  }
  auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
  if (!printer->isValid()) {
    if (error) *error = problemText(Problem::Unusable, printerName);
    return nullptr;
  }
  printer->setDocName(docName);
  // The queue's page and margins, painted into a spool file of this job.
  const QPageLayout layout = printer->pageLayout();
  const int resolution = printer->resolution();
  QTemporaryFile spool(QDir::tempPath() + QStringLiteral("/pos-print-XXXXXX.pdf"));
  spool.setAutoRemove(false);
  if (!spool.open()) {
    if (error) *error = problemText(Problem::NoSpool, printerName);
    return nullptr;
  }
  printer->setOutputFormat(QPrinter::PdfFormat);
  printer->setOutputFileName(spool.fileName());
  printer->setPageLayout(layout);
  printer->setResolution(resolution);
  return std::make_shared<QtPrintSurface>(std::move(printer), printerName);
}

}  // namespace plat
