// The popup menus' rules without a window: sizes, layout, placing, the arrow keys' walk and the
// accelerators, as tables.
#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "skin/frame/bsSkinMenusLayout.h"

using namespace bs;

namespace {

// The program's skin: window picture 69 x 55, items rect (6, 11, 64, 45), item skinrect
// (7, 32, 63, 50), textrect (4, 3, 52, 15).
TbsPopupFrame ProgramFrame() {
  TbsPopupFrame f;
  f.Skinned = true;
  f.PicWidth = 69;
  f.PicHeight = 55;
  f.ItemsRect = {6, 11, 64, 45};
  f.SkinRect = {7, 32, 63, 50};
  f.TextRect = {4, 3, 52, 15};
  f.ItemHeight = 18;
  return f;
}
TbsPopupFrame BuiltInFrame() {
  TbsPopupFrame f;
  f.ItemHeight = 20;
  return f;
}

}  // namespace

TEST(MenuRules, WidthAndHeight) {
  struct Case {
    const char* name;
    TbsPopupFrame frame;
    std::vector<int> heights;
    int limit, workArea, widest;
    int width, height;
    bool scroll, itemLimit;
  } cases[] = {
      {"skinned: M + 57 by S + 21", ProgramFrame(), {18, 18, 18, 5, 18}, 0, 1000, 70, 127, 98, false, false},
      {"a dialog's close alone", ProgramFrame(), {18}, 0, 1000, 70, 127, 39, false, false},
      {"item limit 3 of five", ProgramFrame(), {18, 18, 18, 18, 18}, 3, 1000, 70, 127, 95, true, true},
      {"limit not reached", ProgramFrame(), {18, 18, 18}, 3, 1000, 70, 127, 75, false, false},
      {"taller than the work area", ProgramFrame(), std::vector<int>(60, 18), 0, 600, 70, 127, 600, true, false},
      {"built-in: M + 48 by S + 4", BuiltInFrame(), {20, 4, 20}, 0, 1000, 70, 118, 48, false, false},
      {"built-in with a limit", BuiltInFrame(), {20, 20, 20}, 2, 1000, 70, 118, 20 * 2 + 4 + 20, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(PopupWidth(c.frame, c.widest, MenuGlyphColumn(false, 0)), c.width);
    const TbsPopupHeight h = PopupHeight(c.frame, c.heights, c.limit, c.workArea);
    EXPECT_EQ(h.Height, c.height);
    EXPECT_EQ(h.ScrollMode, c.scroll);
    EXPECT_EQ(h.ItemLimit, c.itemLimit);
  }
  EXPECT_EQ(MenuGlyphColumn(true, 16), 21);
  EXPECT_EQ(PopupItemsRect(ProgramFrame(), 127, 98), (TRect{6, 11, 122, 88}));
  EXPECT_EQ(PopupItemsRect(BuiltInFrame(), 118, 48), (TRect{2, 2, 116, 46}));
}

TEST(MenuRules, LayoutFillsTheBandAndMarksTheItemsInside) {
  const std::vector<int> heights{18, 18, 18, 18, 18};
  std::vector<TbsItemPlace> places(5);
  // Scroll mode, items rect of a 95-high popup: room for three between the marker bands.
  const TRect items{6, 11, 64, 85};
  EXPECT_EQ(LayoutMenuItems(heights, items, true, 1, places), 3);
  EXPECT_EQ(places[1].Rect, (TRect{6, 21, 64, 39}));
  EXPECT_EQ(places[3].Rect, (TRect{6, 57, 64, 75}));
  std::vector<bool> visible;
  for (const auto& p : places) visible.push_back(p.Visible);
  EXPECT_EQ(visible, (std::vector<bool>{false, true, true, true, false}));
  EXPECT_EQ(LastPageStart(heights, items), 2);
  // Without scroll mode every item fits from the top.
  std::vector<TbsItemPlace> all(3);
  EXPECT_EQ(LayoutMenuItems(std::vector<int>{18, 5, 18}, TRect{6, 11, 64, 52}, false, 0, all), 3);
  EXPECT_EQ(all[2].Rect, (TRect{6, 34, 64, 52}));
}

TEST(MenuRules, Placing) {
  const TRect wa{0, 0, 1000, 700};
  struct Case {
    const char* name;
    TRect anchor;
    bool up, sub, high;
    int W, H;
    TPoint at;
  } cases[] = {
      {"fits below the anchor", {100, 100, 100, 100}, false, false, false, 120, 98, {100, 100}},
      {"lower half without room below: above", {100, 650, 100, 650}, false, false, false, 120, 98, {100, 552}},
      {"upper half without room below: beside", {100, 300, 100, 300}, false, false, false, 120, 500, {101, 200}},
      {"beside, no room on the right: left", {950, 300, 950, 300}, false, false, false, 120, 500, {829, 200}},
      {"clamped to the work area's right", {950, 100, 950, 100}, false, false, false, 120, 98, {880, 100}},
      {"left of the work area", {-20, 100, -20, 100}, false, false, false, 120, 98, {0, 100}},
      {"sub-menu level with its parent item", {300, 200, 420, 218}, false, true, false, 120, 98, {421, 189}},
      {"sub-menu in the upper half without room", {300, 300, 420, 318}, false, true, false, 120, 500, {421, 200}},
      {"sub-menu in the lower half without room", {300, 650, 420, 668}, false, true, false, 120, 98, {421, 581}},
      {"sub-menu on the right edge goes left", {800, 200, 920, 218}, false, true, false, 120, 98, {679, 189}},
      {"as high as the work area", {100, 100, 100, 100}, false, false, true, 120, 700, {101, 0}},
      {"upwards with room above", {100, 400, 100, 400}, true, false, false, 120, 98, {100, 302}},
      {"upwards without room, upper half", {100, 50, 100, 50}, true, false, false, 120, 98, {100, 50}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TbsPopupPlacing p;
    p.Anchor = c.anchor, p.Upwards = c.up, p.SubMenu = c.sub, p.WorkAreaHigh = c.high, p.WorkArea = wa;
    p.Width = c.W, p.Height = c.H, p.ItemsTop = 11;
    const TPoint at = PlacePopup(p);
    EXPECT_EQ(at.X, c.at.X);
    EXPECT_EQ(at.Y, c.at.Y);
  }
}

TEST(MenuRules, ArrowKeysWalkOverUsableItems) {
  // 0 usable, 1 disabled, 2 separator, 3 usable, 4 usable, 5 disabled.
  const std::vector<bool> usable{true, false, false, true, true, false};
  auto ok = [&](int i) { return bool(usable[std::size_t(i)]); };
  struct Case {
    bool down;
    int hot, expected;
    std::vector<int> skipped;
  } cases[] = {
      {true, -1, 0, {}},     {true, 0, 3, {1, 2}}, {true, 4, 4, {5}},  {true, 5, 0, {}},
      {false, -1, 4, {5}},   {false, 0, 4, {5}},   {false, 3, 0, {2, 1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << (c.down ? "down" : "up") << " from " << c.hot);
    std::vector<int> skipped;
    auto skip = [&](int i) { skipped.push_back(i); };
    const int found = c.down ? NextMenuItem(6, c.hot, ok, skip) : PreviousMenuItem(6, c.hot, ok, skip);
    EXPECT_EQ(found, c.expected);
    EXPECT_EQ(skipped, c.skipped);
  }
}

TEST(MenuRules, AcceleratorsAreLettersAndDigitsOnly) {
  const std::vector<std::wstring_view> captions{L"Mi&nimize", L"Ma&ximize", L"Fish && &Chips", L"&3 three", L"-",
                                                L"&Close"};
  struct Case {
    unsigned key;
    int item;
  } cases[] = {
      {'N', 0}, {'X', 1}, {'C', 2}, {'3', 3}, {'Q', -1},
      {0x63, -1},  // the numpad's 3 has the code of 'c'
      {0x78, -1},  // F9 has the code of 'x'
      {0x0D, -1},
  };
  for (const Case& c : cases) EXPECT_EQ(AcceleratorItem(captions, c.key), c.item) << c.key;
  EXPECT_EQ(MenuAccelerator(L"a&&b"), 0);
  EXPECT_EQ(MenuAccelerator(L"&x"), L'X');
  EXPECT_EQ(MenuAccelerator(L"end&"), 0);
}
