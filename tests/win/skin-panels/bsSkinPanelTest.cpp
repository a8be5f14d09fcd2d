#include "skin/controls/bsSkinBevel.h"
#include "skin/controls/bsSkinCtrls.h"
#include "skin/controls/bsSkinLabel.h"
#include "skin/controls/bsSkinPanel.h"
#include "skin/controls/bsSkinTabs.h"

#include "SkinFixture.h"
#include "WindowShot.h"

#include <commctrl.h>

#include <algorithm>
#include <climits>
#include <vector>

namespace bs::test {
namespace {

using namespace spv::platform;

// The upper part of the main window: the settings box with three labels and the legend box
// with its three coloured panels, the spacer bevel, the 24 hour tabs.
class MainLayoutTest : public SkinnedFormTest {
 protected:
  void SetUp() override {
    SkinnedFormTest::SetUp();
    settings = new TbsSkinGroupBox(form.get());
    settings->SetParent(form.get());
    settings->SetBounds(0, 0, 604, 113);
    settings->SetAlign(TAlign::alTop);
    settings->SetCaption(L"Установки");
    settings->SetRollUpMode(true);
    settings->SetSkinData(skin);
    settings->OnChangeRollUpState = [this](TObject*) { ++rollUps; };
    const wchar_t* texts[] = {L"Базы:", L"Отчёты:", L"Дата:"};
    for (int i = 0; i < 3; ++i) {
      auto* l = new TbsSkinStdLabel(form.get());
      l->SetParent(settings);
      l->SetBounds(10, 26 + i * 26, 60, 16);
      l->SetCaption(texts[i]);
      l->SetSkinData(skin);
      labels.push_back(l);
    }
    legend = new TbsSkinGroupBox(form.get());
    legend->SetParent(settings);
    legend->SetBounds(430, 22, 166, 86);
    legend->SetCaption(L"Легенда");
    legend->SetSkinData(skin);
    const TColor colours[] = {0xFFFFFF, 0x00FFFF, 0x0000FF};
    for (int i = 0; i < 3; ++i) {
      auto* p = new TPanel(form.get());
      p->SetParent(legend);
      p->SetBounds(10, 24 + i * 20, 16, 14);
      p->SetColor(colours[i]);
    }
    bevel = new TbsSkinBevel(form.get());
    bevel->SetParent(form.get());
    bevel->SetBounds(0, 113, 604, 4);
    bevel->SetAlign(TAlign::alTop);
    bevel->SetShape(TBevelShape::bsSpacer);
    bevel->SetSkinData(skin);
    tabs = new TbsSkinTabControl(form.get());
    tabs->SetParent(form.get());
    tabs->SetAlign(TAlign::alClient);
    tabs->SetMultiLine(true);
    tabs->SetSkinData(skin);
    for (int h = 0; h < 24; ++h) tabs->AddTab(std::to_wstring(h));
    tabs->SetTabWidth(tabs->ClientWidth() / 12 - 1);
    form->Show();
    UpdateWindow(form->Handle());
    spv::test::PumpMessages();
  }

  TbsSkinGroupBox *settings = nullptr, *legend = nullptr;
  std::vector<TbsSkinStdLabel*> labels;
  TbsSkinBevel* bevel = nullptr;
  TbsSkinTabControl* tabs = nullptr;
  int rollUps = 0;
};

TEST_F(MainLayoutTest, TheSettingsBoxAlignsItsChildrenInsideItsFrameAndPlacesItsCaption) {
  EXPECT_EQ(settings->SizingKind(), skBoth);
  const RECT c = settings->PanelClientRect();
  EXPECT_EQ(FromRECT(c), (TRect{2, 20, 602, 111}));
  auto* filler = new TPanel(form.get());
  filler->SetParent(settings);
  filler->SetAlign(TAlign::alClient);
  EXPECT_EQ(FromRECT(filler->BoundsRect()), (TRect{2, 20, 602, 111}));
  delete filler;
  settings->Repaint();
  EXPECT_EQ(settings->PlacedCaptionRect(), (TRect{12, 3, 592, 13}));

  // The caption's ink: centred within 12 .. 580, the arrow mark within 580 .. 590.
  const TbsFBitmap shot = Grab(settings->Handle());
  int left = 1000, right = -1, markLeft = 1000, markRight = -1;
  for (int y = 3; y < 13; ++y)
    for (int x = 12; x < 592; ++x)
      if (Dark(shot.At(x, y))) {
        if (x < 580) left = std::min(left, x), right = std::max(right, x);
        else markLeft = std::min(markLeft, x), markRight = std::max(markRight, x);
      }
  ASSERT_GE(right, left) << "no caption drawn";
  EXPECT_NEAR((left + right + 1) / 2.0, (12 + 580) / 2.0, 2.5);
  ASSERT_GE(markRight, markLeft) << "no arrow mark";
  EXPECT_GE(markLeft, 580);
  EXPECT_LE(markRight, 590);
  spv::test::SaveWindowPng(form->Handle(), "main-layout-unrolled");
}

TEST_F(MainLayoutTest, ACaptionClickRollsTheSettingsUpAndTheRestMovesUpWithIt) {
  EXPECT_EQ(bevel->Top(), 113);
  EXPECT_EQ(tabs->Top(), 117);
  Click(settings->Handle(), 300, 8);
  EXPECT_EQ(settings->Height(), 22);
  EXPECT_TRUE(settings->RollUpState());
  EXPECT_EQ(settings->RealHeight(), 113);
  EXPECT_EQ(rollUps, 1);
  for (int i = 0; i < settings->ControlCount(); ++i) EXPECT_FALSE(settings->Controls(i)->Visible()) << i;
  EXPECT_EQ(bevel->Top(), 22);
  EXPECT_EQ(tabs->Top(), 26);
  spv::test::PumpMessages();
  spv::test::SaveWindowPng(form->Handle(), "main-layout-rolled-up");

  // A skin change while rolled up keeps the real height.
  WalkSkinChange(*form, skin, WM_SKIN_BEFORE_CHANGE);
  WalkSkinChange(*form, skin, WM_SKIN_CHANGED);
  EXPECT_EQ(settings->Height(), 22);
  EXPECT_EQ(settings->RealHeight(), 113);

  Click(settings->Handle(), 300, 8);
  EXPECT_EQ(settings->Height(), 113);
  EXPECT_EQ(settings->RealHeight(), -1);
  EXPECT_EQ(rollUps, 2);
  for (int i = 0; i < settings->ControlCount(); ++i) EXPECT_TRUE(settings->Controls(i)->Visible()) << i;
  EXPECT_EQ(tabs->Top(), 117);
  EXPECT_EQ(legend->Left(), 430) << "children aligned by hand stay where they were";
}

TEST_F(MainLayoutTest, ClicksOutsideTheCaptionOrWithoutTheModeChangeNothing) {
  Click(settings->Handle(), 300, 60);
  Click(legend->Handle(), 80, 8);
  EXPECT_EQ(settings->Height(), 113);
  EXPECT_EQ(legend->Height(), 86);
  EXPECT_EQ(rollUps, 0);
  legend->SetRollUpState(true);
  EXPECT_FALSE(legend->RollUpState());
  EXPECT_EQ(legend->Height(), 86);
}

TEST_F(MainLayoutTest, RollingUpKeepsTheSizeConstraintsForTheWayBack) {
  settings->Constraints = {0, 0, 113, 113};
  settings->SetRollUpState(true);
  EXPECT_EQ(settings->Height(), 22) << "the constraints wait while rolled up";
  EXPECT_EQ(settings->Constraints, (TSizeConstraints{}));
  settings->SetRollUpState(false);
  EXPECT_EQ(settings->Height(), 113);
  EXPECT_EQ(settings->Constraints, (TSizeConstraints{0, 0, 113, 113})) << "unrolling gives the real ones back";
  settings->SetRollUpState(true);
  settings->SetRollUpState(false);
  EXPECT_EQ(settings->Constraints, (TSizeConstraints{0, 0, 113, 113}));
}

TEST_F(MainLayoutTest, TurningTheModeOffWhileRolledUpUnrollsFirst) {
  settings->SetRollUpState(true);
  ASSERT_EQ(settings->Height(), 22);
  settings->SetRollUpMode(false);
  EXPECT_FALSE(settings->RollUpState());
  EXPECT_EQ(settings->Height(), 113);
  EXPECT_TRUE(labels[0]->Visible());
}

TEST_F(MainLayoutTest, LabelsTakeTheSkinsFontAndColourWhateverTheirOwn) {
  TbsSkinStdLabel* l = labels[0];
  EXPECT_GE(l->SkinObjectIndex(), 0);
  const int h = l->Height(), w = l->Width();
  l->Font().SetName(L"Courier New");
  l->Font().SetHeight(-30);
  l->Font().SetColor(clRed);
  l->AdjustBounds();
  EXPECT_EQ(l->Height(), h);
  EXPECT_EQ(l->Width(), w);
  settings->Repaint();
  const TbsFBitmap shot = Grab(settings->Handle());
  int black = 0, red = 0;
  for (int y = l->Top(); y < l->Top() + l->Height(); ++y)
    for (int x = l->Left(); x < l->Left() + l->Width(); ++x) {
      const TPixel p = shot.At(x, y);
      black += p.R < 60 && p.G < 60 && p.B < 60;
      red += p.R > 180 && p.G < 80;
    }
  EXPECT_GT(black, 10);
  EXPECT_EQ(red, 0);
}

TEST_F(MainLayoutTest, ADisabledLabelIsEmbossedInTheSkinsColours) {
  TbsSkinStdLabel* l = labels[0];
  l->SetEnabled(false);
  settings->Repaint();
  const TbsFBitmap shot = Grab(settings->Handle());
  const TPixel light = PixelOf(ColorToRGB(TColor(skin->SkinColors.cBtnHighLight)));
  const TPixel dark = PixelOf(ColorToRGB(TColor(skin->SkinColors.cBtnShadow)));
  int lightBelowRightOfDark = 0, darkCount = 0;
  for (int y = l->Top(); y < l->Top() + l->Height() - 1; ++y)
    for (int x = l->Left(); x < l->Left() + l->Width() - 1; ++x)
      if (shot.At(x, y) == dark) {
        ++darkCount;
        lightBelowRightOfDark += shot.At(x + 1, y + 1) == light || shot.At(x + 1, y + 1) == dark;
      }
  EXPECT_GT(darkCount, 10);
  EXPECT_GT(lightBelowRightOfDark, darkCount / 2) << "the highlight copy lies one pixel down and right";
}

TEST_F(MainLayoutTest, TheHourTabsLieInTwoRowsOfTwelveFromTheSkin) {
  EXPECT_EQ(tabs->TabWidth(), 49);
  EXPECT_EQ(tabs->RowCount(), 2);
  std::vector<int> tops;
  for (int i = 0; i < 24; ++i) {
    const RECT r = tabs->TabRect(i);
    EXPECT_EQ(r.bottom - r.top, 17) << i;
    tops.push_back(r.top);
  }
  EXPECT_EQ(std::count(tops.begin(), tops.end(), tops[0]), 12);
  EXPECT_EQ(std::count(tops.begin(), tops.end(), tops[12]), 12);
  for (int selected : {3, 17}) {
    tabs->SetTabIndex(selected);
    const int bottom = tabs->TabRect(selected).bottom;
    for (int i = 0; i < 24; ++i) EXPECT_LE(tabs->TabRect(i).bottom, bottom) << "the selected tab's row is next to the page";
  }
  // The page: inside the skin's frame below the tabs; a grid aligned in it fills it.
  auto* grid = new TPanel(form.get());
  grid->SetParent(tabs);
  grid->SetAlign(TAlign::alClient);
  const RECT page = tabs->DisplayRect();
  EXPECT_EQ(FromRECT(grid->BoundsRect()), FromRECT(page));
  EXPECT_EQ(page.left, 2);
  EXPECT_EQ(tabs->ClientWidth() - page.right, 95 - 93);
  // A new tab width keeps the skin's height, which the window would have reset.
  tabs->SetTabWidth(40);
  EXPECT_EQ(tabs->TabRect(0).bottom - tabs->TabRect(0).top, 17);
  EXPECT_EQ(FindWindowExW(tabs->Handle(), nullptr, UPDOWN_CLASSW, nullptr), nullptr);
  spv::test::PumpMessages();
  spv::test::SaveWindowPng(form->Handle(), "main-layout-tabs");
}

TEST_F(MainLayoutTest, TabsWithoutASkinAreTwentyHighAndPlain) {
  tabs->SetSkinData(nullptr);
  EXPECT_EQ(tabs->TabRect(0).bottom - tabs->TabRect(0).top, 20);
  const RECT page = tabs->DisplayRect();
  EXPECT_EQ(page.left, 1);
  EXPECT_EQ(tabs->ClientWidth() - page.right, 1);
}

TEST_F(MainLayoutTest, PointerMovesRepaintOnlyTheTwoTabsConcernedAndAClickChangesOnce) {
  std::vector<int> painted;
  std::vector<std::pair<int, bool>> looks;
  tabs->OnDrawSkinTab = [&](int i, const RECT&, HDC, bool hot, bool) {
    painted.push_back(i);
    looks.push_back({i, hot});
  };
  int changes = 0;
  tabs->OnChange = [&](TObject*) { ++changes; };
  tabs->SetTabIndex(0);
  // The real pointer stays away, so that only the moves sent here light a tab.
  SetCursorPos(1900, 1190);
  spv::test::PumpMessages();
  auto centre = [this](int i) {
    const RECT r = tabs->TabRect(i);
    return At((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  };
  painted.clear();
  SendMessageW(tabs->Handle(), WM_MOUSEMOVE, 0, centre(5));
  EXPECT_EQ(painted, (std::vector<int>{5}));
  painted.clear();
  SendMessageW(tabs->Handle(), WM_MOUSEMOVE, 0, centre(6));
  EXPECT_EQ(painted, (std::vector<int>{5, 6}));
  painted.clear();
  SendMessageW(tabs->Handle(), WM_MOUSEMOVE, 0, centre(6));
  EXPECT_TRUE(painted.empty());
  SendMessageW(tabs->Handle(), WM_MOUSEMOVE, 0, centre(0));
  for (auto [i, hot] : looks) {
    if (i == 0) {
      EXPECT_FALSE(hot) << "the selected tab never shows hot";
    }
  }
  SendMessageW(tabs->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, centre(7));
  SendMessageW(tabs->Handle(), WM_LBUTTONUP, 0, centre(7));
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(tabs->TabIndex(), 7);
}

// Without a skin: the default looks.
class DefaultLookTest : public SkinnedFormTest {};

TEST_F(DefaultLookTest, PanelLabelAndBevelInTheSystemsLook) {
  auto* box = new TbsSkinGroupBox(form.get());
  box->SetParent(form.get());
  box->SetBounds(0, 0, 300, 120);
  box->SetRollUpMode(true);
  EXPECT_EQ(FromRECT(box->PanelClientRect()), (TRect{1, 23, 299, 119}));
  box->SetBorderStyle(TbsSkinBorderStyle::bvNone);
  EXPECT_EQ(FromRECT(box->PanelClientRect()), (TRect{0, 22, 300, 120}));
  box->SetRollUpState(true);
  EXPECT_EQ(box->Height(), 23);
  box->SetRollUpState(false);
  EXPECT_EQ(box->Height(), 120);

  auto* label = new TbsSkinStdLabel(form.get());
  label->SetParent(form.get());
  label->SetBounds(10, 150, 10, 10);
  label->SetUseSkinFont(false);
  label->Font().SetColor(clWindowText);
  label->SetCaption(L"Дата:");
  auto* bevel = new TbsSkinBevel(form.get());
  bevel->SetParent(form.get());
  bevel->SetBounds(100, 150, 40, 20);
  form->Show();
  UpdateWindow(form->Handle());
  spv::test::PumpMessages();
  const TbsFBitmap shot = Grab(form->Handle());
  int ink = 0;
  const TPixel text = PixelOf(ColorToRGB(clWindowText));
  for (int y = label->Top(); y < label->Top() + label->Height(); ++y)
    for (int x = label->Left(); x < label->Left() + label->Width(); ++x) ink += shot.At(x, y) == text;
  EXPECT_GT(ink, 5);
  EXPECT_EQ(shot.At(100, 160), PixelOf(ColorToRGB(clBtnShadow))) << "lowered: the left edge dark";
  EXPECT_EQ(shot.At(139, 160), PixelOf(ColorToRGB(clBtnHighlight))) << "and the right edge light";
}

// The tabs per state, read back from the screen: each tab's picture (its caps copied as they are
// in the skin), the band behind the tabs, and the text in the colour of the tab's state. The
// program's skin writes every state in black, so the test gives each state its own colour.
TEST_F(SkinnedFormTest, EachTabStateShowsItsPictureAndFontColour) {
  auto* tabs = new TbsSkinTabControl(form.get());
  tabs->SetParent(form.get());
  tabs->SetBounds(10, 10, 420, 200);
  tabs->SetSkinData(skin);
  for (const wchar_t* text : {L"00", L"11", L"22", L"33"}) tabs->AddTab(text);
  tabs->SetTabWidth(49);
  tabs->SetTabIndex(1);
  auto* other = new TbsSkinButton(form.get());
  other->SetParent(form.get());
  other->SetBounds(10, 230, 80, 25);
  other->SetSkinData(skin);
  auto& o = const_cast<TbsDataSkinTabControl&>(
      dynamic_cast<const TbsDataSkinTabControl&>(*skin->SkinControls[std::size_t(skin->FindSkinControl("tab"))]));
  o.FontColor = 0x0000FF;
  o.ActiveFontColor = 0x00FF00;
  o.FocusFontColor = 0xFF0000;
  o.MouseInFontColor = 0xFF00FF;
  const TImage& picture = skin->ActivePicture(o.PictureIndex)->Image;
  form->Show();
  other->SetFocus();
  // The pointer over the fourth tab lights it.
  const RECT hotTab = tabs->TabRect(3);
  POINT over{(hotTab.left + hotTab.right) / 2, (hotTab.top + hotTab.bottom) / 2};
  const LPARAM at = At(over.x, over.y);
  ClientToScreen(tabs->Handle(), &over);
  SetCursorPos(over.x, over.y);
  SendMessageW(tabs->Handle(), WM_MOUSEMOVE, 0, at);

  // Rows from `bottom` down lie behind the page frame.
  const auto capsMatch = [&](const TbsFBitmap& shot, const RECT& r, const TRect& piece, int bottom = INT_MAX) {
    const int w = r.right - r.left;
    for (int y = 0; y < piece.Height() && r.top + y < bottom; ++y)
      for (int x = 0; x < 10; ++x)
        if (!(shot.At(r.left + x, r.top + y) == picture.At(piece.Left + x, piece.Top + y)) ||
            !(shot.At(r.left + w - 10 + x, r.top + y) == picture.At(piece.Right - 10 + x, piece.Top + y)))
          return false;
    return true;
  };
  const auto inkOf = [&](const TbsFBitmap& shot, const RECT& r, TColor colour) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left + 10; x < r.right - 10; ++x) n += shot.At(x, y) == PixelOf(ColorToRGB(colour));
    return n;
  };
  const TColor colours[] = {o.FontColor, o.ActiveFontColor, o.FocusFontColor, o.MouseInFontColor};
  struct Look {
    const char* state;
    int tab;
    TRect piece;
    TColor font;
  };
  const auto check = [&](const std::vector<Look>& looks) {
    spv::test::PumpMessages();
    const TbsFBitmap shot = Grab(tabs->Handle());
    // The band above the page frame; the selected tab alone is drawn over the frame.
    const int band = tabs->DisplayRect().top - o.Corners.ClientRect.Top;
    ASSERT_GT(band, 0);
    for (const Look& l : looks) {
      const RECT r = tabs->TabRect(l.tab);
      ASSERT_EQ(r.bottom - r.top, l.piece.Height()) << l.state;
      EXPECT_TRUE(capsMatch(shot, r, l.piece, l.tab == tabs->TabIndex() ? INT_MAX : band))
          << l.state << ": the tab's picture";
      for (TColor c : colours) {
        if (c == l.font) {
          EXPECT_GT(inkOf(shot, r, c), 3) << l.state << ": the text in its colour";
        } else {
          EXPECT_EQ(inkOf(shot, r, c), 0) << l.state << ": no text in another state's colour";
        }
      }
    }
    // The band behind the tabs: the skin's band piece tiled from the control's corner, right of
    // the last tab down to the page frame.
    const TRect bg = o.TabsBGRect;
    for (int y = 0; y < band; ++y)
      for (int x = tabs->TabRect(3).right + 2; x < tabs->ClientWidth() - 2; ++x)
        ASSERT_EQ(shot.At(x, y), picture.At(bg.Left + x % bg.Width(), bg.Top + y % bg.Height())) << x << "," << y;
  };
  // The pictures differ, so that each check tells its state.
  const TRect pieces[] = {o.TabRect, o.ActiveTabRect, o.FocusTabRect, o.MouseInTabRect};
  for (const TRect& a : pieces)
    for (const TRect& b : pieces) {
      const RECT r{0, 0, a.Width(), a.Height()};
      TbsFBitmap one(a.Width(), a.Height());
      CopyImageRect(one, {0, 0, a.Width(), a.Height()}, picture, a);
      if (!(a == b)) {
        ASSERT_FALSE(capsMatch(one, r, b));
      }
    }

  {
    SCOPED_TRACE("the selected tab without the focus");
    check({{"a plain tab", 0, o.TabRect, o.FontColor},
           {"the selected tab", 1, o.ActiveTabRect, o.ActiveFontColor},
           {"a plain tab", 2, o.TabRect, o.FontColor},
           {"the hot tab", 3, o.MouseInTabRect, o.MouseInFontColor}});
  }
  spv::test::SaveWindowPng(form->Handle(), "skin-tabs-states");
  tabs->SetFocus();
  {
    SCOPED_TRACE("the selected tab with the focus");
    check({{"a plain tab", 0, o.TabRect, o.FontColor},
           {"the focused selected tab", 1, o.FocusTabRect, o.FocusFontColor},
           {"the hot tab", 3, o.MouseInTabRect, o.MouseInFontColor}});
  }
  // The pointer goes away again, so that it lights nothing in the windows of later tests.
  SetCursorPos(1900, 1190);
}

// Every shape in both styles and modes: the pixels a 20 x 10 bevel draws, read back.
TEST_F(SkinnedFormTest, BevelShapesDrawTheirLinesInTheSkinsColours) {
  const TPixel L = PixelOf(16777215), D = PixelOf(8421504);
  form->SetColor(clBlack);
  const TPixel B{0, 0, 0};
  struct Probe {
    int x, y;
    TPixel colour;
  };
  struct Case {
    TBevelShape shape;
    bool divider;
    std::vector<Probe> probes;
  };
  // Raised: the first colour light, the second dark.
  const std::vector<Case> cases = {
      {TBevelShape::bsBox, false, {{0, 5, L}, {10, 0, L}, {19, 5, D}, {10, 9, D}, {5, 5, B}}},
      {TBevelShape::bsFrame, false, {{0, 5, L}, {1, 5, D}, {18, 5, L}, {19, 5, D}, {5, 5, B}}},
      {TBevelShape::bsTopLine, false, {{5, 0, L}, {5, 1, D}, {5, 2, B}}},
      {TBevelShape::bsBottomLine, false, {{5, 8, L}, {5, 9, D}, {5, 7, B}}},
      {TBevelShape::bsLeftLine, false, {{0, 5, L}, {1, 5, D}, {2, 5, B}}},
      {TBevelShape::bsRightLine, false, {{18, 5, L}, {19, 5, D}, {17, 5, B}}},
      {TBevelShape::bsTopLine, true, {{5, 4, L}, {5, 5, D}, {5, 0, B}, {1, 4, B}}},
      {TBevelShape::bsBox, true, {{9, 5, L}, {10, 5, D}, {0, 5, B}, {9, 1, B}}},
      {TBevelShape::bsSpacer, false, {{0, 0, B}, {10, 5, B}, {19, 9, B}, {0, 9, B}}},
      {TBevelShape::bsSpacer, true, {{0, 0, B}, {10, 4, B}, {9, 5, B}, {10, 5, B}}},
  };
  std::vector<TbsSkinBevel*> bevels;
  for (std::size_t i = 0; i < cases.size(); ++i) {
    auto* b = new TbsSkinBevel(form.get());
    b->SetParent(form.get());
    b->SetBounds(10 + int(i % 5) * 30, 10 + int(i / 5) * 20, 20, 10);
    b->SetShape(cases[i].shape);
    b->SetStyle(TBevelStyle::bsRaised);
    b->SetDividerMode(cases[i].divider);
    b->SetSkinData(skin);
    bevels.push_back(b);
  }
  form->Show();
  UpdateWindow(form->Handle());
  spv::test::PumpMessages();
  const TbsFBitmap shot = Grab(form->Handle());
  for (std::size_t i = 0; i < cases.size(); ++i)
    for (const Probe& p : cases[i].probes)
      EXPECT_EQ(shot.At(bevels[i]->Left() + p.x, bevels[i]->Top() + p.y), p.colour)
          << "case " << i << " at " << p.x << "," << p.y;
}

}  // namespace
}  // namespace bs::test
