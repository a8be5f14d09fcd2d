#include "base/UserLocale.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace spv::base
