#include "tools/console/Console.h"

#include "base/CodePage.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

namespace spv::tools {
namespace {

std::string Utf8(const wchar_t* text) {
  return spv::base::Utf16ToUtf8(reinterpret_cast<const char16_t*>(text));
}

}  // namespace

std::vector<std::string> Utf8Arguments(int, char**) {
  int count = 0;
  wchar_t** args = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> result;
  if (!args) return result;
  for (int i = 1; i < count; ++i) result.push_back(Utf8(args[i]));
  LocalFree(args);
  return result;
}

void PrepareConsole() {
  SetConsoleOutputCP(CP_UTF8);
  SetConsoleCP(CP_UTF8);
  for (DWORD which : {STD_OUTPUT_HANDLE, STD_ERROR_HANDLE}) {
    HANDLE handle = GetStdHandle(which);
    DWORD mode = 0;
    if (GetConsoleMode(handle, &mode)) SetConsoleMode(handle, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
  }
}

void UseBinaryStdio() {
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stdin), _O_BINARY);
}

bool IsTerminal(std::FILE* stream) { return _isatty(_fileno(stream)) != 0; }

std::filesystem::path ExecutablePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

spv::base::TDateTime Today() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return *spv::base::EncodeDate(now.wYear, now.wMonth, now.wDay);
}

}  // namespace spv::tools
