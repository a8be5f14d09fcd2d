#include "platform/Menus.h"

#include <commctrl.h>

#include <stdexcept>

namespace spv::platform {

// ---- Shortcuts --------------------------------------------------------------------------------

namespace {
std::wstring KeyName(unsigned key) {
  if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return std::wstring(1, wchar_t(key));
  if (key >= VK_F1 && key <= VK_F24) return L"F" + std::to_wstring(key - VK_F1 + 1);
  switch (key) {
    case VK_BACK: return L"BkSp";
    case VK_TAB: return L"Tab";
    case VK_RETURN: return L"Enter";
    case VK_ESCAPE: return L"Esc";
    case VK_SPACE: return L"Space";
    case VK_PRIOR: return L"PgUp";
    case VK_NEXT: return L"PgDn";
    case VK_END: return L"End";
    case VK_HOME: return L"Home";
    case VK_LEFT: return L"Left";
    case VK_UP: return L"Up";
    case VK_RIGHT: return L"Right";
    case VK_DOWN: return L"Down";
    case VK_INSERT: return L"Ins";
    case VK_DELETE: return L"Del";
    default: return {};
  }
}
}  // namespace

std::wstring ShortCutToText(TShortCut shortCut) {
  const std::wstring key = KeyName(shortCut & 0xFF);
  if (key.empty()) return {};
  std::wstring text;
  if (shortCut & scShift) text += L"Shift+";
  if (shortCut & scCtrl) text += L"Ctrl+";
  if (shortCut & scAlt) text += L"Alt+";
  return text + key;
}

// ---- TMenuItem --------------------------------------------------------------------------------

TMenuItem::TMenuItem() : TComponent(nullptr) {}

TMenuItem::~TMenuItem() {
  BeginDestroy();
  Items_.clear();
}

TMenuItem* TMenuItem::Items(int index) const {
  if (index < 0 || index >= Count()) throw std::out_of_range("Menu index out of bounds");
  return Items_[std::size_t(index)].get();
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
  for (std::size_t i = 0; i < Items_.size(); ++i)
    if (Items_[i].get() == item) return int(i);
  return -1;
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
  if (!item) throw std::invalid_argument("Menu item is null");
  if (item->Parent_) throw std::invalid_argument("Menu inserted twice");
  if (index < 0 || index > Count()) throw std::out_of_range("Menu index out of bounds");
  Items_.insert(Items_.begin() + index, std::unique_ptr<TMenuItem>(item));
  item->Parent_ = this;
}

void TMenuItem::Delete(int index) {
  if (index < 0 || index >= Count()) throw std::out_of_range("Menu index out of bounds");
  Items_.erase(Items_.begin() + index);
}

void TMenuItem::Remove(TMenuItem* item) {
  const int i = IndexOf(item);
  if (i < 0) throw std::invalid_argument("Menu item not found");
  (void)Items_[std::size_t(i)].release();
  Items_.erase(Items_.begin() + i);
  item->Parent_ = nullptr;
}

void TMenuItem::Clear() { Items_.clear(); }

TMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* root = this;
  while (root->Parent_) root = root->Parent_;
  return root->Menu_;
}

void TMenuItem::Click() {
  if (OnClick) OnClick(this);
}

// ---- TMenu ------------------------------------------------------------------------------------

TMenu::TMenu(TComponent* owner) : TComponent(owner), Items_(std::make_unique<TMenuItem>()) { Items_->Menu_ = this; }

TMenu::~TMenu() { BeginDestroy(); }

void TMenu::SetImages(TCustomImageList* images) {
  if (Images_) RemoveFreeNotification(Images_);
  Images_ = images;
  if (Images_) FreeNotification(Images_);
}

void TMenu::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == TOperation::opRemove && component == Images_) Images_ = nullptr;
}

void TMenu::RemoveRedundantLines(TMenuItem& item) {
  // Walks the shown items: a separator is shown only between two shown plain items.
  TMenuItem* pending = nullptr;  // a separator waiting for a plain item after it
  bool plainBefore = false;
  for (int i = 0; i < item.Count(); ++i) {
    TMenuItem* child = item.Items(i);
    if (!child->IsLine()) {
      if (!child->Visible) continue;
      if (pending) pending->Visible = true;
      pending = nullptr;
      plainBefore = true;
      continue;
    }
    child->Visible = false;
    if (plainBefore && !pending) pending = child;
  }
}

// ---- TPopupMenu -------------------------------------------------------------------------------

TPopupMenu::TPopupMenu(TComponent* owner) : TMenu(owner) {}

TPopupMenu::~TPopupMenu() { BeginDestroy(); }

void TPopupMenu::Popup(int, int) {
  if (OnPopup) OnPopup(this);
}

void TPopupMenu::SetPopupComponent(TComponent* component) {
  if (PopupComponent_ && PopupComponent_ != Owner()) RemoveFreeNotification(PopupComponent_);
  PopupComponent_ = component;
  if (PopupComponent_ && PopupComponent_ != Owner()) FreeNotification(PopupComponent_);
}

void TPopupMenu::Notification(TComponent* component, TOperation operation) {
  TMenu::Notification(component, operation);
  if (operation == TOperation::opRemove && component == PopupComponent_) PopupComponent_ = nullptr;
}

// ---- TCustomImageList -------------------------------------------------------------------------

TCustomImageList::TCustomImageList(TComponent* owner, int width, int height)
    : TComponent(owner), Width_(width), Height_(height) {
  Handle_ = ImageList_Create(width, height, ILC_COLOR24 | ILC_MASK, 4, 4);
  if (!Handle_) throw std::runtime_error("Failed to create image list");
}

TCustomImageList::~TCustomImageList() {
  BeginDestroy();
  ImageList_Destroy(Handle_);
}

int TCustomImageList::Count() const { return ImageList_GetImageCount(Handle_); }

int TCustomImageList::AddMasked(HBITMAP bitmap, COLORREF transparent) {
  return ImageList_AddMasked(Handle_, bitmap, transparent);
}

int TCustomImageList::AddIcon(HICON icon) { return ImageList_ReplaceIcon(Handle_, -1, icon); }

void TCustomImageList::Draw(HDC dc, int x, int y, int index, bool enabled) const {
  if (index < 0 || index >= Count()) return;
  IMAGELISTDRAWPARAMS p{};
  p.cbSize = sizeof(p);
  p.himl = Handle_;
  p.i = index;
  p.hdcDst = dc;
  p.x = x;
  p.y = y;
  p.rgbBk = CLR_NONE;
  p.rgbFg = CLR_DEFAULT;
  p.fStyle = ILD_TRANSPARENT;
  p.fState = enabled ? ILS_NORMAL : ILS_SATURATE;
  ImageList_DrawIndirect(&p);
}

HICON TCustomImageList::GetIcon(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return ImageList_GetIcon(Handle_, index, ILD_NORMAL);
}

// ---- TIcon ------------------------------------------------------------------------------------

TIcon::~TIcon() {
  if (Owned_ && Handle_) DestroyIcon(Handle_);
}

void TIcon::SetHandle(HICON icon, bool owned) {
  if (Owned_ && Handle_ && Handle_ != icon) DestroyIcon(Handle_);
  Handle_ = icon;
  Owned_ = owned && icon;
  if (OnChange) OnChange();
}

void TIcon::Assign(const TIcon& other) {
  if (&other == this) return;
  SetHandle(other.Handle_ ? CopyIcon(other.Handle_) : nullptr, true);
}

}  // namespace spv::platform
