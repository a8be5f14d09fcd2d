#pragma once
// The outputs of spinvolt-check for the hours of one day: an aligned table with the grid's
// columns, CSV for other programs, or a summary of the cases.

#include "app/DayResult.h"

#include <string>
#include <string_view>
#include <vector>

namespace spv::tools {

using app::CaseOf;
using app::kCases;
using app::TCase;
using app::THourResult;

// "in-place", "moved", "by-hand", "not-aired".
std::string_view CaseWord(TCase c);

// One table per hour under the line "Час N": the grid's five columns, each row marked by its
// case, with colour escapes (the last column in the row's colour, as the grid paints it) or
// with the case word in a sixth column.
std::string TableReport(const std::vector<THourResult>& hours, std::string_view longTimeFormat, bool color);

// RFC 4180 in UTF-8, lines ending in CR LF: hour,row,title,artist,aired,number,case.
std::string CsvReport(const std::vector<THourResult>& hours);

// One line per hour with the count of each case, then the day's totals.
std::string SummaryReport(const std::vector<THourResult>& hours);

}  // namespace spv::tools
