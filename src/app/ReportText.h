#pragma once
// The console's text outputs: the hour tables with the grid's columns and the summaries of a
// day and of a range of days. UTF-8, lines ending in LF.

#include "app/DayResult.h"

#include <string>
#include <string_view>
#include <vector>

namespace spv::app {

// One table per hour under the line "Час N": the grid's five columns, each row marked by its
// case, with colour escapes (the last column in the row's colour, as the grid paints it) or
// with the case word in a sixth column. With `onlyDiscrepancies` only the rows not in place
// are listed, with their own numbers, and only the hours that hold such rows.
std::string TableReport(const std::vector<THourResult>& hours, std::string_view longTimeFormat, bool color,
                        bool onlyDiscrepancies = false);

// One line per hour with the count of each case, then the day's totals.
std::string SummaryReport(const std::vector<THourResult>& hours);

// One line per checked day (ISO date) with the day's counts, then the totals of the range.
// A day that could not be checked has no line: its reason goes to standard error.
std::string RangeSummaryReport(const std::vector<TDayResult>& days);

}  // namespace spv::app
