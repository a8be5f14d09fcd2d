#include "skin/controls/bsCalendarLayout.h"

#include <algorithm>
#include <cmath>

namespace bs {
namespace {

TDateParts CutDay(TDateParts d) {
  d.Day = std::min(d.Day, spv::base::DaysInMonth(d.Year, d.Month));
  return d;
}

}  // namespace

int DayOfWeekOf(spv::base::TDateTime value) {
  // Day 1 (31 December 1899) was a Sunday.
  const long long day = (long long)std::floor(value);
  return int(((day - 1) % 7 + 7) % 7) + 1;
}

TDateParts NextYear(TDateParts d) {
  if (d.Year + 1 > kLastCalendarYear) return d;
  ++d.Year;
  return CutDay(d);
}

TDateParts PriorYear(TDateParts d) {
  if (d.Year - 1 < kFirstCalendarYear) return d;
  --d.Year;
  return CutDay(d);
}

TDateParts NextMonth(TDateParts d) {
  if (d.Month == 12) d = NextYear(d);
  d.Month = d.Month == 12 ? 1 : d.Month + 1;
  return CutDay(d);
}

TDateParts PriorMonth(TDateParts d) {
  if (d.Month == 1) d = PriorYear(d);
  d.Month = d.Month == 1 ? 12 : d.Month - 1;
  return CutDay(d);
}

int FirstCellNumber(int weekdayOfFirst, TbsDaysOfWeek firstDayOfWeek) {
  const int r = (weekdayOfFirst - int(firstDayOfWeek) + 7) % 7;
  return r != 0 ? 2 - r : -5;
}

TbsMonthGrid MonthGrid(const TRect& client, int headerLineY, int firstCell, int monthLength) {
  TbsMonthGrid g;
  g.Client = client;
  g.CellWidth = (client.Width() - 2) / 7;
  g.HeaderLineY = headerLineY;
  g.RowHeight = (client.Bottom - headerLineY - 4) / 6;
  g.FirstCell = firstCell;
  g.MonthLength = monthLength;
  return g;
}

TRect TbsMonthGrid::Cell(int row, int column) const {
  const int top = HeaderLineY + 3 + (row - 1) * RowHeight, left = Client.Left + 1 + column * CellWidth;
  return {left, top, left + CellWidth, top + RowHeight};
}

int TbsMonthGrid::DayAt(int x, int y) const {
  if (x < Client.Left || x >= Client.Right || y < Client.Top || y >= Client.Bottom) return 0;
  for (int row = 1; row <= 6; ++row)
    for (int column = 0; column < 7; ++column) {
      const TRect c = Cell(row, column);
      if (x >= c.Left && x < c.Right && y >= c.Top && y < c.Bottom) {
        const int n = NumberAt(row, column);
        return n >= 1 && n <= MonthLength ? n : 0;
      }
    }
  return 0;
}

std::array<int, 4> NavButtonLefts(const TRect& client) {
  return {client.Left + 1, client.Left + 1 + 24, client.Right - 24 - 24, client.Right - 24};
}

}  // namespace bs
