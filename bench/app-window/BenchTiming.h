#pragma once
// The clock and the statistics of the benchmarks that run under Wine.

#include <windows.h>

#include <algorithm>
#include <vector>

namespace spv::bench {

// Milliseconds of the performance counter.
inline double NowMs() {
  static const double perMs = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return double(f.QuadPart) / 1000.0;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return double(t.QuadPart) / perMs;
}

struct TStats {
  double Median, Min, Max;
};

// Of at least one figure.
inline TStats Stats(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const std::size_t n = v.size();
  return {n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2, v.front(), v.back()};
}

}  // namespace spv::bench
