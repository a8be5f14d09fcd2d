#include "platform/ExtCtrls.h"

#include "platform/FormReader.h"
#include "platform/Forms.h"
#include "platform/SysUtils.h"

#include <unordered_map>

namespace spv::platform {
namespace {

constexpr wchar_t kTimerClass[] = L"SpvTimer";

// The timers of a thread share one message-only window, made with the first timer started: a
// window is costly to make, and WM_TIMER arrives through the thread's loop all the same. Each
// timer has an id of its own there, never used again, so a tick that arrives after its timer is
// gone finds nothing. (Never destroyed: timers owned by objects that outlive the thread's own
// variables, such as the application's, stop at their end too.)
struct TTimerWindow {
  HWND Window = nullptr;
  std::unordered_map<UINT_PTR, TTimer*> Timers;
  UINT_PTR LastId = 0;
};
TTimerWindow& ThreadTimers() {
  thread_local auto* timers = new TTimerWindow;
  return *timers;
}

constexpr TEnumName<TBevelCut> kBevelNames[] = {
    {"bvNone", TBevelCut::bvNone}, {"bvLowered", TBevelCut::bvLowered}, {"bvRaised", TBevelCut::bvRaised}};

}  // namespace

TTimer::TTimer(TComponent* owner) : TComponent(owner) {}

TTimer::~TTimer() {
  BeginDestroy();
  Stop();
  if (Id_) ThreadTimers().Timers.erase(Id_);
}

void TTimer::SetEnabled(bool enabled) {
  if (enabled == Enabled_) return;
  Enabled_ = enabled;
  UpdateTimer();
}

void TTimer::SetInterval(unsigned milliseconds) {
  if (milliseconds == Interval_) return;
  Interval_ = milliseconds;
  UpdateTimer();
}

void TTimer::Stop() {
  if (Running_) KillTimer(ThreadTimers().Window, Id_);
  Running_ = false;
}

void TTimer::UpdateTimer() {
  Stop();
  if (!Enabled_ || Interval_ == 0 || Loading() || Destroying()) return;
  TTimerWindow& shared = ThreadTimers();
  if (!shared.Window) {
    static const bool registered = [] {
      WNDCLASSEXW wc{};
      wc.cbSize = sizeof(wc);
      wc.lpfnWndProc = &TimerWndProc;
      wc.hInstance = GetModuleHandleW(nullptr);
      wc.lpszClassName = kTimerClass;
      return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }();
    if (!registered) RaiseLastOSError("Registering the timer window class");
    shared.Window =
        CreateWindowExW(0, kTimerClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!shared.Window) RaiseLastOSError("Creating the timer window");
  }
  if (!Id_) {
    Id_ = ++shared.LastId;
    shared.Timers.emplace(Id_, this);
  }
  if (!SetTimer(shared.Window, Id_, Interval_, nullptr)) RaiseLastOSError("Starting a timer");
  Running_ = true;
}

LRESULT CALLBACK TTimer::TimerWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_TIMER) {
    const auto& timers = ThreadTimers().Timers;
    const auto found = timers.find(UINT_PTR(wParam));
    if (found != timers.end() && found->second->OnTimer) {
      TTimer* timer = found->second;
      try {
        timer->OnTimer(timer);
      } catch (const std::exception& e) {
        Application().HandleException(e);
      }
    }
    return 0;
  }
  return DefWindowProcW(window, msg, wParam, lParam);
}

bool TTimer::ReadProperty(const TStoredProperty& p, TFormReader& reader) {
  if (SameIdent(p.Name, "Enabled")) SetEnabled(p.Boolean());
  else if (SameIdent(p.Name, "Interval")) {
    const auto v = p.Integer();
    if (v < 0 || v > 0x7FFFFFFF) p.Fail("Interval must be 0 to 2147483647 milliseconds");
    SetInterval(unsigned(v));
  } else if (SameIdent(p.Name, "OnTimer")) OnTimer = reader.Method(p);
  else return TComponent::ReadProperty(p, reader);
  return true;
}

void TTimer::Loaded() {
  TComponent::Loaded();
  UpdateTimer();
}

TPanel::TPanel(TComponent* owner) : TCustomControl(owner) { SetBounds(0, 0, 185, 41); }

void TPanel::SetBevelOuter(TBevelCut bevel) {
  if (bevel == BevelOuter_) return;
  BevelOuter_ = bevel;
  Invalidate();
}

void TPanel::Paint() {
  TCanvas& canvas = Canvas();
  RECT r = ClientRect();
  canvas.Brush().SetColor(Color());
  canvas.FillRect(r);
  if (BevelOuter_ != TBevelCut::bvNone) {
    DrawEdge(canvas.Handle(), &r, BevelOuter_ == TBevelCut::bvRaised ? BDR_RAISEDINNER : BDR_SUNKENOUTER, BF_RECT);
    InflateRect(&r, -1, -1);
  }
  if (Caption_.empty()) return;
  canvas.Font().Assign(Font());
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  canvas.DrawText(Caption_, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

bool TPanel::ReadProperty(const TStoredProperty& p, TFormReader& reader) {
  if (SameIdent(p.Name, "BevelOuter")) SetBevelOuter(p.Enum<TBevelCut>(kBevelNames));
  else return TCustomControl::ReadProperty(p, reader);
  return true;
}

}  // namespace spv::platform
