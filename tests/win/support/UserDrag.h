#pragma once
// The pointer as a user's hand moves it: real input (SendInput) from a thread of its own, one
// step after the other, while the window's thread goes on handling messages. Input queued all
// at once is not what a hand does: the system gives each piece of pointer input to a window
// when it arrives, so a release queued before the window took the pointer (a sizing or moving
// loop, a capture) goes to whatever window lies under the pointer then.

#include <windows.h>

#include "WindowShot.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

namespace spv::test {

// Pointer input at a point of the primary screen. The normalised coordinates round up a little,
// so that the system's truncating way back lands on the very pixel.
inline INPUT PointerInput(POINT at, DWORD buttons) {
  const LONG w = GetSystemMetrics(SM_CXSCREEN) - 1, h = GetSystemMetrics(SM_CYSCREEN) - 1;
  INPUT i{};
  i.type = INPUT_MOUSE;
  i.mi.dx = std::clamp<LONG>(at.x, 0, w) * 65535 / w;
  i.mi.dy = std::clamp<LONG>(at.y, 0, h) * 65535 / h;
  i.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttons;
  return i;
}

// Whether a thread has taken the pointer: a sizing or moving loop runs, or a window of it
// holds the capture.
inline bool PointerTaken(DWORD thread) {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  return GetGUIThreadInfo(thread, &info) && ((info.flags & GUI_INMOVESIZE) || info.hwndCapture);
}

// What the hand waits for after pressing: that the window's thread took the pointer (a drag on
// a frame's edge or caption, where it must), or only a hand's pause (anywhere else).
enum class TAfterPress { PointerTaken, Pause };

// Presses the left button at `from`, moves by way of the middle to `to` and lets go there, from
// the hand's thread, while this thread handles messages; returns when the release has been
// handled. False when the window's thread did not take the pointer in a generous time.
inline bool DragAsUser(POINT from, POINT to, TAfterPress after = TAfterPress::PointerTaken) {
  const DWORD ui = GetCurrentThreadId();
  std::atomic<bool> done{false}, taken{true};
  std::thread hand([&] {
    auto step = [](POINT at, DWORD buttons) {
      INPUT i = PointerInput(at, buttons);
      SendInput(1, &i, sizeof(INPUT));
    };
    step(from, 0);
    Sleep(20);
    step(from, MOUSEEVENTF_LEFTDOWN);
    if (after == TAfterPress::PointerTaken) {
      const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
      while (!PointerTaken(ui) && std::chrono::steady_clock::now() < end) Sleep(5);
      taken = PointerTaken(ui);
    } else {
      Sleep(40);
    }
    step({(from.x + to.x) / 2, (from.y + to.y) / 2}, 0);
    Sleep(20);
    step(to, 0);
    Sleep(20);
    step(to, MOUSEEVENTF_LEFTUP);
    done = true;
  });
  while (!done) PumpMessages(10);
  hand.join();
  PumpMessages(60);
  return taken;
}

}  // namespace spv::test
