#include "skin/resources/bsSkinDataIni.h"

#include <array>
#include <charconv>
#include <limits>

namespace bs {
namespace {

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  return out;
}

}  // namespace

std::vector<std::string> SplitSkinLines(std::string_view text) {
  if (const auto nul = text.find('\0'); nul != std::string_view::npos) text = text.substr(0, nul);
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.emplace_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

std::string_view TrimSkinText(std::string_view s) {
  std::size_t b = 0, e = s.size();
  while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
  while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
  return s.substr(b, e - b);
}

std::optional<int> ParseSkinInteger(std::string_view s) {
  bool negative = false;
  if (!s.empty() && (s[0] == '-' || s[0] == '+')) {
    negative = s[0] == '-';
    s.remove_prefix(1);
  }
  int base = 10;
  if (s.size() > 1 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
    base = 16;
    s.remove_prefix(2);
  } else if (!s.empty() && s[0] == '$') {
    base = 16;
    s.remove_prefix(1);
  }
  if (s.empty()) return std::nullopt;
  std::uint64_t v = 0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v, base);
  if (ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
  if (base == 16) {
    // Hexadecimal spells a 32-bit pattern: 0xFF00000F is the system colour it looks like.
    if (v > 0xFFFFFFFFull) return std::nullopt;
    const auto bits = std::uint32_t(negative ? 0u - std::uint32_t(v) : std::uint32_t(v));
    return std::int32_t(bits);
  }
  const std::uint64_t limit = negative ? std::uint64_t(std::numeric_limits<int>::max()) + 1
                                       : std::uint64_t(std::numeric_limits<int>::max());
  if (v > limit) return std::nullopt;
  return negative ? int(-std::int64_t(v)) : int(v);
}

void TbsMemIniFile::SetText(std::string_view text) {
  Sections_.clear();
  Index_.clear();
  TSection* open = nullptr;
  for (const std::string& raw : SplitSkinLines(text)) {
    const std::string_view line = TrimSkinText(raw);
    if (line.empty() || line[0] == ';') continue;
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      const std::string_view name = TrimSkinText(line.substr(1, line.size() - 2));
      // A section written again replaces the earlier one as a whole.
      EraseSection(name);
      open = &Obtain(name);
      continue;
    }
    if (!open) continue;
    const auto eq = line.find('=');
    if (eq == std::string_view::npos) continue;
    Put(*open, TrimSkinText(line.substr(0, eq)), TrimSkinText(line.substr(eq + 1)));
  }
}

std::vector<std::string> TbsMemIniFile::Lines() const {
  std::vector<std::string> lines;
  for (const TSection& s : Sections_) {
    lines.push_back("[" + s.Name + "]");
    for (const auto& [k, v] : s.Keys) lines.push_back(k + "=" + v);
    lines.emplace_back();
  }
  return lines;
}

std::string TbsMemIniFile::Text() const {
  std::string text;
  for (const std::string& line : Lines()) text += line + "\r\n";
  return text;
}

const TbsMemIniFile::TSection* TbsMemIniFile::Find(std::string_view section) const {
  const auto it = Index_.find(Lower(section));
  return it == Index_.end() ? nullptr : &Sections_[it->second];
}

TbsMemIniFile::TSection& TbsMemIniFile::Obtain(std::string_view section) {
  std::string key = Lower(section);
  if (const auto it = Index_.find(key); it != Index_.end()) return Sections_[it->second];
  Index_.emplace(std::move(key), Sections_.size());
  Sections_.push_back(TSection{std::string(section), {}, {}});
  return Sections_.back();
}

void TbsMemIniFile::Put(TSection& s, std::string_view key, std::string_view value) {
  std::string lower = Lower(key);
  if (const auto it = s.Index.find(lower); it != s.Index.end()) {
    s.Keys[it->second].second = std::string(value);
    return;
  }
  s.Index.emplace(std::move(lower), s.Keys.size());
  s.Keys.emplace_back(std::string(key), std::string(value));
}

bool TbsMemIniFile::SectionExists(std::string_view section) const { return Find(section) != nullptr; }

std::vector<std::string> TbsMemIniFile::Sections() const {
  std::vector<std::string> names;
  for (const TSection& s : Sections_) names.push_back(s.Name);
  return names;
}

std::optional<std::string> TbsMemIniFile::Value(std::string_view section, std::string_view key) const {
  const TSection* s = Find(section);
  if (!s) return std::nullopt;
  const auto it = s->Index.find(Lower(key));
  if (it == s->Index.end()) return std::nullopt;
  return s->Keys[it->second].second;
}

std::string TbsMemIniFile::ReadString(std::string_view section, std::string_view key, std::string_view def) const {
  auto v = Value(section, key);
  return v ? std::move(*v) : std::string(def);
}

std::vector<std::pair<std::string, std::string>> TbsMemIniFile::SectionValues(std::string_view section) const {
  const TSection* s = Find(section);
  return s ? s->Keys : std::vector<std::pair<std::string, std::string>>();
}

int TbsMemIniFile::ReadInteger(std::string_view section, std::string_view key, int def) const {
  const auto v = Value(section, key);
  if (!v) return def;
  return ParseSkinInteger(*v).value_or(def);
}

void TbsMemIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  Put(Obtain(section), key, value);
}

void TbsMemIniFile::WriteInteger(std::string_view section, std::string_view key, int value) {
  WriteString(section, key, std::to_string(value));
}

void TbsMemIniFile::EraseSection(std::string_view section) {
  const auto it = Index_.find(Lower(section));
  if (it == Index_.end()) return;
  Sections_.erase(Sections_.begin() + std::ptrdiff_t(it->second));
  Index_.clear();
  for (std::size_t i = 0; i < Sections_.size(); ++i) Index_.emplace(Lower(Sections_[i].Name), i);
}

// ---- value syntaxes -------------------------------------------------------------------

namespace {

template <std::size_t N>
std::array<int, N> ParseFields(std::string_view text, const char* what) {
  std::array<std::string, N> digits;
  std::size_t field = 0;
  for (char c : text) {
    if (c == ',') {
      if (++field >= N) throw ESkinValueError(std::string("'") + std::string(text) + "' has more fields than a " + what);
      continue;
    }
    if (c >= '0' && c <= '9') digits[field] += c;
  }
  std::array<int, N> values{};
  for (std::size_t i = 0; i < N; ++i) {
    const auto v = digits[i].empty() ? std::nullopt : ParseSkinInteger(digits[i]);
    if (!v) throw ESkinValueError(std::string("'") + std::string(text) + "' is not a valid " + what);
    values[i] = *v;
  }
  return values;
}

}  // namespace

TRect ParseRectText(std::string_view text) {
  const auto f = ParseFields<4>(text, "rectangle");
  return {f[0], f[1], f[2], f[3]};
}

TPoint ParsePointText(std::string_view text) {
  const auto f = ParseFields<2>(text, "point");
  return {f[0], f[1]};
}

TRect ReadRectKey(const TbsMemIniFile& ini, std::string_view section, std::string_view key) {
  return ParseRectText(ini.ReadString(section, key, "0,0,0,0"));
}

TPoint ReadPointKey(const TbsMemIniFile& ini, std::string_view section, std::string_view key) {
  return ParsePointText(ini.ReadString(section, key, "0,0"));
}

bool ReadFlagKey(const TbsMemIniFile& ini, std::string_view section, std::string_view key) {
  return ini.ReadInteger(section, key, 0) == 1;
}

TFontStyles ReadFontStyleKey(const TbsMemIniFile& ini, std::string_view section, std::string_view key) {
  const std::string s = ini.ReadString(section, key, "");
  auto has = [&s](const char* word) { return s.find(word) != std::string::npos; };
  return {has("fsbold"), has("fsitalic"), has("fsunderline"), has("fsstrikeout")};
}

TAlignment ReadAlignmentKey(const TbsMemIniFile& ini, std::string_view section, std::string_view key) {
  const std::string s = ini.ReadString(section, key, "tacenter");
  if (s == "tacenter") return TAlignment::taCenter;
  if (s == "taleftjustify") return TAlignment::taLeftJustify;
  return TAlignment::taRightJustify;
}

namespace {

constexpr const char* EffectWords[] = {"iebrightness", "iedarkness", "iegrayscale", "ienoise", "iesplitblur", "ieinvert"};
constexpr const char* MorphWords[] = {"mkdefault", "mkgradient", "mkleftgradient", "mkrightgradient",
                                      "mkleftslide", "mkrightslide", "mkpush"};
constexpr const char* CommandWords[] = {"cmclose", "cmmaximize", "cmminimize", "cmsysmenu", "cmdefault", "cmrollup"};

template <std::size_t N>
int WordIndex(const std::string& s, const char* const (&words)[N], int otherwise) {
  for (std::size_t i = 0; i < N; ++i)
    if (s == words[i]) return int(i);
  return otherwise;
}

}  // namespace

TbsInactiveEffect ReadEffectKey(const TbsMemIniFile& ini, std::string_view section, std::string_view key) {
  return TbsInactiveEffect(WordIndex(ini.ReadString(section, key, "iebrightness"), EffectWords, 2));
}

TbsMorphKind ReadMorphKindKey(const TbsMemIniFile& ini, std::string_view section, std::string_view key) {
  return TbsMorphKind(WordIndex(ini.ReadString(section, key, "mkdefault"), MorphWords, 0));
}

TbsStdCommand ReadCommandKey(const TbsMemIniFile& ini, std::string_view section, std::string_view key) {
  return TbsStdCommand(WordIndex(ini.ReadString(section, key, "cmdefault"), CommandWords,
                                 int(TbsStdCommand::cmMinimizeToTray)));
}

std::vector<std::string> ReadNameListKey(const TbsMemIniFile& ini, std::string_view section, std::string_view list) {
  std::vector<std::string> names;
  const int count = ini.ReadInteger(section, std::string(list) + "count", 0);
  for (int i = 0; i < count; ++i) {
    auto v = ini.Value(section, std::to_string(i));
    // A count beyond every key there is names nothing more; a huge one must not run on.
    if (!v && i >= 1 << 16) break;
    names.push_back(v ? std::move(*v) : std::string());
  }
  return names;
}

void WriteRectKey(TbsMemIniFile& ini, std::string_view section, std::string_view key, const TRect& r) {
  ini.WriteString(section, key, std::to_string(r.Left) + "," + std::to_string(r.Top) + "," +
                                    std::to_string(r.Right) + "," + std::to_string(r.Bottom));
}

void WritePointKey(TbsMemIniFile& ini, std::string_view section, std::string_view key, const TPoint& p) {
  ini.WriteString(section, key, std::to_string(p.X) + "," + std::to_string(p.Y));
}

void WriteFlagKey(TbsMemIniFile& ini, std::string_view section, std::string_view key, bool v) {
  ini.WriteInteger(section, key, v ? 1 : 0);
}

void WriteFontStyleKey(TbsMemIniFile& ini, std::string_view section, std::string_view key, const TFontStyles& s) {
  std::string text;
  auto add = [&text](bool on, const char* word) {
    if (!on) return;
    if (!text.empty()) text += ",";
    text += word;
  };
  add(s.Bold, "fsbold");
  add(s.Italic, "fsitalic");
  add(s.Underline, "fsunderline");
  add(s.StrikeOut, "fsstrikeout");
  ini.WriteString(section, key, text);
}

void WriteAlignmentKey(TbsMemIniFile& ini, std::string_view section, std::string_view key, TAlignment a) {
  ini.WriteString(section, key,
                  a == TAlignment::taCenter ? "tacenter" : a == TAlignment::taLeftJustify ? "taleftjustify" : "tarightjustify");
}

void WriteEffectKey(TbsMemIniFile& ini, std::string_view section, std::string_view key, TbsInactiveEffect e) {
  ini.WriteString(section, key, EffectWords[int(e)]);
}

void WriteMorphKindKey(TbsMemIniFile& ini, std::string_view section, std::string_view key, TbsMorphKind k) {
  ini.WriteString(section, key, MorphWords[int(k)]);
}

void WriteCommandKey(TbsMemIniFile& ini, std::string_view section, std::string_view key, TbsStdCommand c) {
  ini.WriteString(section, key, c == TbsStdCommand::cmMinimizeToTray ? "cmminimizetotray" : CommandWords[int(c)]);
}

void WriteNameListKey(TbsMemIniFile& ini, std::string_view section, std::string_view list,
                      const std::vector<std::string>& names) {
  ini.WriteInteger(section, std::string(list) + "count", int(names.size()));
  for (std::size_t i = 0; i < names.size(); ++i) ini.WriteString(section, std::to_string(i), names[i]);
}

}  // namespace bs
