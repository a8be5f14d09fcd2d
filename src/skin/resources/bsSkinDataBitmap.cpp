#include "skin/resources/bsSkinDataBitmap.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

namespace bs {
namespace {

constexpr std::uint32_t BI_RGB = 0, BI_BITFIELDS = 3;

std::uint16_t U16(const std::uint8_t* p) { return std::uint16_t(p[0] | p[1] << 8); }
std::uint32_t U32(const std::uint8_t* p) {
  return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}
void Put16(std::uint8_t* p, std::uint32_t v) { p[0] = std::uint8_t(v); p[1] = std::uint8_t(v >> 8); }
void Put32(std::uint8_t* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = std::uint8_t(v >> (8 * i));
}

[[noreturn]] void Invalid() { throw EInvalidGraphic("Bitmap image is not valid"); }

// Reads a channel through a bit mask, scaled to 0..255.
struct TChannel {
  std::uint32_t Mask = 0;
  int Shift = 0;
  std::uint32_t Max = 0;
  explicit TChannel(std::uint32_t mask) : Mask(mask) {
    if (mask) {
      Shift = std::countr_zero(mask);
      Max = mask >> Shift;
    }
  }
  std::uint8_t Get(std::uint32_t v) const {
    if (!Max) return 0;
    return std::uint8_t(((v & Mask) >> Shift) * 255u / Max);
  }
};

std::uint64_t RowSize(std::uint64_t width, int bits) { return (width * std::uint64_t(bits) + 31) / 32 * 4; }

int WrittenBits(const TbsSkinBitmap& b) {
  return (b.BitCount == 1 || b.BitCount == 4 || b.BitCount == 8) ? b.BitCount : 24;
}

std::vector<TPixel> WrittenPalette(const TbsSkinBitmap& b, int bits) {
  if (bits > 8) return {};
  std::vector<TPixel> pal = b.Palette;
  if (pal.empty() && bits == 1) pal = {TPixel{0, 0, 0}, TPixel{255, 255, 255}};
  pal.resize(std::size_t(1) << bits);
  return pal;
}

}  // namespace

void ReadBitmapFile(TStream& stream, TbsSkinBitmap& bitmap) {
  std::uint8_t file[14];
  stream.ReadBuffer(file, sizeof file);
  if (file[0] != 'B' || file[1] != 'M') Invalid();

  std::uint8_t head[124] = {};
  stream.ReadBuffer(head, 4);
  const std::uint32_t headSize = U32(head);
  // The 12-byte header of the oldest bitmaps has no room for what follows; headers longer
  // than the newest known one carry nothing we read.
  if (headSize < 40 || std::int64_t(headSize - 4) > stream.Remaining()) Invalid();
  const std::uint32_t kept = std::min<std::uint32_t>(headSize, sizeof head);
  stream.ReadBuffer(head + 4, kept - 4);
  if (headSize > kept) stream.Seek(headSize - kept, TSeekOrigin::soCurrent);

  const std::int32_t width = std::int32_t(U32(head + 4));
  const std::int32_t rawHeight = std::int32_t(U32(head + 8));
  const int bits = U16(head + 14);
  const std::uint32_t compression = U32(head + 16);
  const std::uint32_t sizeImage = U32(head + 20);
  const std::uint32_t clrUsed = U32(head + 32);
  if (width <= 0 || rawHeight == 0 || rawHeight == INT32_MIN || U16(head + 12) != 1) Invalid();
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) Invalid();
  const bool fields = compression == BI_BITFIELDS && (bits == 16 || bits == 32);
  if (compression != BI_RGB && !fields) Invalid();
  const bool bottomUp = rawHeight > 0;
  const std::int64_t height = bottomUp ? rawHeight : -std::int64_t(rawHeight);

  std::uint64_t colours = clrUsed;
  if (colours == 0 && bits <= 8) colours = std::uint64_t(1) << bits;
  if (std::int64_t(colours * 4) > stream.Remaining()) Invalid();
  std::vector<TPixel> palette;
  for (std::uint64_t i = 0; i < colours; ++i) {
    std::uint8_t q[4];
    stream.ReadBuffer(q, 4);
    if (bits <= 8 && palette.size() < (std::size_t(1) << bits)) palette.push_back({q[0], q[1], q[2]});
  }

  std::uint32_t masks[3] = {0x7C00, 0x03E0, 0x001F};
  if (bits == 32) masks[0] = 0xFF0000, masks[1] = 0xFF00, masks[2] = 0xFF;
  if (fields) {
    // A 40-byte header is followed by its three masks; longer headers hold them inside.
    if (headSize == 40) {
      std::uint8_t m[12];
      stream.ReadBuffer(m, sizeof m);
      std::memcpy(head + 40, m, sizeof m);
    }
    masks[0] = U32(head + 40), masks[1] = U32(head + 44), masks[2] = U32(head + 48);
  }

  const std::uint64_t rowSize = RowSize(std::uint64_t(width), bits);
  const std::uint64_t needed = rowSize * std::uint64_t(height);
  const std::uint64_t stored = sizeImage ? sizeImage : needed;
  // Every byte the header claims must be in the stream before any room is made for it.
  if (stored < needed || std::int64_t(stored) > stream.Remaining()) Invalid();

  std::vector<std::uint8_t> pixels(stored);
  stream.ReadBuffer(pixels.data(), pixels.size());

  TImage image(width, int(height));
  const TChannel r(masks[0]), g(masks[1]), b(masks[2]);
  for (std::int64_t y = 0; y < height; ++y) {
    const std::uint8_t* src = pixels.data() + std::size_t(y) * rowSize;
    TPixel* dst = image.PixelRow(int(bottomUp ? height - 1 - y : y));
    for (std::int32_t x = 0; x < width; ++x) {
      TPixel p;
      if (bits <= 8) {
        const int perByte = 8 / bits;
        const unsigned index = (src[x / perByte] >> (8 - bits * (x % perByte + 1))) & ((1u << bits) - 1);
        if (index < palette.size()) p = palette[index];
      } else if (bits == 24) {
        p = {src[3 * x], src[3 * x + 1], src[3 * x + 2]};
      } else {
        const std::uint32_t v = bits == 16 ? U16(src + 2 * x) : U32(src + 4 * x);
        p = {b.Get(v), g.Get(v), r.Get(v)};
      }
      dst[x] = p;
    }
  }
  bitmap.Image = std::move(image);
  bitmap.BitCount = bits;
  bitmap.Palette = std::move(palette);
}

std::size_t BitmapFileSize(const TbsSkinBitmap& bitmap) {
  const int bits = WrittenBits(bitmap);
  const std::size_t colours = bits <= 8 ? std::size_t(1) << bits : 0;
  return 54 + 4 * colours + std::size_t(RowSize(std::uint64_t(bitmap.Width()), bits)) * std::size_t(bitmap.Height());
}

void WriteBitmapFile(TStream& stream, const TbsSkinBitmap& bitmap) {
  if (bitmap.Empty()) throw EInvalidGraphic("An empty picture cannot be written as a bitmap file");
  const int bits = WrittenBits(bitmap);
  const std::vector<TPixel> palette = WrittenPalette(bitmap, bits);
  const int w = bitmap.Width(), h = bitmap.Height();
  const std::size_t rowSize = std::size_t(RowSize(std::uint64_t(w), bits));
  const std::size_t offBits = 54 + 4 * palette.size();

  std::vector<std::uint8_t> out(offBits + rowSize * std::size_t(h), 0);
  std::uint8_t* p = out.data();
  p[0] = 'B', p[1] = 'M';
  Put32(p + 2, std::uint32_t(out.size()));
  Put32(p + 10, std::uint32_t(offBits));
  Put32(p + 14, 40);
  Put32(p + 18, std::uint32_t(w));
  Put32(p + 22, std::uint32_t(h));
  Put16(p + 26, 1);
  Put16(p + 28, std::uint32_t(bits));
  Put32(p + 34, std::uint32_t(rowSize * std::size_t(h)));
  Put32(p + 46, std::uint32_t(palette.size()));
  for (std::size_t i = 0; i < palette.size(); ++i) {
    p[54 + 4 * i] = palette[i].B, p[55 + 4 * i] = palette[i].G, p[56 + 4 * i] = palette[i].R;
  }

  // A colour that is not in the table takes its nearest entry.
  auto indexOf = [&palette](const TPixel& c) {
    std::size_t best = 0;
    int bestDist = 1 << 30;
    for (std::size_t i = 0; i < palette.size(); ++i) {
      const int db = c.B - palette[i].B, dg = c.G - palette[i].G, dr = c.R - palette[i].R;
      const int d = db * db + dg * dg + dr * dr;
      if (d < bestDist) bestDist = d, best = i;
      if (d == 0) break;
    }
    return unsigned(best);
  };

  for (int y = 0; y < h; ++y) {
    std::uint8_t* dst = p + offBits + std::size_t(h - 1 - y) * rowSize;
    const TPixel* src = bitmap.Image.PixelRow(y);
    if (bits == 24) {
      std::memcpy(dst, src, std::size_t(w) * 3);
      continue;
    }
    const int perByte = 8 / bits;
    for (int x = 0; x < w; ++x)
      dst[x / perByte] |= std::uint8_t(indexOf(src[x]) << (8 - bits * (x % perByte + 1)));
  }
  stream.WriteBuffer(out.data(), out.size());
}

TbsSkinBitmap LoadBitmapFromFile(const std::string& path) {
  TMemoryStream bytes(ReadFileBytes(path));
  TbsSkinBitmap bitmap;
  try {
    ReadBitmapFile(bytes, bitmap);
  } catch (const std::exception& e) {
    throw EInvalidGraphic(path + ": " + e.what());
  }
  return bitmap;
}

void SaveBitmapToFile(const std::string& path, const TbsSkinBitmap& bitmap) {
  TMemoryStream bytes;
  WriteBitmapFile(bytes, bitmap);
  WriteFileBytes(path, bytes.Bytes());
}

}  // namespace bs
