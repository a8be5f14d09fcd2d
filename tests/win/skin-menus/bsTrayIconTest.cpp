// The notification-area icon through a shell that records every call, and the way of the main
// window to the notification area and back.
#include "MenuTestSupport.h"
#include "skin/frame/bsTrayIcon.h"

#include <string>
#include <vector>

using namespace bs;
using namespace bs::menu_test;

namespace {

struct TRecordingShell : TNotifyIconShell {
  struct Call {
    DWORD message;
    NOTIFYICONDATAW data;
  };
  TRecordingShell() { SetNotifyIconShell(this); }
  ~TRecordingShell() override { SetNotifyIconShell(nullptr); }
  bool NotifyIcon(DWORD message, const NOTIFYICONDATAW& data) override {
    calls.push_back({message, data});
    return true;
  }
  UINT TaskbarCreatedMessage() override { return RegisterWindowMessageW(L"TaskbarCreated"); }
  std::vector<DWORD> Messages() const {
    std::vector<DWORD> out;
    for (const Call& c : calls) out.push_back(c.message);
    return out;
  }
  std::vector<Call> calls;
};

}  // namespace

TEST(TrayIcon, TheRecordTheTipAndANewTaskBar) {
  TRecordingShell shell;
  TFramedWindow w(true);
  auto* icon = new TbsTrayIcon(w.form.get());
  icon->SetHint(std::wstring(200, L'x'));
  icon->SetIconVisible(false);
  icon->SetIconVisible(true);
  ASSERT_EQ(shell.Messages(), (std::vector<DWORD>{NIM_ADD}));
  const NOTIFYICONDATAW& d = shell.calls.back().data;
  EXPECT_EQ(d.hWnd, icon->Window());
  EXPECT_EQ(d.uID, 1u);
  EXPECT_EQ(d.uFlags, UINT(NIF_MESSAGE | NIF_ICON | NIF_TIP));
  EXPECT_EQ(d.uCallbackMessage, 2048u);
  EXPECT_NE(d.hIcon, nullptr);
  EXPECT_EQ(std::wstring(d.szTip), std::wstring(127, L'x'));
  icon->SetShowHint(false);
  EXPECT_EQ(shell.calls.back().message, DWORD(NIM_MODIFY));
  EXPECT_EQ(std::wstring(shell.calls.back().data.szTip), L"");
  // The shell restarted: the icon is added again.
  SendMessageW(icon->Window(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  EXPECT_EQ(shell.calls.back().message, DWORD(NIM_ADD));
  delete icon;
  EXPECT_EQ(shell.calls.back().message, DWORD(NIM_DELETE));
}

TEST(TrayIcon, MinimisingToTheTrayHidesTheWindowAndRestoreBringsItBack) {
  TRecordingShell shell;
  TFramedWindow w(true);
  auto* icon = new TbsTrayIcon(w.form.get());
  w.frame->SetTrayIcon(icon);
  EXPECT_EQ(shell.Messages(), (std::vector<DWORD>{})) << "hidden until the window goes to the tray";
  EXPECT_EQ(icon->PopupMenu(), &w.frame->TrayMenu());
  std::vector<std::wstring> captions;
  for (int i = 0; i < w.frame->TrayMenu().Items().Count(); ++i)
    captions.push_back(w.frame->TrayMenu().Items().Items(i)->Caption());
  EXPECT_EQ(captions, (std::vector<std::wstring>{L"&Restore", L"-", L"&Close"}));
  EXPECT_EQ(ShortCutToText(w.frame->TrayMenu().Items().Items(2)->ShortCut()), L"Alt+F4");

  int minimized = 0, restored = 0;
  w.frame->OnMinimizeToTray = [&](TObject*) { ++minimized; };
  w.frame->OnRestoreFromTray = [&](TObject*) { ++restored; };
  w.frame->MinimizeToTray();
  Pump(30);
  EXPECT_FALSE(IsWindowVisible(w.Handle()));
  EXPECT_EQ(shell.Messages(), (std::vector<DWORD>{NIM_ADD}));
  EXPECT_EQ(minimized, 1);
  // A double click on the icon restores.
  SendMessageW(icon->Window(), WM_TRAY_NOTIFY, 1, WM_LBUTTONDBLCLK);
  Pump(30);
  EXPECT_TRUE(IsWindowVisible(w.Handle()));
  EXPECT_FALSE(IsIconic(w.Handle()));
  EXPECT_EQ(shell.Messages(), (std::vector<DWORD>{NIM_ADD, NIM_DELETE}));
  EXPECT_EQ(restored, 1);
}

TEST(TrayIcon, CyclingWrapsOverTheListAndAnEmptyListIsLeftAlone) {
  TRecordingShell shell;
  TFramedWindow w(true);
  auto* icon = new TbsTrayIcon(w.form.get());
  std::vector<int> next;
  icon->OnCycle = [&](TObject*, int index) { next.push_back(index); };
  icon->SetAnimateTimerInterval(20);
  icon->SetCycleIcons(true);
  Pump(100);
  EXPECT_TRUE(next.empty()) << "no icons, nothing to cycle";
  TImageList list(w.form.get());
  for (int i = 0; i < 3; ++i) list.AddIcon(LoadIconW(nullptr, IDI_APPLICATION));
  icon->SetIconList(&list);
  ASSERT_TRUE(PumpUntil([&] { return next.size() >= 4; }));
  EXPECT_EQ(std::vector<int>(next.begin(), next.begin() + 4), (std::vector<int>{1, 2, 0, 1}));
  icon->SetCycleIcons(false);
  icon->SetIconList(nullptr);
}
