#include "skin/dialogs/bsSkinTreeView.h"

#include "skin/controls/bsSkinCtrls.h"

namespace bs {

using namespace spv::platform;

TbsSkinCustomTreeView::TbsSkinCustomTreeView(TComponent* owner) : TCustomTreeView(owner) {
  DefaultFont_.SetName(L"Arial");
  DefaultFont_.SetHeight(14);
  DefaultFont_.SetStyle(0);
  ApplyLook();
}

TbsSkinCustomTreeView::~TbsSkinCustomTreeView() = default;

void TbsSkinCustomTreeView::SetSkinData(TbsSkinData* value) {
  if (SkinData_) RemoveFreeNotification(SkinData_);
  SkinData_ = value;
  if (value) FreeNotification(value);
  ApplySkin();
}

void TbsSkinCustomTreeView::SetDefaultFont(const TFont& font) {
  DefaultFont_.Assign(font);
  ApplyLook();
}

void TbsSkinCustomTreeView::SetUseSkinFont(bool value) {
  UseSkinFont_ = value;
  ApplyLook();
}

void TbsSkinCustomTreeView::Notification(TComponent* component, TOperation operation) {
  TCustomTreeView::Notification(component, operation);
  if (operation != TOperation::opRemove) return;
  if (component == SkinData_) {
    SkinData_ = nullptr;
    SkinObjectIndex_ = -1;
  }
  if (component == HScrollBar_) HScrollBar_ = nullptr;
  if (component == VScrollBar_) VScrollBar_ = nullptr;
}

void TbsSkinCustomTreeView::AttachBar(TbsSkinScrollBar*& slot, TbsSkinScrollBar* bar, bool vertical) {
  if (slot == bar) return;
  if (slot) {
    RemoveFreeNotification(slot);
    slot->OnChange = nullptr;
  }
  if (!bar) {
    slot = nullptr;
    return;
  }
  // Hidden before it is linked: hiding a window lets the tree repaint, and a linked bar would
  // be shown again from inside its own hiding.
  bar->SetEnabled(true);
  bar->SetVisible(false);
  slot = bar;
  FreeNotification(bar);
  // Every move of the bar, by its buttons, its track or its thumb, scrolls the tree there.
  bar->OnChange = [this, bar, vertical](TObject*) {
    if (Updating_ || !HandleAllocated()) return;
    SendMessageW(Handle(), vertical ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, WORD(bar->Position())), 0);
  };
  UpdateScrollBars();
}

void TbsSkinCustomTreeView::SetHScrollBar(TbsSkinScrollBar* bar) { AttachBar(HScrollBar_, bar, false); }

void TbsSkinCustomTreeView::SetVScrollBar(TbsSkinScrollBar* bar) { AttachBar(VScrollBar_, bar, true); }

void TbsSkinCustomTreeView::ShowScrollState(const TbsTreeScrollState& s) {
  const TbsTreeScrollBars shown = TreeScrollBarsShown(s);
  bool changed = false;
  auto fit = [&changed](TbsSkinScrollBar* bar, bool show, int max, int page, int position) {
    if (!bar) return;
    bar->SetRange(0, show ? max : 0, show ? page : 0, position);
    if (bar->Visible() != show) {
      bar->SetVisible(show);
      changed = true;
    }
  };
  fit(VScrollBar_, shown.Vertical, s.VertMax, s.VisibleCount, s.VertPos);
  fit(HScrollBar_, shown.Horizontal, s.HorzMax, s.TreeWidth, s.HorzPos);
  if (HScrollBar_) HScrollBar_->SetBoth(shown.HorizontalBoth && VScrollBar_);
  if (changed && Align() != TAlign::alNone && Parent()) Parent()->Realign();
}

void TbsSkinCustomTreeView::ApplySkin() {
  SkinObjectIndex_ = !SkinData_ || SkinData_->IsEmpty ? -1 : SkinData_->FindSkinControl(SkinDataName_);
  if (SkinObjectIndex_ >= 0 &&
      !dynamic_cast<const TbsDataSkinTreeView*>(SkinData_->SkinControls[std::size_t(SkinObjectIndex_)].get()))
    SkinObjectIndex_ = -1;
  ApplyLook();
}

void TbsSkinCustomTreeView::ApplyLook() {
  const TbsDataSkinTreeView* d =
      SkinObjectIndex_ >= 0
          ? static_cast<const TbsDataSkinTreeView*>(SkinData_->SkinControls[std::size_t(SkinObjectIndex_)].get())
          : nullptr;
  if (d && UseSkinFont_) {
    AssignSkinFont(Font(), *d, DefaultFont_.Charset());
  } else {
    Font().SetName(DefaultFont_.Name());
    Font().SetHeight(DefaultFont_.Height());
    Font().SetStyle(DefaultFont_.Style());
  }
  Font().SetColor(d ? TColor(d->FontColor) : DefaultFont_.Color());
  BackgroundColor_ = d ? TColor(d->BGColor) : clWindow;
  SetColor(BackgroundColor_);
  if (!HandleAllocated()) return;
  SendMessageW(Handle(), TVM_SETBKCOLOR, 0, LPARAM(ColorToRGB(BackgroundColor_)));
  SendMessageW(Handle(), TVM_SETTEXTCOLOR, 0, LPARAM(ColorToRGB(Font().Color())));
  Invalidate();
}

void TbsSkinCustomTreeView::CreateWnd() {
  TCustomTreeView::CreateWnd();
  ApplyLook();
}

TbsTreeScrollState TbsSkinCustomTreeView::ScrollState() const {
  TbsTreeScrollState s;
  s.TreeVisible = Visible();
  s.TreeWidth = Width();
  if (!HandleAllocated()) return s;
  const HWND w = WindowHandle();
  SCROLLINFO v{};
  v.cbSize = sizeof(v);
  v.fMask = SIF_ALL;
  if (GetScrollInfo(w, SB_VERT, &v)) {
    s.VertMax = v.nMax;
    s.VertPos = v.nPos;
  }
  SCROLLINFO h = v;
  if (GetScrollInfo(w, SB_HORZ, &h)) {
    s.HorzMax = h.nMax;
    s.HorzPos = h.nPos;
  }
  s.VisibleCount = int(SendMessageW(w, TVM_GETVISIBLECOUNT, 0, 0));
  s.ItemCount = NodeCount();
  return s;
}

void TbsSkinCustomTreeView::UpdateScrollBars() {
  if (Updating_ || !HandleAllocated()) return;
  Updating_ = true;
  try {
    ShowScrollState(ScrollState());
  } catch (...) {
    Updating_ = false;
    throw;
  }
  Updating_ = false;
}

void TbsSkinCustomTreeView::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_NCCALCSIZE:
      // The whole window is the client: the tree's own bars fall outside it and never show;
      // the outside bars stand in for them.
      m.Result = 0;
      return;
    case WM_NCPAINT: return;
    case WM_KEYDOWN:
      // Enter and Escape belong to the window's default and cancel buttons.
      if ((m.WParam == VK_RETURN || m.WParam == VK_ESCAPE) && DispatchDialogKey(this, WORD(m.WParam), KeyboardShiftState()))
        return;
      TCustomTreeView::WndProc(m);
      UpdateScrollBars();
      return;
    case WM_SETFOCUS:
      TCustomTreeView::WndProc(m);
      // The window's default button takes Enter while the focus is in the tree.
      NotifyFocusChanged(this);
      return;
    case WM_CHAR:
      // The tree beeps at the Enter and Escape characters the buttons already took.
      if (m.WParam == VK_RETURN || m.WParam == VK_ESCAPE) return;
      break;
    case WM_SIZE:
    case WM_PAINT:
    case WM_LBUTTONUP:
    case WM_MOUSEWHEEL:
      TCustomTreeView::WndProc(m);
      UpdateScrollBars();
      return;
    default: break;
  }
  TCustomTreeView::WndProc(m);
}

}  // namespace bs
