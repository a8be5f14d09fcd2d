#pragma once
// The program's command line: `--run` checks at once, `--date DAY` opens on that day (with
// `--run`, runs it); `/run` and `/date` are the same in the Windows way. Without arguments
// nothing changes. What cannot be understood is named, so the window can say so and still
// open, idle.

#include "base/DateTime.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace spv::app {

inline constexpr std::string_view kMsgUnknownArgument = "Неизвестный параметр командной строки: ";
inline constexpr std::string_view kMsgBadArgumentDate = "Неверная дата в командной строке: ";

struct TCommandLine {
  bool Run = false;
  std::optional<base::TDateTime> Date;
  // One message for each argument not understood, in the order given; with any of them the
  // window does not run.
  std::vector<std::string> Errors;
};

// A day as a user gives it on a command line: YYYY-MM-DD, or the user's short date format.
std::optional<base::TDateTime> ParseDayArgument(std::string_view text, std::string_view shortDateFormat);

// The arguments after the program's name, in UTF-8.
TCommandLine ParseCommandLine(const std::vector<std::string>& arguments, std::string_view shortDateFormat);

}  // namespace spv::app
