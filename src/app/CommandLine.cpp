#include "app/CommandLine.h"

namespace spv::app {
namespace {

bool SameSwitch(std::string_view argument, std::string_view name) {
  if (argument.size() != name.size()) return false;
  for (std::size_t i = 0; i < name.size(); ++i) {
    const char c = argument[i];
    if ((c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c) != name[i]) return false;
  }
  return true;
}

bool IsSwitch(std::string_view argument, std::string_view word) {
  return (argument.starts_with("--") && SameSwitch(argument.substr(2), word)) ||
         (argument.starts_with("/") && SameSwitch(argument.substr(1), word));
}

}  // namespace

std::optional<base::TDateTime> ParseDayArgument(std::string_view text, std::string_view shortDateFormat) {
  if (auto day = base::ParseDate(text, "yyyy-MM-dd")) return day;
  return base::ParseDate(text, shortDateFormat);
}

TCommandLine ParseCommandLine(const std::vector<std::string>& arguments, std::string_view shortDateFormat) {
  TCommandLine line;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (IsSwitch(argument, "run")) {
      line.Run = true;
    } else if (IsSwitch(argument, "date")) {
      if (i + 1 == arguments.size()) {
        line.Errors.push_back(std::string(kMsgBadArgumentDate) + argument);
        continue;
      }
      const std::string& value = arguments[++i];
      if (auto day = ParseDayArgument(value, shortDateFormat)) line.Date = day;
      else line.Errors.push_back(std::string(kMsgBadArgumentDate) + value);
    } else {
      line.Errors.push_back(std::string(kMsgUnknownArgument) + argument);
    }
  }
  if (!line.Errors.empty()) line.Run = false;
  return line;
}

}  // namespace spv::app
