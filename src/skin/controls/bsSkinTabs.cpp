#include "skin/controls/bsSkinTabs.h"

#include <commctrl.h>
#include <windowsx.h>

#include "platform/FormReader.h"
#include "platform/SysUtils.h"
#include "skin/controls/bsSkinCtrls.h"
#include "skin/controls/bsSkinTabsLayout.h"
#include "skin/resources/bsUtils.h"

#include <algorithm>
#include <array>
#include <map>

namespace bs {

using spv::platform::TMessage;

namespace {

COLORREF Rgb(spv::platform::TColor c) { return spv::platform::ColorToRGB(c); }

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

void TbsSkinTabControl::ForgetSkinObject() {
  SkinObjectIndex_ = -1;
  ForgetPageFrame();
}

void TbsSkinTabControl::ForgetPageFrame() {
  // A new skin may put new descriptions and pictures where the old ones were.
  PageFrame_ = TImage();
  PageFrameObject_ = nullptr;
  PageFramePicture_ = nullptr;
}

void TbsSkinTabControl::ApplyTabSkin() {
  ForgetPageFrame();
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
  // The window's own arrows would draw unskinned over the tab row. Only a single row has them.
  if (!HandleAllocated() || MultiLine()) return;
  for (HWND child = GetWindow(Handle(), GW_CHILD); child;) {
    const HWND next = GetWindow(child, GW_HWNDNEXT);
    wchar_t name[32] = {};
    GetClassNameW(child, name, 32);
    if (lstrcmpiW(name, UPDOWN_CLASSW) == 0) DestroyWindow(child);
    child = next;
  }
}

// ---- Painting -------------------------------------------------------------------------------

// What the tabs of one paint share: whether the control has the focus (asked of the system
// once), the caption font, realised once, and each tab picture, cut once per look and width. The
// tabs of a row have one width, so the 24 hour tabs take two or three pictures instead of 24.
class TbsSkinTabControl::TTabPaint {
 public:
  explicit TTabPaint(const TbsSkinTabControl& tabs) : Focused_(tabs.Focused()) {
    Font_.Assign(tabs.Font());
    if (const TbsDataSkinTabControl* o = tabs.TabObject(); o && tabs.SkinPicture_ && tabs.UseSkinFont)
      AssignSkinFont(Font_, *o, tabs.DefaultFont_.Charset());
  }
  bool Focused() const { return Focused_; }
  HFONT Font() const { return Font_.Handle(); }
  const TImage& Picture(const TImage& skin, const TbsDataSkinTabControl& o, const TRect& piece, int width) {
    TImage& picture = Pictures_[{piece.Left, piece.Top, piece.Right, piece.Bottom, width}];
    if (picture.Width() == 0)
      ThreePartHorzImage(o.TabLeftOffset, o.TabRightOffset, picture, skin, piece, width, o.TabStretchEffect);
    return picture;
  }

 private:
  const bool Focused_;
  spv::platform::TFont Font_;
  std::map<std::array<int, 5>, TImage> Pictures_;
};

void TbsSkinTabControl::PaintTab(TTabPaint& paint, int index, const RECT& rect, TbsFBitmap& target, bool hot,
                                 bool selected) {
  if (index < 0 || index >= int(Tabs().size()) || IsRectEmpty(&rect)) return;
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  const HDC dc = target.DC();
  const TbsDataSkinTabControl* o = TabObject();
  const bool focused = paint.Focused();
  COLORREF textColour = Rgb(Font().Color());
  if (!o || !SkinPicture_) {
    using namespace spv::platform;
    if (hot && !selected) FillSolid(dc, rect, Rgb(TColor(0xD2BDB6)));
    else if (!selected) FillSolid(dc, rect, Rgb(clBtnFace));
    else {
      FillSolid(dc, rect, Rgb(TColor(focused ? 0xB59385 : 0xD2BDB6)));
      TGdiHandle<HBRUSH> navy(CreateSolidBrush(Rgb(clNavy)));
      ::FrameRect(dc, &rect, navy.Get());
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
    const TImage& strip = paint.Picture(*SkinPicture_, *o, picture, w);
    GdiFlush();
    CopyImageRect(target, FromRECT(rect), strip, {0, 0, strip.Width(), strip.Height()});
    textColour = Rgb(colour);
    if (o->ShowFocus && focused && selected) {
      const RECT fr{rect.left + o->FocusOffsetX, rect.top + o->FocusOffsetY, rect.right - o->FocusOffsetX,
                    rect.bottom - o->FocusOffsetY};
      SetTextColor(dc, RGB(0, 0, 0));
      SetBkColor(dc, Rgb(spv::platform::TColor(SkinData_->SkinColors.cBtnFace)));
      DrawFocusRect(dc, &fr);
    }
  }
  if (OnDrawSkinTab) {
    // The event draws in the tab's own coordinates and cannot spill over its neighbours.
    const int saved = SaveDC(dc);
    SetViewportOrgEx(dc, rect.left, rect.top, nullptr);
    IntersectClipRect(dc, 0, 0, w, h);
    OnDrawSkinTab(index, RECT{0, 0, w, h}, dc, hot, selected);
    RestoreDC(dc, saved);
  } else {
    const HGDIOBJ old = SelectObject(dc, paint.Font());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, textColour);
    RECT r = rect;
    DrawWideText(dc, Tabs()[std::size_t(index)], r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
  }
  PaintTabMarks(index, rect, dc);
  GdiFlush();
}

void TbsSkinTabControl::PaintTabMarks(int index, const RECT& rect, HDC dc) const {
  if (index >= int(Marks_.size())) return;
  const TbsTabMarks& colours = Marks_[std::size_t(index)];
  const std::vector<TRect> squares = TabMarkRects(FromRECT(rect), int(colours.size()));
  for (std::size_t i = 0; i < squares.size(); ++i) FillSolid(dc, ToRECT(squares[i]), Rgb(colours[i]));
}

// ---- Marks and hints ------------------------------------------------------------------------

void TbsSkinTabControl::InvalidateTab(int index) {
  if (!HandleAllocated() || index < 0 || index >= int(Tabs().size())) return;
  const RECT r = TabRect(index);
  InvalidateRect(Handle(), &r, FALSE);
}

void TbsSkinTabControl::SetMarks(std::vector<TbsTabMarks> marks) {
  static const TbsTabMarks none;
  const auto at = [](const std::vector<TbsTabMarks>& list, std::size_t i) -> const TbsTabMarks& {
    return i < list.size() ? list[i] : none;
  };
  std::vector<int> changed;
  for (std::size_t i = 0; i < std::max(marks.size(), Marks_.size()); ++i)
    if (at(marks, i) != at(Marks_, i)) changed.push_back(int(i));
  Marks_ = std::move(marks);
  for (const int i : changed) InvalidateTab(i);
}

void TbsSkinTabControl::SetTabMarks(int tabIndex, TbsTabMarks marks) {
  if (tabIndex < 0) return;
  const std::size_t i = std::size_t(tabIndex);
  if (i < Marks_.size() ? Marks_[i] == marks : marks.empty()) return;
  if (i >= Marks_.size()) Marks_.resize(i + 1);
  Marks_[i] = std::move(marks);
  InvalidateTab(tabIndex);
}

void TbsSkinTabControl::TabHintShow(spv::platform::THintInfo& info) {
  const POINT p = info.CursorPos;
  const int index = IndexOfTabAt(p.x, p.y);
  if (index >= 0) {
    info.CursorRect = TabRect(index);
    if (OnTabHint) OnTabHint(index, info.HintStr);
    return;
  }
  // Off the tabs: the page keeps the control's own hint; over the band beside the tabs the hint
  // is asked for again at the next move, which may reach a tab.
  const RECT page = DisplayRect();
  info.CursorRect = PtInRect(&page, p) ? page : RECT{p.x, p.y, p.x + 1, p.y + 1};
}

void TbsSkinTabControl::PaintTabPage(TbsFBitmap& bitmap, const RECT& page, HDC paintDc) {
  const HDC dc = bitmap.DC();
  const TbsDataSkinTabControl* o = TabObject();
  if (!o || !SkinPicture_) {
    const RECT all{0, 0, bitmap.Width(), bitmap.Height()};
    FillSolid(dc, all, Rgb(spv::platform::clBtnFace));
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
  // The frame changes with the page's size and the skin only: it is cut once and kept.
  if (PageFrame_.Width() != P.Width() || PageFrame_.Height() != P.Height() || PageFrameObject_ != o ||
      PageFramePicture_ != SkinPicture_) {
    NinePartImageTiledClient(g, ng, PageFrame_, *SkinPicture_, o->SkinRect, P.Width(), P.Height(), true,
                             o->Stretch.Flags());
    PageFrameObject_ = o;
    PageFramePicture_ = SkinPicture_;
  }
  const TRect whole{0, 0, P.Width(), P.Height()};
  const auto copy = [&](const TRect& part) {
    CopyImageRect(bitmap, {P.Left + part.Left, P.Top + part.Top, P.Left + part.Right, P.Top + part.Bottom}, PageFrame_,
                  part);
  };
  // Where the page's windows hide its client area, only the frame around it is worth copying.
  const RECT inner{P.Left + ng.Cl.Left, P.Top + ng.Cl.Top, P.Left + ng.Cl.Right, P.Top + ng.Cl.Bottom};
  GdiFlush();
  if (!paintDc || RectVisible(paintDc, &inner)) {
    copy(whole);
    return;
  }
  copy({0, 0, whole.Right, ng.Cl.Top});
  copy({0, ng.Cl.Bottom, whole.Right, whole.Bottom});
  copy({0, ng.Cl.Top, ng.Cl.Left, ng.Cl.Bottom});
  copy({ng.Cl.Right, ng.Cl.Top, whole.Right, ng.Cl.Bottom});
}

void TbsSkinTabControl::PaintTabStrip(TbsFBitmap& bitmap, const RECT& page) {
  if (Tabs().empty()) return;
  TTabPaint paint(*this);
  const int selected = TabIndex();
  const TbsDataSkinTabControl* o = TabObject();
  if (!o || !SkinPicture_) {
    for (int i = 0; i < int(Tabs().size()); ++i) PaintTab(paint, i, TabRect(i), bitmap, i == HotTabIndex_, i == selected);
    return;
  }
  // The band above the page frame.
  const int bandHeight = std::max(0, int(page.top) - o->Corners.ClientRect.Top);
  if (bandHeight > 0) {
    TbsFBitmap band(bitmap.Width(), bandHeight);
    if (TabsBGTransparent_) PaintParentBackground(*this, band.DC());
    else TilePiece(band, *SkinPicture_, RectIsEmpty(o->TabsBGRect) ? ClientPiece(*o) : o->TabsBGRect);
    GdiFlush();
    for (int i = 0; i < int(Tabs().size()); ++i) PaintTab(paint, i, TabRect(i), band, i == HotTabIndex_, i == selected);
    BitBlt(bitmap.DC(), 0, 0, band.Width(), band.Height(), band.DC(), 0, 0, SRCCOPY);
    GdiFlush();
  }
  // The selected tab once more, over the page frame.
  if (selected >= 0) PaintTab(paint, selected, TabRect(selected), bitmap, false, true);
}

void TbsSkinTabControl::Compose(TbsFBitmap& bitmap, HDC paintDc) {
  ReadTabSkin();
  if (bitmap.Width() != Width() || bitmap.Height() != Height()) bitmap.SetSize(Width(), Height());
  const RECT page = DisplayRect();
  PaintTabPage(bitmap, page, paintDc);
  GdiFlush();
  PaintTabStrip(bitmap, page);
  GdiFlush();
}

TbsFBitmap TbsSkinTabControl::Snapshot() {
  TbsFBitmap bitmap;
  if (Width() > 0 && Height() > 0) Compose(bitmap, nullptr);
  return bitmap;
}

void TbsSkinTabControl::RepaintTab(int index) {
  if (index < 0 || !HandleAllocated()) return;
  ReadTabSkin();
  const RECT r = TabRect(index);
  if (IsRectEmpty(&r)) return;
  const int w = r.right - r.left, h = r.bottom - r.top;
  TbsFBitmap tab(w, h);
  TTabPaint paint(*this);
  PaintTab(paint, index, {0, 0, w, h}, tab, index == HotTabIndex_, index == TabIndex());
  const HDC dc = GetDC(Handle());
  BitBlt(dc, r.left, r.top, w, h, tab.DC(), 0, 0, SRCCOPY);
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
      RECT box;
      if (Width() > 0 && Height() > 0 && GetClipBox(dc, &box) != NULLREGION) {
        Compose(Buffer_, dc);
        spv::platform::CopyToVisible(dc, Handle(), box, Buffer_.DC());
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
      TCustomTabControl::WndProc(m);
      // The window's default button takes Enter again once the tabs have the focus.
      NotifyFocusChanged(this);
      Invalidate();
      return;
    case WM_KILLFOCUS:
      TCustomTabControl::WndProc(m);
      Invalidate();
      return;
    case spv::platform::CM_HINTSHOW:
      TabHintShow(*reinterpret_cast<spv::platform::THintInfo*>(m.LParam));
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
