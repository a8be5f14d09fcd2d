// The program block: initialise the application, create the main window from its description
// (the stored skin loads as it is read, before FormCreate), run the message loop until it closes.
#include "app/Main.h"

#include "platform/Forms.h"
#include "resources/ProgramForm.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  auto& application = spv::platform::Application();
  application.Initialize();
  spv::app::TFRM_SPV::RegisterClasses();
  application.CreateForm<spv::app::TFRM_SPV>(spv::ProgramFormDescription());
  application.Run();
  return 0;
}
