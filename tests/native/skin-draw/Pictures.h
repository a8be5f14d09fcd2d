#pragma once
// Small pictures whose pixels tell where they came from, so a test can read a builder's result
// as a map from destination to source.

#include "skin/resources/bsSkinDataTypes.h"

#include <ostream>
#include <string>
#include <vector>

namespace bs::test {

// Pixel (x, y) is red x, green y, blue 1 (never black).
inline TImage CodedPicture(int width, int height) {
  TImage image(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) image.At(x, y) = {1, std::uint8_t(y), std::uint8_t(x)};
  return image;
}

struct SourceXY {
  int x, y;
  friend bool operator==(const SourceXY&, const SourceXY&) = default;
  friend std::ostream& operator<<(std::ostream& out, const SourceXY& s) { return out << s.x << "," << s.y; }
};

// Where a pixel of a builder's result came from in a CodedPicture, or {-1, -1} for a pixel
// left as the destination was made (black).
inline SourceXY SourceOf(const TImage& image, int x, int y) {
  const TPixel p = image.At(x, y);
  if (p == TPixel{}) return {-1, -1};
  return {p.R, p.G};
}

// A mask from rows of text: '#' black, anything else white.
inline TImage MaskPicture(const std::vector<std::string>& rows) {
  TImage image(int(rows.empty() ? 0 : rows[0].size()), int(rows.size()));
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x)
      image.At(x, y) = rows[std::size_t(y)][std::size_t(x)] == '#' ? TPixel{0, 0, 0} : TPixel{255, 255, 255};
  return image;
}

}  // namespace bs::test
