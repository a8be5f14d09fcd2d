// The program block: initialise the application, create the main window, run the message loop
// until it closes.
#include "app/Main.h"

#include "platform/Forms.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  auto& application = spv::platform::Application();
  application.Initialize();
  application.CreateForm<spv::app::TFRM_SPV>();
  application.Run();
  return 0;
}
