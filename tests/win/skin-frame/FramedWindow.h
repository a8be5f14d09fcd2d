#pragma once
// What the Windows tests of the skinned frame share: a form with its frame as the program
// builds one, the program's skin on it, and ways to read back what the frame paints and shapes.
#include "skin/frame/bsSkinForm.h"

#include "WindowShot.h"
#include "resources/ProgramSkin.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string_view>

namespace bs {

inline void PrintTo(const TRect& r, std::ostream* os) {
  *os << "(" << r.Left << ", " << r.Top << ")-(" << r.Right << ", " << r.Bottom << ")";
}

namespace frame_test {

using namespace spv::platform;

// The request any window may send to have the frame painted into a device context.
inline constexpr UINT PaintFrameMessage = 48203;
inline constexpr LPARAM PaintFrameTag = 16802;

inline constexpr TPixel Black{0, 0, 0};

// The looks of a caption button in its description.
inline constexpr TRect TbsDataSkinStdButton::*Normal = &TbsDataSkinStdButton::SkinRect;
inline constexpr TRect TbsDataSkinStdButton::*Lit = &TbsDataSkinStdButton::ActiveSkinRect;
inline constexpr TRect TbsDataSkinStdButton::*Down = &TbsDataSkinStdButton::DownRect;
inline constexpr TRect TbsDataSkinStdButton::*Inactive = &TbsDataSkinStdButton::InActiveSkinRect;

inline TPixel PixelOf(COLORREF c) { return {GetBValue(c), GetGValue(c), GetRValue(c)}; }

// `piece` of `picture` appears unchanged at `at` of `painted`.
inline bool ShowsPiece(const TImage& painted, const TRect& at, const TImage& picture, const TRect& piece) {
  if (at.Width() != piece.Width() || at.Height() != piece.Height()) return false;
  for (int y = 0; y < at.Height(); ++y)
    for (int x = 0; x < at.Width(); ++x)
      if (!(painted.At(at.Left + x, at.Top + y) == picture.At(piece.Left + x, piece.Top + y))) return false;
  return true;
}

// Sets the system's "show window contents while dragging" for one test and puts it back.
class TFullDragSetting {
 public:
  explicit TFullDragSetting(bool on) {
    SystemParametersInfoW(SPI_GETDRAGFULLWINDOWS, 0, &Saved_, 0);
    SystemParametersInfoW(SPI_SETDRAGFULLWINDOWS, on, nullptr, 0);
  }
  ~TFullDragSetting() { SystemParametersInfoW(SPI_SETDRAGFULLWINDOWS, Saved_, nullptr, 0); }
  TFullDragSetting(const TFullDragSetting&) = delete;
  TFullDragSetting& operator=(const TFullDragSetting&) = delete;

 private:
  BOOL Saved_ = FALSE;
};

// A form with its frame, as the program builds one: the skin data first, then the frame.
// `beforeFrame` may change the form first (a window procedure the frame then calls on).
struct TFramedWindow {
  explicit TFramedWindow(bool skinned, int width = 612, int height = 400,
                         const std::function<void(TForm&)>& beforeFrame = {}) {
    form = std::make_unique<TForm>();
    skin = new TbsSkinData(form.get());
    if (skinned) LoadSkin();
    if (beforeFrame) beforeFrame(*form);
    // The pointer starts away from the window, wherever a test before left it.
    SetCursorPos(0, 0);
    frame = new TbsSkinForm(form.get());
    if (skinned) frame->SetSkinData(skin);
    form->SetCaption(L"Spinvolt");
    form->SetBounds(100, 80, width, height);
    form->Show();
    SetForegroundWindow(Handle());
    spv::test::PumpMessages();
  }
  void LoadSkin() {
    const auto block = spv::ProgramSkinBlock();
    skin->LoadFromCompressedData(block.data(), block.size());
  }
  HWND Handle() const { return form->Handle(); }
  RECT Bounds() const {
    RECT r;
    GetWindowRect(Handle(), &r);
    return r;
  }
  // A window point (frame included) as the screen point of a mouse message.
  LPARAM ScreenAt(int x, int y) const {
    const RECT r = Bounds();
    return MAKELPARAM(WORD(short(r.left + x)), WORD(short(r.top + y)));
  }
  void CursorAt(int x, int y) const {
    const RECT r = Bounds();
    SetCursorPos(r.left + x, r.top + y);
  }
  int HitAt(int x, int y) const { return int(SendMessageW(Handle(), WM_NCHITTEST, 0, ScreenAt(x, y))); }
  // The frame as the paint request draws it into a picture of the window's size.
  TbsFBitmap Painted() const {
    const RECT r = Bounds();
    TbsFBitmap picture(r.right - r.left, r.bottom - r.top);
    EXPECT_EQ(SendMessageW(Handle(), PaintFrameMessage, WPARAM(picture.DC()), PaintFrameTag), PaintFrameTag);
    GdiFlush();
    return picture;
  }
  const TRect& RectOf(std::string_view name) const {
    TbsActiveSkinObject* o = frame->FindObject(name);
    EXPECT_NE(o, nullptr) << name;
    static const TRect none;
    return o ? o->ObjectRect : none;
  }
  int IndexOf(std::string_view name) const {
    for (int i = 0; i < frame->ObjectCount(); ++i)
      if (frame->Objects(i) == frame->FindObject(name)) return i;
    return -1;
  }
  TbsSkinStdButtonObject& Button(std::string_view name) const {
    return dynamic_cast<TbsSkinStdButtonObject&>(*frame->FindObject(name));
  }
  const TbsDataSkinStdButton& Description(std::string_view name) const {
    return dynamic_cast<const TbsDataSkinStdButton&>(*skin->SkinObjects[std::size_t(skin->FindSkinObject(name))]);
  }
  // The piece of a caption button's description that `look` names shows at the button's place.
  bool ShowsButton(const TImage& painted, std::string_view name, TRect TbsDataSkinStdButton::*look) const {
    const TbsDataSkinStdButton& d = Description(name);
    return ShowsPiece(painted, RectOf(name), skin->ActivePicture(d.ActivePictureIndex)->Image, d.*look);
  }

  std::unique_ptr<TForm> form;
  TbsSkinData* skin = nullptr;
  TbsSkinForm* frame = nullptr;
};

class SkinFrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    w = std::make_unique<TFramedWindow>(true);
    ASSERT_FALSE(w->skin->IsEmpty);
    ASSERT_TRUE(w->frame->Skinned());
  }
  void TearDown() override {
    ReleaseCapture();
    w.reset();
  }
  std::unique_ptr<TFramedWindow> w;
};

// The shape the skin's mask gives a W x H window, built here from the mask picture: the mask
// rect always inside, the black pixels of the four mask strips around it.
inline TbsRegionHandle MaskShape(const TbsSkinData& skin, int W, int H) {
  const TbsFormInfo& fi = skin.FormInfo;
  const int dx = W - skin.Picture.Width(), dy = H - skin.Picture.Height();
  const TbsCornerKeys& k = fi.Corners;
  const TbsPieceGeometry g{k.LeftTopPoint, k.RightTopPoint, k.LeftBottomPoint, k.RightBottomPoint, fi.MaskRectArea};
  const TRect& m = fi.MaskRectArea;
  const TbsPieceGeometry ng{k.LeftTopPoint,
                            {k.RightTopPoint.X + dx, k.RightTopPoint.Y},
                            {k.LeftBottomPoint.X, k.LeftBottomPoint.Y + dy},
                            {k.RightBottomPoint.X + dx, k.RightBottomPoint.Y + dy},
                            {m.Left, m.Top, m.Right + dx, m.Bottom + dy}};
  TImage top, left, right, bottom;
  MaskBorderStrips(g, ng, skin.MaskPicture.Image, {&top, &left, &right, &bottom}, W);
  TbsRegionHandle shape(CreateRectRgn(ng.Cl.Left, ng.Cl.Top, ng.Cl.Right, ng.Cl.Bottom));
  const struct {
    const TImage& strip;
    int x, y;
  } parts[] = {{top, 0, 0}, {bottom, 0, ng.Cl.Bottom}, {left, 0, ng.Cl.Top}, {right, ng.Cl.Right, ng.Cl.Top}};
  for (const auto& p : parts) {
    TbsRegionHandle runs = RegionFromRunData(MaskToRegionRuns(p.strip, p.x, p.y));
    if (runs) CombineRgn(shape.get(), shape.get(), runs.get(), RGN_OR);
  }
  return shape;
}

// Whether the window's region is the mask's shape for a W x H frame.
inline bool ShapedFor(HWND window, const TbsSkinData& skin, int W, int H) {
  TbsRegionHandle shown(CreateRectRgn(0, 0, 0, 0));
  return GetWindowRgn(window, shown.get()) != ERROR && EqualRgn(shown.get(), MaskShape(skin, W, H).get());
}

}  // namespace frame_test
}  // namespace bs
