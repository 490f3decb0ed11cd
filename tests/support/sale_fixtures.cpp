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

}  // namespace salefx
