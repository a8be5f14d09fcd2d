// The program block: create the main window and run the message loop until it closes.
#include "app/Main.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  HWND main = spv::app::CreateMainWindow(instance);
  if (!main) return 1;
  ShowWindow(main, show);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return int(msg.wParam);
}
