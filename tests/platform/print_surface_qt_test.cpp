#include "platform/print_surface_qt.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "support/print_fixtures.h"
#include "support/recording_print.h"
#include "support/testenv.h"

namespace {

std::unique_ptr<plat::QtPrintSurface> pdfSurface(const QString& path) {
  auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  printer->setOutputFormat(QPrinter::PdfFormat);
  printer->setOutputFileName(path);
  printer->setPageSize(QPageSize(QPageSize::A4));
  printer->setPageMargins(QMarginsF(10, 15, 10, 15), QPageLayout::Millimeter);
  return std::make_unique<plat::QtPrintSurface>(std::move(printer));
}

// The spool file a queue's job paints into before it is sent.
QString spoolOf(plat::PrintSurface& job) {
  auto* qt = dynamic_cast<plat::QtPrintSurface*>(&job);
  return qt ? qt->printer().outputFileName() : QString();
}

QString run(const QString& program, const QStringList& args) {
  QProcess p;
  p.start(program, args);
  if (!p.waitForFinished(30000)) return {};
  return QString::fromUtf8(p.readAllStandardOutput());
}

// The bounding box (points, from the page's top-left) of the first word w in the PDF.
std::optional<QRectF> wordBox(const QString& pdf, const QString& w) {
  const QString html = run("pdftotext", {"-bbox", pdf, "-"});
  const QRegularExpression re(
      QStringLiteral(
          "<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">%1</word>")
          .arg(QRegularExpression::escape(w)));
  const auto m = re.match(html);
  if (!m.hasMatch()) return std::nullopt;
  return QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()));
}

TEST(QtPrintSurface, MeasuresInTwipsAndAdvancesOneLine) {
  const QString pdf = testenv::tempDir() + "/m.pdf";
  auto s = pdfSurface(pdf);
  s->setFontName("DejaVu Sans");
  s->setFontSize(12);
  const double h = s->TextHeight();
  EXPECT_GT(h, 240);  // 12 points are 240 twips; a line is a little more
  EXPECT_LT(h, 400);
  EXPECT_NEAR(s->TextWidth("MMMM"), 2 * s->TextWidth("MM"), 2);
  s->setFontSize(24);
  EXPECT_NEAR(s->TextHeight(), 2 * h, h * 0.1);
  // A4 less 10 mm each side: 190 mm = 10772 twips.
  EXPECT_NEAR(s->ScaleWidth(), 190 / 25.4 * 1440, 30);  // within half a millimetre
  EXPECT_NEAR(s->ScaleHeight(), 267 / 25.4 * 1440, 30);

  s->setFontSize(12);
  plat::PrintAt(*s, 1440, 2880, "Hello");
  EXPECT_EQ(s->CurrentX(), 0);
  EXPECT_NEAR(s->CurrentY(), 2880 + h, 1e-9);
  s->KillDoc();
}

TEST(QtPrintSurface, PlacesTextFromThePrintableCornerWithItsTopAtY) {
  const QString pdf = testenv::tempDir() + "/p.pdf";
  auto s = pdfSurface(pdf);
  s->setFontName("DejaVu Sans");
  s->setFontSize(12);
  plat::PrintAt(*s, 1440, 1440, "Corner");  // one inch right and down of the printable corner
  s->Line(0, 2880, 1440, 2880);
  s->NewPage();
  EXPECT_EQ(s->CurrentY(), 0);
  plat::PrintAt(*s, 0, 0, "Second");
  s->EndDoc();
  ASSERT_TRUE(QFile::exists(pdf));
  EXPECT_TRUE(run("pdfinfo", {pdf}).contains(QRegularExpression("Pages:\\s+2")));
  const auto box = wordBox(pdf, "Corner");
  ASSERT_TRUE(box) << run("pdftotext", {"-bbox", pdf, "-"}).toStdString();
  const double mm = 72 / 25.4;
  EXPECT_NEAR(box->left(), 10 * mm + 72, 3);
  // The glyphs' top lies a little below the line's top.
  EXPECT_GT(box->top(), 15 * mm + 72 - 1);
  EXPECT_LT(box->top(), 15 * mm + 72 + 6);
}

TEST(QtPrintSurface, KillDocSendsNothing) {
  // Killed before anything was painted, after pages were, and given up without an end.
  for (const int pages : {0, 3, -1}) {
    const QString pdf = testenv::tempDir() + QStringLiteral("/k%1.pdf").arg(pages);
    {
      auto s = pdfSurface(pdf);
      for (int p = 0; p < std::abs(pages); ++p) {
        plat::PrintAt(*s, 0, 0, "never");
        s->NewPage();
      }
      if (pages >= 0) {
        s->KillDoc();
        s->EndDoc();  // after an abort there is no job to end
      }
    }
    EXPECT_FALSE(QFile::exists(pdf)) << pages;
  }
}

TEST(QtPrintSurface, PagesArePaintedAsTheyAreLaidOut) {
  // A long job keeps no page it has left: each one is out in the job's file before the end.
  const QString pdf = testenv::tempDir() + "/long.pdf";
  auto s = pdfSurface(pdf);
  s->setFontName("DejaVu Sans");
  qint64 before = 0;
  for (int page = 0; page < 40; ++page) {
    for (int row = 0; row < 31; ++row)
      plat::PrintAt(*s, 0, row * 300, QStringLiteral("row %1 %2").arg(page).arg(row));
    s->NewPage();
    if (page == 19) before = QFileInfo(pdf).size();
  }
  EXPECT_GT(before, 0);
  EXPECT_GT(QFileInfo(pdf).size(), before);
  s->EndDoc();
  EXPECT_TRUE(run("pdfinfo", {pdf}).contains(QRegularExpression("Pages:\\s+41")));
  EXPECT_TRUE(run("pdftotext", {pdf, "-"}).contains("row 39 30"));
}

TEST(QtPrintSurface, AJobThePrinterRefusesThrows) {
  // The refusal comes at the first operation, or at the latest at the end.
  auto s = pdfSurface("/nonexistent-folder/x.pdf");
  EXPECT_THROW(
      {
        plat::PrintAt(*s, 0, 0, "x");
        s->EndDoc();
      },
      plat::PrintJobError);
}

TEST(Printers, CurrentPrinterIsTheProgramsOwn) {
  const QString systemDefault = QPrinterInfo::defaultPrinterName();
  EXPECT_EQ(plat::currentPrinter(), systemDefault);
  plat::setCurrentPrinter("ReportPrinter");
  EXPECT_EQ(plat::currentPrinter(), "ReportPrinter");
  EXPECT_EQ(QPrinterInfo::defaultPrinterName(), systemDefault);
}

TEST(Printers, UnknownPrinterOpensNoJob) {
  QString err;
  EXPECT_EQ(plat::CupsPrinters().openJob("No Such Printer", "t", &err), nullptr);
  EXPECT_TRUE(err.contains("No Such Printer"));
}

TEST(Printers, FakeListReplacesTheInstalledOne) {
  const plat::Printers* fakeAt = nullptr;
  {
    plat::FakePrinters fake({"A"});
    fakeAt = &fake;
    EXPECT_EQ(plat::printers().installed(), QStringList{"A"});
    QString err;
    EXPECT_TRUE(plat::printers().openJob("A", "doc", &err));
    EXPECT_FALSE(plat::printers().openJob("B", "doc", &err));
    ASSERT_EQ(fake.jobs.size(), 1u);
    EXPECT_EQ(fake.jobs[0].docName, "doc");
  }
  // Back on the installed printers.
  EXPECT_NE(&plat::printers(), fakeAt);
  EXPECT_NE(dynamic_cast<plat::CupsPrinters*>(&plat::printers()), nullptr);
}

TEST(Printers, CupsQueuesAreListed) {
  if (qEnvironmentVariableIsEmpty("CUPS_SERVER"))
    GTEST_SKIP() << "no private print server (CUPS_SERVER unset)";
  const QStringList names = plat::installedPrinterNames();
  EXPECT_TRUE(names.contains("BillPrinter")) << names.join(", ").toStdString();
  EXPECT_TRUE(names.contains("ReportPrinter"));
  QString err;
  auto job = plat::CupsPrinters().openJob("BillPrinter", "probe", &err);
  ASSERT_TRUE(job) << err.toStdString();
  job->KillDoc();
}

TEST(Printers, AQueueGetsTheEndedJobOnlyAndNoSpoolIsLeft) {
  if (qEnvironmentVariableIsEmpty("CUPS_SERVER"))
    GTEST_SKIP() << "no private print server (CUPS_SERVER unset)";
  const QSet<QString> before = printfix::pdfsNow();
  QString err;
  auto killed = plat::CupsPrinters().openJob("ReportPrinter", "killed", &err);
  ASSERT_TRUE(killed) << err.toStdString();
  // A font whose text pdftotext reads back whatever fonts the machine falls back to.
  killed->setFontName("DejaVu Sans");
  plat::PrintAt(*killed, 0, 0, "KilledJobText");
  killed->NewPage();
  plat::PrintAt(*killed, 0, 0, "KilledJobText");
  const QString killedSpool = spoolOf(*killed);
  killed->KillDoc();
  auto sent = plat::CupsPrinters().openJob("ReportPrinter", "sent", &err);
  ASSERT_TRUE(sent) << err.toStdString();
  sent->setFontName("DejaVu Sans");
  plat::PrintAt(*sent, 0, 0, "SentJobText");
  const QString sentSpool = spoolOf(*sent);
  EXPECT_TRUE(QFile::exists(sentSpool)) << sentSpool.toStdString();
  sent->EndDoc();
  QString text;
  EXPECT_FALSE(printfix::waitForPdf(before, {}, "SentJobText", &text).isEmpty());
  testenv::pump(2000);  // time for a killed job to have arrived, were it sent
  for (const QString& pdf : printfix::pdfsNow() - before)
    EXPECT_FALSE(run("pdftotext", {pdf, "-"}).contains("KilledJobText")) << pdf.toStdString();
  // The job's own spool files, by name: other tests printing at the same time leave theirs for a while.
  EXPECT_FALSE(killedSpool.isEmpty());
  EXPECT_FALSE(QFile::exists(killedSpool)) << killedSpool.toStdString();
  EXPECT_FALSE(QFile::exists(sentSpool)) << sentSpool.toStdString();
}

}  // namespace
