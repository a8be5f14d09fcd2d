#include "app/DayGlance.h"

namespace spv::app {
namespace {

std::string CountsText(const TCaseCounts& c) {
  return "на месте " + std::to_string(c[TCase::InPlace]) + ", перемещены " + std::to_string(c[TCase::Moved]) +
         ", вручную " + std::to_string(c[TCase::ByHand]) + ", не вышли " + std::to_string(c[TCase::NotAired]);
}

}  // namespace

std::string HourTotalsText(const THourResult& hour) {
  std::string text = "Час " + std::to_string(hour.Hour) + ": " + CountsText(hour.Counts());
  if (hour.NoPlaylist) text += ", нет плейлиста";
  return text;
}

std::string DayTotalsText(base::TDateTime day, const TCaseCounts& counts, std::string_view shortDateFormat) {
  return base::FormatDate(day, shortDateFormat) + ": " + CountsText(counts);
}

std::optional<int> NextHourNeedingAttention(const std::array<bool, kHoursPerDay>& needsAttention, int from,
                                            bool forward) {
  const int step = forward ? 1 : kHoursPerDay - 1;
  int hour = ((from % kHoursPerDay) + kHoursPerDay) % kHoursPerDay;
  for (int n = 0; n < kHoursPerDay; ++n) {
    hour = (hour + step) % kHoursPerDay;
    if (needsAttention[std::size_t(hour)]) return hour;
  }
  return std::nullopt;
}

}  // namespace spv::app
