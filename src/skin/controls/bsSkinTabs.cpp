#include "skin/controls/bsSkinTabs.h"

#include <commctrl.h>
#include <windowsx.h>

#include "platform/FormReader.h"
#include "platform/SysUtils.h"
#include "skin/controls/bsSkinCtrls.h"
#include "skin/controls/bsSkinTabsLayout.h"
#include "skin/resources/bsUtils.h"

#include <algorithm>

namespace bs {

using spv::platform::TMessage;

namespace {

COLORREF Rgb(spv::platform::TColor c) { return spv::platform::ColorToRGB(c); }

void Fill(HDC dc, const RECT& r, COLORREF colour) {
  spv::platform::TGdiHandle<HBRUSH> brush(CreateSolidBrush(colour));
  ::FillRect(dc, &r, brush.Get());
}

// Tiles `piece` from `src` over `dest` from its top-left corner, the last tiles cut.
void TilePiece(TImage& dest, const TImage& src, const TRect& piece) {
  if (RectIsEmpty(piece)) return;
  for (int y = 0; y < dest.Height(); y += piece.Height())
    for (int x = 0; x < dest.Width(); x += piece.Width())
      CopyImageRect(dest, {x, y, x + piece.Width(), y + piece.Height()}, src, piece);
}

TRect ClientPiece(const TbsDataSkinTabControl& o) {
  const TRect& c = o.Corners.ClientRect;
  return {o.SkinRect.Left + c.Left, o.SkinRect.Top + c.Top, o.SkinRect.Left + c.Right, o.SkinRect.Top + c.Bottom};
}

}  // namespace

TbsSkinTabControl::TbsSkinTabControl(spv::platform::TComponent* owner) : TCustomTabControl(owner) {
  DefaultFont_.SetName(L"Arial");
  DefaultFont_.SetHeight(14);
  DefaultFont_.SetColor(spv::platform::clBtnText);
  Font().Assign(DefaultFont_);
}

TbsSkinTabControl::~TbsSkinTabControl() {
  if (SkinData_) RemoveFreeNotification(SkinData_);
}

void TbsSkinTabControl::SetSkinData(TbsSkinData* value) {
  if (SkinData_) RemoveFreeNotification(SkinData_);
  SkinData_ = value;
  if (value) FreeNotification(value);
  ApplyTabSkin();
}

void TbsSkinTabControl::Notification(spv::platform::TComponent* component, spv::platform::TOperation operation) {
  TCustomTabControl::Notification(component, operation);
  if (operation == spv::platform::TOperation::opRemove && component == SkinData_) {
    SkinData_ = nullptr;
    SkinObjectIndex_ = -1;
    if (!Destroying()) ApplyTabSkin();
  }
}

void TbsSkinTabControl::SetDefaultItemHeight(int value) {
  DefaultItemHeight_ = value;
  if (SkinObjectIndex_ < 0) UpdateTabSize();
}

void TbsSkinTabControl::SetTabsBGTransparent(bool value) {
  if (value == TabsBGTransparent_) return;
  TabsBGTransparent_ = value;
  Invalidate();
}

const TbsDataSkinTabControl* TbsSkinTabControl::TabObject() const {
  if (!SkinData_ || SkinObjectIndex_ < 0 || SkinObjectIndex_ >= int(SkinData_->SkinControls.size())) return nullptr;
  return dynamic_cast<const TbsDataSkinTabControl*>(SkinData_->SkinControls[std::size_t(SkinObjectIndex_)].get());
}

void TbsSkinTabControl::ReadTabSkin() {
  SkinObjectIndex_ = !SkinData_ || SkinData_->IsEmpty ? -1 : SkinData_->FindSkinControl(SkinDataName_);
  SkinPicture_ = nullptr;
  const TbsDataSkinTabControl* o = TabObject();
  if (!o) {
    SkinObjectIndex_ = -1;
    return;
  }
  if (const TbsSkinBitmap* b = SkinData_->ActivePicture(o->PictureIndex)) SkinPicture_ = &b->Image;
}

int TbsSkinTabControl::ItemHeight() const {
  if (TabHeight() > 0) return TabHeight();
  const TbsDataSkinTabControl* o = TabObject();
  return o ? o->TabRect.Height() : DefaultItemHeight_;
}

void TbsSkinTabControl::UpdateTabSize() { SendTabItemSize(TabWidth(), ItemHeight()); }

void TbsSkinTabControl::ApplyTabSkin() {
  ReadTabSkin();
  if (const TbsDataSkinTabControl* o = TabObject()) {
    if (UseSkinFont) AssignSkinFont(Font(), *o, DefaultFont_.Charset());
    else Font().Assign(DefaultFont_);
    Font().SetColor(spv::platform::TColor(o->FontColor));
  } else {
    Font().Assign(DefaultFont_);
  }
  UpdateTabSize();
  Realign();
  Invalidate();
}

void TbsSkinTabControl::Change() {
  TCustomTabControl::Change();
  Invalidate();
}

void TbsSkinTabControl::RemoveNativeScroller() {
  if (!HandleAllocated()) return;
  // The window's own arrows would draw unskinned over the tab row.
  for (HWND child = GetWindow(Handle(), GW_CHILD); child;) {
    const HWND next = GetWindow(child, GW_HWNDNEXT);
    wchar_t name[32] = {};
    GetClassNameW(child, name, 32);
    if (lstrcmpiW(name, UPDOWN_CLASSW) == 0) DestroyWindow(child);
    child = next;
  }
}

// ---- Painting -------------------------------------------------------------------------------

void TbsSkinTabControl::PaintTab(int index, const RECT& rect, HDC dc, bool hot, bool selected) {
  if (index < 0 || index >= int(Tabs().size()) || IsRectEmpty(&rect)) return;
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  TbsFBitmap tab(w, h);
  const HDC tdc = tab.DC();
  const TbsDataSkinTabControl* o = TabObject();
  const bool focused = Focused();
  spv::platform::TFont font;
  font.Assign(Font());
  if (!o || !SkinPicture_) {
    using namespace spv::platform;
    const RECT all{0, 0, w, h};
    if (hot && !selected) Fill(tdc, all, Rgb(TColor(0xD2BDB6)));
    else if (!selected) Fill(tdc, all, Rgb(clBtnFace));
    else {
      Fill(tdc, all, Rgb(TColor(focused ? 0xB59385 : 0xD2BDB6)));
      TGdiHandle<HBRUSH> navy(CreateSolidBrush(Rgb(clNavy)));
      ::FrameRect(tdc, &all, navy.Get());
    }
  } else {
    TRect picture;
    spv::platform::TColor colour;
    if (hot && !selected && !RectIsEmpty(o->MouseInTabRect)) picture = o->MouseInTabRect, colour = o->MouseInFontColor;
    else if (selected && focused) picture = RectIsEmpty(o->FocusTabRect) ? o->ActiveTabRect : o->FocusTabRect,
                                  colour = o->FocusFontColor;
    else if (!selected) picture = o->TabRect, colour = hot ? o->MouseInFontColor : o->FontColor;
    else picture = RectIsEmpty(o->ActiveTabRect) ? o->TabRect : o->ActiveTabRect, colour = o->ActiveFontColor;
    if (hot && !selected && RectIsEmpty(o->MouseInTabRect)) colour = o->FontColor;
    if (RectIsEmpty(picture)) picture = o->TabRect;
    TbsFBitmap strip;
    ThreePartHorzImage(o->TabLeftOffset, o->TabRightOffset, strip, *SkinPicture_, picture, w, o->TabStretchEffect);
    CopyImageRect(tab, {0, 0, w, h}, strip, {0, 0, strip.Width(), strip.Height()});
    GdiFlush();
    if (UseSkinFont) AssignSkinFont(font, *o, DefaultFont_.Charset());
    font.SetColor(colour);
    if (o->ShowFocus && focused && selected) {
      RECT fr{o->FocusOffsetX, o->FocusOffsetY, w - o->FocusOffsetX, h - o->FocusOffsetY};
      SetTextColor(tdc, RGB(0, 0, 0));
      SetBkColor(tdc, Rgb(spv::platform::TColor(SkinData_->SkinColors.cBtnFace)));
      DrawFocusRect(tdc, &fr);
    }
  }
  GdiFlush();
  if (OnDrawSkinTab) {
    OnDrawSkinTab(index, RECT{0, 0, w, h}, tdc, hot, selected);
  } else {
    const HGDIOBJ old = SelectObject(tdc, font.Handle());
    SetBkMode(tdc, TRANSPARENT);
    SetTextColor(tdc, Rgb(font.Color()));
    RECT r{0, 0, w, h};
    DrawWideText(tdc, Tabs()[std::size_t(index)], r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(tdc, old);
  }
  GdiFlush();
  BitBlt(dc, rect.left, rect.top, w, h, tdc, 0, 0, SRCCOPY);
}

void TbsSkinTabControl::PaintTabPage(TbsFBitmap& bitmap, const RECT& page) {
  const HDC dc = bitmap.DC();
  const TbsDataSkinTabControl* o = TabObject();
  if (!o || !SkinPicture_) {
    const RECT all{0, 0, bitmap.Width(), bitmap.Height()};
    Fill(dc, all, Rgb(spv::platform::clBtnFace));
    RECT frame = page;
    InflateRect(&frame, 1, 1);
    spv::platform::TGdiHandle<HBRUSH> shadow(CreateSolidBrush(Rgb(spv::platform::clBtnShadow)));
    ::FrameRect(dc, &frame, shadow.Get());
    return;
  }
  if (o->BGPictureIndex >= 0) {
    if (const TbsSkinBitmap* b = SkinData_->ActivePicture(o->BGPictureIndex))
      TilePiece(bitmap, b->Image, {0, 0, b->Image.Width(), b->Image.Height()});
    return;
  }
  const TbsTabPageSkin skin{o->SkinRect, o->Corners.ClientRect, false};
  const TRect P = TabPageFrame(FromRECT(page), skin);
  const TbsPieceGeometry g = o->Corners.Geometry();
  const TbsPieceGeometry ng = ResizedGeometry(g, o->SkinRect, P.Width(), P.Height());
  TbsFBitmap frame;
  NinePartImageTiledClient(g, ng, frame, *SkinPicture_, o->SkinRect, P.Width(), P.Height(), true,
                           o->Stretch.Flags());
  GdiFlush();
  BitBlt(dc, P.Left, P.Top, frame.Width(), frame.Height(), frame.DC(), 0, 0, SRCCOPY);
}

void TbsSkinTabControl::PaintTabStrip(TbsFBitmap& bitmap, const RECT& page) {
  if (Tabs().empty()) return;
  const HDC dc = bitmap.DC();
  const int selected = TabIndex();
  const TbsDataSkinTabControl* o = TabObject();
  if (!o || !SkinPicture_) {
    for (int i = 0; i < int(Tabs().size()); ++i) PaintTab(i, TabRect(i), dc, i == HotTabIndex_, i == selected);
    return;
  }
  // The band above the page frame.
  const int bandHeight = std::max(0, int(page.top) - o->Corners.ClientRect.Top);
  if (bandHeight > 0) {
    TbsFBitmap band(bitmap.Width(), bandHeight);
    if (TabsBGTransparent_) PaintParentBackground(*this, band.DC());
    else TilePiece(band, *SkinPicture_, RectIsEmpty(o->TabsBGRect) ? ClientPiece(*o) : o->TabsBGRect);
    GdiFlush();
    for (int i = 0; i < int(Tabs().size()); ++i) PaintTab(i, TabRect(i), band.DC(), i == HotTabIndex_, i == selected);
    GdiFlush();
    BitBlt(dc, 0, 0, band.Width(), band.Height(), band.DC(), 0, 0, SRCCOPY);
  }
  // The selected tab once more, over the page frame.
  if (selected >= 0) PaintTab(selected, TabRect(selected), dc, false, true);
}

void TbsSkinTabControl::Compose(TbsFBitmap& bitmap) {
  ReadTabSkin();
  bitmap.SetSize(Width(), Height());
  const RECT page = DisplayRect();
  PaintTabPage(bitmap, page);
  GdiFlush();
  PaintTabStrip(bitmap, page);
  GdiFlush();
}

TbsFBitmap TbsSkinTabControl::Snapshot() {
  TbsFBitmap bitmap;
  if (Width() > 0 && Height() > 0) Compose(bitmap);
  return bitmap;
}

void TbsSkinTabControl::RepaintTab(int index) {
  if (index < 0 || !HandleAllocated()) return;
  ReadTabSkin();
  const HDC dc = GetDC(Handle());
  PaintTab(index, TabRect(index), dc, index == HotTabIndex_, index == TabIndex());
  ReleaseDC(Handle(), dc);
}

void TbsSkinTabControl::SetHotTab(int index) {
  if (index == HotTabIndex_) return;
  const int old = HotTabIndex_, selected = TabIndex();
  HotTabIndex_ = index;
  // Only the two tabs concerned change; the selected one never shows hot.
  if (old >= 0 && old != selected) RepaintTab(old);
  if (index >= 0 && index != selected) RepaintTab(index);
}

void TbsSkinTabControl::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_ERASEBKGND: m.Result = 1; return;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      const HDC dc = m.WParam ? reinterpret_cast<HDC>(m.WParam) : BeginPaint(Handle(), &ps);
      const int saved = SaveDC(dc);
      if (Width() > 0 && Height() > 0) {
        TbsFBitmap bitmap;
        Compose(bitmap);
        BitBlt(dc, 0, 0, bitmap.Width(), bitmap.Height(), bitmap.DC(), 0, 0, SRCCOPY);
      }
      RestoreDC(dc, saved);
      if (!m.WParam) EndPaint(Handle(), &ps);
      return;
    }
    case TCM_ADJUSTRECT: {
      TCustomTabControl::WndProc(m);
      if (m.WParam || !m.LParam) return;
      auto* r = reinterpret_cast<RECT*>(m.LParam);
      const RECT client = ClientRect();
      const TbsDataSkinTabControl* o = TabObject();
      const TbsTabPageSkin skin{o ? o->SkinRect : TRect{}, o ? o->Corners.ClientRect : TRect{},
                                o && o->BGPictureIndex >= 0};
      *r = ToRECT(TabPageRect(r->top, client.right, client.bottom, o ? &skin : nullptr));
      return;
    }
    case TCM_GETITEMRECT:
      TCustomTabControl::WndProc(m);
      if (m.Result && m.LParam) {
        auto* r = reinterpret_cast<RECT*>(m.LParam);
        OffsetRect(r, MultiLine() ? 0 : -2, -2);
        if (!MultiLine() && m.WParam == 0) r->left += 1;
      }
      return;
    case WM_MOUSEMOVE:
      TCustomTabControl::WndProc(m);
      SetHotTab(IndexOfTabAt(GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)));
      return;
    case WM_LBUTTONDOWN:
      HotTabIndex_ = IndexOfTabAt(GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
      TCustomTabControl::WndProc(m);
      return;
    case spv::platform::CM_MOUSELEAVE:
      TCustomTabControl::WndProc(m);
      SetHotTab(-1);
      return;
    case WM_SIZE:
    case TCM_INSERTITEMW:
    case TCM_SETITEMSIZE:
      TCustomTabControl::WndProc(m);
      RemoveNativeScroller();
      return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      TCustomTabControl::WndProc(m);
      Invalidate();
      return;
    default: break;
  }
  TCustomTabControl::WndProc(m);
}

bool TbsSkinTabControl::ReadProperty(const spv::platform::TStoredProperty& p, spv::platform::TFormReader& reader) {
  using spv::platform::SameIdent;
  if (SameIdent(p.Name, "SkinData"))
    reader.ResolveReference<TbsSkinData>(p, [this](TbsSkinData* d) { SetSkinData(d); });
  else if (SameIdent(p.Name, "SkinDataName")) SetSkinDataName(spv::platform::WideToCp1251(p.String()));
  else if (SameIdent(p.Name, "UseSkinFont")) UseSkinFont = p.Boolean();
  else if (SameIdent(p.Name, "DefaultItemHeight")) SetDefaultItemHeight(p.Int());
  else if (SameIdent(p.Name, "TabsBGTransparent")) SetTabsBGTransparent(p.Boolean());
  else if (p.Name.size() > 12 && SameIdent(p.Name.substr(0, 12), "DefaultFont."))
    return DefaultFont_.ReadProperty(std::string_view(p.Name).substr(12), p);
  else return TCustomTabControl::ReadProperty(p, reader);
  return true;
}

}  // namespace bs
