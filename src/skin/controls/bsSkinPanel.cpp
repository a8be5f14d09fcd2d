#include "skin/controls/bsSkinPanel.h"

#include "platform/FormReader.h"
#include "platform/SysUtils.h"
#include "skin/controls/bsSkinPanelLayout.h"

#include <algorithm>

namespace bs {

using spv::platform::SameIdent;
using spv::platform::TCanvas;
using spv::platform::TComponent;

namespace {

COLORREF Rgb(spv::platform::TColor c) { return spv::platform::ColorToRGB(c); }

// Left and top in `a`, right and bottom in `b`, inside `r`.
void Frame(HDC dc, const RECT& r, COLORREF a, COLORREF b) { DrawFrameLines(dc, r, a, b); }

int AlignmentCode(TAlignment a) {
  switch (a) {
    case TAlignment::taRightJustify: return 1;
    case TAlignment::taCenter: return 2;
    default: return 0;
  }
}

}  // namespace

TbsSkinPanel::TbsSkinPanel(TComponent* owner) : TbsSkinCustomControl(owner) {
  StripPaint = true;
  SkinDataName_ = "panel";
  SetBounds(0, 0, 150, 150);
}

TbsSkinPanel::~TbsSkinPanel() = default;

void TbsSkinPanel::ReadSkinObject() {
  TbsSkinCustomControl::ReadSkinObject();
  BGPictureIndex_ = -1;
  CaptionRect_ = CheckImageRect_ = UnCheckImageRect_ = MarkFrameRect_ = {};
  if (const auto* o = dynamic_cast<const TbsDataSkinPanelControl*>(SkinObject())) {
    Font_ = *o;
    Alignment_ = o->Alignment;
    CaptionRect_ = o->CaptionRect;
    CheckImageRect_ = o->CheckImageRect;
    UnCheckImageRect_ = o->UnCheckImageRect;
    MarkFrameRect_ = o->MarkFrameRect;
    BGPictureIndex_ = o->BGPictureIndex;
  }
}

RECT TbsSkinPanel::PanelClientRect() {
  ReadSkinObject();
  RECT r{0, 0, Width(), Height()};
  if (SkinObjectIndex_ < 0 || (ComponentState() & spv::platform::csDesigning)) {
    if (BorderStyle_ != TbsSkinBorderStyle::bvNone) InflateRect(&r, -1, -1);
    if (CaptionMode_) r.top += DefaultCaptionHeight_;
    return r;
  }
  if (BGPictureIndex_ >= 0 || (BorderStyle_ == TbsSkinBorderStyle::bvNone && !CaptionMode_ && SizingKind_ == skBoth))
    return r;
  int w = Width(), h = Height();
  FitSizeToSkin(w, h);
  return ToRECT(Sized_.ClientRect);
}

void TbsSkinPanel::AlignControls(RECT& rect) {
  rect = PanelClientRect();
  TbsSkinCustomControl::AlignControls(rect);
}

// ---- Properties -----------------------------------------------------------------------------

void TbsSkinPanel::SetCaptionMode(bool value) {
  CaptionMode_ = value;
  Invalidate();
  Realign();
}

void TbsSkinPanel::SetDefaultCaptionHeight(int value) {
  DefaultCaptionHeight_ = value;
  if (SkinObjectIndex_ < 0 && CaptionMode_) {
    Invalidate();
    Realign();
  }
}

void TbsSkinPanel::SetBorderStyle(TbsSkinBorderStyle value) {
  BorderStyle_ = value;
  if (SkinObjectIndex_ < 0) {
    Invalidate();
    Realign();
  }
}

void TbsSkinPanel::SetDefaultAlignment(TAlignment value) {
  DefaultAlignment_ = value;
  if (SkinObjectIndex_ < 0 && CaptionMode_) Invalidate();
}

void TbsSkinPanel::SetCheckedMode(bool value) {
  CheckedMode_ = value;
  Invalidate();
}

void TbsSkinPanel::SetChecked(bool value) {
  Checked_ = value;
  if (CheckedMode_) Invalidate();
  if (AutoEnabledControls && CheckedMode_)
    for (int i = 0; i < ControlCount(); ++i) Controls(i)->SetEnabled(value);
  if (OnChecked) OnChecked(this);
}

void TbsSkinPanel::SetGlyph(const TImage& glyph) {
  Glyph_ = glyph;
  Invalidate();
}

void TbsSkinPanel::SetNumGlyphs(TbsSkinPanelNumGlyphs value) {
  NumGlyphs_ = std::clamp(value, 1, 2);
  Invalidate();
}

void TbsSkinPanel::SetSpacing(int value) {
  Spacing_ = value;
  Invalidate();
}

void TbsSkinPanel::SetRollUpMode(bool value) {
  if (!value && RollUpState_) SetRollUpState(false);
  RollUpMode_ = value;
  if (SkinObjectIndex_ < 0 && CaptionMode_) Invalidate();
  else Invalidate();
}

void TbsSkinPanel::SetRollUpState(bool value) {
  if (value == RollUpState_ || !RollUpMode_) return;
  RollUpState_ = value;
  if (value) {
    // The constraints would keep the panel from shrinking: they wait until it unrolls.
    SavedConstraints_ = Constraints;
    Constraints = {};
    ApplyRollUp(true);
  } else {
    ApplyRollUp(false);
    Constraints = SavedConstraints_;
    SavedConstraints_ = {};
  }
  Invalidate();
  if (OnChangeRollUpState) OnChangeRollUpState(this);
}

int TbsSkinPanel::RolledHeightNow() {
  ReadSkinObject();
  if (SkinObjectIndex_ < 0) return DefaultRolledHeight(DefaultCaptionHeight_);
  int w = Width(), h = Height();
  FitSizeToSkin(w, h);
  return RolledHeight(Height(), Sized_.ClientRect);
}

void TbsSkinPanel::ApplyRollUp(bool rollUp) {
  if (Loading()) return;
  if (rollUp && RealHeight_ == -1) {
    RealHeight_ = Height();
    if (!ChildrenHidden_) {
      ChildrenHidden_ = true;
      DisableAlign();
      for (int i = 0; i < ControlCount(); ++i) Controls(i)->SetVisible(false);
    }
    SetHeight(RolledHeightNow());
  } else if (!rollUp && RealHeight_ != -1) {
    const int h = RealHeight_;
    RealHeight_ = -1;
    SetHeight(h);
    if (ChildrenHidden_) {
      ChildrenHidden_ = false;
      for (int i = 0; i < ControlCount(); ++i) Controls(i)->SetVisible(true);
      EnableAlign();
    }
  }
}

void TbsSkinPanel::Loaded() {
  TbsSkinCustomControl::Loaded();
  // A panel stored rolled up comes back rolled up.
  if (RollUpState_ && RollUpMode_) ApplyRollUp(true);
  else RollUpState_ = false;
}

void TbsSkinPanel::ApplySkin() {
  TbsSkinCustomControl::ApplySkin();
  if (RealHeight_ == -1) {
    Realign();
    return;
  }
  // The new skin's caption band may differ: fit the rolled height, keep the real one.
  SetHeight(RolledHeightNow());
}

void TbsSkinPanel::SetBounds(int left, int top, int width, int height) {
  TbsSkinCustomControl::SetBounds(left, top, width, height);
  if (SkinObjectIndex_ < 0) Invalidate();
}

void TbsSkinPanel::SetEnabled(bool enabled) {
  TbsSkinCustomControl::SetEnabled(enabled);
  Invalidate();
}

void TbsSkinPanel::TextChanged() {
  TbsSkinCustomControl::TextChanged();
  if (CaptionMode_) Invalidate();
}

void TbsSkinPanel::MouseUp(spv::platform::TMouseButton button, spv::platform::TShiftState shift, int x, int y) {
  if (button == spv::platform::TMouseButton::mbLeft && CaptionMode_ && (RollUpMode_ || CheckedMode_)) {
    ReadSkinObject();
    RECT band;
    if (SkinObjectIndex_ >= 0) {
      int w = Width(), h = Height();
      FitSizeToSkin(w, h);
      const TRect& c = PlacedCaptionRect_ = SizingKind_ <= skFixed ? CaptionRect_ : PlaceSkinRect(CaptionRect_);
      // Edges count: a click on the caption's last column or row still toggles.
      band = {c.Left, c.Top, c.Right + 1, c.Bottom + 1};
      if (RectIsEmpty(c)) band = {};
    } else {
      band = {1, 1, Width() - 1, DefaultCaptionHeight_};
    }
    if (PtInRect(&band, POINT{x, y})) {
      if (CheckedMode_) SetChecked(!Checked_);
      if (RollUpMode_) SetRollUpState(!RollUpState_);
    }
  }
  TbsSkinCustomControl::MouseUp(button, shift, x, y);
}

// ---- Painting -------------------------------------------------------------------------------

void TbsSkinPanel::Paint() {
  ReadSkinObject();
  const TbsSkinBitmap* background =
      SkinObjectIndex_ >= 0 && BGPictureIndex_ >= 0 ? SkinData()->ActivePicture(BGPictureIndex_) : nullptr;
  const bool plainClient = SkinObjectIndex_ >= 0 && SkinPicture_ && BorderStyle_ == TbsSkinBorderStyle::bvNone &&
                           SizingKind_ == skBoth && !CaptionMode_;
  if (!background && !plainClient) {
    TbsSkinCustomControl::Paint();
    return;
  }
  if (Width() <= 0 || Height() <= 0) return;
  // A background picture, or the client piece alone, tiled from the corner over everything.
  TbsFBitmap tile;
  if (background) tile = background->Image;
  else {
    const TRect& s = Piece_.SkinRect;
    const TRect& c = Piece_.ClientRect;
    tile.SetSize(c.Width(), c.Height());
    CopyImageRect(tile, {0, 0, c.Width(), c.Height()}, *SkinPicture_,
                  {s.Left + c.Left, s.Top + c.Top, s.Left + c.Right, s.Top + c.Bottom});
  }
  if (tile.Width() <= 0 || tile.Height() <= 0) return;
  TbsFBitmap all(Width(), Height());
  GdiFlush();
  for (int y = 0; y < Height(); y += tile.Height())
    for (int x = 0; x < Width(); x += tile.Width()) BitBlt(all.DC(), x, y, tile.Width(), tile.Height(), tile.DC(), 0, 0, SRCCOPY);
  if (background && CaptionMode_ && !Caption().empty() && !RectIsEmpty(CaptionRect_)) {
    PlacedCaptionRect_ = SizingKind_ <= skFixed ? CaptionRect_ : PlaceSkinRect(CaptionRect_);
    DrawSkinCaption(all.DC(), PlacedCaptionRect_);
  }
  RECT box;
  const HDC dc = Canvas().Handle();
  if (GetClipBox(dc, &box) != NULLREGION) spv::platform::CopyToVisible(dc, WindowHandle(), box, all.DC());
}

void TbsSkinPanel::PaintSkinLook(TbsFBitmap& bitmap) {
  TbsSkinCustomControl::PaintSkinLook(bitmap);
  PlacedCaptionRect_ = SizingKind_ <= skFixed ? CaptionRect_ : PlaceSkinRect(CaptionRect_);
  GdiFlush();
  if (CaptionMode_ && !Caption().empty() && !RectIsEmpty(PlacedCaptionRect_))
    DrawSkinCaption(bitmap.DC(), PlacedCaptionRect_);
}

int TbsSkinPanel::CaptionPictureWidth() const { return Glyph_.Empty() ? 0 : Glyph_.Width() / NumGlyphs_; }

int TbsSkinPanel::DrawCaptionPicture(HDC dc, int x, const TRect& band) {
  if (Glyph_.Empty()) return 0;
  const int w = CaptionPictureWidth(), h = Glyph_.Height();
  const int frame = !Enabled() && NumGlyphs_ == 2 ? 2 : 1;
  DrawGlyphFrame(dc, x, band.Top + band.Height() / 2 - h / 2, frame, NumGlyphs_, Glyph_);
  return w;
}

void TbsSkinPanel::DrawSkinCaption(HDC dc, TRect r) {
  const TImage* picture = SkinPicture_;
  const TbsPanelCaptionPlace place =
      PlacePanelCaption(r, RollUpMode_, CheckedMode_ ? (Checked_ ? CheckImageRect_ : UnCheckImageRect_).Width() : 0);
  if (CheckedMode_ && picture) {
    const TRect& check = Checked_ ? CheckImageRect_ : UnCheckImageRect_;
    if (!RectIsEmpty(check)) {
      TbsFBitmap piece(check.Width(), check.Height());
      CopyImageRect(piece, {0, 0, check.Width(), check.Height()}, *picture, check);
      GdiFlush();
      const int y = r.Top + r.Height() / 2 - check.Height() / 2;
      // The skin's bottom-left pixel is the transparent colour of such pieces.
      const TPixel key = piece.At(0, piece.Height() - 1);
      TransparentBlt(dc, r.Left, y, piece.Width(), piece.Height(), piece.DC(), 0, 0, piece.Width(), piece.Height(),
                     RGB(key.R, key.G, key.B));
    }
  }
  r = place.Text;
  TCanvas canvas;
  canvas.SetHandle(dc);
  canvas.Font().Assign(DefaultFont());
  if (UseSkinFont()) AssignSkinFont(canvas.Font(), Font_, DefaultFont().Charset());
  const HGDIOBJ oldFont = SelectObject(dc, canvas.Font().Handle());
  const std::wstring& text = Caption();
  const int tw = WideTextWidth(dc, text), th = WideTextHeight(dc, text);
  const int pictureWidth = CaptionPictureWidth();
  const int width = tw + (pictureWidth > 0 ? pictureWidth + Spacing_ : 0);
  int x = CaptionStartX(r, AlignmentCode(Alignment_), width);
  const int y = r.Top + r.Height() / 2 - th / 2;
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, r.Left, r.Top, r.Right, r.Bottom);
  if (pictureWidth > 0) x += DrawCaptionPicture(dc, x, r) + Spacing_;
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, Rgb(spv::platform::TColor(Font_.FontColor)));
  RECT tr{x, y, x + tw, y + th};
  DrawWideText(dc, text, tr, DT_LEFT | DT_NOCLIP);
  RestoreDC(dc, saved);
  SelectObject(dc, oldFont);
  if (RollUpMode_) {
    const TRect& m = place.Mark;
    if (!RectIsEmpty(MarkFrameRect_) && picture) {
      TbsFBitmap frame(MarkFrameRect_.Width(), MarkFrameRect_.Height());
      CopyImageRect(frame, {0, 0, frame.Width(), frame.Height()}, *picture, MarkFrameRect_);
      DrawToDC(frame, dc, m.Left, m.Top);
    }
    DrawArrowMark(dc, ToRECT(m), Rgb(spv::platform::TColor(Font_.FontColor)),
                  RollUpState_ ? TbsArrowDirection::Down : TbsArrowDirection::Up);
  }
  canvas.SetHandle(nullptr);
}

void TbsSkinPanel::PaintDefaultLook(TbsFBitmap& bitmap) {
  using namespace spv::platform;
  const HDC dc = bitmap.DC();
  const int W = Width(), H = Height();
  RECT all{0, 0, W, H};
  {
    TGdiHandle<HBRUSH> face(CreateSolidBrush(Rgb(clBtnFace)));
    ::FillRect(dc, &all, face.Get());
  }
  const COLORREF light = Rgb(clBtnHighlight), dark = Rgb(clBtnShadow), text = Rgb(clBtnText);
  switch (BorderStyle_) {
    case TbsSkinBorderStyle::bvFrame: Frame(dc, all, dark, dark); break;
    case TbsSkinBorderStyle::bvRaised: Frame(dc, all, light, dark); break;
    case TbsSkinBorderStyle::bvLowered: Frame(dc, all, dark, light); break;
    case TbsSkinBorderStyle::bvNone: break;
  }
  if (!CaptionMode_) return;
  RECT band{1, 1, W - 1, DefaultCaptionHeight_};
  if (BorderStyle_ == TbsSkinBorderStyle::bvFrame) {
    band = {0, 0, W, DefaultCaptionHeight_};
    Frame(dc, band, dark, dark);
    RECT inner = band;
    InflateRect(&inner, -1, -1);
    Frame(dc, inner, light, Rgb(clBtnFace));
  } else {
    Frame(dc, band, dark, light);
    RECT inner = band;
    InflateRect(&inner, -1, -1);
    Frame(dc, inner, light, dark);
  }
  TRect b = FromRECT(band);
  if (CheckedMode_) {
    const int y = b.Top + b.Height() / 2 - 7;
    RECT box{5, y, 19, y + 14};
    Frame(dc, box, dark, dark);
    if (Checked_) DrawCheckTick(dc, 8, y + 3, text);
    b.Left += 20;
  }
  if (RollUpMode_) b.Right -= 10;
  TCanvas canvas;
  canvas.SetHandle(dc);
  canvas.Font().Assign(DefaultFont());
  const HGDIOBJ oldFont = SelectObject(dc, canvas.Font().Handle());
  const std::wstring& caption = Caption();
  const int tw = WideTextWidth(dc, caption) + (CaptionPictureWidth() > 0 ? CaptionPictureWidth() + Spacing_ : 0);
  const int th = WideTextHeight(dc, caption);
  int x = b.Left + 2;
  if (DefaultAlignment_ == TAlignment::taRightJustify) x = b.Right - tw;
  else if (DefaultAlignment_ == TAlignment::taCenter) x = b.Left + 2 + b.Width() / 2 - tw / 2;
  if (CaptionPictureWidth() > 0) x += DrawCaptionPicture(dc, x, b) + Spacing_;
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, Rgb(DefaultFont().Color()));
  RECT tr{x, b.Top + b.Height() / 2 - th / 2, b.Right, b.Top + b.Height() / 2 - th / 2 + th};
  DrawWideText(dc, caption, tr, DT_LEFT);
  SelectObject(dc, oldFont);
  canvas.SetHandle(nullptr);
  if (RollUpMode_)
    DrawArrowMark(dc, {b.Right, b.Top, b.Right + 10, b.Bottom}, text,
                  RollUpState_ ? TbsArrowDirection::Down : TbsArrowDirection::Up);
}

bool TbsSkinPanel::ReadProperty(const spv::platform::TStoredProperty& p, spv::platform::TFormReader& reader) {
  static constexpr spv::platform::TEnumName<TbsSkinBorderStyle> borders[] = {
      {"bvFrame", TbsSkinBorderStyle::bvFrame},
      {"bvRaised", TbsSkinBorderStyle::bvRaised},
      {"bvLowered", TbsSkinBorderStyle::bvLowered},
      {"bvNone", TbsSkinBorderStyle::bvNone}};
  static constexpr spv::platform::TEnumName<TAlignment> alignments[] = {
      {"taLeftJustify", TAlignment::taLeftJustify},
      {"taRightJustify", TAlignment::taRightJustify},
      {"taCenter", TAlignment::taCenter}};
  const std::string& n = p.Name;
  if (SameIdent(n, "CaptionMode")) SetCaptionMode(p.Boolean());
  else if (SameIdent(n, "DefaultCaptionHeight")) SetDefaultCaptionHeight(p.Int());
  else if (SameIdent(n, "BorderStyle")) SetBorderStyle(p.Enum<TbsSkinBorderStyle>(borders));
  else if (SameIdent(n, "DefaultAlignment")) SetDefaultAlignment(p.Enum<TAlignment>(alignments));
  else if (SameIdent(n, "AutoEnabledControls")) AutoEnabledControls = p.Boolean();
  else if (SameIdent(n, "CheckedMode")) SetCheckedMode(p.Boolean());
  else if (SameIdent(n, "Checked")) SetChecked(p.Boolean());
  else if (SameIdent(n, "NumGlyphs")) SetNumGlyphs(p.Int());
  else if (SameIdent(n, "Spacing")) SetSpacing(p.Int());
  else if (SameIdent(n, "RollUpMode")) RollUpMode_ = p.Boolean();
  else if (SameIdent(n, "RollUpState")) RollUpState_ = p.Boolean();
  else if (SameIdent(n, "RealHeight")) {
    // Only a panel stored rolled up has one; Loaded rolls it up again from its height.
  } else return TbsSkinCustomControl::ReadProperty(p, reader);
  return true;
}

TbsSkinGroupBox::TbsSkinGroupBox(TComponent* owner) : TbsSkinPanel(owner) {
  SkinDataName_ = "groupbox";
  SetCaptionMode(true);
}

}  // namespace bs
