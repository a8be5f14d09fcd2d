#include "skin/controls/bsSkinScrollBar.h"

#include <windowsx.h>

#include "platform/FormReader.h"
#include "platform/SysUtils.h"

#include <algorithm>
#include <array>

namespace bs {

using spv::platform::TComponent;
using spv::platform::TMessage;
using spv::platform::TShiftState;

namespace {

constexpr unsigned kFirstDelay = 500, kRepeatDelay = 50;

void FillRectWith(HDC dc, const TRect& r, spv::platform::TColor colour) {
  const RECT rr = ToRECT(r);
  spv::platform::TGdiHandle<HBRUSH> brush(CreateSolidBrush(spv::platform::ColorToRGB(colour)));
  ::FillRect(dc, &rr, brush.Get());
}

// The picture's pixels over `dest` at (x, y), leaving out those of the transparent colour.
void DrawTransparent(TImage& dest, int x, int y, const TImage& picture, TPixel transparent) {
  for (int sy = 0; sy < picture.Height(); ++sy) {
    const int dy = y + sy;
    if (dy < 0 || dy >= dest.Height()) continue;
    for (int sx = 0; sx < picture.Width(); ++sx) {
      const int dx = x + sx;
      if (dx < 0 || dx >= dest.Width()) continue;
      const TPixel p = picture.At(sx, sy);
      if (!(p == transparent)) dest.At(dx, dy) = p;
    }
  }
}

TPixel PixelOfColor(TColor c) {
  const COLORREF rgb = spv::platform::ColorToRGB(spv::platform::TColor(c));
  return {GetBValue(rgb), GetGValue(rgb), GetRValue(rgb)};
}

}  // namespace

TbsSkinScrollBar::TbsSkinScrollBar(TComponent* owner) : TbsSkinCustomControl(owner) {
  SkinDataName_ = "hscrollbar";
  SetBounds(0, 0, 200, 19);
  SetDefaultHeight(19);
  SetTabStop(false);
}

TbsSkinScrollBar::~TbsSkinScrollBar() { Timer_.Stop(); }

// -- Properties

void TbsSkinScrollBar::SetKind(TbsScrollBarKind value) {
  if (value == Kind_) return;
  Kind_ = value;
  if (!Loading()) {
    // Made in code, a bar of the other kind takes that kind's description and shape at once.
    const bool vertical = value == TbsScrollBarKind::sbVertical;
    if (!Both_) SkinDataName_ = vertical ? "vscrollbar" : "hscrollbar";
    if (vertical ? Width() > Height() : Height() > Width()) SetBounds(Left(), Top(), Height(), Width());
    if (vertical) {
      SetDefaultWidth(DefaultHeight());
      SetDefaultHeight(0);
    } else {
      SetDefaultHeight(DefaultWidth());
      SetDefaultWidth(0);
    }
    if (SkinData()) ApplySkin();
  }
  Invalidate();
}

bool TbsSkinScrollBar::StoreClamped(int value) {
  value = ClampScrollPosition(Range_, value);
  if (value == Range_.Position) return false;
  Range_.Position = value;
  Invalidate();
  return true;
}

void TbsSkinScrollBar::SetPosition(int value) {
  if (StoreClamped(value) && OnChange) OnChange(this);
}

void TbsSkinScrollBar::SetPositionQuiet(int value) { StoreClamped(value); }

void TbsSkinScrollBar::SetRange(int min, int max, int pageSize, int position) {
  Range_.Min = min;
  Range_.Max = std::max(min, max);
  Range_.PageSize = std::max(0, pageSize);
  Range_.Position = ClampScrollPosition(Range_, position);
  Invalidate();
}

void TbsSkinScrollBar::SetMin(int value) {
  Range_.Min = value;
  Range_.Max = std::max(Range_.Max, value);
  Range_.Position = std::max(Range_.Position, value);
  Invalidate();
}

void TbsSkinScrollBar::SetMax(int value) {
  Range_.Max = value;
  Range_.Min = std::min(Range_.Min, value);
  Range_.Position = ClampScrollPosition(Range_, Range_.Position);
  Invalidate();
}

void TbsSkinScrollBar::SetPageSize(int value) {
  if (ScrollPageFits(Range_, value)) Range_.PageSize = value;
  Invalidate();
}

void TbsSkinScrollBar::SetSmallChange(int value) {
  SmallChange_ = value;
  Invalidate();
}

void TbsSkinScrollBar::SetLargeChange(int value) {
  LargeChange_ = value;
  Invalidate();
}

void TbsSkinScrollBar::SetCanFocused(bool value) {
  CanFocused_ = value;
  SetTabStop(value);
}

void TbsSkinScrollBar::SetBoth(bool value) {
  if (value == Both_) return;
  Both_ = value;
  if (Loading()) return;
  if (value) {
    KeptSkinDataName_ = SkinDataName_;
    SkinDataName_ = BothSkinDataName_;
  } else {
    SkinDataName_ = KeptSkinDataName_;
  }
  if (SkinData()) ApplySkin();
  else Invalidate();
}

void TbsSkinScrollBar::SetBothMarkerWidth(int value) {
  if (value < 0) return;
  BothMarkerWidth_ = value;
  if (SkinObjectIndex_ < 0) Invalidate();
}

// -- Skin

void TbsSkinScrollBar::ReadSkinObject() {
  TbsSkinCustomControl::ReadSkinObject();
  if (SkinObjectIndex_ < 0) return;
  const auto* o = dynamic_cast<const TbsDataSkinScrollBarControl*>(SkinObject());
  if (!o || !SkinPicture_) {
    // Another kind of description, or one without its picture: the built-in look.
    SkinObjectIndex_ = -1;
    SizingKind_ = skNoPiece;
    SkinPicture_ = SkinMask_ = nullptr;
    return;
  }
  const auto orElse = [](const TRect& r, const TRect& fallback) { return RectIsEmpty(r) ? fallback : r; };
  ActiveUpButtonRect_ = o->ActiveUpButtonRect;
  DownUpButtonRect_ = orElse(o->DownUpButtonRect, o->ActiveUpButtonRect);
  ActiveDownButtonRect_ = o->ActiveDownButtonRect;
  DownDownButtonRect_ = orElse(o->DownDownButtonRect, o->ActiveDownButtonRect);
  ThumbRect_ = o->ThumbRect;
  ActiveThumbRect_ = orElse(o->ActiveThumbRect, o->ThumbRect);
  DownThumbRect_ = orElse(o->DownThumbRect, ActiveThumbRect_);
  GlyphRect_ = o->GlyphRect;
  ActiveGlyphRect_ = orElse(o->ActiveGlyphRect, o->GlyphRect);
  DownGlyphRect_ = orElse(o->DownGlyphRect, ActiveGlyphRect_);
  ThumbOffset1_ = o->ThumbOffset1;
  ThumbOffset2_ = o->ThumbOffset2;
  ThumbTransparent_ = o->ThumbTransparent;
  ThumbTransparentColor_ = o->ThumbTransparentColor;
  const bool vertical = Kind_ == TbsScrollBarKind::sbVertical;
  Skin_ = {o->SkinRect, o->TrackArea, o->UpButtonRect, o->DownButtonRect, o->Corners.RightTopPoint, o->Corners.LeftBottomPoint,
           vertical ? ThumbRect_.Height() : ThumbRect_.Width(), vertical ? ThumbRect_.Width() : ThumbRect_.Height()};
}

void TbsSkinScrollBar::SetBounds(int left, int top, int width, int height) {
  TbsSkinCustomControl::SetBounds(left, top, width, height);
  Invalidate();
}

TbsScrollBarLayout TbsSkinScrollBar::Layout() {
  ReadSkinObject();
  return LayoutScrollBar(Kind_, Width(), Height(), Range_, SkinObjectIndex_ < 0 ? nullptr : &Skin_,
                         Both_ && Kind_ == TbsScrollBarKind::sbHorizontal ? BothMarkerWidth_ : 0);
}

// -- Painting

bool TbsSkinScrollBar::ThumbPressedLook() const {
  return (PressedPart_ == sbpScrollThumb) || (CanFocused_ && Focused());
}

void TbsSkinScrollBar::PaintSkinThumb(TbsFBitmap& bitmap, const TbsScrollBarLayout& l) {
  const bool vertical = Kind_ == TbsScrollBarKind::sbVertical;
  TRect picture = ThumbRect_, glyph = GlyphRect_;
  if (ThumbPressedLook()) picture = DownThumbRect_, glyph = DownGlyphRect_;
  else if (HotPart_ == sbpScrollThumb) picture = ActiveThumbRect_, glyph = ActiveGlyphRect_;
  if (RectIsEmpty(picture) || RectIsEmpty(l.Thumb)) return;
  TbsFBitmap thumb;
  if (Range_.PageSize > 0) {
    if (vertical) ThreePartVertImage(ThumbOffset1_, ThumbOffset2_, thumb, *SkinPicture_, picture, l.Thumb.Height(), Stretch_.Client);
    else ThreePartHorzImage(ThumbOffset1_, ThumbOffset2_, thumb, *SkinPicture_, picture, l.Thumb.Width(), Stretch_.Client);
  } else {
    thumb.SetSize(l.Thumb.Width(), l.Thumb.Height());
    CopyImageRect(thumb, {0, 0, l.Thumb.Width(), l.Thumb.Height()}, *SkinPicture_, picture);
  }
  if (!RectIsEmpty(glyph)) {
    const int gx = (thumb.Width() - glyph.Width()) / 2, gy = (thumb.Height() - glyph.Height()) / 2;
    CopyImageRect(thumb, {gx, gy, gx + glyph.Width(), gy + glyph.Height()}, *SkinPicture_, glyph);
  }
  if (ThumbTransparent_) {
    DrawTransparent(bitmap, l.Thumb.Left, l.Thumb.Top, thumb, PixelOfColor(ThumbTransparentColor_));
  } else {
    CopyImageRect(bitmap, l.Thumb, thumb, {0, 0, thumb.Width(), thumb.Height()});
  }
}

void TbsSkinScrollBar::PaintSkinLook(TbsFBitmap& bitmap) {
  PaintSkinPiece(bitmap, SkinPicture_, Piece_.SkinRect);
  const TbsScrollBarLayout l = Layout();
  const auto button = [&](int part, const TRect& pressed, const TRect& active) {
    const bool hot = HotPart_ == part;
    const TRect* picture = nullptr;
    if (hot && PressedPart_ == part) picture = &pressed;
    else if (hot) picture = &active;
    if (picture && !RectIsEmpty(*picture)) CopyImageRect(bitmap, l.Part(part), *SkinPicture_, *picture);
  };
  button(sbpIncreaseButton, DownUpButtonRect_, ActiveUpButtonRect_);
  button(sbpDecreaseButton, DownDownButtonRect_, ActiveDownButtonRect_);
  if (Enabled()) PaintSkinThumb(bitmap, l);
}

void TbsSkinScrollBar::PaintDefaultLook(TbsFBitmap& bitmap) {
  using namespace spv::platform;
  const HDC dc = bitmap.DC();
  FillRectWith(dc, {0, 0, Width(), Height()}, clBtnFace);
  const TbsScrollBarLayout l = Layout();
  const auto part = [&](int p) {
    const bool hot = HotPart_ == p;
    const bool pressed = p == sbpScrollThumb ? ThumbPressedLook() : hot && PressedPart_ == p;
    TColor frame = clBtnShadow, fill = clBtnFace;
    if (pressed) frame = clNavy, fill = 0xB59385;
    else if (hot) frame = clNavy, fill = 0xD2BDB6;
    const TRect& r = l.Part(p);
    if (RectIsEmpty(r)) return;
    FillRectWith(dc, r, fill);
    const RECT rr = ToRECT(r);
    TGdiHandle<HBRUSH> brush(CreateSolidBrush(ColorToRGB(frame)));
    ::FrameRect(dc, &rr, brush.Get());
  };
  part(sbpIncreaseButton);
  part(sbpDecreaseButton);
  const bool vertical = Kind_ == TbsScrollBarKind::sbVertical;
  DrawArrowMark(dc, ToRECT(l.IncreaseButton), RGB(0, 0, 0),
                vertical ? TbsArrowDirection::Down : TbsArrowDirection::Right);
  DrawArrowMark(dc, ToRECT(l.DecreaseButton), RGB(0, 0, 0),
                vertical ? TbsArrowDirection::Up : TbsArrowDirection::Left);
  if (Enabled()) part(sbpScrollThumb);
}

// -- Behaviour

void TbsSkinScrollBar::StepBy(std::int64_t delta) { SetPosition(SaturatedAdd(Range_.Position, delta)); }

void TbsSkinScrollBar::ButtonStep(int part) {
  if (part == sbpIncreaseButton) {
    if (OnUpButtonClick) OnUpButtonClick(this);
    else StepBy(SmallChange_);
  } else {
    if (OnDownButtonClick) OnDownButtonClick(this);
    else StepBy(-std::int64_t(SmallChange_));
  }
}

bool TbsSkinScrollBar::PageStep(bool toStart) {
  const TbsScrollBarLayout l = Layout();
  const bool vertical = Kind_ == TbsScrollBarKind::sbVertical;
  const int at = vertical ? LastPoint_.y : LastPoint_.x;
  const bool inTrack = LastPoint_.x >= l.Track.Left && LastPoint_.x < l.Track.Right && LastPoint_.y >= l.Track.Top &&
                       LastPoint_.y < l.Track.Bottom;
  const int thumbStart = vertical ? l.Thumb.Top : l.Thumb.Left, thumbEnd = vertical ? l.Thumb.Bottom : l.Thumb.Right;
  if (!inTrack || (toStart ? at >= thumbStart : at < thumbEnd)) return false;
  StepBy(toStart ? -std::int64_t(LargeChange_) : std::int64_t(LargeChange_));
  if (toStart ? bool(OnPageUp) : bool(OnPageDown)) (toStart ? OnPageUp : OnPageDown)(this);
  return true;
}

void TbsSkinScrollBar::StartRepeat(unsigned interval) {
  Timer_.Stop();
  Timer_.Start(interval, [this] { RepeatTick(); });
}

void TbsSkinScrollBar::RepeatTick() {
  if (FirstTick_) {
    FirstTick_ = false;
    StartRepeat(kRepeatDelay);
    return;
  }
  switch (AutoRepeat_) {
    case TAutoRepeat::Increase: ButtonStep(sbpIncreaseButton); break;
    case TAutoRepeat::Decrease: ButtonStep(sbpDecreaseButton); break;
    case TAutoRepeat::PageToStart:
    case TAutoRepeat::PageToEnd:
      UpdateHotPart(LastPoint_.x, LastPoint_.y);
      if (!PageStep(AutoRepeat_ == TAutoRepeat::PageToStart)) {
        Timer_.Stop();
        AutoRepeat_ = TAutoRepeat::None;
      }
      break;
    case TAutoRepeat::None: Timer_.Stop(); break;
  }
}

void TbsSkinScrollBar::PressPart(int part, int x, int y) {
  PressedPart_ = part;
  Invalidate();
  if (part == sbpScrollThumb) {
    const TbsScrollBarLayout l = Layout();
    DragOrigin_ = Kind_ == TbsScrollBarKind::sbVertical ? y : x;
    OffsetAtPress_ = l.Offset;
    PositionAtPress_ = Range_.Position;
    Dragging_ = true;
    return;
  }
  AutoRepeat_ = part == sbpIncreaseButton ? TAutoRepeat::Increase : TAutoRepeat::Decrease;
  ButtonStep(part);
  StartRepeat(kFirstDelay);
}

void TbsSkinScrollBar::ReleasePart() {
  if (PressedPart_ == sbpNone) return;
  const int part = PressedPart_;
  PressedPart_ = sbpNone;
  Invalidate();
  if (part == sbpScrollThumb) Dragging_ = false;
  else Timer_.Stop();
  AutoRepeat_ = TAutoRepeat::None;
  Paused_ = false;
}

void TbsSkinScrollBar::UpdateHotPart(int x, int y) {
  int part = ScrollBarPartAt(Layout(), x, y);
  // While a part is held, no other part lights up.
  if (PressedPart_ != sbpNone && part != PressedPart_) part = sbpNone;
  if (part == HotPart_) return;
  HotPart_ = part;
  Invalidate();
  if (PressedPart_ == sbpIncreaseButton || PressedPart_ == sbpDecreaseButton) {
    if (part == sbpNone && Timer_.Running()) {
      Timer_.Stop();
      Paused_ = true;
    } else if (part == PressedPart_ && Paused_) {
      Paused_ = false;
      FirstTick_ = false;
      StartRepeat(kRepeatDelay);
    }
  }
}

void TbsSkinScrollBar::MouseDown(spv::platform::TMouseButton button, TShiftState shift, int x, int y) {
  TbsSkinCustomControl::MouseDown(button, shift, x, y);
  if (button != spv::platform::TMouseButton::mbLeft) return;
  ButtonHeld_ = true;
  LastPoint_ = {x, y};
  const TbsScrollBarLayout l = Layout();
  AutoRepeat_ = TAutoRepeat::None;
  FirstTick_ = true;
  Paused_ = false;
  const int part = ScrollBarPartAt(l, x, y);
  if (part != sbpNone) {
    HotPart_ = part;
    PressPart(part, x, y);
    return;
  }
  if (x < l.Track.Left || x >= l.Track.Right || y < l.Track.Top || y >= l.Track.Bottom) return;
  const bool vertical = Kind_ == TbsScrollBarKind::sbVertical;
  const bool before = vertical ? y < l.Thumb.Top : x < l.Thumb.Left;
  AutoRepeat_ = before ? TAutoRepeat::PageToStart : TAutoRepeat::PageToEnd;
  StepBy(before ? -std::int64_t(LargeChange_) : std::int64_t(LargeChange_));
  StartRepeat(kFirstDelay);
  if (before ? bool(OnPageUp) : bool(OnPageDown)) (before ? OnPageUp : OnPageDown)(this);
}

void TbsSkinScrollBar::MouseMove(TShiftState shift, int x, int y) {
  LastPoint_ = {x, y};
  UpdateHotPart(x, y);
  if (Dragging_) {
    const TbsScrollBarLayout l = Layout();
    const int at = Kind_ == TbsScrollBarKind::sbVertical ? y : x;
    SetPosition(ScrollPositionFromOffset(l, Range_, int(std::clamp<std::int64_t>(std::int64_t(at) - DragOrigin_,
                                                                                 INT_MIN, INT_MAX)),
                                         OffsetAtPress_));
  }
  TbsSkinCustomControl::MouseMove(shift, x, y);
}

void TbsSkinScrollBar::MouseUp(spv::platform::TMouseButton button, TShiftState shift, int x, int y) {
  if (button == spv::platform::TMouseButton::mbLeft) {
    ButtonHeld_ = false;
    if (AutoRepeat_ == TAutoRepeat::PageToStart || AutoRepeat_ == TAutoRepeat::PageToEnd) {
      Timer_.Stop();
      AutoRepeat_ = TAutoRepeat::None;
    }
    const bool thumb = PressedPart_ == sbpScrollThumb;
    ReleasePart();
    UpdateHotPart(x, y);
    if (thumb && OnLastChange) OnLastChange(this);
  }
  TbsSkinCustomControl::MouseUp(button, shift, x, y);
}

void TbsSkinScrollBar::MouseLeave() {
  if (HotPart_ != sbpNone && PressedPart_ == sbpNone && !Dragging_) {
    HotPart_ = sbpNone;
    Invalidate();
  }
  if (ButtonHeld_ && (AutoRepeat_ == TAutoRepeat::PageToStart || AutoRepeat_ == TAutoRepeat::PageToEnd)) {
    Timer_.Stop();
    AutoRepeat_ = TAutoRepeat::None;
  }
  TbsSkinCustomControl::MouseLeave();
}

void TbsSkinScrollBar::KeyDown(WORD& key, TShiftState shift) {
  TbsSkinCustomControl::KeyDown(key, shift);
  if (!CanFocused_) return;
  if (key == VK_LEFT || key == VK_UP) StepBy(-std::int64_t(SmallChange_));
  else if (key == VK_RIGHT || key == VK_DOWN) StepBy(SmallChange_);
}

void TbsSkinScrollBar::DoEnter() {
  TbsSkinCustomControl::DoEnter();
  Invalidate();
}

void TbsSkinScrollBar::DoExit() {
  TbsSkinCustomControl::DoExit();
  Invalidate();
}

void TbsSkinScrollBar::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      // Only a bar that may take the focus takes it; another scrolls without it.
      if (CanFocused_ && !Focused() && CanFocus()) {
        SetFocus();
        if (!Focused()) return;
      }
      break;
    case WM_GETDLGCODE:
      m.Result = CanFocused_ ? DLGC_WANTARROWS : 0;
      return;
    case WM_MOUSEWHEEL:
      if (CanFocused_ && Focused()) {
        StepBy(GET_WHEEL_DELTA_WPARAM(m.WParam) > 0 ? -std::int64_t(SmallChange_) : std::int64_t(SmallChange_));
        return;
      }
      break;
    case WM_ERASEBKGND:
      if (!InPaintMessage()) PaintTo(reinterpret_cast<HDC>(m.WParam));
      m.Result = 1;
      return;
    case spv::platform::CM_ENABLEDCHANGED: Invalidate(); break;
    default: break;
  }
  TbsSkinCustomControl::WndProc(m);
}

bool TbsSkinScrollBar::ReadProperty(const spv::platform::TStoredProperty& p, spv::platform::TFormReader& reader) {
  using spv::platform::SameIdent;
  static constexpr std::array<spv::platform::TEnumName<TbsScrollBarKind>, 2> kinds{{
      {"sbHorizontal", TbsScrollBarKind::sbHorizontal},
      {"sbVertical", TbsScrollBarKind::sbVertical},
  }};
  if (SameIdent(p.Name, "Kind")) SetKind(p.Enum<TbsScrollBarKind>(kinds));
  else if (SameIdent(p.Name, "Min")) SetMin(p.Int());
  else if (SameIdent(p.Name, "Max")) SetMax(p.Int());
  else if (SameIdent(p.Name, "Position")) SetPositionQuiet(p.Int());
  else if (SameIdent(p.Name, "PageSize")) SetPageSize(p.Int());
  else if (SameIdent(p.Name, "SmallChange")) SetSmallChange(p.Int());
  else if (SameIdent(p.Name, "LargeChange")) SetLargeChange(p.Int());
  else if (SameIdent(p.Name, "CanFocused")) SetCanFocused(p.Boolean());
  else if (SameIdent(p.Name, "Both")) SetBoth(p.Boolean());
  else if (SameIdent(p.Name, "BothMarkerWidth")) SetBothMarkerWidth(p.Int());
  else if (SameIdent(p.Name, "BothSkinDataName")) SetBothSkinDataName(spv::platform::WideToCp1251(p.String()));
  else return TbsSkinCustomControl::ReadProperty(p, reader);
  return true;
}

}  // namespace bs
