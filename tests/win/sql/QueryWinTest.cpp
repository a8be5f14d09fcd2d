// The query component on Windows: tables another program holds, and folders whose names the
// system's narrow code page may not hold.
#include "base/CodePage.h"
#include "db/ParadoxWriter.h"
#include "db/Query.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>

namespace spv::db {
namespace {

namespace fs = std::filesystem;

std::string Utf8(const fs::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

struct TFolder {
  // "Эфир" (on air), so that the path is not ASCII.
  fs::path Path = fs::temp_directory_path() / (L"spv-sql-\u042D\u0444\u0438\u0440-" + std::to_wstring(GetCurrentProcessId()));
  TFolder() {
    fs::create_directories(Path);
    TParadoxWriter w(Path / "History.db", {{"FHour", TFieldType::Long, 4}, {"FName", TFieldType::Alpha, 20}});
    w.SetInteger(0, 7);
    w.SetText(1, "Morning");
    w.AppendRecord();
    w.Finish();
  }
  ~TFolder() {
    std::error_code ignored;
    fs::remove_all(Path, ignored);
  }
};

class QueryWinTest : public ::testing::Test {
 protected:
  void Select() {
    Query.SQL().clear();
    Query.SQL().push_back("SELECT FHour, FName FROM \"" + Utf8(Folder.Path / "History.db") + "\"");
  }
  TFolder Folder;
  TQuery Query;
};

TEST_F(QueryWinTest, FindsTablesInFoldersOfAnyName) {
  Select();
  Query.Open();
  ASSERT_FALSE(Query.Eof());
  EXPECT_EQ(Query.FieldAsInteger("FHour"), 7);
  EXPECT_EQ(Query.FieldAsString("FName"), "Morning");

  Query.SetCurrentFolder(Folder.Path);
  Query.SQL() = {"SELECT FName FROM History"};
  Query.Open();
  ASSERT_FALSE(Query.Eof());
  EXPECT_EQ(Query.FieldAsString("FName"), "Morning");
}

TEST_F(QueryWinTest, ATableHeldExclusivelyIsReportedAsLocked) {
  const HANDLE held = CreateFileW((Folder.Path / "History.db").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  Select();
  try {
    Query.Open();
    ADD_FAILURE() << "opened";
  } catch (const TDatabaseError& e) {
    EXPECT_NE(std::string(e.what()).find("locked"), std::string::npos) << e.what();
  }
  EXPECT_FALSE(Query.Active());
  CloseHandle(held);
  // Once the other program lets go, the same query reads.
  Query.Open();
  EXPECT_FALSE(Query.Eof());
}

TEST_F(QueryWinTest, OurOwnReadingNeverLocksTheTable) {
  Select();
  Query.Open();
  // While the query holds its rows, the broadcast system can still open the table to write.
  const HANDLE writer = CreateFileW((Folder.Path / "History.db").c_str(), GENERIC_READ | GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                    nullptr);
  EXPECT_NE(writer, INVALID_HANDLE_VALUE);
  if (writer != INVALID_HANDLE_VALUE) CloseHandle(writer);
  EXPECT_FALSE(Query.Eof());
}

}  // namespace
}  // namespace spv::db
