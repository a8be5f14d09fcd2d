#pragma once
// The arithmetic of a gauge: how much of its area the value fills and the percentage it reads.
// Everything is integer arithmetic with a 64-bit intermediate, so that any range of 32-bit
// values gives the exact truncated figure (a floating factor reads 29 of 0..100 as 28 %).

#include "skin/resources/bsUtils.h"

namespace bs {

// The part of (value - min) / (max - min) that `length` covers, truncated; 0 for an empty or
// inverted range. The value counts as clamped to the range.
int GaugeFillLength(int length, int minValue, int maxValue, int value);

// The filled part of `area`: from the left (a horizontal gauge) or from the bottom up.
TRect ProgressRectFor(const TRect& area, int minValue, int maxValue, int value, bool vertical);

// The picture of a filled part `length` long from the skin's `progressRect` of `src`: caps of
// `beginOffset` and `endOffset` at its ends and the middle between them tiled (or stretched).
// Across, the tiles run from the left; up the gauge they run from the bottom, so that the part
// that grows shows its last tile cut at the top, where it grows.
void GaugeFillImage(TImage& dest, const TImage& src, const TRect& progressRect, int beginOffset, int endOffset,
                    int length, bool vertical, bool stretch);

// The percentage the gauge shows, truncated: 2 of 0..3 reads 66.
int GaugePercent(int minValue, int maxValue, int value);

}  // namespace bs
