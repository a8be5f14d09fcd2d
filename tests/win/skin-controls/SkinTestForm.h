#pragma once
// Real input for the skinned-control tests: keys and characters through SendInput, the pointer
// and its left button, the clipboard; and the program's skin loaded into a skin data holder.

#include "SkinFixture.h"
#include "UserKeys.h"
#include "WindowShot.h"

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>

namespace bs::test {

inline void LoadProgramSkin(TbsSkinData& skin) {
  const auto block = spv::ProgramSkinBlock();
  skin.LoadFromCompressedData(block.data(), block.size());
}

// Characters typed one by one as Unicode key input.
inline void TypeText(std::wstring_view text) {
  for (wchar_t c : text) {
    INPUT in[2]{};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wScan = in[1].ki.wScan = c;
    in[0].ki.dwFlags = KEYEVENTF_UNICODE;
    in[1].ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof(INPUT));
    spv::test::PumpMessages(15);
  }
}

// The pointer to a point of the screen, and the left button pressed or released there.
inline void MouseTo(POINT screen) {
  SetCursorPos(screen.x, screen.y);
  spv::test::PumpMessages(30);
}
inline void MouseButton(bool down) {
  INPUT i{};
  i.type = INPUT_MOUSE;
  i.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
  SendInput(1, &i, sizeof(INPUT));
  spv::test::PumpMessages(30);
}

// A point of a window given in window coordinates (frame included), on the screen.
inline POINT WindowPoint(HWND window, int x, int y) {
  RECT r;
  GetWindowRect(window, &r);
  return {r.left + x, r.top + y};
}

inline void PutClipboardText(std::wstring_view text) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  auto* p = static_cast<wchar_t*>(GlobalLock(g));
  std::copy(text.begin(), text.end(), p);
  p[text.size()] = 0;
  GlobalUnlock(g);
  SetClipboardData(CF_UNICODETEXT, g);
  CloseClipboard();
}

}  // namespace bs::test
