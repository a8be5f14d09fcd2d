#pragma once
// The geometry of a skinned tab control that needs no window: the page its aligned children
// fill, for tabs on top, given the top of the page the platform computed, and where a tab's
// marks go.

#include "skin/resources/bsSkinDataTypes.h"

#include <vector>

namespace bs {

// What the skin description says about the page frame: its piece and client rect, and whether
// a background picture replaces the frame.
struct TbsTabPageSkin {
  TRect SkinRect, ClientRect;
  bool BackgroundPicture = false;
};

// The page of a control of cw x ch whose platform page starts at `top`: the plain look without
// a skin (null), inside the skin's frame with one, the whole rest with a background picture.
TRect TabPageRect(int top, int cw, int ch, const TbsTabPageSkin* skin);

// The skin frame around a page: the page grown by the frame's borders.
TRect TabPageFrame(const TRect& page, const TbsTabPageSkin& skin);

// A tab's marks: squares of this size, this far apart, this far in from the tab's top and right.
inline constexpr int kTabMarkSize = 5, kTabMarkGap = 1, kTabMarkInset = 2;

// The squares of `count` marks on `tab`, left to right, the last one at its top right corner;
// on a tab too narrow for all of them, as many of the first ones as fit within the insets.
std::vector<TRect> TabMarkRects(const TRect& tab, int count);

}  // namespace bs
