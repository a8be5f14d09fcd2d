#include "platform/IniFiles.h"

#include "platform/SysUtils.h"

#include <windows.h>

#include <charconv>
#include <climits>

namespace spv::platform {
namespace {

std::vector<std::wstring> SplitNulList(const std::wstring& list) {
  std::vector<std::wstring> out;
  std::size_t start = 0;
  while (start < list.size() && list[start]) {
    const std::size_t end = list.find(L'\0', start);
    out.push_back(list.substr(start, end - start));
    if (end == std::wstring::npos) break;
    start = end + 1;
  }
  return out;
}

}  // namespace

TIniFile::TIniFile(std::wstring_view fileName) {
  std::wstring name(fileName);
  const DWORD n = GetFullPathNameW(name.c_str(), 0, nullptr, nullptr);
  if (n == 0) RaiseLastOSError("Finding the INI file " + WideToUtf8(name));
  std::wstring full(n, L'\0');
  full.resize(GetFullPathNameW(name.c_str(), n, full.data(), nullptr));
  FileName_ = full;
}

std::wstring TIniFile::Read(const wchar_t* section, const wchar_t* key, std::wstring_view defaultValue) const {
  const std::wstring fallback(defaultValue);
  std::wstring buffer(256, L'\0');
  while (true) {
    const DWORD n = GetPrivateProfileStringW(section, key, fallback.c_str(), buffer.data(), DWORD(buffer.size()),
                                             FileName_.c_str());
    // A full buffer may mean a cut value (or list): try again with more room.
    const DWORD room = DWORD(buffer.size()) - ((section && key) ? 1 : 2);
    if (n < room) {
      buffer.resize(n);
      return buffer;
    }
    buffer.resize(buffer.size() * 2);
  }
}

void TIniFile::Write(const wchar_t* section, const wchar_t* key, const wchar_t* value) {
  if (section && key && value && GetFileAttributesW(FileName_.c_str()) == INVALID_FILE_ATTRIBUTES) {
    // A UTF-16 file from the start: the profile functions then keep every character.
    HANDLE file = CreateFileW(FileName_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      static constexpr unsigned char kBom[] = {0xFF, 0xFE};
      DWORD written = 0;
      WriteFile(file, kBom, sizeof kBom, &written, nullptr);
      CloseHandle(file);
    }
  }
  if (!WritePrivateProfileStringW(section, key, value, FileName_.c_str()))
    RaiseLastOSError("Writing the INI file " + WideToUtf8(FileName_));
}

std::wstring TIniFile::ReadString(std::wstring_view section, std::wstring_view key, std::wstring_view defaultValue) const {
  return Read(std::wstring(section).c_str(), std::wstring(key).c_str(), defaultValue);
}

void TIniFile::WriteString(std::wstring_view section, std::wstring_view key, std::wstring_view value) {
  Write(std::wstring(section).c_str(), std::wstring(key).c_str(), std::wstring(value).c_str());
}

int TIniFile::ReadInteger(std::wstring_view section, std::wstring_view key, int defaultValue) const {
  const std::string text = WideToUtf8(ReadString(section, key, L""));
  std::string_view digits = text;
  while (!digits.empty() && digits.front() == ' ') digits.remove_prefix(1);
  while (!digits.empty() && digits.back() == ' ') digits.remove_suffix(1);
  int base = 10;
  bool negative = false;
  if (!digits.empty() && digits.front() == '-') {
    negative = true;
    digits.remove_prefix(1);
  }
  if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
    base = 16;
    digits.remove_prefix(2);
  } else if (!digits.empty() && digits[0] == '$') {
    base = 16;
    digits.remove_prefix(1);
  }
  if (digits.empty()) return defaultValue;
  long long wide = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), wide, base);
  if (error != std::errc() || end != digits.data() + digits.size()) return defaultValue;
  if (negative) wide = -wide;
  if (wide < INT_MIN || wide > INT_MAX) return defaultValue;
  return int(wide);
}

void TIniFile::WriteInteger(std::wstring_view section, std::wstring_view key, int value) {
  WriteString(section, key, std::to_wstring(value));
}

bool TIniFile::ReadBool(std::wstring_view section, std::wstring_view key, bool defaultValue) const {
  return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void TIniFile::WriteBool(std::wstring_view section, std::wstring_view key, bool value) {
  WriteString(section, key, value ? L"1" : L"0");
}

bool TIniFile::SectionExists(std::wstring_view section) const { return !ReadSection(section).empty(); }

bool TIniFile::ValueExists(std::wstring_view section, std::wstring_view key) const {
  for (const auto& k : ReadSection(section))
    if (CompareStringOrdinal(k.data(), int(k.size()), key.data(), int(key.size()), TRUE) == CSTR_EQUAL) return true;
  return false;
}

std::vector<std::wstring> TIniFile::ReadSection(std::wstring_view section) const {
  return SplitNulList(Read(std::wstring(section).c_str(), nullptr, L""));
}

std::vector<std::wstring> TIniFile::ReadSections() const { return SplitNulList(Read(nullptr, nullptr, L"")); }

void TIniFile::EraseSection(std::wstring_view section) { Write(std::wstring(section).c_str(), nullptr, nullptr); }

void TIniFile::DeleteKey(std::wstring_view section, std::wstring_view key) {
  Write(std::wstring(section).c_str(), std::wstring(key).c_str(), nullptr);
}

void TIniFile::UpdateFile() { WritePrivateProfileStringW(nullptr, nullptr, nullptr, FileName_.c_str()); }

}  // namespace spv::platform
