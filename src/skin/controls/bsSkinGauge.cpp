#include "skin/controls/bsSkinGauge.h"

#include "platform/FontEscapement.h"
#include "platform/FormReader.h"
#include "platform/SysUtils.h"
#include "skin/controls/bsSkinGaugeLayout.h"

#include <algorithm>
#include <utility>

namespace bs {

using spv::platform::TComponent;

namespace {
COLORREF Rgb(spv::platform::TColor c) { return spv::platform::ColorToRGB(c); }
}  // namespace

TbsSkinGauge::TbsSkinGauge(TComponent* owner) : TbsSkinCustomControl(owner) {
  SkinDataName_ = "gauge";
  SetBounds(0, 0, 100, 20);
}

void TbsSkinGauge::SetUseSkinSize(bool value) {
  UseSkinSize_ = value;
  ApplySkin();
}

void TbsSkinGauge::SetMinValue(int value) {
  MinValue_ = value;
  if (Value_ < value) Value_ = value;
  Invalidate();
}

void TbsSkinGauge::SetMaxValue(int value) {
  MaxValue_ = value;
  if (Value_ > value) Value_ = value;
  Invalidate();
}

void TbsSkinGauge::SetValue(int value) {
  value = std::max(std::min(value, MaxValue_), MinValue_);
  if (value == Value_) return;
  Value_ = value;
  Invalidate();
}

void TbsSkinGauge::SetVertical(bool value) {
  Vertical_ = value;
  Invalidate();
}

void TbsSkinGauge::SetShowPercent(bool value) {
  ShowPercent_ = value;
  Invalidate();
}

void TbsSkinGauge::SetShowProgressText(bool value) {
  ShowProgressText_ = value;
  Invalidate();
}

void TbsSkinGauge::SetProgressText(std::wstring_view value) {
  ProgressText_ = value;
  Invalidate();
}

bool TbsSkinGauge::IsVertical() const { return SkinObjectIndex_ >= 0 && SizingKind_ != skNoPiece ? SkinVertical_ : Vertical_; }

std::wstring TbsSkinGauge::GaugeText() const {
  std::wstring text;
  if (ShowProgressText_) text = ProgressText_;
  if (ShowPercent_) text += std::to_wstring(GaugePercent(MinValue_, MaxValue_, Value_)) + L"%";
  return text;
}

void TbsSkinGauge::ReadSkinObject() {
  TbsSkinCustomControl::ReadSkinObject();
  const auto* o = dynamic_cast<const TbsDataSkinGaugeControl*>(SkinObject());
  if (!o) {
    ProgressRect_ = ProgressArea_ = {};
    return;
  }
  SkinVertical_ = o->Vertical;
  ProgressRect_ = o->ProgressRect;
  ProgressArea_ = o->ProgressArea;
  BeginOffset_ = o->BeginOffset;
  EndOffset_ = o->EndOffset;
  Font_ = *o;
  ProgressTransparent_ = o->ProgressTransparent;
  ProgressTransparentColor_ = o->ProgressTransparentColor;
  ProgressStretch_ = o->ProgressStretch;
  // A gauge of its own size cannot take the piece's shape.
  if (!UseSkinSize_) SkinMask_ = nullptr;
}

void TbsSkinGauge::FitSizeToSkin(int& width, int& height) {
  const int w = width, h = height;
  TbsSkinCustomControl::FitSizeToSkin(width, height);
  if (!UseSkinSize_) width = w, height = h;
  SizedProgressArea_ = ProgressArea_;
  if (SizingKind_ >= skBoth) {
    if (SkinVertical_) SizedProgressArea_.Bottom += height - Piece_.SkinRect.Height();
    else SizedProgressArea_.Right += width - Piece_.SkinRect.Width();
  }
}

void TbsSkinGauge::PaintFill(TbsFBitmap& bitmap, const TRect& area) {
  const bool vertical = IsVertical();
  const TRect F = ProgressRectFor(area, MinValue_, MaxValue_, Value_, vertical);
  if (RectIsEmpty(F) || !SkinPicture_ || RectIsEmpty(ProgressRect_)) return;
  TbsFBitmap fill;
  // The caps stay fixed; a part narrower than both shows them clipped.
  GaugeFillImage(fill, *SkinPicture_, ProgressRect_, BeginOffset_, EndOffset_, vertical ? F.Height() : F.Width(),
                 vertical, ProgressStretch_);
  GdiFlush();
  const int w = std::min(fill.Width(), F.Width()), h = std::min(fill.Height(), F.Height());
  if (ProgressTransparent_)
    TransparentBlt(bitmap.DC(), F.Left, F.Top, w, h, fill.DC(), 0, 0, w, h,
                   Rgb(spv::platform::TColor(ProgressTransparentColor_)));
  else BitBlt(bitmap.DC(), F.Left, F.Top, w, h, fill.DC(), 0, 0, SRCCOPY);
}

void TbsSkinGauge::PaintSkinLook(TbsFBitmap& bitmap) {
  if (!SkinPicture_) {
    PaintDefaultLook(bitmap);
    return;
  }
  int w = Width(), h = Height();
  FitSizeToSkin(w, h);
  if (UseSkinSize_) {
    PaintSkinPiece(bitmap, SkinPicture_, Piece_.SkinRect);
    PaintFill(bitmap, SizedProgressArea_);
  } else {
    // The piece at its own size, stretched to the gauge.
    const TRect& s = Piece_.SkinRect;
    TbsFBitmap piece(s.Width(), s.Height());
    CopyImageRect(piece, {0, 0, s.Width(), s.Height()}, *SkinPicture_, s);
    GdiFlush();
    PaintFill(piece, ProgressArea_);
    GdiFlush();
    bitmap.SetSize(Width(), Height());
    CopyImageRect(bitmap, {0, 0, Width(), Height()}, piece, {0, 0, s.Width(), s.Height()});
  }
  DrawGaugeText(bitmap);
}

void TbsSkinGauge::PaintDefaultLook(TbsFBitmap& bitmap) {
  using namespace spv::platform;
  const HDC dc = bitmap.DC();
  const RECT all{0, 0, Width(), Height()};
  {
    TGdiHandle<HBRUSH> window(CreateSolidBrush(Rgb(clWindow)));
    ::FillRect(dc, &all, window.Get());
    TGdiHandle<HBRUSH> shadow(CreateSolidBrush(Rgb(clBtnShadow)));
    ::FrameRect(dc, &all, shadow.Get());
  }
  const TRect F = ProgressRectFor({1, 1, Width() - 1, Height() - 1}, MinValue_, MaxValue_, Value_, Vertical_);
  if (!RectIsEmpty(F)) {
    TGdiHandle<HBRUSH> fill(CreateSolidBrush(Rgb(TColor(0xD2BDB6))));
    const RECT f = ToRECT(F);
    ::FillRect(dc, &f, fill.Get());
  }
  DrawGaugeText(bitmap);
}

void TbsSkinGauge::DrawGaugeText(TbsFBitmap& bitmap) {
  const std::wstring text = GaugeText();
  if (text.empty()) return;
  GdiFlush();
  spv::platform::TFont font;
  font.Assign(DefaultFont());
  if (SkinObjectIndex_ >= 0) {
    if (UseSkinFont()) AssignSkinFont(font, Font_, DefaultFont().Charset());
    font.SetColor(spv::platform::TColor(Font_.FontColor));
  }
  // The font realised for the last text is kept while it is the one wanted: a gauge moving
  // through a read repaints dozens of times.
  if (!(font == TextFont_)) TextFont_.Assign(font);
  const HDC dc = bitmap.DC();
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, Rgb(font.Color()));
  HGDIOBJ old = SelectObject(dc, TextFont_.Handle());
  const int tw = WideTextWidth(dc, text), th = WideTextHeight(dc, text);
  const int W = Width(), H = Height();
  if (!IsVertical()) {
    RECT r{W / 2 - tw / 2, H / 2 - th / 2, W / 2 - tw / 2 + tw, H / 2 - th / 2 + th};
    DrawWideText(dc, text, r, DT_LEFT | DT_NOCLIP);
  } else {
    const spv::platform::TGdiHandle<HFONT> turned = spv::platform::CreateEscapedFont(font, 900);
    SelectObject(dc, turned.Get());
    TextOutW(dc, W / 2 - th / 2, H / 2 + tw / 2, text.c_str(), int(text.size()));
    SelectObject(dc, old);
    return;
  }
  SelectObject(dc, old);
}

void TbsSkinGauge::WndProc(spv::platform::TMessage& m) {
  if (m.Msg == WM_ERASEBKGND && m.WParam) {
    // Painting the whole gauge on erase leaves nothing to flicker between two values. The erase
    // that a paint asks for itself is left out: the paint covers the whole gauge right after.
    if (!Painting_) PaintTo(reinterpret_cast<HDC>(m.WParam));
    m.Result = 1;
    return;
  }
  if (m.Msg != WM_PAINT) {
    TbsSkinCustomControl::WndProc(m);
    return;
  }
  const bool was = std::exchange(Painting_, true);
  try {
    TbsSkinCustomControl::WndProc(m);
  } catch (...) {
    Painting_ = was;
    throw;
  }
  Painting_ = was;
}

bool TbsSkinGauge::ReadProperty(const spv::platform::TStoredProperty& p, spv::platform::TFormReader& reader) {
  using spv::platform::SameIdent;
  const std::string& n = p.Name;
  if (SameIdent(n, "UseSkinSize")) SetUseSkinSize(p.Boolean());
  else if (SameIdent(n, "MinValue")) SetMinValue(p.Int());
  else if (SameIdent(n, "MaxValue")) SetMaxValue(p.Int());
  else if (SameIdent(n, "Value")) SetValue(p.Int());
  else if (SameIdent(n, "Vertical")) SetVertical(p.Boolean());
  else if (SameIdent(n, "ShowPercent")) SetShowPercent(p.Boolean());
  else if (SameIdent(n, "ShowProgressText")) SetShowProgressText(p.Boolean());
  else if (SameIdent(n, "ProgressText")) SetProgressText(p.String());
  else return TbsSkinCustomControl::ReadProperty(p, reader);
  return true;
}

}  // namespace bs
