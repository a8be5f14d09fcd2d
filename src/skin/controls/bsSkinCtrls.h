#pragma once
// The skinned control bases and the push button. A control finds its description in a
// TbsSkinData by name at every paint and size change, copies what it needs, fits its size to
// the skin piece, composes its picture off-screen and copies it to the screen in one block, and
// shapes its window with the skin mask. Without a usable description it draws a plain look of
// its own.

#include <windows.h>

#include "platform/Controls.h"
#include "platform/ExtCtrls.h"
#include "skin/controls/bsSkinCtrlsLayout.h"
#include "skin/controls/bsSkinLinkedControl.h"
#include "skin/resources/bsSkinClientWin.h"
#include "skin/resources/bsSkinDataControls.h"
#include "skin/resources/bsSkinDataWin.h"
#include "skin/resources/bsUtilsWin.h"

#include <memory>
#include <string>
#include <string_view>

namespace spv::platform {
class TCustomForm;
}

namespace bs {

// Notifications among the skinned controls of one window.
// A control received the focus: lParam is that TWinControl*.
inline constexpr UINT CM_BS_FOCUSCHANGED = spv::platform::CM_BASE + 0x100;
// Enter or Escape offered to every control of the window: wParam the key, lParam the shift
// state; a control that handles it answers 1.
inline constexpr UINT CM_BS_DIALOGKEY = spv::platform::CM_BASE + 0x101;
// A character offered as a caption accelerator: wParam the character; answered 1 when taken.
inline constexpr UINT CM_BS_DIALOGCHAR = spv::platform::CM_BASE + 0x102;
// Posted by an edit to itself: the context menus it retired may be freed now.
inline constexpr UINT CM_BS_FREETEXTMENU = spv::platform::CM_BASE + 0x103;

// The form a control sits on (the top window of its parents), or none.
spv::platform::TCustomForm* FormOf(spv::platform::TControl* control);

// Tells every control of `focused`'s top window that the focus has moved to it.
void NotifyFocusChanged(spv::platform::TWinControl* focused);
// Offers Enter or Escape to every control of `from`'s top window; true when one took it.
bool DispatchDialogKey(spv::platform::TWinControl* from, WORD key, spv::platform::TShiftState shift);
// Offers a character to the captions of every control of `from`'s top window.
bool DispatchDialogChar(spv::platform::TWinControl* from, wchar_t ch);

// True when `caption` marks `ch` as its accelerator with an & (&& is a plain ampersand).
bool IsAccelerator(wchar_t ch, std::wstring_view caption);

// Paints what `control`'s parent shows behind it into `dc`, so that a control can show its
// parent through. Nothing without a parent.
void PaintParentBackground(spv::platform::TControl& control, HDC dc);

// A window timer made when started and dropped when stopped. A timer stopped from inside its
// own handler is kept until the next stop or the owner's end, because the handler is still
// running on it.
class TbsOnDemandTimer {
 public:
  bool Running() const { return Timer_ != nullptr; }
  void Start(unsigned interval, std::function<void()> tick);
  void Stop();

 private:
  std::unique_ptr<spv::platform::TTimer> Timer_, Retired_;
};

class TbsSkinControl : public TbsSkinLinkedControl<spv::platform::TCustomControl> {
 public:
  explicit TbsSkinControl(spv::platform::TComponent* owner = nullptr);
  std::string_view ClassName() const override { return "TbsSkinControl"; }

  bool InPaintMessage() const { return InPaintMessage_; }
  // The region installed in the window, or null.
  HRGN WindowRegion() const { return WindowRegion_; }

  spv::platform::TNotifyEvent OnMouseEnter, OnMouseLeave;

  bool ReadProperty(const spv::platform::TStoredProperty& property, spv::platform::TFormReader& reader) override;

 protected:
  // Composes the picture off-screen and copies it to `dc` in one block.
  void PaintTo(HDC dc);
  void Paint() override;
  void WndProc(spv::platform::TMessage& message) override;
  void DoEnter() override;
  virtual void MouseEnter();
  virtual void MouseLeave();
  // Installs `region` in the window (null removes it); the window owns it from then on.
  void InstallWindowRegion(TbsRegionHandle region);

 private:
  HRGN WindowRegion_ = nullptr;
  bool InPaintMessage_ = false;
};

// A control whose look is one resizable piece of a skin picture.
class TbsSkinCustomControl : public TbsSkinControl {
 public:
  explicit TbsSkinCustomControl(spv::platform::TComponent* owner = nullptr);
  ~TbsSkinCustomControl() override;
  std::string_view ClassName() const override { return "TbsSkinCustomControl"; }

  int DefaultWidth() const { return DefaultWidth_; }
  void SetDefaultWidth(int value);
  int DefaultHeight() const { return DefaultHeight_; }
  void SetDefaultHeight(int value);
  spv::platform::TFont& DefaultFont() { return DefaultFont_; }
  void SetDefaultFont(const spv::platform::TFont& font) { DefaultFont_.Assign(font); }
  bool UseSkinFont() const { return UseSkinFont_; }
  void SetUseSkinFont(bool value);

  TbsSizingKind SizingKind() const { return SizingKind_; }
  const TbsSkinPiece& SkinPiece() const { return Piece_; }
  const TbsSizedPiece& SizedPiece() const { return Sized_; }
  const TImage* SkinPicture() const { return SkinPicture_; }
  const TImage* SkinMask() const { return SkinMask_; }

  void ReadSkinObject() override;
  void ApplySkin() override;
  void SetBounds(int left, int top, int width, int height) override;
  virtual void FitSizeToSkin(int& width, int& height);
  virtual void UpdateWindowRegion();
  // A rect of piece coordinates placed on the control at its current size.
  TRect PlaceSkinRect(const TRect& r) const;

  bool ReadProperty(const spv::platform::TStoredProperty& property, spv::platform::TFormReader& reader) override;

 protected:
  virtual void DefaultFontChanged() {}
  void PaintDefaultLook(TbsFBitmap& bitmap) override;
  void PaintSkinLook(TbsFBitmap& bitmap) override;
  // One rect of the description's picture laid out at the control's size.
  void PaintSkinPiece(TImage& bitmap, const TImage* picture, const TRect& rect);
  void Paint() override;
  void CreateWnd() override;

  // Containers paint their border strips and tile their client instead of one full bitmap.
  bool StripPaint = false;
  bool TileClient = true;
  TbsSkinPiece Piece_;
  TbsSizedPiece Sized_;
  TbsStretchFlags Stretch_;
  const TImage* SkinPicture_ = nullptr;
  const TImage* SkinMask_ = nullptr;
  TbsSizingKind SizingKind_ = skNoPiece;

 private:
  void PaintStrips();

  int DefaultWidth_ = 0, DefaultHeight_ = 0;
  spv::platform::TFont DefaultFont_;
  bool UseSkinFont_ = true;
};

class TbsSkinButton : public TbsSkinCustomControl {
 public:
  explicit TbsSkinButton(spv::platform::TComponent* owner = nullptr);
  ~TbsSkinButton() override;
  std::string_view ClassName() const override { return "TbsSkinButton"; }

  bool UseSkinSize() const { return UseSkinSize_; }
  void SetUseSkinSize(bool value);
  bool UseSkinFontColor() const { return UseSkinFontColor_; }
  void SetUseSkinFontColor(bool value);
  bool RepeatMode = false;
  unsigned RepeatInterval = 100;
  bool AllowAllUp = false;
  bool CanFocused() const { return CanFocused_; }
  void SetCanFocused(bool value);
  bool Down() const { return Down_; }
  void SetDown(bool value);
  int GroupIndex() const { return GroupIndex_; }
  void SetGroupIndex(int value);
  // A strip of NumGlyphs equal frames; the bottom-left pixel's colour is transparent.
  const TbsFBitmap& Glyph() const { return Glyph_; }
  void SetGlyph(const TImage& glyph);
  TbsNumGlyphs NumGlyphs() const { return NumGlyphs_; }
  void SetNumGlyphs(TbsNumGlyphs value);
  int Margin() const { return Margin_; }
  void SetMargin(int value);
  int Spacing() const { return Spacing_; }
  void SetSpacing(int value);
  TbsButtonLayout Layout() const { return Layout_; }
  void SetLayout(TbsButtonLayout value);
  bool Default() const { return Default_; }
  void SetDefault(bool value);
  bool Cancel = false;
  int ModalResult = 0;

  // State, for whoever draws or tests the button.
  bool MouseOver() const { return MouseOver_; }
  bool DefaultActive() const { return DefaultActive_; }
  double MorphValue() const { return MorphValue_; }
  bool Morphing() const { return MorphTimer_.Running(); }
  bool Animating() const { return AnimationTimer_.Running(); }
  bool Repeating() const { return RepeatTimer_.Running(); }

  void ReadSkinObject() override;
  void ApplySkin() override;
  void FitSizeToSkin(int& width, int& height) override;
  void SetEnabled(bool enabled) override;
  // Every click of the button comes through here.
  virtual void FireClick();

  bool ReadProperty(const spv::platform::TStoredProperty& property, spv::platform::TFormReader& reader) override;

 protected:
  virtual void PaintState(TbsFBitmap& bitmap, const TRect& rect, bool active, bool down);
  void PaintDefaultLook(TbsFBitmap& bitmap) override;
  void PaintSkinLook(TbsFBitmap& bitmap) override;
  void WndProc(spv::platform::TMessage& message) override;
  void CreateWnd() override;
  void Click() override {}
  void MouseDown(spv::platform::TMouseButton button, spv::platform::TShiftState shift, int x, int y) override;
  void MouseMove(spv::platform::TShiftState shift, int x, int y) override;
  void KeyDown(WORD& key, spv::platform::TShiftState shift) override;
  void KeyUp(WORD& key, spv::platform::TShiftState shift) override;
  void DoEnter() override;
  void DoExit() override;
  void TextChanged() override;
  void MouseEnter() override;
  void MouseLeave() override;

 private:
  bool EffectsOn() const;
  bool FocusedAndCanFocus() const;
  bool RepaintOnHover() const;
  void MouseRelease(int x, int y);
  void ReleaseGroupSiblings();
  void FocusMovedTo(spv::platform::TWinControl* focused);
  bool TakeDialogKey(WORD key, spv::platform::TShiftState shift);
  bool TakeDialogChar(wchar_t ch);
  void StartRepeat();
  // Morph toward the look the button should have now; nothing when it is already there.
  void StartMorph();
  void StopMorph();
  void MorphStep();
  void StartAnimation(bool in);
  void StopAnimation();
  void AnimationStep();
  void DrawCaption(spv::platform::TCanvas& canvas, const TRect& r, bool active, bool down);

  bool UseSkinSize_ = true, UseSkinFontColor_ = true, CanFocused_ = true, Down_ = false, Default_ = false;
  int GroupIndex_ = 0, Margin_ = -1, Spacing_ = 1;
  TbsNumGlyphs NumGlyphs_ = 1;
  TbsButtonLayout Layout_ = TbsButtonLayout::blGlyphLeft;
  TbsFBitmap Glyph_;

  bool MouseOver_ = false, PressedByMouse_ = false, DefaultActive_ = false, ReleaseArmed_ = false,
       TakingFocus_ = false;
  TbsOnDemandTimer RepeatTimer_, MorphTimer_, AnimationTimer_;
  double MorphValue_ = 0;
  int AnimationFrame_ = 0;
  bool AnimatingIn_ = false;

  // Copied from a TbsDataSkinButtonControl.
  TbsFontGroup Font_;
  TColor ActiveFontColor_ = 0, DownFontColor_ = 0, DisabledFontColor_ = 0;
  TRect ActiveSkinRect_, DownSkinRect_, DisabledSkinRect_, AnimateSkinRect_;
  bool SkinMorphing_ = false, ShowFocus_ = false;
  TbsMorphKind MorphKind_ = TbsMorphKind::mkDefault;
  int FrameCount_ = 0, AnimateInterval_ = 25;
};

// Makes the controls known to form descriptions.
void RegisterSkinControlClasses();

}  // namespace bs
