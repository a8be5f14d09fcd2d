#include "app/Engine.h"

#include <benchmark/benchmark.h>

static void BM_WithTrailingBackslash(benchmark::State& state) {
  const std::string folder = "C:\\Quorvane\\Report";
  for (auto _ : state) benchmark::DoNotOptimize(spv::app::WithTrailingBackslash(folder));
}
BENCHMARK(BM_WithTrailingBackslash);
