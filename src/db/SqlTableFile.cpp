#include "db/SqlExecutor.h"

#include "db/ParadoxFile.h"

#include <system_error>

namespace spv::db {

std::unique_ptr<TParadoxTable> OpenTableFile(const std::filesystem::path& path) {
  std::error_code error;
  if (!std::filesystem::exists(path, error)) throw TDatabaseError("Table not found: \"" + PathText(path) + "\"");
  return TParadoxTable::Open(path);
}

}  // namespace spv::db
