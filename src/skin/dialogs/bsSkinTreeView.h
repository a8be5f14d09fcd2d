#pragma once
// The skinned tree view: the platform's tree without a border and without scroll bars of its
// own, coloured and lettered from a "treeview" description, with outside scroll bars that it
// keeps in step with its scrolling.

#include <windows.h>

#include "platform/TreeView.h"
#include "skin/controls/bsSkinScrollBar.h"
#include "skin/dialogs/bsSkinShellRules.h"
#include "skin/resources/bsSkinClientWin.h"

#include <string>

namespace bs {

class TbsSkinCustomTreeView : public spv::platform::TCustomTreeView, public TbsSkinClient {
 public:
  explicit TbsSkinCustomTreeView(spv::platform::TComponent* owner = nullptr);
  ~TbsSkinCustomTreeView() override;
  std::string_view ClassName() const override { return "TbsSkinCustomTreeView"; }

  TbsSkinData* SkinData() const override { return SkinData_; }
  void SetSkinData(TbsSkinData* value);
  const std::string& SkinDataName() const { return SkinDataName_; }
  void SetSkinDataName(std::string_view name) { SkinDataName_ = name; }
  int SkinObjectIndex() const { return SkinObjectIndex_; }
  void ApplySkin() override;
  void ForgetSkinObject() override { SkinObjectIndex_ = -1; }
  spv::platform::TFont& DefaultFont() { return DefaultFont_; }
  void SetDefaultFont(const spv::platform::TFont& font);
  bool UseSkinFont() const { return UseSkinFont_; }
  void SetUseSkinFont(bool value);
  // The background the tree paints now.
  spv::platform::TColor BackgroundColor() const { return BackgroundColor_; }

  // The outside bars that stand in for the tree's own: they follow its scrolling and scroll
  // it; each shows only while the tree has something to scroll that way.
  TbsSkinScrollBar* HScrollBar() const { return HScrollBar_; }
  void SetHScrollBar(TbsSkinScrollBar* bar);
  TbsSkinScrollBar* VScrollBar() const { return VScrollBar_; }
  void SetVScrollBar(TbsSkinScrollBar* bar);

  // The tree's scrolling now, as the outside bars show it.
  TbsTreeScrollState ScrollState() const;
  // Brings the outside bars in step with the tree.
  void UpdateScrollBars();

 protected:
  void CreateWnd() override;
  void WndProc(spv::platform::TMessage& message) override;
  void Notification(spv::platform::TComponent* component, spv::platform::TOperation operation) override;

 private:
  void ApplyLook();
  void AttachBar(TbsSkinScrollBar*& slot, TbsSkinScrollBar* bar, bool vertical);
  void ShowScrollState(const TbsTreeScrollState& s);

  TbsSkinData* SkinData_ = nullptr;
  std::string SkinDataName_ = "treeview";
  int SkinObjectIndex_ = -1;
  spv::platform::TFont DefaultFont_;
  bool UseSkinFont_ = true;
  spv::platform::TColor BackgroundColor_ = spv::platform::clWindow;
  bool Updating_ = false;
  TbsSkinScrollBar* HScrollBar_ = nullptr;
  TbsSkinScrollBar* VScrollBar_ = nullptr;
};

}  // namespace bs
