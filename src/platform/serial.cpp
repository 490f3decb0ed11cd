#include "platform/serial.h"

#include <QSerialPort>

#include "platform/files.h"

namespace plat {
namespace {

class QtSerialLine : public SerialLine {
 public:
  bool open(int port, QString* error) override {
    port_.setPortName(comPortDevice(port));
    if (!port_.open(QIODevice::WriteOnly)) {
      if (error) *error = port_.errorString();
      return false;
    }
    port_.setBaudRate(QSerialPort::Baud9600);
    port_.setDataBits(QSerialPort::Data8);
    port_.setParity(QSerialPort::NoParity);
    port_.setStopBits(QSerialPort::OneStop);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    return true;
  }
  bool isOpen() const override { return port_.isOpen(); }
  bool write(const QByteArray& bytes) override {
    if (!port_.isOpen()) return false;
    const bool ok = port_.write(bytes) == bytes.size();
    port_.flush();
    return ok;
  }
  void flush() override {
    if (!port_.isOpen()) return;
    while (port_.bytesToWrite() > 0)
      if (!port_.waitForBytesWritten(1000)) break;
  }
  void close() override {
    if (port_.isOpen()) {
      flush();
      port_.close();
    }
  }
  ~QtSerialLine() override { close(); }

 private:
  QSerialPort port_;
};

SerialFactory g_factory;

}  // namespace

std::unique_ptr<SerialLine> newSerialLine() {
  if (g_factory) return g_factory();
  return std::make_unique<QtSerialLine>();
}

void setSerialFactory(SerialFactory f) { g_factory = std::move(f); }

}  // namespace plat
