#include "skin/controls/bsGraphicSkinCtrls.h"

namespace bs {

using namespace spv::platform;

void TbsGraphicSkinControl::Paint() {
  if (Width() <= 0 || Height() <= 0) return;
  TbsFBitmap bitmap;
  Compose(bitmap);
  BitBlt(Canvas().Handle(), 0, 0, bitmap.Width(), bitmap.Height(), bitmap.DC(), 0, 0, SRCCOPY);
}

// ---- TbsGraphicSkinCustomControl ----

TbsGraphicSkinCustomControl::TbsGraphicSkinCustomControl(TComponent* owner) : TbsGraphicSkinControl(owner) {
  DefaultFont_.SetName(L"Arial");
  DefaultFont_.SetHeight(14);
  DefaultFont_.SetColor(clBtnText);
}

void TbsGraphicSkinCustomControl::ReadSkinObject() {
  TbsGraphicSkinControl::ReadSkinObject();
  SkinPicture_ = nullptr;
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
  SizingKind_ = SizingKindOf(Piece_);
}

void TbsGraphicSkinCustomControl::FitSizeToSkin(int& width, int& height) {
  if (SkinObjectIndex_ < 0) return;
  FitPieceToSize(SizingKind_, Piece_, width, height, Sized_);
}

void TbsGraphicSkinCustomControl::SetBounds(int left, int top, int width, int height) {
  ReadSkinObject();
  if (SkinObjectIndex_ >= 0) FitSizeToSkin(width, height);
  TbsGraphicSkinControl::SetBounds(left, top, width, height);
}

void TbsGraphicSkinCustomControl::ApplySkin() {
  ReadSkinObject();
  int w = Width(), h = Height();
  FitSizeToSkin(w, h);
  SetBounds(Left(), Top(), w, h);
  Invalidate();
}

void TbsGraphicSkinCustomControl::PaintDefaultLook(TbsFBitmap& bitmap) {
  const RECT r{0, 0, bitmap.Width(), bitmap.Height()};
  TGdiHandle<HBRUSH> brush(CreateSolidBrush(ColorToRGB(clBtnFace)));
  FillRect(bitmap.DC(), &r, brush.Get());
}

void TbsGraphicSkinCustomControl::PaintSkinLook(TbsFBitmap& bitmap) {
  if (!SkinPicture_) PaintDefaultLook(bitmap);
  else PaintSkinPiece(bitmap, Piece_.SkinRect);
}

void TbsGraphicSkinCustomControl::PaintSkinPiece(TImage& bitmap, const TRect& rect) {
  if (!SkinPicture_) return;
  int w = Width(), h = Height();
  FitSizeToSkin(w, h);
  PaintPiece(bitmap, *SkinPicture_, rect, SizingKind_, Piece_, Sized_, Stretch_, Width(), Height());
}

}  // namespace bs
