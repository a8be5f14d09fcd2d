#pragma once
// The skin's bitmap files: the reader that takes a BMP file out of the middle of a stored
// skin, consuming exactly the file's own bytes, and the writer that the packer uses. Pixels
// are always decoded to the 24-bit picture type; the file's bit depth and colour table stay
// beside them, so a picture written back keeps its depth.

#include <stdexcept>
#include <string>
#include <vector>

#include "skin/resources/bsSkinDataStream.h"
#include "skin/resources/bsSkinDataTypes.h"

namespace bs {

class EInvalidGraphic : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct TbsSkinBitmap {
  TImage Image;
  // Bits per pixel of the file the picture came from: 1, 4, 8, 16, 24 or 32.
  int BitCount = 24;
  // The colour table of a picture of 8 bits or less.
  std::vector<TPixel> Palette;

  bool Empty() const { return Image.Empty(); }
  int Width() const { return Image.Width(); }
  int Height() const { return Image.Height(); }
  void Clear() { Image.SetSize(0, 0); BitCount = 24; Palette.clear(); }
};

// Reads one BMP file at the stream's position and leaves the stream right after it. Refuses,
// before allocating anything, a header whose pixels the stream does not hold.
void ReadBitmapFile(TStream& stream, TbsSkinBitmap& bitmap);
// Writes `bitmap` as an uncompressed BMP file of its BitCount (1, 4, 8 or 24; others as 24).
void WriteBitmapFile(TStream& stream, const TbsSkinBitmap& bitmap);
// The number of bytes WriteBitmapFile produces.
std::size_t BitmapFileSize(const TbsSkinBitmap& bitmap);

TbsSkinBitmap LoadBitmapFromFile(const std::string& path);
void SaveBitmapToFile(const std::string& path, const TbsSkinBitmap& bitmap);

}  // namespace bs
