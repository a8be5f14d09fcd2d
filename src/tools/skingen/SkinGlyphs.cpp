#include "SkinGlyphs.h"

#include <array>
#include <fstream>
#include <stdexcept>

namespace skingen {
namespace {

constexpr int kSize = 16;
// The 16 colours of the usual palette; the glyphs use black, light grey and magenta.
constexpr std::array<std::uint32_t, 16> kPalette = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                                    0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                                    0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};  // 0xRRGGBB
constexpr std::uint8_t kBlack = 0, kGrey = 7, kMagenta = 13;

using TCells = std::array<std::array<bool, kSize>, kSize>;

// A triangle 12 pixels high (rows 2 to 13) and 7 wide from column `x0`, pointing left or right.
void AddTriangle(TCells& cells, int x0, bool left) {
  for (int y = 2; y <= 13; ++y) {
    const int d = y <= 7 ? 7 - y : y - 8;  // 0 on the two middle rows, 5 at the ends
    const int width = 7 - d;
    for (int i = 0; i < width; ++i) cells[std::size_t(y)][std::size_t(left ? x0 + 6 - i : x0 + i)] = true;
  }
}

// A closed folder, its tab at the top left, with a plus at the top right: "make a new folder".
TCells NewFolder() {
  TCells cells{};
  for (int y = 7; y <= 14; ++y)
    for (int x = 0; x <= 11; ++x) cells[std::size_t(y)][std::size_t(x)] = true;
  for (int y = 5; y <= 6; ++y)
    for (int x = 1; x <= 5; ++x) cells[std::size_t(y)][std::size_t(x)] = true;
  for (int i = 0; i <= 5; ++i) {
    cells[std::size_t(i)][12] = cells[std::size_t(i)][13] = true;  // the plus's upright
    cells[2][std::size_t(10 + i)] = cells[3][std::size_t(10 + i)] = true;  // and its bar
  }
  return cells;
}

std::vector<std::uint8_t> Bmp(const TCells& cells) {
  std::array<std::array<std::uint8_t, kSize>, kSize> index{};
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      if (!cells[std::size_t(y)][std::size_t(x)]) {
        index[std::size_t(y)][std::size_t(x)] = kMagenta;
        continue;
      }
      const auto inside = [&](int xx, int yy) {
        return xx >= 0 && yy >= 0 && xx < kSize && yy < kSize && cells[std::size_t(yy)][std::size_t(xx)];
      };
      const bool edge = !inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1);
      index[std::size_t(y)][std::size_t(x)] = edge ? kGrey : kBlack;
    }
  const std::uint32_t rowBytes = 8, pixels = rowBytes * kSize, offset = 14 + 40 + 64;
  std::vector<std::uint8_t> b;
  const auto u16 = [&](std::uint32_t v) { b.push_back(std::uint8_t(v)), b.push_back(std::uint8_t(v >> 8)); };
  const auto u32 = [&](std::uint32_t v) { u16(v & 0xFFFF), u16(v >> 16); };
  b.push_back('B'), b.push_back('M');
  u32(offset + pixels), u32(0), u32(offset);
  u32(40), u32(kSize), u32(kSize), u16(1), u16(4), u32(0), u32(pixels), u32(2835), u32(2835), u32(16), u32(0);
  for (std::uint32_t c : kPalette) b.push_back(std::uint8_t(c)), b.push_back(std::uint8_t(c >> 8)),
                                   b.push_back(std::uint8_t(c >> 16)), b.push_back(0);
  for (int y = kSize - 1; y >= 0; --y)  // bottom-up rows
    for (int x = 0; x < kSize; x += 2)
      b.push_back(std::uint8_t(index[std::size_t(y)][std::size_t(x)] << 4 | index[std::size_t(y)][std::size_t(x + 1)]));
  return b;
}

}  // namespace

std::vector<TGlyphFile> ProgramGlyphs() {
  TCells priorMonth{}, nextMonth{}, priorYear{}, nextYear{};
  AddTriangle(priorMonth, 4, true);
  AddTriangle(nextMonth, 5, false);
  AddTriangle(priorYear, 1, true);
  AddTriangle(priorYear, 8, true);
  AddTriangle(nextYear, 1, false);
  AddTriangle(nextYear, 8, false);
  return {{"BS_PRIORMONTH", "priormonth.bmp", Bmp(priorMonth)},
          {"BS_NEXTMONTH", "nextmonth.bmp", Bmp(nextMonth)},
          {"BS_PRIORYEAR", "prioryear.bmp", Bmp(priorYear)},
          {"BS_NEXTYEAR", "nextyear.bmp", Bmp(nextYear)},
          {"BS_NEWFOLDER", "newfolder.bmp", Bmp(NewFolder())}};
}

void WriteProgramGlyphs(const std::filesystem::path& folder) {
  std::filesystem::create_directories(folder);
  for (const TGlyphFile& g : ProgramGlyphs()) {
    std::ofstream out(folder / g.File, std::ios::binary);
    out.write(reinterpret_cast<const char*>(g.Bytes.data()), std::streamsize(g.Bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + (folder / g.File).string());
  }
}

}  // namespace skingen
