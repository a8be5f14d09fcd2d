#pragma once
// The window messages that the skinned windows send one another. The skin messages carry the
// skin data holder in wParam and kSkinMessageTag in lParam; their numbers are the portable skin
// data's, which announces them without knowing of windows.

#include "skin/resources/bsSkinData.h"

#include <windows.h>

namespace bs {

inline constexpr LPARAM kSkinMessageTag = SkinMessageLParam;
inline constexpr UINT WM_SKIN_MENU_CLOSED = WM_USER + 204;
inline constexpr UINT WM_SKIN_MENU_COMMAND_DONE = WM_USER + 205;

// A request from any window to paint a frame into the device context in wParam; a window that
// can answers kPaintFrameAnswer.
inline constexpr UINT WM_PAINT_FRAME_INTO = 48203;
inline constexpr LPARAM kPaintFrameTag = 16802;
inline constexpr LRESULT kPaintFrameAnswer = 16802;

static_assert(WM_SKIN_BEFORE_CHANGE == 1225 && WM_SKIN_AFTER_CHANGE == 1227);
static_assert(WM_SKIN_STRINGS_CHANGED == 1274 && WM_SKIN_MENU_COMMAND_DONE == 1229);

}  // namespace bs
