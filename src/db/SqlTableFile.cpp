#include "db/SqlExecutor.h"

#include <system_error>

namespace spv::db {

std::unique_ptr<TParadoxTable> OpenTableFile(const std::filesystem::path& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) throw TDatabaseError("Table not found: \"" + path.string() + "\"");
  return TParadoxTable::Open(path);
}

}  // namespace spv::db
