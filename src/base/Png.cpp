#include "base/Png.h"

#include <zlib.h>

#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace spv::base {
namespace {

void PutBE32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(std::uint8_t(v >> 24));
  out.push_back(std::uint8_t(v >> 16));
  out.push_back(std::uint8_t(v >> 8));
  out.push_back(std::uint8_t(v));
}

void PutChunk(std::vector<std::uint8_t>& out, const char type[4], const std::vector<std::uint8_t>& data) {
  PutBE32(out, std::uint32_t(data.size()));
  const std::size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  const uLong crc = crc32(0, out.data() + start, uInt(out.size() - start));
  PutBE32(out, std::uint32_t(crc));
}

}  // namespace

void WritePng(const std::filesystem::path& path, int width, int height, int stride,
              std::span<const std::uint8_t> bgr) {
  if (width <= 0 || height <= 0 || stride < 3 * width || bgr.size() < std::size_t(stride) * height)
    throw std::invalid_argument("WritePng: bad picture size");

  std::vector<std::uint8_t> raw;
  raw.reserve(std::size_t(height) * (1 + 3 * width));
  for (int y = 0; y < height; ++y) {
    raw.push_back(0);  // filter: none
    const std::uint8_t* row = bgr.data() + std::size_t(y) * stride;
    for (int x = 0; x < width; ++x) {
      raw.push_back(row[3 * x + 2]);
      raw.push_back(row[3 * x + 1]);
      raw.push_back(row[3 * x]);
    }
  }
  uLongf packedSize = compressBound(uLong(raw.size()));
  std::vector<std::uint8_t> packed(packedSize);
  if (compress2(packed.data(), &packedSize, raw.data(), uLong(raw.size()), 6) != Z_OK)
    throw std::runtime_error("WritePng: compression failed");
  packed.resize(packedSize);

  std::vector<std::uint8_t> header;
  PutBE32(header, std::uint32_t(width));
  PutBE32(header, std::uint32_t(height));
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, no filter set, no interlace

  std::vector<std::uint8_t> file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  PutChunk(file, "IHDR", header);
  PutChunk(file, "IDAT", packed);
  PutChunk(file, "IEND", {});

  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(file.data()), std::streamsize(file.size()));
  if (!out) throw std::runtime_error("WritePng: cannot write " + path.string());
}

}  // namespace spv::base
