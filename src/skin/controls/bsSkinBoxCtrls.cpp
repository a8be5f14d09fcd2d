#include "skin/controls/bsSkinBoxCtrls.h"

#include "platform/Clipboard.h"
#include "platform/FormReader.h"
#include "skin/controls/bsSkinCtrls.h"
#include "skin/frame/bsSkinForm.h"
#include "skin/frame/bsSkinMenus.h"

#include <algorithm>
#include <windowsx.h>

namespace bs {

using namespace spv::platform;

namespace {

bool InRect(const TRect& r, POINT p) { return p.x >= r.Left && p.x < r.Right && p.y >= r.Top && p.y < r.Bottom; }

void FillFrame(HDC dc, const RECT& r, spv::platform::TColor frame, spv::platform::TColor fill) {
  TGdiHandle<HBRUSH> f(CreateSolidBrush(ColorToRGB(fill))), b(CreateSolidBrush(ColorToRGB(frame)));
  FillRect(dc, &r, f.Get());
  FrameRect(dc, &r, b.Get());
}

void FillWith(HDC dc, int w, int h, spv::platform::TColor colour) {
  const RECT r{0, 0, w, h};
  TGdiHandle<HBRUSH> brush(CreateSolidBrush(ColorToRGB(colour)));
  FillRect(dc, &r, brush.Get());
}

// A rect of a skin picture stretched onto a rect of a bitmap.
void StretchPiece(TbsFBitmap& dest, const TRect& dr, const TImage& src, const TRect& sr) {
  if (RectIsEmpty(dr) || RectIsEmpty(sr)) return;
  TbsFBitmap piece(sr.Width(), sr.Height());
  CopyImageRect(piece, {0, 0, sr.Width(), sr.Height()}, src, sr);
  GdiFlush();
  SetStretchBltMode(dest.DC(), COLORONCOLOR);
  StretchBlt(dest.DC(), dr.Left, dr.Top, dr.Width(), dr.Height(), piece.DC(), 0, 0, sr.Width(), sr.Height(), SRCCOPY);
  GdiFlush();
}

}  // namespace

// ---- TbsCustomEdit ----

TbsCustomEdit::TbsCustomEdit(TComponent* owner) : TCustomMaskEdit(owner) {}

TbsCustomEdit::~TbsCustomEdit() {
  // An open menu would go on showing the items of a menu freed with us.
  if (TextMenuShowing_ && MenuAlive_ && *MenuAlive_) ShownBy_->CloseMenus();
}

TbsEditState TbsCustomEdit::EditMenuState() const {
  TbsEditState s;
  s.CanUndo = CanUndo();
  s.HasSelection = SelLength() > 0;
  s.ReadOnly = ReadOnly();
  s.ClipboardHasText = ClipboardHasText();
  const int length = int(Text().size());
  s.AllSelected = SelStart() == 0 && SelLength() == length;
  return s;
}

void TbsCustomEdit::PerformEditCommand(TbsEditCommand command) {
  switch (command) {
    case TbsEditCommand::ecUndo: Perform(WM_UNDO); break;
    case TbsEditCommand::ecCut: Perform(WM_CUT); break;
    case TbsEditCommand::ecCopy: Perform(WM_COPY); break;
    case TbsEditCommand::ecPaste: Perform(WM_PASTE); break;
    case TbsEditCommand::ecDelete: Perform(WM_CLEAR); break;
    case TbsEditCommand::ecSelectAll: SelectAll(); break;
    case TbsEditCommand::ecNone: break;
  }
}

namespace {

// The frame component of the form `control` sits on, or none.
TbsSkinForm* SkinFormOf(TControl* control) {
  TCustomForm* form = FormOf(control);
  if (!form) return nullptr;
  for (int i = 0; i < form->ComponentCount(); ++i)
    if (auto* f = dynamic_cast<TbsSkinForm*>(form->Components(i))) return f;
  return nullptr;
}

}  // namespace

bool TbsCustomEdit::ShowTextMenu(LPARAM at) {
  TbsSkinForm* frame = SkinFormOf(this);
  TbsSkinData* skin = frame ? (frame->MenusSkinData() ? frame->MenusSkinData() : frame->SkinData()) : nullptr;
  if (!skin) return false;
  RetireTextMenu();
  TextMenu_ = new TbsSkinPopupMenu(this);
  TextMenu_->SetPopupComponent(frame->Owner());
  TextMenu_->SetSkinData(skin);
  // The captions come from the skin's string table when it has one.
  const TbsResourceStrData* strings = frame->SkinData() ? frame->SkinData()->ResourceStrData() : nullptr;
  for (const TbsEditMenuItem& e : EditMenuItems(EditMenuState())) {
    auto* item = new TMenuItem;
    std::wstring caption = e.Caption;
    if (strings && *e.StringKey)
      if (const std::string text = strings->GetResStr(e.StringKey); !text.empty()) caption = TextToWide(text);
    item->SetCaption(caption);
    item->Enabled = e.Enabled;
    if (e.Command != TbsEditCommand::ecNone)
      item->OnClick = [this, command = e.Command](TObject*) { PerformEditCommand(command); };
    TextMenu_->Items().Add(item);
  }
  POINT p{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
  if (at == -1) {
    RECT r;
    GetWindowRect(WindowHandle(), &r);
    p = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  ShownBy_ = &frame->SkinMenu();
  MenuAlive_ = ShownBy_->Alive();
  TextMenu_->PopupForControl(this, p.x, p.y);
  // Told by message 1228 when the menu cycle ends.
  TextMenuShowing_ = *MenuAlive_ && ShownBy_->Showing() && ShownBy_->OpeningControl() == this;
  return true;
}

void TbsCustomEdit::RetireTextMenu() {
  if (!TextMenu_) return;
  RetiredMenus_.push_back(std::exchange(TextMenu_, nullptr));
  if (HandleAllocated()) PostMessageW(WindowHandle(), CM_BS_FREETEXTMENU, 0, 0);
}

void TbsCustomEdit::FreeRetiredMenus() {
  for (TbsSkinPopupMenu* menu : std::exchange(RetiredMenus_, {})) delete menu;
}

void TbsCustomEdit::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_CONTEXTMENU:
      if (ShowTextMenu(m.LParam)) {
        m.Result = 0;
        return;
      }
      break;  // no skinned menus on this form: the native edit's own menu
    case WM_SYSKEYDOWN:
      // Shift+F10 asks for the context menu. Left to the default handling it would also start
      // the window's keyboard menu on the release, which the open skinned menu cannot stop.
      if (m.WParam == VK_F10 && GetKeyState(VK_SHIFT) < 0 && ShowTextMenu(-1)) {
        m.Result = 0;
        return;
      }
      break;
    case WM_SKIN_MENU_CLOSED:
      TextMenuShowing_ = false;
      m.Result = 0;
      return;
    case WM_SKIN_MENU_COMMAND_DONE:
      // Sent by the menu while its own code still runs: the menu goes after that.
      RetireTextMenu();
      m.Result = 0;
      return;
    case CM_BS_FREETEXTMENU:
      FreeRetiredMenus();
      return;
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORSTATIC: {
      // The text goes over the background the control painted.
      HDC dc = reinterpret_cast<HDC>(m.WParam);
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, ColorToRGB(Font().Color()));
      m.Result = reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
      return;
    }
    default: break;
  }
  TCustomMaskEdit::WndProc(m);
}

// ---- TbsSkinCustomEdit ----

TbsSkinCustomEdit::TbsSkinCustomEdit(TComponent* owner) : TbsCustomEdit(owner) {
  Font().SetName(L"Arial");
  Font().SetHeight(14);
  Font().SetColor(clBlack);
  Font().SetStyle(0);
  DefaultFont_.Assign(Font());
  DefaultFont_.OnChange = [this] {
    if (SkinObjectIndex_ < 0) Font().Assign(DefaultFont_);
  };
  SetBounds(Left(), Top(), 121, 20);
}

TbsSkinCustomEdit::~TbsSkinCustomEdit() {
  if (SkinData_) RemoveFreeNotification(SkinData_);
}

void TbsSkinCustomEdit::Notification(TComponent* component, TOperation operation) {
  TbsCustomEdit::Notification(component, operation);
  if (operation == TOperation::opRemove && component == SkinData_) {
    SkinData_ = nullptr;
    SkinObjectIndex_ = -1;
    SkinPicture_ = nullptr;
  }
}

void TbsSkinCustomEdit::SetSkinData(TbsSkinData* value) {
  if (SkinData_) RemoveFreeNotification(SkinData_);
  SkinData_ = value;
  if (value) FreeNotification(value);
  if (value && !value->IsEmpty && !(ComponentState() & csDesigning)) ApplyEditSkin();
}

void TbsSkinCustomEdit::ReadEditSkin() {
  SkinObjectIndex_ = !SkinData_ || SkinData_->IsEmpty ? -1 : SkinData_->FindSkinControl(SkinDataName_);
  SkinPicture_ = nullptr;
  if (SkinObjectIndex_ < 0) return;
  const auto* o = dynamic_cast<const TbsDataSkinEditControl*>(SkinData_->SkinControls[std::size_t(SkinObjectIndex_)].get());
  if (!o) {
    // A description of another kind has none of an edit's pictures: the plain look.
    SkinObjectIndex_ = -1;
    return;
  }
  LeftTopX_ = o->Corners.LeftTopPoint.X;
  RightTopX_ = o->Corners.RightTopPoint.X;
  LeftCap_ = o->Corners.LeftTopPoint.X;
  RightCap_ = o->SkinRect.Width() - o->Corners.RightTopPoint.X;
  ClientRect_ = o->Corners.ClientRect;
  SkinRect_ = o->SkinRect;
  ActiveSkinRect_ = RectIsEmpty(o->ActiveSkinRect) ? o->SkinRect : o->ActiveSkinRect;
  Font_ = *o;
  DisabledFontColor_ = o->DisabledFontColor;
  ActiveFontColor_ = o->ActiveFontColor;
  ButtonRect_ = o->ButtonRect;
  ActiveButtonRect_ = o->ActiveButtonRect;
  DownButtonRect_ = RectIsEmpty(o->DownButtonRect) ? o->ActiveButtonRect : o->DownButtonRect;
  UnEnabledButtonRect_ = o->UnEnabledButtonRect;
  StretchEffect_ = o->StretchEffect;
  if (const TbsSkinBitmap* b = SkinData_->ActivePicture(o->PictureIndex)) SkinPicture_ = &b->Image;
}

void TbsSkinCustomEdit::LayoutEditRects(int W, int H) {
  if (!Skinned()) {
    if (ButtonMode_) {
      EditButtonRect_ = {W - H, 0, W, H};
      EditTextRect_ = {2, 2, EditButtonRect_.Left - 2, H - 2};
    } else {
      EditButtonRect_ = {};
      EditTextRect_ = {2, 2, W - 2, H - 2};
    }
    return;
  }
  const int dx = W - SkinRect_.Width();
  EditTextRect_ = ClientRect_;
  EditTextRect_.Right += dx;
  EditButtonRect_ = ButtonRect_;
  if (EditButtonRect_.Left >= RightTopX_) {
    EditButtonRect_.Left += dx;
    EditButtonRect_.Right += dx;
  }
  if (!UseSkinFont_) {
    const int dy = H - SkinRect_.Height();
    EditTextRect_.Bottom += dy;
    EditButtonRect_.Bottom += dy;
  }
  if (!ButtonMode_) EditButtonRect_ = {};
}

int TbsSkinCustomEdit::FontLineHeight() {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, Font().Handle());
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return tm.tmHeight + (Skinned() ? SkinRect_.Height() - ClientRect_.Height() : 4);
}

void TbsSkinCustomEdit::SetBounds(int left, int top, int width, int height) {
  ReadEditSkin();
  if ((width != Width() || height != Height()) && !(SkinObjectIndex_ < 0 && UseSkinFont_)) {
    if (!UseSkinFont_) height = FontLineHeight();
    else if (Skinned()) height = SkinRect_.Height();
  }
  TbsCustomEdit::SetBounds(left, top, width, height);
  LayoutEditRects(Width(), Height());
  if (HandleAllocated()) {
    SetWindowPos(WindowHandle(), nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RedrawWindow(WindowHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
  }
}

void TbsSkinCustomEdit::SetStateFontColor() {
  if (!Skinned()) return;
  const bool active = EditMouseOver_ || (HandleAllocated() && Focused());
  Font().SetColor(spv::platform::TColor(active ? ActiveFontColor_ : Font_.FontColor));
}

void TbsSkinCustomEdit::ApplyEditSkin() {
  ReadEditSkin();
  const BYTE charset = DefaultFont_.Charset();
  if (SkinObjectIndex_ < 0) {
    Font().Assign(DefaultFont_);
    if (DefaultWidth_ > 0) SetWidth(DefaultWidth_);
    if (DefaultHeight_ > 0) SetHeight(DefaultHeight_);
  } else if (UseSkinFont_) {
    AssignSkinFont(Font(), Font_, charset);
    TbsCustomEdit::SetBounds(Left(), Top(), Width(), SkinRect_.Height());
  } else {
    Font().Assign(DefaultFont_);
  }
  SetStateFontColor();
  if (!UseSkinFont_) TbsCustomEdit::SetBounds(Left(), Top(), Width(), FontLineHeight());
  LayoutEditRects(Width(), Height());
  RecreateWnd();
  RepaintFrame();
}

void TbsSkinCustomEdit::SetButtonMode(bool value) {
  ButtonMode_ = value;
  if (ComponentState() & csDesigning && !Loading()) SkinDataName_ = value ? "buttonedit" : "edit";
  LayoutEditRects(Width(), Height());
  RecreateWnd();
}

void TbsSkinCustomEdit::SetAlignment(TAlignment value) {
  if (value == Alignment_) return;
  Alignment_ = value;
  RecreateWnd();
}

void TbsSkinCustomEdit::CreateWnd() {
  TbsCustomEdit::CreateWnd();
  // The system window measured its frame before we took its messages: measure again.
  SetWindowPos(WindowHandle(), nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

DWORD TbsSkinCustomEdit::EditStyle() const {
  switch (Alignment_) {
    case TAlignment::taRightJustify: return ES_RIGHT;
    case TAlignment::taCenter: return ES_CENTER;
    default: return ES_LEFT;
  }
}

void TbsSkinCustomEdit::SetDefaultColor(spv::platform::TColor value) {
  DefaultColor_ = value;
  if (SkinObjectIndex_ < 0 && HandleAllocated()) RedrawWindow(WindowHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

void TbsSkinCustomEdit::SetDefaultFont(const spv::platform::TFont& font) { DefaultFont_.Assign(font); }

void TbsSkinCustomEdit::SetDefaultWidth(int value) {
  DefaultWidth_ = value;
  if (SkinObjectIndex_ < 0 && value > 0) SetWidth(value);
}

void TbsSkinCustomEdit::SetDefaultHeight(int value) {
  DefaultHeight_ = value;
  if (SkinObjectIndex_ < 0 && value > 0 && UseSkinFont_) SetHeight(value);
  else SetHeight(FontLineHeight());
}

void TbsSkinCustomEdit::RepaintFrame() {
  if (HandleAllocated()) SendMessageW(WindowHandle(), WM_NCPAINT, 1, 0);
}

// -- Painting

void TbsSkinCustomEdit::PaintEditFrame(TbsFBitmap& bitmap) {
  const int W = Width(), H = Height();
  bitmap.SetSize(W, H);
  if (!Skinned()) {
    HDC dc = bitmap.DC();
    const int bw = ButtonMode_ ? EditButtonRect_.Width() : 0;
    const RECT outer{0, 0, W - bw, H}, inner{1, 1, W - bw - 1, H - 1};
    FillFrame(dc, outer, clBtnFace, DefaultColor_);
    TGdiHandle<HBRUSH> shadow(CreateSolidBrush(ColorToRGB(clBtnShadow))), face(CreateSolidBrush(ColorToRGB(clBtnFace)));
    FrameRect(dc, &outer, shadow.Get());
    FrameRect(dc, &inner, face.Get());
    if (ButtonMode_) {
      const RECT b = ToRECT(EditButtonRect_);
      if (ButtonDown_ && ButtonHot_) FillFrame(dc, b, clNavy, 0xB59385);
      else if (ButtonHot_) FillFrame(dc, b, clNavy, 0xD2BDB6);
      else FillFrame(dc, b, clBtnShadow, clBtnFace);
    }
    GdiFlush();
    return;
  }
  const bool active = EditMouseOver_ || (HandleAllocated() && Focused());
  if (UseSkinFont_) {
    ThreePartHorzImage(LeftCap_, RightCap_, bitmap, *SkinPicture_, active ? ActiveSkinRect_ : SkinRect_, W,
                       StretchEffect_);
    if (ButtonMode_) {
      const TRect* face = nullptr;
      if (!Enabled() && !RectIsEmpty(UnEnabledButtonRect_)) face = &UnEnabledButtonRect_;
      else if (ButtonDown_ && ButtonHot_ && !RectIsEmpty(DownButtonRect_)) face = &DownButtonRect_;
      else if (ButtonHot_ && !RectIsEmpty(ActiveButtonRect_)) face = &ActiveButtonRect_;
      if (face) StretchPiece(bitmap, EditButtonRect_, *SkinPicture_, *face);
    }
  } else {
    NinePartFromClientRect(bitmap, *SkinPicture_, active ? ActiveSkinRect_ : SkinRect_, false, ClientRect_);
  }
}

void TbsSkinCustomEdit::PaintFrameTo(HDC dc) {
  if (Width() <= 0 || Height() <= 0) return;
  ReadEditSkin();
  LayoutEditRects(Width(), Height());
  TbsFBitmap bitmap;
  PaintEditFrame(bitmap);
  GdiFlush();
  const int saved = SaveDC(dc);
  ExcludeClipRect(dc, EditTextRect_.Left, EditTextRect_.Top, EditTextRect_.Right, EditTextRect_.Bottom);
  BitBlt(dc, 0, 0, bitmap.Width(), bitmap.Height(), bitmap.DC(), 0, 0, SRCCOPY);
  RestoreDC(dc, saved);
}

TbsFBitmap TbsSkinCustomEdit::FrameSnapshot() {
  ReadEditSkin();
  LayoutEditRects(Width(), Height());
  TbsFBitmap bitmap;
  if (Width() > 0 && Height() > 0) PaintEditFrame(bitmap);
  GdiFlush();
  return bitmap;
}

void TbsSkinCustomEdit::PaintEditBackground(HDC dc) {
  const int w = EditTextRect_.Width(), h = EditTextRect_.Height();
  if (w <= 0 || h <= 0) return;
  TbsFBitmap bitmap(w, h);
  if (!Skinned()) {
    FillWith(bitmap.DC(), w, h, DefaultColor_);
  } else {
    const bool active = EditMouseOver_ || Focused();
    TRect state = active ? ActiveSkinRect_ : SkinRect_;
    const TRect part{state.Left + ClientRect_.Left, state.Top + ClientRect_.Top,
                     state.Left + ClientRect_.Left + ClientRect_.Width(), state.Top + ClientRect_.Top + ClientRect_.Height()};
    if (UseSkinFont_) {
      ThreePartHorzImage(std::max(0, LeftTopX_ - ClientRect_.Left), std::max(0, ClientRect_.Right - RightTopX_), bitmap,
                         *SkinPicture_, part, w, StretchEffect_);
    } else {
      StretchPiece(bitmap, {0, 0, w, h}, *SkinPicture_, part);
    }
  }
  GdiFlush();
  BitBlt(dc, 0, 0, bitmap.Width(), bitmap.Height(), bitmap.DC(), 0, 0, SRCCOPY);
}

void TbsSkinCustomEdit::PaintDisabledText(HDC dc) {
  TFont font;
  font.Assign(UseSkinFont_ && Skinned() ? Font() : DefaultFont_);
  font.SetColor(Skinned() ? spv::platform::TColor(DisabledFontColor_) : clGrayText);
  HGDIOBJ old = SelectObject(dc, font.Handle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(font.Color()));
  const std::wstring text = Text();
  const int w = EditTextRect_.Width(), tw = WideTextWidth(dc, text);
  int x = 2;
  if (Alignment_ == TAlignment::taRightJustify) x = w - tw - 1;
  else if (Alignment_ == TAlignment::taCenter) x = 2 + w / 2 - tw / 2;
  RECT r{x, 0, w, EditTextRect_.Height()};
  DrawWideText(dc, text, r, DT_NOPREFIX | DT_SINGLELINE);
  SelectObject(dc, old);
}

void TbsSkinCustomEdit::PaintClient() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(WindowHandle(), &ps);
  RECT c;
  GetClientRect(WindowHandle(), &c);
  if (c.right > 0 && c.bottom > 0) {
    // The background, then the native edit's text over it, in one picture.
    TbsFBitmap bitmap(c.right, c.bottom);
    PaintEditBackground(bitmap.DC());
    if (Enabled()) {
      TMessage paint{WM_PAINT, reinterpret_cast<WPARAM>(bitmap.DC()), 0, 0};
      DefaultHandler(paint);
    } else {
      PaintDisabledText(bitmap.DC());
    }
    GdiFlush();
    BitBlt(dc, 0, 0, c.right, c.bottom, bitmap.DC(), 0, 0, SRCCOPY);
  }
  EndPaint(WindowHandle(), &ps);
}

// -- Behaviour

POINT TbsSkinCustomEdit::ToWindow(POINT p) const {
  RECT w;
  GetWindowRect(WindowHandle(), &w);
  return {p.x - w.left, p.y - w.top};
}

bool TbsSkinCustomEdit::PointerOverWindow() const {
  POINT p;
  GetCursorPos(&p);
  return WindowFromPoint(p) == WindowHandle();
}

void TbsSkinCustomEdit::SetButtonHot(bool value) {
  if (value == ButtonHot_) return;
  ButtonHot_ = value;
  RepaintFrame();
}

void TbsSkinCustomEdit::MouseEnter() {
  EditMouseOver_ = true;
  if (Skinned() && !Focused()) {
    SetStateFontColor();
    RepaintFrame();
    Invalidate();
  }
  if (OnMouseEnter) OnMouseEnter(this);
}

void TbsSkinCustomEdit::MouseLeave() {
  EditMouseOver_ = false;
  if (Skinned() && !Focused()) {
    SetStateFontColor();
    Invalidate();
  }
  if (ButtonHot_ || (ButtonDown_ && !ButtonTracking_)) {
    ButtonHot_ = false;
    if (!ButtonTracking_) ButtonDown_ = false;
  }
  RepaintFrame();
  if (OnMouseLeave) OnMouseLeave(this);
}

void TbsSkinCustomEdit::ButtonClick() {
  if (OnButtonClick) OnButtonClick(this);
}

void TbsSkinCustomEdit::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_NCCALCSIZE: {
      auto* r = reinterpret_cast<RECT*>(m.LParam);
      const int W = r->right - r->left, H = r->bottom - r->top;
      ReadEditSkin();
      LayoutEditRects(W, H);
      if (!Skinned()) {
        r->left += 2, r->top += 2, r->bottom -= 2;
        r->right -= ButtonMode_ ? H + 2 : 2;
      } else {
        r->left += ClientRect_.Left;
        r->top += ClientRect_.Top;
        r->right -= SkinRect_.Width() - ClientRect_.Right;
        r->bottom -= SkinRect_.Height() - ClientRect_.Bottom;
      }
      if (r->right < r->left) r->right = r->left;
      if (r->bottom < r->top) r->bottom = r->top;
      m.Result = 0;
      return;
    }
    case WM_NCPAINT: {
      HDC dc = GetWindowDC(WindowHandle());
      PaintFrameTo(dc);
      ReleaseDC(WindowHandle(), dc);
      m.Result = 0;
      return;
    }
    case WM_PAINT_FRAME_INTO:
      if (m.LParam != kPaintFrameTag) break;
      if (m.WParam) PaintFrameTo(reinterpret_cast<HDC>(m.WParam));
      m.Result = kPaintFrameAnswer;
      return;
    case WM_ERASEBKGND:
      PaintEditBackground(reinterpret_cast<HDC>(m.WParam));
      m.Result = 1;
      return;
    case WM_PAINT:
      if (m.WParam) break;
      PaintClient();
      return;
    case WM_NCHITTEST: {
      if (ComponentState() & csDesigning) break;
      const POINT p = ToWindow({GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)});
      if (ButtonMode_ && InRect(EditButtonRect_, p)) m.Result = HTVSCROLL;
      else if (!InRect(EditTextRect_, p)) m.Result = HTBORDER;
      else break;
      return;
    }
    case WM_NCMOUSEMOVE: {
      if (!EditMouseOver_) {
        TRACKMOUSEEVENT t{sizeof(t), TME_LEAVE | TME_NONCLIENT, WindowHandle(), 0};
        TrackMouseEvent(&t);
        MouseEnter();
      }
      SetButtonHot(ButtonMode_ && m.WParam == HTVSCROLL);
      m.Result = 0;
      return;
    }
    case WM_NCMOUSELEAVE:
    case WM_MOUSELEAVE:
      if (!ButtonTracking_ && !PointerOverWindow() && EditMouseOver_) MouseLeave();
      if (m.Msg == WM_NCMOUSELEAVE) return;
      break;
    case CM_MOUSEENTER:
      if (!EditMouseOver_) MouseEnter();
      break;
    case CM_MOUSELEAVE: return;  // told by WM_MOUSELEAVE above, which knows the frame too
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
      if (ButtonMode_ && m.WParam == HTVSCROLL) {
        ButtonDown_ = ButtonHot_ = true;
        ButtonTracking_ = true;
        ButtonPressed();
        // The button holds the mouse until the release, wherever that happens.
        SetCapture(WindowHandle());
        RepaintFrame();
        m.Result = 0;
        return;
      }
      if (m.WParam == HTBORDER) {
        m.Result = 0;
        return;
      }
      break;
    case WM_MOUSEMOVE:
      if (ButtonTracking_) {
        POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
        ::ClientToScreen(WindowHandle(), &p);
        SetButtonHot(InRect(EditButtonRect_, ToWindow(p)));
        return;
      }
      SetButtonHot(false);
      break;
    case WM_LBUTTONUP:
      if (ButtonTracking_) {
        POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
        ::ClientToScreen(WindowHandle(), &p);
        const bool over = InRect(EditButtonRect_, ToWindow(p));
        ButtonTracking_ = false;
        ButtonDown_ = false;
        ButtonHot_ = over;
        ReleaseCapture();
        RepaintFrame();
        if (!over && !PointerOverWindow() && EditMouseOver_) MouseLeave();
        if (over) {
          if (!Focused() && CanFocus()) SetFocus();
          ButtonClick();
        }
        return;
      }
      break;
    case WM_CAPTURECHANGED:
      if (ButtonTracking_ && reinterpret_cast<HWND>(m.LParam) != WindowHandle()) {
        ButtonTracking_ = ButtonDown_ = false;
        RepaintFrame();
      }
      break;
    case WM_SETFOCUS:
      TbsCustomEdit::WndProc(m);
      // The window's default button takes Enter while the focus is in an edit.
      NotifyFocusChanged(this);
      if (!EditMouseOver_) SetStateFontColor();
      RepaintFrame();
      Invalidate();
      return;
    case WM_KILLFOCUS:
      TbsCustomEdit::WndProc(m);
      if (!EditMouseOver_) SetStateFontColor();
      RepaintFrame();
      Invalidate();
      return;
    case WM_CHAR:
      if (m.WParam == VK_RETURN || m.WParam == VK_ESCAPE) {
        // Enter and Escape belong to the form's default and cancel buttons; neither reaches
        // the text.
        const WORD key = WORD(m.WParam);
        wchar_t pressed = wchar_t(key);
        KeyPress(pressed);
        DispatchDialogKey(this, key, KeyboardShiftState());
        return;
      }
      break;
    case CM_ENABLEDCHANGED:
      TbsCustomEdit::WndProc(m);
      RepaintFrame();
      Invalidate();
      return;
    default: break;
  }
  TbsCustomEdit::WndProc(m);
}

bool TbsSkinCustomEdit::ReadProperty(const TStoredProperty& p, TFormReader& reader) {
  if (auto member = p.Member("DefaultFont")) return DefaultFont_.ReadProperty(*member, p);
  if (SameIdent(p.Name, "SkinData")) reader.ResolveReference<TbsSkinData>(p, [this](TbsSkinData* d) { SetSkinData(d); });
  else if (SameIdent(p.Name, "SkinDataName")) SkinDataName_ = WideToCp1251(p.String());
  else if (SameIdent(p.Name, "ButtonMode")) SetButtonMode(p.Boolean());
  else if (SameIdent(p.Name, "UseSkinFont")) UseSkinFont_ = p.Boolean();
  else if (SameIdent(p.Name, "DefaultColor")) SetDefaultColor(p.Color());
  else if (SameIdent(p.Name, "DefaultWidth")) SetDefaultWidth(p.Int());
  else if (SameIdent(p.Name, "DefaultHeight")) SetDefaultHeight(p.Int());
  else if (SameIdent(p.Name, "OnButtonClick")) OnButtonClick = reader.Method(p);
  else if (SameIdent(p.Name, "OnMouseEnter")) OnMouseEnter = reader.Method(p);
  else if (SameIdent(p.Name, "OnMouseLeave")) OnMouseLeave = reader.Method(p);
  else return TbsCustomEdit::ReadProperty(p, reader);
  return true;
}

void TbsSkinCustomEdit::Loaded() {
  TbsCustomEdit::Loaded();
  if (SkinData_ && SkinData_->ResourceStrData()) Font().SetCharset(BYTE(SkinData_->ResourceStrData()->CharSet));
}

}  // namespace bs
