#pragma once
// What the benchmarks that run under Wine share: the clock, the statistics, the message pump,
// and the two waits that put a timed step's picture on the display and idle between steps.

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

// Handles every message pending for this thread.
inline void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// Ends a timed step as a program ends its work, waiting for messages: that is when Wine puts the
// windows' new pictures on the display, so the step is timed to its picture being there.
inline void WaitForDisplay() {
  GdiFlush();
  MsgWaitForMultipleObjects(0, nullptr, FALSE, 0, QS_ALLINPUT);
}

// Idles a moment between timed steps, as a program does between a user's actions. One that never
// waits makes Wine put every window on the display at each window's paint: about 9 ms more per
// whole paint of the main window once 50 ms have passed without a wait.
inline void IdleBetweenSteps() {
  Pump();
  MsgWaitForMultipleObjects(0, nullptr, FALSE, 2, QS_ALLINPUT);
  Pump();
}

}  // namespace spv::bench
