#include "app/ReportFile.h"

#include "app/Utf8Path.h"

#include <cerrno>
#include <fstream>
#include <system_error>

namespace spv::app {
namespace {

std::string Reason(const std::filesystem::path& file, const std::error_code& error) {
  return "cannot write " + PathUtf8(file) + ": " + error.message();
}

}  // namespace

std::optional<std::string> WriteFileReplacing(const std::filesystem::path& file, std::string_view content) {
  std::filesystem::path temporary = file;
  temporary += ".tmp";
  std::error_code error;
  {
    errno = 0;
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (out) out.write(content.data(), std::streamsize(content.size()));
    if (out) out.close();
    if (!out) error = std::error_code(errno ? errno : EIO, std::generic_category());
  }
  if (!error) std::filesystem::rename(temporary, file, error);
  if (!error) return std::nullopt;
  std::error_code ignored;
  std::filesystem::remove(temporary, ignored);
  return Reason(file, error);
}

}  // namespace spv::app
