#pragma once
// Taking over the messages of any window, by its window procedure: the previous procedure is
// saved, the handler sees every message first and calls the saved one when it wants to, and
// the saved procedure is put back when the hook is destroyed. Several hooks may sit on one
// window and go away in any order; a window destroyed under a hook simply ends it.

#include <windows.h>

#include "platform/Controls.h"

#include <functional>

namespace spv::platform {

class TWindowHook {
 public:
  using THandler = std::function<void(TMessage& message)>;

  TWindowHook(HWND window, THandler handler);
  TWindowHook(const TWindowHook&) = delete;
  TWindowHook& operator=(const TWindowHook&) = delete;
  ~TWindowHook();

  // The window, or null once it has been destroyed.
  HWND Window() const { return Window_; }
  // Hands the message on to what was there before this hook.
  void CallPrevious(TMessage& message) const;

 private:
  struct TChain;
  static LRESULT CALLBACK HookProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

  HWND Window_;
  THandler Handler_;
};

}  // namespace spv::platform
