#pragma once
// The user's locale: date and time formats, month and weekday names, and date-time values
// (days since 30 December 1899) to text and back.

#include <windows.h>

#include "base/DateTime.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace spv::platform {

using spv::base::TDateTime;

struct TFormatSettings {
  std::wstring ShortDateFormat;  // "dd.MM.yyyy", "M/d/yyyy"
  wchar_t DateSeparator = L'.';
  std::wstring LongTimeFormat;   // "H:mm:ss", "h:mm:ss tt"
  wchar_t TimeSeparator = L':';
  std::wstring TimeAMString, TimePMString;
  // Month names, January first; day names, Sunday first.
  std::array<std::wstring, 12> LongMonthNames, ShortMonthNames;
  std::array<std::wstring, 7> LongDayNames, ShortDayNames;

  // Reads the settings of a locale (the user's by default).
  static TFormatSettings FromLocale(LCID locale = LOCALE_USER_DEFAULT);
};

// The user's settings, read on first use.
const TFormatSettings& FormatSettings();

// Formats the time of day with a Windows time pattern: h, hh (12-hour), H, HH, m, mm, s, ss,
// t, tt (AM/PM designator) and quoted literals.
std::wstring FormatTime(TDateTime value, std::wstring_view pattern, const TFormatSettings& settings = FormatSettings());

std::wstring DateToStr(TDateTime value, const TFormatSettings& settings = FormatSettings());
std::wstring TimeToStr(TDateTime value, const TFormatSettings& settings = FormatSettings());
// The date, and the time when the value has one.
std::wstring DateTimeToStr(TDateTime value, const TFormatSettings& settings = FormatSettings());

// nullopt when the text is no date (or time) of the settings' format.
std::optional<TDateTime> TryStrToDate(std::wstring_view text, const TFormatSettings& settings = FormatSettings());
// Hours, minutes and optional seconds with the time separator, and an optional AM/PM designator.
std::optional<TDateTime> TryStrToTime(std::wstring_view text, const TFormatSettings& settings = FormatSettings());
// A date, optionally followed by a space and a time.
std::optional<TDateTime> TryStrToDateTime(std::wstring_view text, const TFormatSettings& settings = FormatSettings());
// As the Try forms, raising EConvertError ("'31.02.2024' is not a valid date").
TDateTime StrToDate(std::wstring_view text, const TFormatSettings& settings = FormatSettings());
TDateTime StrToTime(std::wstring_view text, const TFormatSettings& settings = FormatSettings());
TDateTime StrToDateTime(std::wstring_view text, const TFormatSettings& settings = FormatSettings());

// The local date and time now; today's date without time.
TDateTime Now();
TDateTime Date();
// hours 0-23, minutes and seconds 0-59, milliseconds 0-999; nullopt otherwise.
std::optional<TDateTime> EncodeTime(int hour, int minute, int second, int millisecond = 0);
struct TTimeParts {
  int Hour = 0, Minute = 0, Second = 0, Millisecond = 0;
};
// The time of day of a value (for a negative value, of its fraction's magnitude).
TTimeParts DecodeTime(TDateTime value);

}  // namespace spv::platform
