#include "QueryConsole.h"

#include "db/CodePage.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdio>

namespace spv::tools {
namespace {

std::string Utf8(const wchar_t* text) { return db::Utf16ToUtf8(reinterpret_cast<const char16_t*>(text)); }

}  // namespace

std::vector<std::string> QueryArguments(int, char**) {
  int count = 0;
  wchar_t** args = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> result;
  if (!args) return result;
  for (int i = 1; i < count; ++i) result.push_back(Utf8(args[i]));
  LocalFree(args);
  return result;
}

void PrepareQueryConsole() {
  SetConsoleOutputCP(CP_UTF8);
  SetConsoleCP(CP_UTF8);
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stdin), _O_BINARY);
}

std::string UserShortDateFormat() {
  wchar_t pattern[LOCALE_NAME_MAX_LENGTH * 2] = {};
  if (!GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SSHORTDATE, pattern, int(std::size(pattern))))
    return "dd.MM.yyyy";
  return Utf8(pattern);
}

}  // namespace spv::tools
