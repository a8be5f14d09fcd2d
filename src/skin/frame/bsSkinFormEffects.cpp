// The frame's effects: the morph and animation timers of its objects, and the fade-in of a
// layered window when it is shown.

#include "skin/frame/bsSkinForm.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace bs {

// ---- Timers -------------------------------------------------------------------------------

void TbsSkinForm::StopTimers() {
  FrameTimer_.SetEnabled(false);
  MorphTimer_.SetEnabled(false);
  AnimationTimer_.SetEnabled(false);
}

void TbsSkinForm::StartMorphTimer() {
  if (!MorphTimer_.Enabled()) MorphTimer_.SetEnabled(true);
}

void TbsSkinForm::StartAnimationTimer() {
  if (!AnimationTimer_.Enabled()) AnimationTimer_.SetEnabled(true);
}

void TbsSkinForm::MorphTimerTick() {
  bool moved = false;
  for (std::size_t i = 0; i < Objects_.size(); ++i) {
    TbsActiveSkinObject& o = *Objects_[i];
    if (!o.CanMorph() || !o.IsMorphPending()) continue;
    // Fifths exactly: five steps of 0.2 in floating point stop short of 0 and would keep the
    // morph pending for one tick more.
    o.MorphValue = std::clamp(std::round((o.MorphValue + (o.Lit ? 0.2 : -0.2)) * 5) / 5, 0.0, 1.0);
    RedrawObject(o);
    moved = true;
  }
  if (!moved) MorphTimer_.SetEnabled(false);
}

void TbsSkinForm::AnimationTimerTick() {
  bool moved = false;
  for (auto& o : Objects_) {
    if (auto* caption = dynamic_cast<TbsSkinCaptionObject*>(o.get())) moved |= caption->AnimationTick();
    else if (auto* animate = dynamic_cast<TbsSkinAnimateObject*>(o.get())) moved |= animate->AnimationTick();
  }
  if (!moved) AnimationTimer_.SetEnabled(false);
}

// ---- The fade-in ----------------------------------------------------------------------------

void TbsSkinForm::StartFadeIn() {
  HWND h = Window();
  if (!h || !LayeredWindowsAvailable()) return;
  SetLayeredStyle(h, true);
  SetWindowAlphaValue(h, 0);
  SetTimer(h, FadeInTimer, 1, nullptr);
}

void TbsSkinForm::FadeInTick() {
  HWND h = Window();
  if (!h) return;
  KillTimer(h, FadeInTimer);
  const int target = AlphaBlendAnimation && !AlphaBlend_ ? 255 : AlphaBlendValue_;
  if (AlphaBlendAnimation) {
    const std::shared_ptr<bool> alive = Alive_;
    spv::platform::Application().ProcessMessages();
    // The messages may have closed the window or freed the frame.
    if (!*alive || !IsWindow(h)) return;
    int alpha = 0;
    DWORD last = GetTickCount();
    while (alpha < target) {
      const DWORD now = GetTickCount();
      if (now - last > 5) {
        alpha = std::min(alpha + 10, target);
        SetWindowAlphaValue(h, BYTE(alpha));
        last = now;
      } else {
        Sleep(1);
      }
    }
  } else if (target != 255) {
    SetWindowAlphaValue(h, BYTE(target));
  }
  if (target == 255) SetLayeredStyle(h, false);
}

}  // namespace bs
