#pragma once
// INI files by section and key, over the system's profile functions.

#include <string>
#include <string_view>
#include <vector>

namespace spv::platform {

class TIniFile {
 public:
  // A relative name is taken from the current folder (the profile functions alone would look
  // in the Windows folder).
  explicit TIniFile(std::wstring_view fileName);
  const std::wstring& FileName() const { return FileName_; }

  std::wstring ReadString(std::wstring_view section, std::wstring_view key, std::wstring_view defaultValue) const;
  // Creates the file, the section and the key as needed. A new file is written as UTF-16, so
  // that any folder name survives whatever the system's code page is.
  void WriteString(std::wstring_view section, std::wstring_view key, std::wstring_view value);
  int ReadInteger(std::wstring_view section, std::wstring_view key, int defaultValue) const;
  void WriteInteger(std::wstring_view section, std::wstring_view key, int value);
  bool ReadBool(std::wstring_view section, std::wstring_view key, bool defaultValue) const;
  void WriteBool(std::wstring_view section, std::wstring_view key, bool value);

  bool SectionExists(std::wstring_view section) const;
  bool ValueExists(std::wstring_view section, std::wstring_view key) const;
  // The keys of a section, in file order.
  std::vector<std::wstring> ReadSection(std::wstring_view section) const;
  std::vector<std::wstring> ReadSections() const;
  void EraseSection(std::wstring_view section);
  void DeleteKey(std::wstring_view section, std::wstring_view key);
  // Writes cached changes to disk.
  void UpdateFile();

 private:
  std::wstring Read(const wchar_t* section, const wchar_t* key, std::wstring_view defaultValue) const;
  void Write(const wchar_t* section, const wchar_t* key, const wchar_t* value);
  std::wstring FileName_;
};

}  // namespace spv::platform
