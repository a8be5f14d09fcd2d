// The window states of the frame: the caption buttons' commands, minimise (to a bar along the
// bottom of the work area), maximise, restore, and rolling up to the caption.

#include "skin/frame/bsSkinForm.h"

#include <vector>

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
  CarryOut(CommandRequest(command, States_, AlwaysMinimizeToTray));
}

void TbsSkinForm::CaptionDoubleClick() {
  CarryOut(CaptionDoubleClickRequest(States_, Sizeable(), (BorderIcons_ & biMaximize) != 0));
}

void TbsSkinForm::CarryOut(const TbsStateRequest& request) {
  switch (request.Action) {
    case TbsStateAction::Close: Form_->Close(); break;
    case TbsStateAction::ChangeState: SetWindowState(request.State); break;
    case TbsStateAction::RollUp: SetRollUp(true); break;
    case TbsStateAction::RollDown: SetRollUp(false); break;
    case TbsStateAction::MinimizeToTray: MinimizeToTray(); break;
    case TbsStateAction::None: break;
  }
}

void TbsSkinForm::SetWindowState(int state) {
  const bool mainForm = spv::platform::Application().MainForm() == Form_;
  const TbsStateChange change = ChangeState(States_, state, mainForm);
  if (!change.Changes) return;
  if (state == wsNormal) {
    if (change.RollDownFirst) SetRollUp(false);
    Restore();
  } else if (state == wsMinimized) {
    Minimize(mainForm);
  } else {
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
  // Bars of other minimised frames already take places along the bottom of the work area.
  std::vector<TPoint> taken;
  for (int i = 0; i < spv::platform::Screen().FormCount(); ++i) {
    TCustomForm* other = spv::platform::Screen().Forms(i);
    if (other == Form_ || other == spv::platform::Application().MainForm() || !other->Visible()) continue;
    TbsSkinForm* frame = FrameOf(other);
    if (frame && frame->WindowState() == wsMinimized) taken.push_back({other->Left(), other->Top()});
  }
  const TPoint at = MinimizedBarPlace(FromRECT(WorkAreaOf(Window(), true)), w, h, taken);
  Form_->SetBounds(at.X, at.Y, w, h);
  if (OnMinimize) OnMinimize(this);
}

void TbsSkinForm::Maximize() {
  SaveRestoreBounds();
  HWND h = Window();
  const TRect screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  const TRect r = MaximizedBounds(FromRECT(WorkAreaOf(h, true)), FromRECT(WorkAreaOf(h, false)), screen,
                                  MaximizeOnFullScreen);
  Form_->SetBounds(r.Left, r.Top, WidthOfRect(r), HeightOfRect(r));
  if (OnMaximize) OnMaximize(this);
}

RECT TbsSkinForm::PlacedInMonitor(int width, int height) const {
  const RECT area = WorkAreaOf(Window(), PositionInMonitor == TbsPositionInMonitor::bspDesktopCenter);
  return ToRECT(CentredIn(FromRECT(area), width, height));
}

void TbsSkinForm::Restore() {
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
  if (!RollUp(States_, value, (BorderIcons_ & biRollUp) != 0)) return;
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

}  // namespace bs
