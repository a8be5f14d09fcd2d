#pragma once
// The day at a glance in the main window: the totals line's texts and the walk over the hours
// that need attention. Every count comes from the day's one count (DayResult).

#include "app/DayResult.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace spv::app {

// The totals line before the first run: the window's keys.
inline constexpr std::string_view kTotalsKeys =
    "F5 выполнить · Ctrl+Tab час · F8 час с расхождениями · Alt+←/→ день · Ctrl+D только расхождения";

// Between the day's totals and the hour's on the totals line.
inline constexpr std::string_view kTotalsSeparator = "  |  ";

// "Час 14: на месте 0, перемещены 0, вручную 12, не вышли 0, нет плейлиста": the last part
// only for an hour without a playlist.
std::string HourTotalsText(const THourResult& hour);
// "09.12.2026: на месте 281, перемещены 59, вручную 20, не вышли 11", the day in the given
// short date format.
std::string DayTotalsText(base::TDateTime day, const TCaseCounts& counts, std::string_view shortDateFormat);

// From the hour `from`, the next (or previous) hour that needs attention, wrapping around the
// day; `from` itself only when it is the one such hour. nullopt when no hour needs attention.
std::optional<int> NextHourNeedingAttention(const std::array<bool, kHoursPerDay>& needsAttention, int from,
                                            bool forward);

}  // namespace spv::app
