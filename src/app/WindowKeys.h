#pragma once
// The main window's own keys: which command a key stands for, wherever the focus is. A control
// keeps the keys it uses itself: in the three edits Ctrl+C copies their text, and Shift+F10
// and the context-menu key open their own menu.

#include <cstdint>

namespace spv::app {

enum class TWindowCommand {
  None,
  Run,                // F5
  NextHour,           // Ctrl+Tab
  PreviousHour,       // Ctrl+Shift+Tab
  NextAttention,      // F8: the next hour that needs attention, wrapping
  PreviousAttention,  // Shift+F8
  DayBack,            // Alt+Left: the day before, run
  DayForward,         // Alt+Right: the day after, run
  OnlyDiscrepancies,  // Ctrl+D
  CopyRow,            // Ctrl+C
  CopyHour,           // Ctrl+Shift+C
  SaveDay,            // Ctrl+S
  GridMenu,           // Shift+F10 or the context-menu key
};

// The modifiers held with a key.
struct TKeyModifiers {
  bool Shift = false, Ctrl = false, Alt = false;
};

// Where the key goes: an edit keeps its own keys.
enum class TKeyFocus { Edit, Other };

// The command of a key pressed (a Windows virtual-key code), or None: the key goes on to the
// control that has the focus.
TWindowCommand WindowCommandOf(std::uint16_t virtualKey, TKeyModifiers modifiers, TKeyFocus focus);

}  // namespace spv::app
