#include "skin/resources/bsUtils.h"

#include "Pictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <functional>
#include <stdexcept>
#include <string>

namespace bs {
namespace {

using test::CodedPicture;
using test::SourceOf;
using test::SourceXY;

TEST(SkinGeometry, RectAndPointHelpers) {
  struct Case {
    TPoint p;
    TRect r;
    bool pointInside;
  } cases[] = {
      {{10, 10}, {0, 0, 10, 10}, true},  // right and bottom edges included
      {{0, 0}, {0, 0, 10, 10}, true},
      {{11, 5}, {0, 0, 10, 10}, false},
      {{5, -1}, {0, 0, 10, 10}, false},
  };
  for (const Case& c : cases) EXPECT_EQ(PointInsideRect(c.p, c.r), c.pointInside) << c.p.X << "," << c.p.Y;

  EXPECT_FALSE(RectInsideRect({2, 2, 10, 10}, {0, 0, 10, 10}));  // shared bottom-right corner
  EXPECT_TRUE(RectInsideRect({2, 2, 9, 9}, {0, 0, 10, 10}));
  EXPECT_FALSE(RectInsideRect({-1, 2, 9, 9}, {0, 0, 10, 10}));

  EXPECT_TRUE(RectIsEmpty({5, 5, 5, 9}));
  EXPECT_TRUE(RectIsEmpty({5, 5, 9, 4}));
  EXPECT_FALSE(RectIsEmpty({5, 5, 6, 6}));
  EXPECT_TRUE(PointIsUnset({0, 7}));
  EXPECT_TRUE(PointIsUnset({7, 0}));
  EXPECT_FALSE(PointIsUnset({-1, 7}));
  EXPECT_TRUE(SameRect({1, 2, 3, 4}, {1, 2, 3, 4}));
  EXPECT_FALSE(SameRect({1, 2, 3, 4}, {1, 2, 3, 5}));
  EXPECT_EQ(WidthOfRect({3, 1, 10, 4}), 7);
  EXPECT_EQ(HeightOfRect({3, 1, 10, 4}), 3);
}

TEST(SkinGeometry, ResizedGeometryKeepsDistancesToTheNearestEdge) {
  const TbsPieceGeometry natural{{4, 4}, {8, 4}, {4, 6}, {8, 6}, {2, 3, 10, 7}};
  const TbsPieceGeometry resized = ResizedGeometry(natural, {2, 1, 14, 11}, 20, 16);  // dW 8, dH 6
  EXPECT_EQ(resized, (TbsPieceGeometry{{4, 4}, {16, 4}, {4, 12}, {16, 12}, {2, 3, 18, 13}}));
  EXPECT_EQ(ResizedGeometry(natural, {2, 1, 14, 11}, 12, 10), natural);
}

// ---- The block copy -------------------------------------------------------------------------

// The block copy as its rule reads, one pixel at a time, to hold the fast paths to.
// Destination pixel i of a span of d shows source pixel ((2i + 1) s) div (2d) of a span of s;
// pixels outside either picture are skipped.
void PixelByPixelCopy(TImage& dst, const TRect& dr, const TImage& src, const TRect& sr) {
  const long long dw = WidthOfRect(dr), dh = HeightOfRect(dr), sw = WidthOfRect(sr), sh = HeightOfRect(sr);
  if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return;
  for (int y = std::max(dr.Top, 0); y < std::min(dr.Bottom, dst.Height()); ++y)
    for (int x = std::max(dr.Left, 0); x < std::min(dr.Right, dst.Width()); ++x) {
      const long long sx = sr.Left + (2 * (x - dr.Left) + 1) * sw / (2 * dw);
      const long long sy = sr.Top + (2 * (y - dr.Top) + 1) * sh / (2 * dh);
      if (sx >= 0 && sx < src.Width() && sy >= 0 && sy < src.Height()) dst.At(x, y) = src.At(int(sx), int(sy));
    }
}

TEST(SkinCopy, ScaledCopiesMatchThePixelByPixelRule) {
  const TImage src = CodedPicture(40, 30);
  struct Case {
    const char* name;
    TRect dr, sr;
  } cases[] = {
      {"many times wider, runs of 12 and 13", {3, 2, 103, 9}, {5, 4, 13, 11}},
      {"one pixel over a whole row", {0, 0, 120, 3}, {7, 1, 8, 4}},
      {"twice as wide, runs of 2", {1, 1, 41, 5}, {2, 3, 22, 7}},
      {"two and a half times as wide, runs of 2 and 3", {5, 0, 30, 5}, {1, 0, 11, 5}},
      {"runs of exactly 5, less than a block", {0, 1, 20, 4}, {3, 3, 7, 6}},
      {"a little wider, runs of 1 and 2", {2, 0, 79, 6}, {0, 0, 61, 6}},
      {"narrower", {4, 4, 21, 9}, {0, 2, 37, 7}},
      {"wider and taller", {6, 3, 113, 58}, {10, 5, 17, 16}},
      {"taller only", {2, 0, 9, 61}, {30, 2, 37, 9}},
      {"shorter only", {0, 1, 11, 6}, {3, 0, 14, 23}},
      {"runs ending at the picture's edge", {17, 0, 120, 7}, {31, 3, 40, 10}},
      {"a source partly off its picture", {0, 0, 97, 41}, {33, 24, 45, 33}},
      {"a destination partly off its picture", {-30, -7, 90, 40}, {2, 2, 13, 9}},
      {"up to the picture's last byte", {50, 50, 120, 60}, {3, 3, 9, 8}},
  };
  const TPixel mark{7, 7, 7};  // what the destination holds before: drawn over only where it should be
  for (const Case& c : cases) {
    TImage dst(120, 60), expected(120, 60);
    for (int y = 0; y < 60; ++y)
      for (int x = 0; x < 120; ++x) dst.At(x, y) = expected.At(x, y) = mark;
    CopyImageRect(dst, c.dr, src, c.sr);
    PixelByPixelCopy(expected, c.dr, src, c.sr);
    for (int y = 0; y < 60; ++y)
      for (int x = 0; x < 120; ++x)
        ASSERT_EQ(dst.At(x, y), expected.At(x, y)) << c.name << " at " << x << "," << y;
  }
}

TEST(SkinCopy, ScalesByTheNearestPixelAndCopiesOneToOneOtherwise) {
  struct Case {
    int sw, dw;
    std::vector<int> columns;  // source column of each destination column
  } cases[] = {
      {4, 4, {0, 1, 2, 3}},
      {2, 4, {0, 0, 1, 1}},
      {4, 2, {1, 3}},
      {3, 5, {0, 0, 1, 2, 2}},
      {1, 3, {0, 0, 0}},
  };
  const TImage src = CodedPicture(8, 8);
  for (const Case& c : cases) {
    TImage dst(8, 8);
    CopyImageRect(dst, {2, 1, 2 + c.dw, 3}, src, {3, 4, 3 + c.sw, 6});
    for (int i = 0; i < c.dw; ++i) {
      EXPECT_EQ(SourceOf(dst, 2 + i, 1), (SourceXY{3 + c.columns[std::size_t(i)], 4})) << c.sw << "->" << c.dw;
      EXPECT_EQ(SourceOf(dst, 2 + i, 2), (SourceXY{3 + c.columns[std::size_t(i)], 5})) << c.sw << "->" << c.dw;
    }
    EXPECT_EQ(SourceOf(dst, 1, 1), (SourceXY{-1, -1}));
    EXPECT_EQ(SourceOf(dst, 2 + c.dw, 1), (SourceXY{-1, -1}));
    EXPECT_EQ(SourceOf(dst, 2, 3), (SourceXY{-1, -1}));
  }
}

TEST(SkinCopy, DrawsOnlyWhatLiesInsideBothPictures) {
  const TImage src = CodedPicture(6, 6);
  struct Case {
    TRect dr, sr;
    TRect drawn;  // destination pixels that change
  } cases[] = {
      {{-2, -1, 3, 3}, {0, 0, 5, 4}, {0, 0, 3, 3}},   // off the destination's top-left
      {{2, 2, 8, 8}, {3, 3, 9, 9}, {2, 2, 5, 5}},     // off the source's bottom-right
      {{1, 1, 4, 4}, {-2, 0, 1, 3}, {3, 1, 4, 4}},    // off the source's left
      {{1, 1, 1, 4}, {0, 0, 3, 3}, {0, 0, 0, 0}},     // empty destination
      {{1, 1, 4, 4}, {3, 3, 0, 0}, {0, 0, 0, 0}},     // inverted source
      {{0, 0, 6, 6}, {-6, 0, 0, 3}, {0, 0, 0, 0}},    // scaled, all of the source outside
  };
  for (const Case& c : cases) {
    TImage dst(6, 6);
    CopyImageRect(dst, c.dr, src, c.sr);
    for (int y = 0; y < 6; ++y)
      for (int x = 0; x < 6; ++x) {
        const bool inside = x >= c.drawn.Left && x < c.drawn.Right && y >= c.drawn.Top && y < c.drawn.Bottom;
        const SourceXY expected =
            inside ? SourceXY{c.sr.Left + x - c.dr.Left, c.sr.Top + y - c.dr.Top} : SourceXY{-1, -1};
        EXPECT_EQ(SourceOf(dst, x, y), expected) << "case dr.Left=" << c.dr.Left << " at " << x << "," << y;
      }
  }
}

// ---- Three- and two-part builders -----------------------------------------------------------

// Destination columns [from, to) show source columns from `src` on; rows map one to one.
struct Span {
  int from, to, src;
};

void ExpectColumns(const TImage& image, int srcTop, const std::vector<Span>& spans) {
  int covered = 0;
  for (const Span& s : spans)
    for (int x = s.from; x < s.to; ++x, ++covered)
      for (int y = 0; y < image.Height(); ++y)
        ASSERT_EQ(SourceOf(image, x, y), (SourceXY{s.src + x - s.from, srcTop + y})) << "column " << x;
  EXPECT_EQ(covered, image.Width());
}

TEST(SkinThreePart, TilesTheMiddleFromTheLeftCapAndCutsTheLastTile) {
  const TImage src = CodedPicture(80, 30);
  const TRect R{5, 3, 74, 27};  // 69 x 24, caps 17 and 18, middle 34
  struct Case {
    int W;
    std::vector<Span> spans;
  } cases[] = {
      // n = (121 - 35) div 34 = 2: tiles at 17, 51, 85, the last cut by 16 to 18 pixels.
      {121, {{0, 17, 5}, {17, 51, 22}, {51, 85, 22}, {85, 103, 22}, {103, 121, 56}}},
      // The natural width: the second tile at 51 is cut to nothing; the image is the source.
      {69, {{0, 17, 5}, {17, 51, 22}, {51, 69, 56}}},
      // Narrower than the middle: one cut tile.
      {45, {{0, 17, 5}, {17, 27, 22}, {27, 45, 56}}},
  };
  for (const Case& c : cases) {
    TImage dest;
    ThreePartHorzImage(17, 18, dest, src, R, c.W, false);
    ASSERT_EQ(dest.Width(), c.W);
    ASSERT_EQ(dest.Height(), 24);
    ExpectColumns(dest, 3, c.spans);
  }
}

TEST(SkinThreePart, StretchesTheMiddleBetweenTheCaps) {
  const TImage src = CodedPicture(80, 30);
  TImage dest;
  ThreePartHorzImage(17, 18, dest, src, {5, 3, 74, 27}, 121, true);
  EXPECT_EQ(SourceOf(dest, 16, 0), (SourceXY{21, 3}));
  EXPECT_EQ(SourceOf(dest, 17, 0), (SourceXY{22, 3}));
  EXPECT_EQ(SourceOf(dest, 102, 0), (SourceXY{55, 3}));
  EXPECT_EQ(SourceOf(dest, 103, 23), (SourceXY{56, 26}));
  // 86 columns from 34: every source column shows two or three times, in order.
  std::vector<int> seen(34);
  int last = 0;
  for (int x = 17; x < 103; ++x) {
    const int s = SourceOf(dest, x, 0).x;
    ASSERT_GE(s, last);
    last = s;
    ++seen[std::size_t(s - 22)];
  }
  for (int n : seen) EXPECT_TRUE(n == 2 || n == 3) << n;
}

TEST(SkinThreePart, VerticalAndTwoPartVariants) {
  const TImage src = CodedPicture(30, 40);
  {
    // Caps 5 and 6 on 10 x 31 at (2, 3): middle rows 8 .. 27 (20), H = 50 gives tiles at 5 and
    // 25, the second cut by 1 to 19 rows.
    TImage dest;
    ThreePartVertImage(5, 6, dest, src, {2, 3, 12, 34}, 50, false);
    ASSERT_EQ(dest.Width(), 10);
    ASSERT_EQ(dest.Height(), 50);
    struct Row {
      int y, srcY;
    } rows[] = {{0, 3}, {4, 7}, {5, 8}, {24, 27}, {25, 8}, {43, 26}, {44, 28}, {49, 33}};
    for (const Row& r : rows)
      for (int x = 0; x < 10; ++x) EXPECT_EQ(SourceOf(dest, x, r.y), (SourceXY{2 + x, r.srcY})) << r.y;
    // The same rect as the whole width of its picture: its rows are copied as whole blocks.
    const TImage narrow = CodedPicture(10, 40);
    ThreePartVertImage(5, 6, dest, narrow, {0, 3, 10, 34}, 50, false);
    for (const Row& r : rows)
      for (int x = 0; x < 10; ++x) EXPECT_EQ(SourceOf(dest, x, r.y), (SourceXY{x, r.srcY})) << r.y << " whole rows";
  }
  {
    // A middle of no height: a single empty tile, the middle stays as made.
    TImage dest;
    ThreePartVertImage(5, 6, dest, src, {2, 3, 12, 14}, 20, false);
    EXPECT_EQ(SourceOf(dest, 0, 4), (SourceXY{2, 7}));
    EXPECT_EQ(SourceOf(dest, 0, 5), (SourceXY{-1, -1}));
    EXPECT_EQ(SourceOf(dest, 0, 13), (SourceXY{-1, -1}));
    EXPECT_EQ(SourceOf(dest, 0, 14), (SourceXY{2, 8}));
  }
  {
    // Two parts: left cap 4, the middle ends 3 before the right and runs on to W; no right cap.
    TImage dest;
    TwoPartHorzImage(4, 3, dest, src, {1, 0, 15, 2}, 20, false);  // middle columns 5 .. 11 (7)
    ExpectColumns(dest, 0, {{0, 4, 1}, {4, 11, 5}, {11, 18, 5}, {18, 20, 5}});
  }
  {
    // A middle of no width counts as one pixel and copies nothing; the caps still come.
    TImage dest;
    ThreePartHorzImage(3, 3, dest, src, {0, 0, 6, 2}, 12, false);
    EXPECT_EQ(SourceOf(dest, 2, 0), (SourceXY{2, 0}));
    EXPECT_EQ(SourceOf(dest, 3, 0), (SourceXY{-1, -1}));
    EXPECT_EQ(SourceOf(dest, 8, 1), (SourceXY{-1, -1}));
    EXPECT_EQ(SourceOf(dest, 9, 1), (SourceXY{3, 1}));
  }
}

// ---- Nine-part builders ---------------------------------------------------------------------

// A 12 x 10 piece at (2, 1) of its picture: borders 2 left and right, 3 top and bottom, the
// corner points splitting each band into 2 + 2 + ... pieces.
const TRect kSR{2, 1, 14, 11};
const TbsPieceGeometry kPiece{{4, 4}, {8, 4}, {4, 6}, {8, 6}, {2, 3, 10, 7}};

// Destination rect `to` shows the piece-relative source rect `from`, tiled from `origin`
// (default: the rect's own top-left), or scaled by whole factors when `scaled`.
struct Region {
  const char* name;
  TRect to, from;
  bool scaled = false;
  TPoint origin = {-1, -1};
};

void ExpectRegions(const TImage& image, const std::vector<Region>& regions, bool wholeImage = true) {
  std::vector<int> covered(std::size_t(image.Width() * image.Height()));
  for (const Region& r : regions) {
    const int fw = WidthOfRect(r.from), fh = HeightOfRect(r.from);
    const TPoint o = r.origin.X < 0 ? TPoint{r.to.Left, r.to.Top} : r.origin;
    for (int y = r.to.Top; y < r.to.Bottom; ++y)
      for (int x = r.to.Left; x < r.to.Right; ++x) {
        ++covered[std::size_t(y * image.Width() + x)];
        const int sx = r.scaled ? (x - r.to.Left) * fw / WidthOfRect(r.to) : (x - o.X) % fw;
        const int sy = r.scaled ? (y - r.to.Top) * fh / HeightOfRect(r.to) : (y - o.Y) % fh;
        ASSERT_EQ(SourceOf(image, x, y), (SourceXY{kSR.Left + r.from.Left + sx, kSR.Top + r.from.Top + sy}))
            << r.name << " at " << x << "," << y;
      }
  }
  if (!wholeImage) return;
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x)
      EXPECT_EQ(covered[std::size_t(y * image.Width() + x)], 1) << "pixel " << x << "," << y;
}

TEST(SkinNinePart, MapsEveryPieceEdgeAndTheTiledClient) {
  const TImage src = CodedPicture(20, 20);
  const TbsPieceGeometry ng = ResizedGeometry(kPiece, kSR, 20, 16);
  TImage dest;
  NinePartImage(kPiece, ng, dest, src, kSR, 20, 16, true, {});
  ASSERT_EQ(dest.Width(), 20);
  ASSERT_EQ(dest.Height(), 16);
  ExpectRegions(dest, {
                          {"piece 1", {0, 0, 4, 3}, {0, 0, 4, 3}},
                          {"top edge", {4, 0, 16, 3}, {4, 0, 8, 3}},
                          {"piece 3", {16, 0, 20, 3}, {8, 0, 12, 3}},
                          {"piece 2", {0, 3, 2, 4}, {0, 3, 2, 4}},
                          {"left edge", {0, 4, 2, 12}, {0, 4, 2, 6}},
                          {"piece 5", {0, 12, 2, 16}, {0, 6, 2, 10}},
                          {"piece 6", {2, 13, 4, 16}, {2, 7, 4, 10}},
                          {"bottom edge", {4, 13, 16, 16}, {4, 7, 8, 10}},
                          {"piece 7", {16, 13, 20, 16}, {8, 7, 12, 10}},
                          {"piece 4", {18, 3, 20, 4}, {10, 3, 12, 4}},
                          {"right edge", {18, 4, 20, 12}, {10, 4, 12, 6}},
                          {"piece 8", {18, 12, 20, 13}, {10, 6, 12, 7}},
                          {"client", {2, 3, 18, 13}, {2, 3, 10, 7}},
                      });
}

TEST(SkinNinePart, StretchesEdgesAndClientWhenAsked) {
  const TImage src = CodedPicture(20, 20);
  const TbsPieceGeometry ng = ResizedGeometry(kPiece, kSR, 20, 18);  // whole scale factors
  TImage dest;
  NinePartImage(kPiece, ng, dest, src, kSR, 20, 18, true, {true, true, true, true, true});
  ExpectRegions(dest, {
                          {"piece 1", {0, 0, 4, 3}, {0, 0, 4, 3}},
                          {"top edge", {4, 0, 16, 3}, {4, 0, 8, 3}, true},
                          {"piece 3", {16, 0, 20, 3}, {8, 0, 12, 3}},
                          {"piece 2", {0, 3, 2, 4}, {0, 3, 2, 4}},
                          {"left edge", {0, 4, 2, 14}, {0, 4, 2, 6}, true},
                          {"piece 5", {0, 14, 2, 18}, {0, 6, 2, 10}},
                          {"piece 6", {2, 15, 4, 18}, {2, 7, 4, 10}},
                          {"bottom edge", {4, 15, 16, 18}, {4, 7, 8, 10}, true},
                          {"piece 7", {16, 15, 20, 18}, {8, 7, 12, 10}},
                          {"piece 4", {18, 3, 20, 4}, {10, 3, 12, 4}},
                          {"right edge", {18, 4, 20, 14}, {10, 4, 12, 6}, true},
                          {"piece 8", {18, 14, 20, 15}, {10, 6, 12, 7}},
                          {"client", {2, 3, 18, 15}, {2, 3, 10, 7}, true},
                      });
  // The menu and hint variant tiles its client whatever the client flag says.
  TImage tiled;
  NinePartImageTiledClient(kPiece, ng, tiled, src, kSR, 20, 18, true, {true, true, true, true, true});
  ExpectRegions(tiled, {{"client", {2, 3, 18, 15}, {2, 3, 10, 7}}}, false);
}

TEST(SkinNinePart, ReturnsEarlyWithTheDestinationSizedButUndrawn) {
  const TImage src = CodedPicture(20, 20);
  struct Case {
    const char* name;
    TbsPieceGeometry g;
    bool emptySource;
  } cases[] = {
      {"all points at 0,0", {{0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0, 0, 0}}, false},
      {"RB.X = LT.X", {{4, 4}, {8, 4}, {4, 6}, {4, 6}, {2, 3, 10, 7}}, false},
      {"RB.Y = LT.Y", {{4, 4}, {8, 4}, {4, 6}, {8, 4}, {2, 3, 10, 7}}, false},
      {"empty source", kPiece, true},
  };
  for (const Case& c : cases) {
    TImage dest;
    NinePartImage(c.g, ResizedGeometry(c.g, kSR, 20, 16), dest, c.emptySource ? TImage() : src, kSR, 20, 16, true,
                  {});
    ASSERT_EQ(dest.Width(), 20) << c.name;
    ASSERT_EQ(dest.Height(), 16) << c.name;
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 20; ++x) ASSERT_EQ(SourceOf(dest, x, y), (SourceXY{-1, -1})) << c.name;
  }
}

TEST(SkinNinePart, WithoutTheClientFlagTheClientStaysAsMade) {
  const TImage src = CodedPicture(20, 20);
  TImage dest;
  NinePartImage(kPiece, ResizedGeometry(kPiece, kSR, 20, 16), dest, src, kSR, 20, 16, false, {});
  for (int y = 3; y < 13; ++y)
    for (int x = 2; x < 18; ++x) ASSERT_EQ(SourceOf(dest, x, y), (SourceXY{-1, -1})) << x << "," << y;
  EXPECT_EQ(SourceOf(dest, 1, 3), (SourceXY{3, 4}));  // piece 2 is still there
}

TEST(SkinNinePart, OpenRightRunsTheBandsToTheRightEdgeWithoutARightColumn) {
  const TImage src = CodedPicture(20, 20);
  // RB.X moved right of RT.X so that the top band's step (RB.X - LT.X = 6) differs from its
  // source (RT.X - LT.X = 4): each tile then shows the 4 source columns scaled over 6.
  const TbsPieceGeometry g{{4, 4}, {8, 4}, {4, 6}, {10, 6}, {2, 3, 10, 7}};
  const TbsPieceGeometry ng = ResizedGeometry(g, kSR, 20, 16);
  TImage dest;
  NinePartImageOpenRight(g, ng, dest, src, kSR, 20, 16, true, {});
  ExpectRegions(dest,
                {
                    {"piece 1", {0, 0, 4, 3}, {0, 0, 4, 3}},
                    {"piece 2", {0, 3, 2, 4}, {0, 3, 2, 4}},
                    {"left edge", {0, 4, 2, 12}, {0, 4, 2, 6}},
                    {"piece 5", {0, 12, 2, 16}, {0, 6, 2, 10}},
                    {"piece 6", {2, 13, 4, 16}, {2, 7, 4, 10}},
                    {"bottom edge", {4, 13, 20, 16}, {4, 7, 10, 10}},
                    {"client", {2, 3, 18, 13}, {2, 3, 10, 7}},
                },
                false);
  // The top band: tiles of 6 at 4, 10 and 16, each the 4 source columns scaled over 6; the last
  // is cut by 2 at both ends of the copy, so 2 source columns scaled over 4.
  const int expected[] = {4, 5, 5, 6, 7, 7, 4, 5, 5, 6, 7, 7, 4, 4, 5, 5};
  for (int x = 4; x < 20; ++x) EXPECT_EQ(SourceOf(dest, x, 1), (SourceXY{2 + expected[x - 4], 2})) << x;
  // No right column and no right-hand pieces.
  for (int y = 3; y < 13; ++y)
    for (int x = 18; x < 20; ++x) EXPECT_EQ(SourceOf(dest, x, y), (SourceXY{-1, -1})) << x << "," << y;
}

TEST(SkinNinePart, FromClientRectCutsAtTheClientCornersAndStretches) {
  const TImage src = CodedPicture(20, 20);
  TImage dest(20, 18);
  NinePartFromClientRect(dest, src, kSR, true, {2, 3, 10, 7});
  ExpectRegions(dest, {
                          {"piece 1", {0, 0, 2, 3}, {0, 0, 2, 3}},
                          {"top edge", {2, 0, 18, 3}, {2, 0, 10, 3}, true},
                          {"piece 3", {18, 0, 20, 3}, {10, 0, 12, 3}},
                          {"left edge", {0, 3, 2, 15}, {0, 3, 2, 7}, true},
                          {"piece 5", {0, 15, 2, 18}, {0, 7, 2, 10}},
                          {"bottom edge", {2, 15, 18, 18}, {2, 7, 10, 10}, true},
                          {"piece 7", {18, 15, 20, 18}, {10, 7, 12, 10}},
                          {"right edge", {18, 3, 20, 15}, {10, 3, 12, 7}, true},
                          {"client", {2, 3, 18, 15}, {2, 3, 10, 7}, true},
                      });
}

// ---- Border strips --------------------------------------------------------------------------

TEST(SkinBorderStrips, BuildsFourStripsTiledFromTheirOrigins) {
  const TImage src = CodedPicture(20, 20);
  const TbsPieceGeometry ng = ResizedGeometry(kPiece, kSR, 20, 16);
  TImage left, top, right, bottom;
  BorderStripImages(kPiece, ng, {&left, &top, &right, &bottom}, src, kSR, 20, 16, {});
  ASSERT_EQ((std::vector<int>{top.Width(), top.Height(), bottom.Width(), bottom.Height()}),
            (std::vector<int>{20, 3, 20, 3}));
  ASSERT_EQ((std::vector<int>{left.Width(), left.Height(), right.Width(), right.Height()}),
            (std::vector<int>{2, 10, 2, 10}));
  ExpectRegions(top, {{"top left", {0, 0, 4, 3}, {0, 0, 4, 3}},
                      {"top middle", {4, 0, 16, 3}, {4, 0, 8, 3}, false, {0, 0}},
                      {"top right", {16, 0, 20, 3}, {8, 0, 12, 3}}});
  ExpectRegions(bottom, {{"bottom left", {0, 0, 4, 3}, {0, 7, 4, 10}},
                         {"bottom middle", {4, 0, 16, 3}, {4, 7, 8, 10}, false, {0, 0}},
                         {"bottom right", {16, 0, 20, 3}, {8, 7, 12, 10}}});
  // The side middles tile from the strip's top, not from the corner point: row 1 shows the
  // middle's second row.
  ExpectRegions(left, {{"left upper", {0, 0, 2, 1}, {0, 3, 2, 4}},
                       {"left middle", {0, 1, 2, 9}, {0, 4, 2, 6}, false, {0, 0}},
                       {"left lower", {0, 9, 2, 10}, {0, 6, 2, 7}}});
  ExpectRegions(right, {{"right upper", {0, 0, 2, 1}, {10, 3, 12, 4}},
                        {"right middle", {0, 1, 2, 9}, {10, 4, 12, 6}, false, {0, 0}},
                        {"right lower", {0, 9, 2, 10}, {10, 6, 12, 7}}});
}

TEST(SkinBorderStrips, AStripWhosePieceHasNoSizeKeepsWhatItHad) {
  const TImage src = CodedPicture(20, 20);
  // The bottom band has no middle (LB.X = RB.X) and the right column none (RT.Y = RB.Y).
  const TbsPieceGeometry g{{4, 4}, {8, 4}, {6, 6}, {6, 4}, {2, 3, 10, 7}};
  TImage left, top, right(5, 5), bottom(7, 2);
  bottom.At(0, 0) = right.At(0, 0) = {9, 9, 9};
  BorderStripImages(g, ResizedGeometry(g, kSR, 20, 16), {&left, &top, &right, &bottom}, src, kSR, 20, 16, {});
  EXPECT_EQ(top.Width(), 20);
  EXPECT_EQ(bottom.Width(), 7);
  EXPECT_EQ(bottom.At(0, 0), (TPixel{9, 9, 9}));
  EXPECT_EQ(right.Width(), 5);
  EXPECT_EQ(right.At(0, 0), (TPixel{9, 9, 9}));
  // The left strip fills what the top strip and the old bottom strip leave: 16 - 3 - 2.
  EXPECT_EQ(left.Height(), 11);
}

// ---- Damaged geometry -----------------------------------------------------------------------

TEST(SkinGeometry, ResizedGeometryHoldsItsSumsAtTheEndsOfInt) {
  struct Case {
    const char* name;
    TbsPieceGeometry natural;
    TRect skinRect;
    int W, H;
    TbsPieceGeometry resized;
  } cases[] = {
      {"points near the top of int grow past it",
       {{4, 4}, {INT_MAX - 2, 4}, {4, INT_MAX}, {INT_MAX, INT_MAX}, {2, 3, INT_MAX, INT_MAX - 1}},
       {0, 0, 10, 10},
       20,
       16,
       {{4, 4}, {INT_MAX, 4}, {4, INT_MAX}, {INT_MAX, INT_MAX}, {2, 3, INT_MAX, INT_MAX}}},
      {"a skin rect wider than int shrinks the points past its bottom",
       {{4, 4}, {8, 4}, {4, -6}, {8, -6}, {2, 3, 10, 7}},
       {INT_MIN, INT_MIN, INT_MAX, INT_MAX},
       20,
       16,
       {{4, 4}, {INT_MIN, 4}, {4, INT_MIN}, {INT_MIN, INT_MIN}, {2, 3, INT_MIN, INT_MIN}}},
  };
  for (const Case& c : cases) EXPECT_EQ(ResizedGeometry(c.natural, c.skinRect, c.W, c.H), c.resized) << c.name;
}

// A builder handed a value beyond the drawing range draws nothing: one value out of range at a
// time, every other one sensible, each builder in turn.
TEST(SkinBuilders, AValueBeyondTheDrawingRangeDrawsNothing) {
  const TImage src = CodedPicture(20, 20);
  const TbsPieceGeometry ng = ResizedGeometry(kPiece, kSR, 20, 16);
  const int far = kMaxSkinCoordinate + 1;
  struct Case {
    const char* name;
    std::function<void(TImage&)> build;
  } cases[] = {
      {"three parts, a cap", [&](TImage& d) { ThreePartHorzImage(INT_MIN, 4, d, src, kSR, 20, false); }},
      {"three parts, the width", [&](TImage& d) { ThreePartHorzImage(4, 4, d, src, kSR, far, false); }},
      {"three parts, the rect", [&](TImage& d) { ThreePartHorzImage(4, 4, d, src, {-far, 1, 14, 11}, 20, true); }},
      {"three parts down, a cap", [&](TImage& d) { ThreePartVertImage(3, INT_MAX, d, src, kSR, 16, false); }},
      {"two parts, the right end", [&](TImage& d) { TwoPartHorzImage(4, -far, d, src, kSR, 20, false); }},
      {"nine parts, a corner point",
       [&](TImage& d) {
         TbsPieceGeometry g = kPiece;
         g.RT.X = INT_MAX;
         NinePartImage(g, ng, d, src, kSR, 20, 16, true, {});
       }},
      {"nine parts, a new client edge",
       [&](TImage& d) {
         TbsPieceGeometry n = ng;
         n.Cl.Right = far;
         NinePartImageTiledClient(kPiece, n, d, src, kSR, 20, 16, true, {});
       }},
      {"nine parts open to the right, the skin rect",
       [&](TImage& d) { NinePartImageOpenRight(kPiece, ng, d, src, {INT_MIN, 1, 14, 11}, 20, 16, true, {}); }},
      {"nine parts from a client rect",
       [&](TImage& d) {
         d.SetSize(20, 16);
         NinePartFromClientRect(d, src, kSR, true, {2, 3, INT_MAX, 7});
       }},
  };
  for (const Case& c : cases) {
    TImage dest(5, 5);
    c.build(dest);
    EXPECT_TRUE(dest.Empty()) << c.name;
  }

  // The strips keep what they had, as for a piece of no size; a mask gives no region.
  TImage left(1, 1), top(1, 1), right(1, 1), bottom(1, 1);
  TbsPieceGeometry g = kPiece;
  g.LB.Y = INT_MIN;
  BorderStripImages(g, ng, {&left, &top, &right, &bottom}, src, kSR, 20, 16, {});
  for (const TImage* strip : {&left, &top, &right, &bottom}) EXPECT_EQ(strip->Width(), 1);
  EXPECT_FALSE(MaskBorderRegionRuns(g, ng, src, 20).has_value());

  // A copy between rects beyond every picture leaves the destination as it was.
  TImage dst = CodedPicture(8, 8);
  const TImage before = dst;
  CopyImageRect(dst, {INT_MIN, 0, INT_MAX, 8}, src, {0, 0, 5, 5});
  CopyImageRect(dst, {0, 0, 8, 8}, src, {INT_MIN, INT_MIN, 0, 0});
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) ASSERT_EQ(dst.At(x, y), before.At(x, y)) << x << "," << y;
}

// Tiles laid from far left of the destination keep their phase: only those that reach into the
// picture are drawn, and they land where the whole row of tiles would have put them.
TEST(SkinBuilders, TilesFromFarOutsideThePictureKeepTheirPhase) {
  const TImage src = CodedPicture(20, 20);
  for (const int start : {-5, -4 * 1000 - 3, -(kMaxSkinCoordinate - 1)}) {
    // The top middle of the piece is 4 wide (source columns 4 .. 7 of the piece); its new band
    // starts at `start`.
    TbsPieceGeometry ng = ResizedGeometry(kPiece, kSR, 20, 16);
    ng.LT.X = start;
    TImage dest;
    NinePartImage(kPiece, ng, dest, src, kSR, 20, 16, false, {});
    ASSERT_EQ(dest.Width(), 20);
    for (int x = 0; x < ng.RT.X; ++x) {
      const int phase = int(((long long)x - start) % 4);
      ASSERT_EQ(SourceOf(dest, x, 0), (SourceXY{kSR.Left + 4 + phase, kSR.Top})) << "from " << start << " at " << x;
    }
  }
}

// The strips as their rules read, one pixel at a time, to hold the builder to.

// Tiles of the source rect `middle` laid from 0 over [0, span) along one axis, the last one cut
// at span; across, the middle's rows (or columns) fill [across0, across1).
void PixelByPixelTiles(TImage& dst, bool alongX, int span, const TImage& src, const TRect& middle, int across0,
                       int across1) {
  const int t = alongX ? WidthOfRect(middle) : HeightOfRect(middle);
  if (t <= 0) return;
  for (int k = 0; k <= span / t; ++k) {
    const int at = k * t, cut = std::max(0, at + t - span);
    if (alongX)
      PixelByPixelCopy(dst, {at, across0, at + t - cut, across1}, src,
                       {middle.Left, middle.Top, middle.Right - cut, middle.Bottom});
    else
      PixelByPixelCopy(dst, {across0, at, across1, at + t - cut}, src,
                       {middle.Left, middle.Top, middle.Right, middle.Bottom - cut});
  }
}

void PixelByPixelStrips(const TbsPieceGeometry& g, const TbsPieceGeometry& ng, const TbsBorderStrips& strips,
                        const TImage& src, const TRect& SR, int W, int H, const TbsStretchFlags& stretch) {
  const int L = SR.Left, T = SR.Top;
  if (W > 0 && ng.Cl.Top > 0 && g.RT.X - g.LT.X > 0) {
    TImage& s = *strips.Top;
    const int h = ng.Cl.Top;
    s.SetSize(W, h);
    const TRect middle{L + g.LT.X, T, L + g.RT.X, T + h};
    if (stretch.Top)
      PixelByPixelCopy(s, {ng.LT.X, 0, ng.RT.X, h}, src, middle);
    else
      PixelByPixelTiles(s, true, W, src, middle, 0, h);
    PixelByPixelCopy(s, {0, 0, ng.LT.X, h}, src, {L, T, L + g.LT.X, T + h});
    PixelByPixelCopy(s, {ng.RT.X, 0, W, h}, src, {L + g.RT.X, T, SR.Right, T + h});
  }
  const int h = H - ng.Cl.Bottom;
  if (W > 0 && h > 0 && g.RB.X - g.LB.X > 0) {
    TImage& s = *strips.Bottom;
    s.SetSize(W, h);
    const TRect middle{L + g.LB.X, SR.Bottom - h, L + g.RB.X, SR.Bottom};
    if (stretch.Bottom)
      PixelByPixelCopy(s, {ng.LB.X, 0, ng.RB.X, h}, src, middle);
    else
      PixelByPixelTiles(s, true, W, src, middle, 0, h);
    PixelByPixelCopy(s, {0, 0, ng.LB.X, h}, src, {L, SR.Bottom - h, L + g.LB.X, SR.Bottom});
    PixelByPixelCopy(s, {ng.RB.X, 0, W, h}, src, {L + g.RB.X, SR.Bottom - h, SR.Right, SR.Bottom});
  }
  const int hs = H - strips.Top->Height() - strips.Bottom->Height();
  // A side strip: columns [c0, c1) of the piece, its middle rows [m0, m1).
  auto side = [&](TImage& s, int w, int c0, int c1, int m0, int m1, bool stretched) {
    s.SetSize(w, hs);
    const int upper = m0 - g.Cl.Top, lower = g.Cl.Bottom - m1;
    const TRect middle{L + c0, T + m0, L + c1, T + m1};
    if (stretched)
      PixelByPixelCopy(s, {0, upper, w, hs - lower}, src, middle);
    else
      PixelByPixelTiles(s, false, hs, src, middle, 0, w);
    if (upper > 0) PixelByPixelCopy(s, {0, 0, w, upper}, src, {L + c0, T + g.Cl.Top, L + c1, T + m0});
    if (lower > 0) PixelByPixelCopy(s, {0, hs - lower, w, hs}, src, {L + c0, T + m1, L + c1, T + g.Cl.Bottom});
  };
  if (ng.Cl.Left > 0 && hs > 0 && g.LB.Y - g.LT.Y > 0)
    side(*strips.Left, ng.Cl.Left, 0, ng.Cl.Left, g.LT.Y, g.LB.Y, stretch.Left);
  const int w = W - ng.Cl.Right;
  if (w > 0 && hs > 0 && g.RB.Y - g.RT.Y > 0)
    side(*strips.Right, w, g.Cl.Right, WidthOfRect(SR), g.RT.Y, g.RB.Y, stretch.Right);
}

void ExpectSamePicture(const TImage& actual, const TImage& expected, const std::string& what) {
  ASSERT_EQ(actual.Width(), expected.Width()) << what;
  ASSERT_EQ(actual.Height(), expected.Height()) << what;
  for (int y = 0; y < actual.Height(); ++y)
    for (int x = 0; x < actual.Width(); ++x)
      ASSERT_EQ(actual.At(x, y), expected.At(x, y))
          << what << " at " << x << "," << y << ": shows " << SourceOf(actual, x, y) << ", should show "
          << SourceOf(expected, x, y);
}

TEST(SkinBorderStrips, StretchedAndTiledStripsMatchThePixelByPixelRule) {
  const TImage src = CodedPicture(60, 50);
  // A 37 x 29 piece at (3, 2): borders 3, 6, 3 and 4; the corner points make middles of
  // 19 (top), 18 (bottom), 11 (left) and 13 (right) pixels, with pieces above and below the
  // side middles.
  const TRect piece{3, 2, 40, 31};
  const TbsPieceGeometry frame{{9, 9}, {28, 8}, {9, 20}, {27, 21}, {3, 6, 34, 25}};
  // One-pixel borders and one-pixel middles.
  const TbsPieceGeometry thin{{5, 1}, {6, 1}, {5, 2}, {6, 2}, {1, 1, 36, 28}};
  struct Case {
    const char* name;
    TbsPieceGeometry g;
    TRect SR;
    int W, H;
  } cases[] = {
      {"many times the piece", frame, piece, 311, 203},
      {"a little larger than the piece", frame, piece, 41, 33},
      {"an odd width, rows ending in short runs", frame, piece, 157, 97},
      {"the piece's own size", frame, piece, 37, 29},
      {"smaller than the piece", frame, piece, 30, 20},
      {"smaller than the fixed pieces", frame, piece, 10, 8},
      {"wider only", frame, piece, 250, 29},
      {"taller only", frame, piece, 37, 180},
      {"one-pixel strips and middles", thin, piece, 123, 77},
      {"one-pixel strips, smaller", thin, piece, 20, 9},
      {"a piece whose middles run off its picture", frame, {45, 35, 82, 64}, 140, 90},
  };
  const struct {
    const char* name;
    TbsStretchFlags flags;
  } stretches[] = {
      {"all stretched", {true, true, true, true, false}},
      {"stretched across only", {false, true, false, true, false}},
      {"stretched down only", {true, false, true, false, false}},
      {"all tiled", {}},
  };
  for (const Case& c : cases)
    for (const auto& stretch : stretches) {
      const std::string what = std::string(c.name) + ", " + stretch.name;
      const TbsPieceGeometry ng = ResizedGeometry(c.g, c.SR, c.W, c.H);
      TImage left, top, right, bottom, refLeft, refTop, refRight, refBottom;
      BorderStripImages(c.g, ng, {&left, &top, &right, &bottom}, src, c.SR, c.W, c.H, stretch.flags);
      PixelByPixelStrips(c.g, ng, {&refLeft, &refTop, &refRight, &refBottom}, src, c.SR, c.W, c.H, stretch.flags);
      ExpectSamePicture(top, refTop, what + ": top");
      ExpectSamePicture(bottom, refBottom, what + ": bottom");
      ExpectSamePicture(left, refLeft, what + ": left");
      ExpectSamePicture(right, refRight, what + ": right");
    }
}

TEST(SkinGlyphFrame, CutsOneFrameOfTheStrip) {
  struct Case {
    int width, k, n;
    TRect cut;
  } cases[] = {
      {64, 2, 4, {16, 0, 32, 10}},
      {64, 1, 4, {0, 0, 16, 10}},
      {66, 4, 4, {48, 0, 64, 10}},  // the leftover columns belong to no frame
      {64, 5, 4, {}},               // no such frame
      {64, 0, 4, {}},
      {64, 1, 0, {}},               // no frames at all
      {3, 1, 4, {}},                // frames of no width
  };
  for (const Case& c : cases) EXPECT_EQ(GlyphFrameRect(c.width, 10, c.k, c.n), c.cut) << c.width << " " << c.k;
}

// ---- Text fitting ---------------------------------------------------------------------------

TEST(SkinText, FitsTextWithDotsByDroppingCharactersFromTheEnd) {
  // Letters 10 wide, a dot 3 wide: "abc..." is 39, "abcd..." 49, "..." 9.
  auto width = [](std::string_view s) {
    int w = 0;
    for (char c : s) w += c == '.' ? 3 : 10;
    return w;
  };
  struct Case {
    const char* text;
    int max;
    const char* fitted;
  } cases[] = {
      {"abcdef", 60, "abcdef"}, {"abcdef", 59, "abcde..."}, {"abcdef", 48, "abc..."},
      {"abcdef", 39, "abc..."}, {"abcdef", 19, "a..."},     {"abcdef", 18, "..."},
      {"abcdef", 8, "..."},     {"", 0, ""},                {"ab", -1, "..."},
  };
  for (const Case& c : cases) EXPECT_EQ(FitText(c.text, c.max, width), c.fitted) << c.text << " in " << c.max;

  auto wideWidth = [](std::wstring_view s) { return int(s.size()) * 7; };
  EXPECT_EQ(FitWideText(L"Привет", 42, wideWidth), L"Привет");
  EXPECT_EQ(FitWideText(L"Привет", 41, wideWidth), L"Пр...");
  EXPECT_EQ(FitWideText(L"Привет", 20, wideWidth), L"...");
}

// ---- Dates and versions ---------------------------------------------------------------------

TEST(SkinDates, PartsLeapYearsAndMonthLengths) {
  struct Case {
    double value;
    int year, month, day;
  } cases[] = {
      {0.0, 1899, 12, 30}, {2.75, 1900, 1, 1}, {36585.0, 2000, 2, 29}, {36586.0, 2000, 3, 1}, {-1.5, 1899, 12, 28}, {2958465.0, 9999, 12, 31},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DatePartYear(c.value), c.year) << c.value;
    EXPECT_EQ(DatePartMonth(c.value), c.month) << c.value;
    EXPECT_EQ(DatePartDay(c.value), c.day) << c.value;
  }
  for (double bad : {2958466.0, -693594.0, 1e300, std::nan("")}) EXPECT_THROW(DatePartDay(bad), std::out_of_range);

  struct Year {
    int year;
    bool leap;
  } years[] = {{1900, false}, {2000, true}, {2024, true}, {2023, false}, {2100, false}, {2400, true}};
  for (const Year& y : years) {
    EXPECT_EQ(LeapYear(y.year), y.leap) << y.year;
    EXPECT_EQ(MonthLength(y.year, 2), y.leap ? 29 : 28) << y.year;
  }
  const int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  for (int m = 1; m <= 12; ++m) EXPECT_EQ(MonthLength(2023, m), lengths[m - 1]) << m;
  EXPECT_EQ(MonthLength(2023, 0), 0);
  EXPECT_EQ(MonthLength(2023, 13), 0);
}

TEST(SkinVersions, Windows2000AndXPOrLater) {
  struct Case {
    unsigned major, minor;
    bool win2000, xp;
  } cases[] = {
      {4, 10, false, false}, {5, 0, true, false}, {5, 1, true, true}, {5, 2, true, true},
      {6, 0, true, true},    {10, 0, true, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsWin2000OrLater(c.major, c.minor), c.win2000) << c.major << "." << c.minor;
    EXPECT_EQ(IsWinXPOrLater(c.major, c.minor), c.xp) << c.major << "." << c.minor;
  }
}

}  // namespace
}  // namespace bs
