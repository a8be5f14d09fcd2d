#include "app/Settings.h"

#include "app/ReportFile.h"
#include "app/SettingsEncoding.h"
#include "app/Utf8Path.h"

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <system_error>
#include <vector>

namespace spv::app {
namespace {

constexpr std::string_view kSection = "Settings";
constexpr std::string_view kBasesKey = "Bases";
constexpr std::string_view kReportsKey = "Reports";

std::string_view Trimmed(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// One line of an INI text, as far as this file cares.
struct Line {
  std::string_view text;   // without its line break
  std::string_view section;  // set on a "[name]" line
  std::string_view key, value;  // set on a "key=value" line
  bool isSection = false, isKey = false;
};

Line Parse(std::string_view text) {
  Line line;
  line.text = text;
  const std::string_view t = Trimmed(text);
  if (t.size() >= 2 && t.front() == '[') {
    const std::size_t close = t.find(']');
    if (close != std::string_view::npos) {
      line.isSection = true;
      line.section = Trimmed(t.substr(1, close - 1));
      return line;
    }
  }
  if (t.empty() || t.front() == ';') return line;
  const std::size_t eq = t.find('=');
  if (eq == std::string_view::npos) return line;
  line.isKey = true;
  line.key = Trimmed(t.substr(0, eq));
  line.value = Trimmed(t.substr(eq + 1));
  return line;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    if (end == std::string_view::npos) {
      lines.push_back(text);
      break;
    }
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    text.remove_prefix(end + 1);
  }
  return lines;
}

std::string Unquoted(std::string_view value) {
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"') value = value.substr(1, value.size() - 2);
  return std::string(value);
}

std::string Quoted(std::string_view value) {
  const bool needs = !value.empty() && (value != Trimmed(value) || value.front() == '"' || value.back() == '"');
  return needs ? '"' + std::string(value) + '"' : std::string(value);
}

// The file as it is; empty when there is none; nullopt when it exists but cannot be read, so
// that it is never replaced by a file that has lost its other lines.
std::optional<std::string> ReadAll(const std::filesystem::path& file) {
  std::error_code ec;
  if (!std::filesystem::exists(file, ec) && !ec) return std::string();
  if (ec || !std::filesystem::is_regular_file(file, ec)) return std::nullopt;
  std::ifstream in(file, std::ios::binary);
  std::string text(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>{});
  if (!in && !in.eof()) return std::nullopt;
  return text;
}

}  // namespace

std::filesystem::path SettingsPathFor(const std::filesystem::path& executable) {
  std::filesystem::path ini = executable;
  ini.replace_extension(".ini");
  return ini;
}

std::optional<std::string> IniValue(std::string_view ini, std::string_view section, std::string_view key) {
  bool inSection = false;
  for (std::string_view text : SplitLines(ini)) {
    const Line line = Parse(text);
    if (line.isSection) inSection = EqualNoCase(line.section, section);
    else if (inSection && line.isKey && EqualNoCase(line.key, key)) return Unquoted(line.value);
  }
  return std::nullopt;
}

std::string WithIniValue(std::string_view ini, std::string_view section, std::string_view key,
                         std::string_view value) {
  // A line break would end the value and start a line of its own in the file.
  if (value.find_first_of("\r\n") != std::string_view::npos)
    throw std::invalid_argument("The value of " + std::string(key) + " cannot hold a line break");
  const std::vector<std::string_view> lines = SplitLines(ini);
  const std::string entry = std::string(key) + '=' + Quoted(value);
  std::vector<std::string> out;
  out.reserve(lines.size() + 2);
  bool inSection = false, done = false;
  std::size_t sectionEnd = 0;  // where a missing key of the section goes: after its last key
  bool sectionFound = false;
  for (std::string_view text : lines) {
    const Line line = Parse(text);
    if (line.isSection) {
      inSection = EqualNoCase(line.section, section);
      if (inSection && !sectionFound) {
        sectionFound = true;
        out.emplace_back(text);
        sectionEnd = out.size();
        continue;
      }
    } else if (inSection && line.isKey) {
      if (!done && EqualNoCase(line.key, key)) {
        out.push_back(entry);
        done = true;
      } else {
        out.emplace_back(text);
      }
      sectionEnd = out.size();
      continue;
    }
    out.emplace_back(text);
  }
  if (!done) {
    if (sectionFound) {
      out.insert(out.begin() + std::ptrdiff_t(sectionEnd), entry);
    } else {
      out.push_back('[' + std::string(section) + ']');
      out.push_back(entry);
    }
  }
  std::string result;
  for (const std::string& line : out) result += line + "\r\n";
  return result;
}

std::string ReadSettingsText(const std::filesystem::path& file) {
  return DecodeSettingsText(ReadAll(file).value_or(std::string())).Utf8;
}

TSettings ReadSetting(const std::filesystem::path& file) { return SettingsOf(ReadSettingsText(file)); }

TSettings SettingsOf(std::string_view ini) {
  TSettings settings;
  if (auto bases = IniValue(ini, kSection, kBasesKey)) settings.Bases = *bases;
  if (auto reports = IniValue(ini, kSection, kReportsKey)) settings.Reports = *reports;
  return settings;
}

namespace {

// Puts `transform` of the file's text in its place: written beside it and renamed over it, so
// a failure never leaves a half-written file behind.
template <typename Transform>
void RewriteSettings(const std::filesystem::path& file, Transform transform) {
  const auto fail = [&] { return std::runtime_error("Unable to write to " + PathUtf8(file)); };
  const std::optional<std::string> old = ReadAll(file);
  if (!old) throw fail();
  // Written back in the encoding it was read in (a new file, empty, reads as UTF-8); a value
  // that encoding cannot hold makes it UTF-8 with its mark, which holds everything.
  const TSettingsText oldText = DecodeSettingsText(*old);
  const std::string ini = transform(oldText.Utf8);
  const TSettingsEncoding encoding =
      SettingsEncodingHolds(oldText.Encoding, ini) ? oldText.Encoding : TSettingsEncoding::Utf8Bom;
  const std::string bytes = EncodeSettingsText(ini, encoding);

  if (WriteFileReplacing(file, bytes)) throw fail();
}

}  // namespace

void WriteSetting(const std::filesystem::path& file, const TSettings& settings) {
  RewriteSettings(file, [&](const std::string& old) {
    return WithIniValue(WithIniValue(old, kSection, kBasesKey, settings.Bases), kSection, kReportsKey,
                        settings.Reports);
  });
}

std::optional<std::string> ReadSettingKey(const std::filesystem::path& file, std::string_view key) {
  return SettingKeyOf(ReadSettingsText(file), key);
}

std::optional<std::string> SettingKeyOf(std::string_view ini, std::string_view key) {
  return IniValue(ini, kSection, key);
}

void WriteSettingKey(const std::filesystem::path& file, std::string_view key, std::string_view value) {
  RewriteSettings(file, [&](const std::string& old) { return WithIniValue(old, kSection, key, value); });
}

}  // namespace spv::app
