#pragma once
// The encoding of the settings file. The file may come from the station's older check
// program (code page 1251), from an editor that marks its UTF-8 or writes UTF-16, or from us
// (UTF-8 without a mark). It is read in whichever it is and written back the same way, so
// that whatever else reads the file keeps reading it.

#include <string>
#include <string_view>

namespace spv::app {

enum class TSettingsEncoding { Utf8, Utf8Bom, Utf16Le, Cp1251 };

struct TSettingsText {
  std::string Utf8;
  TSettingsEncoding Encoding = TSettingsEncoding::Utf8;
};

// A UTF-8 mark gives UTF-8; a UTF-16 little-endian mark gives UTF-16; otherwise well-formed
// UTF-8 (plain ASCII among it) is UTF-8, and anything else is code page 1251, the program's.
TSettingsText DecodeSettingsText(std::string_view bytes);

// Whether the encoding can hold the text without losing a character.
bool SettingsEncodingHolds(TSettingsEncoding encoding, std::string_view utf8);

// The bytes of the text in the encoding, with its mark where it has one. What the encoding
// cannot hold is lost: ask SettingsEncodingHolds first.
std::string EncodeSettingsText(std::string_view utf8, TSettingsEncoding encoding);

}  // namespace spv::app
