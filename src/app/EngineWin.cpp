#include "app/EngineWin.h"

#include "platform/Forms.h"

#include <windows.h>

namespace spv::app {

void PumpAndSleep(int milliseconds) {
  // The application's own pump: the program's keyboard handling, its error report and the
  // freeing of released forms (a cancelled progress dialog) happen during a read as at any
  // other time. A quit request ends the message loop of the program block when it gets back.
  platform::Application().ProcessMessages();
  if (milliseconds > 0) Sleep(DWORD(milliseconds));
}

}  // namespace spv::app
