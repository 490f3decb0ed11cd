// A slip receipt printed through the real print server: the private cupsd of the test script with
// its cups-pdf queue "BillPrinter"; the PDF it writes is read back with pdftotext.
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>

#include "print/dispatch.h"
#include "shell/settings.h"
#include "support/print_fixtures.h"
#include "support/testenv.h"

namespace {

// Where cups-pdf may put a job: its Out setting (${HOME} being the submitting user's home), the
// usual ~/PDF, and its folder for anonymous jobs.
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

// Waits (bounded) for a new PDF whose name holds tag and that pdftotext can read.
QString waitForPdf(const QSet<QString>& before, const QString& tag, QString* text) {
  QDeadlineTimer deadline(90000);
  while (!deadline.hasExpired()) {
    for (const QString& f : pdfsNow()) {
      if (before.contains(f) || !QFileInfo(f).fileName().contains(tag)) continue;
      QProcess p;
      p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), f, QStringLiteral("-")});
      if (p.waitForFinished(30000) && p.exitCode() == 0) {
        *text = QString::fromUtf8(p.readAllStandardOutput());
        if (!text->isEmpty()) return f;
      }
    }
    testenv::pump(250);
  }
  return {};
}

TEST(ReceiptPrint, SlipReachesTheBillPrinterQueue) {
  if (qEnvironmentVariableIsEmpty("CUPS_SERVER"))
    GTEST_SKIP() << "no private print server (CUPS_SERVER unset)";
  plat::ScriptedDialogs dialogs;
  printfix::shopSettings();
  printfix::resetLpt();
  auto doc = printfix::sampleSale();
  // A bill number of its own, so parallel runs find their own PDF.
  doc.billNo = 1000000000 + (QDateTime::currentMSecsSinceEpoch() * 1000 + getpid()) % 8999999999;
  const QString billNo = print::billNoText(doc.billNo);
  const QSet<QString> before = pdfsNow();

  print::printSale(doc);
  EXPECT_TRUE(dialogs.shown.empty()) << dialogs.texts().join('\n').toStdString();

  QString text;
  const QString pdf = waitForPdf(before, billNo, &text);
  ASSERT_FALSE(pdf.isEmpty()) << "no PDF for bill " << billNo.toStdString() << " in "
                              << pdfFolders().join(", ").toStdString();
  EXPECT_TRUE(text.contains("Corner Shop")) << text.toStdString();
  EXPECT_TRUE(text.contains("Pencil"));
  EXPECT_TRUE(text.contains("Notebook A5 ruled"));
  EXPECT_TRUE(text.contains("1,354.50"));  // the total
  EXPECT_TRUE(text.contains(billNo));
  EXPECT_TRUE(text.contains("Employee : Somchai"));
  QFile::remove(pdf);
  shell::settings() = shell::ShopSettings{};
}

}  // namespace
