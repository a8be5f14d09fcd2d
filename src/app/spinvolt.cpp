// The program block: initialise the application, create the main window from its description
// (the stored skin loads as it is read, before FormCreate), hand it the command line, run the
// message loop until it closes.
#include "app/Main.h"

#include "base/UserLocale.h"
#include "platform/Forms.h"
#include "platform/SysUtils.h"
#include "platform/SystemLibraries.h"
#include "resources/ProgramForm.h"

#include <shellapi.h>

#include <memory>

namespace {

// Whether the command line holds more than the program's name, which is read as the system's
// parser reads it: up to the closing quote when it starts with one, else up to a blank.
bool HasArguments(const wchar_t* line) {
  const wchar_t* p = line;
  if (*p == L'"') {
    for (++p; *p && *p != L'"'; ++p) {
    }
    if (*p) ++p;
  } else {
    while (*p && *p != L' ' && *p != L'\t') ++p;
  }
  for (; *p; ++p)
    if (*p != L' ' && *p != L'\t') return true;
  return false;
}

// The arguments after the program's name, in UTF-8. Most starts have none: the system's parser,
// and the shell's library it lives in, are loaded only when there are some.
std::vector<std::string> Arguments() {
  const wchar_t* line = GetCommandLineW();
  if (!HasArguments(line)) return {};
  using spv::platform::SystemFunction;
  static const auto split =
      SystemFunction<decltype(&::CommandLineToArgvW)>(spv::platform::kShellLibrary, "CommandLineToArgvW");
  int count = 0;
  const std::unique_ptr<LPWSTR, decltype(&LocalFree)> argv(split(line, &count), &LocalFree);
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
