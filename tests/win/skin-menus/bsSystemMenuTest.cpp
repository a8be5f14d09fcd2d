// The system menu of the skinned frame: its items by window state, its three ways in, its size
// and look with the program's skin.
#include "MenuTestSupport.h"

#include <string>
#include <vector>

using namespace bs;
using namespace bs::menu_test;

namespace {

std::vector<std::wstring> Captions(TMenuItem& root) {
  std::vector<std::wstring> out;
  for (int i = 0; i < root.Count(); ++i) {
    std::wstring c = root.Items(i)->Caption();
    if (const std::wstring s = ShortCutToText(root.Items(i)->ShortCut()); !s.empty()) c += L" [" + s + L"]";
    out.push_back(c);
  }
  return out;
}

TbsSkinStdButtonObject& SysMenuButton(TFramedWindow& w) { return w.Button("sysmenubutton"); }

class SystemMenuTest : public MenuTest {
 protected:
  // Presses the system-menu button as the pointer does.
  void PressSysMenuButton() {
    const TRect r = w->RectOf("sysmenubutton");
    const int x = r.Left + r.Width() / 2, y = r.Top + r.Height() / 2;
    w->CursorAt(x, y);
    ASSERT_TRUE(PumpUntil([&] { return w->frame->HotIndex() == w->IndexOf("sysmenubutton"); }));
    SendMessageW(w->Handle(), WM_NCLBUTTONDOWN, HTOBJECT, w->ScreenAt(x, y));
    SendMessageW(w->Handle(), WM_NCLBUTTONUP, HTOBJECT, w->ScreenAt(x, y));
    ReleaseCapture();
    Pump(30);
  }
};

}  // namespace

TEST_F(SystemMenuTest, ItemsFollowTheWindowState) {
  struct Case {
    const char* name;
    std::function<void(TbsSkinForm&)> state;
    std::vector<std::wstring> captions;
  } cases[] = {
      {"normal", [](TbsSkinForm&) {}, {L"Mi&nimize", L"Ma&ximize", L"Ro&llUp", L"-", L"&Close [Alt+F4]"}},
      {"maximised", [](TbsSkinForm& f) { f.SetWindowState(wsMaximized); },
       {L"Mi&nimize", L"&Restore", L"Ro&llUp", L"-", L"&Close [Alt+F4]"}},
      {"rolled up", [](TbsSkinForm& f) { f.SetRollUp(true); },
       {L"Mi&nimize", L"Ma&ximize", L"&Restore", L"-", L"&Close [Alt+F4]"}},
      {"a dialog", [](TbsSkinForm& f) { f.SetBorderIcons(0); }, {L"&Close [Alt+F4]"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TFramedWindow window(true);
    c.state(*window.frame);
    EXPECT_EQ(Captions(*window.frame->GetSystemMenuItems()), c.captions);
  }
}

TEST_F(SystemMenuTest, RestoreOnAWindowRolledUpAfterItWasMaximisedOnlyUnrollsIt) {
  w->frame->SetWindowState(wsMaximized);
  w->frame->SetRollUp(true);
  TMenuItem* root = w->frame->GetSystemMenuItems();
  TMenuItem* restore = nullptr;
  for (int i = 0; i < root->Count(); ++i)
    if (root->Items(i)->Name() == "BSF_RESTORE") restore = root->Items(i);
  ASSERT_NE(restore, nullptr);
  restore->Click();
  EXPECT_FALSE(w->frame->RolledUp());
  EXPECT_EQ(w->frame->WindowState(), wsMaximized);
}

TEST_F(SystemMenuTest, TheButtonDropsTheMenuAndStaysDownUntilItCloses) {
  struct Case {
    const char* name;
    std::function<void(SystemMenuTest&)> close;
  } cases[] = {
      {"by escape", [](SystemMenuTest& t) { Key(t.w->Handle(), VK_ESCAPE); }},
      {"by a choice", [](SystemMenuTest& t) {
         // "Ro&llUp", chosen by its accelerator.
         Key(t.w->Handle(), 'L');
         EXPECT_TRUE(t.w->frame->RolledUp());
       }},
      {"by a click elsewhere", [](SystemMenuTest& t) {
         SendMessageW(t.w->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 100));
         SendMessageW(t.w->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(100, 100));
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (w->frame->RolledUp()) w->frame->SetRollUp(false);
    PressSysMenuButton();
    ASSERT_EQ(Menu().PopupCount(), 1);
    EXPECT_TRUE(SysMenuButton(*w).Pressed);
    EXPECT_TRUE(w->frame->MenuOpen());
    // Under the button, at its bottom-left.
    const RECT popup = ScreenRect(Top().Handle());
    const TRect button = w->frame->ScreenRectOf(SysMenuButton(*w));
    EXPECT_EQ(popup.left, button.Left);
    EXPECT_EQ(popup.top, button.Bottom);
    c.close(*this);
    EXPECT_EQ(Menu().PopupCount(), 0);
    EXPECT_FALSE(SysMenuButton(*w).Pressed);
    EXPECT_FALSE(w->frame->MenuOpen());
    EXPECT_FALSE(Application().OnMessage);
  }
}

TEST_F(SystemMenuTest, SizeShapeAndLookWithTheProgramsSkin) {
  PressSysMenuButton();
  ASSERT_EQ(Menu().PopupCount(), 1);
  TbsSkinPopupWindow& p = Top();
  ASSERT_TRUE(p.Skinned());
  const RECT r = ScreenRect(p.Handle());
  int M = 0;
  for (const wchar_t* text : {L"Mi&nimize", L"Ma&ximize", L"Ro&llUp", L"-", L"&Close  Alt+F4"})
    M = std::max(M, TextWidthIn(p.ItemFont(), text) + 2);
  EXPECT_EQ(r.right - r.left, M + 57);
  EXPECT_EQ(r.bottom - r.top, 98);
  EXPECT_EQ(p.HotIndex(), 0) << "Mi&nimize lit at once";
  EXPECT_TRUE(p.Items(0).AutoSelected);
  // The lit item shows the description's lit piece; the others the normal one.
  const TbsDataSkinMenuItem& d =
      dynamic_cast<const TbsDataSkinMenuItem&>(*w->skin->SkinObjects[std::size_t(w->skin->FindSkinObject("MENUITEM"))]);
  const TImage& pieces = w->skin->ActivePicture(d.ActivePictureIndex)->Image;
  const TbsFBitmap painted = PaintedPopup(p);
  const TRect lit = p.Items(0).ObjectRect, plain = p.Items(1).ObjectRect;
  // Left caps (5 pixels) are copied unchanged.
  EXPECT_TRUE(ShowsPiece(painted, {lit.Left, lit.Top, lit.Left + 5, lit.Bottom}, pieces,
                         {d.ActiveSkinRect.Left, d.ActiveSkinRect.Top, d.ActiveSkinRect.Left + 5, d.ActiveSkinRect.Bottom}));
  EXPECT_TRUE(ShowsPiece(painted, {plain.Left, plain.Top, plain.Left + 5, plain.Bottom}, pieces,
                         {d.SkinRect.Left, d.SkinRect.Top, d.SkinRect.Left + 5, d.SkinRect.Bottom}));
  // The glyph of "&Close" at (6, 5) of its item: some black pixel in its 11 x 10 box.
  const TRect close = p.Items(4).ObjectRect;
  bool glyph = false;
  for (int y = 5; y < 15; ++y)
    for (int x = 6; x < 17; ++x) glyph = glyph || painted.At(close.Left + x, close.Top + y) == Black;
  EXPECT_TRUE(glyph);
  // Moving down lights the next item (the pointer is away from the popup).
  SetCursorPos(0, 0);
  Key(w->Handle(), VK_DOWN);
  EXPECT_EQ(p.HotIndex(), 1);
  spv::test::SaveWindowPng(w->Handle(), "menu-system-menu-open");
}

TEST_F(SystemMenuTest, KeysThatAreNoCharactersRunNoItem) {
  PressSysMenuButton();
  ASSERT_EQ(Menu().PopupCount(), 1);
  // 0x63 and 0x78 are the codes of 'c' ("&Close") and 'x' ("Ma&ximize").
  Key(w->Handle(), VK_NUMPAD3);
  Key(w->Handle(), VK_F9);
  EXPECT_EQ(Menu().PopupCount(), 1);
  EXPECT_TRUE(IsWindowVisible(w->Handle()));
  EXPECT_EQ(w->frame->WindowState(), wsNormal);
  Key(w->Handle(), VK_ESCAPE);
}

TEST_F(SystemMenuTest, ARightClickOnTheCaptionOpensItAtThePointer) {
  const RECT b = w->Bounds();
  const POINT at{b.left + 250, b.top + 10};
  ASSERT_EQ(w->HitAt(250, 10), HTCAPTION);
  SendMessageW(w->Handle(), WM_NCRBUTTONDOWN, HTCAPTION, MAKELPARAM(at.x, at.y));
  SendMessageW(w->Handle(), WM_NCRBUTTONUP, HTCAPTION, MAKELPARAM(at.x, at.y));
  Pump(30);
  ASSERT_EQ(Menu().PopupCount(), 1);
  const RECT popup = ScreenRect(Top().Handle());
  EXPECT_EQ(popup.left, at.x);
  EXPECT_EQ(popup.top, at.y);
  Key(w->Handle(), VK_ESCAPE);
  EXPECT_FALSE(w->frame->MenuOpen());
}

TEST_F(SystemMenuTest, AltSpaceOpensItUnderTheButton) {
  auto altSpace = [] {
    INPUT in[4]{};
    const WORD keys[4] = {VK_MENU, VK_SPACE, VK_SPACE, VK_MENU};
    for (int i = 0; i < 4; ++i) {
      in[i].type = INPUT_KEYBOARD;
      in[i].ki.wVk = keys[i];
      in[i].ki.dwFlags = (i >= 2) ? KEYEVENTF_KEYUP : 0;
    }
    SendInput(4, in, sizeof(INPUT));
    Pump(100);
  };
  altSpace();
  ASSERT_EQ(Menu().PopupCount(), 1);
  const RECT popup = ScreenRect(Top().Handle());
  const TRect button = w->frame->ScreenRectOf(SysMenuButton(*w));
  EXPECT_EQ(popup.left, button.Left);
  EXPECT_EQ(popup.top, button.Bottom);
  Key(w->Handle(), VK_ESCAPE);
  EXPECT_FALSE(w->frame->MenuOpen());

  // A skin without the button: the key is still taken, and nothing shows.
  TFramedWindow bare(false);
  bare.frame->SetBorderIcons(bs::biMinimize | bs::biMaximize);
  bool reached = false;
  bare.form->OnKeyDown = [&](TObject*, WORD& key, TShiftState) { reached = reached || key == VK_SPACE; };
  altSpace();
  EXPECT_EQ(bare.frame->SkinMenu().PopupCount(), 0);
  EXPECT_FALSE(reached);
}
