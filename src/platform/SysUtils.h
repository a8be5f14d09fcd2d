#pragma once
// Errors and text: the exception every layer of the window code raises, and the conversions
// between the program's single-byte text (Windows-1251), UTF-8 and the wide API.

#include <windows.h>

#include <stdexcept>
#include <string>
#include <string_view>

namespace spv::platform {

// An error with a message for the user. what() is UTF-8; Message() is the same text for the
// wide API.
class Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& utf8Message);
  explicit Exception(std::wstring_view message);
  std::wstring Message() const;
};

// A failed system call: the message names what was being done, then the system's own words.
class EOSError : public Exception {
 public:
  EOSError(std::string_view what, DWORD code);
  DWORD ErrorCode() const { return Code_; }

 private:
  DWORD Code_;
};

// Raises EOSError for GetLastError().
[[noreturn]] void RaiseLastOSError(std::string_view what);

// A text that does not convert: a date or number the user typed, an unknown identifier.
class EConvertError : public Exception {
 public:
  using Exception::Exception;
};

std::wstring Utf8ToWide(std::string_view text);
std::string WideToUtf8(std::wstring_view text);

// The program's own texts and the skin's are Windows-1251 whatever the system's ANSI code page
// is, so the code page is always named explicitly. Characters that 1251 cannot hold become '?'.
std::wstring Cp1251ToWide(std::string_view text);
std::string WideToCp1251(std::wstring_view text);

// Whether a path names an existing directory (wide, so that any name is found).
bool DirectoryExists(const std::wstring& path);

// The text of any exception for the user: what() read as UTF-8 (bytes that are not UTF-8 are
// taken as Windows-1251, the other encoding our layers use).
std::wstring ExceptionText(const std::exception& error);

}  // namespace spv::platform
