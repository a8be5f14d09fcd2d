#pragma once
// The window messages that the parts of the program send one another. The skin messages carry
// the skin data holder in wParam and kSkinMessageTag in lParam.

#include "skin/resources/bsSkinData.h"

#include <windows.h>

namespace spv::platform {

// The skin messages belong to the skin library, which announces them without a window.
inline constexpr UINT WM_SKIN_BEFORE_CHANGE = bs::WM_SKIN_BEFORE_CHANGE;
inline constexpr UINT WM_SKIN_CHANGED = bs::WM_SKIN_CHANGED;
inline constexpr UINT WM_SKIN_AFTER_CHANGE = bs::WM_SKIN_AFTER_CHANGE;
inline constexpr UINT WM_SKIN_STRINGS_CHANGED = bs::WM_SKIN_STRINGS_CHANGED;
inline constexpr UINT WM_SKIN_MENU_CLOSED = WM_USER + 204;
inline constexpr UINT WM_SKIN_MENU_COMMAND_DONE = WM_USER + 205;
inline constexpr LPARAM kSkinMessageTag = bs::SkinMessageLParam;

// A request from any window to paint a frame into the device context in wParam; a window that
// can answers kPaintFrameAnswer.
inline constexpr UINT WM_PAINT_FRAME_INTO = 48203;
inline constexpr LPARAM kPaintFrameTag = 16802;
inline constexpr LRESULT kPaintFrameAnswer = 16802;

static_assert(WM_SKIN_BEFORE_CHANGE == 1225 && WM_SKIN_AFTER_CHANGE == 1227);
static_assert(WM_SKIN_STRINGS_CHANGED == 1274 && WM_SKIN_MENU_COMMAND_DONE == 1229);

}  // namespace spv::platform
