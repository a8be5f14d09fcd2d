#pragma once
// The skinned control bases without a window of their own: they find their description by
// name like the windowed ones, fit their size to the skin piece, compose their look in an
// off-screen bitmap and copy it onto the parent's canvas in one block.

#include <windows.h>

#include "platform/Controls.h"
#include "skin/controls/bsSkinCtrlsLayout.h"
#include "skin/controls/bsSkinLinkedControl.h"
#include "skin/resources/bsSkinClientWin.h"
#include "skin/resources/bsSkinDataControls.h"
#include "skin/resources/bsUtilsWin.h"

#include <string>

namespace bs {

class TbsGraphicSkinControl : public TbsSkinLinkedControl<spv::platform::TGraphicControl> {
 public:
  explicit TbsGraphicSkinControl(spv::platform::TComponent* owner = nullptr) : TbsSkinLinkedControl(owner) {}
  std::string_view ClassName() const override { return "TbsGraphicSkinControl"; }

  void Paint() override;
};

class TbsGraphicSkinCustomControl : public TbsGraphicSkinControl {
 public:
  explicit TbsGraphicSkinCustomControl(spv::platform::TComponent* owner = nullptr);
  std::string_view ClassName() const override { return "TbsGraphicSkinCustomControl"; }

  spv::platform::TFont& DefaultFont() { return DefaultFont_; }
  bool UseSkinFont() const { return UseSkinFont_; }
  void SetUseSkinFont(bool value) { UseSkinFont_ = value; }
  TbsSizingKind SizingKind() const { return SizingKind_; }

  void ReadSkinObject() override;
  void ApplySkin() override;
  void SetBounds(int left, int top, int width, int height) override;
  virtual void FitSizeToSkin(int& width, int& height);

 protected:
  void PaintDefaultLook(TbsFBitmap& bitmap) override;
  void PaintSkinLook(TbsFBitmap& bitmap) override;
  void PaintSkinPiece(TImage& bitmap, const TRect& rect);

  TbsSkinPiece Piece_;
  TbsSizedPiece Sized_;
  TbsStretchFlags Stretch_;
  const TImage* SkinPicture_ = nullptr;
  TbsSizingKind SizingKind_ = skNoPiece;

 private:
  spv::platform::TFont DefaultFont_;
  bool UseSkinFont_ = true;
};

}  // namespace bs
