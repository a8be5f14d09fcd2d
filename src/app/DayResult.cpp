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
