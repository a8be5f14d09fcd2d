#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/Hints.h"

#include "UserDrag.h"
#include "WindowShot.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace spv::platform {
namespace {

constexpr unsigned kPause = 200, kShortPause = 60, kHidePause = 900;
// Timers of the system may fire up to a tick early.
constexpr DWORD kTimerSlack = 20;

// A control whose hint depends on the place: its left half and its right half say different
// things, each for its own half only.
class THalves : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  int Asked = 0;

 protected:
  void WndProc(TMessage& m) override {
    if (m.Msg == CM_HINTSHOW) {
      auto& info = *reinterpret_cast<THintInfo*>(m.LParam);
      ++Asked;
      const int half = Width() / 2;
      const bool left = info.CursorPos.x < half;
      info.HintStr = left ? L"левая половина" : L"правая половина";
      info.CursorRect = left ? RECT{0, 0, half, Height()} : RECT{half, 0, Width(), Height()};
      return;
    }
    TCustomControl::WndProc(m);
  }
};

// A form that shows hints, with controls of every kind the pointer can rest on, and the pointer
// moved by real input.
class HintTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto& hints = ApplicationHints();
    hints.HintPause = kPause;
    hints.HintShortPause = kShortPause;
    hints.HintHidePause = kHidePause;
    form = std::make_unique<TForm>();
    form->SetBounds(120, 120, 520, 220);
    form->SetShowHint(true);
    alpha = AddPanel(10, 10, L"Альфа");
    beta = AddPanel(130, 10, L"Бета");
    quiet = AddPanel(250, 10, L"Молчит");
    quiet->SetShowHint(false);
    graphic = new TGraphicControl(form.get());
    graphic->SetParent(form.get());
    graphic->SetBounds(370, 10, 100, 60);
    graphic->Hint = L"Рисунок";
    halves = new THalves(form.get());
    halves->SetParent(form.get());
    halves->SetBounds(10, 100, 200, 60);
    form->Show();
    SetForegroundWindow(form->Handle());
    spv::test::PumpMessages(100);
    Away();
  }
  void TearDown() override {
    spv::test::ParkPointer();
    ApplicationHints().OnShowHint = nullptr;
    ApplicationHints().CancelHint();
    form.reset();
    auto& hints = ApplicationHints();
    hints.HintPause = 500;
    hints.HintShortPause = 50;
    hints.HintHidePause = 2500;
  }

  TPanel* AddPanel(int x, int y, const wchar_t* hint) {
    auto* p = new TPanel(form.get());
    p->SetParent(form.get());
    p->SetBounds(x, y, 100, 80);
    p->Hint = hint;
    return p;
  }
  static POINT Centre(const TControl& c) { return c.ClientToScreen({c.Width() / 2, c.Height() / 2}); }
  static POINT Shifted(POINT p, int dx, int dy) { return {p.x + dx, p.y + dy}; }

  // The pointer moved by the hand; the tick when it arrived.
  static DWORD PointerTo(POINT screen) {
    INPUT i = spv::test::PointerInput(screen, 0);
    SendInput(1, &i, sizeof(INPUT));
    const DWORD at = GetTickCount();
    spv::test::PumpMessages(20);
    return at;
  }
  // The pointer off the form, where no hint is. The system tells a window that the pointer
  // left it only at its next look, a moment later.
  static void Away() {
    PointerTo({20, 20});
    spv::test::PumpMessages(250);
  }
  static void Press(DWORD down, DWORD up) {
    INPUT in[2]{};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = down;
    in[1].mi.dwFlags = up;
    SendInput(2, in, sizeof(INPUT));
    spv::test::PumpMessages(30);
  }

  // What the hint window shows now, read back from the window: its text, or nothing.
  static std::wstring Shown() {
    THintWindow* w = ApplicationHints().HintWindow();
    if (!w || !w->HandleAllocated() || !IsWindowVisible(w->WindowHandle())) return {};
    wchar_t text[256] = {};
    GetWindowTextW(w->WindowHandle(), text, 256);
    return text;
  }
  // Waits for the hint window to show something; the time it took from `since`, or -1.
  static long WaitShown(DWORD since) {
    if (!spv::test::PumpUntil([] { return !Shown().empty(); })) return -1;
    return long(GetTickCount() - since);
  }

  std::unique_ptr<TForm> form;
  TPanel *alpha = nullptr, *beta = nullptr, *quiet = nullptr;
  TGraphicControl* graphic = nullptr;
  THalves* halves = nullptr;
};

TEST_F(HintTest, ARestingPointerShowsTheHintBelowItAndAMoveToAnotherControlHidesIt) {
  const POINT a = Centre(*alpha);
  DWORD arrived = PointerTo(a);
  EXPECT_EQ(Shown(), L"") << "the hint waits for the pause";
  EXPECT_GE(WaitShown(arrived), long(kPause - kTimerSlack));
  EXPECT_EQ(Shown(), L"Альфа");
  EXPECT_EQ(ApplicationHints().HintControl(), alpha);
  RECT r;
  GetWindowRect(ApplicationHints().HintWindow()->WindowHandle(), &r);
  EXPECT_EQ(r.left, a.x);
  EXPECT_EQ(r.top, a.y + CursorHeightBelowHotSpot(GetCursor())) << "below the pointer's picture";
  spv::test::SaveWindowPng(ApplicationHints().HintWindow()->WindowHandle(), "hint-plain");

  // Onto a control that shows no hint (its parent, the form, has none): gone at once.
  PointerTo(Centre(*quiet));
  EXPECT_EQ(Shown(), L"");
  spv::test::PumpMessages(int(kPause) + 200);
  EXPECT_EQ(Shown(), L"");

  // A control without a window of its own has its hint too; after a hidden hint the full pause.
  arrived = PointerTo(Centre(*graphic));
  EXPECT_GE(WaitShown(arrived), long(kPause - kTimerSlack));
  EXPECT_EQ(Shown(), L"Рисунок");

  // Straight from one hint to the next: the first goes at once, the next after the short pause.
  arrived = PointerTo(Centre(*beta));
  EXPECT_NE(Shown(), L"Рисунок");
  EXPECT_GE(WaitShown(arrived), long(kShortPause - kTimerSlack));
  EXPECT_EQ(Shown(), L"Бета");

  // Off the form altogether.
  PointerTo({20, 20});
  EXPECT_TRUE(spv::test::PumpUntil([] { return Shown().empty(); }));
  EXPECT_EQ(ApplicationHints().HintControl(), nullptr);
}

TEST_F(HintTest, TheHintHidesAfterTheHidePauseAndComesBackOnlyAfterTheControlWasLeft) {
  const DWORD arrived = PointerTo(Centre(*alpha));
  ASSERT_GE(WaitShown(arrived), 0);
  const DWORD shown = GetTickCount();
  ASSERT_TRUE(spv::test::PumpUntil([] { return Shown().empty(); }));
  EXPECT_GE(long(GetTickCount() - shown), long(kHidePause - kTimerSlack));
  // Resting on, or moving within the control, brings nothing back.
  PointerTo(Shifted(Centre(*alpha), 5, 3));
  spv::test::PumpMessages(int(kPause) + 200);
  EXPECT_EQ(Shown(), L"");
  // Out and in again: it shows.
  PointerTo(Centre(*quiet));
  const DWORD back = PointerTo(Centre(*alpha));
  EXPECT_GE(WaitShown(back), 0);
  EXPECT_EQ(Shown(), L"Альфа");
}

TEST_F(HintTest, AClickOrAKeyHidesTheHint) {
  const struct {
    const char* what;
    std::function<void()> act;
  } cases[] = {
      {"left click", [] { Press(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP); }},
      {"right click", [] { Press(MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP); }},
      {"key",
       [] {
         INPUT in[2]{};
         in[0].type = in[1].type = INPUT_KEYBOARD;
         in[0].ki.wVk = in[1].ki.wVk = VK_SHIFT;
         in[1].ki.dwFlags = KEYEVENTF_KEYUP;
         SendInput(2, in, sizeof(INPUT));
         spv::test::PumpMessages(30);
       }},
      // A key the window takes as a shortcut never reaches a control.
      {"shortcut",
       [this] {
         int taken = 0;
         form->OnShortCut = [&](MSG& msg, bool& handled) {
           if (msg.wParam != VK_F5) return;
           ++taken;
           handled = true;
         };
         PostMessageW(form->Handle(), WM_KEYDOWN, VK_F5, 1);
         Application().ProcessMessages();
         form->OnShortCut = nullptr;
         EXPECT_EQ(taken, 1);
       }},
  };
  int step = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    // A fresh place each time, so that the pointer comes onto the control anew.
    PointerTo(Centre(*quiet));
    const DWORD arrived = PointerTo(Shifted(Centre(*alpha), step++ * 3, 0));
    ASSERT_GE(WaitShown(arrived), 0);
    ASSERT_EQ(Shown(), L"Альфа");
    c.act();
    EXPECT_EQ(Shown(), L"");
    EXPECT_EQ(ApplicationHints().HintControl(), nullptr);
  }
}

TEST_F(HintTest, AControlWhoseHintDependsOnThePlaceShowsTheTextUnderThePointer) {
  const POINT left = halves->ClientToScreen({50, 30}), right = halves->ClientToScreen({150, 30});
  ASSERT_GE(WaitShown(PointerTo(left)), 0);
  EXPECT_EQ(Shown(), L"левая половина");
  EXPECT_EQ(halves->Asked, 1);
  // Within the half the text holds: nothing is asked again and nothing flickers.
  PointerTo(Shifted(left, 10, 5));
  PointerTo(Shifted(left, -10, -5));
  EXPECT_EQ(Shown(), L"левая половина");
  EXPECT_EQ(halves->Asked, 1);
  // Into the other half: the old text goes, the new one follows after the short pause.
  const DWORD arrived = PointerTo(right);
  EXPECT_NE(Shown(), L"левая половина");
  EXPECT_GE(WaitShown(arrived), long(kShortPause - kTimerSlack));
  EXPECT_EQ(Shown(), L"правая половина");
  EXPECT_EQ(halves->Asked, 2);
}

TEST_F(HintTest, TheApplicationsHandlerMayChangeOrRefuseAHint) {
  std::vector<TControl*> asked;
  ApplicationHints().OnShowHint = [&](std::wstring& hint, bool& canShow, THintInfo& info) {
    asked.push_back(info.HintControl);
    EXPECT_EQ(&hint, &info.HintStr);
    if (info.HintControl == beta) canShow = false;
    else hint += L" (изменено)";
  };
  PointerTo(Centre(*beta));
  ASSERT_TRUE(spv::test::PumpUntil([&] { return !asked.empty(); }));
  spv::test::PumpMessages(200);
  EXPECT_EQ(Shown(), L"") << "refused";
  // A refused hint is not asked for again while the pointer stays.
  PointerTo(Shifted(Centre(*beta), 4, 4));
  spv::test::PumpMessages(int(kPause) + 200);
  EXPECT_EQ(asked.size(), 1u);

  ASSERT_GE(WaitShown(PointerTo(Centre(*alpha))), 0);
  EXPECT_EQ(Shown(), L"Альфа (изменено)");
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_EQ(asked[1], alpha);
}

TEST_F(HintTest, ShowHintAndTheHintTextComeFromTheParentsUnlessTheControlHasItsOwn) {
  // A box that shows no hints, with a panel that follows it and a panel of its own mind inside.
  auto* box = new TPanel(form.get());
  box->SetParent(form.get());
  box->SetBounds(250, 100, 250, 80);
  box->Hint = L"Коробка";
  box->SetShowHint(false);
  auto* follower = new TPanel(form.get());
  follower->SetParent(box);
  follower->SetBounds(10, 10, 100, 60);
  auto* own = new TPanel(form.get());
  own->SetParent(box);
  own->SetBounds(130, 10, 100, 60);
  own->Hint = L"Своя";
  own->SetShowHint(true);
  spv::test::PumpMessages(50);
  EXPECT_TRUE(follower->ParentShowHint());
  EXPECT_FALSE(own->ParentShowHint());

  PointerTo(Centre(*follower));
  spv::test::PumpMessages(int(kPause) + 200);
  EXPECT_EQ(Shown(), L"") << "the box shows no hints, nor does what follows it";

  ASSERT_GE(WaitShown(PointerTo(Centre(*own))), 0);
  EXPECT_EQ(Shown(), L"Своя");

  box->SetShowHint(true);
  PointerTo(Centre(*quiet));
  ASSERT_GE(WaitShown(PointerTo(Centre(*follower))), 0);
  EXPECT_EQ(Shown(), L"Коробка") << "no text of its own: the box's";
}

TEST_F(HintTest, HintsSwitchedOffShowNothingAndAFreedControlIsLetGo) {
  ApplicationHints().SetShowHint(false);
  PointerTo(Centre(*alpha));
  spv::test::PumpMessages(int(kPause) + 200);
  EXPECT_EQ(Shown(), L"");
  ApplicationHints().SetShowHint(true);

  PointerTo(Centre(*quiet));
  PointerTo(Centre(*beta));
  ASSERT_EQ(ApplicationHints().HintControl(), beta);
  delete beta;
  EXPECT_EQ(ApplicationHints().HintControl(), nullptr);
  spv::test::PumpMessages(int(kPause) + 200);
  EXPECT_EQ(Shown(), L"");
}

}  // namespace
}  // namespace spv::platform
