#include "skin/frame/bsTrayIcon.h"

#include "platform/Forms.h"
#include "skin/frame/bsSkinMenus.h"

#include <algorithm>

namespace bs {

using namespace spv::platform;

namespace {
constexpr UINT_PTR kCycleTimer = 1, kClickTimer = 2;
constexpr UINT kBalloonClicked = WM_USER + 5;
}  // namespace

TbsTrayIcon::TbsTrayIcon(TComponent* owner) : TComponent(owner) {
  TaskbarCreated_ = NotifyIconShell().TaskbarCreatedMessage();
  Window_ = std::make_unique<THiddenWindow>(
      [this](UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) { return HandleMessage(msg, wParam, lParam, handled); });
  Data_.cbSize = sizeof(Data_);
  Data_.hWnd = Window_->Handle();
  Data_.uID = 1;
  Data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  Data_.uCallbackMessage = WM_TRAY_NOTIFY;
  Icon_.SetHandle(LoadIconW(nullptr, IDI_APPLICATION), false);
  Icon_.OnChange = [this] { ModifyIcon(); };
}

TbsTrayIcon::~TbsTrayIcon() {
  BeginDestroy();
  Icon_.OnChange = nullptr;
  DeleteIcon();
}

void TbsTrayIcon::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != TOperation::opRemove) return;
  if (component == IconList_) {
    IconList_ = nullptr;
    UpdateAnimation();
  }
  if (component == PopupMenu_) PopupMenu_ = nullptr;
}

void TbsTrayIcon::UpdateRecord() {
  Data_.hIcon = Icon_.Handle();
  const std::wstring tip = ShowHint_ ? Hint_.substr(0, TrayTipLength) : std::wstring();
  std::fill(std::begin(Data_.szTip), std::end(Data_.szTip), L'\0');
  std::copy(tip.begin(), tip.end(), Data_.szTip);
}

void TbsTrayIcon::AddIcon() {
  UpdateRecord();
  Shown_ = NotifyIconShell().NotifyIcon(NIM_ADD, Data_);
}

void TbsTrayIcon::DeleteIcon() {
  if (!Shown_) return;
  NotifyIconShell().NotifyIcon(NIM_DELETE, Data_);
  Shown_ = false;
}

void TbsTrayIcon::ModifyIcon() {
  UpdateRecord();
  if (Shown_) NotifyIconShell().NotifyIcon(NIM_MODIFY, Data_);
}

void TbsTrayIcon::SetIconList(TCustomImageList* list) {
  if (IconList_) RemoveFreeNotification(IconList_);
  IconList_ = list;
  if (IconList_) FreeNotification(IconList_);
  SetIconIndex(IconIndex_);
  UpdateAnimation();
}

void TbsTrayIcon::SetCycleIcons(bool value) {
  CycleIcons_ = value;
  UpdateAnimation();
}

void TbsTrayIcon::SetAnimateTimerInterval(unsigned value) {
  AnimateTimerInterval_ = value;
  UpdateAnimation();
}

void TbsTrayIcon::UpdateAnimation() {
  KillTimer(Window(), kCycleTimer);
  if (CycleIcons_ && AnimateTimerInterval_ > 0) SetTimer(Window(), kCycleTimer, AnimateTimerInterval_, nullptr);
}

void TbsTrayIcon::SetHint(std::wstring_view hint) {
  Hint_ = hint;
  ModifyIcon();
}

void TbsTrayIcon::SetShowHint(bool value) {
  ShowHint_ = value;
  ModifyIcon();
}

void TbsTrayIcon::SetIconVisible(bool value) {
  IconVisible_ = value;
  if (value) {
    if (!Shown_) AddIcon();
  } else {
    DeleteIcon();
  }
}

void TbsTrayIcon::SetIconIndex(int value) {
  const int count = IconList_ ? IconList_->Count() : 0;
  IconIndex_ = count > 0 ? std::clamp(value, 0, count - 1) : std::max(value, 0);
  ModifyIcon();
}

void TbsTrayIcon::SetPopupMenu(TbsSkinPopupMenu* menu) {
  if (PopupMenu_) RemoveFreeNotification(PopupMenu_);
  PopupMenu_ = menu;
  if (PopupMenu_) FreeNotification(PopupMenu_);
}

void TbsTrayIcon::CycleTick() {
  // An empty list has nothing to cycle through.
  const int count = IconList_ ? IconList_->Count() : 0;
  if (count == 0) return;
  if (IconIndex_ >= count) IconIndex_ = 0;
  Icon_.OnChange = nullptr;
  Icon_.SetHandle(IconList_->GetIcon(IconIndex_));
  Icon_.OnChange = [this] { ModifyIcon(); };
  const int next = (IconIndex_ + 1) % count;
  if (OnCycle) OnCycle(this, next);
  ModifyIcon();
  IconIndex_ = next;
}

TWinControl* TbsTrayIcon::ApplicationWindow() const {
  if (TCustomForm* main = Application().MainForm()) return main;
  return dynamic_cast<TWinControl*>(Owner());
}

void TbsTrayIcon::HideApplicationWindows() {
  if (TWinControl* w = ApplicationWindow()) w->SetVisible(false);
}

void TbsTrayIcon::ShowApplicationWindows() {
  TWinControl* w = ApplicationWindow();
  if (!w) return;
  w->SetVisible(true);
  if (w->HandleAllocated() && IsIconic(w->Handle())) ShowWindow(w->Handle(), SW_RESTORE);
}

void TbsTrayIcon::DoMinimizeToTray() {
  HideApplicationWindows();
  if (!Shown_) AddIcon();
}

void TbsTrayIcon::PopupAtCursor() {
  if (!PopupMenu_ || !PopupMenu_->AutoPopup) return;
  Application().ProcessMessages();
  SetForegroundWindow(Window());
  TWinControl* owner = ApplicationWindow();
  if (owner && owner->HandleAllocated()) SetForegroundWindow(owner->Handle());
  PopupMenu_->SetPopupComponent(Owner());
  POINT p;
  GetCursorPos(&p);
  PopupMenu_->Popup(p.x, p.y);
  if (owner && owner->HandleAllocated()) PostMessageW(owner->Handle(), WM_NULL, 0, 0);
}

LRESULT TbsTrayIcon::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
  if (msg == TaskbarCreated_ && TaskbarCreated_ != 0) {
    // The shell came back: it has forgotten the icon.
    if (IconVisible_ && Shown_) AddIcon();
    return 0;
  }
  switch (msg) {
    case WM_TRAY_NOTIFY:
      handled = true;
      if (Enabled) HandleCallback(lParam);
      return 0;
    case WM_TIMER:
      handled = true;
      if (wParam == kCycleTimer) CycleTick();
      if (wParam == kClickTimer) {
        KillTimer(Window(), kClickTimer);
        ClickTimer_ = false;
        if (ClickReady_ && !DoubleClicked_ && OnClick) OnClick(this);
        ClickReady_ = ClickStarted_ = DoubleClicked_ = false;
      }
      return 0;
    case WM_QUERYENDSESSION:
      handled = true;
      return 1;
    default: return 0;
  }
}

void TbsTrayIcon::HandleCallback(LPARAM event) {
  const TShiftState shift = KeyboardShiftState();
  POINT p;
  GetCursorPos(&p);
  switch (event) {
    case WM_MOUSEMOVE:
      if (OnMouseMove) OnMouseMove(this, shift, p.x, p.y);
      break;
    case WM_LBUTTONDOWN:
      ClickStarted_ = true;
      DoubleClicked_ = false;
      SetTimer(Window(), kClickTimer, GetDoubleClickTime(), nullptr);
      ClickTimer_ = true;
      if (OnMouseDown) OnMouseDown(this, TMouseButton::mbLeft, shift, p.x, p.y);
      if (PopupByLeftButton) PopupAtCursor();
      break;
    case WM_LBUTTONUP:
      if (ClickStarted_) ClickReady_ = true;
      if (!ClickTimer_ && ClickReady_ && !DoubleClicked_) {
        ClickReady_ = ClickStarted_ = false;
        if (OnClick) OnClick(this);
      }
      if (OnMouseUp) OnMouseUp(this, TMouseButton::mbLeft, shift, p.x, p.y);
      break;
    case WM_LBUTTONDBLCLK:
      DoubleClicked_ = true;
      if (OnDblClick) OnDblClick(this);
      if (PopupMenu_ && PopupMenu_->AutoPopup && !PopupByLeftButton)
        for (int i = 0; i < PopupMenu_->Items().Count(); ++i)
          if (TMenuItem* item = PopupMenu_->Items().Items(i); item->Default) {
            item->Click();
            break;
          }
      break;
    case WM_RBUTTONDOWN:
      if (OnMouseDown) OnMouseDown(this, TMouseButton::mbRight, shift, p.x, p.y);
      PopupAtCursor();
      break;
    case WM_RBUTTONUP:
      if (OnMouseUp) OnMouseUp(this, TMouseButton::mbRight, shift, p.x, p.y);
      break;
    case WM_MBUTTONDOWN:
      if (OnMouseDown) OnMouseDown(this, TMouseButton::mbMiddle, shift, p.x, p.y);
      break;
    case WM_MBUTTONUP:
      if (OnMouseUp) OnMouseUp(this, TMouseButton::mbMiddle, shift, p.x, p.y);
      break;
    case kBalloonClicked:
      if (OnBalloonHintClick) OnBalloonHintClick(this);
      break;
    default: break;
  }
}

}  // namespace bs
