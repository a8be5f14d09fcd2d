#include "app/Engine.h"

namespace spv::app {

std::string WithTrailingBackslash(std::string_view text) {
  std::string result(text);
  if (!result.empty() && result.back() != '\\') result.push_back('\\');
  return result;
}

}  // namespace spv::app
