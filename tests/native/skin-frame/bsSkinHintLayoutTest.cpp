#include "skin/frame/bsSkinHintLayout.h"

#include <gtest/gtest.h>

namespace bs {
namespace {

// The program's hint picture: 69 x 27, client (6, 6, 64, 17).
const TbsHintPiece kHint{{{6, 7}, {62, 7}, {6, 16}, {41, 16}, {6, 6, 64, 17}}, 69, 27};

TEST(HintGeometry, SizesFollowTheTextWithinThePicturesBorders) {
  struct Case {
    int tw, th;
    bool skinned;
    int w, h;
  } cases[] = {
      {100, 16, true, 111, 32},
      {30, 16, true, 69, 32},  // raised to the picture's width
      {10, 2, true, 69, 27},   // and height
      {100, 16, false, 104, 20},
      {0, 0, false, 4, 4},
  };
  for (const Case& c : cases) {
    const TbsHintGeometry g = HintGeometry(c.tw, c.th, c.skinned ? &kHint : nullptr);
    EXPECT_EQ(g.Width, c.w) << c.tw << "x" << c.th;
    EXPECT_EQ(g.Height, c.h) << c.tw << "x" << c.th;
  }
}

TEST(HintGeometry, PointsMoveWithTheSize) {
  const TbsHintGeometry g = HintGeometry(100, 16, &kHint);
  EXPECT_EQ(g.ClientRect, (TRect{6, 6, 106, 22}));
  EXPECT_EQ(g.LeftTopPoint, (TPoint{6, 7}));
  EXPECT_EQ(g.RightTopPoint, (TPoint{104, 7}));
  EXPECT_EQ(g.LeftBottomPoint, (TPoint{6, 21}));
  EXPECT_EQ(g.RightBottomPoint, (TPoint{83, 21}));
  EXPECT_EQ(HintTextOrigin(g.ClientRect, 100, 16), (TPoint{6, 6}));
  EXPECT_EQ(HintTextOrigin(HintGeometry(30, 16, &kHint).ClientRect, 30, 16), (TPoint{6 + 29 - 15, 6}));
}

TEST(HintPlacement, StaysOnTheScreen) {
  struct Case {
    TPoint at, to;
  } cases[] = {
      {{100, 100}, {100, 100}},
      {{1000, 100}, {1000 - 113, 100}},  // 1000 + 111 passes 1024
      {{913, 100}, {913, 100}},          // ends exactly at the edge
      {{914, 100}, {914 - 113, 100}},
      {{100, 750}, {100, 750 - 34}},
      {{1000, 750}, {1000 - 113, 750 - 34}},
  };
  for (const Case& c : cases) EXPECT_EQ(PlaceHint(c.at, 111, 32, 1024, 768), c.to) << c.at.X << "," << c.at.Y;
}

}  // namespace
}  // namespace bs
