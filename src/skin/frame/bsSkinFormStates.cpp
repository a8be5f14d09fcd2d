// The window states of the frame: the caption buttons' commands, minimise (to a bar along the
// bottom of the work area), maximise, restore, and rolling up to the caption.

#include "skin/frame/bsSkinForm.h"

namespace bs {

using spv::platform::TCustomForm;

namespace {

TbsSkinForm* FrameOf(TCustomForm* form) {
  for (int i = 0; i < form->ComponentCount(); ++i)
    if (auto* frame = dynamic_cast<TbsSkinForm*>(form->Components(i))) return frame;
  return nullptr;
}

}  // namespace

// ---- Window states --------------------------------------------------------------------------

void TbsSkinForm::ExecuteCommand(TbsStdCommand command) {
  switch (command) {
    case TbsStdCommand::cmClose: Form_->Close(); break;
    case TbsStdCommand::cmMaximize: SetWindowState(WindowState_ == wsMaximized ? wsNormal : wsMaximized); break;
    case TbsStdCommand::cmMinimize:
      if (AlwaysMinimizeToTray) MinimizeToTray();
      else SetWindowState(WindowState_ == wsMinimized ? wsNormal : wsMinimized);
      break;
    case TbsStdCommand::cmRollUp: SetRollUp(!RolledUp_); break;
    case TbsStdCommand::cmMinimizeToTray: MinimizeToTray(); break;
    case TbsStdCommand::cmSysMenu:
    case TbsStdCommand::cmDefault: break;
  }
}

void TbsSkinForm::SetWindowState(int state) {
  if (state == WindowState_) return;
  const int old = WindowState_;
  const bool mainForm = spv::platform::Application().MainForm() == Form_;
  if (!(state == wsMinimized && mainForm)) WindowState_ = state;
  if (state == wsNormal) {
    if (old == wsMaximized && RolledUp_ && !RolledUpBeforeMaximize_) SetRollUp(false);
    RolledUpBeforeMaximize_ = false;
    Restore();
  } else if (state == wsMinimized) {
    Minimize(mainForm);
  } else {
    RolledUpBeforeMaximize_ = RolledUp_;
    Maximize();
  }
}

void TbsSkinForm::SaveRestoreBounds() {
  if (IsRectEmpty(&RestoreBounds_)) RestoreBounds_ = FormBounds();
}

void TbsSkinForm::Minimize(bool mainForm) {
  if (mainForm) {
    spv::platform::Application().Minimize();
    return;
  }
  SaveRestoreBounds();
  const int w = GetMinWidth(), h = GetMinHeight();
  const RECT area = WorkAreaOf(Window(), true);
  // Bars of other minimised frames already take places along the bottom of the work area.
  auto taken = [&](int x, int y) {
    for (int i = 0; i < spv::platform::Screen().FormCount(); ++i) {
      TCustomForm* other = spv::platform::Screen().Forms(i);
      if (other == Form_ || other == spv::platform::Application().MainForm() || !other->Visible()) continue;
      TbsSkinForm* frame = FrameOf(other);
      if (frame && frame->WindowState() == wsMinimized && other->Left() == x && other->Top() == y) return true;
    }
    return false;
  };
  int x = area.left, y = area.bottom - h;
  while (taken(x, y)) {
    x += w;
    if (x + w > area.right) {
      x = area.left;
      y -= h;
      if (y < area.top) {
        x = area.left;
        y = area.bottom - h;
        break;
      }
    }
  }
  Form_->SetBounds(x, y, w, h);
  if (OnMinimize) OnMinimize(this);
}

void TbsSkinForm::Maximize() {
  SaveRestoreBounds();
  HWND h = Window();
  RECT r = WorkAreaOf(h, !MaximizeOnFullScreen);
  const RECT monitor = WorkAreaOf(h, false);
  const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  // A window covering the whole primary screen would hide an auto-hidden task bar for good;
  // one asked to fill its monitor gets all of it.
  if (!MaximizeOnFullScreen && EqualRect(&r, &monitor) && EqualRect(&monitor, &screen)) InflateRect(&r, -1, -1);
  Form_->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
  if (OnMaximize) OnMaximize(this);
}

RECT TbsSkinForm::PlacedInMonitor(int width, int height) const {
  const RECT area = WorkAreaOf(Window(), PositionInMonitor == TbsPositionInMonitor::bspDesktopCenter);
  const int left = area.left + (area.right - area.left) / 2 - width / 2;
  const int top = area.top + (area.bottom - area.top) / 2 - height / 2;
  return {left, top, left + width, top + height};
}

void TbsSkinForm::Restore() {
  RolledUpWhileMaximized_ = false;
  const RECT before = FormBounds();
  if (!IsRectEmpty(&RestoreBounds_)) {
    RECT r = RestoreBounds_;
    // A window not shown yet still goes where its first show would put it.
    if (FirstShow_ && PositionInMonitor != TbsPositionInMonitor::bspDefault)
      r = PlacedInMonitor(r.right - r.left, r.bottom - r.top);
    Form_->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
  }
  FrameTimer_.SetEnabled(true);
  const RECT after = FormBounds();
  if (after.right - after.left == before.right - before.left && after.bottom - after.top == before.bottom - before.top)
    NudgeWidth();
  Form_->Invalidate();
  RestoreBounds_ = {};
  if (OnRestore) OnRestore(this);
}

void TbsSkinForm::SetRollUp(bool value) {
  if (!(BorderIcons_ & biRollUp) || WindowState_ == wsMinimized) return;
  if (RolledUp_ && WindowState_ == wsMaximized && RolledUpBeforeMaximize_) return;
  // Rolling up twice would save the rolled-up height and lose the real one.
  if (value == RolledUp_) return;
  if (WindowState_ == wsMaximized) RolledUpWhileMaximized_ = value;
  RolledUp_ = value;
  if (value) {
    SavedHeight_ = Form_->Height();
    Form_->SetHeight(GetMinHeight());
  } else if (ClientHeight != 0) {
    Form_->SetClientHeight(ClientHeight);
  } else {
    Form_->SetHeight(SavedHeight_);
  }
  if (OnChangeRollUpState) OnChangeRollUpState(this);
}

void TbsSkinForm::CaptionDoubleClick() {
  const bool sizeable = Sizeable();
  if (sizeable && WindowState_ == wsMinimized) SetWindowState(wsNormal);
  else if (sizeable && WindowState_ != wsMaximized && !RolledUp_ && (BorderIcons_ & biMaximize))
    SetWindowState(wsMaximized);
  else if (sizeable && WindowState_ == wsMaximized && !RolledUpWhileMaximized_) SetWindowState(wsNormal);
  else SetRollUp(!RolledUp_);
}

}  // namespace bs
