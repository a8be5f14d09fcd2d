// Folder texts come straight from the user: whatever is typed, the result keeps the text
// as its prefix, ends in a backslash unless empty, and is stable when applied twice.
#include "app/Engine.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::string once = spv::app::WithTrailingBackslash(text);
  if (once.compare(0, text.size(), text) != 0) std::abort();
  if (text.empty() != once.empty()) std::abort();
  if (!once.empty() && once.back() != '\\') std::abort();
  if (once.size() > text.size() + 1) std::abort();
  if (spv::app::WithTrailingBackslash(once) != once) std::abort();
  return 0;
}
