#include "support/print_fixtures.h"

#include <pwd.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QProcess>

#include "platform/clock.h"
#include "platform/files.h"
#include "shell/settings.h"
#include "support/recording_print.h"
#include "support/testenv.h"

namespace printfix {

void shopSettings() {
  auto& s = shell::settings();
  s = shell::ShopSettings{};
  s.HeadInvoice = QStringLiteral("TAX INVOICE (ABB.)");
  s.ComName = shell::SettingValue::ofText(QStringLiteral("Corner Shop"));
  s.ComTaxID = shell::SettingValue::ofText(QStringLiteral("1234567890123"));
  s.PosText = QStringLiteral("POS 01");
  s.TotalVatText = QStringLiteral("VAT included");
  s.BillFontSize = 9;
  s.FontName = QStringLiteral("DejaVu Sans");
  s.BillPrinter = shell::SettingValue::ofText(QStringLiteral("BillPrinter"));
  s.DrawerPort = shell::SettingValue::ofNumber(0);
  s.LangThai = false;
  s.PrintType = 1;
  s.SlipWidth = 1;
  s.VatRate = 7;
  plat::setClock(QDateTime(QDate(2024, 3, 15), QTime(10, 30, 0)));
}

print::SaleDocument sampleSale() {
  print::SaleDocument d;
  d.lines.push_back({QStringLiteral("Pencil"), 2, 60, 120, QStringLiteral("P001")});
  d.lines.push_back(
      {QStringLiteral("Notebook A5 ruled 80 pages"), 1, 1234.5, 1234.5, QStringLiteral("N002")});
  d.total = 1354.5;
  d.tax = 88.61;
  d.pay = 1500;
  d.totalText = QStringLiteral("1,354.50");
  d.taxText = QStringLiteral("88.61");
  d.payText = QStringLiteral("1500");
  d.employee = QStringLiteral("Somchai");
  d.billNo = 42;
  d.billDate = QStringLiteral("15/03/2024");
  return d;
}

QString resetLpt() {
  QDir().mkpath(plat::installDir());
  const QString p = plat::installPath(QStringLiteral("LPT1"));
  QDir(p).removeRecursively();
  QFile f(p);
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) ADD_FAILURE() << "cannot make LPT1";
  return p;
}

QByteArray lptBytes() {
  QFile f(plat::installPath(QStringLiteral("LPT1")));
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.readAll();
}

// cups-pdf writes to its Out setting (${HOME} being the submitting user's home), by default ~/PDF,
// and anonymous jobs to a folder of its own.
QStringList pdfFolders() {
  QStringList homes = {QDir::homePath()};
  if (const passwd* pw = getpwuid(getuid())) homes << QString::fromLocal8Bit(pw->pw_dir);
  QStringList outs = {QStringLiteral("${HOME}/PDF")};
  QFile conf(QStringLiteral("/etc/cups/cups-pdf.conf"));
  if (conf.open(QIODevice::ReadOnly)) {
    for (const QByteArray& raw : conf.readAll().split('\n')) {
      const QString line = QString::fromLocal8Bit(raw).trimmed();
      if (line.startsWith(QLatin1String("Out ")) || line.startsWith(QLatin1String("AnonDirName ")))
        outs << line.section(' ', 1).trimmed();
    }
  }
  outs << QStringLiteral("/var/spool/cups-pdf/ANONYMOUS");
  QStringList dirs;
  for (const QString& out : outs)
    for (const QString& home : homes) {
      QString d = out;
      d.replace(QLatin1String("${HOME}"), home);
      if (!dirs.contains(d)) dirs << d;
    }
  return dirs;
}

QSet<QString> pdfsNow() {
  QSet<QString> all;
  for (const QString& d : pdfFolders())
    for (const QFileInfo& f : QDir(d).entryInfoList({QStringLiteral("*.pdf")}, QDir::Files))
      all << f.absoluteFilePath();
  return all;
}

namespace {
QString pdfText(const QString& pdf) {
  QProcess p;
  p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
  if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) return {};
  return QString::fromUtf8(p.readAllStandardOutput());
}

// What the print server holds and said, for a job that never arrived.
QString printServerState() {
  QString said;
  QProcess lpstat;
  lpstat.start(QStringLiteral("lpstat"), {QStringLiteral("-W"), QStringLiteral("all"), QStringLiteral("-o")});
  if (lpstat.waitForFinished(10000)) said += QString::fromLocal8Bit(lpstat.readAll());
  const QString server = qEnvironmentVariable("CUPS_SERVER");
  QFile log(QFileInfo(server).absolutePath() + QStringLiteral("/log/error_log"));
  if (log.open(QIODevice::ReadOnly)) said += QString::fromLocal8Bit(log.readAll().right(4000));
  return said;
}
}  // namespace

QString waitForPdf(const QSet<QString>& before, const QString& tag, const QString& last, QString* text) {
  QDeadlineTimer deadline(90000);
  // cups-pdf writes the file in place: one is read once its size held still for a poll, and read
  // again only if it grew.
  QHash<QString, qint64> sizes;
  QHash<QString, qint64> readAt;
  QStringList seen;
  while (!deadline.hasExpired()) {
    for (const QString& f : pdfsNow()) {
      if (before.contains(f)) continue;
      if (!seen.contains(f)) seen << f;
      const qint64 size = QFileInfo(f).size();
      const bool still = sizes.contains(f) && sizes.value(f) == size && size > 0;
      sizes[f] = size;
      if (!still || readAt.value(f, -1) == size) continue;
      readAt[f] = size;
      const QString got = pdfText(f);
      if (got.contains(last) && (tag.isEmpty() || QFileInfo(f).fileName().contains(tag))) {
        *text = got;
        return f;
      }
    }
    testenv::pump(250);
  }
  ADD_FAILURE() << "no PDF of \"" << tag.toStdString() << "\" holding \"" << last.toStdString()
                << "\"; new PDFs: " << seen.join(QStringLiteral(", ")).toStdString() << "\n"
                << printServerState().toStdString();
  return {};
}

void PrintTest::SetUp() {
  shopSettings();
  resetLpt();
}

void PrintTest::TearDown() {
  plat::setClock(QDateTime());
  shell::settings() = shell::ShopSettings{};
}

plat::RecordingSurface& PrintTest::lastJob() {
  static plat::RecordingSurface none;
  if (printers.jobs.empty()) {
    ADD_FAILURE() << "no print job";
    return none;
  }
  return *printers.jobs.back().surface;
}

}  // namespace printfix
