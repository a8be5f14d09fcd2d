#pragma once
// The program's navigation glyphs of the month calendar: 16 x 16, 16 colours, a solid black
// triangle with a light-grey outline, 12 pixels high, on magenta (the transparent colour).

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace skingen {

struct TGlyphFile {
  std::string Name;  // the resource name, "BS_PRIORMONTH"
  std::string File;  // "priormonth.bmp"
  std::vector<std::uint8_t> Bytes;  // a 4-bit BMP
};

std::vector<TGlyphFile> CalendarGlyphs();
void WriteCalendarGlyphs(const std::filesystem::path& folder);

}  // namespace skingen
