#pragma once
// Keys as a user's keyboard gives them, through SendInput.

#include <windows.h>

#include "WindowShot.h"

#include <functional>
#include <initializer_list>
#include <vector>

namespace bs::test {

// Keys as the keyboard gives them: down and up of each, modifiers held around the key; then
// `pump` lets them arrive.
inline void TypeKey(WORD vk, std::initializer_list<WORD> held = {},
                    const std::function<void()>& pump = [] { spv::test::PumpMessages(30); }) {
  std::vector<INPUT> in;
  auto key = [&](WORD k, bool up) {
    INPUT i{};
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = k;
    i.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    in.push_back(i);
  };
  for (WORD h : held) key(h, false);
  key(vk, false);
  key(vk, true);
  for (WORD h : held) key(h, true);
  SendInput(UINT(in.size()), in.data(), sizeof(INPUT));
  pump();
}

}  // namespace bs::test
