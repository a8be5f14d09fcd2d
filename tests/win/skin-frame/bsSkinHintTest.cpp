// Skinned hints on real windows: the hint's size and shape from the program's skin and without
// one, its place near the screen's edges, a window that never takes the foreground, blending
// switched on, off and on again, one active hint component per main form, the hints of the
// frame's caption buttons after the hint pause, and a hint window that never reads a component
// that is gone.
#include "skin/frame/bsSkinHint.h"

#include "FramedWindow.h"
#include "UserDrag.h"
#include "WindowShot.h"
#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "resources/ProgramSkin.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace bs {
namespace {

using namespace spv::platform;
using frame_test::TFramedWindow;

// The pause settings of the application, put back after each test.
class TSavedPauses {
 public:
  TSavedPauses() : Pause_(ApplicationHints().HintPause), Hide_(ApplicationHints().HintHidePause) {}
  ~TSavedPauses() {
    ApplicationHints().HintPause = Pause_;
    ApplicationHints().HintHidePause = Hide_;
  }

 private:
  unsigned Pause_, Hide_;
};

SIZE MeasuredText(const TFont& font, const std::wstring& text) {
  TbsFBitmap scratch(1, 1);
  HGDIOBJ old = SelectObject(scratch.DC(), font.Handle());
  RECT r{0, 0, 0, 0};
  DrawTextW(scratch.DC(), text.c_str(), int(text.size()), &r, DT_CALCRECT | DT_LEFT | DT_NOPREFIX);
  SelectObject(scratch.DC(), old);
  return {r.right, r.bottom};
}

// A text exactly `width` pixels wide in `font`, of wide and narrow letters.
std::wstring TextOfWidth(const TFont& font, int width) {
  for (int wide = 0; wide < 40; ++wide)
    for (int narrow = 0; narrow < 60; ++narrow) {
      const std::wstring text = std::wstring(std::size_t(wide), L'W') + std::wstring(std::size_t(narrow), L'i');
      const int w = MeasuredText(font, text).cx;
      if (w == width) return text;
      if (w > width) break;
    }
  return {};
}

bool Layered(HWND window) { return (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_LAYERED) != 0; }

int AlphaOf(HWND window) {
  BYTE alpha = 0;
  DWORD flags = 0;
  if (!Layered(window) || !GetLayeredWindowAttributes(window, nullptr, &alpha, &flags) || !(flags & LWA_ALPHA))
    return -1;
  return alpha;
}

RECT BoundsOf(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  return r;
}

// What the screen shows of a window's rectangle now.
TbsFBitmap ScreenOf(HWND window) {
  const RECT r = BoundsOf(window);
  TbsFBitmap shot(r.right - r.left, r.bottom - r.top);
  const HDC screen = GetDC(nullptr);
  BitBlt(shot.DC(), 0, 0, shot.Width(), shot.Height(), screen, r.left, r.top, SRCCOPY);
  ReleaseDC(nullptr, screen);
  GdiFlush();
  return shot;
}

// The bounds of the pixels darker than the hint's background within `area`.
TRect InkBounds(const TImage& shot, const TRect& area) {
  TRect ink{1000, 1000, -1, -1};
  for (int y = area.Top; y < area.Bottom; ++y)
    for (int x = area.Left; x < area.Right; ++x) {
      const TPixel p = shot.At(x, y);
      if (p.R + p.G + p.B >= 200) continue;
      ink.Left = std::min(ink.Left, x), ink.Top = std::min(ink.Top, y);
      ink.Right = std::max(ink.Right, x + 1), ink.Bottom = std::max(ink.Bottom, y + 1);
    }
  return ink;
}

class SkinHintTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = new TForm();
    Application().AdoptForm(form, {});
    ASSERT_EQ(Application().MainForm(), form);
    form->SetBounds(60, 60, 320, 240);
    skin = new TbsSkinData(form);
    const auto block = spv::ProgramSkinBlock();
    skin->LoadFromCompressedData(block.data(), block.size());
    ASSERT_FALSE(skin->IsEmpty);
    hint = new TbsSkinHint(form);
    hint->SetSkinData(skin);
    form->Show();
    SetForegroundWindow(form->Handle());
    spv::test::PumpMessages();
    // A font whose one line is 16 pixels high, as the hint's own font when the skin's is off.
    arial.SetName(L"Arial");
    arial.SetHeight(16);
    hint->SetUseSkinFont(false);
    hint->DefaultFont().Assign(arial);
  }
  void TearDown() override { delete form; }

  // Shows `text` in the component's own hint window with its top-left asked at (x, y).
  HWND Show(const std::wstring& text, int x = 150, int y = 150) {
    TbsSkinHintWindow& w = hint->HintWindow();
    w.ActivateHint({x, y, x, y}, text);
    spv::test::PumpMessages();
    return w.Handle();
  }
  static SIZE SizeOf(HWND window) {
    const RECT r = BoundsOf(window);
    return {r.right - r.left, r.bottom - r.top};
  }

  TSavedPauses pauses;
  TForm* form = nullptr;
  TbsSkinData* skin = nullptr;
  TbsSkinHint* hint = nullptr;
  TFont arial;
};

TEST_F(SkinHintTest, TheComponentPutsTheSkinnedWindowInTheApplicationsPlace) {
  auto* applications = dynamic_cast<TbsSkinHintWindow*>(ApplicationHints().HintWindow());
  ASSERT_NE(applications, nullptr);
  EXPECT_EQ(ApplicationHints().HintShortPause, 100u);
  EXPECT_NE(applications, &hint->HintWindow()) << "the component shows object hints in its own window";
  // The show-hint event of the application reaches the component's handler.
  int shown = 0;
  hint->OnShowHint = [&](std::wstring&, bool&, THintInfo&) { ++shown; };
  std::wstring text = L"x";
  bool canShow = true;
  THintInfo info;
  ApplicationHints().OnShowHint(text, canShow, info);
  EXPECT_EQ(shown, 1);
  // Once the component is gone, the class stays, and the event goes nowhere.
  delete hint;
  hint = nullptr;
  EXPECT_NE(dynamic_cast<TbsSkinHintWindow*>(ApplicationHints().HintWindow()), nullptr);
  EXPECT_FALSE(ApplicationHints().OnShowHint);
}

TEST_F(SkinHintTest, TheHintTakesItsSizeFromTheTextAndTheSkinsBorders) {
  const struct {
    int textWidth;
    bool skinned;
    SIZE expected;
  } cases[] = {{100, true, {111, 32}}, {30, true, {69, 32}}, {100, false, {104, 20}}};
  for (const auto& c : cases) {
    const std::wstring text = TextOfWidth(arial, c.textWidth);
    ASSERT_FALSE(text.empty()) << c.textWidth;
    ASSERT_EQ(MeasuredText(arial, text).cy, 16);
    hint->SetSkinData(c.skinned ? skin : nullptr);
    const HWND window = Show(text);
    const SIZE size = SizeOf(window);
    EXPECT_EQ(size.cx, c.expected.cx) << c.textWidth << (c.skinned ? " skinned" : " built-in");
    EXPECT_EQ(size.cy, c.expected.cy) << c.textWidth << (c.skinned ? " skinned" : " built-in");
    EXPECT_EQ(hint->HintWindow().DrawingSkin(), c.skinned ? skin : nullptr);

    // The text sits in the middle of the client rect: (6, 6)-(W - 5, H - 10) with the skin,
    // two pixels in without one.
    const TbsFBitmap shot = ScreenOf(window);
    const TRect client = c.skinned ? TRect{6, 6, size.cx - 5, size.cy - 10} : TRect{2, 2, size.cx - 2, size.cy - 2};
    const TRect ink = InkBounds(shot, client);
    ASSERT_GT(ink.Right, ink.Left) << "no text drawn";
    EXPECT_NEAR((ink.Left + ink.Right) / 2.0, c.skinned ? (client.Left + client.Right) / 2.0 : 2 + 50, 2.5)
        << c.textWidth;
    spv::test::SaveWindowPng(window, "hint-" + std::to_string(c.textWidth) + (c.skinned ? "-skinned" : "-builtin"));
    hint->HideObjectHint();
  }
  // The skin's own font, Arial 14, is 14 pixels high: one line gives a hint 6 + 14 + 10 high.
  hint->SetSkinData(skin);
  hint->SetUseSkinFont(true);
  TFont skinFont;
  skinFont.SetName(L"Arial");
  skinFont.SetHeight(skin->HintWindow.FontHeight);
  const std::wstring text = TextOfWidth(skinFont, 100);
  const SIZE size = SizeOf(Show(text));
  EXPECT_EQ(size.cx, 111);
  EXPECT_EQ(size.cy, 6 + MeasuredText(skinFont, text).cy + 10);
  spv::test::SaveWindowPng(hint->HintWindow().Handle(), "hint-100-skin-font");
}

TEST_F(SkinHintTest, NearTheScreensEdgesTheHintGoesToTheOtherSideOfThePoint) {
  const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
  const std::wstring text = TextOfWidth(arial, 100);
  const struct {
    POINT at;
    POINT topLeft;
  } cases[] = {{{150, 150}, {150, 150}},
               {{sw - 50, 150}, {sw - 50 - 111 - 2, 150}},
               {{150, sh - 10}, {150, sh - 10 - 32 - 2}},
               {{sw - 1, sh - 1}, {sw - 1 - 111 - 2, sh - 1 - 32 - 2}}};
  for (const auto& c : cases) {
    const RECT r = BoundsOf(Show(text, c.at.x, c.at.y));
    EXPECT_EQ(r.left, c.topLeft.x) << c.at.x << "," << c.at.y;
    EXPECT_EQ(r.top, c.topLeft.y) << c.at.x << "," << c.at.y;
    EXPECT_LE(r.right, sw);
    EXPECT_LE(r.bottom, sh);
  }
}

TEST_F(SkinHintTest, TheWindowHasNoBorderStaysOnTopNeverTakesTheForegroundAndHasTheMasksShape) {
  ASSERT_EQ(GetForegroundWindow(), form->Handle());
  // A small font keeps the hint at the picture's own size, where the shape is the mask itself.
  hint->DefaultFont().SetHeight(8);
  const HWND window = Show(L"ab");
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_EQ(GetForegroundWindow(), form->Handle());
  EXPECT_EQ(GetWindowLongPtrW(window, GWL_STYLE) & (WS_BORDER | WS_CAPTION | WS_THICKFRAME), 0);
  EXPECT_NE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  EXPECT_NE(GetClassLongPtrW(window, GCL_STYLE) & CS_DROPSHADOW, 0u);
  EXPECT_EQ(SendMessageW(window, WM_MOUSEACTIVATE, WPARAM(form->Handle()), MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)),
            MA_NOACTIVATE);
  // A click on it leaves the form in front.
  const RECT r = BoundsOf(window);
  SetCursorPos(r.left + 30, r.top + 12);
  INPUT clicks[2]{};
  clicks[0].type = clicks[1].type = INPUT_MOUSE;
  clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, clicks, sizeof(INPUT));
  spv::test::PumpMessages(100);
  EXPECT_EQ(GetForegroundWindow(), form->Handle());

  const SIZE size = SizeOf(window);
  const TbsDataSkinHintWindow& d = skin->HintWindow;
  const TImage& mask = skin->ActivePicture(d.MaskPictureIndex)->Image;
  ASSERT_EQ(size.cx, mask.Width());
  ASSERT_EQ(size.cy, mask.Height());
  TbsRegionHandle shape(CreateRectRgn(0, 0, 0, 0));
  ASSERT_NE(GetWindowRgn(window, shape.get()), ERROR);
  int outside = 0;
  for (int y = 0; y < size.cy; ++y)
    for (int x = 0; x < size.cx; ++x) {
      const TPixel m = mask.At(x, y);
      const TRect& c = d.Corners.ClientRect;
      const bool inClient = c.Left <= x && x < c.Right && c.Top <= y && y < c.Bottom;
      const bool expected = inClient || m.R + m.G + m.B == 0;
      outside += !expected;
      EXPECT_EQ(PtInRegion(shape.get(), x, y) != FALSE, expected) << x << "," << y;
    }
  EXPECT_GT(outside, 0) << "the mask cuts the corners off";
}

TEST_F(SkinHintTest, BlendingOnOffAndOnAgainWithTheSameValue) {
  const std::wstring text = TextOfWidth(arial, 100);
  // A window made layered again without its alpha set would show nothing at all.
  const struct {
    bool blend;
    int alpha;  // -1: not layered, or layered without an alpha
  } steps[] = {{true, 128}, {false, -1}, {true, 128}, {true, 200}};
  int i = 0;
  for (const auto& s : steps) {
    hint->SetAlphaBlend(s.blend);
    hint->SetAlphaBlendValue(BYTE(std::max(s.alpha, 0)));
    const HWND window = Show(text, 100, 100);
    EXPECT_EQ(Layered(window), s.blend) << "step " << i;
    EXPECT_EQ(AlphaOf(window), s.alpha) << "step " << i;
    hint->HideObjectHint();
    ++i;
  }
}

TEST_F(SkinHintTest, ActivatingOneComponentDeactivatesTheOthersOfTheMainForm) {
  auto* second = new TbsSkinHint(form);
  second->SetSkinData(nullptr);
  auto* elsewhere = new TbsSkinHint();  // owned by no form: left alone
  EXPECT_TRUE(hint->Active());
  EXPECT_TRUE(second->Active());
  second->SetActive(true);
  EXPECT_FALSE(hint->Active());
  EXPECT_TRUE(second->Active());
  EXPECT_TRUE(elsewhere->Active());
  // The one in charge draws every hint: here without a skin.
  Show(TextOfWidth(arial, 100));
  EXPECT_EQ(hint->HintWindow().HintInCharge(), second);
  EXPECT_EQ(hint->HintWindow().DrawingSkin(), nullptr);
  hint->SetActive(true);
  EXPECT_FALSE(second->Active());
  Show(TextOfWidth(arial, 100));
  EXPECT_EQ(hint->HintWindow().HintInCharge(), hint);
  EXPECT_EQ(hint->HintWindow().DrawingSkin(), skin);
  // With none active, nothing shows.
  hint->HideObjectHint();
  hint->SetActive(false);
  EXPECT_FALSE(IsWindowVisible(Show(L"nothing")));
  delete elsewhere;
}

TEST_F(SkinHintTest, TheApplicationsHintWindowNeverReadsAComponentThatIsGone) {
  THintWindow* window = ApplicationHints().HintWindow();
  ASSERT_NE(window, nullptr);
  window->ActivateHint({120, 120, 120, 120}, L"Close");
  spv::test::PumpMessages();
  ASSERT_TRUE(IsWindowVisible(window->Handle()));
  auto* skinned = dynamic_cast<TbsSkinHintWindow*>(window);
  ASSERT_NE(skinned, nullptr);
  EXPECT_EQ(skinned->HintInCharge(), hint);
  // The skin goes first: the hint goes with it.
  delete skin;
  skin = nullptr;
  EXPECT_FALSE(IsWindowVisible(window->Handle()));
  EXPECT_EQ(skinned->DrawingSkin(), nullptr);
  EXPECT_EQ(hint->SkinData(), nullptr);
  window->ActivateHint({120, 120, 120, 120}, L"Close");
  spv::test::PumpMessages();
  EXPECT_TRUE(IsWindowVisible(window->Handle()));
  EXPECT_EQ(SizeOf(window->Handle()).cy, MeasuredText(hint->DefaultFont(), L"Close").cy + 4) << "built-in look";
  delete hint;
  hint = nullptr;
  EXPECT_FALSE(IsWindowVisible(window->Handle()));
  EXPECT_EQ(skinned->HintInCharge(), nullptr);
  // A paint now has nothing to read and draws nothing.
  RedrawWindow(window->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  window->ActivateHint({120, 120, 120, 120}, L"Close");
  EXPECT_FALSE(IsWindowVisible(window->Handle())) << "no component, no hint";
}

// ---- Hints of the caption buttons --------------------------------------------------------------

class CaptionButtonHintTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ApplicationHints().HintPause = 300;
    ApplicationHints().HintHidePause = 800;
    w = std::make_unique<TFramedWindow>(true);
    Application().AdoptForm(w->form.get(), {});
    hint = new TbsSkinHint(w->form.get());
    hint->SetSkinData(w->skin);
    w->frame->SkinHint = hint;
    w->frame->ShowObjectHint = true;
  }
  void TearDown() override { w.reset(); }

  // Puts the pointer on a caption button and lets the frame find it.
  POINT Hover(std::string_view name) {
    const TRect r = w->RectOf(name);
    const int x = r.Left + r.Width() / 2, y = r.Top + r.Height() / 2;
    w->CursorAt(x, y);
    w->HitAt(x, y);
    const int index = w->IndexOf(name);
    EXPECT_TRUE(spv::test::PumpUntil([&] { return w->frame->HotIndex() == index; })) << name;
    POINT p;
    GetCursorPos(&p);
    return p;
  }
  bool HintVisible() const { return IsWindowVisible(hint->HintWindow().Handle()) != FALSE; }

  TSavedPauses pauses;
  std::unique_ptr<TFramedWindow> w;
  TbsSkinHint* hint = nullptr;
};

TEST_F(CaptionButtonHintTest, AButtonsHintShowsAfterThePauseBelowThePointerAndGoesAfterTheHidePause) {
  const POINT p = Hover("closebutton");
  EXPECT_TRUE(hint->ObjectHintPending());
  EXPECT_FALSE(HintVisible()) << "not before the hint pause";
  ASSERT_TRUE(spv::test::PumpUntil([&] { return HintVisible(); }));
  const RECT r = BoundsOf(hint->HintWindow().Handle());
  EXPECT_EQ(hint->HintWindow().Caption(), L"Close");
  EXPECT_EQ(r.left, p.x);
  EXPECT_GT(r.top, p.y) << "below the pointer";
  EXPECT_EQ(r.top - p.y, CursorHeightBelowHotSpot(GetCursor()));
  EXPECT_EQ(GetForegroundWindow(), w->Handle());
  const RECT frame = w->Bounds();
  RECT shot;
  UnionRect(&shot, &r, &frame);
  shot.right += 10;
  shot.left = shot.right - 270;
  shot.bottom = r.bottom + 10;
  spv::test::SaveScreenPng(shot, "hint-over-close-button");
  // The hide pause takes it away, the pointer still on the button.
  ASSERT_TRUE(spv::test::PumpUntil([&] { return !HintVisible(); }));
  EXPECT_FALSE(hint->ObjectHintPending());
  EXPECT_EQ(w->frame->HotIndex(), w->IndexOf("closebutton"));
}

TEST_F(CaptionButtonHintTest, AClickOrLeavingTheButtonTakesTheHintAway) {
  Hover("minbutton");
  ASSERT_TRUE(spv::test::PumpUntil([&] { return HintVisible(); }));
  EXPECT_EQ(hint->HintWindow().Caption(), L"Minimize");
  const TRect r = w->RectOf("minbutton");
  SendMessageW(w->Handle(), WM_NCLBUTTONDOWN, HTOBJECT, w->ScreenAt(r.Left + 3, r.Top + 3));
  EXPECT_FALSE(HintVisible()) << "a click hides it";
  EXPECT_FALSE(hint->ObjectHintPending());
  // Released far from the button: no command.
  const RECT b = w->Bounds();
  w->CursorAt((b.right - b.left) / 2, (b.bottom - b.top) / 2);
  SendMessageW(w->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(200, 200));
  ReleaseCapture();
  ASSERT_TRUE(spv::test::PumpUntil([&] { return w->frame->HotIndex() == -1; }));
  ASSERT_EQ(w->frame->WindowState(), wsNormal);

  // Leaving before the pause: nothing ever shows.
  Hover("maxbutton");
  EXPECT_TRUE(hint->ObjectHintPending());
  w->CursorAt((b.right - b.left) / 2, (b.bottom - b.top) / 2);
  ASSERT_TRUE(spv::test::PumpUntil([&] { return w->frame->HotIndex() == -1; }));
  EXPECT_FALSE(hint->ObjectHintPending());
  spv::test::PumpMessages(ApplicationHints().HintPause + 200);
  EXPECT_FALSE(HintVisible());
}

TEST_F(CaptionButtonHintTest, AFrameForgetsAHintComponentThatIsGone) {
  delete hint;
  hint = nullptr;
  EXPECT_EQ(w->frame->SkinHint, nullptr);
  // The pointer over a button now asks nothing of it.
  Hover("closebutton");
  spv::test::PumpMessages(100);
}

// A control's hint, shown by the application's hint loop, comes in the skinned window the
// component put in the application's place, and the component's show-hint event hears it.
TEST_F(CaptionButtonHintTest, AControlsHintShowsInTheSkinnedHintWindow) {
  auto* panel = new TPanel(w->form.get());
  panel->SetParent(w->form.get());
  panel->SetBounds(20, 20, 120, 60);
  panel->Hint = L"Панель";
  w->form->SetShowHint(true);
  std::vector<TControl*> heard;
  hint->OnShowHint = [&](std::wstring&, bool&, THintInfo& info) { heard.push_back(info.HintControl); };
  spv::test::PumpMessages(50);
  const POINT p = panel->ClientToScreen({60, 30});
  INPUT in = spv::test::PointerInput(p, 0);
  SendInput(1, &in, sizeof(INPUT));
  auto* window = dynamic_cast<TbsSkinHintWindow*>(ApplicationHints().HintWindow());
  ASSERT_TRUE(spv::test::PumpUntil([&] { return ApplicationHints().HintShowing(); }));
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window, ApplicationHints().HintWindow());
  EXPECT_EQ(window->Caption(), L"Панель");
  EXPECT_EQ(window->HintInCharge(), hint);
  EXPECT_EQ(window->DrawingSkin(), w->skin);
  EXPECT_EQ(heard, (std::vector<TControl*>{panel}));
  const RECT r = BoundsOf(window->Handle());
  EXPECT_EQ(r.left, p.x);
  EXPECT_EQ(r.top - p.y, CursorHeightBelowHotSpot(GetCursor()));
  spv::test::SaveWindowPng(window->Handle(), "hint-skinned-control");
  ApplicationHints().CancelHint();
  EXPECT_FALSE(IsWindowVisible(window->Handle()));
  spv::test::ParkPointer();
}

}  // namespace
}  // namespace bs
