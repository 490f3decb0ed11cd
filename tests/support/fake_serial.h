#pragma once
// Serial lines of the tests: nothing opened, every open, write and close logged.
#include <QByteArray>
#include <QString>
#include <vector>

#include "platform/serial.h"

namespace plat {

// Test double: every line it makes appends to one shared log.
struct SerialLog {
  struct Event {
    int port;
    QString what;  // "open", "write", "close"
    QByteArray bytes;
  };
  std::vector<Event> events;
  bool failOpen = false;
  QByteArray written(int port) const;
  void clear() { events.clear(); }
};
// Installs a factory of fake lines logging into log; returns nothing, undo with setSerialFactory({}).
void installFakeSerial(SerialLog* log);

}  // namespace plat
