#include "app/DayResult.h"

#include "CheckFakes.h"

#include <gtest/gtest.h>

namespace spv::app {
namespace {

TLogItem Row(TColor color) { return {TShortString("t"), TShortString("a"), color == clRed ? -1 : 0, color, 0.1}; }

TEST(DayResult, AnHourNeedsAttentionWhenAnyRowIsNotInPlace) {
  struct Case {
    const char* name;
    std::vector<TColor> rows;
    TCaseCounts counts;
    bool attention;
  };
  const Case cases[] = {
      {"empty hour", {}, {{0, 0, 0, 0}}, false},
      {"all in place", {clWhite, clWhite}, {{2, 0, 0, 0}}, false},
      {"one moved", {clWhite, clYellow}, {{1, 1, 0, 0}}, true},
      {"no playlist, all by hand", {clRed, clRed}, {{0, 0, 2, 0}}, true},
      {"one never aired", {clGreen}, {{0, 0, 0, 1}}, true},
  };
  for (const Case& c : cases) {
    std::vector<TLogItem> rows;
    for (TColor color : c.rows) rows.push_back(Row(color));
    const TCaseCounts counts = CountCases(rows);
    EXPECT_EQ(counts, c.counts) << c.name;
    EXPECT_EQ(counts.NeedsAttention(), c.attention) << c.name;
  }
}

TEST(DayResult, HoursComparedQuietlyGiveNoWarningAndCountTheDay) {
  test::TCheckWithFakes f;
  f.check.HistHours[3].push_back({TShortString("A"), TShortString("a"), 0});
  f.check.HistHours[3].push_back({TShortString("B"), TShortString("b"), 1});
  f.check.HistHours[3].push_back({TShortString("C"), TShortString("c"), 2});
  f.check.RepHours[3].push_back({TShortString("B"), TShortString("b"), 3.1 / 24});
  f.check.RepHours[3].push_back({TShortString("A"), TShortString("a"), 3.2 / 24});
  f.check.RepHours[7].push_back({TShortString("X"), TShortString("x"), 7.1 / 24});

  const std::vector<THourResult> day = CompareHoursQuietly(f.check);
  EXPECT_TRUE(f.box.shown.empty());
  ASSERT_EQ(day.size(), 24u);
  EXPECT_FALSE(day[3].NoPlaylist);
  EXPECT_TRUE(day[7].NoPlaylist);
  EXPECT_TRUE(day[0].NoPlaylist);
  EXPECT_EQ(day[3].Counts(), (TCaseCounts{{1, 1, 0, 1}}));
  EXPECT_EQ(day[7].Counts(), (TCaseCounts{{0, 0, 1, 0}}));
  EXPECT_FALSE(day[0].Counts().NeedsAttention());
  EXPECT_EQ(TotalCounts(day), (TCaseCounts{{1, 1, 1, 1}}));

  const std::vector<THourResult> one = CompareHoursQuietly(f.check, 7);
  ASSERT_EQ(one.size(), 1u);
  EXPECT_EQ(one[0].Hour, 7);

  // The window's own comparison of the shown hour still warns.
  f.check.Compares(7);
  ASSERT_EQ(f.box.shown.size(), 1u);
  EXPECT_EQ(f.box.shown[0].text, kMsgNoPlaylist);
}

}  // namespace
}  // namespace spv::app
