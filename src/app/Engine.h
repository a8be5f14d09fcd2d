#pragma once
// Small routines of the check that need no state.

#include <string>
#include <string_view>

namespace spv::app {

// An empty text stays empty; a text that ends in a backslash is returned as it is;
// any other text gets one backslash appended. Folder texts are used exactly as typed,
// so nothing else (blanks, forward slashes) is touched.
std::string WithTrailingBackslash(std::string_view text);

}  // namespace spv::app
