// The stored-skin reader over both layers: the input is first taken as a zlib block and, when
// that does not inflate, as a decompressed stored-skin stream itself. Any outcome but a crash,
// a hang or an allocation the input does not justify is fine.

#include <cstddef>
#include <cstdint>
#include <exception>

#include "skin/resources/bsSkinData.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  bs::TbsSkinDataCore skin;
  try {
    skin.LoadFromCompressedData(data, size);
  } catch (const std::exception&) {
  }
  try {
    bs::TReadOnlyMemoryStream plain(data, size);
    skin.LoadFromStoredSkinStream(plain);
  } catch (const std::exception&) {
  }
  return 0;
}
