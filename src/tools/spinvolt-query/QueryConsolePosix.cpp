#include "QueryConsole.h"

#include <clocale>
#include <langinfo.h>

namespace spv::tools {

std::vector<std::string> QueryArguments(int argc, char** argv) { return {argv + 1, argv + argc}; }

void PrepareQueryConsole() {}

std::string UserShortDateFormat() {
  // The locale's date format (%d.%m.%Y for ru_RU, %m/%d/%Y for en_US) written as the
  // pattern a Windows user of that locale has.
  std::setlocale(LC_TIME, "");
  const std::string format = nl_langinfo(D_FMT);
  std::setlocale(LC_TIME, "C");
  std::string pattern;
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%' || i + 1 == format.size()) {
      pattern += format[i];
      continue;
    }
    switch (format[++i]) {
      case 'd': pattern += "dd"; break;
      case 'e': pattern += "d"; break;
      case 'm': pattern += "MM"; break;
      case 'y': pattern += "yy"; break;
      case 'Y': pattern += "yyyy"; break;
      case 'D': pattern += "MM/dd/yy"; break;
      case 'F': pattern += "yyyy-MM-dd"; break;
      default: pattern += format[i];
    }
  }
  return pattern;
}

}  // namespace spv::tools
