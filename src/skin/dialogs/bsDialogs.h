#pragma once
// The skinned progress dialog: a component that shows a small skinned window with a line of
// text, a gauge and a Cancel button, and moves the gauge as the program sets its value. Modal,
// the caller waits until the gauge is full or the user cancels; on top, the window stays above
// the others while the caller goes on and lets messages through now and then. The window is
// built at each show and goes when it closes.

#include <windows.h>

#include "platform/Forms.h"
#include "platform/Graphics.h"
#include "skin/controls/bsSkinCtrls.h"
#include "skin/controls/bsSkinGauge.h"
#include "skin/controls/bsSkinLabel.h"
#include "skin/dialogs/bsDialogsLayout.h"
#include "skin/frame/bsSkinForm.h"
#include "skin/resources/bsSkinDataWin.h"

#include <string>

namespace bs {

enum class TbsPDShowType { stStayOnTop, stModal };

// The average character of the font selected into `dc`, as dialog units count it.
TbsAverageChar AverageCharSize(HDC dc);

class TbsSkinProgressDialog : public spv::platform::TComponent {
 public:
  explicit TbsSkinProgressDialog(spv::platform::TComponent* owner = nullptr);
  ~TbsSkinProgressDialog() override;
  std::string_view ClassName() const override { return "TbsSkinProgressDialog"; }

  // Read when the window is built; changes while it shows do not reach it.
  bool ShowCancelButton = true;
  bool ShowCloseButton = true;
  TbsPDShowType ShowType = TbsPDShowType::stStayOnTop;
  std::wstring Caption;
  std::wstring LabelCaption;
  bool ShowPercent = true;
  int MinValue = 0, MaxValue = 100;
  bool AlphaBlend = false, AlphaBlendAnimation = false;
  BYTE AlphaBlendValue = 200;
  std::string ButtonSkinDataName = "button", LabelSkinDataName = "stdlabel", GaugeSkinDataName = "gauge";
  bool UseSkinFont = true;

  int Value() const { return Value_; }
  // Stores the value; while the window shows, moves the gauge, and a full gauge ends the window.
  void SetValue(int value);

  TbsSkinData* SkinData() const { return SkinData_; }
  void SetSkinData(TbsSkinData* value);
  TbsSkinData* CtrlSkinData() const { return CtrlSkinData_; }
  void SetCtrlSkinData(TbsSkinData* value);
  spv::platform::TFont& DefaultLabelFont() { return DefaultLabelFont_; }
  void SetDefaultLabelFont(const spv::platform::TFont& font) { DefaultLabelFont_.Assign(font); }
  spv::platform::TFont& DefaultButtonFont() { return DefaultButtonFont_; }
  void SetDefaultButtonFont(const spv::platform::TFont& font) { DefaultButtonFont_.Assign(font); }
  spv::platform::TFont& DefaultGaugeFont() { return DefaultGaugeFont_; }
  void SetDefaultGaugeFont(const spv::platform::TFont& font) { DefaultGaugeFont_.Assign(font); }

  // Nothing and false while the window shows. Else builds and shows it: modal, true when the
  // gauge became full and false when cancelled; on top, false at once.
  bool ShowProgress();

  // The window was shown; the window closed before the gauge was full (reported once).
  spv::platform::TNotifyEvent OnShow, OnCancel;

  // While the window exists: it and its controls, for whoever looks at them.
  bool Showing() const { return Showing_; }
  spv::platform::TForm* Form() const { return Form_; }
  TbsSkinGauge* Gauge() const { return Gauge_; }

  bool ReadProperty(const spv::platform::TStoredProperty& property, spv::platform::TFormReader& reader) override;

 protected:
  void Notification(spv::platform::TComponent* component, spv::platform::TOperation operation) override;

 private:
  void BuildWindow();
  void FormClosed(spv::platform::TCloseAction& action);
  void ForgetWindow();

  int Value_ = 0;
  TbsSkinData* SkinData_ = nullptr;
  TbsSkinData* CtrlSkinData_ = nullptr;
  spv::platform::TFont DefaultLabelFont_, DefaultButtonFont_, DefaultGaugeFont_;
  bool Showing_ = false;
  spv::platform::TForm* Form_ = nullptr;
  TbsSkinGauge* Gauge_ = nullptr;
};

// Makes TbsSkinProgressDialog known to form descriptions.
void RegisterSkinDialogClasses();

}  // namespace bs
