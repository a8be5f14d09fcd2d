#pragma once
// The skinned gauge: a progress bar whose filled part is built from the skin's progress
// picture, with fixed caps at its ends, and an optional percentage written across it.

#include <windows.h>

#include "skin/controls/bsSkinCtrls.h"

namespace bs {

class TbsSkinGauge : public TbsSkinCustomControl {
 public:
  explicit TbsSkinGauge(spv::platform::TComponent* owner = nullptr);
  std::string_view ClassName() const override { return "TbsSkinGauge"; }

  bool UseSkinSize() const { return UseSkinSize_; }
  void SetUseSkinSize(bool value);
  int MinValue() const { return MinValue_; }
  void SetMinValue(int value);
  int MaxValue() const { return MaxValue_; }
  void SetMaxValue(int value);
  int Value() const { return Value_; }
  // Kept within MinValue .. MaxValue.
  void SetValue(int value);
  bool Vertical() const { return Vertical_; }
  void SetVertical(bool value);
  bool ShowPercent() const { return ShowPercent_; }
  void SetShowPercent(bool value);
  bool ShowProgressText() const { return ShowProgressText_; }
  void SetShowProgressText(bool value);
  const std::wstring& ProgressText() const { return ProgressText_; }
  void SetProgressText(std::wstring_view value);

  // The text the gauge writes across itself now (empty for none).
  std::wstring GaugeText() const;
  // Where the filled part lies at the current size.
  const TRect& SizedProgressArea() const { return SizedProgressArea_; }

  void ReadSkinObject() override;
  void FitSizeToSkin(int& width, int& height) override;

  bool ReadProperty(const spv::platform::TStoredProperty& property, spv::platform::TFormReader& reader) override;

 protected:
  void PaintDefaultLook(TbsFBitmap& bitmap) override;
  void PaintSkinLook(TbsFBitmap& bitmap) override;
  void WndProc(spv::platform::TMessage& message) override;

 private:
  bool IsVertical() const;
  void PaintFill(TbsFBitmap& bitmap, const TRect& area);
  void DrawGaugeText(TbsFBitmap& bitmap);

  bool UseSkinSize_ = true, Vertical_ = false, ShowPercent_ = false, ShowProgressText_ = false;
  int MinValue_ = 0, MaxValue_ = 100, Value_ = 50;
  std::wstring ProgressText_;
  TRect SizedProgressArea_;
  bool Painting_ = false;  // inside WM_PAINT
  spv::platform::TFont TextFont_;

  // Copied from a TbsDataSkinGaugeControl.
  bool SkinVertical_ = false, ProgressTransparent_ = false, ProgressStretch_ = false;
  TRect ProgressRect_, ProgressArea_;
  int BeginOffset_ = 0, EndOffset_ = 0;
  TColor ProgressTransparentColor_ = 0;
  TbsFontGroup Font_;
};

}  // namespace bs
