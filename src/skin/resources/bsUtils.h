#pragma once
// The skin library's drawing primitives that need no window: the geometry of skin pieces,
// the builders that lay a skin picture out at any size, the conversion of mask pictures into
// region data, text fitting and the small rectangle, point and date helpers.

#include "skin/resources/bsImage.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace bs {

struct TPoint {
  int X = 0, Y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

// Right and bottom are exclusive, as everywhere in the platform's geometry.
struct TRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  friend bool operator==(const TRect&, const TRect&) = default;
};

constexpr TPoint Point(int x, int y) { return {x, y}; }
constexpr TRect Rect(int left, int top, int right, int bottom) { return {left, top, right, bottom}; }

constexpr int WidthOfRect(const TRect& r) { return r.Right - r.Left; }
constexpr int HeightOfRect(const TRect& r) { return r.Bottom - r.Top; }
constexpr TRect ZeroRect() { return {}; }
constexpr bool RectIsEmpty(const TRect& r) { return WidthOfRect(r) <= 0 || HeightOfRect(r) <= 0; }
// A description leaves a point out by giving 0 for either coordinate.
constexpr bool PointIsUnset(const TPoint& p) { return p.X == 0 || p.Y == 0; }
constexpr bool SameRect(const TRect& a, const TRect& b) { return a == b; }
// Right and bottom edges count as inside here, unlike the platform's point-in-rect rule.
constexpr bool PointInsideRect(const TPoint& p, const TRect& r) {
  return r.Left <= p.X && p.X <= r.Right && r.Top <= p.Y && p.Y <= r.Bottom;
}
// Both corners by the platform's rule (right and bottom excluded), so a rect that shares its
// bottom-right corner with the other is not inside it.
constexpr bool RectInsideRect(const TRect& inner, const TRect& outer) {
  auto in = [&](int x, int y) { return outer.Left <= x && x < outer.Right && outer.Top <= y && y < outer.Bottom; };
  return in(inner.Left, inner.Top) && in(inner.Right, inner.Bottom);
}

}  // namespace bs
