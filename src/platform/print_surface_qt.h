#pragma once
// The printers of this computer (the CUPS queues) and the print surface that paints on one of them.
// A job is painted page by page as it is laid out, into a spool file that only EndDoc hands to the
// queue, so a job of any length holds one page at a time and KillDoc leaves nothing on the printer.
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

#include "platform/print_surface.h"

class QPainter;
class QPrinter;

namespace plat {

// A print job that could not be started, painted or sent.
class PrintJobError : public std::runtime_error {
 public:
  explicit PrintJobError(const QString& what) : std::runtime_error(what.toStdString()) {}
};

class QtPrintSurface : public PrintSurface {
 public:
  // A job painted on printer. With a queue, printer writes a PDF spool file that EndDoc sends to that
  // CUPS queue; without one, printer's own output is the job (a PDF file in tests and benchmarks).
  explicit QtPrintSurface(std::unique_ptr<QPrinter> printer, QString queue = {});
  ~QtPrintSurface() override;

  double TextWidth(const QString& text) const override;
  double TextHeight(const QString& text = QStringLiteral("X")) const override;
  double ScaleWidth() const override;
  double ScaleHeight() const override;
  double PaperLeft() const override;
  void Line(double x1, double y1, double x2, double y2) override;
  void NewPage() override;
  // Ends the job and sends it; throws PrintJobError when the printer refuses it.
  void EndDoc() override;
  void KillDoc() override;

  QPrinter& printer() { return *printer_; }

 protected:
  void drawText(double x, double y, const QString& text) override;

 private:
  double pxPerTwip() const;
  // The painter on the job, begun at the first operation.
  QPainter& painter();
  void send();
  std::unique_ptr<QPrinter> printer_;
  std::unique_ptr<QPainter> painter_;
  QString queue_;
  bool finished_ = false;
};

// The names of the installed printers (CUPS queues), in the print system's order.
QStringList installedPrinterNames();
// The program's current printer: the one chosen last this session, at first the system's default.
// Choosing one never changes the system's default printer.
QString currentPrinter();
void setCurrentPrinter(const QString& name);

// Where documents go: the installed printers and a new job on one of them. The program uses the
// CUPS queues; tests install their own.
class Printers {
 public:
  virtual ~Printers() = default;
  virtual QStringList installed() = 0;
  // A new job on the named printer titled docName, or nullptr with *error.
  virtual std::shared_ptr<PrintSurface> openJob(const QString& printerName, const QString& docName,
                                                QString* error) = 0;
};

// The installed implementation (the CUPS one unless a test installed another).
Printers& printers();
// Installs p (not owned); nullptr restores the CUPS implementation.
void setPrinters(Printers* p);

class CupsPrinters : public Printers {
 public:
  QStringList installed() override;
  std::shared_ptr<PrintSurface> openJob(const QString& printerName, const QString& docName,
                                        QString* error) override;
};

}  // namespace plat
