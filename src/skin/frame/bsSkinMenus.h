#pragma once
// Skinned popup menus: every window with a skinned frame shows its menus itself, as a chain of
// borderless topmost popups (one per open menu level) painted from the skin's popup-window
// picture and its menu-item description, or in a flat built-in look without a skin. The popups
// never take activation: the form keeps it and passes the keys on through its message hook.

#include <windows.h>

#include "platform/Controls.h"
#include "platform/ExtCtrls.h"
#include "platform/Menus.h"
#include "skin/frame/bsSkinMenusLayout.h"
#include "skin/resources/bsSkinDataWin.h"
#include "skin/resources/bsSkinMessages.h"
#include "skin/resources/bsUtilsWin.h"

#include <functional>
#include <memory>
#include <vector>

namespace bs {

class TbsSkinForm;
class TbsSkinMenu;
class TbsSkinPopupWindow;

// The wait before a pointed-at item's sub-menu opens runs as this timer of the item's popup.
inline constexpr UINT_PTR kMenuWaitTimer = 4;

// One shown item of a popup.
class TbsSkinMenuItem : public spv::platform::TObject {
 public:
  TbsSkinMenuItem(TbsSkinPopupWindow& popup, TbsDataSkinMenuItem* data, spv::platform::TMenuItem& item);
  std::string_view ClassName() const override { return "TbsSkinMenuItem"; }

  bool IsMorphPending();
  void EnterItem(bool byKeyboard);
  void LeaveItem();
  void ActivateItem();
  void RefreshItem();
  void PaintItem(HDC dc);

  bool IsSeparator() const { return MenuItem->IsLine(); }
  bool Usable() const { return MenuItem->Enabled && !IsSeparator(); }
  bool Lit() const { return Hot || Open; }
  bool HasSubItems() const { return MenuItem->Count() > 0; }
  int Height() const;

  TbsSkinPopupWindow& Popup;
  TbsDataSkinMenuItem* Data;
  spv::platform::TMenuItem* MenuItem;
  const TImage* ActivePicture = nullptr;
  double MorphValue = 0;
  bool Hot = false, Open = false, Visible = true, AutoSelected = false;
  int CurrentFrame = 0;
  TRect ObjectRect;

 private:
  bool Animates() const;
  bool MorphAllowed() const;
  void PaintSkinned(HDC dc, TbsFBitmap& image);
  void PaintBuiltIn(HDC dc, TbsFBitmap& image);
  // Caption, shortcut, arrow, image and mark inside T, the image column G wide.
  void PaintContent(HDC dc, const RECT& t, int g, COLORREF colour, int rightGap, bool builtIn);
};

// One popup: the shown sub-items of one menu item.
class TbsSkinPopupWindow : public spv::platform::TCustomControl {
 public:
  explicit TbsSkinPopupWindow(TbsSkinMenu& menu);
  ~TbsSkinPopupWindow() override;
  std::string_view ClassName() const override { return "TbsSkinPopupWindow"; }

  void ShowPopup(const TRect& anchor, spv::platform::TMenuItem& root, bool popupUpwards, bool subMenu, int firstIndex);
  void HandleMenuKey(WORD key);

  TbsSkinMenu& Menu() const { return *Menu_; }
  int ItemCount() const { return int(Items_.size()); }
  TbsSkinMenuItem& Items(int index) const { return *Items_[std::size_t(index)]; }
  int IndexOf(const TbsSkinMenuItem* item) const;
  int HotIndex() const { return Hot_; }
  int FirstVisible() const { return FirstVisible_; }
  int VisibleCount() const { return VisibleCount_; }
  bool ScrollMode() const { return ScrollMode_; }
  bool ItemLimit() const { return ItemLimit_; }
  int ScrollDirection() const { return ScrollDirection_; }
  bool Skinned() const { return Skinned_; }
  TbsSkinData* SkinData() const { return SkinData_; }
  const TRect& ItemsRect() const { return ItemsRect_; }
  int GlyphColumn() const { return GlyphColumn_; }
  spv::platform::TCustomImageList* Images() const { return Images_; }
  bool PointerTimerRunning() const { return PointerTimer_; }
  HFONT ItemFont() const;
  // The window, or null once the popup has closed.
  HWND Window() const { return Closed_ ? nullptr : const_cast<TbsSkinPopupWindow*>(this)->Handle(); }

  void TrackPointer(int x, int y);
  void SelectNextItem();
  void SelectPreviousItem();
  bool CanScroll(bool up) const;
  void ScrollItemsUp(bool wrap);
  void ScrollItemsDown(bool wrap);
  void StartAutoScroll();
  void StopAutoScroll();
  // Draws one item straight onto the window.
  void RedrawItem(TbsSkinMenuItem& item);
  void RedrawMarkers();
  void StartAnimationTimer(unsigned interval);
  // The popup goes: timers stop, the window hides; the object is freed later.
  void Close();

 protected:
  void CreateParams(spv::platform::TCreateParams& params) override;
  void WndProc(spv::platform::TMessage& m) override;
  void MouseUp(spv::platform::TMouseButton button, spv::platform::TShiftState shift, int x, int y) override;

 private:
  void BuildItems(spv::platform::TMenuItem& root, int firstIndex);
  void SizePopup();
  void LayoutVisibleItems();
  TbsPopupFrame Frame() const;
  void PaintPopup(HDC dc);
  void PaintMarkers(HDC dc);
  void PointerTick();
  void ScrollTick();
  void AnimationTick();
  void AnnounceHotChange(int previous);

  TbsSkinMenu* Menu_;
  std::shared_ptr<bool> MenuAlive_;
  bool Closed_ = false;
  TbsSkinData* SkinData_ = nullptr;
  bool Skinned_ = false;  // a popup-window description is used
  const TImage* WindowPicture_ = nullptr;
  const TImage* MaskPicture_ = nullptr;
  TbsDataSkinMenuItem* ItemData_ = nullptr;
  std::vector<std::unique_ptr<TbsSkinMenuItem>> Items_;
  int Hot_ = -1, PreviousHot_ = -1;
  int FirstVisible_ = 0, VisibleCount_ = 0;
  bool ScrollMode_ = false, ItemLimit_ = false;
  int ScrollDirection_ = 0;
  TbsPieceGeometry Resized_;
  TRect ItemsRect_;
  spv::platform::TCustomImageList* Images_ = nullptr;
  int GlyphColumn_ = 19;
  HRGN Region_ = nullptr;  // installed in the window, which owns it
  POINT LastPointer_{-1, -1};
  POINT ShowAt_{0, 0};
  spv::platform::TFont Font_;
  bool PointerTimer_ = false, AnimationTimer_ = false;
};

// Popups close while their own code runs (a choice, Escape, a command that frees the form):
// a closed popup hides at once and is freed when no popup code is running any more. Every entry
// into popup code holds a guard.
class TbsMenuCallGuard {
 public:
  TbsMenuCallGuard();
  ~TbsMenuCallGuard();
  TbsMenuCallGuard(const TbsMenuCallGuard&) = delete;
  TbsMenuCallGuard& operator=(const TbsMenuCallGuard&) = delete;
  // Closes the popup and frees it now or, inside popup code, once that code is done.
  static void Bury(std::unique_ptr<TbsSkinPopupWindow> popup);

 private:
  static void FreeClosedPopups();
};

// The controller of one form's menus.
class TbsSkinMenu : public spv::platform::TComponent {
 public:
  explicit TbsSkinMenu(TbsSkinForm* owner);
  ~TbsSkinMenu() override;
  std::string_view ClassName() const override { return "TbsSkinMenu"; }

  void ShowMenu(spv::platform::TControl* control, TbsSkinData* skinData, bool popupUpwards,
                spv::platform::TMenuItem& root, const TRect& anchor, int firstIndex);
  void CloseMenus();
  void ClosePopupsFrom(int index);
  void ProcessItem(TbsSkinPopupWindow& popup, TbsSkinMenuItem& item, bool byKeyboard, bool click);

  bool Showing() const { return Showing_; }
  bool FirstPopup() const { return FirstPopup_; }
  int PopupCount() const { return int(Popups_.size()); }
  TbsSkinPopupWindow* Popups(int index) const { return Popups_[std::size_t(index)].get(); }
  TbsSkinPopupWindow* TopPopup() const { return Popups_.empty() ? nullptr : Popups_.back().get(); }
  int IndexOfPopup(const TbsSkinPopupWindow* popup) const;
  TbsSkinData* SkinData() const { return SkinData_; }
  const TRect& WorkArea() const { return WorkArea_; }
  TbsSkinMenuItem* WaitItem() const { return WaitItem_; }
  bool WaitTimerRunning() const { return WaitTimer_; }
  spv::platform::TControl* OpeningControl() const { return OpeningControl_; }
  std::shared_ptr<bool> Alive() const { return Alive_; }
  TbsSkinForm& SkinForm() const { return *SkinForm_; }

  // The wait timer's tick: the waiting item's sub-menu opens.
  void WaitTimerFired();
  void StopWaitTimer();
  // The item is gone from the screen: it can no longer be the waiting item.
  void ForgetItem(const TbsSkinMenuItem* item);

  // One-shot, fired and cleared when the menu cycle ends.
  spv::platform::TNotifyEvent CloseHandler;

  // Settings passed on by the frame.
  int MaxMenuItemsInWindow = 0;
  bool AlphaBlend = false, AlphaBlendAnimation = false;
  BYTE AlphaBlendValue = 150;
  bool UseSkinFont = true;
  int DefaultItemHeight = 20;
  spv::platform::TFont& DefaultItemFont() { return DefaultItemFont_; }

 protected:
  void Notification(spv::platform::TComponent* component, spv::platform::TOperation operation) override;

 private:
  void SetOpeningControl(spv::platform::TControl* control);
  void SetNotifiedControl(spv::platform::TControl* control);
  void Forget(spv::platform::TControl* control);

  TbsSkinForm* SkinForm_;
  std::shared_ptr<bool> Alive_ = std::make_shared<bool>(true);
  std::vector<std::unique_ptr<TbsSkinPopupWindow>> Popups_;
  bool Showing_ = false, FirstPopup_ = false;
  spv::platform::TControl* OpeningControl_ = nullptr;
  spv::platform::TControl* NotifiedControl_ = nullptr;
  TbsSkinMenuItem* WaitItem_ = nullptr;
  TbsSkinPopupWindow* WaitPopup_ = nullptr;
  bool WaitTimer_ = false;
  TbsSkinData* SkinData_ = nullptr;
  TRect WorkArea_;
  spv::platform::TFont DefaultItemFont_;
};

// A popup menu shown through the skinned menus of the form it belongs to.
class TbsSkinPopupMenu : public spv::platform::TPopupMenu {
 public:
  explicit TbsSkinPopupMenu(spv::platform::TComponent* owner = nullptr);
  ~TbsSkinPopupMenu() override;
  std::string_view ClassName() const override { return "TbsSkinPopupMenu"; }

  void Popup(int x, int y) override;
  void PopupFromRect(const TRect& rect, bool popupUpwards);
  void PopupForControl(spv::platform::TControl* control, int x, int y);

  TbsSkinData* SkinData() const { return SkinData_; }
  void SetSkinData(TbsSkinData* value);
  spv::platform::TNotifyEvent OnMenuClose;
  TPoint PopupPoint() const { return PopupPoint_; }

 protected:
  void Notification(spv::platform::TComponent* component, spv::platform::TOperation operation) override;

 private:
  void Show(spv::platform::TControl* control, const TRect& anchor, bool popupUpwards, bool needSkin);
  TbsSkinForm* FindSkinForm() const;

  TbsSkinData* SkinData_ = nullptr;
  TPoint PopupPoint_{-1, -1};
};

}  // namespace bs
