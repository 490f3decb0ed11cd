#include "support/harness.h"

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <map>
#include <string>

#include "data/db.h"

namespace benchdb {

namespace {

// The console report, keeping each run's real time per function name and argument.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  std::map<std::string, std::map<std::string, double>> seconds;  // function -> args -> time
  std::map<std::string, std::map<std::string, double>> cpu;      // the same, processor time

  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs) {
      // Of repeated runs, the median: one run slowed by other work on the machine does not move it.
      const bool median = r.run_type == Run::RT_Aggregate && r.aggregate_name == "median";
      if ((r.run_type != Run::RT_Iteration && !median) || r.iterations == 0 || r.error_occurred) continue;
      seconds[r.run_name.function_name][r.run_name.args] =
          r.real_accumulated_time / static_cast<double>(r.iterations);
      cpu[r.run_name.function_name][r.run_name.args] =
          r.cpu_accumulated_time / static_cast<double>(r.iterations);
    }
  }

  void printRatios(const std::vector<Comparison>& comparisons) const {
    if (comparisons.empty()) return;
    // The processor time's ratio beside the real time's: on a machine others load, real time
    // waits for the processor as much as it works.
    std::printf(
        "\nRatio to the raw work of this run (SQLite, or libxlsxwriter, driven directly; real time, and "
        "processor time):\n");
    for (const Comparison& c : comparisons) {
      const auto work = seconds.find(c.work);
      if (work == seconds.end()) continue;  // filtered out of this run
      for (const auto& [args, t] : work->second) {
        // The raw work to compare with: the quicker of the two when there are two.
        const char* rawName = nullptr;
        double rawTime = 0;
        for (const char* name : {c.raw, c.orRaw}) {
          if (!name) continue;
          const auto raw = seconds.find(name);
          if (raw == seconds.end()) continue;
          const auto r = raw->second.find(args);
          if (r == raw->second.end() || r->second <= 0) continue;
          if (!rawName || r->second < rawTime) {
            rawName = name;
            rawTime = r->second;
          }
        }
        if (!rawName) continue;
        const double workCpu = cpu.at(c.work).at(args);
        const double rawCpu = cpu.at(rawName).at(args);
        std::printf("  %s%s%s / %s: %.2fx (processor %.2fx)\n", c.work, args.empty() ? "" : "/", args.c_str(),
                    rawName, t / rawTime, rawCpu > 0 ? workCpu / rawCpu : 0.0);
      }
    }
  }
};

}  // namespace

int runBenchmarks(int argc, char** argv, const std::function<void()>& prepare,
                  const std::vector<Comparison>& comparisons, const std::function<void()>& finish) {
  static QTemporaryDir home;
  qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
  // Offscreen unless the caller chose a display (a run under a window manager, say).
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (prepare) prepare();
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.printRatios(comparisons);
  benchmark::Shutdown();
  if (finish) finish();
  if (data::Conn().isOpen()) data::Conn().close();  // one a bench left open, while Qt still runs
  return 0;
}

namespace {
long statusKb(const QByteArray& field) {
  QFile f(QStringLiteral("/proc/self/status"));
  if (!f.open(QIODevice::ReadOnly)) return 0;
  for (const QByteArray& line : f.readAll().split('\n'))
    if (line.startsWith(field)) return line.mid(field.size()).trimmed().split(' ').first().toLong();
  return 0;
}
}  // namespace

long residentKb() { return statusKb("VmRSS:"); }

PeakGrowth::PeakGrowth() {
  // Memory the allocator kept from earlier work goes back first, so the growth is this work's.
  malloc_trim(0);
  // "5" resets the peak resident memory to the present one (Linux 4.0 on).
  QFile f(QStringLiteral("/proc/self/clear_refs"));
  if (f.open(QIODevice::WriteOnly)) f.write("5");
  f.close();
  start_ = residentKb();
}

long PeakGrowth::kb() const { return statusKb("VmHWM:") - start_; }

}  // namespace benchdb
