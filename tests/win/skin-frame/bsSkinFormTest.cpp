// The skinned window frame on real windows: the program's skin on a form, driven through the
// window messages Windows sends it, checked against the skin's own pictures.
#include "FramedWindow.h"
#include "skin/controls/bsSkinCtrls.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace bs {

namespace {

using namespace spv::platform;
using namespace frame_test;

constexpr TPixel Grey{128, 128, 128};

bool Inside(const TRect& r, int x, int y) { return r.Left <= x && x < r.Right && r.Top <= y && y < r.Bottom; }

// The pixels of `r` that differ between two paints of the same frame.
std::vector<TPixel> ChangedPixels(const TImage& a, const TImage& b, const TRect& r) {
  std::vector<TPixel> changed;
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x)
      if (!(a.At(x, y) == b.At(x, y))) changed.push_back(a.At(x, y));
  return changed;
}

int CountOf(const std::vector<TPixel>& pixels, TPixel p) {
  return int(std::count(pixels.begin(), pixels.end(), p));
}

// A skinned button that counts the skin-change walk's calls.
class TCountingButton : public TbsSkinButton {
 public:
  using TbsSkinButton::TbsSkinButton;
  void ApplySkin() override {
    ++Applied;
    TbsSkinButton::ApplySkin();
  }
  void ForgetSkinObject() override {
    ++Forgotten;
    TbsSkinButton::ForgetSkinObject();
  }
  int Applied = 0, Forgotten = 0;
};

// The frame's thickness on each side (left, top, right, bottom): where the client area sits
// inside the window rect.
void ExpectFrame(HWND window, const RECT& expected) {
  RECT outer, client;
  GetWindowRect(window, &outer);
  GetClientRect(window, &client);
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  EXPECT_EQ(origin.x - outer.left, expected.left);
  EXPECT_EQ(origin.y - outer.top, expected.top);
  EXPECT_EQ(outer.right - (origin.x + client.right), expected.right);
  EXPECT_EQ(outer.bottom - (origin.y + client.bottom), expected.bottom);
}

TEST_F(SkinFrameTest, TheProgramsSkinGivesTheFrameAndPlacesTheObjects) {
  ExpectFrame(w->Handle(), {4, 24, 4, 6});

  const struct {
    const char* name;
    TRect at;
  } places[] = {
      {"closebutton", {581, 7, 597, 15}}, {"maxbutton", {565, 7, 581, 15}},   {"minbutton", {549, 7, 565, 15}},
      {"rollupbutton", {533, 7, 549, 15}}, {"sysmenubutton", {20, 6, 35, 13}}, {"caption1", {39, 4, 532, 18}},
  };
  EXPECT_EQ(w->frame->ObjectCount(), int(std::size(places))) << "menu items and menu-bar pieces make no object";
  for (const auto& p : places) EXPECT_EQ(w->RectOf(p.name), p.at) << p.name;

  // Wider, the row moves with the right edge and the caption stretches; the frame stays.
  w->form->SetBounds(100, 80, 812, 400);
  spv::test::PumpMessages();
  EXPECT_EQ(w->RectOf("closebutton"), (TRect{781, 7, 797, 15}));
  EXPECT_EQ(w->RectOf("sysmenubutton"), (TRect{20, 6, 35, 13}));
  EXPECT_EQ(w->RectOf("caption1"), (TRect{39, 4, 732, 18}));
  ExpectFrame(w->Handle(), {4, 24, 4, 6});
}

TEST_F(SkinFrameTest, HitTestingTheFrame) {
  const int W = 612, H = 400;
  const struct {
    int x, y, code;
  } cases[] = {
      {2, H / 2, HTLEFT},           // 2 pixels inside the left edge halfway down
      {20, 20, HTOBJECT},           // the top band outside the caption, the buttons and the sizing zone
      {W / 2, H / 2, HTCLIENT},     //
      {200, 10, HTCAPTION},         // the caption object
      {W - 2, H / 2, HTRIGHT},      //
      {W / 2, H - 2, HTBOTTOM},     //
      {W - 2, H - 2, HTBOTTOMRIGHT},
      {W - 3, 10, HTTOPRIGHT},
  };
  for (const auto& c : cases) EXPECT_EQ(w->HitAt(c.x, c.y), c.code) << c.x << ", " << c.y;

  // Maximised, no edge sizes the window.
  w->frame->SetWindowState(wsMaximized);
  spv::test::PumpMessages();
  ASSERT_EQ(w->frame->WindowState(), wsMaximized);
  const RECT r = w->Bounds();
  const int mw = r.right - r.left, mh = r.bottom - r.top;
  ASSERT_GT(mw, W);
  for (const POINT p : {POINT{2, mh / 2}, POINT{mw - 2, mh / 2}, POINT{mw / 2, mh - 2}, POINT{mw / 2, 1},
                        POINT{1, 1}, POINT{mw - 2, 1}, POINT{1, mh - 2}, POINT{mw - 2, mh - 2}}) {
    const int code = w->HitAt(p.x, p.y);
    EXPECT_FALSE(code >= HTLEFT && code <= HTBOTTOMRIGHT) << p.x << ", " << p.y << ": " << code;
  }
  EXPECT_EQ(w->HitAt(mw / 2, mh / 2), HTCLIENT);
}

TEST_F(SkinFrameTest, TheWindowCannotBeMadeSmallerThanTheSkinAllows) {
  MINMAXINFO info{};
  info.ptMinTrackSize = {1, 1};
  info.ptMaxTrackSize = {100000, 100000};
  SendMessageW(w->Handle(), WM_GETMINMAXINFO, 0, LPARAM(&info));
  EXPECT_EQ(info.ptMinTrackSize.x, 179);
  EXPECT_EQ(info.ptMinTrackSize.y, 30);
  EXPECT_LE(info.ptMaxTrackSize.x, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_LE(info.ptMaxTrackSize.y, GetSystemMetrics(SM_CYSCREEN));

  SetWindowPos(w->Handle(), nullptr, 0, 0, 50, 10, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  spv::test::PumpMessages();
  RECT r = w->Bounds();
  EXPECT_EQ(r.right - r.left, 179);
  EXPECT_EQ(r.bottom - r.top, 30);

  // Rolled up, the window keeps only the frame's top and bottom bands.
  w->form->SetBounds(100, 80, 612, 400);
  w->frame->SetRollUp(true);
  spv::test::PumpMessages();
  r = w->Bounds();
  EXPECT_EQ(r.bottom - r.top, 30);
  EXPECT_EQ(r.right - r.left, 612);
  w->frame->SetRollUp(false);
  spv::test::PumpMessages();
  r = w->Bounds();
  EXPECT_EQ(r.bottom - r.top, 400);
}

TEST_F(SkinFrameTest, AFormWithoutABorderGetsNoFrame) {
  w->form->SetBorderStyle(TFormBorderStyle::bsNone);
  w->form->SetBounds(100, 80, 612, 400);
  spv::test::PumpMessages();
  ExpectFrame(w->Handle(), {0, 0, 0, 0});
  TbsRegionHandle region(CreateRectRgn(0, 0, 0, 0));
  EXPECT_EQ(GetWindowRgn(w->Handle(), region.get()), ERROR) << "no region";
  const TbsFBitmap painted = w->Painted();
  int drawn = 0;
  for (int y = 0; y < painted.Height(); ++y)
    for (int x = 0; x < painted.Width(); ++x) drawn += !(painted.At(x, y) == Black);
  EXPECT_EQ(drawn, 0) << "the paint request paints no frame";
  for (POINT p : {POINT{20, 20}, POINT{2, 200}, POINT{590, 10}})
    EXPECT_EQ(w->HitAt(p.x, p.y), HTCLIENT) << "all of it is client area: " << p.x << ", " << p.y;
}

// A size message that leaves the size as it was (the one of the first show, or a restore to
// the same size) keeps the window's shape: the region is not built and installed again. A new
// size, a way back to the old one and a skin loaded again each shape the window anew. (A
// region built anew is made while the old one still exists, so its handle always differs.)
TEST_F(SkinFrameTest, ASizeMessageThatKeepsTheSizeKeepsTheShape) {
  const HWND h = w->Handle();
  const HRGN installed = w->frame->WindowRegion();
  ASSERT_NE(installed, nullptr);
  ASSERT_TRUE(ShapedFor(h, *w->skin, 612, 400));
  RECT client;
  GetClientRect(h, &client);
  SendMessageW(h, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
  spv::test::PumpMessages();
  EXPECT_EQ(w->frame->WindowRegion(), installed) << "the same shape stays";
  EXPECT_TRUE(ShapedFor(h, *w->skin, 612, 400));

  w->form->SetBounds(100, 80, 500, 300);
  spv::test::PumpMessages();
  EXPECT_NE(w->frame->WindowRegion(), installed);
  EXPECT_TRUE(ShapedFor(h, *w->skin, 500, 300));
  const HRGN smaller = w->frame->WindowRegion();
  w->form->SetBounds(100, 80, 612, 400);
  spv::test::PumpMessages();
  EXPECT_NE(w->frame->WindowRegion(), smaller);
  EXPECT_TRUE(ShapedFor(h, *w->skin, 612, 400));

  const HRGN beforeLoad = w->frame->WindowRegion();
  w->LoadSkin();
  spv::test::PumpMessages();
  EXPECT_NE(w->frame->WindowRegion(), beforeLoad) << "a loaded skin shapes the window again";
  EXPECT_TRUE(ShapedFor(h, *w->skin, 612, 400));
  EXPECT_TRUE(ShowsPiece(w->Painted(), {0, 0, 20, 24}, w->skin->Picture.Image, {0, 0, 20, 24}));
}

TEST_F(SkinFrameTest, TheWindowRegionIsTheMasksShapeAtEverySize) {
  const TImage& mask = w->skin->MaskPicture.Image;
  ASSERT_FALSE(mask.Empty());
  const TbsFormInfo& fi = w->skin->FormInfo;
  for (const SIZE size : {SIZE{612, 400}, SIZE{300, 200}, SIZE{179, 30}, SIZE{1280, 900}}) {
    const int W = size.cx, H = size.cy;
    w->form->SetBounds(40, 40, W, H);
    spv::test::PumpMessages();
    const RECT b = w->Bounds();
    ASSERT_EQ(b.right - b.left, W);
    ASSERT_EQ(b.bottom - b.top, H);
    TbsRegionHandle shown(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(w->Handle(), shown.get()), ERROR) << W << " x " << H;
    const TbsRegionHandle expected = MaskShape(*w->skin, W, H);
    EXPECT_TRUE(EqualRgn(shown.get(), expected.get())) << W << " x " << H;

    // The corners of the top and bottom bands are the mask's own, pixel for pixel.
    const int dx = W - mask.Width(), dy = H - mask.Height();
    auto expectCorner = [&](int x0, int y0, int x1, int y1, int mx, int my) {
      int wrong = 0;
      for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
          if (bool(PtInRegion(shown.get(), x, y)) != (mask.At(x - mx, y - my) == Black)) ++wrong;
      EXPECT_EQ(wrong, 0) << W << " x " << H << " corner at " << x0 << ", " << y0;
    };
    expectCorner(0, 0, fi.Corners.LeftTopPoint.X, fi.MaskRectArea.Top, 0, 0);
    expectCorner(fi.Corners.RightTopPoint.X + dx, 0, W, fi.MaskRectArea.Top, dx, 0);
    expectCorner(0, fi.MaskRectArea.Bottom + dy, fi.Corners.LeftBottomPoint.X, H, 0, dy);
    expectCorner(fi.Corners.RightBottomPoint.X + dx, fi.MaskRectArea.Bottom + dy, W, H, dx, dy);
    if (W == 300 || W == 1280) {
      spv::test::SaveWindowPng(w->Handle(), "frame-" + std::to_string(W) + "x" + std::to_string(H));
    }
  }
}

TEST_F(SkinFrameTest, ThePaintRequestDrawsTheFrameFromTheSkinsPicture) {
  const int W = 612, H = 400;
  const TbsFBitmap painted = w->Painted();
  const TImage& pic = w->skin->Picture.Image;
  const TbsFormInfo& fi = w->skin->FormInfo;
  const int dx = W - pic.Width(), dy = H - pic.Height();
  const int top = fi.Corners.ClientRect.Top, bottom = pic.Height() - fi.Corners.ClientRect.Bottom;

  // Every pixel of the four corners that no object covers is the picture's, moved with its
  // corner; the middle of the top band repeats the picture's middle.
  auto underObject = [&](int x, int y) {
    for (int i = 0; i < w->frame->ObjectCount(); ++i)
      if (Inside(w->frame->Objects(i)->ObjectRect, x, y)) return true;
    return false;
  };
  const struct {
    TRect window;
    int mx, my;
  } corners[] = {
      {{0, 0, fi.Corners.LeftTopPoint.X, top}, 0, 0},
      {{fi.Corners.RightTopPoint.X + dx, 0, W, top}, dx, 0},
      {{0, H - bottom, fi.Corners.LeftBottomPoint.X, H}, 0, dy},
      {{fi.Corners.RightBottomPoint.X + dx, H - bottom, W, H}, dx, dy},
  };
  for (const auto& c : corners) {
    int wrong = 0, compared = 0;
    for (int y = c.window.Top; y < c.window.Bottom; ++y)
      for (int x = c.window.Left; x < c.window.Right; ++x) {
        if (underObject(x, y)) continue;
        ++compared;
        if (!(painted.At(x, y) == pic.At(x - c.mx, y - c.my))) ++wrong;
      }
    EXPECT_GT(compared, 0);
    EXPECT_EQ(wrong, 0) << "corner at " << c.window.Left << ", " << c.window.Top;
  }
  EXPECT_TRUE(ShowsPiece(painted, {0, 0, 20, 24}, pic, {0, 0, 20, 24})) << "the top-left corner";
  const TPoint &lt = fi.Corners.LeftTopPoint, &rt = fi.Corners.RightTopPoint;
  const int middle = rt.X - lt.X;
  int wrong = 0;
  for (int y = 0; y < 4; ++y)
    for (int x = lt.X; x < rt.X + dx; ++x)
      if (!(painted.At(x, y) == pic.At(lt.X + (x - lt.X) % middle, y))) ++wrong;
  EXPECT_EQ(wrong, 0) << "the top band above the caption";

  // The buttons show their normal pieces; the client area is left alone.
  for (const char* name : {"closebutton", "maxbutton", "minbutton", "rollupbutton"})
    EXPECT_TRUE(w->ShowsButton(painted, name, Normal)) << name;
  EXPECT_EQ(painted.At(W / 2, H / 2), Black) << "the client area is clipped out";

  // Without a context nothing is painted, and the request is answered all the same. The
  // marker sits on the top band below the caption, inside the window's shape.
  HDC windowDC = GetWindowDC(w->Handle());
  const COLORREF marker = RGB(255, 0, 255);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x) SetPixel(windowDC, 100 + x, 20 + y, marker);
  EXPECT_EQ(SendMessageW(w->Handle(), PaintFrameMessage, 0, PaintFrameTag), PaintFrameTag);
  EXPECT_EQ(GetPixel(windowDC, 101, 21), marker);
  EXPECT_EQ(SendMessageW(w->Handle(), PaintFrameMessage, WPARAM(windowDC), PaintFrameTag), PaintFrameTag);
  EXPECT_EQ(PixelOf(GetPixel(windowDC, 101, 21)), painted.At(101, 21)) << "painted into the window's own context";
  ReleaseDC(w->Handle(), windowDC);

  spv::test::SaveWindowPng(w->Handle(), "frame-active");
}

TEST_F(SkinFrameTest, ASkinChangeWhileShownRebuildsEverythingInOnePass) {
  auto* button = new TCountingButton(w->form.get());
  button->SetParent(w->form.get());
  button->SetBounds(20, 20, 121, 25);
  button->SetSkinData(w->skin);
  auto* plain = new TCountingButton(w->form.get());  // not skinned: the walk passes it by
  plain->SetParent(w->form.get());
  plain->SetBounds(20, 60, 121, 25);
  spv::test::PumpMessages();
  button->Applied = button->Forgotten = plain->Applied = plain->Forgotten = 0;

  std::vector<std::string> events;
  int objectsAtBefore = -1, objectsAtChange = -1;
  w->frame->OnBeforeChangeSkinData = [&](TObject*) {
    events.push_back("before");
    objectsAtBefore = w->frame->ObjectCount();
  };
  w->frame->OnChangeSkinData = [&](TObject*) {
    events.push_back("change");
    objectsAtChange = w->frame->ObjectCount();
  };
  w->frame->OnAfterChangeSkinData = [&](TObject*) { events.push_back("after"); };
  for (int i = 0; i < w->frame->ObjectCount(); ++i) w->frame->Objects(i)->IDName += "-old";
  // The new skin asks for more room than the window has.
  w->frame->MinWidth = 700;
  w->frame->MinHeight = 500;

  w->LoadSkin();
  spv::test::PumpMessages();

  EXPECT_EQ(events, (std::vector<std::string>{"before", "change", "after"}));
  EXPECT_EQ(objectsAtBefore, 0) << "the old objects are gone before the new skin loads";
  EXPECT_EQ(objectsAtChange, 6);
  EXPECT_TRUE(w->frame->Skinned());
  EXPECT_FALSE(w->frame->SkinChanging());
  ASSERT_EQ(w->frame->ObjectCount(), 6);
  for (int i = 0; i < w->frame->ObjectCount(); ++i)
    EXPECT_EQ(w->frame->Objects(i)->IDName.find("-old"), std::string::npos) << "a new list";
  EXPECT_EQ(button->Forgotten, 1);
  EXPECT_EQ(button->Applied, 1);
  EXPECT_EQ(plain->Applied + plain->Forgotten, 0);

  const RECT r = w->Bounds();
  EXPECT_EQ(r.right - r.left, 700);
  EXPECT_EQ(r.bottom - r.top, 500);
  EXPECT_EQ(w->RectOf("closebutton"), (TRect{669, 7, 685, 15}));
  TbsRegionHandle shown(CreateRectRgn(0, 0, 0, 0));
  ASSERT_NE(GetWindowRgn(w->Handle(), shown.get()), ERROR);
  EXPECT_TRUE(EqualRgn(shown.get(), MaskShape(*w->skin, 700, 500).get()));
  const TbsFBitmap painted = w->Painted();
  EXPECT_TRUE(ShowsPiece(painted, {0, 0, 20, 24}, w->skin->Picture.Image, {0, 0, 20, 24}));
  EXPECT_TRUE(w->ShowsButton(painted, "closebutton", Normal));
}

TEST_F(SkinFrameTest, ACaptionButtonReleasedOffItRunsNothing) {
  int closeQueries = 0;
  bool releasedBeforeClose = false;
  std::vector<std::string> ups;
  w->form->OnCloseQuery = [&](TObject*, bool& canClose) {
    ++closeQueries;
    releasedBeforeClose = !w->Button("closebutton").Pressed;
    canClose = false;
  };
  w->frame->OnMouseUpEvent = [&](const std::string& name, int, int, const TRect&, TMouseButton) {
    ups.push_back(name);
  };
  const TRect close = w->RectOf("closebutton");
  const int cx = close.Left + 5, cy = close.Top + 4;
  const int closeIndex = w->IndexOf("closebutton");
  auto press = [&] {
    w->CursorAt(cx, cy);
    ASSERT_EQ(w->HitAt(cx, cy), HTOBJECT);
    ASSERT_TRUE(spv::test::PumpUntil([&] { return w->frame->HotIndex() == closeIndex; }));
    SendMessageW(w->Handle(), WM_NCLBUTTONDOWN, HTOBJECT, w->ScreenAt(cx, cy));
    ASSERT_EQ(w->frame->PressedIndex(), closeIndex);
    ASSERT_TRUE(w->Button("closebutton").Pressed);
  };
  auto moveAway = [&] {
    w->CursorAt(300, 200);
    SendMessageW(w->Handle(), WM_NCMOUSEMOVE, HTCLIENT, w->ScreenAt(300, 200));
    ASSERT_TRUE(spv::test::PumpUntil([&] { return w->frame->HotIndex() == -1; })) << "the frame timer sees the pointer leave";
  };

  press();
  EXPECT_TRUE(w->ShowsButton(w->Painted(), "closebutton", Down));
  spv::test::SaveWindowPng(w->Handle(), "frame-button-pressed");
  moveAway();
  EXPECT_TRUE(w->Button("closebutton").Pressed);
  EXPECT_TRUE(w->ShowsButton(w->Painted(), "closebutton", Normal)) << "held off the button";
  SendMessageW(w->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(300 - 4, 200 - 24));
  EXPECT_EQ(closeQueries, 0);
  EXPECT_TRUE(ups.empty());
  EXPECT_FALSE(w->Button("closebutton").Pressed);
  EXPECT_EQ(w->frame->PressedIndex(), -1);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_TRUE(w->ShowsButton(w->Painted(), "closebutton", Normal));
  EXPECT_TRUE(IsWindowVisible(w->Handle()));

  // Away and back while held: the down look returns, and the release on it closes.
  press();
  moveAway();
  w->CursorAt(cx, cy);
  ASSERT_TRUE(spv::test::PumpUntil([&] { return w->frame->HotIndex() == closeIndex; }));
  EXPECT_TRUE(w->ShowsButton(w->Painted(), "closebutton", Down)) << "back over the button";
  SendMessageW(w->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(cx - 4, cy - 24));
  EXPECT_EQ(closeQueries, 1);
  EXPECT_TRUE(releasedBeforeClose) << "the close button comes up before the form is asked";
  EXPECT_EQ(ups, (std::vector<std::string>{"closebutton"}));
  EXPECT_FALSE(w->Button("closebutton").Pressed);
  EXPECT_TRUE(IsWindowVisible(w->Handle())) << "the close query kept the window";
}

TEST_F(SkinFrameTest, AButtonUnderThePointerShowsItsLitLook) {
  const TRect max = w->RectOf("maxbutton");
  const int x = max.Left + 8, y = max.Top + 4;
  w->CursorAt(x, y);
  EXPECT_EQ(w->HitAt(x, y), HTOBJECT);
  ASSERT_TRUE(spv::test::PumpUntil([&] { return w->frame->HotIndex() == w->IndexOf("maxbutton"); }));
  EXPECT_TRUE(w->frame->FindObject("maxbutton")->Lit);
  EXPECT_TRUE(w->ShowsButton(w->Painted(), "maxbutton", Lit));
  EXPECT_TRUE(w->ShowsButton(w->Painted(), "closebutton", Normal));
  spv::test::SaveWindowPng(w->Handle(), "frame-button-hot");
  w->CursorAt(300, 200);
  ASSERT_TRUE(spv::test::PumpUntil([&] { return w->frame->HotIndex() == -1; }));
  EXPECT_TRUE(w->ShowsButton(w->Painted(), "maxbutton", Normal));
}

TEST_F(SkinFrameTest, AnInactiveWindowShowsNoHoverAndAGreyCaption) {
  const TRect caption = w->RectOf("caption1");
  w->form->SetCaption(L"");
  const TbsFBitmap bare = w->Painted();
  w->form->SetCaption(L"Spinvolt");
  const std::vector<TPixel> active = ChangedPixels(w->Painted(), bare, caption);
  EXPECT_GT(CountOf(active, Black), 10) << "an active caption is black";

  TForm other;
  other.SetBounds(900, 700, 200, 150);
  other.Show();
  SetForegroundWindow(other.Handle());
  SetActiveWindow(other.Handle());
  ASSERT_TRUE(spv::test::PumpUntil([&] { return !w->form->Active(); }));
  spv::test::PumpMessages();
  EXPECT_FALSE(w->frame->IsFormActive());

  const TRect close = w->RectOf("closebutton");
  w->CursorAt(close.Left + 5, close.Top + 4);
  w->HitAt(close.Left + 5, close.Top + 4);
  spv::test::PumpMessages(200);
  EXPECT_EQ(w->frame->HotIndex(), -1);
  EXPECT_FALSE(w->frame->FindObject("closebutton")->Lit);
  const TbsFBitmap inactiveLook = w->Painted();
  ASSERT_FALSE(RectIsEmpty(w->Description("closebutton").InActiveSkinRect));
  EXPECT_TRUE(w->ShowsButton(inactiveLook, "closebutton", Inactive)) << "the skin's inactive piece";
  const std::vector<TPixel> inactive = ChangedPixels(inactiveLook, bare, caption);
  EXPECT_GT(CountOf(inactive, Grey), 10) << "an inactive caption is grey";
  EXPECT_EQ(CountOf(inactive, Black), 0);
  // With no inactive picture the rest of the frame looks as when active.
  EXPECT_TRUE(ShowsPiece(inactiveLook, {0, 0, 20, 24}, w->skin->Picture.Image, {0, 0, 20, 24}));
  spv::test::SaveWindowPng(w->Handle(), "frame-inactive");
  EXPECT_FALSE(w->frame->IsFormActive()) << "a screenshot leaves the window inactive";
}

TEST(SkinFrameBuiltInTest, WithoutASkinTheFrameDrawsItsOwnLook) {
  TFramedWindow w(false, 400, 300);
  ASSERT_FALSE(w.frame->Skinned());
  ExpectFrame(w.Handle(), {3, 22, 3, 3});
  TbsRegionHandle region(CreateRectRgn(0, 0, 0, 0));
  EXPECT_EQ(GetWindowRgn(w.Handle(), region.get()), ERROR) << "no region without a mask";

  const TbsFBitmap painted = w.Painted();
  const int H = 300, W = 400;
  // Three rings around the window, outside in.
  EXPECT_EQ(painted.At(0, H / 2), PixelOf(GetSysColor(COLOR_3DLIGHT)));
  EXPECT_EQ(painted.At(W - 1, H / 2), PixelOf(GetSysColor(COLOR_3DDKSHADOW)));
  EXPECT_EQ(painted.At(1, H / 2), PixelOf(GetSysColor(COLOR_BTNHIGHLIGHT)));
  EXPECT_EQ(painted.At(W - 2, H / 2), PixelOf(GetSysColor(COLOR_BTNSHADOW)));
  EXPECT_EQ(painted.At(2, H / 2), PixelOf(GetSysColor(COLOR_BTNFACE)));

  // The built-in buttons: glyphs in the button text colour on the face colour, in the caption bar.
  for (const char* name : {"closebutton", "maxbutton", "minbutton", "rollupbutton", "sysmenubutton"}) {
    const TRect r = w.RectOf(name);
    EXPECT_EQ(r.Width(), 17) << name;
    EXPECT_GE(r.Top, 3) << name;
    EXPECT_LE(r.Bottom, 22) << name;
    int glyph = 0, face = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x) {
        glyph += painted.At(x, y) == PixelOf(GetSysColor(COLOR_BTNTEXT));
        face += painted.At(x, y) == PixelOf(GetSysColor(COLOR_BTNFACE));
      }
    EXPECT_GT(glyph, 5) << name;
    EXPECT_GT(face, 17 * 17 / 2) << name;
  }
  EXPECT_GT(w.RectOf("closebutton").Left, w.RectOf("maxbutton").Left);
  EXPECT_LT(w.RectOf("sysmenubutton").Left, 10);
  // Grip lines between the button groups.
  int grip = 0;
  for (int y = 3; y < 22; ++y) grip += painted.At(W / 2 + 100, y) == PixelOf(GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_GT(grip, 2);
  EXPECT_EQ(w.HitAt(W / 2, H / 2), HTCLIENT);
  EXPECT_EQ(w.HitAt(1, H / 2), HTLEFT);
  spv::test::SaveWindowPng(w.Handle(), "frame-builtin");
}

}  // namespace
}  // namespace bs
