#include "base/UserLocale.h"

namespace spv::base {

std::string WindowsPatternFromStrftime(std::string_view format) {
  std::string out;
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%' || i + 1 == format.size()) {
      out.push_back(format[i]);
      continue;
    }
    std::size_t c = ++i;
    bool unpadded = false;
    // Glibc's flags (%-d, %0e, %Ey): only "-", no padding, changes what we write.
    while (c < format.size() && (format[c] == '-' || format[c] == '_' || format[c] == '0' ||
                                 format[c] == '^' || format[c] == '#' || format[c] == 'E' || format[c] == 'O'))
      unpadded |= format[c++] == '-';
    i = c < format.size() ? c : format.size() - 1;
    switch (format[i]) {
      case 'd': out += unpadded ? "d" : "dd"; break;
      case 'e': out += "d"; break;
      case 'm': out += unpadded ? "M" : "MM"; break;
      case 'Y': out += "yyyy"; break;
      case 'y': out += "yy"; break;
      case 'D': out += "MM/dd/yy"; break;
      case 'F': out += "yyyy-MM-dd"; break;
      case 'H': out += unpadded ? "H" : "HH"; break;
      case 'k': out += "H"; break;
      case 'I': out += unpadded ? "h" : "hh"; break;
      case 'l': out += "h"; break;
      case 'M': out += unpadded ? "m" : "mm"; break;
      case 'S': out += unpadded ? "s" : "ss"; break;
      case 'p': case 'P': out += "tt"; break;
      case 'T': out += "HH:mm:ss"; break;
      case 'R': out += "HH:mm"; break;
      case 'r': out += "hh:mm:ss tt"; break;
      case 'n': out += ' '; break;
      case 't': out += ' '; break;
      case '%': out += '%'; break;
      default: out.push_back(format[i]);
    }
  }
  return out;
}

}  // namespace spv::base
