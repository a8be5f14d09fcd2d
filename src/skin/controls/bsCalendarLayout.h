#pragma once
// The month calendar's arithmetic: stepping the shown month and year with the day cut to the
// new month, the grid of six weeks of seven days from any first weekday, the hit test of a
// day cell and the places of the four navigation buttons.

#include "base/DateTime.h"
#include "skin/resources/bsSkinDataTypes.h"

#include <array>

namespace bs {

using spv::base::TDateParts;

// Weekdays as the calendar counts them: 0 = Sunday … 6 = Saturday.
enum TbsDaysOfWeek : int { Sun, Mon, Tue, Wed, Thu, Fri, Sat };

inline constexpr int kFirstCalendarYear = 1761, kLastCalendarYear = 9999;

// 1 = Sunday … 7 = Saturday, for a date-time value.
int DayOfWeekOf(spv::base::TDateTime value);

// The navigation steps. A year step outside 1761 to 9999 changes nothing; a month step past
// December or January takes the year step first. The day is cut to the new month's length.
TDateParts NextMonth(TDateParts d);
TDateParts PriorMonth(TDateParts d);
TDateParts NextYear(TDateParts d);
TDateParts PriorYear(TDateParts d);

// The number shown in the first cell of the grid: 1 when the 1st falls in the first column,
// else 2 − (its column), or −5 when it falls in the last column of the first row.
// `weekdayOfFirst` 1 = Sunday … 7 = Saturday.
int FirstCellNumber(int weekdayOfFirst, TbsDaysOfWeek firstDayOfWeek);

// The grid of one painting: client rect, cell width, the header line and the row height.
struct TbsMonthGrid {
  TRect Client;
  int CellWidth = 0, HeaderLineY = 0, RowHeight = 0;
  int FirstCell = 1, MonthLength = 31;

  // Row 1 to 6, column 0 to 6.
  TRect Cell(int row, int column) const;
  int NumberAt(int row, int column) const { return FirstCell + column + 7 * (row - 1); }
  // The day under a point, or 0 (outside the client, header, margins, an empty cell).
  int DayAt(int x, int y) const;
};

TbsMonthGrid MonthGrid(const TRect& client, int headerLineY, int firstCell, int monthLength);

// Left edges of the prior-year, prior-month, next-month and next-year buttons, all at
// client.Top + 1.
std::array<int, 4> NavButtonLefts(const TRect& client);

}  // namespace bs
