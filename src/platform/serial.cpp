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

class FakeSerialLine : public SerialLine {
 public:
  explicit FakeSerialLine(SerialLog* log) : log_(log) {}
  bool open(int port, QString* error) override {
    if (log_->failOpen) {
      if (error) *error = QStringLiteral("No such file or directory");
      return false;
    }
    port_ = port;
    open_ = true;
    log_->events.push_back({port, "open", {}});
    return true;
  }
  bool isOpen() const override { return open_; }
  bool write(const QByteArray& bytes) override {
    if (!open_) return false;
    log_->events.push_back({port_, "write", bytes});
    return true;
  }
  void flush() override {}
  void close() override {
    if (!open_) return;
    open_ = false;
    log_->events.push_back({port_, "close", {}});
  }

 private:
  SerialLog* log_;
  int port_ = 0;
  bool open_ = false;
};

SerialFactory g_factory;

}  // namespace

std::unique_ptr<SerialLine> newSerialLine() {
  if (g_factory) return g_factory();
  return std::make_unique<QtSerialLine>();
}

void setSerialFactory(SerialFactory f) { g_factory = std::move(f); }

QByteArray SerialLog::written(int port) const {
  QByteArray out;
  for (const auto& e : events)
    if (e.port == port && e.what == "write") out += e.bytes;
  return out;
}

void installFakeSerial(SerialLog* log) {
  setSerialFactory([log]() { return std::make_unique<FakeSerialLine>(log); });
}

}  // namespace plat
