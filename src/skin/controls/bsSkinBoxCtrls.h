#pragma once
// The skinned edit: a real native single-line edit window whose frame, text background and
// right-hand button are painted from the skin in the window's non-client area. The native
// edit draws its text transparently over the background the control paints.

#include <windows.h>

#include "platform/MaskEdit.h"
#include "skin/controls/bsSkinBoxCtrlsRules.h"
#include "skin/resources/bsSkinClientWin.h"
#include "skin/resources/bsSkinDataControls.h"
#include "skin/resources/bsSkinMessages.h"
#include "skin/resources/bsUtilsWin.h"

#include <memory>
#include <vector>

namespace bs {

class TbsSkinMenu;
class TbsSkinPopupMenu;

class TbsCustomEdit : public spv::platform::TCustomMaskEdit {
 public:
  explicit TbsCustomEdit(spv::platform::TComponent* owner = nullptr);
  ~TbsCustomEdit() override;
  std::string_view ClassName() const override { return "TbsCustomEdit"; }

  // The state the context menu's items are enabled by, and its commands.
  TbsEditState EditMenuState() const;
  void PerformEditCommand(TbsEditCommand command);

  // The skinned context menu, built afresh at every request; none before the first and after a
  // command was chosen from it.
  TbsSkinPopupMenu* TextMenu() const { return TextMenu_; }
  // Its menu cycle is open.
  bool TextMenuShowing() const { return TextMenuShowing_; }

 protected:
  void WndProc(spv::platform::TMessage& message) override;

 private:
  // Builds and shows the context menu at a screen point, or at the edit's centre for a request
  // from the keyboard (-1). False when the form has no skinned menus to show it with.
  bool ShowTextMenu(LPARAM at);
  // The menu may still be in use by the code that tells us about it: it is freed later, from
  // a message posted to ourselves.
  void RetireTextMenu();
  void FreeRetiredMenus();

  TbsSkinPopupMenu* TextMenu_ = nullptr;
  std::vector<TbsSkinPopupMenu*> RetiredMenus_;
  bool TextMenuShowing_ = false;
  // The menus of the form that showed the context menu, while they live.
  TbsSkinMenu* ShownBy_ = nullptr;
  std::shared_ptr<bool> MenuAlive_;
};

class TbsSkinCustomEdit : public TbsCustomEdit, public TbsSkinClient {
 public:
  explicit TbsSkinCustomEdit(spv::platform::TComponent* owner = nullptr);
  ~TbsSkinCustomEdit() override;
  std::string_view ClassName() const override { return "TbsSkinCustomEdit"; }

  TbsSkinData* SkinData() const override { return SkinData_; }
  void SetSkinData(TbsSkinData* value);
  const std::string& SkinDataName() const { return SkinDataName_; }
  void SetSkinDataName(std::string_view name) { SkinDataName_ = name; }
  int SkinObjectIndex() const { return SkinObjectIndex_; }
  void ApplySkin() override { ApplyEditSkin(); }
  void ForgetSkinObject() override { SkinObjectIndex_ = -1; }
  void ApplyEditSkin();

  bool ButtonMode() const { return ButtonMode_; }
  void SetButtonMode(bool value);
  bool ButtonDown() const { return ButtonDown_; }
  bool ButtonHot() const { return ButtonHot_; }
  bool EditMouseOver() const { return EditMouseOver_; }
  // Window coordinates.
  TRect EditButtonRect() const { return EditButtonRect_; }
  TRect EditTextRect() const { return EditTextRect_; }

  spv::platform::TColor DefaultColor() const { return DefaultColor_; }
  void SetDefaultColor(spv::platform::TColor value);
  spv::platform::TFont& DefaultFont() { return DefaultFont_; }
  void SetDefaultFont(const spv::platform::TFont& font);
  bool UseSkinFont() const { return UseSkinFont_; }
  void SetUseSkinFont(bool value) { UseSkinFont_ = value; }
  int DefaultWidth() const { return DefaultWidth_; }
  void SetDefaultWidth(int value);
  int DefaultHeight() const { return DefaultHeight_; }
  void SetDefaultHeight(int value);
  TAlignment Alignment() const { return Alignment_; }
  void SetAlignment(TAlignment value);

  void SetBounds(int left, int top, int width, int height) override;
  int FontLineHeight();
  // Sends WM_NCPAINT, which paints the frame and button.
  void RepaintFrame();
  // The frame as it is painted now, for whoever wants to look at it.
  TbsFBitmap FrameSnapshot();

  spv::platform::TNotifyEvent OnButtonClick, OnMouseEnter, OnMouseLeave;

  bool ReadProperty(const spv::platform::TStoredProperty& property, spv::platform::TFormReader& reader) override;
  void Loaded() override;

 protected:
  void WndProc(spv::platform::TMessage& message) override;
  DWORD EditStyle() const override;
  void CreateWnd() override;
  void Notification(spv::platform::TComponent* component, spv::platform::TOperation operation) override;
  virtual void ButtonClick();
  // The button went down under the pointer.
  virtual void ButtonPressed() {}
  virtual void MouseEnter();
  virtual void MouseLeave();

 private:
  void ReadEditSkin();
  bool Skinned() const { return SkinObjectIndex_ >= 0 && SkinPicture_; }
  void LayoutEditRects(int W, int H);
  void PaintEditFrame(TbsFBitmap& bitmap);
  void PaintEditBackground(HDC dc);
  void PaintDisabledText(HDC dc);
  void PaintClient();
  void PaintFrameTo(HDC dc);
  void SetStateFontColor();
  bool PointerOverWindow() const;
  // A point of the screen in window coordinates.
  POINT ToWindow(POINT screen) const;
  void SetButtonHot(bool value);

  TbsSkinData* SkinData_ = nullptr;
  std::string SkinDataName_ = "edit";
  int SkinObjectIndex_ = -1;
  const TImage* SkinPicture_ = nullptr;
  bool ButtonMode_ = false, ButtonDown_ = false, ButtonHot_ = false, EditMouseOver_ = false;
  // The button was pressed and holds the mouse until the release.
  bool ButtonTracking_ = false;
  TRect EditButtonRect_, EditTextRect_;
  spv::platform::TColor DefaultColor_ = spv::platform::clWindow;
  spv::platform::TFont DefaultFont_;
  bool UseSkinFont_ = true;
  int DefaultWidth_ = 0, DefaultHeight_ = 0;
  TAlignment Alignment_ = TAlignment::taLeftJustify;

  // Copied from the description.
  int LeftCap_ = 0, RightCap_ = 0, RightTopX_ = 0, LeftTopX_ = 0;
  TRect ClientRect_, SkinRect_, ActiveSkinRect_, ButtonRect_, ActiveButtonRect_, DownButtonRect_,
      UnEnabledButtonRect_;
  TbsFontGroup Font_;
  TColor DisabledFontColor_ = 0, ActiveFontColor_ = 0;
  bool StretchEffect_ = false;
};

class TbsSkinEdit : public TbsSkinCustomEdit {
 public:
  explicit TbsSkinEdit(spv::platform::TComponent* owner = nullptr) : TbsSkinCustomEdit(owner) {}
  std::string_view ClassName() const override { return "TbsSkinEdit"; }
};

}  // namespace bs
