#pragma once
// The user's date and time formats, as Windows date and time patterns ("dd.MM.yyyy",
// "HH:mm:ss", "M/d/yyyy", "h:mm:ss tt"), and the list separator that a spreadsheet splits a
// delimited line by. On Linux they come from the environment's locale.

#include <string>
#include <string_view>

namespace spv::base {

struct TUserLocale {
  std::string ShortDateFormat;
  std::string LongTimeFormat;
  std::string TimeAMString;
  std::string TimePMString;
  // ";" where the decimal mark is a comma (Russian), "," elsewhere, as Windows sets it.
  std::string ListSeparator;
};

TUserLocale UserLocale();

// A C strftime format (%d.%m.%Y) as a Windows pattern (dd.MM.yyyy); the conversions that have
// no such counterpart stand for themselves.
std::string WindowsPatternFromStrftime(std::string_view format);

}  // namespace spv::base
