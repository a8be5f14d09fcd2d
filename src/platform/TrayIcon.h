#pragma once
// The notification area as the program reaches it: one call to add, modify or delete an icon,
// the message the shell broadcasts when its task bar is created again, and a hidden window
// that receives the icon's callback messages. The shell is behind an interface, so that a test
// can stand in for it and see every call.

#include <windows.h>

#include <shellapi.h>

#include <functional>
#include <memory>

namespace spv::platform {

class TNotifyIconShell {
 public:
  virtual ~TNotifyIconShell() = default;
  // Shell_NotifyIcon: NIM_ADD, NIM_MODIFY or NIM_DELETE with the icon's record.
  virtual bool NotifyIcon(DWORD message, const NOTIFYICONDATAW& data) = 0;
  // The "TaskbarCreated" message number.
  virtual UINT TaskbarCreatedMessage() = 0;
};

// The shell the program talks to: the real one unless a test put its own in place.
TNotifyIconShell& NotifyIconShell();
// Puts `shell` in place (null: the real shell again); the caller keeps it alive meanwhile.
void SetNotifyIconShell(TNotifyIconShell* shell);

// A hidden top-level window whose messages go to a handler; a handler that leaves `handled`
// false passes the message to the default window procedure.
class THiddenWindow {
 public:
  using Handler = std::function<LRESULT(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled)>;
  explicit THiddenWindow(Handler handler);
  ~THiddenWindow();
  THiddenWindow(const THiddenWindow&) = delete;
  THiddenWindow& operator=(const THiddenWindow&) = delete;
  HWND Handle() const { return Window_; }

 private:
  static LRESULT CALLBACK WndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
  HWND Window_ = nullptr;
  Handler Handler_;
};

}  // namespace spv::platform
