#pragma once
// One pass over the keys of a description section that either reads or writes them, so that
// every description names each of its keys once and its reader and writer cannot drift apart.
// Reading takes the member's current value as the default: descriptions are read right after
// construction, so the defaults are the member initialisers of the classes.

#include <string>
#include <string_view>

#include "skin/resources/bsSkinDataIni.h"

namespace bs {

class TbsKeyIO {
 public:
  // Reads `section` of `ini`.
  TbsKeyIO(const TbsMemIniFile& ini, std::string_view section) : In_(&ini), Section_(section) {}
  // Writes into `section` of `ini`.
  TbsKeyIO(TbsMemIniFile& ini, std::string_view section, bool) : In_(&ini), Out_(&ini), Section_(section) {}

  bool Writing() const { return Out_ != nullptr; }

  void Int(std::string_view key, int& v);
  void Color(std::string_view key, TColor& v) { Int(key, v); }
  void Flag(std::string_view key, bool& v);
  void Text(std::string_view key, std::string& v);
  void Rect(std::string_view key, TRect& v);
  void Point(std::string_view key, TPoint& v);
  void FontStyle(std::string_view key, TFontStyles& v);
  void Alignment(std::string_view key, TAlignment& v);
  void Effect(std::string_view key, TbsInactiveEffect& v);
  void MorphKind(std::string_view key, TbsMorphKind& v);
  void Command(std::string_view key, TbsStdCommand& v);
  // The font group: <prefix>fontname, <prefix>fontheight, <prefix>fontstyle, <prefix>fontcolor.
  void Font(std::string_view prefix, std::string& name, int& height, TFontStyles& style, TColor& color);

 private:
  const TbsMemIniFile* In_;
  TbsMemIniFile* Out_ = nullptr;
  std::string Section_;
};

}  // namespace bs
