#pragma once
// A small skinned check box: a square with a tick and its caption beside it, in the skin's
// colours and, when the skin describes one, the font of its check-box object. Its look is our
// own; it takes no picture from the skin.

#include <windows.h>

#include "skin/controls/bsSkinCtrls.h"

namespace bs {

class TbsSkinCheckRadioBox : public TbsSkinControl {
 public:
  explicit TbsSkinCheckRadioBox(spv::platform::TComponent* owner = nullptr);
  std::string_view ClassName() const override { return "TbsSkinCheckRadioBox"; }

  bool Checked() const { return Checked_; }
  void SetChecked(bool value);
  spv::platform::TFont& DefaultFont() { return DefaultFont_; }
  void SetDefaultFont(const spv::platform::TFont& font);
  bool UseSkinFont() const { return UseSkinFont_; }
  void SetUseSkinFont(bool value);

  // The font the caption is written in now: the skin object's name and height when there is
  // one and UseSkinFont is on, else DefaultFont.
  void CaptionFont(spv::platform::TFont& font);

  void ReadSkinObject() override;

 protected:
  void PaintDefaultLook(TbsFBitmap& bitmap) override;
  void PaintSkinLook(TbsFBitmap& bitmap) override { PaintDefaultLook(bitmap); }
  void WndProc(spv::platform::TMessage& message) override;
  void KeyUp(WORD& key, spv::platform::TShiftState shift) override;
  void DoEnter() override;
  void DoExit() override;
  void TextChanged() override;

 private:
  void Toggle();

  bool Checked_ = false, UseSkinFont_ = true, Pressed_ = false;
  spv::platform::TFont DefaultFont_;
  const TbsDataSkinCheckRadioControl* CheckObject_ = nullptr;
};

}  // namespace bs
