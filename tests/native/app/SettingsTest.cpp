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

// The bytes of UTF-16 text, low byte first.
std::string Utf16Le(std::u16string_view text) {
  std::string bytes;
  for (const char16_t unit : text) {
    bytes += char(unit & 0xFF);
    bytes += char(unit >> 8);
  }
  return bytes;
}

// A file of the older check program, a file saved with a mark by an editor, a UTF-16 file and
// our own: each read as it is meant, and written back in its own encoding, its other lines
// kept.
TEST(Settings, EachEncodingIsReadAndWrittenBackInItsOwn) {
  struct Case {
    const char* what;
    std::string before;  // the file's bytes
    std::string after;   // its bytes once "E:\Новые" and "E:\Отчеты" are written
  };
  const Case cases[] = {
      {"code page 1251",
       // "; Эфир", "D:\Эфир", "D:\Эфир\Отчеты", then "E:\Новые", "E:\Отчеты".
       "; \xDD\xF4\xE8\xF0\r\n[Settings]\r\nBases=D:\\\xDD\xF4\xE8\xF0\r\n"
       "Reports=D:\\\xDD\xF4\xE8\xF0\\\xCE\xF2\xF7\xE5\xF2\xFB\r\n",
       "; \xDD\xF4\xE8\xF0\r\n[Settings]\r\nBases=E:\\\xCD\xEE\xE2\xFB\xE5\r\n"
       "Reports=E:\\\xCE\xF2\xF7\xE5\xF2\xFB\r\n"},
      {"UTF-8 with its mark",
       "\xEF\xBB\xBF; Эфир\r\n[Settings]\r\nBases=D:\\Эфир\r\nReports=D:\\Эфир\\Отчеты\r\n",
       "\xEF\xBB\xBF; Эфир\r\n[Settings]\r\nBases=E:\\Новые\r\nReports=E:\\Отчеты\r\n"},
      {"UTF-16 with its mark",
       Utf16Le(u"\uFEFF; Эфир\r\n[Settings]\r\nBases=D:\\Эфир\r\nReports=D:\\Эфир\\Отчеты\r\n"),
       Utf16Le(u"\uFEFF; Эфир\r\n[Settings]\r\nBases=E:\\Новые\r\nReports=E:\\Отчеты\r\n")},
      {"UTF-8 without a mark",
       "; Эфир\r\n[Settings]\r\nBases=D:\\Эфир\r\nReports=D:\\Эфир\\Отчеты\r\n",
       "; Эфир\r\n[Settings]\r\nBases=E:\\Новые\r\nReports=E:\\Отчеты\r\n"},
  };
  TempFolder temp;
  const fs::path file = temp.path / "spinvolt.ini";
  for (const Case& c : cases) {
    Write(file, c.before);
    EXPECT_EQ(ReadSetting(file), (TSettings{"D:\\Эфир", "D:\\Эфир\\Отчеты"})) << c.what;
    WriteSetting(file, {"E:\\Новые", "E:\\Отчеты"});
    EXPECT_EQ(Read(file), c.after) << c.what;
    EXPECT_EQ(ReadSetting(file), (TSettings{"E:\\Новые", "E:\\Отчеты"})) << c.what;
  }

  // A file that did not exist is UTF-8 without a mark, whatever it holds.
  fs::remove(file);
  WriteSetting(file, {"E:\\Новые", "E:\\Отчеты"});
  EXPECT_EQ(Read(file), "[Settings]\r\nBases=E:\\Новые\r\nReports=E:\\Отчеты\r\n");
}

// A value that code page 1251 has no letter for turns the whole file into UTF-8 with its mark,
// the lines it had converted with it; UTF-16 holds everything.
TEST(Settings, AValueTheFilesEncodingCannotHoldMakesItUtf8WithItsMark) {
  TempFolder temp;
  const fs::path file = temp.path / "spinvolt.ini";
  Write(file, "; \xDD\xF4\xE8\xF0\r\n[Settings]\r\nBases=D:\\\xDD\xF4\xE8\xF0\r\n");
  WriteSetting(file, {"E:\\Caf\u00E9 \u266B", "E:\\\u97F3\u697D"});
  EXPECT_EQ(Read(file), "\xEF\xBB\xBF; Эфир\r\n[Settings]\r\nBases=E:\\Caf\u00E9 \u266B\r\nReports=E:\\\u97F3\u697D\r\n");
  EXPECT_EQ(ReadSetting(file), (TSettings{"E:\\Caf\u00E9 \u266B", "E:\\\u97F3\u697D"}));

  Write(file, Utf16Le(u"\uFEFF[Settings]\r\n"));
  WriteSetting(file, {"E:\\\u97F3\u697D \U0001F3B5", "E:\\\u00E9"});
  EXPECT_EQ(Read(file), Utf16Le(u"\uFEFF[Settings]\r\nBases=E:\\\u97F3\u697D \U0001F3B5\r\nReports=E:\\\u00E9\r\n"));
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

}  // namespace
}  // namespace spv::app
