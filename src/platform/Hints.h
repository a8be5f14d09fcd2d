#pragma once
// Hints: the hint window (a top-level window without activation that shows one text), the
// application's hint settings (which class its hint window is, whether hints show at all, the
// pauses, the show-hint event) and the loop that shows a control's hint when the pointer rests
// on it and hides it again.

#include <windows.h>

#include "platform/Controls.h"
#include "platform/ExtCtrls.h"

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

// What is about to be shown: a control answering CM_HINTSHOW, then the application's OnShowHint,
// may change any of it.
struct THintInfo {
  // The control whose hint shows (the one under the pointer, or its nearest parent showing hints).
  TControl* HintControl = nullptr;
  // The pointer, in HintControl's client coordinates.
  POINT CursorPos{};
  // In HintControl's client coordinates: the hint holds while the pointer stays inside; a move out
  // asks for the hint again (after HintShortPause when one was showing). The whole control unless
  // a control whose hint depends on the place narrows it.
  RECT CursorRect{};
  // Where the hint window's top-left goes, on the screen: below the pointer's picture.
  POINT HintPos{};
  // The widest the window may be for the text: the width of the pointer's monitor.
  int HintMaxWidth = 0;
  // Milliseconds until the shown hint hides by itself: HintHidePause.
  int HideTimeout = 0;
  // The text: the control's Hint, or its nearest parent's that is not empty. Empty shows nothing.
  std::wstring HintStr;
};
// Called with info.HintStr as `hint`; clearing `canShow` refuses the hint.
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

  // The loop. Every message of the library's windows passes MessageSeen before its control sees
  // it: a pointer move starts the pause when it comes onto a control that shows hints (or hides
  // the hint when it leaves it); a button, the wheel, a key, the pointer on a window's frame or a
  // change of activation cancels.
  void MessageSeen(HWND window, UINT msg, LPARAM lParam);
  // Hides the hint and forgets its control: the next move over a control waits HintPause again.
  void CancelHint();
  // Hides the hint window but keeps its control (what the hide pause does): the hint shows again
  // only after the pointer has left the hint's cursor rect.
  void HideHint();
  // The control whose hint is waiting or shown, or null; whether the window shows it now.
  TControl* HintControl() const { return HintControl_; }
  bool HintShowing() const;

 private:
  class TControlWatch;
  void SetHintControl(TControl* control);
  void PointerAt(POINT screen);
  void StartTimer(unsigned pause, bool show);
  void TimerExpired();
  void ActivateHint();
  std::unique_ptr<THintWindow> NewHintWindow() const;
  THintWindow& EnsureHintWindow();

  THintWindowClass HintWindowClass_;
  std::unique_ptr<THintWindow> HintWindow_;
  bool ShowHint_ = true;
  TControl* HintControl_ = nullptr;
  // The rect, on the screen, that the hint shown (or refused) holds for.
  RECT HintCursorRect_{};
  // A hint was showing when the pointer moved on: the next one follows after the short pause.
  bool HintActive_ = false;
  bool TimerShows_ = false;
  std::unique_ptr<TTimer> Timer_;
  // Lets go of HintControl_ when it is freed.
  std::unique_ptr<TControlWatch> Watch_;
};

// The pixels of the cursor's picture from its hot spot down to its last line that is not blank
// (the system's cursor height when the picture cannot be read): a hint goes that far below the
// pointer.
int CursorHeightBelowHotSpot(HCURSOR cursor);

TApplicationHints& ApplicationHints();

}  // namespace spv::platform
