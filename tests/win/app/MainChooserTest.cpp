// The folder chooser of the bases field, opened and closed through real input over the main
// window: what it shows on a folder with a Cyrillic name, Cancel leaving the field as it was,
// and OK putting the folder chosen in the tree into the field.
#include "../skin-dialogs/DialogFixture.h"
#include "MainWindowFixture.h"

#include <commctrl.h>

namespace spv::app::test {
namespace {

using TChooserDriver = bs::test::TStepDriver<bs::TbsSelDirDlgForm>;

// A folder as the shell spells it: the long form of its path.
std::wstring ShellPath(const fs::path& folder) {
  wchar_t longPath[MAX_PATH]{};
  GetLongPathNameW(folder.c_str(), longPath, MAX_PATH);
  return fs::path(longPath).lexically_normal().wstring();
}

std::wstring WindowText(HWND window) {
  wchar_t text[512]{};
  GetWindowTextW(window, text, 512);
  return text;
}

// A real click at the middle of a control.
void RealClickMiddle(TControl& control) {
  bs::test::RealClick(control.ClientToScreen({control.Width() / 2, control.Height() / 2}));
}

platform::TTreeNode* ChildNamed(platform::TTreeNode* parent, std::wstring_view text) {
  for (platform::TTreeNode* c = parent->FirstChild(); c; c = c->NextSibling())
    if (c->Text() == text) return c;
  return nullptr;
}

class MainChooserTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    Open();
    TypeInto(*Form->EBases, demo.BasesText());
    ASSERT_EQ(Form->EBases->Text(), demo.BasesText());
  }
  // Presses the bases field's button with the pointer; the driver acts on the chooser from a
  // timer while the chooser runs its own loop, and the chooser must be gone at the end.
  void Browse(const TChooserDriver& driver, int steps) {
    ClickEditButton(*Form->EBases);
    ASSERT_TRUE(spv::test::PumpUntil([&] { return driver.StepsRun() == steps && !TChooserDriver::Showing(); }));
    EXPECT_FALSE(driver.HadToClose()) << "the chooser was closed by the pointer";
  }

  TDemoFolder demo;
};

TEST_F(MainChooserTest, TheBasesChooserOpensOnTheTypedFolderOverTheWindowAndCancelLeavesTheField) {
  std::wstring caption, ok, cancel, selected, parent;
  bool expanded = false, reportShown = false;
  TChooserDriver driver({[&](bs::TbsSelDirDlgForm& f) {
    caption = WindowText(f.WindowHandle());
    ok = f.OKButton->Caption();
    cancel = f.CancelButton->Caption();
    if (platform::TTreeNode* node = f.Tree->Selected()) {
      selected = node->Text();
      expanded = node->Expanded();
      reportShown = ChildNamed(node, L"Report") != nullptr;
      if (node->Parent()) parent = node->Parent()->Text();
    }
    // The chooser on top of the main window, as the user sees the two.
    SetWindowPos(f.WindowHandle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    RedrawWindow(f.WindowHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    spv::test::PumpMessages(150);
    RECT both, chooser;
    GetWindowRect(Form->Handle(), &both);
    GetWindowRect(f.WindowHandle(), &chooser);
    UnionRect(&both, &both, &chooser);
    spv::test::SaveScreenPng(both, "main-window-folder-chooser");
    RealClickMiddle(*f.CancelButton);
  }});
  Browse(driver, 1);

  EXPECT_EQ(caption, L"Select folder");
  EXPECT_EQ(ok, L"OK");
  EXPECT_EQ(cancel, L"Cancel");
  EXPECT_EQ(selected, demo.Root.filename().wstring()) << "the typed folder, its Cyrillic name as it is";
  EXPECT_TRUE(expanded);
  EXPECT_TRUE(reportShown) << "its subfolder is listed";
  EXPECT_EQ(parent, demo.Root.parent_path().filename().wstring());
  EXPECT_EQ(Form->EBases->Text(), demo.BasesText()) << "Cancel changes nothing";
  EXPECT_EQ(WindowText(Form->EBases->Handle()), demo.BasesText());
  EXPECT_TRUE(Boxes.empty());
}

TEST_F(MainChooserTest, OkPutsTheFolderClickedInTheTreeIntoTheField) {
  std::wstring chosen;
  TChooserDriver driver({[&](bs::TbsSelDirDlgForm& f) {
                           platform::TTreeNode* selected = f.Tree->Selected();
                           ASSERT_NE(selected, nullptr);
                           platform::TTreeNode* report = ChildNamed(selected, L"Report");
                           ASSERT_NE(report, nullptr);
                           RECT item{}, client{};
                           ASSERT_TRUE(TreeView_GetItemRect(f.Tree->Handle(), report->ItemId(), &item, TRUE));
                           GetClientRect(f.Tree->Handle(), &client);
                           POINT at{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
                           ASSERT_TRUE(PtInRect(&client, at)) << "the subfolder shows under its folder";
                           ClientToScreen(f.Tree->Handle(), &at);
                           bs::test::RealClick(at);
                         },
                         [&](bs::TbsSelDirDlgForm& f) {
                           if (platform::TTreeNode* node = f.Tree->Selected()) chosen = node->Text();
                           RealClickMiddle(*f.OKButton);
                         }});
  Browse(driver, 2);
  EXPECT_EQ(chosen, L"Report") << "the click selected the subfolder";
  EXPECT_EQ(Form->EBases->Text(), ShellPath(demo.Reports));
  EXPECT_EQ(WindowText(Form->EBases->Handle()), ShellPath(demo.Reports));
  EXPECT_EQ(Form->EReport->Text(), L"C:\\Quorvane\\Report") << "the other field is not touched";
  EXPECT_TRUE(Boxes.empty());
}

}  // namespace
}  // namespace spv::app::test
