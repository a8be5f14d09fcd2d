#include "platform/ComCtrls.h"

#include <commctrl.h>
#include <uxtheme.h>
#include <windowsx.h>

#include "platform/FormReader.h"

namespace spv::platform {

namespace {

void InitTabClass() {
  static const bool done = [] {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_TAB_CLASSES};
    return InitCommonControlsEx(&icc) != FALSE;
  }();
  (void)done;
}

}  // namespace

TCustomTabControl::TCustomTabControl(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 289, 193);
  SetTabStop(true);
}

void TCustomTabControl::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  InitTabClass();
  params.WinClassName = WC_TABCONTROLW;
  params.Style |= WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  if (MultiLine_) params.Style |= TCS_MULTILINE;
  if (TabWidth_ > 0) params.Style |= TCS_FIXEDWIDTH;
}

void TCustomTabControl::CreateWnd() {
  TWinControl::CreateWnd();
  InsertTabs();
  UpdateTabSize();
}

void TCustomTabControl::InsertTabs() {
  if (!HandleAllocated()) return;
  const HWND w = Handle();
  SendMessageW(w, TCM_DELETEALLITEMS, 0, 0);
  // Each insertion would redraw the tab row on its own; the whole control is invalidated once
  // after the last. (Only a window that shows: turning redrawing back on may show it.)
  const bool hold = (GetWindowLongPtrW(w, GWL_STYLE) & WS_VISIBLE) != 0;
  if (hold) SendMessageW(w, WM_SETREDRAW, FALSE, 0);
  // A themed control lays its row out anew at each insertion and, each time, looks its theme up
  // and asks where the pointer is (to track the tab under it): rounds to the window server for
  // every tab. Without its theme until the last tab, that is done once, and the last insertion
  // lays the whole row out as the themed control does.
  const bool themeHeld = Tabs_.size() > 2 && GetWindowTheme(w) != nullptr;
  // A blank name stands for no theme at all (an empty one is refused by some systems).
  if (themeHeld) SetWindowTheme(w, L" ", L" ");
  for (std::size_t i = 0; i < Tabs_.size(); ++i) {
    if (themeHeld && i + 1 == Tabs_.size()) SetWindowTheme(w, nullptr, nullptr);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(Tabs_[i].c_str());
    SendMessageW(w, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
  }
  if (hold) SendMessageW(w, WM_SETREDRAW, TRUE, 0);
  if (TabIndex_ >= int(Tabs_.size())) TabIndex_ = Tabs_.empty() ? -1 : 0;
  if (TabIndex_ < 0 && !Tabs_.empty()) TabIndex_ = 0;
  SendMessageW(w, TCM_SETCURSEL, WPARAM(TabIndex_), 0);
  Realign();
  Invalidate();
}

void TCustomTabControl::SetTabs(std::vector<std::wstring> tabs) {
  Tabs_ = std::move(tabs);
  InsertTabs();
}

void TCustomTabControl::AddTab(std::wstring_view text) {
  Tabs_.emplace_back(text);
  if (TabIndex_ < 0) TabIndex_ = 0;
  if (!HandleAllocated()) return;
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = Tabs_.back().data();
  SendMessageW(Handle(), TCM_INSERTITEMW, Tabs_.size() - 1, reinterpret_cast<LPARAM>(&item));
  if (Tabs_.size() == 1) SendMessageW(Handle(), TCM_SETCURSEL, 0, 0);
  Realign();
  Invalidate();
}

// Kept in step with the window by every path that selects a tab (SetTabIndex, the tabs'
// insertion, a press or a key), so reading it asks the window nothing: painters read it per cell.
int TCustomTabControl::TabIndex() const { return TabIndex_; }

int TCustomTabControl::WindowTabIndex() const {
  return HandleAllocated() ? int(SendMessageW(WindowHandle(), TCM_GETCURSEL, 0, 0)) : TabIndex_;
}

void TCustomTabControl::SetTabIndex(int index) {
  if (index < -1 || index >= int(Tabs_.size())) index = -1;
  TabIndex_ = index;
  if (HandleAllocated()) {
    SendMessageW(Handle(), TCM_SETCURSEL, WPARAM(index), 0);
    // The row of the selected tab moves next to the page.
    Realign();
    Invalidate();
  }
}

void TCustomTabControl::SetMultiLine(bool value) {
  if (value == MultiLine_) return;
  MultiLine_ = value;
  if (HandleAllocated()) RecreateWnd();
}

void TCustomTabControl::SetTabWidth(int value) {
  if (value == TabWidth_) return;
  const bool styleChanges = (value > 0) != (TabWidth_ > 0);
  TabWidth_ = value;
  if (!HandleAllocated()) return;
  if (styleChanges) {
    LONG_PTR style = GetWindowLongPtrW(Handle(), GWL_STYLE);
    style = value > 0 ? (style | TCS_FIXEDWIDTH) : (style & ~LONG_PTR(TCS_FIXEDWIDTH));
    SetWindowLongPtrW(Handle(), GWL_STYLE, style);
  }
  UpdateTabSize();
}

void TCustomTabControl::SetTabHeight(int value) {
  if (value == TabHeight_) return;
  TabHeight_ = value;
  if (HandleAllocated()) UpdateTabSize();
}

void TCustomTabControl::SendTabItemSize(int w, int h) {
  if (!HandleAllocated()) return;
  SendMessageW(Handle(), TCM_SETITEMSIZE, 0, MAKELPARAM(WORD(w), WORD(h)));
  Realign();
  Invalidate();
}

void TCustomTabControl::UpdateTabSize() { SendTabItemSize(TabWidth_, TabHeight_); }

RECT TCustomTabControl::DisplayRect() {
  RECT r = ClientRect();
  if (HandleAllocated()) Perform(TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
  return r;
}

RECT TCustomTabControl::TabRect(int index) {
  RECT r{};
  if (HandleAllocated() && index >= 0 && index < int(Tabs_.size()))
    Perform(TCM_GETITEMRECT, WPARAM(index), reinterpret_cast<LPARAM>(&r));
  return r;
}

int TCustomTabControl::IndexOfTabAt(int x, int y) {
  for (int i = 0; i < int(Tabs_.size()); ++i) {
    const RECT r = TabRect(i);
    const POINT p{x, y};
    if (PtInRect(&r, p)) return i;
  }
  return -1;
}

int TCustomTabControl::RowCount() {
  return HandleAllocated() ? int(SendMessageW(Handle(), TCM_GETROWCOUNT, 0, 0)) : 0;
}

void TCustomTabControl::AlignControls(RECT& rect) {
  if (HandleAllocated()) rect = DisplayRect();
  TWinControl::AlignControls(rect);
}

bool TCustomTabControl::CanChange() {
  bool allow = true;
  if (OnChanging) OnChanging(this, allow);
  return allow;
}

void TCustomTabControl::Change() {
  if (OnChange) OnChange(this);
}

void TCustomTabControl::WndProc(TMessage& m) {
  // The window selects a tab itself on a press or an arrow key; the control asks first and
  // tells after.
  const auto selecting = [&](bool asks) {
    const int before = WindowTabIndex();
    if (asks && !CanChange()) return;
    TWinControl::WndProc(m);
    const int after = WindowTabIndex();
    if (after != before) {
      TabIndex_ = after;
      Realign();
      Change();
    }
  };
  switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      const int hit = IndexOfTabAt(GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
      selecting(hit >= 0 && hit != TabIndex());
      return;
    }
    case WM_KEYDOWN:
      selecting(m.WParam == VK_LEFT || m.WParam == VK_RIGHT || m.WParam == VK_UP || m.WParam == VK_DOWN ||
                m.WParam == VK_HOME || m.WParam == VK_END);
      return;
    case WM_SIZE:
      TWinControl::WndProc(m);
      Realign();
      return;
    default: break;
  }
  TWinControl::WndProc(m);
}

void TCustomTabControl::Loaded() {
  TWinControl::Loaded();
  if (HandleAllocated()) UpdateTabSize();
}

bool TCustomTabControl::ReadProperty(const TStoredProperty& p, TFormReader& reader) {
  if (SameIdent(p.Name, "Tabs.Strings") || SameIdent(p.Name, "Tabs")) {
    std::vector<std::wstring> tabs;
    for (const auto& v : p.List()) tabs.push_back(v.String);
    SetTabs(std::move(tabs));
  } else if (SameIdent(p.Name, "TabIndex")) SetTabIndex(p.Int());
  else if (SameIdent(p.Name, "MultiLine")) SetMultiLine(p.Boolean());
  else if (SameIdent(p.Name, "TabWidth")) SetTabWidth(p.Int());
  else if (SameIdent(p.Name, "TabHeight")) SetTabHeight(p.Int());
  else if (SameIdent(p.Name, "OnChange")) OnChange = reader.Method(p);
  else return TWinControl::ReadProperty(p, reader);
  return true;
}

}  // namespace spv::platform
