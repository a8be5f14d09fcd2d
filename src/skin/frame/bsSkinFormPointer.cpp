// The frame objects and the pointer: the frame's activity, which object is hot under the
// pointer (polled by the frame timer between messages), and pressing and releasing objects.

#include "skin/frame/bsSkinForm.h"

namespace bs {

using spv::platform::TCanvas;
using spv::platform::TMessage;
using spv::platform::TMouseButton;

// ---- Activity and objects under the pointer ---------------------------------------------------

bool TbsSkinForm::IsFormActive() const { return FormActive_; }

void TbsSkinForm::UpdateCaptionActive(bool repaint) {
  UpdateCaptionLit(repaint);
  ReportActivity();
}

bool TbsSkinForm::UpdateCaptionLit(bool repaint) {
  const bool active = IsFormActive();
  // Every caption follows the activity at once (one at a time, a frame with two captions
  // would show them apart and be painted once for each); the frame is painted once for all.
  bool changed = false, morph = false;
  for (auto& o : Objects_) {
    auto* caption = dynamic_cast<TbsSkinCaptionObject*>(o.get());
    if (!caption || caption->Lit == active) continue;
    caption->Lit = active;
    changed = true;
    if (!repaint) {
      if (caption->CanMorph()) caption->MorphValue = active ? 1 : 0;
      continue;
    }
    if (caption->CanAnimate()) {
      caption->StartAnimation(active);
      StartAnimationTimer();
    }
    morph = morph || caption->CanMorph();
  }
  if (!changed || !repaint) return false;
  NCRepaint();
  if (morph) StartMorphTimer();
  return true;
}

void TbsSkinForm::ReportActivity() {
  const bool active = IsFormActive();
  // Each change of activity is reported once, however many messages bring it.
  if (ReportedActive_ == int(active)) return;
  ReportedActive_ = int(active);
  if (active && OnActivate) OnActivate(this);
  if (!active && OnDeActivate) OnDeActivate(this);
}

void TbsSkinForm::RedrawObject(TbsActiveSkinObject& object) {
  HWND h = Window();
  if (!h || NoBorder()) return;
  HDC dc = GetWindowDC(h);
  TCanvas canvas;
  canvas.SetHandle(dc);
  object.Draw(canvas, true);
  canvas.SetHandle(nullptr);
  ReleaseDC(h, dc);
}

void TbsSkinForm::UpdateHotObject(int x, int y) {
  if (Objects_.empty() || !IsFormActive()) return;
  PreviousHot_ = Hot_;
  int found = -1;
  for (std::size_t i = 0; i < Objects_.size(); ++i) {
    const TbsActiveSkinObject& o = *Objects_[i];
    const TRect& r = o.ObjectRect;
    if (o.Enabled && o.Visible && r.Left <= x && x < r.Right && r.Top <= y && y < r.Bottom) {
      found = int(i);
      break;
    }
  }
  // While a button is held down, no other object lights up.
  if (Pressed_ >= 0 && found != Pressed_) found = -1;
  if (found == Hot_) return;
  Hot_ = found;
  const bool hints = ShowObjectHint && SkinHint;
  if (PreviousHot_ >= 0 && PreviousHot_ < ObjectCount()) {
    TbsActiveSkinObject& o = *Objects_[std::size_t(PreviousHot_)];
    if (o.Enabled && o.Visible) {
      o.MouseLeave();
      if (hints && !o.Hint.empty()) SkinHint->HideHint();
    }
  }
  if (Hot_ >= 0) {
    TbsActiveSkinObject& o = *Objects_[std::size_t(Hot_)];
    o.MouseEnter();
    if (hints && !o.Hint.empty()) SkinHint->ActivateHint(TextToWide(o.Hint));
  }
}

bool TbsSkinForm::ResetObjectLooks() {
  bool changed = false;
  for (auto& o : Objects_)
    if (!dynamic_cast<TbsSkinCaptionObject*>(o.get())) changed = o->ResetLook() || changed;
  // Looks reset means nothing is lit: the next pointer position makes an object hot again.
  Hot_ = PreviousHot_ = -1;
  return changed;
}

void TbsSkinForm::FrameTimerTick() {
  if (!IsFormActive()) return;
  if (InSizeMove_) {
    FrameTimer_.SetEnabled(false);
    return;
  }
  POINT cursor;
  if (!GetCursorPos(&cursor)) return;
  const TPoint p = ScreenToFrame({cursor.x, cursor.y});
  const TRect& client = Skinned_ ? Layout_.ClientRect : BuiltInClient();
  const bool inClient = client.Left <= p.X && p.X < client.Right && client.Top <= p.Y && p.Y < client.Bottom;
  if (!inClient) UpdateHotObject(p.X, p.Y);
  else if (Hot_ >= 0) UpdateHotObject(-1, -1);
}

// ---- The pointer ----------------------------------------------------------------------------

void TbsSkinForm::PressObject(TMouseButton button, int x, int y) {
  Pressed_ = Hot_;
  if (Pressed_ < 0) return;
  TbsActiveSkinObject& o = *Objects_[std::size_t(Pressed_)];
  if (!dynamic_cast<TbsSkinCaptionObject*>(&o)) SetCapture(Window());
  o.MouseDown(button, x, y);
}

void TbsSkinForm::ReleaseObject(TMouseButton button, int x, int y) {
  if (Pressed_ < 0 || Pressed_ >= ObjectCount()) return;
  TbsActiveSkinObject& o = *Objects_[std::size_t(Pressed_)];
  // Released before the object runs its command: closing may free the form and this frame.
  Pressed_ = -1;
  if (!dynamic_cast<TbsSkinCaptionObject*>(&o)) ReleaseCapture();
  o.MouseUp(button, x, y);
}

void TbsSkinForm::HandlePointer(TMessage& m) {
  const std::shared_ptr<bool> alive = Alive_;
  const bool down = m.Msg == WM_NCLBUTTONDOWN;
  if (down) InNCLButtonDown_ = true;
  // The system tracks a right press on the caption until the release and then shows its own
  // window menu; the skinned system menu takes its place.
  if (!(m.Msg == WM_NCRBUTTONDOWN && m.WParam == HTCAPTION)) CallPrevious(m);
  if (!*alive) return;
  if (down) InNCLButtonDown_ = false;
  const bool caption = m.WParam == HTCAPTION;
  switch (m.Msg) {
    case WM_NCMOUSEMOVE: {
      const TPoint p = MessagePoint(m.LParam);
      const int index = Pressed_ >= 0 ? Pressed_ : Hot_;
      if (index >= 0 && index < ObjectCount()) Objects_[std::size_t(index)]->MouseMove(p.X, p.Y);
      break;
    }
    case WM_NCLBUTTONDOWN: {
      if (InSizeMove_) {
        InSizeMove_ = false;
        break;
      }
      const TPoint p = MessagePoint(m.LParam);
      UpdateHotObject(p.X, p.Y);
      PressObject(TMouseButton::mbLeft, p.X, p.Y);
      if (caption) Pressed_ = -1;
      break;
    }
    case WM_NCLBUTTONUP: case WM_NCRBUTTONUP: {
      const TPoint p = MessagePoint(m.LParam);
      ReleaseObject(m.Msg == WM_NCLBUTTONUP ? TMouseButton::mbLeft : TMouseButton::mbRight, p.X, p.Y);
      break;
    }
    case WM_LBUTTONUP: ReleaseObject(TMouseButton::mbLeft, -1, -1); break;
    case WM_RBUTTONUP: ReleaseObject(TMouseButton::mbRight, -1, -1); break;
    case WM_NCLBUTTONDBLCLK: {
      const TPoint p = MessagePoint(m.LParam);
      UpdateHotObject(p.X, p.Y);
      PressObject(TMouseButton::mbLeft, p.X, p.Y);
      if (Hot_ >= 0 && Hot_ < ObjectCount()) Objects_[std::size_t(Hot_)]->DblClick();
      if (!*alive) return;
      if (caption) {
        Pressed_ = -1;
        CaptionDoubleClick();
      }
      break;
    }
    case WM_NCRBUTTONDOWN: case WM_NCRBUTTONDBLCLK: {
      const TPoint p = MessagePoint(m.LParam);
      UpdateHotObject(p.X, p.Y);
      PressObject(TMouseButton::mbRight, p.X, p.Y);
      if (caption) {
        Pressed_ = -1;
        const POINT at{short(LOWORD(m.LParam)), short(HIWORD(m.LParam))};
        PopupSystemMenu({at.x, at.y, at.x, at.y});
      }
      break;
    }
    default: break;
  }
}

}  // namespace bs
