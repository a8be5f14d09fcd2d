#include "platform/SystemLibraries.h"

#include "platform/SysUtils.h"

#include <string>

namespace spv::platform {

FARPROC SystemProcedure(const wchar_t* library, const char* name) {
  // From the system folder by its full name: never a library of that name beside the program.
  wchar_t folder[MAX_PATH];
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) RaiseLastOSError("Finding the system folder");
  const std::wstring path = std::wstring(folder, length) + L"\\" + library;
  const HMODULE module = LoadLibraryW(path.c_str());
  if (!module) RaiseLastOSError("Loading " + WideToUtf8(library));
  const FARPROC procedure = GetProcAddress(module, name);
  if (!procedure) RaiseLastOSError(std::string("Finding ") + name + " in " + WideToUtf8(library));
  return procedure;
}

}  // namespace spv::platform
