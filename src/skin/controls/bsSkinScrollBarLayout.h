#pragma once
// The arithmetic of the skinned scroll bar that needs no window: where its buttons, track and
// thumb lie, how a position is held inside the range, and which position a dragged thumb
// stands for. Ranges are worked out in 64 bits, so that any pair of 32-bit ends is a range.

#include "skin/resources/bsSkinDataTypes.h"

#include <cstdint>

namespace bs {

enum class TbsScrollBarKind { sbHorizontal, sbVertical };

// The parts of the bar, numbered as the hit test finds them.
enum TbsScrollBarPart : int { sbpNone = -1, sbpScrollThumb = 0, sbpIncreaseButton = 1, sbpDecreaseButton = 2 };

struct TbsScrollBarRange {
  int Min = 0, Max = 100, PageSize = 0, Position = 0;
};

// What the layout takes from a scroll-bar description (all in piece coordinates).
struct TbsScrollBarSkin {
  TRect SkinRect, TrackArea, UpButtonRect, DownButtonRect;
  TPoint RightTop, LeftBottom;
  // The thumb picture: its length along the bar and its thickness across it.
  int ThumbLength = 0, ThumbThickness = 0;
};

struct TbsScrollBarLayout {
  TRect Thumb, IncreaseButton, DecreaseButton, Track;
  int ThumbLength = 0, TravelStart = 0, TravelEnd = 0, Offset = 0;
  const TRect& Part(int part) const;
};

// x rounded to the nearest integer, ties to even, held inside the int range.
int RoundHalfEven(double x);

// Lays a W x H bar out. `skin` is null for the built-in look; `bothMarker` is the width kept
// free at the right end of a horizontal bar that shares its corner (0 when it shares none).
TbsScrollBarLayout LayoutScrollBar(TbsScrollBarKind kind, int W, int H, const TbsScrollBarRange& range,
                                   const TbsScrollBarSkin* skin, int bothMarker);

// The first part containing (x, y), right and bottom edges excluded; sbpNone for none.
int ScrollBarPartAt(const TbsScrollBarLayout& layout, int x, int y);

// `value` held inside the range: with a page, the largest position is the one whose page ends
// at Max.
int ClampScrollPosition(const TbsScrollBarRange& range, int value);

// The largest position the range allows.
int LargestScrollPosition(const TbsScrollBarRange& range);

// A page size the range can take as it stands: not negative, and the page from the current
// position still ends within Max.
bool ScrollPageFits(const TbsScrollBarRange& range, int page);

// The position a thumb dragged `distance` pixels stands for, `offsetAtPress` being the thumb's
// offset when the drag began.
int ScrollPositionFromOffset(const TbsScrollBarLayout& layout, const TbsScrollBarRange& range, int distance,
                             int offsetAtPress);

// `a` + `b` held inside the int range: steps by SmallChange and LargeChange never wrap.
int SaturatedAdd(int a, std::int64_t b);

}  // namespace bs
