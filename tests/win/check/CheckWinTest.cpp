// The check's Windows side: the user's formats as Windows gives them, Windows folders, the
// settings file replaced in place, and the message pump.
#include "app/Engine.h"
#include "app/EngineWin.h"
#include "app/ResultView.h"
#include "app/Settings.h"
#include "app/Utf8Path.h"
#include "base/CodePage.h"
#include "base/DateTime.h"
#include "base/UserLocale.h"
#include "platform/Forms.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <iterator>

namespace spv::app {
namespace {

namespace fs = std::filesystem;

std::string WindowsText(const wchar_t* text) { return spv::base::Utf16ToUtf8(reinterpret_cast<const char16_t*>(text)); }

TEST(UserLocaleWin, FormatsAsWindowsFormatsTheSameDayAndTime) {
  const base::TUserLocale user = base::UserLocale();
  SYSTEMTIME when{};
  when.wYear = 2026;
  when.wMonth = 1;
  when.wDay = 5;
  when.wHour = 14;
  when.wMinute = 7;
  when.wSecond = 9;
  wchar_t date[64], time[64];
  ASSERT_GT(GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &when, nullptr, date, 64), 0);
  ASSERT_GT(GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &when, nullptr, time, 64), 0);
  EXPECT_EQ(spv::base::FormatDate(*spv::base::EncodeDate(2026, 1, 5), user.ShortDateFormat), WindowsText(date)) << user.ShortDateFormat;
  EXPECT_EQ(FormatTime((14 * 3600 + 7 * 60 + 9) / 86400.0, user.LongTimeFormat, user.TimeAMString, user.TimePMString),
            WindowsText(time))
      << user.LongTimeFormat;
}

struct TempFolder {
  fs::path path = fs::temp_directory_path() / (L"spv-check-win-\u041F\u0430\u043F\u043A\u0430-" +
                                               std::to_wstring(GetCurrentProcessId()));
  TempFolder() { fs::create_directories(path); }
  ~TempFolder() {
    std::error_code ec;
    fs::remove_all(path, ec);
  }
};

TEST(LocalFileSystemWin, WindowsFoldersWithTheirTrailingBackslash) {
  TempFolder temp;
  std::ofstream(temp.path / "History.db") << "x";
  const std::string folder = WithTrailingBackslash(PathUtf8(temp.path));
  TLocalFileSystem files;
  EXPECT_TRUE(files.DirectoryExists(folder));
  EXPECT_TRUE(files.FileExists(folder + "History.db"));
  EXPECT_FALSE(files.DirectoryExists(folder + "History.db"));
  EXPECT_FALSE(files.FileExists(folder));
  EXPECT_FALSE(files.DirectoryExists("   \\"));
  EXPECT_FALSE(files.FileExists(folder + "rep_2612.db"));
}

TEST(SettingsWin, AnExistingFileIsReplacedWholeUnderANameWithCyrillicLetters) {
  TempFolder temp;
  const fs::path file = SettingsPathFor(temp.path / "spinvolt.exe");
  WriteSetting(file, {"D:\\Базы", "D:\\Отчеты"});
  WriteSetting(file, {"E:\\Q", "E:\\Q\\Report"});
  EXPECT_EQ(ReadSetting(file), (TSettings{"E:\\Q", "E:\\Q\\Report"}));
  EXPECT_EQ(std::distance(fs::directory_iterator(temp.path), fs::directory_iterator()), 1);

  // Held open without sharing by another program: an error, and the file as it was.
  HANDLE held = CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_THROW(WriteSetting(file, {"F:\\", "F:\\"}), std::runtime_error);
  CloseHandle(held);
  EXPECT_EQ(ReadSetting(file), (TSettings{"E:\\Q", "E:\\Q\\Report"}));
  EXPECT_EQ(std::distance(fs::directory_iterator(temp.path), fs::directory_iterator()), 1);
}

int handled = 0;

// A window procedure is called the Windows way (stdcall in 32 bits), which a lambda is not.
LRESULT CALLBACK CountingWindowProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_APP) ++handled;
  return DefWindowProcW(w, m, wp, lp);
}

TEST(PumpAndSleepWin, HandlesPendingMessagesThroughTheApplicationAndLeavesTheQuitToTheLoop) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = CountingWindowProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"SpvPumpTest";
  RegisterClassW(&wc);
  HWND window = CreateWindowW(L"SpvPumpTest", L"", 0, 0, 0, 10, 10, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
  ASSERT_NE(window, nullptr);
  for (int i = 0; i < 3; ++i) PostMessageW(window, WM_APP, 0, 0);
  PumpAndSleep(0);
  EXPECT_EQ(handled, 3);

  // A quit request inside a read ends the program's message loop once the read returns to it.
  ASSERT_FALSE(platform::Application().Terminated());
  PostQuitMessage(7);
  PumpAndSleep(1);
  EXPECT_TRUE(platform::Application().Terminated());
  DestroyWindow(window);
}

}  // namespace
}  // namespace spv::app
