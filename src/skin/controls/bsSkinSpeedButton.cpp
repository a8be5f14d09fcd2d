#include "skin/controls/bsSkinSpeedButton.h"

namespace bs {

using namespace spv::platform;

TbsSkinSpeedButton::TbsSkinSpeedButton(TComponent* owner) : TbsGraphicSkinCustomControl(owner) {
  SkinDataName_ = "toolbutton";
  SetBounds(Left(), Top(), 25, 25);
}

void TbsSkinSpeedButton::SetGlyph(const TImage& glyph) {
  Glyph_ = glyph;
  Invalidate();
}

void TbsSkinSpeedButton::SetNumGlyphs(TbsNumGlyphs value) {
  NumGlyphs_ = std::clamp(value, kMinNumGlyphs, kMaxNumGlyphs);
  Invalidate();
}

void TbsSkinSpeedButton::ReadSkinObject() {
  TbsGraphicSkinCustomControl::ReadSkinObject();
  if (SkinObjectIndex_ < 0) return;
  const auto* o = dynamic_cast<const TbsDataSkinButtonControl*>(SkinObject());
  if (!o) {
    SkinObjectIndex_ = -1;
    SizingKind_ = skNoPiece;
    SkinPicture_ = nullptr;
    return;
  }
  Font_ = *o;
  ActiveFontColor_ = o->ActiveFontColor;
  DownFontColor_ = o->DownFontColor;
  DisabledFontColor_ = o->DisabledFontColor;
  ActiveSkinRect_ = RectIsEmpty(o->ActiveSkinRect) ? o->SkinRect : o->ActiveSkinRect;
  DownSkinRect_ = RectIsEmpty(o->DownSkinRect) ? ActiveSkinRect_ : o->DownSkinRect;
  DisabledSkinRect_ = o->DisabledSkinRect;
}

void TbsSkinSpeedButton::FitSizeToSkin(int& width, int& height) {
  if (UseSkinSize || SizingKind_ == skBoth) TbsGraphicSkinCustomControl::FitSizeToSkin(width, height);
}

void TbsSkinSpeedButton::DrawGlyphCaption(TbsFBitmap& bitmap, const TRect& r, bool active, spv::platform::TColor colour) {
  const HDC dc = bitmap.DC();
  TFont font;
  font.Assign(DefaultFont());
  if (SkinObjectIndex_ >= 0 && UseSkinFont()) AssignSkinFont(font, Font_, DefaultFont().Charset());
  HGDIOBJ old = SelectObject(dc, font.Handle());
  const std::wstring text = ShowCaption ? Caption() : std::wstring();
  RECT measure{0, 0, 0, 0};
  if (!text.empty()) DrawWideText(dc, text, measure, DT_CALCRECT);
  const int gw = Glyph_.Empty() ? 0 : Glyph_.Width() / NumGlyphs_, gh = Glyph_.Empty() ? 0 : Glyph_.Height();
  const bool pressed = Down_ && active;
  const TbsGlyphTextPlace place = PlaceGlyphAndText(r, Layout, Margin, 1, gw, gh, measure.right, measure.bottom, pressed);
  if (!Glyph_.Empty())
    DrawGlyphFrame(dc, place.Glyph.X, place.Glyph.Y, GlyphFrameFor(Down_, active, Enabled(), NumGlyphs_), NumGlyphs_,
                   Glyph_);
  if (!text.empty()) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(colour));
    RECT tr{place.Text.X, place.Text.Y, place.Text.X + measure.right + 2, place.Text.Y + measure.bottom};
    DrawWideText(dc, text, tr, DT_CENTER);
  }
  SelectObject(dc, old);
  GdiFlush();
}

void TbsSkinSpeedButton::PaintSkinLook(TbsFBitmap& bitmap) {
  if (!SkinPicture_) {
    PaintDefaultLook(bitmap);
    return;
  }
  const bool over = MouseOver_;
  TRect rect = Piece_.SkinRect;
  if (!Enabled() && !RectIsEmpty(DisabledSkinRect_)) rect = DisabledSkinRect_;
  else if (Down_ && over) rect = DownSkinRect_;
  else if (over) rect = ActiveSkinRect_;
  PaintSkinPiece(bitmap, rect);
  bs::TColor colour = Font_.FontColor;
  if (!Enabled()) colour = DisabledFontColor_;
  else if (!UseSkinFontColor) colour = bs::TColor(DefaultFont().Color());
  else if (Down_ && over) colour = DownFontColor_;
  else if (over) colour = ActiveFontColor_;
  DrawGlyphCaption(bitmap, Sized_.ClientRect, over, spv::platform::TColor(colour));
}

void TbsSkinSpeedButton::PaintDefaultLook(TbsFBitmap& bitmap) {
  spv::platform::TColor frame = clBtnShadow, fill = clBtnFace;
  if (Down_ && MouseOver_) frame = clNavy, fill = 0xB59385;
  else if (MouseOver_) frame = clNavy, fill = 0xD2BDB6;
  const RECT r{0, 0, Width(), Height()};
  TGdiHandle<HBRUSH> f(CreateSolidBrush(ColorToRGB(fill))), b(CreateSolidBrush(ColorToRGB(frame)));
  FillRect(bitmap.DC(), &r, f.Get());
  FrameRect(bitmap.DC(), &r, b.Get());
  DrawGlyphCaption(bitmap, {0, 0, Width(), Height()}, MouseOver_,
                   Enabled() ? DefaultFont().Color() : clBtnShadow);
}

void TbsSkinSpeedButton::SetOver(bool over) {
  if (over == MouseOver_) return;
  MouseOver_ = over;
  if (Pressed_ && RepeatMode && GroupIndex == 0) {
    // Held and off the button, the repeat rests; back on it, it goes on.
    if (over) RepeatTimer_.Start(RepeatInterval, [this] { Click(); });
    else RepeatTimer_.Stop();
  }
  Invalidate();
}

void TbsSkinSpeedButton::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CM_MOUSEENTER: SetOver(true); break;
    case CM_MOUSELEAVE:
      if (!Pressed_) SetOver(false);
      break;
    case WM_CANCELMODE:
    case WM_CAPTURECHANGED:
      if (Pressed_) {
        Pressed_ = Down_ = false;
        RepeatTimer_.Stop();
        Invalidate();
      }
      break;
    default: break;
  }
  TbsGraphicSkinCustomControl::WndProc(m);
}

void TbsSkinSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == TMouseButton::mbLeft && Enabled()) {
    Pressed_ = Down_ = true;
    MouseOver_ = true;
    if (RepeatMode && GroupIndex == 0) RepeatTimer_.Start(RepeatInterval, [this] { Click(); });
    Invalidate();
  }
  TbsGraphicSkinCustomControl::MouseDown(button, shift, x, y);
}

void TbsSkinSpeedButton::MouseMove(TShiftState shift, int x, int y) {
  if (Pressed_) {
    const bool inside = x >= 0 && y >= 0 && x < Width() && y < Height();
    Down_ = inside;
    SetOver(inside);
  }
  TbsGraphicSkinCustomControl::MouseMove(shift, x, y);
}

void TbsSkinSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  // The release over the button clicks once more (the control's own click on release).
  if (button == TMouseButton::mbLeft && Pressed_) {
    Pressed_ = Down_ = false;
    RepeatTimer_.Stop();
    MouseOver_ = x >= 0 && y >= 0 && x < Width() && y < Height();
    Invalidate();
  }
  TbsGraphicSkinCustomControl::MouseUp(button, shift, x, y);
}

}  // namespace bs
