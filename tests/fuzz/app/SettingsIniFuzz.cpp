// Settings files can hold anything a user or another program wrote into them: whatever the
// file says, setting a key and reading it back gives the value set, and the key of the other
// setting keeps its value.
#include "app/Settings.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  // The first line is the value, the rest the file.
  const std::size_t eol = input.find('\n');
  std::string_view value = input.substr(0, eol);
  if (!value.empty() && value.back() == '\r') value.remove_suffix(1);
  if (value.find('\r') != std::string_view::npos) return 0;
  const std::string_view ini = eol == std::string_view::npos ? std::string_view() : input.substr(eol + 1);

  const auto reports = spv::app::IniValue(ini, "Settings", "Reports");
  const std::string written = spv::app::WithIniValue(ini, "Settings", "Bases", value);
  if (spv::app::IniValue(written, "Settings", "Bases") != value) std::abort();
  if (spv::app::IniValue(written, "Settings", "Reports") != reports) std::abort();
  // Writing the same value again changes nothing more.
  if (spv::app::WithIniValue(written, "Settings", "Bases", value) != written) std::abort();
  return 0;
}
