#include "db/SqlValueText.h"

#include "MemoryTable.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>

namespace spv::db {
namespace {

using namespace test;

const double kDec9 = *base::EncodeDate(2026, 12, 9);
constexpr double kMs = 1.0 / 86'400'000;

TEST(SqlValueText, FormsOfEveryKind) {
  const struct {
    TValue value;
    const char* text;
  } cases[] = {
      {Null(), ""},
      {Int(-42), "-42"},
      {Num(0.1), "0.1"},
      {Num(1.5), "1.5"},
      {Num(-3), "-3"},
      {Num(1e300), "1e+300"},
      {Num(3e9), "3000000000"},
      {Num(-0.00012), "-0.00012"},
      {Num(2.5e-7), "2.5e-07"},
      {Num(1e16), "1e+16"},
      {Date(kDec9), "2026-12-09"},
      {Date(2), "1900-01-01"},
      {Time(0), "00:00:00"},
      {Time(13.0 / 24), "13:00:00"},
      {Time(13.0 / 24 - kMs), "12:59:59.999"},
      {Time(0.5 + 7 * kMs), "12:00:00.007"},
      {Time(1 - 0.1 * kMs), "00:00:00"},
      {Stamp(kDec9 + 0.75), "2026-12-09 18:00:00"},
      {Stamp(kDec9 + 0.75 + 250 * kMs), "2026-12-09 18:00:00.250"},
      // Rounding up to midnight carries into the next day.
      {Stamp(kDec9 + 1 - 0.1 * kMs), "2026-12-10 00:00:00"},
      {Bool(true), "true"},
      {Bool(false), "false"},
      {Bytes(std::string("\x00\x1f\xA0\xff", 4)), "001fa0ff"},
      {Text("Rock"), "Rock"},
      {Text("\xCF\xE5\xF1\xED\xFF"), "\xD0\x9F\xD0\xB5\xD1\x81\xD0\xBD\xD1\x8F"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(FormatSqlValue(c.value, 1251), c.text);
  }
  EXPECT_EQ(FormatSqlTimestamp(kDec9 + 0.5, "dd.MM.yyyy"), "09.12.2026 12:00:00");
}

TEST(SqlValueText, NumbersReadBackExactly) {
  for (const double v : {0.1, 1.0 / 3, 123456.789, 9007199254740993.0, -2.5e-7, 6.02214076e23, 5e-324, 1.7976931348623157e308}) {
    const std::string text = FormatSqlNumber(v);
    double back = 0;
    std::from_chars(text.data(), text.data() + text.size(), back);
    EXPECT_EQ(back, v) << text;
  }
}

TEST(SqlValueText, ReadsTimes) {
  const struct {
    const char* text;
    std::optional<double> ms;  // milliseconds of the day
  } cases[] = {
      {"0:00", 0},
      {"13:00", 13 * 3'600'000},
      {"09:05:07", (9 * 3600 + 5 * 60 + 7) * 1000},
      {"23:59:59.999", 86'400'000 - 1},
      {"1:02:03.4", 3'723'400},
      {"1:02:03.45", 3'723'450},
      {"24:00", std::nullopt},
      {"12:60", std::nullopt},
      {"12:30:60", std::nullopt},
      {"12:5", std::nullopt},
      {"12", std::nullopt},
      {"12:30:", std::nullopt},
      {"12:30:00.", std::nullopt},
      {"12:30:00.1234", std::nullopt},
      {"", std::nullopt},
      {" 12:30", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const auto t = ParseSqlTime(c.text);
    ASSERT_EQ(t.has_value(), c.ms.has_value());
    if (t) {
      EXPECT_EQ(std::llround(*t * 86'400'000), std::llround(*c.ms));
    }
  }
}

}  // namespace
}  // namespace spv::db
