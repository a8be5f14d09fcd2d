#pragma once
#include <cstdint>
#include <filesystem>
#include <span>

namespace spv::base {

// Writes a 24-bit picture as a PNG. `bgr` holds `height` rows of `stride` bytes, top row
// first, each pixel blue, green, red (the layout of a 24-bit top-down DIB).
void WritePng(const std::filesystem::path& path, int width, int height, int stride,
              std::span<const std::uint8_t> bgr);

}  // namespace spv::base
