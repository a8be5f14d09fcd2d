#pragma once
// The pointer as a user's hand moves it: real input (SendInput) from a thread of its own, one
// step after the other, while the window's thread goes on handling messages. Input queued all
// at once is not what a hand does: the system gives each piece of pointer input to a window
// when it arrives, so a release queued before the window took the pointer (a sizing or moving
// loop, a capture) goes to whatever window lies under the pointer then, and a loop waiting for
// it waits for ever.

#include <windows.h>

#include "WindowShot.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <thread>
#include <type_traits>

namespace spv::test {

// Pointer input at a point of the primary screen. The system takes normalised coordinates
// back to pixels by truncating (x = dx * width / 65536): rounding up lands on the very pixel.
inline INPUT PointerInput(POINT at, DWORD buttons) {
  const LONG w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  INPUT i{};
  i.type = INPUT_MOUSE;
  i.mi.dx = LONG((LONGLONG(std::clamp<LONG>(at.x, 0, w - 1)) * 65536 + w - 1) / w);
  i.mi.dy = LONG((LONGLONG(std::clamp<LONG>(at.y, 0, h - 1)) * 65536 + h - 1) / h);
  i.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttons;
  return i;
}

// The pointer parked in the screen's far corner, where the next test's windows are not, with a
// moment for the window it left to hear so.
inline void ParkPointer() {
  INPUT i = PointerInput({GetSystemMetrics(SM_CXSCREEN) - 20, GetSystemMetrics(SM_CYSCREEN) - 10}, 0);
  SendInput(1, &i, sizeof(INPUT));
  PumpMessages(250);
}

// Whether a thread has taken the pointer: a sizing or moving loop runs, or a window of it
// holds the capture.
inline bool PointerTaken(DWORD thread) {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  return GetGUIThreadInfo(thread, &info) && ((info.flags & GUI_INMOVESIZE) || info.hwndCapture);
}

// Runs `hand` on a thread of its own while this thread handles messages; returns when the hand
// is done and what it did has been handled.
inline void WithHand(const std::function<void(DWORD windowThread)>& hand) {
  const DWORD ui = GetCurrentThreadId();
  std::atomic<bool> done{false};
  std::thread t([&] {
    hand(ui);
    done = true;
  });
  while (!done) PumpMessages(10);
  t.join();
  PumpMessages(60);
}

// One step of the hand: the pointer to `at` with the buttons given, then a hand's pause.
inline void HandStep(POINT at, DWORD buttons = 0) {
  INPUT i = PointerInput(at, buttons);
  SendInput(1, &i, sizeof(INPUT));
  Sleep(20);
}

// What the hand waits for after pressing: that the window's thread took the pointer (a drag on
// a frame's edge or caption, where it must), or only a hand's pause (anywhere else).
enum class TAfterPress { PointerTaken, Pause };

// Presses the left button at `from`, moves by way of the middle to `to` and lets go there.
// False when the window's thread was to take the pointer and did not in a generous time.
inline bool DragAsUser(POINT from, POINT to, TAfterPress after = TAfterPress::PointerTaken) {
  bool taken = true;
  WithHand([&](DWORD ui) {
    HandStep(from);
    HandStep(from, MOUSEEVENTF_LEFTDOWN);
    if (after == TAfterPress::PointerTaken) {
      const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
      while (!PointerTaken(ui) && std::chrono::steady_clock::now() < end) Sleep(5);
      taken = PointerTaken(ui);
    }
    HandStep({(from.x + to.x) / 2, (from.y + to.y) / 2});
    HandStep(to);
    HandStep(to, MOUSEEVENTF_LEFTUP);
  });
  return taken;
}

// One click or a double click of the left button at `at`, at a hand's pace.
inline void ClickAsUser(POINT at, int clicks = 1) {
  WithHand([&](DWORD) {
    HandStep(at);
    for (int i = 0; i < clicks; ++i) {
      HandStep(at, MOUSEEVENTF_LEFTDOWN);
      HandStep(at, MOUSEEVENTF_LEFTUP);
    }
  });
}

// A point of `box` (window coordinates, frame included) that the window hits as `code` and
// that lies in the window's shape, where a press reaches the window and not the one beneath.
inline std::optional<POINT> FindHit(HWND window, int code, const RECT& box) {
  RECT r;
  GetWindowRect(window, &r);
  std::unique_ptr<std::remove_pointer_t<HRGN>, decltype(&DeleteObject)> shape(CreateRectRgn(0, 0, 0, 0),
                                                                             &DeleteObject);
  const bool shaped = GetWindowRgn(window, shape.get()) != ERROR;
  for (int y = box.top; y < box.bottom; ++y)
    for (int x = box.left; x < box.right; ++x) {
      const LPARAM at = MAKELPARAM(WORD(short(r.left + x)), WORD(short(r.top + y)));
      if (SendMessageW(window, WM_NCHITTEST, 0, at) == code && (!shaped || PtInRegion(shape.get(), x, y)))
        return POINT{x, y};
    }
  return std::nullopt;
}

// A point of a window's frame hit as `code`, in window coordinates: searched in the corner's
// square, across the middle of an edge, or in `caption` for HTCAPTION.
inline std::optional<POINT> FramePoint(HWND window, int code, const RECT& caption) {
  RECT r;
  GetWindowRect(window, &r);
  const int W = r.right - r.left, H = r.bottom - r.top, n = 24;
  switch (code) {
    case HTTOPLEFT: return FindHit(window, code, {0, 0, n, n});
    case HTTOPRIGHT: return FindHit(window, code, {W - n, 0, W, n});
    case HTBOTTOMLEFT: return FindHit(window, code, {0, H - n, n, H});
    case HTBOTTOMRIGHT: return FindHit(window, code, {W - n, H - n, W, H});
    case HTLEFT: return FindHit(window, code, {0, H / 2, n, H / 2 + 1});
    case HTRIGHT: return FindHit(window, code, {W - n, H / 2, W, H / 2 + 1});
    case HTTOP: return FindHit(window, code, {W / 2, 0, W / 2 + 1, n});
    case HTBOTTOM: return FindHit(window, code, {W / 2, H - n, W / 2 + 1, H});
    default: return FindHit(window, code, caption);
  }
}

}  // namespace spv::test
