#pragma once
// The skinned window frame: a component placed on a form that takes over the form's whole
// non-client area through its window procedure. It removes the system caption, tells Windows
// how thick the frame is, paints the frame off-screen from the skin's main picture, shapes
// the window with a region from the skin's mask, hit-tests the frame itself, paints the
// client background, keeps the frame objects (caption, caption buttons) that react to the
// pointer, and walks the form's controls when the skin changes. Without a skin it draws a
// built-in look of its own.

#include <windows.h>

#include "platform/Classes.h"
#include "platform/Controls.h"
#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/Graphics.h"
#include "platform/Menus.h"
#include "skin/frame/bsSkinFormLayout.h"
#include "skin/frame/bsSkinFormObjects.h"
#include "skin/frame/bsSkinFormStateRules.h"
#include "skin/resources/bsSkinDataWin.h"
#include "skin/resources/bsUtilsWin.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace bs {

enum TbsBorderIcon : unsigned {
  biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biRollUp = 8, biMinimizeToTray = 16
};
using TbsBorderIcons = unsigned;

enum class TbsPositionInMonitor { bspDefault, bspScreenCenter, bspDesktopCenter };

// What shows the hints of frame objects (the skinned hint window implements it).
class TbsObjectHint {
 public:
  virtual ~TbsObjectHint() = default;
  virtual void ActivateHint(const std::wstring& text) = 0;
  virtual void HideHint() = 0;
};

using TbsObjectNameEvent = std::function<void(const std::string& idName)>;
using TbsObjectMouseEvent = std::function<void(const std::string& idName, int x, int y, const TRect& objectRect,
                                               spv::platform::TMouseButton button)>;
using TbsObjectMoveEvent = std::function<void(const std::string& idName, int x, int y, const TRect& objectRect)>;
using TbsObjectPaintEvent =
    std::function<void(const std::string& idName, spv::platform::TCanvas& canvas, const TRect& objectRect)>;
using TbsActivateCustomObjectEvent = std::function<void(const std::string& idName, bool& objectVisible)>;

class TbsSkinMenu;
class TbsSkinPopupMenu;
class TbsTrayIcon;

class TbsSkinForm : public spv::platform::TComponent {
 public:
  // The owner must be a form; anything else is the caller's error (std::invalid_argument).
  explicit TbsSkinForm(spv::platform::TComponent* owner);
  ~TbsSkinForm() override;
  std::string_view ClassName() const override { return "TbsSkinForm"; }

  spv::platform::TCustomForm& Form() const { return *Form_; }

  // ---- Published properties -------------------------------------------------------------
  TbsSkinData* SkinData() const { return SkinData_; }
  void SetSkinData(TbsSkinData* value);
  TbsSkinData* MenusSkinData() const { return MenusSkinData_; }
  void SetMenusSkinData(TbsSkinData* value);
  TbsBorderIcons BorderIcons() const { return BorderIcons_; }
  // Builds the built-in button set, then applies the border icons.
  void SetBorderIcons(TbsBorderIcons value);
  bool HideCaptionButtons() const { return HideCaptionButtons_; }
  void SetHideCaptionButtons(bool value);
  TbsPositionInMonitor PositionInMonitor = TbsPositionInMonitor::bspDefault;
  int MinWidth = 0, MinHeight = 0, MaxWidth = 0, MaxHeight = 0;
  int ClientWidth = 0, ClientHeight = 0;
  bool UseFormCursorInNCArea = false;
  bool ShowIcon = false;
  bool MaximizeOnFullScreen = false;
  bool AlphaBlend() const { return AlphaBlend_; }
  void SetAlphaBlend(bool value);
  bool AlphaBlendAnimation = false;
  BYTE AlphaBlendValue() const { return AlphaBlendValue_; }
  void SetAlphaBlendValue(BYTE value);
  bool Magnetic = false;
  BYTE MagneticSize = 5;
  spv::platform::TBitmap& LogoBitMap() { return LogoBitMap_; }
  bool LogoBitMapTransparent = false;
  TbsObjectHint* SkinHint = nullptr;
  bool ShowObjectHint = false;
  bool UseDefaultObjectHint = true;
  bool UseDefaultSysMenu = true;
  bool AlwaysShowInTray = false, AlwaysMinimizeToTray = false;
  spv::platform::TFont& DefCaptionFont() { return DefCaptionFont_; }
  spv::platform::TFont& DefInActiveCaptionFont() { return DefInActiveCaptionFont_; }
  bool MenusAlphaBlend = false, MenusAlphaBlendAnimation = false;
  BYTE MenusAlphaBlendValue = 200;
  int MaxMenuItemsInWindow = 0;
  int DefMenuItemHeight = 20;
  spv::platform::TFont& DefMenuItemFont() { return DefMenuItemFont_; }
  bool UseSkinFontInMenu = true;

  spv::platform::TNotifyEvent OnChangeSkinData, OnBeforeChangeSkinData, OnAfterChangeSkinData, OnActivate,
      OnDeActivate, OnChangeRollUpState, OnMinimize, OnRestore, OnMaximize, OnMinimizeToTray, OnRestoreFromTray,
      OnSkinMenuOpen, OnSkinMenuClose;
  spv::platform::TShortCutEvent OnShortCut;
  TbsObjectNameEvent OnMouseEnterEvent, OnMouseLeaveEvent;
  TbsObjectMouseEvent OnMouseDownEvent, OnMouseUpEvent;
  TbsObjectMoveEvent OnMouseMoveEvent;
  TbsObjectPaintEvent OnPaintEvent;
  TbsActivateCustomObjectEvent OnActivateCustomObject;

  bool ReadProperty(const spv::platform::TStoredProperty& property, spv::platform::TFormReader& reader) override;

  // ---- Operations ---------------------------------------------------------------------------
  // Takes the current SkinData: rebuilds the objects, fits the form to the minimum size, lays
  // the frame out, shapes the window and repaints.
  void ApplySkin();
  void UpdateFrameLayout();
  void ArrangeFrameObjects();
  TRect MapSkinRect(const TRect& r) const;
  void RefreshFrame();
  void UpdateWindowRegion();
  // Paints the non-client area into `dc`, or into the window's own context when null.
  void PaintSkinnedFrame(HDC dc = nullptr);
  void PaintBuiltInFrame(HDC dc = nullptr);
  int SkinnedHitTest(TPoint p) const;
  int BuiltInHitTest(TPoint p) const;
  int GetMinWidth() const;
  int GetMinHeight() const;
  int GetMaxWidth() const;
  int GetMaxHeight() const;
  // GetMaxWidth and GetMaxHeight together.
  POINT GetMaxSize() const;
  TPoint ScreenToFrame(TPoint p) const;
  // Forces a full re-layout: the width changes by one pixel and back.
  void NudgeWidth();

  bool IsFormActive() const;
  void UpdateCaptionActive(bool repaint);
  // Draws one object straight onto the window.
  void RedrawObject(TbsActiveSkinObject& object);
  // Finds the object under a window point and sends it enter and the previous one leave.
  void UpdateHotObject(int x, int y);

  // Window commands of the caption buttons.
  void ExecuteCommand(TbsStdCommand command);
  void SetWindowState(int state);
  void SetRollUp(bool value);
  void MinimizeToTray();
  // After every rebuild of the objects: which buttons are usable.
  void ApplyBorderIcons();
  // The hints of the caption buttons.
  void LoadButtonHints();

  // ---- Menus and the notification area (bsSkinFormMenus.cpp) ---------------------------------
  // The program's own system menu: when set, the window items are merged into it.
  spv::platform::TPopupMenu* SystemMenu() const { return SystemMenu_; }
  void SetSystemMenu(spv::platform::TPopupMenu* menu);
  TbsTrayIcon* TrayIcon() const { return TrayIcon_; }
  void SetTrayIcon(TbsTrayIcon* icon);
  TbsSkinMenu& SkinMenu() const { return *SkinMenu_; }
  TbsSkinPopupMenu& TrayMenu() const { return *TrayMenu_; }
  // The root item of the system menu for the window's state now.
  spv::platform::TMenuItem* GetSystemMenuItems();
  // At a screen point (a rect of no size) or dropping down from a screen rect.
  void PopupSystemMenu(const TRect& anchor);
  void MenuOpened();
  void MenuClosed();
  void MenuKeyDown(WORD key);
  bool MenuOpen() const { return MenuOpen_; }
  void RestoreFromTray();
  // The system-menu button's drop-down: the button stays down until the menu closes.
  void DropDownSystemMenu(TbsSkinButtonObject& button);
  // An object's rect on the screen.
  TRect ScreenRectOf(const TbsActiveSkinObject& object) const;

  // ---- State, for the objects and for whoever tests the frame ------------------------------
  bool Skinned() const { return Skinned_; }
  bool SkinChanging() const { return SkinChanging_; }
  const TbsFrameLayout& Layout() const { return Layout_; }
  const TbsMaskStripImages& MaskStrips() const { return MaskStrips_; }
  HRGN WindowRegion() const { return Region_; }
  int ObjectCount() const { return int(Objects_.size()); }
  TbsActiveSkinObject* Objects(int index) const;
  TbsActiveSkinObject* FindObject(std::string_view idName) const;
  int HotIndex() const { return Hot_; }
  int PressedIndex() const { return Pressed_; }
  bool NCActive() const { return NCActive_; }
  int WindowState() const { return States_.WindowState; }
  bool RolledUp() const { return States_.RolledUp; }
  bool InSizeMove() const { return InSizeMove_; }
  bool FrameTimerRunning() const { return FrameTimer_.Enabled(); }
  bool MorphTimerRunning() const { return MorphTimer_.Enabled(); }
  bool AnimationTimerRunning() const { return AnimationTimer_.Enabled(); }
  // The border style allows sizing (bsSizeable, bsSizeToolWin).
  bool Sizeable() const;
  bool ToolWindow() const;
  // Morphing and animation may run: a skin is loaded and its effects are on.
  bool EffectsAllowed() const;

  // The main picture and the active pictures as bitmaps the objects copy from (null when the
  // skin has none).
  const TbsFBitmap* MainPicture() const;
  const TbsFBitmap* ActivePicture(int index) const;
  // The form's icon at small-icon size.
  HICON SmallIcon();
  // The built-in look of a caption button, on its rect of `dc`.
  void PaintBuiltInButton(HDC dc, const TbsSkinStdButtonObject& button) const;
  void StartMorphTimer();
  void StartAnimationTimer();

 protected:
  void Notification(spv::platform::TComponent* component, spv::platform::TOperation operation) override;

 private:
  // The frame's window procedure, and the form's, which it calls.
  void FrameWndProc(spv::platform::TMessage& m);
  void CallPrevious(spv::platform::TMessage& m) { PreviousWndProc_(m); }
  void HandlePointer(spv::platform::TMessage& m);
  void OnNCCalcSize(spv::platform::TMessage& m);
  void OnNCHitTest(spv::platform::TMessage& m);
  void OnEraseBackground(HDC dc);
  void OnShowWindow(bool show);
  void OnSizing(spv::platform::TMessage& m);
  void OnSize(spv::platform::TMessage& m);
  void OnMoving(spv::platform::TMessage& m);
  void OnPaintFrameInto(spv::platform::TMessage& m);
  void OnSkinBeforeChange(TbsSkinData* data);
  void OnSkinChanged(TbsSkinData* data);
  // Removes the caption the form's own window style asks for.
  void StripCaption();
  void ShortCut(MSG& msg, bool& handled);
  // A synchronous WM_NCPAINT; none while the window does not show.
  void NCRepaint();
  // True when an object's look changed.
  bool ResetObjectLooks();
  // Sets every caption whose lit look differs from the activity; with `repaint` starts their
  // animations, repaints the frame once and starts the morph. True when it repainted.
  bool UpdateCaptionLit(bool repaint);
  // OnActivate or OnDeActivate, once per change of activity.
  void ReportActivity();
  void StopTimers();
  void FrameTimerTick();
  void MorphTimerTick();
  void AnimationTimerTick();
  void StartFadeIn();
  void FadeInTick();
  // The fade-in's one-shot timer on the form's window.
  static constexpr UINT_PTR FadeInTimer = 1;
  void BuildBuiltInButtons();
  void BuildObjectsFromSkin();
  void FreeObjects();
  void CachePictures();
  void FitFormToMinimum();
  void RemoveWindowRegion();
  // Places the built-in buttons; returns the caption text band between them.
  TRect ArrangeBuiltInObjects();
  TRect BuiltInClient() const;
  // The client area of a window rectangle with this frame, skinned or built in.
  TRect ClientFromWindow(const TRect& window) const;
  void PressObject(spv::platform::TMouseButton button, int x, int y);
  void ReleaseObject(spv::platform::TMouseButton button, int x, int y);
  void CaptionDoubleClick();
  // Carries out what a command or a double click asks for.
  void CarryOut(const TbsStateRequest& request);
  void SaveRestoreBounds();
  // Where PositionInMonitor puts the window at width x height: centred on the monitor nearest
  // to it, in the whole monitor area or in its work area.
  RECT PlacedInMonitor(int width, int height) const;
  void Minimize(bool mainForm);
  void Maximize();
  void Restore();
  HWND Window() const;
  bool NoBorder() const;
  bool Maximized() const;
  // The window's bounds on the screen (the form's stored ones before it has a window).
  RECT FormBounds() const;
  // A window point of a message's screen coordinates.
  TPoint MessagePoint(LPARAM lParam) const;
  // Takes the form's size for any part of the frame size still 0.
  void TakeFormSize();
  std::vector<TbsPlacedObject> PlacementOf() const;
  void CreateMenus();
  void ReleaseMenus();
  // Any click, size, move, activation or focus change of the form closes open menus first.
  void CloseMenusFirst(UINT msg);
  // Alt+Space: the system menu under every usable system-menu button.
  void PopupSystemMenuFromButtons();
  void MenuHook(MSG& msg, bool& handled);
  void ApplyMenuSettings();
  std::wstring MenuCaption(const char* key, const wchar_t* builtIn) const;
  TbsSizeLimitsInput LimitsInput() const;

  spv::platform::TCustomForm* Form_ = nullptr;
  // The form's own caption buttons, given back with its own frame.
  spv::platform::TBorderIcons FormBorderIcons_ = 0;
  // Cleared when the frame goes, for code that runs on after a call that may free it.
  std::shared_ptr<bool> Alive_;
  spv::platform::TWndMethod PreviousWndProc_;
  TbsSkinData* SkinData_ = nullptr;
  TbsSkinData* MenusSkinData_ = nullptr;
  TbsBorderIcons BorderIcons_ = biSystemMenu | biMinimize | biMaximize | biRollUp;
  bool HideCaptionButtons_ = false;
  bool AlphaBlend_ = false;
  BYTE AlphaBlendValue_ = 200;
  spv::platform::TBitmap LogoBitMap_;
  spv::platform::TFont DefCaptionFont_, DefInActiveCaptionFont_, DefMenuItemFont_;

  bool Skinned_ = false;
  bool SkinChanging_ = false;
  int FrameWidth_ = 0, FrameHeight_ = 0;
  TbsFrameLayout Layout_;
  // The region installed in the window; the window owns it.
  HRGN Region_ = nullptr;
  // The window and the frame layout that region was made for, while it still holds; a refresh
  // of the same frame with the same skin keeps it instead of shaping the window anew.
  HWND RegionWindow_ = nullptr;
  TbsFrameLayout RegionLayout_;
  TbsMaskStripImages MaskStrips_;
  std::vector<std::unique_ptr<TbsActiveSkinObject>> Objects_;
  int Hot_ = -1, PreviousHot_ = -1, Pressed_ = -1;
  bool InSizeMove_ = false, FullDrag_ = false;
  bool InNCLButtonDown_ = false;
  bool NCActive_ = false;
  bool FormActive_ = false;
  int ReportedActive_ = -1;  // the activity last reported by OnActivate/OnDeActivate
  int PaintedActive_ = -1;   // the activity the frame on the screen was painted with
  bool FirstShow_ = true;
  TbsWindowStates States_;
  int SavedHeight_ = 0;
  RECT RestoreBounds_{};
  TbsMagneticState Snap_;
  spv::platform::TTimer FrameTimer_, MorphTimer_, AnimationTimer_;
  HICON SmallIcon_ = nullptr;

  TbsSkinMenu* SkinMenu_ = nullptr;
  TbsSkinPopupMenu* TrayMenu_ = nullptr;
  std::unique_ptr<spv::platform::TPopupMenu> DefaultSysMenu_;
  spv::platform::TPopupMenu* SystemMenu_ = nullptr;
  TbsTrayIcon* TrayIcon_ = nullptr;
  bool MenuOpen_ = false, HookInstalled_ = false;
  spv::platform::TMessageEvent SavedOnMessage_;

  // Bitmap copies of the skin's pictures, made when the skin is applied.
  TbsFBitmap MainPicture_;
  std::vector<TbsFBitmap> ActivePictures_;
  // The four border strips, kept between paints.
  TbsFBitmap TopStrip_, BottomStrip_, LeftStrip_, RightStrip_;
};

// Makes TbsSkinForm known to form descriptions.
void RegisterSkinFormClasses();

}  // namespace bs
