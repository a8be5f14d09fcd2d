#include "app/EngineWin.h"

#include <windows.h>

namespace spv::app {

void PumpAndSleep(int milliseconds) {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    // A quit request belongs to the message loop of the program block, which ends on it.
    if (msg.message == WM_QUIT) {
      PostQuitMessage(int(msg.wParam));
      break;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  if (milliseconds > 0) Sleep(DWORD(milliseconds));
}

}  // namespace spv::app
