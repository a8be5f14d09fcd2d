// The frame's published properties: the skins it follows, its caption buttons, and the
// reading of them from a form description.

#include "skin/frame/bsSkinForm.h"

#include "platform/FormReader.h"

#include <algorithm>
#include <array>

namespace bs {

using spv::platform::TComponent;

namespace {

constexpr std::array<spv::platform::TEnumName<unsigned>, 5> kBorderIconNames{{
    {"biSystemMenu", biSystemMenu},
    {"biMinimize", biMinimize},
    {"biMaximize", biMaximize},
    {"biRollUp", biRollUp},
    {"biMinimizeToTray", biMinimizeToTray},
}};
constexpr std::array<spv::platform::TEnumName<TbsPositionInMonitor>, 3> kPositionNames{{
    {"bspDefault", TbsPositionInMonitor::bspDefault},
    {"bspScreenCenter", TbsPositionInMonitor::bspScreenCenter},
    {"bspDesktopCenter", TbsPositionInMonitor::bspDesktopCenter},
}};

}  // namespace

// ---- Properties -----------------------------------------------------------------------------

void TbsSkinForm::SetSkinData(TbsSkinData* value) {
  if (SkinData_ && SkinData_ != MenusSkinData_) RemoveFreeNotification(SkinData_);
  SkinData_ = value;
  if (value) FreeNotification(value);
  if (!(ComponentState() & spv::platform::csDesigning)) ApplySkin();
}

void TbsSkinForm::SetMenusSkinData(TbsSkinData* value) {
  if (MenusSkinData_ && MenusSkinData_ != SkinData_) RemoveFreeNotification(MenusSkinData_);
  MenusSkinData_ = value;
  if (value) FreeNotification(value);
}

void TbsSkinForm::Notification(TComponent* component, spv::platform::TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != spv::platform::TOperation::opRemove) return;
  if (component == MenusSkinData_) MenusSkinData_ = nullptr;
  if (component == reinterpret_cast<TComponent*>(TrayIcon_)) TrayIcon_ = nullptr;
  if (component == SystemMenu_) SystemMenu_ = nullptr;
  if (component == SkinData_) {
    SkinData_ = nullptr;
    if (!Destroying() && !Form_->Destroying()) ApplySkin();
  }
}

void TbsSkinForm::SetBorderIcons(TbsBorderIcons value) {
  BorderIcons_ = value;
  if (Skinned_) {
    // A skinned frame keeps the skin's buttons and only changes which of them are usable.
    BuildObjectsFromSkin();
    ApplyBorderIcons();
    LoadButtonHints();
    ArrangeFrameObjects();
  } else {
    BuildBuiltInButtons();
    ApplyBorderIcons();
  }
  NCRepaint();
}

void TbsSkinForm::SetHideCaptionButtons(bool value) {
  HideCaptionButtons_ = value;
  ApplyBorderIcons();
  NCRepaint();
}

void TbsSkinForm::SetAlphaBlend(bool value) {
  AlphaBlend_ = value;
  HWND h = Window();
  if (!h || !LayeredWindowsAvailable()) return;
  SetLayeredStyle(h, value);
  if (value) SetWindowAlphaValue(h, AlphaBlendValue_);
}

void TbsSkinForm::SetAlphaBlendValue(BYTE value) {
  AlphaBlendValue_ = value;
  if (HWND h = Window(); h && AlphaBlend_ && LayeredWindowsAvailable()) SetWindowAlphaValue(h, value);
}

bool TbsSkinForm::ReadProperty(const spv::platform::TStoredProperty& p, spv::platform::TFormReader& reader) {
  using spv::platform::SameIdent;
  const std::string& n = p.Name;
  auto byte = [&p] { return BYTE(std::clamp(p.Int(), 0, 255)); };
  if (SameIdent(n, "SkinData")) reader.ResolveReference<TbsSkinData>(p, [this](TbsSkinData* s) { SetSkinData(s); });
  else if (SameIdent(n, "MenusSkinData"))
    reader.ResolveReference<TbsSkinData>(p, [this](TbsSkinData* s) { SetMenusSkinData(s); });
  else if (SameIdent(n, "BorderIcons")) SetBorderIcons(p.Flags(kBorderIconNames));
  else if (SameIdent(n, "HideCaptionButtons")) SetHideCaptionButtons(p.Boolean());
  else if (SameIdent(n, "PositionInMonitor")) PositionInMonitor = p.Enum<TbsPositionInMonitor>(kPositionNames);
  else if (SameIdent(n, "MinWidth")) MinWidth = p.Int();
  else if (SameIdent(n, "MinHeight")) MinHeight = p.Int();
  else if (SameIdent(n, "MaxWidth")) MaxWidth = p.Int();
  else if (SameIdent(n, "MaxHeight")) MaxHeight = p.Int();
  else if (SameIdent(n, "ClientWidth")) ClientWidth = p.Int();
  else if (SameIdent(n, "ClientHeight")) ClientHeight = p.Int();
  else if (SameIdent(n, "UseFormCursorInNCArea")) UseFormCursorInNCArea = p.Boolean();
  else if (SameIdent(n, "ShowIcon")) ShowIcon = p.Boolean();
  else if (SameIdent(n, "MaximizeOnFullScreen")) MaximizeOnFullScreen = p.Boolean();
  else if (SameIdent(n, "AlphaBlend")) SetAlphaBlend(p.Boolean());
  else if (SameIdent(n, "AlphaBlendAnimation")) AlphaBlendAnimation = p.Boolean();
  else if (SameIdent(n, "AlphaBlendValue")) SetAlphaBlendValue(byte());
  else if (SameIdent(n, "Magnetic")) Magnetic = p.Boolean();
  else if (SameIdent(n, "MagneticSize")) MagneticSize = byte();
  else if (SameIdent(n, "LogoBitMapTransparent")) LogoBitMapTransparent = p.Boolean();
  else if (SameIdent(n, "ShowObjectHint")) ShowObjectHint = p.Boolean();
  else if (SameIdent(n, "UseDefaultObjectHint")) UseDefaultObjectHint = p.Boolean();
  else if (SameIdent(n, "UseDefaultSysMenu")) UseDefaultSysMenu = p.Boolean();
  else if (SameIdent(n, "AlwaysShowInTray")) AlwaysShowInTray = p.Boolean();
  else if (SameIdent(n, "AlwaysMinimizeToTray")) AlwaysMinimizeToTray = p.Boolean();
  else if (SameIdent(n, "MenusAlphaBlend")) MenusAlphaBlend = p.Boolean();
  else if (SameIdent(n, "MenusAlphaBlendAnimation")) MenusAlphaBlendAnimation = p.Boolean();
  else if (SameIdent(n, "MenusAlphaBlendValue")) MenusAlphaBlendValue = byte();
  else if (SameIdent(n, "MaxMenuItemsInWindow")) MaxMenuItemsInWindow = p.Int();
  else if (SameIdent(n, "DefMenuItemHeight")) DefMenuItemHeight = p.Int();
  else if (SameIdent(n, "UseSkinFontInMenu")) UseSkinFontInMenu = p.Boolean();
  else if (auto m = p.Member("DefCaptionFont")) return DefCaptionFont_.ReadProperty(*m, p);
  else if (auto m = p.Member("DefInActiveCaptionFont")) return DefInActiveCaptionFont_.ReadProperty(*m, p);
  else if (auto m = p.Member("DefMenuItemFont")) return DefMenuItemFont_.ReadProperty(*m, p);
  else return TComponent::ReadProperty(p, reader);
  return true;
}

}  // namespace bs
