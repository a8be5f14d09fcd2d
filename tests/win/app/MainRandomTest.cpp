// The main window under a long run of random input from a fixed seed: clicks, drags, keys,
// resizes, tab changes, the frame's menu, the folder chooser, the calendar and the run command,
// over a good folder and two damaged ones. Whatever box opens on the way is closed by the run
// itself; at the end the window still answers and a good run still goes through.
#include "MainWindowFixture.h"

#include "UserDrag.h"
#include "skin/frame/bsSkinMenus.h"

#include <random>

namespace spv::app::test {
namespace {

// A right click, for the frame's menu.
void RightClickAt(POINT screen) {
  bs::test::MouseTo(screen);
  spv::test::PressButton(MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
}

class MainRandomTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    Open();
    // A history that is no table at all, beside the good report tables.
    fs::create_directories(BrokenBases);
    { std::ofstream(BrokenBases / "History.db", std::ios::binary) << std::string(4096, '\x7F'); }
    // Report tables cut short in the middle of a page.
    fs::create_directories(BrokenReports);
    for (const auto& entry : fs::directory_iterator(demo.Reports)) {
      std::ifstream in(entry.path(), std::ios::binary);
      std::string bytes(std::istreambuf_iterator<char>(in), {});
      bytes.resize(bytes.size() / 2 + 100);
      std::ofstream(BrokenReports / entry.path().filename(), std::ios::binary) << bytes;
    }
  }

  // Every box or window the run opens is closed from a timer of the thread, as a user would:
  // OK on a message box, Cancel on the folder chooser, Escape for the calendar and the menu,
  // the button of a progress dialog that stays after a failed read.
  void CloseWhatOpens() {
    for (int i = 0; i < platform::Screen().FormCount(); ++i) {
      platform::TCustomForm* form = platform::Screen().Forms(i);
      if (form == Form.get() || !form->HandleAllocated() || !IsWindowVisible(form->WindowHandle())) continue;
      if (auto* box = dynamic_cast<bs::TbsMessageForm*>(form)) {
        if (box->WindowHandle() == lastBox) continue;
        lastBox = box->WindowHandle();
        wchar_t caption[256]{};
        GetWindowTextW(box->WindowHandle(), caption, 256);
        Boxes.push_back({true, caption, box->Message->Caption()});
        for (int c = 0; c < box->ControlCount(); ++c)
          if (auto* ok = dynamic_cast<bs::TbsSkinButton*>(box->Controls(c))) {
            PostClick(*ok);
            break;
          }
        return;
      }
      if (auto* chooser = dynamic_cast<bs::TbsSelDirDlgForm*>(form)) {
        ++choosers;
        PostClick(*chooser->CancelButton);
        return;
      }
    }
    if (Form->Process->Showing() && !Form->Check().Reading()) {
      platform::TForm* dialog = Form->Process->Form();
      for (int c = 0; c < dialog->ControlCount(); ++c)
        if (auto* button = dynamic_cast<bs::TbsSkinButton*>(dialog->Controls(c))) PostClick(*button);
      return;
    }
    const bool calendar = EDateCalendarShown();
    if (calendar || Form->bsSkinForm1->SkinMenu().Showing()) {
      calendar ? ++calendars : ++menus;
      bs::test::TypeKey(VK_ESCAPE, {}, [] {});
    }
  }
  bool EDateCalendarShown() const {
    auto* calendar = Form->EDate->Calendar();
    return calendar->HandleAllocated() && IsWindowVisible(calendar->Handle());
  }
  static void PostClick(bs::TbsSkinButton& button) {
    // Posted, as the queue delivers the pointer's: a box's own loop takes them.
    const LPARAM at = MAKELPARAM(button.Width() / 2, button.Height() / 2);
    PostMessageW(button.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(button.Handle(), WM_LBUTTONUP, 0, at);
  }

  int Pick(int n) { return int(random() % unsigned(n)); }
  POINT Somewhere(TControl& control) {
    return control.ClientToScreen({Pick(std::max(1, control.Width())), Pick(std::max(1, control.Height()))});
  }
  RECT WindowRect() const {
    RECT r;
    GetWindowRect(Form->Handle(), &r);
    return r;
  }
  POINT CaptionPoint() const {
    const RECT r = WindowRect();
    const POINT client = Form->ClientToScreen({0, 0});
    return {(r.left + r.right) / 2, (r.top + client.y) / 2};
  }
  POINT OnScreen(POINT window) const {
    const RECT r = WindowRect();
    return {r.left + window.x, r.top + window.y};
  }

  // The window sized or moved by a hand on its frame (an edge, a corner or the caption), now
  // and then maximised or restored by a double click on the caption. A drag keeps the window on
  // the screen and at least 300 x 250, and the window must end exactly where the hand let go.
  void SizeOrMoveByHand() {
    // A drop-down or menu still open would take the press for itself.
    if (EDateCalendarShown() || Form->bsSkinForm1->SkinMenu().Showing()) {
      bs::test::TypeKey(VK_ESCAPE);
      return;
    }
    const HWND window = Form->Handle();
    const bs::TRect c = Form->bsSkinForm1->FindObject("caption1")->ObjectRect;
    const RECT caption{c.Left, c.Top, c.Right, c.Bottom};
    if (IsZoomed(window) || Pick(6) == 0) {
      if (const auto at = spv::test::FramePoint(window, HTCAPTION, caption)) {
        spv::test::ClickAsUser(OnScreen(*at), 2);
        ++doubleClicks;
      }
      return;
    }
    static const int codes[] = {HTCAPTION, HTCAPTION,   HTLEFT,       HTRIGHT,        HTTOP,
                                HTBOTTOM,  HTTOPLEFT, HTTOPRIGHT, HTBOTTOMLEFT, HTBOTTOMRIGHT};
    const int code = codes[Pick(int(std::size(codes)))];
    const auto at = spv::test::FramePoint(window, code, caption);
    if (!at) return;  // rolled up, the frame has no sizing edges
    const RECT r = WindowRect();
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    constexpr int minWidth = 300, minHeight = 250;
    const bool move = code == HTCAPTION, left = code == HTLEFT || code == HTTOPLEFT || code == HTBOTTOMLEFT,
               right = code == HTRIGHT || code == HTTOPRIGHT || code == HTBOTTOMRIGHT,
               top = code == HTTOP || code == HTTOPLEFT || code == HTTOPRIGHT,
               bottom = code == HTBOTTOM || code == HTBOTTOMLEFT || code == HTBOTTOMRIGHT;
    auto between = [&](int lo, int hi) { return lo >= hi ? 0 : lo + Pick(hi - lo + 1); };
    int dx = 0, dy = 0;
    if (move) {
      dx = between(-r.left, width - r.right);
      dy = between(-r.top, height - r.bottom);
    }
    if (left) dx = between(-r.left, r.right - minWidth - r.left);
    if (right) dx = between(r.left + minWidth - r.right, width - r.right);
    if (top) dy = between(-r.top, r.bottom - minHeight - r.top);
    if (bottom) dy = between(r.top + minHeight - r.bottom, height - r.bottom);
    RECT expected = r;
    if (move) OffsetRect(&expected, dx, dy);
    if (left) expected.left += dx;
    if (right) expected.right += dx;
    if (top) expected.top += dy;
    if (bottom) expected.bottom += dy;
    const POINT from = OnScreen(*at);
    const HWND under = WindowFromPoint(from);
    wchar_t underText[128]{};
    GetWindowTextW(under, underText, 128);
    const bool enabled = IsWindowEnabled(window), foreground = GetForegroundWindow() == window;
    EXPECT_TRUE(spv::test::DragAsUser(from, {from.x + dx, from.y + dy}))
        << "no loop took the press on " << code << " at (" << from.x << ", " << from.y << "): under it "
        << (under == window ? "the window" : "another window ") << platform::WideToUtf8(underText) << (enabled ? "" : ", the window disabled")
        << (foreground ? "" : ", the window not in front") << ", rolled up " << Form->bsSkinForm1->RolledUp();
    const RECT after = WindowRect();
    EXPECT_TRUE(EqualRect(&after, &expected))
        << "a drag of " << code << " by (" << dx << ", " << dy << ") left the window at (" << after.left << ", "
        << after.top << ")-(" << after.right << ", " << after.bottom << "), not (" << expected.left << ", "
        << expected.top << ")-(" << expected.right << ", " << expected.bottom << ")";
    ++(move ? moves : sizes);
  }

  // One random action of a user.
  void Act() {
    static const WORD keys[] = {VK_TAB,  VK_LEFT,   VK_RIGHT, VK_UP,     VK_DOWN,  VK_HOME, VK_END, VK_PRIOR, VK_NEXT,
                                VK_BACK, VK_DELETE, VK_SPACE, VK_RETURN, VK_ESCAPE, VK_F4,  'A',    '7',      VK_INSERT};
    const std::vector<std::wstring> folders = {demo.BasesText(),
                                               demo.ReportsText(),
                                               BrokenBases.wstring(),
                                               BrokenReports.wstring(),
                                               demo.BasesText() + L"\\\u043D\u0435\u0442",
                                               L"",
                                               L"C:\\",
                                               L"::\\?*"};
    static const wchar_t* dates[] = {L"15032026", L"14032026", L"13032026", L"1503", L"29022026", L"01012030", L""};
    switch (Pick(16)) {
      case 0:
      case 1: {  // a click anywhere in the window, now and then a double one
        const POINT at = Somewhere(*Form);
        bs::test::MouseTo(at);
        for (int n = Pick(4) == 0 ? 2 : 1; n > 0; --n) {
          bs::test::MouseButton(true);
          bs::test::MouseButton(false);
        }
        break;
      }
      case 2: {  // clicks in the result table
        bs::test::MouseTo(Somewhere(*Form->SGRep));
        bs::test::MouseButton(true);
        bs::test::MouseButton(false);
        break;
      }
      case 3: {  // a drag, within the table or across the window
        TControl& over = Pick(2) ? static_cast<TControl&>(*Form->SGRep) : static_cast<TControl&>(*Form);
        const POINT from = Somewhere(over);
        spv::test::DragAsUser(from, Somewhere(*Form), spv::test::TAfterPress::Pause);
        break;
      }
      case 4:
      case 5: {  // keys to whatever has the focus
        const WORD key = keys[Pick(int(std::size(keys)))];
        switch (Pick(4)) {
          case 0: bs::test::TypeKey(key, {VK_SHIFT}); break;
          case 1: bs::test::TypeKey(key, {VK_CONTROL}); break;
          default: bs::test::TypeKey(key);
        }
        break;
      }
      case 6:  // a folder typed
        TypeInto(Pick(2) ? *Form->EBases : *Form->EReport, folders[std::size_t(Pick(int(folders.size())))]);
        break;
      case 7:  // a date typed
        TypeDate(dates[Pick(int(std::size(dates)))]);
        break;
      case 8:
      case 9: {  // another hour
        const int tabs = int(Form->TabHour->Tabs().size());
        if (tabs == 0) break;
        const RECT tab = Form->TabHour->TabRect(Pick(tabs));
        if (tab.right > tab.left) Click(*Form->TabHour, (tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
        if (Pick(2)) bs::test::TypeKey(Pick(2) ? VK_RIGHT : VK_LEFT);
        break;
      }
      case 10:  // the window sized, moved, maximised or restored by the hand on its frame
        SizeOrMoveByHand();
        break;
      case 11:  // the frame's menu, by the keyboard or the caption
        if (Pick(2))
          bs::test::TypeKey(VK_SPACE, {VK_MENU});
        else
          RightClickAt(CaptionPoint());
        break;
      case 12:  // the folder chooser of one of the folder fields
        ClickEditButton(Pick(2) ? static_cast<bs::TbsSkinCustomEdit&>(*Form->EBases)
                                : static_cast<bs::TbsSkinCustomEdit&>(*Form->EReport));
        break;
      case 13:  // the calendar
        ClickEditButton(*Form->EDate);
        break;
      default:  // the run command
        ClickMiddle(*Form->SBExec);
        ++runs;
        break;
    }
  }

  TDemoFolder demo;
  fs::path BrokenBases = demo.Root / L"broken-history";
  fs::path BrokenReports = demo.Root / L"broken-reports";
  std::mt19937 random{20260315};
  HWND lastBox = nullptr;
  int choosers = 0, calendars = 0, menus = 0, runs = 0, sizes = 0, moves = 0, doubleClicks = 0;
};

// Whether an error report is one the run may bring: a database that cannot be read, or a date
// the date field refuses as it is completed.
bool Expected(const TShownBox& box) {
  return box.Text.find(L".db") != std::wstring::npos || box.Text.find(L"valid date") != std::wstring::npos ||
         box.Text.find(L"date encode") != std::wstring::npos;
}

TEST_F(MainRandomTest, RandomInputLeavesTheWindowWorking) {
  Boxes.clear();
  platform::TTimer closer;
  closer.SetInterval(80);
  closer.OnTimer = [&](platform::TObject*) { CloseWhatOpens(); };
  closer.SetEnabled(true);
  constexpr int kActions = 300;
  for (int i = 0; i < kActions; ++i) {
    Act();
    ASSERT_TRUE(IsWindow(Form->Handle())) << "the window was closed by action " << i;
  }
  ASSERT_TRUE(spv::test::PumpUntil([&] { return !Form->Check().Reading(); }));
  spv::test::PumpMessages(300);
  closer.SetEnabled(false);

  std::vector<TShownBox> reports;
  for (const TShownBox& box : Boxes)
    if (!box.Skinned) reports.push_back(box);
  for (const TShownBox& report : reports) EXPECT_TRUE(Expected(report)) << report;
  std::cout << "random run: " << runs << " runs, " << Boxes.size() - reports.size() << " skinned boxes, "
            << reports.size() << " error reports, " << choosers << " choosers, " << calendars << " calendars, "
            << menus << " menus, " << sizes << " sizes and " << moves << " moves by the frame, " << doubleClicks
            << " double clicks on the caption\n";
  EXPECT_GT(runs, 0);
  EXPECT_GT(sizes, 0);
  EXPECT_GT(moves, 0);

  DWORD_PTR answer = 0;
  EXPECT_NE(SendMessageTimeoutW(Form->Handle(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer), 0)
      << "the window answers";

  // A good run afterwards goes through, whatever state the random input left.
  ShowWindow(Form->Handle(), SW_RESTORE);
  Form->SetBounds(40, 40, Form->Width(), Form->Height());
  spv::test::PumpMessages(100);
  TypeInto(*Form->EBases, demo.BasesText());
  TypeInto(*Form->EReport, demo.ReportsText());
  TypeDate(L"15032026");
  EXPECT_EQ(Form->EBases->Text(), demo.BasesText());
  const auto boxes = Run();
  EXPECT_TRUE(std::none_of(boxes.begin(), boxes.end(), [](const TShownBox& b) { return !b.Skinned; }))
      << ::testing::PrintToString(boxes);
  EXPECT_EQ(Form->Check().WorkDate, *base::EncodeDate(2026, 3, 15));
  std::size_t lines = 0;
  for (const auto& hour : Form->Check().HistHours) lines += hour.size();
  EXPECT_GT(lines, 0u);
}

}  // namespace
}  // namespace spv::app::test
