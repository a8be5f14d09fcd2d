// End to end: folders and day typed, "Выполнить" pressed, every hour tab clicked; each hour's
// grid against what the console check prints for the same folders and day, and the colour of
// each row's last cell as the screen shows it.
#include "MainWindowFixture.h"

#include "app/ResultView.h"
#include "platform/Locale.h"

#include <cstdio>

#include <map>
#include <set>
#include <sstream>

namespace spv::app::test {
namespace {

// What a program prints on its standard output, run to its end.
std::string Output(const std::wstring& commandLine) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE read = nullptr, write = nullptr;
  if (!CreatePipe(&read, &write, &inherit, 0)) return {};
  SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW start{};
  start.cb = sizeof start;
  start.dwFlags = STARTF_USESTDHANDLES;
  start.hStdOutput = write;
  start.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  start.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  PROCESS_INFORMATION process{};
  std::wstring line = commandLine;
  const BOOL started = CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                                      nullptr, &start, &process);
  CloseHandle(write);
  std::string out;
  if (started) {
    char buffer[4096];
    DWORD n = 0;
    while (ReadFile(read, buffer, sizeof buffer, &n, nullptr) && n > 0) out.append(buffer, n);
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
  }
  CloseHandle(read);
  return out;
}

std::vector<std::string> CsvFields(const std::string& line) {
  std::vector<std::string> fields(1);
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quoted) {
      if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') fields.back() += '"', ++i;
      else if (c == '"') quoted = false;
      else fields.back() += c;
    } else if (c == '"') quoted = true;
    else if (c == ',') fields.emplace_back();
    else if (c != '\r') fields.back() += c;
  }
  return fields;
}

struct TExpectedRow {
  std::array<std::string, 5> texts;  // row, title, artist, aired, number
  std::string kind;                  // in-place, moved, by-hand, not-aired
};

// The console's air time (HH:mm:ss) in the user's own long time format, as the grid shows it.
std::string InUsersTimeFormat(const std::string& console) {
  int h = 0, m = 0, s = 0;
  if (console.empty() || std::sscanf(console.c_str(), "%d:%d:%d", &h, &m, &s) != 3) return console;
  const auto time = platform::EncodeTime(h, m, s);
  if (!time) return console;
  return platform::WideToUtf8(platform::FormatTime(*time, platform::FormatSettings().LongTimeFormat));
}

// The rows of one hour as spinvolt-check prints them.
std::vector<TExpectedRow> ConsoleRows(const TDemoFolder& demo, int hour) {
  wchar_t exe[MAX_PATH];
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  const fs::path check = fs::path(exe).parent_path() / "spinvolt-check.exe";
  const std::wstring command = L"\"" + check.wstring() + L"\" --bases \"" + demo.BasesText() + L"\" --reports \"" +
                               demo.ReportsText() + L"\" --date 2026-03-09 --hour " + std::to_wstring(hour) +
                               L" --csv";
  std::istringstream out(Output(command));
  std::vector<TExpectedRow> rows;
  std::string line;
  std::getline(out, line);  // the header
  while (std::getline(out, line)) {
    const auto f = CsvFields(line);
    if (f.size() != 7) continue;
    rows.push_back({{f[1], f[2], f[3], InUsersTimeFormat(f[4]), f[5]}, f[6]});
  }
  return rows;
}

COLORREF KindColour(const std::string& kind) {
  if (kind == "in-place") return RGB(255, 255, 255);
  if (kind == "moved") return RGB(255, 255, 0);
  if (kind == "by-hand") return RGB(255, 0, 0);
  if (kind == "not-aired") return RGB(0, 128, 0);
  ADD_FAILURE() << "unknown case " << kind;
  return CLR_INVALID;
}

// Runs under ru_RU and en_US. The day is picked from the calendar, so the field shows it as
// the program writes it: the US field pads the one-digit month and day with blanks.
TEST_F(MainWindowTest, EveryHourShowsWhatTheConsoleCheckPrintsInItsColours) {
  TDemoFolder demo(*base::EncodeDate(2026, 3, 10));
  Open();
  TypeInto(*Form->EBases, demo.BasesText());
  TypeInto(*Form->EReport, demo.ReportsText());
  PickDate(2026, 3, 9);
  const bool dayFirst = platform::FormatSettings().ShortDateFormat.front() == L'd';
  ASSERT_EQ(Form->EDate->Text(), dayFirst ? L"09.03.2026" : L" 3/ 9/2026");
  const auto runBoxes = Run();
  for (const TShownBox& box : runBoxes) EXPECT_EQ(box.Caption, L"Warning") << box;
  // The console tool takes the date in its own form; it must be the same day.
  ASSERT_EQ(Form->Check().WorkDate, *base::EncodeDate(2026, 3, 9));

  std::set<std::string> kindsSeen;
  std::size_t mostKinds = 0;
  for (int hour = 0; hour < 24; ++hour) {
    SCOPED_TRACE("hour " + std::to_string(hour));
    const RECT tab = Form->TabHour->TabRect(hour);
    const auto boxes = WithBoxes([&] { Click(*Form->TabHour, (tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2); });
    ASSERT_EQ(Form->TabHour->TabIndex(), hour);
    // An hour without an accepted playlist is said so in the warning box.
    if (Form->Check().HistHours[std::size_t(hour)].empty())
      EXPECT_EQ(boxes, std::vector<TShownBox>{WarningBox(L"Принятый плейлист на этот час отсутствует")});
    else
      EXPECT_TRUE(boxes.empty()) << ::testing::PrintToString(boxes);
    spv::test::PumpMessages(50);

    const std::vector<TExpectedRow> expected = ConsoleRows(demo, hour);
    auto* grid = Form->SGRep;
    if (expected.empty()) {
      EXPECT_EQ(grid->RowCount(), 2);
      for (int col = 0; col < 5; ++col) EXPECT_EQ(grid->CellText(col, 1), "");
      continue;
    }
    ASSERT_EQ(grid->RowCount(), int(expected.size()) + 1);
    const HDC dc = GetDC(grid->Handle());
    std::set<std::string> kindsHere;
    for (std::size_t i = 0; i < expected.size(); ++i) {
      const int row = int(i) + 1;
      for (int col = 0; col < 5; ++col)
        EXPECT_EQ(platform::WideToUtf8(platform::Cp1251ToWide(grid->CellText(col, row))), expected[i].texts[std::size_t(col)])
            << "row " << row << " column " << col;
      kindsHere.insert(expected[i].kind);
      const RECT cell = grid->CellRect(4, row);
      if (cell.right <= cell.left || cell.bottom > grid->ClientHeight()) continue;  // scrolled out of sight
      // The colour fills the cell to its edges: its corners and its right end beyond the text.
      const COLORREF want = KindColour(expected[i].kind);
      for (POINT p : {POINT{cell.left, cell.top}, POINT{cell.right - 1, cell.bottom - 1}, POINT{cell.right - 2, cell.top + 1},
                      POINT{cell.left, cell.bottom - 1}})
        EXPECT_EQ(GetPixel(dc, p.x, p.y), want) << "row " << row << " (" << expected[i].kind << ") at " << p.x << ","
                                                << p.y;
    }
    ReleaseDC(grid->Handle(), dc);
    // Nothing else is coloured: the number column of the header keeps the grid's look.
    kindsSeen.insert(kindsHere.begin(), kindsHere.end());
    if (kindsHere.size() > mostKinds) {
      mostKinds = kindsHere.size();
      spv::test::SaveWindowPng(Form->Handle(), dayFirst ? "main-window-result" : "main-window-result-en");
    }
  }
  EXPECT_EQ(kindsSeen.size(), 4u) << "the demo day shows every case";
  EXPECT_EQ(mostKinds, 4u) << "the demo's busy hour shows every case at once";
}

// Fitted columns: the shares of the width the kept columns leave, never below nothing.
TEST_F(MainWindowTest, ColumnsAreFittedToTheTabControlAndNeverNegative) {
  Open();
  auto* grid = Form->SGRep;
  EXPECT_EQ(grid->ColWidths(0), 33);
  EXPECT_EQ(grid->ColWidths(3), 67);
  const int available = grid->Width() - 4 - 34 - 68;
  EXPECT_EQ(grid->ColWidths(1), 45 * available / 100 - 1);
  EXPECT_EQ(grid->ColWidths(2), 40 * available / 100 - 1);
  EXPECT_EQ(grid->ColWidths(4), 15 * available / 100 - 1);
  for (int col = 0; col < 5; ++col) EXPECT_EQ(grid->CellText(col, 0), platform::WideToCp1251(platform::Utf8ToWide(kResultHeader[std::size_t(col)])));
  EXPECT_EQ(grid->RowCount(), 2);

  Form->SetBounds(10, 10, 120, 300);
  spv::test::PumpMessages();
  // As narrow as the frame lets the window be: the shares may come out below nothing.
  const int left = (grid->ClientHeight() > 2 * 17 ? grid->Width() - 4 : grid->ClientWidth()) - 34 - 68;
  const int shares[] = {0, 45, 40, 0, 15};
  for (int col : {1, 2, 4}) EXPECT_EQ(grid->ColWidths(col), std::max(0, shares[col] * left / 100 - 1)) << col;
  for (int col = 0; col < 5; ++col) EXPECT_GE(grid->ColWidths(col), 0) << col;
}

}  // namespace
}  // namespace spv::app::test
