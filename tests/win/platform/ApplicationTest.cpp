#include "platform/ExtCtrls.h"
#include "platform/FormReader.h"
#include "platform/Forms.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace spv::platform {
namespace {

struct Report {
  std::wstring text, caption;
  UINT flags = 0;
};

// Puts a recorder in place of the system message box, which would wait for a user.
struct ApplicationTest : ::testing::Test {
  std::vector<Report> reports;
  ApplicationTest() {
    Application().MessageBoxFunction = [this](HWND, const std::wstring& text, const std::wstring& caption, UINT flags) {
      reports.push_back({text, caption, flags});
      return IDOK;
    };
  }
  ~ApplicationTest() override {
    Application().OnMessage = nullptr;
    Application().OnException = nullptr;
  }
};

TEST_F(ApplicationTest, AnErrorEscapingAnEventHandlerIsReportedAndTheLoopGoesOn) {
  auto* form = Application().CreateForm<TForm>();
  ASSERT_EQ(Application().MainForm(), form);
  auto* panel = new TPanel(form);
  panel->SetParent(form);
  panel->SetBounds(0, 0, 50, 50);
  panel->OnClick = [](TObject*) { throw Exception(L"Папка баз не найдена"); };
  TTimer timer;
  int ticks = 0;
  timer.SetInterval(10);
  timer.OnTimer = [&](TObject*) {
    if (++ticks == 1) throw std::runtime_error("timer failed");
  };
  std::vector<std::string> after;
  // The loop runs the whole script: two failing events, then work that proves it went on.
  Application().OnMessage = [&](MSG& msg, bool&) {
    if (msg.message == WM_APP + 1) after.push_back("went on");
    if (ticks >= 3 && after.size() == 1) PostMessageW(form->Handle(), WM_CLOSE, 0, 0);
  };
  form->Show();
  PostMessageW(panel->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  PostMessageW(panel->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  PostMessageW(form->Handle(), WM_APP + 1, 0, 0);
  Application().Run();

  ASSERT_EQ(reports.size(), 2u);
  EXPECT_EQ(reports[0].text, L"Папка баз не найдена");
  EXPECT_EQ(reports[0].flags, UINT(MB_OK | MB_ICONERROR));
  EXPECT_EQ(reports[0].caption, Application().Title);
  EXPECT_EQ(reports[1].text, L"timer failed");
  EXPECT_EQ(after.size(), 1u);
  EXPECT_GE(ticks, 3);
  EXPECT_FALSE(Application().Terminated());  // ready to run again
  EXPECT_FALSE(IsWindowVisible(form->Handle()));
  delete form;
  EXPECT_EQ(Application().MainForm(), nullptr);
}

TEST_F(ApplicationTest, OnExceptionTakesTheReportOver) {
  std::vector<std::string> seen;
  Application().OnException = [&](TObject*, const std::exception& e) { seen.push_back(e.what()); };
  TForm form;
  form.OnPaint = [](TObject*) { throw Exception(std::string("paint failed")); };
  form.Show();
  UpdateWindow(form.Handle());
  Application().ProcessMessages();
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen[0], "paint failed");
  EXPECT_TRUE(reports.empty());
}

TEST_F(ApplicationTest, OnShortCutSeesKeysBeforeTheFocusedControl) {
  TForm form;
  auto* panel = new TPanel(&form);
  panel->SetParent(&form);
  panel->SetTabStop(true);
  std::vector<WPARAM> shortcuts, keys;
  form.OnShortCut = [&](MSG& msg, bool& handled) {
    shortcuts.push_back(msg.wParam);
    handled = msg.wParam == VK_F5;
  };
  panel->OnKeyDown = [&](TObject*, WORD& key, TShiftState) { keys.push_back(key); };
  form.Show();
  SetForegroundWindow(form.Handle());
  SetActiveWindow(form.Handle());
  panel->SetFocus();
  ASSERT_EQ(Screen().ActiveForm(), &form);
  PostMessageW(panel->Handle(), WM_KEYDOWN, VK_F5, 0);
  PostMessageW(panel->Handle(), WM_KEYDOWN, 'A', 0);
  Application().ProcessMessages();
  EXPECT_EQ(shortcuts, (std::vector<WPARAM>{VK_F5, 'A'}));
  EXPECT_EQ(keys, std::vector<WPARAM>{'A'});
}

TEST_F(ApplicationTest, TerminateEndsTheLoopAndOnMessageCanSwallow) {
  auto* form = Application().CreateForm<TForm>();
  int seen = 0;
  Application().OnMessage = [&](MSG& msg, bool& handled) {
    if (msg.message == WM_APP + 2) {
      ++seen;
      handled = true;
      Application().Terminate();
    }
  };
  int reached = 0;
  auto* listener = new TPanel(form);
  listener->SetParent(form);
  listener->WindowProc = [&, saved = listener->WindowProc](TMessage& m) {
    if (m.Msg == WM_APP + 2) ++reached;
    saved(m);
  };
  form->Show();
  PostMessageW(listener->Handle(), WM_APP + 2, 0, 0);
  Application().Run();
  EXPECT_EQ(seen, 1);
  EXPECT_EQ(reached, 0);
  EXPECT_TRUE(form->Visible());  // ended by Terminate, not by a close
  delete form;
}

}  // namespace
}  // namespace spv::platform

namespace spv::platform {
namespace {

// Runs the loop until `done` or, so that a broken timer cannot hang the suite, a deadline.
template <typename F>
void RunUntil(F done) {
  const ULONGLONG deadline = GetTickCount64() + 5000;
  while (!done() && GetTickCount64() < deadline) {
    Application().ProcessMessages();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
}

TEST(TimerTest, FiresOnTheThreadThatMadeItFromItsMessageLoop) {
  std::vector<DWORD> threads;
  TTimer timer;
  timer.SetInterval(5);
  timer.OnTimer = [&](TObject* sender) {
    EXPECT_EQ(sender, &timer);
    threads.push_back(GetCurrentThreadId());
  };
  // Nothing fires without the loop: the timer is a message of this thread.
  Sleep(30);
  EXPECT_TRUE(threads.empty());
  RunUntil([&] { return threads.size() >= 3; });
  ASSERT_GE(threads.size(), 3u);
  for (DWORD id : threads) EXPECT_EQ(id, GetCurrentThreadId());
}

TEST(TimerTest, DisabledOrFreedTimersStayQuiet) {
  int fired = 0, witness = 0;
  TTimer clock;  // proves that the loop ran long enough for the others to have fired
  clock.SetInterval(5);
  clock.OnTimer = [&](TObject*) { ++witness; };
  TTimer disabled;
  disabled.SetInterval(5);
  disabled.OnTimer = [&](TObject*) { ++fired; };
  disabled.SetEnabled(false);
  TTimer zero;
  zero.SetInterval(0);
  zero.OnTimer = [&](TObject*) { ++fired; };
  auto* freed = new TTimer;
  freed->SetInterval(5);
  freed->OnTimer = [&](TObject*) { ++fired; };
  delete freed;
  RunUntil([&] { return witness >= 5; });
  EXPECT_GE(witness, 5);
  EXPECT_EQ(fired, 0);
  disabled.SetEnabled(true);
  RunUntil([&] { return fired > 0; });
  EXPECT_GT(fired, 0);
}

TEST(TimerTest, EachTickReachesItsOwnTimerAndNoneAfterItIsFreed) {
  // The timers of a thread tick through one window: a tick must find its own timer, and a timer
  // freed by another's tick must stay quiet however its ticks were queued.
  TTimer fast, slow;
  auto* victim = new TTimer;
  int fastTicks = 0, slowTicks = 0, victimTicks = 0, victimTicksWhenFreed = -1;
  fast.SetInterval(5);
  fast.OnTimer = [&](TObject* sender) {
    EXPECT_EQ(sender, &fast);
    ++fastTicks;
  };
  slow.SetInterval(40);
  slow.OnTimer = [&](TObject* sender) {
    EXPECT_EQ(sender, &slow);
    ++slowTicks;
    if (victim) {
      victimTicksWhenFreed = victimTicks;
      delete victim;
      victim = nullptr;
    }
  };
  victim->SetInterval(5);
  victim->OnTimer = [&](TObject*) { ++victimTicks; };
  RunUntil([&] { return slowTicks >= 3; });
  ASSERT_GE(slowTicks, 3);
  EXPECT_GT(fastTicks, slowTicks);
  EXPECT_EQ(victim, nullptr);
  EXPECT_EQ(victimTicks, victimTicksWhenFreed);
}

TEST(TimerTest, ATimerOfADescriptionStartsOnceLoaded) {
  struct THost : TForm {
    int Ticks = 0;
    THost() : TForm(nullptr) { PublishMethod("Tick", [this](TObject*) { ++Ticks; }); }
    std::string_view ClassName() const override { return "THost"; }
  } host;
  TFormReader::ReadInto(host, "object Host: THost\n  object T: TTimer\n    Interval = 5\n    OnTimer = Tick\n  end\nend\n");
  RunUntil([&] { return host.Ticks >= 2; });
  EXPECT_GE(host.Ticks, 2);
}

struct TMainWindow : TForm {
  explicit TMainWindow(TComponent* owner) : TForm(owner) {
    PublishMethod("FormCreate", [this](TObject*) { PanelsAtCreate = ComponentCount(); });
  }
  std::string_view ClassName() const override { return "TMainWindow"; }
  int PanelsAtCreate = -1;
};

TEST_F(ApplicationTest, CreateFormReadsTheDescriptionThenFiresOnCreate) {
  auto* form = Application().CreateForm<TMainWindow>(
      "object FRM: TMainWindow\n  OnCreate = FormCreate\n  object P1: TPanel\n  end\n  object P2: TPanel\n  end\nend\n");
  EXPECT_EQ(form->PanelsAtCreate, 2);
  EXPECT_EQ(Application().MainForm(), form);
  EXPECT_EQ(form->Owner(), &Application());
  delete form;

  // A description that fails leaves no half-made form behind.
  const int forms = Screen().FormCount();
  EXPECT_THROW(Application().CreateForm<TMainWindow>("object FRM: TMainWindow\n  Nonsense = 1\nend\n"), EReadError);
  EXPECT_EQ(Screen().FormCount(), forms);
  EXPECT_EQ(Application().MainForm(), nullptr);
}

TEST(CursorTest, TheControlUnderThePointerChoosesTheCursor) {
  TForm form;
  form.SetBounds(100, 100, 200, 200);
  auto* panel = new TPanel(&form);
  panel->SetParent(&form);
  panel->SetBounds(0, 0, 100, 100);
  panel->SetCursor(crHandPoint);
  form.Show();
  const POINT centre = panel->ClientToScreen({50, 50});
  SetCursorPos(centre.x, centre.y);
  const LRESULT handled = SendMessageW(panel->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(panel->Handle()),
                                       MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_TRUE(handled);
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
}

}  // namespace
}  // namespace spv::platform
