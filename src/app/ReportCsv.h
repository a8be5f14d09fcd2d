#pragma once
// The day's rows as delimited text: CSV for other programs and spreadsheets, and the
// tab-separated text that the window puts on the clipboard.

#include "app/DayResult.h"

#include <string>
#include <string_view>
#include <vector>

namespace spv::app {

struct TCsvOptions {
  // A leading column "date" with each row's ISO date (the console's ranges).
  bool DateColumn = false;
  // Only the rows not in place, each with its own number.
  bool OnlyDiscrepancies = false;
  // Between fields: "," for other programs; the user's list separator (";" in Russian) for a
  // spreadsheet on this computer.
  std::string Separator = ",";
  // UTF-8's byte order mark first, by which a spreadsheet knows the encoding.
  bool ByteOrderMark = false;
};

// RFC 4180 in UTF-8, lines ending in CR LF: [date,]hour,row,title,artist,aired,number,case,
// the air time as HH:mm:ss and the case in a word (in-place, moved, by-hand, not-aired). A
// field holding the separator, a quote or a line break is quoted. Failed days have no rows.
std::string CsvReport(const std::vector<TDayResult>& days, const TCsvOptions& options);
// One day's hours with the default options.
std::string CsvReport(const std::vector<THourResult>& hours);

// The header row of the grid plus "Состояние", then the given rows of `logs` (indices from 0,
// in the order given) as the grid shows them — number, title, performer, air time in
// `longTimeFormat`, line number or "Вручную" — plus the case in words ("на месте",
// "перемещена", "вручную", "не вышла"). Fields are separated by tabs; every line, the last
// too, ends in CR LF; a tab or line break inside a title becomes a blank. UTF-8: the window
// converts it to UTF-16 for the clipboard's Unicode text. An index outside `logs` throws
// std::out_of_range.
std::string ClipboardText(const std::vector<TLogItem>& logs, const std::vector<std::size_t>& rows,
                          std::string_view longTimeFormat);
// All rows of the hour (an hour without rows gives the header alone).
std::string ClipboardText(const std::vector<TLogItem>& logs, std::string_view longTimeFormat);

}  // namespace spv::app
