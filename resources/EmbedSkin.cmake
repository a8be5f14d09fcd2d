# Turns a compressed skin file (version, byte count, zlib block) into a C++ source that
# holds the block. Run with -DPACKED=<file> -DOUTPUT=<source>.
file(READ ${PACKED} hex HEX)
string(LENGTH "${hex}" digits)
if(digits LESS 16)
  message(FATAL_ERROR "${PACKED} is no compressed skin file")
endif()
# The eight header bytes are the file's own; the program carries the block alone.
string(SUBSTRING "${hex}" 16 -1 hex)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x..,){24})" "\\1\n  " bytes "${bytes}")
file(WRITE ${OUTPUT}.tmp
"// Generated from resources/skin by the build; do not edit.
#include \"resources/ProgramSkin.h\"

namespace {
const std::uint8_t Block[] = {
  ${bytes}
};
}  // namespace

namespace spv {
std::span<const std::uint8_t> ProgramSkinBlock() { return Block; }
}  // namespace spv
")
file(COPY_FILE ${OUTPUT}.tmp ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.tmp)
