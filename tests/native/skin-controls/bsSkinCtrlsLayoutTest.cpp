#include "skin/controls/bsSkinCtrlsLayout.h"

#include <gtest/gtest.h>

namespace bs {
namespace {

// The program's push button: a 69 x 24 piece cut in three along X.
const TbsSkinPiece kButton{{{17, 9}, {51, 9}, {0, 0}, {0, 0}, {6, 5, 63, 19}}, {130, 5, 199, 29}};
// A 40 x 30 frame cut in nine.
const TbsSkinPiece kFrame{{{5, 5}, {35, 5}, {5, 25}, {35, 25}, {5, 5, 35, 25}}, {0, 0, 40, 30}};

TEST(SkinSizingKind, FollowsThePointsInOrder) {
  struct Case {
    TPoint rt, lb, rb;
    TRect skin;
    TbsSizingKind kind;
  } cases[] = {
      {{51, 9}, {0, 0}, {0, 0}, {0, 0, 69, 24}, skWidthOnly},
      {{51, 9}, {5, 20}, {51, 20}, {0, 0, 69, 24}, skBoth},
      {{0, 0}, {0, 20}, {0, 0}, {0, 0, 69, 24}, skHeightOnly},
      {{0, 0}, {0, 0}, {4, 0}, {0, 0, 69, 24}, skFixed},  // one coordinate of the right-bottom is not enough
      {{51, 9}, {0, 0}, {51, 20}, {0, 0, 69, 0}, skNoPiece},
      {{51, 9}, {0, 0}, {0, 0}, {10, 0, 5, 24}, skNoPiece},
  };
  for (const Case& c : cases) {
    TbsSkinPiece p{{{17, 9}, c.rt, c.lb, c.rb, {}}, c.skin};
    EXPECT_EQ(SizingKindOf(p), c.kind) << c.rt.X << "," << c.lb.Y << "," << c.rb.X;
  }
}

TEST(SkinFitSize, WidthOnlyKeepsTheWidthAndTakesThePieceHeight) {
  int W = 121, H = 25;
  TbsSizedPiece s;
  FitPieceToSize(SizingKindOf(kButton), kButton, W, H, s);
  EXPECT_EQ(W, 121);
  EXPECT_EQ(H, 24);
  EXPECT_EQ(s.RightTopPoint, (TPoint{103, 9}));
  EXPECT_EQ(s.ClientRect, (TRect{6, 5, 115, 19}));
}

TEST(SkinFitSize, EachKindMovesWhatFollowsTheSize) {
  int W = 60, H = 50;
  TbsSizedPiece s;
  FitPieceToSize(skBoth, kFrame, W, H, s);
  EXPECT_EQ((std::pair{W, H}), (std::pair{60, 50}));
  EXPECT_EQ(s.RightTopPoint, (TPoint{55, 5}));
  EXPECT_EQ(s.LeftBottomPoint, (TPoint{5, 45}));
  EXPECT_EQ(s.RightBottomPoint, (TPoint{55, 45}));
  EXPECT_EQ(s.ClientRect, (TRect{5, 5, 55, 45}));

  W = 60, H = 50;
  FitPieceToSize(skHeightOnly, kFrame, W, H, s);
  EXPECT_EQ((std::pair{W, H}), (std::pair{40, 50}));
  EXPECT_EQ(s.LeftBottomPoint, (TPoint{5, 45}));
  EXPECT_EQ(s.ClientRect, (TRect{5, 5, 35, 45}));

  W = 60, H = 50;
  FitPieceToSize(skFixed, kFrame, W, H, s);
  EXPECT_EQ((std::pair{W, H}), (std::pair{40, 30}));
  EXPECT_EQ(s.ClientRect, kFrame.ClientRect);

  W = 60, H = 50;
  TbsSizedPiece untouched{{1, 1}, {2, 2}, {3, 3}, {4, 4}, {1, 2, 3, 4}};
  FitPieceToSize(skNoPiece, kFrame, W, H, untouched);
  EXPECT_EQ((std::pair{W, H}), (std::pair{60, 50}));
  EXPECT_EQ(untouched.ClientRect, (TRect{1, 2, 3, 4}));
}

TEST(SkinPlaceRect, PartsSpanningTheMiddleGrowAndPartsBeyondItMove) {
  struct Case {
    TbsSizingKind kind;
    TRect in, out;
  } cases[] = {
      // width only, 20 pixels wider
      {skWidthOnly, {6, 5, 63, 19}, {6, 5, 83, 19}},
      {skWidthOnly, {55, 2, 60, 8}, {75, 2, 80, 8}},
      {skWidthOnly, {2, 2, 10, 8}, {2, 2, 10, 8}},
      {skWidthOnly, {20, 2, 40, 8}, {20, 2, 40, 8}},  // inside the middle: stays
      // height only, 20 pixels taller
      {skHeightOnly, {2, 2, 8, 30}, {2, 2, 8, 50}},
      {skHeightOnly, {2, 26, 8, 29}, {2, 46, 8, 49}},
      // nine parts, 20 wider and 20 taller
      {skBoth, {1, 1, 4, 4}, {1, 1, 4, 4}},
      {skBoth, {36, 1, 39, 4}, {56, 1, 59, 4}},
      {skBoth, {1, 26, 4, 29}, {1, 46, 4, 49}},
      {skBoth, {36, 26, 39, 29}, {56, 46, 59, 49}},
      {skBoth, {2, 2, 38, 28}, {2, 2, 58, 48}},  // left-top to right-bottom
      {skBoth, {2, 1, 38, 4}, {2, 1, 58, 4}},    // along the top
      {skBoth, {2, 26, 38, 29}, {2, 46, 58, 49}},  // along the bottom
      {skBoth, {1, 2, 4, 28}, {1, 2, 4, 48}},    // down the left
      {skBoth, {36, 2, 39, 28}, {56, 2, 59, 48}},  // down the right
      {skBoth, {10, 10, 20, 20}, {10, 10, 20, 20}},  // the middle stays
      {skFixed, {2, 2, 38, 28}, {2, 2, 38, 28}},
  };
  for (const Case& c : cases) {
    const TbsSkinPiece& p = c.kind == skWidthOnly ? kButton : kFrame;
    const int W = p.SkinRect.Width() + 20, H = p.SkinRect.Height() + 20;
    const TRect r = PlaceSkinRect(c.kind, p, W, H, c.in);
    EXPECT_EQ(r, c.out) << int(c.kind) << ": " << c.in.Left << "," << c.in.Top << "," << c.in.Right << ","
                        << c.in.Bottom << " -> " << r.Left << "," << r.Top << "," << r.Right << "," << r.Bottom;
  }
}

TEST(GlyphAndText, PlacesByLayoutAndMargin) {
  const TRect R{0, 0, 100, 40};  // cx 50, cy 20
  struct Case {
    TbsButtonLayout layout;
    int margin, spacing, gw, gh, tw, th;
    bool pressed;
    TPoint glyph, text;
  } cases[] = {
      // centred: A = (16 + 30 + 4) div 2 = 25, B = (16 + 12 + 4) div 2 = 16
      {TbsButtonLayout::blGlyphLeft, -1, 4, 16, 16, 30, 12, false, {25, 12}, {45, 14}},
      {TbsButtonLayout::blGlyphRight, -1, 4, 16, 16, 30, 12, false, {59, 12}, {25, 14}},
      {TbsButtonLayout::blGlyphTop, -1, 4, 16, 16, 30, 12, false, {42, 4}, {35, 24}},
      {TbsButtonLayout::blGlyphBottom, -1, 4, 16, 16, 30, 12, false, {42, 20}, {35, 4}},
      // with a margin of 3
      {TbsButtonLayout::blGlyphLeft, 3, 4, 16, 16, 30, 12, false, {3, 12}, {23, 14}},
      {TbsButtonLayout::blGlyphRight, 3, 4, 16, 16, 30, 12, false, {81, 12}, {47, 14}},
      {TbsButtonLayout::blGlyphTop, 3, 4, 16, 16, 30, 12, false, {42, 3}, {35, 23}},
      {TbsButtonLayout::blGlyphBottom, 3, 4, 16, 16, 30, 12, false, {42, 21}, {35, 5}},
      // no glyph, spacing 1: text x = cx + (tw + 1) div 2 - tw, one pixel right of the centre
      {TbsButtonLayout::blGlyphLeft, -1, 1, 0, 0, 31, 12, false, {34, 20}, {35, 14}},
      // pressed: both move by one pixel
      {TbsButtonLayout::blGlyphLeft, -1, 1, 0, 0, 31, 12, true, {35, 21}, {36, 15}},
  };
  for (const Case& c : cases) {
    const TbsGlyphTextPlace p = PlaceGlyphAndText(R, c.layout, c.margin, c.spacing, c.gw, c.gh, c.tw, c.th, c.pressed);
    EXPECT_EQ(p.Glyph, c.glyph) << int(c.layout) << " margin " << c.margin;
    EXPECT_EQ(p.Text, c.text) << int(c.layout) << " margin " << c.margin;
  }
}

TEST(GlyphAndText, HalfSumsTruncateTowardZero) {
  // A negative spacing makes the half sum negative: (0 + 0 - 3) div 2 is -1, not -2.
  const TbsGlyphTextPlace p = PlaceGlyphAndText({0, 0, 10, 10}, TbsButtonLayout::blGlyphLeft, -1, -3, 0, 0, 0, 0, false);
  EXPECT_EQ(p.Glyph, (TPoint{6, 5}));
  EXPECT_EQ(p.Text, (TPoint{4, 5}));
}

TEST(GlyphFrame, PicksTheFrameOfTheState) {
  struct Case {
    bool down, active, enabled;
    int n, frame;
  } cases[] = {
      {true, true, true, 3, 3}, {true, true, true, 2, 1},  {false, true, true, 4, 4}, {false, true, true, 3, 1},
      {false, false, false, 2, 2}, {false, false, false, 1, 1}, {true, false, false, 4, 2}, {false, false, true, 4, 1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(GlyphFrameFor(c.down, c.active, c.enabled, c.n), c.frame)
        << c.down << c.active << c.enabled << " n=" << c.n;
}

}  // namespace
}  // namespace bs
