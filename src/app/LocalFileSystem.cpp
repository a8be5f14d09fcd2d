#include "app/CheckHost.h"
#include "app/Utf8Path.h"

#include <system_error>

namespace spv::app {

bool TLocalFileSystem::DirectoryExists(const std::string& path) const {
  std::error_code ec;
  return std::filesystem::is_directory(Utf8Path(path), ec);
}

bool TLocalFileSystem::FileExists(const std::string& path) const {
  std::error_code ec;
  return std::filesystem::is_regular_file(Utf8Path(path), ec);
}

}  // namespace spv::app
