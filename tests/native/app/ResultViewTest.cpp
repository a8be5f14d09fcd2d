#include "app/ResultView.h"

#include <gtest/gtest.h>

#include <map>

namespace spv::app {
namespace {

TDateTime Time(int h, int m, int s, int ms = 0) { return (((h * 60 + m) * 60 + s) * 1000.0 + ms) / 86400000.0; }

TEST(FormatTime, WindowsTimePatterns) {
  struct Case {
    TDateTime value;
    const char* pattern;
    const char* text;
  };
  const Case cases[] = {
      {Time(10, 0, 5), "HH:mm:ss", "10:00:05"},
      {Time(9, 3, 4), "H:m:s", "9:3:4"},
      {Time(0, 0, 0), "h:mm:ss tt", "12:00:00 AM"},
      {Time(13, 7, 9), "h:mm:ss tt", "1:07:09 PM"},
      {Time(23, 59, 59), "hh:mm:ss t", "11:59:59 P"},
      {Time(12, 0, 0), "HH'h'mm", "12h00"},
      {46000 + Time(7, 30, 0), "HH:mm:ss", "07:30:00"},  // the date part does not count
      {Time(10, 0, 0, 999), "HH:mm:ss", "10:00:00"},      // the milliseconds are not shown
      {Time(23, 59, 59, 999) + 0.4 / 86400000, "HH:mm:ss", "23:59:59"},
      {1.0 - 1e-12, "HH:mm:ss", "00:00:00"},  // rounds to the next midnight
  };
  for (const Case& c : cases) EXPECT_EQ(FormatTime(c.value, c.pattern), c.text) << c.pattern;
  EXPECT_EQ(FormatTime(Time(15, 0, 0), "tt h", "ДП", "ПП"), "ПП 3");
}

TEST(ResultRowTexts, AsTheGridShowsThem) {
  // "Песня" and "Группа" as a Windows-1251 table stores them.
  const TLogItem manual{TShortString("\xCF\xE5\xF1\xED\xFF"), TShortString("\xC3\xF0\xF3\xEF\xEF\xE0"), -1, clRed,
                        Time(10, 7, 10)};
  EXPECT_EQ(ResultRowTexts(manual, 2, "HH:mm:ss"),
            (std::array<std::string, 5>{"3", "Песня", "Группа", "10:07:10", "Вручную"}));

  const TLogItem notAired{TShortString("D"), TShortString("d"), 3, clGreen, -1.0};
  EXPECT_EQ(ResultRowTexts(notAired, 4, "HH:mm:ss"), (std::array<std::string, 5>{"5", "D", "d", "", "4"}));

  const TLogItem first{TShortString("A"), TShortString("a"), 0, clWhite, 0.0};
  EXPECT_EQ(ResultRowTexts(first, 0, "HH:mm:ss"), (std::array<std::string, 5>{"1", "A", "a", "00:00:00", "1"}));

  const TLogItem last{TShortString("Z"), TShortString("z"), std::numeric_limits<std::int32_t>::max(), clWhite, -1.0};
  EXPECT_EQ(ResultRowTexts(last, 0, "HH:mm:ss")[4], "2147483648");
}

struct TGridCells : TResultGrid {
  int rows = 2, cols = 5, repaints = 0;
  std::map<std::pair<int, int>, std::string> cells;
  void SetRowCount(int n) override {
    rows = n;
    std::erase_if(cells, [&](const auto& c) { return c.first.second >= n; });
  }
  int ColCount() const override { return cols; }
  void SetCell(int col, int row, std::string_view text) override { cells[{col, row}] = std::string(text); }
  void Repaint() override { ++repaints; }
  std::string Row(int row) const {
    std::string text;
    for (int c = 0; c < cols; ++c) {
      const auto it = cells.find({c, row});
      text += (c ? "|" : "") + (it == cells.end() ? std::string("<unset>") : it->second);
    }
    return text;
  }
};

TEST(ShowLogs, WritesEveryRowAndOnlyThem) {
  std::vector<TLogItem> logs;
  for (int i = 0; i < 10; ++i) logs.push_back({TShortString("T" + std::to_string(i)), TShortString("A"), i, clWhite, Time(10, i, 0)});
  TGridCells grid;
  ShowLogs(grid, logs, "HH:mm:ss");
  EXPECT_EQ(grid.rows, 11);
  EXPECT_EQ(grid.Row(10), "10|T9|A|10:09:00|10");
  EXPECT_EQ(grid.repaints, 1);

  logs.resize(3);
  logs[1] = {TShortString("D"), TShortString("d"), 3, clGreen, -1.0};
  ShowLogs(grid, logs, "HH:mm:ss");
  EXPECT_EQ(grid.rows, 4);
  EXPECT_EQ(grid.Row(2), "2|D|d||4");  // the earlier air time is overwritten with nothing
  EXPECT_EQ(grid.repaints, 2);

  ShowLogs(grid, {}, "HH:mm:ss");
  EXPECT_EQ(grid.rows, 2);
  EXPECT_EQ(grid.Row(1), "||||");
  EXPECT_EQ(grid.repaints, 2);
}

// The discrepancies alone: grid rows map to result rows, which keep their numbers and colours.
TEST(ShowRows, WritesTheMappedRowsWithTheirOwnNumbersAndColours) {
  const std::vector<TLogItem> logs = {{TShortString("A"), TShortString("a"), 0, clWhite, Time(10, 0, 5)},
                                      {TShortString("C"), TShortString("c"), 2, clYellow, Time(10, 3, 40)},
                                      {TShortString("X"), TShortString("x"), -1, clRed, Time(10, 7, 10)},
                                      {TShortString("B"), TShortString("b"), 1, clWhite, Time(10, 10, 0)},
                                      {TShortString("D"), TShortString("d"), 3, clGreen, -1.0}};
  const std::vector<std::size_t> rows = {1, 2, 4};
  TGridCells grid;
  ShowLogs(grid, logs, "HH:mm:ss");
  ShowRows(grid, logs, rows, "HH:mm:ss");
  EXPECT_EQ(grid.rows, 4);
  EXPECT_EQ(grid.Row(1), "2|C|c|10:03:40|3");
  EXPECT_EQ(grid.Row(2), "3|X|x|10:07:10|Вручную");
  EXPECT_EQ(grid.Row(3), "5|D|d||4");
  EXPECT_EQ(grid.repaints, 2);
  struct Case {
    int col, row;
    std::optional<TColor> color;
  };
  const Case cases[] = {{4, 1, clYellow}, {4, 2, clRed}, {4, 3, clGreen}, {4, 4, std::nullopt},
                        {4, 0, std::nullopt}, {3, 1, std::nullopt}};
  for (const Case& c : cases) EXPECT_EQ(ResultCellColor(logs, rows, 5, c.col, c.row), c.color) << c.row;
  EXPECT_EQ(ResultCellColor(logs, rows, -1, 4, 1), std::nullopt);
  EXPECT_EQ(ResultCellColor(logs, {7}, 5, 4, 1), std::nullopt) << "a row outside the result";

  // An hour all in place shows the header and one blank row, as an empty hour does.
  ShowRows(grid, logs, {}, "HH:mm:ss");
  EXPECT_EQ(grid.rows, 2);
  EXPECT_EQ(grid.Row(1), "||||");
  EXPECT_THROW(ShowRows(grid, logs, {9}, "HH:mm:ss"), std::out_of_range);
}

TEST(ResultCellColor, OnlyTheLastColumnOfAResultRowWhileAnHourIsSelected) {
  const std::vector<TLogItem> logs = {{TShortString("X"), TShortString(), -1, clRed, 0.1},
                                      {TShortString("D"), TShortString(), 3, clGreen, -1.0}};
  struct Case {
    int hour, col, row;
    std::optional<TColor> color;
  };
  const Case cases[] = {
      {0, 4, 1, clRed}, {23, 4, 2, clGreen}, {0, 4, 0, std::nullopt}, {0, 4, 3, std::nullopt},
      {0, 3, 1, std::nullopt}, {0, 0, 1, std::nullopt}, {-1, 4, 1, std::nullopt}, {24, 4, 1, std::nullopt},
      {0, 4, -1, std::nullopt},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ResultCellColor(logs, c.hour, c.col, c.row), c.color) << c.hour << ' ' << c.col << ' ' << c.row;
  EXPECT_EQ(ResultCellColor({}, 0, 4, 1), std::nullopt);
}

}  // namespace
}  // namespace spv::app
