#pragma once
// The skin description text: an INI reader with the description's own rules, and the
// readers and writers of every value syntax the description uses.
//
// Rules of the text: CR LF, CR or LF end a line and a NUL ends the text; every line is trimmed
// of blanks and control characters; empty lines and lines starting with ";" are skipped;
// "[name]" opens a section; other lines split at their first "=". Section and key names match
// without regard to (ASCII) case; of a section written twice only the later one is read, and
// of a key written twice in one section the later line.

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "skin/resources/bsSkinDataTypes.h"

namespace bs {

class TbsMemIniFile {
 public:
  TbsMemIniFile() = default;
  explicit TbsMemIniFile(std::string_view text) { SetText(text); }

  // Replaces the content by the sections of `text`.
  void SetText(std::string_view text);
  // The whole content as description text, lines ended by CR LF.
  std::string Text() const;
  std::vector<std::string> Lines() const;

  bool SectionExists(std::string_view section) const;
  // Sections in the order they stand in the text.
  std::vector<std::string> Sections() const;
  // The raw value, or nothing when the section or key is absent.
  std::optional<std::string> Value(std::string_view section, std::string_view key) const;
  std::string ReadString(std::string_view section, std::string_view key, std::string_view def) const;
  // The keys and values of a section in the order they stand; empty when it is absent.
  std::vector<std::pair<std::string, std::string>> SectionValues(std::string_view section) const;
  // Decimal (signed), or hexadecimal after "0x", "0X" or "$"; anything else gives `def`.
  int ReadInteger(std::string_view section, std::string_view key, int def) const;

  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, int value);
  void EraseSection(std::string_view section);

 private:
  struct TSection {
    std::string Name;
    std::vector<std::pair<std::string, std::string>> Keys;
    std::unordered_map<std::string, std::size_t> Index;  // lower-case key -> position in Keys
  };
  const TSection* Find(std::string_view section) const;
  TSection& Obtain(std::string_view section);
  static void Put(TSection& s, std::string_view key, std::string_view value);

  std::vector<TSection> Sections_;
  std::unordered_map<std::string, std::size_t> Index_;  // lower-case name -> position
};

// Splits description text into lines (CR LF, CR or LF; a NUL ends the text).
std::vector<std::string> SplitSkinLines(std::string_view text);
// The trimming of the text: blanks and control characters at both ends.
std::string_view TrimSkinText(std::string_view s);
// Decimal or hexadecimal integer by the description's rule.
std::optional<int> ParseSkinInteger(std::string_view s);

class ESkinValueError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Value syntaxes. A rect or point field without a digit is an error that ends a load; a rect
// of more than four fields or a point of more than two is one too.
TRect ParseRectText(std::string_view text);
TPoint ParsePointText(std::string_view text);
TRect ReadRectKey(const TbsMemIniFile& ini, std::string_view section, std::string_view key);
TPoint ReadPointKey(const TbsMemIniFile& ini, std::string_view section, std::string_view key);
bool ReadFlagKey(const TbsMemIniFile& ini, std::string_view section, std::string_view key);
TFontStyles ReadFontStyleKey(const TbsMemIniFile& ini, std::string_view section, std::string_view key);
TAlignment ReadAlignmentKey(const TbsMemIniFile& ini, std::string_view section, std::string_view key);
TbsInactiveEffect ReadEffectKey(const TbsMemIniFile& ini, std::string_view section, std::string_view key);
TbsMorphKind ReadMorphKindKey(const TbsMemIniFile& ini, std::string_view section, std::string_view key);
TbsStdCommand ReadCommandKey(const TbsMemIniFile& ini, std::string_view section, std::string_view key);
std::vector<std::string> ReadNameListKey(const TbsMemIniFile& ini, std::string_view section, std::string_view list);

void WriteRectKey(TbsMemIniFile& ini, std::string_view section, std::string_view key, const TRect& r);
void WritePointKey(TbsMemIniFile& ini, std::string_view section, std::string_view key, const TPoint& p);
void WriteFlagKey(TbsMemIniFile& ini, std::string_view section, std::string_view key, bool v);
void WriteFontStyleKey(TbsMemIniFile& ini, std::string_view section, std::string_view key, const TFontStyles& s);
void WriteAlignmentKey(TbsMemIniFile& ini, std::string_view section, std::string_view key, TAlignment a);
void WriteEffectKey(TbsMemIniFile& ini, std::string_view section, std::string_view key, TbsInactiveEffect e);
void WriteMorphKindKey(TbsMemIniFile& ini, std::string_view section, std::string_view key, TbsMorphKind k);
void WriteCommandKey(TbsMemIniFile& ini, std::string_view section, std::string_view key, TbsStdCommand c);
void WriteNameListKey(TbsMemIniFile& ini, std::string_view section, std::string_view list,
                      const std::vector<std::string>& names);

}  // namespace bs
