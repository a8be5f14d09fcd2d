#include "base/UserLocale.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace spv::base {
namespace {

TEST(WindowsPatternFromStrftime, TheLocaleFormatsOfLinux) {
  struct Case {
    const char* format;
    const char* pattern;
  };
  const Case cases[] = {
      {"%d.%m.%Y", "dd.MM.yyyy"},   // ru_RU
      {"%m/%d/%Y", "MM/dd/yyyy"},   // en_US
      {"%m/%d/%y", "MM/dd/yy"},     // C
      {"%Y-%m-%d", "yyyy-MM-dd"},   // sv_SE
      {"%e/%-m/%Ey", "d/M/yy"},
      {"%T", "HH:mm:ss"},
      {"%r", "hh:mm:ss tt"},
      {"%I:%M:%S %p", "hh:mm:ss tt"},
      {"%H:%M:%S", "HH:mm:ss"},
      {"100%%", "100%"},
      {"%", "%"},
  };
  for (const Case& c : cases) EXPECT_EQ(WindowsPatternFromStrftime(c.format), c.pattern) << c.format;
}

// A spreadsheet splits a line by the list separator: ";" where the comma is the decimal mark.
TEST(UserLocale, TheListSeparatorFollowsTheDecimalMark) {
  const char* saved = std::getenv("LC_ALL");
  const std::string restore = saved ? saved : "";
  struct Case {
    const char* locale;
    const char* separator;
  };
  for (const Case& c : {Case{"ru_RU.UTF-8", ";"}, Case{"en_US.UTF-8", ","}, Case{"C", ","}}) {
    ::setenv("LC_ALL", c.locale, 1);
    EXPECT_EQ(UserLocale().ListSeparator, c.separator) << c.locale;
  }
  if (saved) ::setenv("LC_ALL", restore.c_str(), 1);
  else ::unsetenv("LC_ALL");
}

}  // namespace
}  // namespace spv::base
