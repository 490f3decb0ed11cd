#include "support/fake_serial.h"

#include <memory>

namespace plat {
namespace {

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

}  // namespace

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
