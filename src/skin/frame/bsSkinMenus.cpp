// The controller of a form's skinned menus (the chain of open popups, the sub-menu wait, what a
// chosen item does) and the popup-menu component that shows its items through it.
#include "skin/frame/bsSkinMenus.h"

#include "platform/Forms.h"
#include "skin/frame/bsSkinForm.h"

namespace bs {

using namespace spv::platform;

namespace {
void Tell(TControl* control, UINT msg) {
  if (auto* w = dynamic_cast<TWinControl*>(control)) {
    if (w->HandleAllocated()) SendMessageW(w->Handle(), msg, 0, 0);
  } else if (control) {
    control->Perform(msg);
  }
}

bool AnyVisibleFrom(const TMenuItem& root, int first) {
  for (int i = std::max(first, 0); i < root.Count(); ++i)
    if (root.Items(i)->Visible) return true;
  return false;
}
}  // namespace

// ---- TbsSkinMenu ------------------------------------------------------------------------------

TbsSkinMenu::TbsSkinMenu(TbsSkinForm* owner) : TComponent(owner), SkinForm_(owner) {
  DefaultItemFont_.SetName(L"Arial");
  DefaultItemFont_.SetHeight(14);
  DefaultItemFont_.SetStyle({});
}

TbsSkinMenu::~TbsSkinMenu() {
  BeginDestroy();
  ClosePopupsFrom(0);
  *Alive_ = false;
}

void TbsSkinMenu::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == TOperation::opRemove) {
    if (component == OpeningControl_) OpeningControl_ = nullptr;
    if (component == NotifiedControl_) NotifiedControl_ = nullptr;
  }
}

void TbsSkinMenu::Forget(TControl* control) {
  if (control && control != OpeningControl_ && control != NotifiedControl_) RemoveFreeNotification(control);
}

void TbsSkinMenu::SetOpeningControl(TControl* control) {
  TControl* old = std::exchange(OpeningControl_, control);
  Forget(old);
  if (control) FreeNotification(control);
}

void TbsSkinMenu::SetNotifiedControl(TControl* control) {
  TControl* old = std::exchange(NotifiedControl_, control);
  Forget(old);
  if (control) FreeNotification(control);
}

int TbsSkinMenu::IndexOfPopup(const TbsSkinPopupWindow* popup) const {
  for (std::size_t i = 0; i < Popups_.size(); ++i)
    if (Popups_[i].get() == popup) return int(i);
  return -1;
}

void TbsSkinMenu::ShowMenu(TControl* control, TbsSkinData* skinData, bool popupUpwards, TMenuItem& root,
                           const TRect& anchor, int firstIndex) {
  TbsMenuCallGuard guard;
  const std::shared_ptr<bool> alive = Alive_;
  FirstPopup_ = !Showing_;
  if (!Popups_.empty()) ClosePopupsFrom(0);
  if (!*alive) return;
  SetOpeningControl(control);
  WorkArea_ = FromRECT(WorkAreaOf(SkinForm_->Form().Handle(), true));
  SkinData_ = skinData;
  // Nothing to show (no items, or none visible from the first index): no menu cycle.
  if (firstIndex < 0 || firstIndex >= root.Count() || !AnyVisibleFrom(root, firstIndex)) return;
  Showing_ = true;
  Popups_.push_back(std::make_unique<TbsSkinPopupWindow>(*this));
  Popups_.back()->ShowPopup(anchor, root, popupUpwards, false, firstIndex);
  FirstPopup_ = false;
}

void TbsSkinMenu::ClosePopupsFrom(int index) {
  const std::shared_ptr<bool> alive = Alive_;
  index = std::max(index, 0);
  while (int(Popups_.size()) > index) {
    std::unique_ptr<TbsSkinPopupWindow> popup = std::move(Popups_.back());
    Popups_.pop_back();
    TbsMenuCallGuard::Bury(std::move(popup));
  }
  if (index != 0) return;
  const bool wasShowing = Showing_;
  Showing_ = false;
  StopWaitTimer();
  SetNotifiedControl(OpeningControl_);
  if (TControl* control = OpeningControl_) {
    SetOpeningControl(nullptr);
    Tell(control, WM_SKIN_MENU_CLOSED);
    if (!*alive) return;
  }
  if (wasShowing && CloseHandler) {
    TNotifyEvent handler = std::move(CloseHandler);
    CloseHandler = nullptr;
    handler(this);
  }
}

void TbsSkinMenu::CloseMenus() {
  const std::shared_ptr<bool> alive = Alive_;
  ClosePopupsFrom(0);
  if (!*alive) return;
  StopWaitTimer();
  SendMessageW(SkinForm_->Form().Handle(), WM_SKIN_MENU_CLOSED, 0, 0);
}

void TbsSkinMenu::StopWaitTimer() {
  if (WaitPopup_ && WaitPopup_->Window()) KillTimer(WaitPopup_->Window(), kMenuWaitTimer);
  WaitTimer_ = false;
  WaitItem_ = nullptr;
  WaitPopup_ = nullptr;
}

void TbsSkinMenu::ForgetItem(const TbsSkinMenuItem* item) {
  if (WaitItem_ == item) StopWaitTimer();
}

void TbsSkinMenu::WaitTimerFired() {
  TbsSkinMenuItem* item = WaitItem_;
  TbsSkinPopupWindow* popup = WaitPopup_;
  StopWaitTimer();
  // Only a usable item waits; a disabled one never opens or runs.
  if (item && popup && item->Usable()) ProcessItem(*popup, *item, false, true);
}

void TbsSkinMenu::ProcessItem(TbsSkinPopupWindow& popup, TbsSkinMenuItem& item, bool byKeyboard, bool click) {
  TbsMenuCallGuard guard;
  const std::shared_ptr<bool> alive = Alive_;
  const int index = IndexOfPopup(&popup);
  if (index < 0) return;  // a popup already closed chooses nothing
  const bool sub = item.HasSubItems();
  if (!sub && click) {
    StopWaitTimer();
    // Held before the popups go: the command runs after all of them are gone.
    TMenuItem* chosen = item.MenuItem;
    CloseMenus();
    if (!*alive) return;
    chosen->Click();
    // The command may have closed the form and freed this menu with it.
    if (!*alive) return;
    if (TControl* control = NotifiedControl_) {
      SetNotifiedControl(nullptr);
      Tell(control, WM_SKIN_MENU_COMMAND_DONE);
    }
    return;
  }
  if (sub && click) {
    item.MenuItem->Click();
    if (!*alive || IndexOfPopup(&popup) < 0) return;
    StopWaitTimer();
    if (IndexOfPopup(&popup) + 1 < PopupCount()) ClosePopupsFrom(IndexOfPopup(&popup) + 1);
    if (!AnyVisibleFrom(*item.MenuItem, 0)) return;
    item.Open = true;
    RECT at;
    GetWindowRect(popup.Handle(), &at);
    const TRect anchor{item.ObjectRect.Left + at.left, item.ObjectRect.Top + at.top, item.ObjectRect.Right + at.left,
                       item.ObjectRect.Bottom + at.top};
    Popups_.push_back(std::make_unique<TbsSkinPopupWindow>(*this));
    Popups_.back()->ShowPopup(anchor, *item.MenuItem, false, true, 0);
    return;
  }
  if (sub && byKeyboard) return;
  StopWaitTimer();
  if (index + 1 < PopupCount()) ClosePopupsFrom(index + 1);
  if (!*alive) return;
  if (sub) {
    WaitItem_ = &item;
    WaitPopup_ = &popup;
    SetTimer(popup.Handle(), kMenuWaitTimer, 500, nullptr);
    WaitTimer_ = true;
  }
}

// ---- TbsSkinPopupMenu -------------------------------------------------------------------------

TbsSkinPopupMenu::TbsSkinPopupMenu(TComponent* owner) : TPopupMenu(owner) {}

TbsSkinPopupMenu::~TbsSkinPopupMenu() { BeginDestroy(); }

void TbsSkinPopupMenu::SetSkinData(TbsSkinData* value) {
  if (SkinData_) RemoveFreeNotification(SkinData_);
  SkinData_ = value;
  if (SkinData_) FreeNotification(SkinData_);
}

void TbsSkinPopupMenu::Notification(TComponent* component, TOperation operation) {
  TPopupMenu::Notification(component, operation);
  if (operation == TOperation::opRemove && component == SkinData_) SkinData_ = nullptr;
}

TbsSkinForm* TbsSkinPopupMenu::FindSkinForm() const {
  auto firstIn = [](const TComponent* c) -> TbsSkinForm* {
    if (!c) return nullptr;
    for (int i = 0; i < c->ComponentCount(); ++i)
      if (auto* f = dynamic_cast<TbsSkinForm*>(c->Components(i))) return f;
    return nullptr;
  };
  if (PopupComponent()) return firstIn(PopupComponent());
  TComponent* owner = Owner();
  if (dynamic_cast<TCustomForm*>(owner)) return firstIn(owner);
  if (owner && dynamic_cast<TCustomForm*>(owner->Owner())) return firstIn(owner->Owner());
  return nullptr;
}

void TbsSkinPopupMenu::Show(TControl* control, const TRect& anchor, bool popupUpwards, bool needSkin) {
  if (OnPopup) OnPopup(this);
  TbsSkinForm* form = FindSkinForm();
  if (!SkinData_ && form) SetSkinData(form->MenusSkinData() ? form->MenusSkinData() : form->SkinData());
  if (!form || (needSkin && !SkinData_)) return;
  if (form->SkinMenu().Showing()) form->MenuClosed();
  form->MenuOpened();
  PopupPoint_ = {anchor.Left, anchor.Top};
  TbsSkinMenu& menu = form->SkinMenu();
  menu.ShowMenu(control, SkinData_, popupUpwards, Items(), anchor, 0);
  // A menu with nothing to show opened no menu cycle: the form's menu state goes back.
  if (!menu.Showing()) {
    form->MenuClosed();
    return;
  }
  if (OnMenuClose) menu.CloseHandler = OnMenuClose;
}

void TbsSkinPopupMenu::Popup(int x, int y) { Show(nullptr, {x, y, x, y}, false, false); }

void TbsSkinPopupMenu::PopupFromRect(const TRect& rect, bool popupUpwards) { Show(nullptr, rect, popupUpwards, false); }

void TbsSkinPopupMenu::PopupForControl(TControl* control, int x, int y) { Show(control, {x, y, x, y}, false, true); }

}  // namespace bs
