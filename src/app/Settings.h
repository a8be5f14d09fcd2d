#pragma once
// The settings file: the executable's path with the extension ".ini", section "Settings",
// keys "Bases" and "Reports". Values are kept exactly as the user typed them.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace spv::app {

struct TSettings {
  std::string Bases = "C:\\Quorvane";
  std::string Reports = "C:\\Quorvane\\Report";
  friend bool operator==(const TSettings&, const TSettings&) = default;
};

// "C:\Tools\spinvolt.exe" gives "C:\Tools\spinvolt.ini".
std::filesystem::path SettingsPathFor(const std::filesystem::path& executable);

// The value of a key of an INI text. Section and key names match whatever their letter case;
// blanks around names and values do not count, and one pair of double quotes around a value
// is taken off. nullopt when the section or the key is missing.
std::optional<std::string> IniValue(std::string_view ini, std::string_view section, std::string_view key);

// The INI text with the key set to the value: the key's line is replaced where it is, or
// added at the end of its section, or a new section is added at the end. Every other line
// stays as it was. A value with blanks at either end, or in quotes, is written in quotes so
// that it reads back as it was given. A value with a line break throws std::invalid_argument.
std::string WithIniValue(std::string_view ini, std::string_view section, std::string_view key,
                         std::string_view value);

// Reads both keys, in whichever encoding the file is (app/SettingsEncoding.h); a missing file,
// section or key gives the default of that key.
TSettings ReadSetting(const std::filesystem::path& file);

// The same in two steps, for a reader that wants more keys of one read of the file: the file's
// text in UTF-8 (empty when there is none), then the two keys of that text.
std::string ReadSettingsText(const std::filesystem::path& file);
TSettings SettingsOf(std::string_view ini);

// Writes both keys, keeping whatever else the file holds, in the encoding the file was in (a
// new file: UTF-8 without a mark; a value that encoding cannot hold: UTF-8 with a mark). The
// new file is written beside the old one and then put in its place, so a failure never leaves
// a half-written file behind.
// Throws std::runtime_error("Unable to write to <file>") when the file cannot be written, and
// std::invalid_argument for a value with a line break, which no single-line edit gives.
void WriteSetting(const std::filesystem::path& file, const TSettings& settings);

// The window's own choices, each kept under a key of its own in the same section and written
// only when the user changes it: the folder of the last report saved, and whether the grid
// shows only the discrepancies ("1") or every row ("0").
inline constexpr std::string_view kSaveFolderKey = "SaveFolder";
inline constexpr std::string_view kOnlyDiscrepanciesKey = "OnlyDiscrepancies";

// One key of the section; nullopt when the file, the section or the key is missing.
std::optional<std::string> ReadSettingKey(const std::filesystem::path& file, std::string_view key);
// One key of the section of a settings text read by ReadSettingsText.
std::optional<std::string> SettingKeyOf(std::string_view ini, std::string_view key);
// Writes one key and nothing else: every other line of the file stays as it was, in the file's
// encoding as WriteSetting keeps it. Fails as WriteSetting does.
void WriteSettingKey(const std::filesystem::path& file, std::string_view key, std::string_view value);

}  // namespace spv::app
