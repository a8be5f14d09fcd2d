#include "skin/dialogs/bsSkinShellCtrls.h"

#include "DialogFixture.h"
#include "SkinFixture.h"
#include "UserDrag.h"
#include "UserKeys.h"
#include "platform/Hints.h"
#include "platform/ShellFolders.h"
#include "platform/SysUtils.h"

#include <filesystem>
#include <string>
#include <vector>

namespace bs::test {
namespace {

namespace fs = std::filesystem;

using TChooserDriver = TStepDriver<TbsSelDirDlgForm>;

// Folders the tests make for themselves under the temp folder, and remove after.
class TTempFolders {
 public:
  TTempFolders() {
    wchar_t temp[MAX_PATH]{};
    GetTempPathW(MAX_PATH, temp);
    Root_ = fs::path(temp) / (L"spv-chooser-" + std::to_wstring(GetCurrentProcessId()));
    fs::remove_all(Root_);
    fs::create_directories(Root_);
    // The path as the shell spells it, so that what comes back compares as text.
    Root_ = ShellPath(Root_.wstring());
  }
  ~TTempFolders() {
    std::error_code ignored;
    fs::remove_all(Root_, ignored);
  }
  std::wstring Make(const std::wstring& relative) const {
    fs::create_directories(Root_ / relative);
    return (Root_ / relative).wstring();
  }
  std::wstring Root() const { return Root_.wstring(); }

  // The parsing name the shell gives a folder: the long form of the path.
  static std::wstring ShellPath(const std::wstring& path) {
    wchar_t longPath[MAX_PATH]{};
    GetLongPathNameW(path.c_str(), longPath, MAX_PATH);
    return fs::path(longPath).lexically_normal().wstring();
  }

 private:
  fs::path Root_;
};

TTreeNode* ChildNamed(TTreeNode* parent, const std::wstring& text) {
  for (TTreeNode* c = parent->FirstChild(); c; c = c->NextSibling())
    if (c->Text() == text) return c;
  return nullptr;
}

std::wstring DrivesDisplayName() {
  const TItemIdList drives = SpecialFolderLocation(CSIDL_DRIVES);
  return DisplayNameOf(*DesktopFolder().Get(), drives.Get(), SHGDN_NORMAL);
}

class ChooserTest : public OwnerWindowTest {
 protected:
  void SetUp() override {
    OwnerWindowTest::SetUp();
    edit = AddEdit(20, 60);
  }
  TbsSkinDirectoryEdit* AddEdit(int left, int top) {
    auto* e = new TbsSkinDirectoryEdit(owner.get());
    e->SetParent(owner.get());
    e->SetBounds(left, top, 250, 20);
    e->SetSkinData(skin);
    e->SetDlgSkinData(skin);
    e->SetDlgCtrlSkinData(skin);
    return e;
  }
  // Presses the edit's button with the real pointer and waits until the driver has run all
  // its steps and the chooser has gone again.
  void Browse(TbsSkinDirectoryEdit* e, const TChooserDriver& driver, int steps) {
    const TRect b = e->EditButtonRect();
    RealClick(WindowPoint(e->Handle(), (b.Left + b.Right) / 2, (b.Top + b.Bottom) / 2));
    ASSERT_TRUE(spv::test::PumpUntil([&] { return driver.StepsRun() == steps && !TChooserDriver::Showing(); }));
    EXPECT_FALSE(driver.HadToClose());
  }
  static POINT WindowPoint(HWND w, int x, int y) {
    RECT r;
    GetWindowRect(w, &r);
    return {r.left + x, r.top + y};
  }

  // The program's skin draws buttons at a fixed height; without a skin they are 25 high.
  int SkinButtonHeight() const {
    const int i = skin->FindSkinControl("button");
    return i < 0 ? 25 : skin->SkinControls[std::size_t(i)]->SkinRect.Height();
  }

  TTempFolders folders;
  TbsSkinDirectoryEdit* edit = nullptr;
};

TEST_F(ChooserTest, OpensTitledWithOkAndCancelInTheButtonBarAt280Square) {
  const std::wstring nested = folders.Make(L"outer\\inner\\deep\\deeper");
  edit->SetText(folders.Root() + L"\\outer\\inner\\deep");
  TbsSelDirDlgForm* seen = nullptr;
  TChooserDriver driver({[&](TbsSelDirDlgForm& f) {
                           seen = &f;
                           EXPECT_EQ(f.Caption(), L"Select folder");
                           EXPECT_EQ(f.ClientWidth(), std::max(280, f.Frame->GetMinWidth() - (f.Width() - f.ClientWidth())));
                           EXPECT_EQ(f.ClientHeight(), 280);
                           EXPECT_EQ(f.ButtonPanel->Height(), 50);
                           EXPECT_EQ(f.ButtonPanel->Width(), f.ClientWidth());
                           EXPECT_EQ(f.OKButton->Caption(), L"OK");
                           EXPECT_EQ(f.CancelButton->Caption(), L"Cancel");
                           EXPECT_EQ(f.OKButton->BoundsRect().left, 20);
                           EXPECT_EQ(f.CancelButton->BoundsRect().left, 100);
                           for (TbsSkinButton* b : {f.OKButton, f.CancelButton}) {
                             EXPECT_EQ(b->Top(), 15);
                             EXPECT_EQ(b->Width(), 70);
                             EXPECT_EQ(b->Height(), SkinButtonHeight()) << "the skin's button keeps its height";
                           }
                           EXPECT_TRUE(f.Tree->Focused()) << "the tree has the keyboard";
                           EXPECT_TRUE(RectIsEmpty(CloseButtonRect(*f.Frame))) << "the frame shows no caption buttons";
                           spv::test::SaveWindowPng(f.WindowHandle(), "chooser-nested-folder");
                         },
                         [](TbsSelDirDlgForm& f) { PostKey(f.CancelButton->Handle(), VK_ESCAPE); }});
  Browse(edit, driver, 2);
  EXPECT_NE(seen, nullptr);
  (void)nested;
}

// The two skinned bars stand in for the tree's own: they show when there is something to
// scroll, follow the tree and scroll it.
TEST_F(ChooserTest, TheSkinnedBarsFollowTheTreeAndScrollIt) {
  for (int i = 0; i < 30; ++i) folders.Make(L"many\\folder " + std::to_wstring(100 + i));
  folders.Make(L"many\\" + std::wstring(90, L'w'));
  edit->SetText(folders.Root() + L"\\many");
  TTreeNode* topBefore = nullptr;
  TChooserDriver driver(
      {[&](TbsSelDirDlgForm& f) {
         const TbsTreeScrollState s = f.Tree->ScrollState();
         EXPECT_TRUE(f.VScrollBar->Visible());
         EXPECT_TRUE(f.VScrollBar->Enabled());
         EXPECT_EQ(f.VScrollBar->Max(), s.VertMax);
         EXPECT_EQ(f.VScrollBar->Position(), s.VertPos);
         EXPECT_TRUE(f.HScrollBar->Visible()) << "a name wider than the tree";
         EXPECT_TRUE(f.HScrollBar->Both()) << "the corner under the vertical bar is left free";
         EXPECT_EQ(f.VScrollBar->Left() + f.VScrollBar->Width(), f.TreePanel->PanelClientRect().right);
         EXPECT_EQ(f.Tree->Left() + f.Tree->Width(), f.VScrollBar->Left()) << "the tree ends where the bar begins";
         EXPECT_EQ(f.Tree->Top() + f.Tree->Height(), f.HScrollBar->Top());
         EXPECT_TRUE(IsWindowVisible(f.VScrollBar->Handle())) << "the window shows, not only the flag";
         spv::test::SaveWindowPng(f.WindowHandle(), "chooser-scroll-bars");
         PostKey(f.Tree->Handle(), VK_END);
       },
       [&](TbsSelDirDlgForm& f) {
         EXPECT_EQ(f.VScrollBar->Position(), f.Tree->ScrollState().VertPos) << "the bar follows the keys";
         EXPECT_GT(f.VScrollBar->Position(), 0);
         topBefore = f.Tree->TopItem();
         // The bar's upper button, pressed and released.
         const int w = f.VScrollBar->Width();
         PostClick(f.VScrollBar->Handle(), w / 2, w / 2);
       },
       [&](TbsSelDirDlgForm& f) {
         EXPECT_NE(f.Tree->TopItem(), topBefore) << "the tree scrolled with the bar";
         EXPECT_EQ(f.VScrollBar->Position(), f.Tree->ScrollState().VertPos);
         PostKey(f.Tree->Handle(), VK_ESCAPE);
       }});
  Browse(edit, driver, 3);
}

// Without a skin the buttons take their own size, and the window its 280 x 280 client.
TEST_F(ChooserTest, WithoutASkinTheButtonsAre70By25) {
  TbsSkinSelectDirectoryDialog dialog;
  std::vector<RECT> buttons;
  int width = 0, height = 0;
  TChooserDriver driver({[&](TbsSelDirDlgForm& f) {
                           buttons = {f.OKButton->BoundsRect(), f.CancelButton->BoundsRect()};
                           width = f.ClientWidth();
                           height = f.ClientHeight();
                         },
                         [](TbsSelDirDlgForm& f) { PostKey(f.Tree->Handle(), VK_ESCAPE); }});
  EXPECT_FALSE(dialog.Execute());
  ASSERT_EQ(buttons.size(), 2u);
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(buttons[std::size_t(i)].left, 20 + 80 * i);
    EXPECT_EQ(buttons[std::size_t(i)].top, 15);
    EXPECT_EQ(buttons[std::size_t(i)].right - buttons[std::size_t(i)].left, 70);
    EXPECT_EQ(buttons[std::size_t(i)].bottom - buttons[std::size_t(i)].top, 25);
  }
  EXPECT_EQ(width, 280);
  EXPECT_EQ(height, 280);
}

TEST_F(ChooserTest, AnExistingFolderOpensSelectedAndExpandedWithItsAncestors) {
  const std::wstring deep = folders.Make(L"outer\\inner\\deep");
  folders.Make(L"outer\\inner\\deep\\deeper");
  edit->SetText(deep);
  TChooserDriver driver({[&](TbsSelDirDlgForm& f) {
                           TTreeNode* selected = f.Tree->Selected();
                           ASSERT_NE(selected, nullptr);
                           EXPECT_EQ(selected->Text(), L"deep");
                           EXPECT_TRUE(selected->Expanded());
                           EXPECT_NE(ChildNamed(selected, L"deeper"), nullptr);
                           int ancestors = 0;
                           for (TTreeNode* n = selected->Parent(); n; n = n->Parent(), ++ancestors)
                             EXPECT_TRUE(n->Expanded()) << "ancestor " << WideToUtf8(n->Text());
                           EXPECT_GE(ancestors, 4) << "desktop, computer, drive, ..., outer, inner";
                           EXPECT_EQ(selected->Parent()->Text(), L"inner");
                         },
                         [](TbsSelDirDlgForm& f) { PostKey(f.Tree->Handle(), VK_RETURN); }});
  Browse(edit, driver, 2);
  EXPECT_EQ(edit->Text(), deep) << "Enter is OK: the same folder comes back";
}

// An empty text, a missing folder and a text the file system knows but the shell cannot parse
// all open on the drives folder; OK there gives its display name, not a path.
TEST_F(ChooserTest, NoUsableFolderOpensOnTheDrivesAndOkGivesTheirDisplayName) {
  const std::wstring unparsable = L"\\\\?\\" + folders.Make(L"plain");
  ASSERT_NE(GetFileAttributesW(unparsable.c_str()), INVALID_FILE_ATTRIBUTES) << "the file system knows it";
  bool shellFails = false;
  try {
    ParseDisplayName(unparsable);
  } catch (const Exception&) {
    shellFails = true;
  }
  const std::wstring drives = DrivesDisplayName();
  ASSERT_FALSE(drives.empty());
  struct TCase {
    std::wstring Text;
    const char* What;
  };
  std::vector<TCase> cases{{L"", "empty"}, {folders.Root() + L"\\missing", "missing"}};
  if (shellFails) cases.push_back({unparsable, "unparsable"});
  EXPECT_TRUE(shellFails) << "no unparsable text here: that case is not covered";
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.What);
    edit->SetText(c.Text);
    const int formsBefore = Screen().FormCount();
    TChooserDriver driver({[&](TbsSelDirDlgForm& f) {
                             ASSERT_NE(f.Tree->Selected(), nullptr);
                             EXPECT_EQ(f.Tree->Selected()->Text(), drives);
                             EXPECT_TRUE(f.Tree->Selected()->Expanded());
                           },
                           [](TbsSelDirDlgForm& f) { PostClick(f.OKButton->Handle(), 30, 12); }});
    Browse(edit, driver, 2);
    spv::test::PumpMessages();
    EXPECT_EQ(edit->Text(), drives);
    EXPECT_EQ(Screen().FormCount(), formsBefore) << "the window is freed";
  }
}

TEST_F(ChooserTest, OkOnTheDesktopGivesItsFileSystemPath) {
  wchar_t desktop[MAX_PATH]{};
  ASSERT_TRUE(SHGetSpecialFolderPathW(nullptr, desktop, CSIDL_DESKTOPDIRECTORY, FALSE));
  edit->SetText(L"");
  // Home goes to the tree's first node, the desktop.
  TChooserDriver driver({[](TbsSelDirDlgForm& f) { PostKey(f.Tree->Handle(), VK_HOME); },
                         [](TbsSelDirDlgForm& f) {
                           EXPECT_EQ(f.Tree->Selected(), f.Tree->GetFirstNode());
                           PostKey(f.Tree->Handle(), VK_RETURN);
                         }});
  Browse(edit, driver, 2);
  EXPECT_EQ(edit->Text(), std::wstring(desktop));
}

// Tab to Cancel and on round to the tree, with the keyboard: Enter in the tree is OK's again,
// and OK is lit as the default button as when the chooser opened.
TEST_F(ChooserTest, TabbingBackToTheTreeGivesEnterBackToOk) {
  wchar_t desktop[MAX_PATH]{};
  ASSERT_TRUE(SHGetSpecialFolderPathW(nullptr, desktop, CSIDL_DESKTOPDIRECTORY, FALSE));
  const std::wstring folder = folders.Make(L"start");
  edit->SetText(folder);
  const auto key = [](WORD vk) { TypeKey(vk, {}, [] {}); };
  TbsFBitmap okLit, cancelPlain;
  TChooserDriver driver({[&](TbsSelDirDlgForm& f) {
                           ASSERT_EQ(GetFocus(), f.Tree->Handle());
                           EXPECT_TRUE(f.OKButton->DefaultActive());
                           EXPECT_TRUE(f.OKButton->MouseOver()) << "OK is lit as the default button";
                           okLit = Grab(f.OKButton->Handle());
                           cancelPlain = Grab(f.CancelButton->Handle());
                           key(VK_HOME);  // the desktop, where OK and Cancel give different texts
                         },
                         [&](TbsSelDirDlgForm& f) {
                           EXPECT_EQ(f.Tree->Selected(), f.Tree->GetFirstNode());
                           key(VK_TAB);
                         },
                         [&](TbsSelDirDlgForm& f) {
                           EXPECT_EQ(GetFocus(), f.OKButton->Handle());
                           key(VK_TAB);
                         },
                         [&](TbsSelDirDlgForm& f) {
                           EXPECT_EQ(GetFocus(), f.CancelButton->Handle());
                           EXPECT_TRUE(f.CancelButton->DefaultActive());
                           EXPECT_FALSE(SamePixels(Grab(f.OKButton->Handle()), okLit)) << "OK is no longer lit";
                           key(VK_TAB);
                         },
                         [&](TbsSelDirDlgForm& f) {
                           ASSERT_EQ(GetFocus(), f.Tree->Handle());
                           EXPECT_TRUE(f.OKButton->DefaultActive());
                           EXPECT_FALSE(f.CancelButton->DefaultActive());
                           EXPECT_TRUE(SamePixels(Grab(f.OKButton->Handle()), okLit)) << "OK is lit again";
                           EXPECT_TRUE(SamePixels(Grab(f.CancelButton->Handle()), cancelPlain));
                           spv::test::SaveWindowPng(f.WindowHandle(), "chooser-back-in-the-tree");
                           key(VK_RETURN);
                         }});
  Browse(edit, driver, 5);
  EXPECT_EQ(edit->Text(), std::wstring(desktop)) << "Enter pressed OK";
}

// Each way out but OK leaves the text as it was, although another folder was selected.
TEST_F(ChooserTest, CancelEscapeAndClosingLeaveTheText) {
  const std::wstring folder = folders.Make(L"kept");
  struct TCase {
    const char* What;
    std::function<void(TbsSelDirDlgForm&)> Leave;
  };
  const std::vector<TCase> cases{
      {"Cancel", [](TbsSelDirDlgForm& f) { PostClick(f.CancelButton->Handle(), 30, 12); }},
      {"Escape", [](TbsSelDirDlgForm& f) { PostKey(f.Tree->Handle(), VK_ESCAPE); }},
      {"close", [](TbsSelDirDlgForm& f) { PostMessageW(f.WindowHandle(), WM_CLOSE, 0, 0); }},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.What);
    edit->SetText(folder);
    TChooserDriver driver({[](TbsSelDirDlgForm& f) { PostKey(f.Tree->Handle(), VK_HOME); },
                           [](TbsSelDirDlgForm& f) { EXPECT_EQ(f.Tree->Selected(), f.Tree->GetFirstNode()); },
                           c.Leave});
    Browse(edit, driver, 3);
    EXPECT_EQ(edit->Text(), folder);
  }
}

TEST_F(ChooserTest, HiddenFoldersAreListed) {
  const std::wstring hidden = folders.Make(L"parent\\secret");
  ASSERT_TRUE(SetFileAttributesW(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN));
  edit->SetText(folders.Root() + L"\\parent");
  TChooserDriver driver({[](TbsSelDirDlgForm& f) {
                           ASSERT_NE(f.Tree->Selected(), nullptr);
                           EXPECT_NE(ChildNamed(f.Tree->Selected(), L"secret"), nullptr);
                         },
                         [](TbsSelDirDlgForm& f) { PostKey(f.Tree->Handle(), VK_ESCAPE); }});
  Browse(edit, driver, 2);
}

// Each edit remembers the size its chooser had when it closed, whether by OK or Cancel.
TEST_F(ChooserTest, TheSizeIsRememberedPerEdit) {
  TbsSkinDirectoryEdit* other = AddEdit(20, 100);
  TChooserDriver first({[](TbsSelDirDlgForm& f) { f.SetClientSize(400, 330); },
                        [](TbsSelDirDlgForm& f) { PostKey(f.Tree->Handle(), VK_ESCAPE); }});
  Browse(edit, first, 2);
  EXPECT_EQ(edit->FolderDialog().DialogWidth, 400);
  EXPECT_EQ(edit->FolderDialog().DialogHeight, 330);

  int width = 0, height = 0;
  TChooserDriver again({[&](TbsSelDirDlgForm& f) {
                          width = f.ClientWidth();
                          height = f.ClientHeight();
                        },
                        [](TbsSelDirDlgForm& f) { PostKey(f.Tree->Handle(), VK_RETURN); }});
  Browse(edit, again, 2);
  EXPECT_EQ(width, 400);
  EXPECT_EQ(height, 330);

  TChooserDriver otherEdit({[&](TbsSelDirDlgForm& f) { height = f.ClientHeight(); },
                            [](TbsSelDirDlgForm& f) { PostKey(f.Tree->Handle(), VK_ESCAPE); }});
  Browse(other, otherEdit, 2);
  EXPECT_EQ(height, 280) << "the other edit's chooser keeps its own size";
}

// Names in Cyrillic and in a script code page 1251 cannot hold come from the shell into the
// edit as they are.
TEST_F(ChooserTest, FolderNamesInAnyScriptRoundTripIntoTheEdit) {
  for (const std::wstring& name : {std::wstring(L"Плейлисты эфира"), std::wstring(L"ζωή 日本 ü")}) {
    SCOPED_TRACE(WideToUtf8(name));
    const std::wstring folder = folders.Make(name);
    edit->SetText(folders.Root());
    TChooserDriver driver({[&](TbsSelDirDlgForm& f) {
                             ASSERT_NE(f.Tree->Selected(), nullptr);
                             TTreeNode* child = ChildNamed(f.Tree->Selected(), name);
                             ASSERT_NE(child, nullptr) << "the tree shows the name";
                             f.Tree->SetSelected(child);
                           },
                           [](TbsSelDirDlgForm& f) { PostKey(f.Tree->Handle(), VK_RETURN); }});
    Browse(edit, driver, 2);
    EXPECT_EQ(edit->Text(), folder);
  }
}

// With the tool bar (which this program does not show) the path field follows the selection,
// Enter in it selects the folder typed, and the new-folder button makes "New Folder" under the
// selected folder and shows it.
TEST_F(ChooserTest, TheToolBarsPathFieldAndNewFolderButton) {
  const std::wstring base = folders.Make(L"tools");
  const std::wstring other = folders.Make(L"elsewhere");
  TbsSkinSelectDirectoryDialog dialog;
  dialog.ShowToolBar = true;
  dialog.SetSkinData(skin);
  dialog.SetCtrlSkinData(skin);
  dialog.Directory = base;
  TChooserDriver driver(
      {[&](TbsSelDirDlgForm& f) {
         ASSERT_NE(f.ToolPanel, nullptr);
         EXPECT_EQ(f.ToolPanel->Height(), 25);
         EXPECT_EQ(f.NewFolderButton->Width(), 27);
         EXPECT_EQ(f.NewFolderButton->Hint, L"Create New Folder");
         EXPECT_GT(f.NewFolderButton->Glyph().Width(), 0) << "the BS_NEWFOLDER bitmap";
         PostKey(f.Tree->Handle(), VK_LEFT);  // collapse: a move the path field follows
       },
       [&](TbsSelDirDlgForm& f) {
         EXPECT_EQ(f.PathEdit->Text(), f.Tree->SelectedPath());
         PostKey(f.Tree->Handle(), VK_RIGHT);
       },
       [&](TbsSelDirDlgForm& f) {
         f.Tree->SelectPath(base);
         EXPECT_EQ(f.PathEdit->Text(), base);
         spv::test::SaveWindowPng(f.WindowHandle(), "chooser-tool-bar");
         // The pointer comes over the button first, as a hand's would.
         const POINT p = f.NewFolderButton->ClientToScreen({13, 12});
         SetCursorPos(p.x, p.y);
       },
       [&](TbsSelDirDlgForm& f) { RealClick(f.NewFolderButton->ClientToScreen({13, 12})); },
       [](TbsSelDirDlgForm&) {},
       [&](TbsSelDirDlgForm& f) {
         EXPECT_NE(GetFileAttributesW((base + L"\\New Folder").c_str()), INVALID_FILE_ATTRIBUTES);
         ASSERT_NE(f.Tree->Selected(), nullptr);
         EXPECT_NE(ChildNamed(f.Tree->Selected(), L"New Folder"), nullptr) << "the tree shows it";
         f.PathEdit->SetText(other);
         f.PathEdit->SetFocus();
         PostKey(f.PathEdit->Handle(), VK_RETURN);
       },
       [&](TbsSelDirDlgForm& f) {
         ASSERT_NE(f.Tree->Selected(), nullptr);
         EXPECT_EQ(f.Tree->SelectedPath(), other);
         PostKey(f.Tree->Handle(), VK_ESCAPE);
       }});
  EXPECT_FALSE(dialog.Execute());
  EXPECT_EQ(driver.StepsRun(), 7);
}

// The pointer resting on the new-folder button shows the button's hint in the application's hint
// window, while the chooser runs its own message loop.
TEST_F(ChooserTest, TheNewFolderButtonShowsItsHintWhenThePointerRestsOnIt) {
  auto& hints = ApplicationHints();
  const unsigned pause = hints.HintPause, hide = hints.HintHidePause;
  hints.HintPause = 100;
  hints.HintHidePause = 10000;
  TbsSkinSelectDirectoryDialog dialog;
  dialog.ShowToolBar = true;
  dialog.SetSkinData(skin);
  dialog.SetCtrlSkinData(skin);
  dialog.Directory = folders.Make(L"hint");
  std::wstring seen;
  std::vector<TChooserDriver::Step> steps{[](TbsSelDirDlgForm& f) {
    INPUT in = spv::test::PointerInput(f.NewFolderButton->ClientToScreen({13, 12}), 0);
    SendInput(1, &in, sizeof(INPUT));
  }};
  // Looks at what shows on every tick for a while.
  for (int i = 0; i < 25; ++i)
    steps.push_back([&](TbsSelDirDlgForm& f) {
      if (!seen.empty() || !ApplicationHints().HintShowing()) return;
      const HWND window = ApplicationHints().HintWindow()->WindowHandle();
      wchar_t text[128] = {};
      GetWindowTextW(window, text, 128);
      seen = text;
      RECT shot, hint;
      GetWindowRect(f.WindowHandle(), &shot);
      GetWindowRect(window, &hint);
      UnionRect(&shot, &shot, &hint);
      spv::test::SaveScreenPng(shot, "chooser-new-folder-hint");
    });
  steps.push_back([](TbsSelDirDlgForm& f) { PostKey(f.Tree->Handle(), VK_ESCAPE); });
  TChooserDriver driver(std::move(steps));
  EXPECT_FALSE(dialog.Execute());
  EXPECT_EQ(seen, L"Create New Folder");
  EXPECT_FALSE(ApplicationHints().HintShowing()) << "the key took it away";
  spv::test::ParkPointer();
  hints.HintPause = pause;
  hints.HintHidePause = hide;
}

// The tree on its own, with a stand-in for the shell's attributes: Windows shows a ZIP file
// as a folder with subfolders, which Wine's shell does not.
class TZipShowingTree : public TbsSkinDirTreeView {
 public:
  using TbsSkinDirTreeView::TbsSkinDirTreeView;

 protected:
  ULONG ItemAttributes(IShellFolder& parent, LPCITEMIDLIST relative, ULONG wanted) override {
    ULONG a = TbsSkinDirTreeView::ItemAttributes(parent, relative, wanted | SFGAO_FILESYSTEM);
    const std::wstring name = DisplayNameOf(parent, relative, SHGDN_INFOLDER | SHGDN_FORPARSING);
    if (name.size() > 4 && name.substr(name.size() - 4) == L".zip") a |= SFGAO_FOLDER | SFGAO_HASSUBFOLDER;
    return a & wanted;
  }
};

class ShellTreeTest : public OwnerWindowTest {
 protected:
  void SetUp() override {
    OwnerWindowTest::SetUp();
    owner->SetClientSize(320, 400);
    tree = new TZipShowingTree(owner.get());
    tree->SetParent(owner.get());
    tree->SetAlign(TAlign::alClient);
    tree->ShellOpen = [this](const std::wstring& file, const std::wstring& directory) {
      opens.push_back(file + L"|" + directory);
    };
  }
  TTempFolders folders;
  TZipShowingTree* tree = nullptr;
  std::vector<std::wstring> opens;
};

TEST_F(ShellTreeTest, AZipFileIsOpenedByTheShellNotExpandedButAFolderNamedZipIs) {
  const std::wstring root = folders.Make(L"archives");
  folders.Make(L"archives\\music.zip\\inside");
  {
    HANDLE h = CreateFileW((root + L"\\songs.zip").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    CloseHandle(h);
  }
  tree->SetObjectTypes(otFolders | otNonFolders | otHidden);
  tree->SelectPath(root);
  TTreeNode* selected = tree->Selected();
  ASSERT_NE(selected, nullptr);
  TTreeNode* archive = ChildNamed(selected, L"songs.zip");
  TTreeNode* folder = ChildNamed(selected, L"music.zip");
  ASSERT_NE(archive, nullptr);
  ASSERT_NE(folder, nullptr);
  EXPECT_TRUE(archive->HasChildren()) << "the shell offers it as a folder";

  archive->Expand();
  ASSERT_EQ(opens.size(), 1u) << "the shell is asked to open the archive";
  EXPECT_EQ(opens[0], root + L"\\songs.zip|" + root);
  EXPECT_EQ(archive->Count(), 0);
  EXPECT_FALSE(archive->Expanded());
  EXPECT_FALSE(archive->HasChildren());

  folder->Expand();
  EXPECT_EQ(opens.size(), 1u) << "a real folder is never handed to the shell";
  EXPECT_TRUE(folder->Expanded());
  EXPECT_NE(ChildNamed(folder, L"inside"), nullptr);
}

TEST_F(ShellTreeTest, FillingANodeShowsTheHourglassAndPutsTheCursorBack) {
  const std::wstring root = folders.Make(L"busy\\a");
  folders.Make(L"busy\\b");
  const HCURSOR before = SetCursor(LoadCursorW(nullptr, IDC_ARROW));
  std::vector<bool> hourglass;
  tree->OnAddFolder = [&](TObject*, TbsShellFolder*, bool& canAdd) {
    hourglass.push_back(GetCursor() == LoadCursorW(nullptr, IDC_WAIT));
    canAdd = true;
  };
  tree->SelectPath(folders.Root() + L"\\busy");
  EXPECT_FALSE(hourglass.empty());
  EXPECT_TRUE(std::all_of(hourglass.begin(), hourglass.end(), [](bool b) { return b; }));
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_ARROW));
  SetCursor(before);
  (void)root;
}

TEST_F(ShellTreeTest, OnAddFolderMayLeaveAFolderOut) {
  folders.Make(L"veto\\keep");
  folders.Make(L"veto\\drop");
  tree->OnAddFolder = [](TObject*, TbsShellFolder* f, bool& canAdd) { canAdd = f->DisplayName() != L"drop"; };
  tree->SelectPath(folders.Root() + L"\\veto");
  ASSERT_NE(tree->Selected(), nullptr);
  EXPECT_NE(ChildNamed(tree->Selected(), L"keep"), nullptr);
  EXPECT_EQ(ChildNamed(tree->Selected(), L"drop"), nullptr);
}

TEST_F(ShellTreeTest, ChildrenComeInTheShellsOrder) {
  for (const wchar_t* n : {L"b", L"C", L"a", L"d"}) folders.Make(std::wstring(L"order\\") + n);
  tree->SelectPath(folders.Root() + L"\\order");
  std::vector<std::wstring> names;
  for (TTreeNode* c = tree->Selected()->FirstChild(); c; c = c->NextSibling()) names.push_back(c->Text());
  EXPECT_EQ(names, (std::vector<std::wstring>{L"a", L"b", L"C", L"d"}));
}

TEST_F(ShellTreeTest, RefreshShowsANewFolderAndKeepsWhatWasOpenAndSelected) {
  const std::wstring root = folders.Make(L"refresh\\open\\inner");
  tree->SelectPath(folders.Root() + L"\\refresh\\open\\inner");
  TTreeNode* inner = tree->Selected();
  TTreeNode* refresh = inner->Parent()->Parent();
  ASSERT_EQ(refresh->Text(), L"refresh");
  folders.Make(L"refresh\\added");
  EXPECT_EQ(ChildNamed(refresh, L"added"), nullptr);

  tree->RefreshNode(refresh);
  TTreeNode* renewed = tree->Selected()->Parent()->Parent();
  EXPECT_EQ(tree->Selected()->Text(), L"inner") << "the selection is found again";
  EXPECT_EQ(renewed->Text(), L"refresh");
  EXPECT_TRUE(renewed->Expanded());
  EXPECT_TRUE(tree->Selected()->Parent()->Expanded());
  EXPECT_NE(ChildNamed(renewed, L"added"), nullptr);
  (void)root;
}

TEST_F(ShellTreeTest, ARootThatIsNotThereRaisesAndTheOldRootStays) {
  tree->SetRoot(folders.Make(L"rooted"));
  ASSERT_NE(tree->GetFirstNode(), nullptr);
  EXPECT_EQ(tree->GetFirstNode()->Text(), L"rooted");
  const std::wstring missing = folders.Root() + L"\\nowhere";
  try {
    tree->SetRoot(missing);
    ADD_FAILURE() << "no error";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), L"Error setting path: \"" + missing + L"\"");
  }
  EXPECT_EQ(tree->Root(), folders.Root() + L"\\rooted");
  EXPECT_EQ(tree->GetFirstNode()->Text(), L"rooted");
  tree->SetRoot(L"rfMyComputer");
  EXPECT_EQ(tree->GetFirstNode()->Text(), DrivesDisplayName());
}

// A right click selects the node under the pointer and shows the shell's menu for it; the test
// closes the menu without choosing anything.
TEST_F(ShellTreeTest, ARightClickShowsTheShellsMenuOfTheNodeUnderThePointer) {
  folders.Make(L"menu\\one");
  folders.Make(L"menu\\two");
  tree->SelectPath(folders.Root() + L"\\menu");
  TTreeNode* two = ChildNamed(tree->Selected(), L"two");
  ASSERT_NE(two, nullptr);
  RECT r{};
  ASSERT_TRUE(TreeView_GetItemRect(tree->Handle(), two->ItemId(), &r, TRUE));
  const POINT at = tree->ClientToScreen({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
  bool menuShown = false;
  TTimer closer;
  closer.SetInterval(200);
  closer.OnTimer = [&](TObject*) {
    if (HWND menu = FindWindowW(L"#32768", nullptr); menu && IsWindowVisible(menu)) {
      menuShown = menuShown || tree->ContextMenuOpen();
      EndMenu();
    }
  };
  closer.SetEnabled(true);
  SetCursorPos(at.x, at.y);
  INPUT in[2]{};
  in[0].type = in[1].type = INPUT_MOUSE;
  in[0].mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
  in[1].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
  SendInput(2, in, sizeof(INPUT));
  EXPECT_TRUE(spv::test::PumpUntil([&] { return menuShown && !tree->ContextMenuOpen(); }));
  closer.SetEnabled(false);
  EXPECT_EQ(tree->Selected(), two);
}

}  // namespace
}  // namespace bs::test
