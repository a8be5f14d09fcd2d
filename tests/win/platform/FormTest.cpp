#include "platform/ExtCtrls.h"
#include "platform/Forms.h"

#include "WindowShot.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace spv::platform {
namespace {

DWORD Style(HWND w) { return DWORD(GetWindowLongW(w, GWL_STYLE)); }
DWORD ExStyle(HWND w) { return DWORD(GetWindowLongW(w, GWL_EXSTYLE)); }

TEST(FormTest, BorderStylesAndIconsMakeTheirWindowStyles) {
  struct Case {
    TFormBorderStyle border;
    TBorderIcons icons;
    DWORD styleOn, styleOff, exOn;
  };
  const Case cases[] = {
      {TFormBorderStyle::bsNone, biSystemMenu, WS_POPUP, WS_CAPTION | WS_THICKFRAME | WS_SYSMENU, 0},
      {TFormBorderStyle::bsSingle, biSystemMenu | biMinimize, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
       WS_THICKFRAME | WS_MAXIMIZEBOX, 0},
      {TFormBorderStyle::bsSizeable, biSystemMenu | biMinimize | biMaximize,
       WS_CAPTION | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, 0, 0},
      {TFormBorderStyle::bsSizeable, 0, WS_CAPTION | WS_THICKFRAME, WS_SYSMENU | WS_MINIMIZEBOX, 0},
      {TFormBorderStyle::bsDialog, biSystemMenu | biMinimize, WS_CAPTION | WS_SYSMENU,
       WS_THICKFRAME | WS_MINIMIZEBOX, WS_EX_DLGMODALFRAME},
      {TFormBorderStyle::bsToolWindow, biSystemMenu, WS_CAPTION, WS_THICKFRAME, WS_EX_TOOLWINDOW},
      {TFormBorderStyle::bsSizeToolWin, biSystemMenu, WS_CAPTION | WS_THICKFRAME, WS_MINIMIZEBOX, WS_EX_TOOLWINDOW},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(int(c.border));
    TForm form;
    form.SetBorderStyle(c.border);
    form.SetBorderIcons(c.icons);
    form.SetClientSize(210, 130);
    HWND h = form.Handle();
    EXPECT_EQ(Style(h) & c.styleOn, c.styleOn);
    EXPECT_EQ(Style(h) & c.styleOff, 0u);
    EXPECT_EQ(ExStyle(h) & c.exOn, c.exOn);
    // The client size asked for before the window existed is the window's.
    RECT client;
    GetClientRect(h, &client);
    EXPECT_EQ(client.right, 210);
    EXPECT_EQ(client.bottom, 130);
  }
}

TEST(FormTest, ScreenCentreIsTheMiddleOfTheWorkArea) {
  TForm form;
  form.SetPosition(TPosition::poScreenCenter);
  form.SetBounds(0, 0, 300, 200);
  form.Show();
  RECT r, work = Screen().WorkAreaRect();
  GetWindowRect(form.Handle(), &r);
  EXPECT_LE(std::abs((r.left - work.left) - (work.right - r.right)), 1);
  EXPECT_LE(std::abs((r.top - work.top) - (work.bottom - r.bottom)), 1);
  EXPECT_EQ(form.Left(), r.left);
  EXPECT_EQ(form.Width(), 300);
}

TEST(FormTest, RecreatingTheWindowKeepsStateAndChildren) {
  TForm form;
  form.SetCaption(L"Окно");
  form.SetBounds(40, 50, 300, 200);
  auto* panel = new TPanel(&form);
  panel->SetParent(&form);
  panel->SetAlign(TAlign::alClient);
  form.Show();
  HWND before = form.Handle();
  HWND panelBefore = panel->Handle();
  form.SetBorderStyle(TFormBorderStyle::bsToolWindow);
  HWND after = form.Handle();
  EXPECT_NE(after, before);
  EXPECT_FALSE(IsWindow(before));
  EXPECT_FALSE(IsWindow(panelBefore));
  EXPECT_EQ(GetParent(panel->Handle()), after);
  EXPECT_TRUE(IsWindowVisible(after));
  wchar_t text[16] = {};
  GetWindowTextW(after, text, 16);
  EXPECT_STREQ(text, L"Окно");
  RECT r;
  GetWindowRect(after, &r);
  EXPECT_EQ(r.left, 40);
  EXPECT_EQ(r.right - r.left, 300);
  EXPECT_EQ(panel->Width(), form.ClientWidth());
  EXPECT_EQ(TWinControl::FromHandle(after), &form);
}

TEST(FormTest, ShowModalRunsUntilAModalResultWithTheOtherFormsDisabled) {
  TForm owner;
  owner.Show();
  TForm dialog;
  dialog.SetBorderStyle(TFormBorderStyle::bsDialog);
  bool ownerDisabled = false;
  int shows = 0;
  dialog.OnShow = [&](TObject*) { ++shows; };
  TTimer answer;
  answer.SetInterval(10);
  answer.OnTimer = [&](TObject*) {
    answer.SetEnabled(false);
    ownerDisabled = !IsWindowEnabled(owner.Handle());
    dialog.SetModalResult(mrRetry);
  };
  EXPECT_EQ(dialog.ShowModal(), mrRetry);
  EXPECT_TRUE(ownerDisabled);
  EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
  EXPECT_FALSE(dialog.Visible());
  EXPECT_EQ(shows, 1);
}

TEST(FormTest, ClosingAModalFormCancelsItUnlessOnCloseRefuses) {
  TForm dialog;
  int refusals = 1;
  dialog.OnClose = [&](TObject*, TCloseAction& action) {
    if (refusals-- > 0) action = TCloseAction::caNone;
  };
  TTimer closer;
  closer.SetInterval(10);
  int closes = 0;
  closer.OnTimer = [&](TObject*) {
    ++closes;
    PostMessageW(dialog.Handle(), WM_CLOSE, 0, 0);
  };
  EXPECT_EQ(dialog.ShowModal(), mrCancel);
  EXPECT_EQ(closes, 2);  // the first close was refused
}

TEST(FormTest, ClosingHidesOrFreesAsOnCloseSays) {
  auto* keep = new TForm(&Application());
  keep->Show();
  keep->Close();
  EXPECT_FALSE(keep->Visible());
  EXPECT_FALSE(IsWindowVisible(keep->Handle()));

  bool freed = false;
  struct TTracked : TForm {
    bool* Freed;
    explicit TTracked(bool* freed) : TForm(nullptr), Freed(freed) {}
    ~TTracked() override { *Freed = true; }
  };
  auto* gone = new TTracked(&freed);
  gone->OnClose = [](TObject*, TCloseAction& action) { action = TCloseAction::caFree; };
  gone->Show();
  gone->Close();
  EXPECT_FALSE(freed);  // not while its own message may still be running
  Application().ProcessMessages();
  EXPECT_TRUE(freed);
  delete keep;
}

TEST(FormTest, TheScreenListsFormsInCreationOrder) {
  const int before = Screen().FormCount();
  auto first = std::make_unique<TForm>();
  auto second = std::make_unique<TForm>();
  ASSERT_EQ(Screen().FormCount(), before + 2);
  EXPECT_EQ(Screen().Forms(before), first.get());
  EXPECT_EQ(Screen().Forms(before + 1), second.get());
  first.reset();
  EXPECT_EQ(Screen().Forms(before), second.get());
  EXPECT_THROW(Screen().Forms(before + 1), Exception);

  ASSERT_GE(Screen().MonitorCount(), 1);
  const TMonitor m = Screen().Monitors(0);
  EXPECT_GT(m.BoundsRect.right - m.BoundsRect.left, 0);
  EXPECT_TRUE(m.Primary || Screen().MonitorCount() > 1);
  second->Show();
  const TMonitor of = Screen().MonitorFromWindow(second->Handle());
  RECT inter;
  EXPECT_TRUE(IntersectRect(&inter, &of.WorkareaRect, &of.BoundsRect));
}

TEST(FormTest, WindowStateFollowsTheWindow) {
  TForm form;
  form.Show();
  form.SetWindowState(TWindowState::wsMaximized);
  EXPECT_TRUE(IsZoomed(form.Handle()));
  EXPECT_EQ(form.WindowState(), TWindowState::wsMaximized);
  form.SetWindowState(TWindowState::wsNormal);
  EXPECT_FALSE(IsZoomed(form.Handle()));
  EXPECT_EQ(form.WindowState(), TWindowState::wsNormal);
}

// The focus goes back to the control the user left it on when the form is active again:
// restored after a minimise, or back from another window. Not to the form itself, which no
// key would reach a control through.
TEST(FormTest, TheFocusComesBackToItsControlWhenTheFormIsActiveAgain) {
  TForm form;
  form.SetBounds(60, 60, 300, 200);
  auto* first = new TPanel(&form);
  first->SetParent(&form);
  first->SetBounds(10, 10, 100, 40);
  auto* second = new TPanel(&form);
  second->SetParent(&form);
  second->SetBounds(10, 60, 100, 40);
  form.Show();
  SetForegroundWindow(form.Handle());
  second->SetFocus();
  ASSERT_EQ(GetFocus(), second->Handle());

  ShowWindow(form.Handle(), SW_MINIMIZE);
  spv::test::PumpMessages();
  ASSERT_TRUE(IsIconic(form.Handle()));
  ShowWindow(form.Handle(), SW_RESTORE);
  spv::test::PumpMessages();
  EXPECT_EQ(GetFocus(), second->Handle()) << "restored";

  TForm other;
  other.SetBounds(400, 60, 200, 100);
  other.Show();
  SetForegroundWindow(other.Handle());
  spv::test::PumpMessages();
  ASSERT_NE(GetFocus(), second->Handle());
  SetForegroundWindow(form.Handle());
  spv::test::PumpMessages();
  EXPECT_EQ(GetFocus(), second->Handle()) << "back from another window";
  EXPECT_EQ(form.ActiveControl(), second);
}

}  // namespace
}  // namespace spv::platform
