// The main window under a long run of random input from a fixed seed: clicks, drags, keys,
// resizes, tab changes, the frame's menu, the folder chooser, the calendar and the run command,
// over a good folder and two damaged ones. Whatever box opens on the way is closed by the run
// itself; at the end the window still answers and a good run still goes through.
#include "MainWindowFixture.h"

#include "skin/frame/bsSkinMenus.h"

#include <random>

namespace spv::app::test {
namespace {

// The pointer's presses and moves as one batch of input: a press on the frame may start a
// loop of its own (moving, sizing) that only the queued moves and release end.
void Pointer(std::initializer_list<std::pair<POINT, DWORD>> steps) {
  const int w = GetSystemMetrics(SM_CXSCREEN) - 1, h = GetSystemMetrics(SM_CYSCREEN) - 1;
  std::vector<INPUT> in;
  for (const auto& [at, buttons] : steps) {
    INPUT i{};
    i.type = INPUT_MOUSE;
    i.mi.dx = LONG(std::clamp<LONG>(at.x, 0, w) * 65535 / w);
    i.mi.dy = LONG(std::clamp<LONG>(at.y, 0, h) * 65535 / h);
    i.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttons;
    in.push_back(i);
  }
  SendInput(UINT(in.size()), in.data(), sizeof(INPUT));
  spv::test::PumpMessages(60);
}

// A right click, for the frame's menu.
void RightClickAt(POINT screen) {
  bs::test::MouseTo(screen);
  INPUT i[2]{};
  i[0].type = i[1].type = INPUT_MOUSE;
  i[0].mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
  i[1].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
  SendInput(2, i, sizeof(INPUT));
  spv::test::PumpMessages(30);
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
        Pointer({{Somewhere(over), MOUSEEVENTF_LEFTDOWN}, {Somewhere(over), 0}, {Somewhere(*Form), MOUSEEVENTF_LEFTUP}});
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
        TypeInto(Pick(2) ? static_cast<TControl&>(*Form->EBases) : static_cast<TControl&>(*Form->EReport),
                 folders[std::size_t(Pick(int(folders.size())))]);
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
      case 10: {  // the window resized, now and then maximized and restored
        // Resized by its bounds: a press on the skinned frame's border under Wine starts a
        // sizing loop that the queued release did not end.
        if (Pick(4) == 0) {
          ShowWindow(Form->Handle(), IsZoomed(Form->Handle()) ? SW_RESTORE : SW_MAXIMIZE);
        } else {
          ShowWindow(Form->Handle(), SW_RESTORE);
          Form->SetBounds(20, 20, 300 + Pick(900), 250 + Pick(700));
        }
        spv::test::PumpMessages(60);
        break;
      }
      case 11:  // the frame's menu, by the keyboard or the caption
        if (Pick(2))
          bs::test::TypeKey(VK_SPACE, {VK_MENU});
        else
          RightClickAt(CaptionPoint());
        break;
      case 12: {  // the folder chooser of one of the folder fields
        TControl& edit = Pick(2) ? static_cast<TControl&>(*Form->EBases) : static_cast<TControl&>(*Form->EReport);
        Click(edit, edit.Width() - 8, edit.Height() / 2);
        break;
      }
      case 13:  // the calendar
        Click(*Form->EDate, Form->EDate->Width() - 8, Form->EDate->Height() / 2);
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
  int choosers = 0, calendars = 0, menus = 0, runs = 0;
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
            << menus << " menus\n";
  EXPECT_GT(runs, 0);

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
