#include "app/Engine.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace spv::app {
namespace {

TEST(WithTrailingBackslash, AddsOneBackslashOnlyWhenMissing) {
  struct Case { const char* text; const char* expected; };
  const Case cases[] = {
      {"", ""},
      {"D:\\Data", "D:\\Data\\"},
      {"D:\\Data\\", "D:\\Data\\"},
      {"   ", "   \\"},            // blanks are a folder text like any other
      {"C:/Quorvane/", "C:/Quorvane/\\"},  // only a backslash counts as the separator
      {"\\", "\\"},
  };
  for (const Case& c : cases) EXPECT_EQ(WithTrailingBackslash(c.text), c.expected) << '"' << c.text << '"';
  EXPECT_EQ(WithTrailingDelimiter("/srv/q", '/'), "/srv/q/");
  EXPECT_EQ(WithTrailingDelimiter("/srv/q/", '/'), "/srv/q/");
}

}  // namespace
}  // namespace spv::app

namespace spv::app {
namespace {

struct TFakeGrid : TGridMetrics {
  int width = 602, clientWidth = 598, clientHeight = 400;
  std::vector<int> rowHeights = {16, 16};
  std::vector<int> widths = {33, 230, 168, 67, 92};
  int RowCount() const override { return int(rowHeights.size()); }
  int RowHeight(int row) const override { return rowHeights.at(std::size_t(row)); }
  int ColCount() const override { return int(widths.size()); }
  int ColWidth(int col) const override { return widths.at(std::size_t(col)); }
  void SetColWidth(int col, int w) override { widths.at(std::size_t(col)) = w; }
  int Width() const override { return width; }
  int ClientWidth() const override { return clientWidth; }
  int ClientHeight() const override { return clientHeight; }
};

constexpr std::int16_t kShares[] = {0, 45, 40, 0, 15};

TEST(FitGridColumns, SharesTheWidthLeftByTheKeptColumns) {
  struct Case {
    const char* what;
    int width, clientWidth, clientHeight, rows;
    std::vector<int> widths;
  };
  const Case cases[] = {
      // 602 - 4 - 34 - 68 = 496 left.
      {"all rows fit", 602, 598, 400, 2, {33, 222, 197, 67, 73}},
      // 17 rows of 16 + 1 = 289 > 288: the client width, 581 - 102 = 479 left.
      {"rows do not fit", 602, 581, 288, 17, {33, 214, 190, 67, 70}},
      // Client height equal to the rows' height does not count as fitting.
      {"rows just do not fit", 602, 581, 34, 2, {33, 214, 190, 67, 70}},
      // 40 - 4 - 102 = -66 left: negative widths are the grid's business.
      {"too narrow", 40, 36, 400, 2, {33, -30, -27, 67, -10}},
  };
  for (const Case& c : cases) {
    TFakeGrid grid;
    grid.width = c.width;
    grid.clientWidth = c.clientWidth;
    grid.clientHeight = c.clientHeight;
    grid.rowHeights.assign(std::size_t(c.rows), 16);
    FitGridColumns(grid, kShares);
    EXPECT_EQ(grid.widths, c.widths) << c.what;
  }
}

TEST(FitGridColumns, SharesAndColumnsBeyondEachOtherAreLeftAlone) {
  TFakeGrid three;
  three.widths = {33, 230, 168};
  FitGridColumns(three, kShares);  // 598 - 34 = 564 left
  EXPECT_EQ(three.widths, (std::vector<int>{33, 252, 224}));

  TFakeGrid six;
  six.widths = {33, 230, 168, 67, 92, 50};
  FitGridColumns(six, kShares);
  EXPECT_EQ(six.widths, (std::vector<int>{33, 222, 197, 67, 73, 50}));
}

TEST(FitGridColumns, AWidthBeyondAnIntIsAnError) {
  TFakeGrid grid;
  grid.width = std::numeric_limits<int>::max();
  const std::int16_t huge[] = {0, 32767};
  EXPECT_THROW(FitGridColumns(grid, huge), std::overflow_error);
}

}  // namespace
}  // namespace spv::app
