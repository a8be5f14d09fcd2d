#pragma once
// A font turned on the page: text runs at `escapement` tenths of a degree counter-clockwise.

#include <windows.h>

#include "platform/Graphics.h"

namespace spv::platform {

TGdiHandle<HFONT> CreateEscapedFont(const TFont& font, int escapement);

}  // namespace spv::platform
