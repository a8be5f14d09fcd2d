#include "skin/resources/bsUtils.h"

#include "Pictures.h"

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <utility>

namespace bs {
namespace {

using test::MaskPicture;

std::vector<TRect> RectsOf(const TbsRegionData& data) {
  std::vector<TRect> rects;
  for (std::size_t i = 0; i < data.Count(); ++i) rects.push_back(data.RectAt(i));
  return rects;
}

TEST(SkinMaskRuns, RunListsHeadersAndByteSizes) {
  struct Case {
    const char* name;
    std::vector<std::string> mask;
    int dx, dy;
    std::vector<TRect> runs;
  } cases[] = {
      {"black white black at (10, 20)", {"#.#"}, 10, 20, {{10, 20, 11, 21}, {12, 20, 13, 21}}},
      {"runs to the row end, rows never merged", {".##", "###"}, 0, 0, {{1, 0, 3, 1}, {0, 1, 3, 2}}},
      {"all white", {"...", "..."}, 0, 0, {}},
      {"negative offset", {"#"}, -5, -7, {{-5, -7, -4, -6}}},
      {"left to right within a row", {"#.##.#"}, 0, 3, {{0, 3, 1, 4}, {2, 3, 4, 4}, {5, 3, 6, 4}}},
  };
  for (const Case& c : cases) {
    const TImage mask = MaskPicture(c.mask);
    const TbsRegionData data = MaskToRegionRuns(mask, c.dx, c.dy);
    EXPECT_EQ(RectsOf(data), c.runs) << c.name;
    EXPECT_EQ(data.ByteSize(), 32 + 16 * c.runs.size()) << c.name;
    EXPECT_EQ(data.Bounds(), (TRect{c.dx, c.dy, c.dx + mask.Width(), c.dy + mask.Height()})) << c.name;
    // The header as the platform reads it: size 32, type 1, count, size field 0.
    const std::vector<std::uint8_t> header(data.Bytes.begin(), data.Bytes.begin() + 16);
    const auto n = std::uint8_t(c.runs.size());
    EXPECT_EQ(header, (std::vector<std::uint8_t>{32, 0, 0, 0, 1, 0, 0, 0, n, 0, 0, 0, 0, 0, 0, 0})) << c.name;
  }
}

TEST(SkinMaskRuns, OnlyExactBlackIsInside) {
  TImage mask(4, 1);
  mask.At(0, 0) = {0, 0, 0};
  mask.At(1, 0) = {1, 1, 1};
  mask.At(2, 0) = {0, 0, 1};  // a red of 1 is enough to be outside
  mask.At(3, 0) = {0, 0, 0};
  EXPECT_EQ(RectsOf(MaskToRegionRuns(mask, 0, 0)), (std::vector<TRect>{{0, 0, 1, 1}, {3, 0, 4, 1}}));
  EXPECT_TRUE(MaskToRegionRuns(TImage(), 3, 4).Bytes.empty());  // an empty mask: no region
}

TEST(SkinMaskRuns, AMaskOfManyRunsGetsAllOfThem) {
  // A checkerboard of 202 x 100 needs 10,100 runs, more than the 10,001 a fixed table holds.
  TImage mask(202, 100);
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 202; ++x) mask.At(x, y) = (x + y) % 2 ? TPixel{255, 255, 255} : TPixel{};
  const TbsRegionData data = MaskToRegionRuns(mask, 1, 2);
  ASSERT_EQ(data.Count(), 10100u);
  EXPECT_EQ(data.ByteSize(), 32u + 16u * 10100u);
  EXPECT_EQ(data.RectAt(0), (TRect{1, 2, 2, 3}));
  EXPECT_EQ(data.RectAt(10099), (TRect{202, 101, 203, 102}));
  EXPECT_THROW(data.RectAt(10100), std::out_of_range);
}

TEST(SkinMaskRuns, AnOffsetThatOverflowsIsAnError) {
  const TImage mask = MaskPicture({"##"});
  EXPECT_THROW(MaskToRegionRuns(mask, 2147483647 - 1, 0), std::overflow_error);
  EXPECT_THROW(MaskToRegionRuns(mask, 0, 2147483647), std::overflow_error);
  EXPECT_NO_THROW(MaskToRegionRuns(mask, 2147483647 - 2, 0));
}

// ---- Window masks ---------------------------------------------------------------------------

// A 12 x 10 frame mask with cut corners; borders 2 left and right, 3 top and bottom.
const std::vector<std::string> kFrameMask = {
    "..########..",  //
    ".##########.",  //
    "############",  //
    "############",  //
    "############",  //
    "############",  //
    "############",  //
    "############",  //
    ".##########.",  //
    "..########..",  //
};
const TbsPieceGeometry kFrame{{4, 4}, {8, 4}, {4, 6}, {8, 6}, {2, 3, 10, 7}};

using PixelSet = std::set<std::pair<int, int>>;

PixelSet PixelsOf(const TbsMaskBorderRuns& runs) {
  PixelSet pixels;
  auto add = [&](const TRect& r) {
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x) pixels.insert({x, y});
  };
  add(runs.Client);
  for (const TbsRegionData* d : {&runs.Top, &runs.Bottom, &runs.Left, &runs.Right})
    for (const TRect& r : RectsOf(*d)) add(r);
  return pixels;
}

TEST(SkinMaskBorders, AtNaturalSizeTheRegionIsTheMask) {
  const TImage mask = MaskPicture(kFrameMask);
  const auto runs = MaskBorderRegionRuns(kFrame, kFrame, mask, 12);
  ASSERT_TRUE(runs);
  PixelSet expected;
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 12; ++x)
      if (kFrameMask[std::size_t(y)][std::size_t(x)] == '#') expected.insert({x, y});
  EXPECT_EQ(PixelsOf(*runs), expected);
}

TEST(SkinMaskBorders, AWiderWindowKeepsTheCornersAndTilesTheMiddles) {
  // A notch in the top middle, at column 5 of the middle [4, 8): tiled over [4, 24) it repeats
  // every 4 columns, at 5, 9, 13, 17, 21.
  std::vector<std::string> rows = kFrameMask;
  rows[0][5] = '.';
  const TImage mask = MaskPicture(rows);
  const TbsPieceGeometry ng = ResizedGeometry(kFrame, {0, 0, 12, 10}, 28, 16);
  const auto runs = MaskBorderRegionRuns(kFrame, ng, mask, 28);
  ASSERT_TRUE(runs);
  const PixelSet pixels = PixelsOf(*runs);
  std::string top;
  for (int x = 0; x < 28; ++x) top += pixels.count({x, 0}) ? '#' : '.';
  EXPECT_EQ(top, "..###.###.###.###.###.####..");
  std::string bottom;
  for (int x = 0; x < 28; ++x) bottom += pixels.count({x, 15}) ? '#' : '.';
  EXPECT_EQ(bottom, "..########################..");
  // The left column between client top and bottom, rows 3 .. 12, is solid.
  for (int y = 3; y < 13; ++y) EXPECT_TRUE(pixels.count({0, y}) && pixels.count({27, y})) << y;
  EXPECT_FALSE(pixels.count({0, 14}));
  EXPECT_EQ(runs->Top.Bounds(), (TRect{0, 0, 28, 3}));
  EXPECT_EQ(runs->Bottom.Bounds(), (TRect{0, 13, 28, 16}));
  EXPECT_EQ(runs->Left.Bounds(), (TRect{0, 3, 2, 13}));
  EXPECT_EQ(runs->Right.Bounds(), (TRect{26, 3, 28, 13}));
}

TEST(SkinMaskBorders, NoRegionForInvertedPointsOrAnEmptyClient) {
  const TImage mask = MaskPicture(kFrameMask);
  struct Case {
    const char* name;
    TbsPieceGeometry ng;
  } cases[] = {
      {"NewRT.X < NewLT.X", {{4, 4}, {3, 4}, {4, 6}, {8, 6}, {2, 3, 10, 7}}},
      {"NewLB.Y < NewLT.Y", {{4, 4}, {8, 4}, {4, 3}, {8, 6}, {2, 3, 10, 7}}},
      {"empty client", {{4, 4}, {8, 4}, {4, 6}, {8, 6}, {2, 3, 2, 7}}},
  };
  for (const Case& c : cases) EXPECT_FALSE(MaskBorderRegionRuns(kFrame, c.ng, mask, 12)) << c.name;
}

}  // namespace
}  // namespace bs
