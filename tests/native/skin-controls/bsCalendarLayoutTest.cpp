#include "skin/controls/bsCalendarLayout.h"

#include <gtest/gtest.h>

namespace bs {
namespace {

using spv::base::EncodeDate;

TEST(CalendarSteps, CutTheDayAndKeepTheYearsInRange) {
  struct Case {
    const char* step;
    TDateParts (*f)(TDateParts);
    TDateParts from, to;
  } cases[] = {
      {"prior month", PriorMonth, {2024, 3, 31}, {2024, 2, 29}},
      {"prior month", PriorMonth, {2023, 3, 31}, {2023, 2, 28}},
      {"prior month", PriorMonth, {2024, 1, 15}, {2023, 12, 15}},
      {"next month", NextMonth, {2024, 1, 31}, {2024, 2, 29}},
      {"next month", NextMonth, {2024, 12, 31}, {2025, 1, 31}},
      {"next month", NextMonth, {9999, 12, 5}, {9999, 1, 5}},  // no year 10000
      {"prior month", PriorMonth, {1761, 1, 5}, {1761, 12, 5}},
      {"next year", NextYear, {2024, 2, 29}, {2025, 2, 28}},
      {"next year", NextYear, {9999, 6, 1}, {9999, 6, 1}},
      {"prior year", PriorYear, {1761, 6, 1}, {1761, 6, 1}},
      {"prior year", PriorYear, {1762, 6, 1}, {1761, 6, 1}},
      {"prior year", PriorYear, {2024, 2, 29}, {2023, 2, 28}},
  };
  for (const Case& c : cases) {
    const TDateParts r = c.f(c.from);
    EXPECT_EQ(r, c.to) << c.step << " from " << c.from.Day << "." << c.from.Month << "." << c.from.Year << " gave "
                       << r.Day << "." << r.Month << "." << r.Year;
  }
}

TEST(CalendarGrid, WeekdaysOfKnownDates) {
  EXPECT_EQ(DayOfWeekOf(*EncodeDate(2024, 3, 31)), 1);  // a Sunday
  EXPECT_EQ(DayOfWeekOf(*EncodeDate(2024, 6, 1)), 7);   // a Saturday
  EXPECT_EQ(DayOfWeekOf(*EncodeDate(1899, 12, 30)), 7);
  EXPECT_EQ(DayOfWeekOf(*EncodeDate(1761, 1, 1)), 5);  // a Thursday
}

// Where the 1st and the last day of a month fall: (row, column) from the grid's numbering.
TEST(CalendarGrid, SundayFirstAndMondayFirstMonths) {
  struct Case {
    int year, month;
    TbsDaysOfWeek first;
    int firstCell;
  } cases[] = {
      {2024, 6, Sun, -5},  // 1 June 2024 is a Saturday: last column of the first row
      {2024, 9, Sun, 1},   // a Sunday
      {2024, 9, Mon, -5},  // the same Sunday is the last column when weeks start on Monday
      {2024, 7, Mon, 1},   // a Monday
      {2024, 2, Sun, -3},  // a Thursday
      {2024, 2, Mon, -2},
  };
  for (const Case& c : cases) {
    const int n = FirstCellNumber(DayOfWeekOf(*EncodeDate(c.year, c.month, 1)), c.first);
    EXPECT_EQ(n, c.firstCell) << c.month << "." << c.year << " first " << c.first;
  }
  // June 2024, Sunday first: the 30th in the first column of the sixth row.
  TbsMonthGrid g = MonthGrid({2, 2, 198, 148}, 52, -5, 30);
  EXPECT_EQ(g.NumberAt(1, 6), 1);
  EXPECT_EQ(g.NumberAt(6, 0), 30);
  // A 31-day month starting on Saturday: the 30th and the 31st open the sixth row.
  g = MonthGrid({2, 2, 198, 148}, 52, -5, 31);
  EXPECT_EQ(g.NumberAt(6, 0), 30);
  EXPECT_EQ(g.NumberAt(6, 1), 31);
}

TEST(CalendarGrid, HitTestFindsDaysAndNothingElse) {
  // 200 x 150 with the panel's client (2, 2, 198, 148); header line at 52.
  const TbsMonthGrid g = MonthGrid({2, 2, 198, 148}, 52, -5, 30);
  EXPECT_EQ(g.CellWidth, 27);
  EXPECT_EQ(g.RowHeight, 15);
  const TRect first = g.Cell(1, 6);
  EXPECT_EQ(first, (TRect{3 + 6 * 27, 55, 3 + 7 * 27, 70}));
  EXPECT_EQ(g.DayAt(first.Left, first.Top), 1);
  EXPECT_EQ(g.DayAt(first.Right - 1, first.Bottom - 1), 1);
  EXPECT_EQ(g.DayAt(first.Left - 1, first.Top), 0);      // an empty cell before the 1st
  EXPECT_EQ(g.DayAt(first.Left, first.Bottom), 8);       // bottom edge belongs to the next row
  EXPECT_EQ(g.DayAt(50, 40), 0);                         // the weekday header
  EXPECT_EQ(g.DayAt(50, 10), 0);                         // the title
  EXPECT_EQ(g.DayAt(1, 60), 0);                          // the frame
  EXPECT_EQ(g.DayAt(g.Cell(6, 1).Left + 2, g.Cell(6, 1).Top + 2), 0);  // after the 30th
  EXPECT_EQ(g.DayAt(g.Cell(6, 0).Left + 2, g.Cell(6, 0).Top + 2), 30);
  EXPECT_EQ(g.DayAt(195, 146), 0);                       // the margin right of the grid
}

TEST(CalendarNavButtons, PlacedFromTheClientRect) {
  EXPECT_EQ(NavButtonLefts({2, 2, 198, 148}), (std::array<int, 4>{3, 27, 150, 174}));
}

}  // namespace
}  // namespace bs
