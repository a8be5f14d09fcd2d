#pragma once
// Values as text: the forms the console shows (ISO dates, 24-hour times, numbers that read
// back exactly) and the reading of time literals.

#include "base/DateTime.h"
#include "db/ParadoxTable.h"

#include <optional>
#include <string>
#include <string_view>

namespace spv::db {

// The shortest text that reads back as the same double: 4, 0.1, 3000000000, 1e+300.
std::string FormatSqlNumber(double value);
// "HH:MM:SS", with ".mmm" when the value is not a whole second (rounded to the millisecond).
std::string FormatSqlTime(double fractionOfDay);
// "YYYY-MM-DD".
std::string FormatSqlDate(base::TDateTime value);
// "YYYY-MM-DD HH:MM:SS[.mmm]", or the date written with another pattern.
std::string FormatSqlTimestamp(base::TDateTime value, std::string_view datePattern = "yyyy-MM-dd");

// A value as the console shows it, in UTF-8: text converted from the table's code page,
// logical values as true and false, bytes and blobs as lowercase hex, an empty value as
// the empty text.
std::string FormatSqlValue(const TValue& value, int codePage);

// "H:mm", "H:mm:ss" or "H:mm:ss.zzz" (one to three decimals) as the fraction of the day;
// nullopt for anything else, or an hour past 23, a minute or second past 59.
std::optional<double> ParseSqlTime(std::string_view text);

}  // namespace spv::db
