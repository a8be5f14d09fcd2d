// The run command through real input: its checks and their boxes, the settings it writes, the
// reads with their progress dialog, and what a damaged table leaves behind.
#include "MainWindowFixture.h"

namespace spv::app::test {
namespace {

class MainRunTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    Open();
  }
  void Type(std::wstring_view bases, std::wstring_view reports, std::wstring_view dateDigits) {
    TypeInto(*Form->EBases, bases);
    TypeInto(*Form->EReport, reports);
    TypeDate(dateDigits);
  }
  // After a failed read the progress dialog stays until the user closes it: its Cancel button.
  void CloseProgress() {
    ASSERT_TRUE(Form->Process->Showing());
    platform::TForm* dialog = Form->Process->Form();
    for (int c = 0; c < dialog->ControlCount(); ++c)
      if (auto* button = dynamic_cast<bs::TbsSkinButton*>(dialog->Controls(c))) ClickMiddle(*button);
    spv::test::PumpUntil([&] { return !Form->Process->Showing(); });
  }
  TDemoFolder demo;
};

TEST_F(MainRunTest, EachFailedCheckShowsItsMessageAndChangesNothing) {
  const std::wstring bases = demo.BasesText(), reports = demo.ReportsText();
  const std::wstring missing = bases + L"\\\u043D\u0435\u0442";
  struct Case {
    std::wstring bases, reports, date, message;
  };
  const std::vector<Case> cases = {
      {L"", L"", L"14032026", L"Укажите папку с базами Quorvane"},
      {missing, reports, L"14032026", L"Папка с базами не существует: " + missing + L"\\"},
      {reports, reports, L"14032026", L"База принятых листов не найдена: " + reports + L"\\History.db"},
      {bases, L"", L"14032026", L"Укажите папку с базами отчетов Quorvane"},
      {bases, missing, L"14032026", L"Папка с базами отчетов не существует: " + missing + L"\\"},
      {bases, reports, L"14042026",
       L"База отчета за 14.04.2026 не найдена: " + reports + L"\\rep_2604.db"},
  };
  ShotBoxAs = "main-window-error-box";
  for (const Case& c : cases) {
    Type(c.bases, c.reports, c.date);
    EXPECT_EQ(Form->EBases->Text(), c.bases);
    const auto boxes = Run();
    EXPECT_EQ(boxes, std::vector<TShownBox>{ErrorBox(c.message)});
    EXPECT_FALSE(fs::exists(TFRM_SPV::SettingsFile())) << "a failed check writes no settings";
    for (const auto& hour : Form->Check().RepHours) EXPECT_TRUE(hour.empty());
  }
}

TEST_F(MainRunTest, TheFirstSuccessfulRunWritesTheSettingsAsTyped) {
  // The report folder typed with its backslash, the database folder without.
  const std::wstring reports = demo.ReportsText() + L"\\";
  Type(demo.BasesText(), reports, L"15032026");
  const auto boxes = Run();
  EXPECT_TRUE(std::all_of(boxes.begin(), boxes.end(), [](const TShownBox& b) { return b.Skinned && b.Caption == L"Warning"; }))
      << "only the comparison's warning of an hour without a playlist may show";
  const std::string ini = SettingsText();
  EXPECT_NE(ini.find("Bases=" + platform::WideToUtf8(demo.BasesText()) + "\r\n"), std::string::npos) << ini;
  EXPECT_NE(ini.find("Reports=" + platform::WideToUtf8(reports) + "\r\n"), std::string::npos) << ini;
  EXPECT_EQ(Form->Check().WorkDate, *base::EncodeDate(2026, 3, 15));
  std::size_t rows = 0;
  for (const auto& hour : Form->Check().HistHours) rows += hour.size();
  EXPECT_GT(rows, 0u);
}

// What the field shows is what is checked: a date typed half-way, or a day that does not
// exist, stops the run with a box that names the text instead of checking the day the field
// held before.
TEST_F(MainRunTest, AnUnfinishedOrImpossibleDateIsRefusedNotReplacedByAnother) {
  Type(demo.BasesText(), demo.ReportsText(), L"1503");
  EXPECT_EQ(Form->EDate->Text(), L"15.03.    ");
  EXPECT_EQ(Run(), std::vector<TShownBox>{ErrorBox(L"Дата обработки указана неверно: 15.03.    ")});
  EXPECT_FALSE(fs::exists(TFRM_SPV::SettingsFile()));

  // The field refuses the impossible day as it is completed (the application's error report),
  // and keeps the text; the run refuses it too.
  auto boxes = WithBoxes([&] { TypeDate(L"29022026"); });
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_FALSE(boxes[0].Skinned);
  EXPECT_EQ(Form->EDate->Text(), L"29.02.2026");
  EXPECT_EQ(Run(), std::vector<TShownBox>{ErrorBox(L"Дата обработки указана неверно: 29.02.2026")});
  for (const auto& hour : Form->Check().RepHours) EXPECT_TRUE(hour.empty());

  // A whole date is the day checked.
  TypeDate(L"14032026");
  Run();
  EXPECT_EQ(Form->Check().WorkDate, *base::EncodeDate(2026, 3, 14));
  EXPECT_EQ(Form->EDate->Date(), *base::EncodeDate(2026, 3, 14));
}

TEST_F(MainRunTest, ADamagedHistoryIsReportedAndTheWindowKeepsWorking) {
  TDemoFolder good;
  // The same month table beside a History.db that is no table at all.
  const fs::path broken = demo.Root / L"broken";
  fs::create_directories(broken);
  { std::ofstream(broken / "History.db", std::ios::binary) << std::string(4096, '\x7F'); }
  Type(broken.wstring(), demo.ReportsText(), L"15032026");
  auto boxes = Run();
  ASSERT_EQ(boxes.size(), 1u) << ::testing::PrintToString(boxes);
  EXPECT_FALSE(boxes[0].Skinned) << "the application's error report";
  EXPECT_NE(boxes[0].Text.find(L"History.db"), std::wstring::npos) << platform::WideToUtf8(boxes[0].Text);
  std::size_t aired = 0;
  for (const auto& hour : Form->Check().RepHours) aired += hour.size();
  EXPECT_GT(aired, 0u) << "the report table read before stays";
  EXPECT_FALSE(Form->Check().Reading());
  CloseProgress();

  // A report table another program holds without sharing.
  HANDLE held = CreateFileW((demo.Reports / "rep_2603.db").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  Type(demo.BasesText(), demo.ReportsText(), L"15032026");
  boxes = Run();
  CloseHandle(held);
  ASSERT_EQ(boxes.size(), 1u) << ::testing::PrintToString(boxes);
  EXPECT_FALSE(boxes[0].Skinned);
  EXPECT_NE(boxes[0].Text.find(L"rep_2603.db"), std::wstring::npos) << platform::WideToUtf8(boxes[0].Text);
  CloseProgress();

  // A later run on a good folder goes through.
  Type(good.BasesText(), good.ReportsText(), L"15032026");
  boxes = Run();
  EXPECT_TRUE(std::none_of(boxes.begin(), boxes.end(), [](const TShownBox& b) { return !b.Skinned; }))
      << ::testing::PrintToString(boxes);
  std::size_t lines = 0;
  for (const auto& hour : Form->Check().HistHours) lines += hour.size();
  EXPECT_GT(lines, 0u);
}

// The read shows the progress dialog and keeps the window alive; a press of the run button or
// a tab change that arrives meanwhile waits for nothing and disturbs nothing.
TEST_F(MainRunTest, TheReadShowsItsProgressAndIgnoresInputMeanwhile) {
  Type(demo.BasesText(), demo.ReportsText(), L"15032026");
  bool sawDialog = false, shot = false, reshowing = false, pressedMeanwhile = false, clickedTab = false;
  std::wstring label;
  int reads = 0;
  platform::TTimer watch;
  watch.SetInterval(20);
  watch.OnTimer = [&](platform::TObject*) {
    if (!Form->Check().Reading() || !Form->Process->Showing()) return;
    if (!sawDialog) {
      sawDialog = true;
      label = Form->Process->LabelCaption;
    } else if (!shot && Form->Process->Value() > 0) {
      // Once the gauge has moved, the dialog has painted. Without a window manager Wine's
      // display stacks the main window, active again after its button's click, above the
      // topmost dialog (the windows' own order, and a window manager, keep the dialog on top):
      // shown again (not counted as a read below), the dialog is on top of the display.
      shot = true;
      const HWND dialog = Form->Process->Form()->Handle();
      reshowing = true;
      ShowWindow(dialog, SW_HIDE);
      ShowWindow(dialog, SW_SHOWNA);
      reshowing = false;
      spv::test::SaveWindowPng(dialog, "main-window-progress");
    }
    if (!pressedMeanwhile) {
      pressedMeanwhile = true;
      ClickMiddle(*Form->SBExec);
    } else if (!clickedTab) {
      clickedTab = true;
      const RECT tab = Form->TabHour->TabRect(5);
      Click(*Form->TabHour, (tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
    }
  };
  Form->Process->OnShow = [&](platform::TObject*) {
    if (!reshowing) ++reads;
  };
  watch.SetEnabled(true);
  const auto boxes = Run();
  watch.SetEnabled(false);
  EXPECT_TRUE(sawDialog);
  EXPECT_FALSE(label.empty());
  EXPECT_TRUE(pressedMeanwhile);
  EXPECT_EQ(reads, 2) << "one dialog for each table, no second run inside the first";
  EXPECT_TRUE(std::none_of(boxes.begin(), boxes.end(), [](const TShownBox& b) { return !b.Skinned; }));
  // Whichever tab the user picked meanwhile is the hour shown once the read is done.
  EXPECT_EQ(Form->Check().Logs.empty(), Form->Check().RepHours[std::size_t(Form->TabHour->TabIndex())].empty() &&
                                            Form->Check().HistHours[std::size_t(Form->TabHour->TabIndex())].empty());
}

TEST_F(MainRunTest, ATabChangeOutsideTheHoursDoesNothing) {
  Type(demo.BasesText(), demo.ReportsText(), L"15032026");
  Run();
  const auto logs = Form->Check().Logs.size();
  Form->TabHour->SetTabIndex(-1);
  EXPECT_TRUE(WithBoxes([&] { Form->TabHourChange(Form->TabHour); }).empty());
  EXPECT_EQ(Form->Check().Logs.size(), logs);
}

}  // namespace
}  // namespace spv::app::test
