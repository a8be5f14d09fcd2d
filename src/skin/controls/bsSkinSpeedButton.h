#pragma once
// The speed button: a button without a window, drawn from a button description, that can
// repeat its click while it is held (the calendar's navigation buttons).

#include "skin/controls/bsGraphicSkinCtrls.h"
#include "skin/controls/bsSkinCtrls.h"

namespace bs {

class TbsSkinSpeedButton : public TbsGraphicSkinCustomControl {
 public:
  explicit TbsSkinSpeedButton(spv::platform::TComponent* owner = nullptr);
  std::string_view ClassName() const override { return "TbsSkinSpeedButton"; }

  const TbsFBitmap& Glyph() const { return Glyph_; }
  void SetGlyph(const TImage& glyph);
  TbsNumGlyphs NumGlyphs() const { return NumGlyphs_; }
  void SetNumGlyphs(TbsNumGlyphs value);
  bool Down() const { return Down_; }
  bool MouseOver() const { return MouseOver_; }
  bool RepeatMode = false;
  unsigned RepeatInterval = 100;
  int GroupIndex = 0;
  bool UseSkinSize = true;
  bool UseSkinFontColor = true;
  bool ShowCaption = true;
  int Margin = -1;
  TbsButtonLayout Layout = TbsButtonLayout::blGlyphLeft;
  bool Repeating() const { return RepeatTimer_.Running(); }

  void ReadSkinObject() override;
  void FitSizeToSkin(int& width, int& height) override;

 protected:
  void PaintDefaultLook(TbsFBitmap& bitmap) override;
  void PaintSkinLook(TbsFBitmap& bitmap) override;
  void WndProc(spv::platform::TMessage& message) override;
  void MouseDown(spv::platform::TMouseButton button, spv::platform::TShiftState shift, int x, int y) override;
  void MouseMove(spv::platform::TShiftState shift, int x, int y) override;
  void MouseUp(spv::platform::TMouseButton button, spv::platform::TShiftState shift, int x, int y) override;

 private:
  void DrawGlyphCaption(TbsFBitmap& bitmap, const TRect& r, bool active, spv::platform::TColor colour);
  void SetOver(bool over);

  TbsFBitmap Glyph_;
  TbsNumGlyphs NumGlyphs_ = 1;
  bool Down_ = false, MouseOver_ = false, Pressed_ = false;
  TbsOnDemandTimer RepeatTimer_;

  // Copied from a TbsDataSkinButtonControl.
  TbsFontGroup Font_;
  TColor ActiveFontColor_ = 0, DownFontColor_ = 0, DisabledFontColor_ = 0;
  TRect ActiveSkinRect_, DownSkinRect_, DisabledSkinRect_;
};

}  // namespace bs
