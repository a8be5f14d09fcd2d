#pragma once
// The skinned label: a label without a window that writes its caption in the skin's font and
// colour, whatever its own font, and embosses it in the skin's colours when disabled.

#include <windows.h>

#include "platform/StdCtrls.h"
#include "skin/resources/bsSkinClientWin.h"
#include "skin/resources/bsSkinDataControls.h"

#include <string>

namespace bs {

class TbsSkinStdLabel : public spv::platform::TCustomLabel, public TbsSkinClient {
 public:
  explicit TbsSkinStdLabel(spv::platform::TComponent* owner = nullptr);
  ~TbsSkinStdLabel() override;
  std::string_view ClassName() const override { return "TbsSkinStdLabel"; }

  TbsSkinData* SkinData() const override { return SkinData_; }
  void SetSkinData(TbsSkinData* value);
  const std::string& SkinDataName() const { return SkinDataName_; }
  void SetSkinDataName(std::string_view name) { SkinDataName_ = name; }
  int SkinObjectIndex() const { return SkinObjectIndex_; }
  spv::platform::TFont& DefaultFont() { return DefaultFont_; }
  void SetDefaultFont(const spv::platform::TFont& font) { DefaultFont_.Assign(font); }
  bool UseSkinFont() const { return UseSkinFont_; }
  void SetUseSkinFont(bool value);
  bool UseSkinColor() const { return UseSkinColor_; }
  void SetUseSkinColor(bool value);

  // Finds the description and copies its font.
  void ReadLabelSkin();
  // Reads the skin, fits the size to the text, repaints.
  void ApplyLabelSkin();
  void ForgetSkinObject() override { SkinObjectIndex_ = -1; }
  void ApplySkin() override { ApplyLabelSkin(); }

  bool ReadProperty(const spv::platform::TStoredProperty& property, spv::platform::TFormReader& reader) override;

 protected:
  void DoDrawText(spv::platform::TCanvas& canvas, RECT& r, UINT flags) override;
  void Notification(spv::platform::TComponent* component, spv::platform::TOperation operation) override;

 private:
  TbsSkinData* SkinData_ = nullptr;
  std::string SkinDataName_ = "stdlabel";
  int SkinObjectIndex_ = -1;
  spv::platform::TFont DefaultFont_;
  bool UseSkinFont_ = true, UseSkinColor_ = true;
  TbsFontGroup Font_;
};

}  // namespace bs
