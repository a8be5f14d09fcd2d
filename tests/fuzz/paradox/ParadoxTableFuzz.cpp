// The table reader on arbitrary bytes: a TDatabaseError or the values, never a crash, a leak,
// a hang or memory the files do not justify.
//
// Input: a little-endian u32 with the size of the table file, the table file, then its blob
// file (when anything is left).

#include "db/ParadoxTable.h"

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

// The two files of the input, in a folder of this process removed when it ends.
struct TScratchDir {
  std::filesystem::path Path;
  ~TScratchDir() {
    std::error_code ignored;
    std::filesystem::remove_all(Path, ignored);
  }
};

std::filesystem::path ScratchDir() {
  static const TScratchDir dir{[] {
    const std::filesystem::path shm = "/dev/shm";
    std::filesystem::path d = (std::filesystem::is_directory(shm) ? shm : std::filesystem::temp_directory_path()) /
                              ("spv-fuzz-paradox-" + std::to_string(::getpid()));
    std::filesystem::create_directories(d);
    return d;
  }()};
  return dir.Path;
}

void Put(const std::filesystem::path& path, const std::uint8_t* data, std::size_t size) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4) return 0;
  std::uint32_t tableSize;
  std::memcpy(&tableSize, data, 4);
  data += 4;
  size -= 4;
  tableSize = static_cast<std::uint32_t>(std::min<std::size_t>(tableSize, size));
  const std::filesystem::path table = ScratchDir() / "t.db", blobs = ScratchDir() / "t.mb";
  Put(table, data, tableSize);
  std::error_code ignored;
  if (size > tableSize)
    Put(blobs, data + tableSize, size - tableSize);
  else
    std::filesystem::remove(blobs, ignored);
  try {
    const auto t = spv::db::TParadoxTable::Open(table);
    const int fields = static_cast<int>(t->Fields().size());
    for (int f = 0; f < fields; ++f) (void)t->FieldIndex(t->Fields()[static_cast<std::size_t>(f)].Name);
    t->Scan([&](const spv::db::TRecord& r) {
      for (int f = 0; f < fields; ++f) {
        try {
          const spv::db::TValue v = r.Value(f);
          if (v.IsNull() != r.IsNull(f)) __builtin_trap();  // the two must agree
        } catch (const spv::db::TDatabaseError&) {
          // A damaged blob spoils its own value only: the other fields still read.
        }
      }
      return true;
    });
  } catch (const spv::db::TDatabaseError&) {
  }
  return 0;
}
