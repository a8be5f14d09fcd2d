#pragma once
// The geometry of a panel that needs no window: where its caption goes and how high it is when
// rolled up to its caption band.

#include "skin/resources/bsSkinDataTypes.h"

namespace bs {

// The height of a skinned panel rolled up: the band above its client rect plus its bottom
// border, for a panel whose sized client rect is `sizedClient` at `height`.
constexpr int RolledHeight(int height, const TRect& sizedClient) {
  return height - sizedClient.Bottom + sizedClient.Top;
}

// The same for the plain look: its caption band and the line below it.
constexpr int DefaultRolledHeight(int defaultCaptionHeight) { return defaultCaptionHeight + 1; }

// Where the caption text, the check image and the roll-up mark go within the placed caption
// rect `r`: the text area (after the mark's room and the check image) and the mark's 10 pixels.
struct TbsPanelCaptionPlace {
  TRect Text;  // where the caption is aligned and clipped
  TRect Mark;  // empty without a roll-up mark
};
TbsPanelCaptionPlace PlacePanelCaption(const TRect& r, bool rollUpMode, int checkImageWidth);

// The x where a caption of `width` starts in `r` for an alignment 0 = left, 1 = right,
// 2 = centre.
int CaptionStartX(const TRect& r, int alignment, int width);

}  // namespace bs
