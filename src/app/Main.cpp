#include "app/Main.h"

namespace spv::app {
namespace {

constexpr wchar_t kClassName[] = L"TFRM_SPV";
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;

LRESULT CALLBACK MainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window, &ps);
      FillRect(dc, &ps.rcPaint, GetSysColorBrush(COLOR_BTNFACE));
      EndPaint(window, &ps);
      return 0;
    }
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

HWND CreateMainWindow(HINSTANCE instance) {
  WNDCLASSEXW wc{};
  if (!GetClassInfoExW(instance, kClassName, &wc)) {
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = MainProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    wc.hIcon = LoadIconW(nullptr, MAKEINTRESOURCEW(32512));      // IDI_APPLICATION
    wc.lpszClassName = kClassName;
    if (!RegisterClassExW(&wc)) return nullptr;
  }

  RECT frame{0, 0, kClientWidth, kClientHeight};
  AdjustWindowRectEx(&frame, kStyle, FALSE, 0);
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  RECT work;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int left = work.left + (work.right - work.left - width) / 2;
  const int top = work.top + (work.bottom - work.top - height) / 2;
  return CreateWindowExW(0, kClassName, L"Quorvane Spinvolt", kStyle, left, top, width, height,
                         nullptr, nullptr, instance, nullptr);
}

}  // namespace spv::app
