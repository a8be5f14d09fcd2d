#include "app/DayResult.h"

#include "app/Check.h"

namespace spv::app {

TCase CaseOf(const TLogItem& row) {
  switch (row.RowColor) {
    case clYellow: return TCase::Moved;
    case clRed: return TCase::ByHand;
    case clGreen: return TCase::NotAired;
    default: return TCase::InPlace;
  }
}

std::string_view CaseWord(TCase c) {
  switch (c) {
    case TCase::InPlace: return "in-place";
    case TCase::Moved: return "moved";
    case TCase::ByHand: return "by-hand";
    case TCase::NotAired: return "not-aired";
  }
  return "";
}

std::string_view CaseText(TCase c) {
  switch (c) {
    case TCase::InPlace: return "на месте";
    case TCase::Moved: return "перемещена";
    case TCase::ByHand: return "вручную";
    case TCase::NotAired: return "не вышла";
  }
  return "";
}

TCaseCounts& TCaseCounts::operator+=(const TCaseCounts& other) {
  for (std::size_t c = 0; c < Count.size(); ++c) Count[c] += other.Count[c];
  return *this;
}

bool TCaseCounts::NeedsAttention() const {
  return (*this)[TCase::Moved] + (*this)[TCase::ByHand] + (*this)[TCase::NotAired] > 0;
}

TCaseCounts CountCases(const std::vector<TLogItem>& rows) {
  TCaseCounts counts;
  for (const TLogItem& row : rows) ++counts[CaseOf(row)];
  return counts;
}

TCaseCounts TotalCounts(const std::vector<THourResult>& hours) {
  TCaseCounts total;
  for (const THourResult& hour : hours) total += hour.Counts();
  return total;
}

std::vector<std::size_t> ShownRows(const THourResult& hour, bool onlyDiscrepancies) {
  std::vector<std::size_t> rows;
  rows.reserve(hour.Logs.size());
  for (std::size_t i = 0; i < hour.Logs.size(); ++i)
    if (!onlyDiscrepancies || CaseOf(hour.Logs[i]) != TCase::InPlace) rows.push_back(i);
  return rows;
}

std::string IsoDate(spv::base::TDateTime day) { return spv::base::FormatDate(day, "yyyy-MM-dd"); }

std::vector<THourResult> CompareHoursQuietly(TPlaylistCheck& check, int onlyHour) {
  std::vector<THourResult> hours;
  for (int hour = 0; hour < kHoursPerDay; ++hour) {
    if (onlyHour >= 0 && hour != onlyHour) continue;
    check.CompareQuietly(hour);
    hours.push_back({hour, check.HistHours[std::size_t(hour)].empty(), check.Logs});
  }
  return hours;
}

}  // namespace spv::app
