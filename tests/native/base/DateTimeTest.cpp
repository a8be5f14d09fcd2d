#include "base/DateTime.h"

#include <gtest/gtest.h>

namespace spv::base {
namespace {

TEST(DateTime, EncodesAndDecodesAcrossTheCalendar) {
  struct Case { int y, m, d; double value; };
  const Case cases[] = {
      {1899, 12, 30, 0}, {1899, 12, 29, -1}, {1900, 1, 1, 2}, {1900, 3, 1, 61},
      {2000, 2, 29, 36585}, {2026, 12, 9, 46365}, {1, 1, 1, -693593}, {9999, 12, 31, 2958465},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(EncodeDate(c.y, c.m, c.d), c.value) << c.y << '-' << c.m << '-' << c.d;
    EXPECT_EQ(DecodeDate(c.value + 0.75), (TDateParts{c.y, c.m, c.d})) << c.value;
  }
  EXPECT_EQ(EncodeDate(1900, 2, 29), std::nullopt);  // 1900 is not a leap year
  EXPECT_EQ(EncodeDate(2026, 13, 1), std::nullopt);
  EXPECT_EQ(EncodeDate(2026, 4, 31), std::nullopt);
}

TEST(DateTime, WritesAndReadsShortDatePatterns) {
  const double day = *EncodeDate(2026, 3, 9);
  struct Case { const char* pattern; const char* text; };
  const Case cases[] = {
      {"dd.MM.yyyy", "09.03.2026"}, {"M/d/yyyy", "3/9/2026"}, {"yyyy-MM-dd", "2026-03-09"},
      {"dd/MM/yy", "09/03/26"}, {"d 'de' M yyyy", "9 de 3 2026"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatDate(day + 0.5, c.pattern), c.text) << c.pattern;
    EXPECT_EQ(ParseDate(c.text, c.pattern), day) << c.pattern;
  }
  EXPECT_EQ(ParseDate("9.3.2026", "dd.MM.yyyy"), day);  // typed without leading zeros
  EXPECT_EQ(ParseDate("31.02.2026", "dd.MM.yyyy"), std::nullopt);
  EXPECT_EQ(ParseDate("09.03.2026x", "dd.MM.yyyy"), std::nullopt);
  EXPECT_EQ(ParseDate("09-03-2026", "dd.MM.yyyy"), std::nullopt);
  EXPECT_EQ(ParseDate("", "dd.MM.yyyy"), std::nullopt);
}

}  // namespace
}  // namespace spv::base
