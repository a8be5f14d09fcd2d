// The skinned frame's window behaviours on real windows: live resizing, maximising,
// minimising, rolling up and restoring, which caption buttons are usable and their hints,
// magnetic edges, fade-in, the client background, the form cursor over the frame, what the
// frame keeps from the form's own window procedure, reading the frame from a form
// description, giving the form its own frame back, and the client size kept across skins.
#include "FramedWindow.h"
#include "platform/FormReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace bs {
namespace {

using namespace spv::platform;
using namespace frame_test;

RECT SizedAt(const RECT& r, int width, int height) { return {r.left, r.top, r.left + width, r.top + height}; }

RECT MonitorRect(HWND window, bool workArea) {
  MONITORINFO mi{};
  mi.cbSize = sizeof(mi);
  GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &mi);
  return workArea ? mi.rcWork : mi.rcMonitor;
}

// Where a maximised window goes: its monitor's work area, one pixel inside when that is the
// whole primary screen.
RECT MaximizedBounds(HWND window) {
  RECT r = MonitorRect(window, true);
  const RECT monitor = MonitorRect(window, false);
  const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (EqualRect(&r, &monitor) && EqualRect(&r, &screen)) InflateRect(&r, -1, -1);
  return r;
}

bool SameRect(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }

// The window's alpha, or -1 when it is not a layered window with an alpha set.
int AlphaOf(HWND window) {
  BYTE alpha = 0;
  DWORD flags = 0;
  if (!(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_LAYERED)) return -1;
  if (!GetLayeredWindowAttributes(window, nullptr, &alpha, &flags) || !(flags & LWA_ALPHA)) return -1;
  return alpha;
}

bool Layered(HWND window) { return (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_LAYERED) != 0; }

class SkinFrameBehaviourTest : public SkinFrameTest {
 protected:
  // Presses a caption button as the pointer does and releases it over the button.
  void Click(std::string_view name) {
    const TRect r = w->RectOf(name);
    const int x = r.Left + r.Width() / 2, y = r.Top + r.Height() / 2, index = w->IndexOf(name);
    w->CursorAt(x, y);
    ASSERT_EQ(w->HitAt(x, y), HTOBJECT) << name;
    ASSERT_TRUE(spv::test::PumpUntil([&] { return w->frame->HotIndex() == index; })) << name;
    SendMessageW(w->Handle(), WM_NCLBUTTONDOWN, HTOBJECT, w->ScreenAt(x, y));
    ASSERT_EQ(w->frame->PressedIndex(), index) << name;
    const TRect client = w->frame->Layout().ClientRect;
    SendMessageW(w->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x - client.Left, y - client.Top));
    spv::test::PumpMessages();
  }
  // The pointer to the middle of the client area, where no object is hot.
  void PointerAway() {
    const RECT r = w->Bounds();
    w->CursorAt((r.right - r.left) / 2, (r.bottom - r.top) / 2);
    ASSERT_TRUE(spv::test::PumpUntil([&] { return w->frame->HotIndex() == -1; }));
  }
  void DoubleClickCaption(int x = 200) {
    SendMessageW(w->Handle(), WM_NCLBUTTONDBLCLK, HTCAPTION, w->ScreenAt(x, 10));
    spv::test::PumpMessages();
  }
};

// ---- Live resizing --------------------------------------------------------------------------

TEST_F(SkinFrameBehaviourTest, LiveResizingBuildsTheFrameForTheProposedSizeFirst) {
  TFullDragSetting full(true);
  const HWND h = w->Handle();
  const RECT before = w->Bounds();
  SendMessageW(h, WM_ENTERSIZEMOVE, 0, 0);
  EXPECT_TRUE(w->frame->InSizeMove());

  RECT proposed = SizedAt(before, 700, 450);
  SendMessageW(h, WM_SIZING, WMSZ_BOTTOMRIGHT, LPARAM(&proposed));
  EXPECT_TRUE(SameRect(w->Bounds(), before)) << "Windows has not applied the size yet";
  EXPECT_EQ(w->frame->Layout().Width, 700);
  EXPECT_EQ(w->frame->Layout().Height, 450);
  EXPECT_EQ(w->RectOf("closebutton"), (TRect{669, 7, 685, 15}));
  EXPECT_TRUE(ShapedFor(h, *w->skin, 700, 450)) << "the region of the coming size";

  // The loop applies the size; an object lit meanwhile is let go when the loop ends.
  SetWindowPos(h, nullptr, 0, 0, 700, 450, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(w->RectOf("closebutton"), (TRect{669, 7, 685, 15}));
  w->CursorAt(675, 10);
  ASSERT_EQ(w->HitAt(675, 10), HTOBJECT);
  ASSERT_EQ(w->frame->HotIndex(), w->IndexOf("closebutton"));
  SendMessageW(h, WM_EXITSIZEMOVE, 0, 0);
  EXPECT_EQ(w->frame->HotIndex(), -1);
  EXPECT_EQ(w->frame->PressedIndex(), -1);
  EXPECT_FALSE(w->frame->FrameTimerRunning());

  // Out of the loop, a size change lays the frame out again.
  w->form->SetBounds(100, 80, 640, 420);
  spv::test::PumpMessages();
  EXPECT_EQ(w->frame->Layout().Width, 640);
  EXPECT_EQ(w->RectOf("closebutton"), (TRect{609, 7, 625, 15}));
  EXPECT_TRUE(ShapedFor(h, *w->skin, 640, 420));
}

TEST_F(SkinFrameBehaviourTest, SizingWithoutFullWindowDragOrOutsideTheLoopChangesNothing) {
  const struct {
    bool fullDrag, inLoop;
  } cases[] = {{false, true}, {true, false}};
  const HWND h = w->Handle();
  for (const auto& c : cases) {
    TFullDragSetting drag(c.fullDrag);
    if (c.inLoop) SendMessageW(h, WM_ENTERSIZEMOVE, 0, 0);
    RECT proposed = SizedAt(w->Bounds(), 700, 450);
    SendMessageW(h, WM_SIZING, WMSZ_BOTTOMRIGHT, LPARAM(&proposed));
    EXPECT_EQ(w->frame->Layout().Width, 612) << c.fullDrag << c.inLoop;
    EXPECT_EQ(w->RectOf("closebutton"), (TRect{581, 7, 597, 15})) << c.fullDrag << c.inLoop;
    EXPECT_TRUE(ShapedFor(h, *w->skin, 612, 400)) << c.fullDrag << c.inLoop;
    if (c.inLoop) SendMessageW(h, WM_EXITSIZEMOVE, 0, 0);
  }
}

// ---- Maximise and restore -------------------------------------------------------------------

TEST_F(SkinFrameBehaviourTest, TheMaximizeButtonMaximizesAndRestores) {
  const RECT normal = w->Bounds();
  EXPECT_TRUE(w->ShowsButton(w->Painted(), "maxbutton", Normal));

  Click("maxbutton");
  ASSERT_EQ(w->frame->WindowState(), wsMaximized);
  EXPECT_TRUE(SameRect(w->Bounds(), MaximizedBounds(w->Handle())));
  PointerAway();
  EXPECT_TRUE(w->ShowsButton(w->Painted(), "maxbutton", &TbsDataSkinStdButton::RestoreRect))
      << "the restore image while maximised";
  spv::test::SaveWindowPng(w->Handle(), "frame-maximized");

  // A maximised window stays where it is when dragged.
  const RECT maximized = w->Bounds();
  RECT dragged = maximized;
  OffsetRect(&dragged, 40, 30);
  SendMessageW(w->Handle(), WM_MOVING, WMSZ_TOP, LPARAM(&dragged));
  EXPECT_TRUE(SameRect(dragged, maximized));

  Click("maxbutton");
  EXPECT_EQ(w->frame->WindowState(), wsNormal);
  EXPECT_TRUE(SameRect(w->Bounds(), normal)) << "the restore bounds given back";
  PointerAway();
  EXPECT_TRUE(w->ShowsButton(w->Painted(), "maxbutton", Normal));
}

TEST_F(SkinFrameBehaviourTest, MaximizedOnFullScreenTheWindowCoversItsWholeMonitor) {
  w->frame->MaximizeOnFullScreen = true;
  w->frame->SetWindowState(wsMaximized);
  spv::test::PumpMessages();
  const RECT monitor = MonitorRect(w->Handle(), false);
  EXPECT_TRUE(SameRect(w->Bounds(), monitor));
  MINMAXINFO info{};
  SendMessageW(w->Handle(), WM_GETMINMAXINFO, 0, LPARAM(&info));
  EXPECT_EQ(info.ptMaxTrackSize.x, monitor.right - monitor.left);
  EXPECT_EQ(info.ptMaxTrackSize.y, monitor.bottom - monitor.top);
}

TEST_F(SkinFrameBehaviourTest, MinimizedWindowsBecomeBarsSideBySideAtTheBottomOfTheWorkArea) {
  TFramedWindow other(true, 500, 300);
  const RECT area = MonitorRect(w->Handle(), true);
  const RECT normal = w->Bounds(), otherNormal = other.Bounds();
  w->frame->SetWindowState(wsMinimized);
  other.frame->SetWindowState(wsMinimized);
  spv::test::PumpMessages();
  EXPECT_EQ(w->frame->WindowState(), wsMinimized);
  EXPECT_TRUE(SameRect(w->Bounds(), {area.left, area.bottom - 30, area.left + 179, area.bottom}));
  EXPECT_TRUE(SameRect(other.Bounds(), {area.left + 179, area.bottom - 30, area.left + 358, area.bottom}))
      << "beside the bar already there";
  for (const POINT p : {POINT{1, 15}, POINT{178, 15}, POINT{90, 28}}) {
    const int code = w->HitAt(p.x, p.y);
    EXPECT_FALSE(code >= HTLEFT && code <= HTBOTTOMRIGHT) << p.x << ", " << p.y << ": a bar has no sizing edges";
  }

  // A double click on a bar's caption restores its window.
  DoubleClickCaption(90);
  EXPECT_EQ(w->frame->WindowState(), wsNormal);
  other.frame->SetWindowState(wsNormal);
  spv::test::PumpMessages();
  EXPECT_TRUE(SameRect(w->Bounds(), normal));
  EXPECT_TRUE(SameRect(other.Bounds(), otherNormal));
}

TEST_F(SkinFrameBehaviourTest, ACaptionDoubleClickMaximizesRestoresAndRollsDown) {
  const RECT normal = w->Bounds();
  DoubleClickCaption();
  EXPECT_EQ(w->frame->WindowState(), wsMaximized);
  EXPECT_TRUE(SameRect(w->Bounds(), MaximizedBounds(w->Handle())));
  DoubleClickCaption();
  EXPECT_EQ(w->frame->WindowState(), wsNormal);
  EXPECT_TRUE(SameRect(w->Bounds(), normal));

  w->frame->SetRollUp(true);
  spv::test::PumpMessages();
  ASSERT_EQ(w->Bounds().bottom - w->Bounds().top, 30);
  DoubleClickCaption();
  EXPECT_FALSE(w->frame->RolledUp());
  EXPECT_EQ(w->frame->WindowState(), wsNormal) << "rolled up, a double click only rolls down";
  EXPECT_TRUE(SameRect(w->Bounds(), normal)) << "the saved height";
}

TEST_F(SkinFrameBehaviourTest, AWindowRolledUpBeforeMaximizingComesBackRolledUp) {
  const RECT normal = w->Bounds();
  w->frame->SetRollUp(true);
  spv::test::PumpMessages();
  Click("maxbutton");
  ASSERT_EQ(w->frame->WindowState(), wsMaximized);
  EXPECT_TRUE(SameRect(w->Bounds(), MaximizedBounds(w->Handle())));
  w->frame->SetRollUp(false);
  EXPECT_TRUE(w->frame->RolledUp()) << "rolling down is refused while maximised";

  Click("maxbutton");
  EXPECT_EQ(w->frame->WindowState(), wsNormal);
  EXPECT_TRUE(w->frame->RolledUp());
  EXPECT_TRUE(SameRect(w->Bounds(), SizedAt(normal, 612, 30))) << "the rolled-up window it was";
  DoubleClickCaption();
  EXPECT_FALSE(w->frame->RolledUp());
  EXPECT_TRUE(SameRect(w->Bounds(), normal));
}

TEST_F(SkinFrameBehaviourTest, AWindowRolledUpWhileMaximizedIsUnrolledAndRestoredByTheButton) {
  const RECT normal = w->Bounds();
  Click("maxbutton");
  ASSERT_EQ(w->frame->WindowState(), wsMaximized);
  const RECT maximized = w->Bounds();
  w->frame->SetRollUp(true);
  spv::test::PumpMessages();
  EXPECT_TRUE(SameRect(w->Bounds(), SizedAt(maximized, maximized.right - maximized.left, 30)));
  Click("maxbutton");
  EXPECT_EQ(w->frame->WindowState(), wsNormal);
  EXPECT_FALSE(w->frame->RolledUp());
  EXPECT_TRUE(SameRect(w->Bounds(), normal));
}

TEST_F(SkinFrameBehaviourTest, ACaptionDoubleClickRollsAFixedWindowUpAndLeavesADialogAlone) {
  const struct {
    TFormBorderStyle style;
    TbsBorderIcons icons;
    bool rolls;
  } cases[] = {
      {TFormBorderStyle::bsSingle, biSystemMenu | biMinimize | biMaximize | biRollUp, true},
      {TFormBorderStyle::bsSizeable, 0, false},  // the dialogs' icons
  };
  for (const auto& c : cases) {
    w->form->SetBorderStyle(c.style);
    w->frame->SetBorderIcons(c.icons);
    w->form->SetBounds(100, 80, 612, 400);
    spv::test::PumpMessages();
    DoubleClickCaption();
    EXPECT_EQ(w->frame->WindowState(), wsNormal) << int(c.style);
    EXPECT_EQ(w->frame->RolledUp(), c.rolls) << int(c.style);
    EXPECT_EQ(w->Bounds().bottom - w->Bounds().top, c.rolls ? 30 : 400) << int(c.style);
    DoubleClickCaption();
    EXPECT_FALSE(w->frame->RolledUp()) << int(c.style);
    EXPECT_EQ(w->Bounds().bottom - w->Bounds().top, 400) << int(c.style);
  }
}

TEST(SkinFrameFirstShowTest, RestoredBeforeItWasEverShownTheWindowIsPlacedByItsPositionInMonitor) {
  TForm form;
  auto* skin = new TbsSkinData(&form);
  const auto block = spv::ProgramSkinBlock();
  skin->LoadFromCompressedData(block.data(), block.size());
  auto* frame = new TbsSkinForm(&form);
  frame->SetSkinData(skin);
  frame->PositionInMonitor = TbsPositionInMonitor::bspDesktopCenter;
  form.SetBounds(10, 10, 400, 300);
  frame->SetWindowState(wsMaximized);
  frame->SetWindowState(wsNormal);
  const RECT area = MonitorRect(form.Handle(), true);
  const int left = area.left + (area.right - area.left) / 2 - 200, top = area.top + (area.bottom - area.top) / 2 - 150;
  EXPECT_TRUE(SameRect(form.BoundsRect(), {left, top, left + 400, top + 300}));
}

// ---- Which buttons are usable, and their hints ---------------------------------------------

TEST_F(SkinFrameBehaviourTest, BorderIconsAndHiddenButtonsDecideWhichButtonsWork) {
  constexpr TbsBorderIcons all = biSystemMenu | biMinimize | biMaximize | biRollUp;
  const char* names[] = {"closebutton", "maxbutton", "minbutton", "rollupbutton", "sysmenubutton"};
  const TRect closePlace = w->RectOf("closebutton");
  struct TState {
    bool enabled, visible;
  };
  const struct {
    TbsBorderIcons icons;
    bool hide;
    TState states[5];  // in the order of `names`
  } cases[] = {
      // Drawn from an active picture, a disabled button goes; one on the frame picture stays.
      {all & ~biMaximize, false, {{true, true}, {false, false}, {true, true}, {true, true}, {true, true}}},
      {all & ~biSystemMenu, false, {{true, true}, {true, true}, {true, true}, {true, true}, {false, true}}},
      {all, true, {{false, false}, {false, false}, {false, false}, {false, false}, {false, true}}},
  };
  for (const auto& c : cases) {
    w->frame->SetBorderIcons(c.icons);
    w->frame->SetHideCaptionButtons(c.hide);
    spv::test::PumpMessages();
    for (std::size_t i = 0; i < std::size(names); ++i) {
      const TbsActiveSkinObject& o = *w->frame->FindObject(names[i]);
      EXPECT_EQ(o.Enabled, c.states[i].enabled) << c.icons << c.hide << " " << names[i];
      EXPECT_EQ(o.Visible, c.states[i].visible) << c.icons << c.hide << " " << names[i];
      if (!o.Visible) continue;
      // Only an enabled button lights up under the pointer.
      const TRect r = o.ObjectRect;
      const int index = w->IndexOf(names[i]);
      w->CursorAt(r.Left + r.Width() / 2, r.Top + r.Height() / 2);
      w->HitAt(r.Left + r.Width() / 2, r.Top + r.Height() / 2);
      if (o.Enabled) {
        EXPECT_TRUE(spv::test::PumpUntil([&] { return w->frame->HotIndex() == index; })) << names[i];
      } else {
        spv::test::PumpMessages(150);
        EXPECT_EQ(w->frame->HotIndex(), -1) << names[i];
      }
      PointerAway();
    }
    const TbsFBitmap painted = w->Painted();
    const TbsDataSkinStdButton& sysmenu = w->Description("sysmenubutton");
    EXPECT_TRUE(ShowsPiece(painted, w->RectOf("sysmenubutton"), w->skin->Picture.Image, sysmenu.SkinRect))
        << "disabled without a disabled image, the frame picture shows";
    const TbsDataSkinStdButton& close = w->Description("closebutton");
    EXPECT_EQ(ShowsPiece(painted, closePlace, w->skin->ActivePicture(close.ActivePictureIndex)->Image, close.SkinRect),
              !c.hide)
        << "a hidden close button is not drawn";
  }
  // Without the maximise button the row closes up.
  w->frame->SetHideCaptionButtons(false);
  w->frame->SetBorderIcons(all & ~biMaximize);
  EXPECT_EQ(w->RectOf("minbutton"), (TRect{565, 7, 581, 15}));
  EXPECT_EQ(w->RectOf("rollupbutton"), (TRect{549, 7, 565, 15}));
}

TEST_F(SkinFrameBehaviourTest, CaptionButtonsGetTheDefaultHintsOfTheirCommands) {
  const struct {
    const char* name;
    const char* hint;
  } cases[] = {{"closebutton", "Close"},        {"maxbutton", "Maximize"},   {"minbutton", "Minimize"},
               {"sysmenubutton", "System menu"}, {"rollupbutton", "Roll Up"}};
  auto description = [&](const char* name) -> TbsDataSkinObject& {
    return *w->skin->SkinObjects[std::size_t(w->skin->FindSkinObject(name))];
  };
  for (const auto& c : cases) description(c.name).Hint = std::string("skin's own ") + c.name;
  w->frame->ApplySkin();
  for (const auto& c : cases) EXPECT_EQ(w->frame->FindObject(c.name)->Hint, c.hint) << c.name;
  // A new string table of the skin loads them again.
  for (const auto& c : cases) w->frame->FindObject(c.name)->Hint.clear();
  SendMessageW(w->Handle(), WM_SKIN_STRINGS_CHANGED, 0, 0);
  for (const auto& c : cases) EXPECT_EQ(w->frame->FindObject(c.name)->Hint, c.hint) << c.name;
  w->frame->UseDefaultObjectHint = false;
  w->frame->ApplySkin();
  for (const auto& c : cases)
    EXPECT_EQ(w->frame->FindObject(c.name)->Hint, std::string("skin's own ") + c.name) << c.name;
  // Shown over the button under the pointer, hidden when it leaves.
  struct TRecordingHint : TbsObjectHint {
    void ActivateHint(const std::wstring& text) override { shown.push_back(text); }
    void HideHint() override { ++hidden; }
    std::vector<std::wstring> shown;
    int hidden = 0;
  } hint;
  w->frame->SkinHint = &hint;
  w->frame->ShowObjectHint = true;
  w->frame->UseDefaultObjectHint = true;
  w->frame->ApplySkin();
  const TRect close = w->RectOf("closebutton");
  w->CursorAt(close.Left + 5, close.Top + 4);
  w->HitAt(close.Left + 5, close.Top + 4);
  ASSERT_TRUE(spv::test::PumpUntil([&] { return !hint.shown.empty(); }));
  EXPECT_EQ(hint.shown, (std::vector<std::wstring>{L"Close"}));
  const int hiddenBefore = hint.hidden;  // every size and move hides it too
  PointerAway();
  EXPECT_EQ(hint.hidden, hiddenBefore + 1);
  w->frame->SkinHint = nullptr;

  description("caption1").Hint = "the caption's own";
  w->frame->ApplySkin();
  EXPECT_EQ(w->frame->FindObject("caption1")->Hint, "the caption's own") << "only buttons take the defaults";
}

// ---- Magnetic edges -------------------------------------------------------------------------

TEST_F(SkinFrameBehaviourTest, AMagneticWindowSnapsOntoTheWorkAreasLeftEdge) {
  const RECT area = MonitorRect(w->Handle(), true);
  const struct {
    bool magnetic;
    int offset, left;  // the proposed left edge's distance from the work area's, where it ends
  } cases[] = {
      {true, 20, area.left + 20}, {false, 3, area.left + 3}, {true, 6, area.left + 6},
      {true, 3, area.left},       {true, -4, area.left},
  };
  // In this order no case starts from an edge snapped before.
  for (const auto& c : cases) {
    w->frame->Magnetic = c.magnetic;
    RECT r{area.left + c.offset, 300, area.left + c.offset + 612, 700};
    SendMessageW(w->Handle(), WM_MOVING, WMSZ_TOP, LPARAM(&r));
    EXPECT_EQ(r.left, c.left) << c.magnetic << " " << c.offset;
    EXPECT_EQ(r.right - r.left, 612) << c.offset;
    EXPECT_EQ(r.top, 300) << c.offset;
  }
}

// ---- Fade-in --------------------------------------------------------------------------------

TEST_F(SkinFrameBehaviourTest, AlphaBlendFadesTheWindowInAndHidingEndsTheLayering) {
  const HWND h = w->Handle();
  ASSERT_FALSE(Layered(h));
  w->form->Hide();
  w->frame->SetAlphaBlend(true);
  EXPECT_EQ(w->frame->AlphaBlendValue(), 200);
  w->form->Show();
  EXPECT_EQ(AlphaOf(h), 0) << "shown transparent, before the fade-in timer";
  EXPECT_TRUE(spv::test::PumpUntil([&] { return AlphaOf(h) == 200; }));
  spv::test::PumpMessages();
  EXPECT_EQ(AlphaOf(h), 200) << "it stays at its value";
  w->frame->SetAlphaBlendValue(120);
  EXPECT_EQ(AlphaOf(h), 120) << "a new value applies at once";
  w->form->Hide();
  EXPECT_FALSE(Layered(h));

  // The animation alone fades up to opaque and ends as an ordinary window.
  w->frame->SetAlphaBlend(false);
  w->frame->AlphaBlendAnimation = true;
  w->form->Show();
  EXPECT_EQ(AlphaOf(h), 0);
  EXPECT_TRUE(spv::test::PumpUntil([&] { return !Layered(h); }));
  EXPECT_TRUE(IsWindowVisible(h));

  // Switched at run time, the blending comes and goes at once.
  w->frame->SetAlphaBlend(true);
  EXPECT_EQ(AlphaOf(h), 120);
  w->frame->SetAlphaBlend(false);
  EXPECT_FALSE(Layered(h));
}

// ---- Client background ----------------------------------------------------------------------

// What erasing the background paints into a picture of the client's size, filled with a
// marker colour first so that what is left unpainted shows.
constexpr TPixel Marker{255, 0, 255};
TbsFBitmap Erased(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  TbsFBitmap picture(client.right, client.bottom);
  for (int y = 0; y < picture.Height(); ++y)
    for (int x = 0; x < picture.Width(); ++x) picture.At(x, y) = Marker;
  EXPECT_NE(SendMessageW(window, WM_ERASEBKGND, WPARAM(picture.DC()), 0), 0);
  GdiFlush();
  return picture;
}

// The pixels of `erased` that are not `tile` of `picture` repeated from the top-left corner.
int NotTiled(const TImage& erased, const TImage& picture, const TRect& tile) {
  int wrong = 0;
  for (int y = 0; y < erased.Height(); ++y)
    for (int x = 0; x < erased.Width(); ++x)
      wrong += !(erased.At(x, y) == picture.At(tile.Left + x % tile.Width(), tile.Top + y % tile.Height()));
  return wrong;
}

int NotOf(const TImage& erased, TPixel colour) {
  int wrong = 0;
  for (int y = 0; y < erased.Height(); ++y)
    for (int x = 0; x < erased.Width(); ++x) wrong += !(erased.At(x, y) == colour);
  return wrong;
}

TEST_F(SkinFrameBehaviourTest, TheClientIsTiledWithTheSkinsBackgroundPiece) {
  TbsFormInfo& info = w->skin->FormInfo;
  const TImage& pic = w->skin->Picture.Image;
  const TImage& active = w->skin->ActivePicture(2)->Image;
  const TPixel face = PixelOf(GetSysColor(COLOR_BTNFACE));
  const TRect clientPiece = info.Corners.ClientRect;
  ASSERT_LT(clientPiece.Width(), 604 / 2) << "the client holds more than one tile across";
  const struct {
    int bgPictureIndex;
    bool clientPiece;  // the skin's clientrect is set
  } cases[] = {{-1, true}, {2, true}, {-1, false}, {99, true}};
  for (const auto& c : cases) {
    info.BGPictureIndex = c.bgPictureIndex;
    info.Corners.ClientRect = c.clientPiece ? clientPiece : TRect{};
    const TbsFBitmap erased = Erased(w->Handle());
    ASSERT_EQ(erased.Width(), 604);
    ASSERT_EQ(erased.Height(), 370);
    if (c.bgPictureIndex == 2) EXPECT_EQ(NotTiled(erased, active, {0, 0, active.Width(), active.Height()}), 0);
    else if (c.bgPictureIndex == -1 && c.clientPiece) EXPECT_EQ(NotTiled(erased, pic, clientPiece), 0);
    else EXPECT_EQ(NotOf(erased, face), 0) << c.bgPictureIndex << " " << c.clientPiece << ": no piece to tile";
  }
}

TEST_F(SkinFrameBehaviourTest, TheLogoSitsInTheClientsBottomRightCorner) {
  const TImage& pic = w->skin->Picture.Image;
  const TRect tile = w->skin->FormInfo.Corners.ClientRect;
  const TPixel red{0, 0, 255};
  TBitmap& logo = w->frame->LogoBitMap();
  logo.SetSize(30, 20);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 30; ++x) logo.Image().At(x, y) = red;
  const TbsFBitmap erased = Erased(w->Handle());
  const int cw = erased.Width(), ch = erased.Height();
  for (const POINT p : {POINT{cw - 30, ch - 20}, POINT{cw - 1, ch - 1}, POINT{cw - 30, ch - 1}})
    EXPECT_EQ(erased.At(p.x, p.y), red) << p.x << ", " << p.y;
  for (const POINT p : {POINT{cw - 31, ch - 1}, POINT{cw - 1, ch - 21}})
    EXPECT_EQ(erased.At(p.x, p.y), pic.At(tile.Left + p.x % tile.Width(), tile.Top + p.y % tile.Height()))
        << p.x << ", " << p.y;
}

TEST(SkinFrameBuiltInBackgroundTest, WithoutASkinTheClientIsButtonFace) {
  TFramedWindow w(false, 400, 300);
  const TbsFBitmap erased = Erased(w.Handle());
  ASSERT_FALSE(erased.Empty());
  EXPECT_EQ(NotOf(erased, PixelOf(GetSysColor(COLOR_BTNFACE))), 0);
}

// ---- The form's cursor over the frame --------------------------------------------------------

TEST_F(SkinFrameBehaviourTest, TheFormsCursorShowsOverTheFrameExceptOnSizingEdges) {
  w->form->SetCursor(crHandPoint);
  const HCURSOR hand = CursorHandle(crHandPoint), cross = LoadCursorW(nullptr, IDC_CROSS);
  const struct {
    bool useFormCursor;
    WORD code;
    bool hand;
  } cases[] = {
      {true, HTCAPTION, true}, {true, HTOBJECT, true},       {true, HTCLIENT, true},
      {true, HTLEFT, false},   {true, HTBOTTOMRIGHT, false}, {false, HTCAPTION, false},
  };
  for (const auto& c : cases) {
    w->frame->UseFormCursorInNCArea = c.useFormCursor;
    ::SetCursor(cross);
    SendMessageW(w->Handle(), WM_SETCURSOR, WPARAM(w->Handle()), MAKELPARAM(c.code, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor() == hand, c.hand) << c.useFormCursor << " " << c.code;
  }
}

// ---- What reaches the form's own window procedure ------------------------------------------

TEST(SkinFrameWindowProcedureTest, TheFrameKeepsItsOwnMessagesFromTheFormsProcedure) {
  std::vector<TMessage> seen;
  TFramedWindow w(true, 612, 400, [&](TForm& form) {
    form.WindowProc = [&seen, previous = form.WindowProc](TMessage& m) {
      seen.push_back(m);
      previous(m);
    };
  });
  const HWND h = w.Handle();
  w.frame->UseFormCursorInNCArea = true;
  TbsFBitmap dc(8, 8);
  RECT calc = w.Bounds();
  MINMAXINFO info{};
  RECT moving = w.Bounds();
  const struct {
    const char* what;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
    bool passedOn;
  } cases[] = {
      {"hit test", WM_NCHITTEST, 0, w.ScreenAt(300, 200), false},
      {"non-client size", WM_NCCALCSIZE, FALSE, LPARAM(&calc), false},
      {"non-client paint", WM_NCPAINT, 1, 0, false},
      {"background", WM_ERASEBKGND, WPARAM(dc.DC()), 0, false},
      {"activation of the frame", WM_NCACTIVATE, TRUE, 0, false},
      {"paint request", PaintFrameMessage, WPARAM(dc.DC()), PaintFrameTag, false},
      {"keyboard menu", WM_SYSCOMMAND, SC_KEYMENU, VK_SPACE, false},
      {"cursor", WM_SETCURSOR, WPARAM(h), MAKELPARAM(HTCAPTION, WM_MOUSEMOVE), true},
      {"size limits", WM_GETMINMAXINFO, 0, LPARAM(&info), true},
      {"moving", WM_MOVING, WMSZ_TOP, LPARAM(&moving), true},
      {"sync paint", WM_SYNCPAINT, 0, 0, true},
      {"restore command", WM_SYSCOMMAND, SC_RESTORE, 0, true},
  };
  int restores = 0;
  w.frame->OnRestore = [&](TObject*) { ++restores; };
  for (const auto& c : cases) {
    seen.clear();
    SendMessageW(h, c.msg, c.wParam, c.lParam);
    const bool passed = std::any_of(seen.begin(), seen.end(), [&](const TMessage& m) { return m.Msg == c.msg; });
    EXPECT_EQ(passed, c.passedOn) << c.what;
  }
  EXPECT_EQ(restores, 1) << "the restore command is announced";
  for (const bool active : {false, true}) {
    EXPECT_EQ(SendMessageW(h, WM_NCACTIVATE, active, 0), 1);
    EXPECT_EQ(w.frame->NCActive(), active);
  }

  // The form's procedure sees the cursor message as one over its client area.
  seen.clear();
  SendMessageW(h, WM_SETCURSOR, WPARAM(h), MAKELPARAM(HTCAPTION, WM_MOUSEMOVE));
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(LOWORD(seen.front().LParam), HTCLIENT);

  // Rolled up, a sync paint repaints the frame only.
  w.frame->SetRollUp(true);
  seen.clear();
  SendMessageW(h, WM_SYNCPAINT, 0, 0);
  EXPECT_FALSE(std::any_of(seen.begin(), seen.end(), [](const TMessage& m) { return m.Msg == WM_SYNCPAINT; }));
}

// ---- Read from a form description -------------------------------------------------------------

TEST(SkinFrameDescriptionTest, TheFrameIsReadWithItsSkinIconsPlaceAndFonts) {
  RegisterSkinFormClasses();
  TForm form;
  auto* skin = new TbsSkinData(&form);
  skin->SetName("bsSkinData1");
  const auto block = spv::ProgramSkinBlock();
  skin->LoadFromCompressedData(block.data(), block.size());
  TFormReader::ReadInto(form,
                        "object Main: TForm\n"
                        "  Left = 10\n  Top = 20\n  Width = 400\n  Height = 300\n"
                        "  object bsSkinForm1: TbsSkinForm\n"
                        "    BorderIcons = [biSystemMenu, biRollUp]\n"
                        "    PositionInMonitor = bspScreenCenter\n"
                        "    AlphaBlendValue = 180\n    MagneticSize = 9\n    MinHeight = 120\n"
                        "    UseFormCursorInNCArea = True\n"
                        "    DefCaptionFont.Name = 'Tahoma'\n    DefCaptionFont.Height = 16\n"
                        "    DefInActiveCaptionFont.Color = clRed\n"
                        "    SkinData = bsSkinData1\n    MenusSkinData = bsSkinData1\n"
                        "  end\n"
                        "end\n");
  auto* frame = dynamic_cast<TbsSkinForm*>(form.FindComponent("bsSkinForm1"));
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->SkinData(), skin);
  EXPECT_EQ(frame->MenusSkinData(), skin);
  EXPECT_TRUE(frame->Skinned());
  EXPECT_EQ(frame->BorderIcons(), TbsBorderIcons(biSystemMenu | biRollUp));
  EXPECT_EQ(frame->PositionInMonitor, TbsPositionInMonitor::bspScreenCenter);
  EXPECT_EQ(frame->AlphaBlendValue(), 180);
  EXPECT_EQ(frame->MagneticSize, 9);
  EXPECT_EQ(frame->MinHeight, 120);
  EXPECT_TRUE(frame->UseFormCursorInNCArea);
  EXPECT_EQ(frame->DefCaptionFont().Name(), L"Tahoma");
  EXPECT_EQ(frame->DefCaptionFont().Height(), 16);
  EXPECT_EQ(frame->DefInActiveCaptionFont().Color(), clRed);
  EXPECT_EQ(frame->DefInActiveCaptionFont().Name(), L"Arial") << "what the description leaves keeps its default";

  // The skin's objects replace the built-in set the icons made, and the icons still apply.
  EXPECT_NE(frame->FindObject("caption1"), nullptr);
  EXPECT_EQ(frame->FindObject("traybutton"), nullptr);
  const struct {
    const char* name;
    bool enabled;
  } buttons[] = {{"closebutton", true},   {"maxbutton", false},    {"minbutton", false},
                 {"rollupbutton", true}, {"sysmenubutton", true}};
  for (const auto& b : buttons) EXPECT_EQ(frame->FindObject(b.name)->Enabled, b.enabled) << b.name;

  // Shown for the first time, it is centred on its monitor.
  form.Show();
  spv::test::PumpMessages();
  const RECT monitor = MonitorRect(form.Handle(), false);
  RECT r;
  GetWindowRect(form.Handle(), &r);
  EXPECT_EQ(r.right - r.left, 400);
  EXPECT_EQ(r.left, monitor.left + (monitor.right - monitor.left) / 2 - 200);
  EXPECT_EQ(r.top, monitor.top + (monitor.bottom - monitor.top) / 2 - 150);
}

// ---- The frame goes, the form stays ---------------------------------------------------------------

TEST_F(SkinFrameBehaviourTest, WithoutItsFrameComponentTheFormHasTheSystemFrameAgain) {
  delete w->frame;
  w->frame = nullptr;
  spv::test::PumpMessages();
  const HWND h = w->Handle();
  ASSERT_TRUE(IsWindow(h));
  const LONG_PTR style = GetWindowLongPtrW(h, GWL_STYLE);
  EXPECT_EQ(style & WS_CAPTION, LONG_PTR(WS_CAPTION));
  constexpr LONG_PTR boxes = WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
  EXPECT_EQ(style & boxes, boxes) << "with the form's own caption buttons";
  TbsRegionHandle region(CreateRectRgn(0, 0, 0, 0));
  EXPECT_EQ(GetWindowRgn(h, region.get()), ERROR) << "no region";

  RECT frame{0, 0, 0, 0}, outer, client;
  AdjustWindowRectEx(&frame, DWORD(style), FALSE, DWORD(GetWindowLongPtrW(h, GWL_EXSTYLE)));
  GetWindowRect(h, &outer);
  GetClientRect(h, &client);
  EXPECT_EQ(client.right, (outer.right - outer.left) - (frame.right - frame.left));
  EXPECT_EQ(client.bottom, (outer.bottom - outer.top) - (frame.bottom - frame.top));
  EXPECT_NE(SendMessageW(h, PaintFrameMessage, 0, PaintFrameTag), PaintFrameTag) << "nobody answers the request";
  EXPECT_NE(SendMessageW(h, WM_NCHITTEST, 0, w->ScreenAt(20, 20)), HTOBJECT);
}

TEST_F(SkinFrameBehaviourTest, WhenItsSkinDataGoesTheFrameTakesItsBuiltInLook) {
  delete w->skin;
  w->skin = nullptr;
  spv::test::PumpMessages();
  EXPECT_EQ(w->frame->SkinData(), nullptr);
  EXPECT_FALSE(w->frame->Skinned());
  TbsRegionHandle region(CreateRectRgn(0, 0, 0, 0));
  EXPECT_EQ(GetWindowRgn(w->Handle(), region.get()), ERROR) << "the mask's region went with it";
  RECT client;
  GetClientRect(w->Handle(), &client);
  EXPECT_EQ(client.right, 612 - 6);
  EXPECT_EQ(client.bottom, 400 - 25);
  EXPECT_NE(w->frame->FindObject("traybutton"), nullptr) << "the built-in buttons";
  const TbsFBitmap painted = w->Painted();
  EXPECT_EQ(painted.At(0, 200), PixelOf(GetSysColor(COLOR_3DLIGHT)));
}

// ---- The component's client size -------------------------------------------------------------

TEST_F(SkinFrameBehaviourTest, TheComponentsClientSizeIsKeptAcrossASkinChange) {
  w->frame->ClientWidth = 500;
  w->frame->ClientHeight = 300;
  w->LoadSkin();
  spv::test::PumpMessages();
  RECT client;
  GetClientRect(w->Handle(), &client);
  EXPECT_EQ(client.right, 500);
  EXPECT_EQ(client.bottom, 300);
  EXPECT_EQ(w->Bounds().right - w->Bounds().left, 508);

  // Rolled up, a skin change keeps the bands only; rolling down gives the client height back.
  w->frame->ClientHeight = 250;
  w->frame->SetRollUp(true);
  w->LoadSkin();
  spv::test::PumpMessages();
  EXPECT_EQ(w->Bounds().bottom - w->Bounds().top, 30);
  w->frame->SetRollUp(false);
  spv::test::PumpMessages();
  GetClientRect(w->Handle(), &client);
  EXPECT_EQ(client.bottom, 250);
}

}  // namespace
}  // namespace bs
