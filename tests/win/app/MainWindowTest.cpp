// The main window at start and as its size changes.
#include "MainWindowFixture.h"
#include "SkinFixture.h"
#include "UserDrag.h"

#include "app/ResultView.h"
#include "base/DateTime.h"
#include "platform/Locale.h"

#include <cstdlib>

namespace spv::app::test {
namespace {

TEST_F(MainWindowTest, StartsWithTheHoursYesterdayAndTheDefaultFoldersSkinnedAndCentred) {
  Open();
  ASSERT_FALSE(Form->bsSkinData1->IsEmpty) << "the stored skin is loaded from the description";
  EXPECT_TRUE(Form->bsSkinForm1->Skinned());
  HWND window = Form->Handle();

  const auto& tabs = Form->TabHour->Tabs();
  ASSERT_EQ(tabs.size(), 24u);
  for (int hour = 0; hour < 24; ++hour) EXPECT_EQ(tabs[std::size_t(hour)], std::to_wstring(hour));
  EXPECT_EQ(Form->TabHour->TabIndex(), 0);
  EXPECT_EQ(Form->EDate->Date(), platform::Date() - 1);
  EXPECT_EQ(Form->EDate->Text(), platform::DateToStr(platform::Date() - 1));
  EXPECT_EQ(Form->EBases->Text(), L"C:\\Quorvane");
  EXPECT_EQ(Form->EReport->Text(), L"C:\\Quorvane\\Report");
  EXPECT_FALSE(fs::exists(TFRM_SPV::SettingsFile())) << "reading the settings writes nothing";

  RECT client, frame, work;
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, kClientWidth);
  EXPECT_EQ(client.bottom, kClientHeight);
  GetWindowRect(window, &frame);
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_LE(std::abs((frame.left - work.left) - (work.right - frame.right)), 1);
  EXPECT_LE(std::abs((frame.top - work.top) - (work.bottom - frame.bottom)), 1);
  for (const char* name : {"closebutton", "maxbutton", "minbutton", "rollupbutton", "sysmenubutton"}) {
    const bs::TbsActiveSkinObject* button = Form->bsSkinForm1->FindObject(name);
    ASSERT_NE(button, nullptr) << name;
    EXPECT_TRUE(button->Enabled && button->Visible) << name;
  }
  EXPECT_TRUE(Boxes.empty());
  spv::test::SaveWindowPng(window, "main-window");
}

TEST_F(MainWindowTest, TheDescriptionPlacesEveryComponent) {
  Open();
  // Left and top in the parent's client area as the description stores them, and the width
  // where neither the text (labels size to it) nor the skin (edit and button heights) sets it.
  struct Placed {
    TControl* control;
    TControl* parent;
    int left, top, width;
  };
  const std::vector<Placed> placed = {
      {Form->bsSkinStdLabel1, Form->GBSetting, 12, 24, 0}, {Form->bsSkinStdLabel2, Form->GBSetting, 12, 68, 0},
      {Form->bsSkinStdLabel3, Form->GBSetting, 328, 24, 0}, {Form->EBases, Form->GBSetting, 8, 44, 300},
      {Form->EReport, Form->GBSetting, 8, 84, 300},         {Form->EDate, Form->GBSetting, 328, 44, 121},
      {Form->SBExec, Form->GBSetting, 328, 80, 121},        {Form->Panel2, Form->bsSkinGroupBox2, 4, 24, 128},
      {Form->Panel3, Form->bsSkinGroupBox2, 4, 46, 128},   {Form->Panel1, Form->bsSkinGroupBox2, 4, 68, 128},
  };
  for (const Placed& p : placed) {
    EXPECT_EQ(p.control->Parent(), p.parent) << p.control->Name();
    EXPECT_EQ(p.control->Left(), p.left) << p.control->Name();
    EXPECT_EQ(p.control->Top(), p.top) << p.control->Name();
    if (p.width) {
      EXPECT_EQ(p.control->Width(), p.width) << p.control->Name();
    }
  }
  EXPECT_EQ(Form->bsSkinGroupBox2->Align(), platform::TAlign::alRight);
  EXPECT_EQ(Form->bsSkinGroupBox2->Width(), 136);
  EXPECT_GT(Form->bsSkinGroupBox2->Left(), Form->SBExec->Left() + Form->SBExec->Width());
  EXPECT_EQ(Form->GBSetting->Height(), 113);
  EXPECT_EQ(Form->GBSetting->Width(), kClientWidth);
  EXPECT_EQ(Form->bsSkinBevel1->Top(), 113);
  EXPECT_EQ(Form->bsSkinBevel1->Height(), 4);
  EXPECT_EQ(Form->TabHour->Top(), 117);
  EXPECT_EQ(Form->TabHour->Height(), kClientHeight - 117);
  EXPECT_EQ(Form->Panel2->Caption(), L"Поставлены вручную");
  EXPECT_EQ(Form->Panel2->Color(), platform::clRed);
  EXPECT_EQ(Form->Panel3->Color(), platform::clYellow);
  EXPECT_EQ(Form->Panel1->Color(), platform::clGreen);
  EXPECT_EQ(Form->SBExec->Caption(), L"Выполнить");
  EXPECT_EQ(Form->GBSetting->Caption(), L"Установки");
  EXPECT_EQ(Form->bsSkinGroupBox2->Caption(), L"Легенда");
  EXPECT_EQ(Form->EDate->EditMask(), L"!99/99/0000;1; ");
  EXPECT_EQ(Form->Process->LabelCaption, L"Обработка данных");
  EXPECT_EQ(Form->TabHour->SkinData(), Form->bsSkinData1);
  EXPECT_EQ(Form->Msg->CtrlSkinData(), Form->bsSkinData1);
}

TEST_F(MainWindowTest, SettingsFromTheFileAreShownAsTheyAreStored) {
  {
    std::ofstream out(TFRM_SPV::SettingsFile(), std::ios::binary);
    out << "[Settings]\r\nBases=D:\\\xD0\x91\xD0\xB0\xD0\xB7\xD1\x8B\r\nReports= D:\\Rep\\ \r\n";
  }
  Open();
  EXPECT_EQ(Form->EBases->Text(), L"D:\\\u0411\u0430\u0437\u044B");
  EXPECT_EQ(Form->EReport->Text(), L"D:\\Rep\\");
}

// Tab width = client width div 12 - 1 whatever changes the tab control's size.
TEST_F(MainWindowTest, TabsFollowTheTabControlsWidthThroughResizeRollUpAndMaximise) {
  Open();
  auto expectFitted = [&](const char* when) {
    EXPECT_EQ(Form->TabHour->TabWidth(), Form->TabHour->ClientWidth() / 12 - 1) << when;
    EXPECT_EQ(Form->TabHour->RowCount(), 2) << when;
  };
  expectFitted("at start");
  EXPECT_EQ(Form->TabHour->TabWidth(), 49);

  Form->SetBounds(10, 10, 900, 700);
  spv::test::PumpMessages();
  expectFitted("wider");

  // The settings group rolled up to its caption and back down: the tabs get its room.
  const int tabTop = Form->TabHour->Top();
  Click(*Form->GBSetting, Form->GBSetting->Width() - 12, 10);
  spv::test::PumpMessages();
  EXPECT_LT(Form->TabHour->Top(), tabTop);
  expectFitted("rolled up");
  spv::test::SaveWindowPng(Form->Handle(), "main-window-rolled-up");
  Click(*Form->GBSetting, Form->GBSetting->Width() - 12, 10);
  spv::test::PumpMessages();
  EXPECT_EQ(Form->TabHour->Top(), tabTop);

  Form->SetWindowState(platform::TWindowState::wsMaximized);
  spv::test::PumpMessages(200);
  expectFitted("maximised");
  spv::test::SaveWindowPng(Form->Handle(), "main-window-maximised");
  Form->SetWindowState(platform::TWindowState::wsNormal);
  spv::test::PumpMessages(200);
  expectFitted("restored");

  // A window narrower than twelve tabs need keeps a positive tab width.
  Form->SetBounds(10, 10, 40, 300);
  spv::test::PumpMessages();
  EXPECT_GE(Form->TabHour->TabWidth(), 1);
  EXPECT_TRUE(Boxes.empty());
}

TEST_F(MainWindowTest, TheCalendarDropsDownUnderTheDateField) {
  Open();
  // The button lies in the field's frame.
  bs::test::MouseTo(bs::test::WindowPoint(Form->EDate->Handle(), Form->EDate->Width() - 10, 10));
  bs::test::MouseButton(true);
  bs::test::MouseButton(false);
  spv::test::PumpMessages(150);
  auto* calendar = Form->EDate->Calendar();
  ASSERT_TRUE(calendar->Visible());
  RECT field, drop;
  GetWindowRect(Form->EDate->Handle(), &field);
  GetWindowRect(calendar->Handle(), &drop);
  EXPECT_EQ(drop.left, field.left);
  EXPECT_EQ(drop.top, field.bottom);
  EXPECT_EQ(drop.right - drop.left, 200);
  RECT both;
  GetWindowRect(Form->Handle(), &both);
  UnionRect(&both, &both, &drop);
  spv::test::SaveScreenPng(both, "main-window-calendar");
  bs::test::TypeKey(VK_ESCAPE);
  EXPECT_FALSE(calendar->Visible());
}

// Before the first run every hour is empty: a change of the hour tab compares the empty lists,
// says once that the hour has no playlist, and leaves the grid without rows. A click on the
// tab already selected changes nothing.
TEST_F(MainWindowTest, ATabChangeBeforeTheFirstRunWarnsOnceAndLeavesTheGridEmpty) {
  Open();
  const auto clickTab = [&](int hour) {
    const RECT tab = Form->TabHour->TabRect(hour);
    return WithBoxes([&] { Click(*Form->TabHour, (tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2); });
  };
  const std::vector<TShownBox> oneWarning{WarningBox(L"Принятый плейлист на этот час отсутствует")};
  for (const int hour : {5, 17}) {
    SCOPED_TRACE("hour " + std::to_string(hour));
    EXPECT_EQ(clickTab(hour), oneWarning);
    EXPECT_EQ(Form->TabHour->TabIndex(), hour);
    EXPECT_TRUE(Form->Check().Logs.empty());
    auto* grid = Form->SGRep;
    EXPECT_EQ(grid->RowCount(), 2) << "the header and one empty row";
    for (int col = 0; col < 5; ++col) {
      EXPECT_EQ(grid->CellText(col, 0), platform::WideToCp1251(platform::Utf8ToWide(kResultHeader[std::size_t(col)])));
      EXPECT_EQ(grid->CellText(col, 1), "") << "column " << col;
    }
  }
  spv::test::SaveWindowPng(Form->Handle(), "main-window-empty-hour");
  EXPECT_TRUE(clickTab(17).empty()) << "the selected tab again";
  EXPECT_FALSE(fs::exists(TFRM_SPV::SettingsFile())) << "a tab change writes no settings";
}

// The window as the program makes it, the application's main form: its caption's minimise
// button minimises it, and restored (as the taskbar restores it) it comes back where it was,
// with the day's result, the tabs and the columns as they were, and looking the same.
TEST_F(MainWindowTest, MinimisedByItsButtonAndRestoredTheMainWindowComesBackAsItWas) {
  TDemoFolder demo;
  Form.reset(platform::Application().CreateForm<TFRM_SPV>(ProgramFormDescription()));
  ASSERT_EQ(platform::Application().MainForm(), Form.get());
  Form->Show();
  spv::test::PumpMessages(100);
  TypeInto(*Form->EBases, demo.BasesText());
  TypeInto(*Form->EReport, demo.ReportsText());
  TypeDate(L"15032026");
  const RECT tab = Form->TabHour->TabRect(14);
  const auto boxes = WithBoxes([&] {
    ClickMiddle(*Form->SBExec);
    spv::test::PumpUntil([&] { return !Form->Check().Reading(); });
    Click(*Form->TabHour, (tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
  });
  ASSERT_TRUE(std::all_of(boxes.begin(), boxes.end(), [](const TShownBox& b) { return b.Caption == L"Warning"; }))
      << ::testing::PrintToString(boxes);
  auto* grid = Form->SGRep;
  ASSERT_GT(grid->RowCount(), 2) << "the hour shows its rows";

  const HWND window = Form->Handle();
  // The pointer rests on the legend, away from anything that lights up under it.
  const auto rest = [&] {
    auto* legend = Form->bsSkinGroupBox2;
    bs::test::MouseTo(legend->ClientToScreen({legend->Width() / 2, legend->Height() / 2}));
    spv::test::PumpMessages(200);
  };
  rest();
  ASSERT_EQ(GetFocus(), Form->TabHour->Handle()) << "the tab clicked has the focus";
  RECT before;
  GetWindowRect(window, &before);
  const int rows = grid->RowCount();
  std::vector<std::string> texts;
  for (int row = 0; row < rows; ++row)
    for (int col = 0; col < 5; ++col) texts.push_back(grid->CellText(col, row));
  std::vector<int> widths;
  for (int col = 0; col < 5; ++col) widths.push_back(grid->ColWidths(col));
  const bs::TbsFBitmap gridBefore = bs::test::Grab(grid->Handle()), tabsBefore = bs::test::Grab(Form->TabHour->Handle());

  bool minimised = false, restored = false;
  const auto meanwhile = WithBoxes([&] {
    const bs::TRect b = Form->bsSkinForm1->FindObject("minbutton")->ObjectRect;
    const POINT at = bs::test::WindowPoint(window, (b.Left + b.Right) / 2, (b.Top + b.Bottom) / 2);
    EXPECT_TRUE(spv::test::DragAsUser(at, at)) << "the button holds the pointer while pressed";
    minimised = spv::test::PumpUntil([&] { return IsIconic(window) != FALSE; });
    EXPECT_EQ(Form->WindowState(), platform::TWindowState::wsMinimized);
    spv::test::PumpMessages(200);
    PostMessageW(window, WM_SYSCOMMAND, SC_RESTORE, 0);
    restored = spv::test::PumpUntil([&] { return !IsIconic(window) && IsWindowVisible(window); });
    rest();
  });
  ASSERT_TRUE(minimised);
  ASSERT_TRUE(restored);
  EXPECT_TRUE(meanwhile.empty()) << "restoring compares nothing again: " << ::testing::PrintToString(meanwhile);
  EXPECT_EQ(GetFocus(), Form->TabHour->Handle()) << "the focus is back on the tabs: the arrow keys still change the hour";
  RECT after;
  GetWindowRect(window, &after);
  EXPECT_TRUE(EqualRect(&after, &before)) << "(" << after.left << ", " << after.top << ")-(" << after.right << ", "
                                          << after.bottom << ")";
  EXPECT_EQ(Form->TabHour->TabIndex(), 14);
  EXPECT_EQ(Form->TabHour->TabWidth(), 49);
  EXPECT_EQ(Form->TabHour->RowCount(), 2);
  ASSERT_EQ(grid->RowCount(), rows);
  std::size_t i = 0;
  for (int row = 0; row < rows; ++row)
    for (int col = 0; col < 5; ++col) EXPECT_EQ(grid->CellText(col, row), texts[i++]) << row << ", " << col;
  for (int col = 0; col < 5; ++col) EXPECT_EQ(grid->ColWidths(col), widths[std::size_t(col)]) << col;
  spv::test::SaveWindowPng(window, "main-window-restored");
  const auto samePicture = [](const bs::TbsFBitmap& was, const bs::TbsFBitmap& is) {
    if (was.Width() != is.Width() || was.Height() != is.Height()) return false;
    for (int y = 0; y < was.Height(); ++y)
      for (int x = 0; x < was.Width(); ++x)
        if (!(was.At(x, y) == is.At(x, y))) return false;
    return true;
  };
  EXPECT_TRUE(samePicture(gridBefore, bs::test::Grab(grid->Handle()))) << "the grid looks as it did";
  EXPECT_TRUE(samePicture(tabsBefore, bs::test::Grab(Form->TabHour->Handle()))) << "the tabs look as they did";
}

// The suite's small display, a 1280 x 900 screen: the window, showing a day's result, maximised
// by its button fills the work area (one pixel inside each edge, the work area being the whole
// primary screen), the tabs and the columns fitted to it; the button restores it where it was.
class MainWindowOnASmallScreen : public MainWindowTest {};

TEST_F(MainWindowOnASmallScreen, TheMaximiseButtonFillsTheWorkAreaWithTheTabsAndColumnsFittedAndRestores) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  ASSERT_TRUE(GetMonitorInfoW(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor));
  ASSERT_EQ(monitor.rcMonitor.right - monitor.rcMonitor.left, 1280) << "runs on the small display";
  ASSERT_EQ(monitor.rcMonitor.bottom - monitor.rcMonitor.top, 900);
  Open();
  TDemoFolder demo;
  TypeInto(*Form->EBases, demo.BasesText());
  TypeInto(*Form->EReport, demo.ReportsText());
  TypeDate(L"15032026");
  const auto boxes = Run();
  ASSERT_TRUE(boxes.empty()) << ::testing::PrintToString(boxes);
  ASSERT_GT(Form->SGRep->RowCount(), 2) << "the hour shows its rows";
  const HWND window = Form->Handle();
  RECT before;
  GetWindowRect(window, &before);

  // The caption's maximise button, pressed and released by the pointer.
  auto pressButton = [&](const char* name) {
    const bs::TRect b = Form->bsSkinForm1->FindObject(name)->ObjectRect;
    const POINT at = bs::test::WindowPoint(window, (b.Left + b.Right) / 2, (b.Top + b.Bottom) / 2);
    EXPECT_TRUE(spv::test::DragAsUser(at, at)) << name << " holds the pointer while pressed";
  };
  pressButton("maxbutton");
  ASSERT_TRUE(spv::test::PumpUntil([&] { return Form->bsSkinForm1->WindowState() == 2; })) << "maximised";
  spv::test::PumpMessages(200);

  RECT expected;
  GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
  expected = monitor.rcWork;
  const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (EqualRect(&monitor.rcWork, &monitor.rcMonitor) && EqualRect(&monitor.rcMonitor, &screen))
    InflateRect(&expected, -1, -1);
  RECT maximised, client;
  GetWindowRect(window, &maximised);
  EXPECT_TRUE(EqualRect(&maximised, &expected))
      << "(" << maximised.left << ", " << maximised.top << ")-(" << maximised.right << ", " << maximised.bottom << ")";
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, (expected.right - expected.left) - 8) << "the frame's 4 pixels a side";
  EXPECT_EQ(client.bottom, (expected.bottom - expected.top) - 30) << "the frame's 24 pixels above, 6 below";

  EXPECT_EQ(Form->TabHour->Width(), client.right);
  EXPECT_EQ(Form->TabHour->TabWidth(), Form->TabHour->ClientWidth() / 12 - 1);
  EXPECT_EQ(Form->TabHour->RowCount(), 2);
  // The columns share what the number and time columns leave of the grid's width.
  auto* grid = Form->SGRep;
  const int available = grid->Width() - 4 - (grid->ColWidths(0) + 1) - (grid->ColWidths(3) + 1);
  EXPECT_EQ(grid->ColWidths(1), 45 * available / 100 - 1);
  EXPECT_EQ(grid->ColWidths(2), 40 * available / 100 - 1);
  EXPECT_EQ(grid->ColWidths(4), 15 * available / 100 - 1);
  spv::test::SaveWindowPng(window, "main-window-maximised-1280x900");

  pressButton("maxbutton");
  ASSERT_TRUE(spv::test::PumpUntil([&] { return Form->bsSkinForm1->WindowState() == 0; })) << "restored";
  RECT restored;
  GetWindowRect(window, &restored);
  EXPECT_TRUE(EqualRect(&restored, &before));
  EXPECT_EQ(Form->TabHour->TabWidth(), 49);
  EXPECT_TRUE(Boxes.empty());
}

}  // namespace
}  // namespace spv::app::test
