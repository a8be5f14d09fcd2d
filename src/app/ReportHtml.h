#pragma once
// The report file for people: one self-contained HTML page for one day or a range.

#include "app/DayResult.h"

#include <string>
#include <vector>

namespace spv::app {

struct THtmlOptions {
  // The two folders as the user gave them (UTF-8), named at the top of the report.
  std::string BasesFolder;
  std::string ReportsFolder;
  // The user's long time format for the air times, as the grid shows them.
  std::string LongTimeFormat = "HH:mm:ss";
};

// A UTF-8 HTML document with inline CSS, no script and nothing fetched, printable on A4: the
// day(s) and the two folders, then per day a summary with one row per hour (the count of each
// case, "нет плейлиста" where the hour had none, the hours that need attention marked) and,
// for each hour that needs attention, its rows with the grid's columns and colours plus the
// case in words. A page break stands between days and table headers repeat on each printed
// page. A failed day shows its reason. Every text from the tables is escaped.
std::string HtmlReport(const std::vector<TDayResult>& days, const THtmlOptions& options);

}  // namespace spv::app
