#pragma once
// Hints: the hint window (a top-level window without activation that shows one text), and the
// application's hint settings: which class its hint window is, whether hints show at all, the
// pauses, and the show-hint event.

#include <windows.h>

#include "platform/Controls.h"

#include <functional>
#include <memory>
#include <string>

namespace spv::platform {

class THintWindow : public TCustomControl {
 public:
  explicit THintWindow(TComponent* owner = nullptr);
  std::string_view ClassName() const override { return "THintWindow"; }

  // Shows `text` at the top-left of `rect` (screen coordinates), topmost, without activation.
  virtual void ActivateHint(RECT rect, std::wstring_view text);
  // Hides the window, topmost and without activation.
  virtual void ReleaseHint();
  // The size the window needs for `text` (the plain look: the text and two pixels around it).
  virtual RECT CalcHintRect(int maxWidth, std::wstring_view text);

 protected:
  void CreateParams(TCreateParams& params) override;
  void WndProc(TMessage& message) override;
  void Paint() override;
};

struct THintInfo {
  TControl* HintControl = nullptr;
  POINT HintPos{};
  int HideTimeout = 0;
};
using TShowHintEvent = std::function<void(std::wstring& hint, bool& canShow, THintInfo& info)>;
using THintWindowClass = std::function<std::unique_ptr<THintWindow>()>;

class TApplicationHints {
 public:
  TApplicationHints();
  ~TApplicationHints();

  // Turning hints off frees the hint window; turning them on makes one of HintWindowClass.
  bool ShowHint() const { return ShowHint_; }
  void SetShowHint(bool value);
  void SetHintWindowClass(THintWindowClass factory) { HintWindowClass_ = std::move(factory); }
  // Whether the hint window is of a class other than the plain one.
  bool HasCustomHintWindowClass() const { return bool(HintWindowClass_); }
  THintWindow* HintWindow() const { return HintWindow_.get(); }

  unsigned HintPause = 500, HintShortPause = 50, HintHidePause = 2500;
  TShowHintEvent OnShowHint;

 private:
  THintWindowClass HintWindowClass_;
  std::unique_ptr<THintWindow> HintWindow_;
  bool ShowHint_ = true;
};

TApplicationHints& ApplicationHints();

}  // namespace spv::platform
