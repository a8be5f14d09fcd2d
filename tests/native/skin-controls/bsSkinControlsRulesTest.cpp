#include "skin/controls/bsSkinGaugeLayout.h"
#include "skin/controls/bsSkinPanelLayout.h"
#include "skin/controls/bsSkinTabsLayout.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>
#include <vector>

namespace bs {
namespace {

TEST(GaugeArithmetic, PercentAndFillAreExactTruncations) {
  struct Case {
    int min, max, value, length, fill, percent;
  } cases[] = {
      {0, 100, 50, 100, 50, 50},
      {0, 3, 2, 100, 66, 66},
      // A floating factor reads these one low.
      {0, 100, 29, 100, 29, 29},
      {0, 100, 57, 100, 57, 57},
      {0, 100, 58, 100, 58, 58},
      {0, 100, 0, 71, 0, 0},
      {0, 100, 100, 71, 71, 100},
      {0, 100, 37, 71, 26, 37},
      // An empty or inverted range fills nothing.
      {5, 5, 5, 100, 0, 0},
      {10, 0, 5, 100, 0, 0},
      // Values outside the range count as clamped.
      {0, 100, 150, 100, 100, 100},
      {0, 100, -20, 100, 0, 0},
      // Ranges whose width does not fit in 32 bits, and the extreme ends.
      {INT_MIN, INT_MAX, 0, 100, 50, 50},
      {INT_MIN, INT_MAX, INT_MAX, INT_MAX, INT_MAX, 100},
      {INT_MIN, INT_MAX, INT_MIN, INT_MAX, 0, 0},
      {-1000000000, 2000000000, 1999999999, 1000, 999, 99},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GaugeFillLength(c.length, c.min, c.max, c.value), c.fill) << c.min << ".." << c.max << " at " << c.value;
    EXPECT_EQ(GaugePercent(c.min, c.max, c.value), c.percent) << c.min << ".." << c.max << " at " << c.value;
  }
}

TEST(GaugeArithmetic, TheFilledPartGrowsRightOrUp) {
  const TRect area{1, 1, 72, 13};
  EXPECT_EQ(ProgressRectFor(area, 0, 100, 50, false), (TRect{1, 1, 36, 13}));
  EXPECT_EQ(ProgressRectFor(area, 0, 100, 50, true), (TRect{1, 7, 72, 13}));
  EXPECT_EQ(ProgressRectFor(area, 0, 0, 0, false), (TRect{1, 1, 1, 13}));
  EXPECT_EQ(ProgressRectFor(area, 0, 100, 100, true), area);
}

// A progress picture whose every pixel tells the row or column it came from.
TImage NumberedPicture(int width, int height) {
  TImage picture(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) picture.At(x, y) = {std::uint8_t(x), std::uint8_t(y), 0};
  return picture;
}

TEST(GaugeArithmetic, AVerticalFillTilesFromTheBottomUpAndAHorizontalOneFromTheLeft) {
  // Caps of 2 and 3 around a middle of 5: rows 2 to 6 of the picture, columns 2 to 6 across.
  const struct {
    bool vertical;
    int length;
    std::vector<int> from;  // the picture's row (or column) each row (or column) of the fill shows
  } cases[] = {
      // The bottom tile whole above the bottom cap, the one above it cut at the top.
      {true, 14, {0, 1, 3, 4, 5, 6, 2, 3, 4, 5, 6, 7, 8, 9}},
      {true, 10, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
      // Shorter than both caps: the bottom cap over the top one.
      {true, 4, {0, 7, 8, 9}},
      {false, 14, {0, 1, 2, 3, 4, 5, 6, 2, 3, 4, 5, 7, 8, 9}},
      {false, 4, {0, 7, 8, 9}},
  };
  const TImage picture = NumberedPicture(10, 10);
  for (const auto& c : cases) {
    const TRect strip = c.vertical ? TRect{4, 0, 6, 10} : TRect{0, 4, 10, 6};
    TImage fill;
    GaugeFillImage(fill, picture, strip, 2, 3, c.length, c.vertical, false);
    ASSERT_EQ(c.vertical ? fill.Height() : fill.Width(), c.length);
    ASSERT_EQ(c.vertical ? fill.Width() : fill.Height(), 2);
    std::vector<int> from;
    for (int i = 0; i < c.length; ++i) {
      const TPixel p = c.vertical ? fill.At(1, i) : fill.At(i, 1);
      from.push_back(c.vertical ? p.G : p.B);
      EXPECT_EQ(c.vertical ? p.B : p.G, 5) << "the strip's own second line";
    }
    EXPECT_EQ(from, c.from) << (c.vertical ? "up " : "across ") << c.length;
  }
}

TEST(PanelGeometry, TheSettingsBoxRollsUpToItsCaptionBand) {
  // The program's group box at 604 x 113 has its client at (2, 20)-(602, 111).
  EXPECT_EQ(RolledHeight(113, {2, 20, 602, 111}), 22);
  EXPECT_EQ(DefaultRolledHeight(22), 23);
}

TEST(PanelGeometry, CaptionPlaces) {
  const TRect r{12, 3, 592, 13};
  struct Case {
    bool rollUp;
    int check;
    TRect text, mark;
  } cases[] = {
      {true, 0, {12, 3, 580, 13}, {580, 3, 590, 13}},
      {false, 0, {12, 3, 592, 13}, {}},
      {true, 13, {27, 3, 580, 13}, {580, 3, 590, 13}},
  };
  for (const Case& c : cases) {
    const TbsPanelCaptionPlace p = PlacePanelCaption(r, c.rollUp, c.check);
    EXPECT_EQ(p.Text, c.text) << c.rollUp << c.check;
    EXPECT_EQ(p.Mark, c.mark) << c.rollUp << c.check;
  }
  const TRect t{12, 3, 580, 13};
  EXPECT_EQ(CaptionStartX(t, 0, 60), 12);
  EXPECT_EQ(CaptionStartX(t, 1, 60), 520);
  EXPECT_EQ(CaptionStartX(t, 2, 60), 12 + 284 - 30);
}

TEST(TabGeometry, PageRects) {
  // The program's tab skin: a piece of 60 x 40 with the client at (3, 24)-(57, 37).
  const TbsTabPageSkin skin{{0, 0, 60, 40}, {3, 24, 57, 37}, false};
  const TbsTabPageSkin picture{{0, 0, 60, 40}, {3, 24, 57, 37}, true};
  EXPECT_EQ(TabPageRect(42, 604, 300, nullptr), (TRect{1, 37, 603, 299}));
  EXPECT_EQ(TabPageRect(42, 604, 300, &skin), (TRect{3, 60, 601, 297}));
  EXPECT_EQ(TabPageRect(42, 604, 300, &picture), (TRect{0, 36, 604, 300}));
  EXPECT_EQ(TabPageFrame({3, 60, 601, 297}, skin), (TRect{0, 36, 604, 300}));
}

TEST(TabGeometry, MarksEndTwoPixelsInFromTheTopRightCornerOneApart) {
  const struct {
    TRect tab;
    int count;
    std::vector<TRect> squares;
  } cases[] = {
      {{100, 10, 150, 30}, 0, {}},
      {{100, 10, 150, 30}, 1, {{143, 12, 148, 17}}},
      {{100, 10, 150, 30}, 3, {{131, 12, 136, 17}, {137, 12, 142, 17}, {143, 12, 148, 17}}},
      // An hour tab of the window's second row.
      {{0, 22, 49, 42}, 2, {{36, 24, 41, 29}, {42, 24, 47, 29}}},
      // Too narrow for all: the first ones, as many as fit between the insets.
      {{0, 0, 15, 20}, 3, {{2, 2, 7, 7}, {8, 2, 13, 7}}},
      {{0, 0, 8, 20}, 2, {}},
      {{0, 0, 9, 20}, 2, {{2, 2, 7, 7}}},
      // Too low for a square below the inset.
      {{0, 0, 50, 6}, 1, {}},
      {{0, 0, 50, 7}, 1, {{43, 2, 48, 7}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.tab.Width()) + " x " + std::to_string(c.tab.Height()) + ", " +
                 std::to_string(c.count));
    EXPECT_EQ(TabMarkRects(c.tab, c.count), c.squares);
  }
}

}  // namespace
}  // namespace bs
