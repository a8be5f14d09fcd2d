#pragma once
// The program's own skin, packed from resources/skin at build time: the zlib block that the
// main form's stored-skin component carries.

#include <cstdint>
#include <span>

namespace spv {

std::span<const std::uint8_t> ProgramSkinBlock();

}  // namespace spv
