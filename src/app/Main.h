#pragma once
// The main window of the program.

#include <windows.h>

namespace spv::app {

inline constexpr int kClientWidth = 604;
inline constexpr int kClientHeight = 529;

// Registers the window class and creates the main window, centred on the screen's work
// area with the client size of its design. The window is not shown yet.
HWND CreateMainWindow(HINSTANCE instance);

}  // namespace spv::app
