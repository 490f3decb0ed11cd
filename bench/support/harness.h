#pragma once
// What every benchmark executable shares: its main and the measure of its memory.
#include <functional>
#include <vector>

namespace benchdb {

// The whole of a benchmark's main: Qt offscreen with a data folder of its own, Google Benchmark's
// flags, then prepare (databases built, copies made, the shared connection opened) before any
// timing, then the benchmarks; the shared connection is closed at the end.
// After the runs, each comparison prints the program's time over the raw time of the same work (a
// benchmark's function name, matched per argument). finish runs after the benchmarks, while Qt
// still runs (the windows a benchmark left open are closed there).
// With orRaw set, the ratio is to the quicker of the two raw works for each argument (two
// independent reads of the same rows, neither of them the program's own choice).
struct Comparison {
  const char* work;             // "BM_ProfitShowAll"
  const char* raw;              // "BM_RawProfitShowAll"
  const char* orRaw = nullptr;  // "BM_RawProfitSumsFirst"
};
int runBenchmarks(int argc, char** argv, const std::function<void()>& prepare = {},
                  const std::vector<Comparison>& comparisons = {}, const std::function<void()>& finish = {});

// The process's resident memory in kB, from /proc.
long residentKb();

// The growth of the process's peak resident memory (VmHWM) over a stretch of work: the peak is
// reset to the present resident memory at the start, so earlier benchmarks' peaks do not count.
class PeakGrowth {
 public:
  PeakGrowth();
  // kB the peak rose above the resident memory at the start.
  long kb() const;

 private:
  long start_ = 0;
};

}  // namespace benchdb
