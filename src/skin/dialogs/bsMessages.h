#pragma once
// The skinned message box: a component that shows a modal box with a text, the system icon of
// its kind, a row of buttons and, on request, a "do not show again" check box, all drawn from
// the skin. Each call builds a fresh TbsMessageForm and frees it when the box closes.

#include <windows.h>

#include "platform/Forms.h"
#include "platform/Graphics.h"
#include "skin/controls/bsSkinCheckRadioBox.h"
#include "skin/controls/bsSkinCtrls.h"
#include "skin/controls/bsSkinLabel.h"
#include "skin/dialogs/bsMessagesLayout.h"
#include "skin/frame/bsSkinForm.h"
#include "skin/resources/bsSkinDataWin.h"

#include <memory>
#include <string>

namespace bs {

// A system icon at 32 × 32 on its parent.
class TbsMessageIcon : public spv::platform::TGraphicControl {
 public:
  explicit TbsMessageIcon(spv::platform::TComponent* owner = nullptr) : TGraphicControl(owner) {}
  std::string_view ClassName() const override { return "TbsMessageIcon"; }
  HICON Icon() const { return Icon_; }
  // A shared system icon: the system keeps it, nothing frees it.
  void SetIcon(HICON icon);
  void Paint() override;

 private:
  HICON Icon_ = nullptr;
};

class TbsMessageForm : public spv::platform::TForm {
 public:
  explicit TbsMessageForm(spv::platform::TComponent* owner = nullptr);
  std::string_view ClassName() const override { return "TbsMessageForm"; }

  TbsSkinForm* SkinForm = nullptr;
  TbsSkinStdLabel* Message = nullptr;
  TbsMessageIcon* Image = nullptr;
  TbsSkinCheckRadioBox* CheckBox = nullptr;  // only with the show-again flag
  int HelpContext = 0;
};

// The texts of a button and of a kind's caption: with resource strings in `ctrlSkinData` the
// text under the key (empty when the key is missing), else the built-in English text.
std::wstring MessageButtonCaption(TMsgDlgBtn button, const TbsSkinData* ctrlSkinData);
std::wstring MessageBoxCaption(TMsgDlgType kind, const TbsSkinData* ctrlSkinData);

class TbsSkinMessage : public spv::platform::TComponent {
 public:
  explicit TbsSkinMessage(spv::platform::TComponent* owner = nullptr);
  ~TbsSkinMessage() override;
  std::string_view ClassName() const override { return "TbsSkinMessage"; }

  bool ShowAgainFlag = false;
  // True: show the message again. The check box is checked when this is false, and the value
  // follows the check box when the box closes.
  bool ShowAgainFlagValue = false;
  bool AlphaBlend = false, AlphaBlendAnimation = false;
  BYTE AlphaBlendValue = 200;
  TbsSkinData* SkinData() const { return SkinData_; }
  void SetSkinData(TbsSkinData* value);
  TbsSkinData* CtrlSkinData() const { return CtrlSkinData_; }
  void SetCtrlSkinData(TbsSkinData* value);
  std::string ButtonSkinDataName = "button";
  std::string MessageLabelSkinDataName = "stdlabel";
  spv::platform::TFont& DefaultFont() { return DefaultFont_; }
  void SetDefaultFont(const spv::platform::TFont& font) { DefaultFont_.Assign(font); }
  spv::platform::TFont& DefaultButtonFont() { return DefaultButtonFont_; }
  void SetDefaultButtonFont(const spv::platform::TFont& font) { DefaultButtonFont_.Assign(font); }
  bool UseSkinFont = true;

  // Shows the box modally and returns the result of the button that closed it; the caption's
  // close button and the system close command give 2.
  int ShowMessageBox(std::wstring_view text, TMsgDlgType kind, TMsgDlgButtons buttons, int helpContext = 0);
  // The laid-out box, owned by the application, not yet shown.
  std::unique_ptr<TbsMessageForm> BuildMessageForm(std::wstring_view text, TMsgDlgType kind,
                                                   TMsgDlgButtons buttons);

  bool ReadProperty(const spv::platform::TStoredProperty& property, spv::platform::TFormReader& reader) override;

 protected:
  void Notification(spv::platform::TComponent* component, spv::platform::TOperation operation) override;

 private:
  int ButtonHeight() const;

  TbsSkinData* SkinData_ = nullptr;
  TbsSkinData* CtrlSkinData_ = nullptr;
  spv::platform::TFont DefaultFont_, DefaultButtonFont_;
};

// Makes TbsSkinMessage known to form descriptions.
void RegisterSkinMessageClasses();

}  // namespace bs
