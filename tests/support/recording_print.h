#pragma once
// Printing in the tests: a surface that records every operation, and printers whose jobs are such
// surfaces.
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

#include "platform/print_surface.h"
#include "platform/print_surface_qt.h"

namespace plat {

// Records every operation. Text is measured with Qt's metrics of the named font at 1440 dpi, so a
// layout that centres or right-aligns text can be checked.
class RecordingSurface : public PrintSurface {
 public:
  struct Op {
    enum Kind { Text, Line, NewPage, EndDoc, KillDoc } kind = Text;
    double x = 0, y = 0, x2 = 0, y2 = 0;
    QString text;
    QString font;
    double size = 0;
    bool bold = false;
  };
  RecordingSurface(double widthTwips = 11906 - 720, double heightTwips = 16838 - 720)
      : w_(widthTwips), h_(heightTwips) {}

  double TextWidth(const QString& text) const override;
  double TextHeight(const QString& text) const override;
  double ScaleWidth() const override { return w_; }
  double ScaleHeight() const override { return h_; }
  void Line(double x1, double y1, double x2, double y2) override;
  void NewPage() override;
  void EndDoc() override;
  void KillDoc() override;

  std::vector<Op> ops;
  // The printed texts in order.
  QStringList texts() const;
  // The first text op whose text equals t, or nullptr.
  const Op* find(const QString& t) const;
  int pages() const;  // 1 + new pages

 protected:
  void drawText(double x, double y, const QString& text) override;

 private:
  double w_, h_;
};

// Test double: a fixed list of printer names; every job is a RecordingSurface kept in `jobs`.
class FakePrinters : public Printers {
 public:
  explicit FakePrinters(QStringList names);  // installs itself
  ~FakePrinters() override;                  // restores the CUPS implementation

  QStringList installed() override { return names; }
  std::shared_ptr<PrintSurface> openJob(const QString& printerName, const QString& docName,
                                        QString* error) override;

  struct Job {
    QString printer;
    QString docName;
    std::shared_ptr<RecordingSurface> surface;
  };
  QStringList names;
  std::vector<Job> jobs;
  // Makes the surface of the next jobs (a failing one, say); unset: a plain RecordingSurface.
  std::function<std::shared_ptr<RecordingSurface>()> makeSurface;
  // When set, openJob fails with this error.
  QString failOpen;
};

}  // namespace plat
