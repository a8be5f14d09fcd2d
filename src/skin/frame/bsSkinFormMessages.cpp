// The frame's window procedure: which messages the frame answers itself, which it passes on
// to the form's own procedure before or after its part, and the keyboard shortcut it keeps
// from the system menu.

#include "skin/frame/bsSkinForm.h"

#include "skin/resources/bsSkinMessages.h"

namespace bs {

using spv::platform::TMessage;

namespace {

bool IsSizingCode(LRESULT code) { return code >= HTLEFT && code <= HTBOTTOMRIGHT; }

}  // namespace

// ---- The window procedure ---------------------------------------------------------------------

void TbsSkinForm::FrameWndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_MOVE: case WM_SIZE: case WM_ACTIVATE: case WM_KILLFOCUS: case WM_CANCELMODE: case WM_MOUSEACTIVATE:
    case WM_NCLBUTTONDOWN: case WM_NCRBUTTONDOWN: case WM_NCMBUTTONDOWN: case WM_LBUTTONDOWN: case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: case WM_PARENTNOTIFY:
      if (ShowObjectHint && SkinHint) SkinHint->HideHint();
      CloseMenusFirst(m.Msg);
      break;
    default: break;
  }

  switch (m.Msg) {
    case WM_CREATE:
      CallPrevious(m);
      StripCaption();
      return;
    case WM_DESTROY:
      StopTimers();
      RegionWindow_ = nullptr;
      PaintedActive_ = -1;
      CallPrevious(m);
      return;
    case WM_SIZE: OnSize(m); return;
    case WM_ACTIVATE:
      CallPrevious(m);
      FormActive_ = LOWORD(m.WParam) != WA_INACTIVE;
      {
        // Looks first, so that the repaint shows no button lit from before; one paint shows
        // them with the caption's, and none when the frame shows this very look already (the
        // WM_NCACTIVATE before painted it).
        const bool looksChanged = ResetObjectLooks();
        if (!UpdateCaptionLit(true) && (looksChanged || PaintedActive_ != int(IsFormActive()))) NCRepaint();
        ReportActivity();
      }
      return;
    case WM_SETTEXT:
      CallPrevious(m);
      if (!NoBorder()) NCRepaint();
      return;
    case WM_ERASEBKGND:
      OnEraseBackground(reinterpret_cast<HDC>(m.WParam));
      m.Result = 1;
      return;
    case WM_SHOWWINDOW:
      OnShowWindow(m.WParam != 0);
      CallPrevious(m);
      return;
    case WM_SETCURSOR:
      if (UseFormCursorInNCArea && !IsSizingCode(LOWORD(m.LParam)))
        m.LParam = MAKELPARAM(HTCLIENT, HIWORD(m.LParam));
      CallPrevious(m);
      return;
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(m.LParam);
      info->ptMinTrackSize = {GetMinWidth(), GetMinHeight()};
      info->ptMaxTrackSize = GetMaxSize();
      CallPrevious(m);
      return;
    }
    case WM_NCCALCSIZE: OnNCCalcSize(m); return;
    case spv::platform::CM_CALCCLIENTRECT:
      if (NoBorder()) {
        CallPrevious(m);
        return;
      }
      {
        auto* r = reinterpret_cast<RECT*>(m.LParam);
        *r = ToRECT(ClientFromWindow(FromRECT(*r)));
        m.Result = 1;
      }
      return;
    case WM_NCHITTEST: OnNCHitTest(m); return;
    case WM_NCPAINT:
      if (!NoBorder() && !SkinChanging_) {
        if (Skinned_) PaintSkinnedFrame();
        else PaintBuiltInFrame();
        PaintedActive_ = int(IsFormActive());
      }
      m.Result = 0;
      return;
    case WM_NCACTIVATE:
      NCActive_ = m.WParam != 0;
      FormActive_ = NCActive_;
      m.Result = 1;
      // The caption's look first, so that one paint shows the new activity.
      if (!UpdateCaptionLit(!NoBorder())) NCRepaint();
      ReportActivity();
      return;
    case WM_SYNCPAINT:
      if (States_.RolledUp) {
        NCRepaint();
        m.Result = 0;
        return;
      }
      CallPrevious(m);
      return;
    case WM_SYSCOMMAND:
      switch (m.WParam & 0xFFF0) {
        case SC_RESTORE:
          if (OnRestore) OnRestore(this);
          break;
        case SC_KEYMENU:
          // Alt or F10 alone would open the system's own window menu.
          if (MenuOpen_) MenuClosed();
          m.Result = 0;
          return;
        default: break;
      }
      CallPrevious(m);
      return;
    case WM_TIMER:
      if (m.WParam == FadeInTimer) FadeInTick();
      CallPrevious(m);
      return;
    case WM_SIZING: OnSizing(m); return;
    case WM_MOVING: OnMoving(m); return;
    case WM_ENTERSIZEMOVE:
      ResetObjectLooks();
      FrameTimer_.SetEnabled(false);
      Hot_ = Pressed_ = -1;
      InSizeMove_ = true;
      {
        BOOL full = FALSE;
        SystemParametersInfoW(SPI_GETDRAGFULLWINDOWS, 0, &full, 0);
        FullDrag_ = full != FALSE;
      }
      CallPrevious(m);
      return;
    case WM_EXITSIZEMOVE:
      FrameTimer_.SetEnabled(false);
      Hot_ = PreviousHot_ = Pressed_ = -1;
      if (Skinned_) NCRepaint();
      // A loop started from the keyboard has no button press to end it.
      if (!InNCLButtonDown_) InSizeMove_ = false;
      CallPrevious(m);
      return;
    case WM_SKIN_BEFORE_CHANGE:
      if (TbsSkinData* data = TbsSkinData::FromMessage(m.WParam, m.LParam); data && data == SkinData_)
        OnSkinBeforeChange(data);
      CallPrevious(m);
      return;
    case WM_SKIN_CHANGED:
      if (m.LParam == SkinMessageLParam) OnSkinChanged(TbsSkinData::FromMessage(m.WParam, m.LParam));
      CallPrevious(m);
      return;
    case WM_SKIN_AFTER_CHANGE:
      if (m.LParam == SkinMessageLParam && OnAfterChangeSkinData) OnAfterChangeSkinData(this);
      CallPrevious(m);
      return;
    case WM_CONTEXTMENU:
      // Over the frame the system would show its own window menu: the skinned one came already.
      if (m.LParam != -1 && SendMessageW(Window(), WM_NCHITTEST, 0, m.LParam) != HTCLIENT) {
        m.Result = 0;
        return;
      }
      CallPrevious(m);
      return;
    case WM_SKIN_MENU_CLOSED:
      MenuClosed();
      m.Result = 0;
      return;
    case WM_SKIN_STRINGS_CHANGED:
      LoadButtonHints();
      CallPrevious(m);
      return;
    case bs::WM_PAINT_FRAME_INTO:
      if (m.LParam == bs::kPaintFrameTag) {
        OnPaintFrameInto(m);
        return;
      }
      CallPrevious(m);
      return;
    case WM_NCMOUSEMOVE: case WM_NCLBUTTONDOWN: case WM_NCLBUTTONUP: case WM_NCLBUTTONDBLCLK: case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP: case WM_NCRBUTTONDBLCLK: case WM_LBUTTONUP: case WM_RBUTTONUP:
      HandlePointer(m);
      return;
    default: CallPrevious(m); return;
  }
}

void TbsSkinForm::StripCaption() {
  HWND h = Window();
  const LONG_PTR style = GetWindowLongPtrW(h, GWL_STYLE);
  if (!(style & WS_CAPTION)) return;
  SetWindowLongPtrW(h, GWL_STYLE, style & ~LONG_PTR(WS_CAPTION));
  SetWindowPos(h, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TbsSkinForm::OnNCCalcSize(TMessage& m) {
  m.Result = 0;
  if (NoBorder()) return;
  auto* r = reinterpret_cast<RECT*>(m.LParam);  // the first rect of either form of the message
  if (Skinned_) UpdateFrameLayout();
  *r = ToRECT(ClientFromWindow(FromRECT(*r)));
}

void TbsSkinForm::OnNCHitTest(TMessage& m) {
  // A window without a border has no frame to hit: all of it is client area.
  if (NoBorder()) {
    CallPrevious(m);
    return;
  }
  const TPoint p = MessagePoint(m.LParam);
  const int code = Skinned_ ? SkinnedHitTest(p) : BuiltInHitTest(p);
  m.Result = code;
  if (code == HTOBJECT && !FrameTimer_.Enabled()) {
    UpdateHotObject(p.X, p.Y);
    FrameTimer_.SetEnabled(true);
  }
}

void TbsSkinForm::OnShowWindow(bool show) {
  HWND h = Window();
  if (!show) {
    if (AlphaBlend_ && h) SetLayeredStyle(h, false);
    return;
  }
  if (FirstShow_) {
    FirstShow_ = false;
    if (PositionInMonitor != TbsPositionInMonitor::bspDefault && States_.WindowState == wsNormal) {
      const RECT r = PlacedInMonitor(Form_->Width(), Form_->Height());
      Form_->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
    }
  }
  if (AlphaBlend_ || AlphaBlendAnimation) StartFadeIn();
  NudgeWidth();
}

void TbsSkinForm::OnSizing(TMessage& m) {
  if (!(InSizeMove_ && FullDrag_)) {
    CallPrevious(m);
    return;
  }
  Snap_.Clear();
  CallPrevious(m);
  const auto* r = reinterpret_cast<const RECT*>(m.LParam);
  FrameWidth_ = r->right - r->left;
  FrameHeight_ = r->bottom - r->top;
  const RECT now = FormBounds();
  const int w = now.right - now.left, h = now.bottom - now.top;
  if (Skinned_ && w >= GetMinWidth() && h >= GetMinHeight() && (FrameWidth_ != w || FrameHeight_ != h))
    RefreshFrame();
  m.Result = TRUE;
}

void TbsSkinForm::OnSize(TMessage& m) {
  HWND h = Window();
  if (InSizeMove_ && FullDrag_) {
    if (!LogoBitMap_.Empty()) InvalidateRect(h, nullptr, TRUE);
    CallPrevious(m);
    return;
  }
  CallPrevious(m);
  Snap_.Clear();
  const RECT r = FormBounds();
  FrameWidth_ = r.right - r.left;
  FrameHeight_ = r.bottom - r.top;
  if (!Skinned_) {
    if (!Objects_.empty()) ArrangeBuiltInObjects();
    NCRepaint();
  } else if (FrameWidth_ >= GetMinWidth() && FrameHeight_ >= GetMinHeight()) {
    RefreshFrame();
  }
  if (AlphaBlend_ && AlphaBlendValue_ != 255 && LayeredWindowsAvailable()) {
    NCRepaint();
    InvalidateRect(h, nullptr, TRUE);
  }
  if (!LogoBitMap_.Empty()) InvalidateRect(h, nullptr, TRUE);
}

void TbsSkinForm::OnMoving(TMessage& m) {
  auto* r = reinterpret_cast<RECT*>(m.LParam);
  if (Maximized()) {
    *r = FormBounds();
  } else if (Magnetic) {
    POINT cursor{};
    GetCursorPos(&cursor);
    const int w = r->right - r->left, h = r->bottom - r->top;
    const TPoint at = MagneticPosition(Snap_, {r->left, r->top}, w, h, FromRECT(WorkAreaOf(Window(), true)),
                                       {cursor.x, cursor.y}, MagneticSize);
    *r = {at.X, at.Y, at.X + w, at.Y + h};
  }
  CallPrevious(m);
  m.Result = TRUE;
}

// ---- The keyboard ---------------------------------------------------------------------------

void TbsSkinForm::ShortCut(MSG& msg, bool& handled) {
  if (OnShortCut) {
    OnShortCut(msg, handled);
    if (handled) return;
  }
  // Alt+Space belongs to the skinned system menu: the system's own is never shown.
  const bool altOnly = (GetKeyState(VK_MENU) < 0) && GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_SHIFT) >= 0;
  if ((msg.message == WM_SYSKEYDOWN || msg.message == WM_KEYDOWN) && msg.wParam == VK_SPACE && altOnly) {
    handled = true;
    PopupSystemMenuFromButtons();
  }
}

}  // namespace bs
