#pragma once
// The program's icon in the notification area: shown, changed and removed through the shell,
// its mouse messages turned into events, its menu popped up at the pointer, and the windows
// hidden while the program sits in the notification area.

#include <windows.h>

#include "platform/Classes.h"
#include "platform/Controls.h"
#include "platform/Menus.h"
#include "platform/TrayIcon.h"

#include <functional>
#include <memory>
#include <string>

namespace bs {

class TbsSkinPopupMenu;

// The icon's callback message.
inline constexpr UINT WM_TRAY_NOTIFY = 2048;
// The tip holds at most this many characters.
inline constexpr std::size_t TrayTipLength = 127;

using TbsCycleEvent = std::function<void(spv::platform::TObject* sender, int nextIndex)>;

class TbsTrayIcon : public spv::platform::TComponent {
 public:
  explicit TbsTrayIcon(spv::platform::TComponent* owner = nullptr);
  ~TbsTrayIcon() override;
  std::string_view ClassName() const override { return "TbsTrayIcon"; }

  spv::platform::TCustomImageList* IconList() const { return IconList_; }
  void SetIconList(spv::platform::TCustomImageList* list);
  bool CycleIcons() const { return CycleIcons_; }
  void SetCycleIcons(bool value);
  unsigned AnimateTimerInterval() const { return AnimateTimerInterval_; }
  void SetAnimateTimerInterval(unsigned value);
  bool Enabled = true;
  const std::wstring& Hint() const { return Hint_; }
  void SetHint(std::wstring_view hint);
  bool ShowHint() const { return ShowHint_; }
  void SetShowHint(bool value);
  spv::platform::TIcon& Icon() { return Icon_; }
  bool IconVisible() const { return IconVisible_; }
  void SetIconVisible(bool value);
  int IconIndex() const { return IconIndex_; }
  void SetIconIndex(int value);
  TbsSkinPopupMenu* PopupMenu() const { return PopupMenu_; }
  void SetPopupMenu(TbsSkinPopupMenu* menu);
  bool PopupByLeftButton = false;
  bool MinimizeToTray = false;

  spv::platform::TNotifyEvent OnClick, OnDblClick, OnBalloonHintClick;
  spv::platform::TMouseEvent OnMouseDown, OnMouseUp;
  spv::platform::TMouseMoveEvent OnMouseMove;
  TbsCycleEvent OnCycle;

  virtual void AddIcon();
  virtual void DeleteIcon();
  virtual void ModifyIcon();
  void ShowApplicationWindows();
  void HideApplicationWindows();
  void PopupAtCursor();
  // The windows go and the icon shows: the program was minimised to the notification area.
  void DoMinimizeToTray();

  // The record the shell gets, and the hidden window its messages come to.
  const NOTIFYICONDATAW& IconData() const { return Data_; }
  HWND Window() const { return Window_->Handle(); }

 protected:
  void Notification(spv::platform::TComponent* component, spv::platform::TOperation operation) override;

 private:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
  void HandleCallback(LPARAM event);
  void UpdateRecord();
  void CycleTick();
  void UpdateAnimation();
  // The window the icon stands for: the main form, else the form that owns the icon.
  spv::platform::TWinControl* ApplicationWindow() const;

  std::unique_ptr<spv::platform::THiddenWindow> Window_;
  NOTIFYICONDATAW Data_{};
  UINT TaskbarCreated_ = 0;
  spv::platform::TCustomImageList* IconList_ = nullptr;
  bool CycleIcons_ = false;
  unsigned AnimateTimerInterval_ = 1000;
  std::wstring Hint_;
  bool ShowHint_ = true;
  spv::platform::TIcon Icon_;
  bool IconVisible_ = true;
  bool Shown_ = false;
  int IconIndex_ = 0;
  TbsSkinPopupMenu* PopupMenu_ = nullptr;
  bool ClickStarted_ = false, ClickReady_ = false, DoubleClicked_ = false, ClickTimer_ = false;
};

}  // namespace bs
