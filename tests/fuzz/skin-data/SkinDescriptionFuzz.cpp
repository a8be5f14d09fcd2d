// The description reader: any text read into a skin, then written back and read again.

#include <cstddef>
#include <cstdint>
#include <exception>
#include <string_view>

#include "skin/resources/bsSkinData.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  bs::TbsSkinDataCore skin;
  try {
    skin.LoadFromIni(bs::TbsMemIniFile(text));
  } catch (const std::exception&) {
    return 0;
  }
  // Whatever was read saves into text that reads again without an error; an exception
  // escaping here is a finding.
  bs::TbsMemIniFile saved;
  skin.SaveToIni(saved);
  bs::TbsSkinDataCore again;
  again.LoadFromIni(bs::TbsMemIniFile(saved.Text()));
  return 0;
}
