#include "platform/Hints.h"

#include "platform/Forms.h"

#include <algorithm>
#include <vector>
#include <windowsx.h>

namespace spv::platform {
namespace {

// Whether bit `x` of a 1-bit row is set.
bool BitAt(const std::vector<BYTE>& bits, int stride, int x, int y) {
  return (bits[std::size_t(y) * std::size_t(stride) + std::size_t(x / 8)] >> (7 - x % 8)) & 1;
}

// The control of this library under a point of the screen: a graphic control where one lies,
// else the window; null over anything else. The windows are found by their place alone: a window
// that lets the pointer through to its parent (a tab control beside its tabs) still holds the
// point.
TControl* ControlAtScreen(POINT p) {
  HWND h = WindowFromPoint(p);
  if (h) h = GetAncestor(h, GA_ROOT);
  while (h) {
    POINT local = p;
    ScreenToClient(h, &local);
    const HWND child = ChildWindowFromPointEx(h, local, CWP_SKIPINVISIBLE);
    if (!child || child == h) break;
    h = child;
  }
  TWinControl* window = nullptr;
  for (; h && !window; h = GetAncestor(h, GA_PARENT)) window = TWinControl::FromHandle(h);
  if (!window) return nullptr;
  if (TControl* at = window->ControlAtPos(window->ScreenToClient(p), true); at && !dynamic_cast<TWinControl*>(at))
    return at;
  return window;
}

// The control itself when it shows hints, else its nearest parent that does.
TControl* HintShowingControl(TControl* control) {
  while (control && !control->ShowHint()) control = control->Parent();
  return control;
}

// The control's hint, else its nearest parent's that is not empty.
std::wstring HintOf(const TControl* control) {
  for (; control; control = control->Parent())
    if (!control->Hint.empty()) return control->Hint;
  return {};
}

RECT ToScreen(const TControl& control, RECT r) {
  const POINT lt = control.ClientToScreen({r.left, r.top}), rb = control.ClientToScreen({r.right, r.bottom});
  return {lt.x, lt.y, rb.x, rb.y};
}

// `r` moved onto the monitor of `pointer`; a hint that would leave its bottom goes above the
// pointer instead.
RECT OnMonitor(RECT r, POINT pointer) {
  const RECT m = Screen().MonitorFromPoint(pointer).BoundsRect;
  const int h = r.bottom - r.top;
  if (r.right > m.right) OffsetRect(&r, m.right - r.right, 0);
  if (r.left < m.left) OffsetRect(&r, m.left - r.left, 0);
  if (r.bottom > m.bottom) OffsetRect(&r, 0, pointer.y - h - r.top);
  if (r.top < m.top) OffsetRect(&r, 0, m.top - r.top);
  return r;
}

}  // namespace

int CursorHeightBelowHotSpot(HCURSOR cursor) {
  const int fallback = GetSystemMetrics(SM_CYCURSOR);
  ICONINFO info{};
  if (!cursor || !GetIconInfo(cursor, &info)) return fallback;
  TGdiHandle<HBITMAP> mask(info.hbmMask), colour(info.hbmColor);
  BITMAP bm{};
  if (!mask.Get() || !GetObjectW(mask.Get(), sizeof(bm), &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0) return fallback;
  // A monochrome cursor's mask is its AND picture above its XOR picture.
  const bool monochrome = !colour.Get();
  const int w = bm.bmWidth, h = monochrome ? bm.bmHeight / 2 : bm.bmHeight;
  const int stride = ((w + 31) / 32) * 4;
  std::vector<BYTE> bits(std::size_t(stride) * std::size_t(bm.bmHeight));
  struct {
    BITMAPINFOHEADER header;
    RGBQUAD colours[2];
  } bi{};
  bi.header.biSize = sizeof(bi.header);
  bi.header.biWidth = w;
  bi.header.biHeight = -bm.bmHeight;
  bi.header.biPlanes = 1;
  bi.header.biBitCount = 1;
  const HDC screen = GetDC(nullptr);
  const int lines = GetDIBits(screen, mask.Get(), 0, UINT(bm.bmHeight), bits.data(),
                              reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  if (lines != bm.bmHeight || h <= 0) return fallback;
  // A line is blank when every pixel leaves the screen as it is: AND set, XOR clear.
  int last = -1;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (!BitAt(bits, stride, x, y) || (monochrome && BitAt(bits, stride, x, y + h))) {
        last = y;
        break;
      }
  if (last < 0) return fallback;
  return std::max(last - int(info.yHotspot) + 1, 0);
}

// Hears when the control of the hint is freed.
class TApplicationHints::TControlWatch : public TComponent {
 public:
  explicit TControlWatch(TApplicationHints& hints) : Hints_(hints) {}

 protected:
  void Notification(TComponent* component, TOperation operation) override {
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == Hints_.HintControl_) Hints_.CancelHint();
  }

 private:
  TApplicationHints& Hints_;
};

TApplicationHints::TApplicationHints() : Watch_(std::make_unique<TControlWatch>(*this)) {}

TApplicationHints::~TApplicationHints() { SetHintControl(nullptr); }

void TApplicationHints::SetShowHint(bool value) {
  if (value == ShowHint_) return;
  ShowHint_ = value;
  if (!value) {
    CancelHint();
    HintWindow_.reset();
  } else {
    HintWindow_ = NewHintWindow();
  }
}

std::unique_ptr<THintWindow> TApplicationHints::NewHintWindow() const {
  return HintWindowClass_ ? HintWindowClass_() : std::make_unique<THintWindow>();
}

THintWindow& TApplicationHints::EnsureHintWindow() {
  if (!HintWindow_) HintWindow_ = NewHintWindow();
  // The window measures the text on its own canvas.
  HintWindow_->HandleNeeded();
  return *HintWindow_;
}

void TApplicationHints::SetHintControl(TControl* control) {
  if (control == HintControl_) return;
  if (HintControl_) Watch_->RemoveFreeNotification(HintControl_);
  HintControl_ = control;
  if (control) Watch_->FreeNotification(control);
}

bool TApplicationHints::HintShowing() const {
  return HintWindow_ && HintWindow_->HandleAllocated() && IsWindowVisible(HintWindow_->WindowHandle());
}

void TApplicationHints::MessageSeen(HWND window, UINT msg, LPARAM lParam) {
  switch (msg) {
    case WM_MOUSEMOVE: {
      POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      ClientToScreen(window, &p);
      PointerAt(p);
      return;
    }
    case WM_MOUSELEAVE:
      // The pointer left the window: whatever lies under it now decides.
      if (HintControl_) {
        POINT p{};
        GetCursorPos(&p);
        PointerAt(p);
      }
      return;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
    case WM_NCMOUSEMOVE:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_MOUSEWHEEL:
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_ACTIVATE:
    case WM_ACTIVATEAPP:
      if (HintControl_) CancelHint();
      return;
    default: return;
  }
}

void TApplicationHints::PointerAt(POINT p) {
  if (!ShowHint_) return;
  TControl* control = HintShowingControl(ControlAtScreen(p));
  if (!control) {
    CancelHint();
    return;
  }
  if (control == HintControl_ && PtInRect(&HintCursorRect_, p)) return;
  const bool wasActive = HintActive_;
  CancelHint();
  HintActive_ = wasActive;
  SetHintControl(control);
  StartTimer(wasActive ? HintShortPause : HintPause, true);
}

void TApplicationHints::StartTimer(unsigned pause, bool show) {
  if (!Timer_) {
    Timer_ = std::make_unique<TTimer>();
    Timer_->SetEnabled(false);
    Timer_->OnTimer = [this](TObject*) { TimerExpired(); };
  }
  Timer_->SetEnabled(false);
  TimerShows_ = show;
  // A pause of 0 still waits for the loop, so that the message under way finishes first.
  Timer_->SetInterval(std::max(pause, 1u));
  Timer_->SetEnabled(true);
}

void TApplicationHints::TimerExpired() {
  Timer_->SetEnabled(false);
  if (TimerShows_) ActivateHint();
  else HideHint();
}

void TApplicationHints::ActivateHint() {
  TControl* control = HintControl_;
  if (!control || !ShowHint_) return;
  POINT cursor{};
  GetCursorPos(&cursor);
  // The pointer may have left without a message saying so.
  if (HintShowingControl(ControlAtScreen(cursor)) != control) {
    CancelHint();
    return;
  }
  THintInfo info;
  info.HintControl = control;
  info.CursorPos = control->ScreenToClient(cursor);
  info.CursorRect = control->ClientRect();
  info.HintPos = {cursor.x, cursor.y + CursorHeightBelowHotSpot(GetCursor())};
  const RECT monitor = Screen().MonitorFromPoint(cursor).BoundsRect;
  info.HintMaxWidth = monitor.right - monitor.left;
  info.HideTimeout = int(HintHidePause);
  info.HintStr = HintOf(control);
  bool canShow = control->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info)) == 0;
  if (canShow && OnShowHint) OnShowHint(info.HintStr, canShow, info);
  // Shown or not, the answer holds until the pointer leaves the rect it was given for.
  HintCursorRect_ = ToScreen(*control, info.CursorRect);
  HintActive_ = canShow && !info.HintStr.empty();
  if (!HintActive_) {
    HideHint();
    return;
  }
  THintWindow& window = EnsureHintWindow();
  RECT r = window.CalcHintRect(info.HintMaxWidth, info.HintStr);
  OffsetRect(&r, info.HintPos.x, info.HintPos.y);
  window.ActivateHint(OnMonitor(r, cursor), info.HintStr);
  if (info.HideTimeout > 0) StartTimer(unsigned(info.HideTimeout), false);
}

void TApplicationHints::HideHint() {
  if (HintWindow_) HintWindow_->ReleaseHint();
}

void TApplicationHints::CancelHint() {
  if (Timer_) Timer_->SetEnabled(false);
  HideHint();
  SetHintControl(nullptr);
  HintActive_ = false;
}

TApplicationHints& ApplicationHints() {
  static TApplicationHints hints;
  return hints;
}

}  // namespace spv::platform
