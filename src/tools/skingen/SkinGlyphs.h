#pragma once
// The program's glyphs: the month calendar's navigation triangles (12 pixels high) and the
// folder chooser's new-folder button; 16 x 16, 16 colours, solid black shapes with a light-grey
// outline on magenta (the transparent colour).

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

std::vector<TGlyphFile> ProgramGlyphs();
void WriteProgramGlyphs(const std::filesystem::path& folder);

}  // namespace skingen
