#pragma once
// The skinned bevel: the platform's bevel in the skin's light and dark colours, with a divider
// mode that draws one groove across the middle instead of the shape's lines.

#include <windows.h>

#include "platform/Bevel.h"
#include "skin/resources/bsSkinClientWin.h"

#include <string>

namespace bs {

class TbsSkinBevel : public spv::platform::TBevel, public TbsSkinClient {
 public:
  explicit TbsSkinBevel(spv::platform::TComponent* owner = nullptr);
  ~TbsSkinBevel() override;
  std::string_view ClassName() const override { return "TbsSkinBevel"; }

  TbsSkinData* SkinData() const override { return SkinData_; }
  void SetSkinData(TbsSkinData* value);
  const std::string& SkinDataName() const { return SkinDataName_; }
  void SetSkinDataName(std::string_view name) { SkinDataName_ = name; }
  int SkinObjectIndex() const { return SkinObjectIndex_; }
  bool DividerMode() const { return DividerMode_; }
  void SetDividerMode(bool value);
  spv::platform::TColor BevelLightColor = spv::platform::clBtnHighlight;
  spv::platform::TColor BevelDarkColor = spv::platform::clBtnShadow;

  // Takes the colours of the description, or the system's without one; repaints.
  void ReadBevelSkin();
  void ForgetSkinObject() override { SkinObjectIndex_ = -1; }
  void ApplySkin() override { ReadBevelSkin(); }

  void Paint() override;
  bool ReadProperty(const spv::platform::TStoredProperty& property, spv::platform::TFormReader& reader) override;

 protected:
  spv::platform::TColor LightColor() const override { return BevelLightColor; }
  spv::platform::TColor DarkColor() const override { return BevelDarkColor; }
  void Notification(spv::platform::TComponent* component, spv::platform::TOperation operation) override;

 private:
  TbsSkinData* SkinData_ = nullptr;
  std::string SkinDataName_ = "bevel";
  int SkinObjectIndex_ = -1;
  bool DividerMode_ = false;
};

}  // namespace bs
