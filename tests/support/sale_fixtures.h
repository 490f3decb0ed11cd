#pragma once
// Rows and a screen for sale tests: products, lots, customers and hot keys written straight into
// the database; for the end-to-end walks a serial line captured through a socat pty pair, typed
// keys, and the PDFs the private print server's cups-pdf queue writes.
#include <QByteArray>
#include <QProcess>
#include <QSet>
#include <QString>
#include <QVariant>

#include "data/db.h"

class QWidget;

namespace salefx {

void addProduct(const QString& pid, const QString& name, double price, double quantity, qint64 reorder = -1,
                double price1 = 0, double price2 = 0);
void addLot(const QString& pid, const QString& isoDate, const QString& buyId, double quantity,
            double cost = 1);
void addCustomer(const QString& id, const QString& company, const QString& title, const QString& fax,
                 const QVariant& level);
void bindKey(int kbid, const QString& pid);

double stockOf(const QString& pid);
int sellRows();

// One socat capturing every byte written to <installation folder>/COMn into a file.
class PtyCapture {
 public:
  PtyCapture(int port, const QString& file);
  ~PtyCapture();
  PtyCapture(const PtyCapture&) = delete;
  PtyCapture& operator=(const PtyCapture&) = delete;
  // Waits (up to 5 s) for the COMn link.
  bool ready();
  // Waits until at least n bytes arrived (or 2 s passed) and returns them.
  QByteArray bytes(int n) const;

 private:
  QString file_;
  QString link_;
  QProcess proc_;
};

// Types text into w one character at a time, as key presses and releases.
void typeKeys(QWidget* w, const QString& text);


}  // namespace salefx
