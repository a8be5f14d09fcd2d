#include "skin/controls/bsSkinStatusPanel.h"

#include "skin/resources/bsUtils.h"

namespace bs {

using spv::platform::TFont;

namespace {

COLORREF Rgb(spv::platform::TColor c) { return spv::platform::ColorToRGB(c); }

// The plain look's room around the text: a sunken line and a pixel inside it.
constexpr int kPlainMargin = 2;

int TextLineHeight(const TFont& font) {
  const HDC dc = GetDC(nullptr);
  const HGDIOBJ old = SelectObject(dc, font.Handle());
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return int(tm.tmHeight);
}

}  // namespace

TbsSkinStatusPanel::TbsSkinStatusPanel(spv::platform::TComponent* owner) : TbsSkinCustomControl(owner) {
  SkinDataName_ = "statuspanel";
  TbsSkinStatusPanel::SetBounds(0, 0, 200, 0);
}

void TbsSkinStatusPanel::ReadSkinObject() {
  TbsSkinCustomControl::ReadSkinObject();
  TextRect_ = {};
  if (const auto* o = dynamic_cast<const TbsDataSkinLabelControl*>(SkinObject())) {
    Font_ = *o;
    TextRect_ = o->Corners.ClientRect;
  }
}

void TbsSkinStatusPanel::SelectTextFont(TFont& font) {
  font.Assign(DefaultFont());
  if (SkinObjectIndex_ >= 0 && UseSkinFont()) AssignSkinFont(font, Font_, DefaultFont().Charset());
}

int TbsSkinStatusPanel::LineHeight() {
  ReadSkinObject();
  if (SkinObjectIndex_ >= 0 && (SizingKind_ == skFixed || SizingKind_ == skWidthOnly))
    return Piece_.SkinRect.Height();
  TFont font;
  SelectTextFont(font);
  const int text = TextLineHeight(font);
  if (SkinObjectIndex_ >= 0 && SizingKind_ != skNoPiece)
    return text + TextRect_.Top + (Piece_.SkinRect.Height() - TextRect_.Bottom);
  return text + 2 * kPlainMargin;
}

void TbsSkinStatusPanel::SetBounds(int left, int top, int width, int) {
  TbsSkinCustomControl::SetBounds(left, top, width, LineHeight());
}

void TbsSkinStatusPanel::ApplySkin() {
  TbsSkinCustomControl::ApplySkin();
  if (Height() != LineHeight()) SetHeight(LineHeight());
}

void TbsSkinStatusPanel::DefaultFontChanged() {
  if (SkinObjectIndex_ < 0 || !UseSkinFont()) SetHeight(LineHeight());
}

void TbsSkinStatusPanel::DrawText(HDC dc, const RECT& r, COLORREF colour) {
  TFont font;
  SelectTextFont(font);
  const HGDIOBJ old = SelectObject(dc, font.Handle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, colour);
  RECT box = r;
  DrawWideText(dc, Caption(), box, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  SelectObject(dc, old);
  GdiFlush();
}

void TbsSkinStatusPanel::PaintDefaultLook(TbsFBitmap& bitmap) {
  TbsSkinCustomControl::PaintDefaultLook(bitmap);
  RECT r{0, 0, bitmap.Width(), bitmap.Height()};
  DrawEdge(bitmap.DC(), &r, BDR_SUNKENOUTER, BF_RECT);
  InflateRect(&r, -kPlainMargin, -kPlainMargin);
  DrawText(bitmap.DC(), r, Rgb(DefaultFont().Color()));
}

void TbsSkinStatusPanel::PaintSkinLook(TbsFBitmap& bitmap) {
  TbsSkinCustomControl::PaintSkinLook(bitmap);
  if (!SkinPicture_) return;
  GdiFlush();
  DrawText(bitmap.DC(), ToRECT(PlaceSkinRect(TextRect_)), Rgb(spv::platform::TColor(Font_.FontColor)));
}

}  // namespace bs
