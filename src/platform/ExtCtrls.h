#pragma once
// Timers of the user-interface thread and the plain panel.

#include <windows.h>

#include "platform/Controls.h"

namespace spv::platform {

// Fires OnTimer every Interval milliseconds on the thread that created it, from its message
// loop, while Enabled and Interval > 0.
class TTimer : public TComponent {
 public:
  explicit TTimer(TComponent* owner = nullptr);
  ~TTimer() override;
  std::string_view ClassName() const override { return "TTimer"; }

  bool Enabled() const { return Enabled_; }
  void SetEnabled(bool enabled);
  unsigned Interval() const { return Interval_; }
  void SetInterval(unsigned milliseconds);
  TNotifyEvent OnTimer;

  bool ReadProperty(const TStoredProperty& property, TFormReader& reader) override;
  void Loaded() override;

 private:
  static LRESULT CALLBACK TimerWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
  void Stop();
  void UpdateTimer();

  UINT_PTR Id_ = 0;  // among the thread's timers; 0 until first started
  bool Enabled_ = true;
  bool Running_ = false;
  unsigned Interval_ = 1000;
};

enum class TBevelCut { bvNone, bvLowered, bvRaised };

// A window filled with its colour, with its caption centred in it; a plain look by default.
class TPanel : public TCustomControl {
 public:
  explicit TPanel(TComponent* owner = nullptr);
  std::string_view ClassName() const override { return "TPanel"; }
  TBevelCut BevelOuter() const { return BevelOuter_; }
  void SetBevelOuter(TBevelCut bevel);
  bool ReadProperty(const TStoredProperty& property, TFormReader& reader) override;

 protected:
  void Paint() override;

 private:
  TBevelCut BevelOuter_ = TBevelCut::bvNone;
};

}  // namespace spv::platform
