#include "base/UserLocale.h"

#include "base/CodePage.h"

#include <windows.h>

namespace spv::base {
namespace {

std::string LocaleText(LCTYPE type, const char* fallback) {
  wchar_t text[128];
  const int length = GetLocaleInfoW(LOCALE_USER_DEFAULT, type, text, int(std::size(text)));
  if (length <= 1) return fallback;
  return spv::base::Utf16ToUtf8(std::u16string(reinterpret_cast<const char16_t*>(text), std::size_t(length - 1)));
}

}  // namespace

TUserLocale UserLocale() {
  return {LocaleText(LOCALE_SSHORTDATE, "dd.MM.yyyy"), LocaleText(LOCALE_STIMEFORMAT, "HH:mm:ss"),
          LocaleText(LOCALE_S1159, "AM"), LocaleText(LOCALE_S2359, "PM"), LocaleText(LOCALE_SLIST, ",")};
}

}  // namespace spv::base
