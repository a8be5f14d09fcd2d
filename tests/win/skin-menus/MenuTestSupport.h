#pragma once
// What the menu tests share: a framed window with the program's skin, a message pump that goes
// through the application (so that the menu's keyboard hook sees the keys), keys and clicks.
#include "FramedWindow.h"
#include "platform/Forms.h"
#include "skin/frame/bsSkinMenus.h"

#include <chrono>

namespace bs::menu_test {

using namespace spv::platform;
using namespace bs::frame_test;

// Pumps through the application for `ms` milliseconds.
inline void Pump(int ms = 60) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  do {
    Application().ProcessMessages();
    Sleep(5);
  } while (std::chrono::steady_clock::now() < end);
}
inline bool PumpUntil(const std::function<bool()>& done, int ms = 5000) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    Pump(10);
  }
  return true;
}

// A key pressed while the form is active: the application's loop takes it from the queue.
inline void Key(HWND form, WORD key) {
  PostMessageW(form, WM_KEYDOWN, key, 1);
  PostMessageW(form, WM_KEYUP, key, 0xC0000001);
  Pump(30);
}

inline RECT ScreenRect(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  return r;
}

inline TMenuItem* Item(TMenuItem& parent, const wchar_t* caption, int* clicks = nullptr, bool enabled = true) {
  auto* item = new TMenuItem;
  item->SetCaption(caption);
  item->Enabled = enabled;
  if (clicks) item->OnClick = [clicks](TObject*) { ++*clicks; };
  parent.Add(item);
  return item;
}

// The center of item `index` of a popup, in screen coordinates.
inline POINT ItemCenter(TbsSkinPopupWindow& popup, int index) {
  const RECT r = ScreenRect(popup.Handle());
  const TRect& o = popup.Items(index).ObjectRect;
  return {r.left + o.Left + o.Width() / 2, r.top + o.Top + o.Height() / 2};
}

// Releases the left button over item `index`, as the pointer does.
inline void ClickItem(TbsSkinPopupWindow& popup, int index) {
  const TRect& o = popup.Items(index).ObjectRect;
  const int x = o.Left + o.Width() / 2, y = o.Top + o.Height() / 2;
  SendMessageW(popup.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  SendMessageW(popup.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

// The popup as it paints itself.
inline TbsFBitmap PaintedPopup(TbsSkinPopupWindow& popup) {
  const RECT r = ScreenRect(popup.Handle());
  TbsFBitmap picture(r.right - r.left, r.bottom - r.top);
  SendMessageW(popup.Handle(), WM_ERASEBKGND, WPARAM(picture.DC()), 0);
  GdiFlush();
  return picture;
}

// The width of a measured item text as the popup measures it with the skin's item font.
inline int TextWidthIn(HFONT font, const std::wstring& text) {
  TbsFBitmap b(1, 1);
  HGDIOBJ old = SelectObject(b.DC(), font);
  RECT r{0, 0, 0, 0};
  DrawTextW(b.DC(), text.c_str(), int(text.size()), &r, DT_CALCRECT);
  SelectObject(b.DC(), old);
  return r.right - r.left;
}

class MenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    w = std::make_unique<TFramedWindow>(true);
    ASSERT_TRUE(w->frame->Skinned());
  }
  void TearDown() override {
    ReleaseCapture();
    w->frame->SkinMenu().CloseMenus();
    w.reset();
    Pump(20);
  }
  TbsSkinMenu& Menu() const { return w->frame->SkinMenu(); }
  TbsSkinPopupWindow& Top() const { return *Menu().TopPopup(); }
  // A popup menu of the form with the given items, shown at a screen point.
  TbsSkinPopupMenu* NewPopupMenu() {
    auto* menu = new TbsSkinPopupMenu(w->form.get());
    return menu;
  }

 public:
  std::unique_ptr<TFramedWindow> w;
};

}  // namespace bs::menu_test
