#include "skin/resources/bsSkinDataWin.h"

#include "platform/FormReader.h"

namespace bs {

using spv::platform::SameIdent;
using spv::platform::TStoredProperty;
using spv::platform::WideToCp1251;

bool TbsCompressedStoredSkin::ReadProperty(const TStoredProperty& p, spv::platform::TFormReader& reader) {
  if (SameIdent(p.Name, "FileName")) FileName = WideToCp1251(p.String());
  else if (SameIdent(p.Name, "CompressedFileName")) CompressedFileName = WideToCp1251(p.String());
  else if (SameIdent(p.Name, "Description")) Description = WideToCp1251(p.String());
  else if (SameIdent(p.Name, "CompressedData")) {
    CompressedData.Clear();
    CompressedData.Bytes() = p.Binary();
  } else return TComponent::ReadProperty(p, reader);
  return true;
}

bool TbsResourceStrData::ReadProperty(const TStoredProperty& p, spv::platform::TFormReader& reader) {
  if (SameIdent(p.Name, "CharSet")) CharSet = p.Int();
  else if (SameIdent(p.Name, "ResStrings")) {
    ResStrings.clear();
    for (const spv::platform::TValue& line : p.List()) {
      if (line.Kind != spv::platform::TValueKind::String) p.Fail("ResStrings holds strings only");
      ResStrings.push_back(WideToCp1251(line.String));
    }
  } else return TComponent::ReadProperty(p, reader);
  return true;
}

void TbsSkinData::SetCompressedStoredSkin(TbsCompressedStoredSkin* stored) {
  if (CompressedStoredSkin_) RemoveFreeNotification(CompressedStoredSkin_);
  CompressedStoredSkin_ = stored;
  if (!stored) return;
  FreeNotification(stored);
  if (!(ComponentState() & spv::platform::csDesigning)) LoadFromStoredSkin(*stored);
}

void TbsSkinData::SetResourceStrData(TbsResourceStrData* strings) {
  if (ResourceStrData_) RemoveFreeNotification(ResourceStrData_);
  ResourceStrData_ = strings;
  if (strings) FreeNotification(strings);
  if (!(ComponentState() & spv::platform::csDesigning)) BroadcastSkinMessage(WM_SKIN_STRINGS_CHANGED);
}

void TbsSkinData::Notification(spv::platform::TComponent* component, spv::platform::TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != spv::platform::TOperation::opRemove) return;
  // The loaded skin stays; only the link goes.
  if (component == CompressedStoredSkin_) CompressedStoredSkin_ = nullptr;
  if (component == ResourceStrData_) ResourceStrData_ = nullptr;
}

TbsSkinData* TbsSkinData::FromMessage(WPARAM wParam, LPARAM lParam) {
  if (lParam != SkinMessageLParam) return nullptr;
  return reinterpret_cast<TbsSkinData*>(wParam);
}

void TbsSkinData::BroadcastSkinMessage(unsigned msg) {
  if (Destroying()) return;
  const WPARAM self = reinterpret_cast<WPARAM>(this);
  // A form with a window hears it through the window; one without is told directly, so that
  // the skin is settled on it before its window is made, once, when it is first needed.
  const auto tell = [&](spv::platform::TCustomForm* form) {
    if (HWND window = form->WindowHandle()) SendMessageW(window, msg, self, SkinMessageLParam);
    else form->Perform(msg, self, SkinMessageLParam);
  };
  auto* owner = dynamic_cast<spv::platform::TCustomForm*>(Owner());
  if (owner) tell(owner);
  spv::platform::TScreen& screen = spv::platform::Screen();
  // A form may be created or freed by a handler: the list is read afresh at every step.
  for (int i = 0; i < screen.FormCount(); ++i) {
    spv::platform::TCustomForm* form = screen.Forms(i);
    if (form != owner && !form->Destroying()) tell(form);
  }
}

bool TbsSkinData::ReadProperty(const TStoredProperty& p, spv::platform::TFormReader& reader) {
  if (SameIdent(p.Name, "EnableSkinEffects")) EnableSkinEffects = p.Boolean();
  else if (SameIdent(p.Name, "CompressedStoredSkin"))
    reader.ResolveReference<TbsCompressedStoredSkin>(p, [this](TbsCompressedStoredSkin* s) { SetCompressedStoredSkin(s); });
  else if (SameIdent(p.Name, "ResourceStrData"))
    reader.ResolveReference<TbsResourceStrData>(p, [this](TbsResourceStrData* s) { SetResourceStrData(s); });
  else return TComponent::ReadProperty(p, reader);
  return true;
}

void RegisterSkinDataClasses() {
  static const bool done = [] {
    auto& registry = spv::platform::TClassRegistry::Instance();
    registry.Register<TbsSkinData>("TbsSkinData");
    registry.Register<TbsCompressedStoredSkin>("TbsCompressedStoredSkin");
    registry.Register<TbsResourceStrData>("TbsResourceStrData");
    return true;
  }();
  (void)done;
}

std::wstring SkinText(const TbsSkinData* skin, std::string_view key, std::string_view builtIn) {
  if (skin && skin->ResourceStrData()) return spv::platform::Cp1251ToWide(skin->ResourceStrData()->GetResStr(key));
  return spv::platform::Cp1251ToWide(builtIn);
}

}  // namespace bs
