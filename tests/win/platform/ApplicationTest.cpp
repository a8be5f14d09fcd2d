#include "platform/ExtCtrls.h"
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
