// The main window's start, recorded from outside through the thread's window hooks: from the
// form's creation to the first moment its thread has nothing left to do, every window made,
// destroyed and painted, in order.
#include "app/Main.h"
#include "platform/FormReader.h"
#include "platform/Forms.h"
#include "platform/SysUtils.h"
#include "resources/ProgramForm.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace spv::app::test {
namespace {

namespace fs = std::filesystem;

enum class TEventKind { Created, Destroyed, Paint, FramePaint };

struct TEvent {
  TEventKind Kind;
  HWND Window;
  RECT Made{};       // Created: where it was made, in its parent's client coordinates
  std::string Name;  // the control's name, or the window's class (in brackets)
};

std::string NameOf(HWND window) {
  if (auto* control = platform::TWinControl::FromHandle(window))
    return control->Name().empty() ? std::string(control->ClassName()) : control->Name();
  wchar_t className[64] = L"";
  GetClassNameW(window, className, 64);
  return "(" + platform::WideToUtf8(className) + ")";
}

std::ostream& operator<<(std::ostream& os, const TEvent& e) {
  static const char* const kinds[] = {"made", "destroyed", "painted", "frame painted"};
  return os << kinds[int(e.Kind)] << ' ' << e.Name;
}

// What the thread's hooks saw while one lives: windows made and destroyed, and the paint
// messages they got, sent or posted.
class TWindowRecorder {
 public:
  TWindowRecorder() {
    Current_ = this;
    const DWORD thread = GetCurrentThreadId();
    Hooks_[0] = SetWindowsHookExW(WH_CBT, &Cbt, nullptr, thread);
    Hooks_[1] = SetWindowsHookExW(WH_CALLWNDPROC, &Sent, nullptr, thread);
    Hooks_[2] = SetWindowsHookExW(WH_GETMESSAGE, &Posted, nullptr, thread);
  }
  ~TWindowRecorder() { Stop(); }
  TWindowRecorder(const TWindowRecorder&) = delete;
  TWindowRecorder& operator=(const TWindowRecorder&) = delete;

  bool Hooked() const { return Hooks_[0] && Hooks_[1] && Hooks_[2]; }
  // Ends the recording; a window made has the name of what it became.
  void Stop() {
    for (HHOOK& hook : Hooks_)
      if (hook) UnhookWindowsHookEx(std::exchange(hook, nullptr));
    if (Current_ == this) Current_ = nullptr;
    for (std::size_t i = 0; i < Events_.size(); ++i) {
      if (Events_[i].Kind != TEventKind::Created) continue;
      for (std::size_t j = i + 1; j < Events_.size() && Events_[i].Name.empty(); ++j)
        if (Events_[j].Window == Events_[i].Window) Events_[i].Name = Events_[j].Name;
      if (Events_[i].Name.empty()) Events_[i].Name = NameOf(Events_[i].Window);
    }
  }
  const std::vector<TEvent>& Events() const { return Events_; }

 private:
  void Add(TEventKind kind, HWND window, RECT made = {}) {
    // A window being made has no control yet: its name comes from what happens to it next.
    Events_.push_back({kind, window, made, kind == TEventKind::Created ? std::string() : NameOf(window)});
  }
  static LRESULT CALLBACK Cbt(int code, WPARAM wParam, LPARAM lParam) {
    if (Current_ && code == HCBT_CREATEWND) {
      const CREATESTRUCTW& cs = *reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
      Current_->Add(TEventKind::Created, reinterpret_cast<HWND>(wParam), {cs.x, cs.y, cs.x + cs.cx, cs.y + cs.cy});
    }
    if (Current_ && code == HCBT_DESTROYWND) Current_->Add(TEventKind::Destroyed, reinterpret_cast<HWND>(wParam));
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
  static void Message(HWND window, UINT msg) {
    if (Current_ && msg == WM_PAINT) Current_->Add(TEventKind::Paint, window);
    if (Current_ && msg == WM_NCPAINT) Current_->Add(TEventKind::FramePaint, window);
  }
  static LRESULT CALLBACK Sent(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) {
      const auto& m = *reinterpret_cast<const CWPSTRUCT*>(lParam);
      Message(m.hwnd, m.message);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
  static LRESULT CALLBACK Posted(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && wParam == PM_REMOVE) {
      const auto& m = *reinterpret_cast<const MSG*>(lParam);
      Message(m.hwnd, m.message);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }

  static inline TWindowRecorder* Current_ = nullptr;
  HHOOK Hooks_[3]{};
  std::vector<TEvent> Events_;
};

// The windowed controls within a control, depth first.
void CollectWindowed(platform::TWinControl& parent, std::vector<platform::TWinControl*>& out) {
  for (int i = 0; i < parent.ControlCount(); ++i)
    if (auto* w = dynamic_cast<platform::TWinControl*>(parent.Controls(i))) {
      out.push_back(w);
      CollectWindowed(*w, out);
    }
}

// The program's start, as its program block does it: the form read from its description,
// created, shown, and its messages handled until there are none. Each window is made once, at
// its final place and size, only for a control that shows, in the order of its siblings; each
// is painted once, frame and client; the form's frame at most twice (on activation, and when
// the system shows the window).
TEST(MainWindowStartTest, EveryWindowIsMadeOnceInPlaceAndPaintedOnceTheFrameAtMostTwice) {
  std::error_code ec;
  fs::remove(TFRM_SPV::SettingsFile(), ec);
  TWindowRecorder recorder;
  ASSERT_TRUE(recorder.Hooked());
  auto form = std::make_unique<TFRM_SPV>();
  platform::TFormReader::ReadInto(*form, ProgramFormDescription());
  form->DoCreate();
  form->Show();
  platform::Application().ProcessMessages();
  recorder.Stop();
  const std::vector<TEvent>& events = recorder.Events();
  const std::string sequence = ::testing::PrintToString(events);

  const HWND window = form->Handle();
  std::vector<platform::TWinControl*> controls;
  CollectWindowed(*form, controls);
  std::map<HWND, int> made, destroyed, painted, framePainted;
  std::map<HWND, RECT> madeAt;
  for (const TEvent& e : events) {
    switch (e.Kind) {
      case TEventKind::Created:
        ++made[e.Window];
        madeAt[e.Window] = e.Made;
        break;
      case TEventKind::Destroyed: ++destroyed[e.Window]; break;
      case TEventKind::Paint: ++painted[e.Window]; break;
      case TEventKind::FramePaint: ++framePainted[e.Window]; break;
    }
  }
  for (const TEvent& e : events)
    EXPECT_FALSE(e.Kind == TEventKind::Destroyed) << "no window is made again: " << e.Name << "\n" << sequence;

  EXPECT_EQ(made[window], 1) << sequence;
  EXPECT_EQ(painted[window], 1) << sequence;
  EXPECT_GE(framePainted[window], 1) << sequence;
  EXPECT_LE(framePainted[window], 2) << sequence;
  const RECT bounds = form->BoundsRect();
  EXPECT_TRUE(EqualRect(&madeAt[window], &bounds)) << "the window is made where it shows";

  int windows = 0;
  for (platform::TWinControl* control : controls) {
    const std::string name = control->Name();
    if (!control->Showing()) {
      EXPECT_FALSE(control->HandleAllocated()) << name << " does not show: it has no window";
      continue;
    }
    ++windows;
    const HWND child = control->Handle();
    EXPECT_EQ(made[child], 1) << name << "\n" << sequence;
    EXPECT_EQ(painted[child], 1) << name << "\n" << sequence;
    EXPECT_EQ(framePainted[child], 1) << name << "\n" << sequence;
    RECT now;
    GetWindowRect(child, &now);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&now), 2);
    EXPECT_TRUE(EqualRect(&madeAt[child], &now)) << name << " is made at its final place and size: made " << madeAt[child].left << "," << madeAt[child].top << "," << madeAt[child].right << "," << madeAt[child].bottom << " now " << now.left << "," << now.top << "," << now.right << "," << now.bottom;
  }
  EXPECT_GE(windows, 12) << "the settings, the legend, the totals, the tabs and the grid show";
  int all = 0;
  for (const auto& [w, count] : made)
    if (w == window || IsChild(window, w)) all += count;
  EXPECT_EQ(all, windows + 1) << "windows are made for the controls that show, and for nothing else within the form";

  // Each control's child windows lie in the order of its controls, the first at the bottom.
  for (platform::TWinControl* parent : [&] {
         std::vector<platform::TWinControl*> parents{form.get()};
         parents.insert(parents.end(), controls.begin(), controls.end());
         return parents;
       }()) {
    if (!parent->HandleAllocated()) continue;
    std::vector<HWND> listed, stacked;
    for (int i = parent->ControlCount() - 1; i >= 0; --i)
      if (auto* w = dynamic_cast<platform::TWinControl*>(parent->Controls(i)); w && w->HandleAllocated())
        listed.push_back(w->WindowHandle());
    for (HWND w = GetWindow(parent->WindowHandle(), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
      if (platform::TWinControl::FromHandle(w)) stacked.push_back(w);
    EXPECT_EQ(stacked, listed) << "the windows within " << parent->Name() << ", topmost first";
  }

  form.reset();
  platform::Application().ProcessMessages();
  fs::remove(TFRM_SPV::SettingsFile(), ec);
}

}  // namespace
}  // namespace spv::app::test
