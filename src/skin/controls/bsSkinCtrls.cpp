#include "skin/controls/bsSkinCtrls.h"

#include <windowsx.h>

#include "platform/FormReader.h"
#include "platform/Forms.h"
#include "platform/SysUtils.h"
#include "skin/controls/bsSkinBevel.h"
#include "skin/controls/bsSkinGauge.h"
#include "skin/controls/bsSkinGrids.h"
#include "skin/controls/bsSkinLabel.h"
#include "skin/controls/bsSkinDateEdit.h"
#include "skin/controls/bsSkinPanel.h"
#include "skin/controls/bsSkinScrollBar.h"
#include "skin/controls/bsSkinStatusPanel.h"
#include "skin/controls/bsSkinTabs.h"
#include "skin/resources/bsEffects.h"
#include "skin/resources/bsSkinMessages.h"

#include <algorithm>
#include <array>

namespace bs {

using spv::platform::TComponent;
using spv::platform::TControl;
using spv::platform::TMessage;
using spv::platform::TShiftState;
using spv::platform::TWinControl;

namespace {

TWinControl* TopWindowOf(TWinControl* control) {
  while (control && control->Parent()) control = control->Parent();
  return control;
}

// The control a window belongs to: itself, or the nearest control among its parents (a window
// that a control made for itself, such as an in-place editor).
TWinControl* ControlOfWindow(HWND window) {
  for (HWND w = window; w; w = (GetWindowLongW(w, GWL_STYLE) & WS_CHILD) ? GetParent(w) : nullptr)
    if (TWinControl* c = TWinControl::FromHandle(w)) return c;
  return nullptr;
}

// Performs `msg` on every control below `root`, depth first, until one answers non-zero.
LRESULT BroadcastUntilTaken(TWinControl* root, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!root) return 0;
  for (int i = 0; i < root->ControlCount(); ++i) {
    TControl* child = root->Controls(i);
    if (LRESULT r = child->Perform(msg, wParam, lParam)) return r;
    if (auto* w = dynamic_cast<TWinControl*>(child))
      if (LRESULT r = BroadcastUntilTaken(w, msg, wParam, lParam)) return r;
  }
  return 0;
}

COLORREF Rgb(TColor c) { return spv::platform::ColorToRGB(spv::platform::TColor(c)); }

void FillImage(TbsFBitmap& bitmap, spv::platform::TColor colour) {
  const RECT r{0, 0, bitmap.Width(), bitmap.Height()};
  spv::platform::TGdiHandle<HBRUSH> brush(CreateSolidBrush(spv::platform::ColorToRGB(colour)));
  ::FillRect(bitmap.DC(), &r, brush.Get());
}

}  // namespace

spv::platform::TCustomForm* FormOf(TControl* control) {
  TWinControl* top = control ? (dynamic_cast<TWinControl*>(control) ? static_cast<TWinControl*>(control)
                                                                     : control->Parent())
                             : nullptr;
  return dynamic_cast<spv::platform::TCustomForm*>(TopWindowOf(top));
}

// ---- Window-wide notifications ----------------------------------------------------------------

void NotifyFocusChanged(TWinControl* focused) {
  TWinControl* top = TopWindowOf(focused);
  if (!top) return;
  // Every control hears it, so nothing answers.
  struct Walk {
    static void Run(TWinControl* w, TWinControl* focused) {
      for (int i = 0; i < w->ControlCount(); ++i) {
        TControl* c = w->Controls(i);
        c->Perform(CM_BS_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(focused));
        if (auto* cw = dynamic_cast<TWinControl*>(c)) Run(cw, focused);
      }
    }
  };
  Walk::Run(top, focused);
}

bool DispatchDialogKey(TWinControl* from, WORD key, TShiftState shift) {
  return BroadcastUntilTaken(TopWindowOf(from), CM_BS_DIALOGKEY, key, LPARAM(shift)) != 0;
}

bool DispatchDialogChar(TWinControl* from, wchar_t ch) {
  return BroadcastUntilTaken(TopWindowOf(from), CM_BS_DIALOGCHAR, WPARAM(ch), 0) != 0;
}

bool IsAccelerator(wchar_t ch, std::wstring_view caption) {
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != L'&') continue;
    if (caption[i + 1] == L'&') {
      ++i;
      continue;
    }
    // The system's own case mapping: the C library's knows no Cyrillic.
    wchar_t a[2] = {caption[i + 1], 0}, b[2] = {ch, 0};
    CharUpperW(a);
    CharUpperW(b);
    return a[0] == b[0];
  }
  return false;
}

void PaintParentBackground(TControl& control, HDC dc) {
  TWinControl* parent = control.Parent();
  if (!parent || !parent->HandleAllocated()) return;
  const int saved = SaveDC(dc);
  POINT origin;
  GetViewportOrgEx(dc, &origin);
  SetViewportOrgEx(dc, origin.x - control.Left(), origin.y - control.Top(), nullptr);
  const RECT client = parent->ClientRect();
  IntersectClipRect(dc, client.left, client.top, client.right, client.bottom);
  const HWND window = parent->Handle();
  SendMessageW(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  // A form's own content is its children; other parents draw theirs into the context too.
  if (!dynamic_cast<spv::platform::TCustomForm*>(parent))
    SendMessageW(window, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
  RestoreDC(dc, saved);
}

// ---- TbsOnDemandTimer -----------------------------------------------------------------------

void TbsOnDemandTimer::Start(unsigned interval, std::function<void()> tick) {
  Timer_ = std::make_unique<spv::platform::TTimer>();
  Timer_->SetInterval(interval);
  Timer_->OnTimer = [tick = std::move(tick)](spv::platform::TObject*) { tick(); };
  Timer_->SetEnabled(true);
}

void TbsOnDemandTimer::Stop() {
  if (!Timer_) return;
  Timer_->SetEnabled(false);
  Retired_ = std::move(Timer_);
}

// ---- TbsSkinControl -------------------------------------------------------------------------

TbsSkinControl::TbsSkinControl(TComponent* owner) : TbsSkinLinkedControl(owner) {}

void TbsSkinControl::PaintTo(HDC dc) {
  RECT box;
  if (Width() <= 0 || Height() <= 0 || GetClipBox(dc, &box) == NULLREGION) return;
  TbsFBitmap bitmap;
  Compose(bitmap);
  spv::platform::CopyToVisible(dc, WindowHandle(), box, bitmap.DC());
}

void TbsSkinControl::Paint() { PaintTo(Canvas().Handle()); }

void TbsSkinControl::InstallWindowRegion(TbsRegionHandle region) {
  if (!HandleAllocated()) return;
  if (!region && !WindowRegion_) return;
  WindowRegion_ = region.get();
  // The window owns the region from here and deletes the one it had.
  SetWindowRgn(Handle(), region.release(), TRUE);
}

void TbsSkinControl::MouseEnter() {
  if (OnMouseEnter) OnMouseEnter(this);
}
void TbsSkinControl::MouseLeave() {
  if (OnMouseLeave) OnMouseLeave(this);
}

void TbsSkinControl::DoEnter() {
  TCustomControl::DoEnter();
  NotifyFocusChanged(this);
}

void TbsSkinControl::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_ERASEBKGND:
      // The paint covers every pixel in one copy: erasing first would only flicker.
      m.Result = 1;
      return;
    case WM_PAINT: {
      InPaintMessage_ = true;
      try {
        TCustomControl::WndProc(m);
      } catch (...) {
        InPaintMessage_ = false;
        throw;
      }
      InPaintMessage_ = false;
      return;
    }
    case WM_KEYDOWN:
      // Enter and Escape belong to the window's default and cancel buttons unless the control
      // takes every key itself.
      if ((m.WParam == VK_RETURN || m.WParam == VK_ESCAPE) && !(Perform(WM_GETDLGCODE) & DLGC_WANTALLKEYS) &&
          DispatchDialogKey(this, WORD(m.WParam), spv::platform::KeyboardShiftState()))
        return;
      break;
    case WM_SYSCHAR:
    case WM_CHAR:
      if ((m.Msg == WM_SYSCHAR || !(Perform(WM_GETDLGCODE) & (DLGC_WANTCHARS | DLGC_WANTALLKEYS))) &&
          DispatchDialogChar(this, wchar_t(m.WParam)))
        return;
      break;
    case spv::platform::CM_MOUSEENTER:
      TCustomControl::WndProc(m);
      MouseEnter();
      return;
    case spv::platform::CM_MOUSELEAVE:
      TCustomControl::WndProc(m);
      MouseLeave();
      return;
    default: break;
  }
  TCustomControl::WndProc(m);
}

bool TbsSkinControl::ReadProperty(const spv::platform::TStoredProperty& p, spv::platform::TFormReader& reader) {
  if (spv::platform::SameIdent(p.Name, "SkinData"))
    reader.ResolveReference<TbsSkinData>(p, [this](TbsSkinData* d) { SetSkinData(d); });
  else if (spv::platform::SameIdent(p.Name, "SkinDataName"))
    SetSkinDataName(spv::platform::WideToCp1251(p.String()));
  else return TCustomControl::ReadProperty(p, reader);
  return true;
}

// ---- TbsSkinCustomControl -------------------------------------------------------------------

TbsSkinCustomControl::TbsSkinCustomControl(TComponent* owner) : TbsSkinControl(owner) {
  DefaultFont_.SetName(L"Arial");
  DefaultFont_.SetHeight(14);
  DefaultFont_.SetStyle(0);
  DefaultFont_.OnChange = [this] {
    DefaultFontChanged();
    if (SkinObjectIndex_ < 0) Invalidate();
  };
}

TbsSkinCustomControl::~TbsSkinCustomControl() { DefaultFont_.OnChange = nullptr; }

void TbsSkinCustomControl::SetDefaultWidth(int value) {
  DefaultWidth_ = value;
  if (SkinObjectIndex_ < 0 && value > 0) SetWidth(value);
}

void TbsSkinCustomControl::SetDefaultHeight(int value) {
  DefaultHeight_ = value;
  if (SkinObjectIndex_ < 0 && value > 0) SetHeight(value);
}

void TbsSkinCustomControl::SetUseSkinFont(bool value) {
  UseSkinFont_ = value;
  Invalidate();
}

void TbsSkinCustomControl::ReadSkinObject() {
  TbsSkinControl::ReadSkinObject();
  SkinPicture_ = SkinMask_ = nullptr;
  if (SkinObjectIndex_ < 0) {
    SizingKind_ = skNoPiece;
    return;
  }
  const auto* o = dynamic_cast<const TbsDataSkinCustomControl*>(SkinObject());
  if (!o) {
    SizingKind_ = skFixed;
    Piece_ = {};
    return;
  }
  Piece_ = {o->Corners, o->SkinRect};
  Stretch_ = o->Stretch.Flags(o->StretchEffect);
  if (const TbsSkinBitmap* b = SkinData()->ActivePicture(o->PictureIndex)) SkinPicture_ = &b->Image;
  if (const TbsSkinBitmap* b = SkinData()->ActivePicture(o->MaskPictureIndex)) SkinMask_ = &b->Image;
  SizingKind_ = SizingKindOf(Piece_);
}

void TbsSkinCustomControl::FitSizeToSkin(int& width, int& height) {
  if (SkinObjectIndex_ < 0) return;
  FitPieceToSize(SizingKind_, Piece_, width, height, Sized_);
}

TRect TbsSkinCustomControl::PlaceSkinRect(const TRect& r) const {
  return bs::PlaceSkinRect(SizingKind_, Piece_, Width(), Height(), r);
}

void TbsSkinCustomControl::SetBounds(int left, int top, int width, int height) {
  ReadSkinObject();
  if (SkinObjectIndex_ >= 0 && (width != Width() || height != Height())) {
    FitSizeToSkin(width, height);
    TbsSkinControl::SetBounds(left, top, width, height);
    UpdateWindowRegion();
    Invalidate();
    return;
  }
  TbsSkinControl::SetBounds(left, top, width, height);
}

void TbsSkinCustomControl::ApplySkin() {
  ReadSkinObject();
  bool resized = false;
  if (SkinObjectIndex_ < 0) {
    const int w = DefaultWidth_ > 0 ? DefaultWidth_ : Width(), h = DefaultHeight_ > 0 ? DefaultHeight_ : Height();
    if (w != Width() || h != Height()) TbsSkinControl::SetBounds(Left(), Top(), w, h);
  } else {
    int w = Width(), h = Height();
    FitSizeToSkin(w, h);
    if (w != Width() || h != Height()) {
      SetBounds(Left(), Top(), w, h);
      resized = true;
    }
  }
  if (!resized) {
    UpdateWindowRegion();
    Invalidate();
  }
}

void TbsSkinCustomControl::UpdateWindowRegion() {
  if (!SkinMask_ || SkinObjectIndex_ < 0) {
    InstallWindowRegion(nullptr);
    return;
  }
  int w = Width(), h = Height();
  FitSizeToSkin(w, h);
  const int dx = Width() - Piece_.SkinRect.Width(), dy = Height() - Piece_.SkinRect.Height();
  TbsPieceGeometry g = Piece_.Geometry(), ng = Sized_.Geometry();
  switch (SizingKind_) {
    case skFixed: InstallWindowRegion(RegionFromMask(*SkinMask_)); return;
    case skBoth: break;
    case skWidthOnly:
      g.LB = g.LT;
      g.RB = g.RT;
      ng.RT = ng.RB = {Piece_.RightTopPoint.X + dx, Piece_.RightTopPoint.Y};
      ng.LB = ng.LT;
      break;
    case skHeightOnly:
      g.RT = g.LT;
      g.RB = g.LB;
      ng.LB = ng.RB = {Piece_.LeftBottomPoint.X, Piece_.LeftBottomPoint.Y + dy};
      ng.RT = ng.LT;
      break;
    case skNoPiece: InstallWindowRegion(nullptr); return;
  }
  InstallWindowRegion(RegionFromMaskBorders(g, ng, *SkinMask_, Width()));
}

void TbsSkinCustomControl::CreateWnd() {
  TbsSkinControl::CreateWnd();
  ReadSkinObject();
  UpdateWindowRegion();
}

void TbsSkinCustomControl::PaintDefaultLook(TbsFBitmap& bitmap) { FillImage(bitmap, spv::platform::clBtnFace); }

void TbsSkinCustomControl::PaintSkinLook(TbsFBitmap& bitmap) {
  // A description whose picture is missing has nothing to show: the plain look instead.
  if (!SkinPicture_) PaintDefaultLook(bitmap);
  else PaintSkinPiece(bitmap, SkinPicture_, Piece_.SkinRect);
}

void TbsSkinCustomControl::PaintSkinPiece(TImage& bitmap, const TImage* picture, const TRect& rect) {
  if (!picture || (SizingKind_ == skBoth && StripPaint)) return;
  PaintPiece(bitmap, *picture, rect, SizingKind_, Piece_, Sized_, Stretch_, Width(), Height());
}

void TbsSkinCustomControl::Paint() {
  ReadSkinObject();
  if (SkinObjectIndex_ >= 0 && StripPaint && SizingKind_ == skBoth && SkinPicture_) PaintStrips();
  else TbsSkinControl::Paint();
}

void TbsSkinCustomControl::PaintStrips() {
  if (Width() <= 0 || Height() <= 0) return;
  int w = Width(), h = Height();
  FitSizeToSkin(w, h);
  TbsFBitmap top, left, right, bottom;
  BorderStripImages(Piece_.Geometry(), Sized_.Geometry(), {&left, &top, &right, &bottom}, *SkinPicture_,
                    Piece_.SkinRect, Width(), Height(), Stretch_);
  PaintSkinLook(top);
  GdiFlush();
  const HDC dc = Canvas().Handle();
  const TRect& cl = Sized_.ClientRect;
  if (TileClient && !RectIsEmpty(cl)) {
    const TRect& pc = Piece_.ClientRect;
    const TRect source{Piece_.SkinRect.Left + pc.Left, Piece_.SkinRect.Top + pc.Top, Piece_.SkinRect.Left + pc.Right,
                       Piece_.SkinRect.Top + pc.Bottom};
    TbsFBitmap piece(source.Width(), source.Height());
    if (!RectIsEmpty(source)) {
      CopyImageRect(piece, {0, 0, source.Width(), source.Height()}, *SkinPicture_, source);
      GdiFlush();
      const int saved = SaveDC(dc);
      ::IntersectClipRect(dc, cl.Left, cl.Top, cl.Right, cl.Bottom);
      for (int i = 0; i <= cl.Width() / piece.Width(); ++i)
        for (int j = 0; j <= cl.Height() / piece.Height(); ++j)
          BitBlt(dc, cl.Left + i * piece.Width(), cl.Top + j * piece.Height(), piece.Width(), piece.Height(),
                 piece.DC(), 0, 0, SRCCOPY);
      RestoreDC(dc, saved);
    }
  }
  DrawToDC(top, dc, 0, 0);
  DrawToDC(left, dc, 0, top.Height());
  DrawToDC(right, dc, Width() - right.Width(), top.Height());
  DrawToDC(bottom, dc, 0, Height() - bottom.Height());
}

bool TbsSkinCustomControl::ReadProperty(const spv::platform::TStoredProperty& p, spv::platform::TFormReader& reader) {
  using spv::platform::SameIdent;
  if (SameIdent(p.Name, "DefaultWidth")) SetDefaultWidth(p.Int());
  else if (SameIdent(p.Name, "DefaultHeight")) SetDefaultHeight(p.Int());
  else if (SameIdent(p.Name, "UseSkinFont")) SetUseSkinFont(p.Boolean());
  else if (p.Name.size() > 12 && SameIdent(p.Name.substr(0, 12), "DefaultFont."))
    return DefaultFont_.ReadProperty(std::string_view(p.Name).substr(12), p);
  else return TbsSkinControl::ReadProperty(p, reader);
  return true;
}

// ---- TbsSkinButton --------------------------------------------------------------------------

TbsSkinButton::TbsSkinButton(TComponent* owner) : TbsSkinCustomControl(owner) {
  SkinDataName_ = "button";
  SetTabStop(true);
  TbsSkinControl::SetBounds(0, 0, 75, 25);
}

TbsSkinButton::~TbsSkinButton() {
  RepeatTimer_.Stop();
  MorphTimer_.Stop();
  AnimationTimer_.Stop();
}

bool TbsSkinButton::EffectsOn() const { return SkinData() && SkinData()->EnableSkinEffects; }

bool TbsSkinButton::FocusedAndCanFocus() const { return CanFocused_ && Focused(); }

bool TbsSkinButton::RepaintOnHover() const {
  return GroupIndex_ != 0 ? !Down_ : (!FocusedAndCanFocus() || Down_);
}

void TbsSkinButton::SetUseSkinSize(bool value) {
  UseSkinSize_ = value;
  ApplySkin();
}

void TbsSkinButton::SetUseSkinFontColor(bool value) {
  UseSkinFontColor_ = value;
  Invalidate();
}

void TbsSkinButton::SetCanFocused(bool value) {
  CanFocused_ = value;
  SetTabStop(value);
}

void TbsSkinButton::SetGroupIndex(int value) {
  GroupIndex_ = value;
  if (value != 0) SetCanFocused(false);
}

void TbsSkinButton::SetDown(bool value) {
  Down_ = value;
  Invalidate();
  if (GroupIndex_ != 0 && Down_ && !AllowAllUp) ReleaseGroupSiblings();
}

void TbsSkinButton::ReleaseGroupSiblings() {
  if (!Parent()) return;
  for (int i = 0; i < Parent()->ControlCount(); ++i) {
    auto* b = dynamic_cast<TbsSkinButton*>(Parent()->Controls(i));
    if (b && b != this && b->GroupIndex_ == GroupIndex_ && b->Down_) b->SetDown(false);
  }
}

void TbsSkinButton::SetGlyph(const TImage& glyph) {
  Glyph_ = glyph;
  Invalidate();
}

void TbsSkinButton::SetNumGlyphs(TbsNumGlyphs value) {
  if (value < kMinNumGlyphs || value > kMaxNumGlyphs || value == NumGlyphs_) return;
  NumGlyphs_ = value;
  Invalidate();
}

void TbsSkinButton::SetMargin(int value) {
  if (value < -1 || value == Margin_) return;
  Margin_ = value;
  Invalidate();
}

void TbsSkinButton::SetSpacing(int value) {
  if (value == Spacing_) return;
  Spacing_ = value;
  Invalidate();
}

void TbsSkinButton::SetLayout(TbsButtonLayout value) {
  if (value == Layout_) return;
  Layout_ = value;
  Invalidate();
}

void TbsSkinButton::SetDefault(bool value) {
  Default_ = value;
  if (!HandleAllocated()) return;
  // Every button of the window recomputes whether it is the one Enter presses.
  TWinControl* focused = TWinControl::FromHandle(GetFocus());
  NotifyFocusChanged(focused && TopWindowOf(focused) == TopWindowOf(this) ? focused : this);
}

void TbsSkinButton::CreateWnd() {
  TbsSkinCustomControl::CreateWnd();
  DefaultActive_ = Default_;
}

void TbsSkinButton::SetEnabled(bool enabled) {
  TbsSkinCustomControl::SetEnabled(enabled);
  StopMorph();
  MouseOver_ = false;
  Invalidate();
}

void TbsSkinButton::TextChanged() {
  TbsSkinCustomControl::TextChanged();
  Invalidate();
}

void TbsSkinButton::ReadSkinObject() {
  TbsSkinCustomControl::ReadSkinObject();
  if (SkinObjectIndex_ < 0) {
    AnimateSkinRect_ = {};
    return;
  }
  const auto* o = dynamic_cast<const TbsDataSkinButtonControl*>(SkinObject());
  if (!o) {
    // A description of another kind has none of a button's pictures: the plain look, at any size.
    SkinObjectIndex_ = -1;
    SizingKind_ = skNoPiece;
    SkinPicture_ = SkinMask_ = nullptr;
    AnimateSkinRect_ = {};
    return;
  }
  Font_ = *o;
  ActiveFontColor_ = o->ActiveFontColor;
  DownFontColor_ = o->DownFontColor;
  DisabledFontColor_ = o->DisabledFontColor;
  ActiveSkinRect_ = RectIsEmpty(o->ActiveSkinRect) ? o->SkinRect : o->ActiveSkinRect;
  DownSkinRect_ = RectIsEmpty(o->DownSkinRect) ? ActiveSkinRect_ : o->DownSkinRect;
  DisabledSkinRect_ = o->DisabledSkinRect;
  SkinMorphing_ = o->Morphing;
  MorphKind_ = o->MorphKind;
  AnimateSkinRect_ = o->AnimateSkinRect;
  FrameCount_ = o->FrameCount;
  AnimateInterval_ = o->AnimateInterval;
  ShowFocus_ = o->ShowFocus;
  if (!UseSkinSize_ && SkinMask_) SkinMask_ = nullptr;
  if (AnimationTimer_.Running() && FrameCount_ > 0) {
    TRect frame = AnimateSkinRect_;
    const int k = std::clamp(AnimationFrame_, 1, FrameCount_) - 1;
    if (AnimateSkinRect_.Width() > Piece_.SkinRect.Width()) {
      const int w = AnimateSkinRect_.Width() / FrameCount_;
      frame.Left += k * w;
      frame.Right = frame.Left + w;
    } else {
      const int h = AnimateSkinRect_.Height() / FrameCount_;
      frame.Top += k * h;
      frame.Bottom = frame.Top + h;
    }
    (AnimatingIn_ ? ActiveSkinRect_ : Piece_.SkinRect) = frame;
  }
}

void TbsSkinButton::FitSizeToSkin(int& width, int& height) {
  if (UseSkinSize_ || SizingKind_ == skBoth) TbsSkinCustomControl::FitSizeToSkin(width, height);
}

void TbsSkinButton::ApplySkin() {
  StopMorph();
  StopAnimation();
  MorphValue_ = 0;
  TbsSkinCustomControl::ApplySkin();
  if (EffectsOn() && SkinObjectIndex_ >= 0 && (FocusedAndCanFocus() || MouseOver_)) MorphValue_ = 1;
}

// -- Painting

void TbsSkinButton::DrawCaption(spv::platform::TCanvas& canvas, const TRect& r, bool active, bool down) {
  const HDC dc = canvas.Handle();
  const std::wstring& text = Caption();
  RECT measure{0, 0, 0, 0};
  SelectObject(dc, canvas.Font().Handle());
  if (!text.empty()) DrawWideText(dc, text, measure, DT_CALCRECT);
  const int tw = measure.right, th = measure.bottom;
  const int gw = Glyph_.Empty() ? 0 : Glyph_.Width() / NumGlyphs_, gh = Glyph_.Empty() ? 0 : Glyph_.Height();
  const TbsGlyphTextPlace place = PlaceGlyphAndText(r, Layout_, Margin_, Spacing_, gw, gh, tw, th, active && down);
  if (!Glyph_.Empty())
    DrawGlyphFrame(dc, place.Glyph.X, place.Glyph.Y, GlyphFrameFor(down, active, Enabled(), NumGlyphs_), NumGlyphs_,
                   Glyph_);
  if (text.empty()) return;
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, spv::platform::ColorToRGB(canvas.Font().Color()));
  RECT tr{place.Text.X, place.Text.Y, place.Text.X + tw + 2, place.Text.Y + th};
  DrawWideText(dc, text, tr, DT_CENTER);
}

void TbsSkinButton::PaintState(TbsFBitmap& bitmap, const TRect& rect, bool active, bool down) {
  TRect caption = Sized_.ClientRect;
  if (!UseSkinSize_ && SizingKind_ != skBoth && SkinPicture_) {
    bitmap.SetSize(Width(), Height());
    if (SizingKind_ == skFixed) CopyImageRect(bitmap, {0, 0, Width(), Height()}, *SkinPicture_, rect);
    else NinePartFromClientRect(bitmap, *SkinPicture_, rect, true, Piece_.ClientRect);
    const int dx = Width() - Piece_.SkinRect.Width(), dy = Height() - Piece_.SkinRect.Height();
    caption = Piece_.ClientRect;
    caption.Right += dx;
    caption.Bottom += dy;
  } else {
    PaintSkinPiece(bitmap, SkinPicture_, rect);
  }
  GdiFlush();
  spv::platform::TCanvas canvas;
  canvas.SetHandle(bitmap.DC());
  const BYTE charset = DefaultFont().Charset();
  canvas.Font().Assign(DefaultFont());
  if (UseSkinFont()) AssignSkinFont(canvas.Font(), Font_, charset);
  TColor colour;
  if (Enabled() && !UseSkinFontColor_) colour = TColor(DefaultFont().Color());
  else if (!Enabled()) colour = DisabledFontColor_;
  else if (active && down) colour = DownFontColor_;
  else if (active) colour = ActiveFontColor_;
  else colour = Font_.FontColor;
  canvas.Font().SetColor(spv::platform::TColor(colour));
  if (ShowFocus_ && Focused()) {
    const RECT fr = ToRECT(Sized_.ClientRect);
    SetTextColor(bitmap.DC(), RGB(0, 0, 0));
    SetBkColor(bitmap.DC(), Rgb(SkinData()->SkinColors.cBtnFace));
    DrawFocusRect(bitmap.DC(), &fr);
  }
  DrawCaption(canvas, caption, active, down);
  canvas.SetHandle(nullptr);
}

void TbsSkinButton::PaintSkinLook(TbsFBitmap& bitmap) {
  if (!SkinPicture_) {
    PaintDefaultLook(bitmap);
    return;
  }
  if (MorphTimer_.Running()) {
    TbsFBitmap active;
    PaintState(bitmap, Piece_.SkinRect, false, false);
    PaintState(active, ActiveSkinRect_, true, false);
    TbsEffectBmp blend(bitmap);
    blend.Morph(MorphKind_, active, MorphValue_);
    bitmap = static_cast<const TImage&>(blend);
    return;
  }
  if (!Enabled() && !RectIsEmpty(DisabledSkinRect_)) PaintState(bitmap, DisabledSkinRect_, false, false);
  else if (Down_ && (GroupIndex_ != 0 || MouseOver_ || (FocusedAndCanFocus() && !PressedByMouse_)))
    PaintState(bitmap, DownSkinRect_, true, true);
  else if (FocusedAndCanFocus() || MouseOver_) PaintState(bitmap, ActiveSkinRect_, true, false);
  else if (EffectsOn() && SkinMorphing_ && MorphValue_ == 1) PaintState(bitmap, ActiveSkinRect_, true, false);
  else PaintState(bitmap, Piece_.SkinRect, false, false);
}

void TbsSkinButton::PaintDefaultLook(TbsFBitmap& bitmap) {
  using namespace spv::platform;
  const bool down = Down_ && (GroupIndex_ != 0 || MouseOver_ || (FocusedAndCanFocus() && !PressedByMouse_));
  TColor frame = clBtnShadow, fill = clBtnFace;
  if (down) {
    frame = clNavy;
    fill = 0xB59385;
  } else if (MouseOver_ || FocusedAndCanFocus()) {
    frame = clNavy;
    fill = 0xD2BDB6;
  }
  TCanvas canvas;
  canvas.SetHandle(bitmap.DC());
  const RECT r{0, 0, Width(), Height()};
  canvas.Brush().SetColor(fill);
  canvas.FillRect(r);
  canvas.Brush().SetColor(frame);
  canvas.FrameRect(r);
  canvas.Font().Assign(DefaultFont());
  if (!Enabled()) canvas.Font().SetColor(clBtnShadow);
  const bool active = MouseOver_;
  // The default look presses its caption whenever the button is down.
  DrawCaption(canvas, FromRECT(ClientRect()), active || down, Down_);
  canvas.SetHandle(nullptr);
}

// -- Behaviour

void TbsSkinButton::MouseEnter() {
  MouseOver_ = true;
  if (RepaintOnHover()) Invalidate();
  if (Down_ && RepeatMode && GroupIndex_ == 0 && !RepeatTimer_.Running()) StartRepeat();
  StartMorph();
  StartAnimation(true);
  TbsSkinCustomControl::MouseEnter();
}

void TbsSkinButton::MouseLeave() {
  // The active default button keeps its highlight while the focus is elsewhere.
  if (!(CanFocused_ && Default_ && DefaultActive_ && !Focused())) MouseOver_ = false;
  if (RepaintOnHover()) Invalidate();
  if (Down_ && RepeatMode && GroupIndex_ == 0) RepeatTimer_.Stop();
  StartMorph();
  StartAnimation(false);
  TbsSkinCustomControl::MouseLeave();
}

void TbsSkinButton::MouseMove(TShiftState shift, int x, int y) {
  // While pressed the button holds the mouse, so it tells leaving and coming back itself.
  if (PressedByMouse_) {
    const RECT c = ClientRect();
    const bool inside = PtInRect(&c, POINT{x, y}) != FALSE;
    if (inside && !MouseOver_) MouseEnter();
    else if (!inside && MouseOver_) MouseLeave();
  }
  TbsSkinCustomControl::MouseMove(shift, x, y);
}

void TbsSkinButton::StartRepeat() {
  RepeatTimer_.Start(RepeatInterval, [this] { FireClick(); });
}

void TbsSkinButton::MouseDown(spv::platform::TMouseButton button, TShiftState shift, int x, int y) {
  TbsSkinCustomControl::MouseDown(button, shift, x, y);
  if (button != spv::platform::TMouseButton::mbLeft) return;
  StopAnimation();
  PressedByMouse_ = true;
  if (!Down_) {
    MouseOver_ = true;
    SetDown(true);
    if (RepeatMode && GroupIndex_ == 0) StartRepeat();
    else if (GroupIndex_ != 0) FireClick();
    ReleaseArmed_ = false;
  } else if (GroupIndex_ != 0) {
    ReleaseArmed_ = true;
  }
}

void TbsSkinButton::MouseRelease(int x, int y) {
  PressedByMouse_ = false;
  const RECT c = ClientRect();
  MouseOver_ = MouseOver_ && PtInRect(&c, POINT{x, y});
  const bool wasDown = Down_;
  if (GroupIndex_ == 0) {
    RepeatTimer_.Stop();
    Down_ = false;
    Invalidate();
    if (MouseOver_ && wasDown) FireClick();
  } else if (wasDown && AllowAllUp && ReleaseArmed_ && MouseOver_) {
    SetDown(false);
    FireClick();
  }
}

void TbsSkinButton::KeyDown(WORD& key, TShiftState shift) {
  if (FocusedAndCanFocus()) {
    if (key == VK_SPACE) {
      SetDown(true);
      if (RepeatMode) FireClick();
    } else if (key == VK_RETURN) {
      FireClick();
    }
  }
  TbsSkinCustomControl::KeyDown(key, shift);
}

void TbsSkinButton::KeyUp(WORD& key, TShiftState shift) {
  if (FocusedAndCanFocus() && key == VK_SPACE) {
    SetDown(false);
    FireClick();
  }
  TbsSkinCustomControl::KeyUp(key, shift);
}

bool TbsSkinButton::TakeDialogKey(WORD key, TShiftState shift) {
  if (key == VK_RETURN && DefaultActive_ && Enabled()) {
    FireClick();
    return true;
  }
  constexpr TShiftState held = spv::platform::ssShift | spv::platform::ssCtrl | spv::platform::ssAlt;
  if (key == VK_ESCAPE && Cancel && CanFocused_ && !(shift & held) && CanFocus()) {
    FireClick();
    return true;
  }
  return false;
}

bool TbsSkinButton::TakeDialogChar(wchar_t ch) {
  if (!IsAccelerator(ch, Caption()) || !CanFocus() || !CanFocused_) return false;
  SetFocus();
  FireClick();
  return true;
}

void TbsSkinButton::FocusMovedTo(TWinControl* focused) {
  const bool toButton = dynamic_cast<TbsSkinButton*>(focused) != nullptr;
  DefaultActive_ = toButton ? focused == this : Default_;
  if (Default_ && CanFocused_) {
    MouseOver_ = !toButton;
    Invalidate();
  }
}

void TbsSkinButton::DoEnter() {
  TbsSkinCustomControl::DoEnter();
  if (CanFocused_) Invalidate();
  StartMorph();
  StartAnimation(true);
}

void TbsSkinButton::DoExit() {
  RepeatTimer_.Stop();
  if (GroupIndex_ == 0) Down_ = false;
  if (CanFocused_) Invalidate();
  StartMorph();
  StartAnimation(false);
  TbsSkinCustomControl::DoExit();
}

void TbsSkinButton::FireClick() {
  if (CanFocused_)
    if (spv::platform::TCustomForm* form = FormOf(this)) form->SetModalResult(ModalResult);
  if (OnClick) OnClick(this);
}

void TbsSkinButton::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (!Focused() && CanFocused_ && CanFocus()) {
        TakingFocus_ = true;
        SetFocus();
        TakingFocus_ = false;
        if (!Focused()) return;
      }
      break;
    case WM_LBUTTONUP: {
      const HWND window = Handle();
      MouseRelease(GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
      // A click may have closed the window; the mouse-up notification then has no one to tell.
      if (!IsWindow(window) || !Visible()) {
        ReleaseCapture();
        return;
      }
      break;
    }
    case WM_ERASEBKGND:
      if (!InPaintMessage()) PaintTo(reinterpret_cast<HDC>(m.WParam));
      m.Result = 1;
      return;
    case WM_GETDLGCODE:
      m.Result = DLGC_BUTTON;
      return;
    case WM_KILLFOCUS: {
      TbsSkinCustomControl::WndProc(m);
      // The skin's own controls announce the focus they take; any other window of the form does
      // not, so the button it leaves tells the form's buttons where the focus went.
      const HWND to = reinterpret_cast<HWND>(m.WParam);
      if (!dynamic_cast<TbsSkinClient*>(TWinControl::FromHandle(to)))
        if (TWinControl* control = ControlOfWindow(to); control && TopWindowOf(control) == TopWindowOf(this))
          NotifyFocusChanged(control);
      return;
    }
    case CM_BS_FOCUSCHANGED: FocusMovedTo(reinterpret_cast<TWinControl*>(m.LParam)); return;
    case CM_BS_DIALOGKEY: m.Result = TakeDialogKey(WORD(m.WParam), TShiftState(m.LParam)); return;
    case CM_BS_DIALOGCHAR: m.Result = TakeDialogChar(wchar_t(m.WParam)); return;
    default: break;
  }
  TbsSkinCustomControl::WndProc(m);
}

// -- Morph and frame animation

void TbsSkinButton::StartMorph() {
  if (!EffectsOn() || !SkinMorphing_ || SkinObjectIndex_ < 0 || !Enabled()) return;
  const double target = MouseOver_ || FocusedAndCanFocus() ? 1 : 0;
  if (MorphValue_ == target) {
    StopMorph();
    return;
  }
  if (!MorphTimer_.Running()) MorphTimer_.Start(20, [this] { MorphStep(); });
}

void TbsSkinButton::StopMorph() { MorphTimer_.Stop(); }

void TbsSkinButton::MorphStep() {
  const double target = MouseOver_ || FocusedAndCanFocus() ? 1 : 0;
  MorphValue_ = target > MorphValue_ ? std::min(1.0, MorphValue_ + 0.2) : std::max(0.0, MorphValue_ - 0.2);
  // Steps of 0.2 do not add up to exactly 1: the end is the target itself.
  if (std::abs(MorphValue_ - target) < 1e-9) {
    MorphValue_ = target;
    StopMorph();
  }
  Invalidate();
}

void TbsSkinButton::StartAnimation(bool in) {
  if (!EffectsOn() || RectIsEmpty(AnimateSkinRect_) || FrameCount_ <= 0 || SkinObjectIndex_ < 0) return;
  if (!AnimationTimer_.Running()) AnimationFrame_ = in ? 0 : FrameCount_ + 1;
  AnimatingIn_ = in;
  AnimationTimer_.Start(unsigned(std::max(1, AnimateInterval_)), [this] { AnimationStep(); });
}

void TbsSkinButton::StopAnimation() { AnimationTimer_.Stop(); }

void TbsSkinButton::AnimationStep() {
  AnimationFrame_ += AnimatingIn_ ? 1 : -1;
  if (AnimationFrame_ < 1 || AnimationFrame_ > FrameCount_) {
    AnimationFrame_ = std::clamp(AnimationFrame_, 1, FrameCount_);
    StopAnimation();
  }
  Invalidate();
}

bool TbsSkinButton::ReadProperty(const spv::platform::TStoredProperty& p, spv::platform::TFormReader& reader) {
  using spv::platform::SameIdent;
  static constexpr std::array<spv::platform::TEnumName<TbsButtonLayout>, 4> layouts{{
      {"blGlyphLeft", TbsButtonLayout::blGlyphLeft},
      {"blGlyphRight", TbsButtonLayout::blGlyphRight},
      {"blGlyphTop", TbsButtonLayout::blGlyphTop},
      {"blGlyphBottom", TbsButtonLayout::blGlyphBottom},
  }};
  if (SameIdent(p.Name, "UseSkinSize")) SetUseSkinSize(p.Boolean());
  else if (SameIdent(p.Name, "UseSkinFontColor")) SetUseSkinFontColor(p.Boolean());
  else if (SameIdent(p.Name, "RepeatMode")) RepeatMode = p.Boolean();
  else if (SameIdent(p.Name, "RepeatInterval")) RepeatInterval = unsigned(std::max(1, p.Int()));
  else if (SameIdent(p.Name, "AllowAllUp")) AllowAllUp = p.Boolean();
  else if (SameIdent(p.Name, "CanFocused")) SetCanFocused(p.Boolean());
  else if (SameIdent(p.Name, "Down")) SetDown(p.Boolean());
  else if (SameIdent(p.Name, "GroupIndex")) SetGroupIndex(p.Int());
  else if (SameIdent(p.Name, "NumGlyphs")) SetNumGlyphs(p.Int());
  else if (SameIdent(p.Name, "Margin")) SetMargin(p.Int());
  else if (SameIdent(p.Name, "Spacing")) SetSpacing(p.Int());
  else if (SameIdent(p.Name, "Layout")) SetLayout(p.Enum<TbsButtonLayout>(layouts));
  else if (SameIdent(p.Name, "Default")) SetDefault(p.Boolean());
  else if (SameIdent(p.Name, "Cancel")) Cancel = p.Boolean();
  else if (SameIdent(p.Name, "ModalResult")) ModalResult = p.Int();
  else return TbsSkinCustomControl::ReadProperty(p, reader);
  return true;
}

void RegisterSkinControlClasses() {
  static const bool done = [] {
    auto& r = spv::platform::TClassRegistry::Instance();
    r.Register<TbsSkinButton>("TbsSkinButton");
    r.Register<TbsSkinPanel>("TbsSkinPanel");
    r.Register<TbsSkinGroupBox>("TbsSkinGroupBox");
    r.Register<TbsSkinStdLabel>("TbsSkinStdLabel");
    r.Register<TbsSkinBevel>("TbsSkinBevel");
    r.Register<TbsSkinGauge>("TbsSkinGauge");
    r.Register<TbsSkinTabControl>("TbsSkinTabControl");
    r.Register<TbsSkinEdit>("TbsSkinEdit");
    r.Register<TbsSkinDateEdit>("TbsSkinDateEdit");
    r.Register<TbsSkinMonthCalendar>("TbsSkinMonthCalendar");
    r.Register<TbsSkinScrollBar>("TbsSkinScrollBar");
    r.Register<TbsSkinDrawGrid>("TbsSkinDrawGrid");
    r.Register<TbsSkinStringGrid>("TbsSkinStringGrid");
    r.Register<TbsSkinStatusPanel>("TbsSkinStatusPanel");
    return true;
  }();
  (void)done;
}

}  // namespace bs
