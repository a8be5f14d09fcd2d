// The frame of the program's own skin: its layout, client area, objects, shape, hit testing and
// size limits at the main window's size.

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "FrameTestSupport.h"
#include "resources/ProgramSkin.h"
#include "skin/frame/bsSkinFormLayout.h"
#include "skin/resources/bsSkinData.h"

using namespace bs;

namespace {

// The main window: client 604 x 529 under a frame of 4, 24, 4 and 6.
constexpr int kW = 612, kH = 559;

struct NamedObject {
  std::string Name;
  TbsPlacedObject Object;
};

class ProgramFrame : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    Skin = new TbsSkinDataCore;
    const auto block = spv::ProgramSkinBlock();
    Skin->LoadFromCompressedData(block.data(), block.size());
  }
  static void TearDownTestSuite() { delete Skin; }

  const TbsFormInfo& Info() const { return Skin->FormInfo; }
  TbsFrameLayout Layout(int W = kW, int H = kH) const {
    return ComputeFrameLayout(Info(), Skin->Picture.Width(), Skin->Picture.Height(), W, H);
  }
  TbsMaskStripImages Strips(const TbsFrameLayout& layout) const {
    TbsMaskStripImages strips;
    BuildMaskStrips(Info(), Skin->MaskPicture.Image, layout, strips);
    return strips;
  }

  // The frame objects the skin describes, as the frame makes them: menu and menu-bar
  // descriptions make none.
  static std::vector<NamedObject> SkinObjects() {
    std::vector<NamedObject> list;
    for (const auto& d : Skin->SkinObjects) {
      if (dynamic_cast<const TbsDataSkinMainMenuBarButton*>(d.get()) ||
          dynamic_cast<const TbsDataSkinMainMenuItem*>(d.get()) || dynamic_cast<const TbsDataSkinMenuItem*>(d.get()))
        continue;
      TbsPlacedObject o;
      if (const auto* b = dynamic_cast<const TbsDataSkinStdButton*>(d.get())) {
        o.Role = TbsPlaceRole::StdButton;
        o.Command = b->Command;
      } else if (dynamic_cast<const TbsDataSkinCaption*>(d.get())) {
        o.Role = TbsPlaceRole::Caption;
      }
      o.InPicture = d->SkinRectInAPicture;
      o.SkinRect = o.ObjectRect = d->SkinRect;
      list.push_back({d->IDName, o});
    }
    return list;
  }
  std::vector<NamedObject> Arranged(const TbsFrameLayout& layout) const {
    std::vector<NamedObject> named = SkinObjects();
    std::vector<TbsPlacedObject> objects;
    for (const NamedObject& n : named) objects.push_back(n.Object);
    ArrangeFrameObjects(Info(), layout, objects);
    for (std::size_t i = 0; i < named.size(); ++i) named[i].Object = objects[i];
    return named;
  }

  static TbsSkinDataCore* Skin;
};
TbsSkinDataCore* ProgramFrame::Skin = nullptr;

}  // namespace

TEST_F(ProgramFrame, TheSkinIsTheOneTheseCasesDescribe) {
  ASSERT_FALSE(Skin->IsEmpty);
  EXPECT_EQ(Skin->Picture.Width(), 179);
  EXPECT_EQ(Skin->Picture.Height(), 134);
  EXPECT_EQ(Skin->MaskPicture.Width(), 179);
  EXPECT_EQ(Skin->MaskPicture.Height(), 134);
  EXPECT_EQ(Info().Corners.ClientRect, (TRect{4, 24, 175, 128}));
  EXPECT_EQ(Info().MaskRectArea, (TRect{4, 14, 176, 131}));
  EXPECT_EQ(Info().ButtonsRect, (TRect{99, 7, 164, 15}));
  EXPECT_EQ(Info().BorderWidth, 3);
}

TEST_F(ProgramFrame, LayoutOfTheMainWindow) {
  TbsFrameLayout expected;
  expected.Width = kW, expected.Height = kH, expected.PicWidth = 179, expected.PicHeight = 134;
  expected.LT = {52, 28}, expected.RT = {74 + 433, 28}, expected.LB = {5, 125 + 425};
  expected.RB = {170 + 433, 123 + 425};
  expected.ClientRect = {4, 24, 175 + 433, 128 + 425};
  expected.CaptionRect = {};
  expected.ButtonsRect = {99 + 433, 7, 164 + 433, 15};
  expected.HTLT = {19, 18}, expected.HTRT = {158 + 433, 19}, expected.HTLB = {7, 125 + 425};
  expected.HTRB = {172 + 433, 125 + 425};
  expected.MaskRect = {4, 14, 176 + 433, 131 + 425};
  EXPECT_EQ(Layout(), expected);
  // At its natural size the frame is the picture's own geometry.
  const TbsFrameLayout natural = Layout(179, 134);
  EXPECT_EQ(natural.RB, Info().Corners.RightBottomPoint);
  EXPECT_EQ(natural.ClientRect, Info().Corners.ClientRect);
  EXPECT_EQ(natural.ButtonsRect, Info().ButtonsRect);
}

TEST_F(ProgramFrame, FrameAroundTheClientArea) {
  struct Case {
    TRect window;
    TRect client;
  } cases[] = {
      {{0, 0, kW, kH}, {4, 24, 608, 553}},
      {{100, 50, 100 + kW, 50 + kH}, {104, 74, 708, 603}},
      {{-300, -20, -300 + kW, -20 + kH}, {-296, 4, 308, 533}},
      // Smaller than the frame itself: right and bottom meet left and top, never cross them.
      {{0, 0, 5, 10}, {4, 24, 4, 24}},
      {{10, 10, 10, 10}, {14, 34, 14, 34}},
      // At the ends of the coordinate range the edges stop there instead of wrapping.
      {{INT_MAX - 2, INT_MAX - 2, INT_MAX, INT_MAX}, {INT_MAX, INT_MAX, INT_MAX, INT_MAX}},
      {{INT_MIN, INT_MIN, INT_MIN + 3, INT_MIN + 3}, {INT_MIN + 4, INT_MIN + 24, INT_MIN + 4, INT_MIN + 24}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(SkinnedClientFromWindow(Info(), 179, 134, c.window), c.client) << c.window.Left << "," << c.window.Top;
}

TEST_F(ProgramFrame, ObjectsOfTheMainWindow) {
  struct Expected {
    const char* name;
    TRect rect;
  } expected[] = {
      {"caption1", {39, 4, 532, 18}},     {"closebutton", {581, 7, 597, 15}}, {"maxbutton", {565, 7, 581, 15}},
      {"minbutton", {549, 7, 565, 15}},   {"rollupbutton", {533, 7, 549, 15}},
      {"sysmenubutton", {20, 6, 35, 13}},
  };
  const std::vector<NamedObject> objects = Arranged(Layout());
  ASSERT_EQ(objects.size(), std::size(expected));
  for (std::size_t i = 0; i < objects.size(); ++i) {
    EXPECT_EQ(objects[i].Name, expected[i].name);
    EXPECT_EQ(objects[i].Object.ObjectRect, expected[i].rect) << expected[i].name;
  }
}

TEST_F(ProgramFrame, SkinRectsMoveWithTheirCornerZones) {
  // At 612 x 559 the right-hand zones move by 433 and the bottom ones by 425.
  struct Case {
    TRect skin, window;
  } cases[] = {
      {{20, 6, 35, 13}, {20, 6, 35, 13}},             // top-left zone: stays
      {{100, 5, 170, 20}, {533, 5, 603, 20}},         // top-right zone: moves right
      {{1, 126, 4, 130}, {1, 551, 4, 555}},           // bottom-left zone: moves down
      {{171, 124, 175, 130}, {604, 549, 608, 555}},   // bottom-right zone: moves both ways
      {{10, 10, 172, 126}, {10, 10, 605, 551}},       // top-left to bottom-right: stretches both ways
      {{39, 4, 99, 18}, {39, 4, 532, 18}},            // top-left to top-right: stretches across
      {{2, 126, 172, 130}, {2, 551, 605, 555}},       // bottom-left to bottom-right: across and down
      {{2, 10, 4, 126}, {2, 10, 4, 551}},             // top-left to bottom-left: stretches down
      {{171, 10, 175, 126}, {604, 10, 608, 551}},     // top-right to bottom-right: right and down
      {{60, 60, 70, 70}, {60, 60, 70, 70}},           // in no zone: stays
      {{10, 10, 60, 20}, {10, 10, 60, 20}},           // top-left to no zone: stays
      // A corner on a zone's right or bottom edge lies outside it: the picture's own right
      // edge is in no zone, so a rect reaching it stays.
      {{80, 0, 179, 28}, {80, 0, 179, 28}},
      {{80, 0, 178, 27}, {513, 0, 611, 27}},
  };
  const TbsFrameLayout layout = Layout();
  for (const Case& c : cases)
    EXPECT_EQ(MapSkinRect(Info(), layout, c.skin), c.window) << c.skin.Left << "," << c.skin.Top;
}

TEST_F(ProgramFrame, ShapeFollowsTheRoundedCornersOfTheMask) {
  const TbsFrameLayout layout = Layout();
  const TbsMaskStripImages strips = Strips(layout);
  struct Case {
    TPoint p;
    bool inside;
  } cases[] = {
      // Top-left corner: the mask's own pixels.
      {{0, 0}, false}, {{2, 0}, false}, {{3, 0}, true}, {{0, 1}, false}, {{1, 1}, true}, {{0, 2}, false},
      {{0, 3}, true},
      // Top edge, tiled across, and the top-right corner moved to the right edge.
      {{300, 0}, true}, {{608, 0}, true}, {{609, 0}, false}, {{611, 0}, false}, {{610, 1}, true}, {{611, 1}, false},
      // The first row of the mask rect outside it belongs to the side strips.
      {{0, 14}, true}, {{611, 14}, true},
      // Bottom corners moved down (and right).
      {{0, 557}, false}, {{1, 557}, true}, {{1, 558}, false}, {{2, 558}, true},
      {{610, 557}, true}, {{611, 557}, false}, {{609, 558}, true}, {{610, 558}, false},
      // Inside the mask rect, and outside the window.
      {{300, 300}, true}, {{-1, 0}, false}, {{kW, 300}, false}, {{300, kH}, false}, {{-1, 300}, false},
      {{INT_MAX, INT_MAX}, false}, {{INT_MIN, INT_MIN}, false}, {{INT_MAX, 300}, false}, {{INT_MIN, 300}, false},
      {{300, INT_MIN}, false},
  };
  for (const Case& c : cases) EXPECT_EQ(PointInShape(layout, strips, c.p), c.inside) << c.p.X << "," << c.p.Y;
}

TEST_F(ProgramFrame, MaskStripsCoverTheFrameOutsideTheMaskRect) {
  const TbsFrameLayout layout = Layout();
  TbsMaskStripImages strips = Strips(layout);
  struct {
    const TImage& strip;
    int w, h;
  } sizes[] = {{strips.Top, kW, 14}, {strips.Bottom, kW, 3}, {strips.Left, 4, 542}, {strips.Right, 3, 542}};
  for (const auto& s : sizes) {
    EXPECT_EQ(s.strip.Width(), s.w);
    EXPECT_EQ(s.strip.Height(), s.h);
  }
  // Without a mask picture the strips of an earlier shape are dropped, and only the mask rect
  // is inside.
  BuildMaskStrips(Info(), TImage(), layout, strips);
  EXPECT_TRUE(strips.Empty());
  EXPECT_TRUE(PointInShape(layout, strips, {300, 300}));
  EXPECT_FALSE(PointInShape(layout, strips, {300, 0}));
  // A frame past the window coordinate range gets no strips either.
  BuildMaskStrips(Info(), Skin->MaskPicture.Image, Layout(40000, kH), strips);
  EXPECT_TRUE(strips.Empty());
}

TEST_F(ProgramFrame, HitTestOfTheMainWindow) {
  const TbsFrameLayout layout = Layout();
  const TbsMaskStripImages strips = Strips(layout);
  const TRect caption{39, 4, 532, 18};
  enum State { Normal, Maximized, RolledUp, Minimized, Hot, HotSizing, Fixed };
  struct Case {
    TPoint p;
    State state;
    int code;
  } cases[] = {
      {{2, 279}, Normal, hcLeft},  // 2 pixels inside the left edge, halfway down
      {{609, 279}, Normal, hcRight},
      {{300, 1}, Normal, hcTop},
      {{300, 557}, Normal, hcBottom},
      {{1, 1}, Normal, hcTopLeft},
      {{610, 1}, Normal, hcTopRight},
      {{1, 557}, Normal, hcBottomLeft},
      {{610, 557}, Normal, hcBottomRight},
      {{3, 279}, Normal, hcObject},
      // In the top band but outside the caption, the buttons and the sizing zone: nothing.
      {{20, 20}, Normal, hcObject},
      {{5, 5}, Normal, hcObject},
      {{300, 300}, Normal, hcClient},
      {{100, 10}, Normal, hcCaption},
      // A maximised, minimised or fixed frame has no sizing edges.
      {{2, 279}, Maximized, hcObject},
      {{1, 1}, Maximized, hcObject},
      {{300, 557}, Maximized, hcObject},
      {{300, 300}, Maximized, hcClient},
      {{100, 10}, Maximized, hcCaption},
      {{2, 279}, Fixed, hcObject},
      {{610, 557}, Fixed, hcObject},
      // Rolled up or minimised there is no client area either.
      {{300, 300}, RolledUp, hcObject},
      {{2, 279}, RolledUp, hcObject},
      {{100, 10}, RolledUp, hcCaption},
      {{300, 300}, Minimized, hcObject},
      // A hot object keeps the frame to itself, except over the caption and the client area
      // and during a size or move.
      {{2, 279}, Hot, hcObject},
      {{100, 10}, Hot, hcCaption},
      {{300, 300}, Hot, hcClient},
      {{2, 279}, HotSizing, hcLeft},
  };
  for (const Case& c : cases) {
    TbsSkinnedHitInput in;
    in.Layout = &layout;
    in.BorderWidth = Info().BorderWidth;
    in.CaptionRects = {&caption, 1};
    in.Sizeable = c.state != Fixed;
    in.Maximized = c.state == Maximized;
    in.RolledUp = c.state == RolledUp;
    in.Minimized = c.state == Minimized;
    in.ObjectHot = c.state == Hot || c.state == HotSizing;
    in.InSizeMove = c.state == HotSizing;
    // The skin's rounded corners lie within the border width of the window's edges, so these
    // points hit the same with and without its mask.
    in.Mask = &strips;
    EXPECT_EQ(SkinnedHitTest(in, c.p), c.code) << c.p.X << "," << c.p.Y << " state " << c.state;
    in.Mask = nullptr;
    EXPECT_EQ(SkinnedHitTest(in, c.p), c.code) << c.p.X << "," << c.p.Y << " state " << c.state << ", no mask";
  }
}

TEST_F(ProgramFrame, SizeLimits) {
  enum State { Normal, Minimized, RolledUp };
  struct Case {
    bool skinned;
    int formMinWidth, minWidth, minHeight;
    State state;
    int width, height;
  } cases[] = {
      {true, 0, 0, 0, Normal, 179, 30},  // the picture's width and its frame's height
      {true, 0, 0, 0, RolledUp, 179, 30},
      {true, 0, 300, 100, Normal, 300, 100},
      {true, 0, 150, 20, Normal, 179, 30},   // limits below the skin's do not lower them
      {true, 0, 300, 100, RolledUp, 300, 30},  // rolled up it is exactly the frame high
      {true, 0, 300, 100, Minimized, 179, 30},
      {true, 200, 0, 0, Normal, 200, 30},
      {true, 200, 300, 0, Normal, 300, 30},
      {true, 200, 300, 0, Minimized, 200, 30},
      {false, 0, 0, 0, Normal, 120, 25},  // the built-in frame: 120 wide, caption + 6 high
      {false, 0, -5, 0, Normal, 120, 25},
      {false, 0, 50, 40, Normal, 50, 40},
      {false, 0, 50, 40, RolledUp, 50, 25},
      {false, 0, 50, 10, Normal, 50, 25},
  };
  for (const Case& c : cases) {
    TbsSizeLimitsInput in;
    in.Skinned = c.skinned;
    in.PicWidth = Skin->Picture.Width(), in.PicHeight = Skin->Picture.Height();
    in.SkinClientRect = Info().Corners.ClientRect;
    in.FormMinWidth = c.formMinWidth;
    in.BuiltInCaptionHeight = BuiltInCaptionHeight(false);
    in.MinWidth = c.minWidth, in.MinHeight = c.minHeight;
    in.Minimized = c.state == Minimized, in.RolledUp = c.state == RolledUp;
    EXPECT_EQ(FrameMinWidth(in), c.width) << c.skinned << " " << c.minWidth << " " << c.state;
    EXPECT_EQ(FrameMinHeight(in), c.height) << c.skinned << " " << c.minHeight << " " << c.state;
  }
}
