// Skinned popup menus on real windows: keys, sub-menus and their wait, choosing an item and the
// messages around it, scrolling with an item limit, the built-in look, and the pictures.
#include "MenuTestSupport.h"

#include <string>
#include <vector>

using namespace bs;
using namespace bs::menu_test;

namespace {

// Items of the key tests: 0 "&One", 1 "&Two" (disabled), 2 "-", 3 "T&hree" with two sub-items,
// 4 "&Four", 5 "Fi&ve" (disabled, the last).
struct KeyMenu {
  explicit KeyMenu(TbsSkinPopupMenu& menu) {
    TMenuItem& root = menu.Items();
    Item(root, L"&One", &clicks[0]);
    Item(root, L"&Two", &clicks[1], false);
    Item(root, L"-");
    TMenuItem* three = Item(root, L"T&hree", &clicks[3]);
    Item(*three, L"&Alpha", &subClicks[0]);
    Item(*three, L"&Beta", &subClicks[1]);
    Item(root, L"&Four", &clicks[4]);
    Item(root, L"Fi&ve", &clicks[5], false);
  }
  int clicks[6] = {};
  int subClicks[2] = {};
};

}  // namespace

TEST_F(MenuTest, KeysMoveTheSelectionOpenAndCloseSubMenusAndRunItems) {
  struct Case {
    const char* name;
    int startHot;                 // -2: as the popup opened; else lit by Down presses
    std::vector<WORD> keys;
    int hot, popups;              // afterwards, in the popup that is then topmost
    int clicked;                  // index of the root item whose click ran, or -1
  } cases[] = {
      {"opens with the first usable item lit", -2, {}, 0, 1, -1},
      {"down skips the disabled item and the separator", -2, {VK_DOWN}, 3, 1, -1},
      {"up from the first wraps to the last usable", -2, {VK_UP}, 4, 1, -1},
      {"down stays on the last usable when disabled items follow", 4, {VK_DOWN}, 4, 1, -1},
      {"right on a parent opens its sub-menu", 3, {VK_RIGHT}, 0, 2, 3},
      {"right on a plain item does nothing", 0, {VK_RIGHT}, 0, 1, -1},
      {"left on the sub-menu closes it", 3, {VK_RIGHT, VK_LEFT}, 3, 1, 3},
      {"left on the root does nothing", 0, {VK_LEFT}, 0, 1, -1},
      {"escape closes only the topmost popup", 3, {VK_RETURN, VK_ESCAPE}, 3, 1, 3},
      {"enter runs the lit item", 4, {VK_RETURN}, -1, 0, 4},
      {"an accelerator runs its item", -2, {'F'}, -1, 0, 4},
      {"an accelerator of a parent opens its sub-menu", -2, {'H'}, 0, 2, 3},
      {"an accelerator of a disabled item lights it and runs nothing", -2, {'T'}, 1, 1, -1},
      // Their key codes are those of 'f' and 'h': no characters all the same.
      {"the numpad's 6 is no accelerator", -2, {VK_NUMPAD6}, 0, 1, -1},
      {"the numpad's 8 is no accelerator", -2, {VK_NUMPAD8}, 0, 1, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TbsSkinPopupMenu* menu = NewPopupMenu();
    KeyMenu items(*menu);
    menu->Popup(300, 200);
    ASSERT_EQ(Menu().PopupCount(), 1);
    TbsSkinPopupWindow& root = Top();
    if (c.startHot >= 0)
      while (root.HotIndex() != c.startHot) Key(w->Handle(), VK_DOWN);
    for (WORD k : c.keys) Key(w->Handle(), k);
    EXPECT_EQ(Menu().PopupCount(), c.popups);
    if (c.popups > 0) {
      EXPECT_EQ(Top().HotIndex(), c.hot);
    }
    for (int i = 0; i < 6; ++i) EXPECT_EQ(items.clicks[i], i == c.clicked ? 1 : 0) << "item " << i;
    Menu().CloseMenus();
    Pump(20);
    delete menu;
  }
}

TEST_F(MenuTest, HotIndexStaysWhenThePointerLeavesAndMovesOntoASeparator) {
  TbsSkinPopupMenu* menu = NewPopupMenu();
  KeyMenu items(*menu);
  menu->Popup(300, 200);
  TbsSkinPopupWindow& p = Top();
  const TRect four = p.Items(4).ObjectRect, line = p.Items(2).ObjectRect;
  p.TrackPointer(four.Left + 5, four.Top + 3);
  EXPECT_EQ(p.HotIndex(), 4);
  EXPECT_TRUE(p.Items(4).Hot);
  p.TrackPointer(-50, -50);  // outside the popup
  EXPECT_EQ(p.HotIndex(), 4);
  EXPECT_TRUE(p.Items(4).Hot);
  // The separator becomes the hot index without being lit; the item before is left.
  p.TrackPointer(line.Left + 5, line.Top + 2);
  EXPECT_EQ(p.HotIndex(), 2);
  EXPECT_FALSE(p.Items(2).Hot);
  EXPECT_FALSE(p.Items(4).Hot);
  // Down from there finds the next usable item.
  Key(w->Handle(), VK_DOWN);
  EXPECT_EQ(p.HotIndex(), 3);
  delete menu;
}

TEST_F(MenuTest, ASubMenuOpensAfterHalfASecondOfPointingNotBefore) {
  TbsSkinPopupMenu* menu = NewPopupMenu();
  KeyMenu items(*menu);
  menu->Popup(300, 200);
  TbsSkinPopupWindow& root = Top();
  const POINT parent = ItemCenter(root, 3);
  const auto start = std::chrono::steady_clock::now();
  SetCursorPos(parent.x, parent.y);
  Pump(300);
  EXPECT_EQ(Menu().PopupCount(), 1) << "not yet";
  EXPECT_TRUE(Menu().WaitTimerRunning());
  ASSERT_TRUE(PumpUntil([&] { return Menu().PopupCount() == 2; }));
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(450));
  EXPECT_EQ(items.clicks[3], 1) << "the parent's command runs as its sub-menu opens";
  EXPECT_TRUE(root.Items(3).Open);
  // The sub-menu stands level with its parent item, one pixel to the right of the root popup.
  const RECT rootRect = ScreenRect(root.Handle()), subRect = ScreenRect(Top().Handle());
  EXPECT_EQ(subRect.left, rootRect.right + 1 - (rootRect.right - rootRect.left) + root.Items(3).ObjectRect.Right);
  EXPECT_EQ(subRect.top + Top().ItemsRect().Top, rootRect.top + root.Items(3).ObjectRect.Top);
  spv::test::SaveWindowPng(w->Handle(), "menu-submenu-open");
  delete menu;
}

TEST_F(MenuTest, PointingElsewhereFirstCancelsTheWait) {
  TbsSkinPopupMenu* menu = NewPopupMenu();
  KeyMenu items(*menu);
  menu->Popup(300, 200);
  TbsSkinPopupWindow& root = Top();
  const POINT parent = ItemCenter(root, 3), plain = ItemCenter(root, 4);
  SetCursorPos(parent.x, parent.y);
  ASSERT_TRUE(PumpUntil([&] { return Menu().WaitTimerRunning(); }));
  SetCursorPos(plain.x, plain.y);
  Pump(900);
  EXPECT_EQ(Menu().PopupCount(), 1);
  EXPECT_EQ(root.HotIndex(), 4);
  EXPECT_EQ(items.clicks[3], 0);
  delete menu;
}

TEST_F(MenuTest, AClickOpensASubMenuAtOnceAndRunsTheParentsCommand) {
  TbsSkinPopupMenu* menu = NewPopupMenu();
  KeyMenu items(*menu);
  menu->Popup(300, 200);
  ClickItem(Top(), 3);
  EXPECT_EQ(Menu().PopupCount(), 2);
  EXPECT_EQ(items.clicks[3], 1);
  // A choice in the sub-menu closes every popup and runs only that item.
  ClickItem(Top(), 1);
  EXPECT_EQ(Menu().PopupCount(), 0);
  EXPECT_EQ(items.subClicks[1], 1);
  EXPECT_EQ(items.subClicks[0], 0);
  delete menu;
}

TEST_F(MenuTest, ChoosingAnItemClosesEverythingBeforeItsCommandThenTellsTheOpeningControl) {
  auto* control = new TPanel(w->form.get());
  control->SetParent(w->form.get());
  control->SetBounds(10, 10, 50, 50);
  std::vector<std::string> events;
  const TWndMethod previous = control->WindowProc;
  control->WindowProc = [&, previous](TMessage& m) {
    if (m.Msg == WM_SKIN_MENU_CLOSED) events.push_back("1228");
    if (m.Msg == WM_SKIN_MENU_COMMAND_DONE) events.push_back("1229");
    previous(m);
  };
  int appMessages = 0;
  Application().OnMessage = [&](MSG&, bool&) { ++appMessages; };
  int opened = 0, closed = 0, menuClose = 0;
  w->frame->OnSkinMenuOpen = [&](TObject*) { ++opened; };
  w->frame->OnSkinMenuClose = [&](TObject*) { ++closed; };

  TbsSkinPopupMenu* menu = NewPopupMenu();
  menu->OnMenuClose = [&](TObject*) {
    ++menuClose;
    events.push_back("close handler");
  };
  TMenuItem* item = Item(menu->Items(), L"&Go");
  item->OnClick = [&](TObject*) {
    events.push_back("command");
    EXPECT_EQ(Menu().PopupCount(), 0);
    EXPECT_FALSE(Menu().Showing());
    EXPECT_FALSE(w->frame->MenuOpen());
  };
  menu->PopupForControl(control, 300, 200);
  ASSERT_EQ(Menu().PopupCount(), 1);
  Key(w->Handle(), VK_RETURN);
  EXPECT_EQ(events, (std::vector<std::string>{"1228", "close handler", "command", "1229"}));
  EXPECT_EQ(opened, 1);
  EXPECT_EQ(closed, 1);
  EXPECT_EQ(menuClose, 1);
  // The application's own handler is back.
  appMessages = 0;
  PostMessageW(w->Handle(), WM_NULL, 0, 0);
  Pump(30);
  EXPECT_GE(appMessages, 1);
  Application().OnMessage = nullptr;
  control->WindowProc = previous;
  delete menu;
}

TEST_F(MenuTest, ACommandThatFreesTheFormEndsTheChoiceSafely) {
  TbsSkinPopupMenu* menu = NewPopupMenu();
  TMenuItem* item = Item(menu->Items(), L"&Close");
  item->OnClick = [&](TObject*) { w->form.reset(); };
  menu->Popup(300, 200);
  const HWND form = w->Handle();
  Key(form, VK_RETURN);
  EXPECT_FALSE(w->form);
  Pump(30);
  EXPECT_FALSE(Application().OnMessage) << "the hook went with the frame";
  w->frame = nullptr;
  w.reset(new TFramedWindow(true));
}

TEST_F(MenuTest, AnotherMenuOverAnOpenOneEndsTheFirstAndKeepsTheKeyboard) {
  TbsSkinPopupMenu* first = NewPopupMenu();
  int firstClosed = 0, appMessages = 0;
  Application().OnMessage = [&](MSG&, bool&) { ++appMessages; };
  first->OnMenuClose = [&](TObject*) { ++firstClosed; };
  Item(first->Items(), L"&One");
  TbsSkinPopupMenu* second = NewPopupMenu();
  int secondClicks = 0;
  Item(second->Items(), L"&Two", &secondClicks);
  first->Popup(300, 200);
  second->Popup(320, 220);
  EXPECT_EQ(firstClosed, 1);
  EXPECT_EQ(Menu().PopupCount(), 1);
  Key(w->Handle(), VK_RETURN);
  EXPECT_EQ(secondClicks, 1);
  appMessages = 0;
  PostMessageW(w->Handle(), WM_NULL, 0, 0);
  Pump(30);
  EXPECT_GE(appMessages, 1) << "the application's handler is back, not the menu's hook";
  Application().OnMessage = nullptr;
  delete first;
  delete second;
}

TEST_F(MenuTest, WithAnItemLimitOfThreeFiveItemsScrollOneItemPerTick) {
  w->frame->MaxMenuItemsInWindow = 3;
  TbsSkinPopupMenu* menu = NewPopupMenu();
  for (const wchar_t* c : {L"&1 one", L"&2 two", L"&3 three", L"&4 four", L"&5 five"}) Item(menu->Items(), c);
  menu->Popup(300, 200);
  TbsSkinPopupWindow& p = Top();
  EXPECT_EQ(ScreenRect(p.Handle()).bottom - ScreenRect(p.Handle()).top, 95);
  EXPECT_TRUE(p.ScrollMode());
  EXPECT_TRUE(p.ItemLimit());
  EXPECT_EQ(p.VisibleCount(), 3);
  EXPECT_FALSE(p.Items(3).Visible);

  // Markers: grey while resting, black while scrolling that way.
  const TRect items = p.ItemsRect();
  auto markerHas = [&](const TbsFBitmap& picture, int top, TPixel colour) {
    for (int y = top; y < top + MenuScrollBand; ++y)
      for (int x = items.Left; x < items.Right; ++x)
        if (picture.At(x, y) == colour) return true;
    return false;
  };
  const TPixel grey{128, 128, 128};
  TbsFBitmap resting = PaintedPopup(p);
  EXPECT_TRUE(markerHas(resting, items.Bottom - MenuScrollBand, grey));
  EXPECT_FALSE(markerHas(resting, items.Bottom - MenuScrollBand, Black));

  const RECT r = ScreenRect(p.Handle());
  SetCursorPos(r.left + items.Left + items.Width() / 2, r.top + items.Bottom - MenuScrollBand / 2);
  ASSERT_TRUE(PumpUntil([&] { return p.ScrollDirection() == 2; }));
  std::vector<int> seen{p.FirstVisible()};
  TbsFBitmap scrolling = PaintedPopup(p);
  EXPECT_TRUE(markerHas(scrolling, items.Bottom - MenuScrollBand, Black));
  EXPECT_TRUE(markerHas(scrolling, items.Top, grey));
  // One item per tick: the end is reached after two scrolls, and the scrolling stops there.
  ASSERT_TRUE(PumpUntil([&] {
    if (p.FirstVisible() != seen.back()) seen.push_back(p.FirstVisible());
    return p.ScrollDirection() == 0;
  }));
  EXPECT_EQ(seen, (std::vector<int>{0, 1, 2}));
  EXPECT_FALSE(p.CanScroll(false));
  EXPECT_TRUE(p.Items(4).Visible);
  spv::test::SaveWindowPng(w->Handle(), "menu-scrolling");
  // Down past the last item wraps to the top.
  SetCursorPos(0, 0);
  Pump(120);
  while (p.HotIndex() != 4) Key(w->Handle(), VK_DOWN);
  Key(w->Handle(), VK_DOWN);
  EXPECT_EQ(p.HotIndex(), 0);
  EXPECT_EQ(p.FirstVisible(), 0);
  delete menu;
}

TEST_F(MenuTest, ThePopupNeverTakesActivationAndIsAShapedTopmostToolWindow) {
  ASSERT_EQ(GetForegroundWindow(), w->Handle());
  TbsSkinPopupMenu* menu = NewPopupMenu();
  KeyMenu items(*menu);
  menu->Popup(300, 200);
  TbsSkinPopupWindow& p = Top();
  const HWND h = p.Handle();
  EXPECT_TRUE(GetWindowLongPtrW(h, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_TRUE(GetWindowLongPtrW(h, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  EXPECT_EQ(GetWindowLongPtrW(h, GWL_STYLE) & (WS_POPUP | WS_CAPTION | WS_BORDER), LONG_PTR(WS_POPUP));
  TbsRegionHandle region(CreateRectRgn(0, 0, 0, 0));
  EXPECT_EQ(GetWindowRgn(h, region.get()), COMPLEXREGION) << "the mask's shape";
  const RECT r = ScreenRect(h);
  // A corner of the mask lies outside the shape, the middle inside.
  EXPECT_FALSE(PtInRegion(region.get(), 0, 0));
  EXPECT_TRUE(PtInRegion(region.get(), (r.right - r.left) / 2, (r.bottom - r.top) / 2));
  // Used by pointer and keys, the form stays active.
  const POINT four = ItemCenter(p, 4);
  SetCursorPos(four.x, four.y);
  ASSERT_TRUE(PumpUntil([&] { return p.HotIndex() == 4; }));
  SendMessageW(h, WM_MOUSEACTIVATE, WPARAM(w->Handle()), MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
  EXPECT_EQ(SendMessageW(h, WM_MOUSEACTIVATE, WPARAM(w->Handle()), MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)),
            MA_NOACTIVATE);
  Key(w->Handle(), VK_UP);
  EXPECT_EQ(GetForegroundWindow(), w->Handle());
  EXPECT_EQ(GetActiveWindow(), w->Handle());
  delete menu;
}

TEST_F(MenuTest, AClickElsewhereOnTheFormClosesTheMenu) {
  TbsSkinPopupMenu* menu = NewPopupMenu();
  KeyMenu items(*menu);
  menu->Popup(300, 200);
  ASSERT_TRUE(Menu().Showing());
  SendMessageW(w->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
  EXPECT_EQ(Menu().PopupCount(), 0);
  EXPECT_FALSE(w->frame->MenuOpen());
  delete menu;
}

TEST(MenuBuiltInLook, SizesAndPicture) {
  TFramedWindow w(false);
  TbsSkinPopupMenu menu(w.form.get());
  Item(menu.Items(), L"&Open");
  Item(menu.Items(), L"-");
  TMenuItem* close = Item(menu.Items(), L"&Close");
  close->SetShortCut(ShortCut(VK_F4, scAlt));
  menu.Popup(300, 200);
  TbsSkinPopupWindow& p = *w.frame->SkinMenu().TopPopup();
  EXPECT_FALSE(p.Skinned());
  const RECT r = ScreenRect(p.Handle());
  const int M = std::max(TextWidthIn(p.ItemFont(), L"&Open"), TextWidthIn(p.ItemFont(), L"&Close  Alt+F4")) + 2;
  EXPECT_EQ(r.right - r.left, M + 48);
  EXPECT_EQ(r.bottom - r.top, 20 + 4 + 20 + 4);
  EXPECT_EQ(p.Items(1).ObjectRect.Height(), 4);
  // The lit first item: a navy outline round the light fill.
  const TbsFBitmap picture = PaintedPopup(p);
  const TRect& first = p.Items(0).ObjectRect;
  EXPECT_EQ(picture.At(first.Left, first.Top), (TPixel{128, 0, 0}));
  EXPECT_EQ(picture.At(first.Left + 1, first.Top + 1), PixelOf(13811126));
  // The separator: a shadow line across its middle, from the glyph band on.
  const TRect& line = p.Items(1).ObjectRect;
  EXPECT_EQ(picture.At(line.Left + 25, line.Top + 2), PixelOf(ColorToRGB(clBtnShadow)));
  EXPECT_EQ(picture.At(line.Left + 25, line.Top + 1), PixelOf(ColorToRGB(clWindow)));
  spv::test::SaveWindowPng(w.Handle(), "menu-built-in");
  w.frame->SkinMenu().CloseMenus();
}
