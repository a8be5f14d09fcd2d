#include "app/Settings.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <unistd.h>

namespace spv::app {
namespace {

namespace fs = std::filesystem;

struct TempFolder {
  fs::path path = fs::temp_directory_path() / ("spv-settings-" + std::to_string(::getpid()) + '-' +
                                               ::testing::UnitTest::GetInstance()->current_test_info()->name());
  TempFolder() { fs::create_directories(path); }
  ~TempFolder() {
    std::error_code ec;
    fs::permissions(path, fs::perms::owner_all, ec);
    fs::remove_all(path, ec);
  }
};

std::string Read(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void Write(const fs::path& file, std::string_view text) {
  std::ofstream(file, std::ios::binary) << text;
}

TEST(SettingsPathFor, ReplacesTheExtension) {
  EXPECT_EQ(SettingsPathFor("C:/Tools/spinvolt.exe"), fs::path("C:/Tools/spinvolt.ini"));
  EXPECT_EQ(SettingsPathFor("/opt/spv/spinvolt-check"), fs::path("/opt/spv/spinvolt-check.ini"));
}

TEST(IniValue, ReadsAsTheProfileFunctionsDo) {
  struct Case {
    const char* ini;
    const char* value;  // nullptr: not found
  };
  const Case cases[] = {
      {"[Settings]\r\nBases=D:\\Data\r\n", "D:\\Data"},
      {"[settings]\nbases = D:\\Data  \n", "D:\\Data"},
      {"[Other]\nBases=x\n[Settings]\nReports=y\nBases=z", "z"},
      {"[Settings]\nBases=\"   \"\n", "   "},
      {"[Settings]\nBases=\n", ""},
      {"[Settings]\n;Bases=x\n", nullptr},
      {"[Other]\nBases=x\n", nullptr},
      {"Bases=x\n[Settings]\n", nullptr},
      {"", nullptr},
      {"[Settings]\nBases=first\nBases=second\n", "first"},
  };
  for (const Case& c : cases) {
    const auto value = IniValue(c.ini, "Settings", "Bases");
    if (c.value) EXPECT_EQ(value.value_or("<none>"), c.value) << c.ini;
    else EXPECT_FALSE(value.has_value()) << c.ini;
  }
}

TEST(WithIniValue, ChangesOnlyItsKey) {
  struct Case {
    const char* ini;
    const char* value;
    const char* result;
  };
  const Case cases[] = {
      {"", "D:\\Data", "[Settings]\r\nBases=D:\\Data\r\n"},
      {"[Settings]\r\nBases=old\r\nReports=r\r\n", "new", "[Settings]\r\nBases=new\r\nReports=r\r\n"},
      {"[Settings]\nReports=r\n\n[Other]\nk=v\n", "b", "[Settings]\r\nReports=r\r\nBases=b\r\n\r\n[Other]\r\nk=v\r\n"},
      {"; mine\n[Other]\nBases=keep\n", "b", "; mine\r\n[Other]\r\nBases=keep\r\n[Settings]\r\nBases=b\r\n"},
      {"[Settings]\nBases=x\n", "  blanks  ", "[Settings]\r\nBases=\"  blanks  \"\r\n"},
      {"[Settings]\nBases=x\n", "\"quoted\"", "[Settings]\r\nBases=\"\"quoted\"\"\r\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(WithIniValue(c.ini, "Settings", "Bases", c.value), c.result) << c.ini;
  // Whatever is written reads back as it was given.
  for (const char* value : {"", " ", "   ", "D:\\Data\\", "\"", "\"x\"", " a b ", "Папка"})
    EXPECT_EQ(IniValue(WithIniValue("", "Settings", "Bases", value), "Settings", "Bases"), value) << value;
  for (const char* value : {"a\nb", "a\r", "\n[Other]"})
    EXPECT_THROW(WithIniValue("", "Settings", "Bases", value), std::invalid_argument) << value;
}

TEST(Settings, DefaultsWithoutAFileAndAfterARoundTrip) {
  TempFolder temp;
  const fs::path file = temp.path / "spinvolt.ini";
  EXPECT_EQ(ReadSetting(file), (TSettings{"C:\\Quorvane", "C:\\Quorvane\\Report"}));

  Write(file, "[Settings]\r\nReports=E:\\R\r\n");
  EXPECT_EQ(ReadSetting(file), (TSettings{"C:\\Quorvane", "E:\\R"}));

  const TSettings typed{"   ", "D:\\Папка отчетов"};
  WriteSetting(file, typed);
  EXPECT_EQ(ReadSetting(file), typed);
  EXPECT_EQ(Read(file), "[Settings]\r\nReports=D:\\Папка отчетов\r\nBases=\"   \"\r\n");
}

TEST(Settings, WritingKeepsTheRestOfTheFileAndLeavesNoTemporaryFile) {
  TempFolder temp;
  const fs::path file = temp.path / "spinvolt.ini";
  Write(file, "[Window]\r\nLeft=10\r\n[Settings]\r\nBases=old\r\nExtra=1\r\n");
  WriteSetting(file, {"D:\\Data", "D:\\Rep"});
  EXPECT_EQ(Read(file), "[Window]\r\nLeft=10\r\n[Settings]\r\nBases=D:\\Data\r\nExtra=1\r\nReports=D:\\Rep\r\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(temp.path), fs::directory_iterator()), 1);
}

TEST(Settings, AFileThatCannotBeWrittenIsAnErrorNamingIt) {
  TempFolder temp;
  const fs::path missingFolder = temp.path / "gone" / "spinvolt.ini";
  const fs::path aFolder = temp.path / "folder.ini";
  fs::create_directory(aFolder);
  for (const fs::path& file : {missingFolder, aFolder}) {
    try {
      WriteSetting(file, {"a", "b"});
      ADD_FAILURE() << file;
    } catch (const std::runtime_error& e) {
      EXPECT_EQ(e.what(), "Unable to write to " + file.string());
    }
  }
  EXPECT_TRUE(fs::is_directory(aFolder));
}

TEST(Settings, AReadOnlyFolderKeepsTheOldFileWhole) {
  if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
  TempFolder temp;
  const fs::path file = temp.path / "spinvolt.ini";
  const std::string old = "[Settings]\r\nBases=old\r\n";
  Write(file, old);
  fs::permissions(temp.path, fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_THROW(WriteSetting(file, {"new", "new"}), std::runtime_error);
  fs::permissions(temp.path, fs::perms::owner_all);
  EXPECT_EQ(Read(file), old);
  EXPECT_EQ(std::distance(fs::directory_iterator(temp.path), fs::directory_iterator()), 1);
}

// The window's own choices: one key written, every other line of the file as it was, the two
// folders untouched.
TEST(Settings, AChoiceIsWrittenAloneUnderItsOwnKey) {
  TempFolder temp;
  const fs::path file = temp.path / "spinvolt.ini";
  EXPECT_EQ(ReadSettingKey(file, kSaveFolderKey), std::nullopt);
  WriteSettingKey(file, kOnlyDiscrepanciesKey, "1");
  EXPECT_EQ(Read(file), "[Settings]\r\nOnlyDiscrepancies=1\r\n");
  EXPECT_EQ(ReadSetting(file), TSettings{}) << "the folders keep their defaults";

  const std::string before = "; mine\r\n[Settings]\r\nBases= D:\\Data \r\nReports=D:\\Rep\r\n[Window]\r\nLeft=10\r\n";
  Write(file, before);
  WriteSettingKey(file, kSaveFolderKey, "D:\\Отчёты");
  EXPECT_EQ(Read(file), "; mine\r\n[Settings]\r\nBases= D:\\Data \r\nReports=D:\\Rep\r\nSaveFolder=D:\\Отчёты\r\n"
                        "[Window]\r\nLeft=10\r\n");
  EXPECT_EQ(ReadSettingKey(file, kSaveFolderKey), "D:\\Отчёты");
  WriteSettingKey(file, kSaveFolderKey, "E:\\");
  EXPECT_EQ(ReadSettingKey(file, kSaveFolderKey), "E:\\");
  EXPECT_EQ(ReadSetting(file), (TSettings{"D:\\Data", "D:\\Rep"}));
  EXPECT_EQ(std::distance(fs::directory_iterator(temp.path), fs::directory_iterator()), 1);

  const fs::path aFolder = temp.path / "folder.ini";
  fs::create_directory(aFolder);
  EXPECT_THROW(WriteSettingKey(aFolder, kSaveFolderKey, "x"), std::runtime_error);
}

}  // namespace
}  // namespace spv::app
