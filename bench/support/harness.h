#pragma once
// What every benchmark executable shares: its main and the measure of its memory.
#include <functional>

namespace benchdb {

// The whole of a benchmark's main: Qt offscreen with a data folder of its own, Google Benchmark's
// flags, then prepare (databases built, copies made, the shared connection opened) before any
// timing, then the benchmarks; the shared connection is closed at the end.
int runBenchmarks(int argc, char** argv, const std::function<void()>& prepare = {});

// The process's resident memory in kB, from /proc.
long residentKb();

}  // namespace benchdb
