#pragma once
// The day's answer as every output counts it: the case of each result row, the counts of an
// hour and of a day, and the one rule of an hour that needs attention. The window's marks and
// totals, the console's outputs and exit status and the report files all count here, so they
// agree on every number.

#include "app/CheckItems.h"

#include "base/DateTime.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace spv::app {

class TPlaylistCheck;

// What happened to one result row, read from its colour.
enum class TCase { InPlace, Moved, ByHand, NotAired };
inline constexpr TCase kCases[] = {TCase::InPlace, TCase::Moved, TCase::ByHand, TCase::NotAired};

TCase CaseOf(const TLogItem& row);

// The case in a word for the console and CSV: "in-place", "moved", "by-hand", "not-aired".
std::string_view CaseWord(TCase c);
// The case in the window's words, for the clipboard and the HTML report: "на месте",
// "перемещена", "вручную", "не вышла".
std::string_view CaseText(TCase c);
// The header of the column of those words beside the grid's columns.
inline constexpr std::string_view kCaseTextHeader = "Состояние";

// The number of rows of each case.
struct TCaseCounts {
  std::array<int, 4> Count{};

  int operator[](TCase c) const { return Count[std::size_t(c)]; }
  int& operator[](TCase c) { return Count[std::size_t(c)]; }
  TCaseCounts& operator+=(const TCaseCounts& other);
  friend bool operator==(const TCaseCounts&, const TCaseCounts&) = default;

  // At least one row is not in place: moved, put on air by hand or never aired. An hour
  // without a playlist whose songs all went on air by hand needs attention; an hour with
  // neither a playlist nor an aired song is empty and does not.
  bool NeedsAttention() const;
};

TCaseCounts CountCases(const std::vector<TLogItem>& rows);

// One hour compared: its result rows in the order the grid shows them.
struct THourResult {
  int Hour = 0;
  bool NoPlaylist = false;  // the window warns of such an hour when it shows it
  std::vector<TLogItem> Logs;

  TCaseCounts Counts() const { return CountCases(Logs); }
};

TCaseCounts TotalCounts(const std::vector<THourResult>& hours);

// The indices into `hour.Logs` of the rows an output shows: all of them, or only those not in
// place. A row keeps its own number (index + 1) whichever rows are left out around it.
std::vector<std::size_t> ShownRows(const THourResult& hour, bool onlyDiscrepancies);

// One checked day: its hours in order, or the reason it could not be checked (a missing or
// unreadable table), in which case it has no hours.
struct TDayResult {
  spv::base::TDateTime Day = 0;
  std::vector<THourResult> Hours;
  std::string Error;

  bool Failed() const { return !Error.empty(); }
  TCaseCounts Counts() const { return TotalCounts(Hours); }
  // At least one of its hours needs attention: the one rule, on the day's counts.
  bool NeedsAttention() const { return Counts().NeedsAttention(); }
};

// The day as an ISO date, 2026-12-09: the date column of CSV and the report files' names.
std::string IsoDate(spv::base::TDateTime day);

// Compares the hours of a check that has read its day — all 24, or only `onlyHour` — without
// a word to the check's message box. The check's Logs are left with the last hour compared.
std::vector<THourResult> CompareHoursQuietly(TPlaylistCheck& check, int onlyHour = -1);

}  // namespace spv::app
