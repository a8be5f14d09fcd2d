#pragma once
// Functions of the system libraries the program needs only now and then: the shell's (the
// folder chooser, the tray icon, a command line with arguments), OLE's and the common dialogs'
// (Save As). Each library is loaded at the first call of one of its functions instead of with
// the program: loading one, with all it loads and sets up in turn, costs every start its time.

#include <windows.h>

namespace spv::platform {

inline constexpr wchar_t kShellLibrary[] = L"shell32.dll";
inline constexpr wchar_t kOleLibrary[] = L"ole32.dll";
inline constexpr wchar_t kCommonDialogLibrary[] = L"comdlg32.dll";

// The address of `name` in the system library `library`, which is loaded from the system
// folder if it is not yet and stays loaded. Raises EOSError when either is not found.
FARPROC SystemProcedure(const wchar_t* library, const char* name);

// `name` as the function the system's headers declare, e.g.
//   static const auto open = SystemFunction<decltype(&::ShellExecuteW)>(kShellLibrary, "ShellExecuteW");
template <typename Function>
Function SystemFunction(const wchar_t* library, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(SystemProcedure(library, name)));
}

}  // namespace spv::platform
