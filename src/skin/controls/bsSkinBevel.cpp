#include "skin/controls/bsSkinBevel.h"

#include "platform/FormReader.h"
#include "platform/SysUtils.h"
#include "skin/resources/bsSkinDataControls.h"


namespace bs {

using spv::platform::TBevelShape;

TbsSkinBevel::TbsSkinBevel(spv::platform::TComponent* owner) : TBevel(owner) {}

TbsSkinBevel::~TbsSkinBevel() {
  if (SkinData_) RemoveFreeNotification(SkinData_);
}

void TbsSkinBevel::SetSkinData(TbsSkinData* value) {
  if (SkinData_) RemoveFreeNotification(SkinData_);
  SkinData_ = value;
  if (value) FreeNotification(value);
  ReadBevelSkin();
}

void TbsSkinBevel::Notification(spv::platform::TComponent* component, spv::platform::TOperation operation) {
  TBevel::Notification(component, operation);
  if (operation == spv::platform::TOperation::opRemove && component == SkinData_) {
    SkinData_ = nullptr;
    if (!Destroying()) ReadBevelSkin();
  }
}

void TbsSkinBevel::SetDividerMode(bool value) {
  DividerMode_ = value;
  Invalidate();
}

void TbsSkinBevel::ReadBevelSkin() {
  SkinObjectIndex_ = !SkinData_ || SkinData_->IsEmpty ? -1 : SkinData_->FindSkinControl(SkinDataName_);
  const auto* o = SkinObjectIndex_ < 0
                      ? nullptr
                      : dynamic_cast<const TbsDataSkinBevel*>(SkinData_->SkinControls[std::size_t(SkinObjectIndex_)].get());
  BevelLightColor = o ? spv::platform::TColor(o->LightColor) : spv::platform::clBtnHighlight;
  BevelDarkColor = o ? spv::platform::TColor(o->DarkColor) : spv::platform::clBtnShadow;
  Invalidate();
}

void TbsSkinBevel::Paint() {
  if (!DividerMode_ || Shape() == TBevelShape::bsSpacer) {
    TBevel::Paint();
    return;
  }
  const bool lowered = Style() == spv::platform::TBevelStyle::bsLowered;
  const spv::platform::TColor a = lowered ? BevelDarkColor : BevelLightColor, b = lowered ? BevelLightColor : BevelDarkColor;
  const int W = Width(), H = Height();
  const bool horizontal = Shape() == TBevelShape::bsTopLine || Shape() == TBevelShape::bsBottomLine;
  const RECT r = horizontal ? RECT{2, H / 2 - 1, W - 2, H / 2} : RECT{W / 2 - 1, 2, W / 2, H - 2};
  FrameLines(r.left, r.top, r.right, r.bottom, a, b);
}

bool TbsSkinBevel::ReadProperty(const spv::platform::TStoredProperty& p, spv::platform::TFormReader& reader) {
  using spv::platform::SameIdent;
  if (SameIdent(p.Name, "SkinData"))
    reader.ResolveReference<TbsSkinData>(p, [this](TbsSkinData* d) { SetSkinData(d); });
  else if (SameIdent(p.Name, "SkinDataName")) SetSkinDataName(spv::platform::WideToCp1251(p.String()));
  else if (SameIdent(p.Name, "DividerMode")) SetDividerMode(p.Boolean());
  else return TBevel::ReadProperty(p, reader);
  return true;
}

}  // namespace bs
