// One popup of a skinned menu: its items built from a menu item's sub-items, its size, shape and
// place, its painting, the pointer poll and the keys.
#include "skin/frame/bsSkinMenus.h"

#include "platform/Forms.h"

#include <algorithm>

namespace bs {

using namespace spv::platform;

namespace {

constexpr UINT_PTR kScrollTimer = 1, kPointerTimer = 2, kAnimationTimer = 3;

// The popups' own window class: it saves the pixels under a popup and, where the platform
// has one, drops a shadow.
const wchar_t* PopupClass() {
  static const wchar_t* name = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_SAVEBITS | (IsWinXPOrLater() ? CS_DROPSHADOW : 0);
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = L"TbsSkinPopupWindow";
    RegisterClassExW(&wc);
    return L"TbsSkinPopupWindow";
  }();
  return name;
}

}  // namespace

TbsSkinPopupWindow::TbsSkinPopupWindow(TbsSkinMenu& menu)
    : TCustomControl(nullptr), Menu_(&menu), MenuAlive_(menu.Alive()) {
  SetVisible(false);
  SkinData_ = menu.SkinData();
  if (SkinData_ && !SkinData_->IsEmpty && SkinData_->PopupWindow.WindowPictureIndex != -1) {
    const TbsSkinBitmap* picture = SkinData_->ActivePicture(SkinData_->PopupWindow.WindowPictureIndex);
    // A picture index out of range has nothing to draw from: the built-in look.
    if (picture && !picture->Empty()) {
      Skinned_ = true;
      WindowPicture_ = &picture->Image;
      const TbsSkinBitmap* mask = SkinData_->PopupWindow.MaskPictureIndex == -1
                                      ? nullptr
                                      : SkinData_->ActivePicture(SkinData_->PopupWindow.MaskPictureIndex);
      if (mask && !mask->Empty()) MaskPicture_ = &mask->Image;
    }
  }
}

TbsSkinPopupWindow::~TbsSkinPopupWindow() { BeginDestroy(); }

void TbsSkinPopupWindow::CreateParams(TCreateParams& params) {
  TCustomControl::CreateParams(params);
  params.Style = WS_POPUP;
  params.ExStyle = WS_EX_TOOLWINDOW;
  params.WndParent = nullptr;
  params.WinClassName = PopupClass();
}

int TbsSkinPopupWindow::IndexOf(const TbsSkinMenuItem* item) const {
  for (std::size_t i = 0; i < Items_.size(); ++i)
    if (Items_[i].get() == item) return int(i);
  return -1;
}

HFONT TbsSkinPopupWindow::ItemFont() const { return Font_.Handle(); }

// ---- Building, size, layout -------------------------------------------------------------------

TbsPopupFrame TbsSkinPopupWindow::Frame() const {
  TbsPopupFrame f;
  f.Skinned = Skinned_ && ItemData_;
  f.ItemHeight = Menu_->DefaultItemHeight;
  if (f.Skinned) {
    f.PicWidth = WindowPicture_->Width();
    f.PicHeight = WindowPicture_->Height();
    f.ItemsRect = SkinData_->PopupWindow.Corners.ClientRect;
    f.SkinRect = ItemData_->SkinRect;
    f.TextRect = ItemData_->TextRect;
    f.ItemHeight = ItemData_->SkinRect.Height();
  }
  return f;
}

void TbsSkinPopupWindow::BuildItems(TMenuItem& root, int firstIndex) {
  ItemData_ = nullptr;
  if (SkinData_ && !SkinData_->IsEmpty)
    for (const auto& o : SkinData_->SkinObjects)
      if (auto* d = dynamic_cast<TbsDataSkinMenuItem*>(o.get())) {
        ItemData_ = d;
        break;
      }
  // Without an item description a skinned popup has no item pieces to size by: built-in look.
  if (!ItemData_) Skinned_ = false;

  if (Skinned_ && Menu_->UseSkinFont) {
    Font_.SetName(TextToWide(ItemData_->FontName));
    Font_.SetHeight(ItemData_->FontHeight);
    const TFontStyles& st = ItemData_->FontStyle;
    Font_.SetStyle((st.Bold ? fsBold : 0u) | (st.Italic ? fsItalic : 0u) | (st.Underline ? fsUnderline : 0u) |
                   (st.StrikeOut ? fsStrikeOut : 0u));
  } else {
    Font_.Assign(Menu_->DefaultItemFont());
  }
  if (SkinData_ && SkinData_->ResourceStrData()) Font_.SetCharset(BYTE(SkinData_->ResourceStrData()->CharSet));
  else Font_.SetCharset(Menu_->DefaultItemFont().Charset());

  TMenu* menu = root.GetParentMenu();
  if (menu && menu->AutoLineReduction) TMenu::RemoveRedundantLines(root);
  Images_ = menu ? menu->Images() : nullptr;
  GlyphColumn_ = MenuGlyphColumn(Images_ != nullptr, Images_ ? Images_->Width() : 0);

  Items_.clear();
  for (int i = std::max(firstIndex, 0); i < root.Count(); ++i) {
    TMenuItem* item = root.Items(i);
    if (!item->Visible) continue;
    Items_.push_back(std::make_unique<TbsSkinMenuItem>(*this, Skinned_ ? ItemData_ : nullptr, *item));
  }
  SizePopup();
  const int W = Width(), H = Height();
  const TbsPopupFrame f = Frame();
  ItemsRect_ = PopupItemsRect(f, W, H);
  if (Skinned_) {
    const TbsDataSkinPopupWindow& d = SkinData_->PopupWindow;
    TbsCornerKeys resized = d.Corners.Grown(W - f.PicWidth, H - f.PicHeight);
    resized.ClientRect = ItemsRect_;
    Resized_ = resized.Geometry();
  }
  LayoutVisibleItems();
  if (Skinned_ && MaskPicture_) {
    TbsRegionHandle region =
        RegionFromMaskBorders(SkinData_->PopupWindow.Corners.Geometry(), Resized_, *MaskPicture_, W);
    if (region) {
      Region_ = region.release();
      SetWindowRgn(Handle(), Region_, TRUE);  // the window deletes the region it had
    }
  }
}

void TbsSkinPopupWindow::SizePopup() {
  FirstVisible_ = 0;
  VisibleCount_ = int(Items_.size());
  ScrollMode_ = ItemLimit_ = false;
  TbsFBitmap measure(1, 1);
  HDC dc = measure.DC();
  HGDIOBJ old = SelectObject(dc, Font_.Handle());
  int widest = 0;
  std::vector<int> heights;
  for (const auto& item : Items_) {
    std::wstring text = item->MenuItem->Caption();
    if (const std::wstring s = ShortCutToText(item->MenuItem->ShortCut()); !s.empty()) text += L"  " + s;
    widest = std::max(widest, WideTextWidth(dc, text) + 2);
    heights.push_back(item->Height());
  }
  SelectObject(dc, old);
  const TbsPopupFrame f = Frame();
  const RECT wa = ToRECT(Menu_->WorkArea());
  const TbsPopupHeight h = PopupHeight(f, heights, Menu_->MaxMenuItemsInWindow, wa.bottom - wa.top);
  ScrollMode_ = h.ScrollMode;
  ItemLimit_ = h.ItemLimit;
  SetBounds(Left(), Top(), PopupWidth(f, widest, GlyphColumn_), h.Height);
}

void TbsSkinPopupWindow::LayoutVisibleItems() {
  std::vector<int> heights;
  std::vector<TbsItemPlace> places(Items_.size());
  for (std::size_t i = 0; i < Items_.size(); ++i) {
    heights.push_back(Items_[i]->Height());
    places[i] = {Items_[i]->ObjectRect, Items_[i]->Visible};
  }
  VisibleCount_ = LayoutMenuItems(heights, ItemsRect_, ScrollMode_, FirstVisible_, places);
  for (std::size_t i = 0; i < Items_.size(); ++i) {
    Items_[i]->ObjectRect = places[i].Rect;
    Items_[i]->Visible = places[i].Visible;
  }
}

// ---- Showing ----------------------------------------------------------------------------------

void TbsSkinPopupWindow::ShowPopup(const TRect& anchor, TMenuItem& root, bool popupUpwards, bool subMenu,
                                   int firstIndex) {
  const bool layered = IsWin2000OrLater() && Menu_->AlphaBlend;
  const bool fade = layered && Menu_->AlphaBlendAnimation && Menu_->FirstPopup();
  if (fade) Application().ProcessMessages();
  HandleNeeded();
  BuildItems(root, firstIndex);

  TbsPopupPlacing p;
  p.Anchor = anchor;
  p.Upwards = popupUpwards;
  p.SubMenu = subMenu;
  p.WorkAreaHigh = ScrollMode_ && !ItemLimit_;
  p.WorkArea = Menu_->WorkArea();
  p.Width = Width();
  p.Height = Height();
  p.ItemsTop = ItemsRect_.Top;
  const TPoint at = PlacePopup(p);
  ShowAt_ = {at.X, at.Y};

  HWND h = Handle();
  BYTE alpha = Menu_->AlphaBlendValue;
  if (layered) {
    SetLayeredStyle(h, true);
    SetWindowAlphaValue(h, fade ? 0 : alpha);
  }
  SetWindowPos(h, HWND_TOPMOST, at.X, at.Y, 0, 0, SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOSIZE);
  SetVisible(true);
  if (fade) {
    // Blocks on purpose: the first popup fades in before anything else happens.
    int value = 0;
    DWORD last = GetTickCount();
    while (value < alpha) {
      if (GetTickCount() - last > 5) {
        value = std::min(value + 10, int(alpha));
        SetWindowAlphaValue(h, BYTE(value));
        last = GetTickCount();
      }
    }
  }
  SetTimer(h, kPointerTimer, 50, nullptr);
  PointerTimer_ = true;
  Hot_ = -1;
  for (std::size_t i = 0; i < Items_.size(); ++i)
    if (Items_[i]->Usable()) {
      Items_[i]->AutoSelected = true;
      Hot_ = int(i);
      Items_[i]->EnterItem(true);
      break;
    }
}

void TbsSkinPopupWindow::Close() {
  if (Closed_) return;
  HWND h = Handle();
  KillTimer(h, kScrollTimer);
  KillTimer(h, kPointerTimer);
  KillTimer(h, kAnimationTimer);
  KillTimer(h, kMenuWaitTimer);
  PointerTimer_ = AnimationTimer_ = false;
  for (const auto& item : Items_) Menu_->ForgetItem(item.get());
  ShowWindow(h, SW_HIDE);
  Closed_ = true;
}

// ---- Painting ---------------------------------------------------------------------------------

void TbsSkinPopupWindow::PaintPopup(HDC dc) {
  const int W = Width(), H = Height();
  if (W <= 0 || H <= 0) return;
  TbsFBitmap b(W, H);
  if (Skinned_) {
    const TbsDataSkinPopupWindow& d = SkinData_->PopupWindow;
    NinePartImageTiledClient(d.Corners.Geometry(), Resized_, b, *WindowPicture_,
                             {0, 0, WindowPicture_->Width(), WindowPicture_->Height()}, W, H, ScrollMode_,
                             d.Stretch.Flags());
  } else {
    HDC m = b.DC();
    const int band = Images_ ? GlyphColumn_ + 2 : 21;
    TGdiHandle<HBRUSH> face(CreateSolidBrush(ColorToRGB(clBtnFace))), window(CreateSolidBrush(ColorToRGB(clWindow))),
        shadow(CreateSolidBrush(ColorToRGB(clBtnShadow)));
    RECT r{0, 0, band, H};
    FillRect(m, &r, face.Get());
    r = {band, 0, W, H};
    FillRect(m, &r, window.Get());
    r = {0, 0, W, H};
    FrameRect(m, &r, shadow.Get());
    r = {1, 1, W - 1, H - 1};
    FrameRect(m, &r, window.Get());
  }
  GdiFlush();
  for (int i = FirstVisible_; i < FirstVisible_ + VisibleCount_ && i < ItemCount(); ++i) Items_[std::size_t(i)]->PaintItem(b.DC());
  if (ScrollMode_) PaintMarkers(b.DC());
  GdiFlush();
  BitBlt(dc, 0, 0, W, H, b.DC(), 0, 0, SRCCOPY);
}

void TbsSkinPopupWindow::PaintMarkers(HDC dc) {
  const int W = Width(), H = Height();
  RECT top, bottom;
  COLORREF normal, active;
  if (Skinned_) {
    const TRect& r = ItemsRect_;
    top = {r.Left, r.Top, r.Right, r.Top + MenuScrollBand};
    bottom = {r.Left, r.Bottom - MenuScrollBand, r.Right, r.Bottom};
    normal = ColorToRGB(SkinData_->PopupWindow.ScrollMarkerColor);
    active = ColorToRGB(SkinData_->PopupWindow.ScrollMarkerActiveColor);
  } else {
    top = {3, 3, W - 3, 13};
    bottom = {3, H - 10, W - 3, H - 3};
    normal = ColorToRGB(clBtnShadow);
    active = ColorToRGB(clBtnText);
  }
  DrawArrowMark(dc, top, ScrollDirection_ == 1 ? active : normal, TbsArrowDirection::Up);
  DrawArrowMark(dc, bottom, ScrollDirection_ == 2 ? active : normal, TbsArrowDirection::Down);
}

void TbsSkinPopupWindow::RedrawItem(TbsSkinMenuItem& item) {
  if (Closed_ || !item.Visible) return;
  HDC dc = GetDC(Handle());
  item.PaintItem(dc);
  ReleaseDC(Handle(), dc);
}

void TbsSkinPopupWindow::RedrawMarkers() {
  if (Closed_ || !ScrollMode_) return;
  // The bands are drawn over the background, so the background goes under them first.
  const int W = Width(), H = Height();
  TbsFBitmap b(W, H);
  PaintPopup(b.DC());
  GdiFlush();
  HDC dc = GetDC(Handle());
  const RECT bands[2] = {Skinned_ ? RECT{ItemsRect_.Left, ItemsRect_.Top, ItemsRect_.Right, ItemsRect_.Top + MenuScrollBand}
                                  : RECT{3, 3, W - 3, 13},
                         Skinned_ ? RECT{ItemsRect_.Left, ItemsRect_.Bottom - MenuScrollBand, ItemsRect_.Right,
                                         ItemsRect_.Bottom}
                                  : RECT{3, H - 10, W - 3, H - 3}};
  for (const RECT& r : bands) BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, b.DC(), r.left, r.top, SRCCOPY);
  ReleaseDC(Handle(), dc);
}

// ---- Pointer ----------------------------------------------------------------------------------

void TbsSkinPopupWindow::PointerTick() {
  POINT p;
  GetCursorPos(&p);
  const POINT screen = p;
  ::ScreenToClient(Handle(), &p);
  if (p.x != LastPointer_.x || p.y != LastPointer_.y) {
    if (WindowFromPoint(screen) == Handle()) {
      TrackPointer(p.x, p.y);
    } else if (ScrollMode_) {
      ScrollDirection_ = 0;
      RedrawMarkers();
    }
  }
  LastPointer_ = p;
}

void TbsSkinPopupWindow::TrackPointer(int x, int y) {
  const std::shared_ptr<bool> alive = MenuAlive_;
  if (ScrollMode_) {
    const bool inTop = y >= ItemsRect_.Top && y < ItemsRect_.Top + MenuScrollBand;
    const bool inBottom = y >= ItemsRect_.Bottom - MenuScrollBand && y < ItemsRect_.Bottom;
    if (inTop && ScrollDirection_ == 0 && CanScroll(true)) {
      ScrollDirection_ = 1;
      RedrawMarkers();
      StartAutoScroll();
    } else if (inBottom && ScrollDirection_ == 0 && CanScroll(false)) {
      ScrollDirection_ = 2;
      RedrawMarkers();
      StartAutoScroll();
    } else if (ScrollDirection_ != 0 && !inTop && !inBottom) {
      StopAutoScroll();
    }
  }
  PreviousHot_ = Hot_;
  for (int i = 0; i < ItemCount(); ++i) {
    const TbsSkinMenuItem& item = *Items_[std::size_t(i)];
    const TRect& r = item.ObjectRect;
    if (item.Visible && x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom) {
      Hot_ = i;
      break;
    }
  }
  if (Hot_ >= ItemCount()) Hot_ = -1;
  if (Hot_ == PreviousHot_ && Hot_ != -1) {
    TbsSkinMenuItem& item = *Items_[std::size_t(Hot_)];
    if (item.AutoSelected) {
      item.AutoSelected = false;
      if (item.HasSubItems()) item.EnterItem(false);
    }
    return;
  }
  if (Hot_ == PreviousHot_) return;
  if (PreviousHot_ >= 0 && PreviousHot_ < ItemCount() && Items_[std::size_t(PreviousHot_)]->Usable())
    Items_[std::size_t(PreviousHot_)]->LeaveItem();
  if (!*alive || Closed_) return;
  if (Hot_ >= 0 && Items_[std::size_t(Hot_)]->Usable()) Items_[std::size_t(Hot_)]->EnterItem(false);
}

void TbsSkinPopupWindow::MouseUp(TMouseButton button, TShiftState, int x, int y) {
  TrackPointer(x, y);
  if (Closed_ || Hot_ == -1 || button != TMouseButton::mbLeft) return;
  TbsSkinMenuItem& item = *Items_[std::size_t(Hot_)];
  const TRect& r = item.ObjectRect;
  if (item.Visible && x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom && !item.IsSeparator())
    item.ActivateItem();
}

// ---- Keys -------------------------------------------------------------------------------------

void TbsSkinPopupWindow::AnnounceHotChange(int previous) {
  if (Hot_ == previous) return;
  const std::shared_ptr<bool> alive = MenuAlive_;
  Items_[std::size_t(Hot_)]->EnterItem(true);
  if (!*alive || Closed_) return;
  if (previous >= 0 && previous < ItemCount()) Items_[std::size_t(previous)]->LeaveItem();
}

void TbsSkinPopupWindow::SelectNextItem() {
  if (Items_.empty()) return;
  const bool scrolls = ScrollMode_ && ScrollDirection_ == 0;
  const int lastVisible = FirstVisible_ + VisibleCount_ - 1;
  if (scrolls && Hot_ >= 0 && Hot_ == lastVisible) ScrollItemsDown(true);
  const int previous = Hot_;
  Hot_ = NextMenuItem(ItemCount(), Hot_, [this](int i) { return Items_[std::size_t(i)]->Usable(); },
                      [this, scrolls](int i) {
                        if (scrolls && i == FirstVisible_ + VisibleCount_ - 1) ScrollItemsDown(true);
                      });
  // A wrap to the top shows the top.
  if (ScrollMode_ && Hot_ >= 0 && (Hot_ < FirstVisible_ || Hot_ >= FirstVisible_ + VisibleCount_)) {
    FirstVisible_ = std::min(Hot_, LastPageStart([&] {
      std::vector<int> h;
      for (const auto& item : Items_) h.push_back(item->Height());
      return h;
    }(), ItemsRect_));
    LayoutVisibleItems();
    InvalidateRect(Handle(), nullptr, TRUE);
  }
  AnnounceHotChange(previous);
}

void TbsSkinPopupWindow::SelectPreviousItem() {
  if (Items_.empty()) return;
  const bool scrolls = ScrollMode_ && ScrollDirection_ == 0;
  if (scrolls && Hot_ >= 0 && Hot_ == FirstVisible_) ScrollItemsUp(true);
  const int previous = Hot_;
  Hot_ = PreviousMenuItem(ItemCount(), Hot_, [this](int i) { return Items_[std::size_t(i)]->Usable(); },
                          [this, scrolls](int i) {
                            if (scrolls && i == FirstVisible_) ScrollItemsUp(true);
                          });
  if (ScrollMode_ && Hot_ >= 0 && (Hot_ < FirstVisible_ || Hot_ >= FirstVisible_ + VisibleCount_)) {
    FirstVisible_ = Hot_;
    LayoutVisibleItems();
    InvalidateRect(Handle(), nullptr, TRUE);
  }
  AnnounceHotChange(previous);
}

void TbsSkinPopupWindow::HandleMenuKey(WORD key) {
  if (Closed_ || !IsWindowVisible(Handle())) return;
  TbsMenuCallGuard guard;
  const std::shared_ptr<bool> alive = MenuAlive_;
  TbsSkinMenu& menu = *Menu_;
  switch (key) {
    case VK_RETURN:
      if (Hot_ >= 0) Items_[std::size_t(Hot_)]->ActivateItem();
      return;
    case VK_ESCAPE:
    case VK_LEFT: {
      if (key == VK_LEFT && menu.PopupCount() < 2) return;
      menu.ClosePopupsFrom(menu.PopupCount() - 1);
      if (!*alive) return;
      if (TbsSkinPopupWindow* top = menu.TopPopup(); top && top->HotIndex() >= 0) {
        TbsSkinMenuItem& item = top->Items(top->HotIndex());
        item.Open = false;
        item.RefreshItem();
      }
      return;
    }
    case VK_UP: SelectPreviousItem(); return;
    case VK_DOWN: SelectNextItem(); return;
    case VK_RIGHT:
      if (Hot_ >= 0 && Items_[std::size_t(Hot_)]->HasSubItems()) Items_[std::size_t(Hot_)]->ActivateItem();
      return;
    default: break;
  }
  std::vector<std::wstring_view> captions;
  for (const auto& item : Items_) captions.push_back(item->MenuItem->Caption());
  const int found = AcceleratorItem(captions, key);
  if (found < 0) return;
  TbsSkinMenuItem& item = *Items_[std::size_t(found)];
  const int previous = Hot_;
  Hot_ = found;
  if (previous >= 0 && previous != found) Items_[std::size_t(previous)]->LeaveItem();
  if (!*alive || Closed_) return;
  // A disabled item is only lit: entering it would start the wait of its sub-menu.
  if (item.Usable()) item.EnterItem(false);
  else {
    item.Hot = true;
    item.RefreshItem();
  }
  if (!*alive || Closed_) return;
  item.ActivateItem();
}

// ---- Scrolling --------------------------------------------------------------------------------

bool TbsSkinPopupWindow::CanScroll(bool up) const {
  return up ? FirstVisible_ > 0 : FirstVisible_ + VisibleCount_ - 1 < ItemCount() - 1;
}

void TbsSkinPopupWindow::ScrollItemsUp(bool wrap) {
  if (FirstVisible_ > 0) {
    --FirstVisible_;
  } else if (wrap) {
    std::vector<int> heights;
    for (const auto& item : Items_) heights.push_back(item->Height());
    FirstVisible_ = LastPageStart(heights, ItemsRect_);
  } else {
    return;
  }
  LayoutVisibleItems();
  InvalidateRect(Handle(), nullptr, TRUE);
}

void TbsSkinPopupWindow::ScrollItemsDown(bool wrap) {
  if (FirstVisible_ + VisibleCount_ >= ItemCount()) {
    if (!wrap) return;
    FirstVisible_ = 0;
  } else {
    ++FirstVisible_;
  }
  LayoutVisibleItems();
  InvalidateRect(Handle(), nullptr, TRUE);
}

void TbsSkinPopupWindow::StartAutoScroll() {
  const int index = Menu_->IndexOfPopup(this);
  if (index >= 0 && index + 1 < Menu_->PopupCount()) Menu_->ClosePopupsFrom(index + 1);
  KillTimer(Handle(), kScrollTimer);
  SetTimer(Handle(), kScrollTimer, 100, nullptr);
}

void TbsSkinPopupWindow::StopAutoScroll() {
  ScrollDirection_ = 0;
  RedrawMarkers();
  KillTimer(Handle(), kScrollTimer);
}

void TbsSkinPopupWindow::ScrollTick() {
  if (ScrollDirection_ == 1) {
    if (CanScroll(true)) ScrollItemsUp(false);
    if (!CanScroll(true)) StopAutoScroll();
  } else if (ScrollDirection_ == 2) {
    if (CanScroll(false)) ScrollItemsDown(false);
    if (!CanScroll(false)) StopAutoScroll();
  }
}

// ---- Look changes -----------------------------------------------------------------------------

void TbsSkinPopupWindow::StartAnimationTimer(unsigned interval) {
  if (Closed_) return;
  SetTimer(Handle(), kAnimationTimer, interval, nullptr);
  AnimationTimer_ = true;
}

void TbsSkinPopupWindow::AnimationTick() {
  bool changed = false;
  for (const auto& item : Items_) {
    TbsSkinMenuItem& i = *item;
    if (!i.Data) continue;
    if (i.Data->Morphing && SkinData_->EnableSkinEffects && i.IsMorphPending()) {
      i.MorphValue = std::clamp(i.MorphValue + (i.Lit() ? 0.2 : -0.2), 0.0, 1.0);
      RedrawItem(i);
      changed = true;
    } else if (!RectIsEmpty(i.Data->AnimateSkinRect) && SkinData_->EnableSkinEffects) {
      if (i.Hot && i.CurrentFrame <= i.Data->FrameCount) {
        ++i.CurrentFrame;
        RedrawItem(i);
        changed = true;
      } else if (!i.Hot && i.CurrentFrame > 0) {
        --i.CurrentFrame;
        RedrawItem(i);
        changed = true;
      }
    }
  }
  if (!changed) {
    KillTimer(Handle(), kAnimationTimer);
    AnimationTimer_ = false;
  }
}

// ---- Messages ---------------------------------------------------------------------------------

void TbsSkinPopupWindow::WndProc(TMessage& m) {
  TbsMenuCallGuard guard;
  switch (m.Msg) {
    case WM_MOUSEACTIVATE: m.Result = MA_NOACTIVATE; return;
    case WM_ERASEBKGND:
      if (!Closed_) PaintPopup(reinterpret_cast<HDC>(m.WParam));
      m.Result = 1;
      return;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(Handle(), &ps);
      EndPaint(Handle(), &ps);
      m.Result = 0;
      return;
    }
    case WM_TIMER:
      if (Closed_) return;
      switch (m.WParam) {
        case kScrollTimer: ScrollTick(); break;
        case kPointerTimer: PointerTick(); break;
        case kAnimationTimer: AnimationTick(); break;
        case kMenuWaitTimer: Menu_->WaitTimerFired(); break;
        default: break;
      }
      return;
    case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN: case WM_LBUTTONDBLCLK:
      // A choice happens on release.
      m.Result = 0;
      return;
    case WM_LBUTTONUP: case WM_RBUTTONUP: case WM_MBUTTONUP:
      if (Closed_) return;
      break;
    default: break;
  }
  TCustomControl::WndProc(m);
}

// ---- Deferred freeing -------------------------------------------------------------------------

namespace {
int CallDepth = 0;
std::vector<std::unique_ptr<TbsSkinPopupWindow>>& Graveyard() {
  static std::vector<std::unique_ptr<TbsSkinPopupWindow>> popups;
  return popups;
}
}  // namespace

TbsMenuCallGuard::TbsMenuCallGuard() { ++CallDepth; }

TbsMenuCallGuard::~TbsMenuCallGuard() {
  if (--CallDepth == 0) FreeClosedPopups();
}

void TbsMenuCallGuard::Bury(std::unique_ptr<TbsSkinPopupWindow> popup) {
  popup->Close();
  Graveyard().push_back(std::move(popup));
  if (CallDepth == 0) FreeClosedPopups();
}

void TbsMenuCallGuard::FreeClosedPopups() {
  // Freeing a popup runs no popup code of ours, but take the list first all the same.
  auto popups = std::move(Graveyard());
  Graveyard().clear();
  popups.clear();
}

}  // namespace bs
