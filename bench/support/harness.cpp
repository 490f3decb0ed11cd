#include "support/harness.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include "data/db.h"

namespace benchdb {

int runBenchmarks(int argc, char** argv, const std::function<void()>& prepare) {
  static QTemporaryDir home;
  qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (prepare) prepare();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (data::Conn().isOpen()) data::Conn().close();  // one a bench left open, while Qt still runs
  return 0;
}

long residentKb() {
  QFile f(QStringLiteral("/proc/self/status"));
  if (!f.open(QIODevice::ReadOnly)) return 0;
  for (const QByteArray& line : f.readAll().split('\n'))
    if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').first().toLong();
  return 0;
}

}  // namespace benchdb
