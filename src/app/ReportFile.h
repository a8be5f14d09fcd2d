#pragma once
// Writing a report file so that a failure leaves nothing behind.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace spv::app {

// Writes `content` into `file` whole or not at all: first into "<file>.tmp" beside it, then
// renamed over the file (an existing file is replaced). On failure the temporary file is
// removed, an existing file keeps its content, and the reason is returned, naming the file
// (UTF-8). nullopt: written.
std::optional<std::string> WriteFileReplacing(const std::filesystem::path& file, std::string_view content);

}  // namespace spv::app
