// The yardstick of the start-up benchmark: the least a Win32 program does to show a window.
// One plain window of the main window's client size, centred on the screen, painted with a
// fill and a line of text; nothing else is loaded or read. Built with the same compiler, flags
// and static run-time as the program it is compared with.
#include <windows.h>

namespace {

LRESULT CALLBACK PlainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window, &ps);
      FillRect(dc, &ps.rcPaint, GetSysColorBrush(COLOR_WINDOW));
      RECT client;
      GetClientRect(window, &client);
      DrawTextW(dc, L"Plain window", -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
      EndPaint(window, &ps);
      return 0;
    }
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = PlainWindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = L"SpvPlainWindow";
  if (!RegisterClassExW(&wc)) return 1;

  // The main window's client size: 604 x 529.
  const DWORD style = WS_OVERLAPPEDWINDOW;
  RECT r{0, 0, 604, 529};
  AdjustWindowRectEx(&r, style, FALSE, 0);
  const int width = r.right - r.left, height = r.bottom - r.top;
  HWND window = CreateWindowExW(0, wc.lpszClassName, L"Plain window", style,
                                (GetSystemMetrics(SM_CXSCREEN) - width) / 2, (GetSystemMetrics(SM_CYSCREEN) - height) / 2,
                                width, height, nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  ShowWindow(window, show);
  UpdateWindow(window);

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return int(msg.wParam);
}
