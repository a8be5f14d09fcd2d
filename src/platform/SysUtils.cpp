#include "platform/SysUtils.h"

#include <climits>

namespace spv::platform {
namespace {

std::wstring ToWide(UINT codePage, DWORD flags, std::string_view text) {
  if (text.empty()) return {};
  if (text.size() > std::size_t(INT_MAX)) throw Exception(std::string("The text is too long to convert"));
  const int n = MultiByteToWideChar(codePage, flags, text.data(), int(text.size()), nullptr, 0);
  if (n <= 0) RaiseLastOSError("Converting a text to UTF-16");
  std::wstring out(std::size_t(n), L'\0');
  MultiByteToWideChar(codePage, flags, text.data(), int(text.size()), out.data(), n);
  return out;
}

std::string FromWide(UINT codePage, std::wstring_view text) {
  if (text.empty()) return {};
  if (text.size() > std::size_t(INT_MAX)) throw Exception(std::string("The text is too long to convert"));
  // UTF-8 takes no default character; 1251 gets '?' for what it cannot hold.
  const char* fallback = codePage == CP_UTF8 ? nullptr : "?";
  const int n = WideCharToMultiByte(codePage, 0, text.data(), int(text.size()), nullptr, 0, fallback, nullptr);
  if (n <= 0) RaiseLastOSError("Converting a text from UTF-16");
  std::string out(std::size_t(n), '\0');
  WideCharToMultiByte(codePage, 0, text.data(), int(text.size()), out.data(), n, fallback, nullptr);
  return out;
}

std::string SystemMessage(DWORD code) {
  wchar_t* buffer = nullptr;
  const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                 nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text = n && buffer ? std::wstring(buffer, n) : std::wstring();
  if (buffer) LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ' || text.back() == L'.'))
    text.pop_back();
  return text.empty() ? "system error" : WideToUtf8(text);
}

}  // namespace

Exception::Exception(const std::string& utf8Message) : std::runtime_error(utf8Message) {}
Exception::Exception(std::wstring_view message) : std::runtime_error(WideToUtf8(message)) {}
std::wstring Exception::Message() const { return Utf8ToWide(what()); }

EOSError::EOSError(std::string_view what, DWORD code)
    : Exception(std::string(what) + ": " + SystemMessage(code) + " (code " + std::to_string(code) + ")"), Code_(code) {}

void RaiseLastOSError(std::string_view what) { throw EOSError(what, GetLastError()); }

std::wstring Utf8ToWide(std::string_view text) { return ToWide(CP_UTF8, 0, text); }
std::string WideToUtf8(std::wstring_view text) { return FromWide(CP_UTF8, text); }
std::wstring Cp1251ToWide(std::string_view text) { return ToWide(1251, 0, text); }
std::string WideToCp1251(std::wstring_view text) { return FromWide(1251, text); }

std::wstring ExceptionText(const std::exception& error) {
  const std::string_view text = error.what();
  if (text.empty()) return {};
  if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), int(text.size()), nullptr, 0) > 0)
    return Utf8ToWide(text);
  return Cp1251ToWide(text);
}

bool DirectoryExists(const std::wstring& path) {
  const DWORD a = GetFileAttributesW(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace spv::platform
