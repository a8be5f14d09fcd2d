#pragma once
// Helpers of the Paradox tests: a scratch folder, whole files as bytes, whole tables as values,
// tables cut as an engine that does not pad them leaves them.

#include "db/ParadoxFormat.h"
#include "db/ParadoxTable.h"
#include "db/ParadoxWriter.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace spv::db::test {

inline std::filesystem::path SamplesDir() { return std::filesystem::path(SPV_FIXTURES_DIR) / "paradox-samples"; }

// Every sample table but the encrypted ones.
inline std::vector<std::filesystem::path> ReadableSampleTables() {
  std::vector<std::filesystem::path> tables;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(SamplesDir())) {
    std::string ext = entry.path().extension().string();
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (ext == ".db" && entry.path().parent_path().filename() != "encrypt") tables.push_back(entry.path());
  }
  return tables;
}

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

// --- Unpadded tables -------------------------------------------------------------------------
//
// An engine that does not pad the last block of a table to the block size ends the file just
// after that block's last record.

inline std::string NumberedName(int record) { return "name " + std::to_string(record); }

// `records` records of 32 bytes: Id (long) holds the record's number from 0, Name its NumberedName.
inline void WriteNumberedTable(const std::filesystem::path& path, int blockSize, int records) {
  TParadoxWriter writer(path, {{"Id", TFieldType::Long}, {"Name", TFieldType::Alpha, 28}}, {1251, blockSize});
  for (int i = 0; i < records; ++i) {
    writer.SetInteger(0, i);
    writer.SetText(1, NumberedName(i));
    writer.AppendRecord();
  }
  writer.Finish();
}

// Where the last record of the last block of a padded table file ends (after the block's header
// when the block is empty).
inline std::size_t EndOfLastRecord(const std::string& bytes) {
  const auto* b = reinterpret_cast<const std::uint8_t*>(bytes.data());
  const std::size_t header = paradox::LoadLe16(b + paradox::kHeaderSize);
  const std::size_t block = b[paradox::kMaxTableSize] * std::size_t{1024};
  const std::size_t record = paradox::LoadLe16(b + paradox::kRecordSize);
  const std::size_t last = header + (bytes.size() - header) / block * block - block;
  const int lastOffset = static_cast<std::int16_t>(paradox::LoadLe16(b + last + 4));  // -record when empty
  return last + paradox::kBlockHeaderSize + static_cast<std::size_t>(lastOffset + static_cast<int>(record));
}

struct TUnpaddedCase {
  int BlockSize;
  int Records;
};

// Numbered tables of every block size the writer knows, whose last block holds one record or
// is full, and tables of a single record.
inline std::vector<TUnpaddedCase> UnpaddedCases() {
  std::vector<TUnpaddedCase> cases;
  for (const int blockSize : {1024, 2048, 3072, 4096, 8192, 16384, 32768}) {
    const int perBlock = (blockSize - paradox::kBlockHeaderSize) / 32;
    for (const int records : {1, 2 * perBlock + 1, 2 * perBlock}) cases.push_back({blockSize, records});
  }
  return cases;
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
