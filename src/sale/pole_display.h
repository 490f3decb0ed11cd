#pragma once
// The customer pole display (two lines of 20 characters fed as one stream of 40-character screens)
// and the serial cash drawer kick, byte for byte. Every call is one or more single writes to the
// line; a display with no open line sends nothing.
#include <QByteArray>
#include <QString>
#include <memory>

#include "platform/serial.h"

namespace sale {

// The leading blanks that right-align a number text of length n in 14 columns: 14 - n blanks for
// n from 1 to 12, one blank for any other length.
QByteArray padFor(int n);

class PoleDisplay {
 public:
  PoleDisplay();
  ~PoleDisplay();
  PoleDisplay(const PoleDisplay&) = delete;
  PoleDisplay& operator=(const PoleDisplay&) = delete;

  // Opens COM port `port` and sends the first screen. False with *error when the port will not open.
  bool open(int port, QString* error);
  bool isOpen() const;

  // A line added or its quantity raised: the unit price on line 1, the total on line 2.
  void lineAdded(double unitPrice, double saleTotal);
  // A line edited: the edited unit price and the total.
  void lineEdited(double unitPrice, double saleTotal);
  // A line removed: 0.00 on line 1 and the new total.
  void lineRemoved(double saleTotal);
  // Finish: the amount tendered on line 1, the change on line 2, then the "Cash " label.
  void finished(double tendered, double change);
  // After Finish, completing the "Cash " label left by finished().
  void reset();
  // Clear of the sale in progress.
  void clear();
  // The unload sequence; the line then closes.
  void close();

 private:
  void send(const QByteArray& bytes);
  void sendNumber(const QString& text);
  // "Total ", the total right-aligned, then the "Price " label for the next screen.
  void screen(double saleTotal);
  std::unique_ptr<plat::SerialLine> line_;
};

// The 21 "0" characters that open the drawer.
QByteArray drawerKickBytes();
// Opens COM port `port`, sends the kick, waits until it has left, and closes the port. False with
// *error when the port will not open or the write fails.
bool kickDrawer(int port, QString* error);

}  // namespace sale
