#include "support/sale_fixtures.h"

#include <pwd.h>
#include <unistd.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QWidget>

#include "platform/files.h"
#include "support/testenv.h"

namespace salefx {

void addProduct(const QString& pid, const QString& name, double price, double quantity, qint64 reorder,
                double price1, double price2) {
  data::Conn().exec(QStringLiteral("INSERT INTO Product (PId, PName, Price, Price1, Price2, Quantity, CID, "
                                   "ProNoun, PoOrder) VALUES (?, ?, ?, ?, ?, ?, 'C1', 'pcs', ?)"),
                    {pid, name, price, price1, price2, quantity, reorder});
}

void addLot(const QString& pid, const QString& isoDate, const QString& buyId, double quantity, double cost) {
  data::Conn().exec(
      QStringLiteral("INSERT INTO Buy (PId, BuyDate, BuyTime, BQuantity, BPrice, BuyId, RemainQ, "
                     "SupplierID) VALUES (?, ?, '09:00:00', ?, ?, ?, ?, 'S1')"),
      {pid, isoDate, quantity, cost, buyId, quantity});
}

void addCustomer(const QString& id, const QString& company, const QString& title, const QString& fax,
                 const QVariant& level) {
  data::Conn().exec(
      QStringLiteral("INSERT INTO Customers (CustomerId, CompanyName, ContactTitle, Fax, Discount) "
                     "VALUES (?, ?, ?, ?, ?)"),
      {id, company, title, fax, level});
}

void bindKey(int kbid, const QString& pid) {
  data::Conn().exec(QStringLiteral("UPDATE settingkb SET PID = ? WHERE KBID = ?"), {pid, kbid});
}

double stockOf(const QString& pid) {
  return data::Conn().scalar(QStringLiteral("SELECT Quantity FROM Product WHERE PId = ?"), {pid}).toDouble();
}

int sellRows() { return data::Conn().scalar(QStringLiteral("SELECT COUNT(*) FROM Sell")).toInt(); }

PtyCapture::PtyCapture(int port, const QString& file) : file_(file) {
  link_ = plat::installPath(QStringLiteral("COM%1").arg(port));
  proc_.start(QStringLiteral("socat"),
              {QStringLiteral("-u"), QStringLiteral("pty,raw,echo=0,link=%1").arg(link_),
               QStringLiteral("OPEN:%1,creat,trunc").arg(file)});
}

PtyCapture::~PtyCapture() {
  proc_.terminate();
  proc_.waitForFinished(3000);
}

bool PtyCapture::ready() {
  QDeadlineTimer t(5000);
  while (!t.hasExpired()) {
    if (QFile::exists(link_)) return true;
    testenv::pump(20);
  }
  return false;
}

QByteArray PtyCapture::bytes(int n) const {
  QDeadlineTimer t(2000);
  QByteArray b;
  do {
    QFile f(file_);
    if (f.open(QIODevice::ReadOnly)) b = f.readAll();
    if (b.size() >= n) break;
    testenv::pump(20);
  } while (!t.hasExpired());
  return b;
}

void typeKeys(QWidget* w, const QString& text) {
  for (const QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QApplication::sendEvent(w, &press);
    QApplication::sendEvent(w, &release);
  }
}

// cups-pdf writes to its Out setting (${HOME} being the submitting user's home), by default ~/PDF,
// and anonymous jobs to its own folder.
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

}  // namespace salefx
