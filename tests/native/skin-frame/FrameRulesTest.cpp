// The frame's geometry rules on small made-up skins: where the buttons rect goes, the button
// row in each of its variants, the built-in look, the shape's part in hit testing, the size
// limits, magnetic edges and values at the ends of the int range.

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "FrameTestSupport.h"
#include "skin/frame/bsSkinFormLayout.h"
#include "skin/resources/bsSkinData.h"

using namespace bs;

namespace {

using Cmd = TbsStdCommand;

TbsPlacedObject Object(TbsPlaceRole role, Cmd command, bool inPicture, TRect skin, bool visible = true) {
  TbsPlacedObject o;
  o.Role = role, o.Command = command, o.InPicture = inPicture, o.SkinRect = skin, o.Visible = visible;
  o.ObjectRect = {-7, -7, -7, -7};  // shows which objects were not placed
  return o;
}
TbsPlacedObject Button(Cmd command, TRect skin, bool visible = true) {
  return Object(TbsPlaceRole::StdButton, command, true, skin, visible);
}

constexpr TRect kUnplaced{-7, -7, -7, -7};

}  // namespace

TEST(FrameLayout, ButtonsRectMovesOnlyFromTheRightHalf) {
  struct Case {
    int picWidth;
    TRect buttons, placed;
  } cases[] = {
      {179, {89, 7, 120, 15}, {89, 7, 120, 15}},  // exactly at the middle: stays
      {179, {90, 7, 120, 15}, {190, 7, 220, 15}},
      {179, {10, 7, 40, 15}, {10, 7, 40, 15}},
      {179, {120, 7, 120, 15}, {120, 7, 120, 15}},  // empty: stays
      {180, {90, 7, 120, 15}, {90, 7, 120, 15}},
      {180, {91, 7, 120, 15}, {191, 7, 220, 15}},
  };
  for (const Case& c : cases) {
    TbsFormInfo info;
    info.ButtonsRect = c.buttons;
    EXPECT_EQ(ComputeFrameLayout(info, c.picWidth, 50, c.picWidth + 100, 80).ButtonsRect, c.placed)
        << c.picWidth << " " << c.buttons.Left;
  }
  TbsFormInfo info;
  info.CaptionRect = {5, 2, 95, 18};
  EXPECT_EQ(ComputeFrameLayout(info, 100, 50, 200, 80).CaptionRect, (TRect{5, 2, 195, 18}));
  info.CaptionRect = {5, 2, 5, 18};
  EXPECT_EQ(ComputeFrameLayout(info, 100, 50, 200, 80).CaptionRect, (TRect{5, 2, 5, 18}));
}

// A 100 x 50 picture with a caption rect along its top, laid out 200 x 80 (100 wider, 30 higher).
TEST(FrameObjects, ButtonRowVariants) {
  enum Area { CaptionArea, ButtonsArea, NoArea };
  struct Case {
    const char* what;
    Area area;
    bool inLeft;
    int iconSize;  // the system-menu button drawn as the form's icon
    // caption, custom, min, close, second close, hidden max, system menu, user, custom off the row
    TRect rects[9];
  } cases[] = {
      {"from the right in the caption rect", CaptionArea, false, 0,
       {{13, 2, 165, 18}, {165, 2, 171, 8}, {173, 2, 183, 10}, {185, 2, 195, 10}, kUnplaced, kUnplaced,
        {5, 6, 13, 14}, {192, 72, 198, 78}, {20, 2, 26, 8}}},
      {"with the icon for the system menu", CaptionArea, false, 16,
       {{21, 2, 165, 18}, {165, 2, 171, 8}, {173, 2, 183, 10}, {185, 2, 195, 10}, kUnplaced, kUnplaced,
        {5, 2, 21, 18}, {192, 72, 198, 78}, {20, 2, 26, 8}}},
      {"from the left in the caption rect", CaptionArea, true, 0,
       {{45, 2, 195, 18}, {29, 2, 35, 8}, {17, 2, 27, 10}, {5, 2, 15, 10}, kUnplaced, kUnplaced,
        {37, 2, 45, 10}, {192, 72, 198, 78}, {20, 2, 26, 8}}},
      {"from the right in the buttons rect", ButtonsArea, false, 0,
       {{13, 2, 195, 18}, {158, 2, 164, 8}, {166, 2, 176, 10}, {178, 2, 188, 10}, kUnplaced, kUnplaced,
        {5, 6, 13, 14}, {192, 72, 198, 78}, {20, 2, 26, 8}}},
      {"from the left in the buttons rect", ButtonsArea, true, 0,
       {{13, 2, 195, 18}, {184, 2, 190, 8}, {172, 2, 182, 10}, {160, 2, 170, 10}, kUnplaced, kUnplaced,
        {5, 6, 13, 14}, {192, 72, 198, 78}, {20, 2, 26, 8}}},
      {"without buttons or caption rect", NoArea, false, 0,
       {{5, 2, 195, 18}, kUnplaced, kUnplaced, kUnplaced, kUnplaced, kUnplaced, kUnplaced, {192, 72, 198, 78},
        {20, 2, 26, 8}}},
  };
  for (const Case& c : cases) {
    TbsFormInfo info;
    info.Corners.LeftTopPoint = {10, 20}, info.Corners.RightTopPoint = {90, 20};
    info.Corners.LeftBottomPoint = {10, 40}, info.Corners.RightBottomPoint = {90, 40};
    info.Corners.ClientRect = {3, 20, 97, 47};
    if (c.area != NoArea) info.CaptionRect = {5, 2, 95, 18};
    if (c.area == ButtonsArea) info.ButtonsRect = {60, 2, 88, 12};
    info.ButtonsOffset = 2;
    info.ButtonsInLeft = c.inLeft;
    std::vector<TbsPlacedObject> objects = {
        Object(TbsPlaceRole::Caption, Cmd::cmDefault, false, {5, 2, 95, 18}),
        Button(Cmd::cmDefault, {0, 0, 6, 6}),
        Button(Cmd::cmMinimize, {0, 0, 10, 8}),
        Button(Cmd::cmClose, {0, 0, 10, 8}),
        Button(Cmd::cmClose, {0, 0, 12, 8}),  // only the first button of a command is placed
        Button(Cmd::cmMaximize, {0, 0, 10, 8}, false),
        Button(Cmd::cmSysMenu, {0, 0, 8, 8}),
        Object(TbsPlaceRole::Other, Cmd::cmDefault, false, {92, 42, 98, 48}),
        Object(TbsPlaceRole::StdButton, Cmd::cmDefault, false, {20, 2, 26, 8}),
    };
    objects[6].IconWidth = objects[6].IconHeight = c.iconSize;
    ArrangeFrameObjects(info, ComputeFrameLayout(info, 100, 50, 200, 80), objects);
    for (std::size_t i = 0; i < objects.size(); ++i)
      EXPECT_EQ(objects[i].ObjectRect, c.rects[i]) << c.what << ", object " << i;
  }
}

TEST(BuiltInLook, ButtonsAndCaptionBand) {
  struct Case {
    const char* what;
    int W;
    bool toolWindow;
    bool visible[6];  // close, max, min, roll up, tray, system menu
    int iconSize;
    TRect rects[6];
    TRect band;
  } cases[] = {
      {"all buttons", 400, false, {true, true, true, true, true, true}, 0,
       {{379, 4, 396, 21}, {362, 4, 379, 21}, {345, 4, 362, 21}, {328, 4, 345, 21}, {311, 4, 328, 21}, {3, 4, 20, 21}},
       {22, 3, 311, 22}},
      {"tool window", 400, true, {true, true, true, true, true, true}, 0,
       {{383, 4, 396, 17}, {370, 4, 383, 17}, {357, 4, 370, 17}, {344, 4, 357, 17}, {331, 4, 344, 17}, {3, 4, 16, 17}},
       {18, 3, 331, 18}},
      {"a dialog's close button", 400, false, {true, false, false, false, false, false}, 0,
       {{379, 4, 396, 21}, kUnplaced, kUnplaced, kUnplaced, kUnplaced, kUnplaced},
       {5, 3, 379, 22}},
      {"no buttons", 400, false, {false, false, false, false, false, false}, 0,
       {kUnplaced, kUnplaced, kUnplaced, kUnplaced, kUnplaced, kUnplaced},
       {5, 3, 397, 22}},
      {"the icon for the system menu", 400, false, {true, false, true, false, false, true}, 16,
       {{379, 4, 396, 21}, kUnplaced, {362, 4, 379, 21}, kUnplaced, kUnplaced, {3, 4, 19, 20}},
       {21, 3, 362, 22}},
      // Narrower than its buttons: the band closes up rather than turning inside out.
      {"a narrow frame", 60, false, {true, true, true, true, true, true}, 0,
       {{39, 4, 56, 21}, {22, 4, 39, 21}, {5, 4, 22, 21}, {-12, 4, 5, 21}, {-29, 4, -12, 21}, {3, 4, 20, 21}},
       {22, 3, 22, 22}},
  };
  const Cmd commands[6] = {Cmd::cmClose, Cmd::cmMaximize, Cmd::cmMinimize, Cmd::cmRollUp, Cmd::cmMinimizeToTray,
                           Cmd::cmSysMenu};
  for (const Case& c : cases) {
    // Listed in another order than the row's: the row follows the commands, not the list.
    std::vector<TbsPlacedObject> objects;
    for (int i : {5, 4, 3, 2, 1, 0}) objects.push_back(Button(commands[i], {0, 0, 1, 1}, c.visible[i]));
    objects.front().IconWidth = objects.front().IconHeight = c.iconSize;
    EXPECT_EQ(ArrangeBuiltInButtons(c.W, c.toolWindow, objects), c.band) << c.what;
    for (int i = 0; i < 6; ++i)
      EXPECT_EQ(objects[std::size_t(5 - i)].ObjectRect, c.rects[i]) << c.what << ", button " << i;
  }
}

TEST(BuiltInLook, HitTest) {
  enum State { Normal, Maximized, RolledUp, Fixed, Hot, HotFixed };
  struct Case {
    TPoint p;
    State state;
    int code;
  } cases[] = {
      {{0, 0}, Normal, hcTopLeft},       {{2, 2}, Normal, hcTopLeft},        {{399, 0}, Normal, hcTopRight},
      {{397, 2}, Normal, hcTopRight},    {{0, 299}, Normal, hcBottomLeft},   {{399, 299}, Normal, hcBottomRight},
      {{1, 150}, Normal, hcLeft},        {{200, 1}, Normal, hcTop},          {{397, 150}, Normal, hcRight},
      {{200, 298}, Normal, hcBottom},    {{3, 150}, Normal, hcClient},       {{396, 150}, Normal, hcClient},
      {{3, 3}, Normal, hcObject},        {{10, 10}, Normal, hcObject},       {{100, 10}, Normal, hcCaption},
      {{200, 150}, Normal, hcClient},    {{200, 296}, Normal, hcClient},     {{200, 297}, Normal, hcBottom},
      {{1, 150}, Maximized, hcObject},   {{0, 0}, Maximized, hcObject},      {{100, 10}, Maximized, hcCaption},
      {{200, 150}, Maximized, hcClient}, {{1, 150}, RolledUp, hcObject},     {{1, 150}, Fixed, hcObject},
      {{100, 10}, Fixed, hcCaption},     {{1, 150}, Hot, hcObject},          {{100, 10}, Hot, hcObject},
      {{100, 10}, HotFixed, hcCaption},
  };
  for (const Case& c : cases) {
    TbsBuiltInHitInput in;
    in.Width = 400, in.Height = 300, in.CaptionHeight = 19;
    in.CaptionBand = {22, 3, 311, 22};
    in.Maximized = c.state == Maximized, in.RolledUp = c.state == RolledUp;
    in.Sizeable = c.state != Fixed && c.state != HotFixed;
    in.ObjectHot = c.state == Hot || c.state == HotFixed;
    EXPECT_EQ(BuiltInHitTest(in, c.p), c.code) << c.p.X << "," << c.p.Y << " state " << c.state;
  }
  EXPECT_EQ(BuiltInClientFromWindow(19, {0, 0, 400, 300}), (TRect{3, 22, 397, 297}));
  EXPECT_EQ(BuiltInClientFromWindow(15, {10, 20, 410, 320}), (TRect{13, 38, 407, 317}));
  EXPECT_EQ(BuiltInClientFromWindow(19, {10, 10, 14, 20}), (TRect{13, 32, 13, 32}));
}

// A 20 x 20 frame whose mask cuts a notch out of the top-left corner: a point near the notch
// sizes the window although it lies well inside the window's rectangle.
TEST(FrameShape, MaskMakesTheSizingEdge) {
  TbsFormInfo info;
  info.Corners.LeftTopPoint = {5, 5}, info.Corners.RightTopPoint = {15, 5}, info.Corners.LeftBottomPoint = {5, 15};
  info.Corners.RightBottomPoint = {15, 15};
  info.Corners.ClientRect = info.MaskRectArea = {3, 3, 17, 17};
  info.HitTestLeftTopPoint = {6, 6}, info.HitTestRightTopPoint = {14, 6};
  info.HitTestLeftBottomPoint = {6, 14}, info.HitTestRightBottomPoint = {14, 14};
  TImage mask(20, 20);  // black: all inside
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) mask.At(x, y) = {255, 255, 255};
  const TbsFrameLayout layout = ComputeFrameLayout(info, 20, 20, 20, 20);
  TbsMaskStripImages strips;
  BuildMaskStrips(info, mask, layout, strips);
  EXPECT_FALSE(PointInShape(layout, strips, {4, 2}));
  EXPECT_TRUE(PointInShape(layout, strips, {5, 2}));
  EXPECT_TRUE(PointInShape(layout, strips, {2, 3}));  // the side strip's first row

  TbsSkinnedHitInput in;
  in.Layout = &layout;
  in.BorderWidth = 2;
  in.Sizeable = true;
  in.Mask = &strips;
  EXPECT_EQ(SkinnedHitTest(in, {6, 2}), hcTopLeft);
  EXPECT_EQ(SkinnedHitTest(in, {8, 2}), hcObject);
  // Inside the mask rect nothing sizes, however close the notch.
  EXPECT_EQ(SkinnedHitTest(in, {4, 3}), hcClient);
  in.Mask = nullptr;
  EXPECT_EQ(SkinnedHitTest(in, {6, 2}), hcObject);
}

TEST(FrameLimits, MaximumIsTheAreaOrTheComponentsLimit) {
  struct Case {
    int limit, area, max;
  } cases[] = {{0, 1920, 1920}, {800, 1920, 800}, {3000, 1920, 1920}, {-5, 1920, 1920}};
  for (const Case& c : cases) {
    TbsSizeLimitsInput in;
    in.MaxWidth = in.MaxHeight = c.limit;
    EXPECT_EQ(FrameMaxWidth(in, c.area), c.max) << c.limit;
    EXPECT_EQ(FrameMaxHeight(in, c.area), c.max) << c.limit;
  }
}

TEST(MagneticEdges, SnapHoldAndLetGo) {
  const TRect area{0, 0, 1920, 1200};
  struct Step {
    TPoint proposed, pointer, placed;
  } steps[] = {
      {{100, 100}, {150, 110}, {100, 100}},    // far from every edge
      {{4, 100}, {54, 110}, {0, 100}},         // the left edge snaps
      {{1, 100}, {51, 110}, {0, 100}},
      {{7, 120}, {57, 130}, {0, 120}},         // held: the pointer moved 3 across, any amount along
      {{9, 120}, {59, 130}, {0, 120}},         // held while it has moved no more than 5
      {{10, 120}, {60, 130}, {10, 120}},       // the pointer moved 6 from the snap: let go
      {{1517, 897}, {1567, 907}, {1520, 900}},  // right and bottom edges snap
      {{1522, 903}, {1572, 912}, {1520, 900}},
      {{1510, 890}, {1560, 901}, {1510, 890}},
      {{-3, -4}, {47, 6}, {0, 0}},
  };
  TbsMagneticState state;
  for (const Step& s : steps)
    EXPECT_EQ(MagneticPosition(state, s.proposed, 400, 300, area, s.pointer, 5), s.placed)
        << s.proposed.X << "," << s.proposed.Y;

  // On a second monitor's work area; a window as wide as the area snaps by its left edge.
  state.Clear();
  EXPECT_EQ(MagneticPosition(state, {1923, 82}, 400, 300, {1920, 80, 3840, 1100}, {0, 0}, 5), (TPoint{1920, 80}));
  state.Clear();
  EXPECT_EQ(MagneticPosition(state, {3, 500}, 1920, 300, area, {0, 0}, 5), (TPoint{0, 500}));
  // Nothing is within a distance of 0 but the edge itself.
  state.Clear();
  EXPECT_EQ(MagneticPosition(state, {1, 0}, 400, 300, area, {0, 0}, 0), (TPoint{1, 0}));
}

TEST(FrameLayout, ValuesPastTheIntRangeStopAtItsEnds) {
  TbsFormInfo info;
  info.Corners.RightTopPoint = {INT_MAX, 10};
  info.Corners.RightBottomPoint = {170, INT_MIN + 5};
  info.Corners.ClientRect = {4, 24, 175, 128};
  info.ButtonsRect = {INT_MAX - 1, 7, INT_MAX, 15};
  const TbsFrameLayout wide = ComputeFrameLayout(info, 179, 134, 1000, 100);
  EXPECT_EQ(wide.RT, (TPoint{INT_MAX, 10}));
  EXPECT_EQ(wide.RB, (TPoint{991, INT_MIN}));
  EXPECT_EQ(wide.ButtonsRect, (TRect{INT_MAX, 7, INT_MAX, 15}));
  const TbsFrameLayout huge = ComputeFrameLayout(info, 179, 134, INT_MAX, INT_MIN);
  EXPECT_EQ(huge.ClientRect, (TRect{4, 24, INT_MAX - 4, INT_MIN}));
  // A picture of a negative size makes the size change larger than any int.
  EXPECT_EQ(ComputeFrameLayout(info, -10, 134, INT_MAX, 134).ClientRect, (TRect{4, 24, INT_MAX, 128}));

  // A button as wide as the whole int range starts at its lower end, and the next one stops
  // there too.
  info = {};
  info.ButtonsRect = {0, 0, INT_MAX, 10};
  std::vector<TbsPlacedObject> objects = {Button(Cmd::cmClose, {INT_MIN, 0, INT_MAX, 8}),
                                          Button(Cmd::cmMinimize, {0, 0, 10, 8})};
  ArrangeFrameObjects(info, ComputeFrameLayout(info, 179, 134, 179, 134), objects);
  EXPECT_EQ(objects[0].ObjectRect, (TRect{INT_MIN, 0, INT_MAX, 8}));
  EXPECT_EQ(objects[1].ObjectRect, (TRect{INT_MIN, 0, INT_MIN, 8}));
}
