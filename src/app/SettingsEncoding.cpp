#include "app/SettingsEncoding.h"

#include "base/CodePage.h"

namespace spv::app {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr int kProgramCodePage = 1251;

bool StartsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

}  // namespace

TSettingsText DecodeSettingsText(std::string_view bytes) {
  if (StartsWith(bytes, kUtf8Mark)) return {std::string(bytes.substr(kUtf8Mark.size())), TSettingsEncoding::Utf8Bom};
  if (StartsWith(bytes, kUtf16LeMark)) {
    bytes.remove_prefix(kUtf16LeMark.size());
    std::u16string units;
    units.reserve(bytes.size() / 2);
    // A last odd byte is half a character: nothing can be made of it.
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
      units += char16_t(static_cast<unsigned char>(bytes[i]) | (static_cast<unsigned char>(bytes[i + 1]) << 8));
    return {base::Utf16ToUtf8(units), TSettingsEncoding::Utf16Le};
  }
  if (base::IsValidUtf8(bytes)) return {std::string(bytes), TSettingsEncoding::Utf8};
  return {base::CodePageToUtf8(bytes, kProgramCodePage), TSettingsEncoding::Cp1251};
}

bool SettingsEncodingHolds(TSettingsEncoding encoding, std::string_view utf8) {
  switch (encoding) {
    case TSettingsEncoding::Utf8:
    case TSettingsEncoding::Utf8Bom: return true;
    case TSettingsEncoding::Utf16Le: return base::IsValidUtf8(utf8);
    case TSettingsEncoding::Cp1251:
      return base::CodePageToUtf8(base::Utf8ToCodePage(utf8, kProgramCodePage), kProgramCodePage) == utf8;
  }
  return false;
}

std::string EncodeSettingsText(std::string_view utf8, TSettingsEncoding encoding) {
  switch (encoding) {
    case TSettingsEncoding::Utf8: return std::string(utf8);
    case TSettingsEncoding::Utf8Bom: return std::string(kUtf8Mark) + std::string(utf8);
    case TSettingsEncoding::Utf16Le: {
      std::string bytes(kUtf16LeMark);
      for (const char16_t unit : base::Utf8ToUtf16(utf8)) {
        bytes += char(unit & 0xFF);
        bytes += char(unit >> 8);
      }
      return bytes;
    }
    case TSettingsEncoding::Cp1251: return base::Utf8ToCodePage(utf8, kProgramCodePage);
  }
  return std::string(utf8);
}

}  // namespace spv::app
