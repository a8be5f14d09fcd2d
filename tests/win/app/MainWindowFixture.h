#pragma once
// The main window as the program makes it, driven through real input: the pointer, the
// keyboard, and whatever boxes it shows on the way, read back and closed from a timer of the
// thread (a box runs its own message loop).

#include "../skin-controls/SkinTestForm.h"
#include "app/Main.h"
#include "app/Utf8Path.h"
#include "platform/FormReader.h"
#include "platform/SysUtils.h"
#include "resources/ProgramForm.h"
#include "tools/spinvolt-demo/DemoFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace spv::app::test {

namespace fs = std::filesystem;
using platform::TControl;

// A box the window showed: the skinned message box (its caption and text) or the
// application's error report.
struct TShownBox {
  bool Skinned = false;
  std::wstring Caption;
  std::wstring Text;
  friend bool operator==(const TShownBox&, const TShownBox&) = default;
};

inline std::ostream& operator<<(std::ostream& os, const TShownBox& b) {
  return os << (b.Skinned ? "skinned box " : "error report ") << platform::WideToUtf8(b.Caption) << ": "
            << platform::WideToUtf8(b.Text);
}

// A demo Quorvane folder of three days ending on 15 March 2026 (or another last day), under a
// folder name with Cyrillic letters.
struct TDemoFolder {
  fs::path Root = fs::temp_directory_path() / (L"spv-main-\u0411\u0430\u0437\u044B-" +
                                               std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(Count()));
  fs::path Reports = Root / "Report";
  demo::TDemoSummary Summary;
  explicit TDemoFolder(base::TDateTime lastDay = *base::EncodeDate(2026, 3, 15)) {
    demo::TDemoOptions options;
    options.Folder = Root;
    options.LastDay = lastDay;
    options.Days = 3;
    Summary = demo::WriteDemoFolder(options);
  }
  ~TDemoFolder() {
    std::error_code ec;
    fs::remove_all(Root, ec);
  }
  static int Count() {
    static int made = 0;
    return ++made;
  }
  std::wstring BasesText() const { return Root.wstring(); }
  std::wstring ReportsText() const { return Reports.wstring(); }
};

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::error_code ec;
    fs::remove(TFRM_SPV::SettingsFile(), ec);
    platform::Application().MessageBoxFunction = [this](HWND, const std::wstring& text, const std::wstring& caption,
                                                        UINT) {
      Boxes.push_back({false, caption, text});
      return IDOK;
    };
  }
  void TearDown() override {
    Form.reset();
    spv::test::PumpMessages();
    platform::Application().MessageBoxFunction = nullptr;
    std::error_code ec;
    fs::remove(TFRM_SPV::SettingsFile(), ec);
  }

  // The window read from the program's description, created and shown.
  void Open() {
    Form = std::make_unique<TFRM_SPV>();
    platform::TFormReader::ReadInto(*Form, ProgramFormDescription());
    Form->DoCreate();
    Form->Show();
    spv::test::PumpMessages(100);
  }

  // A real click at a point of a control's client area.
  static void Click(TControl& control, int x, int y) {
    bs::test::MouseTo(control.ClientToScreen({x, y}));
    bs::test::MouseButton(true);
    bs::test::MouseButton(false);
  }
  static void ClickMiddle(TControl& control) { Click(control, control.Width() / 2, control.Height() / 2); }
  // A real click on the button of a skinned edit (a folder field's chooser, the date field's
  // calendar), which lies in the edit's frame.
  static void ClickEditButton(bs::TbsSkinCustomEdit& edit) {
    const bs::TRect b = edit.EditButtonRect();
    bs::test::MouseTo(bs::test::WindowPoint(edit.Handle(), (b.Left + b.Right) / 2, (b.Top + b.Bottom) / 2));
    bs::test::MouseButton(true);
    bs::test::MouseButton(false);
  }

  // Clicks into an edit, selects all it holds and types the text over it.
  // The keys wait for the click to have given the field the focus: typed earlier, on a busy
  // machine, they would go to the control that had it before. A hidden field (the settings
  // rolled up) or a window behind a box never takes it.
  static void ClickToFocus(platform::TWinControl& edit) {
    Click(edit, 12, edit.Height() / 2);
    const HWND window = edit.Handle();
    spv::test::PumpUntil([&] {
      return GetFocus() == window || !IsWindowVisible(window) || !IsWindowEnabled(GetAncestor(window, GA_ROOT));
    });
  }
  static void TypeInto(platform::TWinControl& edit, std::wstring_view text) {
    ClickToFocus(edit);
    bs::test::TypeKey(VK_END);
    bs::test::TypeKey(VK_HOME, {VK_SHIFT});
    bs::test::TypeKey(VK_DELETE);
    bs::test::TypeText(text);
  }
  // The date field keeps its mask: cleared to its blanks, then the digits typed from its start.
  void TypeDate(std::wstring_view digits) {
    ClickToFocus(*Form->EDate);
    bs::test::TypeKey(VK_END);
    bs::test::TypeKey(VK_HOME, {VK_SHIFT});
    bs::test::TypeKey(VK_DELETE);
    bs::test::TypeKey(VK_HOME);
    bs::test::TypeText(digits);
  }

  // Picks a day from the date field's calendar, as a user does: the field's button, the
  // calendar's month buttons to the day's month, the day's cell. The field then shows the day
  // as the program writes it.
  void PickDate(int year, int month, int day) {
    ClickEditButton(*Form->EDate);
    bs::TbsSkinPopupMonthCalendar* calendar = Form->EDate->Calendar();
    ASSERT_TRUE(spv::test::PumpUntil([&] { return calendar->Visible(); })) << "the calendar drops down";
    const auto clickOn = [&](int x, int y) {
      POINT p{x, y};
      ClientToScreen(calendar->Handle(), &p);
      bs::test::MouseTo(p);
      bs::test::MouseButton(true);
      bs::test::MouseButton(false);
    };
    const auto shownMonth = [&] {
      const base::TDateParts shown = base::DecodeDate(Form->EDate->Date());
      return shown.Year * 12 + shown.Month;
    };
    const int wanted = year * 12 + month;
    for (int at = shownMonth(); at != wanted;) {
      const int step = at > wanted ? -1 : 1;
      const bs::TbsSkinSpeedButton* b = step < 0 ? calendar->PriorMonthButton() : calendar->NextMonthButton();
      clickOn(b->Left() + b->Width() / 2, b->Top() + b->Height() / 2);
      ASSERT_EQ(shownMonth(), at + step) << "a click on a month button is one month";
      at += step;
    }
    const bs::TbsMonthGrid& grid = calendar->Grid();
    for (int row = 1; row <= 6; ++row)
      for (int column = 0; column < 7; ++column)
        if (grid.NumberAt(row, column) == day) {
          const bs::TRect cell = grid.Cell(row, column);
          clickOn((cell.Left + cell.Right) / 2, (cell.Top + cell.Bottom) / 2);
          ASSERT_FALSE(calendar->Visible()) << "a day taken closes the calendar";
          return;
        }
    FAIL() << "no cell of day " << day;
  }

  // Runs `act` while a timer reads and closes every skinned box that opens, by a real click on
  // its OK button; returns the boxes seen, error reports included, in order.
  std::vector<TShownBox> WithBoxes(const std::function<void()>& act) {
    Boxes.clear();
    platform::TTimer timer;
    timer.SetInterval(60);
    bs::TbsMessageForm* handled = nullptr;
    timer.OnTimer = [&](platform::TObject*) {
      for (int i = 0; i < platform::Screen().FormCount(); ++i) {
        auto* box = dynamic_cast<bs::TbsMessageForm*>(platform::Screen().Forms(i));
        if (!box || box == handled || !box->HandleAllocated() || !IsWindowVisible(box->WindowHandle())) continue;
        handled = box;
        wchar_t caption[256]{};
        GetWindowTextW(box->WindowHandle(), caption, 256);
        Boxes.push_back({true, caption, box->Message->Caption()});
        if (ShotBoxAs.size()) {
          RedrawWindow(box->WindowHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
          spv::test::SaveWindowPng(box->WindowHandle(), ShotBoxAs);
          ShotBoxAs.clear();
        }
        for (int c = 0; c < box->ControlCount(); ++c)
          if (auto* ok = dynamic_cast<bs::TbsSkinButton*>(box->Controls(c))) {
            // Posted, as the queue delivers the pointer's: the box's own loop takes them.
            const LPARAM at = MAKELPARAM(ok->Width() / 2, ok->Height() / 2);
            PostMessageW(ok->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
            PostMessageW(ok->Handle(), WM_LBUTTONUP, 0, at);
            return;
          }
      }
    };
    timer.SetEnabled(true);
    act();
    spv::test::PumpMessages(100);
    timer.SetEnabled(false);
    return Boxes;
  }

  // Presses "Выполнить" and waits until the run is over, its boxes read and closed.
  std::vector<TShownBox> Run() {
    return WithBoxes([&] {
      ClickMiddle(*Form->SBExec);
      spv::test::PumpUntil([&] { return !Form->Check().Reading(); });
    });
  }

  std::string SettingsText() const {
    std::ifstream in(TFRM_SPV::SettingsFile(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  std::unique_ptr<TFRM_SPV> Form;
  std::vector<TShownBox> Boxes;
  std::string ShotBoxAs;  // the next skinned box is saved as this PNG
};

inline TShownBox ErrorBox(std::wstring text) { return {true, L"Error", std::move(text)}; }
inline TShownBox WarningBox(std::wstring text) { return {true, L"Warning", std::move(text)}; }

}  // namespace spv::app::test
