#include "skin/controls/bsSkinLabel.h"

#include "platform/FormReader.h"
#include "platform/SysUtils.h"

namespace bs {

using PColor = spv::platform::TColor;

TbsSkinStdLabel::TbsSkinStdLabel(spv::platform::TComponent* owner) : TCustomLabel(owner) {
  SetTransparent(true);
  DefaultFont_.SetName(L"Arial");
  DefaultFont_.SetHeight(14);
}

TbsSkinStdLabel::~TbsSkinStdLabel() {
  if (SkinData_) RemoveFreeNotification(SkinData_);
}

void TbsSkinStdLabel::SetSkinData(TbsSkinData* value) {
  if (SkinData_) RemoveFreeNotification(SkinData_);
  SkinData_ = value;
  if (value) {
    FreeNotification(value);
    ApplyLabelSkin();
  }
}

void TbsSkinStdLabel::Notification(spv::platform::TComponent* component, spv::platform::TOperation operation) {
  TCustomLabel::Notification(component, operation);
  if (operation == spv::platform::TOperation::opRemove && component == SkinData_) {
    SkinData_ = nullptr;
    SkinObjectIndex_ = -1;
    if (!Destroying()) Invalidate();
  }
}

void TbsSkinStdLabel::SetUseSkinFont(bool value) {
  UseSkinFont_ = value;
  AdjustBounds();
  Invalidate();
}

void TbsSkinStdLabel::SetUseSkinColor(bool value) {
  UseSkinColor_ = value;
  Invalidate();
}

void TbsSkinStdLabel::ReadLabelSkin() {
  SkinObjectIndex_ = !SkinData_ || SkinData_->IsEmpty ? -1 : SkinData_->FindSkinControl(SkinDataName_);
  if (SkinObjectIndex_ < 0) return;
  if (const auto* o =
          dynamic_cast<const TbsDataSkinStdLabelControl*>(SkinData_->SkinControls[std::size_t(SkinObjectIndex_)].get()))
    Font_ = *o;
  else SkinObjectIndex_ = -1;
}

void TbsSkinStdLabel::ApplyLabelSkin() {
  ReadLabelSkin();
  AdjustBounds();
  Invalidate();
}

void TbsSkinStdLabel::DoDrawText(spv::platform::TCanvas& canvas, RECT& r, UINT flags) {
  ReadLabelSkin();
  std::wstring text = Caption();
  if ((flags & DT_CALCRECT) && (text.empty() || (ShowAccelChar() && text == L"&"))) text = L" ";
  spv::platform::TFont& f = canvas.Font();
  const BYTE charset = DefaultFont_.Charset();
  PColor highlight = spv::platform::clBtnHighlight, shadow = spv::platform::clBtnShadow;
  if (SkinObjectIndex_ < 0) {
    f.Assign(UseSkinFont_ ? DefaultFont_ : Font());
  } else {
    f.Assign(Font());
    if (UseSkinFont_) AssignSkinFont(f, Font_, charset);
    f.SetColor(UseSkinColor_ ? PColor(Font_.FontColor) : Font().Color());
    highlight = PColor(SkinData_->SkinColors.cBtnHighLight);
    shadow = PColor(SkinData_->SkinColors.cBtnShadow);
  }
  f.SetCharset(charset);
  SetBkMode(canvas.Handle(), TRANSPARENT);
  if (Enabled() || (flags & DT_CALCRECT)) {
    canvas.DrawText(text, r, flags);
    return;
  }
  RECT shifted = r;
  OffsetRect(&shifted, 1, 1);
  f.SetColor(highlight);
  canvas.DrawText(text, shifted, flags);
  f.SetColor(shadow);
  canvas.DrawText(text, r, flags);
}

bool TbsSkinStdLabel::ReadProperty(const spv::platform::TStoredProperty& p, spv::platform::TFormReader& reader) {
  using spv::platform::SameIdent;
  if (SameIdent(p.Name, "SkinData"))
    reader.ResolveReference<TbsSkinData>(p, [this](TbsSkinData* d) { SetSkinData(d); });
  else if (SameIdent(p.Name, "SkinDataName")) SetSkinDataName(spv::platform::WideToCp1251(p.String()));
  else if (SameIdent(p.Name, "UseSkinFont")) SetUseSkinFont(p.Boolean());
  else if (SameIdent(p.Name, "UseSkinColor")) SetUseSkinColor(p.Boolean());
  else if (p.Name.size() > 12 && SameIdent(p.Name.substr(0, 12), "DefaultFont."))
    return DefaultFont_.ReadProperty(std::string_view(p.Name).substr(12), p);
  else return TCustomLabel::ReadProperty(p, reader);
  return true;
}

}  // namespace bs
