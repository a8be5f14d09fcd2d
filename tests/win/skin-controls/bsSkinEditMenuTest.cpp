// The edit's skinned context menu on a window with a skinned frame: opened by a real right
// click or from the keyboard, its items read back from the popup, chosen by mouse and keys.
#include "skin/controls/bsSkinBoxCtrls.h"

#include "SkinTestForm.h"
#include "skin/frame/bsSkinForm.h"
#include "skin/frame/bsSkinMenus.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>

namespace bs {
namespace {

using namespace spv::platform;

// Pumps through the application, so that the frame's menu hook sees the keys.
void Pump(int ms = 40) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  do {
    Application().ProcessMessages();
    Sleep(5);
  } while (std::chrono::steady_clock::now() < end);
}

bool PumpUntil(const std::function<bool()>& done, int ms = 5000) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    Pump(10);
  }
  return true;
}

void RightClick(POINT screen) {
  SetCursorPos(screen.x, screen.y);
  Pump(30);
  INPUT in[2]{};
  in[0].type = in[1].type = INPUT_MOUSE;
  in[0].mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
  in[1].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
  SendInput(2, in, sizeof(INPUT));
  Pump(60);
}

void Keys(WORD vk, std::initializer_list<WORD> held = {}) {
  bs::test::TypeKey(vk, held, [] { Pump(40); });
}

std::wstring ClipboardText() {
  std::wstring text;
  if (!OpenClipboard(nullptr)) return L"<closed>";
  if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
    text = static_cast<const wchar_t*>(GlobalLock(h));
    GlobalUnlock(h);
  }
  CloseClipboard();
  return text;
}

// Records when a component is freed.
class TFreeWatch : public TComponent {
 public:
  bool Freed = false;
  std::string_view ClassName() const override { return "TFreeWatch"; }

 protected:
  void Notification(TComponent* c, TOperation op) override {
    TComponent::Notification(c, op);
    if (op == TOperation::opRemove) Freed = true;
  }
};

class SkinEditMenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetCursorPos(0, 0);
    form = std::make_unique<TForm>();
    skin = new TbsSkinData(form.get());
    bs::test::LoadProgramSkin(*skin);
    ASSERT_FALSE(skin->IsEmpty);
    frame = new TbsSkinForm(form.get());
    frame->SetSkinData(skin);
    form->SetCaption(L"Поля");
    form->SetBounds(120, 100, 440, 260);
    edit = new TbsSkinEdit(form.get());
    edit->SetParent(form.get());
    edit->SetBounds(10, 10, 300, 18);
    edit->SetSkinDataName("buttonedit");
    edit->SetButtonMode(true);
    edit->SetSkinData(skin);
    edit->SetText(L"C:\\Quorvane\\Bases");
    form->Show();
    SetForegroundWindow(form->Handle());
    edit->SetFocus();
    Pump(100);
  }
  void TearDown() override {
    frame->SkinMenu().CloseMenus();
    form.reset();
    Pump(20);
  }

  TbsSkinMenu& Menu() const { return frame->SkinMenu(); }
  TbsSkinPopupWindow& Top() const { return *Menu().TopPopup(); }
  POINT TextPoint() const { return bs::test::WindowPoint(edit->Handle(), 120, 10); }

  std::wstring Captions() const {
    std::wstring s;
    for (int i = 0; i < Top().ItemCount(); ++i) s += Top().Items(i).MenuItem->Caption() + L"|";
    return s;
  }
  std::string Enabled() const {
    std::string s;
    for (int i = 0; i < Top().ItemCount(); ++i)
      if (!Top().Items(i).IsSeparator()) s += Top().Items(i).MenuItem->Enabled ? '1' : '0';
    return s;
  }
  bool OpenByRightClick() {
    RightClick(TextPoint());
    return PumpUntil([&] { return Menu().Showing(); });
  }
  // A real click on item `index`; true when the menu closed after it within `ms`.
  bool ChooseByClick(int index, int ms = 5000) {
    bs::test::MouseTo(ItemPoint(index));
    bs::test::MouseButton(true);
    bs::test::MouseButton(false);
    return PumpUntil([&] { return !Menu().Showing(); }, ms);
  }
  // The centre of item `index` on the screen.
  POINT ItemPoint(int index) const {
    RECT r;
    GetWindowRect(Top().Handle(), &r);
    const TRect& o = Top().Items(index).ObjectRect;
    return {r.left + o.Left + o.Width() / 2, r.top + o.Top + o.Height() / 2};
  }

  std::unique_ptr<TForm> form;
  TbsSkinData* skin = nullptr;
  TbsSkinForm* frame = nullptr;
  TbsSkinEdit* edit = nullptr;
};

TEST_F(SkinEditMenuTest, RightClickShowsTheItemsEnabledByTheEditsState) {
  struct Case {
    const char* what;
    int selStart, selLength;
    bool readOnly, clipboard;
    const char* enabled;  // Undo Cut Copy Paste Delete SelectAll
  };
  const Case cases[] = {
      {"part selected", 3, 8, false, true, "011111"},
      {"nothing selected, empty clipboard", 2, 0, false, false, "000001"},
      {"all selected", 0, -1, false, true, "011110"},
      {"read-only", 3, 8, true, true, "001001"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.clipboard) bs::test::PutClipboardText(L"Reports");
    else if (OpenClipboard(nullptr)) EmptyClipboard(), CloseClipboard();
    edit->SetReadOnly(c.readOnly);
    edit->SetSel(c.selStart, c.selLength);
    // A right click in the text keeps the selection; the menu opens where the pointer is.
    ASSERT_TRUE(OpenByRightClick());
    EXPECT_EQ(Menu().OpeningControl(), edit);
    EXPECT_TRUE(edit->TextMenuShowing());
    EXPECT_EQ(Captions(), L"Undo|-|Cut|Copy|Paste|Delete|-|Select All|");
    EXPECT_EQ(Enabled(), c.enabled);
    RECT r;
    GetWindowRect(Top().Handle(), &r);
    const POINT at = TextPoint();
    EXPECT_LE(std::abs(r.left - at.x), 2);
    EXPECT_LE(std::abs(r.top - at.y), 2);
    Keys(VK_ESCAPE);
    EXPECT_TRUE(PumpUntil([&] { return !Menu().Showing(); }));
    EXPECT_FALSE(edit->TextMenuShowing()) << "the menu told the edit it closed";
  }
}

TEST_F(SkinEditMenuTest, ChosenCommandsChangeTheTextAndTheClipboard) {
  bs::test::PutClipboardText(L"-");
  // Copy by keyboard: Down walks past Undo (disabled) to Cut, then Copy.
  edit->SetSel(3, 8);
  ASSERT_TRUE(OpenByRightClick());
  // The pointer rests on the popup's corner, which may already light the first usable item.
  ASSERT_TRUE(Top().HotIndex() == -1 || Top().HotIndex() == 2) << Top().HotIndex();
  if (Top().HotIndex() == -1) Keys(VK_DOWN);
  EXPECT_EQ(Top().HotIndex(), 2) << "Undo is disabled and skipped";
  Keys(VK_DOWN);
  ASSERT_EQ(Top().HotIndex(), 3) << "Copy";
  Keys(VK_RETURN);
  ASSERT_TRUE(PumpUntil([&] { return !Menu().Showing(); }));
  EXPECT_EQ(ClipboardText(), L"Quorvane");
  EXPECT_EQ(edit->Text(), L"C:\\Quorvane\\Bases");

  // Cut by a real click on the item.
  ASSERT_TRUE(OpenByRightClick());
  ASSERT_TRUE(ChooseByClick(2));
  EXPECT_EQ(edit->Text(), L"C:\\\\Bases");
  EXPECT_EQ(ClipboardText(), L"Quorvane");

  // Undo brings it back; Select All then Paste replaces everything.
  ASSERT_TRUE(OpenByRightClick());
  ASSERT_TRUE(Top().Items(0).MenuItem->Enabled);
  ASSERT_TRUE(ChooseByClick(0));
  EXPECT_EQ(edit->Text(), L"C:\\Quorvane\\Bases");
  ASSERT_TRUE(OpenByRightClick());
  ASSERT_TRUE(ChooseByClick(7));
  EXPECT_EQ(edit->SelLength(), int(edit->Text().size()));
  ASSERT_TRUE(OpenByRightClick());
  EXPECT_FALSE(Top().Items(7).MenuItem->Enabled) << "Select All with everything selected";
  ASSERT_TRUE(ChooseByClick(4));
  EXPECT_EQ(edit->Text(), L"Quorvane");

  // Delete takes the selection away without touching the clipboard.
  edit->SetSel(0, 4);
  ASSERT_TRUE(OpenByRightClick());
  ASSERT_TRUE(ChooseByClick(5));
  EXPECT_EQ(edit->Text(), L"vane");
  EXPECT_EQ(ClipboardText(), L"Quorvane");
}

TEST_F(SkinEditMenuTest, ReadOnlyMenuChangesNothing) {
  edit->SetReadOnly(true);
  bs::test::PutClipboardText(L"X");
  edit->SetSel(3, 8);
  // Cut, Paste and Delete are shown disabled: a click on them neither runs nor closes.
  for (int index : {2, 4, 5}) {
    ASSERT_TRUE(OpenByRightClick());
    EXPECT_FALSE(ChooseByClick(index, 300)) << index;
    Keys(VK_ESCAPE);
    ASSERT_TRUE(PumpUntil([&] { return !Menu().Showing(); }));
  }
  // Their commands, run all the same, change nothing either.
  for (auto c : {TbsEditCommand::ecCut, TbsEditCommand::ecPaste, TbsEditCommand::ecDelete, TbsEditCommand::ecUndo})
    edit->PerformEditCommand(c);
  EXPECT_EQ(edit->Text(), L"C:\\Quorvane\\Bases");
  // Copy works.
  ASSERT_TRUE(OpenByRightClick());
  ASSERT_TRUE(ChooseByClick(3));
  EXPECT_EQ(ClipboardText(), L"Quorvane");
}

TEST_F(SkinEditMenuTest, TheKeyboardOpensTheMenuAtTheEditsCentre) {
  RECT e;
  GetWindowRect(edit->Handle(), &e);
  const POINT centre{(e.left + e.right) / 2, (e.top + e.bottom) / 2};
  for (auto [key, held] : {std::pair<WORD, WORD>{VK_F10, VK_SHIFT}, {VK_APPS, 0}}) {
    SCOPED_TRACE(key);
    if (held) Keys(key, {held});
    else Keys(key);
    ASSERT_TRUE(PumpUntil([&] { return Menu().Showing(); }));
    RECT r;
    GetWindowRect(Top().Handle(), &r);
    EXPECT_LE(std::abs(r.left - centre.x), 2);
    EXPECT_LE(std::abs(r.top - centre.y), 2);
    EXPECT_EQ(Captions(), L"Undo|-|Cut|Copy|Paste|Delete|-|Select All|");
    Keys(VK_ESCAPE);
    ASSERT_TRUE(PumpUntil([&] { return !Menu().Showing(); }));
  }
}

TEST_F(SkinEditMenuTest, TheMenuIsFreedOnlyAfterItsOwnNotificationReturned) {
  edit->SetSel(0, 2);
  ASSERT_TRUE(OpenByRightClick());
  TbsSkinPopupMenu* menu = edit->TextMenu();
  ASSERT_NE(menu, nullptr);
  TFreeWatch watch;
  watch.FreeNotification(menu);
  // The release over "Copy" runs the command and sends 1229 before it returns.
  const TRect& o = Top().Items(3).ObjectRect;
  const LPARAM at = MAKELPARAM(o.Left + o.Width() / 2, o.Top + o.Height() / 2);
  HWND popup = Top().Handle();
  SendMessageW(popup, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(popup, WM_LBUTTONUP, 0, at);
  EXPECT_FALSE(Menu().Showing());
  EXPECT_EQ(edit->TextMenu(), nullptr) << "a chosen command ends the edit's menu";
  EXPECT_FALSE(watch.Freed) << "but not while the menu's code runs";
  EXPECT_EQ(ClipboardText(), L"C:");
  EXPECT_TRUE(PumpUntil([&] { return watch.Freed; }));

  // A menu closed without a choice lives until the next request, which builds a new one.
  ASSERT_TRUE(OpenByRightClick());
  TbsSkinPopupMenu* first = edit->TextMenu();
  Keys(VK_ESCAPE);
  ASSERT_TRUE(PumpUntil([&] { return !Menu().Showing(); }));
  EXPECT_EQ(edit->TextMenu(), first);
  TFreeWatch second;
  second.FreeNotification(first);
  ASSERT_TRUE(OpenByRightClick());
  EXPECT_NE(edit->TextMenu(), nullptr);
  EXPECT_TRUE(PumpUntil([&] { return second.Freed; }));
  EXPECT_TRUE(Menu().Showing());

  // The edit goes while its menu is open: the menu closes with it.
  delete edit;
  edit = nullptr;
  EXPECT_FALSE(Menu().Showing());
  Pump(60);
}

TEST_F(SkinEditMenuTest, PictureOfTheMenuOverTheEdit) {
  edit->SetSel(3, 8);
  bs::test::PutClipboardText(L"Reports");
  ASSERT_TRUE(OpenByRightClick());
  bs::test::MouseTo(ItemPoint(3));
  Pump(150);
  RECT f, p;
  GetWindowRect(form->Handle(), &f);
  GetWindowRect(Top().Handle(), &p);
  RECT shot{f.left, f.top, std::max(f.right, p.right), std::max(f.bottom, p.bottom)};
  spv::test::SaveScreenPng(shot, "skin-edit-context-menu");
  EXPECT_EQ(Top().HotIndex(), 3);
}

}  // namespace
}  // namespace bs
