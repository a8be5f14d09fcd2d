// The program block: initialise the application, create the main window from its description
// (the stored skin loads as it is read, before FormCreate), hand it the command line, run the
// message loop until it closes.
#include "app/Main.h"

#include "base/UserLocale.h"
#include "platform/Forms.h"
#include "platform/SysUtils.h"
#include "resources/ProgramForm.h"

#include <shellapi.h>

#include <memory>

namespace {

// The arguments after the program's name, in UTF-8.
std::vector<std::string> Arguments() {
  int count = 0;
  const std::unique_ptr<LPWSTR, decltype(&LocalFree)> argv(CommandLineToArgvW(GetCommandLineW(), &count), &LocalFree);
  std::vector<std::string> arguments;
  for (int i = 1; argv && i < count; ++i) arguments.push_back(spv::platform::WideToUtf8(argv.get()[i]));
  return arguments;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  auto& application = spv::platform::Application();
  application.Initialize();
  spv::app::TFRM_SPV::RegisterClasses();
  auto* form = application.CreateForm<spv::app::TFRM_SPV>(spv::ProgramFormDescription());
  form->ApplyCommandLine(spv::app::ParseCommandLine(Arguments(), spv::base::UserLocale().ShortDateFormat));
  application.Run();
  return 0;
}
