#pragma once
// Date-time values as the broadcast system and its database engine count them: days since
// 30 December 1899 as a double, the fraction being the time of day. And the short date text
// of a user's locale, written and read with a Windows date pattern ("dd.MM.yyyy", "M/d/yyyy").

#include <optional>
#include <string>
#include <string_view>

namespace spv::base {

using TDateTime = double;

struct TDateParts {
  int Year = 0, Month = 0, Day = 0;
  friend bool operator==(const TDateParts&, const TDateParts&) = default;
};

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);

// Years 1 to 9999. nullopt for a day that does not exist.
std::optional<TDateTime> EncodeDate(int year, int month, int day);
// The date part of a value (its integer part, counted towards minus infinity).
TDateParts DecodeDate(TDateTime value);

// Formats the date part with a Windows short-date pattern: d, dd, M, MM, y, yy, yyyy and
// quoted literals ('...'); any other character stands for itself.
std::string FormatDate(TDateTime value, std::string_view pattern);
// Reads a date written with the same pattern. Day and month may have one or two digits
// whatever the pattern says, as users type them, and blanks may stand before any number, as a
// masked date field pads a short part ("12/ 9/2026"); a two-digit year is 2000 + yy below 50,
// else 1900 + yy. nullopt when the text does not follow the pattern or names no real day.
std::optional<TDateTime> ParseDate(std::string_view text, std::string_view pattern);

}  // namespace spv::base
