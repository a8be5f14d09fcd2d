#include "skin/controls/bsSkinGridsLayout.h"
#include "skin/controls/bsSkinGridsStore.h"
#include "skin/controls/bsSkinScrollBarLayout.h"

#include <gtest/gtest.h>

#include <climits>

namespace bs {
namespace {

// The main window's grid: five columns, one fixed header row, rows 16 high with 1-pixel lines.
TbsGridAxis Rows(int count) { return {count, 1, 16, {}, 1}; }

TEST(GridAxis, VisibleRowsAndTheLargestFirstRow) {
  struct Case {
    int count, client, first, lastFull, maxFirst;
  } cases[] = {
      {41, 360, 1, 20, 21},   // 17 + 20 * 17 = 357 fits, 21 rows would not
      {5, 360, 1, 4, 1},      // everything fits: nothing to scroll
      {100000, 360, 1, 20, 99980},
      {2, 0, 1, 0, 1},        // no client at all
  };
  for (const Case& c : cases) {
    const TbsGridAxis a = Rows(c.count);
    EXPECT_EQ(LayoutGridAxis(a, c.first, c.client).LastFullVisible, c.lastFull) << c.count;
    EXPECT_EQ(GridMaxFirstVisible(a, c.client), c.maxFirst) << c.count;
  }
}

TEST(GridAxis, ScrollPositionsNeverDivideByZeroOrWrap) {
  const TbsGridAxis fits = Rows(5);
  EXPECT_EQ(GridScrollPosition(fits, 1, GridMaxFirstVisible(fits, 360)), 0);
  EXPECT_EQ(GridScrollSmallChange(fits, 4), 127);
  const TbsGridAxis big = Rows(INT_MAX);
  const int maxFirst = GridMaxFirstVisible(big, 360);
  EXPECT_EQ(GridFirstFromScrollPosition(big, 127, maxFirst), maxFirst);
  EXPECT_EQ(GridScrollPosition(big, maxFirst, maxFirst), 127);
  EXPECT_EQ(GridFirstFromScrollPosition(big, 0, maxFirst), 1);
}

TEST(GridAxis, NarrowColumnsTakeNoRoomAndNeverMoveOthersBack) {
  TbsGridAxis cols{5, 0, 64, {33, 230, -1, -20, 92}, 1};
  const auto spans = GridAxisSpans(cols, 0, 1000);
  ASSERT_EQ(spans.size(), 5u);
  EXPECT_EQ(spans[2].Start, 34 + 231);
  EXPECT_EQ(spans[3].Start, 34 + 231);
  EXPECT_EQ(spans[4].Start, 34 + 231);
  TbsGridAxis huge{3, 0, INT_MAX, {}, 1};
  const TbsGridAxisLayout l = LayoutGridAxis(huge, 0, 500);
  EXPECT_EQ(l.GridBoundary, 500);
  EXPECT_EQ(GridAxisSpans(huge, 0, 500).size(), 1u);
}

TEST(GridStore, SparseTextsAndBadIndexes) {
  TbsGridCellStore s;
  EXPECT_EQ(s.CellText(3, 1000000), "");
  s.SetCellText(4, 70000, "x");
  EXPECT_EQ(s.CellText(4, 70000), "x");
  EXPECT_EQ(s.CellText(5, 70000), "");
  EXPECT_THROW(s.SetCellText(-1, 0, "y"), EStringSparseListError);
  try {
    (void)s.CellText(0, -3);
    ADD_FAILURE();
  } catch (const EStringSparseListError& e) {
    EXPECT_STREQ(e.what(), "List index out of bounds (-3)");
  }
}

TEST(ScrollBarLayout, ClampsPagesAndThumbs) {
  struct Case {
    TbsScrollBarRange range;
    int set, expected;
  } cases[] = {
      {{0, 100, 0, 0}, 150, 100}, {{0, 100, 0, 0}, -5, 0}, {{0, 99, 10, 0}, 99, 90},
      {{INT_MIN, INT_MAX, 0, 0}, INT_MAX, INT_MAX}, {{INT_MIN, INT_MAX, 10, 0}, INT_MAX, INT_MAX - 9},
  };
  for (const Case& c : cases) EXPECT_EQ(ClampScrollPosition(c.range, c.set), c.expected) << c.set;
  EXPECT_FALSE(ScrollPageFits({0, 99, 0, 60}, 50));
  EXPECT_TRUE(ScrollPageFits({100, 199, 0, 150}, 40));
  EXPECT_FALSE(ScrollPageFits({0, 99, 0, 0}, -1));
  const TbsScrollBarLayout l = LayoutScrollBar(TbsScrollBarKind::sbVertical, 19, 134, {0, 99, 10, 0}, nullptr, 0);
  EXPECT_EQ(l.Track.Height(), 100);
  EXPECT_EQ(l.ThumbLength, 16);
  EXPECT_EQ(LayoutScrollBar(TbsScrollBarKind::sbVertical, 19, 134, {0, 7, 3, 0}, nullptr, 0).ThumbLength, 38);
  EXPECT_EQ(LayoutScrollBar(TbsScrollBarKind::sbVertical, 19, 134, {0, 7, 5, 0}, nullptr, 0).ThumbLength, 62);
  EXPECT_EQ(LayoutScrollBar(TbsScrollBarKind::sbHorizontal, 200, 19, {5, 5, 0, 5}, nullptr, 19).Offset, 0);
}

}  // namespace
}  // namespace bs
