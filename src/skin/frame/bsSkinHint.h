#pragma once
// Skinned hints: a hint window drawn from the skin's hint picture and shaped by its mask, and
// the component that puts it in the application's place and shows the hints of frame objects
// (the caption buttons) for the skinned frames that refer to it.

#include <windows.h>

#include "platform/Classes.h"
#include "platform/ExtCtrls.h"
#include "platform/Graphics.h"
#include "platform/Hints.h"
#include "skin/frame/bsSkinForm.h"
#include "skin/frame/bsSkinHintLayout.h"
#include "skin/resources/bsSkinDataWin.h"

#include <string>

namespace bs {

class TbsSkinHint;

class TbsSkinHintWindow : public spv::platform::THintWindow {
 public:
  explicit TbsSkinHintWindow(spv::platform::TComponent* owner = nullptr);
  std::string_view ClassName() const override { return "TbsSkinHintWindow"; }

  // Sizes the window for `text` with the look of the active TbsSkinHint of the main form,
  // moves it to the other side of the rect's top-left where it would leave the screen, shapes
  // it and shows it topmost without activation. Without an active TbsSkinHint nothing shows.
  void ActivateHint(RECT rect, std::wstring_view text) override;

  // What the window shows now: the component in charge (null once it is gone), the skin it
  // draws from (null for the built-in look) and its geometry.
  TbsSkinHint* HintInCharge() const { return Hint_; }
  TbsSkinData* DrawingSkin() const { return SkinData_; }
  const TbsHintGeometry& Geometry() const { return Geometry_; }

 protected:
  void CreateParams(spv::platform::TCreateParams& params) override;
  void WndProc(spv::platform::TMessage& message) override;
  void Paint() override;
  void Notification(spv::platform::TComponent* component, spv::platform::TOperation operation) override;

 private:
  // The first active TbsSkinHint owned by the main form, or null.
  static TbsSkinHint* FindHintInCharge();
  void TakeHint(TbsSkinHint* hint);
  // The hint picture's points and client rect, when the window draws from a skin.
  bool SkinPiece(TbsHintPiece& piece) const;
  const TImage* SkinPicture(int index) const;
  void SelectFont(spv::platform::TFont& font) const;
  void ApplyTransparency();
  void ApplyRegion();

  TbsSkinHint* Hint_ = nullptr;
  TbsSkinData* SkinData_ = nullptr;
  TbsHintGeometry Geometry_;
  bool HasRegion_ = false;
  // What the window's layering was last set to.
  bool AlphaBlendApplied_ = false;
  BYTE AlphaValueApplied_ = 0;
};

class TbsSkinHint : public spv::platform::TComponent, public TbsObjectHint {
 public:
  // Makes the application's hint window a TbsSkinHintWindow and routes its show-hint event here.
  explicit TbsSkinHint(spv::platform::TComponent* owner = nullptr);
  ~TbsSkinHint() override;
  std::string_view ClassName() const override { return "TbsSkinHint"; }

  TbsSkinData* SkinData() const { return SkinData_; }
  void SetSkinData(TbsSkinData* value);
  bool Active() const { return Active_; }
  // Turning it on turns off every other TbsSkinHint of the main form.
  void SetActive(bool value);
  bool AlphaBlend() const { return AlphaBlend_; }
  void SetAlphaBlend(bool value) { AlphaBlend_ = value; }
  BYTE AlphaBlendValue() const { return AlphaBlendValue_; }
  void SetAlphaBlendValue(BYTE value) { AlphaBlendValue_ = value; }
  spv::platform::TFont& DefaultFont() { return DefaultFont_; }
  void SetDefaultFont(const spv::platform::TFont& value) { DefaultFont_.Assign(value); }
  bool UseSkinFont() const { return UseSkinFont_; }
  void SetUseSkinFont(bool value) { UseSkinFont_ = value; }
  spv::platform::TShowHintEvent OnShowHint;

  // After the application's hint pause, `text` shows below the pointer; it goes again after
  // the hide pause.
  void ScheduleObjectHint(const std::wstring& text);
  void HideObjectHint();
  // The frame's calls.
  void ActivateHint(const std::wstring& text) override { ScheduleObjectHint(text); }
  void HideHint() override { HideObjectHint(); }

  // The window the object hints show in, and whether one is waiting or shown.
  TbsSkinHintWindow& HintWindow() const { return *Window_; }
  bool ObjectHintPending() const { return Timer_.Enabled(); }

 protected:
  void Notification(spv::platform::TComponent* component, spv::platform::TOperation operation) override;

 private:
  void RouteShowHint();
  void TimerTick();

  TbsSkinData* SkinData_ = nullptr;
  bool Active_ = true;
  bool AlphaBlend_ = false;
  BYTE AlphaBlendValue_ = 200;
  spv::platform::TFont DefaultFont_;
  bool UseSkinFont_ = true;
  TbsSkinHintWindow* Window_ = nullptr;  // owned
  std::wstring ObjectHintText_;
  // The one timer of the object hint: first the pause before showing, then the one before hiding.
  spv::platform::TTimer Timer_;
  bool ObjectHintShown_ = false;
};

using spv::platform::CursorHeightBelowHotSpot;

}  // namespace bs
