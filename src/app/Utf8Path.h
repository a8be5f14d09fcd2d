#pragma once
// The check keeps paths as UTF-8 text: that is what the user typed and what the messages show.
// These convert at the file system, whatever the system's narrow code page is.

#include <filesystem>
#include <string>
#include <string_view>

namespace spv::app {

inline std::filesystem::path Utf8Path(std::string_view text) {
  return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

inline std::string PathUtf8(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

}  // namespace spv::app
