#pragma once
// Helpers of the Paradox tests: a scratch folder, whole files as bytes, whole tables as values.

#include "db/ParadoxTable.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace spv::db::test {

inline std::filesystem::path SamplesDir() { return std::filesystem::path(SPV_FIXTURES_DIR) / "paradox-samples"; }

// A fresh folder for one test, removed with everything in it afterwards.
class TScratch {
 public:
  TScratch() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    Dir = std::filesystem::temp_directory_path() /
          ("spv-paradox-" + std::string(info->test_suite_name()) + "-" + info->name());
    std::filesystem::remove_all(Dir);
    std::filesystem::create_directories(Dir);
  }
  ~TScratch() {
    std::error_code ignored;
    std::filesystem::remove_all(Dir, ignored);
  }
  std::filesystem::path operator/(const std::string& name) const { return Dir / name; }
  std::filesystem::path Dir;
};

inline std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

using TRows = std::vector<std::vector<TValue>>;

inline TRows ReadAll(const TParadoxTable& table) {
  TRows rows;
  table.Scan([&](const TRecord& record) {
    std::vector<TValue> row;
    for (std::size_t f = 0; f < table.Fields().size(); ++f) row.push_back(record.Value(static_cast<int>(f)));
    rows.push_back(std::move(row));
    return true;
  });
  return rows;
}

}  // namespace spv::db::test

namespace spv::db {

// Found by the test macros through the value's own namespace.
inline bool operator==(const TValue& a, const TValue& b) {
  return a.kind == b.kind && a.Integer == b.Integer && a.Float == b.Float && a.Bytes == b.Bytes;
}

inline void PrintTo(const TValue& v, std::ostream* os) {
  *os << "{kind " << static_cast<int>(v.kind) << ", " << v.Integer << ", " << v.Float << ", \"" << v.Bytes << "\"}";
}

}  // namespace spv::db
