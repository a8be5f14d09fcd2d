#include "platform/IniFiles.h"
#include "platform/Locale.h"
#include "platform/SysUtils.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace spv::platform {
namespace {

namespace fs = std::filesystem;

// A fresh folder for each test, removed afterwards.
struct IniFileTest : ::testing::Test {
  fs::path folder = fs::temp_directory_path() / ("spv-ini-" + std::to_string(GetCurrentProcessId()) + "-" +
                                                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
  fs::path file = folder / L"Spinvolt.ini";
  IniFileTest() {
    fs::remove_all(folder);
    fs::create_directories(folder);
  }
  ~IniFileTest() override { fs::remove_all(folder); }
};

TEST_F(IniFileTest, WritingCreatesTheFileTheSectionAndTheKey) {
  ASSERT_FALSE(fs::exists(file));
  {
    TIniFile ini(file.wstring());
    EXPECT_EQ(ini.ReadString(L"Settings", L"Bases", L"none"), L"none");
    EXPECT_FALSE(ini.SectionExists(L"Settings"));
    ini.WriteString(L"Settings", L"Bases", L"D:\\Эфир\\Базы\\");
    ini.WriteString(L"Settings", L"Reports", L"D:\\Reports\\");
    ini.WriteInteger(L"Window", L"Left", -25);
    ini.WriteBool(L"Window", L"Maximized", true);
    ini.UpdateFile();
  }
  ASSERT_TRUE(fs::exists(file));
  // A second object sees what the first wrote: it is on disk, not in a cache of the object.
  const TIniFile again(file.wstring());
  EXPECT_EQ(again.ReadString(L"Settings", L"Bases", L""), L"D:\\Эфир\\Базы\\");
  EXPECT_EQ(again.ReadString(L"settings", L"REPORTS", L""), L"D:\\Reports\\");  // names without case
  EXPECT_EQ(again.ReadInteger(L"Window", L"Left", 0), -25);
  EXPECT_TRUE(again.ReadBool(L"Window", L"Maximized", false));
  EXPECT_EQ(again.ReadSection(L"Settings"), (std::vector<std::wstring>{L"Bases", L"Reports"}));
  EXPECT_EQ(again.ReadSections(), (std::vector<std::wstring>{L"Settings", L"Window"}));
  EXPECT_TRUE(again.ValueExists(L"Settings", L"bases"));
  EXPECT_FALSE(again.ValueExists(L"Settings", L"Skin"));
}

TEST_F(IniFileTest, ReadsAFileWrittenByHandAndChangesItInPlace) {
  {
    std::ofstream out(file, std::ios::binary);
    out << "; settings\r\n[Settings]\r\nBases=C:\\Q\\\r\nCount= 12 \r\nJunk=12abc\r\nHex=0x1F\r\nHuge=99999999999\r\n";
  }
  TIniFile ini(file.wstring());
  const struct {
    const wchar_t* key;
    int value;
  } numbers[] = {{L"Count", 12}, {L"Junk", -1}, {L"Hex", 31}, {L"Huge", -1}, {L"Missing", -1}, {L"Bases", -1}};
  for (const auto& n : numbers) EXPECT_EQ(ini.ReadInteger(L"Settings", n.key, -1), n.value) << WideToUtf8(n.key);
  ini.WriteString(L"Settings", L"Bases", L"E:\\Q\\");
  ini.DeleteKey(L"Settings", L"Junk");
  EXPECT_EQ(ini.ReadString(L"Settings", L"Bases", L""), L"E:\\Q\\");
  EXPECT_FALSE(ini.ValueExists(L"Settings", L"Junk"));
  ini.EraseSection(L"Settings");
  EXPECT_FALSE(ini.SectionExists(L"Settings"));
}

TEST_F(IniFileTest, LongValuesAreReadWhole) {
  TIniFile ini(file.wstring());
  const std::wstring value(3000, L'ё');
  ini.WriteString(L"Settings", L"Long", value);
  EXPECT_EQ(ini.ReadString(L"Settings", L"Long", L""), value);
}

TEST_F(IniFileTest, ARelativeNameIsTakenFromTheCurrentFolder) {
  const fs::path before = fs::current_path();
  fs::current_path(folder);
  TIniFile ini(L"relative.ini");
  ini.WriteString(L"S", L"K", L"V");
  fs::current_path(before);
  EXPECT_TRUE(fs::exists(folder / "relative.ini"));
  EXPECT_EQ(fs::path(ini.FileName()), folder / "relative.ini");
}

struct LocaleCase {
  LANGID language;
  const wchar_t* shortDate;
  wchar_t dateSeparator;
  const wchar_t* longTime;
  const wchar_t* january;
  const wchar_t* sunday;
  const wchar_t* dateText;      // 5 March 2024
  const wchar_t* afternoon;     // 13:05:09
  const wchar_t* morning;       // 09:07:00
};

const LocaleCase* CurrentLocale() {
  static const LocaleCase cases[] = {
      {LANG_RUSSIAN, L"dd.MM.yyyy", L'.', L"HH:mm:ss", L"январь", L"воскресенье", L"05.03.2024", L"13:05:09", L"09:07:00"},
      {LANG_ENGLISH, L"M/d/yyyy", L'/', L"h:mm:ss tt", L"January", L"Sunday", L"3/5/2024", L"1:05:09 PM", L"9:07:00 AM"},
  };
  const LANGID language = PRIMARYLANGID(LANGIDFROMLCID(GetUserDefaultLCID()));
  for (const auto& c : cases)
    if (c.language == language) return &c;
  return nullptr;
}

TEST(LocaleTest, ReadsTheUsersFormatsAndNames) {
  const LocaleCase* c = CurrentLocale();
  ASSERT_NE(c, nullptr) << "run under ru_RU or en_US";
  const TFormatSettings& s = FormatSettings();
  EXPECT_EQ(s.ShortDateFormat, c->shortDate);
  EXPECT_EQ(s.DateSeparator, c->dateSeparator);
  EXPECT_EQ(s.LongTimeFormat, c->longTime);
  EXPECT_EQ(s.TimeSeparator, L':');
  EXPECT_EQ(s.LongMonthNames[0], c->january);
  EXPECT_EQ(s.LongDayNames[0], c->sunday);
  for (const auto& name : s.LongMonthNames) EXPECT_FALSE(name.empty());
  for (const auto& name : s.ShortDayNames) EXPECT_FALSE(name.empty());
}

TEST(LocaleTest, DatesAndTimesGoToTextAndBack) {
  const LocaleCase* c = CurrentLocale();
  ASSERT_NE(c, nullptr);
  const TDateTime day = *spv::base::EncodeDate(2024, 3, 5);
  const TDateTime afternoon = *EncodeTime(13, 5, 9);
  const TDateTime morning = *EncodeTime(9, 7, 0);
  EXPECT_EQ(DateToStr(day), c->dateText);
  EXPECT_EQ(TimeToStr(afternoon), c->afternoon);
  EXPECT_EQ(TimeToStr(morning), c->morning);
  EXPECT_EQ(DateTimeToStr(day + afternoon), std::wstring(c->dateText) + L" " + c->afternoon);
  EXPECT_EQ(DateTimeToStr(day), c->dateText);  // midnight shows no time

  EXPECT_EQ(StrToDate(c->dateText), day);
  EXPECT_NEAR(StrToTime(c->afternoon), afternoon, 1e-9);
  EXPECT_NEAR(StrToTime(c->morning), morning, 1e-9);
  EXPECT_NEAR(StrToDateTime(std::wstring(c->dateText) + L" " + c->afternoon), day + afternoon, 1e-9);
  const TDateTime now = Now();
  EXPECT_NEAR(StrToDateTime(DateTimeToStr(now)), now, 1.0 / 86400);
}

TEST(LocaleTest, TextThatIsNoDateOrTimeIsAnError) {
  const TFormatSettings& s = FormatSettings();
  const std::wstring notADay = s.DateSeparator == L'.' ? L"31.02.2024" : L"2/31/2024";
  for (const std::wstring& bad : {notADay, std::wstring(L""), std::wstring(L"завтра"), std::wstring(L"1") + s.DateSeparator})
    EXPECT_FALSE(TryStrToDate(bad)) << WideToUtf8(bad);
  for (const wchar_t* bad : {L"24:00:00", L"12:60", L"7", L"13:00 PM", L"1:2:3:4", L"ab:cd"})
    EXPECT_FALSE(TryStrToTime(bad)) << WideToUtf8(bad);
  try {
    StrToDate(notADay);
    ADD_FAILURE() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), L"'" + notADay + L"' is not a valid date");
  }
}

TEST(LocaleTest, TimesFormatWithAnyPattern) {
  TFormatSettings s;
  s.TimeAMString = L"AM";
  s.TimePMString = L"PM";
  const TDateTime t = *EncodeTime(0, 4, 5);
  const struct {
    const wchar_t* pattern;
    const wchar_t* text;
  } cases[] = {{L"HH:mm:ss", L"00:04:05"}, {L"h:m:s t", L"12:4:5 A"}, {L"hh 'h' mm", L"12 h 04"}, {L"H.mm tt", L"0.04 AM"}};
  for (const auto& c : cases) EXPECT_EQ(FormatTime(t, c.pattern, s), c.text) << WideToUtf8(c.pattern);
  // A value before 1899-12-30 still has its time of day in its fraction.
  EXPECT_EQ(FormatTime(-1.25, L"HH:mm", s), L"06:00");
}

TEST(TextTest, Windows1251ConvertsWhateverTheSystemCodePage) {
  const struct {
    std::string bytes;
    std::wstring text;
  } cases[] = {
      {"\xC2\xFB\xEF\xEE\xEB\xED\xE8\xF2\xFC", L"Выполнить"},
      {"\xA8\xB8", L"Ёё"},
      {"\x88 \xB9", L"€ №"},
      {"", L""},
      {std::string("a\0b", 3), std::wstring(L"a\0b", 3)},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Cp1251ToWide(c.bytes), c.text);
    EXPECT_EQ(WideToCp1251(c.text), c.bytes);
  }
  EXPECT_EQ(WideToCp1251(L"中x"), "?x");  // what 1251 cannot hold
  EXPECT_EQ(Utf8ToWide(WideToUtf8(L"Прямой эфир")), L"Прямой эфир");
}

TEST(TextTest, ExceptionTextReadsUtf8AndFallsBackTo1251) {
  EXPECT_EQ(ExceptionText(Exception(L"Нет таблицы")), L"Нет таблицы");
  EXPECT_EQ(ExceptionText(std::runtime_error("\xCD\xE5\xF2")), L"Нет");
  const EOSError e("Opening History.db", ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(e.ErrorCode(), DWORD(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(std::string(e.what()).rfind("Opening History.db: ", 0), 0u);
  EXPECT_NE(std::string(e.what()).find("(code 2)"), std::string::npos);
}

}  // namespace
}  // namespace spv::platform
