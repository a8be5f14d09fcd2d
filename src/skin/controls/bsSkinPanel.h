#pragma once
// The skinned panel and the group box built on it: a container whose caption can be a check
// box or a roll-up switch. Rolled up, the panel shrinks to its caption band and hides its
// children; rolled down, it takes its real height back and shows them again.

#include <windows.h>

#include "platform/SizeConstraints.h"
#include "skin/controls/bsSkinCtrls.h"

namespace bs {

enum class TbsSkinBorderStyle { bvFrame, bvRaised, bvLowered, bvNone };
using TbsSkinPanelNumGlyphs = int;

class TbsSkinPanel : public TbsSkinCustomControl {
 public:
  explicit TbsSkinPanel(spv::platform::TComponent* owner = nullptr);
  ~TbsSkinPanel() override;
  std::string_view ClassName() const override { return "TbsSkinPanel"; }

  bool CaptionMode() const { return CaptionMode_; }
  void SetCaptionMode(bool value);
  int DefaultCaptionHeight() const { return DefaultCaptionHeight_; }
  void SetDefaultCaptionHeight(int value);
  TbsSkinBorderStyle BorderStyle() const { return BorderStyle_; }
  void SetBorderStyle(TbsSkinBorderStyle value);
  TAlignment DefaultAlignment() const { return DefaultAlignment_; }
  void SetDefaultAlignment(TAlignment value);
  bool AutoEnabledControls = true;

  bool CheckedMode() const { return CheckedMode_; }
  void SetCheckedMode(bool value);
  bool Checked() const { return Checked_; }
  void SetChecked(bool value);
  spv::platform::TNotifyEvent OnChecked;

  const TbsFBitmap& Glyph() const { return Glyph_; }
  void SetGlyph(const TImage& glyph);
  TbsSkinPanelNumGlyphs NumGlyphs() const { return NumGlyphs_; }
  void SetNumGlyphs(TbsSkinPanelNumGlyphs value);
  int Spacing() const { return Spacing_; }
  void SetSpacing(int value);

  // Rolling up needs RollUpMode; turning the mode off unrolls the panel first, so that a panel
  // never stays rolled up without a way back.
  bool RollUpMode() const { return RollUpMode_; }
  void SetRollUpMode(bool value);
  bool RollUpState() const { return RollUpState_; }
  void SetRollUpState(bool value);
  // The height before rolling up; -1 while unrolled.
  int RealHeight() const { return RealHeight_; }
  spv::platform::TNotifyEvent OnChangeRollUpState;
  // The constraints the panel had before it rolled up (they would keep it from shrinking).
  const spv::platform::TSizeConstraints& SavedConstraints() const { return SavedConstraints_; }

  // The caption rect of the skin placed on the current size.
  const TRect& PlacedCaptionRect() const { return PlacedCaptionRect_; }
  // Where aligned children go.
  RECT PanelClientRect();

  void ReadSkinObject() override;
  void ApplySkin() override;
  void SetBounds(int left, int top, int width, int height) override;
  void SetEnabled(bool enabled) override;

  bool ReadProperty(const spv::platform::TStoredProperty& property, spv::platform::TFormReader& reader) override;
  void Loaded() override;

 protected:
  void AlignControls(RECT& rect) override;
  void Paint() override;
  void PaintDefaultLook(TbsFBitmap& bitmap) override;
  void PaintSkinLook(TbsFBitmap& bitmap) override;
  void MouseUp(spv::platform::TMouseButton button, spv::platform::TShiftState shift, int x, int y) override;
  void TextChanged() override;

 private:
  void ApplyRollUp(bool rollUp);
  int RolledHeightNow();
  void DrawSkinCaption(HDC dc, TRect r);
  // The picture before the caption: the glyph's frame for the state; its width, or 0.
  int DrawCaptionPicture(HDC dc, int x, const TRect& band);
  int CaptionPictureWidth() const;

  bool CaptionMode_ = false, CheckedMode_ = false, Checked_ = false, RollUpMode_ = false, RollUpState_ = false;
  int DefaultCaptionHeight_ = 22, Spacing_ = 2, RealHeight_ = -1;
  TbsSkinBorderStyle BorderStyle_ = TbsSkinBorderStyle::bvFrame;
  TAlignment DefaultAlignment_ = TAlignment::taLeftJustify;
  TbsSkinPanelNumGlyphs NumGlyphs_ = 1;
  TbsFBitmap Glyph_;
  spv::platform::TSizeConstraints SavedConstraints_;
  TRect PlacedCaptionRect_;
  bool ChildrenHidden_ = false;

  // Copied from a TbsDataSkinPanelControl.
  TbsFontGroup Font_;
  TAlignment Alignment_ = TAlignment::taCenter;
  TRect CaptionRect_, CheckImageRect_, UnCheckImageRect_, MarkFrameRect_;
  int BGPictureIndex_ = -1;
};

class TbsSkinGroupBox : public TbsSkinPanel {
 public:
  explicit TbsSkinGroupBox(spv::platform::TComponent* owner = nullptr);
  std::string_view ClassName() const override { return "TbsSkinGroupBox"; }
};

}  // namespace bs
