// The day at a glance through real input on the demo folder: the hour marks and the totals
// line against the console's summary of the same day, the discrepancies-only view, the
// window's keys, the warning box exactly where it came before, and the command line.
#include "MainWindowFixture.h"
#include "UserDrag.h"

#include "app/DayGlance.h"
#include "app/Settings.h"
#include "platform/Hints.h"
#include "platform/Locale.h"
#include "skin/controls/bsSkinTabsLayout.h"

#include <map>
#include <sstream>

namespace spv::app::test {
namespace {

// One hour of `spinvolt-check --summary`.
struct TSummaryLine {
  TCaseCounts Counts;
  bool NoPlaylist = false;
};

// Hours 0 to 23 and the day's total, as the console counts them.
struct TSummary {
  std::map<int, TSummaryLine> Hours;
  TCaseCounts Total;
};

TSummary ConsoleSummary(const TDemoFolder& demo, std::wstring_view isoDate) {
  std::istringstream out(CheckToolOutput(demo, isoDate, L"--summary"));
  TSummary summary;
  std::string line;
  std::getline(out, line);  // the header
  while (std::getline(out, line)) {
    std::istringstream fields(line);
    std::string label;
    TCaseCounts counts;
    fields >> label >> counts.Count[0] >> counts.Count[1] >> counts.Count[2] >> counts.Count[3];
    if (!fields) continue;
    if (label == "total") summary.Total = counts;
    else summary.Hours[std::stoi(label)] = {counts, line.find("Принятый плейлист") != std::string::npos};
  }
  return summary;
}

class MainGlanceTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    Open();
  }
  void RunOn(std::wstring_view dateDigits) {
    TypeInto(*Form->EBases, demo.BasesText());
    TypeInto(*Form->EReport, demo.ReportsText());
    TypeDate(dateDigits);
    Run();
  }
  void ClickTab(int hour) {
    const RECT tab = Form->TabHour->TabRect(hour);
    Click(*Form->TabHour, (tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
  }
  // The keys go to the grid, as after a click on it.
  void FocusGrid() {
    Click(*Form->SGRep, 10, Form->SGRep->DefaultRowHeight() + 8);
    spv::test::PumpUntil([&] { return GetFocus() == Form->SGRep->Handle(); });
  }
  TDemoFolder demo;
};

std::string CountsInWords(const TCaseCounts& c) {
  return "на месте " + std::to_string(c.Count[0]) + ", перемещены " + std::to_string(c.Count[1]) + ", вручную " +
         std::to_string(c.Count[2]) + ", не вышли " + std::to_string(c.Count[3]);
}

// After a run, the squares on all 24 tabs read from the screen, the totals line and each tab's
// hint say what the console's summary of the same day says.
TEST_F(MainGlanceTest, TheMarksTotalsAndHintsMatchTheConsoleSummary) {
  EXPECT_EQ(Form->SPTotals->Caption(), platform::Utf8ToWide(kTotalsKeys)) << "the keys before the first run";
  EXPECT_EQ(Form->SPTotals->Top() + Form->SPTotals->Height(), kClientHeight) << "along the bottom";
  EXPECT_EQ(Form->SPTotals->Width(), kClientWidth);
  EXPECT_EQ(Form->TabHour->Top() + Form->TabHour->Height(), Form->SPTotals->Top());
  RunOn(L"14032026");
  const TSummary summary = ConsoleSummary(demo, L"2026-03-14");
  ASSERT_EQ(summary.Hours.size(), 24u);
  spv::test::PumpMessages(100);
  spv::test::SaveWindowPng(Form->Handle(), "main-window-glance");

  const HDC dc = GetDC(Form->TabHour->Handle());
  int matched = 0;
  const COLORREF red = RGB(255, 0, 0), yellow = RGB(255, 255, 0), green = RGB(0, 128, 0);
  for (const auto& [hour, line] : summary.Hours) {
    std::vector<COLORREF> expected;
    if (line.Counts[TCase::ByHand]) expected.push_back(red);
    if (line.Counts[TCase::Moved]) expected.push_back(yellow);
    if (line.Counts[TCase::NotAired]) expected.push_back(green);
    const RECT t = Form->TabHour->TabRect(hour);
    const bs::TRect tab{t.left, t.top, t.right, t.bottom};
    // Where three squares would stand: exactly the expected ones are there, whole.
    const std::vector<bs::TRect> places = bs::TabMarkRects(tab, 3);
    const std::vector<bs::TRect> squares = bs::TabMarkRects(tab, int(expected.size()));
    std::vector<COLORREF> seen;
    for (const bs::TRect& place : places) {
      const COLORREF c = GetPixel(dc, (place.Left + place.Right) / 2, (place.Top + place.Bottom) / 2);
      if (c == red || c == yellow || c == green) seen.push_back(c);
    }
    bool whole = true;
    for (std::size_t i = 0; i < squares.size(); ++i)
      for (int y = squares[i].Top; y < squares[i].Bottom; ++y)
        for (int x = squares[i].Left; x < squares[i].Right; ++x) whole = whole && GetPixel(dc, x, y) == expected[i];
    EXPECT_EQ(seen, expected) << "hour " << hour;
    EXPECT_TRUE(whole) << "hour " << hour << ": 5 x 5 squares in the legend's colours";
    matched += seen == expected && whole;
  }
  ReleaseDC(Form->TabHour->Handle(), dc);
  EXPECT_EQ(matched, 24) << "24/24 tabs";

  // The totals line: the day, then the hour shown.
  const int shown = Form->TabHour->TabIndex();
  const TSummaryLine& hourLine = summary.Hours.at(shown);
  const std::string hourText = "Час " + std::to_string(shown) + ": " + CountsInWords(hourLine.Counts) +
                               (hourLine.NoPlaylist ? ", нет плейлиста" : "");
  EXPECT_EQ(platform::WideToUtf8(Form->SPTotals->Caption()),
            "14.03.2026: " + CountsInWords(summary.Total) + "  |  " + hourText);

  // A hint over a tab once the pointer rests: that hour's totals; the next tab's on the next.
  auto& hints = platform::ApplicationHints();
  hints.HintPause = 200;
  hints.HintShortPause = 50;
  auto hoverTab = [&](int hour) {
    const RECT t = Form->TabHour->TabRect(hour);
    // The pointer moved as a hand moves it, in two steps onto the tab.
    const POINT at = Form->TabHour->ClientToScreen({(t.left + t.right) / 2, (t.top + t.bottom) / 2});
    spv::test::HandStep({at.x - 3, at.y});
    spv::test::HandStep(at);
    spv::test::PumpUntil([&] { return hints.HintShowing(); });
    spv::test::PumpMessages(100);
  };
  auto hourHint = [&](int hour) {
    const TSummaryLine& l = summary.Hours.at(hour);
    return "Час " + std::to_string(hour) + ": " + CountsInWords(l.Counts) + (l.NoPlaylist ? ", нет плейлиста" : "");
  };
  hoverTab(14);
  ASSERT_TRUE(hints.HintShowing());
  EXPECT_EQ(platform::WideToUtf8(hints.HintWindow()->Caption()), hourHint(14));
  RECT both, tip;
  GetWindowRect(Form->Handle(), &both);
  GetWindowRect(hints.HintWindow()->Handle(), &tip);
  UnionRect(&both, &both, &tip);
  spv::test::SaveScreenPng(both, "main-window-tab-hint");
  hoverTab(15);
  EXPECT_TRUE(hints.HintShowing());
  EXPECT_EQ(platform::WideToUtf8(hints.HintWindow()->Caption()), hourHint(15));
  // Gone once the pointer leaves for the grid, which has no hint.
  spv::test::HandStep(Form->SGRep->ClientToScreen({40, 40}));
  spv::test::PumpMessages(300);
  EXPECT_FALSE(hints.HintShowing());
  hints.HintPause = 500;
}

TEST_F(MainGlanceTest, F8VisitsExactlyTheHoursThatNeedAttentionAndCtrlTabEveryHour) {
  RunOn(L"14032026");
  const TSummary summary = ConsoleSummary(demo, L"2026-03-14");
  ASSERT_EQ(summary.Hours.size(), 24u);
  std::vector<int> attention;
  for (const auto& [hour, line] : summary.Hours)
    if (line.Counts.NeedsAttention()) attention.push_back(hour);
  ASSERT_FALSE(attention.empty());
  ASSERT_LT(attention.size(), 24u) << "the demo day has quiet hours too";

  WithBoxes([&] { ClickTab(0); });
  FocusGrid();
  std::vector<int> visited;
  WithBoxes([&] {
    for (std::size_t i = 0; i < attention.size() + 1; ++i) {
      PressKey(VK_F8);
      visited.push_back(Form->TabHour->TabIndex());
    }
  });
  std::vector<int> expected;
  for (int hour : attention)
    if (hour > 0) expected.push_back(hour);
  for (int hour : attention)
    if (hour <= 0) expected.push_back(hour);
  expected.push_back(expected.front());  // round the day and back to the first
  EXPECT_EQ(visited, expected);

  // Shift+F8 walks back.
  WithBoxes([&] { PressKey(VK_F8, {VK_SHIFT}); });
  EXPECT_EQ(Form->TabHour->TabIndex(), expected[expected.size() - 2]);

  // Ctrl+Tab: every hour in turn, each compared and shown as a click shows it.
  WithBoxes([&] { ClickTab(22); });
  FocusGrid();
  WithBoxes([&] { PressKey(VK_TAB, {VK_CONTROL}); });
  EXPECT_EQ(Form->TabHour->TabIndex(), 23);
  WithBoxes([&] { PressKey(VK_TAB, {VK_CONTROL}); });
  EXPECT_EQ(Form->TabHour->TabIndex(), 0);
  EXPECT_EQ(Form->ShownHour().Hour, 0);
  WithBoxes([&] { PressKey(VK_TAB, {VK_CONTROL, VK_SHIFT}); });
  EXPECT_EQ(Form->TabHour->TabIndex(), 23);
  EXPECT_EQ(Form->Check().Logs.size(), Form->Day().Hours[23].Logs.size());
}

// The warning of an hour without a playlist comes where it always came: when the shown hour is
// compared. The quiet comparison of the whole day for the marks says nothing, nor does Ctrl+D.
TEST_F(MainGlanceTest, TheWarningBoxComesOnlyWhenTheShownHourIsCompared) {
  RunOn(L"14032026");
  // An hour without a playlist, shown: its warning.
  int bare = 0;
  while (bare < 24 && !Form->Day().Hours[std::size_t(bare)].NoPlaylist) ++bare;
  ASSERT_LT(bare, 24) << "the demo day has an hour without a playlist";
  const auto warning = WarningBox(L"Принятый плейлист на этот час отсутствует");
  EXPECT_EQ(WithBoxes([&] { ClickTab(bare); }), std::vector<TShownBox>{warning});

  // A run with that hour shown: its one warning, none for the quiet comparison of the day.
  EXPECT_EQ(Run(), std::vector<TShownBox>{warning});
  ASSERT_TRUE(Form->DayKnown());
  // A run with an hour that has a playlist shown: no box, though the bare hour was compared
  // for its mark.
  int quiet = 0;
  while (Form->Day().Hours[std::size_t(quiet)].NoPlaylist) ++quiet;
  EXPECT_TRUE(WithBoxes([&] { ClickTab(quiet); }).empty());
  EXPECT_TRUE(Run().empty());
  ASSERT_TRUE(Form->DayKnown());
  EXPECT_TRUE(Form->Day().Hours[std::size_t(bare)].NoPlaylist);
  EXPECT_EQ(WithBoxes([&] { ClickTab(bare); }), std::vector<TShownBox>{warning});

  FocusGrid();
  EXPECT_TRUE(WithBoxes([&] { PressKey('D', {VK_CONTROL}); }).empty()) << "no comparison, no warning";
  EXPECT_TRUE(WithBoxes([&] { PressKey('D', {VK_CONTROL}); }).empty());

  // Back to an hour with a playlist: nothing to say.
  EXPECT_TRUE(WithBoxes([&] { ClickTab(quiet); }).empty());
}

TEST_F(MainGlanceTest, CtrlDShowsOnlyTheDiscrepanciesWithTheirNumbersAndColours) {
  RunOn(L"14032026");
  // The hour with the most rows in place.
  int busiest = 0, most = -1;
  for (const THourResult& hour : Form->Day().Hours)
    if (const int inPlace = hour.Counts()[TCase::InPlace]; inPlace > most && hour.Counts().NeedsAttention())
      most = inPlace, busiest = hour.Hour;
  ASSERT_GT(most, 0);
  WithBoxes([&] { ClickTab(busiest); });
  auto* grid = Form->SGRep;
  std::vector<std::array<std::string, 5>> all;
  for (int row = 1; row < grid->RowCount(); ++row) {
    std::array<std::string, 5> texts;
    for (int col = 0; col < 5; ++col) texts[std::size_t(col)] = grid->CellText(col, row);
    all.push_back(texts);
  }
  const std::vector<TLogItem> logs = Form->Check().Logs;
  ASSERT_EQ(all.size(), logs.size());
  FocusGrid();
  EXPECT_TRUE(WithBoxes([&] { PressKey('D', {VK_CONTROL}); }).empty());
  ASSERT_TRUE(Form->OnlyDiscrepancies());
  EXPECT_EQ(Form->Check().Logs.size(), logs.size()) << "not compared again";

  // Only the rows not in place, in order, with their own numbers and texts.
  std::vector<std::size_t> kept;
  for (std::size_t i = 0; i < logs.size(); ++i)
    if (CaseOf(logs[i]) != TCase::InPlace) kept.push_back(i);
  ASSERT_EQ(grid->RowCount(), int(kept.size()) + 1);
  spv::test::PumpMessages(50);
  const HDC dc = GetDC(grid->Handle());
  for (std::size_t r = 0; r < kept.size(); ++r) {
    const int row = int(r) + 1;
    for (int col = 0; col < 5; ++col) EXPECT_EQ(grid->CellText(col, row), all[kept[r]][std::size_t(col)]) << row;
    const RECT cell = grid->CellRect(4, row);
    if (cell.right <= cell.left || cell.bottom > grid->ClientHeight()) continue;
    const TColor c = logs[kept[r]].RowColor;
    EXPECT_EQ(GetPixel(dc, cell.right - 2, cell.top + 1), COLORREF(c)) << "row " << row;
    EXPECT_NE(GetPixel(dc, cell.right - 2, cell.top + 1), RGB(255, 255, 255)) << "no white row is left";
  }
  ReleaseDC(grid->Handle(), dc);
  spv::test::SaveWindowPng(Form->Handle(), "main-window-discrepancies-only");
  EXPECT_NE(SettingsText().find("OnlyDiscrepancies=1\r\n"), std::string::npos) << SettingsText();

  // An hour all in place shows only the header; the choice holds across hours.
  int calm = -1;
  for (const THourResult& hour : Form->Day().Hours)
    if (!hour.Counts().NeedsAttention() && !hour.NoPlaylist && !hour.Logs.empty()) calm = hour.Hour;
  if (calm >= 0) {
    WithBoxes([&] { ClickTab(calm); });
    EXPECT_EQ(grid->RowCount(), 2);
    for (int col = 0; col < 5; ++col) EXPECT_EQ(grid->CellText(col, 1), "");
  }

  // Back to every row; the choice is remembered under its key alone.
  WithBoxes([&] { ClickTab(busiest); });
  FocusGrid();
  WithBoxes([&] { PressKey('D', {VK_CONTROL}); });
  EXPECT_FALSE(Form->OnlyDiscrepancies());
  EXPECT_EQ(grid->RowCount(), int(all.size()) + 1);
  const std::string ini = SettingsText();
  EXPECT_NE(ini.find("OnlyDiscrepancies=0\r\n"), std::string::npos) << ini;
  EXPECT_NE(ini.find("Bases=" + platform::WideToUtf8(demo.BasesText()) + "\r\n"), std::string::npos) << ini;

  // A window opened later starts with the choice.
  WithBoxes([&] { PressKey('D', {VK_CONTROL}); });
  Form.reset();
  Open();
  EXPECT_TRUE(Form->OnlyDiscrepancies());
}

TEST_F(MainGlanceTest, AltRightAndAltLeftMoveTheDayAndRunAndF5Runs) {
  RunOn(L"14032026");
  ASSERT_EQ(Form->Check().WorkDate, *base::EncodeDate(2026, 3, 14));
  FocusGrid();
  WithBoxes([&] {
    PressKey(VK_RIGHT, {VK_MENU});
    spv::test::PumpUntil([&] { return !Form->Check().Reading(); });
  });
  EXPECT_EQ(Form->EDate->Text(), L"15.03.2026");
  EXPECT_EQ(Form->Check().WorkDate, *base::EncodeDate(2026, 3, 15)) << "moved and run";
  EXPECT_TRUE(Form->DayKnown());

  // From an edit too: the keys the edits do not use reach the window.
  ClickToFocus(*Form->EBases);
  WithBoxes([&] {
    PressKey(VK_LEFT, {VK_MENU});
    PressKey(VK_LEFT, {VK_MENU});
    spv::test::PumpUntil([&] { return !Form->Check().Reading(); });
  });
  EXPECT_EQ(Form->Check().WorkDate, *base::EncodeDate(2026, 3, 13));

  // F5 is "Выполнить": a day without its report table fails, and the day's answer goes.
  TypeDate(L"14042026");
  const auto boxes = WithBoxes([&] { PressKey(VK_F5); });
  EXPECT_EQ(boxes, std::vector<TShownBox>{ErrorBox(L"База отчета за 14.04.2026 не найдена: " + demo.ReportsText() +
                                                   L"\\rep_2604.db")});
  EXPECT_FALSE(Form->DayKnown());
}

// The keys do nothing while a run is reading.
TEST_F(MainGlanceTest, TheKeysDoNothingWhileARunReads) {
  TypeInto(*Form->EBases, demo.BasesText());
  TypeInto(*Form->EReport, demo.ReportsText());
  TypeDate(L"14032026");
  bool pressed = false;
  platform::TTimer watch;
  watch.SetInterval(15);
  watch.OnTimer = [&](platform::TObject*) {
    if (!Form->Check().Reading() || pressed) return;
    pressed = true;
    // Straight into the read's own pump, as a user's keys arrive.
    bs::test::TypeKey(VK_TAB, {VK_CONTROL}, [] {});
    bs::test::TypeKey(VK_F8, {}, [] {});
    bs::test::TypeKey('D', {VK_CONTROL}, [] {});
  };
  watch.SetEnabled(true);
  const int before = Form->TabHour->TabIndex();
  WithBoxes([&] {
    PressKey(VK_F5);
    spv::test::PumpUntil([&] { return !Form->Check().Reading(); });
  });
  watch.SetEnabled(false);
  ASSERT_TRUE(pressed) << "the keys came during the read";
  EXPECT_EQ(Form->TabHour->TabIndex(), before);
  EXPECT_FALSE(Form->OnlyDiscrepancies());
  EXPECT_EQ(Form->Check().WorkDate, *base::EncodeDate(2026, 3, 14));
}

TEST_F(MainGlanceTest, TheCommandLineOpensOnTheAnswerAndABadArgumentOnlySaysSo) {
  // The folders from the settings file, as the program finds them.
  WriteSetting(TFRM_SPV::SettingsFile(), {platform::WideToUtf8(demo.BasesText()), platform::WideToUtf8(demo.ReportsText())});
  Form.reset();
  Open();
  auto boxes = WithBoxes([&] {
    Form->ApplyCommandLine(ParseCommandLine({"--date", "2026-03-14", "/run"}, "dd.MM.yyyy"));
    spv::test::PumpMessages(100);
    spv::test::PumpUntil([&] { return !Form->Check().Reading(); });
  });
  EXPECT_TRUE(std::all_of(boxes.begin(), boxes.end(), [](const TShownBox& b) { return b.Caption == L"Warning"; }))
      << ::testing::PrintToString(boxes);
  EXPECT_EQ(Form->EDate->Text(), L"14.03.2026");
  EXPECT_EQ(Form->Check().WorkDate, *base::EncodeDate(2026, 3, 14));
  EXPECT_TRUE(Form->DayKnown());

  Form.reset();
  Open();
  boxes = WithBoxes([&] {
    Form->ApplyCommandLine(ParseCommandLine({"--run", "--date", "31.02.2026", "--fast"}, "dd.MM.yyyy"));
    spv::test::PumpMessages(300);
  });
  EXPECT_EQ(boxes, (std::vector<TShownBox>{ErrorBox(L"Неверная дата в командной строке: 31.02.2026"),
                                           ErrorBox(L"Неизвестный параметр командной строки: --fast")}));
  EXPECT_EQ(Form->Check().WorkDate, 0) << "the window stays idle";
  EXPECT_EQ(Form->EDate->Date(), platform::Date() - 1);
  EXPECT_FALSE(Form->DayKnown());
}

// The program itself started with a bad argument: its window opens, idle, under the error box
// that names the argument.
// The captions of the shown windows of one process, gathered by a window enumerator called
// the Windows way.
struct TProcessWindows {
  DWORD Process;
  std::vector<std::wstring> Captions;
};

BOOL CALLBACK AddProcessWindow(HWND w, LPARAM p) {
  auto& f = *reinterpret_cast<TProcessWindows*>(p);
  DWORD owner = 0;
  GetWindowThreadProcessId(w, &owner);
  wchar_t caption[128]{};
  if (owner == f.Process && IsWindowVisible(w) && GetWindowTextW(w, caption, 128)) f.Captions.push_back(caption);
  return TRUE;
}

TEST(MainProgram, ABadArgumentShowsItsBoxOverTheWindow) {
  wchar_t exe[MAX_PATH];
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  const fs::path program = fs::path(exe).parent_path() / "spinvolt.exe";
  ASSERT_TRUE(fs::exists(program));
  std::wstring line = L"\"" + program.wstring() + L"\" --fast";
  STARTUPINFOW start{};
  start.cb = sizeof start;
  PROCESS_INFORMATION process{};
  ASSERT_TRUE(CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &start, &process));
  TProcessWindows found{process.dwProcessId, {}};
  const auto windows = [&] {
    found.Captions.clear();
    EnumWindows(AddProcessWindow, LPARAM(&found));
    std::sort(found.Captions.begin(), found.Captions.end());
    return found.Captions;
  };
  const std::vector<std::wstring> expected = {L"Error", L"Quorvane Spinvolt"};
  const auto deadline = GetTickCount() + 20000;
  while (windows() != expected && LONG(GetTickCount() - deadline) < 0) Sleep(100);
  EXPECT_EQ(found.Captions, expected) << "the window, and the box over it";
  TerminateProcess(process.hProcess, 0);
  WaitForSingleObject(process.hProcess, 5000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
}

}  // namespace
}  // namespace spv::app::test
