#include "base/UserLocale.h"

#include <clocale>
#include <langinfo.h>

namespace spv::base {

TUserLocale UserLocale() {
  // The environment's locale for dates, times and numbers only: the rest of the process keeps "C".
  locale_t locale = newlocale(LC_TIME_MASK | LC_NUMERIC_MASK, "", locale_t(0));
  if (!locale) locale = newlocale(LC_TIME_MASK | LC_NUMERIC_MASK, "C", locale_t(0));
  // POSIX names no list separator; Windows takes ";" where a comma is the decimal mark.
  const std::string_view decimalMark = nl_langinfo_l(RADIXCHAR, locale);
  TUserLocale user{WindowsPatternFromStrftime(nl_langinfo_l(D_FMT, locale)),
                   WindowsPatternFromStrftime(nl_langinfo_l(T_FMT, locale)),
                   nl_langinfo_l(AM_STR, locale), nl_langinfo_l(PM_STR, locale),
                   decimalMark == "," ? ";" : ","};
  freelocale(locale);
  return user;
}

}  // namespace spv::base
