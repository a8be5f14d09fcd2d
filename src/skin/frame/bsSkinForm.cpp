// The frame component itself: taking over the form's window procedure and caption buttons,
// giving them back, and the form's border style as the frame reads it. The rest of the frame
// lives beside this file, one concern to a file: bsSkinFormProperties, bsSkinFormApplySkin,
// bsSkinFormGeometry, bsSkinFormPaint, bsSkinFormStates, bsSkinFormPointer, bsSkinFormEffects
// and bsSkinFormMessages.

#include "skin/frame/bsSkinForm.h"

#include <memory>
#include <stdexcept>

namespace bs {

using spv::platform::TComponent;
using spv::platform::TCustomForm;
using spv::platform::TFormBorderStyle;
using spv::platform::TMessage;

namespace {

RECT WindowRectOf(HWND h) {
  RECT r{};
  if (h) GetWindowRect(h, &r);
  return r;
}

}  // namespace

// ---- Construction ---------------------------------------------------------------------------

TbsSkinForm::TbsSkinForm(TComponent* owner)
    : TComponent(owner), Form_(dynamic_cast<TCustomForm*>(owner)), Alive_(std::make_shared<bool>(true)) {
  if (!Form_) throw std::invalid_argument("TbsSkinForm: the owner must be a form");
  FormActive_ = NCActive_ = Form_->Active();
  using namespace spv::platform;
  for (TFont* f : {&DefCaptionFont_, &DefInActiveCaptionFont_, &DefMenuItemFont_}) {
    f->SetName(L"Arial");
    f->SetHeight(14);
  }
  DefCaptionFont_.SetStyle(fsBold);
  DefCaptionFont_.SetColor(clBtnText);
  DefInActiveCaptionFont_.SetStyle(fsBold);
  DefInActiveCaptionFont_.SetColor(clBtnShadow);
  DefMenuItemFont_.SetColor(clWindowText);

  const std::pair<TTimer*, unsigned> timers[] = {{&FrameTimer_, 50}, {&MorphTimer_, 25}, {&AnimationTimer_, 25}};
  for (auto [timer, interval] : timers) {
    timer->SetEnabled(false);
    timer->SetInterval(interval);
  }
  FrameTimer_.OnTimer = [this](TObject*) { FrameTimerTick(); };
  MorphTimer_.OnTimer = [this](TObject*) { MorphTimerTick(); };
  AnimationTimer_.OnTimer = [this](TObject*) { AnimationTimerTick(); };

  FormBorderIcons_ = Form_->BorderIcons();
  Form_->SetBorderIcons(0);
  Form_->AutoSize = false;
  Form_->AutoScroll = false;
  Form_->OnShortCut = [this](MSG& msg, bool& handled) { ShortCut(msg, handled); };
  CreateMenus();

  PreviousWndProc_ = Form_->WindowProc;
  Form_->WindowProc = [this](TMessage& m) { FrameWndProc(m); };
  // A window made before the frame took over gets made again, now without a caption.
  Form_->RecreateWnd();
}

TbsSkinForm::~TbsSkinForm() {
  ReleaseMenus();
  *Alive_ = false;
  StopTimers();
  if (HWND h = Form_->WindowHandle()) KillTimer(h, FadeInTimer);
  Form_->WindowProc = PreviousWndProc_;
  Form_->OnShortCut = nullptr;
  // A form that lives on gets its own frame back, with its own caption buttons; the region
  // goes with the old window.
  if (!Form_->Destroying()) {
    if (Form_->BorderIcons() != FormBorderIcons_) Form_->SetBorderIcons(FormBorderIcons_);
    else Form_->RecreateWnd();
  }
  if (SmallIcon_) DestroyIcon(SmallIcon_);
}

bool TbsSkinForm::Sizeable() const {
  const auto style = Form_->BorderStyle();
  return style == TFormBorderStyle::bsSizeable || style == TFormBorderStyle::bsSizeToolWin;
}

bool TbsSkinForm::ToolWindow() const {
  const auto style = Form_->BorderStyle();
  return style == TFormBorderStyle::bsToolWindow || style == TFormBorderStyle::bsSizeToolWin;
}

bool TbsSkinForm::NoBorder() const { return Form_->BorderStyle() == TFormBorderStyle::bsNone; }

bool TbsSkinForm::EffectsAllowed() const { return Skinned_ && SkinData_->EnableSkinEffects; }

HWND TbsSkinForm::Window() const { return Form_->WindowHandle(); }

RECT TbsSkinForm::FormBounds() const {
  if (HWND h = Window()) return WindowRectOf(h);
  return Form_->BoundsRect();
}

void TbsSkinForm::TakeFormSize() {
  if (FrameWidth_ != 0 && FrameHeight_ != 0) return;
  const RECT r = FormBounds();
  if (FrameWidth_ == 0) FrameWidth_ = r.right - r.left;
  if (FrameHeight_ == 0) FrameHeight_ = r.bottom - r.top;
}

void RegisterSkinFormClasses() {
  static const bool done = [] {
    spv::platform::TClassRegistry::Instance().Register<TbsSkinForm>("TbsSkinForm");
    return true;
  }();
  (void)done;
}

}  // namespace bs
