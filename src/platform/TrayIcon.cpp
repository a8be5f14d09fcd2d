#include "platform/TrayIcon.h"

#include "platform/SysUtils.h"
#include "platform/SystemLibraries.h"

#include <shellapi.h>

namespace spv::platform {

namespace {
class TSystemShell : public TNotifyIconShell {
 public:
  bool NotifyIcon(DWORD message, const NOTIFYICONDATAW& data) override {
    static const auto notify = SystemFunction<decltype(&::Shell_NotifyIconW)>(kShellLibrary, "Shell_NotifyIconW");
    NOTIFYICONDATAW copy = data;
    return notify(message, &copy) != FALSE;
  }
  UINT TaskbarCreatedMessage() override { return RegisterWindowMessageW(L"TaskbarCreated"); }
};

TNotifyIconShell* Current = nullptr;
}  // namespace

TNotifyIconShell& NotifyIconShell() {
  static TSystemShell system;
  return Current ? *Current : system;
}

void SetNotifyIconShell(TNotifyIconShell* shell) { Current = shell; }

THiddenWindow::THiddenWindow(Handler handler) : Handler_(std::move(handler)) {
  static const wchar_t* name = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &THiddenWindow::WndProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"SpinvoltHiddenWindow";
    RegisterClassExW(&wc);
    return L"SpinvoltHiddenWindow";
  }();
  Window_ = CreateWindowExW(WS_EX_TOOLWINDOW, name, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
  if (!Window_) RaiseLastOSError("Creating a hidden window");
  SetWindowLongPtrW(Window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

THiddenWindow::~THiddenWindow() {
  SetWindowLongPtrW(Window_, GWLP_USERDATA, 0);
  DestroyWindow(Window_);
}

LRESULT CALLBACK THiddenWindow::WndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<THiddenWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self && self->Handler_) {
    bool handled = false;
    const LRESULT result = self->Handler_(msg, wParam, lParam, handled);
    if (handled) return result;
  }
  return DefWindowProcW(window, msg, wParam, lParam);
}

}  // namespace spv::platform
