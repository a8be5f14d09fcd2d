#pragma once
// The geometry of a skinned tab control that needs no window: the page its aligned children
// fill, for tabs on top, given the top of the page the platform computed.

#include "skin/resources/bsSkinDataTypes.h"

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

}  // namespace bs
