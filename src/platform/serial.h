#pragma once
// A serial line to the pole display or the cash drawer. The Qt implementation opens the COM port
// of files.h at 9600 baud, 8 data bits, no parity, 1 stop bit; tests install their own.
#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

namespace plat {

class SerialLine {
 public:
  virtual ~SerialLine() = default;
  // Opens COM port n. False with *error on failure.
  virtual bool open(int port, QString* error) = 0;
  virtual bool isOpen() const = 0;
  virtual bool write(const QByteArray& bytes) = 0;
  // Blocks until every written byte has left.
  virtual void flush() = 0;
  virtual void close() = 0;
};

using SerialFactory = std::function<std::unique_ptr<SerialLine>()>;
// A new, closed line from the installed factory (QSerialPort unless a test installed another).
std::unique_ptr<SerialLine> newSerialLine();
void setSerialFactory(SerialFactory f);  // empty restores the QSerialPort one

}  // namespace plat
