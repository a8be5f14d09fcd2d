// The table reader on Windows: it shares the table with the broadcast system that writes it,
// reports a table held exclusively as locked, and takes paths in any language.

#include "db/ParadoxTable.h"
#include "db/ParadoxWriter.h"
#include "tools/spinvolt-demo/DemoFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>

namespace spv::db {
namespace {

using ::testing::HasSubstr;

class THandle {
 public:
  explicit THandle(HANDLE h) : H(h) {}
  ~THandle() {
    if (H != INVALID_HANDLE_VALUE) CloseHandle(H);
  }
  THandle(const THandle&) = delete;
  THandle& operator=(const THandle&) = delete;
  bool Valid() const { return H != INVALID_HANDLE_VALUE; }
  HANDLE H;
};

class ParadoxSharing : public ::testing::Test {
 protected:
  void SetUp() override {
    Dir = std::filesystem::temp_directory_path() / L"spv-paradox-\u0411\u0430\u0437\u0430";  // "База"
    std::filesystem::remove_all(Dir);
    std::filesystem::create_directories(Dir);
    Path = Dir / L"\u0418\u0441\u0442\u043E\u0440\u0438\u044F.db";  // "История.db"
    TParadoxWriter writer(Path, {{"FName", TFieldType::Alpha, 20}});
    for (int i = 0; i < 3; ++i) {
      writer.SetText(0, "row " + std::to_string(i));
      writer.AppendRecord();
    }
    writer.Finish();
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(Dir, ignored);
  }
  std::uint32_t Rows() const {
    std::uint32_t n = 0;
    TParadoxTable::Open(Path)->Scan([&](const TRecord&) { return ++n, true; });
    return n;
  }
  std::filesystem::path Dir, Path;
};

TEST_F(ParadoxSharing, ReadsWhileTheBroadcastSystemWrites) {
  THandle writer(CreateFileW(Path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(writer.Valid());
  EXPECT_EQ(Rows(), 3u);
}

TEST_F(ParadoxSharing, NeverKeepsTheWriterOut) {
  const auto table = TParadoxTable::Open(Path);
  // While we hold the table, its writer opens it for writing, and it may even replace it.
  THandle writer(CreateFileW(Path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                             nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  EXPECT_TRUE(writer.Valid()) << GetLastError();
  THandle deleter(CreateFileW(Path.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  EXPECT_TRUE(deleter.Valid()) << GetLastError();
  std::uint32_t n = 0;
  table->Scan([&](const TRecord&) { return ++n, true; });
  EXPECT_EQ(n, 3u);
}

TEST_F(ParadoxSharing, ATableHeldExclusivelyIsLocked) {
  THandle exclusive(CreateFileW(Path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(exclusive.Valid());
  try {
    TParadoxTable::Open(Path);
    ADD_FAILURE() << "opened";
  } catch (const TDatabaseError& e) {
    EXPECT_THAT(e.what(), HasSubstr("\xD0\x98\xD1\x81\xD1\x82\xD0\xBE\xD1\x80\xD0\xB8\xD1\x8F.db"));  // UTF-8
    EXPECT_THAT(e.what(), HasSubstr("locked by another program"));
  }
}

TEST_F(ParadoxSharing, MissingTableAndDemoFolderUnderAUnicodePath) {
  try {
    TParadoxTable::Open(Dir / "none.db");
    ADD_FAILURE() << "opened";
  } catch (const TDatabaseError& e) {
    EXPECT_THAT(e.what(), HasSubstr("no such table"));
  }
  demo::TDemoOptions options;
  options.Folder = Dir / L"\u0414\u0435\u043C\u043E";  // "Демо"
  options.LastDay = *base::EncodeDate(2026, 12, 9);
  options.Days = 2;
  const demo::TDemoSummary summary = demo::WriteDemoFolder(options);
  ASSERT_EQ(summary.Tables.size(), 2u);
  EXPECT_EQ(TParadoxTable::Open(summary.Tables[1])->RecordCount(), summary.ReportRows);
  EXPECT_EQ(summary.Tables[1], options.Folder / "Report" / "rep_2612.db");
}

}  // namespace
}  // namespace spv::db
